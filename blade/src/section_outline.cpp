#include "blade/section_outline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace zephyrion {
namespace {

struct Point {
  double x;
  double y;
};

// Twice the signed area of the triangle a, b, c: positive when c lies left of a -> b.
double turn(Point a, Point b, Point c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool onOppositeSides(double a, double b) {
  return (a > 0 && b < 0) || (a < 0 && b > 0);
}

bool crossProperly(Point a, Point b, Point c, Point d) {
  return onOppositeSides(turn(c, d, a), turn(c, d, b)) && onOppositeSides(turn(a, b, c), turn(a, b, d));
}

std::vector<Point> outlineOf(const BladeGrid& grid, std::int32_t row) {
  std::vector<Point> outline;
  for (std::int32_t h = 1; h <= grid.chordDivisions; ++h)
    outline.push_back({grid.upperX(row, h), grid.upperY(row, h)});
  for (std::int32_t h = grid.chordDivisions; h >= 1; --h)
    outline.push_back({grid.lowerX(row, h), grid.lowerY(row, h)});
  return outline;
}

// The edges are sorted into a square grid of cells over the outline's bounds, and only edges
// sharing a cell are tested against each other, each pair once, in the first cell they share:
// about linear in the number of edges for outlines whose edges are of like length.
class EdgeCells {
 public:
  explicit EdgeCells(const std::vector<Point>& outline) : outline_(outline) {
    side_ = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(outline.size()))));
    low_ = high_ = outline.front();
    for (const Point& p : outline) {
      low_ = {std::min(low_.x, p.x), std::min(low_.y, p.y)};
      high_ = {std::max(high_.x, p.x), std::max(high_.y, p.y)};
    }
    cells_.resize(side_ * side_);
    for (std::size_t edge = 0; edge < outline.size(); ++edge) {
      Range r = rangeOf(edge);
      for (std::size_t cy = r.y0; cy <= r.y1; ++cy)
        for (std::size_t cx = r.x0; cx <= r.x1; ++cx)
          cells_[cy * side_ + cx].push_back(edge);
    }
  }

  bool anyCrossing() const {
    for (std::size_t cell = 0; cell < cells_.size(); ++cell) {
      const std::vector<std::size_t>& edges = cells_[cell];
      for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
          if (firstSharedCell(edges[i], edges[j]) == cell && cross(edges[i], edges[j])) return true;
        }
      }
    }
    return false;
  }

 private:
  struct Range {
    std::size_t x0, x1, y0, y1;
  };

  // A value that is no number falls in the first cell, so that its conversion stays defined.
  std::size_t cellOf(double value, double low, double high) const {
    if (!(high > low)) return 0;
    double cell = std::floor((value - low) / (high - low) * static_cast<double>(side_));
    if (std::isnan(cell)) return 0;
    return static_cast<std::size_t>(std::clamp(cell, 0.0, static_cast<double>(side_ - 1)));
  }

  Range rangeOf(std::size_t edge) const {
    Point a = outline_[edge];
    Point b = outline_[(edge + 1) % outline_.size()];
    return {cellOf(std::min(a.x, b.x), low_.x, high_.x), cellOf(std::max(a.x, b.x), low_.x, high_.x),
            cellOf(std::min(a.y, b.y), low_.y, high_.y), cellOf(std::max(a.y, b.y), low_.y, high_.y)};
  }

  std::size_t firstSharedCell(std::size_t i, std::size_t j) const {
    Range a = rangeOf(i);
    Range b = rangeOf(j);
    return std::max(a.y0, b.y0) * side_ + std::max(a.x0, b.x0);
  }

  bool cross(std::size_t i, std::size_t j) const {
    std::size_t n = outline_.size();
    return crossProperly(outline_[i], outline_[(i + 1) % n], outline_[j], outline_[(j + 1) % n]);
  }

  const std::vector<Point>& outline_;
  std::size_t side_ = 1;
  Point low_{};
  Point high_{};
  std::vector<std::vector<std::size_t>> cells_;
};

}  // namespace

bool rowFoldsOverItself(const BladeGrid& grid, std::int32_t row) {
  std::vector<Point> outline = outlineOf(grid, row);
  return EdgeCells(outline).anyCrossing();
}

}  // namespace zephyrion
