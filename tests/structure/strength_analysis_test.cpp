// The strength analysis of the default blade checked a second way: its sections against the
// STL file's own facets, its operating root moment against the rotor analysis; and its gate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <optional>

#include "blade/blade_totals.h"
#include "built_in_airfoil.h"
#include "output/design_run.h"
#include "rotor/rotor_performance.h"
#include "stl_mesh.h"
#include "structure/strength_analysis.h"
#include "temp_folder.h"

namespace zephyrion::structure {
namespace {

using testing_support::Outline;

// Area integrals of an outline by horizontal strips: each strip's crossings with the edges,
// paired into intervals, midpoint rule across. It shares nothing with the code's polygon sums.
struct StripIntegrals {
  double area = 0, x = 0, y = 0, xx = 0, yy = 0, xy = 0;
};

StripIntegrals byStrips(const Outline& outline, int strips) {
  double low = INFINITY, high = -INFINITY;
  for (const auto& e : outline.edges) {
    low = std::min({low, e[1], e[3]});
    high = std::max({high, e[1], e[3]});
  }
  StripIntegrals s;
  double dy = (high - low) / strips;
  for (int k = 0; k < strips; ++k) {
    double y = low + (k + 0.5) * dy;
    std::vector<double> crossings;
    for (const auto& e : outline.edges) {
      double y0 = std::min(e[1], e[3]), y1 = std::max(e[1], e[3]);
      if (y0 <= y && y < y1) crossings.push_back(e[0] + (y - e[1]) / (e[3] - e[1]) * (e[2] - e[0]));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      double a = crossings[i], b = crossings[i + 1];
      s.area += (b - a) * dy;
      s.x += (b * b - a * a) / 2 * dy;
      s.xx += (b * b * b - a * a * a) / 3 * dy;
      s.y += y * (b - a) * dy;
      s.yy += y * y * (b - a) * dy;
      s.xy += y * (b * b - a * a) / 2 * dy;
    }
  }
  return s;
}

class DefaultBlade : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing_support::TempFolder folder("default-blade-strength");
    WriteOptions options;
    options.bladeBuilt = [](const BladeGeometry& built) { geometry_.emplace(built); };
    ASSERT_EQ(runDesign(defaultFormTexts(), {}, options).status, RunStatus::kCompleted);
    std::string stl = testing_support::readFile(folder.path() / "xx" / "Blade.stl");
    outlines_ = testing_support::rowOutlines(testing_support::parseStl(stl));
  }
  static void TearDownTestSuite() { geometry_.reset(); }

  static StrengthAnalysis analysed(const rotor::RotorBlade& blade) {
    return analyseStrength(*geometry_, parameters_, blade,
                           testing_support::builtInAirfoil(blade, parameters_), {});
  }

  static inline std::optional<BladeGeometry> geometry_;
  static inline std::map<long, Outline> outlines_;
  static inline const DesignParameters parameters_ = readDesignParameters(defaultFormTexts());
};

TEST_F(DefaultBlade, SectionsAgreeWithTheStlFilesOwnFacets) {
  StrengthAnalysis analysis = analysed(rotor::rotorBladeAsBuilt(*geometry_, parameters_));
  for (long row : {45L, 250L, 495L}) {
    SCOPED_TRACE("row " + std::to_string(row));
    // The STL's x has the span axis offset taken off; its z is the grid's y.
    StripIntegrals s = byStrips(outlines_.at(row), 20000);
    double cx = s.x / s.area + geometry_->axisOffset, cy = s.y / s.area;
    double ix = s.yy - s.area * std::pow(s.y / s.area, 2), iy = s.xx - s.area * std::pow(s.x / s.area, 2);
    double ixy = s.xy - s.x * s.y / s.area;
    const SectionProperties& p = analysis.rows.at(row - parameters_.hubRadius).section;
    ASSERT_EQ(analysis.rows.at(row - parameters_.hubRadius).radius, row);
    EXPECT_NEAR(p.area / s.area, 1, 5e-3);
    double size = std::sqrt(s.area);
    EXPECT_NEAR(p.centroidX, cx, 5e-3 * size);
    EXPECT_NEAR(p.centroidY, cy, 5e-3 * size);
    EXPECT_NEAR(p.ix / ix, 1, 5e-3);
    EXPECT_NEAR(p.iy / iy, 1, 5e-3);
    EXPECT_NEAR(p.ixy / ixy, 1, 5e-3);
  }
}

// int (r - H) f dr over the rotor analysis's own sections, by the trapezoid rule.
template <class Force>
double momentAboutHub(const rotor::RotorBlade& blade, Force force) {
  double moment = 0;
  for (std::size_t i = 1; i < blade.sections.size(); ++i) {
    double r0 = blade.sections[i - 1].radius, r1 = blade.sections[i].radius;
    moment +=
        (r1 - r0) * 1e-6 * ((r0 - blade.hubRadius) * force(i - 1) + (r1 - blade.hubRadius) * force(i)) / 2;
  }
  return moment;
}

