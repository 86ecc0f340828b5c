#include "picture/decode/icon_decoder.h"

#include "tests/unit/decode/picture_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace tessvane::decode {
namespace {

using test::IconEntryFields;
using test::IconImageFields;
using test::kCursorType;
using test::kIconType;
using test::makeIconFile;
using test::makeIconImage;

const std::vector<std::uint32_t>& argbOf(const DecodedPicture& picture) {
    return std::get<IconPixels>(picture.pixels).argb;
}

// A 1-bit image of the given natural width and height 1, all pixels colour 1 and opaque.
ByteBuffer plainImage(std::int32_t width) {
    const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
    return makeIconImage({.dib = {.width = width, .height = 1, .bitsPerPixel = 1},
                          .colours = {{0, 0, 0}, {255, 255, 255}},
                          .colourRows = {std::vector<std::uint8_t>(rowBytes, 0xFF)},
                          .maskRows = {std::vector<std::uint8_t>(rowBytes, 0x00)}});
}

// Each entry's image has a distinct natural width, so the decoded width tells which was chosen.
struct ChoiceCase {
    std::string name;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> entries;  // width byte, colour-count byte
    std::int32_t chosenWidth;                                    // the chosen entry's index + 1
};

class IconChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(IconChoiceTest, ChoosesTheEntry) {
    std::vector<IconEntryFields> entries;
    for (std::size_t i = 0; i < GetParam().entries.size(); ++i) {
        const auto [widthByte, colourCount] = GetParam().entries[i];
        entries.push_back({.width = widthByte,
                           .height = widthByte,
                           .colourCount = colourCount,
                           .image = plainImage(static_cast<std::int32_t>(i + 1))});
    }
    const auto result = decodeIcon(makeIconFile(kIconType, entries));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->width, GetParam().chosenWidth);
    EXPECT_EQ(result->height, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, IconChoiceTest,
    ::testing::Values(ChoiceCase{"sixteenAndThirtyTwoOfSixteenColours", {{16, 16}, {32, 16}}, 2},
                      // 256-colour entries have a colour-count byte of 0: none qualifies.
                      ChoiceCase{"twoHundredFiftySixColoursTakesTheLast", {{32, 0}, {16, 0}}, 2},
                      ChoiceCase{"fifteenColoursDoesNotQualify", {{32, 15}, {16, 16}, {48, 16}}, 3},
                      ChoiceCase{"firstQualifyingEntryWins", {{48, 16}, {32, 16}, {32, 255}}, 2},
                      ChoiceCase{"singleEntry", {{16, 0}}, 1}),
    [](const auto& row) { return row.param.name; });

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kTeal{0, 128, 128};
constexpr std::uint32_t kOpaque = 0xFF000000U;

std::uint32_t argb(std::uint32_t alpha, Rgb colour) {
    return (alpha << 24) | (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

// A 3 × 2 image at each depth with the same mask: the top row's middle pixel and the bottom
// row's first pixel are transparent.
struct DepthCase {
    std::string name;
    std::uint16_t bitsPerPixel;
    std::vector<Rgb> colours;
    std::vector<std::vector<std::uint8_t>> colourRows;  // bottom row first
    std::vector<std::uint32_t> expected;                // top row first
};

const std::vector<std::vector<std::uint8_t>> kMaskRows{{0x80}, {0x40}};

class IconDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(IconDepthTest, ColoursFromTheImageAndTransparencyFromTheMask) {
    const DepthCase& c = GetParam();
    const ByteBuffer image = makeIconImage({.dib = {.width = 3, .height = 2, .bitsPerPixel = c.bitsPerPixel},
                                            .colours = c.colours,
                                            .colourRows = c.colourRows,
                                            .maskRows = kMaskRows});
    const auto result = decodeIcon(makeIconFile(kIconType, {{.width = 3, .height = 2, .image = image}}));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->kind, PictureKind::icon);
    EXPECT_EQ(result->width, 3);
    EXPECT_EQ(result->height, 2);
    EXPECT_EQ(argbOf(result.value()), c.expected);
}

std::vector<Rgb> sixteenColours() {
    std::vector<Rgb> colours(16, Rgb{1, 1, 1});
    colours[2] = kRed;
    colours[15] = kTeal;
    return colours;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, IconDepthTest,
    ::testing::Values(
        // Bottom 1 0 1, top 0 1 1.
        DepthCase{"oneBit",
                  1,
                  {kRed, kTeal},
                  {{0xA0}, {0x60}},
                  {argb(0xFF, kRed), argb(0, kTeal), argb(0xFF, kTeal), argb(0, kTeal), argb(0xFF, kRed),
                   argb(0xFF, kTeal)}},
        // Bottom 2 15 2, top 15 15 2.
        DepthCase{"fourBits",
                  4,
                  sixteenColours(),
                  {{0x2F, 0x20}, {0xFF, 0x20}},
                  {argb(0xFF, kTeal), argb(0, kTeal), argb(0xFF, kRed), argb(0, kRed), argb(0xFF, kTeal),
                   argb(0xFF, kRed)}},
        // Colours-used 0 at 8 bits: a full 256-entry table.
        DepthCase{"eightBits",
                  8,
                  [] {
                      std::vector<Rgb> colours(256);
                      colours[200] = kRed;
                      colours[7] = kTeal;
                      return colours;
                  }(),
                  {{200, 7, 200}, {7, 7, 200}},
                  {argb(0xFF, kTeal), argb(0, kTeal), argb(0xFF, kRed), argb(0, kRed), argb(0xFF, kTeal),
                   argb(0xFF, kRed)}},
        DepthCase{"twentyFourBits",
                  24,
                  {},
                  {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}},
                  {kOpaque | 0x0C0B0AU, 0x0F0E0DU, kOpaque | 0x121110U, 0x030201U, kOpaque | 0x060504U,
                   kOpaque | 0x090807U}},
        // No pixel has alpha, so the mask decides.
        DepthCase{"thirtyTwoBitsWithoutAlpha",
                  32,
                  {},
                  {{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}, {10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0}},
                  {kOpaque | 0x0C0B0AU, 0x0F0E0DU, kOpaque | 0x121110U, 0x030201U, kOpaque | 0x060504U,
                   kOpaque | 0x090807U}}),
    [](const auto& row) { return row.param.name; });

TEST(IconAlpha, ThirtyTwoBitImageWithAlphaIgnoresTheMask) {
    // Alpha 0x80 and 0 on the bottom row, 0xFF and 0x01 on the top; the mask would say
    // otherwise for two of them.
    const ByteBuffer image = makeIconImage({.dib = {.width = 2, .height = 2, .bitsPerPixel = 32},
                                            .colourRows = {{1, 2, 3, 0x80, 4, 5, 6, 0x00}, {7, 8, 9, 0xFF, 10, 11, 12, 0x01}},
                                            .maskRows = {{0x80}, {0x40}}});
    const auto result = decodeIcon(makeIconFile(kIconType, {{.width = 2, .height = 2, .image = image}}));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(argbOf(result.value()), (std::vector<std::uint32_t>{0xFF090807U, 0x010C0B0AU, 0x80030201U, 0x00060504U}));
}

TEST(IconKind, CursorFileGivesACursorReadLikeAnIcon) {
    const ByteBuffer image = makeIconImage({.dib = {.width = 1, .height = 2, .bitsPerPixel = 1},
                                            .colours = {kRed, kTeal},
                                            .colourRows = {{0x80}, {0x00}},
                                            .maskRows = {{0x80}, {0x00}}});
    const auto result = decodeIcon(makeIconFile(kCursorType, {{.width = 1, .height = 2, .image = image}}));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->kind, PictureKind::cursor);
    EXPECT_EQ(argbOf(result.value()), (std::vector<std::uint32_t>{argb(0xFF, kRed), argb(0, kTeal)}));
}

