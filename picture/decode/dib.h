#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/byte_reader.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessvane::decode {

// The device-independent bitmap shared by BMP files and the images inside icons and
// cursors: the 40-byte information header, the colour table after it, and bottom-up rows
// padded to a multiple of 4 bytes.

inline constexpr std::uint32_t kDibInfoHeaderSize = 40;

// The one compression value read: plain uncompressed rows (BI_RGB).
inline constexpr std::uint32_t kDibUncompressed = 0;

// The information header's fields as stored, before any check.
struct DibInfoHeader {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMetre = 0;
    std::int32_t yPixelsPerMetre = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
};

// Reads the 40 bytes of the information header at the reader's position. A short read
// leaves the reader failed; the caller checks ok().
[[nodiscard]] DibInfoHeader readDibInfoHeader(ByteReader& reader) noexcept;

// Whether the depth is one this program reads: 1, 4 or 8 bits of colour-table indices,
// 24 bits of blue, green, red, or 32 bits of blue, green, red and a fourth byte.
[[nodiscard]] bool isReadableDibDepth(std::uint16_t bitsPerPixel) noexcept;

// How many colour-table entries the header declares: the colours-used field, or 2 to the
// power of the depth when that field is 0; none at 24 and 32 bits.
[[nodiscard]] std::uint64_t declaredTableEntries(const DibInfoHeader& header) noexcept;

// How many entries are actually read into the 256-entry table: the declared count, but
// never more than 256, since an 8-bit index cannot reach further.
[[nodiscard]] std::size_t tableEntriesToRead(const DibInfoHeader& header) noexcept;

// Reads count 4-byte entries (blue, green, red, reserved) into a zero-filled 256-entry table.
// count is at most 256. A short read leaves the reader failed.
[[nodiscard]] ColourTable readDibColourTable(ByteReader& reader, std::size_t count) noexcept;

// The bytes one stored row takes, padded to a multiple of 4; 64-bit, so any 32-bit width
// at any depth fits without overflow.
[[nodiscard]] constexpr std::uint64_t dibRowStride(std::uint64_t width, std::uint64_t bitsPerPixel) noexcept {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// The bytes of a row that hold pixels, without the padding.
[[nodiscard]] constexpr std::uint64_t dibRowPixelBytes(std::uint64_t width, std::uint64_t bitsPerPixel) noexcept {
    return (width * bitsPerPixel + 7) / 8;
}

// Converts one stored row at 1, 4, 8, 24 or 32 bits into red, green, blue bytes, one pixel
// for each 3 bytes of rgb. The row must hold dibRowPixelBytes bytes for that many pixels;
// a shorter row converts nothing.
void convertDibRowToRgb(ByteSpan row, std::uint16_t bitsPerPixel, const ColourTable& colours,
                        std::span<std::uint8_t> rgb) noexcept;

}  // namespace tessvane::decode
