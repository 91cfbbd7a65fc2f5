// The three bitmap fonts of the screen: 256 glyphs each, 8 pixels wide and 8, 14 or 16 high.
#pragma once

#include <cstdint>

namespace zephyrion::fonts {

// The glyph of byte `code` in the font whose cells are 8 wide and `cellHeight` high (8, 14 or
// 16): cellHeight bytes, one per pixel row from the top, bit 7 the leftmost pixel. nullptr for
// any other height.
const std::uint8_t* glyphRows(int cellHeight, unsigned char code);

// The character whose glyph the ink shows (`cellHeight` rows as glyphRows gives them), among
// the printable bytes 32 to 126; '?' when none matches or the height has no font. Reading text
// back off the screen this way is how tests see what the user sees.
char characterOfInk(int cellHeight, const std::uint8_t* ink);

}  // namespace zephyrion::fonts
