#include "picture/decode/pcx_decoder.h"

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodePcx(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;  // FIXME: not written yet.
}

}  // namespace tessvane::decode
