#include "picture/decode/gif_frame_sequence.h"

#include <new>

#include "picture/decode/byte_reader.h"

// Image after image of a GIF87a or GIF89a stream, for the animation. Blocks are read as in
// gif_stream.h; each image is placed at its own left and top and clipped to the logical
// screen, so an image partly off the screen keeps the part that shows and one wholly off it
// gives no image for that call.
//
// Choices where the format leaves things open: after an image that does not decode,
// reading goes on with the block after it, and the disposal method it carried is used up
// all the same; an unreadable block fails the call and sends the sequence back to the
// first block, graphic-control values reset, for the next call; running out of memory
// fails the call (tooLarge) and sends the sequence back likewise.

namespace tessvane::decode {

DecodeResult<GifFrameSequence> GifFrameSequence::open(ByteSpan bytes) {
    try {
        auto screen = readGifScreen(bytes);
        if (!screen) {
            return screen.failure();
        }
        GifFrameSequence sequence;
        sequence.m_bytes.assign(bytes.begin(), bytes.end());
        sequence.m_screen = screen.value();
        sequence.m_position = sequence.m_screen.firstBlock;
        return sequence;
    } catch (const std::bad_alloc&) {
        return DecodeFailure::tooLarge;
    }
}

DecodeResult<GifImage> GifFrameSequence::nextImage() {
    try {
        return readNextImage();
    } catch (const std::bad_alloc&) {
        startAgain();
        return DecodeFailure::tooLarge;
    }
}

DecodeResult<GifImage> GifFrameSequence::readNextImage() {
    // A call that starts at the first block and meets the end has seen the whole stream.
    // Otherwise the end is met at most twice: once from the position reached, once after
    // starting again.
    bool wholePassRead = m_position == m_screen.firstBlock;
    for (;;) {
        ByteReader reader(m_bytes);
        reader.seek(m_position);
        const auto block = readToNextImage(reader, m_control);
        if (!block) {
            startAgain();
            return block.failure();
        }
        if (block.value() == GifBlock::endOfStream) {
            startAgain();
            if (wholePassRead) {
                return DecodeFailure::truncated;  // no image in the whole stream
            }
            wholePassRead = true;
            continue;
        }

        const auto record = readImageRecord(reader, m_codes);
        if (!record) {
            startAgain();
            return record.failure();
        }
        m_position = reader.position();
        GifImage image{
            .left = record->left,
            .top = record->top,
            .pixels = {},
            .disposal = m_control.disposal,
            .transparent = m_control.transparent,
            .transparentIndex = m_control.transparentIndex,
            .delayCentiseconds = m_control.delayCentiseconds,
        };
        // The disposal method belongs to the one image after its graphic control extension.
        m_control.disposal = GifDisposal::unspecified;

        auto pixels = decodeImageRecord(record.value(), m_codes, m_screen, GifPlacement::ownPosition);
        if (!pixels) {
            return pixels.failure();
        }
        image.pixels = std::move(pixels).value();
        return image;
    }
}

bool GifFrameSequence::atEndOfStream() const noexcept { return endsStreamAt(m_bytes, m_position); }

void GifFrameSequence::restart() noexcept {
    m_position = m_screen.firstBlock;
    m_control = GifControl{};
}

void GifFrameSequence::startAgain() noexcept {
    restart();
    ++m_restarts;
}

}  // namespace tessvane::decode
