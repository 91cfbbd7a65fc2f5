// Lift and drag of a blade section against its angle of attack, for the whole circle of angles.
//
// An airfoil is one or more polars, each a table measured or modelled at one Reynolds number
// over the angles where the section still behaves as an airfoil (roughly from negative to
// positive stall). A rotor turning slowly or starting meets every angle, so each table is
// extended past its ends:
// - from each end to +-90 degrees by Viterna and Corrigan's post-stall formulas (1982), which
//   start from the table's last point and tend to a flat plate of drag maxDrag at 90 degrees:
//     lift = maxDrag / 2 sin 2a + A2 cos^2 a / sin a,  drag = maxDrag sin^2 a + B2 cos a,
//   with A2 and B2 chosen so that both curves pass through the end point;
// - beyond +-90 degrees (the flow comes from the trailing edge) as a flat plate:
//     lift = maxDrag / 2 sin 2a,  drag = maxDrag sin^2 a + reverseDrag cos^2 a.
// Both curves are continuous at the table's ends, at +-90 and at +-180 degrees, so the momentum
// balance solved with them stays continuous in the inflow angle.
#pragma once

#include <vector>

namespace zephyrion::rotor {

struct PolarPoint {
  double alphaDegrees = 0;
  double lift = 0;  // lift coefficient
  double drag = 0;  // drag coefficient
};

// One table at one Reynolds number (0 when it is unknown: the table then stands for all).
struct Polar {
  double reynolds = 0;
  std::vector<PolarPoint> points;  // increasing angles, the first below 0, the last above 0
};

// Viterna and Corrigan's drag of a flat plate across the flow, for a blade of the given aspect
// ratio (span over mean chord): 1.11 + 0.018 AR, and 2.01 from AR 50 upwards.
double viternaMaxDrag(double aspectRatio);

// One end of a table and the constants of its extension.
struct PostStallEnd {
  double alphaRadians = 0;  // the end's angle, taken positive (the lower end is mirrored)
  double lift = 0;          // the end's lift, mirrored for the lower end
  double drag = 0;
  double a2 = 0;  // Viterna's A2
  double b2 = 0;  // Viterna's B2
};

struct ExtendedPolar {
  Polar polar;
  PostStallEnd above;  // past the last point
  PostStallEnd below;  // past the first point, mirrored: angle and lift change sign
};

struct Airfoil {
  std::vector<ExtendedPolar> polars;  // increasing Reynolds numbers
  double maxDrag = 0;                 // drag at 90 degrees
  double reverseDrag = 0;             // drag at 180 degrees: the least drag of the tables
};

// Extends the tables. Preconditions (asserted): at least one polar; each with at least two
// points, angles strictly increasing, the first in (-90, 0) and the last in (0, 90) degrees;
// Reynolds numbers increasing; maxDrag above 0.
Airfoil makeAirfoil(std::vector<Polar> polars, double maxDrag);

// The two tables either side of a Reynolds number and the weight of the upper one, linear in
// the logarithm of the Reynolds number; beyond the first or last table that table alone.
struct AirfoilAtReynolds {
  const Airfoil* airfoil = nullptr;
  const ExtendedPolar* lower = nullptr;
  const ExtendedPolar* upper = nullptr;
  double upperWeight = 0;
};
AirfoilAtReynolds airfoilAtReynolds(const Airfoil& airfoil, double reynolds);

struct SectionCoefficients {
  double lift = 0;
  double drag = 0;
};

// Lift and drag at any angle of attack (radians; taken modulo a full turn).
SectionCoefficients sectionCoefficients(const AirfoilAtReynolds& section, double alphaRadians);

// The airfoil at one Reynolds number as a table from `firstDegrees` to `lastDegrees` in equal
// steps of at most `largestStep` degrees, past its tables' ends as extended. Preconditions
// (asserted): firstDegrees < lastDegrees, largestStep > 0.
Polar sampledPolar(const Airfoil& airfoil, double reynolds, double firstDegrees, double lastDegrees,
                   double largestStep);

}  // namespace zephyrion::rotor
