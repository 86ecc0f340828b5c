#pragma once

namespace tessvane::exporter {

// "生成": writes what the canvas shows as a BMP file named after a random number and ".jpg".
void exportPicture();

}  // namespace tessvane::exporter
