#pragma once

#include <cstdint>
#include <optional>

namespace tessvane::decode {

// Size arithmetic on values from a file: 64 bits, and none on overflow.

[[nodiscard]] constexpr std::optional<std::uint64_t> checkedMul(std::uint64_t a, std::uint64_t b) noexcept {
    std::uint64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        return std::nullopt;
    }
    return product;
}

[[nodiscard]] constexpr std::optional<std::uint64_t> checkedAdd(std::uint64_t a, std::uint64_t b) noexcept {
    std::uint64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return std::nullopt;
    }
    return sum;
}

// Whether width × height × bytesPerPixel stays within the pixel and allocation limits.
[[nodiscard]] bool fitsLimits(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerPixel) noexcept;

}  // namespace tessvane::decode
