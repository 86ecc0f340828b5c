#include "picture/load_picture_handlers.h"

namespace tessvane::picture {

// FIXME: not written yet.
void loadLargePicture() {}

void loadSmallPicture() {}

}  // namespace tessvane::picture
