// The embedded built-in picture and program icon: their exact file layout, what they show,
// and that Qt's own readers and the program's decoder see the same pixels in them.

#include "assets/assets.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <cstdint>
#include <optional>
#include <variant>

#include "picture/decode/decode_picture.h"

using namespace tessvane;

namespace {

// Little-endian fields of a file the test owns; a field past the end reads as none so that a
// short file fails the comparison instead of reading outside the array.
std::optional<std::uint32_t> field(const QByteArray& bytes, qsizetype offset, int width) {
    if (offset < 0 || offset + width > bytes.size()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes.at(offset + i));
    }
    return value;
}

std::uint32_t u8(const QByteArray& bytes, qsizetype offset) { return field(bytes, offset, 1).value_or(0xDEADBEEF); }
std::uint32_t u16(const QByteArray& bytes, qsizetype offset) { return field(bytes, offset, 2).value_or(0xDEADBEEF); }
std::uint32_t u32(const QByteArray& bytes, qsizetype offset) { return field(bytes, offset, 4).value_or(0xDEADBEEF); }

constexpr int kPhoneWidth = 30;
constexpr int kPhoneHeight = 45;
constexpr int kPixelOffset = 54;
constexpr int kRowBytes = 92;  // 30 × 3 pixel bytes, padded to a multiple of 4

// A pixel of the built-in picture read straight from its bytes (rows stored bottom-up).
QRgb phonePixel(const QByteArray& bmp, int x, int y) {
    const qsizetype at = kPixelOffset + static_cast<qsizetype>(kPhoneHeight - 1 - y) * kRowBytes + 3 * x;
    return qRgb(static_cast<int>(u8(bmp, at + 2)), static_cast<int>(u8(bmp, at + 1)), static_cast<int>(u8(bmp, at)));
}

int brightness(QRgb colour) { return qRed(colour) + qGreen(colour) + qBlue(colour); }

struct IconEntry {
    int size;
    std::uint32_t bytes;
    std::uint32_t offset;
};

// The three images in directory order; each offset follows the 6-byte header, the 3 × 16-byte
// directory and the images before it.
constexpr IconEntry kIconEntries[] = {
    {.size = 16, .bytes = 296, .offset = 54},
    {.size = 32, .bytes = 744, .offset = 350},
    {.size = 48, .bytes = 1640, .offset = 1094},
};
constexpr qsizetype kIconFileBytes = 54 + 296 + 744 + 1640;

// Rows of the colour image and of the AND mask, each padded to a multiple of 4 bytes.
int paddedRow(int size, int bitsPerPixel) { return (size * bitsPerPixel + 31) / 32 * 4; }

// One icon image decoded by the test itself from its 4-bit colour image, 16-entry palette and
// AND mask, as unpremultiplied ARGB, top row first. Where the mask is set the pixel is
// transparent and its colour index is reported in blackUnderMask.
struct ParsedIcon {
    QImage image;
    bool blackUnderMask = true;
    QList<QRgb> palette;
};

ParsedIcon parseIconImage(const QByteArray& ico, const IconEntry& entry) {
    const qsizetype base = entry.offset;
    const int size = entry.size;
    ParsedIcon parsed{.image = QImage(size, size, QImage::Format_ARGB32), .blackUnderMask = true, .palette = {}};
    for (int i = 0; i < 16; ++i) {
        const qsizetype at = base + 40 + 4 * i;
        parsed.palette.append(
            qRgb(static_cast<int>(u8(ico, at + 2)), static_cast<int>(u8(ico, at + 1)), static_cast<int>(u8(ico, at))));
    }
    const qsizetype xorStart = base + 40 + 64;
    const qsizetype andStart = xorStart + static_cast<qsizetype>(paddedRow(size, 4)) * size;
    for (int y = 0; y < size; ++y) {
        const int stored = size - 1 - y;  // both bitmaps are bottom-up
        for (int x = 0; x < size; ++x) {
            const std::uint32_t pair = u8(ico, xorStart + stored * paddedRow(size, 4) + x / 2);
            const std::uint32_t index = x % 2 == 0 ? pair >> 4 : pair & 0x0Fu;
            const std::uint32_t maskByte = u8(ico, andStart + stored * paddedRow(size, 1) + x / 8);
            const bool transparent = ((maskByte >> (7 - x % 8)) & 1u) != 0;
            if (transparent) {
                parsed.blackUnderMask = parsed.blackUnderMask && index == 0;
                parsed.image.setPixel(x, y, qRgba(0, 0, 0, 0));
            } else {
                parsed.image.setPixel(x, y, parsed.palette.value(static_cast<int>(index)));
            }
        }
    }
    return parsed;
}

