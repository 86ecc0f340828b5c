// The merge on the program's window: what "合并" leaves on the canvas for each kind of picture,
// pictures that do not decode, the canvas clearing on a repaint and keeping its pixels
// otherwise, the picture registry, and drawOnCanvas at the edges of the canvas.

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <cstdint>
#include <variant>
#include <vector>

#include "app/handler_table.h"
#include "canvas/canvas_commands.h"
#include "canvas/picture_registry.h"
#include "platform/colours.h"
#include "tests/gui/program_driver.h"
#include "ui/control_ids.h"
#include "ui/property_tables.h"
#include "ui/runtime.h"
#include "ui/shell.h"

using namespace tessvane;
using namespace tessvane::ui;

namespace {

constexpr QRect kSmallArea(68, 55, 30, 45);

QRgb face() { return platform::faceColour().rgb(); }

// A picture whose every pixel differs from its neighbours, so a shifted or scaled copy shows.
QImage patternImage(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 5 + seed * 3) % 256, (x * y + seed * 11) % 256));
        }
    }
    return image;
}

// A picture made of blocks × blocks squares of one colour each: scaled by that factor, smooth
// or not, each pixel keeps its block's colour.
QImage blockImage(int width, int height, int blockWidth, int blockHeight, int seed) {
    const QImage small = patternImage(width / blockWidth, height / blockHeight, seed);
    return small.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

ByteBuffer encoded(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return ByteBuffer(data.begin(), data.end());
}

void putU16(ByteBuffer& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(ByteBuffer& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

// A 16 × 16 icon of 32 bits per pixel: its left half transparent, its right half opaque
// red. The alpha bytes and the AND mask say the same, so either way of reading the mask agrees.
ByteBuffer halfTransparentIcon() {
    constexpr int kSize = 16;
    constexpr std::uint32_t kMaskRowBytes = 4;  // 16 bits, padded to 32
    constexpr std::uint32_t kImageBytes = 40 + kSize * kSize * 4 + kSize * kMaskRowBytes;
    ByteBuffer ico;
    putU16(ico, 0);        // reserved
    putU16(ico, 1);        // type 1: icon
    putU16(ico, 1);        // one image
    ico.push_back(kSize);  // width
    ico.push_back(kSize);  // height
    ico.push_back(0);      // no colour table
    ico.push_back(0);      // reserved
    putU16(ico, 1);        // planes
    putU16(ico, 32);       // bits per pixel
    putU32(ico, kImageBytes);
    putU32(ico, 22);  // the image follows the 6-byte header and the 16-byte entry
    putU32(ico, 40);  // information header size
    putU32(ico, kSize);
    putU32(ico, 2 * kSize);  // the colour image and the mask
    putU16(ico, 1);
    putU16(ico, 32);
    for (int field = 0; field < 6; ++field) {
        putU32(ico, 0);  // no compression, size, resolutions, colours
    }
    // Colour image, bottom row first, blue, green, red, alpha.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool opaque = x >= kSize / 2;
            ico.insert(ico.end(), {0, 0, static_cast<std::uint8_t>(opaque ? 255 : 0),
                                   static_cast<std::uint8_t>(opaque ? 255 : 0)});
        }
    }
    // AND mask: 1 bits are transparent; the left 8 pixels of each row.
    for (int y = 0; y < kSize; ++y) {
        ico.insert(ico.end(), {0xFF, 0x00, 0x00, 0x00});
    }
    return ico;
}

// A 100 × 100 monochrome PCX (version 3, PC Paintbrush 2.8 without a palette, the version
// monochrome files are recognised by; run-length encoded, one plane of 1 bit, 14 bytes per
// line): 10 × 10 squares of 1 bits where (x / 10 + y / 10) is odd, 0 bits elsewhere.
bool pcxBitAt(int x, int y) { return (x / 10 + y / 10) % 2 == 1; }

ByteBuffer checkerMonochromePcx() {
    constexpr int kSize = 100;
    constexpr int kBytesPerLine = 14;  // 100 bits take 13 bytes, lines are even
    ByteBuffer pcx(128, 0);
    pcx[0] = 0x0A;            // manufacturer
    pcx[1] = 3;               // version
    pcx[2] = 1;               // run-length encoding
    pcx[3] = 1;               // bits per pixel
    pcx[8] = kSize - 1;       // x max, low byte
    pcx[10] = kSize - 1;      // y max, low byte
    pcx[12] = 72;             // horizontal resolution
    pcx[14] = 72;             // vertical resolution
    pcx[65] = 1;              // planes
    pcx[66] = kBytesPerLine;  // bytes per line, low byte
    pcx[68] = 1;              // palette information: colour
    for (int y = 0; y < kSize; ++y) {
        for (int byte = 0; byte < kBytesPerLine; ++byte) {
            std::uint8_t value = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < kSize && pcxBitAt(x, y)) {
                    value |= static_cast<std::uint8_t>(0x80 >> bit);
                }
            }
            // A byte with its two top bits set must go as a run of one.
            if ((value & 0xC0) == 0xC0) {
                pcx.push_back(0xC1);
            }
            pcx.push_back(value);
        }
    }
    return pcx;
}

