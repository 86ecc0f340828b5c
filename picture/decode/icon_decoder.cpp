// Icon (ICO) and cursor (CUR) files: the 6-byte header, its 16-byte directory entries, and
// one chosen image stored as a 40-byte information header, a colour table at 1, 4 and 8
// bits, the colour (XOR) bitmap at 1, 4, 8, 24 or 32 bits and the 1-bit AND mask, each
// bitmap bottom-up with rows padded to a multiple of 4 bytes.
// Refused: images stored as PNG, other information-header sizes, compressed images, 16 bits
// and any other depth.
// Choices:
// - The first entry whose width byte is 32 and whose colour-count byte is 16 or more is
//   chosen, otherwise the last entry. Its image is the entry's byte count from its offset,
//   and an image that runs past the end of the file is cut short: none.
// - The natural size is the image header's width and half its height (the height counts the
//   colour bitmap and the mask). Icon images are always stored bottom-up, so a negative width
//   or height is a bad header rather than a top-down image.
// - The colour table holds colours-used entries, or 2 to the power of the depth when that is
//   0; the colour bitmap follows all of them, but no more than 256 are read.
// - The mask makes a pixel transparent where its bit is 1; the pixel keeps its colour with
//   alpha 0. At 32 bits the image's own alpha is used instead of the mask when any pixel has
//   a non-zero alpha; the mask must be present all the same.
// - There is no second attempt at the default icon size: every way building the picture can
//   fail here (data cut short, an unsupported depth, a size beyond the limits) reads the same
//   bytes at any size and would fail again.
// - A cursor is read exactly like an icon; its hot spot plays no part.

#include "picture/decode/icon_decoder.h"

#include "picture/decode/byte_reader.h"
#include "picture/decode/checked_math.h"
#include "picture/decode/dib.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tessvane::decode {

namespace {

constexpr std::size_t kIconHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::uint16_t kTypeIcon = 1;
constexpr std::uint16_t kTypeCursor = 2;
constexpr std::uint8_t kPreferredWidth = 32;
constexpr std::uint8_t kPreferredLeastColours = 16;
constexpr std::array<std::uint8_t, 4> kPngSignature{0x89, 'P', 'N', 'G'};

struct IconHeader {
    std::uint16_t reserved = 0;
    std::uint16_t type = 0;
    std::uint16_t count = 0;
};

// A directory entry; the planes and bit-count words (a cursor's hot spot) are not used.
struct DirectoryEntry {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colourCount = 0;
    std::uint32_t byteCount = 0;
    std::uint32_t imageOffset = 0;
};

// The chosen image's layout, once its header has passed the checks.
struct IconLayout {
    std::size_t width = 0;
    std::size_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::size_t tableEntries = 0;
    std::size_t colourOffset = 0;  // from the start of the image
    std::size_t colourStride = 0;
    std::size_t maskOffset = 0;
    std::size_t maskStride = 0;
};

DecodeResult<IconHeader> readIconHeader(ByteReader& reader) noexcept {
    IconHeader header;
    header.reserved = reader.u16le();
    header.type = reader.u16le();
    header.count = reader.u16le();
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }
    if (header.reserved != 0 || (header.type != kTypeIcon && header.type != kTypeCursor) || header.count == 0) {
        return DecodeFailure::badHeader;
    }
    return header;
}

DirectoryEntry readDirectoryEntry(ByteReader& reader) noexcept {
    DirectoryEntry entry;
    entry.width = reader.u8();
    entry.height = reader.u8();
    entry.colourCount = reader.u8();
    reader.skip(1);  // reserved
    reader.skip(4);  // planes and bit count, or a cursor's hot spot
    entry.byteCount = reader.u32le();
    entry.imageOffset = reader.u32le();
    return entry;
}

DecodeResult<DirectoryEntry> chooseEntry(ByteReader& reader, std::uint16_t count) noexcept {
    // The whole directory must be present, even past the entry that is chosen.
    if (reader.remaining() < std::size_t{count} * kDirectoryEntrySize) {
        return DecodeFailure::truncated;
    }
    std::optional<DirectoryEntry> chosen;
    DirectoryEntry last;
    for (std::uint16_t i = 0; i < count; ++i) {
        last = readDirectoryEntry(reader);
        if (!chosen && last.width == kPreferredWidth && last.colourCount >= kPreferredLeastColours) {
            chosen = last;
        }
    }
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }
    return chosen ? *chosen : last;
}

