#include "structure/section_properties.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace zephyrion::structure {
namespace {

// Integrals of 1, x, y, x^2, y^2 and xy over a region; they add over regions that do not overlap.
struct AreaIntegrals {
  double area = 0;
  double x = 0;
  double y = 0;
  double xx = 0;
  double yy = 0;
  double xy = 0;
};

void addScaled(AreaIntegrals& sum, const AreaIntegrals& part, double weight) {
  sum.area += weight * part.area;
  sum.x += weight * part.x;
  sum.y += weight * part.y;
  sum.xx += weight * part.xx;
  sum.yy += weight * part.yy;
  sum.xy += weight * part.xy;
}

// Green's theorem over the polygon's edges, taken positive whichever way the polygon runs.
AreaIntegrals polygonIntegrals(std::span<const PlanePoint> polygon) {
  AreaIntegrals s;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const PlanePoint& p = polygon[i];
    const PlanePoint& q = polygon[(i + 1) % polygon.size()];
    double c = p.x * q.y - q.x * p.y;
    s.area += c;
    s.x += (p.x + q.x) * c;
    s.y += (p.y + q.y) * c;
    s.xx += (p.x * p.x + p.x * q.x + q.x * q.x) * c;
    s.yy += (p.y * p.y + p.y * q.y + q.y * q.y) * c;
    s.xy += (p.x * q.y + 2 * p.x * p.y + 2 * q.x * q.y + q.x * p.y) * c;
  }
  double sign = s.area < 0 ? -1.0 : 1.0;
  return {sign * s.area / 2, sign * s.x / 6,   sign * s.y / 6,
          sign * s.xx / 12,  sign * s.yy / 12, sign * s.xy / 24};
}

PlanePoint minus(PlanePoint a, PlanePoint b) {
  return {a.x - b.x, a.y - b.y};
}

double cross(PlanePoint a, PlanePoint b) {
  return a.x * b.y - a.y * b.x;
}

double pointToSegment(PlanePoint p, PlanePoint a, PlanePoint b) {
  PlanePoint d = minus(b, a);
  double length2 = d.x * d.x + d.y * d.y;
  double t = length2 > 0 ? std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * d.x), p.y - (a.y + t * d.y));
}

bool segmentsCross(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
  double d1 = cross(minus(b, a), minus(c, a));
  double d2 = cross(minus(b, a), minus(d, a));
  double d3 = cross(minus(d, c), minus(a, c));
  double d4 = cross(minus(d, c), minus(b, c));
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

double segmentDistance(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
  if (segmentsCross(a, b, c, d)) return 0;
  return std::min(
      {pointToSegment(a, c, d), pointToSegment(b, c, d), pointToSegment(c, a, b), pointToSegment(d, a, b)});
}

double distanceToPolygon(PlanePoint a, PlanePoint b, std::span<const PlanePoint> polygon) {
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < polygon.size(); ++i)
    nearest = std::min(nearest, segmentDistance(a, b, polygon[i], polygon[(i + 1) % polygon.size()]));
  return nearest;
}

// The points at least `offset` inside a directed edge of the outline: n . p >= level.
struct HalfPlane {
  double nx = 0;
  double ny = 0;
  double level = 0;
};

std::vector<PlanePoint> clipped(const std::vector<PlanePoint>& polygon, const HalfPlane& keep) {
  std::vector<PlanePoint> kept;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    PlanePoint p = polygon[i];
    PlanePoint q = polygon[(i + 1) % polygon.size()];
    double fp = keep.nx * p.x + keep.ny * p.y - keep.level;
    double fq = keep.nx * q.x + keep.ny * q.y - keep.level;
    if (fp >= 0) kept.push_back(p);
    if ((fp >= 0) != (fq >= 0)) {
      double t = fp / (fp - fq);
      kept.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
    }
  }
  if (kept.size() < 3) kept.clear();
  return kept;
}

// The core of the polygon u0..u(n-1), l(n-1)..l0 (already moved near the origin): quad k, between
// divisions k and k + 1, is clipped by every edge that a walk along the ring from its own upper
// and lower edges finds within `offset` of it.
class CoreFinder {
 public:
  CoreFinder(std::span<const PlanePoint> polygon, double offset)
      : polygon_(polygon), offset_(offset), visitedBy_(polygon.size(), -1) {
    insideSign_ = polygonSignedArea() < 0 ? -1.0 : 1.0;
  }

  AreaIntegrals core() {
    AreaIntegrals sum;
    std::size_t ring = polygon_.size();
    std::size_t divisions = ring / 2;
    for (std::size_t k = 0; k + 1 < divisions; ++k) {
      quad_ = {polygon_[k], polygon_[k + 1], polygon_[ring - 2 - k], polygon_[ring - 1 - k]};
      clip_ = quad_;
      walkFrom(k, static_cast<long>(k));
      walkFrom(k, static_cast<long>(ring - 2 - k));
      if (!clip_.empty()) addScaled(sum, polygonIntegrals(clip_), 1.0);
    }
    return sum;
  }

 private:
  double polygonSignedArea() const {
    double twice = 0;
    for (std::size_t i = 0; i < polygon_.size(); ++i)
      twice += cross(polygon_[i], polygon_[(i + 1) % polygon_.size()]);
    return twice;
  }

  // Edge i runs from point i to point i + 1 round the ring.
  PlanePoint edgeStart(long i) const { return polygon_[wrap(i)]; }
  PlanePoint edgeEnd(long i) const { return polygon_[wrap(i + 1)]; }
  std::size_t wrap(long i) const {
    long n = static_cast<long>(polygon_.size());
    return static_cast<std::size_t>(((i % n) + n) % n);
  }

