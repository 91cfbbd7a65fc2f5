#include "section_polar.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <utility>

#include "units.h"

namespace zephyrion::rotor {
namespace {

constexpr double kViscousLiftShare = 0.9;
constexpr double kCoarseStep = 1.0;         // degrees
constexpr int kMostCoarseSteps = 30;        // a stall within 30 degrees of zero lift
constexpr std::size_t kStepsPastStall = 2;  // coarse steps below the best lift that end the march
constexpr double kStalledSeparation = 0.2;  // chord share
constexpr double kTripChordShare = 0.05;
constexpr double kLeastSpeed = 1e-3;  // the edge speed a layer is given where the flow stands still

// One side's stations with their chord positions, for the trip point and the separation point.
struct Side {
  SurfaceFlow flow;
  std::vector<double> chordShare;
};

// The panel where the sheet strength turns from negative (flow towards the upper side's end) to
// positive nearest the nose, kept two nodes from each end so that both sides have stations.
std::size_t stagnationPanel(const InviscidSection& section, const std::vector<double>& strength) {
  const std::vector<ContourPoint>& nodes = section.nodes;
  std::size_t nose = 0;
  for (std::size_t k = 1; k < nodes.size(); ++k) {
    if (nodes[k].x < nodes[nose].x) nose = k;
  }
  std::size_t best = nose;
  std::size_t bestDistance = nodes.size();
  for (std::size_t k = 0; k + 1 < strength.size(); ++k) {
    std::size_t distance = k > nose ? k - nose : nose - k;
    if (strength[k] < 0 && strength[k + 1] >= 0 && distance < bestDistance) {
      best = k;
      bestDistance = distance;
    }
  }
  return std::clamp<std::size_t>(best, 2, nodes.size() - 4);
}

void addStation(Side& side, double arc, double speed, double chordShare) {
  if (arc <= side.flow.arc.back()) return;
  side.flow.arc.push_back(arc);
  side.flow.speed.push_back(std::max(speed, kLeastSpeed));
  side.chordShare.push_back(chordShare);
}

// The trip sits at kTripChordShare behind the nose, on the side's way aft.
void placeTrip(Side& side) {
  const std::vector<double>& x = side.chordShare;
  std::size_t nose = static_cast<std::size_t>(std::min_element(x.begin(), x.end()) - x.begin());
  side.flow.tripArc = side.flow.arc.back();
  for (std::size_t k = nose; k < x.size(); ++k) {
    if (x[k] >= kTripChordShare) {
      side.flow.tripArc = side.flow.arc[k];
      return;
    }
  }
}

struct Sides {
  Side upper;
  Side lower;
};

Sides sidesOf(const InviscidSection& section, const std::vector<double>& strength) {
  std::size_t panel = stagnationPanel(section, strength);
  double rise = strength[panel] - strength[panel + 1];
  double share = rise != 0.0 ? strength[panel] / rise : 0.5;
  if (!(share >= 0.0 && share <= 1.0)) share = 0.5;  // no sign change: the nose panel's middle
  double stagnationArc = section.arc[panel] + share * (section.arc[panel + 1] - section.arc[panel]);
  double stagnationX = section.nodes[panel].x + share * (section.nodes[panel + 1].x - section.nodes[panel].x);
  Sides sides;
  for (Side* side : {&sides.upper, &sides.lower}) {
    side->flow.arc = {0.0};
    side->flow.speed = {0.0};
    side->chordShare = {stagnationX};
  }
  for (std::size_t k = panel + 1; k-- > 0;)
    addStation(sides.upper, stagnationArc - section.arc[k], -strength[k], section.nodes[k].x);
  for (std::size_t k = panel + 1; k < strength.size(); ++k)
    addStation(sides.lower, section.arc[k] - stagnationArc, strength[k], section.nodes[k].x);
  placeTrip(sides.upper);
  placeTrip(sides.lower);
  return sides;
}

// Chord share of the point where a side's layer separates.
double separationShare(const Side& side, const LayerSummary& layer) {
  const std::vector<double>& arc = side.flow.arc;
  if (layer.separationArc >= arc.back()) return 1.0;
  auto after = std::upper_bound(arc.begin(), arc.end(), layer.separationArc);
  std::size_t k = static_cast<std::size_t>(after - arc.begin());
  double t = (layer.separationArc - arc[k - 1]) / (arc[k] - arc[k - 1]);
  return side.chordShare[k - 1] + t * (side.chordShare[k] - side.chordShare[k - 1]);
}

double kirchhoffFactor(double separation) {
  double root = (1.0 + std::sqrt(std::clamp(separation, 0.0, 1.0))) / 2.0;
  return root * root;
}

// Kirchhoff's plate keeps only sqrt f of its nose suction, so its force tilts back: a pressure drag
// of the attached lift times the angle from zero lift times ((1 - sqrt f) / 2)^2 (the normal and
// chord forces of Leishman and Beddoes's model, 1989, resolved along the stream).
double kirchhoffPressureDrag(double separation) {
  double root = (1.0 - std::sqrt(std::clamp(separation, 0.0, 1.0))) / 2.0;
  return root * root;
}

// A table point, and whether the layer on the side of the lift has left the surface ahead of
// kStalledSeparation: the flow then differs little from a plate's that is separated all over.
struct TablePoint {
  PolarPoint point;
  bool stalled = false;
};

TablePoint pointAt(const InviscidSection& section, double alphaDegrees, double direction, double reynolds,
                   bool tripped) {
  SectionAtAngle at = sectionAtAngle(section, alphaDegrees, reynolds, tripped);
  double suctionSide = direction > 0 ? at.upperSeparation : at.lowerSeparation;
  return {{alphaDegrees, at.lift, at.drag}, suctionSide < kStalledSeparation};
}

// From the zero-lift angle towards one stall (direction +1 or -1): whole degrees until the lift
// has stayed below its best for two of them or the flow has stalled, then the best within half a
// degree and within a quarter. The points run away from the zero-lift angle and end at the stall.
std::vector<PolarPoint> towardsStall(const InviscidSection& section, double zeroLift, double direction,
                                     double reynolds, bool tripped) {
  auto further = [direction](const PolarPoint& a, const PolarPoint& b) {
    return direction * a.alphaDegrees < direction * b.alphaDegrees;
  };
  auto lifts = [direction](const PolarPoint& a, const PolarPoint& b) {
    return direction * a.lift < direction * b.lift;
  };
  std::vector<PolarPoint> points;
  std::size_t best = 0;
  for (int i = 0; i <= kMostCoarseSteps && points.size() - best <= kStepsPastStall; ++i) {
    TablePoint next = pointAt(section, zeroLift + direction * kCoarseStep * i, direction, reynolds, tripped);
    if (i > 1 && next.stalled) break;
    points.push_back(next.point);
    if (lifts(points[best], points.back())) best = points.size() - 1;
  }
  PolarPoint top = points[best];
  for (double step : {kCoarseStep / 2.0, kCoarseStep / 4.0}) {
    PolarPoint centre = top;
    for (double side : {-1.0, 1.0}) {
      double alpha = centre.alphaDegrees + side * direction * step;
      if (direction * (alpha - zeroLift) <= 0) continue;
      TablePoint next = pointAt(section, alpha, direction, reynolds, tripped);
      if (next.stalled) continue;
      points.push_back(next.point);
      if (lifts(top, points.back())) top = points.back();
    }
  }
  std::sort(points.begin(), points.end(), further);
  points.erase(std::upper_bound(points.begin(), points.end(), top, further), points.end());
  return points;
}

// Past the end of a table that stops short of 0 degrees, coarse steps over it.
void reachOverZero(const InviscidSection& section, std::vector<PolarPoint>& points, double reynolds,
                   bool tripped) {
  while (points.front().alphaDegrees >= 0.0)
    points.insert(points.begin(),
                  pointAt(section, points.front().alphaDegrees - kCoarseStep, -1, reynolds, tripped).point);
  while (points.back().alphaDegrees <= 0.0)
    points.push_back(pointAt(section, points.back().alphaDegrees + kCoarseStep, 1, reynolds, tripped).point);
}

}  // namespace

SectionAtAngle sectionAtAngle(const InviscidSection& section, double alphaDegrees, double reynolds,
                              bool tripped) {
  assert(reynolds > 0);
  std::vector<double> strength = sheetStrength(section, alphaDegrees / kDegreesPerRadian);
  Sides sides = sidesOf(section, strength);
  LayerSummary upper = solveLayer(sides.upper.flow, reynolds, tripped);
  LayerSummary lower = solveLayer(sides.lower.flow, reynolds, tripped);
  SectionAtAngle at;
  at.upperSeparation = separationShare(sides.upper, upper);
  at.lowerSeparation = separationShare(sides.lower, lower);
  double inviscid = circulationLift(section, strength, 1.0);
  double suctionSide = inviscid >= 0 ? at.upperSeparation : at.lowerSeparation;
  double attached = kViscousLiftShare * inviscid;
  at.lift = attached * kirchhoffFactor(suctionSide);
  double fromZeroLift = (alphaDegrees - inviscidZeroLiftAngle(section)) / kDegreesPerRadian;
  at.drag = squireYoungDrag(upper) + squireYoungDrag(lower) +
            attached * fromZeroLift * kirchhoffPressureDrag(suctionSide);
  return at;
}

double inviscidZeroLiftAngle(const InviscidSection& section) {
  // The lift of a unit free stream at angle a is cos a Lx + sin a Ly.
  double alongX = circulationLift(section, section.alongX, 1.0);
  double alongY = circulationLift(section, section.alongY, 1.0);
  return std::atan2(-alongX, alongY) * kDegreesPerRadian;
}

Polar sectionPolar(const InviscidSection& section, double reynolds, bool tripped) {
  double zeroLift = inviscidZeroLiftAngle(section);
  std::vector<PolarPoint> above = towardsStall(section, zeroLift, 1.0, reynolds, tripped);
  std::vector<PolarPoint> below = towardsStall(section, zeroLift, -1.0, reynolds, tripped);
  Polar polar;
  polar.reynolds = reynolds;
  polar.points.assign(below.rbegin(), below.rend() - 1);  // the zero-lift point once
  polar.points.insert(polar.points.end(), above.begin(), above.end());
  reachOverZero(section, polar.points, reynolds, tripped);
  return polar;
}

}  // namespace zephyrion::rotor
