#pragma once

#include <QFont>

namespace tessvane::platform {

// The system's default GUI font: a CJK-capable sans serif at the size desktop dialogs use.
[[nodiscard]] QFont defaultGuiFont();

}  // namespace tessvane::platform
