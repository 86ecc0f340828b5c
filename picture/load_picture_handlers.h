#pragma once

namespace tessvane::picture {

// Double-click on the label over the large box: choose a file and make it that box's picture.
void loadLargePicture();

// The same for the small box.
void loadSmallPicture();

}  // namespace tessvane::picture
