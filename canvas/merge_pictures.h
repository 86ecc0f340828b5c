#pragma once

namespace tessvane::canvas {

// "合并": draws the large box's picture over the whole canvas and the small one at (68, 55).
void mergePictures();

}  // namespace tessvane::canvas