QImage canvasNow() { return canvas::canvasPixels(kMainWindow, kCanvas).convertToFormat(QImage::Format_RGB32); }

// What the screen shows of the canvas: the window's pixels as the platform holds them.
QImage canvasOnScreen() {
    Control& window = testing::control(kMainWindow);
    const QPoint at = testing::inWindow(kCanvas, {0, 0});
    return window.screen()
        ->grabWindow(window.winId(), at.x(), at.y(), 100, 100)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage filled(QRgb colour) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Where two images of one size differ by more than tolerance in any channel; empty when nowhere.
QString firstDifference(const QImage& actual, const QImage& expected, int tolerance = 0) {
    if (actual.size() != expected.size()) {
        return QStringLiteral("size %1 × %2, expected %3 × %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            if (std::abs(qRed(a) - qRed(e)) > tolerance || std::abs(qGreen(a) - qGreen(e)) > tolerance ||
                std::abs(qBlue(a) - qBlue(e)) > tolerance) {
                return QStringLiteral("at (%1, %2): #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(a & 0xFFFFFF, 6, 16, QChar('0'))
                    .arg(e & 0xFFFFFF, 6, 16, QChar('0'));
            }
        }
    }
    return {};
}

// The canvas after a merge: the large picture over all of it, the small one in its place.
QImage expectedCanvas(const QImage& large, const QImage& small) {
    QImage expected = filled(face());
    QPainter painter(&expected);
    painter.drawImage(0, 0, large);
    painter.drawImage(kSmallArea.topLeft(), small);
    return expected;
}

void setPicture(ControlId box, ByteBuffer bytes) {
    setProperty(kMainWindow, box, picbox_property::picture, std::move(bytes));
}

QImage builtInPicture() {
    const PropertyValue value = getProperty(kMainWindow, kSmallPictureBox, picbox_property::picture);
    const ByteBuffer& bytes = std::get<ByteBuffer>(value);
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP").convertToFormat(QImage::Format_RGB32);
}

// Clicks "合并" as a person would; afterwards the registry holds nothing.
void clickMerge() {
    Control& window = testing::control(kMainWindow);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kMergeButton, {50, 20}));
    QCOMPARE(canvas::pictureRegistry().size(), std::size_t{0});
}

// Closes the message box "生成" shows, from the event loop the box runs.
void closeMessageBoxWhenShown() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->buttons().front()->click();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

// The one picture a click on "生成" writes into folder, decoded by Qt's own reader.
QImage clickGenerateAndRead(const QDir& folder) {
    closeMessageBoxWhenShown();
    Control& window = testing::control(kMainWindow);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kGenerateButton, {50, 20}));
    const QStringList files = folder.entryList({QStringLiteral("*.jpg")}, QDir::Files);
    if (files.size() != 1) {
        return {};
    }
    QFile file(folder.filePath(files.front()));
    file.open(QIODevice::ReadOnly);
    return QImage::fromData(file.readAll(), "BMP").convertToFormat(QImage::Format_RGB32);
}

