#include "picture/decode/checked_math.h"

#include "picture/decode/limits.h"

namespace tessvane::decode {

bool fitsLimits(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerPixel) noexcept {
    const auto pixels = checkedMul(width, height);
    if (!pixels || *pixels > kMaxPixels) {
        return false;
    }
    const auto bytes = checkedMul(*pixels, bytesPerPixel);
    return bytes && *bytes <= kMaxAllocationBytes;
}

}  // namespace tessvane::decode
