#pragma once

#include <QByteArray>

namespace tessvane::assets {

// The whole 4194-byte BMP file the small picture box starts with.
[[nodiscard]] QByteArray builtInPictureBytes();

// The whole ICO file of the program icon: 16 × 16, 32 × 32 and 48 × 48 images of 16 colours.
[[nodiscard]] QByteArray programIconBytes();

}  // namespace tessvane::assets
