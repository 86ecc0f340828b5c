#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

namespace tessvane::decode {

// Decodes pcx8 and pcx1 files; the header says which.
[[nodiscard]] DecodeResult<DecodedPicture> decodePcx(ByteSpan bytes);

}  // namespace tessvane::decode
