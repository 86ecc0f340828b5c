#include "picture/decode/gif_frame_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/unit/decode/gif_bytes.h"

namespace tessvane::decode {
namespace {

using namespace testing;  // the GIF byte builders

// A 4 × 4 screen with a global table of 4 colours: black, red, green, blue.
Bytes screenHeader() { return gifHeader(4, 4, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}, 1); }

// A 1 × 1 image at (x, y) whose one index is value: which image came is told by its index.
void appendMarkedImage(Bytes& gif, std::uint8_t value, unsigned x = 0, unsigned y = 0) {
    appendLiteralImage(gif, {.left = x, .top = y, .width = 1, .height = 1}, Bytes{value});
}

// A 2 × 1 image whose second code is corrupt (7 while 6 is the next free code).
void appendCorruptImage(Bytes& gif) {
    CodePacker packer(2);
    packer.codes({packer.clearCode(), 1, 7, packer.endCode()});
    appendImage(gif, {.width = 2, .height = 1}, 2, packer.bytes());
}

GifFrameSequence openOrDie(const Bytes& gif) {
    auto sequence = GifFrameSequence::open(gif);
    if (!sequence) {
        ADD_FAILURE() << "open failed: " << static_cast<int>(sequence.failure());
        std::abort();
    }
    return std::move(sequence).value();
}

// What one nextImage call gave: the marking index of the image, or the failure.
struct Step {
    bool image;
    int valueOrFailure;
    std::uint64_t restarts;
    friend bool operator==(const Step&, const Step&) = default;
};

Step imageStep(int value, std::uint64_t restarts) { return {true, value, restarts}; }
Step failStep(DecodeFailure failure, std::uint64_t restarts) { return {false, static_cast<int>(failure), restarts}; }

std::ostream& operator<<(std::ostream& out, const Step& step) {
    return out << (step.image ? "image " : "failure ") << step.valueOrFailure << " after " << step.restarts
               << " restarts";
}

std::vector<Step> play(GifFrameSequence& sequence, int calls) {
    std::vector<Step> steps;
    for (int call = 0; call < calls; ++call) {
        const auto image = sequence.nextImage();
        if (image) {
            steps.push_back(imageStep(image->pixels.indices.at(0), sequence.restarts()));
        } else {
            steps.push_back(failStep(image.failure(), sequence.restarts()));
        }
    }
    return steps;
}

TEST(GifFrameSequence, OpenReadsTheScreenAndRefusesWhatTheStillPictureRefuses) {
    Bytes gif = screenHeader();
    appendMarkedImage(gif, 1);
    appendTrailer(gif);
    const auto sequence = GifFrameSequence::open(gif);
    ASSERT_TRUE(sequence.ok());
    EXPECT_EQ(sequence->screenWidth(), 4);
    EXPECT_EQ(sequence->screenHeight(), 4);

    Bytes badSignature = gif;
    badSignature[3] = '9';  // "GIF99a"
    EXPECT_EQ(GifFrameSequence::open(badSignature).failure(), DecodeFailure::badHeader);
    EXPECT_EQ(GifFrameSequence::open(screenHeader()).failure(), DecodeFailure::truncated)
        << "the global table reaches the end of the data";
    Bytes huge = gifHeader(65535, 65535);
    appendTrailer(huge);
    EXPECT_EQ(GifFrameSequence::open(huge).failure(), DecodeFailure::tooLarge);
}

TEST(GifFrameSequence, KeepsItsOwnCopyOfTheBytes) {
    Bytes gif = screenHeader();
    appendMarkedImage(gif, 2);
    appendTrailer(gif);
    auto sequence = openOrDie(gif);
    std::fill(gif.begin(), gif.end(), 0xFF);
    EXPECT_EQ(play(sequence, 2), (std::vector{imageStep(2, 0), imageStep(2, 1)}));
}

TEST(GifFrameSequence, GraphicControlValuesLastButDisposalIsUsedOnce) {
    Bytes gif = screenHeader();
    appendGraphicControl(gif, 2, true, 7, 3);  // restore background, transparent index 3, 7 cs
    appendMarkedImage(gif, 1);
    appendMarkedImage(gif, 2);
    appendGraphicControl(gif, 1, false, 0, 0);  // keep, no transparency, no delay
    appendMarkedImage(gif, 3);
    appendGraphicControl(gif, 3, false, 12, 0);  // restore previous, 12 cs
    append(gif, {0x21, 0xFE, 0x01, 'c', 0x00});  // a comment between the control and its image
    appendMarkedImage(gif, 1);
    appendGraphicControl(gif, 6, true, 1, 2);  // a reserved disposal method
    appendMarkedImage(gif, 2);
    appendTrailer(gif);
    auto sequence = openOrDie(gif);

    struct Expected {
        GifDisposal disposal;
        bool transparent;
        std::uint8_t transparentIndex;
        std::uint16_t delay;
    };
    const Expected expected[] = {
        {GifDisposal::restoreBackground, true, 3, 7},
        {GifDisposal::unspecified, true, 3, 7},
        {GifDisposal::keep, false, 0, 0},
        {GifDisposal::restorePrevious, false, 0, 12},
        {GifDisposal::unspecified, true, 2, 1},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const auto image = sequence.nextImage();
        ASSERT_TRUE(image.ok());
        EXPECT_EQ(image->disposal, expected[i].disposal);
        EXPECT_EQ(image->transparent, expected[i].transparent);
        EXPECT_EQ(image->transparentIndex, expected[i].transparentIndex);
        EXPECT_EQ(image->delayCentiseconds, expected[i].delay);
    }
}

TEST(GifFrameSequence, ControlValuesStartAfreshWithEachPass) {
    // The graphic control before the second image must not carry over to the first one
    // when the sequence starts again.
    Bytes gif = screenHeader();
    appendMarkedImage(gif, 1);
    appendGraphicControl(gif, 2, true, 40, 3);
    appendMarkedImage(gif, 2);
    appendTrailer(gif);
    auto sequence = openOrDie(gif);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        const auto first = sequence.nextImage();
        ASSERT_TRUE(first.ok());
        EXPECT_FALSE(first->transparent);
        EXPECT_EQ(first->delayCentiseconds, 0);
        EXPECT_EQ(first->disposal, GifDisposal::unspecified);
        const auto second = sequence.nextImage();
        ASSERT_TRUE(second.ok());
        EXPECT_TRUE(second->transparent);
        EXPECT_EQ(second->delayCentiseconds, 40);
    }
}

