// The blade as the analysis reads it off the finished solid.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "blade/blade_assembly.h"
#include "built_in_airfoil.h"
#include "rotor/rotor_blade.h"
#include "rotor/rotor_performance.h"

namespace zephyrion::rotor {
namespace {

FormTexts symmetricBlade() {
  FormTexts texts = defaultFormTexts();
  texts[kFieldProfile] = "0012";
  return texts;
}

// A symmetric section's first division lies on its chord line at (1/N)^2 of the chord, so the
// solid's chord line is the design's and its chord the design's less that nose. The engine turns
// its sections with 57.2958 degrees to the radian; the solid's angle is read with 180/pi.
TEST(BladeAsBuilt, ReadsASymmetricSectionsChordLineOffTheSolid) {
  DesignParameters parameters = readDesignParameters(symmetricBlade());
  BladeGeometry geometry = buildBlade(parameters);
  double n = parameters.chordDivisions;
  for (std::int32_t row : {60, 100, 140, 200, 333, 489}) {
    BladeSection section = sectionOfRow(geometry.grid, row);
    EXPECT_EQ(section.radius, row);
    double turned = geometry.stationTwist[row] / 57.2958 * 180 / std::numbers::pi;
    EXPECT_NEAR(section.twistDegrees, turned, 1e-9) << "row " << row;
    EXPECT_NEAR(section.chord, geometry.stationChord[row] * (1 - 1 / (n * n)), 1e-9) << "row " << row;
  }
}

TEST(BladeAsBuilt, SeesTheShrunkTipAndLeavesTheHubOut) {
  DesignParameters parameters = readDesignParameters(defaultFormTexts());
  BladeGeometry geometry = buildBlade(parameters);
  RotorBlade blade = rotorBladeAsBuilt(geometry, parameters, parameters.rotorRadius);
  ASSERT_EQ(blade.sections.size(), static_cast<std::size_t>(parameters.rotorRadius - parameters.hubRadius));
  EXPECT_EQ(blade.sections.front().radius, parameters.hubRadius + 1);
  EXPECT_EQ(blade.sections.back().radius, parameters.rotorRadius);
  EXPECT_EQ(blade.hubRadius, parameters.hubRadius);
  EXPECT_EQ(blade.tipRadius, parameters.rotorRadius);
  EXPECT_EQ(blade.bladeCount, parameters.bladeCount);
  // The tip row keeps 1 / (2 sqrt(T)) of its size; the first full row (R - T) keeps all of it.
  double tipScale = 1 / (2 * std::sqrt(parameters.tipChamfer));
  std::int32_t tipRow = parameters.rotorRadius;
  std::int32_t fullRow = tipRow - 10;
  double tipShare = sectionOfRow(geometry.grid, tipRow).chord / geometry.stationChord[tipRow];
  double fullShare = sectionOfRow(geometry.grid, fullRow).chord / geometry.stationChord[fullRow];
  EXPECT_NEAR(tipShare, tipScale * fullShare, 1e-9);
}

// The analysis takes a bounded number of rows; its power and thrust stay within 0.3 % of those
// of every 1 mm row, from the blade of a few rows to one of several metres, on either side of
// the design point.
TEST(BladeAsBuilt, AnalysedOnBoundedSectionsMakesThePowerOfEveryRow) {
  for (const char* radius : {"60", "500", "1500", "4000"}) {
    FormTexts texts = defaultFormTexts();
    texts[kFieldRadius] = radius;
    texts[kFieldHubChamfer] = "10";
    texts[kFieldChordLimitX] = "100000";
    texts[kFieldChordLimitZ] = "100000";
    DesignParameters parameters = readDesignParameters(texts);
    BladeGeometry geometry = buildBlade(parameters);
    RotorBlade bounded = rotorBladeAsBuilt(geometry, parameters);
    RotorBlade everyRow = rotorBladeAsBuilt(geometry, parameters, parameters.rotorRadius);
    EXPECT_LE(bounded.sections.size(), static_cast<std::size_t>(kAnalysedSections));
    Airfoil airfoil = testing_support::builtInAirfoil(everyRow, parameters);
    Conditions conditions;
    for (double tipSpeedRatio : {2.5, 5.0, 8.0}) {
      RotorPerformance fast = rotorPerformance(bounded, airfoil, conditions, tipSpeedRatio);
      RotorPerformance exact = rotorPerformance(everyRow, airfoil, conditions, tipSpeedRatio);
      EXPECT_NEAR(fast.power, exact.power, 3e-3 * exact.power)
          << "radius " << radius << " tsr " << tipSpeedRatio;
      EXPECT_NEAR(fast.thrust, exact.thrust, 3e-3 * exact.thrust)
          << "radius " << radius << " tsr " << tipSpeedRatio;
    }
  }
}

}  // namespace
}  // namespace zephyrion::rotor
