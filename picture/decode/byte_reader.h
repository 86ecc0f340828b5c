#pragma once

#include "picture/decode/byte_buffer.h"

#include <cstddef>
#include <cstdint>

namespace tessvane::decode {

// Reads a file's bytes front to back. A read past the end touches no memory: it makes the
// reader fail, and a failed reader stays failed and reads 0 from then on. Check ok() before
// a value read from the file sizes, indexes or bounds anything.
class ByteReader {
public:
    explicit ByteReader(ByteSpan bytes) noexcept : m_bytes(bytes) {}

    [[nodiscard]] bool ok() const noexcept { return m_ok; }
    [[nodiscard]] std::size_t position() const noexcept { return m_position; }
    [[nodiscard]] std::size_t size() const noexcept { return m_bytes.size(); }
    [[nodiscard]] std::size_t remaining() const noexcept { return m_ok ? m_bytes.size() - m_position : 0; }
    [[nodiscard]] bool atEnd() const noexcept { return remaining() == 0; }

    [[nodiscard]] std::uint8_t u8() noexcept {
        if (!require(1)) {
            return 0;
        }
        return m_bytes[m_position++];
    }

    [[nodiscard]] std::uint16_t u16le() noexcept {
        if (!require(2)) {
            return 0;
        }
        const auto value = static_cast<std::uint16_t>(m_bytes[m_position] | (m_bytes[m_position + 1] << 8));
        m_position += 2;
        return value;
    }

    [[nodiscard]] std::uint32_t u32le() noexcept {
        if (!require(4)) {
            return 0;
        }
        const std::uint32_t value = std::uint32_t{m_bytes[m_position]} | (std::uint32_t{m_bytes[m_position + 1]} << 8) |
                                    (std::uint32_t{m_bytes[m_position + 2]} << 16) |
                                    (std::uint32_t{m_bytes[m_position + 3]} << 24);
        m_position += 4;
        return value;
    }

    [[nodiscard]] std::int32_t i32le() noexcept { return static_cast<std::int32_t>(u32le()); }

    // The next count bytes as a view, or an empty view (and a failed reader) when fewer remain.
    [[nodiscard]] ByteSpan bytes(std::size_t count) noexcept {
        if (!require(count)) {
            return {};
        }
        const ByteSpan view = m_bytes.subspan(m_position, count);
        m_position += count;
        return view;
    }

    // The byte at the current position without consuming it; 0 (and no failure) at the end.
    [[nodiscard]] std::uint8_t peek() const noexcept { return remaining() > 0 ? m_bytes[m_position] : 0; }

    void skip(std::size_t count) noexcept {
        if (require(count)) {
            m_position += count;
        }
    }

    // Moves to an absolute offset; past the end fails the reader.
    void seek(std::size_t offset) noexcept {
        if (!m_ok) {
            return;
        }
        if (offset > m_bytes.size()) {
            fail();
            return;
        }
        m_position = offset;
    }

    void fail() noexcept {
        m_ok = false;
        m_position = m_bytes.size();
    }

private:
    [[nodiscard]] bool require(std::size_t count) noexcept {
        if (!m_ok || count > m_bytes.size() - m_position) {
            fail();
            return false;
        }
        return true;
    }

    ByteSpan m_bytes;
    std::size_t m_position = 0;
    bool m_ok = true;
};

}  // namespace tessvane::decode
