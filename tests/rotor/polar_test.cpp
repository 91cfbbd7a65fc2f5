// Section polars: the panel-method tools' text files, the built-in NACA model and the extension
// of every table to the whole circle of angles.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "rotor/airfoil.h"
#include "rotor/naca_polar.h"
#include "rotor/polar_reader.h"

namespace zephyrion::rotor {
namespace {

constexpr double kPi = std::numbers::pi;

// The layout the panel-method tools save: a free header, the column heading, a line of dashes,
// then one row per angle with more columns than are needed. The second sweep is appended.
constexpr const char* kSavedPolar =
    " \n"
    "       XFOIL         Version 6.99\n"
    " \n"
    " Calculated polar for: NACA 4412\n"
    " \n"
    " 1 1 Reynolds number fixed          Mach number fixed\n"
    " \n"
    " xtrf =   1.000 (top)        1.000 (bottom)\n"
    " Mach =   0.000     Re =     0.200 e 6     Ncrit =   9.000\n"
    " \n"
    "  alpha    CL        CD       CDp       CM     Top_Xtr  Bot_Xtr\n"
    " ------ -------- --------- --------- -------- -------- --------\n"
    "   0.000   0.4512   0.00912   0.00331  -0.1010   0.6720   1.0000\n"
    "   2.000   0.6723   0.00987   0.00390  -0.1012   0.5710   1.0000\n"
    "  12.500   1.3120   0.03810   0.03005  -0.0801   0.0310   1.0000\n"
    "\n"
    "  -4.000   0.0105   0.01150   0.00540  -0.0980   0.8560   0.0900\n";

Polar readOrFail(const std::string& text) {
  auto result = readPolarText(text);
  if (auto* error = std::get_if<PolarReadError>(&result))
    ADD_FAILURE() << "line " << error->line << ": " << error->message;
  return std::get<Polar>(result);
}

TEST(PolarFile, IsReadFromThePanelMethodToolsLayoutInOrderOfAngle) {
  Polar polar = readOrFail(kSavedPolar);
  ASSERT_EQ(polar.points.size(), 4u);
  const double expected[4][3] = {
      {-4.0, 0.0105, 0.01150}, {0.0, 0.4512, 0.00912}, {2.0, 0.6723, 0.00987}, {12.5, 1.3120, 0.03810}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(polar.points[i].alphaDegrees, expected[i][0]);
    EXPECT_EQ(polar.points[i].lift, expected[i][1]);
    EXPECT_EQ(polar.points[i].drag, expected[i][2]);
  }
}

struct MalformedPolar {
  const char* fault;
  std::string text;
  int line;
  const char* messagePart;
};

class MalformedPolarTest : public testing::TestWithParam<MalformedPolar> {};

TEST_P(MalformedPolarTest, IsRefusedWithItsLineNumber) {
  auto result = readPolarText(GetParam().text);
  auto* error = std::get_if<PolarReadError>(&result);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->line, GetParam().line) << error->message;
  EXPECT_NE(error->message.find(GetParam().messagePart), std::string::npos) << error->message;
}

const std::string kHeading = "header\n alpha CL CD\n ----- ---- ----\n";  // lines 1 to 3

INSTANTIATE_TEST_SUITE_P(
    Faults, MalformedPolarTest,
    testing::Values(
        MalformedPolar{"word", kHeading + "-2 0.1 0.01\n 3.0 0.8 O.02\n", 5, "\"O.02\" is not a number"},
        MalformedPolar{"short", kHeading + "-2 0.1 0.01\n\n 3.0 0.8\n", 6, "at least three numbers"},
        MalformedPolar{"negative drag", kHeading + "-2 0.1 -0.01\n 3.0 0.8 0.02\n", 4, "negative"},
        MalformedPolar{"repeated angle", kHeading + "-2 0.1 0.01\n 3 0.8 0.02\n 3.0 0.9 0.02\n", 6,
                       "appears again (first on line 5)"},
        MalformedPolar{"beyond a right angle", kHeading + "-2 0.1 0.01\n 95 0.8 0.02\n", 5,
                       "between -90 and 90"},
        MalformedPolar{"not a number at all", kHeading + "-2 0.1 0.01\n 3 nan 0.02\n", 5,
                       "\"nan\" is not a number"},
        MalformedPolar{"one row", kHeading + "-2 0.1 0.01\n", 2, "at least two rows"},
        MalformedPolar{"no heading", "-2 0.1 0.01\n 3 0.8 0.02\n", 0, "no column heading"},
        MalformedPolar{"positive angles only", kHeading + "1 0.1 0.01\n 3 0.8 0.02\n", 0,
                       "must reach below and above 0"},
        MalformedPolar{"lift no section makes", kHeading + "-0.001 -1e6 0.01\n 0.001 1e6 0.01\n", 4,
                       "CL -1000000 is beyond what any section makes"},
        MalformedPolar{"drag no section meets", kHeading + "-2 0.1 0.01\n 3 0.8 4\n", 5, "CD 4 is beyond"},
        MalformedPolar{"lift rising too steeply", kHeading + "-1 -2.5 0.01\n 1 2.5 0.01\n", 5,
                       "CL changes by 2.5 per degree from line 4"}),
    [](const testing::TestParamInfo<MalformedPolar>& param) {
      std::string name = param.param.fault;
      for (char& c : name) {
        if (c == ' ') c = '_';
      }
      return name;
    });

// Lift and drag just either side of an angle.
void expectContinuousAt(const AirfoilAtReynolds& section, double alpha) {
  SectionCoefficients before = sectionCoefficients(section, alpha - 1e-9);
  SectionCoefficients after = sectionCoefficients(section, alpha + 1e-9);
  EXPECT_NEAR(before.lift, after.lift, 1e-6) << "lift at " << alpha * 180 / kPi << " degrees";
  EXPECT_NEAR(before.drag, after.drag, 1e-6) << "drag at " << alpha * 180 / kPi << " degrees";
}

TEST(ExtendedPolar, KeepsTheTableAndJoinsItsExtensionsWithoutAJump) {
  Airfoil airfoil = makeAirfoil({readOrFail(kSavedPolar)}, 1.3);
  AirfoilAtReynolds section = airfoilAtReynolds(airfoil, 2e5);
  SectionCoefficients atTwo = sectionCoefficients(section, 2.0 * kPi / 180);
  EXPECT_NEAR(atTwo.lift, 0.6723, 1e-12);
  EXPECT_NEAR(atTwo.drag, 0.00987, 1e-12);
  for (double degrees : {-4.0, 12.5, 90.0, -90.0, 180.0})
    expectContinuousAt(section, degrees * kPi / 180);
  SectionCoefficients across = sectionCoefficients(section, kPi / 2);
  EXPECT_NEAR(across.lift, 0, 1e-12);
  EXPECT_NEAR(across.drag, 1.3, 1e-12) << "a flat plate across the flow";
}

}  // namespace
}  // namespace zephyrion::rotor
