#pragma once

#include <QIcon>

namespace tessvane::app {

// The program icon as the window takes it: its 32 × 32 image as the big icon and its 16 × 16
// image as the small one. A null icon when the embedded file cannot be read.
[[nodiscard]] QIcon programIcon();

}  // namespace tessvane::app
