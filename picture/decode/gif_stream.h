#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/decode/byte_buffer.h"
#include "picture/decode/byte_reader.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

namespace tessvane::decode {

// The blocks of a GIF87a or GIF89a stream, shared by the still picture (decodeGif) and the
// image-by-image reading of GifFrameSequence. Both versions are read the same way: a GIF87a
// stream that holds extensions gets them read as well.

// What becomes of an image's area before the next image is drawn (graphic control
// extension). The reserved values 4 to 7 are read as unspecified.
enum class GifDisposal : std::uint8_t {
    unspecified = 0,
    keep = 1,
    restoreBackground = 2,
    restorePrevious = 3,
};

// The graphic-control values in force. A graphic control extension replaces all of them;
// they then apply to every later image, except the disposal method, which the next image
// uses up.
struct GifControl {
    GifDisposal disposal = GifDisposal::unspecified;
    bool transparent = false;
    std::uint8_t transparentIndex = 0;
    std::uint16_t delayCentiseconds = 0;
};

// The header, the logical screen descriptor and the global colour table.
struct GifScreen {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool hasGlobalColours = false;
    ColourTable globalColours{};
    std::size_t firstBlock = 0;  // offset of the first block after the global colour table
};

// Refuses: fewer than 14 bytes or a global colour table that reaches the end of the data
// (truncated); a signature other than GIF87a / GIF89a, or a logical screen with no width or
// height, on which no image could show (badHeader); a logical screen above kMaxPixels
// (tooLarge).
[[nodiscard]] DecodeResult<GifScreen> readGifScreen(ByteSpan bytes);

enum class GifBlock { image, endOfStream };

// Reads blocks from the reader's position: extensions are read (graphic control) or
// skipped (plain text, comment, application) until an image separator, which is consumed,
// or the end of the stream: the trailer 0x3B, a 0x00 block byte, or the end of the data.
// Any other extension label or block byte is badHeader, a sub-block that runs past the
// data truncated; either way the rest of the stream cannot be read.
[[nodiscard]] DecodeResult<GifBlock> readToNextImage(ByteReader& reader, GifControl& control);

// Whether the block at position ends the stream: a trailer, a 0x00 byte, or no data.
[[nodiscard]] bool endsStreamAt(ByteSpan bytes, std::size_t position) noexcept;

// An image descriptor with its local colour table and its LZW minimum code size.
struct GifImageRecord {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    bool interlaced = false;
    bool hasLocalColours = false;
    ColourTable localColours{};
    int minimumCodeSize = 0;
};

// Reads what follows an image separator: the descriptor, the local colour table and the
// data sub-blocks, whose contents are joined into codes (replacing what it held). Fails
// (truncated) only where the data ends early, and the rest of the stream cannot be read;
// otherwise the reader stands after the image's block terminator.
[[nodiscard]] DecodeResult<GifImageRecord> readImageRecord(ByteReader& reader, ByteBuffer& codes);

// Where an image lies on the logical screen: at its own left and top (an animation's
// frames), or at the top-left corner whatever they say (the still picture).
enum class GifPlacement { ownPosition, topLeft };

// Decodes an image's indices, clipped to the logical screen: an image that reaches past the
// screen keeps only the part that shows, and the result's width and height are that part's
// (it always starts at the image's own top-left corner, since left and top are never
// negative). Indices the code stream does not reach stay 0. The colour table is the local
// one, else the global one, else all black. A failure drops only this image: an empty
// image or one wholly off the screen (badHeader), an image of more than kMaxPixels, all of
// which would be decoded (tooLarge), a minimum code size LzwDecoder refuses or a corrupt
// code (corruptData).
[[nodiscard]] DecodeResult<IndexedPixels> decodeImageRecord(const GifImageRecord& record, ByteSpan codes,
                                                            const GifScreen& screen, GifPlacement placement);

}  // namespace tessvane::decode
