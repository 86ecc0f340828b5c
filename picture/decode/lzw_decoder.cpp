#include "picture/decode/lzw_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tessvane::decode {

LzwDecoder::LzwDecoder(ByteSpan codes, int minimumCodeSize) noexcept : m_codes(codes) {
    if (!acceptsMinimumCodeSize(minimumCodeSize)) {
        m_failed = true;
        return;
    }
    m_minimumCodeSize = static_cast<unsigned>(minimumCodeSize);
    m_clearCode = 1U << m_minimumCodeSize;
    m_endCode = m_clearCode + 1;
    // Only literals that fit an 8-bit index have a string; with a minimum code size above 8
    // the codes from 256 up to the clear code keep length 0 and count as undefined.
    const unsigned literals = std::min(m_clearCode, 256U);
    for (unsigned code = 0; code < literals; ++code) {
        m_suffix[code] = static_cast<std::uint8_t>(code);
        m_first[code] = static_cast<std::uint8_t>(code);
        m_length[code] = 1;
        // A literal is its own prefix, so even a walk that went one step too far would stay
        // inside the table.
        m_prefix[code] = static_cast<std::uint16_t>(code);
    }
    resetTable();
}

void LzwDecoder::resetTable() noexcept {
    // Entries past the end code keep their old contents, but no code at or above
    // m_nextCode is ever looked up, and each is rewritten before it comes into use.
    m_codeWidth = m_minimumCodeSize + 1;
    m_nextCode = m_endCode + 1;
    m_previousCode = kNoCode;
}

DecodeResult<std::size_t> LzwDecoder::read(std::span<std::uint8_t> output) noexcept {
    if (m_failed) {
        return DecodeFailure::corruptData;
    }
    std::uint8_t* const out = output.data();
    const std::size_t room = output.size();
    std::size_t written = 0;

    // First the rest of a string that the previous output could not hold.
    if (m_pendingStart < m_pendingEnd) {
        const std::size_t count = std::min(room, m_pendingEnd - m_pendingStart);
        std::memcpy(out, m_pending.data() + m_pendingStart, count);
        m_pendingStart += count;
        written = count;
    }

    // The hot state lives in locals for the loop and is stored back once at the end.
    const std::uint8_t* const data = m_codes.data();
    const std::size_t size = m_codes.size();
    std::size_t position = m_bytePosition;
    std::uint64_t bits = m_bitBuffer;
    unsigned bitCount = m_bitCount;
    unsigned width = m_codeWidth;
    unsigned next = m_nextCode;
    unsigned previous = m_previousCode;
    bool failed = false;

    while (written < room && !m_ended) {
        if (bitCount < width) {
            if (size - position >= 8) {
                // Eight bytes at once: the bytes that do not fit are OR-ed in again, with
                // the same bits at the same place, by the next refill.
                std::uint64_t word = 0;
                std::memcpy(&word, data + position, sizeof word);
                if constexpr (std::endian::native == std::endian::big) {
                    word = __builtin_bswap64(word);
                }
                bits |= word << bitCount;
                position += (63 - bitCount) >> 3;
                bitCount |= 56;
            } else {
                while (bitCount <= 56 && position < size) {
                    bits |= std::uint64_t{data[position]} << bitCount;
                    ++position;
                    bitCount += 8;
                }
                if (bitCount < width) {
                    // Too few bits for another code: the data ends the stream.
                    m_ended = true;
                    break;
                }
            }
        }
        const auto code = static_cast<unsigned>(bits & ((std::uint64_t{1} << width) - 1));
        bits >>= width;
        bitCount -= width;

        if (code == m_clearCode) {
            width = m_minimumCodeSize + 1;
            next = m_endCode + 1;
            previous = kNoCode;
            continue;
        }
        if (code == m_endCode) {
            m_ended = true;
            m_sawEndCode = true;
            break;
        }

        if (previous == kNoCode) {
            // The first code after a clear (or of the stream) has no entry to extend.
            if (code >= next || m_length[code] == 0) {
                failed = true;
                break;
            }
        } else {
            unsigned firstOfNew = 0;
            if (code < next) {
                if (m_length[code] == 0) {
                    failed = true;
                    break;
                }
                firstOfNew = m_first[code];
            } else if (code == next) {
                // KwKwK: the code being defined by this very step is previous's string
                // followed by its own first byte.
                firstOfNew = m_first[previous];
            } else {
                failed = true;
                break;
            }
            // Once the table is full, no entry is added until the next clear code.
            if (next < kTableSize) {
                m_prefix[next] = static_cast<std::uint16_t>(previous);
                m_suffix[next] = static_cast<std::uint8_t>(firstOfNew);
                m_first[next] = m_first[previous];
                m_length[next] = static_cast<std::uint16_t>(m_length[previous] + 1);
                ++next;
                // Codes widen once the next free code no longer fits. With a minimum code
                // size of 2 or more that is the moment it reaches the next power of two;
                // with 1 it is already past one after the first entry.
                if (next >= (1U << width) && width < kMaxCodeWidth) {
                    ++width;
                }
            }
        }
        previous = code;

        // The string is written back to front by walking its chain of prefixes; its length
        // is at most kTableSize, which bounds the walk.
        const std::size_t length = m_length[code];
        std::uint8_t* target = nullptr;
        if (length <= room - written) {
            target = out + written + length;
        } else {
            target = m_pending.data() + length;
        }
        unsigned walk = code;
        for (std::size_t step = 0; step < length; ++step) {
            *--target = m_suffix[walk];
            walk = m_prefix[walk];
        }
        if (length <= room - written) {
            written += length;
        } else {
            const std::size_t fits = room - written;
            std::memcpy(out + written, m_pending.data(), fits);
            written = room;
            m_pendingStart = fits;
            m_pendingEnd = length;
        }
    }

    m_bytePosition = position;
    m_bitBuffer = bits;
    m_bitCount = bitCount;
    m_codeWidth = width;
    m_nextCode = next;
    m_previousCode = static_cast<std::uint16_t>(previous);
    if (failed) {
        m_failed = true;
        return DecodeFailure::corruptData;
    }
    return written;
}

}  // namespace tessvane::decode
