#include "export/export_name.h"

#include <charconv>
#include <chrono>
#include <random>
#include <utility>

namespace tessvane::exporter {
namespace {

std::uint32_t entropySeed() {
    try {
        std::random_device device;
        return device();
    } catch (const std::exception&) {
        // No entropy source on this system: the clock still differs from run to run.
        return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

std::mt19937& generator() {
    static std::mt19937 instance(entropySeed());
    return instance;
}

}  // namespace

std::int32_t randomInRange(std::int32_t low, std::int32_t high) {
    if (low > high) {
        std::swap(low, high);
    }
    std::uniform_int_distribution<std::int32_t> distribution(low, high);
    return distribution(generator());
}

void reseedRandom(std::uint32_t seed) { generator().seed(seed); }

std::string intToText(std::int32_t n) {
    // "-2147483648" is the longest: 11 characters.
    char digits[12];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), n);
    (void)error;  // cannot fail: the buffer holds every 32-bit value
    return std::string(digits, end);
}

std::string joinTexts(std::initializer_list<std::string_view> texts) {
    std::size_t length = 0;
    for (const std::string_view text : texts) {
        length += text.size();
    }
    std::string joined;
    joined.reserve(length);
    for (const std::string_view text : texts) {
        joined += text;
    }
    return joined;
}

}  // namespace tessvane::exporter
