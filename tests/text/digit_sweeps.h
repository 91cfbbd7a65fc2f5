// Sweeps of doubles through the 16-digit rounding and the two number forms, each value checked
// against the oracle built on std::to_chars: shared by the quick sample of the unit tests and
// the long differential test.
#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "number_forms_oracle.h"
#include "text/number_forms.h"
#include "text/sixteen_digits.h"

namespace zephyrion::digit_sweeps {

// What a sweep found.
struct Findings {
  std::uint64_t values = 0;     // doubles whose 16 digits were compared with the oracle's
  std::uint64_t texts = 0;      // doubles whose print form and short form were compared too
  std::uint64_t fallbacks = 0;  // doubles the fast rounding left to std::to_chars
  std::uint64_t mismatches = 0;
  std::vector<std::string> examples;  // the first mismatches

  void add(const Findings& other) {
    values += other.values;
    texts += other.texts;
    fallbacks += other.fallbacks;
    mismatches += other.mismatches;
    for (const std::string& example : other.examples) {
      if (examples.size() < 10) examples.push_back(example);
    }
  }
};

inline std::string hexBits(double value) {
  char text[24];
  auto end = std::to_chars(text, text + sizeof text, std::bit_cast<std::uint64_t>(value), 16).ptr;
  return "0x" + std::string(text, end);
}

inline void noteMismatch(Findings& findings, double value, const std::string& what) {
  ++findings.mismatches;
  if (findings.examples.size() < 10) findings.examples.push_back(hexBits(value) + ": " + what);
}

inline bool sameDigits(const SixteenDigits& fast, const testing_support::OracleDigits& oracle) {
  if (fast.exponent != oracle.exponent) return false;
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, fast.significand).ptr;
  return end - digits == 16 && std::equal(digits, end, oracle.digits);
}

inline void compareTexts(double value, Findings& findings) {
  ++findings.texts;
  std::string print = printForm(value);
  std::string expected = testing_support::oraclePrintForm(value);
  if (print != expected)
    noteMismatch(findings, value, "print form [" + print + "], oracle [" + expected + "]");
  std::string shortForm = numberToText(value);
  expected = testing_support::oracleShortForm(value);
  if (shortForm != expected) {
    noteMismatch(findings, value, "short form [" + shortForm + "], oracle [" + expected + "]");
  }
}

// Compares the 16 digits of one double, and its two texts when asked, with the oracle.
inline void check(double value, bool withTexts, Findings& findings) {
  if (withTexts) compareTexts(value, findings);
  if (!std::isfinite(value) || value == 0) return;
  const double magnitude = std::fabs(value);
  const std::uint64_t fallbacksBefore = sixteenDigitFallbacks();
  const SixteenDigits fast = roundToSixteenDigits(magnitude);
  findings.fallbacks += sixteenDigitFallbacks() - fallbacksBefore;
  ++findings.values;
  const testing_support::OracleDigits oracle = testing_support::oracleDigits(magnitude);
  if (!sameDigits(fast, oracle)) {
    noteMismatch(findings, value,
                 "digits " + std::to_string(fast.significand) + " e" + std::to_string(fast.exponent) +
                     ", oracle " + oracle.text() + " e" + std::to_string(oracle.exponent));
  }
}

// The value and its nearest neighbours on both sides, `reach` steps each way, above zero and
// below infinity.
inline void checkWithNeighbours(double value, int reach, Findings& findings) {
  check(value, true, findings);
  double below = value;
  double above = value;
  for (int step = 0; step < reach; ++step) {
    below = std::nextafter(below, 0.0);
    above = std::nextafter(above, std::numeric_limits<double>::infinity());
    if (below > 0) check(below, true, findings);
    if (std::isfinite(above)) check(above, true, findings);
  }
}

// Every power of two, from the smallest subnormal to 2^1023, with two neighbours each way.
inline void sweepPowersOfTwo(Findings& findings) {
  for (int n = -1074; n <= 1023; ++n)
    checkWithNeighbours(std::ldexp(1.0, n), 2, findings);
}

// The double nearest to a decimal text, with its neighbours; nothing beyond the double range.
inline void checkDecimalWithNeighbours(const std::string& text, int reach, Findings& findings) {
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc() && value != 0) checkWithNeighbours(value, reach, findings);
}

// Every power of ten of the double range, and every point where rounding to 16 digits carries
// into one more digit before the point (9.9999999999999995 x 10^j): all the places where the
// print form and the short form switch between fixed and exponent form lie among them.
inline void sweepPowersOfTen(Findings& findings) {
  for (int j = -324; j <= 308; ++j) {
    checkDecimalWithNeighbours("1e" + std::to_string(j), 3, findings);
    checkDecimalWithNeighbours("9.9999999999999995e" + std::to_string(j - 1), 3, findings);
  }
}

