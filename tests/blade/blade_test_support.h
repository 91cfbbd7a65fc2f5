// Helpers shared by the blade engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "design_forms.h"

namespace zephyrion::testing_support {

// Passes when `actual` rounds to the figure written in `expected` at the decimal places shown
// there ("-10.9090" asks for four decimals, "21960.8" for one).
inline ::testing::AssertionResult AgreesWithFigure(const char* actualExpr, const char* /*expectedExpr*/,
                                                   double actual, const std::string& expected) {
  std::size_t point = expected.find('.');
  int decimals = point == std::string::npos ? 0 : static_cast<int>(expected.size() - point - 1);
  double halfUnit = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9);
  double target = std::stod(expected);
  if (std::fabs(actual - target) <= halfUnit) return ::testing::AssertionSuccess();
  char printed[64];
  auto end = std::to_chars(printed, printed + sizeof printed, actual).ptr;
  return ::testing::AssertionFailure()
         << actualExpr << " is " << std::string(printed, end) << ", not " << expected;
}

#define EXPECT_FIGURE(actual, expected) \
  EXPECT_PRED_FORMAT2(::zephyrion::testing_support::AgreesWithFigure, actual, expected)

// The default form with some fields replaced, read.
inline DesignParameters designWith(std::initializer_list<std::pair<FormField, const char*>> changes) {
  return readDesignParameters(formWith({changes.begin(), changes.end()}));
}

// The section of station `row` as the station loop places it, before any later stage reshapes
// it: the reference for rows that must come out of the assembly unchanged.
inline BladeGrid placedSection(const DesignParameters& parameters, std::int32_t row) {
  BladeGeometry geometry(parameters);
  placeStation(parameters, row, geometry);
  return geometry.grid;
}

// True when row `row` of `a` and of `b` hold exactly the same points.
inline bool sameRow(const BladeGrid& a, const BladeGrid& b, std::int32_t row) {
  for (std::int32_t h = 1; h <= a.chordDivisions; ++h) {
    if (a.upperX(row, h) != b.upperX(row, h) || a.upperY(row, h) != b.upperY(row, h) ||
        a.lowerX(row, h) != b.lowerX(row, h) || a.lowerY(row, h) != b.lowerY(row, h)) {
      return false;
    }
  }
  return true;
}

// True when row `row` of `a` and of `b` differ by no more than `tolerance` anywhere.
inline bool nearRow(const BladeGrid& a, const BladeGrid& b, std::int32_t row, double tolerance) {
  for (std::int32_t h = 1; h <= a.chordDivisions; ++h) {
    if (std::fabs(a.upperX(row, h) - b.upperX(row, h)) > tolerance ||
        std::fabs(a.upperY(row, h) - b.upperY(row, h)) > tolerance ||
        std::fabs(a.lowerX(row, h) - b.lowerX(row, h)) > tolerance ||
        std::fabs(a.lowerY(row, h) - b.lowerY(row, h)) > tolerance) {
      return false;
    }
  }
  return true;
}

}  // namespace zephyrion::testing_support
