// The default form's blade, checked against the figures its design documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "blade/blade_assembly.h"
#include "blade/blade_totals.h"
#include "blade/station.h"
#include "blade_test_support.h"
#include "text/rounding.h"

namespace zephyrion {
namespace {

using testing_support::nearRow;
using testing_support::placedSection;
using testing_support::sameRow;

class DefaultBladeTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    parameters_ = std::make_unique<DesignParameters>(readDesignParameters(defaultFormTexts()));
    blade_ = std::make_unique<BladeGeometry>(buildBlade(*parameters_));
  }
  static void TearDownTestSuite() {
    blade_.reset();
    parameters_.reset();
  }
  static const DesignParameters& parameters() { return *parameters_; }
  static const BladeGeometry& blade() { return *blade_; }
  static const BladeGrid& grid() { return blade_->grid; }

 private:
  static std::unique_ptr<DesignParameters> parameters_;
  static std::unique_ptr<BladeGeometry> blade_;
};

std::unique_ptr<DesignParameters> DefaultBladeTest::parameters_;
std::unique_ptr<BladeGeometry> DefaultBladeTest::blade_;

TEST_F(DefaultBladeTest, StationsFillEveryRowButZero) {
  EXPECT_EQ(blade().stationTwist.size(), 501u);
  EXPECT_EQ(blade().stationTwist[0], 0);
  EXPECT_EQ(blade().stationChord[0], 0);
  for (double r : {1.0, 100.0, 500.0}) {
    Station station = computeStation(parameters(), r);
    auto row = static_cast<std::size_t>(r);
    EXPECT_EQ(blade().stationTwist[row], station.twist);
    EXPECT_EQ(blade().stationChord[row], station.chord);
  }
}

TEST_F(DefaultBladeTest, MidSpanSectionsAreTurnedByTheirTwist) {
  EXPECT_TRUE(sameRow(grid(), placedSection(parameters(), 100), 100));
  // The trailing edge's midpoint lies on the chord line, turned by the twist.
  double x = (grid().upperX(100, 10) + grid().lowerX(100, 10)) / 2;
  double y = (grid().upperY(100, 10) + grid().lowerY(100, 10)) / 2;
  EXPECT_NEAR(std::atan2(y, x) * kDegreesPerRadian, blade().stationTwist[100], 1e-9);
  EXPECT_FIGURE(std::hypot(x, y), "104.148");
}

TEST_F(DefaultBladeTest, TipShrinksTowardsTheScaleCentre) {
  EXPECT_EQ(blade().tipScaleCentre, 22);
  // Row 490 = R - T is the reference and keeps its size (scale 1, up to the rounding of the
  // shift to the centre and back).
  BladeGrid reference = placedSection(parameters(), 490);
  EXPECT_TRUE(nearRow(grid(), reference, 490, 1e-12));
  EXPECT_EQ(roundToInt32(reference.upperX(490, 10) - reference.upperX(490, 1)) / 2, 22);
  EXPECT_TRUE(sameRow(grid(), placedSection(parameters(), 489), 489));

  struct Shrunk {
    std::int32_t row;
    const char* scale;
  };
  for (Shrunk shrunk : {Shrunk{500, "0.158114"}, Shrunk{499, "0.316228"}, Shrunk{491, "0.948683"}}) {
    SCOPED_TRACE(shrunk.row);
    BladeGrid placed = placedSection(parameters(), shrunk.row);
    for (std::int32_t h : {1, 5, 10}) {
      EXPECT_FIGURE((grid().upperX(shrunk.row, h) - 22) / (placed.upperX(shrunk.row, h) - 22), shrunk.scale);
      EXPECT_FIGURE(grid().lowerY(shrunk.row, h) / placed.lowerY(shrunk.row, h), shrunk.scale);
    }
  }
}

TEST_F(DefaultBladeTest, HubBoundsComeFromTheSectionAtTheHubRadius) {
  EXPECT_FIGURE(blade().hubMinY, "0.130320");
  EXPECT_FIGURE(blade().hubMaxY, "50.0413");
  BladeGrid hub = placedSection(parameters(), 40);
  double lowest = 1e9;
  double highest = -1e9;
  for (std::int32_t h = 1; h <= 10; ++h) {
    lowest = std::min({lowest, hub.upperY(40, h), hub.lowerY(40, h)});
    highest = std::max({highest, hub.upperY(40, h), hub.lowerY(40, h)});
  }
  EXPECT_EQ(blade().hubMinY, lowest);
  EXPECT_EQ(blade().hubMaxY, highest);
}

TEST_F(DefaultBladeTest, SpanAxisLiesAThirdAlongTheSectionAtTwoThirdsOfTheRadius) {
  EXPECT_EQ(blade().axisOffset, 22);
  EXPECT_TRUE(sameRow(grid(), placedSection(parameters(), 333), 333));
  EXPECT_EQ(roundToInt32((grid().upperX(333, 10) - grid().upperX(333, 1)) * 0.33), 22);
}

TEST_F(DefaultBladeTest, HubWedgeEndsAtRowNineteen) {
  EXPECT_EQ(blade().hubWedge.halfWidth, 35);
  EXPECT_EQ(blade().hubWedge.endRow, 19);
}

