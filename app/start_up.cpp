#include "app/start_up.h"

#include "app/event_dispatch.h"
#include "app/fatal_error.h"
#include "app/program_icon.h"
#include "canvas/draw_panel.h"
#include "picture/pic_box.h"
#include "picture/trans_label.h"
#include "ui/fatal_error.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace tessvane::app {

void initGlobals() {}

void onEndOfRun() {}

void registerControlKinds() {
    ui::registerControlKind(ui::ControlKind::picBox, &picture::PicBox::create);
    ui::registerControlKind(ui::ControlKind::transLabel, &picture::TransLabel::create);
    ui::registerControlKind(ui::ControlKind::drawPanel, &canvas::DrawPanel::create);
}

int startUp(const ui::WindowTemplate& windowTemplate, ui::WindowId window, const ui::HandlerTable& handlers) {
    ui::setFatalErrorHandler(&failFatally);

    // Exported files are written by a relative name, so the run starts in the program's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    registerControlKinds();
    if (!ui::loadTemplate(windowTemplate, handlers)) {
        failFatally("the window template cannot be read");
    }
    initGlobals();
    void (*endOfRun)() = &onEndOfRun;

    EventDispatch dispatch;
    qApp->installEventFilter(&dispatch);

    QApplication::setWindowIcon(programIcon());
    if (!ui::loadWindow(window)) {
        failFatally("the window cannot be loaded");
    }
    const int exitCode = ui::runMessageLoop();
    qApp->removeEventFilter(&dispatch);

    // End of run, once: the program's routine, then the template and what the user-interface
    // layer still holds.
    endOfRun();
    ui::endRun();
    QApplication::setWindowIcon(QIcon());
    return exitCode;
}

}  // namespace tessvane::app