DecodeResult<IconLayout> checkImageHeader(const DibInfoHeader& info, std::size_t imageSize) noexcept {
    if (info.headerSize != kDibInfoHeaderSize) {
        return DecodeFailure::unsupported;
    }
    if (info.width <= 0 || info.height <= 0 || info.height / 2 == 0) {
        return DecodeFailure::badHeader;
    }
    if (info.compression != kDibUncompressed || !isReadableDibDepth(info.bitsPerPixel)) {
        return DecodeFailure::unsupported;
    }
    const auto width = static_cast<std::uint64_t>(info.width);
    const auto height = static_cast<std::uint64_t>(info.height / 2);
    if (!fitsLimits(width, height, 4)) {
        return DecodeFailure::tooLarge;
    }
    // Header, colour table, colour bitmap and mask follow each other without gaps. Within
    // the limits above none of these sums can overflow 64 bits; the table count is at most 2^32.
    const std::uint64_t colourOffset = kDibInfoHeaderSize + 4 * declaredTableEntries(info);
    const std::uint64_t colourStride = dibRowStride(width, info.bitsPerPixel);
    const std::uint64_t maskOffset = colourOffset + colourStride * height;
    const std::uint64_t maskStride = dibRowStride(width, 1);
    const std::uint64_t imageEnd = maskOffset + maskStride * height;
    if (imageEnd > imageSize) {
        return DecodeFailure::truncated;
    }
    IconLayout layout;
    layout.width = static_cast<std::size_t>(width);
    layout.height = static_cast<std::size_t>(height);
    layout.bitsPerPixel = info.bitsPerPixel;
    layout.tableEntries = tableEntriesToRead(info);
    layout.colourOffset = static_cast<std::size_t>(colourOffset);
    layout.colourStride = static_cast<std::size_t>(colourStride);
    layout.maskOffset = static_cast<std::size_t>(maskOffset);
    layout.maskStride = static_cast<std::size_t>(maskStride);
    return layout;
}

// Whether any pixel of a 32-bit colour bitmap has a non-zero fourth byte.
[[nodiscard]] bool hasOwnAlpha(ByteSpan image, const IconLayout& layout) noexcept {
    for (std::size_t row = 0; row < layout.height; ++row) {
        const ByteSpan pixels = image.subspan(layout.colourOffset + row * layout.colourStride, layout.width * 4);
        for (std::size_t x = 0; x < layout.width; ++x) {
            if (pixels[x * 4 + 3] != 0) {
                return true;
            }
        }
    }
    return false;
}

IconPixels buildIconPixels(ByteSpan image, const IconLayout& layout, const ColourTable& colours) {
    const bool useOwnAlpha = layout.bitsPerPixel == 32 && hasOwnAlpha(image, layout);
    IconPixels pixels;
    pixels.argb.resize(layout.width * layout.height);
    std::vector<std::uint8_t> rgbRow(layout.width * 3);
    const std::size_t colourRowBytes = static_cast<std::size_t>(dibRowPixelBytes(layout.width, layout.bitsPerPixel));
    const std::size_t maskRowBytes = static_cast<std::size_t>(dibRowPixelBytes(layout.width, 1));
    for (std::size_t stored = 0; stored < layout.height; ++stored) {
        const ByteSpan colourRow = image.subspan(layout.colourOffset + stored * layout.colourStride, colourRowBytes);
        const ByteSpan maskRow = image.subspan(layout.maskOffset + stored * layout.maskStride, maskRowBytes);
        convertDibRowToRgb(colourRow, layout.bitsPerPixel, colours, rgbRow);
        // Both bitmaps are stored bottom-up.
        std::uint32_t* out = pixels.argb.data() + (layout.height - 1 - stored) * layout.width;
        for (std::size_t x = 0; x < layout.width; ++x) {
            std::uint32_t alpha = 0;
            if (useOwnAlpha) {
                alpha = colourRow[x * 4 + 3];
            } else {
                const bool transparent = ((maskRow[x >> 3] >> (7 - (x & 7))) & 1U) != 0;
                alpha = transparent ? 0x00U : 0xFFU;
            }
            out[x] = (alpha << 24) | (std::uint32_t{rgbRow[x * 3]} << 16) | (std::uint32_t{rgbRow[x * 3 + 1]} << 8) |
                     std::uint32_t{rgbRow[x * 3 + 2]};
        }
    }
    return pixels;
}

}  // namespace

DecodeResult<DecodedPicture> decodeIcon(ByteSpan bytes) {
    ByteReader reader(bytes);
    const DecodeResult<IconHeader> header = readIconHeader(reader);
    if (!header) {
        return header.failure();
    }
    const DecodeResult<DirectoryEntry> entry = chooseEntry(reader, header->count);
    if (!entry) {
        return entry.failure();
    }
    const auto imageEnd = checkedAdd(entry->imageOffset, entry->byteCount);
    if (!imageEnd || *imageEnd > bytes.size()) {
        return DecodeFailure::truncated;
    }
    const ByteSpan image = bytes.subspan(entry->imageOffset, entry->byteCount);
    if (image.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin())) {
        return DecodeFailure::unsupported;
    }

    ByteReader imageReader(image);
    const DibInfoHeader info = readDibInfoHeader(imageReader);
    if (!imageReader.ok()) {
        return DecodeFailure::truncated;
    }
    const DecodeResult<IconLayout> layout = checkImageHeader(info, image.size());
    if (!layout) {
        return layout.failure();
    }
    // The checks above place the whole table inside the image.
    const ColourTable colours = readDibColourTable(imageReader, layout->tableEntries);
    if (!imageReader.ok()) {
        return DecodeFailure::truncated;
    }

    DecodedPicture picture;
    picture.kind = header->type == kTypeCursor ? PictureKind::cursor : PictureKind::icon;
    picture.width = static_cast<std::int32_t>(layout->width);
    picture.height = static_cast<std::int32_t>(layout->height);
    picture.pixels = buildIconPixels(image, layout.value(), colours);
    return picture;
}

}  // namespace tessvane::decode
