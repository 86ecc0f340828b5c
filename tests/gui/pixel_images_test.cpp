#include "platform/pixel_images.h"

#include <QTest>

#include <array>
#include <cstdint>
#include <vector>

using tessvane::platform::iconImage;
using tessvane::platform::imageFromBits1;
using tessvane::platform::imageFromIndexed8;
using tessvane::platform::imageFromRgb24;

namespace {

// Entry i is a colour no other entry has, so a wrong index shows as a wrong colour.
std::array<QRgb, 256> distinctColours() {
    std::array<QRgb, 256> colours{};
    for (int i = 0; i < 256; ++i) {
        colours[static_cast<std::size_t>(i)] = qRgb(i, 255 - i, (i * 7) % 256);
    }
    return colours;
}

}  // namespace

class PixelImagesTest : public QObject {
    Q_OBJECT

private slots:
    // Each pixel lands at its own place in its own colour, and the image keeps no link to the
    // caller's bytes.
    void rgb24KeepsEveryPixelAndCopiesTheData() {
        // 3 × 2: rows of 9 bytes, red, green, blue.
        // clang-format off
        std::vector<std::uint8_t> rgb = {
            255, 0, 0,  0, 255, 0,  0, 0, 255,        // red, green, blue
            1, 2, 3,  250, 251, 252,  128, 64, 32,    // three mixed colours
        };
        // clang-format on
        const QImage image = imageFromRgb24(3, 2, rgb);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(2, 0), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(0, 1), qRgb(1, 2, 3));
        QCOMPARE(image.pixel(1, 1), qRgb(250, 251, 252));
        QCOMPARE(image.pixel(2, 1), qRgb(128, 64, 32));
        QVERIFY(!image.hasAlphaChannel());

        rgb.assign(rgb.size(), 0);
        QCOMPARE(image.pixel(2, 1), qRgb(128, 64, 32));
    }

    // Every one of the 256 entries is reachable, the last one included.
    void indexed8UsesAllTableEntries() {
        const std::array<QRgb, 256> colours = distinctColours();
        std::vector<std::uint8_t> indices(256);
        for (int i = 0; i < 256; ++i) {
            indices[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        }
        // 16 × 16, index y * 16 + x.
        const QImage image = imageFromIndexed8(16, 16, indices, colours);
        QVERIFY(!image.isNull());
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                QCOMPARE(image.pixel(x, y), colours[static_cast<std::size_t>(y * 16 + x)]);
            }
        }
        indices.assign(indices.size(), 0);
        QCOMPARE(image.pixel(15, 15), colours[255]);
    }

    // Rows are read bytesPerRow apart, the leftmost pixel in the top bit, and the padding
    // after each row's last pixel plays no part.
    void bits1ReadsPaddedRowsMostSignificantBitFirst() {
        const QColor zero(10, 20, 30);
        const QColor one(200, 210, 220);
        // 10 × 2, two bytes of bits and two of padding per row.
        const std::vector<std::uint8_t> bits = {
            0b1000'0000, 0b0100'0000, 0xFF, 0xFF,  // pixel 0 and pixel 9 set
            0b0111'1111, 0b1011'1111, 0x00, 0x00,  // the same pixels clear
        };
        const QImage image = imageFromBits1(10, 2, 4, bits, zero, one);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(10, 2));
        for (int x = 0; x < 10; ++x) {
            const bool edge = x == 0 || x == 9;
            QCOMPARE(image.pixel(x, 0), (edge ? one : zero).rgb());
            QCOMPARE(image.pixel(x, 1), (edge ? zero : one).rgb());
        }
    }

    // The alpha byte is kept as it is (not premultiplied), so a half-transparent pixel keeps
    // its full colour.
    void iconKeepsColourAndAlphaUnpremultiplied() {
        const std::vector<std::uint32_t> argb = {0xFF112233, 0x00FFFFFF, 0x80FF0000, 0x01020304};
        const QImage image = iconImage(2, 2, argb);
        QVERIFY(!image.isNull());
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        QCOMPARE(image.pixel(0, 0), QRgb{0xFF112233});
        QCOMPARE(image.pixel(1, 0), QRgb{0x00FFFFFF});
        QCOMPARE(image.pixel(0, 1), QRgb{0x80FF0000});
        QCOMPARE(image.pixel(1, 1), QRgb{0x01020304});
    }

    void refusesDataThatDoesNotFitItsSize_data() {
        QTest::addColumn<int>("kind");  // 0 rgb24, 1 indexed8, 2 bits1, 3 icon
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bytesPerRow");  // bits1 only
        QTest::addColumn<int>("elements");     // bytes, or 32-bit pixels for the icon

        QTest::newRow("rgb24 one byte short") << 0 << 4 << 3 << 0 << 4 * 3 * 3 - 1;
        QTest::newRow("rgb24 zero width") << 0 << 0 << 3 << 0 << 30;
        QTest::newRow("rgb24 negative height") << 0 << 4 << -3 << 0 << 30;
        QTest::newRow("rgb24 size whose byte count wraps") << 0 << 0x7FFFFFFF << 0x7FFFFFFF << 0 << 30;
        QTest::newRow("indexed8 one row short") << 1 << 5 << 5 << 0 << 20;
        QTest::newRow("indexed8 zero height") << 1 << 5 << 0 << 0 << 25;
        QTest::newRow("bits1 rows narrower than the width") << 2 << 17 << 2 << 2 << 8;
        QTest::newRow("bits1 zero bytes per row") << 2 << 8 << 2 << 0 << 8;
        QTest::newRow("bits1 last row missing") << 2 << 16 << 3 << 2 << 5;
        QTest::newRow("icon one pixel short") << 3 << 4 << 4 << 0 << 15;
        QTest::newRow("icon negative width") << 3 << -4 << 4 << 0 << 16;
    }

    // A null image, without reading outside the data.
    void refusesDataThatDoesNotFitItsSize() {
        QFETCH(int, kind);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bytesPerRow);
        QFETCH(int, elements);
        const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(elements), 0x5A);
        const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(elements), 0xFF5A5A5A);
        const std::array<QRgb, 256> colours = distinctColours();

        QImage image;
        switch (kind) {
            case 0:
                image = imageFromRgb24(width, height, bytes);
                break;
            case 1:
                image = imageFromIndexed8(width, height, bytes, colours);
                break;
            case 2:
                image = imageFromBits1(width, height, bytesPerRow, bytes, Qt::white, Qt::black);
                break;
            default:
                image = iconImage(width, height, pixels);
                break;
        }
        QVERIFY(image.isNull());
    }
};

QTEST_MAIN(PixelImagesTest)
#include "pixel_images_test.moc"
