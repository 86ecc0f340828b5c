#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decode_failure.h"
#include "picture/decode/decoded_picture.h"

#include <optional>

namespace tessvane::decode {

// Recognises the kind and runs its decoder; the reason when there is no picture.
[[nodiscard]] DecodeResult<DecodedPicture> decodePictureWithReason(ByteSpan bytes);

// Recognises and decodes; none for anything that is not a picture or does not decode,
// running out of memory included. Never throws, never shows anything.
[[nodiscard]] std::optional<DecodedPicture> decodePicture(ByteSpan bytes) noexcept;

}  // namespace tessvane::decode