// Compares two ARGB images: alpha everywhere, colour where the pixel is not transparent.
void compareIconPixels(const QImage& actual, const QImage& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const QRgb got = actual.pixel(x, y);
            const QByteArray where = QByteArray("pixel ") + QByteArray::number(x) + "," + QByteArray::number(y);
            QVERIFY2(qAlpha(got) == qAlpha(want), where.constData());
            if (qAlpha(want) != 0) {
                QVERIFY2((got & 0xFFFFFFu) == (want & 0xFFFFFFu), where.constData());
            }
        }
    }
}

ByteBuffer toByteBuffer(const QByteArray& bytes) { return ByteBuffer(bytes.begin(), bytes.end()); }

}  // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void builtInPictureHeader_data();
    void builtInPictureHeader();
    void builtInPictureRowsArePadded();
    void builtInPictureShowsThePhone();
    void builtInPictureReadsTheSameInQt();
    void builtInPictureDecodesAsAnyPicture();

    void iconDirectory_data();
    void iconDirectory();
    void iconImagesFollowEachOther();
    void iconMatchesQtsReader_data();
    void iconMatchesQtsReader();
    void iconShowsTheSquare_data();
    void iconShowsTheSquare();
    void iconDecodesAtThirtyTwo();
};

void AssetsTest::builtInPictureHeader_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("width");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("signature BM") << 0 << 2 << quint32{0x4D42};
    QTest::newRow("file size") << 2 << 4 << quint32{4194};
    QTest::newRow("first reserved word") << 6 << 2 << quint32{0};
    QTest::newRow("second reserved word") << 8 << 2 << quint32{0};
    QTest::newRow("pixel data offset") << 10 << 4 << quint32{54};
    QTest::newRow("information header size") << 14 << 4 << quint32{40};
    QTest::newRow("width") << 18 << 4 << quint32{30};
    QTest::newRow("height positive, bottom-up") << 22 << 4 << quint32{45};
    QTest::newRow("planes") << 26 << 2 << quint32{1};
    QTest::newRow("bits per pixel") << 28 << 2 << quint32{24};
    QTest::newRow("no compression") << 30 << 4 << quint32{0};
    QTest::newRow("image size") << 34 << 4 << quint32{4140};
    QTest::newRow("horizontal pixels per metre") << 38 << 4 << quint32{3780};
    QTest::newRow("vertical pixels per metre") << 42 << 4 << quint32{3780};
    QTest::newRow("colours used") << 46 << 4 << quint32{0};
    QTest::newRow("important colours") << 50 << 4 << quint32{0};
}

void AssetsTest::builtInPictureHeader() {
    QFETCH(int, offset);
    QFETCH(int, width);
    QFETCH(quint32, expected);
    const QByteArray bmp = assets::builtInPictureBytes();
    QCOMPARE(bmp.size(), 4194);
    const std::optional<std::uint32_t> value = field(bmp, offset, width);
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void AssetsTest::builtInPictureRowsArePadded() {
    const QByteArray bmp = assets::builtInPictureBytes();
    QCOMPARE(bmp.size(), kPixelOffset + kPhoneHeight * kRowBytes);
    for (int row = 0; row < kPhoneHeight; ++row) {
        const qsizetype padding = kPixelOffset + static_cast<qsizetype>(row) * kRowBytes + 3 * kPhoneWidth;
        QCOMPARE(u16(bmp, padding), 0u);
    }
}

void AssetsTest::builtInPictureShowsThePhone() {
    const QByteArray bmp = assets::builtInPictureBytes();
    QCOMPARE(bmp.size(), 4194);

    QSet<QRgb> colours;
    for (int y = 0; y < kPhoneHeight; ++y) {
        for (int x = 0; x < kPhoneWidth; ++x) {
            colours.insert(phonePixel(bmp, x, y));
        }
    }
    // Smooth shading, not a handful of flat fills.
    QVERIFY2(colours.size() >= 500, QByteArray::number(colours.size()).constData());

    const QRgb white = qRgb(255, 255, 255);
    QCOMPARE(phonePixel(bmp, 0, 0), white);
    QCOMPARE(phonePixel(bmp, kPhoneWidth - 1, 0), white);
    QCOMPARE(phonePixel(bmp, 0, kPhoneHeight - 1), white);
    QCOMPARE(phonePixel(bmp, kPhoneWidth - 1, kPhoneHeight - 1), white);

    // The body is black along the sides and below the screen; the gloss lights its upper left.
    for (const QPoint body : {QPoint(0, 22), QPoint(29, 22), QPoint(15, 0), QPoint(15, 42)}) {
        QVERIFY2(brightness(phonePixel(bmp, body.x(), body.y())) < 3 * 80, "body is not dark");
    }
    const QRgb gloss = phonePixel(bmp, 2, 2);
    QVERIFY(brightness(gloss) > 3 * 120);
    QVERIFY(std::abs(qRed(gloss) - qBlue(gloss)) < 24);  // grey, not tinted

    // The screen is red and orange, brighter at the top than at the bottom.
    const QRgb screenTop = phonePixel(bmp, 14, 10);
    const QRgb screenBottom = phonePixel(bmp, 14, 35);
    for (const QRgb screen : {screenTop, screenBottom, phonePixel(bmp, 4, 30), phonePixel(bmp, 25, 8)}) {
        QVERIFY(qRed(screen) > qGreen(screen));
        QVERIFY(qGreen(screen) >= qBlue(screen));
    }
    QVERIFY(qGreen(screenTop) > 100);  // orange
    QVERIFY(brightness(screenBottom) < brightness(screenTop) / 2);

    // The dark bar in the middle of the screen.
    QVERIFY(brightness(phonePixel(bmp, 15, 22)) < brightness(phonePixel(bmp, 15, 18)) / 3);
}

void AssetsTest::builtInPictureReadsTheSameInQt() {
    const QByteArray bmp = assets::builtInPictureBytes();
    const QImage image = QImage::fromData(bmp, "BMP");
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(kPhoneWidth, kPhoneHeight));
    for (int y = 0; y < kPhoneHeight; ++y) {
        for (int x = 0; x < kPhoneWidth; ++x) {
            QCOMPARE(image.pixel(x, y) | 0xFF000000u, phonePixel(bmp, x, y));
        }
    }
}