// Each case breaks one rule of a valid one-entry icon with a 2 × 2, 24-bit image.
struct RefusedCase {
    std::string name;
    std::function<ByteBuffer()> makeFile;
    DecodeFailure expected;
};

IconImageFields validImage() {
    return {.dib = {.width = 2, .height = 2, .bitsPerPixel = 24},
            .colourRows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}},
            .maskRows = {{0x00}, {0x00}}};
}

ByteBuffer iconWith(const std::function<void(IconImageFields&)>& change) {
    IconImageFields fields = validImage();
    change(fields);
    return makeIconFile(kIconType, {{.width = 2, .height = 2, .image = makeIconImage(fields)}});
}

// The image header as written, with its height field set as given (not doubled).
ByteBuffer iconWithStoredHeight(std::int32_t storedHeight) {
    ByteBuffer image = makeIconImage(validImage());
    for (int i = 0; i < 4; ++i) {
        image[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(storedHeight) >> (8 * i));
    }
    return makeIconFile(kIconType, {{.width = 2, .height = 2, .image = image}});
}

class IconRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IconRefusedTest, GivesTheReason) {
    const auto result = decodeIcon(GetParam().makeFile());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IconRefusedTest,
    ::testing::Values(
        RefusedCase{"pngImage",
                    [] {
                        return makeIconFile(
                            kIconType, {{.width = 0,
                                         .height = 0,
                                         .image = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H',
                                                   'D', 'R', 0, 0, 1, 0, 0, 0, 1, 0, 8, 6, 0, 0, 0, 0, 0, 0, 0,
                                                   0, 0, 0, 0, 0, 0, 0, 0, 0}}});
                    },
                    DecodeFailure::unsupported},
        RefusedCase{"heightZero", [] { return iconWithStoredHeight(0); }, DecodeFailure::badHeader},
        // A stored height of 1 leaves no row for the colour image.
        RefusedCase{"heightOne", [] { return iconWithStoredHeight(1); }, DecodeFailure::badHeader},
        RefusedCase{"negativeHeight", [] { return iconWithStoredHeight(-4); }, DecodeFailure::badHeader},
        RefusedCase{"widthZero", [] { return iconWith([](IconImageFields& f) { f.dib.width = 0; }); },
                    DecodeFailure::badHeader},
        RefusedCase{"sixteenBits", [] { return iconWith([](IconImageFields& f) { f.dib.bitsPerPixel = 16; }); },
                    DecodeFailure::unsupported},
        RefusedCase{"compressed", [] { return iconWith([](IconImageFields& f) { f.dib.compression = 1; }); },
                    DecodeFailure::unsupported},
        RefusedCase{"coreHeader", [] { return iconWith([](IconImageFields& f) { f.dib.headerSize = 12; }); },
                    DecodeFailure::unsupported},
        RefusedCase{"beyondThePixelLimit",
                    [] {
                        return iconWith([](IconImageFields& f) {
                            f.dib.width = 20000;
                            f.dib.height = 20000;
                        });
                    },
                    DecodeFailure::tooLarge},
        RefusedCase{"maskMissing", [] { return iconWith([](IconImageFields& f) { f.maskRows.clear(); }); },
                    DecodeFailure::truncated},
        RefusedCase{"colourRowMissing",
                    [] {
                        return iconWith([](IconImageFields& f) {
                            f.colourRows.pop_back();
                            f.maskRows.clear();
                        });
                    },
                    DecodeFailure::truncated},
        RefusedCase{"tableCutShort",
                    [] {
                        return iconWith([](IconImageFields& f) {
                            f.dib.bitsPerPixel = 8;
                            f.colours.assign(10, Rgb{});
                            f.colourRows.clear();
                            f.maskRows.clear();
                        });
                    },
                    DecodeFailure::truncated},
        RefusedCase{"byteCountBeyondTheFile",
                    [] {
                        return makeIconFile(kIconType, {{.width = 2,
                                                         .height = 2,
                                                         .image = makeIconImage(validImage()),
                                                         .byteCount = 1000}});
                    },
                    DecodeFailure::truncated},
        RefusedCase{"byteCountTooSmallForTheImage",
                    [] {
                        return makeIconFile(
                            kIconType,
                            {{.width = 2, .height = 2, .image = makeIconImage(validImage()), .byteCount = 60}});
                    },
                    DecodeFailure::truncated},
        RefusedCase{"directoryCutShort",
                    [] {
                        ByteBuffer file = makeIconFile(kIconType, {{.width = 2, .height = 2, .image = {}},
                                                                   {.width = 2, .height = 2, .image = {}}});
                        file.resize(6 + 16 + 10);
                        return file;
                    },
                    DecodeFailure::truncated},
        RefusedCase{"imageOffsetPastTheEnd",
                    [] {
                        ByteBuffer file = makeIconFile(kIconType, {{.width = 2, .height = 2, .image = {}}});
                        file[18] = 0xFF;  // the offset's low byte, with a byte count of 0
                        return file;
                    },
                    DecodeFailure::truncated},
        RefusedCase{"offsetAndCountAtTheTop",
                    [] {
                        ByteBuffer file = makeIconFile(kIconType, {{.width = 2, .height = 2, .image = {}}});
                        std::fill(file.begin() + 14, file.begin() + 22, std::uint8_t{0xFF});
                        return file;
                    },
                    DecodeFailure::truncated},
        RefusedCase{"reservedNotZero",
                    [] {
                        ByteBuffer file = iconWith([](IconImageFields&) {});
                        file[0] = 1;
                        return file;
                    },
                    DecodeFailure::badHeader},
        RefusedCase{"typeThree",
                    [] {
                        ByteBuffer file = iconWith([](IconImageFields&) {});
                        file[2] = 3;
                        return file;
                    },
                    DecodeFailure::badHeader},
        RefusedCase{"noEntries", [] { return makeIconFile(kIconType, {}); }, DecodeFailure::badHeader},
        RefusedCase{"headerOnly", [] { return ByteBuffer{0, 0, 1, 0}; }, DecodeFailure::truncated}),
    [](const auto& row) { return row.param.name; });

