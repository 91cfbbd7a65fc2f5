// How many kilowatt-hours a year the blade as built gives at a site, under an operating
// strategy (power_curve.h), by the method of bins of the power performance standard
// (IEC 61400-12-1:2005, 8.3):
//     AEP = Nh sum_{i=1..N} [F(V_i) - F(V_{i-1})] (P_{i-1} + P_i) / 2,
// with Nh = 8760 hours, V_i the bin centres 0.5 to 25 m/s, V_0 = 0 and P_0 = 0, P_i the power
// delivered at V_i and F the site's cumulative distribution at hub height (wind_site.h). The
// term of bin i is its energy. Availability is 100 %; nothing is counted above 25 m/s.
//
// Without a site the energy is given at a Rayleigh mean of 5 m/s at hub height, the reference
// by which the small-wind rating standards compare turbines (IEC 61400-2:2013, AWEA 9.1-2009
// and the BWEA Small Wind Turbine Performance and Safety Standard, 2008, each at sea-level air).
//
// One gate, findEnergyProblem, checks every option against its range before the analysis,
// which asserts what the gate guarantees.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rotor/air.h"
#include "rotor/airfoil.h"
#include "rotor/power_curve.h"
#include "rotor/rotor_blade.h"
#include "rotor/wind_site.h"

namespace zephyrion::rotor {

// Every option of the energy analysis, as numbers. An empty optional is an option not given.
struct EnergyOptions {
  Control control = Control::bestTipSpeedRatio;  // --control tsr | fixed-rpm | alternator
  // --max-rpm: the top rotor speed of --control tsr. The caller fills in its default, the
  // form's rotor speed at its highest operating wind (DesignParameters::rotorSpeedRpm).
  double maxRpm = 0;
  std::optional<double> ratedPower;         // --rated-power W, with --control tsr
  std::optional<double> rpm;                // --rpm N, with --control fixed-rpm
  std::optional<double> voltsPerRpm;        // --volts-per-rpm K, with --control alternator
  std::optional<double> windingOhms;        // --winding-ohms R, with --control alternator
  std::optional<double> batteryVolts;       // --battery-volts V, with --control alternator
  double frictionTorque = 0;                // --friction-nm T [N m]
  std::optional<double> siteMeanWind;       // --site-mean-wind V [m/s]: Rayleigh
  std::optional<WindDistribution> weibull;  // --weibull K,C
  std::optional<double> hubHeight;          // --hub-height H [m], with --measured-at
  std::optional<double> measuredAt;         // --measured-at h [m], with --hub-height
  std::optional<double> shearExponent;      // --shear, with both heights; 1/7 when not given
  AirOptions air;                           // --air-density or --altitude; sea level when neither
};

inline constexpr double kReferenceMeanWind = 5;     // m/s
inline constexpr double kDefaultShear = 1.0 / 7.0;  // open country

// Why the options cannot be analysed, naming the option as the user types it and its range;
// nothing when they can.
std::optional<std::string> findEnergyProblem(const EnergyOptions& options);

enum class SiteSource {
  reference,  // none given: Rayleigh 5 m/s at hub height
  rayleigh,   // --site-mean-wind
  weibull,    // --weibull
};

struct SiteUsed {
  SiteSource source = SiteSource::reference;
  WindDistribution given;  // as measured (at measuredAt, when given)
  WindDistribution atHub;  // after the shear
  std::optional<double> hubHeight;
  std::optional<double> measuredAt;
  double shearExponent = kDefaultShear;
};

struct EnergyAnalysis {
  OperatingStrategy strategy;
  PowerCurve curve;
  std::vector<double> binEnergy;  // kWh a year, one per point of the curve
  double annualEnergy = 0;        // kWh
  double annualCopperLoss = 0;    // kWh, in the alternator's winding
  double meanPower = 0;           // W
  double highestPower = 0;        // W, the curve's highest delivered power
  double highestPowerWind = 0;    // m/s, the first bin where it is reached
  double capacityFactor = 0;      // mean power / highest power; 0 for a curve without power
  SiteUsed site;
  double airDensity = 0;  // kg/m^3
  std::optional<double> altitude;
};

// The analysis of any rotor model, whose loads hold for the air it states (the options' air is
// not used). Preconditions (asserted): findEnergyProblem(options) finds nothing; the model as
// powerCurve requires.
EnergyAnalysis analyseEnergy(const RotorModel& rotor, const EnergyOptions& options);

// The blade as built, by blade element momentum theory in the options' air. Preconditions
// (asserted): as above, and a blade with sections and a tip radius above 0.
EnergyAnalysis analyseEnergy(const RotorBlade& blade, const Airfoil& airfoil, const EnergyOptions& options);

}  // namespace zephyrion::rotor
