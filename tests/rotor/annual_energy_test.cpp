// The power curve and the annual energy, against closed forms: a rotor whose power coefficient
// is a parabola in the tip speed ratio, the mean of V^3 of Weibull's distribution, and the
// torque balance of the alternator solved here by bisection.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "blade/blade_assembly.h"
#include "built_in_airfoil.h"
#include "rotor/annual_energy.h"
#include "rotor/design_analysis.h"
#include "rotor/energy_text.h"
#include "rotor/rotor_performance.h"
#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRho = 1.225;
constexpr double kBestCp = 0.40;
constexpr double kBestRatio = 5;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Cp(l) = 0.40 (1 - ((l - 5) / 5)^2): its best is 0.40 at every wind, its torque coefficient
// Cp/l = 0.40 (2/5 - l/25) falls linearly to 0 at l = 10 and is 0.16 at rest.
double torqueCoefficient(double ratio) {
  return kBestCp * (2 / kBestRatio - ratio / (kBestRatio * kBestRatio));
}

RotorModel parabolicRotor(double radius) {
  RotorModel model{radius, kRho, {}};
  model.loads = [radius](double wind, double speed) {
    double torque =
        0.5 * kRho * kPi * std::pow(radius, 3) * wind * wind * torqueCoefficient(speed * radius / wind);
    return RotorLoads{torque * speed, torque, 0.5 * kRho * kPi * radius * radius * wind * wind * 8 / 9, 0};
  };
  return model;
}

EnergyOptions unlimited() {
  EnergyOptions options;
  options.maxRpm = 1e5;
  return options;
}

// rho/2 pi R^2 Cp c^3 Gamma(1 + 3/k) over 8760 hours, in kWh.
double closedFormEnergy(double radius, const WindDistribution& wind) {
  double meanCube = std::pow(wind.scale, 3) * std::tgamma(1 + 3 / wind.shape);
  return 0.5 * kRho * kPi * radius * radius * kBestCp * meanCube * 8760 / 1000;
}

TEST(AnnualEnergy, ClosedFormGivesTheReferenceFigures) {
  EXPECT_NEAR(closedFormEnergy(0.5, rayleighWithMean(5)), 402.4, 0.05);
  EXPECT_NEAR(closedFormEnergy(0.5, {3, 6}), 364.1, 0.05);
}

// The bins stop at 25 m/s and join the bin centres by straight lines: the trapezoids lie above
// the convex V^3 (more energy) and the cut tail takes some away (less).
TEST(AnnualEnergy, MethodOfBinsAgreesWithTheClosedFormWithinOnePercent) {
  RotorModel rotor = parabolicRotor(0.5);
  std::vector<std::pair<EnergyOptions, WindDistribution>> sites;
  for (WindDistribution wind : {rayleighWithMean(4), rayleighWithMean(5), rayleighWithMean(7),
                                WindDistribution{3, 6}, WindDistribution{1.5, 5}, WindDistribution{2.5, 8}}) {
    sites.emplace_back(unlimited(), wind);
    sites.back().first.weibull = wind;
  }
  EnergyOptions sheared = unlimited();
  sheared.siteMeanWind = 5;
  sheared.hubHeight = 20;
  sheared.measuredAt = 10;  // the mean at the hub: 5 x 2^(1/7)
  sites.emplace_back(sheared, rayleighWithMean(5 * std::pow(2, 1 / 7.0)));
  for (const auto& [options, wind] : sites) {
    double bins = analyseEnergy(rotor, options).annualEnergy;
    double exact = closedFormEnergy(0.5, wind);
    std::printf("k %.3g c %.4g m/s: bins %.2f kWh, closed form %.2f kWh (%+.3f %%)\n", wind.shape, wind.scale,
                bins, exact, 100 * (bins / exact - 1));
    EXPECT_NEAR(bins, exact, 0.01 * exact);
  }
}

// The standard atmosphere's tables (ISO 2533:1975): 1.112 kg/m3 at 1 km, 0.7364 at 5 km,
// 0.3639 at 11 km.
TEST(AnnualEnergy, TakesTheAirOfTheStandardAtmosphereAtAnAltitude) {
  for (auto [altitude, density] :
       {std::pair{0.0, 1.225}, {1000.0, 1.112}, {5000.0, 0.7364}, {11000.0, 0.3639}}) {
    EnergyOptions options;
    options.air.altitude = altitude;
    EXPECT_NEAR(airDensityOf(options.air), density, 0.0005) << altitude;
  }
}

