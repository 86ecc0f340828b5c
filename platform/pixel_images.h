#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>
#include <span>

namespace tessvane::platform {

// Images made from decoded pixel data. Each gives a null image when the data does not
// fit its size or no image can be allocated; the result never shares the caller's memory.

// 24-bit pixels: red, green, blue bytes, top row first, rows of 3 × width bytes.
[[nodiscard]] QImage imageFromRgb24(int width, int height, std::span<const std::uint8_t> rgb);

// 8-bit indices into a 256-entry table of 0xAARRGGBB entries, rows of width bytes.
[[nodiscard]] QImage imageFromIndexed8(int width, int height, std::span<const std::uint8_t> indices,
                                       std::span<const QRgb, 256> colours);

// 1-bit pixels, most significant bit leftmost, rows of bytesPerRow bytes: 1 bits take
// one colour and 0 bits the other.
[[nodiscard]] QImage imageFromBits1(int width, int height, int bytesPerRow, std::span<const std::uint8_t> bits,
                                    QColor zeroColour, QColor oneColour);

// An icon object: 0xAARRGGBB pixels whose alpha is the mask, drawn blended over what is there.
[[nodiscard]] QImage iconImage(int width, int height, std::span<const std::uint32_t> argb);

}  // namespace tessvane::platform
