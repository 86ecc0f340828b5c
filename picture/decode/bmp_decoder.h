#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

namespace tessvane::decode {

// Decodes a whole file's bytes, read again from the first byte.
[[nodiscard]] DecodeResult<DecodedPicture> decodeBmp(ByteSpan bytes);

}  // namespace tessvane::decode
