#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

namespace tessvane::decode {

// The still picture of a GIF stream: its first image at the top-left corner of the logical
// screen, which is the natural size; transparency not applied.
[[nodiscard]] DecodeResult<DecodedPicture> decodeGif(ByteSpan bytes);

}  // namespace tessvane::decode
