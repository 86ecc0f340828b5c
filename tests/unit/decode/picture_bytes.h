#pragma once

// Assembles BMP, ICO/CUR and PCX files byte by byte for the decoder tests, every field
// named, so that a test can break exactly one rule of a format.

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decoded_picture.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace tessvane::decode::test {

// Little-endian writer.
class Bytes {
public:
    Bytes& u8(std::uint8_t value) {
        m_data.push_back(value);
        return *this;
    }
    Bytes& u16(std::uint16_t value) { return u8(static_cast<std::uint8_t>(value)).u8(static_cast<std::uint8_t>(value >> 8)); }
    Bytes& u32(std::uint32_t value) {
        return u16(static_cast<std::uint16_t>(value)).u16(static_cast<std::uint16_t>(value >> 16));
    }
    Bytes& i32(std::int32_t value) { return u32(static_cast<std::uint32_t>(value)); }
    Bytes& raw(const std::vector<std::uint8_t>& bytes) {
        m_data.insert(m_data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Bytes& raw(std::initializer_list<std::uint8_t> bytes) {
        m_data.insert(m_data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Bytes& fill(std::size_t count, std::uint8_t value) {
        m_data.insert(m_data.end(), count, value);
        return *this;
    }
    [[nodiscard]] std::size_t size() const { return m_data.size(); }
    [[nodiscard]] const ByteBuffer& data() const { return m_data; }

private:
    ByteBuffer m_data;
};

// The 40-byte information header shared by BMP files and icon images.
struct DibFields {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

inline void appendDibInfoHeader(Bytes& out, const DibFields& dib) {
    out.u32(dib.headerSize)
        .i32(dib.width)
        .i32(dib.height)
        .u16(dib.planes)
        .u16(dib.bitsPerPixel)
        .u32(dib.compression)
        .u32(0)   // image size, not needed for uncompressed rows
        .i32(0)   // horizontal resolution
        .i32(0)   // vertical resolution
        .u32(dib.coloursUsed)
        .u32(0);  // colours important
}

inline void appendColourTable(Bytes& out, const std::vector<Rgb>& colours) {
    for (const Rgb& colour : colours) {
        out.u8(colour.blue).u8(colour.green).u8(colour.red).u8(0);
    }
}

// Rows as stored (bottom row first), each padded with zeros to a multiple of 4 bytes.
inline std::vector<std::uint8_t> paddedRows(const std::vector<std::vector<std::uint8_t>>& rows) {
    std::vector<std::uint8_t> out;
    for (const auto& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.insert(out.end(), (4 - row.size() % 4) % 4, 0);
    }
    return out;
}

struct BmpFields {
    DibFields dib;
    std::vector<Rgb> colours;                 // the colour table as written
    std::optional<std::uint32_t> pixelOffset;  // 54 + the table when not given
    std::size_t gap = 0;                       // bytes written between the table and the pixels
    std::vector<std::uint8_t> pixelData;       // the stored rows, padding included
};

inline ByteBuffer makeBmp(const BmpFields& fields) {
    const auto tableBytes = static_cast<std::uint32_t>(4 * fields.colours.size());
    const std::uint32_t offset = fields.pixelOffset.value_or(54 + tableBytes + static_cast<std::uint32_t>(fields.gap));
    Bytes out;
    out.raw({'B', 'M'})
        .u32(static_cast<std::uint32_t>(54 + tableBytes + fields.gap + fields.pixelData.size()))  // file size
        .u32(0)                                                                                    // reserved
        .u32(offset);
    appendDibInfoHeader(out, fields.dib);
    appendColourTable(out, fields.colours);
    out.fill(fields.gap, 0xEE);
    out.raw(fields.pixelData);
    return out.data();
}

// One image of an icon file: information header (height doubled for the mask), colour
// table, colour bitmap and mask, both bitmaps given as stored rows (bottom first).
struct IconImageFields {
    DibFields dib;  // dib.height is the natural height; the header gets twice that
    std::vector<Rgb> colours;
    std::vector<std::vector<std::uint8_t>> colourRows;
    std::vector<std::vector<std::uint8_t>> maskRows;
};

inline ByteBuffer makeIconImage(const IconImageFields& fields) {
    Bytes out;
    DibFields dib = fields.dib;
    dib.height *= 2;
    appendDibInfoHeader(out, dib);
    appendColourTable(out, fields.colours);
    out.raw(paddedRows(fields.colourRows));
    out.raw(paddedRows(fields.maskRows));
    return out.data();
}

struct IconEntryFields {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colourCount = 0;
    ByteBuffer image;
    std::optional<std::uint32_t> byteCount;  // the image's size when not given
};

inline constexpr std::uint16_t kIconType = 1;
inline constexpr std::uint16_t kCursorType = 2;

inline ByteBuffer makeIconFile(std::uint16_t type, const std::vector<IconEntryFields>& entries) {
    Bytes out;
    out.u16(0).u16(type).u16(static_cast<std::uint16_t>(entries.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IconEntryFields& entry : entries) {
        out.u8(entry.width)
            .u8(entry.height)
            .u8(entry.colourCount)
            .u8(0)    // reserved
            .u16(1)   // planes, or the hot spot's x for a cursor
            .u16(0)   // bit count, or the hot spot's y
            .u32(entry.byteCount.value_or(static_cast<std::uint32_t>(entry.image.size())))
            .u32(offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const IconEntryFields& entry : entries) {
        out.raw(entry.image);
    }
    return out.data();
}

struct PcxFields {
    std::uint8_t manufacturer = 0x0A;
    std::uint8_t version = 5;
    std::uint8_t encoding = 1;
    std::uint8_t bitsPerPixel = 8;
    std::uint16_t xMin = 0;
    std::uint16_t yMin = 0;
    std::uint16_t xMax = 0;
    std::uint16_t yMax = 0;
    std::uint8_t planes = 1;
    std::uint16_t bytesPerLine = 2;
    std::vector<std::uint8_t> coded;    // run-length data from byte 128
    std::optional<std::vector<Rgb>> colourTable;  // written after 0x0C at the end when given
};

inline ByteBuffer makePcx(const PcxFields& fields) {
    Bytes out;
    out.u8(fields.manufacturer)
        .u8(fields.version)
        .u8(fields.encoding)
        .u8(fields.bitsPerPixel)
        .u16(fields.xMin)
        .u16(fields.yMin)
        .u16(fields.xMax)
        .u16(fields.yMax)
        .u16(72)
        .u16(72)
        .fill(48, 0x55)  // the 16-colour table, which neither kind uses
        .u8(0)           // reserved
        .u8(fields.planes)
        .u16(fields.bytesPerLine)
        .u16(1);  // palette interpretation
    out.fill(128 - out.size(), 0);
    out.raw(fields.coded);
    if (fields.colourTable) {
        out.u8(0x0C);
        for (std::size_t i = 0; i < 256; ++i) {
            const Rgb colour = i < fields.colourTable->size() ? (*fields.colourTable)[i] : Rgb{};
            out.u8(colour.red).u8(colour.green).u8(colour.blue);
        }
    }
    return out.data();
}

inline ByteBuffer readFixture(const std::string& relativePath) {
    std::ifstream file(std::filesystem::path(TESSVANE_FIXTURES) / relativePath, std::ios::binary);
    return ByteBuffer(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace tessvane::decode::test
