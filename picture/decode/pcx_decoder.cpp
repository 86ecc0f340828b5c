// PCX files, versions 0 to 5, run-length coded: 8 bits per pixel in one plane (pcx8, with the
// 256-colour table at the end of the file) and 1 bit per pixel in one plane (pcx1).
// Refused: other encodings, other depths, 8 bits in more than one plane (24-bit colour
// stored as red, green and blue planes, which no picture kind here holds) and 1 bit in more
// than one plane (the 16-colour planar files).
// Choices:
// - A run that would cross the end of a row is clipped to the row; the rest of it is dropped,
//   as every row is coded on its own.
// - Decoding stops where the data ends; rows not reached stay 0.
// - The pcx8 colour table is looked for only in the last 769 bytes of the file (the byte 12
//   and 256 red, green, blue triples), since that is where encoders put it, after the image
//   data however long that is. Without it the colours are all black.
// - A pcx1 picture keeps the first width bits of each decoded row in rows of an even number
//   of bytes; the bits past the width are 0. The header's 16-colour table is not used.
// - A bytes-per-line field too small to hold the width is a bad header.

#include "picture/decode/pcx_decoder.h"

#include "picture/decode/byte_reader.h"
#include "picture/decode/checked_math.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace tessvane::decode {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kLastVersion = 5;
constexpr std::uint8_t kRunLengthEncoding = 1;
// A coded byte above 192 (its top two bits set) is a run whose length is its low six bits.
constexpr std::uint8_t kRunMarker = 192;
constexpr std::uint8_t kColourTableMarker = 0x0C;
constexpr std::size_t kColourTableSize = 1 + 256 * 3;

struct PcxHeader {
    std::uint8_t manufacturer = 0;
    std::uint8_t version = 0;
    std::uint8_t encoding = 0;
    std::uint8_t bitsPerPixel = 0;
    std::uint16_t xMin = 0;
    std::uint16_t yMin = 0;
    std::uint16_t xMax = 0;
    std::uint16_t yMax = 0;
    std::uint8_t planes = 0;
    std::uint16_t bytesPerLine = 0;
};

struct PcxLayout {
    PictureKind kind = PictureKind::pcx8;
    std::size_t width = 0;
    std::size_t height = 0;
    std::size_t bytesPerLine = 0;
};

PcxHeader readPcxHeader(ByteReader& reader) noexcept {
    PcxHeader header;
    header.manufacturer = reader.u8();
    header.version = reader.u8();
    header.encoding = reader.u8();
    header.bitsPerPixel = reader.u8();
    header.xMin = reader.u16le();
    header.yMin = reader.u16le();
    header.xMax = reader.u16le();
    header.yMax = reader.u16le();
    reader.skip(4);   // horizontal and vertical resolution
    reader.skip(48);  // the 16-colour table
    reader.skip(1);   // reserved
    header.planes = reader.u8();
    header.bytesPerLine = reader.u16le();
    reader.skip(kHeaderSize - reader.position());
    return header;
}

DecodeResult<PcxLayout> checkPcxHeader(const PcxHeader& header) noexcept {
    if (header.manufacturer != kManufacturer || header.version > kLastVersion) {
        return DecodeFailure::badHeader;
    }
    if (header.encoding != kRunLengthEncoding) {
        return DecodeFailure::unsupported;
    }
    if (header.xMax < header.xMin || header.yMax < header.yMin) {
        return DecodeFailure::badHeader;
    }
    PcxLayout layout;
    if (header.bitsPerPixel == 8 && header.planes == 1) {
        layout.kind = PictureKind::pcx8;
    } else if (header.bitsPerPixel == 1 && header.planes == 1) {
        layout.kind = PictureKind::pcx1;
    } else {
        return DecodeFailure::unsupported;
    }
    layout.width = std::size_t{header.xMax} - header.xMin + 1;
    layout.height = std::size_t{header.yMax} - header.yMin + 1;
    layout.bytesPerLine = header.bytesPerLine;
    const std::size_t neededPerLine = layout.kind == PictureKind::pcx8 ? layout.width : (layout.width + 7) / 8;
    if (layout.bytesPerLine < neededPerLine) {
        return DecodeFailure::badHeader;
    }
    // The picture itself, and one decoded row of bytes-per-line values.
    if (!fitsLimits(layout.width, layout.height, 1) || !fitsLimits(layout.bytesPerLine, 1, 1)) {
        return DecodeFailure::tooLarge;
    }
    return layout;
}

// Reads the run-length data one row at a time.
class RunLengthRows {
public:
    explicit RunLengthRows(ByteSpan coded) noexcept : m_in(coded.data()), m_end(coded.data() + coded.size()) {}

