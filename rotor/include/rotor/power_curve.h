// The power curve of a rotor under an operating strategy: for each wind of the power
// performance standard's bins (centres 0.5, 1.0, ... 25 m/s, IEC 61400-12-1:2005, 8.2), the
// rotor speed at which the strategy runs it and what it then delivers.
//
// The strategies see the rotor only through a RotorModel (loads at a wind and a rotor speed), so
// that a rotor whose power coefficient theory states in closed form can stand in for the blade.
//
// - Best tip speed ratio: the rotor runs at the tip speed ratio of its highest power at each
//   wind (the power coefficient varies with the wind through the Reynolds number, so the best
//   ratio is searched at every bin: bracketed from the neighbouring bin's and closed by Brent's
//   minimisation, R. P. Brent, Algorithms for Minimization without Derivatives, 1973, ch. 5), up
//   to a top rotor speed, then held at that speed; a rated power caps what it delivers (the
//   excess is taken as shed, by a dump load or by furling).
// - Fixed rotor speed.
// - A permanent-magnet alternator charging a battery through a rectifier. Its open-circuit
//   voltage is E = k w and its torque Q = k I with the same constant k (V s/rad = N m/A), the
//   two faces of one energy balance E I = Q w (Hughes, Electric Motors and Drives, 3rd ed.
//   2006, ch. 3). No current flows below the battery's voltage; above it
//   I = (E - Vbattery) / Rwinding, the battery takes Vbattery I and the winding I^2 R. The
//   builder's measure of k is volts per rpm, read on the rectified output turning the machine
//   by hand, as home builders do (H. Piggott, A Wind Turbine Recipe Book, 2014); diode drops
//   belong in the battery's voltage. The rotor turns where its torque meets the alternator's
//   plus the friction: the balance is bracketed upward from the neighbouring bin's speed and
//   closed by Brent's root-finder, so the rotor sits on the side where a gust speeds it up and
//   the load grows faster than its torque.
//
// Start and cut-in. A rotor at rest starts at the wind where its parked torque (blade element
// theory at zero speed with post-stall polars; Wood, Small Wind Turbines, 2011, ch. 5) overcomes
// the friction; below it the rotor stands still and delivers nothing, even where a turning rotor
// would. Once turning, a strategy delivers from its cut-in wind, where the rotor's torque at the
// strategy's speed passes the friction (for the alternator: at the speed where its voltage
// reaches the battery's); below it, and where a strategy's speed would make no power, the rotor
// turns freely at the speed where its torque equals the friction. Friction counts in every
// strategy: at the best tip speed ratio or a fixed speed the delivered power is
// (rotor torque - friction) x rotor speed; the alternator's balance includes it.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "rotor/airfoil.h"
#include "rotor/rotor_blade.h"

namespace zephyrion::rotor {

struct RotorLoads {
  double power = 0;   // W, at the shaft
  double torque = 0;  // N m
  double thrust = 0;  // N
  std::int32_t unsolvedSections = 0;
};

// A rotor as the strategies see it.
struct RotorModel {
  double radius = 0;      // m
  double airDensity = 0;  // kg/m^3, of the air `loads` assumes
  // Loads at a wind (m/s, above 0) and a rotor speed (rad/s, 0 for the rotor at rest).
  std::function<RotorLoads(double windSpeed, double rotorSpeed)> loads;
};

// The blade by blade element momentum theory (rotorPerformance) and, at rest, by parkedStation.
// The model refers to `blade` and `airfoil`, which must outlive it.
RotorModel bladeElementRotor(const RotorBlade& blade, const Airfoil& airfoil, double airDensity);

enum class Control {
  bestTipSpeedRatio,  // --control tsr
  fixedSpeed,         // --control fixed-rpm
  alternator,         // --control alternator
};

struct AlternatorConstants {
  double voltsPerRpm = 0;   // open-circuit voltage per rpm, after the rectifier
  double windingOhms = 0;   // the winding, rectifier and leads, seen from the battery
  double batteryVolts = 0;  // the battery while it charges, diode drops included
};

struct OperatingStrategy {
  Control control = Control::bestTipSpeedRatio;
  double maxRpm = 0;                                            // best tip speed ratio: the top speed
  double ratedPower = std::numeric_limits<double>::infinity();  // best tip speed ratio: W
  double fixedRpm = 0;                                          // fixed speed
  AlternatorConstants alternator;                               // alternator
  double frictionTorque = 0;                                    // N m, every strategy
};

inline constexpr int kPowerCurveBins = 50;
inline constexpr double kBinWidth = 0.5;  // m/s

// The centre of bin `bin` (0 to kPowerCurveBins - 1), m/s.
double binWind(int bin);

struct PowerCurvePoint {
  double windSpeed = 0;  // m/s
  double rotorSpeedRpm = 0;
  double tipSpeedRatio = 0;
  double powerCoefficient = 0;  // of the rotor's shaft power
  double rotorPower = 0;        // W, at the shaft before friction
  double torque = 0;            // N m, the rotor's (at rest: its parked torque)
  double thrust = 0;            // N
  double current = 0;           // A, alternator only
  double copperLoss = 0;        // W, alternator only
  double output = 0;            // W delivered: for the alternator, into the battery
  std::int32_t unsolvedSections = 0;
};

struct PowerCurve {
  std::vector<PowerCurvePoint> points;  // one per bin
  std::optional<double> startWind;      // m/s; none: the rotor does not start up to 25 m/s
  std::optional<double> cutInWind;      // m/s; none: it delivers nothing up to 25 m/s
};

// Preconditions (asserted): the model's radius, air density and loads set; the strategy's
// speeds, rated power and alternator constants above 0 where its control uses them, friction
// from 0 up. Every figure is finite when the model's loads are.
PowerCurve powerCurve(const RotorModel& rotor, const OperatingStrategy& strategy);

}  // namespace zephyrion::rotor