// The program's handlers, with the canvas's repaint event bound to a recorder in place of
// the small label's double-click handler, which these tests never trigger.
struct RepaintRecorder {
    int calls = 0;
    EventArgs last;
    std::function<void()> onRepaint;
    std::vector<ControlRecord> records;
    std::vector<EventBinding> events;
    WindowTemplate windowTemplate;

    RepaintRecorder() {
        const auto& original = mainWindowTemplate().records;
        records.assign(original.begin(), original.end());
        for (ControlRecord& record : records) {
            if (record.id == kCanvas) {
                events.push_back({kCanvasRepaint, HandlerName::loadSmallPicture});
                record.events = events;
            }
        }
        windowTemplate.records = records;
    }

    HandlerTable table() {
        return [this](HandlerName name) -> EventHandler {
            if (name != HandlerName::loadSmallPicture) {
                return app::programHandler(name);
            }
            return [this](const EventArgs& args) {
                ++calls;
                last = args;
                if (onRepaint) {
                    onRepaint();
                }
                return EventResult::deliver;
            };
        };
    }
};

}  // namespace

class MergeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void cleanup() { testing::closeProgramWindow(); }

    void mergeStraightAfterStart();
    void composite_data();
    void composite();
    void iconDrawnThroughItsMask_data();
    void iconDrawnThroughItsMask();
    void monochromePcxInBrushAndBackgroundColours();
    void undecodableLargePictureKeepsTheEarlierOne_data();
    void undecodableLargePictureKeepsTheEarlierOne();
    void repaintClearsTheMerge_data();
    void repaintClearsTheMerge();
    void partialRepaintClearsOnlyItsAreaAndRaisesTheEvent();
    void drawFromTheRepaintEventStaysInTheRepaintedArea();
    void grabbingTheWindowKeepsTheCanvas();
    void drawOnCanvasAtTheEdges_data();
    void drawOnCanvasAtTheEdges();
    void registryRules();
};

void MergeTest::mergeStraightAfterStart() {
    testing::loadProgramWindow();
    QVERIFY2(firstDifference(canvasNow(), filled(face())).isEmpty(), "the canvas starts in the face colour");
    clickMerge();
    // Face colour everywhere, the built-in picture in columns 68 to 97 of rows 55 to 99; columns
    // 98 and 99 keep the face colour.
    const QImage expected = expectedCanvas(QImage(), builtInPicture());
    const QString held = firstDifference(canvasNow(), expected);
    QVERIFY2(held.isEmpty(), qPrintable(held));
    const QString shown = firstDifference(canvasOnScreen(), expected);
    QVERIFY2(shown.isEmpty(), qPrintable("on screen " + shown));
}

void MergeTest::composite_data() {
    QTest::addColumn<QImage>("large");
    QTest::addColumn<QImage>("small");
    QTest::addColumn<QImage>("expectedLarge");
    QTest::addColumn<QImage>("expectedSmall");
    QTest::addColumn<int>("tolerance");

    const QImage large = patternImage(100, 100, 1);
    const QImage small = patternImage(30, 45, 2);
    QTest::newRow("100 × 100 and 30 × 45 pixel for pixel") << large << small << large << small << 0;

    // Each pair of columns holds one colour, so halving the width keeps that colour.
    const QImage wide = blockImage(200, 100, 2, 1, 3);
    QTest::newRow("200 × 100 squeezed to half its width")
        << wide << small << wide.scaled(100, 100, Qt::IgnoreAspectRatio, Qt::FastTransformation) << small << 1;

    const QImage bigSmall = blockImage(60, 90, 2, 2, 4);
    QTest::newRow("60 × 90 small picture squeezed into 30 × 45")
        << large << bigSmall << large << bigSmall.scaled(30, 45, Qt::IgnoreAspectRatio, Qt::FastTransformation) << 1;
}

