#include "picture/decode/icon_decoder.h"

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodeIcon(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;  // FIXME: not written yet.
}

}  // namespace tessvane::decode
