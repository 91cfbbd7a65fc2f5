// Rounding a double to 16 significant digits with 128-bit arithmetic.
//
// A value v = m x 2^e (m normalised to 64 bits) is scaled by 10^q, q = 15 - k, where k is the
// decimal exponent of v's first digit, so that X = v x 10^q lies in [10^15, 10^16). The integer
// part of X is the 16-digit significand before rounding; its fraction decides the rounding.
//
// 10^q is taken from a table of 128-bit significands P with 10^q ~ P x 2^b. The table is built
// at compile time from 10^0 = 2^127 x 2^-127 by exact multiplications and divisions by ten,
// each truncated to 128 bits: every step takes off less than 2^-127 of the value, so after at
// most 339 steps P is below the exact value by a relative error under 339 x 2^-127 < 2^-118.
// X itself, below 10^17 < 2^57, is formed as floor(m x P / 2^64) with more than 64 fraction
// bits left, and its fraction cut to 64 bits: the computed X lies below the exact one by less
// than 2^57 x 2^-118 + 2^-65 + 2^-64 < 2^-61, that is by under 8 units of the 64-bit fraction.
// So a fraction more than a small margin away from one half rounds exactly as the exact value
// does; within the margin (exact halves included) std::to_chars decides.
#include "text/sixteen_digits.h"

#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>

