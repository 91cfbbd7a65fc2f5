// Whole blades of designs other than the default, one per behaviour of the assembly.
#include <gtest/gtest.h>

#include <cmath>

#include "blade/blade_assembly.h"
#include "blade/blade_surface.h"
#include "blade/blade_totals.h"
#include "blade_test_support.h"
#include "text/rounding.h"

namespace zephyrion {
namespace {

using testing_support::designWith;
using testing_support::placedSection;
using testing_support::sameRow;

TEST(TwoBladeDesign, HasNoBlockAndBlendsFromTheRotorAxis) {
  DesignParameters parameters = designWith({{kFieldBlades, "2"}});
  BladeGeometry blade = buildBlade(parameters);
  EXPECT_EQ(blade.hubWedge.halfWidth, 40);
  EXPECT_EQ(blade.hubWedge.endRow, 0);
  const BladeGrid& grid = blade.grid;
  for (std::int32_t h = 0; h <= 10; ++h) {
    EXPECT_EQ(grid.upperX(0, h), 0);
    EXPECT_EQ(grid.lowerY(0, h), 0);
  }
  // Rows 1..39 run from the axis (row 0, all zero) into the section of row D = 40.
  BladeGrid hubSection = placedSection(parameters, 40);
  EXPECT_TRUE(sameRow(grid, hubSection, 40));
  for (std::int32_t h : {1, 10}) {
    SCOPED_TRACE(h);
    EXPECT_LT(std::fabs(grid.upperX(1, h)), 0.1 * std::fabs(hubSection.upperX(40, h)));
    EXPECT_LT(std::fabs(grid.lowerY(1, h)), 0.1 * std::fabs(hubSection.lowerY(40, h)));
    EXPECT_GT(std::fabs(grid.upperX(39, h)), 0.9 * std::fabs(hubSection.upperX(40, h)));
  }
}

TEST(NoHubChamferDesign, BladeSectionsReachTheRowAfterTheBlock) {
  DesignParameters parameters = designWith({{kFieldHubChamfer, "0"}});
  BladeGeometry blade = buildBlade(parameters);
  EXPECT_EQ(blade.hubWedge.endRow, 19);
  EXPECT_TRUE(sameRow(blade.grid, placedSection(parameters, 20), 20));
  EXPECT_FIGURE(blade.grid.upperX(19, 1), "-10.9090");
}

TEST(SmallTipChamferDesign, ShrinksOnlyTheTipRow) {
  DesignParameters parameters = designWith({{kFieldTipChamfer, "0.5"}});
  BladeGeometry blade = buildBlade(parameters);
  BladeGrid tip = placedSection(parameters, 500);
  // 499.5 rounds to the even 500: the tip row is its own reference.
  EXPECT_EQ(blade.tipScaleCentre, roundToInt32(tip.upperX(500, 10) - tip.upperX(500, 1)) / 2);
  EXPECT_TRUE(sameRow(blade.grid, placedSection(parameters, 499), 499));
  double centre = blade.tipScaleCentre;
  for (std::int32_t h : {1, 6, 10}) {
    EXPECT_FIGURE((blade.grid.lowerX(500, h) - centre) / (tip.lowerX(500, h) - centre), "0.707107");
    EXPECT_FIGURE(blade.grid.upperY(500, h) / tip.upperY(500, h), "0.707107");
  }
}

TEST(FractionalTipChamferDesign, LastScaledRowKeepsTheFractionalScale) {
  DesignParameters parameters = designWith({{kFieldTipChamfer, "10.5"}});
  BladeGeometry blade = buildBlade(parameters);
  // The reference row is 489.5 rounded to even, 490; the last scaled row is R - 10 with
  // sqrt(10 / 10.5).
  BladeGrid reference = placedSection(parameters, 490);
  EXPECT_EQ(blade.tipScaleCentre, roundToInt32(reference.upperX(490, 10) - reference.upperX(490, 1)) / 2);
  EXPECT_FIGURE(blade.grid.upperY(490, 5) / reference.upperY(490, 5), "0.975900");
  EXPECT_TRUE(sameRow(blade.grid, placedSection(parameters, 489), 489));
}

TEST(WideHubDesign, WedgeIsCutByTheHubCircle) {
  DesignParameters parameters = designWith({{kFieldHubRadius, "43"}});
  BladeGeometry blade = buildBlade(parameters);
  ASSERT_EQ(blade.hubWedge.endRow, 22);
  double axis = blade.axisOffset;
  // Row 22 would reach sqrt(3) 22 = 38.1 mm out, 44 mm from the axis: it is cut to the circle.
  EXPECT_NEAR(blade.grid.upperX(22, 1), axis - std::sqrt(43.0 * 43 - 22 * 22), 1e-12);
  EXPECT_NEAR(blade.grid.lowerX(22, 10), std::sqrt(43.0 * 43 - 22 * 22) + axis, 1e-12);
  EXPECT_NEAR(blade.grid.upperX(21, 1), std::tan(-3.141592653589793 / 3) * 21 + axis, 1e-12);
}

TEST(SmallestBlade, HasOneTableRow) {
  DesignParameters parameters = designWith(
      {{kFieldRadius, "2"}, {kFieldTipChamfer, "1"}, {kFieldHubRadius, "0"}, {kFieldHubChamfer, "0"}});
  BladeGeometry blade = buildBlade(parameters);
  BladeTotals totals;
  int rows = 0;
  for (double e = parameters.rotorRadius; e >= 2.0; e += -1.0) {
    TableRow line = totals.addRow(blade, parameters, e);
    EXPECT_EQ(line.radius, 2);
    EXPECT_GT(line.sectionArea, 0);
    EXPECT_TRUE(std::isfinite(line.loadStress));
    ++rows;
  }
  EXPECT_EQ(rows, 1);
  EXPECT_GT(totals.volumeCm3(), 0);
}

}  // namespace
}  // namespace zephyrion
