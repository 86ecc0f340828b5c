#include "picture/decode/recognise_picture.h"

namespace tessvane::decode {

std::optional<PictureKind> recognisePicture(ByteSpan bytes) noexcept {
    (void)bytes;
    return std::nullopt;  // FIXME: not written yet.
}

}  // namespace tessvane::decode
