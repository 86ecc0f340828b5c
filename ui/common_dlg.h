#pragma once

#include "ui/control.h"

#include <QString>
#include <QStringList>

#include <string_view>

namespace tessvane::ui {

// The file name travels in a buffer of this many characters, its terminator included: a
// longer name is never handed to the dialog, and choosing a file with a longer path fails.
inline constexpr qsizetype kFileNameBufferCharacters = 260;

// Whether a name fits the buffer, counting characters, not bytes.
[[nodiscard]] bool fitsFileNameBuffer(const QString& name);

// The description and pattern pairs of a filter text, as the file dialog's name filters
// "description (pattern pattern …)". Trailing white space is dropped and "||" appended unless the
// text already ends in it; then the items, each closed by "|", are read in pairs until an empty
// description, or a description without a pattern, closes the list. Patterns separated by ";"
// are offered together. Empty for an empty filter.
[[nodiscard]] QStringList nameFiltersFromFilter(std::string_view filter);

// An invisible component that only runs its dialog (open or save file) as its properties say.
class CommonDlg : public Control {
    Q_OBJECT

public:
    CommonDlg(const ControlRecord& record, WindowId window, QWidget* parent);

    // Runs the dialog; on confirmation stores the chosen file's full path in fileName and, unless
    // keepCurrentFolder is on, leaves the process in that file's folder. True when confirmed.
    // Cancelling, closing, a chosen path that does not fit the name buffer, and the dialog types
    // this component does not run (2 font, 3 help) leave fileName as it was and give false.
    bool openDialog();
};

}  // namespace tessvane::ui