TEST_F(DefaultBladeTest, BlockRowsOutlineTheWedgeRectangle) {
  EXPECT_FIGURE(grid().upperX(2, 1), "18.5359");
  EXPECT_FIGURE(grid().lowerX(2, 10), "25.4641");
  for (std::int32_t row = 1; row <= 19; ++row) {
    SCOPED_TRACE(row);
    double x1 = grid().upperX(row, 1);
    double x2 = grid().lowerX(row, 10);
    EXPECT_NEAR(x2 - 22, 22 - x1, 1e-12);
    for (std::int32_t h = 1; h <= 5; ++h) {
      EXPECT_EQ(grid().upperX(row, h), x1);
      EXPECT_EQ(grid().lowerY(row, h), blade().hubMinY);
    }
    for (std::int32_t h = 6; h <= 10; ++h) {
      EXPECT_EQ(grid().upperY(row, h), blade().hubMaxY);
      EXPECT_EQ(grid().lowerX(row, h), x2);
    }
    EXPECT_EQ(grid().upperY(row, 1), 0);
    EXPECT_EQ(grid().lowerY(row, 6), 0);
    // The two points of the last division coincide, so the trailing-edge strip has no area.
    EXPECT_EQ(grid().upperX(row, 10), grid().lowerX(row, 10));
    EXPECT_EQ(grid().upperY(row, 10), grid().lowerY(row, 10));
  }
}

TEST_F(DefaultBladeTest, WedgeStaysInsideTheHubCircle) {
  double x1 = grid().upperX(19, 1);
  EXPECT_FIGURE(x1 - 22, "-32.909");
  EXPECT_FIGURE(std::sqrt((x1 - 22) * (x1 - 22) + 19 * 19), "38.0");
  EXPECT_NEAR(x1, std::tan(-3.141592653589793 / 3) * 19 + 22, 1e-12);
}

TEST_F(DefaultBladeTest, BlendLeavesTheBlockAlmostLevel) {
  struct Blend {
    std::int32_t row;
    const char* upperX;
  };
  for (Blend blend : {Blend{19, "-10.9090"}, Blend{20, "-10.8733"}, Blend{21, "-10.8036"},
                      Blend{30, "-8.9431"}, Blend{58, "-0.6228"}, Blend{59, "-0.5814"}}) {
    EXPECT_FIGURE(grid().upperX(blend.row, 1), blend.upperX) << "row " << blend.row;
  }
  // The blend's last row returns its own sample exactly, and the blade beyond is untouched.
  EXPECT_TRUE(sameRow(grid(), placedSection(parameters(), 59), 59));
  EXPECT_TRUE(sameRow(grid(), placedSection(parameters(), 60), 60));
  EXPECT_FALSE(sameRow(grid(), placedSection(parameters(), 58), 58));
}

struct TotalsRow {
  std::int32_t row;
  const char *chord, *twist, *sectionArea, *forceAtRadius, *loadStress;
};

TEST_F(DefaultBladeTest, TableRowsAndTotalsMatchTheDesignFigures) {
  const TotalsRow expected[] = {
      {500, "43.9216", "2.59465", "3.90869", "0.0117318", "3.00147"},
      {490, "44.8179", "2.74777", "162.794", "2.62945", "16.1520"},
      {100, "104.148", "28.6901", "879.095", "321.488", "365.704"},
      {19, "53.5208", "69.0925", "3295.76", "348.305", "105.683"},
      {2, "50.3422", "83.2817", "346.922", "350.500", "1010.31"},
  };
  BladeTotals totals;
  int rows = 0;
  std::size_t next = 0;
  for (double e = parameters().rotorRadius; e >= 2.0; e += -1.0) {
    TableRow line = totals.addRow(blade(), parameters(), e);
    ++rows;
    if (next < std::size(expected) && line.radius == expected[next].row) {
      const TotalsRow& want = expected[next++];
      SCOPED_TRACE(want.row);
      EXPECT_FIGURE(line.chord, want.chord);
      EXPECT_FIGURE(line.twist, want.twist);
      EXPECT_FIGURE(line.sectionArea, want.sectionArea);
      EXPECT_FIGURE(line.forceAtRadius, want.forceAtRadius);
      EXPECT_FIGURE(line.loadStress, want.loadStress);
    }
  }
  EXPECT_EQ(next, std::size(expected));
  EXPECT_EQ(rows, 499);
  EXPECT_FIGURE(totals.volumeCm3(), "366.236");
  EXPECT_FIGURE(totals.weightKg(parameters()), "0.219742");
  EXPECT_FIGURE(totals.forceAtRadius(), "350.500");
}

TEST_F(DefaultBladeTest, BlockSectionAreaIsTheLadderNotTheRectangle) {
  EXPECT_FIGURE(sectionArea(grid(), 2), "346.922");
  double rectangle = (grid().lowerX(2, 10) - grid().upperX(2, 1)) * (blade().hubMaxY - blade().hubMinY);
  EXPECT_FIGURE(rectangle, "345.79");
}

}  // namespace
}  // namespace zephyrion
