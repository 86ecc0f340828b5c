// The export on the program's window: the file "生成" writes (its layout, name, folder and
// pixels), names already taken, folders that cannot be written, the success message; and the
// pieces behind it: the snapshot's size rules and resampling, the BMP encoding, writeWholeFile.

#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <csignal>
#include <cstdint>
#include <optional>
#include <variant>

#include "canvas/canvas_commands.h"
#include "export/export_name.h"
#include "export/snapshot_canvas.h"
#include "export/write_whole_file.h"
#include "picture/decode/decode_picture.h"
#include "platform/colours.h"
#include "tests/gui/program_driver.h"
#include "ui/control_ids.h"
#include "ui/property_tables.h"
#include "ui/shell.h"

using namespace tessvane;
using namespace tessvane::ui;

Q_DECLARE_METATYPE(std::optional<QSize>)

namespace {

QRgb face() { return platform::faceColour().rgb(); }

QImage patternImage(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 5 + seed * 3) % 256, (x * y + seed * 11) % 256));
        }
    }
    return image;
}

ByteBuffer encoded(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return ByteBuffer(data.begin(), data.end());
}

ByteBuffer readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray data = file.readAll();
    return ByteBuffer(data.begin(), data.end());
}

std::uint32_t readU32(const ByteBuffer& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::uint32_t readU16(const ByteBuffer& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8;
}

// The pixel stored at offset as the colour it encodes (blue, green, red bytes).
QRgb storedPixel(const ByteBuffer& bytes, std::size_t offset) {
    return qRgb(bytes[offset + 2], bytes[offset + 1], bytes[offset]);
}

// A decoded picture's pixels as an image, for comparing.
QImage decodedImage(const decode::DecodedPicture& picture) {
    const auto* rgb = std::get_if<decode::RgbPixels>(&picture.pixels);
    if (rgb == nullptr) {
        return {};
    }
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = 3 * (static_cast<std::size_t>(y) * picture.width + x);
            image.setPixel(x, y, qRgb(rgb->rgb[at], rgb->rgb[at + 1], rgb->rgb[at + 2]));
        }
    }
    return image;
}

QImage canvasNow() { return canvas::canvasPixels(kMainWindow, kCanvas).convertToFormat(QImage::Format_RGB32); }

// Every message box that appears while it lives, recorded and closed with its first button.
class MessageBoxWatcher {
public:
    int seen = 0;
    QString text;
    QString caption;
    int buttonCount = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    bool hadParent = false;

    MessageBoxWatcher() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            ++seen;
            text = box->text();
            caption = box->windowTitle();
            buttonCount = static_cast<int>(box->buttons().size());
            icon = box->icon();
            modality = box->windowModality();
            hadParent = box->parentWidget() != nullptr;
            box->buttons().front()->click();
        });
        m_timer.start(20);
    }

private:
    QTimer m_timer;
};

void clickGenerate() {
    Control& window = testing::control(kMainWindow);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kGenerateButton, {50, 20}));
    testing::settle();
}

void clickMerge() {
    Control& window = testing::control(kMainWindow);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, testing::inWindow(kMergeButton, {50, 20}));
}

QStringList exportedFiles(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::System); }

// The name the next export draws, from a generator restarted at seed; the generator is
// restarted again so the export draws the same.
QString nameDrawnAfterSeed(std::uint32_t seed, int draws = 1) {
    exporter::reseedRandom(seed);
    std::string name;
    for (int i = 0; i < draws; ++i) {
        name = exporter::joinTexts({exporter::intToText(exporter::randomInRange(0, 100000)), ".jpg"});
    }
    exporter::reseedRandom(seed);
    return QString::fromStdString(name);
}

