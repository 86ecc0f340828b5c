#include "picture/decode/decode_picture.h"

#include "picture/decode/bmp_decoder.h"
#include "picture/decode/gif_decoder.h"
#include "picture/decode/icon_decoder.h"
#include "picture/decode/jpeg_decoder.h"
#include "picture/decode/pcx_decoder.h"
#include "picture/decode/recognise_picture.h"

#include <utility>

namespace tessvane::decode {

DecodeResult<DecodedPicture> decodePictureWithReason(ByteSpan bytes) {
    const std::optional<PictureKind> kind = recognisePicture(bytes);
    if (!kind) {
        // Data of no kind this program reads, too short to tell included, is an
        // unsupported variant of "a picture" as far as the caller is concerned.
        return DecodeFailure::unsupported;
    }
    // Each decoder reads the data again from its first byte.
    switch (*kind) {
        case PictureKind::bmp:
            return decodeBmp(bytes);
        case PictureKind::jpeg:
            return decodeJpeg(bytes);
        case PictureKind::icon:
        case PictureKind::cursor:
            return decodeIcon(bytes);
        case PictureKind::gif:
            return decodeGif(bytes);
        case PictureKind::pcx8:
        case PictureKind::pcx1:
            return decodePcx(bytes);
    }
    return DecodeFailure::unsupported;
}

std::optional<DecodedPicture> decodePicture(ByteSpan bytes) noexcept {
    // Running out of memory, or any other exception from the decoders' own work, is one
    // more way for a file not to decode.
    try {
        DecodeResult<DecodedPicture> result = decodePictureWithReason(bytes);
        if (!result) {
            return std::nullopt;
        }
        return std::move(result).value();
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace tessvane::decode
