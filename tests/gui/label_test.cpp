// The two label kinds' painting from their properties: effects, borders, the gradient frame,
// alignment and wrapping. Each label is built alone from a record of its own.

#include "platform/colours.h"
#include "ui/label.h"
#include "ui/property_tables.h"
#include "ui/window_template.h"

#include <QApplication>
#include <QTest>

using namespace tessvane;
using namespace tessvane::ui;

namespace {

constexpr ControlRecord kLabelRecord{.id = 0x16019001, .kind = ControlKind::label, .name = "标签9",
                                     .width = 120, .height = 40, .flags = control_flag::visible};

QImage paint(Label& label) { return label.grab().toImage().convertToFormat(QImage::Format_RGB32); }

int count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            found += test(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return found;
}

// The bounding box of pixels that pass test.
QRect extent(const QImage& image, const std::function<bool(QColor)>& test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (test(image.pixelColor(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

class LabelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void effects_data();
    void effects();
    void alignment_data();
    void alignment();
    void borderFiveIsASingleBlackLine();
    void gradientFrameIsAtLeastFivePixels();
    void wrappedTextStaysInsideTheLabel();
};

void LabelTest::effects_data() {
    QTest::addColumn<int>("effect");
    QTest::addColumn<bool>("white");
    QTest::addColumn<bool>("black");
    QTest::newRow("plain") << 0 << false << false;
    QTest::newRow("raised") << 1 << true << false;
    QTest::newRow("sunken") << 2 << true << false;
    QTest::newRow("shadowed") << 3 << false << true;
}

void LabelTest::effects() {
    QFETCH(int, effect);
    QFETCH(bool, white);
    QFETCH(bool, black);
    Label label(kLabelRecord, kMainWindow, nullptr);
    label.setControlProperty(label_property::text, std::string("W标签"));
    label.setControlProperty(label_property::textColor, Colour{0x000000FF});  // red
    label.setControlProperty(label_property::effect, std::int32_t{effect});
    const QImage image = paint(label);
    const QRect all = image.rect();
    QVERIFY(count(image, all, [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }) > 10);
    QCOMPARE(count(image, all, [](QColor c) { return c == Qt::white; }) > 5, white);
    QCOMPARE(count(image, all, [](QColor c) { return c.lightness() < 40; }) > 5, black);
}

void LabelTest::alignment_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<QRect>("region");  // where the text must lie
    QTest::newRow("left top") << 0 << 0 << QRect(0, 0, 60, 20);
    QTest::newRow("centred middle") << 1 << 1 << QRect(30, 10, 60, 20);
    QTest::newRow("right bottom") << 2 << 2 << QRect(60, 20, 60, 20);
}

void LabelTest::alignment() {
    QFETCH(int, alignment);
    QFETCH(int, vertical);
    QFETCH(QRect, region);
    Label label(kLabelRecord, kMainWindow, nullptr);
    label.setControlProperty(label_property::text, std::string("标签"));
    label.setControlProperty(label_property::alignment, std::int32_t{alignment});
    label.setControlProperty(label_property::verticalAlignment, std::int32_t{vertical});
    const QRect text = extent(paint(label), [](QColor c) { return c.lightness() < 100; });
    QVERIFY(!text.isEmpty());
    QVERIFY2(region.contains(text), qPrintable(QStringLiteral("text at %1,%2 %3×%4")
                                                   .arg(text.x()).arg(text.y()).arg(text.width()).arg(text.height())));
}

void LabelTest::borderFiveIsASingleBlackLine() {
    Label label(kLabelRecord, kMainWindow, nullptr);
    label.setControlProperty(label_property::text, std::string());
    label.setControlProperty(label_property::border, std::int32_t{5});
    const QImage image = paint(label);
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(image.pixelColor(119, 39), QColor(Qt::black));
    QCOMPARE(image.pixelColor(60, 0), QColor(Qt::black));
    QCOMPARE(image.pixelColor(1, 1), platform::faceColour());
}

void LabelTest::gradientFrameIsAtLeastFivePixels() {
    Label label(kLabelRecord, kMainWindow, nullptr);
    label.setControlProperty(label_property::text, std::string());
    label.setControlProperty(label_property::border, std::int32_t{6});
    label.setControlProperty(label_property::gradientFrameWidth, std::int32_t{2});  // below 5 counts as 5
    label.setControlProperty(label_property::gradientFrameColour1, Colour{0x000000FF});
    label.setControlProperty(label_property::gradientFrameColour2, Colour{0x0000FF00});
    label.setControlProperty(label_property::gradientFrameColour3, Colour{0x00FF0000});
    const QImage image = paint(label);
    QCOMPARE(image.pixelColor(0, 20), QColor(255, 0, 0));  // outer ring
    QCOMPARE(image.pixelColor(4, 20), QColor(0, 0, 255));  // inner ring, the fifth pixel
    QCOMPARE(image.pixelColor(5, 20), platform::faceColour());
}

void LabelTest::wrappedTextStaysInsideTheLabel() {
    Label label(kLabelRecord, kMainWindow, nullptr);
    label.resize(120, 80);
    label.setControlProperty(label_property::text, std::string("一二三四五六七八九十一二三四五六七八九十"));
    label.setControlProperty(label_property::wordWrap, true);
    const QRect text = extent(paint(label), [](QColor c) { return c.lightness() < 100; });
    QVERIFY(text.right() < 120);
    QVERIFY2(text.height() > 20, "the text did not wrap onto a second line");
    QVERIFY(text.top() < 6);  // wrapped text starts at the top
}

QTEST_MAIN(LabelTest)
#include "label_test.moc"
