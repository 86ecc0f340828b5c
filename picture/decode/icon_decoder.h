#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

namespace tessvane::decode {

// Decodes a whole file's bytes, read again from the first byte. The header's type (1 or 2)
// makes the kind icon or cursor.
[[nodiscard]] DecodeResult<DecodedPicture> decodeIcon(ByteSpan bytes);

}  // namespace tessvane::decode
