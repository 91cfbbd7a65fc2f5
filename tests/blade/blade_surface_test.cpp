#include "blade/blade_surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace zephyrion {
namespace {

// Every grid value names its own cell, so a corner tells which point it was taken from:
// 1000 x row + 10 x division + 1..4 for upper x, upper y, lower x, lower y.
BladeGrid labelledGrid(std::int32_t radius, std::int32_t divisions) {
  BladeGrid grid(radius, divisions);
  for (std::int32_t row = 0; row <= radius; ++row) {
    for (std::int32_t h = 0; h <= divisions; ++h) {
      double cell = 1000.0 * row + 10.0 * h;
      grid.upperX(row, h) = cell + 1;
      grid.upperY(row, h) = cell + 2;
      grid.lowerX(row, h) = cell + 3;
      grid.lowerY(row, h) = cell + 4;
    }
  }
  return grid;
}

enum Side { U, L };

struct Corner {
  Side side;
  int row;
  int division;
};

void expectCorner(const Point3& point, Corner corner, const char* name) {
  double cell = 1000.0 * corner.row + 10.0 * corner.division;
  double x = cell + (corner.side == U ? 1 : 3);
  double z = cell + (corner.side == U ? 2 : 4);
  EXPECT_EQ(point.x, x) << name;
  EXPECT_EQ(point.y, corner.row) << name << ": the span coordinate is the row number";
  EXPECT_EQ(point.z, z) << name;
}

void expectQuad(const Quad& quad, Corner p1, Corner p2, Corner p3, Corner p4) {
  expectCorner(quad.p1, p1, "P1");
  expectCorner(quad.p2, p2, "P2");
  expectCorner(quad.p3, p3, "P3");
  expectCorner(quad.p4, p4, "P4");
}

TEST(EndCapQuads, AlternateRootAndTipCapsPerDivision) {
  BladeGrid grid = labelledGrid(7, 4);
  std::vector<Quad> quads(5);  // stale contents are replaced
  endCapQuads(grid, quads);
  ASSERT_EQ(quads.size(), 6u);
  for (int h = 2; h <= 4; ++h) {
    SCOPED_TRACE(h);
    const Quad& root = quads[static_cast<std::size_t>(2 * (h - 2))];
    const Quad& tip = quads[static_cast<std::size_t>(2 * (h - 2) + 1)];
    expectQuad(root, {L, 1, h - 1}, {U, 1, h - 1}, {U, 1, h}, {L, 1, h});
    expectQuad(tip, {L, 7, h - 1}, {L, 7, h}, {U, 7, h}, {U, 7, h - 1});
  }
}

TEST(StripQuads, JoinTheRowBelowToTheRowInSurfaceOrder) {
  BladeGrid grid = labelledGrid(7, 4);
  std::vector<Quad> quads(1);
  stripQuads(grid, 5.0, quads);
  ASSERT_EQ(quads.size(), 8u);
  for (int h = 2; h <= 4; ++h) {
    SCOPED_TRACE(h);
    const Quad& upper = quads[static_cast<std::size_t>(2 * (h - 2))];
    const Quad& lower = quads[static_cast<std::size_t>(2 * (h - 2) + 1)];
    expectQuad(upper, {U, 4, h - 1}, {U, 5, h - 1}, {U, 5, h}, {U, 4, h});
    expectQuad(lower, {L, 4, h - 1}, {L, 4, h}, {L, 5, h}, {L, 5, h - 1});
  }
  SCOPED_TRACE("edge strips");
  expectQuad(quads[6], {L, 5, 1}, {U, 5, 1}, {U, 4, 1}, {L, 4, 1});
  expectQuad(quads[7], {L, 5, 4}, {L, 4, 4}, {U, 4, 4}, {U, 5, 4});
}

TEST(StripQuads, LowestStripReachesRowOne) {
  BladeGrid grid = labelledGrid(3, 4);
  std::vector<Quad> quads;
  stripQuads(grid, 2.0, quads);
  ASSERT_EQ(quads.size(), 8u);
  expectQuad(quads[6], {L, 2, 1}, {U, 2, 1}, {U, 1, 1}, {L, 1, 1});
}

struct CountCase {
  std::int32_t radius;
  std::int32_t divisions;
  std::size_t quads;  // 2 (N - 1) + 2 N (R - 1)
};

class SurfaceCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(SurfaceCountTest, ClosesTheBladeWithCapsAndOneStripPerRow) {
  BladeGrid grid(GetParam().radius, GetParam().divisions);
  std::vector<Quad> quads;
  endCapQuads(grid, quads);
  std::size_t total = quads.size();
  for (double e = GetParam().radius; e >= 2.0; e += -1.0) {
    stripQuads(grid, e, quads);
    total += quads.size();
  }
  EXPECT_EQ(total, GetParam().quads);
}

INSTANTIATE_TEST_SUITE_P(Designs, SurfaceCountTest,
                         testing::Values(CountCase{500, 10, 9998}, CountCase{2, 10, 38}, CountCase{3, 4, 22},
                                         CountCase{40, 40, 3198}));

}  // namespace
}  // namespace zephyrion
