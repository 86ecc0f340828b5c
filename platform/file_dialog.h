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
    QString defaultSuffix;
    bool createPrompt = false;
    bool fileMustExist = true;
    bool overwritePrompt = true;
    bool pathMustExist = true;
};

// Runs the dialog modally over parent; the confirmed file's absolute path, or none when the
// user cancelled or closed it.
[[nodiscard]] std::optional<QString> runFileDialog(const FileDialogRequest& request, QWidget* parent);

}  // namespace tessvane::platform
