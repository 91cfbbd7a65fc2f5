#include "blade/section_outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "test_seed.h"

namespace zephyrion {
namespace {

struct Point {
  double x, y;
};

double turn(Point a, Point b, Point c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Every pair of edges, the slow exact way.
bool anyTwoEdgesCross(const std::vector<Point>& outline) {
  std::size_t n = outline.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      Point a = outline[i], b = outline[(i + 1) % n], c = outline[j], d = outline[(j + 1) % n];
      double d1 = turn(c, d, a), d2 = turn(c, d, b), d3 = turn(a, b, c), d4 = turn(a, b, d);
      if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    }
  }
  return false;
}

// Row 1 of a grid holding `outline`: the first half as the upper points, the second half, read
// backwards, as the lower points.
BladeGrid gridHolding(const std::vector<Point>& outline) {
  std::int32_t divisions = static_cast<std::int32_t>(outline.size() / 2);
  BladeGrid grid(1, divisions);
  for (std::int32_t h = 1; h <= divisions; ++h) {
    grid.upperX(1, h) = outline[h - 1].x;
    grid.upperY(1, h) = outline[h - 1].y;
    grid.lowerX(1, h) = outline[outline.size() - h].x;
    grid.lowerY(1, h) = outline[outline.size() - h].y;
  }
  return grid;
}

// Star-shaped outlines round the origin, simple by construction, with one point in some of them
// pushed across the centre so that they fold; crossings are then sometimes near-misses.
TEST(SectionOutline, AFoldIsFoundExactlyWhereEveryPairOfEdgesShowsOne) {
  std::mt19937_64 random(testing_support::testSeed(7));
  std::uniform_real_distribution<double> unit(0, 1);
  int folded = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    std::size_t n = 2 * (2 + random() % 120);
    std::vector<Point> outline(n);
    double stretch = std::pow(10.0, unit(random) * 4 - 2);
    for (std::size_t i = 0; i < n; ++i) {
      double angle =
          6.283185307179586 * (static_cast<double>(i) + 0.9 * unit(random)) / static_cast<double>(n);
      double radius = 0.2 + unit(random);
      outline[i] = {radius * std::cos(angle) * stretch, radius * std::sin(angle)};
    }
    if (trial % 2 == 0) {
      Point& moved = outline[random() % n];
      moved = {-moved.x * unit(random) * 2, -moved.y * unit(random) * 2};
    }
    bool expected = anyTwoEdgesCross(outline);
    folded += expected;
    ASSERT_EQ(rowFoldsOverItself(gridHolding(outline), 1), expected) << "trial " << trial;
  }
  EXPECT_GT(folded, 500) << "the trials must hold folded outlines too";
}

TEST(SectionOutline, EdgesThatOnlyTouchOrOverlapDoNotFold) {
  // A rectangle whose sides run down past its bottom and back, as the hub block's do.
  std::vector<Point> spiked = {{0, 0}, {0, 1}, {0, 2},   {1, 2},   {2, 2},
                               {2, 2}, {2, 0}, {2, 0.5}, {1, 0.5}, {0, 0.5}};
  EXPECT_FALSE(rowFoldsOverItself(gridHolding(spiked), 1));
  std::vector<Point> allOnePoint(8, Point{3, 3});
  EXPECT_FALSE(rowFoldsOverItself(gridHolding(allOnePoint), 1));
}

// A point that is no number crosses nothing, and finding so converts no NaN to an index (the
// sanitizer build would stop on it).
TEST(SectionOutline, APointThatIsNoNumberCrossesNothing) {
  std::vector<Point> square = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  square[1].y = std::nan("");
  EXPECT_FALSE(rowFoldsOverItself(gridHolding(square), 1));
}

}  // namespace
}  // namespace zephyrion
