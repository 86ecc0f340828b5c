#include "picture/decode/bmp_decoder.h"

#include "tests/unit/decode/picture_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <variant>
#include <vector>

namespace tessvane::decode {
namespace {

using test::BmpFields;
using test::makeBmp;
using test::paddedRows;

std::vector<Rgb> rgbOf(const DecodedPicture& picture) {
    const auto& bytes = std::get<RgbPixels>(picture.pixels).rgb;
    std::vector<Rgb> out;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        out.push_back(Rgb{.red = bytes[i], .green = bytes[i + 1], .blue = bytes[i + 2]});
    }
    return out;
}

std::vector<Rgb> table(std::size_t count, Rgb (*colourOf)(std::size_t)) {
    std::vector<Rgb> colours;
    for (std::size_t i = 0; i < count; ++i) {
        colours.push_back(colourOf(i));
    }
    return colours;
}

Rgb colour4(std::size_t i) {
    return {static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i)};
}
Rgb colour8(std::size_t i) {
    return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2)};
}

constexpr Rgb kDark{10, 20, 30};
constexpr Rgb kLight{200, 100, 50};

// A 3 × 2 picture at each depth: 3 pixels make every row need padding.
struct DepthCase {
    std::string name;
    std::uint16_t bitsPerPixel;
    std::vector<Rgb> colours;
    std::vector<std::vector<std::uint8_t>> storedRows;  // bottom row first
    std::vector<Rgb> expected;                          // top row first
};

class BmpDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BmpDepthTest, DecodesEveryPixelTopRowFirst) {
    const DepthCase& c = GetParam();
    BmpFields fields;
    fields.dib = {.width = 3, .height = 2, .bitsPerPixel = c.bitsPerPixel};
    fields.colours = c.colours;
    fields.pixelData = paddedRows(c.storedRows);
    const auto result = decodeBmp(makeBmp(fields));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->kind, PictureKind::bmp);
    EXPECT_EQ(result->width, 3);
    EXPECT_EQ(result->height, 2);
    EXPECT_EQ(rgbOf(result.value()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BmpDepthTest,
    ::testing::Values(
        // Leftmost pixel in the most significant bit: bottom 1 0 1, top 0 1 1.
        DepthCase{"oneBit", 1, {kDark, kLight}, {{0xA0}, {0x60}}, {kDark, kLight, kLight, kLight, kDark, kLight}},
        // Leftmost pixel in the high nibble: bottom 1 2 15, top 0 14 3.
        DepthCase{"fourBits",
                  4,
                  table(16, colour4),
                  {{0x12, 0xF0}, {0x0E, 0x30}},
                  {colour4(0), colour4(14), colour4(3), colour4(1), colour4(2), colour4(15)}},
        DepthCase{"eightBits",
                  8,
                  table(256, colour8),
                  {{7, 200, 255}, {0, 1, 128}},
                  {colour8(0), colour8(1), colour8(128), colour8(7), colour8(200), colour8(255)}},
        // Stored blue, green, red.
        DepthCase{"twentyFourBits",
                  24,
                  {},
                  {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}},
                  {{12, 11, 10}, {15, 14, 13}, {18, 17, 16}, {3, 2, 1}, {6, 5, 4}, {9, 8, 7}}},
        // The fourth byte of each pixel, whatever it holds, plays no part.
        DepthCase{"thirtyTwoBits",
                  32,
                  {},
                  {{1, 2, 3, 0xFF, 4, 5, 6, 0x00, 7, 8, 9, 0x80}, {10, 11, 12, 0, 13, 14, 15, 0x7F, 16, 17, 18, 1}},
                  {{12, 11, 10}, {15, 14, 13}, {18, 17, 16}, {3, 2, 1}, {6, 5, 4}, {9, 8, 7}}}),
    [](const auto& row) { return row.param.name; });

TEST(BmpColourTable, ColoursUsedSmallerThanTheDepthReadsOnlyThoseEntries) {
    // Two entries for an 8-bit picture: the pixels start right after them, and index 2,
    // beyond the table read, shows black rather than a stray byte of pixel data.
    BmpFields fields;
    fields.dib = {.width = 3, .height = 1, .bitsPerPixel = 8, .coloursUsed = 2};
    fields.colours = {kDark, kLight};
    fields.pixelData = paddedRows({{1, 0, 2}});
    const ByteBuffer file = makeBmp(fields);
    ASSERT_EQ(file.size(), 54U + 8 + 4);
    const auto result = decodeBmp(file);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(rgbOf(result.value()), (std::vector<Rgb>{kLight, kDark, Rgb{}}));
}

TEST(BmpColourTable, ColoursUsedBeyond256MustBeCoveredByTheOffset) {
    BmpFields fields;
    fields.dib = {.width = 2, .height = 1, .bitsPerPixel = 8, .coloursUsed = 300};
    fields.colours = table(300, colour8);
    fields.pixelData = paddedRows({{255, 3}});
    const auto result = decodeBmp(makeBmp(fields));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(rgbOf(result.value()), (std::vector<Rgb>{colour8(255), colour8(3)}));

    // An offset that covers 256 entries but not the 300 the header declares.
    fields.pixelOffset = 54 + 4 * 256;
    EXPECT_EQ(decodeBmp(makeBmp(fields)).failure(), DecodeFailure::badHeader);
}

