#include "picture/decode/pcx_decoder.h"

#include "tests/unit/decode/picture_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tessvane::decode {
namespace {

using test::makePcx;
using test::PcxFields;

std::vector<Rgb> rampColours() {
    std::vector<Rgb> colours(256);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i ^ 0x55)};
    }
    return colours;
}

ColourTable asTable(const std::vector<Rgb>& colours) {
    ColourTable table{};
    std::copy(colours.begin(), colours.end(), table.begin());
    return table;
}

TEST(Pcx8, DecodesRunsAndLiteralsWithTheTrailingColourTable) {
    PcxFields fields;
    // The window need not start at 0: the size is xmax - xmin + 1 by ymax - ymin + 1.
    fields.xMin = 10;
    fields.xMax = 12;
    fields.yMin = 5;
    fields.yMax = 6;
    fields.bytesPerLine = 4;  // one value past the width, as encoders pad rows to even lengths
    fields.coded = {
        0x05, 0xC2, 0x07, 0x00,        // 5, then 7 twice, then the row's padding value
        0xC1, 0xC8, 0x01, 0x02, 0x63,  // 200 (a value above 192 is written as a run of 1), 1, 2, padding 99
    };
    fields.colourTable = rampColours();
    const auto result = decodePcx(makePcx(fields));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->kind, PictureKind::pcx8);
    EXPECT_EQ(result->width, 3);
    EXPECT_EQ(result->height, 2);
    const auto& pixels = std::get<IndexedPixels>(result->pixels);
    EXPECT_EQ(pixels.width, 3);
    EXPECT_EQ(pixels.height, 2);
    EXPECT_EQ(pixels.indices, (std::vector<std::uint8_t>{5, 7, 7, 200, 1, 2}));
    EXPECT_EQ(pixels.colours, asTable(rampColours()));
}

// Decoded indices of a 2 × 3 pcx8 picture with 2 bytes per line.
struct RowCase {
    std::string name;
    std::vector<std::uint8_t> coded;
    std::vector<std::uint8_t> expected;
};

class Pcx8RowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(Pcx8RowTest, DecodesRows) {
    PcxFields fields;
    fields.xMax = 1;
    fields.yMax = 2;
    fields.bytesPerLine = 2;
    fields.coded = GetParam().coded;
    const auto result = decodePcx(makePcx(fields));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(std::get<IndexedPixels>(result->pixels).indices, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Pcx8RowTest,
    ::testing::Values(
        // A run of 5 in a 2-byte row fills the row; the rest of it is dropped, and the next
        // row starts with the next code.
        RowCase{"runClippedToTheRow", {0xC5, 0x09, 0x03, 0x04, 0xC2, 0x06}, {9, 9, 3, 4, 6, 6}},
        RowCase{"longestRun", {0xFF, 0x01, 0xC2, 0x02, 0x05, 0x06}, {1, 1, 2, 2, 5, 6}},
        // Rows the data does not reach stay 0.
        RowCase{"dataEndsAfterTheFirstRow", {0xC2, 0x08}, {8, 8, 0, 0, 0, 0}},
        RowCase{"dataEndsInsideARow", {0xC2, 0x08, 0x07}, {8, 8, 7, 0, 0, 0}},
        RowCase{"dataEndsAfterARunByte", {0xC2, 0x08, 0xC2}, {8, 8, 0, 0, 0, 0}},
        // Codes after the last row (here where the colour table would start) are not pixels.
        RowCase{"dataGoesOnAfterTheLastRow", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x0C, 0xC9, 0x09}, {1, 2, 3, 4, 5, 6}}),
    [](const auto& row) { return row.param.name; });

