// The screen the form is laid out on: chosen from the display's modes, opened, and given the
// 8x16 character cell, black text and the grey form background.
#pragma once

#include <cstdint>

namespace zephyrion {

// The size of the open screen, which the layout's right and bottom margins are measured from.
extern constinit std::int32_t screenWidth;
extern constinit std::int32_t screenHeight;

// Prints each 32-bit display mode it examines as a line like " 800 X  600" on the screen's text
// output (file number 0), stopping at the asked size. With a non-zero height, opens a fixed
// window of the asked size when that mode, or a last listed mode at least as large, exists; with
// height 0, the last examined mode full screen. Then selects the 8x16 cell, the colours black on
// 0xD4D0C8 and clears the screen. False, with nothing open, when no mode fits or the screen could
// not be opened.
bool selectScreenMode(std::int32_t width, std::int32_t height);

}  // namespace zephyrion