namespace zephyrion {
namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr std::uint64_t kTenToThe15 = 1'000'000'000'000'000;
constexpr std::uint64_t kTenToThe16 = 10'000'000'000'000'000;

// Fractions this close to one half (in units of 2^-64) are left to std::to_chars; the error of
// the computed fraction is under 8 such units.
constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
constexpr std::uint64_t kHalfMargin = std::uint64_t{1} << 12;

// The powers of ten needed between the largest double (first digit at 10^308, q = -293 after
// the one correction of k) and the smallest subnormal (first digit at 10^-324, q = 339).
constexpr int kMinPower = -293;
constexpr int kMaxPower = 339;

struct PowerOfTen {
  Uint128 significand;  // in [2^127, 2^128), never above the exact value
  int binaryExponent;   // 10^q ~ significand x 2^binaryExponent
};

constexpr Uint128 kTopBit = Uint128{1} << 127;

// 10^(q+1) from 10^q: the product with ten keeps 128 bits after dropping 4 bits, or 3 bits
// when dropping 4 would leave the top bit clear.
constexpr PowerOfTen timesTen(PowerOfTen p) {
  const Uint128 s = p.significand;
  Uint128 dropFour = (s >> 4) * 10 + (((s & 15) * 10) >> 4);
  if (dropFour >= kTopBit) return {dropFour, p.binaryExponent + 4};
  return {(s >> 3) * 10 + (((s & 7) * 10) >> 3), p.binaryExponent + 3};
}

// 10^(q-1) from 10^q: the quotient by ten, shifted up by 4 bits, or by 3 when 4 would overflow.
constexpr PowerOfTen dividedByTen(PowerOfTen p) {
  const Uint128 quotient = p.significand / 10;
  const Uint128 remainder = p.significand % 10;
  if (quotient < (Uint128{1} << 124)) return {(quotient << 4) + (remainder << 4) / 10, p.binaryExponent - 4};
  return {(quotient << 3) + (remainder << 3) / 10, p.binaryExponent - 3};
}

constexpr std::array<PowerOfTen, kMaxPower - kMinPower + 1> makePowersOfTen() {
  std::array<PowerOfTen, kMaxPower - kMinPower + 1> table{};
  table[-kMinPower] = {kTopBit, -127};
  for (int q = 0; q < kMaxPower; ++q)
    table[q + 1 - kMinPower] = timesTen(table[q - kMinPower]);
  for (int q = 0; q > kMinPower; --q)
    table[q - 1 - kMinPower] = dividedByTen(table[q - kMinPower]);
  return table;
}

constexpr auto kPowersOfTen = makePowersOfTen();

// floor(n x log10(2)) for |n| <= 2620.
constexpr int floorLog10OfPowerOfTwo(int n) {
  return (n * 315653) >> 20;
}

// v = significand x 2^exponent with the significand's top bit set.
struct NormalisedBinary {
  std::uint64_t significand;
  int exponent;
};

NormalisedBinary normalise(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biasedExponent = static_cast<int>(bits >> 52);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent = -1074;
  if (biasedExponent != 0) {
    significand |= std::uint64_t{1} << 52;
    exponent = biasedExponent - 1075;
  }
  const int shift = std::countl_zero(significand);
  return {significand << shift, exponent - shift};
}

// X = v x 10^q as its integer part and the first 64 bits of its fraction.
struct Scaled {
  bool valid;
  std::uint64_t integer;
  std::uint64_t fraction;
};

Scaled scaledByPowerOfTen(NormalisedBinary v, int q) {
  if (q < kMinPower || q > kMaxPower) return {false, 0, 0};
  const PowerOfTen& power = kPowersOfTen[static_cast<std::size_t>(q - kMinPower)];
  const auto high = static_cast<std::uint64_t>(power.significand >> 64);
  const auto low = static_cast<std::uint64_t>(power.significand);
  // floor(m x P / 2^64): below 2^128 because m x P is below 2^192.
  const Uint128 product = Uint128{v.significand} * high + ((Uint128{v.significand} * low) >> 64);
  const int fractionBits = -(v.exponent + power.binaryExponent + 64);
  if (fractionBits < 65 || fractionBits > 127) return {false, 0, 0};
  return {true, static_cast<std::uint64_t>(product >> fractionBits),
          static_cast<std::uint64_t>((product << (128 - fractionBits)) >> 64)};
}

thread_local std::uint64_t fallbackCount = 0;

// The rounding of std::to_chars itself, for the values the scaled fraction cannot decide.
SixteenDigits fallBack(double magnitude) {
  ++fallbackCount;
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 15).ptr;
  // text holds "d.ddddddddddddddde+XX" (or e-XX, e+XXX).
  SixteenDigits rounded{0, 0};
  rounded.significand = static_cast<std::uint64_t>(text[0] - '0');
  for (int i = 2; i < 17; ++i)
    rounded.significand = rounded.significand * 10 + static_cast<std::uint64_t>(text[i] - '0');
  const char* exponentText = text + 18;  // after "d." + 15 digits + "e"
  if (*exponentText == '+') ++exponentText;
  std::from_chars(exponentText, end, rounded.exponent);
  return rounded;
}

}  // namespace

SixteenDigits roundToSixteenDigits(double magnitude) {
  assert(magnitude > 0 && std::isfinite(magnitude));  // 0 has no first bit to normalise by
  const NormalisedBinary v = normalise(magnitude);
  // v lies in [2^(e+63), 2^(e+64)), so its first digit is at k or k + 1.
  int k = floorLog10OfPowerOfTwo(v.exponent + 63);
  Scaled x = scaledByPowerOfTen(v, 15 - k);
  if (x.valid && x.integer >= kTenToThe16) {
    ++k;
    x = scaledByPowerOfTen(v, 15 - k);
  }
  if (!x.valid || x.integer >= kTenToThe16) return fallBack(magnitude);  // k off by more than one
  if (x.fraction >= kHalf - kHalfMargin && x.fraction <= kHalf + kHalfMargin) return fallBack(magnitude);
  std::uint64_t significand = x.integer + (x.fraction > kHalf ? 1 : 0);
  if (significand == kTenToThe16) {  // 9999999999999999.5 and above: one more digit before the point
    significand = kTenToThe15;
    ++k;
  }
  if (significand < kTenToThe15) return fallBack(magnitude);
  return {significand, k};
}

std::uint64_t sixteenDigitFallbacks() {
  return fallbackCount;
}

}  // namespace zephyrion
