// Reads an ASCII STL file back and checks that its facets close a surface.
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zephyrion::testing_support {

struct StlFacet {
  std::string normal;                 // the text after "facet normal"
  std::array<std::string, 3> vertex;  // the texts after "vertex"
  bool degenerate() const {
    return vertex[0] == vertex[1] || vertex[1] == vertex[2] || vertex[0] == vertex[2] ||
           normal == "  0  0  0";
  }
};

// The facets of an ASCII STL text; throws std::runtime_error where a facet block is malformed.
std::vector<StlFacet> parseStl(const std::string& text);

struct MeshCheck {
  std::size_t facets = 0;
  std::size_t degenerateFacets = 0;
  std::size_t unmatchedDirectedEdges = 0;  // a -> b without a matching b -> a, over all facets
  std::size_t badEdges = 0;  // edges of sound facets not shared by exactly two facets in opposite directions
};

MeshCheck checkClosedSurface(const std::vector<StlFacet>& facets);

struct Vector3 {
  double x = 0, y = 0, z = 0;
};

// The volume the facets enclose, by the divergence theorem: positive for a closed surface whose
// facets face outwards (right-hand rule over their vertices).
double enclosedVolume(const std::vector<StlFacet>& facets);

// The part of that volume above the plane y = y0, for a plane that no facet crosses (every
// facet lies wholly on one side of it).
double enclosedVolumeAbove(const std::vector<StlFacet>& facets, double y0);

// The outline where the surface meets the plane y = row, for a surface whose vertices all lie
// on whole rows: the edges in that plane of the facets that join it to the row below, directed
// as those facets run (for the first row, those joining it to the row above, reversed).
struct Outline {
  std::vector<std::array<double, 4>> edges;  // x, z of the start, then of the end
  double signedArea() const;
  // Whether two edges cross each other properly (touching and overlapping along a line do not
  // count): a section that folds over itself.
  bool crossesItself() const;
};
std::map<long, Outline> rowOutlines(const std::vector<StlFacet>& facets);

}  // namespace zephyrion::testing_support