// A limit on the size of files this process writes, lifted when it goes; writing past it
// fails as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
};

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init();
    void cleanup();

    void neverDrawnCanvasGivesTheBmpOfTheTable();
    void exportNamesAreNumbersUpTo100000();
    void mergedCanvasDecodesBackToItsPixels();
    void fileLandsInTheCurrentFolder();
    void existingFileOfTheDrawnNameIsLeftAlone_data();
    void existingFileOfTheDrawnNameIsLeftAlone();
    void unwritableFolderFailsSilently_data();
    void unwritableFolderFailsSilently();
    void successMessage();

    void snapshotSizeRules_data();
    void snapshotSizeRules();
    void snapshotResampling_data();
    void snapshotResampling();
    void snapshotOfTheCanvasAtOtherSizes();
    void bmpEncodingPadsRowsAndRefusesShortPixels();
    void intToTextAndJoinTexts();
    void writeWholeFileWritesBuffersInOrder();
    void writeWholeFileRefusals();
    void writeThatComesShortRemovesThePartialFile();

private:
    std::optional<QTemporaryDir> m_folder;
    QString m_startFolder;
};

void ExportTest::init() {
    m_startFolder = QDir::currentPath();
    m_folder.emplace();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir::setCurrent(m_folder->path()));
    testing::loadProgramWindow();
}

void ExportTest::cleanup() {
    testing::closeProgramWindow();
    QDir::setCurrent(m_startFolder);
    m_folder.reset();
}

void ExportTest::neverDrawnCanvasGivesTheBmpOfTheTable() {
    const MessageBoxWatcher watcher;
    clickGenerate();
    QCOMPARE(watcher.seen, 1);
    const QStringList files = exportedFiles(m_folder->path());
    QCOMPARE(files.size(), 1);
    const ByteBuffer file = readFile(m_folder->filePath(files.front()));
    QCOMPARE(file.size(), std::size_t{30054});

    struct Field {
        const char* name;
        std::size_t offset;
        int size;
        std::uint32_t value;
    };
    constexpr Field kFields[] = {
        {"signature", 0, 2, 0x4D42},
        {"file size", 2, 4, 30054},
        {"reserved", 6, 2, 0},
        {"reserved", 8, 2, 0},
        {"pixel offset", 10, 4, 54},
        {"header size", 14, 4, 40},
        {"width", 18, 4, 100},
        {"height", 22, 4, 100},
        {"planes", 26, 2, 1},
        {"bits per pixel", 28, 2, 24},
        {"compression", 30, 4, 0},
        {"pixel bytes", 34, 4, 30000},
        {"horizontal resolution", 38, 4, 0},
        {"vertical resolution", 42, 4, 0},
        {"colours used", 46, 4, 0},
        {"important colours", 50, 4, 0},
    };
    for (const Field& field : kFields) {
        const std::uint32_t value = field.size == 2 ? readU16(file, field.offset) : readU32(file, field.offset);
        QVERIFY2(value == field.value, qPrintable(QStringLiteral("%1 at %2 is %3, expected %4")
                                                      .arg(field.name)
                                                      .arg(field.offset)
                                                      .arg(value)
                                                      .arg(field.value)));
    }
    for (std::size_t offset = 54; offset < file.size(); offset += 3) {
        if (storedPixel(file, offset) != face()) {
            QFAIL(qPrintable(QStringLiteral("pixel at offset %1 is not the face colour").arg(offset)));
        }
    }
}

void ExportTest::exportNamesAreNumbersUpTo100000() {
    const MessageBoxWatcher watcher;
    for (int i = 0; i < 5; ++i) {
        clickGenerate();
    }
    QCOMPARE(watcher.seen, 5);
    const QStringList files = exportedFiles(m_folder->path());
    QCOMPARE(files.size(), 5);
    const QRegularExpression name(QStringLiteral("^(0|[1-9][0-9]{0,5})\\.jpg$"));
    for (const QString& file : files) {
        QVERIFY2(name.match(file).hasMatch(), qPrintable(file));
        QVERIFY2(file.chopped(4).toInt() <= 100000, qPrintable(file));
    }
    // The numbers over many draws: within the range, both ends reachable in principle, and
    // spread (a generator stuck on one value would show here).
    int lowest = INT_MAX;
    int highest = INT_MIN;
    for (int i = 0; i < 20000; ++i) {
        const int n = exporter::randomInRange(0, 100000);
        lowest = std::min(lowest, n);
        highest = std::max(highest, n);
    }
    QVERIFY(lowest >= 0 && lowest < 1000);
    QVERIFY(highest <= 100000 && highest > 99000);
    QCOMPARE(exporter::randomInRange(7, 7), 7);
    const int swapped = exporter::randomInRange(10, 5);
    QVERIFY(swapped >= 5 && swapped <= 10);
}

