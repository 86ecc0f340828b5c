#include "picture/decode/draw_picture.h"

#include <QTest>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>

using tessvane::decode::BitPixels;
using tessvane::decode::DecodedPicture;
using tessvane::decode::drawPicture;
using tessvane::decode::DrawSurface;
using tessvane::decode::IconPixels;
using tessvane::decode::IndexedPixels;
using tessvane::decode::PictureKind;
using tessvane::decode::RgbPixels;
using tessvane::platform::StretchQuality;

Q_DECLARE_METATYPE(DecodedPicture)

namespace {

using PixelAt = std::function<QRgb(int x, int y)>;

constexpr QRgb kSurfaceColour = qRgb(1, 2, 3);
const QColor kForeground(255, 255, 255);
const QColor kBackground(212, 208, 200);

DecodedPicture rgbPicture(PictureKind kind, int width, int height, const PixelAt& pixel) {
    RgbPixels pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb colour = pixel(x, y);
            pixels.rgb.insert(pixels.rgb.end(),
                              {static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                               static_cast<std::uint8_t>(qBlue(colour))});
        }
    }
    return {.kind = kind, .width = width, .height = height, .pixels = std::move(pixels)};
}

// Colour index i is (i, 255 - i, 3 i), so every index has its own colour.
QRgb tableColour(int index) { return qRgb(index, 255 - index, (3 * index) % 256); }

// An indexed picture of the given natural size whose image (index (x + 5 y) % 256) may be
// smaller, as a GIF's first image on its logical screen.
DecodedPicture indexedPicture(PictureKind kind, int width, int height, int imageWidth, int imageHeight) {
    IndexedPixels pixels{.width = imageWidth, .height = imageHeight};
    for (int y = 0; y < imageHeight; ++y) {
        for (int x = 0; x < imageWidth; ++x) {
            pixels.indices.push_back(static_cast<std::uint8_t>((x + 5 * y) % 256));
        }
    }
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = tableColour(i);
        pixels.colours[static_cast<std::size_t>(i)] = {.red = static_cast<std::uint8_t>(qRed(colour)),
                                                       .green = static_cast<std::uint8_t>(qGreen(colour)),
                                                       .blue = static_cast<std::uint8_t>(qBlue(colour))};
    }
    return {.kind = kind, .width = width, .height = height, .pixels = std::move(pixels)};
}

// pcx1: bit (x, y) set where (x + y) % 3 == 0, rows padded to an even number of bytes.
bool pcx1Bit(int x, int y) { return (x + y) % 3 == 0; }

DecodedPicture bitPicture(int width, int height) {
    const int bytesPerRow = ((width + 15) / 16) * 2;
    BitPixels pixels{.bytesPerRow = bytesPerRow,
                     .bits = std::vector<std::uint8_t>(static_cast<std::size_t>(bytesPerRow * height), 0)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pcx1Bit(x, y)) {
                pixels.bits[static_cast<std::size_t>(y * bytesPerRow + x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return {.kind = PictureKind::pcx1, .width = width, .height = height, .pixels = std::move(pixels)};
}

DecodedPicture iconPicture(PictureKind kind, int width, int height, const PixelAt& pixel) {
    IconPixels pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.argb.push_back(pixel(x, y));
        }
    }
    return {.kind = kind, .width = width, .height = height, .pixels = std::move(pixels)};
}

// A distinct colour for every pixel of a small picture.
QRgb distinct(int x, int y) { return qRgb(10 + 20 * x, 200 - 15 * y, (x * y * 7) % 256); }

// An icon whose left column is transparent, whose top row is opaque and the rest opaque too.
QRgb iconPixel(int x, int y) { return x == 0 ? qRgba(90, 90, 90, 0) : qRgba(20 * x, 30 * y, 250, 255); }

QImage surfaceImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kSurfaceColour);
    return image;
}

void draw(QImage& target, const DecodedPicture& picture, QRect rect, StretchQuality quality) {
    QPainter painter(&target);
    DrawSurface surface{.painter = painter, .foreground = kForeground, .background = kBackground, .quality = quality};
    drawPicture(picture, surface, rect);
}

bool near(int a, int b, int tolerance) { return std::abs(a - b) <= tolerance; }

}  // namespace