TEST(GifFrameSequence, ImagesKeepTheirPlaceAndTheirTable) {
    Bytes gif = screenHeader();
    // 2 × 1 at (1, 2) with a local table of 2 entries: white, grey.
    appendLiteralImage(gif, {.left = 1, .top = 2, .width = 2, .height = 1, .localColours = {255, 255, 255, 9, 9, 9}},
                       Bytes{1, 0});
    appendTrailer(gif);
    auto sequence = openOrDie(gif);
    const auto image = sequence.nextImage();
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image->left, 1);
    EXPECT_EQ(image->top, 2);
    EXPECT_EQ(image->pixels.width, 2);
    EXPECT_EQ(image->pixels.height, 1);
    EXPECT_EQ(image->pixels.indices, (Bytes{1, 0}));
    EXPECT_EQ(image->pixels.colours[1], (Rgb{9, 9, 9}));
    EXPECT_EQ(image->pixels.colours[2], Rgb{});
}

TEST(GifFrameSequence, ImageReachingPastTheScreenKeepsTheVisiblePart) {
    // A 3 × 3 image at (2, 3) on the 4 × 4 screen: columns 0 and 1 of row 0 show. Once
    // stored in order and once interlaced, where the visible row comes first and the
    // rest need not be decoded.
    for (const Interlace interlace : {Interlace::no, Interlace::yes}) {
        SCOPED_TRACE(interlace == Interlace::yes ? "interlaced" : "in order");
        Bytes gif = screenHeader();
        appendLiteralImage(gif, {.left = 2, .top = 3, .width = 3, .height = 3, .interlace = interlace},
                           Bytes{1, 2, 3, 0, 0, 0, 0, 0, 0});
        appendTrailer(gif);
        auto sequence = openOrDie(gif);
        const auto image = sequence.nextImage();
        ASSERT_TRUE(image.ok());
        EXPECT_EQ(image->left, 2);
        EXPECT_EQ(image->top, 3);
        EXPECT_EQ(image->pixels.width, 2);
        EXPECT_EQ(image->pixels.height, 1);
        EXPECT_EQ(image->pixels.indices, (Bytes{1, 2}));
    }
}

TEST(GifFrameSequence, InterlacedImageClippedOnTwoSidesKeepsItsRowsInOrder) {
    // 3 × 6 interlaced at (2, 0) on the 4 × 4 screen: columns 0 and 1 of rows 0 to 3.
    // Index = 10 × row + column, rows stored in the order 0, 4, 2, 1, 3, 5.
    Bytes gif = screenHeader();
    Bytes stored;
    for (const std::uint8_t row : {0, 4, 2, 1, 3, 5}) {
        for (std::uint8_t column = 0; column < 3; ++column) {
            stored.push_back(static_cast<std::uint8_t>(10 * row + column));
        }
    }
    appendLiteralImage(gif, {.left = 2, .top = 0, .width = 3, .height = 6, .interlace = Interlace::yes}, stored, 6);
    appendTrailer(gif);
    auto sequence = openOrDie(gif);
    const auto image = sequence.nextImage();
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image->pixels.width, 2);
    EXPECT_EQ(image->pixels.height, 4);
    EXPECT_EQ(image->pixels.indices, (Bytes{0, 1, 10, 11, 20, 21, 30, 31}));
}