void ExportTest::mergedCanvasDecodesBackToItsPixels() {
    ui::setProperty(kMainWindow, kLargePictureBox, picbox_property::picture, encoded(patternImage(100, 100, 3), "BMP"));
    clickMerge();
    const QImage canvas = canvasNow();
    const MessageBoxWatcher watcher;
    clickGenerate();
    const QStringList files = exportedFiles(m_folder->path());
    QCOMPARE(files.size(), 1);
    const ByteBuffer file = readFile(m_folder->filePath(files.front()));
    QCOMPARE(file.size(), std::size_t{30054});
    // Rows run bottom-up: the top-left pixel is in the last row, the bottom-left in the first.
    QCOMPARE(storedPixel(file, 29754), canvas.pixel(0, 0));
    QCOMPARE(storedPixel(file, 54), canvas.pixel(0, 99));
    QCOMPARE(storedPixel(file, 54 + 99 * 3), canvas.pixel(99, 99));

    // The program's own decoder reads the file back to the canvas's pixels; so does Qt's.
    const std::optional<decode::DecodedPicture> decoded = decode::decodePicture(file);
    QVERIFY(decoded.has_value());
    QCOMPARE(decoded->kind, decode::PictureKind::bmp);
    QCOMPARE(decodedImage(*decoded), canvas);
    QCOMPARE(QImage::fromData(file.data(), static_cast<int>(file.size()), "BMP").convertToFormat(QImage::Format_RGB32),
             canvas);
}

void ExportTest::fileLandsInTheCurrentFolder() {
    // As after choosing a picture in another folder: the export follows the current folder.
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("pictures")));
    const QString pictures = m_folder->filePath(QStringLiteral("pictures"));
    QVERIFY(QDir::setCurrent(pictures));
    const MessageBoxWatcher watcher;
    clickGenerate();
    QCOMPARE(exportedFiles(pictures).size(), 1);
    QCOMPARE(exportedFiles(m_folder->path()).size(), 0);
}

void ExportTest::existingFileOfTheDrawnNameIsLeftAlone_data() {
    QTest::addColumn<bool>("symbolicLink");
    QTest::newRow("a file of the user's") << false;
    QTest::newRow("a symbolic link planted under the name") << true;
}

void ExportTest::existingFileOfTheDrawnNameIsLeftAlone() {
    QFETCH(bool, symbolicLink);
    const QString taken = nameDrawnAfterSeed(42);
    const QString next = nameDrawnAfterSeed(42, 2);
    QVERIFY(taken != next);
    const QByteArray keep("the user's own file");
    const QString target = symbolicLink ? QStringLiteral("elsewhere.txt") : taken;
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(keep);
    }
    if (symbolicLink) {
        QVERIFY(QFile::link(target, taken));
    }
    const MessageBoxWatcher watcher;
    clickGenerate();
    QCOMPARE(watcher.seen, 1);
    // The taken name is untouched; the picture went under the next number drawn.
    QFile kept(target);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), keep);
    QCOMPARE(QFileInfo(taken).isSymLink(), symbolicLink);
    QCOMPARE(readFile(next).size(), std::size_t{30054});
}

void ExportTest::unwritableFolderFailsSilently_data() {
    QTest::addColumn<QString>("folder");
    QTest::newRow("a folder nobody can create files in") << QStringLiteral("/proc");
    QTest::newRow("a current folder that was removed") << QStringLiteral("removed");
}

