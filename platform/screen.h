#pragma once

#include <QSize>

namespace tessvane::platform {

// The primary screen's size in pixels.
[[nodiscard]] QSize primaryScreenSize();

// The primary screen's colour depth in bits per pixel.
[[nodiscard]] int screenDepth();

}  // namespace tessvane::platform
