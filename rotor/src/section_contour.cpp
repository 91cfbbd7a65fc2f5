#include "section_contour.h"

#include <algorithm>
#include <cmath>

#include "blade/naca_section.h"
#include "units.h"

namespace zephyrion::rotor {
namespace {

// The blade's sections place division h of N at x = (h / N)^2 of the chord; this many divisions
// put one within a millionth of the chord of any station wanted, and the first within 1e-12 of
// the nose.
constexpr int kDivisions = 1 << 20;

struct SurfacePair {
  ContourPoint upper;
  ContourPoint lower;
  double chordShare = 0;  // x
};

SurfacePair pointsAt(const NacaProfile& profile, int division) {
  SectionPoint p = nacaSectionPoint(1.0, division, kDivisions, profile.maxCamber, profile.camberPosition,
                                    profile.thicknessRatio);
  double share = static_cast<double>(division) / kDivisions;
  return {{p.upperX, p.upperY}, {p.lowerX, p.lowerY}, share * share};
}

int divisionNear(double chordShare) {
  int division = static_cast<int>(std::lround(std::sqrt(chordShare) * kDivisions));
  return std::clamp(division, 1, kDivisions);
}

}  // namespace

std::vector<ContourPoint> sectionContour(const NacaProfile& profile, int perSide) {
  std::vector<SurfacePair> stations;  // nose to trailing edge
  for (int k = 0; k <= perSide; ++k) {
    double share = (1.0 - std::cos(kPi * k / perSide)) / 2.0;
    stations.push_back(pointsAt(profile, k == 0 ? 1 : divisionNear(share)));
  }
  const SurfacePair& edge = stations.back();
  ContourPoint trailing{(edge.upper.x + edge.lower.x) / 2.0, (edge.upper.y + edge.lower.y) / 2.0};
  ContourPoint upperGap{edge.upper.x - trailing.x, edge.upper.y - trailing.y};
  for (SurfacePair& s : stations) {
    s.upper = {s.upper.x - s.chordShare * upperGap.x, s.upper.y - s.chordShare * upperGap.y};
    s.lower = {s.lower.x + s.chordShare * upperGap.x, s.lower.y + s.chordShare * upperGap.y};
  }
  const SurfacePair& first = stations.front();
  ContourPoint nose{(first.upper.x + first.lower.x) / 2.0, (first.upper.y + first.lower.y) / 2.0};
  double length = std::hypot(trailing.x - nose.x, trailing.y - nose.y);
  double dx = (trailing.x - nose.x) / length;
  double dy = (trailing.y - nose.y) / length;
  auto extentFromEdge = [&](ContourPoint p) { return (trailing.x - p.x) * dx + (trailing.y - p.y) * dy; };
  double chord = 0;
  for (const SurfacePair& s : stations)
    chord = std::max({chord, extentFromEdge(s.upper), extentFromEdge(s.lower)});
  auto inChordFrame = [&](ContourPoint p) {
    return ContourPoint{1.0 - extentFromEdge(p) / chord,
                        ((p.y - trailing.y) * dx - (p.x - trailing.x) * dy) / chord};
  };
  std::vector<ContourPoint> nodes;
  nodes.push_back({1.0, 0.0});
  for (int k = perSide - 1; k >= 1; --k)
    nodes.push_back(inChordFrame(stations[k].upper));
  nodes.push_back(inChordFrame(nose));
  for (int k = 1; k < perSide; ++k)
    nodes.push_back(inChordFrame(stations[k].lower));
  nodes.push_back({1.0, 0.0});
  return nodes;
}

}  // namespace zephyrion::rotor
