#pragma once

#include <cstddef>
#include <cstdint>

namespace tessvane::decode {

// One run of libjpeg over a JPEG held in memory. Everything libjpeg does happens inside
// runJpegSession, which catches libjpeg's error exit itself; nothing in it or below it owns
// a resource that a jump out of libjpeg could leak.

enum class JpegOutcome {
    decoded,
    libraryError,    // libjpeg gave up; messageCode and stage say why and where
    frameTooLarge,   // the frame exceeds the picture limits, nothing was allocated
    tooManyScans,    // a progressive file went past the scan cap
    noOutputMemory,  // the output provider could not supply the buffer
    otherChannels,   // the output would have neither one nor three channels (CMYK, YCCK, ...)
};

// Where a libjpeg error struck: reading the headers up to the first scan, or the pixel data.
enum class JpegStage { header, pixels };

struct JpegSessionResult {
    JpegOutcome outcome = JpegOutcome::libraryError;
    JpegStage stage = JpegStage::header;
    int messageCode = 0;  // libjpeg's J_MESSAGE_CODE of the error, when there was one
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Gives the place for width × height × 3 bytes of output (rows of red, green, blue, top
// row first, no padding), or null when it cannot. It must not throw: it runs between libjpeg
// calls, where an exception would unwind through frames that a longjmp also crosses.
using JpegOutputProvider = std::uint8_t* (*)(void* context, std::uint32_t width, std::uint32_t height) noexcept;

// Decodes the bytes with every decompression parameter at libjpeg's default. The provider is
// called once, after the frame has been checked against the limits and before any pixel is
// decoded.
[[nodiscard]] JpegSessionResult runJpegSession(const std::uint8_t* data, std::size_t size,
                                               JpegOutputProvider provideOutput, void* context) noexcept;

}  // namespace tessvane::decode
