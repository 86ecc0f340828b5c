#pragma once

#include "picture/decode/byte_buffer.h"

#include <string_view>

namespace tessvane::bench {

// The bytes of one input made by make_inputs.sh; aborts the benchmark run with a message
// when the file is missing, since a figure measured on nothing would mislead.
[[nodiscard]] ByteBuffer benchInput(std::string_view fileName);

}  // namespace tessvane::bench