void MergeTest::composite() {
    QFETCH(QImage, large);
    QFETCH(QImage, small);
    QFETCH(QImage, expectedLarge);
    QFETCH(QImage, expectedSmall);
    QFETCH(int, tolerance);
    testing::loadProgramWindow();
    setPicture(kLargePictureBox, encoded(large, "BMP"));
    setPicture(kSmallPictureBox, encoded(small, "BMP"));
    clickMerge();
    const QImage expected = expectedCanvas(expectedLarge, expectedSmall);
    const QString held = firstDifference(canvasNow(), expected, tolerance);
    QVERIFY2(held.isEmpty(), qPrintable(held));
    const QString shown = firstDifference(canvasOnScreen(), canvasNow());
    QVERIFY2(shown.isEmpty(), qPrintable("the screen differs from the held pixels " + shown));
    // A second merge with the same pictures shows the same.
    clickMerge();
    QVERIFY(firstDifference(canvasNow(), expected, tolerance).isEmpty());
}

void MergeTest::iconDrawnThroughItsMask_data() {
    QTest::addColumn<bool>("earlierMerge");
    QTest::newRow("over the background") << false;
    QTest::newRow("over an earlier merge") << true;
}

void MergeTest::iconDrawnThroughItsMask() {
    QFETCH(bool, earlierMerge);
    testing::loadProgramWindow();
    const QImage earlier = patternImage(100, 100, 5);
    if (earlierMerge) {
        setPicture(kLargePictureBox, encoded(earlier, "BMP"));
        clickMerge();
    }
    setPicture(kLargePictureBox, halfTransparentIcon());
    clickMerge();
    const QImage canvas = canvasNow();
    // The icon is enlarged to 100 × 100: its transparent left half covers columns 0 to 49.
    // Columns near the edge between the halves blend as the scaling smooths the mask.
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (kSmallArea.contains(x, y) || (x > 40 && x < 60)) {
                continue;
            }
            const QRgb expected = x >= 60 ? qRgb(255, 0, 0) : (earlierMerge ? earlier.pixel(x, y) : face());
            if (canvas.pixel(x, y) != expected) {
                QFAIL(qPrintable(QStringLiteral("at (%1, %2): #%3").arg(x).arg(y).arg(canvas.pixel(x, y), 0, 16)));
            }
        }
    }
    QVERIFY(firstDifference(canvas.copy(kSmallArea), builtInPicture()).isEmpty());
}

void MergeTest::monochromePcxInBrushAndBackgroundColours() {
    testing::loadProgramWindow();
    setPicture(kLargePictureBox, checkerMonochromePcx());
    clickMerge();
    // 0 bits take the brush colour, white; 1 bits the background colour, the face colour.
    QImage expected(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            expected.setPixel(x, y, pcxBitAt(x, y) ? face() : qRgb(255, 255, 255));
        }
    }
    const QString difference = firstDifference(canvasNow(), expectedCanvas(expected, builtInPicture()));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void MergeTest::undecodableLargePictureKeepsTheEarlierOne_data() {
    QTest::addColumn<QByteArray>("bytes");
    const ByteBuffer png = encoded(patternImage(100, 100, 6), "PNG");
    const ByteBuffer bmp = encoded(patternImage(100, 100, 6), "BMP");
    QTest::newRow("PNG") << QByteArray(reinterpret_cast<const char*>(png.data()), static_cast<int>(png.size()));
    QTest::newRow("BMP cut off in its pixels")
        << QByteArray(reinterpret_cast<const char*>(bmp.data()), static_cast<int>(bmp.size() / 2));
    QTest::newRow("no picture") << QByteArray();
}

