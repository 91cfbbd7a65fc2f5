// One blade section in each flow state the momentum balance knows, solved and checked against the
// textbook equations.
#include <gtest/gtest.h>

#include <vector>

#include "momentum_balance.h"
#include "rotor/bem.h"
#include "rotor/naca_polar.h"
#include "rotor/rotor_performance.h"

namespace zephyrion::rotor {
namespace {

struct SectionCase {
  const char* state;
  double radius;  // mm, of a 1000 mm rotor
  double chord;   // mm
  double twist;   // degrees
  int blades;
  double hubRadius;  // mm
  double tipSpeedRatio;
  double lowestInflow;  // the state's range of inflow angles, degrees
  double highestInflow;
  double lowestInduction;  // and of the axial induction factor
  double highestInduction;
};

class SectionStateTest : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionStateTest, BalancesTheMomentumOfItsAnnulus) {
  const SectionCase& c = GetParam();
  Airfoil airfoil = nacaAirfoil({0.04, 0.4, 0.12}, Surface::kRough, 1.3, 1e5, 1e6);
  RotorBlade blade;
  blade.bladeCount = c.blades;
  blade.tipRadius = 1000;
  blade.hubRadius = c.hubRadius;
  BladeSection section{c.radius, c.chord, c.twist};
  Conditions conditions;
  OperatingPoint flow = operatingPointOf(conditions, blade, c.tipSpeedRatio);
  StationSolution solution = solveStation(section, blade, airfoil, flow, {});
  ASSERT_TRUE(solution.solved);
  EXPECT_GE(solution.inflowAngle * 180 / kPi, c.lowestInflow);
  EXPECT_LE(solution.inflowAngle * 180 / kPi, c.highestInflow);
  EXPECT_GE(solution.axialInduction, c.lowestInduction);
  EXPECT_LE(solution.axialInduction, c.highestInduction);
  expectBalanced(solution, section, blade, flow);
}

INSTANTIATE_TEST_SUITE_P(
    States, SectionStateTest,
    testing::Values(SectionCase{"windmill", 500, 60, 5, 3, 100, 6, 0, 90, 0, 0.4},
                    SectionCase{"turbulent wake", 500, 300, 5, 3, 100, 10, 0, 90, 0.4, 1},
                    SectionCase{"propeller brake", 500, 3000, -30, 3, 0, 0.5, -45, 0, 1, 100},
                    SectionCase{"inflow from behind", 500, 3000, -75, 3, 0, 0.5, 90, 180, 0, 0.4}),
    [](const testing::TestParamInfo<SectionCase>& param) {
      std::string name = param.param.state;
      for (char& ch : name) {
        if (ch == ' ') ch = '_';
      }
      return name;
    });

TEST(SectionSolution, OneThatNoInflowAngleBalancesIsReportedAndCarriesNothing) {
  Airfoil airfoil = nacaAirfoil({0.04, 0.4, 0.12}, Surface::kRough, 1.3, 1e5, 1e6);
  RotorBlade blade;
  blade.bladeCount = 8;
  blade.tipRadius = 1000;
  blade.hubRadius = 100;
  // A chord thirty times the radius, set against the wind.
  blade.sections = {{139.188, 4347.57, -44.6089}, {500, 50, 5}};
  Conditions conditions;
  RotorPerformance performance = rotorPerformance(blade, airfoil, conditions, 12.084);
  EXPECT_FALSE(performance.stations[0].solved);
  EXPECT_EQ(performance.stations[0].normalForce, 0);
  EXPECT_EQ(performance.stations[0].tangentialForce, 0);
  EXPECT_TRUE(performance.stations[1].solved);
  EXPECT_EQ(performance.unsolvedRadii, std::vector<double>{139.188});
}

TEST(SectionSolution, TheTipCarriesNothingWithTipLoss) {
  Airfoil airfoil = nacaAirfoil({0.04, 0.4, 0.12}, Surface::kRough, 1.3, 1e5, 1e6);
  RotorBlade blade;
  blade.bladeCount = 3;
  blade.tipRadius = 1000;
  Conditions conditions;
  StationSolution tip =
      solveStation({1000, 50, 3}, blade, airfoil, operatingPointOf(conditions, blade, 6), conditions.options);
  EXPECT_TRUE(tip.solved);
  EXPECT_EQ(tip.lossFactor, 0);
  EXPECT_EQ(tip.normalForce, 0);
  EXPECT_EQ(tip.tangentialForce, 0);
}

// At rest a section meets the wind at 90 degrees less its twist: a flat section (twist 0) stands
// broadside, all plate drag and no lift; a section turned 80 degrees meets it at 10 degrees and
// turns the rotor with its table's lift. Forces per metre are q c times the coefficient.
TEST(ParkedSection, MeetsTheWindAtNinetyDegreesLessItsTwist) {
  Polar table{0, {{-10, -0.8, 0.02}, {0, 0.1, 0.01}, {10, 1.0, 0.03}, {15, 1.2, 0.05}}};
  Airfoil airfoil = makeAirfoil({table}, 1.8);
  OperatingPoint storm;
  storm.windSpeed = 50;
  double q = 0.5 * 1.225 * 50 * 50;
  StationSolution broadside = parkedStation({300, 80, 0}, airfoil, storm);
  EXPECT_NEAR(broadside.normalForce, q * 0.08 * 1.8, 1e-9);
  EXPECT_NEAR(broadside.tangentialForce, 0, 1e-9);
  StationSolution turned = parkedStation({300, 80, 80}, airfoil, storm);
  EXPECT_NEAR(turned.tangentialForce, q * 0.08 * 1.0, 1e-9);
  EXPECT_NEAR(turned.normalForce, q * 0.08 * 0.03, 1e-9);
}

}  // namespace
}  // namespace zephyrion::rotor
