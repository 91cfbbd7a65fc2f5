// Conversions of a double to a 32-bit integer, defined for every input.
#pragma once

#include <cstdint>

namespace zephyrion {

// Rounds to the nearest integer, halves to even (9.5 -> 10, 10.5 -> 10). Values beyond the
// int32 range, and the infinities, saturate at its ends; NaN gives 0.
std::int32_t roundToInt32(double value);

// Truncates toward zero with the same saturation (NaN gives 0).
std::int32_t truncateToInt32(double value);

}  // namespace zephyrion
