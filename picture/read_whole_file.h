#pragma once

#include "picture/decode/byte_buffer.h"

#include <cstdint>
#include <string_view>

namespace tessvane::picture {

// The whole content of a regular file, named by a UTF-8 path. Empty on any failure: an empty
// name (the file system is not touched then), a file that cannot be opened, one that another
// program holds a write lock on, anything that is not a regular file (a folder, a FIFO, a
// device: refused at once, never waited on), an empty file, one above kMaxFileBytes, or a
// read error. A file that turns out shorter than its size gives the bytes that arrived.
[[nodiscard]] ByteBuffer readWholeFile(std::string_view name);

// No buffer of a whole file is made above this size: such a file counts as one for which no
// room can be had. It matches the decoders' largest single allocation.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

}  // namespace tessvane::picture
