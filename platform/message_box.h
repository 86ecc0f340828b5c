#pragma once

#include <QString>

namespace tessvane::platform {

enum class MessageIcon { none, error };

// A message box with no owner window that keeps every window of the program disabled until
// the user closes it; gives the button pressed (0 for OK).
int showModalMessage(const QString& text, const QString& caption, MessageIcon icon);

}  // namespace tessvane::platform
