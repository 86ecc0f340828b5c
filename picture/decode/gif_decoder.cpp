#include "picture/decode/gif_decoder.h"

#include <new>

#include "picture/decode/byte_reader.h"
#include "picture/decode/gif_stream.h"

// The still picture of a GIF87a or GIF89a stream: the first image, read past any
// extensions before it. The natural size is the logical screen; the image lies at the
// screen's top-left corner whatever its descriptor's left and top say, and is clipped to
// the screen, so the indexed image is the part of the first image that shows. The
// transparent index is not applied: its pixels keep their table colour.
//
// Refused: whatever readGifScreen refuses; a stream that ends before its first image
// (truncated); an extension label or block byte GIF89a does not define before the first
// image (badHeader), since nothing after it can be read; and a first image that does not
// decode (see decodeImageRecord). Nothing after the first image is read.

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodeGif(ByteSpan bytes) {
    try {
        const auto screen = readGifScreen(bytes);
        if (!screen) {
            return screen.failure();
        }
        ByteReader reader(bytes);
        reader.seek(screen->firstBlock);
        GifControl control;  // read to stay in step with the blocks; the still picture uses none of it
        const auto block = readToNextImage(reader, control);
        if (!block) {
            return block.failure();
        }
        if (block.value() == GifBlock::endOfStream) {
            return DecodeFailure::truncated;
        }
        ByteBuffer codes;
        const auto record = readImageRecord(reader, codes);
        if (!record) {
            return record.failure();
        }
        auto pixels = decodeImageRecord(record.value(), codes, screen.value(), GifPlacement::topLeft);
        if (!pixels) {
            return pixels.failure();
        }
        return DecodedPicture{
            .kind = PictureKind::gif,
            .width = screen->width,
            .height = screen->height,
            .pixels = std::move(pixels).value(),
        };
    } catch (const std::bad_alloc&) {
        return DecodeFailure::tooLarge;
    }
}

}  // namespace tessvane::decode
