#include "text/rounding.h"

#include <cmath>
#include <limits>

namespace zephyrion {
namespace {

constexpr double kInt32Max = 2147483647.0;
constexpr double kInt32Min = -2147483648.0;

// A whole-valued double is converted only once it is known to lie inside the int32 range.
std::int32_t saturate(double wholeValue) {
  if (std::isnan(wholeValue)) return 0;
  if (wholeValue >= kInt32Max) return std::numeric_limits<std::int32_t>::max();
  if (wholeValue <= kInt32Min) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(wholeValue);
}

}  // namespace

std::int32_t roundToInt32(double value) {
  if (!std::isfinite(value)) return saturate(value);
  if (std::fabs(value) >= 4503599627370496.0) return saturate(value);  // 2^52: already whole
  // Below 2^52 the fraction value - floor(value) is exact, so the tie test is exact too.
  double lower = std::floor(value);
  double fraction = value - lower;
  bool lowerIsOdd = std::fmod(lower, 2.0) != 0.0;
  if (fraction > 0.5 || (fraction == 0.5 && lowerIsOdd)) lower += 1.0;
  return saturate(lower);
}

std::int32_t truncateToInt32(double value) {
  return saturate(std::trunc(value));
}

}  // namespace zephyrion
