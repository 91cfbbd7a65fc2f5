// The three screen fonts, built at compile time from the ASCII art of font_8x16.inc and
// font_8x8.inc, so that the glyphs stay readable in review and no font file is needed at run time.
#include "fonts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace zephyrion::fonts {
namespace {

constexpr int kGlyphCount = 256;
constexpr int kCellWidth = 8;
constexpr int kFirstDrawn = 32;  // the space
constexpr int kLastDrawn = 126;  // the tilde
constexpr int kDrawnCount = kLastDrawn - kFirstDrawn + 1;

// One drawn glyph: the character it shows and its rows from the top, kCellWidth characters each,
// '#' for a set pixel and '.' for a clear one.
struct GlyphArt {
  char code;
  std::string_view rows;
};

constexpr GlyphArt kArt8x16[] = {
#include "font_8x16.inc"
};

constexpr GlyphArt kArt8x8[] = {
#include "font_8x8.inc"
};

template <int Height>
using Font = std::array<std::array<std::uint8_t, Height>, kGlyphCount>;

// True when `art` lists the characters 32 to 126 in order, each as Height rows of '#' and '.'.
// A miscounted row or a glyph out of place stops the build instead of shifting the font.
template <int Height, std::size_t Count>
constexpr bool artIsWellFormed(const GlyphArt (&art)[Count]) {
  if (Count != kDrawnCount) return false;
  for (std::size_t i = 0; i < Count; ++i) {
    if (art[i].code != kFirstDrawn + static_cast<int>(i)) return false;
    if (art[i].rows.size() != static_cast<std::size_t>(Height * kCellWidth)) return false;
    for (const char pixel : art[i].rows) {
      if (pixel != '#' && pixel != '.') return false;
    }
  }
  return true;
}

static_assert(artIsWellFormed<16>(kArt8x16), "font_8x16.inc must hold characters 32-126, 16 rows of 8 each");
static_assert(artIsWellFormed<8>(kArt8x8), "font_8x8.inc must hold characters 32-126, 8 rows of 8 each");

// One row of art as a byte, its first character in bit 7.
constexpr std::uint8_t rowBits(std::string_view row) {
  unsigned bits = 0;
  for (const char pixel : row)
    bits = (bits << 1) | (pixel == '#' ? 1U : 0U);
  return static_cast<std::uint8_t>(bits);
}

// Bytes outside 32..126 never occur in the program's texts, but the font has a glyph for each:
// 0 and 255 are blank like the space, every other one is a small hollow box (columns 1-5 from row
// `boxTop` to row `boxBottom`), so a stray byte shows up on screen instead of vanishing.
template <int Height>
constexpr std::array<std::uint8_t, Height> undrawnGlyph(int code, int boxTop, int boxBottom) {
  constexpr std::uint8_t kBoxEdge = 0x7C;   // .#####..
  constexpr std::uint8_t kBoxSides = 0x44;  // .#...#..
  std::array<std::uint8_t, Height> rows{};
  if (code == 0 || code == kGlyphCount - 1) return rows;
  for (int row = boxTop; row <= boxBottom; ++row) {
    rows[static_cast<std::size_t>(row)] = (row == boxTop || row == boxBottom) ? kBoxEdge : kBoxSides;
  }
  return rows;
}

template <int Height, std::size_t Count>
constexpr Font<Height> buildFont(const GlyphArt (&art)[Count], int boxTop, int boxBottom) {
  Font<Height> font{};
  for (int code = 0; code < kGlyphCount; ++code) {
    auto& glyph = font[static_cast<std::size_t>(code)];
    if (code < kFirstDrawn || code > kLastDrawn) {
      glyph = undrawnGlyph<Height>(code, boxTop, boxBottom);
      continue;
    }
    const std::string_view rows = art[static_cast<std::size_t>(code - kFirstDrawn)].rows;
    for (std::size_t row = 0; row < static_cast<std::size_t>(Height); ++row) {
      glyph[row] = rowBits(rows.substr(row * kCellWidth, kCellWidth));
    }
  }
  return font;
}

constexpr Font<16> kFont8x16 = buildFont<16>(kArt8x16, 4, 11);
constexpr Font<8> kFont8x8 = buildFont<8>(kArt8x8, 1, 6);

// The 8x14 font is the 8x16 one without its top and bottom rows, which every glyph keeps blank:
// the same shapes with one row less of spacing above and below.
constexpr bool outerRowsAreBlank(const Font<16>& font) {
  for (const auto& glyph : font) {
    if (glyph.front() != 0 || glyph.back() != 0) return false;
  }
  return true;
}

static_assert(outerRowsAreBlank(kFont8x16), "rows 0 and 15 of every 8x16 glyph must stay blank");

constexpr Font<14> withoutOuterRows(const Font<16>& tall) {
  Font<14> font{};
  for (std::size_t code = 0; code < font.size(); ++code) {
    for (std::size_t row = 0; row < font[code].size(); ++row)
      font[code][row] = tall[code][row + 1];
  }
  return font;
}

constexpr Font<14> kFont8x14 = withoutOuterRows(kFont8x16);

}  // namespace

const std::uint8_t* glyphRows(int cellHeight, unsigned char code) {
  switch (cellHeight) {
    case 8:
      return kFont8x8[code].data();
    case 14:
      return kFont8x14[code].data();
    case 16:
      return kFont8x16[code].data();
    default:
      return nullptr;
  }
}

char characterOfInk(int cellHeight, const std::uint8_t* ink) {
  for (int code = kFirstDrawn; code <= kLastDrawn; ++code) {
    const std::uint8_t* glyph = glyphRows(cellHeight, static_cast<unsigned char>(code));
    if (glyph && std::equal(glyph, glyph + cellHeight, ink)) return static_cast<char>(code);
  }
  return '?';
}

}  // namespace zephyrion::fonts
