#include "platform/file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

namespace tessvane::platform {
namespace {

// The toolkit's dialog with the checks it lacks: a folder that must exist, and the question
// before a new file is named. Its own checks (a file that must exist when opening, the
// question before an existing file is replaced when saving) stay as they are.
class CheckedFileDialog : public QFileDialog {
public:
    CheckedFileDialog(const FileDialogRequest& request, QWidget* parent)
        : QFileDialog(parent, request.title), m_request(request) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        const QFileInfo chosen(files.constFirst());
        if (chosen.isDir()) {
            QFileDialog::accept();  // opens the folder
            return;
        }
        if (m_request.pathMustExist && !chosen.absoluteDir().exists()) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("%1\nPath does not exist.\nPlease verify the correct path was given.")
                                     .arg(QDir::toNativeSeparators(chosen.absolutePath())));
            return;
        }
        if (!chosen.exists()) {
            // Opening with a file that must exist: the toolkit says so itself, in accept().
            const bool toolkitRefuses = m_request.fileMustExist && m_request.mode == FileDialogMode::open;
            if (m_request.fileMustExist && !toolkitRefuses) {
                QMessageBox::warning(this, windowTitle(),
                                     tr("%1\nFile not found.\nPlease verify the correct file name was given.")
                                         .arg(chosen.fileName()));
                return;
            }
            if (m_request.createPrompt && !toolkitRefuses &&
                QMessageBox::question(this, windowTitle(),
                                      tr("%1 does not exist.\nDo you want to create it?").arg(chosen.fileName()),
                                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    FileDialogRequest m_request;
};

// The folder the dialog opens in and the name in its name field: the folder of the starting
// name when it has one that exists, else the initial folder, else the current directory.
struct StartingPlace {
    QString folder;
    QString name;
};

[[nodiscard]] StartingPlace startingPlace(const FileDialogRequest& request) {
    const QString base = request.initialFolder.isEmpty() || !QFileInfo(request.initialFolder).isDir()
                             ? QDir::currentPath()
                             : QFileInfo(request.initialFolder).absoluteFilePath();
    if (request.fileName.isEmpty()) {
        return {base, {}};
    }
    const QFileInfo named(QDir(base), request.fileName);
    if (named.isDir()) {
        return {named.absoluteFilePath(), {}};
    }
    if (named.absoluteDir().exists()) {
        return {named.absolutePath(), named.fileName()};
    }
    return {base, named.fileName()};
}

}  // namespace

std::optional<QString> runFileDialog(const FileDialogRequest& request, QWidget* parent) {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    QWidget* owner = parent != nullptr ? parent->window() : nullptr;

    CheckedFileDialog dialog(request, owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.setSizeGripEnabled(true);
    const bool saving = request.mode == FileDialogMode::save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!saving && request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);

    if (!request.nameFilters.isEmpty()) {
        // The list shows the descriptions only, as they were given.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(request.nameFilters);
        const int index = request.selectedFilter >= 0 && request.selectedFilter < request.nameFilters.size()
                              ? request.selectedFilter
                              : 0;
        dialog.selectNameFilter(request.nameFilters.at(index));
    }
    QString suffix = request.defaultSuffix;
    while (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);

    const StartingPlace place = startingPlace(request);
    dialog.setDirectory(place.folder);
    if (!place.name.isEmpty()) {
        dialog.selectFile(place.name);
    }

    const int answer = dialog.exec();
    const QStringList files = dialog.selectedFiles();

    if (hadFocus != nullptr) {
        hadFocus->activateWindow();
        hadFocus->setFocus(Qt::OtherFocusReason);
    }
    if (answer != QDialog::Accepted || files.isEmpty()) {
        return std::nullopt;
    }
    return QFileInfo(files.constFirst()).absoluteFilePath();
}

}  // namespace tessvane::platform
