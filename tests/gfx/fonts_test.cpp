#include "fonts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace zephyrion::fonts {
namespace {

using Glyph = std::vector<std::uint8_t>;

constexpr std::uint8_t kRightmostColumn = 0x01;
constexpr std::uint8_t kMiddleColumns = 0x18;  // columns 3 and 4

Glyph glyphOf(int cellHeight, unsigned char code) {
  const std::uint8_t* rows = glyphRows(cellHeight, code);
  if (rows == nullptr) return {};
  return Glyph(rows, rows + cellHeight);
}

bool isBlank(const Glyph& glyph) {
  for (const std::uint8_t row : glyph) {
    if (row != 0) return false;
  }
  return true;
}

// The columns any row of the glyph uses, as one byte.
std::uint8_t usedColumns(const Glyph& glyph) {
  unsigned used = 0;
  for (const std::uint8_t row : glyph)
    used |= row;
  return static_cast<std::uint8_t>(used);
}

int topInkRow(const Glyph& glyph) {
  for (std::size_t row = 0; row < glyph.size(); ++row) {
    if (glyph[row] != 0) return static_cast<int>(row);
  }
  return -1;
}

int bottomInkRow(const Glyph& glyph) {
  for (std::size_t row = glyph.size(); row > 0; --row) {
    if (glyph[row - 1] != 0) return static_cast<int>(row - 1);
  }
  return -1;
}

// The column (0 = left) of the leftmost set pixel of one row.
int leftmostColumn(std::uint8_t row) {
  for (int column = 0; column < 8; ++column) {
    if ((row & (0x80U >> column)) != 0) return column;
  }
  return -1;
}

bool isAsciiGlyph(int code) {
  return code >= 32 && code <= 126;
}

class FontTest : public ::testing::TestWithParam<int> {
 protected:
  Glyph glyph(char character) const { return glyphOf(GetParam(), static_cast<unsigned char>(character)); }
};

TEST_P(FontTest, SpaceIsBlankAndEveryOtherAsciiCharacterShowsInk) {
  EXPECT_TRUE(isBlank(glyph(' ')));
  for (int code = 33; code <= 126; ++code) {
    EXPECT_FALSE(isBlank(glyphOf(GetParam(), static_cast<unsigned char>(code)))) << "code " << code;
  }
}

TEST_P(FontTest, NoTwoAsciiCharactersLookAlike) {
  std::set<Glyph> shapes;
  for (int code = 32; code <= 126; ++code) {
    EXPECT_TRUE(shapes.insert(glyphOf(GetParam(), static_cast<unsigned char>(code))).second)
        << "code " << code << " repeats an earlier glyph";
  }
}

TEST_P(FontTest, AsciiCharactersNeverTouchTheirRightNeighbour) {
  for (int code = 32; code <= 126; ++code) {
    EXPECT_EQ(usedColumns(glyphOf(GetParam(), static_cast<unsigned char>(code))) & kRightmostColumn, 0)
        << "code " << code;
  }
}

TEST_P(FontTest, VerticalBarStandsInTheMiddleColumns) {
  const Glyph bar = glyph('|');
  EXPECT_NE(usedColumns(bar), 0);
  EXPECT_EQ(usedColumns(bar) & ~kMiddleColumns, 0);
}

// Catches a mirrored bit order and an upside-down row order alike.
TEST_P(FontTest, SlashRisesToTheRight) {
  const Glyph slash = glyph('/');
  const int top = leftmostColumn(slash[static_cast<std::size_t>(topInkRow(slash))]);
  const int bottom = leftmostColumn(slash[static_cast<std::size_t>(bottomInkRow(slash))]);
  EXPECT_GT(top, bottom);
}

TEST_P(FontTest, LettersWithoutDescendersShareOneBaseline) {
  const int baseline = bottomInkRow(glyph('x'));
  const std::string sitting = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefhiklmnorstuvwxz";
  for (const char letter : sitting)
    EXPECT_EQ(bottomInkRow(glyph(letter)), baseline) << letter;
}

TEST_P(FontTest, DescendersReachBelowTheBaseline) {
  const int baseline = bottomInkRow(glyph('x'));
  for (const char letter : std::string("gjpqy"))
    EXPECT_GT(bottomInkRow(glyph(letter)), baseline) << letter;
}

TEST_P(FontTest, UnderscoreLiesBelowTheBaseline) {
  const int underscoreTop = topInkRow(glyph('_'));
  EXPECT_GT(underscoreTop, bottomInkRow(glyph('H')));
  EXPECT_GT(underscoreTop, bottomInkRow(glyph('x')));
}

TEST_P(FontTest, CapitalsShareOneHeightAndLowerCaseAnother) {
  const int capTop = topInkRow(glyph('H'));
  const int lowerTop = topInkRow(glyph('x'));
  EXPECT_LT(capTop, lowerTop);
  for (const char letter : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZbdhkl")) {
    EXPECT_EQ(topInkRow(glyph(letter)), capTop) << letter;
  }
  for (const char letter : std::string("acegmnopqrsuvwxyz")) {
    EXPECT_EQ(topInkRow(glyph(letter)), lowerTop) << letter;
  }
}

// Bytes outside the ASCII range never appear in the program's texts; a stray one must still be
// visible, and must not pass for a real character.
TEST_P(FontTest, BytesOutsideAsciiShowOneBoxAndZeroAnd255StayBlank) {
  EXPECT_TRUE(isBlank(glyphOf(GetParam(), 0)));
  EXPECT_TRUE(isBlank(glyphOf(GetParam(), 255)));
  const Glyph box = glyphOf(GetParam(), 1);
  EXPECT_FALSE(isBlank(box));
  for (int code = 1; code < 255; ++code) {
    const Glyph shape = glyphOf(GetParam(), static_cast<unsigned char>(code));
    if (isAsciiGlyph(code)) {
      EXPECT_NE(shape, box) << "code " << code;
    } else {
      EXPECT_EQ(shape, box) << "code " << code;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryCellHeight, FontTest, ::testing::Values(8, 14, 16),
                         [](const ::testing::TestParamInfo<int>& cell) {
                           return "Height" + std::to_string(cell.param);
                         });

TEST(Fonts, The14PixelFontIsThe16PixelOneWithoutItsBlankOuterRows) {
  for (int code = 0; code < 256; ++code) {
    const Glyph tall = glyphOf(16, static_cast<unsigned char>(code));
    const Glyph shorter = glyphOf(14, static_cast<unsigned char>(code));
    EXPECT_EQ(tall.front(), 0) << "code " << code;
    EXPECT_EQ(tall.back(), 0) << "code " << code;
    EXPECT_EQ(shorter, Glyph(tall.begin() + 1, tall.end() - 1)) << "code " << code;
  }
}

TEST(Fonts, OnlyCellHeights8And14And16HaveAFont) {
  for (const int height : {INT_MIN, -16, 0, 1, 7, 9, 13, 15, 17, 32, INT_MAX}) {
    EXPECT_EQ(glyphRows(height, 'A'), nullptr) << "height " << height;
  }
  for (const int height : {8, 14, 16})
    EXPECT_NE(glyphRows(height, 'A'), nullptr) << "height " << height;
}

}  // namespace
}  // namespace zephyrion::fonts