// The rotor analysis integrates the blade-element forces about the hub radius on its own
// sections; the strength analysis puts them on the rows and integrates the shear. With every
// row a section, or the analysis's fewer sections, the moments agree: flapwise, edgewise (the driving force
// pushes towards the leading edge, against grid x) and parked.
TEST_F(DefaultBlade, RootMomentsAreTheRotorAnalysisesOnEveryRowOrTheAnalysedSections) {
  rotor::RotorBlade full = rotor::rotorBladeAsBuilt(*geometry_, parameters_, parameters_.rotorRadius);
  rotor::RotorBlade fewer = rotor::rotorBladeAsBuilt(*geometry_, parameters_);
  double designSpeed = parameters_.rotorSpeedRpm * 2 * std::numbers::pi / 60;
  double tipSpeedRatio = designSpeed * parameters_.rotorRadius * 1e-3 / parameters_.maxWindSpeed;
  rotor::Conditions conditions;
  conditions.windSpeed = parameters_.maxWindSpeed;
  for (const rotor::RotorBlade* blade : {&full, &fewer}) {
    SCOPED_TRACE(std::to_string(blade->sections.size()) + " sections");
    rotor::Airfoil airfoil = testing_support::builtInAirfoil(*blade, parameters_);
    StrengthAnalysis analysis = analysed(*blade);
    const CaseResult& operating = analysis.cases[kOperating];
    EXPECT_DOUBLE_EQ(operating.tipSpeedRatio, tipSpeedRatio);
    rotor::RotorPerformance performance = rotor::rotorPerformance(*blade, airfoil, conditions, tipSpeedRatio);
    EXPECT_NEAR(operating.rootFlapMoment / performance.rootFlapMoment, 1, 5e-3);
    double edge =
        momentAboutHub(*blade, [&](std::size_t i) { return -performance.stations[i].tangentialForce; });
    EXPECT_NEAR(operating.rootEdgeMoment / edge, 1, 5e-3);
    rotor::OperatingPoint storm;
    storm.windSpeed = kClassOneStormWind;
    double parked = momentAboutHub(*blade, [&](std::size_t i) {
      return rotor::parkedStation(blade->sections[i], airfoil, storm).normalForce;
    });
    EXPECT_NEAR(analysis.cases[kParkedStorm].rootFlapMoment / parked, 1, 5e-3);
  }
}

// The runaway speed is where the rotor's power changes sign; the centrifugal force at the root
// is the table's, summed its own way.
TEST_F(DefaultBlade, RunsAwayWhereThePowerFallsToZeroAndPullsAsTheTableSays) {
  rotor::RotorBlade blade = rotor::rotorBladeAsBuilt(*geometry_, parameters_);
  rotor::Airfoil airfoil = testing_support::builtInAirfoil(blade, parameters_);
  StrengthAnalysis analysis = analysed(blade);
  rotor::Conditions conditions;
  conditions.windSpeed = parameters_.maxWindSpeed;
  double runaway = analysis.cases[kRunaway].tipSpeedRatio;
  EXPECT_GT(rotor::rotorPerformance(blade, airfoil, conditions, runaway - 0.01).power, 0);
  EXPECT_LT(rotor::rotorPerformance(blade, airfoil, conditions, runaway + 0.01).power, 0);
  BladeTotals totals;
  for (std::int32_t row = parameters_.rotorRadius; row >= parameters_.hubRadius; --row)
    totals.addRow(*geometry_, parameters_, row);
  EXPECT_NEAR(analysis.rows.front().cases[kOperating].axialForce / totals.forceAtRadius(), 1, 5e-3);
}

StrengthOptions optionsOf(std::string material, std::optional<double> strength = {},
                          std::optional<double> modulus = {}, std::optional<double> shell = {},
                          std::optional<double> infill = {}) {
  StrengthOptions options;
  options.material = std::move(material);
  options.strengthMpa = strength;
  options.modulusGpa = modulus;
  options.shellMm = shell;
  options.infill = infill;
  return options;
}

TEST(StrengthGate, RefusesHostileValuesNamingTheOption) {
  using Field = std::optional<double> StrengthOptions::*;
  const std::pair<const char*, Field> fields[] = {{"--strength-mpa", &StrengthOptions::strengthMpa},
                                                  {"--modulus-gpa", &StrengthOptions::modulusGpa},
                                                  {"--shell-mm", &StrengthOptions::shellMm},
                                                  {"--infill", &StrengthOptions::infill}};
  const double hostile[] = {-1,       1e308,    -5e-324, std::numeric_limits<double>::quiet_NaN(),
                            INFINITY, -INFINITY};
  for (const auto& [name, field] : fields) {
    for (double value : hostile) {
      StrengthOptions options = optionsOf("", 40.0, 3.0, 1.0, 0.5);
      options.*field = value;
      std::optional<std::string> problem = findStrengthProblem(options);
      ASSERT_TRUE(problem) << name << " " << value;
      EXPECT_EQ(problem->rfind(name, 0), 0u) << *problem;
    }
  }
  for (double value : {0.0, 5e-324, 1e308, std::numeric_limits<double>::quiet_NaN()}) {
    StrengthOptions storm;
    storm.stormWind = value;
    EXPECT_EQ(findStrengthProblem(storm).value_or("").rfind("--storm-wind", 0), 0u) << value;
    StrengthOptions air;
    air.airDensity = value;
    EXPECT_EQ(findStrengthProblem(air).value_or("").rfind("--air-density", 0), 0u) << value;
  }
  EXPECT_EQ(findStrengthProblem(optionsOf("oak")).value_or("").rfind("--material takes one of pla-along", 0),
            0u);
  EXPECT_TRUE(findStrengthProblem(optionsOf("", 40.0)));
  EXPECT_TRUE(findStrengthProblem(optionsOf("spruce", 40.0, 3.0)));
  EXPECT_TRUE(findStrengthProblem(optionsOf("spruce", {}, {}, {}, 0.5)));
  StrengthOptions extremes = optionsOf("spruce", {}, {}, 100.0, 0.0);
  extremes.stormWind = 150;
  extremes.airDensity = 0.3;
  EXPECT_FALSE(findStrengthProblem(extremes));
}

}  // namespace
}  // namespace zephyrion::structure
