#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"
#include "picture/decode/gif_stream.h"

namespace tessvane::decode {

// One image of a GIF stream with the graphic-control values in force for it.
struct GifImage {
    std::int32_t left = 0;
    std::int32_t top = 0;
    // The image's own indices, top row first, clipped to the logical screen: width and height
    // are those of the part that shows, which starts at (left, top). Colours from the table
    // the image uses.
    IndexedPixels pixels;
    GifDisposal disposal = GifDisposal::unspecified;
    bool transparent = false;
    std::uint8_t transparentIndex = 0;
    std::uint16_t delayCentiseconds = 0;
};

// A reading position in a GIF stream, for playing it image after image.
class GifFrameSequence {
public:
    // Reads the header, the screen descriptor and the global colour table. The sequence keeps
    // its own copy of the bytes.
    [[nodiscard]] static DecodeResult<GifFrameSequence> open(ByteSpan bytes);

    [[nodiscard]] std::int32_t screenWidth() const noexcept { return m_screen.width; }
    [[nodiscard]] std::int32_t screenHeight() const noexcept { return m_screen.height; }

    // The next image of the stream. A failure means that no image came of this call: the
    // image did not decode (reading goes on after it), or the stream cannot be read further
    // (the next call then starts again at the first block). At the end of the stream the
    // sequence starts again at the first block and goes on to the first image within the
    // same call, so a readable stream with an image never runs out. One call reads the
    // stream through at most once: a stream without any image fails every call.
    [[nodiscard]] DecodeResult<GifImage> nextImage();

    // Whether the block at the position reached ends the stream (the trailer, a zero block
    // byte, or no more data): after the first image this tells a still GIF from an animated
    // one.
    [[nodiscard]] bool atEndOfStream() const noexcept;

    // Goes back to the first block, graphic-control values reset. Not counted in restarts().
    void restart() noexcept;

    // How many times the sequence has gone back to the first block, by reaching the end or by
    // an unreadable block; lets a player notice a whole pass that gave no image.
    [[nodiscard]] std::uint64_t restarts() const noexcept { return m_restarts; }

private:
    GifFrameSequence() = default;

    // restart() on the sequence's own account, counted.
    void startAgain() noexcept;
    [[nodiscard]] DecodeResult<GifImage> readNextImage();

    ByteBuffer m_bytes;  // the whole stream
    GifScreen m_screen;  // its size, global colour table and first block
    std::size_t m_position = 0;
    GifControl m_control;  // graphic-control values in force
    ByteBuffer m_codes;    // an image's LZW codes, kept to reuse its capacity
    std::uint64_t m_restarts = 0;
};

}  // namespace tessvane::decode
