#include "blade/blade_assembly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "blade/station.h"

namespace zephyrion {
namespace {

TEST(GridArray, StartsAtZeroAndHoldsWhatIsStored) {
  GridArray values(3, 4);
  EXPECT_EQ(values(2, 3), 0);
  values(2, 3) = 7.5;
  values(0, 0) = -1;
  EXPECT_EQ(values(2, 3), 7.5);
  EXPECT_EQ(values(0, 0), -1);
  EXPECT_EQ(values(1, 2), 0);
}

TEST(GridArray, RefusesCellsOutsideIt) {
  GridArray values(3, 4);
  const GridArray& constant = values;
  for (auto [row, column] : {std::pair{3, 0}, {-1, 0}, {0, 4}, {0, -1}, {2147483647, 3}}) {
    EXPECT_THROW(values(row, column), std::out_of_range) << row << "," << column;
    EXPECT_THROW(constant(row, column), std::out_of_range) << row << "," << column;
  }
}

TEST(GridArray, RefusesNegativeDimensions) {
  EXPECT_THROW(GridArray(-1, 3), std::length_error);
}

TEST(BladeGrid, SpansRowsZeroToRadiusAndColumnsZeroToDivisions) {
  BladeGrid grid(5, 4);
  grid.lowerY(5, 4) = 1;
  EXPECT_EQ(grid.lowerY(5, 4), 1);
  EXPECT_EQ(grid.upperX(0, 0), 0);
  EXPECT_THROW(grid.upperY(6, 0), std::out_of_range);
  EXPECT_THROW(grid.lowerX(0, 5), std::out_of_range);
}

TEST(BladeGrid, RefusesBoundsWithNoCount) {
  EXPECT_THROW(BladeGrid(-1, 10), std::length_error);
  EXPECT_THROW(BladeGrid(std::numeric_limits<std::int32_t>::max(), 10), std::length_error);
  EXPECT_THROW(BladeGrid(10, std::numeric_limits<std::int32_t>::max()), std::length_error);
}

TEST(RotateSectionPoints, TurnsBothPointsCounterClockwiseAboutTheLeadingEdge) {
  BladeGrid grid(1, 1);
  grid.upperX(1, 1) = 10;
  grid.upperY(1, 1) = 0;
  grid.lowerX(1, 1) = 0;
  grid.lowerY(1, 1) = -4;
  rotateSectionPoints(grid, 1, 1, 30);
  double radians = 30 / kDegreesPerRadian;
  EXPECT_NEAR(grid.upperX(1, 1), 10 * std::cos(radians), 1e-12);
  EXPECT_NEAR(grid.upperY(1, 1), 10 * std::sin(radians), 1e-12);
  EXPECT_NEAR(grid.lowerX(1, 1), 4 * std::sin(radians), 1e-12);
  EXPECT_NEAR(grid.lowerY(1, 1), -4 * std::cos(radians), 1e-12);
}

TEST(RotateSectionPoints, UsesTheDesignsDegreeConstant) {
  // 57.2958 degrees per radian, not 180 / pi: a quarter turn misses the axis by about 6e-7 rad.
  BladeGrid grid(1, 1);
  grid.upperX(1, 1) = 1;
  rotateSectionPoints(grid, 1, 1, 90);
  EXPECT_NEAR(grid.upperX(1, 1), std::cos(90 / 57.2958), 1e-15);
  EXPECT_GT(std::fabs(grid.upperX(1, 1)), 1e-7);
}

TEST(LagrangeInterpolate, ReturnsEachSampleAtItsOwnNode) {
  const double xs[] = {18, 19, 59, 60};
  const double ys[] = {-10.9, -10.9, -0.58, -0.55};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(lagrangeInterpolate(xs, ys, xs[i], 4), ys[i]) << i;
}

TEST(LagrangeInterpolate, ReproducesACubic) {
  auto cubic = [](double x) { return 2 * x * x * x - 3 * x * x + x - 5; };
  const double xs[] = {-1, 0, 2, 3};
  const double ys[] = {cubic(-1), cubic(0), cubic(2), cubic(3)};
  for (double x : {-0.5, 1.0, 2.5, 4.0})
    EXPECT_NEAR(lagrangeInterpolate(xs, ys, x, 4), cubic(x), 1e-9) << x;
}

TEST(LagrangeInterpolate, OnePointIsAConstantAndNoPointsGiveZero) {
  const double xs[] = {3};
  const double ys[] = {8};
  EXPECT_EQ(lagrangeInterpolate(xs, ys, 100, 1), 8);
  EXPECT_EQ(lagrangeInterpolate(xs, ys, 100, 0), 0);
}

struct WedgeCase {
  std::int32_t hubRadius;
  std::int32_t bladeCount;
  std::int32_t halfWidth;
  std::int32_t endRow;
};

class HubWedgeTest : public testing::TestWithParam<WedgeCase> {};

TEST_P(HubWedgeTest, FillsTheBladesShareOfTheHub) {
  HubWedge wedge = computeHubWedge(GetParam().hubRadius, GetParam().bladeCount);
  EXPECT_EQ(wedge.halfWidth, GetParam().halfWidth);
  EXPECT_EQ(wedge.endRow, GetParam().endRow);
}

// A block ending on the hub circle would end in a row of no width: one blade, whose wedge is
// the whole disc, and hubs so small for their blade count that the wedge's width rounds to 0
// end a row inside the circle.
INSTANTIATE_TEST_SUITE_P(HubsAndBlades, HubWedgeTest,
                         testing::Values(WedgeCase{40, 3, 35, 19}, WedgeCase{40, 2, 40, 0},
                                         WedgeCase{40, 4, 28, 29}, WedgeCase{40, 1, 0, 39},
                                         WedgeCase{0, 3, 0, 0}, WedgeCase{43, 3, 37, 22},
                                         WedgeCase{1, 7, 0, 0}, WedgeCase{5, 8, 2, 4},
                                         WedgeCase{10, 8, 4, 9}));

}  // namespace
}  // namespace zephyrion
