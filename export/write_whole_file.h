#pragma once

// Writing a new file whole. The program never destroys a file of the user's: a file is only
// ever created, exclusively, and never emptied or replaced.

#include <initializer_list>
#include <string_view>

#include "picture/decode/byte_buffer.h"

namespace tessvane::exporter {

enum class WriteOutcome { written, nameTaken, failed };

// Creates the file (a name without a folder lies in the current directory) and writes the
// buffers into it in order, each in full. nameTaken when anything, a symbolic link included,
// already has the name; failed when it cannot be created or a write or the close fails, in
// which case the partial file is removed. While the file is written it holds an advisory
// exclusive lock. Each failure but nameTaken prints one line on standard error.
[[nodiscard]] WriteOutcome writeNewFile(std::string_view name, std::initializer_list<ByteSpan> buffers);

// writeNewFile as true or false; an empty name is false and touches nothing. A name already
// taken is a failure with its line on standard error too.
[[nodiscard]] bool writeWholeFile(std::string_view name, std::initializer_list<ByteSpan> buffers);

}  // namespace tessvane::exporter
