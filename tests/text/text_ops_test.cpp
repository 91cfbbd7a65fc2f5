#include "text/text_ops.h"

#include <gtest/gtest.h>

namespace zephyrion {
namespace {

struct MidCase {
  const char* text;
  int start;
  int count;
  const char* result;
};

class TextMidTest : public testing::TestWithParam<MidCase> {};

TEST_P(TextMidTest, CutsWithinTheText) {
  EXPECT_EQ(textMid(GetParam().text, GetParam().start, GetParam().count), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(BoundaryRules, TextMidTest,
                         testing::Values(MidCase{"4412", 1, 1, "4"}, MidCase{"4412", 3, 2, "12"},
                                         MidCase{"441", 3, 2, "1"}, MidCase{"44", 3, 2, ""},
                                         MidCase{"", 1, 1, ""}, MidCase{"abc", 0, 1, ""},
                                         MidCase{"abc", 4, 1, ""}, MidCase{"abc", 2, 0, ""},
                                         MidCase{"abc", 2, -1, "bc"}, MidCase{"abc", 2, 99, "bc"},
                                         MidCase{"abc", -5, 2, ""}));

TEST(TextLeftRight, ClipAtBothEnds) {
  EXPECT_EQ(textLeft("d:\\xx\\Blade", 6), "d:\\xx\\");
  EXPECT_EQ(textLeft("abc", 0), "");
  EXPECT_EQ(textLeft("abc", -1), "");
  EXPECT_EQ(textLeft("abc", 9), "abc");
  EXPECT_EQ(textLeft("", 2), "");
  EXPECT_EQ(textRight("abc", 2), "bc");
  EXPECT_EQ(textRight("abc", 0), "");
  EXPECT_EQ(textRight("abc", 9), "abc");
}

TEST(TextCharCode, IsAByteAndZeroOutside) {
  EXPECT_EQ(textCharCode("\\", 1), 92);
  EXPECT_EQ(textCharCode("\xFF", 1), 255);
  EXPECT_EQ(textCharCode("ab", 0), 0);
  EXPECT_EQ(textCharCode("ab", 3), 0);
  EXPECT_EQ(textCharCode("", 1), 0);
}

TEST(TextFromCodes, TakesEachCodeModulo256) {
  EXPECT_EQ(textFromCodes({255, 75}), "\xFFK");
  EXPECT_EQ(textFromCodes({256 + 65, 0}), std::string("A\0", 2));
  EXPECT_EQ(textFromCodes({}), "");
  EXPECT_EQ(textLength(textFromCodes({1, 2, 3})), 3);
}

TEST(TextConcatAndCompare, WorkOnUnsignedBytes) {
  EXPECT_EQ(textConcat("d:\\xx\\Blade", ".stl"), "d:\\xx\\Blade.stl");
  EXPECT_EQ(textCompare("abc", "abc"), 0);
  EXPECT_LT(textCompare("ab", "abc"), 0);
  EXPECT_GT(textCompare("abc", "ab"), 0);
  EXPECT_GT(textCompare("\xFF", "a"), 0);  // unsigned: 255 is above 97
  EXPECT_LT(textCompare("", "a"), 0);
  EXPECT_EQ(textCompare("\\", "\\"), 0);
}

}  // namespace
}  // namespace zephyrion