class DrawPictureTest : public QObject {
    Q_OBJECT

private slots:
    void naturalSizeIsPixelForPixel_data() {
        QTest::addColumn<DecodedPicture>("picture");
        QTest::addColumn<int>("quality");

        // Each kind drawn smooth and dropping pixels: at its natural size neither resamples.
        for (const auto& [name, quality] :
             {std::pair{"smooth", StretchQuality::smooth}, std::pair{"drop pixels", StretchQuality::dropPixels}}) {
            const int q = static_cast<int>(quality);
            QTest::addRow("jpeg, %s", name) << rgbPicture(PictureKind::jpeg, 7, 5, distinct) << q;
            QTest::addRow("bmp, %s", name) << rgbPicture(PictureKind::bmp, 7, 5, distinct) << q;
            QTest::addRow("gif, %s", name) << indexedPicture(PictureKind::gif, 7, 5, 7, 5) << q;
            QTest::addRow("pcx8, %s", name) << indexedPicture(PictureKind::pcx8, 7, 5, 7, 5) << q;
            QTest::addRow("pcx1, %s", name) << bitPicture(19, 5) << q;
            QTest::addRow("icon, %s", name) << iconPicture(PictureKind::icon, 7, 5, iconPixel) << q;
            QTest::addRow("cursor, %s", name) << iconPicture(PictureKind::cursor, 7, 5, iconPixel) << q;
        }
    }

