#include "picture/decode/decode_picture.h"

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodePictureWithReason(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;  // FIXME: not written yet.
}

std::optional<DecodedPicture> decodePicture(ByteSpan bytes) noexcept {
    (void)bytes;
    return std::nullopt;
}

}  // namespace tessvane::decode