// The first and the last 2^20 subnormals and the first 2^20 normal doubles after them.
inline void sweepSubnormalEnds(Findings& findings) {
  constexpr std::uint64_t kSpan = std::uint64_t{1} << 20;
  constexpr std::uint64_t kFirstNormal = std::uint64_t{1} << 52;
  for (std::uint64_t bits = 1; bits <= kSpan; ++bits)
    check(std::bit_cast<double>(bits), bits % 64 == 0, findings);
  for (std::uint64_t bits = kFirstNormal - kSpan; bits < kFirstNormal + kSpan; ++bits)
    check(std::bit_cast<double>(bits), bits % 64 == 0, findings);
}

// Random doubles of one kind, drawn from a generator seeded by the sweep's seed and the block.
using Draw = void (*)(std::mt19937_64& random, bool withTexts, Findings& findings);

// Any bit pattern: every binade alike, signs, infinities and NaN included.
inline void drawBitPattern(std::mt19937_64& random, bool withTexts, Findings& findings) {
  check(std::bit_cast<double>(random()), withTexts, findings);
}

// A subnormal bit pattern.
inline void drawSubnormal(std::mt19937_64& random, bool withTexts, Findings& findings) {
  check(std::bit_cast<double>(random() & ((std::uint64_t{1} << 52) - 1)), withTexts, findings);
}

// A decimal of 1 to 17 digits at any exponent, read as the nearest double, and that double's
// neighbours: the values that people type and that sit next to the rounding points.
inline void drawDecimal(std::mt19937_64& random, bool withTexts, Findings& findings) {
  const int digitCount = std::uniform_int_distribution<int>(1, 17)(random);
  const auto low = static_cast<std::uint64_t>(std::pow(10.0, digitCount - 1));
  const std::uint64_t mantissa = std::uniform_int_distribution<std::uint64_t>(low, 10 * low - 1)(random);
  const int exponent = std::uniform_int_distribution<int>(-340, 320)(random);
  std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc()) return;  // beyond the double range
  check(value, withTexts, findings);
  check(std::nextafter(value, 0.0), withTexts, findings);
  check(std::nextafter(value, std::numeric_limits<double>::infinity()), withTexts, findings);
}

// An exact half at the 17th digit. Such a double has 17 significant digits ending in 5, so it
// is an odd o times 2^-t with o x 5^t in [10^16, 10^17); t runs from 1 to 24.
inline void drawExactHalf(std::mt19937_64& random, bool withTexts, Findings& findings) {
  const int t = std::uniform_int_distribution<int>(1, 24)(random);
  const double fivePower = std::pow(5.0, t);  // exact: 5^24 < 2^56 and every factor fits
  const auto fives = static_cast<std::uint64_t>(fivePower);
  const std::uint64_t low = (10'000'000'000'000'000 + fives - 1) / fives;
  const std::uint64_t high =
      std::min<std::uint64_t>(100'000'000'000'000'000 / fives, (std::uint64_t{1} << 53) - 1);
  std::uint64_t odd = std::uniform_int_distribution<std::uint64_t>(low, high)(random) | 1;
  if (odd > high) odd -= 2;
  if (odd < low) return;  // no odd number in a range of one even number
  check(std::ldexp(static_cast<double>(odd), -t), withTexts, findings);
}

// Draws `count` values in blocks of `blockSize` on every hardware thread; each block has its
// own generator seeded by (seed, kind, block), so the values depend on the seed alone. Every
// `textEvery`-th value has its texts compared as well.
inline Findings sweepRandom(Draw draw, int kind, std::uint64_t count, std::uint64_t blockSize,
                            std::uint64_t seed, std::uint64_t textEvery) {
  const std::uint64_t blocks = (count + blockSize - 1) / blockSize;
  std::atomic<std::uint64_t> nextBlock{0};
  Findings total;
  std::mutex totalLock;
  auto work = [&] {
    Findings findings;
    for (std::uint64_t block; (block = nextBlock++) < blocks;) {
      std::seed_seq seeds{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                          static_cast<std::uint32_t>(kind), static_cast<std::uint32_t>(block)};
      std::mt19937_64 random(seeds);
      const std::uint64_t end = std::min(count, (block + 1) * blockSize);
      for (std::uint64_t i = block * blockSize; i < end; ++i)
        draw(random, i % textEvery == 0, findings);
    }
    std::lock_guard<std::mutex> hold(totalLock);
    total.add(findings);
  };
  std::vector<std::thread> threads(std::max(1u, std::thread::hardware_concurrency()) - 1);
  for (std::thread& thread : threads)
    thread = std::thread(work);
  work();
  for (std::thread& thread : threads)
    thread.join();
  return total;
}

}  // namespace zephyrion::digit_sweeps
