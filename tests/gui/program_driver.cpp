#include "tests/gui/program_driver.h"

#include "app/event_dispatch.h"
#include "app/handler_table.h"
#include "app/program_icon.h"
#include "app/start_up.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace tessvane::testing {
namespace {

std::unique_ptr<app::EventDispatch>& dispatch() {
    static std::unique_ptr<app::EventDispatch> instance;
    return instance;
}

}  // namespace

ui::Control& loadProgramWindow(const ui::HandlerTable& handlers, const ui::WindowTemplate& windowTemplate) {
    app::registerControlKinds();
    if (!dispatch()) {
        dispatch() = std::make_unique<app::EventDispatch>();
        qApp->installEventFilter(dispatch().get());
    }
    QApplication::setWindowIcon(app::programIcon());
    const ui::HandlerTable table = handlers ? handlers : ui::HandlerTable(&app::programHandler);
    if (!ui::loadTemplate(windowTemplate, table) || !ui::loadWindow(ui::kMainWindow)) {
        throw std::runtime_error("the program's window did not load");
    }
    ui::Control& window = control(ui::kMainWindow);
    if (!QTest::qWaitForWindowExposed(&window)) {
        throw std::runtime_error("the program's window was never exposed");
    }
    settle();
    return window;
}

void closeProgramWindow() {
    if (ui::Control* window = ui::lookUpControl(ui::kMainWindow, ui::kMainWindow)) {
        QPointer<ui::Control> guard(window);
        window->close();
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 2000);
    }
    ui::endRun();
}

ui::Control& control(ui::ControlId id) { return ui::findControl(ui::kMainWindow, id); }

QImage grabProgramWindow() {
    return control(ui::kMainWindow).grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QPoint inWindow(ui::ControlId id, QPoint local) {
    return control(id).mapTo(&control(ui::kMainWindow), local);
}

void settle(int milliseconds) { QTest::qWait(milliseconds); }

}  // namespace tessvane::testing
