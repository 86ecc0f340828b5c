#include "picture/decode/draw_picture.h"

#include "platform/pixel_images.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <variant>

namespace tessvane::decode {
namespace {

// A stretched copy is made of the whole target rectangle, so a target far larger than any
// screen (16 M pixels, 64 MB as 32-bit pixels) is drawn by the painter's own scaling instead,
// which only produces the pixels that land on the surface.
constexpr qint64 kMaxStretchedPixels = qint64{1} << 24;

[[nodiscard]] std::array<QRgb, 256> qtColours(const ColourTable& colours) {
    std::array<QRgb, 256> result{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        result[i] = qRgb(colours[i].red, colours[i].green, colours[i].blue);
    }
    return result;
}

// An indexed picture on a canvas of the picture's natural size, the indexed image at its
// top-left corner. For a GIF that canvas is the logical screen, which the first image may not
// fill; the part it leaves takes colour index 0 of the image's table, so it shows a colour of
// the picture itself and the image stays one 8-bit image.
[[nodiscard]] QImage indexedImage(const DecodedPicture& picture, const IndexedPixels& indexed) {
    const std::array<QRgb, 256> colours = qtColours(indexed.colours);
    QImage image = platform::imageFromIndexed8(indexed.width, indexed.height, indexed.indices, colours);
    if (image.isNull() || (indexed.width == picture.width && indexed.height == picture.height)) {
        return image;
    }
    QImage screen(picture.width, picture.height, QImage::Format_Indexed8);
    if (screen.isNull()) {
        return {};
    }
    screen.setColorTable(image.colorTable());
    screen.fill(0);
    // An image reaching past the screen is cut at its edges.
    const int rows = std::min(image.height(), screen.height());
    const auto rowBytes = static_cast<std::size_t>(std::min(image.width(), screen.width()));
    for (int y = 0; y < rows; ++y) {
        std::memcpy(screen.scanLine(y), image.constScanLine(y), rowBytes);
    }
    return screen;
}

// Keeps the caller's composition mode and render hints whatever way the draw ends.
class SavedPainterState {
public:
    explicit SavedPainterState(QPainter& painter) : m_painter(painter) { m_painter.save(); }
    ~SavedPainterState() { m_painter.restore(); }
    SavedPainterState(const SavedPainterState&) = delete;
    SavedPainterState& operator=(const SavedPainterState&) = delete;

private:
    QPainter& m_painter;
};

[[nodiscard]] bool drawsThroughMask(PictureKind kind) {
    return kind == PictureKind::icon || kind == PictureKind::cursor;
}

[[nodiscard]] QImage makeImage(const DecodedPicture& picture, QColor foreground, QColor background) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {};
    }
    switch (picture.kind) {
        case PictureKind::jpeg:
        case PictureKind::bmp:
            if (const auto* rgb = std::get_if<RgbPixels>(&picture.pixels)) {
                return platform::imageFromRgb24(picture.width, picture.height, rgb->rgb);
            }
            return {};
        case PictureKind::gif:
        case PictureKind::pcx8:
            if (const auto* indexed = std::get_if<IndexedPixels>(&picture.pixels)) {
                return indexedImage(picture, *indexed);
            }
            return {};
        case PictureKind::pcx1:
            // 0 bits take the surface's foreground colour, 1 bits its background colour.
            if (const auto* bits = std::get_if<BitPixels>(&picture.pixels)) {
                return platform::imageFromBits1(picture.width, picture.height, bits->bytesPerRow, bits->bits,
                                                foreground, background);
            }
            return {};
        case PictureKind::icon:
        case PictureKind::cursor:
            if (const auto* icon = std::get_if<IconPixels>(&picture.pixels)) {
                return platform::iconImage(picture.width, picture.height, icon->argb);
            }
            return {};
    }
    return {};
}

}  // namespace

QImage pictureImage(const DecodedPicture& picture, QColor foreground, QColor background) {
    try {
        return makeImage(picture, foreground, background);
    } catch (const std::bad_alloc&) {
        // Out of memory for the image is "no image can be made".
        return {};
    }
}

void drawPicture(const DecodedPicture& picture, DrawSurface& surface, QRect rect) {
    // QRect keeps the width and height it was given, -1 included.
    const int width = rect.width() == -1 ? picture.width : rect.width();
    const int height = rect.height() == -1 ? picture.height : rect.height();
    if (width <= 0 || height <= 0) {
        return;
    }
    try {
        const QImage image = pictureImage(picture, surface.foreground, surface.background);
        if (image.isNull()) {
            return;
        }
        const QRect target(rect.x(), rect.y(), width, height);
        QPainter& painter = surface.painter;
        const SavedPainterState saved(painter);
        // An icon blends through its mask and leaves the surface where it is transparent;
        // everything else replaces every pixel of its rectangle.
        painter.setCompositionMode(drawsThroughMask(picture.kind) ? QPainter::CompositionMode_SourceOver
                                                                  : QPainter::CompositionMode_Source);
        if (qint64{width} * height <= kMaxStretchedPixels) {
            const QImage stretched = platform::stretchedCopy(image, target.size(), surface.quality);
            if (!stretched.isNull()) {
                painter.drawImage(target.topLeft(), stretched);
            }
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, surface.quality == platform::StretchQuality::smooth);
            painter.drawImage(target, image);
        }
    } catch (const std::bad_alloc&) {
        // Nothing is drawn when there is no memory to draw with.
    }
}

}  // namespace tessvane::decode
