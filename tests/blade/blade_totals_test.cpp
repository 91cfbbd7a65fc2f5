#include "blade/blade_totals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "blade_test_support.h"

namespace zephyrion {
namespace {

struct AreaCase {
  const char* shape;
  double x1, y1, x2, y2, x3, y3, x4, y4;
  double area;
};

class QuadAreaTest : public testing::TestWithParam<AreaCase> {};

TEST_P(QuadAreaTest, SumsTheTwoTrianglesOnTheDiagonalP2P4) {
  const AreaCase& c = GetParam();
  EXPECT_DOUBLE_EQ(quadArea(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.area) << c.shape;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, QuadAreaTest,
    testing::Values(AreaCase{"unit square", 0, 0, 1, 0, 1, 1, 0, 1, 1},
                    AreaCase{"square, clockwise", 0, 0, 0, 1, 1, 1, 1, 0, 1},
                    AreaCase{"offset rectangle", 5, -2, 8, -2, 8, 0, 5, 0, 6},
                    AreaCase{"trapezoid", 0, 0, 4, 0, 3, 2, 1, 2, 6},
                    AreaCase{"triangle with a doubled corner", 0, 0, 4, 0, 4, 3, 4, 3, 6},
                    AreaCase{"points on a line", 0, 0, 1, 1, 2, 2, 3, 3, 0},
                    AreaCase{"one point", 2, 2, 2, 2, 2, 2, 2, 2, 0},
                    // Diagonal P2-P4 outside the dart: both triangles count unsigned, 3 + 1.
                    AreaCase{"dart", 0, 0, 2, 1, 4, 0, 2, 3, 4}));

TEST(SectionArea, SumsTheLadderOfQuadsFromDivisionTwo) {
  // A 4 x 2 rectangle drawn like a hub block row with N = 4: upper points up the left side and
  // along the top, lower points along the bottom and up the right side.
  BladeGrid grid(2, 4);
  const double upper[5][2] = {{0, 0}, {0, 0}, {0, 2}, {0, 2}, {4, 2}};
  const double lower[5][2] = {{0, 0}, {0, 0}, {4, 0}, {4, 0}, {4, 2}};
  for (int h = 1; h <= 4; ++h) {
    grid.upperX(2, h) = upper[h][0];
    grid.upperY(2, h) = upper[h][1];
    grid.lowerX(2, h) = lower[h][0];
    grid.lowerY(2, h) = lower[h][1];
  }
  EXPECT_DOUBLE_EQ(sectionArea(grid, 2), 8);
  EXPECT_EQ(sectionArea(grid, 1), 0);
}

TEST(BladeTotals, RowOfNoAreaShowsNoStressInsteadOfDividingByZero) {
  DesignParameters parameters = readDesignParameters(defaultFormTexts());
  parameters.rotorRadius = 3;
  BladeGeometry geometry(parameters);  // all points 0
  BladeTotals totals;
  TableRow row = totals.addRow(geometry, parameters, 3.0);
  EXPECT_EQ(row.sectionArea, 0);
  EXPECT_EQ(row.forceAtRadius, 0);
  EXPECT_EQ(row.loadStress, 0);
}

TEST(BladeTotals, AccumulatesFromTheTipInwards) {
  DesignParameters parameters = readDesignParameters(defaultFormTexts());
  parameters.rotorRadius = 3;
  parameters.chordDivisions = 2;
  BladeGeometry geometry(parameters);
  geometry.stationChord = {0, 0, 20, 30};
  geometry.stationTwist = {0, 0, 45, 40};
  // Row 3: a 10 x 2 strip (area 20); row 2: a 10 x 1 strip (area 10).
  for (std::int32_t row : {2, 3}) {
    geometry.grid.upperX(row, 1) = 0;
    geometry.grid.upperX(row, 2) = 10;
    geometry.grid.lowerX(row, 1) = 0;
    geometry.grid.lowerX(row, 2) = 10;
    geometry.grid.upperY(row, 1) = row - 1;
    geometry.grid.upperY(row, 2) = row - 1;
  }
  BladeTotals totals;
  double rpm2 = 955.0 * 955.0;
  TableRow tip = totals.addRow(geometry, parameters, 3.0);
  EXPECT_EQ(tip.radius, 3.0);
  EXPECT_EQ(tip.chord, 30);
  EXPECT_EQ(tip.twist, 40);
  EXPECT_DOUBLE_EQ(tip.sectionArea, 20);
  EXPECT_NEAR(tip.forceAtRadius, 6e-07 * 3 * 20 * rpm2 * 1.097e-05, 1e-15);
  EXPECT_NEAR(tip.loadStress, tip.forceAtRadius / 20 * 1000, 1e-12);

  TableRow inner = totals.addRow(geometry, parameters, 2.0);
  EXPECT_EQ(inner.chord, 20);
  EXPECT_DOUBLE_EQ(inner.sectionArea, 10);
  EXPECT_NEAR(inner.forceAtRadius, tip.forceAtRadius + 6e-07 * 2 * 10 * rpm2 * 1.097e-05, 1e-15);
  EXPECT_DOUBLE_EQ(totals.bladeVolume(), 30);
  EXPECT_DOUBLE_EQ(totals.volumeCm3(), 0.03);
  EXPECT_DOUBLE_EQ(totals.weightKg(parameters), 30 * 6e-07);
  EXPECT_EQ(totals.forceAtRadius(), inner.forceAtRadius);
}

}  // namespace
}  // namespace zephyrion