TEST(AnnualEnergy, IsTheSameForEveryDescriptionOfOneSite) {
  RotorModel rotor = parabolicRotor(0.5);
  EnergyOptions reference = unlimited();
  double energy = analyseEnergy(rotor, reference).annualEnergy;
  EnergyOptions rayleigh = unlimited();
  rayleigh.siteMeanWind = 5;
  EnergyOptions weibull = unlimited();
  weibull.weibull = WindDistribution{2, 2 * 5 / std::sqrt(kPi)};
  EnergyOptions noShear = rayleigh;
  noShear.hubHeight = 30;
  noShear.measuredAt = 10;
  noShear.shearExponent = 0;
  EnergyOptions equalHeights = rayleigh;
  equalHeights.hubHeight = equalHeights.measuredAt = 12;
  equalHeights.shearExponent = 0.3;
  for (const EnergyOptions& same : {rayleigh, weibull, noShear, equalHeights})
    EXPECT_NEAR(analyseEnergy(rotor, same).annualEnergy, energy, 1e-9 * energy);
}

TEST(AnnualEnergy, GrowsWithTheSweptAreaOfAConstantCpRotor) {
  double small = analyseEnergy(parabolicRotor(0.5), unlimited()).annualEnergy;
  double large = analyseEnergy(parabolicRotor(1.0), unlimited()).annualEnergy;
  EXPECT_NEAR(large, 4 * small, 1e-6 * large);
}

// At rest the parabolic rotor's torque is rho/2 pi R^3 V^2 x 0.16, so it starts where that
// equals the friction; it charges from the wind where its torque at the alternator's cut-in
// speed still passes the friction (bisected here).
TEST(PowerCurve, StandsBelowItsStartWindAndRunsFreeBelowTheAlternatorsCutIn) {
  const double radius = 0.5;
  const double friction = 0.05;
  AlternatorConstants alternator{0.05, 1.5, 13};
  EnergyOptions options;
  options.control = Control::alternator;
  options.voltsPerRpm = alternator.voltsPerRpm;
  options.windingOhms = alternator.windingOhms;
  options.batteryVolts = alternator.batteryVolts;
  options.frictionTorque = friction;
  RotorModel rotor = parabolicRotor(radius);
  EnergyAnalysis analysis = analyseEnergy(rotor, options);
  double k = alternator.voltsPerRpm * 30 / kPi;  // V s/rad, N m/A
  double area = 0.5 * kRho * kPi * std::pow(radius, 3);
  double start = std::sqrt(friction / (area * torqueCoefficient(0)));
  ASSERT_TRUE(analysis.curve.startWind && analysis.curve.cutInWind);
  EXPECT_NEAR(*analysis.curve.startWind, start, 1e-5);
  // The cut-in: torque coefficient at the cut-in speed's ratio equal to friction / (area V^2).
  auto cutInSurplus = [&](double wind) {
    double cutInSpeed = alternator.batteryVolts / k;
    return area * wind * wind * torqueCoefficient(cutInSpeed * radius / wind) - friction;
  };
  double low = start;
  double high = 25;
  for (int i = 0; i < 200; ++i)
    (cutInSurplus((low + high) / 2) > 0 ? high : low) = (low + high) / 2;
  EXPECT_NEAR(*analysis.curve.cutInWind, low, 1e-5);

  int running = 0;
  for (const PowerCurvePoint& point : analysis.curve.points) {
    double speed = point.rotorSpeedRpm * kPi / 30;
    if (point.windSpeed < start) {
      EXPECT_EQ(point.rotorSpeedRpm, 0) << point.windSpeed;
    }
    if (point.windSpeed < low) {
      EXPECT_EQ(point.output, 0) << point.windSpeed;
      EXPECT_EQ(point.current, 0) << point.windSpeed;
    }
    if (point.current == 0) continue;
    // The balance, bisected here between the cut-in speed and a speed where the rotor's torque
    // is spent: rotor torque = friction + k (k w - V) / R.
    auto surplus = [&](double w) {
      double current = std::max(0.0, (k * w - alternator.batteryVolts) / alternator.windingOhms);
      return rotor.loads(point.windSpeed, w).torque - friction - k * current;
    };
    double slow = alternator.batteryVolts / k;
    double fast = 2 * kBestRatio * point.windSpeed / radius;
    for (int i = 0; i < 200; ++i)
      (surplus((slow + fast) / 2) > 0 ? slow : fast) = (slow + fast) / 2;
    EXPECT_NEAR(speed, slow, 1e-3 * slow) << point.windSpeed;
    EXPECT_NEAR(point.torque, friction + k * point.current, 1e-3 * point.torque) << point.windSpeed;
    ++running;
  }
  EXPECT_GT(running, 40);
}

