#include "section_polar.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <utility>

#include "units.h"

namespace zephyrion::rotor {
namespace {

constexpr double kViscousLiftShare = 0.95;
constexpr int kCouplingPasses = 2;
constexpr double kRelaxation = 0.5;
constexpr double kEdgeZone = 0.05;          // chord share
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
  std::vector<std::size_t> node;  // the strength each station after the first stands at
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

void addStation(Side& side, double arc, double speed, double chordShare, std::size_t node) {
  if (arc <= side.flow.arc.back()) return;
  side.flow.arc.push_back(arc);
  side.flow.speed.push_back(std::max(speed, kLeastSpeed));
  side.chordShare.push_back(chordShare);
  side.node.push_back(node);
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

// Potential flow stands still at a sharp trailing edge of finite angle; the real flow does not, its
// layers' displacement filling the edge's wedge. Over the last kEdgeZone of the chord the edge speed
// is carried on at its slope over the kEdgeZone ahead, so that the layer does not meet a
// deceleration (and a separation) that the flow it describes does not have.
void carrySpeedOverTheEdge(Side& side) {
  const std::vector<double>& x = side.chordShare;
  std::vector<double>& u = side.flow.speed;
  std::size_t last = x.size() - 1;
  std::size_t from = last;  // the last station ahead of the zone
  while (from > 1 && x[from] > 1.0 - kEdgeZone)
    --from;
  std::size_t back = from;
  while (back > 1 && x[back] > x[from] - kEdgeZone)
    --back;
  double slope = x[from] > x[back] ? (u[from] - u[back]) / (x[from] - x[back]) : 0.0;
  for (std::size_t k = from + 1; k <= last; ++k)
    u[k] = std::max(u[from] + slope * (x[k] - x[from]), kLeastSpeed);
}

struct Sides {
  std::size_t stagnationPanel = 0;
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
  sides.stagnationPanel = panel;
  for (Side* side : {&sides.upper, &sides.lower}) {
    std::size_t most = section.nodes.size();  // stations, so that they are allocated once
    side->flow.arc.reserve(most);
    side->flow.speed.reserve(most);
    side->chordShare.reserve(most);
    side->node.reserve(most);
    side->flow.arc.push_back(0.0);
    side->flow.speed.push_back(0.0);
    side->chordShare.push_back(stagnationX);
    side->node.push_back(panel);
  }
  for (std::size_t k = panel + 1; k-- > 0;)
    addStation(sides.upper, stagnationArc - section.arc[k], -strength[k], section.nodes[k].x, k);
  for (std::size_t k = panel + 1; k < strength.size(); ++k)
    addStation(sides.lower, section.arc[k] - stagnationArc, strength[k], section.nodes[k].x, k);
  carrySpeedOverTheEdge(sides.upper);
  carrySpeedOverTheEdge(sides.lower);
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

struct Layers {
  Sides sides;
  LayerSummary upper;
  LayerSummary lower;
};

Layers layersOn(const InviscidSection& section, const std::vector<double>& strength, double reynolds,
                bool tripped) {
  Layers layers{sidesOf(section, strength), {}, {}};
  layers.upper = solveLayer(layers.sides.upper.flow, reynolds, tripped);
  layers.lower = solveLayer(layers.sides.lower.flow, reynolds, tripped);
  return layers;
}

// A side's station by its index, the first after the stagnation point standing for those ahead
// and the last for those beyond.
ContourPoint stationPoint(const InviscidSection& section, const Side& side, std::size_t station) {
  return section.nodes[side.node[std::clamp<std::size_t>(station, 1, side.node.size() - 1)]];
}

// The surface's direction at a station, along the flow: the sum of its two panels' unit vectors.
ContourPoint surfaceDirection(const InviscidSection& section, const Side& side, std::size_t station) {
  ContourPoint sum{0.0, 0.0};
  for (std::size_t k : {station - 1, station}) {
    ContourPoint from = stationPoint(section, side, k);
    ContourPoint to = stationPoint(section, side, k + 1);
    double length = std::hypot(to.x - from.x, to.y - from.y);
    if (length > 0) sum = {sum.x + (to.x - from.x) / length, sum.y + (to.y - from.y) / length};
  }
  return sum;
}

struct Line {
  ContourPoint origin;
  ContourPoint direction;
};

// The surface's tangent at the separation point, which lies between the stations `first` - 1 and
// `first`: point and direction both linear between them, so that the line moves smoothly with it.
Line separationTangent(const InviscidSection& section, const Side& side, const LayerSummary& layer,
                       std::size_t first) {
  const std::vector<double>& arc = side.flow.arc;
  double share = (layer.separationArc - arc[first - 1]) / (arc[first] - arc[first - 1]);
  ContourPoint a = stationPoint(section, side, first - 1);
  ContourPoint b = stationPoint(section, side, first);
  ContourPoint da = surfaceDirection(section, side, first - 1);
  ContourPoint db = surfaceDirection(section, side, first);
  return {{a.x + share * (b.x - a.x), a.y + share * (b.y - a.y)},
          {da.x + share * (db.x - da.x), da.y + share * (db.y - da.y)}};
}

// Past separation the layer leaves the surface along its tangent there (Thwaites, Incompressible
// Aerodynamics, 1960, section 5.22: a free streamline leaves a smooth surface tangentially), and
// the dead air under it adds its height above the surface, at the separation's edge speed, to the
// flow the layer displaces: the separated part of the section loses its camber. A separation
// ahead of kStalledSeparation is a stall, which Kirchhoff's plate describes alone; the dead air
// grows in from there to its full height at twice that, so that the flow does not jump where it
// starts to count.
void addSeparatedRegion(const InviscidSection& section, const Side& side, const LayerSummary& layer,
                        bool upper, std::vector<double>& defect) {
  double weight = std::min(1.0, (separationShare(side, layer) - kStalledSeparation) / kStalledSeparation);
  if (!(weight > 0)) return;
  std::size_t last = side.node.size() - 1;
  std::size_t first = 2;  // the first station past separation
  while (first <= last && side.flow.arc[first] <= layer.separationArc)
    ++first;
  if (first > last) return;
  Line tangent = separationTangent(section, side, layer, first);
  double length = std::hypot(tangent.direction.x, tangent.direction.y);
  if (!(length > 0)) return;
  // The surface's inside lies to the right of the upper side's flow, to the left of the lower's.
  double inwards = upper ? -1.0 : 1.0;
  for (std::size_t i = first; i <= last; ++i) {
    ContourPoint p = stationPoint(section, side, i);
    double left =
        (tangent.direction.x * (p.y - tangent.origin.y) - tangent.direction.y * (p.x - tangent.origin.x)) /
        length;
    defect[side.node[i]] += weight * layer.edgeSpeed * std::max(0.0, inwards * left);
  }
}

// A binomial filter along each side, ends kept: a direct coupling amplifies panel-to-panel
// wiggles of the displacement on the short panels near the edges (the weak coupling's
// short-wave instability; Lock and Williams 1987), and the filter takes them out.
void smoothAlongSides(std::vector<double>& defect, std::size_t stagnationPanel) {
  std::vector<double> d = defect;
  for (std::size_t k = 1; k + 1 < d.size(); ++k) {
    if (k != stagnationPanel && k != stagnationPanel + 1)
      defect[k] = (d[k - 1] + 2.0 * d[k] + d[k + 1]) / 4.0;
  }
}

// The flow the layers displace, Ue delta*, at each strength's node; 0 at the stagnation point.
std::vector<double> displacedFlow(const InviscidSection& section, const Layers& layers) {
  std::vector<double> defect(section.alongX.size(), 0.0);
  for (bool upper : {true, false}) {
    const Side& side = upper ? layers.sides.upper : layers.sides.lower;
    const LayerSummary& layer = upper ? layers.upper : layers.lower;
    for (std::size_t i = 1; i < side.node.size(); ++i)
      defect[side.node[i]] = layer.massDefect[i];
    addSeparatedRegion(section, side, layer, upper, defect);
  }
  smoothAlongSides(defect, layers.sides.stagnationPanel);
  return defect;
}

// The sources that blow the displaced flow out through the surface: d(Ue delta*)/ds along the flow
// on each panel, both sides' on the stagnation point's panel. Their sum leaves the trailing edge
// as the wake's displacement, carried downstream unchanged: its fall to Squire and Young's far
// wake changed no figure of the test table by more than 1 %.
std::vector<double> displacementSources(const InviscidSection& section, const Layers& layers) {
  std::vector<double> defect = displacedFlow(section, layers);
  std::size_t stagnation = layers.sides.stagnationPanel;
  std::vector<double> sources(section.nodes.size() - 1);
  for (std::size_t j = 0; j < sources.size(); ++j) {
    double outflow = j < stagnation   ? defect[j] - defect[j + 1]
                     : j > stagnation ? defect[j + 1] - defect[j]
                                      : defect[j] + defect[j + 1];
    sources[j] = outflow / (section.arc[j + 1] - section.arc[j]);
  }
  return sources;
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
  double alpha = alphaDegrees / kDegreesPerRadian;
  std::vector<double> strength = sheetStrength(section, alpha);
  Layers layers = layersOn(section, strength, reynolds, tripped);
  std::vector<double> sources(section.nodes.size() - 1, 0.0);
  for (int pass = 0; pass < kCouplingPasses; ++pass) {
    std::vector<double> wanted = displacementSources(section, layers);
    for (std::size_t j = 0; j < sources.size(); ++j)
      sources[j] += kRelaxation * (wanted[j] - sources[j]);
    strength = sheetStrength(section, alpha, sources);
    layers = layersOn(section, strength, reynolds, tripped);
  }
  SectionAtAngle at;
  at.upperSeparation = separationShare(layers.sides.upper, layers.upper);
  at.lowerSeparation = separationShare(layers.sides.lower, layers.lower);
  double coupled = circulationLift(section, strength, 1.0);
  double suctionSide = coupled >= 0 ? at.upperSeparation : at.lowerSeparation;
  double attached = kViscousLiftShare * coupled;
  at.lift = attached * kirchhoffFactor(suctionSide);
  double fromZeroLift = (alphaDegrees - inviscidZeroLiftAngle(section)) / kDegreesPerRadian;
  at.drag = squireYoungDrag(layers.upper) + squireYoungDrag(layers.lower) +
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
