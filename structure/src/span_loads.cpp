#include "structure/span_loads.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>

namespace zephyrion::structure {
namespace {

constexpr double kNewtonMillimetresPerNewtonMetre = 1e3;

// int_r^R f dr' and int_r^R f (r' - r) dr' at each radius (m), by the trapezoid rule.
struct Outboard {
  std::vector<double> integral;
  std::vector<double> moment;
};

template <class Value>
Outboard outboardOf(std::span<const double> radiiMm, Value value) {
  std::size_t n = radiiMm.size();
  Outboard sums{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
  for (std::size_t i = n - 1; i-- > 0;) {
    double width = (radiiMm[i + 1] - radiiMm[i]) * kMetresPerMillimetre;
    sums.integral[i] = sums.integral[i + 1] + width * (value(i) + value(i + 1)) / 2;
    sums.moment[i] = sums.moment[i + 1] + width * (sums.integral[i] + sums.integral[i + 1]) / 2;
  }
  return sums;
}

// The coefficients (a, b) of the bending stress a X + b Y (MPa per mm) about the centroid.
struct BendingGradient {
  double a = 0;
  double b = 0;
};

BendingGradient bendingGradient(const SectionProperties& s, double flapMoment, double edgeMoment) {
  double flap = flapMoment * kNewtonMillimetresPerNewtonMetre;
  double edge = edgeMoment * kNewtonMillimetresPerNewtonMetre;
  double determinant = s.ix * s.iy - s.ixy * s.ixy;
  assert(determinant > 0);
  return {(-edge * s.ix + flap * s.ixy) / determinant, (-flap * s.iy + edge * s.ixy) / determinant};
}

double largestOnOutline(const SectionProperties& s, std::span<const PlanePoint> outline, double axialStress,
                        BendingGradient g) {
  double largest = 0;
  for (const PlanePoint& p : outline) {
    double stress = axialStress + g.a * (p.x - s.centroidX) + g.b * (p.y - s.centroidY);
    largest = std::max(largest, std::fabs(stress));
  }
  return largest;
}

}  // namespace

std::vector<SectionLoads> sectionLoads(std::span<const double> radii, std::span<const LineLoad> loads,
                                       double rotorSpeed) {
  assert(radii.size() == loads.size() && !radii.empty());
  double omega2 = rotorSpeed * rotorSpeed;
  Outboard centrifugal = outboardOf(
      radii, [&](std::size_t i) { return omega2 * loads[i].mass * radii[i] * kMetresPerMillimetre; });
  Outboard flap = outboardOf(radii, [&](std::size_t i) { return loads[i].flapwise; });
  Outboard edge = outboardOf(radii, [&](std::size_t i) { return loads[i].edgewise; });
  Outboard weight = outboardOf(radii, [&](std::size_t i) { return kStandardGravity * loads[i].mass; });
  std::vector<SectionLoads> carried(radii.size());
  for (std::size_t i = 0; i < radii.size(); ++i)
    carried[i] = {centrifugal.integral[i], flap.moment[i], edge.moment[i], weight.moment[i]};
  return carried;
}

double peakStress(const SectionProperties& section, std::span<const PlanePoint> outline,
                  const SectionLoads& loads) {
  double axial = loads.axialForce / section.effectiveArea;
  return std::max(
      largestOnOutline(section, outline, axial,
                       bendingGradient(section, loads.flapMoment, loads.edgeMoment + loads.weightMoment)),
      largestOnOutline(section, outline, axial,
                       bendingGradient(section, loads.flapMoment, loads.edgeMoment - loads.weightMoment)));
}

double flapwiseCurvature(const SectionProperties& section, const SectionLoads& loads, double modulus) {
  return -bendingGradient(section, loads.flapMoment, loads.edgeMoment).b / modulus;
}

double tipDeflection(std::span<const double> radii, std::span<const double> curvature) {
  assert(radii.size() == curvature.size());
  double slope = 0;
  double deflection = 0;
  for (std::size_t i = 1; i < radii.size(); ++i) {
    double width = radii[i] - radii[i - 1];
    double nextSlope = slope + width * (curvature[i] + curvature[i - 1]) / 2;
    deflection += width * (slope + nextSlope) / 2;
    slope = nextSlope;
  }
  return deflection;
}

}  // namespace zephyrion::structure
