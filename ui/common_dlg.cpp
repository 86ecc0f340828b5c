#include "ui/common_dlg.h"

#include "platform/file_dialog.h"
#include "ui/property_tables.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <string>

namespace tessvane::ui {
namespace {

namespace property = commondlg_property;

constexpr int kOpenFileDialog = 0;
constexpr int kSaveFileDialog = 1;

[[nodiscard]] QString fromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] bool isTrailingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

bool fitsFileNameBuffer(const QString& name) { return name.toUcs4().size() < kFileNameBufferCharacters; }

QStringList nameFiltersFromFilter(std::string_view filter) {
    while (!filter.empty() && isTrailingSpace(filter.back())) {
        filter.remove_suffix(1);
    }
    if (filter.empty()) {
        return {};
    }
    std::string list(filter);
    if (!list.ends_with("||")) {
        list += "||";
    }
    const QStringList items = fromText(list).split(QLatin1Char('|'));

    QStringList filters;
    for (qsizetype index = 0; index + 1 < items.size(); index += 2) {
        const QString& description = items.at(index);
        QStringList patterns;
        for (const QString& pattern : items.at(index + 1).split(QLatin1Char(';'))) {
            if (!pattern.trimmed().isEmpty()) {
                patterns.append(pattern.trimmed());
            }
        }
        if (description.isEmpty() || patterns.isEmpty()) {
            break;
        }
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

CommonDlg::CommonDlg(const ControlRecord& record, WindowId window, QWidget* parent) : Control(record, window, parent) {}

bool CommonDlg::openDialog() {
    const int type = integerProperty(property::dialogType);
    if (type != kOpenFileDialog && type != kSaveFileDialog) {
        return false;
    }

    platform::FileDialogRequest request;
    request.mode = type == kSaveFileDialog ? platform::FileDialogMode::save : platform::FileDialogMode::open;
    request.title = fromText(textProperty(property::title));
    const QString startName = fromText(textProperty(property::fileName));
    if (fitsFileNameBuffer(startName)) {
        request.fileName = startName;
    }
    request.nameFilters = nameFiltersFromFilter(textProperty(property::filter));
    if (!request.nameFilters.isEmpty()) {
        // The pair offered first is filterIndex + 1, counting from 1; below 0 counts as 0.
        request.selectedFilter = std::max(integerProperty(property::filterIndex), 0);
    }
    request.initialFolder = fromText(textProperty(property::initialFolder));
    request.defaultSuffix = fromText(textProperty(property::defaultExtension));
    request.createPrompt = booleanProperty(property::createPrompt);
    request.fileMustExist = booleanProperty(property::fileMustExist);
    request.overwritePrompt = booleanProperty(property::overwritePrompt);
    request.pathMustExist = booleanProperty(property::pathMustExist);

    const std::optional<QString> chosen = platform::runFileDialog(request, this);
    if (!chosen || !fitsFileNameBuffer(*chosen)) {
        return false;
    }
    setControlProperty(property::fileName, chosen->toStdString());
    if (!booleanProperty(property::keepCurrentFolder)) {
        QDir::setCurrent(QFileInfo(*chosen).absolutePath());
    }
    return true;
}

}  // namespace tessvane::ui
