#include "app/handler_table.h"
#include "app/start_up.h"
#include "ui/control_ids.h"
#include "ui/window_template.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessvane"));
    QApplication::setDesktopFileName(QStringLiteral("tessvane"));
    // The plain look the visual style switches back to, the same on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return tessvane::app::startUp(tessvane::ui::mainWindowTemplate(), tessvane::ui::kMainWindow,
                                  &tessvane::app::programHandler);
}
