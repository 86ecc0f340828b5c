#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

#include <cstddef>
#include <cstdint>

namespace tessvane::decode {

enum class GifDisposal : std::uint8_t {
    unspecified = 0,
    keep = 1,
    restoreBackground = 2,
    restorePrevious = 3,
};

// One image of a GIF stream with the graphic-control values in force for it.
struct GifImage {
    std::int32_t left = 0;
    std::int32_t top = 0;
    // The image's own indices, width × height, top row first; colours from the table it uses.
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

    [[nodiscard]] std::int32_t screenWidth() const noexcept { return m_screenWidth; }
    [[nodiscard]] std::int32_t screenHeight() const noexcept { return m_screenHeight; }

    // The next image of the stream. A failure means that no image came of this call: the
    // image did not decode, or the stream cannot be read further (the next call then starts
    // again at the first block). At the end of the stream the sequence starts again at the
    // first block, so it never runs out.
    [[nodiscard]] DecodeResult<GifImage> nextImage();

    // Whether only the end-of-stream byte follows the position reached: after the first image
    // this tells a still GIF from an animated one.
    [[nodiscard]] bool atEndOfStream() const noexcept;

    // Goes back to the first block, graphic-control values reset.
    void restart() noexcept;

    // How many times the sequence has gone back to the first block, by reaching the end or by
    // an unreadable block; lets a player notice a whole pass that gave no image.
    [[nodiscard]] std::uint64_t restarts() const noexcept { return m_restarts; }

private:
    ByteBuffer m_bytes;            // the whole stream
    std::size_t m_firstBlock = 0;  // offset just after the global colour table
    std::size_t m_position = 0;
    std::int32_t m_screenWidth = 0;
    std::int32_t m_screenHeight = 0;
    ColourTable m_globalColours{};
    bool m_hasGlobalColours = false;
    // Graphic-control values in force.
    GifDisposal m_disposal = GifDisposal::unspecified;
    bool m_transparent = false;
    std::uint8_t m_transparentIndex = 0;
    std::uint16_t m_delayCentiseconds = 0;
    std::uint64_t m_restarts = 0;
};

}  // namespace tessvane::decode
