// Feeds arbitrary bytes to the still GIF decoder and to a frame sequence played for a fixed
// number of steps, as an animation would: neither may crash, hang or read outside its data,
// and what they give must be consistent with the logical screen.

#include "picture/decode/gif_decoder.h"
#include "picture/decode/gif_frame_sequence.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

namespace {

// More steps than any seed has images, so every seed loops back to its first block.
constexpr int kSteps = 64;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkIndexed(const tessvane::decode::IndexedPixels& pixels, std::int32_t screenWidth,
                  std::int32_t screenHeight) {
    check(pixels.width > 0 && pixels.height > 0);
    check(pixels.width <= screenWidth && pixels.height <= screenHeight);
    check(pixels.indices.size() == static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessvane::decode;
    const tessvane::ByteSpan bytes(data, size);

    const auto still = decodeGif(bytes);
    if (still) {
        check(still->kind == PictureKind::gif);
        checkIndexed(std::get<IndexedPixels>(still->pixels), still->width, still->height);
    }

    auto sequence = GifFrameSequence::open(bytes);
    check(sequence.ok() || !still.ok());
    if (!sequence) {
        return 0;
    }
    for (int step = 0; step < kSteps; ++step) {
        const auto image = sequence->nextImage();
        if (image) {
            checkIndexed(image->pixels, sequence->screenWidth(), sequence->screenHeight());
            check(image->left + image->pixels.width <= sequence->screenWidth());
            check(image->top + image->pixels.height <= sequence->screenHeight());
        }
        (void)sequence->atEndOfStream();
    }
    sequence->restart();
    (void)sequence->nextImage();
    return 0;
}
