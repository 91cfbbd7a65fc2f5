#include "text/number_forms.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "test_seed.h"
#include "text/rounding.h"

namespace zephyrion {
namespace {

struct NumberCase {
  double value;
  const char* text;
};

class PrintFormTest : public testing::TestWithParam<NumberCase> {};

TEST_P(PrintFormTest, WritesSixteenDigitsWithLeadingBlank) {
  EXPECT_EQ(printForm(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, PrintFormTest,
                         testing::Values(NumberCase{0, " 0"}, NumberCase{100, " 100"},
                                         NumberCase{0.5, " 0.5"}, NumberCase{-0.5, "-0.5"},
                                         NumberCase{123.456, " 123.456"},
                                         NumberCase{1.0 / 3, " 0.3333333333333333"},
                                         NumberCase{-2.0 / 3, "-0.6666666666666666"}, NumberCase{0.1, " 0.1"},
                                         NumberCase{0.05, " 5.e-002"}, NumberCase{0.0123, " 1.23e-002"},
                                         NumberCase{6.123233995736766e-17, " 6.123233995736766e-017"},
                                         NumberCase{1234567890123456, " 1234567890123456"},
                                         NumberCase{1e16, " 1.e+016"}, NumberCase{-1.5e20, "-1.5e+020"}));

INSTANTIATE_TEST_SUITE_P(SwitchPoints, PrintFormTest,
                         testing::Values(NumberCase{0.0999, " 9.99e-002"},
                                         NumberCase{999999999999999.9, " 999999999999999.9"},
                                         NumberCase{1e15, " 1000000000000000"}, NumberCase{-1e16, "-1.e+016"},
                                         NumberCase{1e100, " 1.e+100"},
                                         NumberCase{5e-324, " 4.940656458412465e-324"},
                                         NumberCase{1.7976931348623157e308, " 1.797693134862316e+308"},
                                         NumberCase{500, " 500"}, NumberCase{-0.0117318, "-1.17318e-002"},
                                         NumberCase{0.09999999999999999, " 9.999999999999999e-002"}));

INSTANTIATE_TEST_SUITE_P(NonFinite, PrintFormTest,
                         testing::Values(NumberCase{-0.0, " 0"},
                                         NumberCase{std::numeric_limits<double>::infinity(), " inf"},
                                         NumberCase{-std::numeric_limits<double>::infinity(), "-inf"},
                                         NumberCase{std::numeric_limits<double>::quiet_NaN(), " nan"}));

class ShortFormTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ShortFormTest, WritesGeneralFormWithoutLeadingBlank) {
  EXPECT_EQ(numberToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ShortFormTest,
    testing::Values(NumberCase{0, "0"}, NumberCase{0.05, "0.05"}, NumberCase{0.0001, "0.0001"},
                    NumberCase{0.00001, "1e-005"}, NumberCase{100, "100"}, NumberCase{-2.5, "-2.5"},
                    NumberCase{1.0 / 3, "0.3333333333333333"}, NumberCase{1e16, "1e+016"},
                    NumberCase{100 * 0.07, "7.000000000000001"}, NumberCase{100 * 0.57, "56.99999999999999"},
                    NumberCase{100 * 0.55, "55.00000000000001"},
                    NumberCase{9999999999999998, "9999999999999998"}, NumberCase{-1.25e-7, "-1.25e-007"},
                    NumberCase{-0.0, "0"}, NumberCase{366.236, "366.236"}));

class FigureTest : public testing::TestWithParam<NumberCase> {};

TEST_P(FigureTest, RoundsToFourSignificantDigitsWrittenBriefly) {
  EXPECT_EQ(figureText(GetParam().value), GetParam().text);
}

TEST(IntegerForm, WritesDigitsWithMinusAndNoBlank) {
  EXPECT_EQ(integerToText(3), "3");
  EXPECT_EQ(integerToText(-12), "-12");
  EXPECT_EQ(integerToText(0), "0");
  EXPECT_EQ(integerToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

INSTANTIATE_TEST_SUITE_P(Figures, FigureTest,
                         testing::Values(NumberCase{64.90000000000001, "64.9"}, NumberCase{12345.6, "12350"},
                                         NumberCase{0.42275, "0.4228"}, NumberCase{-0.0, "0"},
                                         NumberCase{99995, "100000"}, NumberCase{1.23456e-7, "1.235e-07"},
                                         NumberCase{2.5e20, "2.5e+20"}, NumberCase{-203.44, "-203.4"},
                                         NumberCase{std::numeric_limits<double>::infinity(), "inf"}));

// The shortest text of the double nearest to the rounded decimal: the slow way to a figure.
std::string shortestOfRounded(double value, int digits) {
  char buffer[64];
  char* end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1).ptr;
  double rounded = 0;
  std::from_chars(buffer, end, rounded);
  bool fixed = std::fabs(rounded) >= 1e-6 && std::fabs(rounded) < 1e15;
  end = std::to_chars(buffer, buffer + sizeof buffer, rounded,
                      fixed ? std::chars_format::fixed : std::chars_format::scientific)
            .ptr;
  return std::string(buffer, end);
}

// A figure reads back as the value within half a unit of its last digit, for values of every
// size, and is the shortest text of the rounded value's double, at every digit count.
TEST(FigureForm, IsTheShortestTextOfTheRoundedValue) {
  std::mt19937_64 random(testing_support::testSeed(7));
  for (int i = 0; i < 20000; ++i) {
    double value = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random),
                              std::uniform_int_distribution<int>(-40, 60)(random));
    std::string text = figureText(value);
    double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 3);
    ASSERT_LE(std::fabs(std::stod(text) - value), unit * 0.5000001) << value << " reads " << text;
    int digits = std::uniform_int_distribution<int>(1, 17)(random);
    ASSERT_EQ(figureText(value, digits), shortestOfRounded(value, digits)) << value << " to " << digits;
  }
}

struct ReadCase {
  const char* text;
  double value;
};

class TextToNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumberTest, ReadsTheReadableBeginning) {
  double read = textToNumber(GetParam().text);
  if (std::isinf(GetParam().value)) {
    EXPECT_EQ(read, GetParam().value);
  } else {
    EXPECT_DOUBLE_EQ(read, GetParam().value) << "text [" << GetParam().text << "]";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextToNumberTest,
    testing::Values(ReadCase{"&HFF", 255}, ReadCase{"&B101", 5}, ReadCase{"&O17", 15}, ReadCase{"&H", 0},
                    ReadCase{"&H1G", 1}, ReadCase{"&hff", 255}, ReadCase{"&X12", 0}, ReadCase{"inf", 0},
                    ReadCase{"nan", 0}, ReadCase{"0x10", 0}, ReadCase{"12,5", 12}, ReadCase{"1D3", 1000},
                    ReadCase{"  -4.5e1xyz", -45}, ReadCase{"", 0}, ReadCase{".", 0}, ReadCase{" 42", 42},
                    ReadCase{"\t42", 42}, ReadCase{"4 2", 4}, ReadCase{"-", 0}, ReadCase{"1e", 1},
                    ReadCase{".5", 0.5}, ReadCase{"&h10", 16}, ReadCase{"+7", 7}, ReadCase{"5.", 5},
                    ReadCase{"1.2.3", 1.2}, ReadCase{"1d-2", 0.01}, ReadCase{"1e+", 1},
                    ReadCase{"0.85", 0.85}, ReadCase{"d:\\xx\\Blade", 0}, ReadCase{"&", 0}));

INSTANTIATE_TEST_SUITE_P(BeyondTheDoubleRange, TextToNumberTest,
                         testing::Values(ReadCase{"1e400", std::numeric_limits<double>::infinity()},
                                         ReadCase{"-1e400", -std::numeric_limits<double>::infinity()},
                                         ReadCase{"1e-400", 0}, ReadCase{"0.0000e999999999999", 0},
                                         ReadCase{"1e300", 1e300}, ReadCase{"&HFFFFFFFFFFFFFFFF", -1},
                                         ReadCase{"&H10000000000000001", 1}));

TEST(TextToNumber, KeepsTheDoubleNearestToTheDecimal) {
  EXPECT_EQ(textToNumber("0.1"), 0.1);
  EXPECT_EQ(textToNumber("6e-07"), 6e-07);
  EXPECT_EQ(textToNumber("500.5"), 500.5);
}

struct RoundCase {
  double value;
  std::int32_t rounded;
};

class RoundToInt32Test : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt32Test, RoundsHalvesToEvenAndSaturates) {
  EXPECT_EQ(roundToInt32(GetParam().value), GetParam().rounded) << GetParam().value;
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(AllInputs, RoundToInt32Test,
                         testing::Values(RoundCase{9.5, 10}, RoundCase{10.5, 10}, RoundCase{500.5, 500},
                                         RoundCase{501.5, 502}, RoundCase{-0.5, 0}, RoundCase{-1.5, -2},
                                         RoundCase{2.4999999999999996, 2}, RoundCase{954.93, 955},
                                         RoundCase{0.49999999999999994, 0}, RoundCase{1e300, kMax},
                                         RoundCase{-1e300, kMin}, RoundCase{2147483647.4, kMax},
                                         RoundCase{2147483647.5, kMax}, RoundCase{-2147483648.5, kMin},
                                         RoundCase{-2147483647.5, kMin},
                                         RoundCase{std::numeric_limits<double>::infinity(), kMax},
                                         RoundCase{-std::numeric_limits<double>::infinity(), kMin},
                                         RoundCase{std::numeric_limits<double>::quiet_NaN(), 0},
                                         RoundCase{4503599627370497.0, kMax}));

TEST(TruncateToInt32, CutsTowardZeroAndSaturates) {
  EXPECT_EQ(truncateToInt32(-3.9), -3);
  EXPECT_EQ(truncateToInt32(3.9), 3);
  EXPECT_EQ(truncateToInt32(1e20), kMax);
  EXPECT_EQ(truncateToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
}

// The forms must not follow the C locale: under a locale whose decimal point is a comma they
// write and read exactly the same bytes. The locale is generated by scripts/setup.
TEST(NumberForms, IgnoreACommaDecimalLocale) {
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  ASSERT_NE(german, nullptr) << "the de_DE.UTF-8 locale is missing: run scripts/setup";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(printForm(123.456), " 123.456");
  EXPECT_EQ(printForm(0.0123), " 1.23e-002");
  EXPECT_EQ(numberToText(-2.5), "-2.5");
  EXPECT_EQ(textToNumber("0.85"), 0.85);
  EXPECT_EQ(textToNumber("12,5"), 12);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zephyrion