void MergeTest::undecodableLargePictureKeepsTheEarlierOne() {
    QFETCH(QByteArray, bytes);
    testing::loadProgramWindow();
    const QImage first = patternImage(100, 100, 7);
    setPicture(kLargePictureBox, encoded(first, "BMP"));
    clickMerge();
    // The large box now holds bytes that are no picture; the small one a new picture.
    setPicture(kLargePictureBox, ByteBuffer(bytes.begin(), bytes.end()));
    const QImage small = patternImage(30, 45, 8);
    setPicture(kSmallPictureBox, encoded(small, "BMP"));
    clickMerge();
    const QString difference = firstDifference(canvasNow(), expectedCanvas(first, small));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void MergeTest::repaintClearsTheMerge_data() {
    QTest::addColumn<int>("cause");
    QTest::newRow("an update of the canvas") << 0;
    QTest::newRow("hidden and shown again") << 1;
    QTest::newRow("resized and back") << 2;
    QTest::newRow("the window hidden and shown again") << 3;
}

void MergeTest::repaintClearsTheMerge() {
    QFETCH(int, cause);
    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir::setCurrent(folder.path()));
    testing::loadProgramWindow();
    setPicture(kLargePictureBox, encoded(patternImage(100, 100, 9), "BMP"));
    clickMerge();
    QVERIFY(!firstDifference(canvasNow(), filled(face())).isEmpty());

    Control& canvas = testing::control(kCanvas);
    Control& window = testing::control(kMainWindow);
    switch (cause) {
        case 0:
            canvas.update();
            break;
        case 1:
            canvas.hide();
            testing::settle();
            canvas.show();
            break;
        case 2:
            canvas.resize(50, 50);
            testing::settle();
            canvas.resize(100, 100);
            break;
        case 3:
            window.hide();
            testing::settle();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            break;
    }
    testing::settle();
    QVERIFY2(firstDifference(canvasNow(), filled(face())).isEmpty(), "the held pixels are not the background");
    QVERIFY2(firstDifference(canvasOnScreen(), filled(face())).isEmpty(), "the screen does not show the background");

    // An export now holds the background only.
    const QImage exported = clickGenerateAndRead(QDir(folder.path()));
    QVERIFY(!exported.isNull());
    const QString difference = firstDifference(exported, filled(face()));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void MergeTest::partialRepaintClearsOnlyItsAreaAndRaisesTheEvent() {
    RepaintRecorder recorder;
    testing::loadProgramWindow(recorder.table(), recorder.windowTemplate);
    QVERIFY(recorder.calls >= 1);  // the first showing
    const QImage large = patternImage(100, 100, 10);
    setPicture(kLargePictureBox, encoded(large, "BMP"));
    recorder.calls = 0;
    clickMerge();
    QCOMPARE(recorder.calls, 0);  // drawing raises no repaint

    const QRect area(10, 20, 30, 5);
    testing::control(kCanvas).update(area);
    testing::settle();
    QCOMPARE(recorder.calls, 1);
    QCOMPARE(recorder.last.x, area.left());
    QCOMPARE(recorder.last.y, area.top());
    QImage expected = expectedCanvas(large, builtInPicture());
    QPainter(&expected).fillRect(area, QColor::fromRgb(face()));
    const QString difference = firstDifference(canvasNow(), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QVERIFY(firstDifference(canvasOnScreen(), expected).isEmpty());
}

void MergeTest::drawFromTheRepaintEventStaysInTheRepaintedArea() {
    RepaintRecorder recorder;
    testing::loadProgramWindow(recorder.table(), recorder.windowTemplate);
    const QImage picture = patternImage(100, 100, 11);
    const canvas::PictureHandle handle = canvas::loadPicture(encoded(picture, "BMP"));
    QVERIFY(handle != canvas::kNoPicture);
    recorder.onRepaint = [handle] { canvas::drawOnCanvas(kMainWindow, kCanvas, handle, 0, 0, 100, 100); };

    const QRect area(40, 40, 20, 10);
    testing::control(kCanvas).update(area);
    testing::settle();
    canvas::releasePicture(handle);
    QImage expected = filled(face());
    QPainter(&expected).drawImage(area.topLeft(), picture.copy(area));
    const QString held = firstDifference(canvasNow(), expected);
    QVERIFY2(held.isEmpty(), qPrintable(held));
    const QString shown = firstDifference(canvasOnScreen(), expected);
    QVERIFY2(shown.isEmpty(), qPrintable("on screen " + shown));
}

void MergeTest::grabbingTheWindowKeepsTheCanvas() {
    testing::loadProgramWindow();
    const QImage large = patternImage(100, 100, 12);
    setPicture(kLargePictureBox, encoded(large, "BMP"));
    clickMerge();
    const QImage expected = expectedCanvas(large, builtInPicture());
    // Rendering the window into an image is no repaint of the screen.
    const QImage grabbed = testing::grabProgramWindow();
    const QPoint at = testing::inWindow(kCanvas, {0, 0});
    QVERIFY(firstDifference(grabbed.copy(QRect(at, QSize(100, 100))), expected).isEmpty());
    testing::settle();
    QVERIFY(firstDifference(canvasNow(), expected).isEmpty());
    QVERIFY(firstDifference(canvasOnScreen(), expected).isEmpty());
}

void MergeTest::drawOnCanvasAtTheEdges_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<QRect>("drawn");
    QTest::newRow("natural size for -1") << 5 << 6 << -1 << -1 << true << QRect(5, 6, 10, 10);
    QTest::newRow("cut off at the top left") << -5 << -3 << 10 << 10 << true << QRect(0, 0, 5, 7);
    QTest::newRow("cut off at the bottom right") << 95 << 97 << 10 << 10 << true << QRect(95, 97, 5, 3);
    QTest::newRow("wholly outside") << 100 << 0 << 10 << 10 << true << QRect();
    QTest::newRow("zero width") << 10 << 10 << 0 << 10 << true << QRect();
    QTest::newRow("negative height") << 10 << 10 << 10 << -7 << true << QRect();
    QTest::newRow("largest coordinates") << INT_MAX << INT_MAX << INT_MAX << INT_MAX << true << QRect();
    QTest::newRow("smallest coordinates") << INT_MIN << INT_MIN << INT_MAX << INT_MAX << true << QRect();
    QTest::newRow("handle 0") << 0 << 0 << 100 << 100 << false << QRect();
}

void MergeTest::drawOnCanvasAtTheEdges() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, registered);
    QFETCH(QRect, drawn);
    testing::loadProgramWindow();
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    const canvas::PictureHandle handle = registered ? canvas::loadPicture(encoded(red, "BMP")) : canvas::kNoPicture;
    canvas::drawOnCanvas(kMainWindow, kCanvas, handle, x, y, width, height);
    canvas::releasePicture(handle);
    QImage expected = filled(face());
    QPainter(&expected).fillRect(drawn, Qt::red);
    const QString difference = firstDifference(canvasNow(), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QVERIFY(firstDifference(canvasOnScreen(), expected).isEmpty());
}

