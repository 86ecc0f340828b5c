#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/limits.h"

namespace tessvane::decode {

// The variable-length-code LZW of GIF89a, turning one image's code stream (its data
// sub-blocks joined end to end) into 8-bit colour indices.
//
// Codes are packed least significant bit first and start one bit wider than the minimum
// code size; they widen by one bit each time the table's next free code needs it, up to 12
// bits. A full table (4096 codes) adds no more entries and keeps decoding at 12 bits until
// the encoder sends a clear code (the deferred clear of GIF89a).
//
// Refused, so that the caller drops the image: a code that names an entry not yet defined
// (including a first code that is not a literal), and a literal that cannot be an 8-bit
// index (a minimum code size above 8 leaves codes 256 and up without a colour). Every entry
// is built from entries defined before it, so a chain always ends at a literal within its
// recorded length, which is at most 4096; the walk is bounded by that length.
//
// The stream ends at the end code or when too few bits remain for a whole code; what the
// caller's output holds beyond that is left as it was.
class LzwDecoder {
public:
    // 1 to 11. GIF89a asks for at least 2, yet one-pixel files with a size of 1 are met; their
    // codes start 2 bits wide and widen as the table grows, like any other. A size of 0 would
    // leave the end code (2) out of reach of 1-bit codes, and 12 would put the clear code at
    // 4096, past the end of the table.
    [[nodiscard]] static constexpr bool acceptsMinimumCodeSize(int size) noexcept { return size >= 1 && size <= 11; }

    // The decoder reads codes from a view it does not own; codes must outlive it.
    // A minimum code size it does not accept makes every read fail.
    LzwDecoder(ByteSpan codes, int minimumCodeSize) noexcept;

    // Writes the next indices into output, from its front, and says how many. Fewer than
    // output.size() means that the code stream has ended; later reads give 0. A string
    // that does not fit is kept, and the next read starts with the rest of it. A corrupt
    // code fails this read and every later one.
    [[nodiscard]] DecodeResult<std::size_t> read(std::span<std::uint8_t> output) noexcept;

    // Whether the end code (rather than the end of the data) ended the stream.
    [[nodiscard]] bool sawEndCode() const noexcept { return m_sawEndCode; }

private:
    static constexpr unsigned kMaxCodeWidth = 12;
    static constexpr unsigned kTableSize = static_cast<unsigned>(kLzwMaxCodes);
    static constexpr std::uint16_t kNoCode = 0xFFFF;

    void resetTable() noexcept;

    ByteSpan m_codes;
    std::size_t m_bytePosition = 0;
    std::uint64_t m_bitBuffer = 0;
    unsigned m_bitCount = 0;

    unsigned m_minimumCodeSize = 0;
    unsigned m_clearCode = 0;
    unsigned m_endCode = 0;
    unsigned m_codeWidth = 0;
    unsigned m_nextCode = 0;
    std::uint16_t m_previousCode = kNoCode;
    bool m_ended = false;
    bool m_sawEndCode = false;
    bool m_failed = false;

    // Each entry's string is its prefix entry's string followed by its suffix byte; the
    // first byte and the length are kept too, so a string is written back to front in one
    // walk and a new entry needs no walk at all. A length of 0 marks a code with no string.
    std::array<std::uint16_t, kTableSize> m_prefix{};
    std::array<std::uint8_t, kTableSize> m_suffix{};
    std::array<std::uint8_t, kTableSize> m_first{};
    std::array<std::uint16_t, kTableSize> m_length{};

    // The tail of a string that did not fit into the last read's output.
    std::array<std::uint8_t, kTableSize> m_pending{};
    std::size_t m_pendingStart = 0;
    std::size_t m_pendingEnd = 0;
};

}  // namespace tessvane::decode
