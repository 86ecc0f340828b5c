#pragma once

#include <cstdint>

namespace tessvane::decode {

// Every resource limit of the decoders lives here. A file that would exceed one is
// treated as "resources exhausted": the decode gives none (DecodeFailure::tooLarge).

// 2^28 pixels: a 16384 × 16384 picture, far beyond anything this tool composes (its
// pictures are 100 × 100 and 30 × 45) yet below what a 32-bit pixel count can wrap.
// A GIF's logical screen counts as a picture of its own.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

// 1 GiB for any single allocation: a decoded picture of kMaxPixels at 3 bytes per pixel
// stays below it, and a hostile header cannot make one buffer take the whole machine.
inline constexpr std::uint64_t kMaxAllocationBytes = std::uint64_t{1} << 30;

// libjpeg's own working memory (max_memory_to_use): coefficient buffers of a large
// progressive file fit, a crafted one that asks for more is refused.
inline constexpr long kJpegMaxMemoryBytes = 1L << 30;

// Real encoders write a few dozen scans at most; a file with thousands of tiny scans
// only burns time, so decoding stops past this many.
inline constexpr int kJpegMaxScans = 1000;

// An LZW chain can be no longer than the table: 4096 codes of 12 bits.
inline constexpr int kLzwMaxCodes = 4096;

// The default icon size used for the second attempt at building an icon object.
inline constexpr std::int32_t kDefaultIconSize = 32;

}  // namespace tessvane::decode
