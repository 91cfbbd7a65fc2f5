#include "blade/blade_grid.h"

#include <limits>
#include <stdexcept>

namespace zephyrion {
namespace {

std::int32_t checkedDimension(std::int32_t count) {
  if (count < 0) throw std::length_error("grid dimension below zero");
  return count;
}

// Rows 0..last need last + 1 entries; a last index at the int32 limit has no such count.
std::int32_t countThrough(std::int32_t last) {
  if (last < 0 || last == std::numeric_limits<std::int32_t>::max()) {
    throw std::length_error("grid bound out of range");
  }
  return last + 1;
}

}  // namespace

GridArray::GridArray(std::int32_t rows, std::int32_t columns)
    : rows_(checkedDimension(rows)),
      columns_(checkedDimension(columns)),
      values_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), 0.0) {}

double& GridArray::operator()(std::int32_t row, std::int32_t column) {
  return values_[indexOf(row, column)];
}

double GridArray::operator()(std::int32_t row, std::int32_t column) const {
  return values_[indexOf(row, column)];
}

std::size_t GridArray::indexOf(std::int32_t row, std::int32_t column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) {
    throw std::out_of_range("grid cell out of range");
  }
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
         static_cast<std::size_t>(column);
}

BladeGrid::BladeGrid(std::int32_t lastRow, std::int32_t lastColumn)
    : rotorRadius(lastRow),
      chordDivisions(lastColumn),
      upperX(countThrough(lastRow), countThrough(lastColumn)),
      upperY(countThrough(lastRow), countThrough(lastColumn)),
      lowerX(countThrough(lastRow), countThrough(lastColumn)),
      lowerY(countThrough(lastRow), countThrough(lastColumn)) {}

}  // namespace zephyrion
