#include "picture/decode/gif_frame_sequence.h"

namespace tessvane::decode {

// FIXME: not written yet.
DecodeResult<GifFrameSequence> GifFrameSequence::open(ByteSpan bytes) {
    (void)bytes;
    return DecodeFailure::unsupported;
}

DecodeResult<GifImage> GifFrameSequence::nextImage() { return DecodeFailure::unsupported; }

bool GifFrameSequence::atEndOfStream() const noexcept { return true; }

void GifFrameSequence::restart() noexcept { m_position = m_firstBlock; }

}  // namespace tessvane::decode
