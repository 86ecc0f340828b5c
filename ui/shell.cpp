#include "ui/shell.h"

#include "platform/message_box.h"
#include "ui/common_dlg.h"
#include "ui/control.h"
#include "ui/runtime.h"

#include <QString>

namespace tessvane::ui {

PropertyValue getProperty(WindowId window, ControlId control, int number) {
    return findControl(window, control).controlProperty(number);
}

void setProperty(WindowId window, ControlId control, int number, PropertyValue value) {
    findControl(window, control).setControlProperty(number, std::move(value));
}

bool openDialog(WindowId window, ControlId control) {
    auto* dialog = qobject_cast<CommonDlg*>(&findControl(window, control));
    return dialog != nullptr && dialog->openDialog();
}

int showMessageBox(std::string_view text, int buttons, std::optional<std::string_view> caption) {
    (void)buttons;  // the program only asks for set 0, a single OK button
    const std::string_view shownCaption = caption.value_or("信息：");
    return platform::showModalMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                      QString::fromUtf8(shownCaption.data(), static_cast<qsizetype>(shownCaption.size())),
                                      platform::MessageIcon::none);
}

}  // namespace tessvane::ui