// ImageMagick's reading of the chosen entry, as red, green, blue, alpha bytes.
void expectPixelsMatch(const DecodedPicture& picture, const ByteBuffer& rgba) {
    const auto& pixels = argbOf(picture);
    ASSERT_EQ(pixels.size() * 4, rgba.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        SCOPED_TRACE("pixel " + std::to_string(i));
        const std::uint32_t expected = (std::uint32_t{rgba[i * 4 + 3]} << 24) | (std::uint32_t{rgba[i * 4]} << 16) |
                                       (std::uint32_t{rgba[i * 4 + 1]} << 8) | rgba[i * 4 + 2];
        EXPECT_EQ(pixels[i], expected);
    }
}

TEST(IconFixture, SixteenColourFileWithTwoSizesGivesTheThirtyTwoSquareImage) {
    const auto result = decodeIcon(test::readFixture("ico/sizes_16_32_4.ico"));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->width, 32);
    EXPECT_EQ(result->height, 32);
    expectPixelsMatch(result.value(), test::readFixture("ico/sizes_16_32_4_entry1.rgba"));
}

TEST(IconFixture, ThirtyTwoBitFileKeepsItsOwnAlpha) {
    const auto result = decodeIcon(test::readFixture("ico/alpha_16x16_32.ico"));
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.failure());
    EXPECT_EQ(result->width, 16);
    EXPECT_EQ(result->height, 16);
    expectPixelsMatch(result.value(), test::readFixture("ico/alpha_16x16_32.rgba"));
}

}  // namespace
}  // namespace tessvane::decode
