#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessvane {

// A whole file's bytes, owned by whoever holds it. Empty stands for "no picture" or "nothing read".
using ByteBuffer = std::vector<std::uint8_t>;

// A read-only view of bytes that someone else owns.
using ByteSpan = std::span<const std::uint8_t>;

}  // namespace tessvane