void ExportTest::unwritableFolderFailsSilently() {
    QFETCH(QString, folder);
    if (folder == QLatin1String("removed")) {
        QVERIFY(QDir(m_folder->path()).mkdir(folder));
        QVERIFY(QDir::setCurrent(m_folder->filePath(folder)));
        QVERIFY(::rmdir(QFile::encodeName(m_folder->filePath(folder)).constData()) == 0);
    } else {
        QVERIFY(QDir::setCurrent(folder));
    }
    const MessageBoxWatcher watcher;
    clickGenerate();
    testing::settle(200);
    QCOMPARE(watcher.seen, 0);
}

void ExportTest::successMessage() {
    const MessageBoxWatcher watcher;
    clickGenerate();
    QCOMPARE(watcher.seen, 1);
    QCOMPARE(watcher.text, QStringLiteral("生成图片成功"));
    QCOMPARE(watcher.caption, QStringLiteral("信息："));
    QCOMPARE(watcher.buttonCount, 1);
    QCOMPARE(watcher.icon, QMessageBox::NoIcon);
    QCOMPARE(watcher.modality, Qt::ApplicationModal);
    QVERIFY(!watcher.hadParent);
}

void ExportTest::snapshotSizeRules_data() {
    QTest::addColumn<QSize>("source");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<std::optional<QSize>>("expected");
    const std::optional<QSize> none;
    QTest::newRow("the size asked for") << QSize(100, 100) << 100 << 100 << std::optional(QSize(100, 100));
    QTest::newRow("other sizes asked for") << QSize(100, 100) << 37 << 250 << std::optional(QSize(37, 250));
    QTest::newRow("0 is the source's size") << QSize(100, 80) << 0 << 0 << std::optional(QSize(100, 80));
    QTest::newRow("-50 is half") << QSize(100, 80) << -50 << -50 << std::optional(QSize(50, 40));
    QTest::newRow("-200 is double") << QSize(100, 80) << -200 << 0 << std::optional(QSize(200, 80));
    QTest::newRow("below 10 percent is 10") << QSize(100, 80) << -1 << -9 << std::optional(QSize(10, 8));
    QTest::newRow("12.5 rounds to 13") << QSize(25, 25) << -50 << -50 << std::optional(QSize(13, 13));
    QTest::newRow("12.4 rounds to 12") << QSize(31, 31) << -40 << -40 << std::optional(QSize(12, 12));
    QTest::newRow("0.3 rounds to nothing") << QSize(3, 100) << -10 << 0 << none;
    QTest::newRow("an empty source") << QSize(0, 0) << 0 << 0 << none;
    QTest::newRow("the largest percent") << QSize(100, 100) << INT_MIN << 0 << none;
}

void ExportTest::snapshotSizeRules() {
    QFETCH(QSize, source);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(std::optional<QSize>, expected);
    const std::optional<QSize> size = exporter::snapshotSize(source, width, height);
    QCOMPARE(size.has_value(), expected.has_value());
    if (expected) {
        QCOMPARE(*size, *expected);
    }
}

void ExportTest::snapshotResampling_data() {
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("quality");
    QTest::addColumn<QImage>("expected");

    QImage corners(2, 2, QImage::Format_RGB32);
    corners.setPixel(0, 0, qRgb(255, 0, 0));
    corners.setPixel(1, 0, qRgb(0, 255, 0));
    corners.setPixel(0, 1, qRgb(0, 0, 255));
    corners.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage repeated = corners.scaled(4, 4);  // each pixel a 2 × 2 block
    QImage average(1, 1, QImage::Format_RGB32);
    average.setPixel(0, 0, qRgb(128, 128, 128));

    const auto smooth = static_cast<int>(platform::StretchQuality::smooth);
    const auto drop = static_cast<int>(platform::StretchQuality::dropPixels);
    QTest::newRow("same size: one to one") << corners << QSize(2, 2) << smooth << corners;
    QTest::newRow("repeating whole pixels") << corners << QSize(4, 4) << drop << repeated;
    QTest::newRow("dropping whole pixels") << repeated << QSize(2, 2) << drop << corners;
    QTest::newRow("averaging blocks") << repeated << QSize(2, 2) << smooth << corners;
    QTest::newRow("averaging four colours") << corners << QSize(1, 1) << smooth << average;
}

