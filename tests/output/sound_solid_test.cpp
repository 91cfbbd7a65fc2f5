// Every design the tool accepts is written as one closed, consistently oriented solid whose
// volume is the table's; every other design is refused, naming a field, with nothing written.
// Checked over many random plausible designs by readers that share no code with the writer:
// the text of the STL file itself and admesh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "cli_options.h"
#include "output/design_run.h"
#include "plausible_designs.h"
#include "stl_mesh.h"
#include "temp_folder.h"
#include "test_seed.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using namespace testing_support;

// The table sums each quad of a section as two unsigned triangles split along one diagonal,
// which overstates a quad that is not convex: at the nose of sections whose camber starts at the
// nose or with few divisions by up to 3.4 % (the worst over every accepted profile and division
// count, 9030 at 6 divisions), and in the hub block's rectangle by up to an eighth. Above the hub
// and its blend, where every row is a placed section, the table's volume must so agree with the
// solid's within 4 %. Between neighbouring rows the solid is lofted straight, whose volume the
// frustum rule (A + A' + sqrt(A A')) / 3 gives exactly for sections that only scale (the tip
// chamfer, the optimum chord's 1 / r) and within a quarter of the squared turn for sections that
// also turn (under 0.05 % in 300 random designs). A section that folds over itself is caught
// row by row by its crossing edges.
constexpr double kTableTolerance = 0.04;

bool holdsNonFiniteText(const std::string& text) {
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// The second column of every table row.
bool holdsNegativeChord(const std::string& table) {
  for (std::size_t line = table.find("\r\n"); line != std::string::npos;
       line = table.find("\r\n", line + 2)) {
    std::size_t tab = table.find('\t', line + 2);
    if (tab != std::string::npos && tab + 1 < table.size() && table[tab + 1] == '-') return true;
  }
  return false;
}

// The profile area of every table row, indexed by the row's radius (rows 0 and 1 stay 0).
std::vector<double> tableAreas(const std::string& table) {
  std::vector<double> areas;
  std::size_t line = table.find("\r\n") + 2;  // after the header
  for (std::size_t end; (end = table.find("\r\n", line)) != std::string::npos; line = end + 2) {
    std::string row = table.substr(line, end - line);
    if (std::count(row.begin(), row.end(), '\t') != 5) break;
    std::size_t areaStart = 0;
    for (int column = 0; column < 3; ++column)
      areaStart = row.find('\t', areaStart) + 1;
    std::size_t r = static_cast<std::size_t>(textToNumber(row));
    if (areas.size() <= r) areas.resize(r + 1, 0.0);
    areas[r] = textToNumber(row.substr(areaStart));
  }
  return areas;
}

double frustumVolume(const std::vector<double>& areas, std::size_t firstRow) {
  double volume = 0;
  for (std::size_t r = firstRow; r + 1 < areas.size(); ++r)
    volume += (areas[r] + areas[r + 1] + std::sqrt(areas[r] * areas[r + 1])) / 3;
  return volume;
}

bool differ(double a, double b, double tolerance) {
  return !(std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b)));
}

// Every row's outline is a simple polygon turning the same way round as the others.
std::vector<std::string> faultsOfSections(const std::vector<StlFacet>& facets, long rows) {
  std::vector<std::string> faults;
  std::map<long, Outline> outlines = rowOutlines(facets);
  for (long row = 1; row <= rows; ++row) {
    const Outline& outline = outlines[row];
    if (outline.crossesItself()) faults.push_back("row " + std::to_string(row) + " folds over itself");
    if (!(outline.signedArea() > 0))
      faults.push_back("row " + std::to_string(row) + " has no area or runs backwards");
  }
  return faults;
}

// The table's volume from `firstRow` to the tip against the solid's; nothing when fewer than two
// rows lie there.
std::optional<std::string> volumeFaultAbove(const std::vector<StlFacet>& facets, const std::string& table,
                                            std::size_t firstRow) {
  std::vector<double> areas = tableAreas(table);
  if (firstRow + 1 >= areas.size()) return std::nullopt;
  double byTable = frustumVolume(areas, firstRow);
  double bySolid = enclosedVolumeAbove(facets, static_cast<double>(firstRow));
  if (!differ(bySolid, byTable, kTableTolerance)) return std::nullopt;
  return "volume above row " + std::to_string(firstRow) + ": " + std::to_string(bySolid) + " mm3 enclosed, " +
         std::to_string(byTable) + " mm3 by the table";
}

