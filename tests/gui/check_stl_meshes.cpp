// Checks ASCII STL files: `check_stl_meshes FILE...` prints one line per file and exits 1 unless
// every file parses and is a closed surface: every edge from one corner to another is met by as
// many edges the other way round, so that the facets leave no hole and face one way. Edges that
// more than two sound facets share (a solid that touches itself along a line, as a blade whose
// section shrinks to nothing at the hub does) are counted but allowed.
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "stl_mesh.h"

namespace {

// Why the file is no closed surface, or the empty text when it is one; `note` tells the count of
// facets and of edges shared by more than two.
std::string meshProblem(const std::string& path, std::string& note) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot be read";
  std::string text(std::istreambuf_iterator<char>(in), {});
  try {
    zephyrion::testing_support::MeshCheck check =
        zephyrion::testing_support::checkClosedSurface(zephyrion::testing_support::parseStl(text));
    if (check.facets == 0) return "has no facets";
    if (check.unmatchedDirectedEdges != 0)
      return std::to_string(check.unmatchedDirectedEdges) + " edges without their counterpart";
    note = std::to_string(check.facets) + " facets";
    if (check.badEdges != 0)
      note += ", " + std::to_string(check.badEdges) + " edges not between two sound facets";
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
