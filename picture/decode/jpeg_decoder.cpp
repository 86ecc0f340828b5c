// JPEG through libjpeg: baseline, extended sequential and progressive files (JFIF, Exif,
// Adobe and bare streams alike), every decompression parameter at libjpeg's default, so colour
// comes out as red, green, blue and greyscale as its grey in all three colours.
// Refused: files whose output has neither one nor three channels (CMYK, YCCK): their inks need
// a profile to become screen colours, and no guess would be the right one. Refused as too
// large: frames beyond the picture limits (checked before any pixel memory is taken),
// progressive files of more than kJpegMaxScans scans, and files whose working memory would
// exceed kJpegMaxMemoryBytes.
// A file cut short decodes with what it holds: libjpeg's memory source ends it with an
// end-of-image marker, and the blocks the data no longer reaches come out flat.

#include "picture/decode/jpeg_decoder.h"

#include "picture/decode/jpeg_session.h"

#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <initializer_list>
#include <utility>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it then declares the J_MESSAGE_CODE values.
#include <jerror.h>

namespace tessvane::decode {
namespace {

// Called between libjpeg calls, so nothing may leave it by an exception.
std::uint8_t* provideRgb(void* context, std::uint32_t width, std::uint32_t height) noexcept {
    auto& rgb = *static_cast<std::vector<std::uint8_t>*>(context);
    try {
        // The session has checked width × height × 3 against the limits already.
        rgb.resize(std::size_t{width} * height * 3);
    } catch (...) {
        return nullptr;
    }
    return rgb.data();
}

[[nodiscard]] bool isOneOf(int code, std::initializer_list<J_MESSAGE_CODE> codes) {
    for (const J_MESSAGE_CODE candidate : codes) {
        if (code == static_cast<int>(candidate)) {
            return true;
        }
    }
    return false;
}

// libjpeg's error codes sorted into this program's reasons; an error not named here is a
// broken header before the first scan and broken pixel data after it.
[[nodiscard]] DecodeFailure libraryFailure(const JpegSessionResult& result) {
    if (isOneOf(result.messageCode, {JERR_INPUT_EMPTY, JERR_NO_IMAGE, JERR_INPUT_EOF})) {
        return DecodeFailure::truncated;
    }
    if (isOneOf(result.messageCode,
                {JERR_OUT_OF_MEMORY, JERR_NO_BACKING_STORE, JERR_IMAGE_TOO_BIG, JERR_WIDTH_OVERFLOW})) {
        return DecodeFailure::tooLarge;
    }
    if (isOneOf(result.messageCode,
                {JERR_BAD_PRECISION, JERR_SOF_UNSUPPORTED, JERR_ARITH_NOTIMPL, JERR_NOT_COMPILED, JERR_NOTIMPL,
                 JERR_CONVERSION_NOTIMPL, JERR_FRACT_SAMPLE_NOTIMPL, JERR_CCIR601_NOTIMPL})) {
        return DecodeFailure::unsupported;
    }
    return result.stage == JpegStage::header ? DecodeFailure::badHeader : DecodeFailure::corruptData;
}

[[nodiscard]] DecodeFailure failureOf(const JpegSessionResult& result) {
    switch (result.outcome) {
        case JpegOutcome::frameTooLarge:
        case JpegOutcome::tooManyScans:
        case JpegOutcome::noOutputMemory:
            return DecodeFailure::tooLarge;
        case JpegOutcome::otherChannels:
            return DecodeFailure::unsupported;
        case JpegOutcome::libraryError:
        case JpegOutcome::decoded:
            break;
    }
    return libraryFailure(result);
}

}  // namespace

DecodeResult<DecodedPicture> decodeJpeg(ByteSpan bytes) {
    RgbPixels pixels;
    const JpegSessionResult result = runJpegSession(bytes.data(), bytes.size(), provideRgb, &pixels.rgb);
    if (result.outcome != JpegOutcome::decoded) {
        return failureOf(result);
    }
    // libjpeg caps both sides at 65500, so they fit a 32-bit signed size.
    return DecodedPicture{.kind = PictureKind::jpeg,
                          .width = static_cast<std::int32_t>(result.width),
                          .height = static_cast<std::int32_t>(result.height),
                          .pixels = std::move(pixels)};
}

}  // namespace tessvane::decode
