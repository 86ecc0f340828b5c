#include "export/snapshot_canvas.h"

#include <limits>
#include <new>

#include "canvas/canvas_commands.h"
#include "picture/decode/checked_math.h"

namespace tessvane::exporter {
namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint16_t kBitsPerPixel = 24;

// A percentage below this is raised to it.
constexpr std::int64_t kMinimumPercent = 10;

void putU16(ByteBuffer& out, std::size_t offset, std::uint16_t value) {
    out[offset] = static_cast<std::uint8_t>(value & 0xFFu);
    out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(ByteBuffer& out, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        out[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu);
    }
}

std::int64_t resolvedLength(std::int64_t source, std::int32_t requested) {
    if (requested == 0) {
        return source;
    }
    if (requested > 0) {
        return requested;
    }
    // 64 bits: -INT32_MIN and the product cannot overflow. Adding 50 before dividing rounds
    // halves up.
    const std::int64_t percent = std::max(-std::int64_t{requested}, kMinimumPercent);
    return (source * percent + 50) / 100;
}

}  // namespace

std::optional<QSize> snapshotSize(QSize source, std::int32_t width, std::int32_t height) {
    const std::int64_t w = resolvedLength(source.width(), width);
    const std::int64_t h = resolvedLength(source.height(), height);
    constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
    if (w <= 0 || h <= 0 || w > kLargest || h > kLargest) {
        return std::nullopt;
    }
    return QSize(static_cast<int>(w), static_cast<int>(h));
}

ByteBuffer encodeBmp24(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> rgb,
                       std::size_t bytesPerRow) {
    if (width <= 0 || height <= 0 ||
        !decode::fitsLimits(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), 3)) {
        return {};
    }
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    // The source must hold every row it is said to: (h - 1) whole strides and one last row.
    if (bytesPerRow < 3 * w || (h - 1) * bytesPerRow + 3 * w > rgb.size()) {
        return {};
    }
    // Each row takes ((24 × width + 31) div 32) × 4 bytes: a multiple of 4.
    const std::uint64_t rowBytes = (kBitsPerPixel * w + 31) / 32 * 4;
    const std::uint64_t pixelBytes = rowBytes * h;
    // With no colour table at 24 bits, the pixel rows follow the two headers directly.
    const std::uint64_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes;
    const std::uint64_t fileBytes = pixelOffset + pixelBytes;
    if (fileBytes > std::numeric_limits<std::uint32_t>::max()) {
        return {};  // the file size field has 32 bits
    }

    ByteBuffer file(static_cast<std::size_t>(fileBytes), 0);
    // File header.
    file[0] = 'B';
    file[1] = 'M';
    putU32(file, 2, static_cast<std::uint32_t>(fileBytes));
    // Offsets 6 and 8: two reserved words, 0.
    putU32(file, 10, static_cast<std::uint32_t>(pixelOffset));
    // Information header.
    putU32(file, 14, kInfoHeaderBytes);
    putU32(file, 18, static_cast<std::uint32_t>(width));
    // A positive height: the rows run bottom-up.
    putU32(file, 22, static_cast<std::uint32_t>(height));
    putU16(file, 26, 1);  // colour planes
    putU16(file, 28, kBitsPerPixel);
    // Offset 30: compression 0, none.
    putU32(file, 34, static_cast<std::uint32_t>(pixelBytes));
    // Offsets 38 to 53: resolutions, colours used and important colours, all 0.

    // The first row in the file is the bottom row of the picture; each pixel is blue, green,
    // red. The padding bytes stay 0.
    for (std::uint64_t row = 0; row < h; ++row) {
        const std::uint8_t* source = rgb.data() + (h - 1 - row) * bytesPerRow;
        std::uint8_t* target = file.data() + pixelOffset + row * rowBytes;
        for (std::uint64_t x = 0; x < w; ++x) {
            target[3 * x] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x];
        }
    }
    return file;
}

QImage snapshotPixels(const QImage& source, QSize size, platform::StretchQuality quality) {
    if (source.isNull() || size.isEmpty()) {
        return {};
    }
    const QImage sized = source.size() == size ? source : platform::stretchedCopy(source, size, quality);
    if (sized.isNull()) {
        return {};
    }
    return sized.convertToFormat(QImage::Format_RGB888);
}

ByteBuffer snapshotCanvas(ui::WindowId window, ui::ControlId canvas, std::int32_t width, std::int32_t height) {
    try {
        const QImage shown = canvas::canvasPixels(window, canvas);
        if (shown.isNull()) {
            return {};
        }
        const std::optional<QSize> size = snapshotSize(shown.size(), width, height);
        if (!size || !decode::fitsLimits(static_cast<std::uint64_t>(size->width()),
                                         static_cast<std::uint64_t>(size->height()), 4)) {
            return {};
        }
        const QImage pixels = snapshotPixels(shown, *size, platform::screenStretchQuality());
        if (pixels.isNull()) {
            return {};
        }
        return encodeBmp24(pixels.width(), pixels.height(),
                           std::span(pixels.constBits(), static_cast<std::size_t>(pixels.sizeInBytes())),
                           static_cast<std::size_t>(pixels.bytesPerLine()));
    } catch (const std::bad_alloc&) {
        // No memory for the snapshot is the graphics system refusing it.
        return {};
    }
}

}  // namespace tessvane::exporter
