#include "rotor/annual_energy.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>
#include <string_view>

#include "text/number_forms.h"
#include "units.h"

namespace zephyrion::rotor {
namespace {

// An option's allowed values and why, as the refusal states them.
struct Range {
  std::string_view option;
  double lowest;
  double highest;
  std::string_view allowed;
  std::string_view why;
};

constexpr Range kMaxRpm{"--max-rpm", 1, 1e5, "from 1 to 100,000 rpm",
                        "no bearing or printed rotor of these sizes turns faster"};
constexpr Range kRpm{"--rpm", 1, 1e5, "from 1 to 100,000 rpm",
                     "no bearing or printed rotor of these sizes turns faster"};
constexpr Range kRatedPower{"--rated-power", 0.1, 1e9, "from 0.1 to 1,000,000,000 W",
                            "the largest rotor the form allows gives less than a gigawatt"};
constexpr Range kVoltsPerRpm{"--volts-per-rpm", 1e-4, 10, "from 0.0001 to 10 V/rpm",
                             "every alternator a builder winds lies between; at 0 it never charges"};
constexpr Range kWindingOhms{"--winding-ohms", 1e-3, 1e3, "from 0.001 to 1,000 ohm",
                             "at 0 the current would have no bound; above, no charge worth having flows"};
constexpr Range kBatteryVolts{"--battery-volts", 1, 1e3, "from 1 to 1,000 V",
                              "from one cell to the longest battery string"};
constexpr Range kFriction{"--friction-nm", 0, 1e6, "from 0 to 1,000,000 N m",
                          "0 is a rotor without friction; a friction past the range holds any rotor still"};
constexpr Range kSiteMeanWind{
    "--site-mean-wind", 1, 15, "from 1 to 15 m/s",
    "the power curve ends at 25 m/s, and a windier site spends much of its year above it"};
constexpr Range kWeibullShape{"--weibull shape K", 1, 10, "from 1 to 10",
                              "sites lie from 1.2 (gusty) to 4 (trade winds)"};
constexpr Range kWeibullScale{
    "--weibull scale C", 1, 17, "from 1 to 17 m/s",
    "the power curve ends at 25 m/s, and a windier site spends much of its year above it"};
constexpr Range kHubHeight{"--hub-height", 0.5, 300, "from 0.5 to 300 m",
                           "the power law describes the lowest few hundred metres of the wind"};
constexpr Range kMeasuredAt{"--measured-at", 0.5, 300, "from 0.5 to 300 m",
                            "the power law describes the lowest few hundred metres of the wind"};
constexpr Range kShear{"--shear", 0, 1, "from 0 to 1",
                       "measured exponents run from about 0.06 over the sea to 0.4 over towns"};
constexpr double kHighestHubMeanWind = 15;  // m/s, as kSiteMeanWind

std::optional<std::string> outOfRange(const Range& range, double value) {
  if (value >= range.lowest && value <= range.highest) return std::nullopt;
  return std::string(range.option) + " must be " + std::string(range.allowed) + " (" +
         std::string(range.why) + ")";
}

std::optional<std::string> outOfRange(const Range& range, const std::optional<double>& value) {
  return value ? outOfRange(range, *value) : std::nullopt;
}

std::optional<std::string> findRangeProblem(const EnergyOptions& o) {
  std::optional<std::string> problems[] = {
      o.control == Control::bestTipSpeedRatio ? outOfRange(kMaxRpm, o.maxRpm) : std::nullopt,
      outOfRange(kRatedPower, o.ratedPower),
      outOfRange(kRpm, o.rpm),
      outOfRange(kVoltsPerRpm, o.voltsPerRpm),
      outOfRange(kWindingOhms, o.windingOhms),
      outOfRange(kBatteryVolts, o.batteryVolts),
      outOfRange(kFriction, o.frictionTorque),
      outOfRange(kSiteMeanWind, o.siteMeanWind),
      o.weibull ? outOfRange(kWeibullShape, o.weibull->shape) : std::nullopt,
      o.weibull ? outOfRange(kWeibullScale, o.weibull->scale) : std::nullopt,
      outOfRange(kHubHeight, o.hubHeight),
      outOfRange(kMeasuredAt, o.measuredAt),
      outOfRange(kShear, o.shearExponent),
  };
  for (auto& problem : problems) {
    if (problem) return problem;
  }
  return std::nullopt;
}

// Options that belong to a control other than the chosen one, or that the control lacks.
std::optional<std::string> findControlProblem(const EnergyOptions& o) {
  bool fixed = o.control == Control::fixedSpeed;
  bool alternator = o.control == Control::alternator;
  if (o.ratedPower && o.control != Control::bestTipSpeedRatio) return "--rated-power goes with --control tsr";
  if (o.rpm && !fixed) return "--rpm goes with --control fixed-rpm";
  if (fixed && !o.rpm) return "--control fixed-rpm needs --rpm N";
  bool anyAlternator = o.voltsPerRpm || o.windingOhms || o.batteryVolts;
  if (anyAlternator && !alternator)
    return "--volts-per-rpm, --winding-ohms and --battery-volts go with --control alternator";
  if (alternator && !(o.voltsPerRpm && o.windingOhms && o.batteryVolts))
    return "--control alternator needs --volts-per-rpm K, --winding-ohms R and --battery-volts V";
  return std::nullopt;
}

SiteUsed siteOf(const EnergyOptions& o) {
  SiteUsed site;
  site.given = rayleighWithMean(kReferenceMeanWind);
  if (o.siteMeanWind) {
    site.source = SiteSource::rayleigh;
    site.given = rayleighWithMean(*o.siteMeanWind);
  }
  if (o.weibull) {
    site.source = SiteSource::weibull;
    site.given = *o.weibull;
  }
  site.hubHeight = o.hubHeight;
  site.measuredAt = o.measuredAt;
  site.shearExponent = o.shearExponent.value_or(kDefaultShear);
  site.atHub = site.given;
  if (o.hubHeight && o.measuredAt)
    site.atHub = carriedToHeight(site.given, *o.measuredAt, *o.hubHeight, site.shearExponent);
  return site;
}

std::optional<std::string> findSiteProblem(const EnergyOptions& o) {
  if (o.siteMeanWind && o.weibull) return "--site-mean-wind and --weibull both describe the site: give one";
  if (o.hubHeight.has_value() != o.measuredAt.has_value())
    return "--hub-height and --measured-at go together";
  if (o.hubHeight && !o.siteMeanWind && !o.weibull)
    return "--hub-height and --measured-at carry a site's wind to the hub: give --site-mean-wind or "
           "--weibull";
  if (o.shearExponent && !o.hubHeight) return "--shear goes with --hub-height and --measured-at";
  double hubMean = meanWindOf(siteOf(o).atHub);
  if (!(hubMean <= kHighestHubMeanWind)) {
    std::string cause =
        o.hubHeight ? "--hub-height carries the site's mean wind to " : "--weibull gives a mean wind of ";
    return cause + figureText(hubMean) +
           " m/s at the hub; the power curve, which ends at 25 m/s, allows at most 15 m/s";
  }
  return std::nullopt;
}

OperatingStrategy strategyOf(const EnergyOptions& o) {
  OperatingStrategy strategy;
  strategy.control = o.control;
  strategy.maxRpm = o.maxRpm;
  if (o.ratedPower) strategy.ratedPower = *o.ratedPower;
  strategy.fixedRpm = o.rpm.value_or(0);
  strategy.alternator = {o.voltsPerRpm.value_or(0), o.windingOhms.value_or(0), o.batteryVolts.value_or(0)};
  strategy.frictionTorque = o.frictionTorque;
  return strategy;
}

// The method of bins: each bin's share of a year's energy [kWh] for the powers [W] at the bins.
std::vector<double> energyByBin(const std::vector<double>& powers, const WindDistribution& wind) {
  std::vector<double> energy;
  double previousPower = 0;
  double previousProbability = 0;  // F(0)
  for (std::size_t i = 0; i < powers.size(); ++i) {
    double probability = cumulativeProbability(wind, binWind(static_cast<int>(i)));
    energy.push_back(kHoursPerYear * (probability - previousProbability) * (previousPower + powers[i]) / 2.0 /
                     1000.0);
    previousPower = powers[i];
    previousProbability = probability;
  }
  return energy;
}

template <class Field>
std::vector<double> column(const PowerCurve& curve, Field field) {
  std::vector<double> values;
  for (const PowerCurvePoint& point : curve.points)
    values.push_back(point.*field);
  return values;
}

double total(const std::vector<double>& values) {
  return std::accumulate(values.begin(), values.end(), 0.0);
}

}  // namespace

std::optional<std::string> findEnergyProblem(const EnergyOptions& options) {
  if (auto problem = findAirProblem(options.air)) return problem;
  if (auto problem = findRangeProblem(options)) return problem;
  if (auto problem = findControlProblem(options)) return problem;
  return findSiteProblem(options);
}

EnergyAnalysis analyseEnergy(const RotorModel& rotor, const EnergyOptions& options) {
  assert(!findEnergyProblem(options));
  EnergyAnalysis analysis;
  analysis.strategy = strategyOf(options);
  analysis.curve = powerCurve(rotor, analysis.strategy);
  analysis.site = siteOf(options);
  analysis.airDensity = rotor.airDensity;
  analysis.altitude = options.air.density ? std::nullopt : options.air.altitude;
  analysis.binEnergy = energyByBin(column(analysis.curve, &PowerCurvePoint::output), analysis.site.atHub);
  analysis.annualEnergy = total(analysis.binEnergy);
  analysis.annualCopperLoss =
      total(energyByBin(column(analysis.curve, &PowerCurvePoint::copperLoss), analysis.site.atHub));
  analysis.meanPower = analysis.annualEnergy * 1000.0 / kHoursPerYear;
  for (const PowerCurvePoint& point : analysis.curve.points) {
    if (point.output > analysis.highestPower) {
      analysis.highestPower = point.output;
      analysis.highestPowerWind = point.windSpeed;
    }
  }
  if (analysis.highestPower > 0) analysis.capacityFactor = analysis.meanPower / analysis.highestPower;
  return analysis;
}

EnergyAnalysis analyseEnergy(const RotorBlade& blade, const Airfoil& airfoil, const EnergyOptions& options) {
  assert(!blade.sections.empty() && blade.tipRadius > 0);
  return analyseEnergy(bladeElementRotor(blade, airfoil, airDensityOf(options.air)), options);
}

}  // namespace zephyrion::rotor