TEST(Pcx8Colours, MissingTableGivesBlackColours) {
    PcxFields fields;
    fields.xMax = 1;
    fields.bytesPerLine = 2;
    fields.coded = {0x01, 0x02};
    const auto withoutTable = decodePcx(makePcx(fields));
    ASSERT_TRUE(withoutTable.ok());
    EXPECT_EQ(std::get<IndexedPixels>(withoutTable->pixels).colours, ColourTable{});

    // A table followed by one more byte is not where encoders put it: not read.
    fields.colourTable = rampColours();
    ByteBuffer file = makePcx(fields);
    file.push_back(0);
    const auto misplacedTable = decodePcx(file);
    ASSERT_TRUE(misplacedTable.ok());
    EXPECT_EQ(std::get<IndexedPixels>(misplacedTable->pixels).colours, ColourTable{});
}

// 1-bit pictures keep the first width bits of each row, in rows of an even number of bytes.
struct BitCase {
    std::string name;
    std::uint16_t width;
    std::uint16_t bytesPerLine;
    std::vector<std::uint8_t> coded;  // two rows
    std::int32_t bytesPerRow;
    std::vector<std::uint8_t> expected;
};

class Pcx1Test : public ::testing::TestWithParam<BitCase> {};

TEST_P(Pcx1Test, KeepsTheFirstWidthBits) {
    const BitCase& c = GetParam();
    PcxFields fields;
    fields.version = 3;
    fields.bitsPerPixel = 1;
    fields.xMax = static_cast<std::uint16_t>(c.width - 1);
    fields.yMax = 1;
    fields.bytesPerLine = c.bytesPerLine;
    fields.coded = c.coded;
    const auto result = decodePcx(makePcx(fields));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->kind, PictureKind::pcx1);
    EXPECT_EQ(result->width, c.width);
    EXPECT_EQ(result->height, 2);
    const auto& pixels = std::get<BitPixels>(result->pixels);
    EXPECT_EQ(pixels.bytesPerRow, c.bytesPerRow);
    EXPECT_EQ(pixels.bits, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, Pcx1Test,
    ::testing::Values(
        BitCase{"tenPixels", 10, 2, {0xC2, 0xFF, 0xA5, 0x5A}, 2, {0xFF, 0xC0, 0xA5, 0x40}},
        // 17 pixels need 3 bytes; the picture's rows are padded to 4.
        BitCase{"seventeenPixels",
                17,
                4,
                {0x12, 0x34, 0xC2, 0xFF, 0xC4, 0x0F},
                4,
                {0x12, 0x34, 0x80, 0x00, 0x0F, 0x0F, 0x00, 0x00}},
        // A bytes-per-line wider than the width needs: the extra byte is dropped.
        BitCase{"lineWiderThanNeeded", 16, 3, {0xAB, 0x4D, 0xC1, 0xEF, 0x01, 0x02, 0x03}, 2, {0xAB, 0x4D, 0x01, 0x02}},
        BitCase{"onePixel", 1, 2, {0xC1, 0xFF, 0x00, 0x00, 0x7F, 0x00}, 2, {0x80, 0x00, 0x00, 0x00}}),
    [](const auto& row) { return row.param.name; });

// Each case breaks one rule of a valid 2 × 1 pcx8 file.
struct RefusedCase {
    std::string name;
    std::function<void(PcxFields&)> breakRule;
    DecodeFailure expected;
};

class PcxRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(PcxRefusedTest, GivesTheReason) {
    PcxFields fields;
    fields.xMax = 1;
    fields.bytesPerLine = 2;
    fields.coded = {0x01, 0x02};
    GetParam().breakRule(fields);
    const auto result = decodePcx(makePcx(fields));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PcxRefusedTest,
    ::testing::Values(
        RefusedCase{"headerOnly", [](PcxFields& f) { f.coded.clear(); }, DecodeFailure::truncated},
        RefusedCase{"manufacturer", [](PcxFields& f) { f.manufacturer = 0x0B; }, DecodeFailure::badHeader},
        RefusedCase{"version6", [](PcxFields& f) { f.version = 6; }, DecodeFailure::badHeader},
        RefusedCase{"uncoded", [](PcxFields& f) { f.encoding = 0; }, DecodeFailure::unsupported},
        RefusedCase{"xMaxBelowXMin",
                    [](PcxFields& f) {
                        f.xMin = 5;
                        f.xMax = 4;
                    },
                    DecodeFailure::badHeader},
        RefusedCase{"yMaxBelowYMin", [](PcxFields& f) { f.yMin = 1; }, DecodeFailure::badHeader},
        RefusedCase{"bytesPerLineBelowTheWidth", [](PcxFields& f) { f.bytesPerLine = 1; }, DecodeFailure::badHeader},
        RefusedCase{"bytesPerLineZero", [](PcxFields& f) { f.bytesPerLine = 0; }, DecodeFailure::badHeader},
        RefusedCase{"bytesPerLineBelowTheBits",
                    [](PcxFields& f) {
                        f.bitsPerPixel = 1;
                        f.xMax = 16;  // 17 pixels need 3 bytes
                        f.bytesPerLine = 2;
                    },
                    DecodeFailure::badHeader},
        RefusedCase{"twentyFourBitPlanes", [](PcxFields& f) { f.planes = 3; }, DecodeFailure::unsupported},
        RefusedCase{"sixteenColourPlanes",
                    [](PcxFields& f) {
                        f.bitsPerPixel = 1;
                        f.planes = 4;
                    },
                    DecodeFailure::unsupported},
        RefusedCase{"fourBits", [](PcxFields& f) { f.bitsPerPixel = 4; }, DecodeFailure::unsupported},
        RefusedCase{"noPlanes", [](PcxFields& f) { f.planes = 0; }, DecodeFailure::unsupported},
        RefusedCase{"beyondThePixelLimit",
                    [](PcxFields& f) {
                        f.xMax = 65534;
                        f.yMax = 65535;
                        f.bytesPerLine = 65535;
                    },
                    DecodeFailure::tooLarge}),
    [](const auto& row) { return row.param.name; });

TEST(PcxRefused, ShortDataIsTruncated) {
    PcxFields fields;
    fields.xMax = 1;
    ByteBuffer file = makePcx(fields);
    file.resize(60);
    EXPECT_EQ(decodePcx(file).failure(), DecodeFailure::truncated);
    EXPECT_EQ(decodePcx({}).failure(), DecodeFailure::truncated);
}

TEST(PcxFixture, EightBitFileMatchesImageMagick) {
    // 13 pixels a row with 13 bytes per line: ImageMagick does not pad rows to even lengths.
    const auto result = decodePcx(test::readFixture("pcx/gradient_13x3_8.pcx"));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->width, 13);
    EXPECT_EQ(result->height, 3);
    const auto& pixels = std::get<IndexedPixels>(result->pixels);
    std::vector<std::uint8_t> rgb;
    for (const std::uint8_t index : pixels.indices) {
        const Rgb& colour = pixels.colours[index];
        rgb.insert(rgb.end(), {colour.red, colour.green, colour.blue});
    }
    EXPECT_EQ(rgb, test::readFixture("pcx/gradient_13x3_8.rgb"));
}

TEST(PcxFixture, OneBitFileKeepsItsBits) {
    // ImageMagick writes monochrome PCX as version 5, which recognition does not take for a
    // picture (only version 3 is); the decoder itself reads it.
    const auto result = decodePcx(test::readFixture("pcx/pattern_13x3_1.pcx"));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->kind, PictureKind::pcx1);
    EXPECT_EQ(result->width, 13);
    EXPECT_EQ(result->height, 3);
    const auto& pixels = std::get<BitPixels>(result->pixels);
    EXPECT_EQ(pixels.bytesPerRow, 2);
    // The rows of the PBM it was made from: 0100000000001, 1111000011110, 0000000000001.
    EXPECT_EQ(pixels.bits, (std::vector<std::uint8_t>{0x40, 0x08, 0xF0, 0xF0, 0x00, 0x08}));
}

}  // namespace
}  // namespace tessvane::decode
