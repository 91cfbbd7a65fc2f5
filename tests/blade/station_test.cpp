#include "blade/station.h"

#include <gtest/gtest.h>

#include <cmath>

#include "blade_test_support.h"

namespace zephyrion {
namespace {

using testing_support::designWith;

struct StationCase {
  double radius;
  const char* twist;
  const char* optimumChord;
  const char* chord;
  std::int64_t heightSteps;  // -1: not stated exactly
  std::int64_t widthSteps;
};

class DefaultStationTest : public testing::TestWithParam<StationCase> {};

TEST_P(DefaultStationTest, MatchesTheDesignFiguresOfTheStation) {
  const StationCase& c = GetParam();
  Station station = computeStation(readDesignParameters(defaultFormTexts()), c.radius);
  EXPECT_FIGURE(station.twist, c.twist);
  EXPECT_FIGURE(station.chord, c.chord);
  // Every step took 0.01 mm off the optimum chord.
  EXPECT_FIGURE(station.chord + 0.01 * static_cast<double>(station.heightSteps + station.widthSteps),
                c.optimumChord);
  if (c.heightSteps >= 0) {
    EXPECT_EQ(station.heightSteps, c.heightSteps);
  }
  EXPECT_EQ(station.widthSteps, c.widthSteps);
}

INSTANTIATE_TEST_SUITE_P(Radii, DefaultStationTest,
                         testing::Values(StationCase{500, "2.5946", "43.92", "43.9216", 0, 0},
                                         StationCase{100, "28.690", "219.61", "104.148", 11546, 0},
                                         StationCase{1, "84.14", "21960.8", "50.254", -1, 0},
                                         StationCase{150, "18.962", "146.405", "126.885", 0, 1952},
                                         StationCase{140, "20.463", "156.863", "128.073", 1385, 1494}));

TEST(Station, InnermostStationTakesAboutTwoMillionHeightSteps) {
  Station station = computeStation(readDesignParameters(defaultFormTexts()), 1);
  EXPECT_GT(station.heightSteps, 2180000);
  EXPECT_LT(station.heightSteps, 2200000);
}

TEST(Station, LimitsActOnlyWhereTheDefaultBladeNeedsThem) {
  DesignParameters p = readDesignParameters(defaultFormTexts());
  for (int r = 1; r <= p.rotorRadius; ++r) {
    Station station = computeStation(p, r);
    EXPECT_EQ(station.heightSteps > 0, r <= 146) << "radius " << r;
    EXPECT_EQ(station.widthSteps > 0, r >= 128 && r <= 176) << "radius " << r;
  }
}

TEST(Station, LimitedChordFitsBothLimits) {
  DesignParameters p = readDesignParameters(defaultFormTexts());
  for (double r : {1.0, 50.0, 140.0, 146.0, 176.0}) {
    Station station = computeStation(p, r);
    double radians = station.twist / kDegreesPerRadian;
    EXPECT_LE(std::sin(radians) * station.chord, p.chordLimitZ) << "radius " << r;
    EXPECT_LE(std::cos(radians) * station.chord, p.chordLimitX) << "radius " << r;
    // One step less would not have fitted the limit that acted last.
    double before = station.chord + 0.01;
    bool widthActed = station.widthSteps > 0;
    double extent = widthActed ? std::cos(radians) * before : std::sin(radians) * before;
    EXPECT_GT(extent, widthActed ? p.chordLimitX : p.chordLimitZ) << "radius " << r;
  }
}

TEST(Station, TwistAtOrBelowZeroLeavesTheChordToTheWidthLimit) {
  // An angle of attack above the inflow angle turns the section the other way.
  DesignParameters p = designWith({{kFieldAngleOfAttack, "35"}, {kFieldChordLimitZ, "1"}});
  Station station = computeStation(p, 100);
  EXPECT_LT(station.twist, 0);
  EXPECT_EQ(station.heightSteps, 0);
  EXPECT_GT(station.widthSteps, 0);
}

TEST(Station, ChordEqualToALimitProductIsNotShortened) {
  DesignParameters unlimited = designWith({{kFieldChordLimitZ, "1e9"}, {kFieldChordLimitX, "1e9"}});
  Station free = computeStation(unlimited, 140);
  double radians = free.twist / kDegreesPerRadian;

  DesignParameters atHeight = unlimited;
  atHeight.chordLimitZ = std::sin(radians) * free.chord;
  EXPECT_EQ(computeStation(atHeight, 140).heightSteps, 0);
  atHeight.chordLimitZ = std::nextafter(atHeight.chordLimitZ, 0.0);
  EXPECT_EQ(computeStation(atHeight, 140).heightSteps, 1);

  DesignParameters atWidth = unlimited;
  atWidth.chordLimitX = std::cos(radians) * free.chord;
  EXPECT_EQ(computeStation(atWidth, 140).widthSteps, 0);
  atWidth.chordLimitX = std::nextafter(atWidth.chordLimitX, 0.0);
  EXPECT_EQ(computeStation(atWidth, 140).widthSteps, 1);
}

TEST(Station, ChordIsShortenedByRepeatedSteps) {
  // The result is the optimum with -0.01 added step by step, not the closed form c - n * 0.01.
  DesignParameters p = readDesignParameters(defaultFormTexts());
  Station station = computeStation(p, 100);
  DesignParameters unlimited = designWith({{kFieldChordLimitZ, "1e9"}, {kFieldChordLimitX, "1e9"}});
  double chord = computeStation(unlimited, 100).chord;
  for (std::int64_t i = 0; i < station.heightSteps; ++i)
    chord += -0.01;
  EXPECT_EQ(station.chord, chord);
  EXPECT_NE(station.chord, computeStation(unlimited, 100).chord - 0.01 * 11546);
}

// The chord after adding -0.01 once per step, as the limits are defined, for comparison with
// the engine, which takes runs of steps at once.
Station steppedOneByOne(const DesignParameters& parameters, double radius) {
  DesignParameters unlimited = parameters;
  unlimited.chordLimitZ = unlimited.chordLimitX = 1e300;
  Station station = computeStation(unlimited, radius);
  double radians = station.twist / kDegreesPerRadian;
  while (std::sin(radians) * station.chord > parameters.chordLimitZ) {
    station.chord += -0.01;
    ++station.heightSteps;
  }
  while (std::cos(radians) * station.chord > parameters.chordLimitX) {
    station.chord += -0.01;
    ++station.widthSteps;
  }
  return station;
}

void expectSameAsSteppingOneByOne(const DesignParameters& parameters, double radius) {
  Station engine = computeStation(parameters, radius);
  Station reference = steppedOneByOne(parameters, radius);
  EXPECT_EQ(engine.chord, reference.chord) << "radius " << radius;
  EXPECT_EQ(engine.heightSteps, reference.heightSteps) << "radius " << radius;
  EXPECT_EQ(engine.widthSteps, reference.widthSteps) << "radius " << radius;
}

TEST(Station, TakesTheSameStepsAsAddingOneStepAtATimeAtEveryDefaultRadius) {
  DesignParameters p = readDesignParameters(defaultFormTexts());
  for (int r = 1; r <= p.rotorRadius; ++r)
    expectSameAsSteppingOneByOne(p, r);
}

struct LimitCase {
  const char* lift;
  const char* limitZ;
  const char* limitX;
  const char* alpha;
  double radius;
};

class SteppingTest : public testing::TestWithParam<LimitCase> {};

// Chords that cross many binades, limits that stop a run in its middle or at its end, tiny
// limits that take the chord below 1 mm.
TEST_P(SteppingTest, TakesTheSameStepsAsAddingOneStepAtATime) {
  const LimitCase& c = GetParam();
  DesignParameters p = designWith({{kFieldLift, c.lift},
                                   {kFieldChordLimitZ, c.limitZ},
                                   {kFieldChordLimitX, c.limitX},
                                   {kFieldAngleOfAttack, c.alpha}});
  expectSameAsSteppingOneByOne(p, c.radius);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, SteppingTest,
    testing::Values(LimitCase{"0.85", "50", "120", "5", 2}, LimitCase{"0.02", "50", "120", "5", 1},
                    LimitCase{"0.02", "0.3", "0.3", "5", 1}, LimitCase{"0.85", "0.001", "120", "5", 3},
                    LimitCase{"0.85", "1024", "1024", "5", 1}, LimitCase{"0.85", "2048.5", "4096", "5", 1},
                    LimitCase{"0.85", "50", "0.005", "5", 1}, LimitCase{"0.85", "50", "120", "89", 1},
                    LimitCase{"0.85", "50", "7", "95", 20}, LimitCase{"0.1", "3", "2", "0", 1}));

}  // namespace
}  // namespace zephyrion
