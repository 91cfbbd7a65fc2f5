#include "stl_mesh.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace zephyrion::testing_support {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) throw std::runtime_error("a line does not end in CR LF");
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string after(const std::string& line, const std::string& prefix) {
  if (line.compare(0, prefix.size(), prefix) != 0)
    throw std::runtime_error("expected \"" + prefix + "\": " + line);
  return line.substr(prefix.size());
}

// Vertices are told apart by their exact text, as a slicer that reads the file would see them
// before any merging; each distinct text gets a number.
class VertexNumbers {
 public:
  std::uint64_t of(const std::string& text) {
    return numbers_.try_emplace(text, numbers_.size()).first->second;
  }

 private:
  std::unordered_map<std::string, std::uint64_t> numbers_;
};

std::uint64_t edgeKey(std::uint64_t from, std::uint64_t to) {
  return from << 32 | to;
}

std::uint64_t reversed(std::uint64_t key) {
  return key >> 32 | (key & 0xFFFFFFFFu) << 32;
}

Vector3 readTriple(const std::string& text) {
  Vector3 v;
  double* parts[3] = {&v.x, &v.y, &v.z};
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (double* part : parts) {
    while (at < end && *at == ' ')
      ++at;
    auto result = std::from_chars(at, end, *part);
    if (result.ec != std::errc()) throw std::runtime_error("not a number: " + text);
    at = result.ptr;
  }
  return v;
}

}  // namespace

std::vector<StlFacet> parseStl(const std::string& text) {
  std::vector<std::string> lines = splitLines(text);
  if (lines.size() < 2) throw std::runtime_error("too short");
  after(lines.front(), "solid ");
  if (lines.back() != "endsolid") throw std::runtime_error("no endsolid");
  std::vector<StlFacet> facets;
  for (std::size_t i = 1; i + 1 < lines.size(); i += 7) {
    if (i + 7 > lines.size() - 1) throw std::runtime_error("truncated facet");
    StlFacet facet;
    facet.normal = after(lines[i], "facet normal");
    after(lines[i + 1], " outer loop");
    for (int v = 0; v < 3; ++v)
      facet.vertex[v] = after(lines[i + 2 + v], " vertex");
    after(lines[i + 5], " endloop");
    after(lines[i + 6], "endfacet");
    facets.push_back(std::move(facet));
  }
  return facets;
}

MeshCheck checkClosedSurface(const std::vector<StlFacet>& facets) {
  MeshCheck check;
  check.facets = facets.size();
  VertexNumbers numbers;
  std::unordered_map<std::uint64_t, int> allEdges;
  std::unordered_map<std::uint64_t, int> soundEdges;
  for (const StlFacet& facet : facets) {
    bool degenerate = facet.degenerate();
    if (degenerate) ++check.degenerateFacets;
    std::uint64_t corner[3] = {numbers.of(facet.vertex[0]), numbers.of(facet.vertex[1]),
                               numbers.of(facet.vertex[2])};
    for (int k = 0; k < 3; ++k) {
      std::uint64_t a = corner[k];
      std::uint64_t b = corner[(k + 1) % 3];
      if (a == b) continue;
      ++allEdges[edgeKey(a, b)];
      if (!degenerate) ++soundEdges[edgeKey(a, b)];
    }
  }
  for (const auto& [edge, count] : allEdges) {
    auto reverse = allEdges.find(reversed(edge));
    if (reverse == allEdges.end() || reverse->second != count) ++check.unmatchedDirectedEdges;
  }
  for (const auto& [edge, count] : soundEdges) {
    auto reverse = soundEdges.find(reversed(edge));
    if (count != 1 || reverse == soundEdges.end() || reverse->second != 1) ++check.badEdges;
  }
  return check;
}

double enclosedVolume(const std::vector<StlFacet>& facets) {
  double sixfold = 0;
  for (const StlFacet& facet : facets) {
    Vector3 a = readTriple(facet.vertex[0]);
    Vector3 b = readTriple(facet.vertex[1]);
    Vector3 c = readTriple(facet.vertex[2]);
    // a . (b x c): six times the signed volume of the tetrahedron from the origin.
    sixfold += a.x * (b.y * c.z - b.z * c.y) + a.y * (b.z * c.x - b.x * c.z) + a.z * (b.x * c.y - b.y * c.x);
  }
  return sixfold / 6;
}

double enclosedVolumeAbove(const std::vector<StlFacet>& facets, double y0) {
  double volume = 0;
  for (const StlFacet& facet : facets) {
    Vector3 a = readTriple(facet.vertex[0]);
    Vector3 b = readTriple(facet.vertex[1]);
    Vector3 c = readTriple(facet.vertex[2]);
    if (a.y < y0 || b.y < y0 || c.y < y0) continue;
    // The flux of (x, 0, 0), whose divergence is 1, through the facet: its area times its
    // normal's x times the mean x. The cut plane y = y0 adds nothing, its normal being along y.
    double twiceAreaNormalX = (b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y);
    volume += (a.x + b.x + c.x) / 3 * twiceAreaNormalX / 2;
  }
  return volume;
}

double Outline::signedArea() const {
  double twice = 0;
  for (const auto& e : edges)
    twice += e[0] * e[3] - e[2] * e[1];
  return twice / 2;
}

namespace {

double turn(double ax, double ay, double bx, double by, double cx, double cy) {
  return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

bool crossProperly(const std::array<double, 4>& a, const std::array<double, 4>& b) {
  double d1 = turn(b[0], b[1], b[2], b[3], a[0], a[1]);
  double d2 = turn(b[0], b[1], b[2], b[3], a[2], a[3]);
  double d3 = turn(a[0], a[1], a[2], a[3], b[0], b[1]);
  double d4 = turn(a[0], a[1], a[2], a[3], b[2], b[3]);
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

}  // namespace

bool Outline::crossesItself() const {
  for (std::size_t i = 0; i < edges.size(); ++i) {
    for (std::size_t j = i + 1; j < edges.size(); ++j) {
      if (crossProperly(edges[i], edges[j])) return true;
    }
  }
  return false;
}

std::map<long, Outline> rowOutlines(const std::vector<StlFacet>& facets) {
  std::map<long, Outline> outlines;
  for (const StlFacet& facet : facets) {
    Vector3 v[3] = {readTriple(facet.vertex[0]), readTriple(facet.vertex[1]), readTriple(facet.vertex[2])};
    double low = std::min({v[0].y, v[1].y, v[2].y});
    double high = std::max({v[0].y, v[1].y, v[2].y});
    if (low == high) continue;  // an end cap
    for (int k = 0; k < 3; ++k) {
      const Vector3& a = v[k];
      const Vector3& b = v[(k + 1) % 3];
      if (a.y != b.y || (a.x == b.x && a.z == b.z)) continue;
      // The first row is reached from above only, where its edges run the other way round.
      if (a.y == high) outlines[std::lround(a.y)].edges.push_back({a.x, a.z, b.x, b.z});
      if (a.y == low && low == 1) outlines[1].edges.push_back({b.x, b.z, a.x, a.z});
    }
  }
  return outlines;
}

}  // namespace zephyrion::testing_support
