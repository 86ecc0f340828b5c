// Input reaching the handlers: double-clicks on the labels, the clipped part of the small
// label, handlers that drop their input, the style in force before the first paint, and the
// window closing with Esc.

#include "app/handler_table.h"
#include "app/start_up.h"
#include "tests/gui/program_driver.h"
#include "ui/control_ids.h"
#include "ui/shell.h"

#include <QApplication>
#include <QPaintEvent>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <map>
#include <vector>

using namespace tessvane;
using namespace tessvane::ui;

namespace {

// Handlers that only count their calls; every name resolves.
struct CountingHandlers {
    std::map<HandlerName, int> calls;
    std::map<HandlerName, EventResult> results;

    HandlerTable table() {
        return [this](HandlerName name) -> EventHandler {
            return [this, name](const EventArgs&) {
                ++calls[name];
                if (name == HandlerName::applyVisualStyle) {
                    app::programHandler(name)({});
                }
                const auto found = results.find(name);
                return found != results.end() ? found->second : EventResult::deliver;
            };
        };
    }
};

// The main template with one more binding on one record.
struct TemplateWithExtraBinding {
    std::vector<ControlRecord> records;
    std::vector<EventBinding> events;
    WindowTemplate windowTemplate;

    TemplateWithExtraBinding(ControlId id, EventBinding extra) {
        const auto& original = mainWindowTemplate().records;
        records.assign(original.begin(), original.end());
        for (ControlRecord& record : records) {
            if (record.id == id) {
                events.assign(record.events.begin(), record.events.end());
                events.push_back(extra);
                record.events = events;
            }
        }
        windowTemplate.records = records;
    }
};

// Records the style in force at each control's first paint.
class FirstPaintWatcher : public QObject {
public:
    std::map<QObject*, QString> styleAtFirstPaint;
    std::map<QObject*, bool> windowVisibleWhenStyled;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !styleAtFirstPaint.contains(watched)) {
            styleAtFirstPaint[watched] = QString::fromLatin1(QApplication::style()->metaObject()->className());
        }
        return false;
    }
};

}  // namespace

class EventDispatchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void cleanup() { testing::closeProgramWindow(); }

    void doubleClickRunsItsHandlerOnce_data();
    void doubleClickRunsItsHandlerOnce();
    void clippedPartOfSmallLabelTakesNoClicks();
    void droppedPressNeverReachesTheButton();
    void buttonClickRunsItsHandler();
    void clicksWhileAModalBoxIsUpAreNotQueued();
    void styleIsOnBeforeTheFirstPaint();
    void escEndsTheRunWithZero();
};

void EventDispatchTest::doubleClickRunsItsHandlerOnce_data() {
    QTest::addColumn<quint32>("label");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("expectedLarge");
    QTest::addColumn<int>("expectedSmall");
    QTest::newRow("centre of the large box") << kLargePictureLabel << QPoint(50, 50) << 1 << 0;
    QTest::newRow("corner of the large box") << kLargePictureLabel << QPoint(1, 98) << 1 << 0;
    QTest::newRow("centre of the small box") << kSmallPictureLabel << QPoint(15, 22) << 0 << 1;
    QTest::newRow("last pixel of the small box") << kSmallPictureLabel << QPoint(29, 44) << 0 << 1;
}

void EventDispatchTest::doubleClickRunsItsHandlerOnce() {
    QFETCH(quint32, label);
    QFETCH(QPoint, at);
    QFETCH(int, expectedLarge);
    QFETCH(int, expectedSmall);
    CountingHandlers handlers;
    Control& window = testing::loadProgramWindow(handlers.table());
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(label, at));
    testing::settle();
    QCOMPARE(handlers.calls[HandlerName::loadLargePicture], expectedLarge);
    QCOMPARE(handlers.calls[HandlerName::loadSmallPicture], expectedSmall);
    QCOMPARE(handlers.calls[HandlerName::mergePictures], 0);
}

void EventDispatchTest::clippedPartOfSmallLabelTakesNoClicks() {
    CountingHandlers handlers;
    Control& window = testing::loadProgramWindow(handlers.table());
    // The label is 32 × 48 on a 30 × 45 box: its last two columns and three rows are cut off.
    for (const QPoint local : {QPoint(30, 10), QPoint(31, 47), QPoint(10, 46)}) {
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kSmallPictureBox, local));
    }
    testing::settle();
    QCOMPARE(handlers.calls[HandlerName::loadSmallPicture], 0);
    QCOMPARE(handlers.calls[HandlerName::loadLargePicture], 0);
}

