#include "platform/message_box.h"

#include <QMessageBox>

namespace tessvane::platform {

int showModalMessage(const QString& text, const QString& caption, MessageIcon icon) {
    // Application-modal with no parent: every window of the program is blocked until it closes.
    QMessageBox box(icon == MessageIcon::error ? QMessageBox::Critical : QMessageBox::NoIcon, caption, text,
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 0;
}

}  // namespace tessvane::platform