void ExportTest::snapshotResampling() {
    QFETCH(QImage, source);
    QFETCH(QSize, size);
    QFETCH(int, quality);
    QFETCH(QImage, expected);
    const QImage pixels = exporter::snapshotPixels(source, size, static_cast<platform::StretchQuality>(quality));
    QCOMPARE(pixels.format(), QImage::Format_RGB888);
    QCOMPARE(pixels.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = pixels.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            // Averaging may round either way.
            QVERIFY2(std::abs(qRed(a) - qRed(e)) <= 1 && std::abs(qGreen(a) - qGreen(e)) <= 1 &&
                         std::abs(qBlue(a) - qBlue(e)) <= 1,
                     qPrintable(QStringLiteral("at (%1, %2): #%3").arg(x).arg(y).arg(a, 0, 16)));
        }
    }
}

void ExportTest::snapshotOfTheCanvasAtOtherSizes() {
    struct Case {
        const char* name;
        int width;
        int height;
        std::size_t fileBytes;
    };
    // Rows of 24-bit pixels are padded to 4 bytes: 50 pixels take 152 bytes, 13 take 40, 10 take 32.
    constexpr Case kCases[] = {
        {"its own size", 100, 100, 54 + 300 * 100},
        {"0: its own size", 0, 0, 54 + 300 * 100},
        {"half", -50, -50, 54 + 152 * 50},
        {"13 × 7", 13, 7, 54 + 40 * 7},
        {"at least 10 percent", -1, -5, 54 + 32 * 10},
        {"beyond the pixel limits", 100000, 100000, 0},
    };
    for (const Case& c : kCases) {
        const ByteBuffer file = exporter::snapshotCanvas(kMainWindow, kCanvas, c.width, c.height);
        QVERIFY2(file.size() == c.fileBytes, c.name);
    }
    // A control that is no canvas gives no snapshot.
    QVERIFY(exporter::snapshotCanvas(kMainWindow, kLargePictureBox, 100, 100).empty());
}

void ExportTest::bmpEncodingPadsRowsAndRefusesShortPixels() {
    // 3 × 2 pixels, top row first, in rows of 12 bytes (9 used, 3 bytes of stride slack).
    const std::uint8_t pixels[] = {
        1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE,  // top row: slack is not copied
        10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE,
    };
    const ByteBuffer file = exporter::encodeBmp24(3, 2, pixels, 12);
    // Rows of 9 bytes are padded to 12 with zeros.
    QCOMPARE(file.size(), std::size_t{54 + 12 * 2});
    QCOMPARE(readU32(file, 2), 54u + 24u);
    QCOMPARE(readU32(file, 34), 24u);
    const ByteBuffer rows(file.begin() + 54, file.end());
    const ByteBuffer expectedRows = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,  // the bottom row first
                                     3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0};
    QCOMPARE(rows, expectedRows);
    // Qt's reader and the program's decoder agree on the pixels.
    const QImage qt = QImage::fromData(file.data(), static_cast<int>(file.size()), "BMP");
    QCOMPARE(qt.pixel(0, 0), qRgb(1, 2, 3));
    QCOMPARE(qt.pixel(2, 1), qRgb(16, 17, 18));
    const std::optional<decode::DecodedPicture> decoded = decode::decodePicture(file);
    QVERIFY(decoded.has_value());
    QCOMPARE(decodedImage(*decoded), qt.convertToFormat(QImage::Format_RGB32));

    // Pixels that do not fill the size, or a stride shorter than a row, give nothing.
    QVERIFY(exporter::encodeBmp24(3, 2, std::span(pixels).first(12 + 8), 12).empty());
    QVERIFY(exporter::encodeBmp24(3, 2, pixels, 8).empty());
    QVERIFY(exporter::encodeBmp24(0, 2, pixels, 12).empty());
    QVERIFY(exporter::encodeBmp24(-3, 2, pixels, 12).empty());
    // Beyond the pixel limits nothing is allocated.
    QVERIFY(exporter::encodeBmp24(INT_MAX, INT_MAX, pixels, 12).empty());
}