void AssetsTest::builtInPictureDecodesAsAnyPicture() {
    const QByteArray bmp = assets::builtInPictureBytes();
    const ByteBuffer bytes = toByteBuffer(bmp);
    const std::optional<decode::DecodedPicture> picture = decode::decodePicture(bytes);
    QVERIFY(picture.has_value());
    QCOMPARE(picture->kind, decode::PictureKind::bmp);
    QCOMPARE(picture->width, kPhoneWidth);
    QCOMPARE(picture->height, kPhoneHeight);
    const auto* pixels = std::get_if<decode::RgbPixels>(&picture->pixels);
    QVERIFY(pixels != nullptr);
    QCOMPARE(pixels->rgb.size(), std::size_t{kPhoneWidth * kPhoneHeight * 3});
    for (int y = 0; y < kPhoneHeight; ++y) {
        for (int x = 0; x < kPhoneWidth; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * kPhoneWidth + x) * 3;
            QCOMPARE(qRgb(pixels->rgb[at], pixels->rgb[at + 1], pixels->rgb[at + 2]), phonePixel(bmp, x, y));
        }
    }
}

void AssetsTest::iconDirectory_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("16 x 16") << 0;
    QTest::newRow("32 x 32") << 1;
    QTest::newRow("48 x 48") << 2;
}

void AssetsTest::iconDirectory() {
    QFETCH(int, index);
    const IconEntry& entry = kIconEntries[index];
    const QByteArray ico = assets::programIconBytes();
    QCOMPARE(ico.size(), kIconFileBytes);
    // Header: reserved 0, type 1 (icon), three images.
    QCOMPARE(u16(ico, 0), 0u);
    QCOMPARE(u16(ico, 2), 1u);
    QCOMPARE(u16(ico, 4), 3u);

    const qsizetype at = 6 + 16 * index;
    QCOMPARE(u8(ico, at), static_cast<std::uint32_t>(entry.size));      // width
    QCOMPARE(u8(ico, at + 1), static_cast<std::uint32_t>(entry.size));  // height
    QCOMPARE(u8(ico, at + 2), 16u);                                     // colour count
    QCOMPARE(u8(ico, at + 3), 0u);                                      // reserved
    QCOMPARE(u16(ico, at + 4), 1u);                                     // planes
    QCOMPARE(u16(ico, at + 6), 4u);                                     // bits per pixel
    QCOMPARE(u32(ico, at + 8), entry.bytes);
    QCOMPARE(u32(ico, at + 12), entry.offset);

    // The image's information header; its height counts the colour image and the mask.
    const qsizetype header = entry.offset;
    QCOMPARE(u32(ico, header), 40u);
    QCOMPARE(u32(ico, header + 4), static_cast<std::uint32_t>(entry.size));
    QCOMPARE(u32(ico, header + 8), static_cast<std::uint32_t>(2 * entry.size));
    QCOMPARE(u16(ico, header + 12), 1u);
    QCOMPARE(u16(ico, header + 14), 4u);
    QCOMPARE(u32(ico, header + 16), 0u);
    const int rows = (paddedRow(entry.size, 4) + paddedRow(entry.size, 1)) * entry.size;
    QCOMPARE(40 + 64 + rows, static_cast<int>(entry.bytes));
}

