// Text as the SVG and the HTML page hold it. Both are written so that a strict XML parser reads
// them, whatever bytes the caller's texts hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zephyrion::report {

// The text with &, <, >, " and ' written as entities, fit for an element or an attribute. Bytes
// that are not UTF-8, and characters XML cannot carry (controls other than tab and line ends,
// U+FFFE, U+FFFF), become U+FFFD, the replacement character.
std::string escaped(std::string_view text);

// How many characters the text shows: its UTF-8 code points, for estimating its width.
int shownLength(std::string_view text);

// A count in decimal digits; counts beyond 2^31 - 1 read as that.
std::string countText(std::size_t count);

// A drawing coordinate with two decimals (a hundredth of a pixel); -0 reads 0.
void appendCoordinate(std::string& out, double value);

}  // namespace zephyrion::report
