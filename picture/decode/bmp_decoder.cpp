#include "picture/decode/bmp_decoder.h"

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodeBmp(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;  // FIXME: not written yet.
}

}  // namespace tessvane::decode
