#include "stl_mesh.h"

#include <stdexcept>

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

using Edge = std::pair<std::string, std::string>;

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
  std::map<Edge, int> allEdges;
  std::map<Edge, int> soundEdges;
  for (const StlFacet& facet : facets) {
    bool degenerate = facet.degenerate();
    if (degenerate) ++check.degenerateFacets;
    for (int k = 0; k < 3; ++k) {
      const std::string& a = facet.vertex[k];
      const std::string& b = facet.vertex[(k + 1) % 3];
      if (a == b) continue;
      ++allEdges[{a, b}];
      if (!degenerate) ++soundEdges[{a, b}];
    }
  }
  for (const auto& [edge, count] : allEdges) {
    auto reverse = allEdges.find({edge.second, edge.first});
    if (reverse == allEdges.end() || reverse->second != count) ++check.unmatchedDirectedEdges;
  }
  for (const auto& [edge, count] : soundEdges) {
    auto reverse = soundEdges.find({edge.second, edge.first});
    if (count != 1 || reverse == soundEdges.end() || reverse->second != 1) ++check.badEdges;
  }
  return check;
}

}  // namespace zephyrion::testing_support
