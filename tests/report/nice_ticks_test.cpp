#include "report/nice_ticks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "test_seed.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

// The shortest decimal text of the step is a single digit 1, 2 or 5 and an exponent.
bool isOneTwoOrFiveTimesAPowerOfTen(double step) {
  char text[32];
  std::string digits(text, std::to_chars(text, text + sizeof text, step, std::chars_format::scientific).ptr);
  return (digits[0] == '1' || digits[0] == '2' || digits[0] == '5') && digits[1] == 'e';
}

double labelValue(const std::string& label) {
  double value = 0;
  std::from_chars(label.data(), label.data() + label.size(), value);
  return value;
}

void expectNiceTicksOver(double low, double high) {
  SCOPED_TRACE(numberToText(low) + " to " + numberToText(high));
  Ticks ticks = niceTicks(low, high);
  EXPECT_LE(ticks.low(), low);
  EXPECT_GE(ticks.high(), high);
  EXPECT_GE(ticks.count, 3);
  EXPECT_LE(ticks.count, 10);
  EXPECT_TRUE(isOneTwoOrFiveTimesAPowerOfTen(ticks.step)) << numberToText(ticks.step);
  // Loose labelling wastes at most a step each side of a span it need not widen: under 3 spans.
  if (high - low > std::max(std::fabs(low), std::fabs(high)) * 1e-11 && high - low > 1e-289) {
    EXPECT_LT(ticks.high() - ticks.low(), 3 * (high - low));
  }
  std::string previous;
  for (int i = 0; i < ticks.count; ++i) {
    std::string label = figureText(ticks.at(i), ticks.labelDigits);
    EXPECT_NE(label, previous) << "two ticks read alike";
    // The label is the tick's value, but for the last few bits of a tick far from zero.
    double roundingOfTheTick = std::max(ticks.step * 1e-6, std::fabs(ticks.at(i)) * 1e-15);
    EXPECT_NEAR(labelValue(label), ticks.at(i), roundingOfTheTick) << label;
    previous = label;
  }
}

struct TickCase {
  double low, high;
  double first, step;
  int count;
};

// Worked by hand through Heckbert's loose labelling with five ticks aimed at.
TEST(NiceTicks, FollowHeckbertsLooseLabelling) {
  for (TickCase c : {TickCase{0, 1, 0, 0.2, 6}, TickCase{-3.7, 12.1, -5, 5, 5}, TickCase{1, 15, 0, 5, 4},
                     TickCase{0.5, 0.58, 0.5, 0.02, 5}, TickCase{7, 7, 6, 0.5, 5}}) {
    Ticks ticks = niceTicks(c.low, c.high);
    EXPECT_DOUBLE_EQ(ticks.low(), c.first) << c.low << " to " << c.high;
    EXPECT_DOUBLE_EQ(ticks.step, c.step) << c.low << " to " << c.high;
    EXPECT_EQ(ticks.count, c.count) << c.low << " to " << c.high;
  }
}

// Ranges of every magnitude the plots allow, of one value, of a few ulps, across zero.
TEST(NiceTicks, CoverAnyRangeWithThreeToTenDistinctNiceTicks) {
  std::mt19937_64 random(testing_support::testSeed(20));
  std::uniform_real_distribution<double> exponent(-323, 300), unit(-1, 1);
  for (int trial = 0; trial < 50000; ++trial) {
    double a = unit(random) * std::pow(10.0, exponent(random));
    double b = unit(random) * std::pow(10.0, exponent(random));
    switch (trial % 4) {
      case 0:
        b = a;
        break;
      case 1:
        b = std::nextafter(std::nextafter(a, 2.0), 2.0);
        break;
      default:
        break;
    }
    expectNiceTicksOver(std::min(a, b), std::max(a, b));
  }
  expectNiceTicksOver(-kLargestPlotted, kLargestPlotted);
  expectNiceTicksOver(kLargestPlotted, kLargestPlotted);
  expectNiceTicksOver(0, 0);
}

}  // namespace
}  // namespace zephyrion::report