void AssetsTest::iconImagesFollowEachOther() {
    // Each image starts where the one before it ends, and the last ends with the file: no gaps,
    // no overlap, nothing past the end.
    const QByteArray ico = assets::programIconBytes();
    std::uint32_t expectedOffset = 6 + 16 * 3;
    for (int index = 0; index < 3; ++index) {
        const qsizetype at = 6 + 16 * index;
        QCOMPARE(u32(ico, at + 12), expectedOffset);
        expectedOffset += u32(ico, at + 8);
    }
    QCOMPARE(static_cast<qsizetype>(expectedOffset), ico.size());
}

void AssetsTest::iconMatchesQtsReader_data() { iconDirectory_data(); }

void AssetsTest::iconMatchesQtsReader() {
    QFETCH(int, index);
    if (!QImageReader::supportedImageFormats().contains("ico")) {
        QSKIP("Qt's ICO reader is not installed");
    }
    const IconEntry& entry = kIconEntries[index];
    QByteArray ico = assets::programIconBytes();
    const ParsedIcon parsed = parseIconImage(ico, entry);
    QVERIFY2(parsed.blackUnderMask, "a transparent pixel's colour is not black");

    QBuffer buffer(&ico);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "ico");
    QCOMPARE(reader.imageCount(), 3);
    QVERIFY(reader.jumpToImage(index));
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    compareIconPixels(image, parsed.image);
}

void AssetsTest::iconShowsTheSquare_data() { iconDirectory_data(); }

void AssetsTest::iconShowsTheSquare() {
    QFETCH(int, index);
    const IconEntry& entry = kIconEntries[index];
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb darkCyan = qRgb(0, 128, 128);
    const QRgb lightGrey = qRgb(192, 192, 192);
    const QRgb grey = qRgb(128, 128, 128);

    const ParsedIcon parsed = parseIconImage(assets::programIconBytes(), entry);
    for (const QRgb wanted : {black, white, darkCyan, lightGrey, grey}) {
        QVERIFY(parsed.palette.contains(wanted));
    }
    const QImage& image = parsed.image;
    const int last = entry.size - 1;
    QSet<QRgb> colours;
    for (int y = 0; y < entry.size; ++y) {
        for (int x = 0; x < entry.size; ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    QVERIFY(colours.contains(darkCyan));
    QVERIFY(colours.contains(white));
    if (entry.size == 16) {
        // The square fills the icon; only its rounded-off corners are transparent.
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        }
        QCOMPARE(image.pixel(0, 8), darkCyan);
        QCOMPARE(image.pixel(last, 8), darkCyan);
        QCOMPARE(image.pixel(8, last), darkCyan);
        // The white bar runs across the top of the square.
        QCOMPARE(image.pixel(8, 3), white);
    } else {
        // Opaque throughout: the square at the lower left on white with the swirl behind it.
        for (int y = 0; y < entry.size; ++y) {
            for (int x = 0; x < entry.size; ++x) {
                QCOMPARE(qAlpha(image.pixel(x, y)), 255);
            }
        }
        QVERIFY(colours.contains(lightGrey));
        QCOMPARE(image.pixel(2, last - 8), darkCyan);
        QCOMPARE(image.pixel(0, 0), white);
        QCOMPARE(image.pixel(last, last), white);
    }
}

void AssetsTest::iconDecodesAtThirtyTwo() {
    // The program's own decoder picks the 32 × 32, 16-colour image, the one Qt reads second.
    QByteArray ico = assets::programIconBytes();
    const ByteBuffer bytes = toByteBuffer(ico);
    const std::optional<decode::DecodedPicture> picture = decode::decodePicture(bytes);
    QVERIFY(picture.has_value());
    QCOMPARE(picture->kind, decode::PictureKind::icon);
    QCOMPARE(picture->width, 32);
    QCOMPARE(picture->height, 32);
    const auto* pixels = std::get_if<decode::IconPixels>(&picture->pixels);
    QVERIFY(pixels != nullptr);
    QCOMPARE(pixels->argb.size(), std::size_t{32 * 32});
    QImage decoded(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            decoded.setPixel(x, y, pixels->argb[static_cast<std::size_t>(y * 32 + x)]);
        }
    }
    compareIconPixels(decoded, parseIconImage(ico, kIconEntries[1]).image);
}

QTEST_MAIN(AssetsTest)
#include "assets_test.moc"
