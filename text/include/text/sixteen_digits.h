// A double rounded to 16 significant decimal digits, the digits that the print form and the
// short form show.
#pragma once

#include <cstdint>

namespace zephyrion {

// |value| ~ significand x 10^(exponent - 15), significand in [10^15, 10^16): the digits
// d0 d1 ... d15 of d0.d1...d15 x 10^exponent. The rounding is to nearest from the exact binary
// value, an exact half to the even significand, as std::to_chars(..., scientific, 15) rounds.
struct SixteenDigits {
  std::uint64_t significand;
  int exponent;
};

// `magnitude` must be finite and above zero (subnormals included).
SixteenDigits roundToSixteenDigits(double magnitude);

// How many values roundToSixteenDigits has left to std::to_chars in this thread: the exact
// halves and the values too near one to decide.
std::uint64_t sixteenDigitFallbacks();

}  // namespace zephyrion
