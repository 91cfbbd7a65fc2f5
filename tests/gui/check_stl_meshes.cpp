// Checks ASCII STL files: `check_stl_meshes FILE...` prints one line per file and exits 1 unless
// every file parses and is a closed 2-manifold surface: every edge from one corner to another is
// met by as many edges the other way round, so that the facets leave no hole and face one way,
// and every edge of a sound facet is shared by exactly two, so that the solid nowhere touches
// itself along a line.
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "stl_mesh.h"
#include "temp_folder.h"

namespace {

// Why the file is no closed 2-manifold surface, or the empty text when it is one; `note` tells
// the count of facets.
std::string meshProblem(const std::string& path, std::string& note) {
  if (!std::ifstream(path)) return "cannot be read";
  std::string text = zephyrion::testing_support::readFile(path);
  try {
    zephyrion::testing_support::MeshCheck check =
        zephyrion::testing_support::checkClosedSurface(zephyrion::testing_support::parseStl(text));
    if (check.facets == 0) return "has no facets";
    if (check.unmatchedDirectedEdges != 0)
      return std::to_string(check.unmatchedDirectedEdges) + " edges without their counterpart";
    if (check.badEdges != 0) return std::to_string(check.badEdges) + " edges not between two sound facets";
    note = std::to_string(check.facets) + " facets";
  } catch (const std::runtime_error& malformed) {
    return std::string("is malformed: ") + malformed.what();
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    std::string note;
    std::string problem = meshProblem(argv[i], note);
    if (problem.empty()) {
      std::cout << argv[i] << ": closed, " << note << "\n";
    } else {
      std::cout << argv[i] << ": " << problem << "\n";
      status = 1;
    }
  }
  return status;
}
