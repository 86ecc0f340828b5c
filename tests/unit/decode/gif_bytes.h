#pragma once

// Builders for GIF bytes in tests: LZW code streams written code by code, and the blocks of
// a stream, each field named where it is written.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace tessvane::decode::testing {

using Bytes = std::vector<std::uint8_t>;

inline void append(Bytes& bytes, std::initializer_list<std::uint8_t> more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

inline void appendU16(Bytes& bytes, unsigned value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Packs codes least significant bit first, each as wide as a GIF decoder expects it at that
// point: one bit more than the minimum code size after a clear code, one bit more each time
// the next free code no longer fits, never more than 12 bits. Every code but
// the first after a clear defines a table entry until the table holds 4096.
class CodePacker {
public:
    explicit CodePacker(unsigned minimumCodeSize)
        : m_minimumCodeSize(minimumCodeSize), m_clear(1U << minimumCodeSize), m_end(m_clear + 1) {
        reset();
    }

    [[nodiscard]] unsigned clearCode() const { return m_clear; }
    [[nodiscard]] unsigned endCode() const { return m_end; }
    [[nodiscard]] unsigned width() const { return m_width; }
    [[nodiscard]] unsigned nextCode() const { return m_next; }

    CodePacker& code(unsigned value) {
        put(value, m_width);
        if (value == m_clear) {
            reset();
        } else if (value != m_end) {
            if (m_afterClear) {
                m_afterClear = false;
            } else if (m_next < 4096) {
                ++m_next;
                if (m_next >= (1U << m_width) && m_width < 12) {
                    ++m_width;
                }
            }
        }
        return *this;
    }

    CodePacker& codes(std::initializer_list<unsigned> values) {
        for (const unsigned value : values) {
            code(value);
        }
        return *this;
    }

    // A code of an explicit width, for streams that break the rules on purpose.
    CodePacker& raw(unsigned value, unsigned width) {
        put(value, width);
        return *this;
    }

    // The packed bytes; a last partial byte is padded with zero bits.
    [[nodiscard]] Bytes bytes() const {
        Bytes out = m_bytes;
        if (m_bitCount > 0) {
            out.push_back(static_cast<std::uint8_t>(m_bits));
        }
        return out;
    }

private:
    void reset() {
        m_width = m_minimumCodeSize + 1;
        m_next = m_end + 1;
        m_afterClear = true;
    }

    void put(unsigned value, unsigned width) {
        m_bits |= static_cast<std::uint64_t>(value) << m_bitCount;
        m_bitCount += width;
        while (m_bitCount >= 8) {
            m_bytes.push_back(static_cast<std::uint8_t>(m_bits & 0xFF));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }

    unsigned m_minimumCodeSize;
    unsigned m_clear;
    unsigned m_end;
    unsigned m_width = 0;
    unsigned m_next = 0;
    bool m_afterClear = true;
    std::uint64_t m_bits = 0;
    unsigned m_bitCount = 0;
    Bytes m_bytes;
};

// A valid code stream for any indices below 2^minimumCodeSize: a clear code, every index as
// a literal, the end code. Literal-only streams fill the table and go on at 12 bits, which
// real decoders must accept (GIF89a's deferred clear).
inline Bytes literalCodes(unsigned minimumCodeSize, std::span<const std::uint8_t> indices) {
    CodePacker packer(minimumCodeSize);
    packer.code(packer.clearCode());
    for (const std::uint8_t index : indices) {
        packer.code(index);
    }
    packer.code(packer.endCode());
    return packer.bytes();
}

// Cuts data into sub-blocks of at most 255 bytes and adds the block terminator.
inline void appendSubBlocks(Bytes& bytes, std::span<const std::uint8_t> data) {
    std::size_t offset = 0;
    while (offset < data.size()) {
        const std::size_t size = std::min<std::size_t>(255, data.size() - offset);
        bytes.push_back(static_cast<std::uint8_t>(size));
        bytes.insert(bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
                     data.begin() + static_cast<std::ptrdiff_t>(offset + size));
        offset += size;
    }
    bytes.push_back(0x00);  // block terminator
}

// "GIF89a" (or 87a), the logical screen descriptor and, when colours is not empty, a global
// colour table of 2^(sizeField + 1) entries: the colours given (red, green, blue triples),
// zero-padded.
inline Bytes gifHeader(unsigned screenWidth, unsigned screenHeight, std::initializer_list<std::uint8_t> colours = {},
                       unsigned sizeField = 0, const char* version = "89a") {
    Bytes bytes{'G', 'I', 'F'};
    bytes.insert(bytes.end(), version, version + 3);
    appendU16(bytes, screenWidth);   // logical screen width
    appendU16(bytes, screenHeight);  // logical screen height
    const bool hasTable = colours.size() > 0;
    // packed: global colour table flag, colour resolution 8 bits, not sorted, table size field
    bytes.push_back(static_cast<std::uint8_t>((hasTable ? 0x80 : 0x00) | 0x70 | sizeField));
    bytes.push_back(0x00);  // background colour index
    bytes.push_back(0x00);  // pixel aspect ratio
    if (hasTable) {
        Bytes table(3 * (std::size_t{2} << sizeField), 0);
        std::copy(colours.begin(), colours.end(), table.begin());
        bytes.insert(bytes.end(), table.begin(), table.end());
    }
    return bytes;
}

enum class Interlace { no, yes };

struct ImageSpec {
    unsigned left = 0;
    unsigned top = 0;
    unsigned width = 1;
    unsigned height = 1;
    Interlace interlace = Interlace::no;
    std::initializer_list<std::uint8_t> localColours = {};  // red, green, blue triples
    unsigned localSizeField = 0;
};

// An image descriptor and local colour table, without the image data.
inline void appendImageDescriptor(Bytes& bytes, const ImageSpec& image) {
    bytes.push_back(0x2C);  // image separator
    appendU16(bytes, image.left);
    appendU16(bytes, image.top);
    appendU16(bytes, image.width);
    appendU16(bytes, image.height);
    const bool hasTable = image.localColours.size() > 0;
    // packed: local colour table flag, interlace flag, not sorted, table size field
    bytes.push_back(static_cast<std::uint8_t>((hasTable ? 0x80 : 0x00) |
                                              (image.interlace == Interlace::yes ? 0x40 : 0x00) |
                                              (hasTable ? image.localSizeField : 0)));
    if (hasTable) {
        Bytes table(3 * (std::size_t{2} << image.localSizeField), 0);
        std::copy(image.localColours.begin(), image.localColours.end(), table.begin());
        bytes.insert(bytes.end(), table.begin(), table.end());
    }
}

// A whole image: descriptor, local table, minimum code size and the given codes in
// sub-blocks.
inline void appendImage(Bytes& bytes, const ImageSpec& image, unsigned minimumCodeSize,
                        std::span<const std::uint8_t> codes) {
    appendImageDescriptor(bytes, image);
    bytes.push_back(static_cast<std::uint8_t>(minimumCodeSize));  // LZW minimum code size
    appendSubBlocks(bytes, codes);
}

// A whole image whose indices (stored order, width × height) are coded as literals.
inline void appendLiteralImage(Bytes& bytes, const ImageSpec& image, std::span<const std::uint8_t> indices,
                               unsigned minimumCodeSize = 2) {
    const Bytes codes = literalCodes(minimumCodeSize, indices);
    appendImage(bytes, image, minimumCodeSize, codes);
}

// A graphic control extension.
inline void appendGraphicControl(Bytes& bytes, unsigned disposal, bool transparent, unsigned delay,
                                 std::uint8_t transparentIndex) {
    append(bytes, {0x21, 0xF9, 0x04});  // extension introducer, graphic control label, block size 4
    bytes.push_back(static_cast<std::uint8_t>((disposal << 2) | (transparent ? 1 : 0)));  // packed
    appendU16(bytes, delay);            // delay in hundredths of a second
    bytes.push_back(transparentIndex);  // transparent colour index
    bytes.push_back(0x00);              // block terminator
}

inline void appendTrailer(Bytes& bytes) { bytes.push_back(0x3B); }

}  // namespace tessvane::decode::testing
