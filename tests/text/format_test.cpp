#include "text/format.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <random>
#include <string>

#include "captured_screen_text.h"
#include "test_seed.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

struct FieldCase {
  double value;
  int places;
  int decimals;  // -1: no point
  const char* text;
};

class FormatFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(FormatFieldTest, RoundsAndPadsTheField) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(formatField(c.value, c.places, c.decimals), c.text);
}

INSTANTIATE_TEST_SUITE_P(Examples, FormatFieldTest,
                         testing::Values(FieldCase{123.456789, 7, 5, "    123.45679"},
                                         FieldCase{0, 7, 5, "      0.00000"},
                                         FieldCase{-12.5, 5, -1, "  -12"}, FieldCase{512, 5, -1, "  512"},
                                         FieldCase{10, 3, 1, " 10.0"}, FieldCase{955, 5, -1, "  955"}));

INSTANTIATE_TEST_SUITE_P(
    EdgeRules, FormatFieldTest,
    testing::Values(
        // an exact half goes toward zero; more than a half (by over 1e-15) goes up
        FieldCase{2.5, 5, -1, "    2"}, FieldCase{0.25, 3, 1, "  0.2"}, FieldCase{2.5000001, 5, -1, "    3"},
        FieldCase{0.5, 5, -1, "    0"},
        // too small to show: zero, not rounded up; the sign of the given value stays
        FieldCase{0.09, 3, 1, "  0.0"}, FieldCase{0.05, 3, 1, "  0.0"}, FieldCase{-0.004, 3, 1, " -0.0"},
        // a value gaining a digit by rounding is not cut; too many digits carry the overflow marker
        FieldCase{99999.7, 5, -1, "100000"}, FieldCase{1234567, 5, -1, "12345%e+2"},
        FieldCase{100000, 5, -1, "10000%e+1"}, FieldCase{-1234, 4, -1, "-123%e+1"},
        // a point with no places after it
        FieldCase{3.2, 2, 0, " 3."}, FieldCase{3.7, 2, 0, " 4."}, FieldCase{0.95, 3, 1, "  0.9"},
        FieldCase{0.96, 3, 1, "  1.0"},
        // no digits to place (found by fuzzing: the digit count of NaN was taken as an int)
        FieldCase{std::numeric_limits<double>::quiet_NaN(), 7, 5, "nan"},
        FieldCase{std::numeric_limits<double>::infinity(), 5, -1, "inf"},
        FieldCase{-std::numeric_limits<double>::infinity(), 3, 1, "-inf"}));

// Every value, from the smallest subnormal to the largest double, in fields of 0 to 12 places
// and every count of decimals: the text fits the room the header promises, and the bytes after
// that room stay untouched.
TEST(FormatField, NeverWritesBeyondItsRoom) {
  std::mt19937_64 random(testing_support::testSeed(20260107));
  std::uniform_int_distribution<int> places(0, 12);
  std::uniform_int_distribution<int> decimals(-1, 20);
  for (int i = 0; i < 100000; ++i) {
    const double value = std::bit_cast<double>(random());
    const int p = places(random);
    const std::size_t room = formatFieldMaxBytes(p);
    std::string buffer(room + 16, '\x7f');
    char* end = formatFieldTo(buffer.data(), value, p, decimals(random));
    ASSERT_LE(static_cast<std::size_t>(end - buffer.data()), room) << value << " in " << p << " places";
    ASSERT_EQ(buffer.substr(room), std::string(16, '\x7f'));
  }
}

class FormattedPrinting : public testing::Test {
 protected:
  CapturedScreenText screen;
};

TEST_F(FormattedPrinting, WritesTheVolumeLineWithLineEnd) {
  formatBegin("Blade volume #######.##### cm3");
  formatNumber(0, 123.456789, kNewlineFlag | kLastItemFlag);
  EXPECT_EQ(screen.text(), "Blade volume     123.45679 cm3\r\n");
}

TEST_F(FormattedPrinting, JoinsTwoFormatsIntoOneLine) {
  formatBegin("Rotor speed  ##### rpm ");
  formatNumber(0, 512, 0);
  formatEnd(0);
  formatBegin(" at ###.#m/s");
  formatNumber(0, 10, kNewlineFlag | kLastItemFlag);
  EXPECT_EQ(screen.text(), "Rotor speed    512 rpm  at  10.0m/s\r\n");
}

TEST_F(FormattedPrinting, AFormatNotEndedContinuesAndStartsAgainAtItsEnd) {
  formatBegin("a# b#;");
  formatNumber(0, 1, 0);
  formatNumber(0, 2, 0);
  formatNumber(0, 3, 0);
  formatEnd(0);
  EXPECT_EQ(screen.text(), "a1 b2;a3 b");
}

TEST_F(FormattedPrinting, LastItemWithoutNewlineDropsTheFormatSilently) {
  formatBegin("x=## ");
  formatNumber(0, 7, kLastItemFlag);
  formatEnd(0);
  EXPECT_EQ(screen.text(), "x= 7 ");
}

TEST_F(FormattedPrinting, UnderscoreTakesTheNextByteLiterally) {
  formatBegin("_#_##");
  formatNumber(0, 5, kNewlineFlag | kLastItemFlag);
  EXPECT_EQ(screen.text(), "##5\r\n");
}

}  // namespace
}  // namespace zephyrion
