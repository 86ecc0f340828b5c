#pragma once

#include "picture/decode/decoded_picture.h"
#include "platform/stretch.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

namespace tessvane::decode {

// A drawing surface as a picture meets it: where to draw, the two colours a two-colour
// picture takes, and how stretching is done.
struct DrawSurface {
    QPainter& painter;
    QColor foreground = Qt::white;
    QColor background = Qt::black;
    platform::StretchQuality quality = platform::StretchQuality::smooth;
};

// The picture at its natural size as an image for the surface: for gif the first image at
// the top-left corner of a logical-screen-sized image; for pcx1, 0 bits in foreground and
// 1 bits in background; for icon and cursor an image whose alpha is the mask. A null image
// when none can be made.
[[nodiscard]] QImage pictureImage(const DecodedPicture& picture, QColor foreground, QColor background);

// Draws the picture into rect on the surface; a width or height of -1 stands for the natural
// one. Icons and cursors are drawn through their mask, everything else is an opaque copy of
// its whole natural area stretched to exactly the rectangle. Nothing is drawn when no image
// can be made.
void drawPicture(const DecodedPicture& picture, DrawSurface& surface, QRect rect);

}  // namespace tessvane::decode
