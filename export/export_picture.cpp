#include "export/export_picture.h"

namespace tessvane::exporter {

void exportPicture() {}  // FIXME: not written yet.

}  // namespace tessvane::exporter
