// The blade's surface points: four arrays of rows 0..R (radius in whole mm) and columns 0..N
// (chord divisions).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephyrion {

// One rows x columns array of doubles, all zero when made. Access outside it throws
// std::out_of_range.
class GridArray {
 public:
  GridArray(std::int32_t rows, std::int32_t columns);
  double& operator()(std::int32_t row, std::int32_t column);
  double operator()(std::int32_t row, std::int32_t column) const;

 private:
  std::size_t indexOf(std::int32_t row, std::int32_t column) const;
  std::int32_t rows_;
  std::int32_t columns_;
  std::vector<double> values_;
};

struct BladeGrid {
  BladeGrid(std::int32_t rotorRadius, std::int32_t chordDivisions);

  std::int32_t rotorRadius;     // the last row
  std::int32_t chordDivisions;  // the last column
  GridArray upperX;
  GridArray upperY;
  GridArray lowerX;
  GridArray lowerY;
};

}  // namespace zephyrion
