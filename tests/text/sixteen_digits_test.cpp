// A quick sample of the differential check of the 16-digit rounding: the long run is
// sixteen_digits_sweep_test.cpp (label slow).
#include "text/sixteen_digits.h"

#include <gtest/gtest.h>

#include "digit_sweeps.h"
#include "test_seed.h"

namespace zephyrion {
namespace {

using digit_sweeps::Findings;

constexpr std::uint64_t kDefaultSeed = 20260107;

std::string report(const Findings& findings) {
  std::string text = std::to_string(findings.mismatches) + " of " + std::to_string(findings.values) +
                     " values differ from the oracle";
  for (const std::string& example : findings.examples)
    text += "\n  " + example;
  return text;
}

TEST(SixteenDigits, MatchesToCharsAtEveryPowerOfTwoAndTenAndEverySwitchPoint) {
  Findings findings;
  digit_sweeps::sweepPowersOfTwo(findings);
  digit_sweeps::sweepPowersOfTen(findings);
  EXPECT_EQ(findings.mismatches, 0u) << report(findings);
  EXPECT_GT(findings.values, 12000u);
}

TEST(SixteenDigits, MatchesToCharsOnASampleOfRandomDoubles) {
  const std::uint64_t seed = testing_support::testSeed(kDefaultSeed);
  Findings findings;
  findings.add(digit_sweeps::sweepRandom(digit_sweeps::drawBitPattern, 0, 200'000, 10'000, seed, 8));
  findings.add(digit_sweeps::sweepRandom(digit_sweeps::drawDecimal, 1, 100'000, 10'000, seed, 8));
  findings.add(digit_sweeps::sweepRandom(digit_sweeps::drawSubnormal, 2, 50'000, 10'000, seed, 8));
  EXPECT_EQ(findings.mismatches, 0u) << report(findings);
  EXPECT_GT(findings.values, 400'000u);
}

TEST(SixteenDigits, LeavesExactHalvesToToCharsAndRoundsThemToEven) {
  const std::uint64_t seed = testing_support::testSeed(kDefaultSeed);
  Findings findings = digit_sweeps::sweepRandom(digit_sweeps::drawExactHalf, 3, 20'000, 10'000, seed, 1);
  EXPECT_EQ(findings.mismatches, 0u) << report(findings);
  EXPECT_GT(findings.values, 19'000u);
  EXPECT_EQ(findings.fallbacks, findings.values);
  // Below 2^51 the doubles are a quarter apart, so these two halves are exact.
  EXPECT_EQ(roundToSixteenDigits(1234567890123456.5).significand, 1234567890123456u);
  EXPECT_EQ(roundToSixteenDigits(1234567890123457.5).significand, 1234567890123458u);
}

}  // namespace
}  // namespace zephyrion
