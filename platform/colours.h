#pragma once

#include <QColor>

#include <cstdint>

namespace tessvane::platform {

// The colour property value that stands for the system's 3-D face (button-face) colour.
inline constexpr std::uint32_t kFaceColourValue = 0xFF000000;

// The toolkit's button-face colour, looked up each time it is used.
[[nodiscard]] QColor faceColour();

// A colour property value 0x00BBGGRR (red in the low byte), or the face colour for 0xFF000000.
[[nodiscard]] QColor resolveColour(std::uint32_t value);

}  // namespace tessvane::platform
