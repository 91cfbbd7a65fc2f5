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

// The largest number of steps, from `chord`, whose every result stays in the chord's binade
// [2^e, 2^(e+1)). There the doubles are spaced evenly and 0.01 is not a tie, so each step takes
// off the same amount; at and below the binade's foot the spacing halves and steps are taken
// one by one. Below 1 mm no step is skipped at all.
std::int64_t stepsWithinBinade(double chord, double step) {
  if (!(chord >= 1.0) || !std::isfinite(chord) || !(step > 0)) return 0;
  double foot = std::ldexp(1.0, std::ilogb(chord));
  double room = std::floor((chord - foot) / step) - 2;
  return room > 0 ? static_cast<std::int64_t>(room) : 0;
}

// The first k in (0, count] after which the chord fits, given that it fits after `count` steps
// and not before the first. The rounded product is monotonic in the chord, so bisection finds it.
template <class FitsAfter>
std::int64_t firstFittingStep(std::int64_t count, FitsAfter fitsAfter) {
  std::int64_t tooFew = 0;
  std::int64_t enough = count;
  while (enough - tooFew > 1) {
    std::int64_t middle = tooFew + (enough - tooFew) / 2;
    if (fitsAfter(middle)) {
      enough = middle;
    } else {
      tooFew = middle;
    }
  }
  return enough;
}

// Shortens the chord while its extent (extentPerChord x chord) exceeds the limit; returns the
// number of steps taken. The result is exactly that of adding -0.01 once per step, but runs of
// steps within one binade are taken at once: there each step's double is c - k x step, exactly.
std::int64_t shortenToLimit(double extentPerChord, double limit, double& chord) {
  std::int64_t steps = 0;
  while (extentPerChord * chord > limit) {
    const double start = chord;
    const double step = start - (start + kChordStep);
    const std::int64_t run = stepsWithinBinade(start, step);
    auto fitsAfter = [&](std::int64_t k) {
      return !(extentPerChord * (start - static_cast<double>(k) * step) > limit);
    };
    if (run == 0) {
      chord += kChordStep;
      ++steps;
      continue;
    }
    std::int64_t taken = fitsAfter(run) ? firstFittingStep(run, fitsAfter) : run;
    chord = start - static_cast<double>(taken) * step;
    steps += taken;
  }
  return steps;
}

}  // namespace

// 5.6 stands for 16 pi / 9 of the Betz optimum.
double optimumChordAt(const DesignParameters& parameters, double radius) {
  double rotorRadius = parameters.rotorRadius;
  return rotorRadius * rotorRadius * 5.6 /
         (parameters.bladeCount * parameters.liftCoefficient * radius * parameters.tipSpeedRatio *
          parameters.tipSpeedRatio);
}

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