void ExportTest::intToTextAndJoinTexts() {
    struct Case {
        std::int32_t n;
        const char* text;
    };
    constexpr Case kCases[] = {
        {0, "0"}, {7, "7"}, {100000, "100000"}, {-42, "-42"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const Case& c : kCases) {
        QCOMPARE(exporter::intToText(c.n), std::string(c.text));
    }
    QCOMPARE(exporter::joinTexts({"123", ".jpg"}), std::string("123.jpg"));
    QCOMPARE(exporter::joinTexts({{}, "a", {}, "生成"}), std::string("a生成"));
    QCOMPARE(exporter::joinTexts({}), std::string());
}

void ExportTest::writeWholeFileWritesBuffersInOrder() {
    const ByteBuffer first = {'a', 'b'};
    const ByteBuffer empty;
    const ByteBuffer second = {'c'};
    QVERIFY(exporter::writeWholeFile("parts.bin", {first, empty, second}));
    QCOMPARE(readFile(QStringLiteral("parts.bin")), (ByteBuffer{'a', 'b', 'c'}));
    // The file is created with the usual permissions, not locked once written.
    QVERIFY(QFileInfo(QStringLiteral("parts.bin")).isWritable());
    QVERIFY(exporter::writeWholeFile("nothing.bin", {empty}));
    QCOMPARE(QFileInfo(QStringLiteral("nothing.bin")).size(), 0);
}

void ExportTest::writeWholeFileRefusals() {
    const ByteBuffer bytes = {'x'};
    QVERIFY(!exporter::writeWholeFile("", {bytes}));
    QVERIFY(!exporter::writeWholeFile(std::string_view("a\0b", 3), {bytes}));
    QVERIFY(!QFileInfo::exists(QStringLiteral("a")));
    QVERIFY(!exporter::writeWholeFile("no/such/folder/file.bin", {bytes}));
    // An existing file is neither emptied nor written.
    QVERIFY(exporter::writeWholeFile("mine.bin", {bytes}));
    const ByteBuffer other = {'y', 'z'};
    QCOMPARE(exporter::writeNewFile("mine.bin", {other}), exporter::WriteOutcome::nameTaken);
    QVERIFY(!exporter::writeWholeFile("mine.bin", {other}));
    QCOMPARE(readFile(QStringLiteral("mine.bin")), bytes);
    QCOMPARE(exportedFiles(m_folder->path()), QStringList{QStringLiteral("mine.bin")});
}

void ExportTest::writeThatComesShortRemovesThePartialFile() {
    const ByteBuffer header(54, 'h');
    const ByteBuffer pixels(30000, 'p');
    {
        // Room for the header and part of the pixels only, as on a nearly full disk.
        const FileSizeLimit limit(1000);
        QCOMPARE(exporter::writeNewFile("short.jpg", {header, pixels}), exporter::WriteOutcome::failed);
    }
    QVERIFY(!QFileInfo::exists(QStringLiteral("short.jpg")));
    // The export fails as silently.
    const MessageBoxWatcher watcher;
    {
        const FileSizeLimit limit(1000);
        clickGenerate();
    }
    QCOMPARE(watcher.seen, 0);
    QCOMPARE(exportedFiles(m_folder->path()), QStringList());
}

QTEST_MAIN(ExportTest)
#include "export_test.moc"
