#include "picture/decode/gif_stream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "picture/decode/checked_math.h"
#include "picture/decode/limits.h"
#include "picture/decode/lzw_decoder.h"

namespace tessvane::decode {

namespace {

constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kTrailer = 0x3B;
// Some writers end the stream with a zero byte where the trailer belongs.
constexpr std::uint8_t kZeroTrailer = 0x00;

constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kApplicationLabel = 0xFF;

// 6 bytes of signature, the 7-byte logical screen descriptor and at least one block byte.
constexpr std::size_t kMinimumStreamSize = 14;

// The colour-table flag and the size field share the layout of the logical screen
// descriptor's and the image descriptor's packed bytes.
constexpr std::uint8_t kColourTableFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;
constexpr std::uint8_t kColourTableSizeMask = 0x07;

[[nodiscard]] std::size_t colourTableEntries(std::uint8_t packed) noexcept {
    return std::size_t{2} << (packed & kColourTableSizeMask);
}

// Reads entries red, green, blue into a zero-filled table; false when the data ends first.
[[nodiscard]] bool readColourTable(ByteReader& reader, std::size_t entries, ColourTable& table) {
    const ByteSpan bytes = reader.bytes(entries * 3);
    if (!reader.ok()) {
        return false;
    }
    for (std::size_t entry = 0; entry < entries; ++entry) {
        table[entry] = Rgb{bytes[entry * 3], bytes[entry * 3 + 1], bytes[entry * 3 + 2]};
    }
    return true;
}

// Skips data sub-blocks up to and including the block terminator; false when one runs past
// the data.
[[nodiscard]] bool skipSubBlocks(ByteReader& reader) {
    for (;;) {
        const std::uint8_t size = reader.u8();
        if (!reader.ok()) {
            return false;
        }
        if (size == 0) {
            return true;
        }
        reader.skip(size);
        if (!reader.ok()) {
            return false;
        }
    }
}

// The graphic control extension after its label. GIF89a gives its first sub-block 4 bytes;
// one that holds fewer carries no values and is skipped like any other sub-block, and bytes
// beyond the fourth are ignored.
[[nodiscard]] bool readGraphicControl(ByteReader& reader, GifControl& control) {
    const std::uint8_t size = reader.u8();
    if (!reader.ok()) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    const ByteSpan block = reader.bytes(size);
    if (!reader.ok()) {
        return false;
    }
    if (size >= 4) {
        const std::uint8_t packed = block[0];
        const auto disposal = static_cast<std::uint8_t>((packed >> 2) & 0x07);
        control.disposal = disposal <= 3 ? static_cast<GifDisposal>(disposal) : GifDisposal::unspecified;
        control.transparent = (packed & 0x01) != 0;
        control.delayCentiseconds = static_cast<std::uint16_t>(block[1] | (block[2] << 8));
        control.transparentIndex = block[3];
    }
    return skipSubBlocks(reader);
}

struct InterlacePass {
    std::uint32_t firstRow;
    std::uint32_t step;
};

// Rows 0, 8, 16 ...; then 4, 12 ...; then 2, 6 ...; then 1, 3 ...
constexpr std::array<InterlacePass, 4> kInterlacedPasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
constexpr std::array<InterlacePass, 1> kSequentialPasses{{{0, 1}}};

// Decodes row after row in the order the rows are stored, keeping the visible columns of
// the visible rows. Rows wholly or partly off the screen still have to be decoded to reach
// what follows, so they go through a scratch row.
[[nodiscard]] bool decodeRows(LzwDecoder& lzw, const GifImageRecord& record, IndexedPixels& pixels) {
    const std::uint32_t imageWidth = record.width;
    const std::uint32_t imageHeight = record.height;
    const auto visibleWidth = static_cast<std::uint32_t>(pixels.width);
    const auto visibleHeight = static_cast<std::uint32_t>(pixels.height);
    const std::span<const InterlacePass> passes =
        record.interlaced ? std::span<const InterlacePass>(kInterlacedPasses) : std::span(kSequentialPasses);

    std::vector<std::uint8_t> scratch(imageWidth);
    std::uint32_t rowsStored = 0;
    for (const InterlacePass& pass : passes) {
        for (std::uint32_t row = pass.firstRow; row < imageHeight; row += pass.step) {
            const bool visible = row < visibleHeight;
            std::uint8_t* const stored = pixels.indices.data() + std::size_t{row} * visibleWidth;
            const bool direct = visible && visibleWidth == imageWidth;
            const std::span<std::uint8_t> target = direct ? std::span(stored, imageWidth) : std::span(scratch);
            const auto read = lzw.read(target);
            if (!read) {
                return false;
            }
            if (visible) {
                if (!direct) {
                    // Only what this row received: the scratch row may still hold an earlier one.
                    std::memcpy(stored, scratch.data(), std::min<std::size_t>(read.value(), visibleWidth));
                }
                ++rowsStored;
                if (rowsStored == visibleHeight) {
                    return true;  // the rest of the image would not be stored
                }
            }
            if (read.value() < imageWidth) {
                return true;  // the code stream ended early: the remaining indices stay 0
            }
        }
    }
    return true;
}

}  // namespace

DecodeResult<GifScreen> readGifScreen(ByteSpan bytes) {
    if (bytes.size() < kMinimumStreamSize) {
        return DecodeFailure::truncated;
    }
    ByteReader reader(bytes);
    const ByteSpan signature = reader.bytes(6);
    static constexpr std::array<std::uint8_t, 6> kGif87a{'G', 'I', 'F', '8', '7', 'a'};
    static constexpr std::array<std::uint8_t, 6> kGif89a{'G', 'I', 'F', '8', '9', 'a'};
    if (!std::ranges::equal(signature, kGif87a) && !std::ranges::equal(signature, kGif89a)) {
        return DecodeFailure::badHeader;
    }
    GifScreen screen;
    screen.width = reader.u16le();
    screen.height = reader.u16le();
    const std::uint8_t packed = reader.u8();
    reader.skip(2);  // the background colour index and the pixel aspect ratio play no part
    if (screen.width == 0 || screen.height == 0) {
        return DecodeFailure::badHeader;
    }
    if (!fitsLimits(static_cast<std::uint64_t>(screen.width), static_cast<std::uint64_t>(screen.height), 1)) {
        return DecodeFailure::tooLarge;
    }
    if ((packed & kColourTableFlag) != 0) {
        const std::size_t entries = colourTableEntries(packed);
        // A table that reaches the end of the data leaves no room for a single block.
        if (entries * 3 >= reader.remaining()) {
            return DecodeFailure::truncated;
        }
        if (!readColourTable(reader, entries, screen.globalColours)) {
            return DecodeFailure::truncated;
        }
        screen.hasGlobalColours = true;
    }
    screen.firstBlock = reader.position();
    return screen;
}

DecodeResult<GifBlock> readToNextImage(ByteReader& reader, GifControl& control) {
    // Each turn consumes at least one byte, so the loop ends with the data.
    for (;;) {
        if (reader.atEnd()) {
            return GifBlock::endOfStream;
        }
        const std::uint8_t block = reader.u8();
        if (block == kImageSeparator) {
            return GifBlock::image;
        }
        if (block == kTrailer || block == kZeroTrailer) {
            return GifBlock::endOfStream;
        }
        if (block != kExtensionIntroducer) {
            return DecodeFailure::badHeader;
        }
        const std::uint8_t label = reader.u8();
        if (!reader.ok()) {
            return DecodeFailure::truncated;
        }
        bool read = false;
        switch (label) {
            case kGraphicControlLabel:
                read = readGraphicControl(reader, control);
                break;
            case kPlainTextLabel:
            case kCommentLabel:
            case kApplicationLabel:
                read = skipSubBlocks(reader);
                break;
            default:
                return DecodeFailure::badHeader;
        }
        if (!read) {
            return DecodeFailure::truncated;
        }
    }
}

bool endsStreamAt(ByteSpan bytes, std::size_t position) noexcept {
    return position >= bytes.size() || bytes[position] == kTrailer || bytes[position] == kZeroTrailer;
}

DecodeResult<GifImageRecord> readImageRecord(ByteReader& reader, ByteBuffer& codes) {
    GifImageRecord record;
    record.left = reader.u16le();
    record.top = reader.u16le();
    record.width = reader.u16le();
    record.height = reader.u16le();
    const std::uint8_t packed = reader.u8();
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }
    record.interlaced = (packed & kInterlaceFlag) != 0;
    record.hasLocalColours = (packed & kColourTableFlag) != 0;
    if (record.hasLocalColours && !readColourTable(reader, colourTableEntries(packed), record.localColours)) {
        return DecodeFailure::truncated;
    }
    record.minimumCodeSize = reader.u8();
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }
    codes.clear();
    for (;;) {
        const std::uint8_t size = reader.u8();
        if (!reader.ok()) {
            return DecodeFailure::truncated;
        }
        if (size == 0) {
            return record;
        }
        const ByteSpan block = reader.bytes(size);
        if (!reader.ok()) {
            return DecodeFailure::truncated;
        }
        codes.insert(codes.end(), block.begin(), block.end());
    }
}

