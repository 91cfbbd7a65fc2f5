// The 32-bit pixel surface with its drawing state and the drawing operations on it. Shared by
// every window system: they only show its pixels. Not locked here; the screen lock guards it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zephyrion {

// A rectangle of screen pixels with both corners included; empty when right < left or bottom < top.
struct PixelBox {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = -1;
  std::int64_t bottom = -1;

  bool empty() const { return right < left || bottom < top; }
  bool contains(std::int64_t x, std::int64_t y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// The nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3), saturated far outside every
// screen (at +-2^40); NaN is not a coordinate and must be sorted out before.
std::int64_t roundHalfAwayFromZero(double value);

// Rows first..last changed since the window last copied them.
struct RowRange {
  int first = 0;
  int last = 0;
};

class PixelScreen {
 public:
  PixelScreen(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  int cellHeight() const { return cellHeight_; }
  // 0xRRGGBB; the point must lie on the screen.
  std::uint32_t pixel(int x, int y) const { return pixels_[index(x, y)]; }
  const std::uint32_t* row(int y) const { return &pixels_[index(0, y)]; }

  // Hands the rows changed since the last copy to `copy`, which shows them in the window and
  // returns whether it could; rows it could not show stay changed for the next copy, so no change
  // is ever left off the window. The rows shown, or none.
  template <typename Copy>
  std::optional<RowRange> copyChangedRows(Copy copy) {
    std::optional<RowRange> rows = takeChangedRows();
    if (rows && !copy(*rows)) {
      markChanged(rows->first, rows->last);
      return std::nullopt;
    }
    return rows;
  }
  void markAllChanged() { markChanged(0, height_ - 1); }
  bool hasChangedRows() const { return firstChanged_ >= 0; }

  std::int32_t setTextGrid(int columns, int rows);
  std::int32_t setColors(std::int32_t foreground, std::int32_t background, std::uint32_t omissionFlags);
  void clear(std::uint32_t mode);
  void setView(int x1, int y1, int x2, int y2, std::int32_t fill, std::int32_t border,
               std::uint32_t viewFlags);
  void line(float x1, float y1, float x2, float y2, std::int32_t colour, int kind, std::int32_t style,
            std::uint32_t pointFlags);
  void drawText(float x, float y, std::uint32_t pointFlags, std::string_view text, std::int32_t colour);
  void setPixel(float x, float y, std::int32_t colour, std::uint32_t pointFlags);
  void print(std::string_view text);

 private:
  struct Point {
    std::int64_t x;
    std::int64_t y;
  };

  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }
  PixelBox screenBox() const { return {0, 0, width_ - 1, height_ - 1}; }
  std::optional<Point> toScreen(float x, float y) const;
  std::uint32_t colourFor(std::int32_t colour, std::uint32_t pointFlags) const;

  std::optional<RowRange> takeChangedRows();
  void markChanged(std::int64_t firstRow, std::int64_t lastRow);
  void fillBox(const PixelBox& box, std::uint32_t colour);
  void outlineBox(const PixelBox& box, std::uint32_t colour);
  void plot(std::int64_t x, std::int64_t y, std::uint32_t colour);
  void styledLine(Point from, Point to, std::uint32_t colour, std::uint32_t style);
  void bresenham(Point from, Point to, std::uint32_t colour, std::uint32_t style, std::int64_t phase);
  void drawGlyphs(Point cell, std::string_view text, std::uint32_t colour,
                  std::optional<std::uint32_t> paper);
  void resetView();

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
  std::int64_t firstChanged_ = -1;
  std::int64_t lastChanged_ = -1;

  std::uint32_t foreground_ = 0xFFFFFF;
  std::uint32_t background_ = 0x000000;
  PixelBox view_;
  Point origin_{0, 0};  // the screen pixel of view coordinate (0, 0)
  bool viewSet_ = false;
  int columns_;
  int rows_;
  int cellHeight_ = 8;
  int cursorColumn_ = 0;
  int cursorRow_ = 0;
};

}  // namespace zephyrion
