#include "blade/station.h"

#include <cmath>

namespace zephyrion {
namespace {

// The chord is shortened in 0.01 mm steps, each added to the previous double, so that the
// result is exactly the first member of c, c - 0.01, c - 0.02, ... that fits; a closed form
// would differ in the last digits that the report table prints.
constexpr double kChordStep = -0.01;

// Inflow angle of the ideal rotor at radius r, less the angle of attack (degrees).
double twistAt(const DesignParameters& parameters, double radius) {
  double twiceRadius = static_cast<double>(std::int64_t{2} * parameters.rotorRadius);
  double inflow = std::atan(twiceRadius / (parameters.tipSpeedRatio * radius * 3.0)) * kDegreesPerRadian;
  return inflow - parameters.angleOfAttack;
}

// Betz optimum chord; 5.6 stands for 16 pi / 9.
double optimumChordAt(const DesignParameters& parameters, double radius) {
  double rotorRadius = parameters.rotorRadius;
  return rotorRadius * rotorRadius * 5.6 /
         (parameters.bladeCount * parameters.liftCoefficient * radius * parameters.tipSpeedRatio *
          parameters.tipSpeedRatio);
}

// Shortens the chord while its extent (extentPerChord x chord) exceeds the limit; returns the
// number of steps taken.
std::int64_t shortenToLimit(double extentPerChord, double limit, double& chord) {
  std::int64_t steps = 0;
  while (extentPerChord * chord > limit) {
    chord += kChordStep;
    ++steps;
  }
  return steps;
}

}  // namespace

Station computeStation(const DesignParameters& parameters, double radius) {
  Station station;
  station.twist = twistAt(parameters, radius);
  station.chord = optimumChordAt(parameters, radius);
  double twistRadians = station.twist / kDegreesPerRadian;
  // Extents of the turned chord line: across the rotor plane, then within it.
  station.heightSteps = shortenToLimit(std::sin(twistRadians), parameters.chordLimitZ, station.chord);
  station.widthSteps = shortenToLimit(std::cos(twistRadians), parameters.chordLimitX, station.chord);
  return station;
}

}  // namespace zephyrion