DecodeResult<IndexedPixels> decodeImageRecord(const GifImageRecord& record, ByteSpan codes, const GifScreen& screen,
                                              GifPlacement placement) {
    if (record.width == 0 || record.height == 0) {
        return DecodeFailure::badHeader;
    }
    // Every index of the image is decoded, visible or not, so its whole area is held to the
    // pixel limit: a 65535 × 65535 image on a small screen would otherwise cost minutes.
    if (!fitsLimits(record.width, record.height, 1)) {
        return DecodeFailure::tooLarge;
    }
    const std::int32_t left = placement == GifPlacement::ownPosition ? record.left : 0;
    const std::int32_t top = placement == GifPlacement::ownPosition ? record.top : 0;
    if (left >= screen.width || top >= screen.height) {
        return DecodeFailure::badHeader;
    }
    if (!LzwDecoder::acceptsMinimumCodeSize(record.minimumCodeSize)) {
        return DecodeFailure::corruptData;
    }

    IndexedPixels pixels;
    pixels.width = std::min<std::int32_t>(record.width, screen.width - left);
    pixels.height = std::min<std::int32_t>(record.height, screen.height - top);
    pixels.indices.assign(static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height), 0);
    if (record.hasLocalColours) {
        pixels.colours = record.localColours;
    } else if (screen.hasGlobalColours) {
        pixels.colours = screen.globalColours;
    }

    // 28 KiB of tables: on the stack of whichever thread decodes, which is far larger.
    LzwDecoder lzw(codes, record.minimumCodeSize);
    if (!record.interlaced && pixels.width == record.width) {
        // Rows follow each other in the stored order with no columns cut off: the indices
        // are one run, and whatever rows lie past the screen's bottom need not be decoded.
        if (!lzw.read(pixels.indices)) {
            return DecodeFailure::corruptData;
        }
    } else if (!decodeRows(lzw, record, pixels)) {
        return DecodeFailure::corruptData;
    }
    return pixels;
}

}  // namespace tessvane::decode
