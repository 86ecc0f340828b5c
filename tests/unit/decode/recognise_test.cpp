#include "picture/decode/recognise_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessvane::decode {
namespace {

struct RecognitionCase {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::optional<PictureKind> expected;
};

class RecogniseTest : public ::testing::TestWithParam<RecognitionCase> {};

TEST_P(RecogniseTest, JudgesTheFirstSixBytes) {
    EXPECT_EQ(recognisePicture(GetParam().bytes), GetParam().expected);
}

using K = PictureKind;

INSTANTIATE_TEST_SUITE_P(
    Signatures, RecogniseTest,
    ::testing::Values(
        RecognitionCase{"bmp", {'B', 'M', 0x36, 0x75, 0, 0}, K::bmp},
        RecognitionCase{"jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10}, K::jpeg},
        RecognitionCase{"icon", {0, 0, 1, 0, 1, 0}, K::icon},
        // The count is little-endian: 256 images.
        RecognitionCase{"iconCountHighByte", {0, 0, 1, 0, 0, 1}, K::icon},
        RecognitionCase{"iconCountZero", {0, 0, 1, 0, 0, 0}, std::nullopt},
        RecognitionCase{"cursor", {0, 0, 2, 0, 3, 0}, K::cursor},
        RecognitionCase{"cursorCountZero", {0, 0, 2, 0, 0, 0}, std::nullopt},
        RecognitionCase{"typeThree", {0, 0, 3, 0, 1, 0}, std::nullopt},
        RecognitionCase{"gif87a", {'G', 'I', 'F', '8', '7', 'a'}, K::gif},
        RecognitionCase{"gif89a", {'G', 'I', 'F', '8', '9', 'a'}, K::gif},
        RecognitionCase{"gif88a", {'G', 'I', 'F', '8', '8', 'a'}, std::nullopt},
        RecognitionCase{"pcx8Version5", {0x0A, 5, 1, 8, 0, 0}, K::pcx8},
        RecognitionCase{"pcx8Version0", {0x0A, 0, 1, 8, 0, 0}, K::pcx8},
        RecognitionCase{"pcx8Version6", {0x0A, 6, 1, 8, 0, 0}, std::nullopt},
        RecognitionCase{"pcxUncoded", {0x0A, 5, 0, 8, 0, 0}, std::nullopt},
        RecognitionCase{"pcx1", {0x0A, 3, 1, 1, 0, 0}, K::pcx1},
        // Monochrome is recognised with version 3 only.
        RecognitionCase{"pcx1Version5", {0x0A, 5, 1, 1, 0, 0}, std::nullopt},
        RecognitionCase{"pcxFourBits", {0x0A, 5, 1, 4, 0, 0}, std::nullopt},
        RecognitionCase{"png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, std::nullopt},
        RecognitionCase{"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, std::nullopt},
        RecognitionCase{"fiveBytesOfBmp", {'B', 'M', 0, 0, 0}, std::nullopt},
        RecognitionCase{"fiveBytesOfGif", {'G', 'I', 'F', '8', '9'}, std::nullopt},
        RecognitionCase{"empty", {}, std::nullopt}),
    [](const auto& row) { return row.param.name; });

}  // namespace
}  // namespace tessvane::decode
