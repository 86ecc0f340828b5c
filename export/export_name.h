#pragma once

// The pieces of an export's file name: a pseudo-random number and texts joined after it.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tessvane::exporter {

// A pseudo-random whole number from low to high inclusive (the bounds swapped when low is the
// larger). The generator is seeded once per run from the system's entropy source.
[[nodiscard]] std::int32_t randomInRange(std::int32_t low, std::int32_t high);

// Restarts the generator from a fixed seed, so a run can repeat its numbers.
void reseedRandom(std::uint32_t seed);

// The decimal digits of n, "-" first when negative, no leading zeros, no grouping.
[[nodiscard]] std::string intToText(std::int32_t n);

// The texts one after the other; an empty view stands for a missing text.
[[nodiscard]] std::string joinTexts(std::initializer_list<std::string_view> texts);

}  // namespace tessvane::exporter
