// BMP files with the 14-byte file header and the 40-byte information header, uncompressed,
// at 1, 4 and 8 bits (with a colour table), 24 bits, and 32 bits (the fourth byte ignored).
// Refused: other information-header sizes (the 12-byte OS/2 header, the 108- and 124-byte
// headers), run-length and bit-field compression, 16 bits and any other depth.
// Choices:
// - Width and height are taken as absolute values, and the first stored row is always the
//   bottom row of the picture. A top-down file (negative height) therefore comes out upside
//   down; that is this program's reading of such files, kept on purpose.
// - The plane count is not looked at: the pixel layout does not depend on it, and writers
//   that put something other than 1 there still store ordinary rows.
// - A colours-used field beyond what the depth can index (or beyond 256) still has to be
//   covered by the pixel-data offset, but only the first 256 entries are read, since no
//   8-bit index reaches further. Indices beyond the entries read show black.
// - The last row must hold its pixel bytes; its padding to 4 bytes may be missing.
// - The file-size field is not looked at; writers often get it wrong.

#include "picture/decode/bmp_decoder.h"

#include "picture/decode/byte_reader.h"
#include "picture/decode/checked_math.h"
#include "picture/decode/dib.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace tessvane::decode {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kDibInfoHeaderSize;

struct BmpHeader {
    std::uint8_t signature0 = 0;
    std::uint8_t signature1 = 0;
    std::uint32_t pixelOffset = 0;
    DibInfoHeader info;
};

// Where the pixels are and how they are laid out, once the header has passed its checks.
struct BmpLayout {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint64_t rowStride = 0;
    std::size_t tableEntries = 0;
};

BmpHeader readBmpHeader(ByteReader& reader) noexcept {
    BmpHeader header;
    header.signature0 = reader.u8();
    header.signature1 = reader.u8();
    reader.skip(4);  // file size
    reader.skip(4);  // two reserved words
    header.pixelOffset = reader.u32le();
    header.info = readDibInfoHeader(reader);
    return header;
}

[[nodiscard]] std::uint64_t absoluteValue(std::int32_t value) noexcept {
    // In 64 bits so that the most negative 32-bit value has an absolute value too.
    return static_cast<std::uint64_t>(std::llabs(std::int64_t{value}));
}

DecodeResult<BmpLayout> checkBmpHeader(const BmpHeader& header, std::size_t dataSize) noexcept {
    if (header.signature0 != 'B' || header.signature1 != 'M') {
        return DecodeFailure::badHeader;
    }
    const DibInfoHeader& info = header.info;
    if (info.headerSize != kDibInfoHeaderSize) {
        return DecodeFailure::unsupported;
    }
    if (info.width == 0 || info.height == 0) {
        return DecodeFailure::badHeader;
    }
    if (info.compression != kDibUncompressed) {
        return DecodeFailure::unsupported;
    }
    if (!isReadableDibDepth(info.bitsPerPixel)) {
        return DecodeFailure::unsupported;
    }
    BmpLayout layout;
    layout.width = absoluteValue(info.width);
    layout.height = absoluteValue(info.height);
    if (!fitsLimits(layout.width, layout.height, 3)) {
        return DecodeFailure::tooLarge;
    }
    // The colour table sits right after the headers; the pixels may not start inside it.
    // declaredTableEntries is at most 2^32, so this sum cannot overflow 64 bits.
    const std::uint64_t tableEnd = kHeadersSize + 4 * declaredTableEntries(info);
    if (header.pixelOffset < tableEnd) {
        return DecodeFailure::badHeader;
    }
    layout.tableEntries = tableEntriesToRead(info);
    layout.rowStride = dibRowStride(layout.width, info.bitsPerPixel);
    // Every row but the last with its padding, then the last row's pixel bytes.
    const auto leadingRows = checkedMul(layout.rowStride, layout.height - 1);
    const auto pixelsEnd = leadingRows ? checkedAdd(*leadingRows, dibRowPixelBytes(layout.width, info.bitsPerPixel))
                                       : std::nullopt;
    const auto dataEnd = pixelsEnd ? checkedAdd(*pixelsEnd, header.pixelOffset) : std::nullopt;
    if (!dataEnd || *dataEnd > dataSize) {
        return DecodeFailure::truncated;
    }
    return layout;
}

}  // namespace

DecodeResult<DecodedPicture> decodeBmp(ByteSpan bytes) {
    if (bytes.size() < kHeadersSize) {
        return DecodeFailure::truncated;
    }
    ByteReader reader(bytes);
    const BmpHeader header = readBmpHeader(reader);
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }
    const DecodeResult<BmpLayout> checked = checkBmpHeader(header, bytes.size());
    if (!checked) {
        return checked.failure();
    }
    const BmpLayout& layout = checked.value();
    const ColourTable colours = readDibColourTable(reader, layout.tableEntries);
    if (!reader.ok()) {
        return DecodeFailure::truncated;
    }

    // The checks above keep width × height × 3 within the allocation limit, and every row
    // read below within the data.
    const auto width = static_cast<std::size_t>(layout.width);
    const auto height = static_cast<std::size_t>(layout.height);
    const auto stride = static_cast<std::size_t>(layout.rowStride);
    const std::size_t rowPixelBytes = static_cast<std::size_t>(dibRowPixelBytes(width, header.info.bitsPerPixel));
    const std::size_t outputStride = width * 3;
    RgbPixels pixels;
    pixels.rgb.resize(outputStride * height);
    const std::span<std::uint8_t> output(pixels.rgb);
    for (std::size_t stored = 0; stored < height; ++stored) {
        // The first stored row is the bottom row of the picture.
        const ByteSpan row = bytes.subspan(header.pixelOffset + stored * stride, rowPixelBytes);
        const std::size_t shownRow = height - 1 - stored;
        convertDibRowToRgb(row, header.info.bitsPerPixel, colours, output.subspan(shownRow * outputStride, outputStride));
    }

    DecodedPicture picture;
    picture.kind = PictureKind::bmp;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    picture.pixels = std::move(pixels);
    return picture;
}

}  // namespace tessvane::decode
