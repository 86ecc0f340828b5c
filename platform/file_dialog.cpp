#include "platform/file_dialog.h"

namespace tessvane::platform {

std::optional<QString> runFileDialog(const FileDialogRequest&, QWidget*) {
    return std::nullopt;  // FIXME: not written yet.
}

}  // namespace tessvane::platform
