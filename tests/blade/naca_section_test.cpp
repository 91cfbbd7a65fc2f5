#include "blade/naca_section.h"

#include <gtest/gtest.h>

#include <cmath>

#include "blade_test_support.h"

namespace zephyrion {
namespace {

// The values of a section row recovered from its two points: the chordwise position and camber
// are their midpoint, the half-thickness half their distance, and theta the direction across
// which the thickness was laid off.
struct SectionRow {
  double x, yt, yc, theta;
};

SectionRow recover(const SectionPoint& point) {
  return {(point.upperX + point.lowerX) / 2,
          std::hypot(point.lowerX - point.upperX, point.upperY - point.lowerY) / 2,
          (point.upperY + point.lowerY) / 2,
          std::atan2(point.lowerX - point.upperX, point.upperY - point.lowerY)};
}

struct NacaCase {
  int division;
  const char *x, *yt, *yc, *theta, *upperX, *upperY, *lowerX, *lowerY;
};

class Naca4412Test : public testing::TestWithParam<NacaCase> {};

TEST_P(Naca4412Test, MatchesTheSectionTableOnAHundredMillimetreChord) {
  const NacaCase& c = GetParam();
  SectionPoint point = nacaSectionPoint(100, c.division, 10, 0.04, 0.4, 0.12);
  EXPECT_FIGURE(point.upperX, c.upperX);
  EXPECT_FIGURE(point.upperY, c.upperY);
  EXPECT_FIGURE(point.lowerX, c.lowerX);
  EXPECT_FIGURE(point.lowerY, c.lowerY);
  SectionRow row = recover(point);
  EXPECT_FIGURE(row.x, c.x);
  EXPECT_FIGURE(row.yt, c.yt);
  EXPECT_FIGURE(row.yc, c.yc);
  EXPECT_FIGURE(row.theta, c.theta);
}

INSTANTIATE_TEST_SUITE_P(Divisions, Naca4412Test,
                         testing::Values(NacaCase{1, "1.00000", "1.70371", "0.197500", "0.194991", "0.669894",
                                                  "1.86892", "1.33011", "-1.47392"},
                                         NacaCase{5, "25.0000", "5.94124", "3.43750", "0.136643", "24.1907",
                                                  "9.32336", "25.8093", "-2.44836"},
                                         NacaCase{6, "36.0000", "5.92633", "3.96000", "0.109560", "35.3520",
                                                  "9.85080", "36.6480", "-1.93080"},
                                         NacaCase{10, "100.000", "0.126000", "0.000000", "0.000000",
                                                  "100.000", "0.126000", "100.000", "-0.126000"}));

TEST(NacaSection, CamberBranchSwitchesAfterTheMaximumCamberPosition) {
  // x = 36 <= c p = 40 still lies on the forward arc, x = 49 on the aft one:
  // 36 / 0.16 x 0.04 x (0.8 - 0.36) = 3.96 and 51 / 0.36 x 0.04 x (1.49 - 0.8) = 3.91.
  EXPECT_FIGURE(recover(nacaSectionPoint(100, 6, 10, 0.04, 0.4, 0.12)).yc, "3.96000");
  EXPECT_FIGURE(recover(nacaSectionPoint(100, 7, 10, 0.04, 0.4, 0.12)).yc, "3.91000");
}

TEST(NacaSection, DivisionsCrowdTowardsTheLeadingEdge) {
  const double fractions[] = {0.01, 0.04, 0.09, 0.16, 0.25, 0.36, 0.49, 0.64, 0.81, 1};
  for (int h = 1; h <= 10; ++h) {
    EXPECT_NEAR(recover(nacaSectionPoint(200, h, 10, 0.04, 0.4, 0.12)).x, 200 * fractions[h - 1], 1e-9) << h;
  }
}

TEST(NacaSection, TrailingEdgeKeepsASmallThickness) {
  // yt = 0.0105 t c at the last division, straight across the chord.
  SectionPoint point = nacaSectionPoint(50, 12, 12, 0.02, 0.3, 0.15);
  EXPECT_DOUBLE_EQ(point.upperX, 50);
  EXPECT_DOUBLE_EQ(point.lowerX, 50);
  EXPECT_NEAR(point.upperY, 0.0105 * 0.15 * 50, 1e-12);
  EXPECT_NEAR(point.lowerY, -0.0105 * 0.15 * 50, 1e-12);
}

TEST(NacaSection, SymmetricProfileHasNoCamber) {
  for (int h = 1; h <= 10; ++h) {
    SectionPoint point = nacaSectionPoint(80, h, 10, 0, 0, 0.12);
    EXPECT_EQ(point.upperX, point.lowerX) << h;
    EXPECT_EQ(point.upperY, -point.lowerY) << h;
    EXPECT_GT(point.upperY, 0) << h;
  }
}

}  // namespace
}  // namespace zephyrion
