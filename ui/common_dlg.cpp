#include "ui/common_dlg.h"

#include "ui/property_tables.h"

namespace tessvane::ui {

CommonDlg::CommonDlg(const ControlRecord& record, WindowId window, QWidget* parent) : Control(record, window, parent) {}

bool CommonDlg::openDialog() {
    return false;  // FIXME: not written yet.
}

}  // namespace tessvane::ui
