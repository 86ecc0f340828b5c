#pragma once

#include <QImage>
#include <QSize>

namespace tessvane::platform {

// How a picture is stretched: smooth (area averaging when shrinking, interpolation when
// enlarging) on screens of more than 16 bits per pixel, whole pixels dropped or repeated
// otherwise.
enum class StretchQuality { smooth, dropPixels };

[[nodiscard]] StretchQuality stretchQualityFor(int screenDepthBits);

// The quality for the primary screen.
[[nodiscard]] StretchQuality screenStretchQuality();

// A copy of image scaled to exactly size, proportions not kept. An empty image for an empty
// size.
[[nodiscard]] QImage stretchedCopy(const QImage& image, QSize size, StretchQuality quality);

}  // namespace tessvane::platform
