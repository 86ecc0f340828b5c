#include "picture/decode/jpeg_decoder.h"

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodeJpeg(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;  // FIXME: not written yet.
}

}  // namespace tessvane::decode
