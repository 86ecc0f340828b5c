#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"

#include <cstdint>
#include <span>

namespace tessvane::decode {

// FIXME: interface to be settled with the GIF decoder.

}  // namespace tessvane::decode
