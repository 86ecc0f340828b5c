#pragma once

// The canvas's shown pixels as a BMP file: the Windows BMP with the 40-byte information
// header, 24 bits per pixel, no compression, no colour table, rows bottom-up, each row padded
// to a multiple of 4 bytes.

#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>
#include <span>

#include "picture/decode/byte_buffer.h"
#include "platform/stretch.h"
#include "ui/control_ids.h"

namespace tessvane::exporter {

// The size a snapshot of a source of this size comes out at, for each direction alone: 0 is
// the source's own size, a negative -p is p percent of it (at least 10 percent, rounded to the
// nearest pixel), a positive value is taken as it is. None when either comes out at 0 or less.
[[nodiscard]] std::optional<QSize> snapshotSize(QSize source, std::int32_t width, std::int32_t height);

// A BMP file of width × height pixels given as red, green, blue bytes, top row first, each row
// starting bytesPerRow bytes after the one before. Empty when the pixels do not fill that size
// or the file would be larger than the pixel and allocation limits allow.
[[nodiscard]] ByteBuffer encodeBmp24(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> rgb,
                                     std::size_t bytesPerRow);

// The pixels resampled to size, averaging when smooth, else dropping or repeating whole rows
// and columns; the pixels as they are when the sizes agree. The result is 24-bit red, green,
// blue; null when no image can be made.
[[nodiscard]] QImage snapshotPixels(const QImage& source, QSize size, platform::StretchQuality quality);

// What the canvas shows now, at the size the rules above give, resampled smoothly on a screen
// of more than 16 bits per pixel and by whole pixels otherwise, as a BMP file; empty when the
// control is no canvas, the size comes out empty, or no image can be made.
[[nodiscard]] ByteBuffer snapshotCanvas(ui::WindowId window, ui::ControlId canvas, std::int32_t width,
                                        std::int32_t height);

}  // namespace tessvane::exporter