TEST(BmpOffset, BytesBetweenTableAndPixelsAreSkipped) {
    BmpFields fields;
    fields.dib = {.width = 1, .height = 1, .bitsPerPixel = 1};
    fields.colours = {kDark, kLight};
    fields.gap = 10;
    fields.pixelData = paddedRows({{0x80}});
    const auto result = decodeBmp(makeBmp(fields));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(rgbOf(result.value()), std::vector<Rgb>{kLight});
}

TEST(BmpOffset, OffsetInsideTheColourTableIsRefused) {
    BmpFields fields;
    fields.dib = {.width = 1, .height = 1, .bitsPerPixel = 4};
    fields.colours = table(16, colour4);
    fields.pixelOffset = 54 + 4 * 15;
    fields.pixelData = paddedRows({{0x10}});
    EXPECT_EQ(decodeBmp(makeBmp(fields)).failure(), DecodeFailure::badHeader);
}

TEST(BmpOrientation, NegativeHeightStillTakesTheFirstStoredRowAsTheBottom) {
    BmpFields fields;
    fields.dib = {.width = 1, .height = 2, .bitsPerPixel = 24};
    fields.pixelData = paddedRows({{1, 2, 3}, {4, 5, 6}});
    const auto bottomUp = decodeBmp(makeBmp(fields));
    fields.dib.height = -2;
    const auto topDown = decodeBmp(makeBmp(fields));
    ASSERT_TRUE(bottomUp.ok());
    ASSERT_TRUE(topDown.ok());
    EXPECT_EQ(topDown->height, 2);
    EXPECT_EQ(rgbOf(topDown.value()), (std::vector<Rgb>{{6, 5, 4}, {3, 2, 1}}));
    EXPECT_EQ(rgbOf(topDown.value()), rgbOf(bottomUp.value()));
}

TEST(BmpRows, LastRowWithoutItsPaddingStillDecodes) {
    BmpFields fields;
    fields.dib = {.width = 3, .height = 2, .bitsPerPixel = 24};
    fields.pixelData = paddedRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}});
    fields.pixelData.resize(fields.pixelData.size() - 3);
    const auto result = decodeBmp(makeBmp(fields));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(rgbOf(result.value()).front(), (Rgb{12, 11, 10}));
}

TEST(BmpExportedLayout, HundredSquareTwentyFourBitFileDecodesToTheSamePixels) {
    // The layout the export writes: 54 bytes of headers, then 100 rows of 300 bytes, which
    // need no padding, bottom row first.
    constexpr int kSide = 100;
    std::vector<std::uint8_t> expectedTopFirst;
    std::vector<std::vector<std::uint8_t>> storedRows(kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const auto red = static_cast<std::uint8_t>(x * 2);
            const auto green = static_cast<std::uint8_t>(y * 2);
            const auto blue = static_cast<std::uint8_t>(x ^ y);
            expectedTopFirst.insert(expectedTopFirst.end(), {red, green, blue});
            storedRows[static_cast<std::size_t>(kSide - 1 - y)].insert(
                storedRows[static_cast<std::size_t>(kSide - 1 - y)].end(), {blue, green, red});
        }
    }
    BmpFields fields;
    fields.dib = {.width = kSide, .height = kSide, .bitsPerPixel = 24};
    fields.pixelData = paddedRows(storedRows);
    const ByteBuffer file = makeBmp(fields);
    ASSERT_EQ(file.size(), 30054U);
    ASSERT_EQ(file[10], 54);

    const auto result = decodeBmp(file);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->width, kSide);
    EXPECT_EQ(result->height, kSide);
    EXPECT_EQ(std::get<RgbPixels>(result->pixels).rgb, expectedTopFirst);
}

// Each case breaks one rule of a valid 3 × 2, 24-bit file.
struct RefusedCase {
    std::string name;
    std::function<void(BmpFields&)> breakRule;
    DecodeFailure expected;
};

class BmpRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(BmpRefusedTest, GivesTheReason) {
    BmpFields fields;
    fields.dib = {.width = 3, .height = 2, .bitsPerPixel = 24};
    fields.pixelData = paddedRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}});
    GetParam().breakRule(fields);
    const auto result = decodeBmp(makeBmp(fields));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BmpRefusedTest,
    ::testing::Values(
        RefusedCase{"sixteenBits", [](BmpFields& f) { f.dib.bitsPerPixel = 16; }, DecodeFailure::unsupported},
        RefusedCase{"twoBits", [](BmpFields& f) { f.dib.bitsPerPixel = 2; }, DecodeFailure::unsupported},
        RefusedCase{"runLength8",
                    [](BmpFields& f) {
                        f.dib.bitsPerPixel = 8;
                        f.dib.compression = 1;
                        f.colours = table(256, colour8);
                    },
                    DecodeFailure::unsupported},
        RefusedCase{"runLength4",
                    [](BmpFields& f) {
                        f.dib.bitsPerPixel = 4;
                        f.dib.compression = 2;
                        f.colours = table(16, colour4);
                    },
                    DecodeFailure::unsupported},
        RefusedCase{"bitFields",
                    [](BmpFields& f) {
                        f.dib.bitsPerPixel = 32;
                        f.dib.compression = 3;
                    },
                    DecodeFailure::unsupported},
        RefusedCase{"coreHeader", [](BmpFields& f) { f.dib.headerSize = 12; }, DecodeFailure::unsupported},
        RefusedCase{"version5Header", [](BmpFields& f) { f.dib.headerSize = 124; }, DecodeFailure::unsupported},
        RefusedCase{"zeroWidth", [](BmpFields& f) { f.dib.width = 0; }, DecodeFailure::badHeader},
        RefusedCase{"zeroHeight", [](BmpFields& f) { f.dib.height = 0; }, DecodeFailure::badHeader},
        RefusedCase{"lastRowCutShort", [](BmpFields& f) { f.pixelData.resize(f.pixelData.size() - 4); },
                    DecodeFailure::truncated},
        RefusedCase{"lastRowMissing", [](BmpFields& f) { f.pixelData.resize(12); }, DecodeFailure::truncated},
        RefusedCase{"offsetPastTheEnd", [](BmpFields& f) { f.pixelOffset = 1000; }, DecodeFailure::truncated},
        RefusedCase{"offsetAtTheTopOf32Bits", [](BmpFields& f) { f.pixelOffset = 0xFFFFFFFF; },
                    DecodeFailure::truncated},
        // The largest picture the limits allow, declared by a file that holds almost nothing:
        // refused before anything is allocated.
        RefusedCase{"hugeSizeTinyFile",
                    [](BmpFields& f) {
                        f.dib.width = 16384;
                        f.dib.height = -16384;
                    },
                    DecodeFailure::truncated},
        RefusedCase{"beyondThePixelLimit",
                    [](BmpFields& f) {
                        f.dib.width = 16385;
                        f.dib.height = 16384;
                    },
                    DecodeFailure::tooLarge},
        RefusedCase{"mostNegativeSizes",
                    [](BmpFields& f) {
                        f.dib.width = std::numeric_limits<std::int32_t>::min();
                        f.dib.height = std::numeric_limits<std::int32_t>::min();
                    },
                    DecodeFailure::tooLarge},
        RefusedCase{"hugeColoursUsed",
                    [](BmpFields& f) {
                        f.dib.bitsPerPixel = 8;
                        f.dib.coloursUsed = 0xFFFFFFFF;
                        f.colours = table(256, colour8);
                    },
                    DecodeFailure::badHeader}),
    [](const auto& row) { return row.param.name; });

TEST(BmpRefused, FewerThanTheTwoHeadersIsTruncated) {
    BmpFields fields;
    fields.dib = {.width = 1, .height = 1, .bitsPerPixel = 24};
    ByteBuffer file = makeBmp(fields);
    file.resize(53);
    EXPECT_EQ(decodeBmp(file).failure(), DecodeFailure::truncated);
    EXPECT_EQ(decodeBmp({}).failure(), DecodeFailure::truncated);
}

TEST(BmpRefused, DataWithoutTheSignatureIsABadHeader) {
    BmpFields fields;
    fields.dib = {.width = 1, .height = 1, .bitsPerPixel = 24};
    fields.pixelData = paddedRows({{1, 2, 3}});
    ByteBuffer file = makeBmp(fields);
    file[1] = 'A';
    EXPECT_EQ(decodeBmp(file).failure(), DecodeFailure::badHeader);
}

// Files written by ImageMagick, against ImageMagick's own reading of them.
class BmpFixtureTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BmpFixtureTest, MatchesTheReferencePixels) {
    const ByteBuffer file = test::readFixture("bmp/" + GetParam() + ".bmp");
    const ByteBuffer expected = test::readFixture("bmp/" + GetParam() + ".rgb");
    ASSERT_FALSE(file.empty());
    ASSERT_FALSE(expected.empty());
    const auto result = decodeBmp(file);
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(static_cast<std::size_t>(result->width) * static_cast<std::size_t>(result->height) * 3, expected.size());
    EXPECT_EQ(std::get<RgbPixels>(result->pixels).rgb, expected);
}

TEST(BmpFixture, RunLengthFileWrittenByImageMagickIsRefused) {
    const ByteBuffer file = test::readFixture("bmp/gradient_40x3_8_rle.bmp");
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(decodeBmp(file).failure(), DecodeFailure::unsupported);
}

INSTANTIATE_TEST_SUITE_P(ImageMagick, BmpFixtureTest,
                         ::testing::Values("checker_11x3_1", "gradient_12x3_4", "gradient_40x3_8", "gradient_7x5_24"));

}  // namespace
}  // namespace tessvane::decode
