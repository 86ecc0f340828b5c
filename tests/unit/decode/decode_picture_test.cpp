#include "picture/decode/decode_picture.h"

#include "picture/decode/gif_decoder.h"
#include "picture/decode/jpeg_decoder.h"
#include "tests/unit/decode/picture_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessvane::decode {
namespace {

using namespace test;

ByteBuffer smallBmp() {
    return makeBmp({.dib = {.width = 1, .height = 1, .bitsPerPixel = 24}, .pixelData = paddedRows({{1, 2, 3}})});
}

ByteBuffer smallIcon(std::uint16_t type) {
    const ByteBuffer image = makeIconImage({.dib = {.width = 1, .height = 1, .bitsPerPixel = 1},
                                            .colours = {{0, 0, 0}, {9, 9, 9}},
                                            .colourRows = {{0x80}},
                                            .maskRows = {{0x00}}});
    return makeIconFile(type, {{.width = 1, .height = 1, .image = image}});
}

ByteBuffer smallPcx(std::uint8_t bitsPerPixel, std::uint8_t version) {
    return makePcx({.version = version, .bitsPerPixel = bitsPerPixel, .bytesPerLine = 2, .coded = {0xC2, 0x01}});
}

struct DispatchCase {
    std::string name;
    std::function<ByteBuffer()> makeFile;
    PictureKind expected;
};

class DecodePictureDispatchTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DecodePictureDispatchTest, RecognisesAndDecodes) {
    const ByteBuffer file = GetParam().makeFile();
    const std::optional<DecodedPicture> picture = decodePicture(file);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->kind, GetParam().expected);
    EXPECT_EQ(picture->width, 1);
    EXPECT_EQ(picture->height, 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DecodePictureDispatchTest,
                         ::testing::Values(DispatchCase{"bmp", smallBmp, PictureKind::bmp},
                                           DispatchCase{"icon", [] { return smallIcon(kIconType); }, PictureKind::icon},
                                           DispatchCase{"cursor", [] { return smallIcon(kCursorType); },
                                                        PictureKind::cursor},
                                           DispatchCase{"pcx8", [] { return smallPcx(8, 5); }, PictureKind::pcx8},
                                           DispatchCase{"pcx1", [] { return smallPcx(1, 3); }, PictureKind::pcx1}),
                         [](const auto& row) { return row.param.name; });

// JPEG and GIF have decoders of their own; whatever they make of a file, decodePicture
// must give the same.
TEST(DecodePictureDispatch, JpegAndGifGoToTheirDecoders) {
    struct Case {
        const char* fixture;
        DecodeResult<DecodedPicture> (*decoder)(ByteSpan);
    };
    for (const Case& c : {Case{"jpeg/colour_41x37.jpg", decodeJpeg}, Case{"gif/stripes_24x16.gif", decodeGif}}) {
        SCOPED_TRACE(c.fixture);
        const ByteBuffer file = readFixture(c.fixture);
        ASSERT_FALSE(file.empty());
        const auto direct = c.decoder(file);
        const auto dispatched = decodePictureWithReason(file);
        ASSERT_EQ(dispatched.ok(), direct.ok());
        if (direct.ok()) {
            EXPECT_EQ(dispatched->kind, direct->kind);
            EXPECT_EQ(dispatched->width, direct->width);
            EXPECT_EQ(dispatched->height, direct->height);
        } else {
            EXPECT_EQ(dispatched.failure(), direct.failure());
        }
    }
}

struct NoPictureCase {
    std::string name;
    std::function<ByteBuffer()> makeFile;
    DecodeFailure expected;
};

class DecodePictureRefusedTest : public ::testing::TestWithParam<NoPictureCase> {};

TEST_P(DecodePictureRefusedTest, GivesNoneWithTheReason) {
    const ByteBuffer file = GetParam().makeFile();
    const auto withReason = decodePictureWithReason(file);
    ASSERT_FALSE(withReason.ok());
    EXPECT_EQ(withReason.failure(), GetParam().expected);
    EXPECT_FALSE(decodePicture(file).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Refused, DecodePictureRefusedTest,
    ::testing::Values(
        NoPictureCase{"png",
                      [] {
                          return ByteBuffer{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
                      },
                      DecodeFailure::unsupported},
        NoPictureCase{"text", [] { return ByteBuffer{'B', 'a', 'n', 'a', 'n', 'a', '\n'}; }, DecodeFailure::unsupported},
        NoPictureCase{"fiveBytes", [] { return ByteBuffer{'B', 'M', 0, 0, 0}; }, DecodeFailure::unsupported},
        NoPictureCase{"empty", [] { return ByteBuffer{}; }, DecodeFailure::unsupported},
        NoPictureCase{"iconWithoutImages", [] { return ByteBuffer{0, 0, 1, 0, 0, 0, 0, 0}; }, DecodeFailure::unsupported},
        // Recognised, then refused by the decoder, whose reason comes through unchanged.
        NoPictureCase{"sixteenBitBmp",
                      [] {
                          return makeBmp({.dib = {.width = 1, .height = 1, .bitsPerPixel = 16},
                                          .pixelData = paddedRows({{1, 2}})});
                      },
                      DecodeFailure::unsupported},
        NoPictureCase{"bmpCutShort",
                      [] {
                          ByteBuffer file = smallBmp();
                          file.resize(56);
                          return file;
                      },
                      DecodeFailure::truncated},
        NoPictureCase{"iconCutShort",
                      [] {
                          ByteBuffer file = smallIcon(kIconType);
                          file.resize(file.size() - 1);
                          return file;
                      },
                      DecodeFailure::truncated},
        NoPictureCase{"pcxHeaderOnly",
                      [] {
                          ByteBuffer file = smallPcx(8, 5);
                          file.resize(128);
                          return file;
                      },
                      DecodeFailure::truncated}),
    [](const auto& row) { return row.param.name; });

}  // namespace
}  // namespace tessvane::decode
