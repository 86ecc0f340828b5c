#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace tessvane::platform {

enum class FileDialogMode { open, save };

// What a file dialog is asked to be; every field maps onto the toolkit's widget-based dialog.
struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::open;
    QString title;            // empty: the toolkit's own title
    QString fileName;         // the name it starts with; its folder is where it opens
    QStringList nameFilters;  // "description (patterns)" entries; empty: every file listed
    int selectedFilter = -1;  // index into nameFilters, or -1 for none
    QString initialFolder;    // empty: the current directory
    QString defaultSuffix;    // added to a typed name without one; a leading dot is ignored
    bool createPrompt = false;     // ask before a file that does not exist is named
    bool fileMustExist = true;     // only an existing file can be confirmed
    bool overwritePrompt = true;   // ask before an existing file is named (save)
    bool pathMustExist = true;     // only a name in an existing folder can be confirmed
};

// Runs the dialog modally over parent's window, which takes no input meanwhile; afterwards the
// focus goes back to the widget that had it. The confirmed file's absolute path, or none when
// the user cancelled or closed it. The dialog is the toolkit's own widget-based one, so it wears
// the application's style; it chooses one file and can be resized. Its checks (a file or folder
// that must exist, the prompts) tell the user and keep it open.
[[nodiscard]] std::optional<QString> runFileDialog(const FileDialogRequest& request, QWidget* parent);

}  // namespace tessvane::platform
