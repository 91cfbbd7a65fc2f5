#include "rotor/airfoil.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "units.h"

namespace zephyrion::rotor {
namespace {

// Viterna's A2 and B2 make the post-stall curves pass through the end point.
PostStallEnd postStallEnd(double alphaDegrees, double lift, double drag, double maxDrag) {
  PostStallEnd end;
  end.alphaRadians = alphaDegrees / kDegreesPerRadian;
  end.lift = lift;
  end.drag = drag;
  double s = std::sin(end.alphaRadians);
  double c = std::cos(end.alphaRadians);
  end.a2 = (lift - maxDrag * s * c) * s / (c * c);
  end.b2 = (drag - maxDrag * s * s) / c;
  return end;
}

[[maybe_unused]] bool isValidTable(const Polar& polar) {
  const std::vector<PolarPoint>& p = polar.points;
  if (p.size() < 2 || !(p.front().alphaDegrees > -90.0 && p.front().alphaDegrees < 0.0)) return false;
  if (!(p.back().alphaDegrees > 0.0 && p.back().alphaDegrees < 90.0)) return false;
  return std::adjacent_find(p.begin(), p.end(), [](const PolarPoint& a, const PolarPoint& b) {
           return !(a.alphaDegrees < b.alphaDegrees);
         }) == p.end();
}

ExtendedPolar extend(Polar polar, double maxDrag) {
  assert(isValidTable(polar));
  ExtendedPolar extended;
  const PolarPoint& last = polar.points.back();
  const PolarPoint& first = polar.points.front();
  extended.above = postStallEnd(last.alphaDegrees, last.lift, last.drag, maxDrag);
  extended.below = postStallEnd(-first.alphaDegrees, -first.lift, first.drag, maxDrag);
  extended.polar = std::move(polar);
  return extended;
}

double leastDrag(const std::vector<ExtendedPolar>& polars) {
  double least = polars.front().polar.points.front().drag;
  for (const ExtendedPolar& extended : polars) {
    for (const PolarPoint& point : extended.polar.points)
      least = std::min(least, point.drag);
  }
  return least;
}

// Angle in (-pi, pi].
double wrapAngle(double alpha) {
  if (alpha > -kPi && alpha <= kPi) return alpha;
  double wrapped = std::remainder(alpha, 2.0 * kPi);
  return wrapped == -kPi ? kPi : wrapped;
}

// Viterna and Corrigan between the end's angle and 90 degrees (alpha positive).
SectionCoefficients viterna(const PostStallEnd& end, double maxDrag, double alpha) {
  double s = std::sin(alpha);
  double c = std::cos(alpha);
  return {maxDrag / 2.0 * std::sin(2.0 * alpha) + end.a2 * c * c / s, maxDrag * s * s + end.b2 * c};
}

SectionCoefficients flatPlate(const Airfoil& airfoil, double alpha) {
  double s = std::sin(alpha);
  double c = std::cos(alpha);
  return {airfoil.maxDrag / 2.0 * std::sin(2.0 * alpha),
          airfoil.maxDrag * s * s + airfoil.reverseDrag * c * c};
}

SectionCoefficients interpolateTable(const std::vector<PolarPoint>& points, double alphaDegrees) {
  auto above = std::upper_bound(points.begin(), points.end(), alphaDegrees,
                                [](double a, const PolarPoint& p) { return a < p.alphaDegrees; });
  if (above == points.end()) return {points.back().lift, points.back().drag};
  auto below = above - 1;
  double t = (alphaDegrees - below->alphaDegrees) / (above->alphaDegrees - below->alphaDegrees);
  return {below->lift + t * (above->lift - below->lift), below->drag + t * (above->drag - below->drag)};
}

SectionCoefficients tableCoefficients(const Airfoil& airfoil, const ExtendedPolar& table, double alpha) {
  if (std::fabs(alpha) > kPi / 2.0) return flatPlate(airfoil, alpha);
  double degrees = alpha * kDegreesPerRadian;
  if (degrees > table.polar.points.back().alphaDegrees) return viterna(table.above, airfoil.maxDrag, alpha);
  if (degrees < table.polar.points.front().alphaDegrees) {
    SectionCoefficients mirrored = viterna(table.below, airfoil.maxDrag, -alpha);
    return {-mirrored.lift, mirrored.drag};
  }
  return interpolateTable(table.polar.points, degrees);
}

}  // namespace

double viternaMaxDrag(double aspectRatio) {
  return aspectRatio >= 50.0 ? 2.01 : 1.11 + 0.018 * std::max(aspectRatio, 0.0);
}

Airfoil makeAirfoil(std::vector<Polar> polars, double maxDrag) {
  assert(!polars.empty() && maxDrag > 0);
  Airfoil airfoil;
  airfoil.maxDrag = maxDrag;
  for (Polar& polar : polars) {
    assert(airfoil.polars.empty() || airfoil.polars.back().polar.reynolds < polar.reynolds);
    airfoil.polars.push_back(extend(std::move(polar), maxDrag));
  }
  airfoil.reverseDrag = leastDrag(airfoil.polars);
  return airfoil;
}

AirfoilAtReynolds airfoilAtReynolds(const Airfoil& airfoil, double reynolds) {
  const std::vector<ExtendedPolar>& polars = airfoil.polars;
  auto above = std::find_if(polars.begin(), polars.end(),
                            [&](const ExtendedPolar& p) { return p.polar.reynolds > reynolds; });
  if (above == polars.begin()) return {&airfoil, &polars.front(), &polars.front(), 0.0};
  if (above == polars.end()) return {&airfoil, &polars.back(), &polars.back(), 0.0};
  const ExtendedPolar& below = *(above - 1);
  double weight =
      std::log(reynolds / below.polar.reynolds) / std::log(above->polar.reynolds / below.polar.reynolds);
  return {&airfoil, &below, &*above, weight};
}

SectionCoefficients sectionCoefficients(const AirfoilAtReynolds& section, double alphaRadians) {
  double alpha = wrapAngle(alphaRadians);
  SectionCoefficients lower = tableCoefficients(*section.airfoil, *section.lower, alpha);
  if (section.upperWeight == 0.0) return lower;
  SectionCoefficients upper = tableCoefficients(*section.airfoil, *section.upper, alpha);
  double w = section.upperWeight;
  return {lower.lift + w * (upper.lift - lower.lift), lower.drag + w * (upper.drag - lower.drag)};
}

Polar sampledPolar(const Airfoil& airfoil, double reynolds, double firstDegrees, double lastDegrees,
                   double largestStep) {
  assert(firstDegrees < lastDegrees && largestStep > 0);
  AirfoilAtReynolds section = airfoilAtReynolds(airfoil, reynolds);
  auto steps = static_cast<int>(std::ceil((lastDegrees - firstDegrees) / largestStep));
  Polar polar;
  polar.reynolds = reynolds;
  // Each angle is formed from its index, so that the steps add up no rounding.
  for (int i = 0; i <= steps; ++i) {
    double alpha = firstDegrees + (lastDegrees - firstDegrees) * i / steps;
    SectionCoefficients c = sectionCoefficients(section, alpha / kDegreesPerRadian);
    polar.points.push_back({alpha, c.lift, c.drag});
  }
  return polar;
}

}  // namespace zephyrion::rotor