// What is wrong with the files of an accepted design: nothing for a sound solid.
std::vector<std::string> faultsOfWrittenDesign(const DesignParameters& p) {
  std::vector<std::string> faults;
  std::string stl = readFile("d.stl");
  std::string table = readFile("d.xls");
  if (holdsNonFiniteText(stl) || holdsNonFiniteText(table)) faults.push_back("nan or inf in a file");
  if (holdsNegativeChord(table)) faults.push_back("a negative chord in the table");
  std::vector<StlFacet> facets = parseStl(stl);
  MeshCheck mesh = checkClosedSurface(facets);
  if (mesh.badEdges || mesh.unmatchedDirectedEdges) {
    faults.push_back("open or not 2-manifold: " + std::to_string(mesh.badEdges) + " bad edges, " +
                     std::to_string(mesh.unmatchedDirectedEdges) + " unmatched");
  }
  AdmeshReport admesh = runAdmesh("d.stl");
  if (!admesh.ran || admesh.figure("Number of parts") != 1 || admesh.figure("Facets reversed") != 0 ||
      admesh.figure("Total disconnected facets") != 0) {
    faults.push_back("admesh: " + admesh.text.substr(admesh.text.find("=== Facet")));
  }
  // Row 1, the root cap, is not in the table.
  for (const std::string& fault : faultsOfSections(facets, p.rotorRadius))
    faults.push_back(fault);
  std::size_t aboveHubAndBlend =
      std::max<std::size_t>(2, static_cast<std::size_t>(p.hubRadius) + p.hubChamfer + 1);
  if (auto fault = volumeFaultAbove(facets, table, aboveHubAndBlend)) faults.push_back(*fault);
  return faults;
}

// A refusal names a field as its caption reads.
bool namesAField(const std::string& message) {
  for (const char* caption :
       {"NACA profile", "Lift coefficient", "Radius of rotor", "Number of blades", "Tip speed ratio",
        "Blade tip chamfer", "Angle of attack", "Chord limit", "Density of blade", "Max operating wind speed",
        "Hub radius", "Hub to blade", "STL precision"}) {
    if (message.find(caption) != std::string::npos) return true;
  }
  return false;
}

// The designs are dealt to four shards, which CTest runs side by side.
constexpr int kShards = 4;

class SoundSolids : public testing::TestWithParam<int> {};

TEST_P(SoundSolids, EveryAcceptedDesignIsOneClosedSolidOfTheTableVolume) {
  const int shard = GetParam();
  std::uint64_t seed = testSeed(20261207) + static_cast<std::uint64_t>(shard);
  int count = (testCount("ZEPHYRION_SOLID_DESIGNS", 500) + kShards - 1 - shard) / kShards;
  PlausibleDesigns designs(seed);
  TempFolder folder;
  int accepted = 0, refused = 0, sound = 0;
  std::string failures;
  for (int i = 0; i < count; ++i) {
    FormTexts texts = designs.next();
    texts[kFieldOutputName] = "d";
    RunResult result = runDesign(texts);
    std::vector<std::string> faults;
    if (result.status == RunStatus::kRefused) {
      ++refused;
      std::printf("refused: %s\n", result.message.c_str());
      if (!fs::is_empty(folder.path())) faults.push_back("refused but wrote files");
      if (!namesAField(result.message)) faults.push_back("refused without naming a field: " + result.message);
    } else if (result.status != RunStatus::kCompleted) {
      faults.push_back("failed: " + result.message);
    } else {
      ++accepted;
      faults = faultsOfWrittenDesign(readDesignParameters(texts));
      if (faults.empty()) ++sound;
    }
    for (const std::string& fault : faults)
      failures += cli::commandLineOf(texts) + "\n    " + fault + "\n";
    for (const auto& entry : fs::directory_iterator(folder.path()))
      fs::remove_all(entry.path());
  }
  std::printf("shard %d of %d, %d designs: accepted %d, refused %d, sound %d\n", shard + 1, kShards, count,
              accepted, refused, sound);
  EXPECT_EQ(failures, "");
}

INSTANTIATE_TEST_SUITE_P(Shards, SoundSolids, testing::Range(0, kShards));

}  // namespace
}  // namespace zephyrion