  void walkFrom(std::size_t quad, long start) {
    std::size_t ring = polygon_.size();
    for (int direction : {1, -1}) {
      for (long i = start, steps = 0; steps < static_cast<long>(ring); i += direction, ++steps) {
        if (distanceToPolygon(edgeStart(i), edgeEnd(i), quad_) >= offset_) break;
        if (visitedBy_[wrap(i)] == static_cast<long>(quad)) continue;
        visitedBy_[wrap(i)] = static_cast<long>(quad);
        bool own = wrap(i) == quad || wrap(i) == ring - 2 - quad;
        if (own || quadInsideLineOf(i)) clipByEdge(i);
      }
    }
  }

  HalfPlane insideOf(long i) const {
    PlanePoint from = edgeStart(i);
    PlanePoint d = minus(edgeEnd(i), from);
    double length = std::hypot(d.x, d.y);
    HalfPlane keep{-d.y / length * insideSign_, d.x / length * insideSign_, 0};
    keep.level = keep.nx * from.x + keep.ny * from.y;
    return keep;
  }

  // Another edge's line bounds the core near this quad only where the outline turns convexly
  // towards it, the whole quad inside the line. Where it turns concavely the line runs on
  // through the section, far from the edge itself; the true offset there is an arc of radius T
  // round the corner, whose sliver the quad's own edges leave out.
  bool quadInsideLineOf(long i) const {
    if (!(std::hypot(edgeEnd(i).x - edgeStart(i).x, edgeEnd(i).y - edgeStart(i).y) > 0)) return false;
    HalfPlane line = insideOf(i);
    double slack = 1e-9 * (std::fabs(line.level) + offset_);
    return std::all_of(quad_.begin(), quad_.end(),
                       [&](PlanePoint p) { return line.nx * p.x + line.ny * p.y - line.level >= -slack; });
  }

  void clipByEdge(long i) {
    if (!(std::hypot(edgeEnd(i).x - edgeStart(i).x, edgeEnd(i).y - edgeStart(i).y) > 0) || clip_.empty())
      return;
    HalfPlane keep = insideOf(i);
    keep.level += offset_;
    clip_ = clipped(clip_, keep);
  }

  std::span<const PlanePoint> polygon_;
  double offset_;
  std::vector<long> visitedBy_;
  double insideSign_ = 1;
  std::vector<PlanePoint> quad_;
  std::vector<PlanePoint> clip_;
};

SectionProperties propertiesOf(double area, const AreaIntegrals& e, std::span<const PlanePoint> polygon,
                               PlanePoint about) {
  assert(e.area > 0);
  SectionProperties s;
  s.area = area;
  s.effectiveArea = e.area;
  double cx = e.x / e.area;
  double cy = e.y / e.area;
  s.centroidX = about.x + cx;
  s.centroidY = about.y + cy;
  s.ix = e.yy - e.area * cy * cy;
  s.iy = e.xx - e.area * cx * cx;
  s.ixy = e.xy - e.area * cx * cy;
  double mean = (s.ix + s.iy) / 2;
  double radius = std::hypot((s.ix - s.iy) / 2, s.ixy);
  s.iMajor = mean + radius;
  s.iMinor = mean - radius;
  double angle = std::atan2(-2 * s.ixy, s.ix - s.iy) / 2;
  s.majorAxisDegrees = angle * 180 / std::numbers::pi;
  double c = std::cos(angle);
  double sn = std::sin(angle);
  for (const PlanePoint& p : polygon) {
    double x = p.x - cx;
    double y = p.y - cy;
    s.majorAxisFibre = std::max(s.majorAxisFibre, std::fabs(-x * sn + y * c));
    s.minorAxisFibre = std::max(s.minorAxisFibre, std::fabs(x * c + y * sn));
  }
  return s;
}

}  // namespace

SectionOutline rowOutline(const BladeGrid& grid, std::int32_t row) {
  SectionOutline outline;
  for (std::int32_t h = 1; h <= grid.chordDivisions; ++h) {
    outline.upper.push_back({grid.upperX(row, h), grid.upperY(row, h)});
    outline.lower.push_back({grid.lowerX(row, h), grid.lowerY(row, h)});
  }
  return outline;
}

std::vector<PlanePoint> outlinePolygon(const SectionOutline& outline) {
  std::vector<PlanePoint> polygon(outline.upper);
  polygon.insert(polygon.end(), outline.lower.rbegin(), outline.lower.rend());
  return polygon;
}

SectionProperties sectionProperties(const SectionOutline& outline, const Shell& shell) {
  assert(outline.upper.size() >= 2 && outline.upper.size() == outline.lower.size());
  assert(std::isfinite(shell.thickness) && shell.thickness >= 0);
  assert(shell.infill >= 0 && shell.infill <= 1);
  std::vector<PlanePoint> polygon = outlinePolygon(outline);
  PlanePoint about = polygon.front();
  for (PlanePoint& p : polygon)
    p = minus(p, about);
  AreaIntegrals solid = polygonIntegrals(polygon);
  AreaIntegrals effective = solid;
  if (shell.thickness > 0 && shell.infill < 1)
    addScaled(effective, CoreFinder(polygon, shell.thickness).core(), -(1 - shell.infill));
  return propertiesOf(solid.area, effective, polygon, about);
}

}  // namespace zephyrion::structure