void MergeTest::registryRules() {
    canvas::PictureRegistry& registry = canvas::pictureRegistry();
    QCOMPARE(registry.size(), std::size_t{0});
    const ByteBuffer bmp = encoded(patternImage(4, 4, 13), "BMP");
    QCOMPARE(canvas::loadPicture({}), canvas::kNoPicture);
    QCOMPARE(canvas::loadPicture(encoded(patternImage(4, 4, 13), "PNG")), canvas::kNoPicture);
    QCOMPARE(registry.size(), std::size_t{0});

    // The same bytes loaded twice are two pictures, each decoded afresh.
    const canvas::PictureHandle first = canvas::loadPicture(bmp);
    const canvas::PictureHandle second = canvas::loadPicture(bmp);
    QVERIFY(first != canvas::kNoPicture && second != canvas::kNoPicture && first != second);
    QVERIFY(registry.contains(first) && registry.contains(second));
    QVERIFY(!registry.contains(canvas::kNoPicture));
    QCOMPARE(registry.size(), std::size_t{2});

    canvas::releasePicture(first);
    canvas::releasePicture(first);  // no longer held: ignored
    canvas::releasePicture(canvas::kNoPicture);
    QVERIFY(!registry.contains(first));
    QVERIFY(registry.contains(second));

    // The end of the run frees what is still held, in this run and in the next.
    endRun();
    QCOMPARE(registry.size(), std::size_t{0});
    QVERIFY(canvas::loadPicture(bmp) != canvas::kNoPicture);
    endRun();
    QCOMPARE(registry.size(), std::size_t{0});
}

QTEST_MAIN(MergeTest)
#include "merge_test.moc"
