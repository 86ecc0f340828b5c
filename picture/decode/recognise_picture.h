#pragma once

#include "picture/decode/byte_buffer.h"
#include "picture/decode/decoded_picture.h"

#include <optional>

namespace tessvane::decode {

// The kind of picture the data holds, judged from its first 6 bytes alone; none for
// anything that is not one of the seven kinds (PNG included) or is shorter than 6 bytes.
[[nodiscard]] std::optional<PictureKind> recognisePicture(ByteSpan bytes) noexcept;

}  // namespace tessvane::decode
