#include "picture/decode/draw_picture.h"

namespace tessvane::decode {

// FIXME: not written yet.
QImage pictureImage(const DecodedPicture&, QColor, QColor) { return {}; }

void drawPicture(const DecodedPicture&, DrawSurface&, QRect) {}

}  // namespace tessvane::decode
