// The differential check of the 16-digit rounding over several hundred million doubles, on
// every hardware thread: each value's digits against std::to_chars(..., scientific, 15), and
// one value in 64 also its print form and short form against the oracle built on them.
// ZEPHYRION_DIGIT_SWEEP_PERCENT scales the random sweeps (the sanitizer preset runs a tenth).
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "digit_sweeps.h"
#include "test_seed.h"

namespace zephyrion {
namespace {

using digit_sweeps::Findings;

constexpr std::uint64_t kDefaultSeed = 20260107;
constexpr std::uint64_t kBlock = 1'000'000;
constexpr std::uint64_t kTextEvery = 64;

std::string report(const char* sweep, const Findings& findings) {
  std::string text = std::string(sweep) + ": " + std::to_string(findings.values) + " values (" +
                     std::to_string(findings.texts) + " with their texts), " +
                     std::to_string(findings.fallbacks) + " left to std::to_chars, " +
                     std::to_string(findings.mismatches) + " differ from the oracle";
  for (const std::string& example : findings.examples)
    text += "\n  " + example;
  return text;
}

class SixteenDigitSweep : public testing::Test {
 protected:
  static void SetUpTestSuite() { seed = testing_support::testSeed(kDefaultSeed); }
  // `count` values of one kind, scaled as asked.
  static Findings random(digit_sweeps::Draw draw, int kind, std::uint64_t count) {
    return digit_sweeps::sweepRandom(draw, kind, scaled(count), kBlock, seed, kTextEvery);
  }
  static std::uint64_t scaled(std::uint64_t count) {
    static const auto percent = static_cast<std::uint64_t>(
        std::max(1, testing_support::testCount("ZEPHYRION_DIGIT_SWEEP_PERCENT", 100)));
    return count / 100 * percent;
  }
  static void expectNoMismatch(const char* sweep, const Findings& findings) {
    std::cout << report(sweep, findings) << "\n";
    EXPECT_EQ(findings.mismatches, 0u) << report(sweep, findings);
  }
  static std::uint64_t seed;
};
std::uint64_t SixteenDigitSweep::seed;

TEST_F(SixteenDigitSweep, RandomBitPatterns) {
  Findings findings = random(digit_sweeps::drawBitPattern, 0, 200'000'000);
  expectNoMismatch("random bit patterns", findings);
  EXPECT_GT(findings.values, scaled(199'000'000));
}

TEST_F(SixteenDigitSweep, DecimalLookingValuesAndTheirNeighbours) {
  Findings findings = random(digit_sweeps::drawDecimal, 1, 50'000'000);
  expectNoMismatch("decimals and neighbours", findings);
  EXPECT_GT(findings.values, scaled(140'000'000));
}

TEST_F(SixteenDigitSweep, ExactHalvesAllGoToToChars) {
  Findings findings = random(digit_sweeps::drawExactHalf, 3, 10'000'000);
  expectNoMismatch("exact halves", findings);
  EXPECT_GT(findings.values, scaled(9'900'000));
  EXPECT_EQ(findings.fallbacks, findings.values);
}

TEST_F(SixteenDigitSweep, Subnormals) {
  Findings findings = random(digit_sweeps::drawSubnormal, 2, 20'000'000);
  digit_sweeps::sweepSubnormalEnds(findings);
  expectNoMismatch("subnormals", findings);
  EXPECT_GT(findings.values, scaled(20'000'000));
}

TEST_F(SixteenDigitSweep, PowersOfTwoAndTenAndTheSwitchPoints) {
  Findings findings;
  digit_sweeps::sweepPowersOfTwo(findings);
  digit_sweeps::sweepPowersOfTen(findings);
  expectNoMismatch("powers and switch points", findings);
  EXPECT_EQ(findings.texts, findings.values);
}

}  // namespace
}  // namespace zephyrion
