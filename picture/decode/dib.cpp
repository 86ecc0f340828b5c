#include "picture/decode/dib.h"

namespace tessvane::decode {

DibInfoHeader readDibInfoHeader(ByteReader& reader) noexcept {
    DibInfoHeader header;
    header.headerSize = reader.u32le();
    header.width = reader.i32le();
    header.height = reader.i32le();
    header.planes = reader.u16le();
    header.bitsPerPixel = reader.u16le();
    header.compression = reader.u32le();
    header.imageSize = reader.u32le();
    header.xPixelsPerMetre = reader.i32le();
    header.yPixelsPerMetre = reader.i32le();
    header.coloursUsed = reader.u32le();
    header.coloursImportant = reader.u32le();
    return header;
}

bool isReadableDibDepth(std::uint16_t bitsPerPixel) noexcept {
    switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

std::uint64_t declaredTableEntries(const DibInfoHeader& header) noexcept {
    if (header.bitsPerPixel > 8) {
        return 0;
    }
    if (header.coloursUsed != 0) {
        return header.coloursUsed;
    }
    return std::uint64_t{1} << header.bitsPerPixel;
}

std::size_t tableEntriesToRead(const DibInfoHeader& header) noexcept {
    const std::uint64_t declared = declaredTableEntries(header);
    return static_cast<std::size_t>(declared < 256 ? declared : 256);
}

ColourTable readDibColourTable(ByteReader& reader, std::size_t count) noexcept {
    ColourTable colours{};
    for (std::size_t i = 0; i < count && i < colours.size(); ++i) {
        const std::uint8_t blue = reader.u8();
        const std::uint8_t green = reader.u8();
        const std::uint8_t red = reader.u8();
        reader.skip(1);
        colours[i] = Rgb{.red = red, .green = green, .blue = blue};
    }
    return colours;
}

namespace {

void storeColour(const Rgb& colour, std::uint8_t* out) noexcept {
    out[0] = colour.red;
    out[1] = colour.green;
    out[2] = colour.blue;
}

}  // namespace

void convertDibRowToRgb(ByteSpan row, std::uint16_t bitsPerPixel, const ColourTable& colours,
                        std::span<std::uint8_t> rgb) noexcept {
    const std::size_t width = rgb.size() / 3;
    if (row.size() < dibRowPixelBytes(width, bitsPerPixel)) {
        return;
    }
    const std::uint8_t* in = row.data();
    std::uint8_t* out = rgb.data();
    switch (bitsPerPixel) {
        case 1:
            // The leftmost pixel sits in the most significant bit.
            for (std::size_t x = 0; x < width; ++x, out += 3) {
                storeColour(colours[(in[x >> 3] >> (7 - (x & 7))) & 1U], out);
            }
            break;
        case 4:
            // The leftmost pixel sits in the high nibble.
            for (std::size_t x = 0; x < width; ++x, out += 3) {
                const unsigned shift = (x & 1) != 0 ? 0U : 4U;
                storeColour(colours[(in[x >> 1] >> shift) & 0x0FU], out);
            }
            break;
        case 8:
            for (std::size_t x = 0; x < width; ++x, out += 3) {
                storeColour(colours[in[x]], out);
            }
            break;
        case 24:
            // Stored blue, green, red.
            for (std::size_t x = 0; x < width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            break;
        case 32:
            // Stored blue, green, red and a fourth byte this program ignores.
            for (std::size_t x = 0; x < width; ++x, in += 4, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            break;
        default:
            break;
    }
}

}  // namespace tessvane::decode
