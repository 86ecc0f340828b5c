#include "picture/decode/gif_decoder.h"

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodeGif(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;  // FIXME: not written yet.
}

}  // namespace tessvane::decode
