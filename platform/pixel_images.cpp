#include "platform/pixel_images.h"

namespace tessvane::platform {

// FIXME: not written yet.
QImage imageFromRgb24(int, int, std::span<const std::uint8_t>) { return {}; }
QImage imageFromIndexed8(int, int, std::span<const std::uint8_t>, std::span<const QRgb, 256>) { return {}; }
QImage imageFromBits1(int, int, int, std::span<const std::uint8_t>, QColor, QColor) { return {}; }
QImage iconImage(int, int, std::span<const std::uint32_t>) { return {}; }

}  // namespace tessvane::platform
