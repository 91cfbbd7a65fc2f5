// The screen: one window (or the whole display) showing a 32-bit pixel surface on which every
// widget draws itself. Drawing becomes visible by itself within about 20 ms; nothing is ever
// refreshed by the caller.
//
// Colours are 0xRRGGBB in a signed 32-bit integer, used unchanged (7 is RGB (0, 0, 7), not a
// palette entry). Drawing coordinates are relative to the current view; everything is clipped to
// it. Drawing with no screen open does nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace zephyrion {

// Result codes of the screen operations.
inline constexpr int kScreenOk = 0;
inline constexpr int kScreenFailed = 1;

// Window flags of gfxOpenScreen.
inline constexpr std::uint32_t kFullScreen = 0x1;       // the display shows only this surface
inline constexpr std::uint32_t kFixedScreenKind = 0x4;  // no switching between window and full screen

// Point flags of gfxLine, gfxDrawText and gfxSetPixel: bit 31 means "no colour given, use the
// foreground"; the low three bits are the coordinate mode (0 and 4 are both plain view coordinates).
inline constexpr std::uint32_t kUseForeground = 0x80000000;
inline constexpr std::uint32_t kLinePoints = 0x0;
inline constexpr std::uint32_t kSinglePoint = 0x4;
inline constexpr std::uint32_t kSinglePointInForeground = 0x80000004;

// View flags of gfxSetView.
inline constexpr std::uint32_t kViewNoFill = 0x80000000;
inline constexpr std::uint32_t kViewNoBorder = 0x40000000;
inline constexpr std::uint32_t kViewFillAndBorder = 0x0;
inline constexpr std::uint32_t kViewNoFillNoBorder = kViewNoFill | kViewNoBorder;  // 0xC0000000
inline constexpr std::uint32_t kViewScreenCoordinates = 0x1;  // later drawing is not shifted to the view

// Omission flags of gfxSetColors.
inline constexpr std::uint32_t kKeepForeground = 0x1;
inline constexpr std::uint32_t kKeepBackground = 0x2;

// Modes of gfxClear: the no-argument marker clears the view once one has been set, else the screen.
inline constexpr std::uint32_t kNoArgument = 0xFFFF0000;
inline constexpr std::uint32_t kClearScreen = 0;
inline constexpr std::uint32_t kClearView = 1;

// Kinds of gfxLine.
inline constexpr int kStraightLine = 0;
inline constexpr int kBoxOutline = 1;
inline constexpr int kFilledBox = 2;
inline constexpr std::int32_t kSolidLine = 0xFFFF;

// One full-screen mode as the window system lists it.
struct DisplayMode {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

// Opens the screen: a fixed window whose drawing area is width x height, or the whole display
// (kFullScreen); the other kind is tried when the asked one cannot be had. Depth must be one of
// 1, 2, 4, 8, 15, 16, 24, 32. Every pixel starts black, foreground white, background black, the
// view the whole screen, the 8x8 cell. From then on file number 0 prints onto the screen.
int gfxOpenScreen(int width, int height, int depth, int pages, std::uint32_t windowFlags, int refreshRate);

// With a depth > 0: lists the display's modes of that depth (15 and 16, 24 and 32 count as
// equal), de-duplicated and sorted by width, then height, and returns the first one; with 0:
// the next one. Each mode is packed as (width << 16) | height; 0 when nothing (more) is listed.
std::int32_t gfxListModes(int depth);

// Chooses the text grid; only cells 8 wide and 8, 14 or 16 high are accepted, which selects that
// font, resets the view to the whole screen and clears the screen to the background colour.
// Returns the previous grid: columns in the low 16 bits, rows in the high 16 bits.
std::int32_t gfxSetTextGrid(int columns, int rows);

// Stores the colours whose omission flag is clear; returns the previous foreground.
std::int32_t gfxSetColors(std::int32_t foreground, std::int32_t background, std::uint32_t omissionFlags);

void gfxClear(std::uint32_t mode);

// Makes (x1, y1)-(x2, y2), both corners included, the view; a border colour draws a one-pixel
// outline just outside it (clipped to the screen only), a fill colour fills it.
void gfxSetView(int x1, int y1, int x2, int y2, std::int32_t fill, std::int32_t border,
                std::uint32_t viewFlags);

// Kind 0 a line (Bresenham; bit 15 of the style belongs to the first pixel), 1 a box outline,
// 2 a filled box. Coordinates are rounded to the nearest integer, halves away from zero.
void gfxLine(float x1, float y1, float x2, float y2, std::int32_t colour, int kind, std::int32_t style,
             std::uint32_t pointFlags);

// Draws the set pixels of each byte's glyph, the first cell's top-left at (x, y); no wrapping.
void gfxDrawText(float x, float y, std::uint32_t pointFlags, std::string_view text, std::int32_t colour);

void gfxSetPixel(float x, float y, std::int32_t colour, std::uint32_t pointFlags);

// The text of file number 0: drawn at the text cursor while a screen is open (CR returns to the
// row's start, LF starts the next row), written to standard output otherwise.
void gfxPrint(std::string_view text);

}  // namespace zephyrion