TEST(PowerCurve, AtTheFormsHighestWindGivesThePerformanceAtTheBestTipSpeedRatio) {
  DesignParameters parameters = readDesignParameters(defaultFormTexts());
  RotorBlade blade = rotorBladeAsBuilt(buildBlade(parameters), parameters);
  Airfoil airfoil = testing_support::builtInAirfoil(blade, parameters);
  EnergyOptions options;
  options.maxRpm = parameters.rotorSpeedRpm;
  EnergyAnalysis analysis = analyseEnergy(blade, airfoil, options);
  Conditions conditions;
  conditions.windSpeed = parameters.maxWindSpeed;
  BestTipSpeedRatio best = bestTipSpeedRatio(
      blade, airfoil, conditions,
      performanceCurve(blade, airfoil, conditions, curveTipSpeedRatios(parameters.tipSpeedRatio)));
  double power = rotorPerformance(blade, airfoil, conditions, best.tipSpeedRatio).power;
  const PowerCurvePoint& point = analysis.curve.points[19];
  ASSERT_EQ(point.windSpeed, parameters.maxWindSpeed);
  EXPECT_NEAR(point.output, power, 1e-4 * power);
  EXPECT_NEAR(point.tipSpeedRatio, best.tipSpeedRatio, 0.02);
}

// Every option refuses what no site, rotor or machine has, naming itself.
TEST(EnergyOptionsGate, RefusesHostileValuesNamingTheOption) {
  const double hostile[] = {0, -1, 1e300, 4.9e-324, std::nan(""), kInfinity, -kInfinity};
  using Set = std::function<void(EnergyOptions&, double)>;
  const std::pair<const char*, Set> options[] = {
      {"--max-rpm", [](EnergyOptions& o, double v) { o.maxRpm = v; }},
      {"--rated-power", [](EnergyOptions& o, double v) { o.ratedPower = v; }},
      {"--rpm", [](EnergyOptions& o, double v) { o.rpm = v; }},
      {"--volts-per-rpm", [](EnergyOptions& o, double v) { o.voltsPerRpm = v; }},
      {"--winding-ohms", [](EnergyOptions& o, double v) { o.windingOhms = v; }},
      {"--battery-volts", [](EnergyOptions& o, double v) { o.batteryVolts = v; }},
      {"--site-mean-wind", [](EnergyOptions& o, double v) { o.siteMeanWind = v; }},
      {"--weibull shape",
       [](EnergyOptions& o, double v) {
         o.weibull = WindDistribution{v, 6};
       }},
      {"--weibull scale",
       [](EnergyOptions& o, double v) {
         o.weibull = WindDistribution{2, v};
       }},
      {"--hub-height",
       [](EnergyOptions& o, double v) { o.hubHeight = v, o.measuredAt = 10, o.siteMeanWind = 5; }},
      {"--measured-at",
       [](EnergyOptions& o, double v) { o.measuredAt = v, o.hubHeight = 10, o.siteMeanWind = 5; }},
      {"--air-density", [](EnergyOptions& o, double v) { o.air.density = v; }},
  };
  for (const auto& [name, set] : options) {
    for (double value : hostile) {
      EnergyOptions o = unlimited();
      set(o, value);
      auto problem = findEnergyProblem(o);
      ASSERT_TRUE(problem) << name << " " << value;
      EXPECT_EQ(problem->rfind(name, 0), 0u) << *problem;
    }
  }
  // Options whose range holds 0 refuse the rest.
  for (double value : {-1e300, 1e300, std::nan(""), kInfinity, -kInfinity}) {
    EnergyOptions friction = unlimited(), shear = unlimited(), altitude = unlimited();
    friction.frictionTorque = value;
    shear.siteMeanWind = 5, shear.hubHeight = 20, shear.measuredAt = 10, shear.shearExponent = value;
    altitude.air.altitude = value;
    EXPECT_TRUE(findEnergyProblem(friction) && findEnergyProblem(shear) && findEnergyProblem(altitude))
        << value;
  }
}

