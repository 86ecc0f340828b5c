#include "platform/pixel_images.h"

#include <QList>

#include <cstddef>
#include <cstring>

namespace tessvane::platform {
namespace {

// Whether data of the given size holds height rows of rowBytes bytes each; by division, so no
// product of two sizes from a file can wrap.
[[nodiscard]] bool holdsRows(std::size_t available, std::size_t rowBytes, int height) {
    return rowBytes > 0 && available / rowBytes >= static_cast<std::size_t>(height);
}

[[nodiscard]] bool isDrawableSize(int width, int height) { return width > 0 && height > 0; }

// Copies height rows of rowBytes bytes, sourceStride apart in the source, into the image.
void copyRows(QImage& image, const std::uint8_t* source, std::size_t sourceStride, std::size_t rowBytes) {
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(image.scanLine(y), source + sourceStride * static_cast<std::size_t>(y), rowBytes);
    }
}

}  // namespace

// RGB32 rather than RGB888: it is the raster surfaces' own format, so drawing and smooth
// stretching take it as it is, while a 24-bit image would be converted on every draw.
QImage imageFromRgb24(int width, int height, std::span<const std::uint8_t> rgb) {
    if (!isDrawableSize(width, height)) {
        return {};
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (!holdsRows(rgb.size(), rowBytes, height)) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {  // Qt could not allocate it
        return {};
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = rgb.data() + rowBytes * static_cast<std::size_t>(y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            target[x] = qRgb(source[0], source[1], source[2]);
            source += 3;
        }
    }
    return image;
}

QImage imageFromIndexed8(int width, int height, std::span<const std::uint8_t> indices,
                         std::span<const QRgb, 256> colours) {
    if (!isDrawableSize(width, height)) {
        return {};
    }
    const auto rowBytes = static_cast<std::size_t>(width);
    if (!holdsRows(indices.size(), rowBytes, height)) {
        return {};
    }
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull()) {
        return {};
    }
    // All 256 entries, so every index names a colour.
    image.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
    copyRows(image, indices.data(), rowBytes, rowBytes);
    return image;
}

QImage imageFromBits1(int width, int height, int bytesPerRow, std::span<const std::uint8_t> bits, QColor zeroColour,
                      QColor oneColour) {
    if (!isDrawableSize(width, height)) {
        return {};
    }
    // Format_Mono is most significant bit first, like the data; each row needs its width in
    // bits, and the source rows may carry padding beyond that.
    const std::size_t usedBytes = (static_cast<std::size_t>(width) + 7) / 8;
    if (bytesPerRow <= 0 || static_cast<std::size_t>(bytesPerRow) < usedBytes ||
        !holdsRows(bits.size(), static_cast<std::size_t>(bytesPerRow), height)) {
        return {};
    }
    QImage image(width, height, QImage::Format_Mono);
    if (image.isNull()) {
        return {};
    }
    // The colours are opaque whatever alpha the caller's colours carry: a two-colour picture
    // covers what it is drawn over.
    image.setColorTable({zeroColour.rgb(), oneColour.rgb()});
    copyRows(image, bits.data(), static_cast<std::size_t>(bytesPerRow), usedBytes);
    return image;
}

// ARGB32, not premultiplied, is exactly the layout of the decoded pixels; Qt premultiplies
// when it blends.
QImage iconImage(int width, int height, std::span<const std::uint32_t> argb) {
    if (!isDrawableSize(width, height)) {
        return {};
    }
    const auto rowPixels = static_cast<std::size_t>(width);
    if (!holdsRows(argb.size(), rowPixels, height)) {
        return {};
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), argb.data() + rowPixels * static_cast<std::size_t>(y),
                    rowPixels * sizeof(std::uint32_t));
    }
    return image;
}

}  // namespace tessvane::platform
