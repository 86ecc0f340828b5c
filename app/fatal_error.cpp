#include "app/fatal_error.h"

#include "platform/message_box.h"
#include "ui/runtime.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace tessvane::app {

void failFatally(std::string_view reason) {
    static bool failing = false;
    if (!failing) {
        failing = true;
        const QString why = QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
        std::fprintf(stderr, "tessvane: fatal error: %s\n", why.toLocal8Bit().constData());
        platform::showModalMessage(QStringLiteral("程序运行失败：") + why, QStringLiteral("Tessvane"),
                                   platform::MessageIcon::error);
        ui::endRun();
    }
    std::exit(-1);
}

}  // namespace tessvane::app
