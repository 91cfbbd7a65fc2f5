// Reads an ASCII STL file back and checks that its facets close a surface.
#pragma once

#include <array>
#include <map>
#include <sstream>
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

}  // namespace zephyrion::testing_support
