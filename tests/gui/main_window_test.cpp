// The main window as the template builds it: every control in its place, the texts and
// colours on screen, the property values handlers rely on, and the style in force from the
// first paint.

#include "platform/colours.h"
#include "tests/gui/program_driver.h"
#include "ui/control_ids.h"
#include "ui/property_tables.h"
#include "ui/shell.h"
#include "ui/window.h"
#include "ui/window_template.h"

#include <QApplication>
#include <QProcess>
#include <QStyle>
#include <QTest>

#include <string>

using namespace tessvane;
using namespace tessvane::ui;

namespace {

// Colours within a small distance, for pixels the font's antialiasing touches.
bool near(QRgb a, QColor b, int tolerance) {
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init() { testing::loadProgramWindow(); }
    void cleanup() { testing::closeProgramWindow(); }

    void controlGeometry_data();
    void controlGeometry();
    void creationOrderAndSiblingOrder();
    void windowFrameAndPlacement();
    void propertiesBeforeAnythingIsChosen();
    void textsAndColoursOnScreen();
    void instructionsTextIs256BytesInCodePage936();
    void buttonsAreTabStopsAndNothingElse();
};

void MainWindowTest::controlGeometry_data() {
    QTest::addColumn<quint32>("id");
    QTest::addColumn<quint32>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::newRow("画板1") << kCanvas << kMainWindow << QRect(376, 24, 100, 100) << true;
    QTest::newRow("图片框1") << kLargePictureBox << kMainWindow << QRect(40, 24, 100, 100) << true;
    QTest::newRow("图片框2") << kSmallPictureBox << kMainWindow << QRect(240, 48, 30, 45) << true;
    QTest::newRow("按钮1") << kMergeButton << kMainWindow << QRect(40, 168, 104, 40) << true;
    QTest::newRow("按钮2") << kGenerateButton << kMainWindow << QRect(376, 168, 112, 40) << true;
    QTest::newRow("标签1") << kInstructionsLabel << kMainWindow << QRect(8, 216, 496, 136) << true;
    QTest::newRow("通用对话框1") << kFileDialog << kMainWindow << QRect(232, 136, 24, 24) << false;
    QTest::newRow("透明标签1") << kLargePictureLabel << kLargePictureBox << QRect(0, 0, 100, 100) << true;
    QTest::newRow("透明标签2") << kSmallPictureLabel << kSmallPictureBox << QRect(0, 0, 32, 48) << true;
}

void MainWindowTest::controlGeometry() {
    QFETCH(quint32, id);
    QFETCH(quint32, parent);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    Control& item = testing::control(id);
    QCOMPARE(item.geometry(), geometry);
    QCOMPARE(item.parentWidget(), &testing::control(parent));
    QCOMPARE(item.isVisible(), visible);
    QCOMPARE(std::get<std::int32_t>(getProperty(kMainWindow, id, common_property::width)), geometry.width());
    QCOMPARE(std::get<std::int32_t>(getProperty(kMainWindow, id, common_property::height)), geometry.height());
}

void MainWindowTest::creationOrderAndSiblingOrder() {
    // Controls are made from the last record back, 10 apart from 100.
    const std::pair<ControlId, int> created[] = {
        {kCanvas, 100},        {kLargePictureBox, 110}, {kSmallPictureBox, 120},   {kMergeButton, 130},
        {kGenerateButton, 140}, {kInstructionsLabel, 150}, {kFileDialog, 160}, {kLargePictureLabel, 170},
        {kSmallPictureLabel, 180}};
    for (const auto& [id, childId] : created) {
        QCOMPARE(testing::control(id).platformChildId(), childId);
    }

    // The toolkit lists children bottom to top.
    QList<ControlId> bottomToTop;
    for (QObject* child : testing::control(kMainWindow).children()) {
        if (auto* item = qobject_cast<Control*>(child)) {
            bottomToTop.append(item->controlId());
        }
    }
    const QList<ControlId> expected = {kCanvas,         kLargePictureBox,   kSmallPictureBox, kMergeButton,
                                       kGenerateButton, kInstructionsLabel, kFileDialog};
    QCOMPARE(bottomToTop, expected);
}

void MainWindowTest::windowFrameAndPlacement() {
    auto& window = static_cast<Window&>(testing::control(kMainWindow));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tessvane"));
    QCOMPARE(window.frameGeometry().size(), QSize(512, 393));
    QCOMPARE(window.minimumSize(), window.maximumSize());  // not resizable
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    // The big icon is the 32 × 32 image, the small one the 16 × 16 image.
    QList<QSize> iconSizes = window.windowIcon().availableSizes();
    std::sort(iconSizes.begin(), iconSizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(iconSizes, (QList<QSize>{QSize(16, 16), QSize(32, 32)}));

    QCOMPARE(window.placementFor(QSize(1024, 768)), QPoint(256, 187));
    QCOMPARE(window.placementFor(QSize(1920, 1080)), QPoint(704, 343));
    const QSize screen = QApplication::primaryScreen()->size();
    QCOMPARE(window.frameGeometry().topLeft(), window.placementFor(screen));
}

void MainWindowTest::propertiesBeforeAnythingIsChosen() {
    QVERIFY(std::get<ByteBuffer>(getProperty(kMainWindow, kLargePictureBox, picbox_property::picture)).empty());
    const auto builtIn = std::get<ByteBuffer>(getProperty(kMainWindow, kSmallPictureBox, picbox_property::picture));
    QCOMPARE(builtIn.size(), std::size_t{4194});
    QCOMPARE(builtIn[0], std::uint8_t{'B'});
    QCOMPARE(builtIn[1], std::uint8_t{'M'});
    QVERIFY(std::get<std::string>(getProperty(kMainWindow, kFileDialog, commondlg_property::fileName)).empty());
    QCOMPARE(std::get<std::int32_t>(getProperty(kMainWindow, kLargePictureBox, common_property::width)), 100);
    QCOMPARE(std::get<std::int32_t>(getProperty(kMainWindow, kLargePictureBox, common_property::height)), 100);
    QCOMPARE(std::get<std::string>(getProperty(kMainWindow, kMergeButton, button_property::text)), std::string("合并"));
    QCOMPARE(std::get<std::string>(getProperty(kMainWindow, kGenerateButton, button_property::text)), std::string("生成"));
}

void MainWindowTest::textsAndColoursOnScreen() {
    const QImage shot = testing::grabProgramWindow();
    const QColor face = platform::faceColour();
    const QColor violet(144, 0, 255);

    // The client area is white where no control covers it.
    QCOMPARE(QColor(shot.pixel(4, 4)), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(200, 150)), QColor(Qt::white));

    // The canvas shows only the face colour.
    const QRect canvas(376, 24, 100, 100);
    QCOMPARE(countPixels(shot, canvas, [&](QRgb p) { return QColor(p) == face; }), 100 * 100);

    // The large box is face colour with black text centred over it.
    const QRect largeBox(40, 24, 100, 100);
    const int dark = countPixels(shot, largeBox, [](QRgb p) { return qGray(p) < 80; });
    QVERIFY2(dark > 30, "no text on the large picture box");
    QCOMPARE(QColor(shot.pixel(42, 26)), face);
    QVERIFY(countPixels(shot, QRect(40, 24, 100, 30), [](QRgb p) { return qGray(p) < 80; }) == 0);

    // The instructions: violet text on the face colour, from the top, wrapped within the label.
    const QRect label(8, 216, 496, 136);
    QCOMPARE(QColor(shot.pixel(label.right() - 1, label.bottom() - 1)), face);
    const int violetPixels = countPixels(shot, label, [&](QRgb p) { return near(p, violet, 30); });
    QVERIFY2(violetPixels > 500, qPrintable(QString("only %1 violet pixels").arg(violetPixels)));
    // The text starts with an empty line, so the very top row band of the label holds no text.
    QCOMPARE(countPixels(shot, QRect(8, 216, 496, 6), [&](QRgb p) { return near(p, violet, 60); }), 0);
    // Wrapped within the label, and all of it fits: the last paragraph shows in its lowest band.
    QVERIFY(countPixels(shot, QRect(8, 320, 496, 32), [&](QRgb p) { return near(p, violet, 60); }) > 50);
    QCOMPARE(countPixels(shot, QRect(504, 216, 8, 136), [&](QRgb p) { return near(p, violet, 60); }), 0);
}

void MainWindowTest::instructionsTextIs256BytesInCodePage936() {
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"),
                                          QStringLiteral("CP936")});
    QVERIFY(iconv.waitForStarted());
    iconv.write(kInstructionsText.data(), static_cast<qint64>(kInstructionsText.size()));
    iconv.closeWriteChannel();
    QVERIFY(iconv.waitForFinished());
    QCOMPARE(iconv.exitCode(), 0);
    QCOMPARE(iconv.readAllStandardOutput().size(), 256);
}

void MainWindowTest::buttonsAreTabStopsAndNothingElse() {
    Control& merge = testing::control(kMergeButton);
    Control& generate = testing::control(kGenerateButton);
    merge.setFocus();
    QTRY_VERIFY(merge.hasFocus());
    QTest::keyClick(&merge, Qt::Key_Tab);
    QTRY_VERIFY(generate.hasFocus());
    QTest::keyClick(&generate, Qt::Key_Tab);
    QTRY_VERIFY(merge.hasFocus());
    QTest::keyClick(&merge, Qt::Key_Backtab);
    QTRY_VERIFY(generate.hasFocus());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