TEST(EnergyOptionsGate, RefusesOptionsThatDoNotGoTogether) {
  EnergyOptions fine = unlimited();
  EXPECT_FALSE(findEnergyProblem(fine));
  std::function<void(EnergyOptions&)> conflicts[] = {
      [](EnergyOptions& o) { o.control = Control::fixedSpeed; },
      [](EnergyOptions& o) { o.rpm = 300; },
      [](EnergyOptions& o) { o.control = Control::alternator, o.voltsPerRpm = 0.05; },
      [](EnergyOptions& o) { o.control = Control::fixedSpeed, o.rpm = 300, o.ratedPower = 100; },
      [](EnergyOptions& o) {
        o.siteMeanWind = 5, o.weibull = WindDistribution{2, 6};
      },
      [](EnergyOptions& o) { o.siteMeanWind = 5, o.hubHeight = 20; },
      [](EnergyOptions& o) { o.hubHeight = 20, o.measuredAt = 10; },
      [](EnergyOptions& o) { o.siteMeanWind = 5, o.shearExponent = 0.2; },
      [](EnergyOptions& o) { o.air.density = 1.2, o.air.altitude = 100; },
      [](EnergyOptions& o) {
        o.weibull = WindDistribution{10, 17};
      },
      [](EnergyOptions& o) {
        o.siteMeanWind = 14, o.hubHeight = 300, o.measuredAt = 1, o.shearExponent = 0.5;
      },
  };
  for (const auto& conflict : conflicts) {
    EnergyOptions o = unlimited();
    conflict(o);
    EXPECT_TRUE(findEnergyProblem(o));
  }
}

// The CSV reads back to the analysis's own numbers, with one row per bin and no nan or inf even
// for a machine that never charges; each printed figure carries a unit.
TEST(EnergyText, HoldsEveryNumberOfTheAnalysisAndUnitsOnEveryFigure) {
  EnergyOptions options;
  options.control = Control::alternator;
  options.voltsPerRpm = 1e-4;
  options.windingOhms = 1000;
  options.batteryVolts = 1000;
  options.frictionTorque = 1e6;
  for (const EnergyOptions& o : {unlimited(), options}) {
    EnergyAnalysis analysis = analyseEnergy(parabolicRotor(0.5), o);
    std::string csv = energyCsvText(analysis);
    EXPECT_EQ(csv.find("nan"), std::string::npos);
    EXPECT_EQ(csv.find("inf"), std::string::npos);
    std::size_t lineStart = csv.find("\r\n") + 2;
    for (std::size_t i = 0; i < analysis.curve.points.size(); ++i) {
      std::size_t lineEnd = csv.find("\r\n", lineStart);
      ASSERT_NE(lineEnd, std::string::npos);
      std::string line = csv.substr(lineStart, lineEnd - lineStart);
      EXPECT_EQ(textToNumber(line), analysis.curve.points[i].windSpeed);
      std::string energy = line.substr(0, line.rfind(','));
      double binEnergy = analysis.binEnergy[i];
      EXPECT_NEAR(textToNumber(energy.substr(energy.rfind(',') + 1)), binEnergy, 1e-15 * binEnergy) << line;
      lineStart = lineEnd + 2;
    }
    EXPECT_EQ(lineStart, csv.size());
    for (const std::string& line : energySummaryLines(analysis)) {
      std::printf("%s\n", line.c_str());
      for (std::size_t at = line.find(' '); at != std::string::npos; at = line.find(' ', at + 1)) {
        std::size_t end = line.find_first_not_of("0123456789.e+-", at + 1);
        if (end == at + 1 || !std::isdigit(static_cast<unsigned char>(line[at + 1]))) continue;
        EXPECT_TRUE(end != std::string::npos && line[end] == ' ' &&
                    std::string("kWmN%r").find(line[end + 1]) != std::string::npos)
            << line;
      }
    }
  }
}

}  // namespace
}  // namespace zephyrion::rotor
