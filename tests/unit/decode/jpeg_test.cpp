#include "picture/decode/jpeg_decoder.h"
#include "picture/decode/jpeg_session.h"
#include "picture/decode/limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tessvane::decode {
namespace {

ByteBuffer readFixture(const std::string& name) {
    std::ifstream file(std::string(TESSVANE_FIXTURES) + "/jpeg/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return ByteBuffer(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A binary PGM (P5) or PPM (P6) as djpeg writes it: magic, width, height, 255, one
// whitespace byte, then the samples.
struct Pnm {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> samples;
};

Pnm readPnm(const std::string& name) {
    std::ifstream file(std::string(TESSVANE_FIXTURES) + "/jpeg/" + name, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Pnm pnm;
    file >> magic >> pnm.width >> pnm.height >> maxValue;
    file.get();
    EXPECT_TRUE(file) << name;
    EXPECT_EQ(maxValue, 255) << name;
    pnm.channels = magic == "P5" ? 1 : 3;
    pnm.samples.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    EXPECT_EQ(pnm.samples.size(), static_cast<std::size_t>(pnm.width * pnm.height * pnm.channels)) << name;
    return pnm;
}

// The reference pixels as red, green, blue: a grey sample stands for all three colours.
std::vector<std::uint8_t> expectedRgb(const Pnm& pnm) {
    if (pnm.channels == 3) {
        return pnm.samples;
    }
    std::vector<std::uint8_t> rgb;
    for (const std::uint8_t grey : pnm.samples) {
        rgb.insert(rgb.end(), {grey, grey, grey});
    }
    return rgb;
}

const std::vector<std::uint8_t>& rgbOf(const DecodedPicture& picture) {
    return std::get<RgbPixels>(picture.pixels).rgb;
}

// The offset of the first marker FF code in the data, or the data's size.
std::size_t findMarker(const ByteBuffer& data, std::uint8_t code, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < data.size(); ++i) {
        if (data[i] == 0xFF && data[i + 1] == code) {
            return i;
        }
    }
    return data.size();
}

// --- Files made by cjpeg, against what djpeg makes of them ---

struct ReferenceCase {
    const char* jpeg;
    const char* expected;
};

class JpegReference : public testing::TestWithParam<ReferenceCase> {};

TEST_P(JpegReference, DecodesToTheSamePixelsAsDjpeg) {
    const ByteBuffer bytes = readFixture(GetParam().jpeg);
    const Pnm reference = readPnm(GetParam().expected);

    const auto picture = decodeJpeg(bytes);
    ASSERT_TRUE(picture.ok()) << static_cast<int>(picture.failure());
    EXPECT_EQ(picture->kind, PictureKind::jpeg);
    EXPECT_EQ(picture->width, reference.width);
    EXPECT_EQ(picture->height, reference.height);
    EXPECT_EQ(rgbOf(picture.value()), expectedRgb(reference));
}

INSTANTIATE_TEST_SUITE_P(Jpeg, JpegReference,
                         testing::Values(ReferenceCase{"colour_41x37.jpg", "colour_41x37.ppm"},
                                         ReferenceCase{"grey_41x37.jpg", "grey_41x37.pgm"},
                                         ReferenceCase{"progressive_41x37.jpg", "progressive_41x37.ppm"}),
                         [](const testing::TestParamInfo<ReferenceCase>& row) {
                             const std::string name = row.param.jpeg;
                             return name.substr(0, name.find('_'));
                         });

// A file cut in the middle of its entropy-coded data still gives the whole picture; for a
// sequential file, the rows decoded before the cut are the true ones.
TEST(Jpeg, CutHalfwayThroughItsScanDataStillDecodes) {
    struct Case {
        const char* jpeg;
        const char* expected;
        bool topRowIntact;
    };
    for (const Case& c : {Case{"colour_41x37.jpg", "colour_41x37.ppm", true},
                          Case{"progressive_41x37.jpg", "progressive_41x37.ppm", false}}) {
        SCOPED_TRACE(c.jpeg);
        ByteBuffer bytes = readFixture(c.jpeg);
        const Pnm reference = readPnm(c.expected);
        const std::size_t scan = findMarker(bytes, 0xDA);
        ASSERT_LT(scan, bytes.size());
        bytes.resize(scan + (bytes.size() - scan) / 2);

        const auto picture = decodeJpeg(bytes);
        ASSERT_TRUE(picture.ok()) << static_cast<int>(picture.failure());
        EXPECT_EQ(picture->width, 41);
        EXPECT_EQ(picture->height, 37);
        ASSERT_EQ(rgbOf(picture.value()).size(), std::size_t{41 * 37 * 3});
        if (c.topRowIntact) {
            const std::vector<std::uint8_t> expected = expectedRgb(reference);
            EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 41 * 3, rgbOf(picture.value()).begin()));
        }
    }
}

// --- Refused files: the reason is checked so a file refused by the wrong rule shows ---

// The headers of a 3-component frame up to its first scan: enough for libjpeg to report the
// frame's size, with a few bytes of scan data and the end-of-image marker after them.
ByteBuffer frameHeaders(std::uint16_t width, std::uint16_t height, std::uint8_t precision = 8) {
    // clang-format off
    ByteBuffer bytes = {
        0xFF, 0xD8,                                // start of image
        0xFF, 0xC0, 0x00, 0x11,                    // baseline frame header, 17 bytes
        precision,                                 // bits per sample
        static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
        static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
        0x03,                                      // three components:
        0x01, 0x11, 0x00,                          //   id 1, 1 × 1 sampling, quantisation table 0
        0x02, 0x11, 0x00,                          //   id 2
        0x03, 0x11, 0x00,                          //   id 3
        0xFF, 0xDA, 0x00, 0x0C,                    // start of scan, 12 bytes
        0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11,  // the three components and their Huffman tables
        0x00, 0x3F, 0x00,                          // coefficients 0..63, no approximation
    };
    // clang-format on
    bytes.insert(bytes.end(), 16, 0x00);
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    return bytes;
}

// The progressive fixture with its last scan repeated: every copy is read as one more scan.
ByteBuffer withLastScanRepeated(int copies) {
    const ByteBuffer original = readFixture("progressive_41x37.jpg");
    std::size_t lastScan = original.size();
    for (std::size_t at = findMarker(original, 0xDA); at < original.size(); at = findMarker(original, 0xDA, at + 2)) {
        lastScan = at;
    }
    const std::size_t end = findMarker(original, 0xD9, lastScan);
    EXPECT_LT(end, original.size());
    ByteBuffer bytes(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(end));
    for (int i = 0; i < copies; ++i) {
        bytes.insert(bytes.end(), original.begin() + static_cast<std::ptrdiff_t>(lastScan),
                     original.begin() + static_cast<std::ptrdiff_t>(end));
    }
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    return bytes;
}

ByteBuffer text(const std::string& value) { return ByteBuffer(value.begin(), value.end()); }

ByteBuffer afterStartOfImage(ByteBuffer rest) {
    rest.insert(rest.begin(), {0xFF, 0xD8});
    return rest;
}

struct RefusalCase {
    const char* name;
    ByteBuffer bytes;
    DecodeFailure expected;
};

TEST(Jpeg, RefusesBadFilesForTheRightReason) {
    const RefusalCase cases[] = {
        {"empty", {}, DecodeFailure::truncated},
        {"start of image and four more bytes", afterStartOfImage({0x00, 0x00, 0x00, 0x00}), DecodeFailure::truncated},
        {"text after the start of image", afterStartOfImage(text("no markers in here, just words")),
         DecodeFailure::truncated},
        {"reserved marker after the start of image", afterStartOfImage({0xFF, 0x02, 0x00, 0x04, 0x00, 0x00}),
         DecodeFailure::badHeader},
        {"no start of image", text("BM and then nothing like a JPEG"), DecodeFailure::badHeader},
        {"zero width", frameHeaders(0, 8), DecodeFailure::badHeader},
        {"12-bit samples", frameHeaders(8, 8, 12), DecodeFailure::unsupported},
        {"65000 x 65000 frame", frameHeaders(65000, 65000), DecodeFailure::tooLarge},
        {"beyond libjpeg's own size cap", frameHeaders(65535, 1), DecodeFailure::tooLarge},
        {"CMYK", readFixture("cmyk_8x8.jpg"), DecodeFailure::unsupported},
        {"5000 scans", withLastScanRepeated(5000), DecodeFailure::tooLarge},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = decodeJpeg(c.bytes);
        ASSERT_FALSE(picture.ok());
        EXPECT_EQ(picture.failure(), c.expected);
    }
}

// The scan cap stops only files with absurdly many scans: a few extra ones still decode.
TEST(Jpeg, ProgressiveFileWithAFewExtraScansStillDecodes) {
    const auto picture = decodeJpeg(withLastScanRepeated(20));
    ASSERT_TRUE(picture.ok()) << static_cast<int>(picture.failure());
    EXPECT_EQ(picture->width, 41);
    EXPECT_EQ(picture->height, 37);
}

// A frame beyond the limits is refused before the output is asked for, so a crafted header
// never makes the decoder take memory for it.
TEST(JpegSession, ChecksTheFrameBeforeAskingForOutput) {
    struct Counter {
        int calls = 0;
        std::vector<std::uint8_t> output;
    };
    const auto provide = [](void* context, std::uint32_t width, std::uint32_t height) noexcept -> std::uint8_t* {
        auto& counter = *static_cast<Counter*>(context);
        ++counter.calls;
        // Never take memory for a frame this test does not expect to decode.
        if (std::size_t{width} * height > 4096) {
            return nullptr;
        }
        counter.output.resize(std::size_t{width} * height * 3);
        return counter.output.data();
    };

    Counter huge;
    const ByteBuffer hugeFrame = frameHeaders(65000, 65000);
    const JpegSessionResult refused = runJpegSession(hugeFrame.data(), hugeFrame.size(), provide, &huge);
    EXPECT_EQ(refused.outcome, JpegOutcome::frameTooLarge);
    EXPECT_EQ(huge.calls, 0);

    Counter small;
    const ByteBuffer smallFile = readFixture("colour_41x37.jpg");
    const JpegSessionResult decoded = runJpegSession(smallFile.data(), smallFile.size(), provide, &small);
    EXPECT_EQ(decoded.outcome, JpegOutcome::decoded);
    EXPECT_EQ(small.calls, 1);
}

// When no output memory can be had, the run ends cleanly instead of writing anywhere.
TEST(JpegSession, StopsWhenNoOutputCanBeHad) {
    const auto refuse = [](void*, std::uint32_t, std::uint32_t) noexcept -> std::uint8_t* { return nullptr; };
    const ByteBuffer bytes = readFixture("colour_41x37.jpg");
    const JpegSessionResult result = runJpegSession(bytes.data(), bytes.size(), refuse, nullptr);
    EXPECT_EQ(result.outcome, JpegOutcome::noOutputMemory);
}

}  // namespace
}  // namespace tessvane::decode