void EventDispatchTest::droppedPressNeverReachesTheButton() {
    // A handler on the left press of 按钮1 that answers "drop": the button never sees the press,
    // so the release that follows is no click.
    const TemplateWithExtraBinding modified(kMergeButton,
                                            {common_event::leftButtonDown, HandlerName::loadLargePicture});
    CountingHandlers handlers;
    handlers.results[HandlerName::loadLargePicture] = EventResult::drop;
    Control& window = testing::loadProgramWindow(handlers.table(), modified.windowTemplate);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kMergeButton, {50, 20}));
    testing::settle();
    QCOMPARE(handlers.calls[HandlerName::loadLargePicture], 1);
    QCOMPARE(handlers.calls[HandlerName::mergePictures], 0);
}

void EventDispatchTest::buttonClickRunsItsHandler() {
    CountingHandlers handlers;
    Control& window = testing::loadProgramWindow(handlers.table());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kMergeButton, {50, 20}));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kGenerateButton, {5, 5}));
    // Pressed on the button but released outside it: no click.
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kMergeButton, {50, 20}));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(300, 150));
    // Enter does nothing; the space bar presses the focused button.
    Control& merge = testing::control(kMergeButton);
    merge.setFocus();
    QTest::keyClick(&merge, Qt::Key_Return);
    QTest::keyClick(&merge, Qt::Key_Space);
    testing::settle();
    QCOMPARE(handlers.calls[HandlerName::mergePictures], 2);
    QCOMPARE(handlers.calls[HandlerName::exportPicture], 1);
}

void EventDispatchTest::clicksWhileAModalBoxIsUpAreNotQueued() {
    CountingHandlers handlers;
    Control& window = testing::loadProgramWindow(handlers.table());
    QWindow* handle = window.windowHandle();
    const QPoint merge = testing::inWindow(kMergeButton, {50, 20});
    // While the box is up, clicks on the window go nowhere; then the box is closed.
    QTimer::singleShot(200, [&] {
        QTest::mouseClick(handle, Qt::LeftButton, {}, merge);
        QTest::mouseDClick(handle, Qt::LeftButton, {}, testing::inWindow(kLargePictureLabel, {50, 50}));
        QTimer::singleShot(100, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->close();
            }
        });
    });
    showMessageBox("生成图片成功", 0);
    testing::settle(100);
    QCOMPARE(handlers.calls[HandlerName::mergePictures], 0);
    QCOMPARE(handlers.calls[HandlerName::loadLargePicture], 0);
    // Afterwards the window takes clicks again.
    QTest::mouseClick(handle, Qt::LeftButton, {}, merge);
    testing::settle();
    QCOMPARE(handlers.calls[HandlerName::mergePictures], 1);
}

void EventDispatchTest::styleIsOnBeforeTheFirstPaint() {
    FirstPaintWatcher watcher;
    qApp->installEventFilter(&watcher);
    bool windowVisibleWhenStyled = true;
    CountingHandlers handlers;
    auto table = [&](HandlerName name) -> EventHandler {
        if (name == HandlerName::applyVisualStyle) {
            return [&, name](const EventArgs& args) {
                windowVisibleWhenStyled = lookUpControl(kMainWindow, kMainWindow)->isVisible();
                return handlers.table()(name)(args);
            };
        }
        return handlers.table()(name);
    };
    testing::loadProgramWindow(table);
    qApp->removeEventFilter(&watcher);
    QCOMPARE(handlers.calls[HandlerName::applyVisualStyle], 1);
    QVERIFY(!windowVisibleWhenStyled);
    for (const ControlId id : {kMergeButton, kGenerateButton}) {
        QObject* button = &testing::control(id);
        QVERIFY2(watcher.styleAtFirstPaint.contains(button), "button never painted");
        QCOMPARE(watcher.styleAtFirstPaint[button], QStringLiteral("tessvane::app::VisualStyle"));
    }
}

void EventDispatchTest::escEndsTheRunWithZero() {
    // The whole run, as start-up makes it; Esc on the focused button closes the window.
    QTimer::singleShot(300, [] {
        Control* merge = lookUpControl(kMainWindow, kMergeButton);
        QVERIFY(merge != nullptr);
        merge->setFocus();
        QTest::keyClick(merge, Qt::Key_Escape);
    });
    QTimer watchdog;  // should Esc not work
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    const int code = app::startUp(mainWindowTemplate(), kMainWindow, &app::programHandler);
    QCOMPARE(code, 0);
    QVERIFY(lookUpControl(kMainWindow, kMainWindow) == nullptr);
}

QTEST_MAIN(EventDispatchTest)
#include "event_dispatch_test.moc"
