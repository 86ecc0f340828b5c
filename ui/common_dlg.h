#pragma once

#include "ui/control.h"

namespace tessvane::ui {

// An invisible component that only runs its dialog (open or save file) as its properties say.
class CommonDlg : public Control {
    Q_OBJECT

public:
    CommonDlg(const ControlRecord& record, WindowId window, QWidget* parent);

    // Runs the dialog; on confirmation stores the chosen file's full path in fileName and, unless
    // keepCurrentFolder is on, leaves the process in that file's folder. True when confirmed.
    bool openDialog();
};

}  // namespace tessvane::ui
