#include "canvas/merge_pictures.h"

namespace tessvane::canvas {

void mergePictures() {}  // FIXME: not written yet.

}  // namespace tessvane::canvas