TEST(GifFrameSequence, ImagesThatGiveNothingAreSkippedAndReadingGoesOn) {
    struct Case {
        const char* name;
        void (*appendBad)(Bytes&);
        DecodeFailure reason;
    };
    const Case cases[] = {
        {"wholly right of the screen", [](Bytes& gif) { appendMarkedImage(gif, 3, 4, 0); }, DecodeFailure::badHeader},
        {"wholly below the screen", [](Bytes& gif) { appendMarkedImage(gif, 3, 0, 60000); }, DecodeFailure::badHeader},
        {"corrupt code", appendCorruptImage, DecodeFailure::corruptData},
        {"minimum code size 12",
         [](Bytes& gif) { appendImage(gif, {.width = 1, .height = 1}, 12, literalCodes(2, Bytes{1})); },
         DecodeFailure::corruptData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes gif = screenHeader();
        appendGraphicControl(gif, 2, false, 5, 0);  // its disposal is used up by the bad image
        c.appendBad(gif);
        appendMarkedImage(gif, 2);
        appendTrailer(gif);
        auto sequence = openOrDie(gif);
        const auto bad = sequence.nextImage();
        ASSERT_FALSE(bad.ok());
        EXPECT_EQ(bad.failure(), c.reason);
        const auto good = sequence.nextImage();
        ASSERT_TRUE(good.ok());
        EXPECT_EQ(good->pixels.indices, Bytes{2});
        EXPECT_EQ(good->disposal, GifDisposal::unspecified);
        EXPECT_EQ(good->delayCentiseconds, 5);
        EXPECT_EQ(sequence.restarts(), 0U);
    }
}

TEST(GifFrameSequence, EndOfStreamStartsAgainWithinTheSameCall) {
    struct Case {
        const char* name;
        Bytes ending;
    };
    const Case cases[] = {{"trailer", {0x3B}}, {"zero block byte", {0x00}}, {"data ends", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes gif = screenHeader();
        appendMarkedImage(gif, 1);
        appendMarkedImage(gif, 2);
        gif.insert(gif.end(), c.ending.begin(), c.ending.end());
        auto sequence = openOrDie(gif);
        EXPECT_EQ(play(sequence, 5),
                  (std::vector{imageStep(1, 0), imageStep(2, 0), imageStep(1, 1), imageStep(2, 1), imageStep(1, 2)}));
    }
}

TEST(GifFrameSequence, UnreadableBlockFailsTheCallAndTheNextStartsAgain) {
    struct Case {
        const char* name;
        Bytes tail;
        DecodeFailure reason;
    };
    const Case cases[] = {
        {"unknown block byte", {0x42, 0x3B}, DecodeFailure::badHeader},
        {"unknown extension label", {0x21, 0x77, 0x00, 0x3B}, DecodeFailure::badHeader},
        {"comment sub-block past the end", {0x21, 0xFE, 0x20, 'x'}, DecodeFailure::truncated},
        {"image descriptor cut", {0x2C, 0x00, 0x00}, DecodeFailure::truncated},
        {"image sub-block past the end",
         {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00, 0x02, 0x09, 0x4C},
         DecodeFailure::truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes gif = screenHeader();
        appendMarkedImage(gif, 1);
        appendMarkedImage(gif, 2);
        gif.insert(gif.end(), c.tail.begin(), c.tail.end());
        auto sequence = openOrDie(gif);
        EXPECT_EQ(play(sequence, 6), (std::vector{imageStep(1, 0), imageStep(2, 0), failStep(c.reason, 1),
                                                  imageStep(1, 1), imageStep(2, 1), failStep(c.reason, 2)}));
    }
}

TEST(GifFrameSequence, StreamWithoutImagesFailsEveryCallAfterOnePass) {
    struct Case {
        const char* name;
        Bytes blocks;
        DecodeFailure reason;
    };
    const Case cases[] = {
        {"trailer only", {0x3B}, DecodeFailure::truncated},
        {"extensions then trailer",
         {0x21, 0xFE, 0x01, 'c', 0x00, 0x21, 0xF9, 0x04, 0, 0, 0, 0, 0x00, 0x3B},
         DecodeFailure::truncated},
        {"extension then the data ends", {0x21, 0xFE, 0x01, 'c', 0x00}, DecodeFailure::truncated},
        {"unknown block", {0x99}, DecodeFailure::badHeader},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes gif = screenHeader();
        gif.insert(gif.end(), c.blocks.begin(), c.blocks.end());
        auto sequence = openOrDie(gif);
        EXPECT_EQ(play(sequence, 3),
                  (std::vector{failStep(c.reason, 1), failStep(c.reason, 2), failStep(c.reason, 3)}));
    }
}

TEST(GifFrameSequence, StreamWhoseOnlyImageIsCorruptFailsEveryCall) {
    Bytes gif = screenHeader();
    appendCorruptImage(gif);
    appendTrailer(gif);
    auto sequence = openOrDie(gif);
    EXPECT_EQ(play(sequence, 3),
              (std::vector{failStep(DecodeFailure::corruptData, 0), failStep(DecodeFailure::corruptData, 1),
                           failStep(DecodeFailure::corruptData, 2)}));
}

TEST(GifFrameSequence, AtEndOfStreamTellsStillFromAnimated) {
    struct Case {
        const char* name;
        int images;
        Bytes ending;
        bool endAfterFirst;
    };
    const Case cases[] = {
        {"one image, trailer", 1, {0x3B}, true},
        {"one image, zero byte", 1, {0x00}, true},
        {"one image, data ends", 1, {}, true},
        {"one image, comment, trailer", 1, {0x21, 0xFE, 0x01, 'c', 0x00, 0x3B}, false},
        {"two images", 2, {0x3B}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes gif = screenHeader();
        for (int image = 0; image < c.images; ++image) {
            appendMarkedImage(gif, 1);
        }
        gif.insert(gif.end(), c.ending.begin(), c.ending.end());
        auto sequence = openOrDie(gif);
        EXPECT_FALSE(sequence.atEndOfStream()) << "an image comes first";
        ASSERT_TRUE(sequence.nextImage().ok());
        EXPECT_EQ(sequence.atEndOfStream(), c.endAfterFirst);
    }
}

TEST(GifFrameSequence, RestartGoesBackToTheFirstImageUncounted) {
    Bytes gif = screenHeader();
    appendMarkedImage(gif, 1);
    appendMarkedImage(gif, 2);
    appendMarkedImage(gif, 3);
    appendTrailer(gif);
    auto sequence = openOrDie(gif);
    ASSERT_TRUE(sequence.nextImage().ok());
    ASSERT_TRUE(sequence.nextImage().ok());
    sequence.restart();
    EXPECT_EQ(play(sequence, 2), (std::vector{imageStep(1, 0), imageStep(2, 0)}));
}

// tests/fixtures/gif/animation_8x6.gif, written by ImageMagick: a red 8 × 6 image, a blue
// 4 × 3 one at (3, 2) that restores the background, and a transparent 2 × 2 one at (1, 1)
// that restores what was before it.
TEST(GifFrameSequence, ReadsAnAnimationWrittenByImageMagick) {
    std::ifstream file(std::string(TESSVANE_FIXTURES) + "/gif/animation_8x6.gif", std::ios::binary);
    const Bytes bytes(std::istreambuf_iterator<char>(file), {});
    ASSERT_FALSE(bytes.empty());
    auto sequence = openOrDie(bytes);
    EXPECT_EQ(sequence.screenWidth(), 8);
    EXPECT_EQ(sequence.screenHeight(), 6);

    struct Frame {
        int left, top, width, height;
        Rgb colour;
        GifDisposal disposal;
        bool transparent;
        std::uint16_t delay;
    };
    const Frame frames[] = {
        {0, 0, 8, 6, {255, 0, 0}, GifDisposal::unspecified, false, 10},
        {3, 2, 4, 3, {0, 0, 255}, GifDisposal::restoreBackground, false, 25},
        {1, 1, 2, 2, {0, 0, 0}, GifDisposal::restorePrevious, true, 0},
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < std::size(frames); ++i) {
            SCOPED_TRACE(i);
            const Frame& f = frames[i];
            const auto image = sequence.nextImage();
            ASSERT_TRUE(image.ok());
            EXPECT_EQ(image->left, f.left);
            EXPECT_EQ(image->top, f.top);
            ASSERT_EQ(image->pixels.width, f.width);
            ASSERT_EQ(image->pixels.height, f.height);
            for (const std::uint8_t index : image->pixels.indices) {
                ASSERT_EQ(image->pixels.colours[index], f.colour);
            }
            EXPECT_EQ(image->disposal, f.disposal);
            EXPECT_EQ(image->transparent, f.transparent);
            if (f.transparent) {
                EXPECT_EQ(image->transparentIndex, image->pixels.indices.at(0)) << "every pixel is transparent";
            }
            EXPECT_EQ(image->delayCentiseconds, f.delay);
        }
        EXPECT_TRUE(sequence.atEndOfStream());
    }
    EXPECT_EQ(sequence.restarts(), 1U);
}

}  // namespace
}  // namespace tessvane::decode
