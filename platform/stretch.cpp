#include "platform/stretch.h"

#include "platform/screen.h"

namespace tessvane::platform {

StretchQuality stretchQualityFor(int screenDepthBits) {
    return screenDepthBits > 16 ? StretchQuality::smooth : StretchQuality::dropPixels;
}

StretchQuality screenStretchQuality() { return stretchQualityFor(screenDepth()); }

QImage stretchedCopy(const QImage& image, QSize size, StretchQuality quality) {
    if (image.isNull() || size.isEmpty()) {
        return {};
    }
    if (image.size() == size) {
        return image;
    }
    return image.scaled(size, Qt::IgnoreAspectRatio,
                        quality == StretchQuality::smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
}

}  // namespace tessvane::platform