    // Drawn at (3, 2) in its natural size, each pixel comes out exactly, transparent icon
    // pixels leave the surface, and nothing outside the rectangle changes.
    void naturalSizeIsPixelForPixel() {
        QFETCH(DecodedPicture, picture);
        QFETCH(int, quality);
        QImage target = surfaceImage(30, 12);
        draw(target, picture, QRect(3, 2, picture.width, picture.height), static_cast<StretchQuality>(quality));

        const QRect area(3, 2, picture.width, picture.height);
        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                QRgb expected = kSurfaceColour;
                if (area.contains(x, y)) {
                    const int px = x - 3;
                    const int py = y - 2;
                    switch (picture.kind) {
                        case PictureKind::jpeg:
                        case PictureKind::bmp:
                            expected = distinct(px, py);
                            break;
                        case PictureKind::gif:
                        case PictureKind::pcx8:
                            expected = tableColour((px + 5 * py) % 256);
                            break;
                        case PictureKind::pcx1:
                            expected = (pcx1Bit(px, py) ? kBackground : kForeground).rgb();
                            break;
                        case PictureKind::icon:
                        case PictureKind::cursor:
                            expected = px == 0 ? kSurfaceColour : iconPixel(px, py);
                            break;
                    }
                }
                if (target.pixel(x, y) != expected) {
                    QFAIL(qPrintable(QString("pixel %1, %2 is %3, expected %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(target.pixel(x, y), 8, 16)
                                         .arg(expected, 8, 16)));
                }
            }
        }
    }

    // 200 × 100 into 100 × 100: each column is the average of the two source columns it
    // covers; rows stay as they were.
    void squeezedWidthAveragesColumnPairs() {
        // Red rises by column, green alternates 0 / 200 by column, blue rises by row.
        const auto source = [](int x, int y) { return qRgb(x, (x % 2) * 200, 2 * y); };
        const DecodedPicture picture = rgbPicture(PictureKind::bmp, 200, 100, source);

        QImage smooth = surfaceImage(100, 100);
        draw(smooth, picture, QRect(0, 0, 100, 100), StretchQuality::smooth);
        QImage dropped = surfaceImage(100, 100);
        draw(dropped, picture, QRect(0, 0, 100, 100), StretchQuality::dropPixels);

        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QRgb averaged = smooth.pixel(x, y);
                QVERIFY2(
                    near(qRed(averaged), 2 * x, 1) && near(qGreen(averaged), 100, 1) && near(qBlue(averaged), 2 * y, 1),
                    qPrintable(QString("smooth pixel %1, %2 is %3").arg(x).arg(y).arg(averaged, 8, 16)));
                // Dropping pixels keeps one of the two source columns as it is.
                const QRgb kept = dropped.pixel(x, y);
                QVERIFY(kept == source(2 * x, y) || kept == source(2 * x + 1, y));
            }
        }
    }

    // 10 × 10 to 100 × 100: dropping pixels repeats each source pixel as an exact 10 × 10
    // block; smooth stretching interpolates between neighbours instead.
    void enlargedTenTimesBlocksOrInterpolates() {
        // Red rises with the column, green with the row.
        const auto source = [](int x, int y) { return qRgb(25 * x, 25 * y, 77); };
        const DecodedPicture picture = rgbPicture(PictureKind::jpeg, 10, 10, source);

        QImage dropped = surfaceImage(100, 100);
        draw(dropped, picture, QRect(0, 0, 100, 100), StretchQuality::dropPixels);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                QCOMPARE(dropped.pixel(x, y), source(x / 10, y / 10));
            }
        }

        QImage smooth = surfaceImage(100, 100);
        draw(smooth, picture, QRect(0, 0, 100, 100), StretchQuality::smooth);
        std::set<int> reds;
        int previousRed = -1;
        for (int x = 0; x < 100; ++x) {
            const int red = qRed(smooth.pixel(x, 50));
            QVERIFY2(red >= previousRed, "an enlarged gradient keeps rising");
            previousRed = red;
            reds.insert(red);
        }
        QVERIFY2(reds.size() > 20, "interpolation gives more steps than the ten source columns");
        QVERIFY(near(qRed(smooth.pixel(0, 0)), 0, 2) && near(qRed(smooth.pixel(99, 0)), 225, 2));
    }

    // An icon stretched over a surface blends through its mask: its transparent column keeps
    // the surface, its opaque pixels cover it.
    void iconStretchedThroughItsMask() {
        const DecodedPicture picture = iconPicture(PictureKind::icon, 4, 4, iconPixel);
        QImage target = surfaceImage(20, 20);
        draw(target, picture, QRect(2, 2, 16, 16), StretchQuality::dropPixels);
        for (int y = 2; y < 18; ++y) {
            for (int x = 2; x < 18; ++x) {
                const int px = (x - 2) / 4;
                const int py = (y - 2) / 4;
                QCOMPARE(target.pixel(x, y), px == 0 ? kSurfaceColour : iconPixel(px, py));
            }
        }
        QCOMPARE(target.pixel(1, 1), kSurfaceColour);
        QCOMPARE(target.pixel(18, 18), kSurfaceColour);
    }

    // A half-transparent icon pixel is blended with what the surface shows.
    void iconBlendsPartlyTransparentPixels() {
        const DecodedPicture picture =
            iconPicture(PictureKind::cursor, 1, 1, [](int, int) { return qRgba(255, 255, 255, 128); });
        QImage target = surfaceImage(1, 1);
        target.fill(qRgb(0, 0, 0));
        draw(target, picture, QRect(0, 0, -1, -1), StretchQuality::smooth);
        QVERIFY(near(qRed(target.pixel(0, 0)), 128, 2));
    }

    // The two colours of a pcx1 picture are the surface's: 0 bits foreground, 1 bits
    // background, and they cover the surface even stretched.
    void pcx1TakesTheSurfaceColours() {
        const DecodedPicture picture = bitPicture(3, 1);  // bits 1 0 0
        QImage target = surfaceImage(6, 2);
        QPainter painter(&target);
        DrawSurface surface{.painter = painter,
                            .foreground = QColor(0, 0, 255),
                            .background = QColor(0, 255, 0),
                            .quality = StretchQuality::dropPixels};
        drawPicture(picture, surface, QRect(0, 0, 6, 2));
        painter.end();
        for (int y = 0; y < 2; ++y) {
            QCOMPARE(target.pixel(0, y), qRgb(0, 255, 0));
            QCOMPARE(target.pixel(1, y), qRgb(0, 255, 0));
            for (int x = 2; x < 6; ++x) {
                QCOMPARE(target.pixel(x, y), qRgb(0, 0, 255));
            }
        }
    }

    void minusOneStandsForTheNaturalSide_data() {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("covered");
        QTest::newRow("both natural") << QRect(5, 4, -1, -1) << QRect(5, 4, 7, 5);
        QTest::newRow("natural width") << QRect(5, 4, -1, 10) << QRect(5, 4, 7, 10);
        QTest::newRow("natural height") << QRect(5, 4, 3, -1) << QRect(5, 4, 3, 5);
    }

    // Exactly the rectangle with the natural side where -1 is given is covered.
    void minusOneStandsForTheNaturalSide() {
        QFETCH(QRect, rect);
        QFETCH(QRect, covered);
        const DecodedPicture picture = rgbPicture(PictureKind::bmp, 7, 5, [](int, int) { return qRgb(9, 99, 199); });
        QImage target = surfaceImage(30, 30);
        draw(target, picture, rect, StretchQuality::smooth);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                QCOMPARE(target.pixel(x, y), covered.contains(x, y) ? qRgb(9, 99, 199) : kSurfaceColour);
            }
        }
    }

    void gifFirstImageAtTheTopLeftOfItsScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("image");
        QTest::newRow("image smaller than the screen") << QSize(8, 6) << QSize(3, 2);
        QTest::newRow("image reaching past the screen") << QSize(4, 3) << QSize(6, 5);
        QTest::newRow("image as wide, less high") << QSize(5, 6) << QSize(5, 1);
    }

    // A GIF's natural size is its logical screen; the first image sits at its top-left corner,
    // cut at the screen's edges, and the rest of the screen takes colour index 0 of the table.
    void gifFirstImageAtTheTopLeftOfItsScreen() {
        QFETCH(QSize, screen);
        QFETCH(QSize, image);
        const DecodedPicture picture =
            indexedPicture(PictureKind::gif, screen.width(), screen.height(), image.width(), image.height());
        QImage target = surfaceImage(10, 10);
        draw(target, picture, QRect(0, 0, -1, -1), StretchQuality::smooth);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                QRgb expected = kSurfaceColour;
                if (x < screen.width() && y < screen.height()) {
                    expected = x < image.width() && y < image.height() ? tableColour(x + 5 * y) : tableColour(0);
                }
                QCOMPARE(target.pixel(x, y), expected);
            }
        }
    }

    // An opaque copy whatever the caller's painter was set to, and the painter is handed back
    // as it was given.
    void copiesOpaquelyAndLeavesThePainterAsItWas() {
        const DecodedPicture picture = rgbPicture(PictureKind::jpeg, 4, 4, distinct);
        QImage target(4, 4, QImage::Format_ARGB32_Premultiplied);
        target.fill(qRgba(0, 0, 0, 0));
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        DrawSurface surface{.painter = painter};
        drawPicture(picture, surface, QRect(0, 0, 4, 4));
        QCOMPARE(painter.compositionMode(), QPainter::CompositionMode_Multiply);
        QVERIFY(!painter.testRenderHint(QPainter::SmoothPixmapTransform));
        painter.end();
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                QCOMPARE(target.pixel(x, y), distinct(x, y));
            }
        }
    }

    // Whatever falls outside the surface is cut off: drawn at (-3, -2), the surface's corner
    // shows the picture's pixel (3, 2).
    void clippedToTheSurface() {
        const DecodedPicture picture = rgbPicture(PictureKind::bmp, 7, 5, distinct);
        QImage target = surfaceImage(6, 4);
        draw(target, picture, QRect(-3, -2, -1, -1), StretchQuality::smooth);
        QCOMPARE(target.pixel(0, 0), distinct(3, 2));
        QCOMPARE(target.pixel(3, 2), distinct(6, 4));
        QCOMPARE(target.pixel(4, 2), kSurfaceColour);
        QCOMPARE(target.pixel(3, 3), kSurfaceColour);
    }

    // A rectangle far larger than the surface is still drawn, without a stretched copy of
    // the whole rectangle.
    void hugeRectangleCoversTheSurface() {
        const DecodedPicture picture = rgbPicture(PictureKind::bmp, 2, 2, [](int, int) { return qRgb(40, 50, 60); });
        QImage target = surfaceImage(20, 20);
        draw(target, picture, QRect(-50000, -50000, 100000, 100000), StretchQuality::smooth);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                QCOMPARE(target.pixel(x, y), qRgb(40, 50, 60));
            }
        }
    }

    void nothingDrawnWithoutAnImage_data() {
        QTest::addColumn<DecodedPicture>("picture");
        QTest::addColumn<QRect>("rect");
        const QRect natural(0, 0, -1, -1);

        DecodedPicture shortRgb = rgbPicture(PictureKind::jpeg, 4, 4, distinct);
        std::get<RgbPixels>(shortRgb.pixels).rgb.pop_back();
        QTest::newRow("pixels shorter than the size") << shortRgb << natural;

        DecodedPicture wrongPixels = indexedPicture(PictureKind::gif, 4, 4, 4, 4);
        wrongPixels.kind = PictureKind::bmp;
        QTest::newRow("pixels of another kind") << wrongPixels << natural;

        DecodedPicture noSize = rgbPicture(PictureKind::bmp, 4, 4, distinct);
        noSize.width = 0;
        QTest::newRow("zero width") << noSize << natural;

        QTest::newRow("zero-sized rectangle") << rgbPicture(PictureKind::bmp, 4, 4, distinct) << QRect(0, 0, 0, 4);
        QTest::newRow("negative rectangle") << rgbPicture(PictureKind::bmp, 4, 4, distinct) << QRect(0, 0, 4, -3);
    }

    void nothingDrawnWithoutAnImage() {
        QFETCH(DecodedPicture, picture);
        QFETCH(QRect, rect);
        QImage target = surfaceImage(8, 8);
        draw(target, picture, rect, StretchQuality::smooth);
        QCOMPARE(target, surfaceImage(8, 8));
    }
};

QTEST_MAIN(DrawPictureTest)
#include "draw_picture_test.moc"
