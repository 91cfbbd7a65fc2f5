#include "pixel_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "fonts.h"
#include "gfx/screen.h"

namespace zephyrion {
namespace {

constexpr int kCellWidth = 8;
constexpr std::uint32_t kColourBits = 0xFFFFFF;
// Lines longer than this are cut to the view before they are walked, so that a far-away end
// point costs no time.
constexpr std::int64_t kLongestUncutLine = std::int64_t{1} << 16;
// Far beyond any screen, and small enough that sums of a few of them stay exact in 64 bits.
constexpr double kFarAway = 1099511627776.0;  // 2^40

bool isAcceptedCell(int cellWidth, int cellHeight) {
  return cellWidth == kCellWidth && (cellHeight == 8 || cellHeight == 14 || cellHeight == 16);
}

PixelBox intersection(const PixelBox& a, const PixelBox& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

PixelBox sortedBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

std::uint32_t packedGrid(int columns, int rows) {
  return (static_cast<std::uint32_t>(columns) & 0xFFFF) | ((static_cast<std::uint32_t>(rows) & 0xFFFF) << 16);
}

// The bit of the 16-bit style for the step-th pixel of a line; bit 15 belongs to the first.
bool styleShows(std::uint32_t style, std::int64_t step) {
  return (style >> (15 - (step & 15))) & 1;
}

// Liang-Barsky: narrows [t0, t1] to where p * t <= q holds; false when nothing is left.
bool narrow(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  double t = q / p;
  if (p < 0) {
    if (t > t1) return false;
    t0 = std::max(t0, t);
  } else {
    if (t < t0) return false;
    t1 = std::min(t1, t);
  }
  return true;
}

}  // namespace

std::int64_t roundHalfAwayFromZero(double value) {
  return static_cast<std::int64_t>(std::round(std::clamp(value, -kFarAway, kFarAway)));
}

PixelScreen::PixelScreen(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0),
      columns_(width / kCellWidth),
      rows_(height / 8) {
  resetView();
  markAllChanged();
}

std::optional<RowRange> PixelScreen::takeChangedRows() {
  if (firstChanged_ < 0) return std::nullopt;
  RowRange rows{static_cast<int>(firstChanged_), static_cast<int>(lastChanged_)};
  firstChanged_ = lastChanged_ = -1;
  return rows;
}

void PixelScreen::markChanged(std::int64_t firstRow, std::int64_t lastRow) {
  firstChanged_ = firstChanged_ < 0 ? firstRow : std::min(firstChanged_, firstRow);
  lastChanged_ = std::max(lastChanged_, lastRow);
}

std::int32_t PixelScreen::setTextGrid(int columns, int rows) {
  auto previous = static_cast<std::int32_t>(packedGrid(columns_, rows_));
  if (columns <= 0 || rows <= 0) return previous;
  int cellHeight = height_ / rows;
  if (!isAcceptedCell(width_ / columns, cellHeight)) return previous;
  cellHeight_ = cellHeight;
  columns_ = columns;
  rows_ = rows;
  resetView();
  fillBox(screenBox(), background_);
  cursorColumn_ = cursorRow_ = 0;
  return previous;
}

std::int32_t PixelScreen::setColors(std::int32_t foreground, std::int32_t background,
                                    std::uint32_t omissionFlags) {
  auto previous = static_cast<std::int32_t>(foreground_);
  if (!(omissionFlags & kKeepForeground)) foreground_ = static_cast<std::uint32_t>(foreground) & kColourBits;
  if (!(omissionFlags & kKeepBackground)) background_ = static_cast<std::uint32_t>(background) & kColourBits;
  return previous;
}

void PixelScreen::clear(std::uint32_t mode) {
  if (mode == kNoArgument) {
    fillBox(viewSet_ ? view_ : screenBox(), background_);
  } else if (mode == kClearScreen) {
    fillBox(screenBox(), background_);
  } else if (mode == kClearView) {
    fillBox(view_, background_);
  } else {
    return;
  }
  cursorColumn_ = cursorRow_ = 0;
}

void PixelScreen::setView(int x1, int y1, int x2, int y2, std::int32_t fill, std::int32_t border,
                          std::uint32_t viewFlags) {
  PixelBox asked = sortedBox(x1, y1, x2, y2);
  if (!(viewFlags & kViewNoBorder)) {
    PixelBox frame{asked.left - 1, asked.top - 1, asked.right + 1, asked.bottom + 1};
    outlineBox(frame, static_cast<std::uint32_t>(border) & kColourBits);
  }
  // The view is the part of the rectangle on the screen; its corner is clamped onto the screen.
  PixelBox screen = screenBox();
  view_ = {std::clamp<std::int64_t>(asked.left, 0, width_), std::clamp<std::int64_t>(asked.top, 0, height_),
           std::min(asked.right, screen.right), std::min(asked.bottom, screen.bottom)};
  origin_ = (viewFlags & kViewScreenCoordinates) ? Point{0, 0} : Point{view_.left, view_.top};
  viewSet_ = true;
  if (!(viewFlags & kViewNoFill)) fillBox(view_, static_cast<std::uint32_t>(fill) & kColourBits);
}

void PixelScreen::line(float x1, float y1, float x2, float y2, std::int32_t colour, int kind,
                       std::int32_t style, std::uint32_t pointFlags) {
  std::optional<Point> from = toScreen(x1, y1);
  std::optional<Point> to = toScreen(x2, y2);
  if (!from || !to) return;
  std::uint32_t ink = colourFor(colour, pointFlags);
  auto pattern = static_cast<std::uint32_t>(style) & 0xFFFF;
  PixelBox box = sortedBox(from->x, from->y, to->x, to->y);
  switch (kind) {
    case kStraightLine:
      styledLine(*from, *to, ink, pattern);
      break;
    case kBoxOutline:
      styledLine({box.left, box.top}, {box.right, box.top}, ink, pattern);
      styledLine({box.right, box.top}, {box.right, box.bottom}, ink, pattern);
      styledLine({box.right, box.bottom}, {box.left, box.bottom}, ink, pattern);
      styledLine({box.left, box.bottom}, {box.left, box.top}, ink, pattern);
      break;
    case kFilledBox:
      fillBox(intersection(box, view_), ink);
      break;
    default:
      break;
  }
}

void PixelScreen::drawText(float x, float y, std::uint32_t pointFlags, std::string_view text,
                           std::int32_t colour) {
  if (std::optional<Point> cell = toScreen(x, y))
    drawGlyphs(*cell, text, colourFor(colour, pointFlags), std::nullopt);
}

void PixelScreen::setPixel(float x, float y, std::int32_t colour, std::uint32_t pointFlags) {
  if (std::optional<Point> point = toScreen(x, y)) plot(point->x, point->y, colourFor(colour, pointFlags));
}

// Text of file number 0: each byte in the next cell of the text cursor, on the background colour.
void PixelScreen::print(std::string_view text) {
  std::int64_t columnsInView = (view_.right - view_.left + 1) / kCellWidth;
  for (char c : text) {
    if (c == '\r') {
      cursorColumn_ = 0;
    } else if (c == '\n') {
      ++cursorRow_;
    } else {
      if (cursorColumn_ >= columnsInView && cursorColumn_ > 0) {
        cursorColumn_ = 0;
        ++cursorRow_;
      }
      Point cell{origin_.x + std::int64_t{cursorColumn_} * kCellWidth,
                 origin_.y + std::int64_t{cursorRow_} * cellHeight_};
      drawGlyphs(cell, std::string_view(&c, 1), foreground_, background_);
      ++cursorColumn_;
    }
  }
}

std::optional<PixelScreen::Point> PixelScreen::toScreen(float x, float y) const {
  if (std::isnan(x) || std::isnan(y)) return std::nullopt;
  return Point{roundHalfAwayFromZero(x) + origin_.x, roundHalfAwayFromZero(y) + origin_.y};
}

std::uint32_t PixelScreen::colourFor(std::int32_t colour, std::uint32_t pointFlags) const {
  if (pointFlags & kUseForeground) return foreground_;
  return static_cast<std::uint32_t>(colour) & kColourBits;
}

void PixelScreen::fillBox(const PixelBox& box, std::uint32_t colour) {
  PixelBox part = intersection(box, screenBox());
  if (part.empty()) return;
  for (auto y = static_cast<int>(part.top); y <= part.bottom; ++y) {
    std::uint32_t* row = &pixels_[index(static_cast<int>(part.left), y)];
    std::fill(row, row + (part.right - part.left + 1), colour);
  }
  markChanged(part.top, part.bottom);
}

// A one-pixel frame through the box's edges, clipped to the screen only.
void PixelScreen::outlineBox(const PixelBox& box, std::uint32_t colour) {
  fillBox({box.left, box.top, box.right, box.top}, colour);
  fillBox({box.left, box.bottom, box.right, box.bottom}, colour);
  fillBox({box.left, box.top, box.left, box.bottom}, colour);
  fillBox({box.right, box.top, box.right, box.bottom}, colour);
}

void PixelScreen::plot(std::int64_t x, std::int64_t y, std::uint32_t colour) {
  if (!view_.contains(x, y)) return;
  pixels_[index(static_cast<int>(x), static_cast<int>(y))] = colour;
  markChanged(y, y);
}

void PixelScreen::styledLine(Point from, Point to, std::uint32_t colour, std::uint32_t style) {
  double dx = static_cast<double>(to.x - from.x);
  double dy = static_cast<double>(to.y - from.y);
  std::int64_t steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
  if (steps <= kLongestUncutLine) {
    bresenham(from, to, colour, style, 0);
    return;
  }
  PixelBox reach{view_.left - 1, view_.top - 1, view_.right + 1, view_.bottom + 1};
  double t0 = 0.0;
  double t1 = 1.0;
  if (!narrow(-dx, static_cast<double>(from.x - reach.left), t0, t1) ||
      !narrow(dx, static_cast<double>(reach.right - from.x), t0, t1) ||
      !narrow(-dy, static_cast<double>(from.y - reach.top), t0, t1) ||
      !narrow(dy, static_cast<double>(reach.bottom - from.y), t0, t1)) {
    return;
  }
  Point start{from.x + roundHalfAwayFromZero(t0 * dx), from.y + roundHalfAwayFromZero(t0 * dy)};
  Point end{from.x + roundHalfAwayFromZero(t1 * dx), from.y + roundHalfAwayFromZero(t1 * dy)};
  bresenham(start, end, colour, style, roundHalfAwayFromZero(t0 * static_cast<double>(steps)));
}

void PixelScreen::bresenham(Point from, Point to, std::uint32_t colour, std::uint32_t style,
                            std::int64_t phase) {
  std::int64_t dx = std::abs(to.x - from.x);
  std::int64_t dy = -std::abs(to.y - from.y);
  std::int64_t stepX = from.x < to.x ? 1 : -1;
  std::int64_t stepY = from.y < to.y ? 1 : -1;
  std::int64_t error = dx + dy;
  for (std::int64_t step = phase;; ++step) {
    if (styleShows(style, step)) plot(from.x, from.y, colour);
    if (from.x == to.x && from.y == to.y) break;
    std::int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      from.x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      from.y += stepY;
    }
  }
}

void PixelScreen::drawGlyphs(Point cell, std::string_view text, std::uint32_t colour,
                             std::optional<std::uint32_t> paper) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::int64_t left = cell.x + static_cast<std::int64_t>(i) * kCellWidth;
    if (left > view_.right) break;
    if (left + kCellWidth - 1 < view_.left) continue;
    if (paper)
      fillBox(intersection({left, cell.y, left + kCellWidth - 1, cell.y + cellHeight_ - 1}, view_), *paper);
    const std::uint8_t* glyph = fonts::glyphRows(cellHeight_, static_cast<unsigned char>(text[i]));
    if (!glyph) continue;
    for (int row = 0; row < cellHeight_; ++row) {
      for (int bit = 0; bit < kCellWidth; ++bit) {
        if (glyph[row] & (0x80 >> bit)) plot(left + bit, cell.y + row, colour);
      }
    }
  }
}

void PixelScreen::resetView() {
  view_ = screenBox();
  origin_ = {0, 0};
  viewSet_ = false;
}

}  // namespace zephyrion
