#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture/decode/gif_decoder.h"
#include "picture/decode/limits.h"
#include "tests/unit/decode/gif_bytes.h"

namespace tessvane::decode {
namespace {

using namespace testing;  // the GIF byte builders

const IndexedPixels& indexed(const DecodedPicture& picture) { return std::get<IndexedPixels>(picture.pixels); }

// Two colours, red and green, in a global table of 2 entries.
Bytes redGreenHeader(unsigned width, unsigned height, const char* version = "89a") {
    return gifHeader(width, height, {255, 0, 0, 0, 255, 0}, 0, version);
}

class MinimalGif : public ::testing::TestWithParam<const char*> {};

TEST_P(MinimalGif, DecodesTheFirstImage) {
    Bytes gif = redGreenHeader(3, 2, GetParam());
    const Bytes indices{0, 1, 1, 1, 0, 0};
    appendLiteralImage(gif, {.width = 3, .height = 2}, indices);
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok()) << static_cast<int>(picture.failure());
    EXPECT_EQ(picture->kind, PictureKind::gif);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    const IndexedPixels& pixels = indexed(picture.value());
    EXPECT_EQ(pixels.width, 3);
    EXPECT_EQ(pixels.height, 2);
    EXPECT_EQ(pixels.indices, indices);
    EXPECT_EQ(pixels.colours[0], (Rgb{255, 0, 0}));
    EXPECT_EQ(pixels.colours[1], (Rgb{0, 255, 0}));
    for (std::size_t entry = 2; entry < pixels.colours.size(); ++entry) {
        ASSERT_EQ(pixels.colours[entry], Rgb{}) << "entry " << entry << " lies past the file's table";
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, MinimalGif, ::testing::Values("87a", "89a"),
                         [](const auto& row) { return std::string("GIF") + row.param; });

TEST(GifStill, LocalColourTableTakesThePlaceOfTheGlobalOne) {
    Bytes gif = redGreenHeader(2, 1);
    // Local table of 4 entries (size field 1): blue, white, grey, cyan.
    appendLiteralImage(
        gif,
        {.width = 2, .height = 1, .localColours = {0, 0, 255, 255, 255, 255, 9, 9, 9, 0, 9, 9}, .localSizeField = 1},
        Bytes{3, 1});
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    const IndexedPixels& pixels = indexed(picture.value());
    EXPECT_EQ(pixels.indices, (Bytes{3, 1}));
    EXPECT_EQ(pixels.colours[0], (Rgb{0, 0, 255}));
    EXPECT_EQ(pixels.colours[3], (Rgb{0, 9, 9}));
    EXPECT_EQ(pixels.colours[4], Rgb{});
}

TEST(GifStill, NoColourTableAtAllGivesBlack) {
    Bytes gif = gifHeader(1, 1);  // no global colour table
    appendLiteralImage(gif, {.width = 1, .height = 1}, Bytes{2});
    appendTrailer(gif);
    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(indexed(picture.value()).colours[2], Rgb{});
}

TEST(GifStill, InterlacedRowsLandInTheirPlaces) {
    // Ten rows of one pixel, stored in the four interlace passes: rows 0 and 8; 4; 2 and 6;
    // 1, 3, 5, 7 and 9. Each row's index is its row number, so the result must count up.
    Bytes gif = gifHeader(1, 10, {}, 3);
    const Bytes stored{0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    appendLiteralImage(gif, {.width = 1, .height = 10, .interlace = Interlace::yes}, stored, 4);
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(indexed(picture.value()).indices, (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(GifStill, InterlacedImageTallerThanTheScreenKeepsItsTopRows) {
    // A 2 × 10 interlaced image on a 2 × 3 screen: only rows 0, 1 and 2 are kept; they come
    // in the first, third and fourth pass.
    Bytes gif = gifHeader(2, 3, {}, 3);
    Bytes stored;
    for (const std::uint8_t row : {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}) {
        append(stored, {row, static_cast<std::uint8_t>(row + 10)});
    }
    appendLiteralImage(gif, {.width = 2, .height = 10, .interlace = Interlace::yes}, stored, 5);
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    const IndexedPixels& pixels = indexed(picture.value());
    EXPECT_EQ(pixels.width, 2);
    EXPECT_EQ(pixels.height, 3);
    EXPECT_EQ(pixels.indices, (Bytes{0, 10, 1, 11, 2, 12}));
}

TEST(GifStill, FirstImageSmallerThanTheScreenSitsAtTheTopLeft) {
    // A 2 × 1 image at left 3, top 2 of a 6 × 4 screen: the natural size is the screen's,
    // the image keeps its own size, and its left and top are not applied.
    Bytes gif = redGreenHeader(6, 4);
    appendLiteralImage(gif, {.left = 3, .top = 2, .width = 2, .height = 1}, Bytes{1, 0});
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->width, 6);
    EXPECT_EQ(picture->height, 4);
    const IndexedPixels& pixels = indexed(picture.value());
    EXPECT_EQ(pixels.width, 2);
    EXPECT_EQ(pixels.height, 1);
    EXPECT_EQ(pixels.indices, (Bytes{1, 0}));
}

TEST(GifStill, FirstImageOffTheScreenStillShowsAtTheTopLeft) {
    // Left and top beyond the screen do not matter for the still picture.
    Bytes gif = redGreenHeader(2, 2);
    appendLiteralImage(gif, {.left = 500, .top = 500, .width = 1, .height = 1}, Bytes{1});
    appendTrailer(gif);
    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(indexed(picture.value()).indices, (Bytes{1}));
}

TEST(GifStill, FirstImageLargerThanTheScreenIsClippedToIt) {
    // A 4 × 3 image on a 3 × 2 screen keeps its top-left 3 × 2 indices.
    Bytes gif = gifHeader(3, 2, {}, 3);
    const Bytes indices{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    appendLiteralImage(gif, {.width = 4, .height = 3}, indices, 4);
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    const IndexedPixels& pixels = indexed(picture.value());
    EXPECT_EQ(pixels.width, 3);
    EXPECT_EQ(pixels.height, 2);
    EXPECT_EQ(pixels.indices, (Bytes{0, 1, 2, 4, 5, 6}));
}

TEST(GifStill, ExtensionsBeforeTheFirstImageAreReadPast) {
    Bytes gif = redGreenHeader(1, 1);
    // Application extension: NETSCAPE2.0 loop count 0.
    append(gif,
           {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, 0x00, 0x00, 0x00});
    append(gif, {0x21, 0xFE, 0x02, 'h', 'i', 0x00});  // comment extension "hi"
    // Plain text extension: a 12-byte header, one text sub-block "A".
    append(gif, {0x21, 0x01, 0x0C, 0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 0, 1, 0x01, 'A', 0x00});
    // Graphic control with transparency of index 1: not applied to the still picture.
    appendGraphicControl(gif, 2, true, 50, 1);
    // A graphic control whose first sub-block is too short to hold values: skipped.
    append(gif, {0x21, 0xF9, 0x02, 0x01, 0x02, 0x00});
    appendLiteralImage(gif, {.width = 1, .height = 1}, Bytes{1});
    appendTrailer(gif);

    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok()) << static_cast<int>(picture.failure());
    EXPECT_EQ(indexed(picture.value()).indices, (Bytes{1}));
    EXPECT_EQ(indexed(picture.value()).colours[1], (Rgb{0, 255, 0}));
}

TEST(GifStill, IndicesTheCodeStreamDoesNotReachStayZero) {
    // A 3 × 2 image whose codes stop after two indices, once with the end code and once by
    // running out of data (no end code).
    for (const bool endCode : {true, false}) {
        SCOPED_TRACE(endCode ? "end code" : "data runs out");
        CodePacker packer(2);
        packer.codes({packer.clearCode(), 3, 2});
        if (endCode) {
            packer.code(packer.endCode());
        }
        Bytes gif = gifHeader(3, 2, {}, 1);
        appendImage(gif, {.width = 3, .height = 2}, 2, packer.bytes());
        appendTrailer(gif);
        const auto picture = decodeGif(gif);
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(indexed(picture.value()).indices, (Bytes{3, 2, 0, 0, 0, 0}));
    }
}

TEST(GifStill, OneBitCodeSizeOfOnePixelFilesIsRead) {
    // A 1 × 1 image with minimum code size 1, as some small web GIFs have: 2-bit codes
    // clear (2), literal 1, end (3), packed into one byte.
    Bytes gif = redGreenHeader(1, 1);
    appendImageDescriptor(gif, {.width = 1, .height = 1});
    append(gif, {0x01, 0x01, 0b11'01'10, 0x00});  // minimum code size 1; one sub-block; terminator
    appendTrailer(gif);
    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(indexed(picture.value()).indices, (Bytes{1}));
}

TEST(GifStill, ManySubBlocksAreJoinedIntoOneCodeStream) {
    // 2000 literal indices at minimum code size 8 need more than 255 bytes, so the codes
    // cross sub-block boundaries (and fill the table, going on at 12 bits).
    Bytes indices(2000);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<std::uint8_t>((i * 37) % 256);
    }
    Bytes gif = gifHeader(50, 40);
    appendLiteralImage(gif, {.width = 50, .height = 40}, indices, 8);
    appendTrailer(gif);
    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(indexed(picture.value()).indices, indices);
}

// Streams that are refused, each with the reason that must refuse it.
struct RefusedGif {
    const char* name;
    Bytes bytes;
    DecodeFailure reason;
};

Bytes withImageAfter(Bytes gif, const Bytes& before) {
    gif.insert(gif.end(), before.begin(), before.end());
    appendLiteralImage(gif, {.width = 1, .height = 1}, Bytes{1});
    appendTrailer(gif);
    return gif;
}

Bytes imageWithCodes(unsigned minimumCodeSize, const Bytes& codes, unsigned width = 2, unsigned height = 1) {
    Bytes gif = redGreenHeader(2, 1);
    appendImage(gif, {.width = width, .height = height}, minimumCodeSize, codes);
    appendTrailer(gif);
    return gif;
}

std::vector<RefusedGif> refusedGifs() {
    std::vector<RefusedGif> cases;
    // The signature and the screen descriptor with no block byte after them: 13 bytes.
    cases.push_back({"fewerThan14Bytes", gifHeader(1, 1), DecodeFailure::truncated});
    {
        Bytes gif = withImageAfter(redGreenHeader(1, 1), {});
        gif[4] = '8';  // "GIF88a"
        cases.push_back({"unknownSignature", gif, DecodeFailure::badHeader});
    }
    cases.push_back({"zeroScreenWidth", withImageAfter(redGreenHeader(0, 1), {}), DecodeFailure::badHeader});
    cases.push_back({"zeroScreenHeight", withImageAfter(redGreenHeader(1, 0), {}), DecodeFailure::badHeader});
    // 65535 × 65535 is above 2^28 pixels; 16384 × 16385 just above.
    cases.push_back({"screenOfManyPixels", withImageAfter(redGreenHeader(65535, 65535), {}), DecodeFailure::tooLarge});
    cases.push_back({"screenJustPastLimit", withImageAfter(redGreenHeader(16384, 16385), {}), DecodeFailure::tooLarge});
    {
        // The global table of 2 entries ends exactly at the end of the data.
        cases.push_back({"globalTableReachesEnd", redGreenHeader(1, 1), DecodeFailure::truncated});
        Bytes cut = redGreenHeader(1, 1);
        cut.resize(cut.size() - 1);
        cases.push_back({"globalTablePastEnd", cut, DecodeFailure::truncated});
    }
    cases.push_back(
        {"unknownExtensionLabel", withImageAfter(redGreenHeader(1, 1), {0x21, 0x02, 0x00}), DecodeFailure::badHeader});
    cases.push_back({"unknownBlockByte", withImageAfter(redGreenHeader(1, 1), {0x42}), DecodeFailure::badHeader});
    {
        Bytes gif = redGreenHeader(1, 1);
        appendTrailer(gif);
        cases.push_back({"trailerBeforeAnyImage", gif, DecodeFailure::truncated});
        Bytes zero = redGreenHeader(1, 1);
        zero.push_back(0x00);  // a zero block byte also ends the stream
        cases.push_back({"zeroBlockBeforeAnyImage", zero, DecodeFailure::truncated});
        Bytes comment = redGreenHeader(1, 1);
        append(comment, {0x21, 0xFE, 0x01, 'x', 0x00});  // a comment, then the data ends
        cases.push_back({"dataEndsBeforeAnyImage", comment, DecodeFailure::truncated});
    }
    {
        Bytes gif = redGreenHeader(1, 1);
        append(gif, {0x21, 0xFE, 0x09, 'x'});  // a comment sub-block of 9 bytes with 1 present
        cases.push_back({"extensionSubBlockPastEnd", gif, DecodeFailure::truncated});
    }
    {
        Bytes gif = redGreenHeader(1, 1);
        appendImageDescriptor(gif, {.width = 1, .height = 1});
        append(gif, {0x02, 0x05, 0x4C});  // minimum code size 2, a 5-byte sub-block with 1 present
        cases.push_back({"imageSubBlockPastEnd", gif, DecodeFailure::truncated});
        Bytes noTerminator = redGreenHeader(1, 1);
        appendImageDescriptor(noTerminator, {.width = 1, .height = 1});
        append(noTerminator, {0x02, 0x01, 0x4C});  // the data ends where the block terminator belongs
        cases.push_back({"imageWithoutBlockTerminator", noTerminator, DecodeFailure::truncated});
    }
    {
        Bytes gif = redGreenHeader(1, 1);
        append(gif, {0x2C, 0x00, 0x00, 0x00, 0x00, 0x01});  // the descriptor stops after 5 of its 9 bytes
        cases.push_back({"imageDescriptorCut", gif, DecodeFailure::truncated});
        Bytes table = redGreenHeader(1, 1);
        // A local table of 8 entries (size field 2) announced, 1 entry present.
        append(table, {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x82, 1, 2, 3});
        cases.push_back({"localTableCut", table, DecodeFailure::truncated});
    }
    {
        const Bytes codes = literalCodes(2, Bytes{1, 1});
        cases.push_back({"minimumCodeSize12", imageWithCodes(12, codes), DecodeFailure::corruptData});
        cases.push_back({"minimumCodeSize0", imageWithCodes(0, codes), DecodeFailure::corruptData});
        cases.push_back({"zeroWidthImage", imageWithCodes(2, codes, 0, 1), DecodeFailure::badHeader});
        cases.push_back({"zeroHeightImage", imageWithCodes(2, codes, 2, 0), DecodeFailure::badHeader});
        // 65535 × 65535 indices would all have to be decoded to pass the image.
        cases.push_back({"imageOfManyPixels", imageWithCodes(2, codes, 65535, 65535), DecodeFailure::tooLarge});
    }
    {
        CodePacker packer(2);
        packer.codes({packer.clearCode(), 1, 7, packer.endCode()});  // 7 when 6 is the next free code
        cases.push_back({"undefinedCode", imageWithCodes(2, packer.bytes()), DecodeFailure::corruptData});
        CodePacker first(2);
        first.codes({first.clearCode(), 6, first.endCode()});
        cases.push_back({"firstCodeNotLiteral", imageWithCodes(2, first.bytes()), DecodeFailure::corruptData});
    }
    return cases;
}

class RefusedGifStream : public ::testing::TestWithParam<RefusedGif> {};

TEST_P(RefusedGifStream, FailsForItsReason) {
    const auto picture = decodeGif(GetParam().bytes);
    ASSERT_FALSE(picture.ok());
    EXPECT_EQ(picture.failure(), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedGifStream, ::testing::ValuesIn(refusedGifs()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(GifStill, EmptyAndTinyInputsAreRefused) {
    for (std::size_t size = 0; size < 14; ++size) {
        SCOPED_TRACE(size);
        Bytes bytes = gifHeader(1, 1);
        bytes.push_back(0x3B);
        bytes.resize(size);
        const auto picture = decodeGif(bytes);
        ASSERT_FALSE(picture.ok());
        EXPECT_EQ(picture.failure(), DecodeFailure::truncated);
    }
}

TEST(GifStill, ScreenAtThePixelLimitIsAccepted) {
    // 16384 × 16384 is exactly 2^28 pixels.
    Bytes gif = withImageAfter(redGreenHeader(16384, 16384), {});
    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->width, 16384);
}

TEST(GifStill, AnythingAfterTheFirstImageIsNotRead) {
    Bytes gif = redGreenHeader(1, 1);
    appendLiteralImage(gif, {.width = 1, .height = 1}, Bytes{1});
    append(gif, {0x42, 0x42});  // garbage where the next block belongs
    const auto picture = decodeGif(gif);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(indexed(picture.value()).indices, (Bytes{1}));
}

// Files written by ImageMagick (tests/fixtures/README.md), checked against the pattern they
// were made from: every pixel's colour through the table must match.

Bytes readFixture(const std::string& name) {
    std::ifstream file(std::string(TESSVANE_FIXTURES) + "/gif/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

constexpr Rgb kPalette[5] = {{255, 0, 0}, {0, 160, 0}, {0, 0, 255}, {255, 255, 0}, {0, 0, 0}};

struct RealGif {
    const char* file;
    int width;
    int height;
    Rgb (*colourAt)(int x, int y);
};

class RealGifFile : public ::testing::TestWithParam<RealGif> {};

TEST_P(RealGifFile, MatchesItsSourcePattern) {
    const RealGif& c = GetParam();
    const Bytes bytes = readFixture(c.file);
    ASSERT_FALSE(bytes.empty()) << "missing fixture " << c.file;
    const auto picture = decodeGif(bytes);
    ASSERT_TRUE(picture.ok()) << static_cast<int>(picture.failure());
    ASSERT_EQ(picture->width, c.width);
    ASSERT_EQ(picture->height, c.height);
    const IndexedPixels& pixels = indexed(picture.value());
    ASSERT_EQ(pixels.width, c.width);
    ASSERT_EQ(pixels.height, c.height);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const Rgb colour = pixels.colours[pixels.indices[static_cast<std::size_t>(y * c.width + x)]];
            ASSERT_EQ(colour, c.colourAt(x, y)) << "at " << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, RealGifFile,
    ::testing::Values(RealGif{"stripes_24x16.gif", 24, 16, [](int x, int y) { return kPalette[(x / 3 + y / 2) % 5]; }},
                      RealGif{"stripes_interlaced_24x16.gif", 24, 16,
                              [](int x, int y) { return kPalette[(x / 3 + y / 2) % 5]; }},
                      // Enough variety to fill the encoder's table: its clear codes come mid-stream.
                      RealGif{"noise_160x160.gif", 160, 160,
                              [](int x, int y) {
                                  const std::uint32_t mixed = (static_cast<std::uint32_t>(x) * 73856093U) ^
                                                              (static_cast<std::uint32_t>(y) * 19349663U);
                                  return kPalette[mixed % 5];
                              }}),
    [](const auto& row) {
        std::string name = row.param.file;
        std::erase_if(name, [](char c) { return c == '.' || c == '_'; });
        return name;
    });

}  // namespace
}  // namespace tessvane::decode