    [[nodiscard]] bool atEnd() const noexcept { return m_in == m_end; }

    // Decodes the next row into row, which is first cleared so that a row the data does not
    // finish stays 0 past where the data ends.
    void decodeRow(std::span<std::uint8_t> row) noexcept {
        std::fill(row.begin(), row.end(), std::uint8_t{0});
        std::uint8_t* out = row.data();
        std::uint8_t* const rowEnd = out + row.size();
        while (out != rowEnd && m_in != m_end) {
            const std::uint8_t code = *m_in++;
            if (code <= kRunMarker) {
                *out++ = code;
                continue;
            }
            if (m_in == m_end) {
                return;
            }
            const std::uint8_t value = *m_in++;
            const std::size_t length =
                std::min(std::size_t{code} - kRunMarker, static_cast<std::size_t>(rowEnd - out));
            out = std::fill_n(out, length, value);
        }
    }

private:
    const std::uint8_t* m_in;
    const std::uint8_t* const m_end;
};

ColourTable readTrailingColourTable(ByteSpan bytes) noexcept {
    ColourTable colours{};
    if (bytes.size() < kHeaderSize + kColourTableSize) {
        return colours;
    }
    ByteReader reader(bytes.subspan(bytes.size() - kColourTableSize));
    if (reader.u8() != kColourTableMarker) {
        return colours;
    }
    for (Rgb& colour : colours) {
        colour.red = reader.u8();
        colour.green = reader.u8();
        colour.blue = reader.u8();
    }
    return colours;
}

// Each decoded row holds bytes-per-line values; the picture shows the first width of them.
IndexedPixels decodeIndexedPixels(ByteSpan bytes, const PcxLayout& layout) {
    IndexedPixels pixels;
    pixels.width = static_cast<std::int32_t>(layout.width);
    pixels.height = static_cast<std::int32_t>(layout.height);
    pixels.indices.resize(layout.width * layout.height);
    std::vector<std::uint8_t> line(layout.bytesPerLine);
    RunLengthRows rows(bytes.subspan(kHeaderSize));
    for (std::size_t row = 0; row < layout.height && !rows.atEnd(); ++row) {
        rows.decodeRow(line);
        std::copy_n(line.begin(), layout.width, pixels.indices.begin() + static_cast<std::ptrdiff_t>(row * layout.width));
    }
    pixels.colours = readTrailingColourTable(bytes);
    return pixels;
}

// Each decoded row holds bytes-per-line bytes; the picture keeps the first width bits of
// them, in rows padded to an even number of bytes.
BitPixels decodeBitPixels(ByteSpan bytes, const PcxLayout& layout) {
    const std::size_t bytesPerRow = (layout.width + 15) / 16 * 2;
    const std::size_t usedBytes = (layout.width + 7) / 8;
    const auto spareBits = static_cast<unsigned>(usedBytes * 8 - layout.width);
    const auto lastByteMask = static_cast<std::uint8_t>(0xFFU << spareBits);
    BitPixels pixels;
    pixels.bytesPerRow = static_cast<std::int32_t>(bytesPerRow);
    pixels.bits.resize(bytesPerRow * layout.height);
    std::vector<std::uint8_t> line(layout.bytesPerLine);
    RunLengthRows rows(bytes.subspan(kHeaderSize));
    for (std::size_t row = 0; row < layout.height && !rows.atEnd(); ++row) {
        rows.decodeRow(line);
        const auto target = pixels.bits.begin() + static_cast<std::ptrdiff_t>(row * bytesPerRow);
        std::copy_n(line.begin(), usedBytes, target);
        *(target + static_cast<std::ptrdiff_t>(usedBytes - 1)) &= lastByteMask;
    }
    return pixels;
}

}  // namespace

DecodeResult<DecodedPicture> decodePcx(ByteSpan bytes) {
    // The header alone, with no pixel data after it, is not a picture.
    if (bytes.size() <= kHeaderSize) {
        return DecodeFailure::truncated;
    }
    ByteReader reader(bytes);
    const PcxHeader header = readPcxHeader(reader);
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }
    const DecodeResult<PcxLayout> checked = checkPcxHeader(header);
    if (!checked) {
        return checked.failure();
    }
    const PcxLayout& layout = checked.value();

    DecodedPicture picture;
    picture.kind = layout.kind;
    picture.width = static_cast<std::int32_t>(layout.width);
    picture.height = static_cast<std::int32_t>(layout.height);
    if (layout.kind == PictureKind::pcx8) {
        picture.pixels = decodeIndexedPixels(bytes, layout);
    } else {
        picture.pixels = decodeBitPixels(bytes, layout);
    }
    return picture;
}

}  // namespace tessvane::decode
