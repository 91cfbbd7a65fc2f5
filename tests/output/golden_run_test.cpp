#include "output/design_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "design_forms.h"
#include "stl_mesh.h"
#include "temp_folder.h"
#include "text/number_forms.h"
#include "text_lines.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using testing_support::AdmeshReport;
using testing_support::checkClosedSurface;
using testing_support::formWith;
using testing_support::linesOf;
using testing_support::parseStl;
using testing_support::readFile;
using testing_support::runAdmesh;
using testing_support::TempFolder;

std::size_t countOf(const std::string& text, const std::string& word) {
  std::size_t count = 0;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
    ++count;
  return count;
}

class DefaultRun : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    TempFolder folder("default-run");
    result = new RunResult(runDesign(defaultFormTexts()));
    stl = new std::string(readFile("xx/Blade.stl"));
    xls = new std::string(readFile("xx/Blade.xls"));
    txtExists = fs::exists("xx/Blade.txt");
    txtSize = txtExists ? fs::file_size("xx/Blade.txt") : 1;
  }
  static void TearDownTestSuite() {
    delete result;
    delete stl;
    delete xls;
  }
  static RunResult* result;
  static std::string* stl;
  static std::string* xls;
  static bool txtExists;
  static std::uintmax_t txtSize;
};
RunResult* DefaultRun::result;
std::string* DefaultRun::stl;
std::string* DefaultRun::xls;
bool DefaultRun::txtExists;
std::uintmax_t DefaultRun::txtSize;

TEST_F(DefaultRun, CompletesAndShowsTheFourResultLines) {
  ASSERT_EQ(result->status, RunStatus::kCompleted) << result->message;
  EXPECT_EQ(result->resultLines[0], "Rotor speed 955 RPM at 10 m/s wind");
  EXPECT_EQ(result->resultLines[1], "Blade volume " + numberToText(result->volumeCm3) + " cm3");
  EXPECT_EQ(result->resultLines[2], "Blade weight " + numberToText(result->weightKg) + " kg");
  EXPECT_EQ(result->resultLines[3], "Force on blade root " + numberToText(result->rootForceN) + " N");
  EXPECT_NEAR(result->volumeCm3, 366.236, 0.0005);
  EXPECT_NEAR(result->weightKg, 0.219742, 0.0000005);
  EXPECT_NEAR(result->rootForceN, 350.500, 0.0005);
}

TEST_F(DefaultRun, WritesTheDefaultNameUnderTheWorkingDirectoryAndAnEmptyTxt) {
  EXPECT_TRUE(txtExists);
  EXPECT_EQ(txtSize, 0u);
  EXPECT_FALSE(stl->empty());
  EXPECT_FALSE(xls->empty());
}

TEST_F(DefaultRun, StlHasHeaderFooterAndAllFacets) {
  std::vector<std::string> lines = linesOf(*stl);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "solid Zephyrion NACA4412 Radius=500 TSR=5 Blades=3");
  EXPECT_EQ(stl->substr(stl->size() - 10), "endsolid\r\n");
  EXPECT_EQ(countOf(*stl, "facet normal"), 19996u);
  EXPECT_EQ(result->facetCount, 19996);
  EXPECT_EQ(lines.size(), 2 + 7 * 19996u);
  EXPECT_EQ(countOf(*stl, "\n"), countOf(*stl, "\r\n"));
}

TEST_F(DefaultRun, StlIsAClosedSurface) {
  auto check = checkClosedSurface(parseStl(*stl));
  EXPECT_EQ(check.facets, 19996u);
  EXPECT_EQ(check.degenerateFacets, 76u);
  EXPECT_EQ(check.unmatchedDirectedEdges, 0u);
  EXPECT_EQ(check.badEdges, 0u);
}

TEST_F(DefaultRun, NoNumberIsNanOrInfinite) {
  EXPECT_EQ(stl->find("nan"), std::string::npos);
  EXPECT_EQ(stl->find("inf"), std::string::npos);
  EXPECT_EQ(xls->find("nan"), std::string::npos);
  EXPECT_EQ(xls->find("inf"), std::string::npos);
}

TEST_F(DefaultRun, TableHasOneRowPerRadiusAndTheSummary) {
  std::vector<std::string> lines = linesOf(*xls);
  ASSERT_EQ(lines.size(), 1 + 499 + 3u);
  EXPECT_EQ(lines[1].substr(0, 5), " 500\t");
  EXPECT_EQ(lines[499].substr(0, 3), " 2\t");
  for (std::size_t i = 0; i < 500; ++i)
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 5) << i;
  EXPECT_EQ(lines[500].substr(0, 13), "Blade volume ");
  EXPECT_EQ(lines[501].substr(0, 13), "Blade weight ");
  EXPECT_EQ(lines[501].back(), ' ');
  EXPECT_EQ(xls->substr(xls->size() - 37), "Rotor speed    955 rpm  at  10.0m/s\r\n");
}

// admesh, an independent STL reader, takes the default blade as one closed part once it has
// dropped the 76 degenerate facets, and finds the volume of the table.
TEST_F(DefaultRun, AdmeshReadsOneClosedPartOfTheTableVolume) {
  TempFolder folder;
  {
    std::ofstream out("Blade.stl", std::ios::binary);
    out << *stl;
  }
  AdmeshReport report = runAdmesh("Blade.stl");
  ASSERT_TRUE(report.ran) << "admesh is installed by scripts/setup";
  EXPECT_EQ(report.figure("Number of facets"), 19996) << report.text;
  EXPECT_EQ(report.figure("Total disconnected facets"), 0) << report.text;
  EXPECT_EQ(report.figure("Number of parts"), 1) << report.text;
  EXPECT_EQ(report.figure("Degenerate facets"), 76) << report.text;
  EXPECT_NEAR(report.figure("Volume") / 1000.0, result->volumeCm3, result->volumeCm3 * 0.01) << report.text;
}

// The binary STL of the default blade, on request, is the same solid for admesh: as many facets,
// the same degenerate ones, one part of the same volume.
TEST_F(DefaultRun, AdmeshReadsTheBinaryStlAsTheAscii) {
  TempFolder folder;
  {
    std::ofstream out("ascii.stl", std::ios::binary);
    out << *stl;
  }
  FormTexts texts = defaultFormTexts();
  texts[kFieldOutputName] = "binary";
  WriteOptions options;
  options.stlFormat = StlFormat::kBinary;
  ASSERT_EQ(runDesign(texts, {}, options).status, RunStatus::kCompleted);
  ASSERT_EQ(fs::file_size("binary.stl"), 84 + 50 * 19996u);
  AdmeshReport ascii = runAdmesh("ascii.stl");
  AdmeshReport binary = runAdmesh("binary.stl");
  ASSERT_TRUE(ascii.ran && binary.ran) << "admesh is installed by scripts/setup";
  EXPECT_NE(binary.text.find("File type          : Binary STL file"), std::string::npos) << binary.text;
  for (const char* figure : {"Number of facets", "Number of parts", "Degenerate facets", "Edges fixed"})
    EXPECT_EQ(binary.figure(figure), ascii.figure(figure)) << figure << "\n" << binary.text;
  EXPECT_EQ(binary.figure("Number of facets"), 19996);
  EXPECT_NEAR(binary.figure("Volume"), ascii.figure("Volume"), ascii.figure("Volume") * 1e-6) << binary.text;
}

// Rows of the default blade to six significant digits: radius, chord, twist, area, force, stress.
TEST_F(DefaultRun, TableRowsMatchTheKnownBlade) {
  const double expected[][6] = {
      {500, 43.9216, 2.59465, 3.90869, 0.0117318, 3.00147},
      {490, 44.8179, 2.74777, 162.794, 2.62945, 16.1520},
      {100, 104.148, 28.6901, 879.095, 321.488, 365.704},
      {19, 53.5208, 69.0925, 3295.76, 348.305, 105.683},
      {2, 50.3422, 83.2817, 346.922, 350.500, 1010.31},
  };
  std::vector<std::string> lines = linesOf(*xls);
  for (const auto& row : expected) {
    const std::string& line = lines[static_cast<std::size_t>(501 - row[0])];
    std::size_t start = 0;
    for (int column = 0; column < 6; ++column) {
      std::size_t tab = line.find('\t', start);
      double value = textToNumber(line.substr(start, tab - start));
      EXPECT_NEAR(value, row[column], std::abs(row[column]) * 6e-6)
          << "row " << row[0] << " column " << column;
      start = tab + 1;
    }
  }
}

struct MeshCase {
  const char* name;
  std::vector<std::pair<FormField, const char*>> changes;
  std::size_t facets;
};

class DesignMeshTest : public testing::TestWithParam<MeshCase> {};

TEST_P(DesignMeshTest, IsAClosedSurfaceWithoutNanOrInf) {
  TempFolder folder;
  FormTexts texts = formWith(GetParam().changes);
  texts[kFieldOutputName] = "b";
  RunResult result = runDesign(texts);
  ASSERT_EQ(result.status, RunStatus::kCompleted) << result.message;
  std::string stl = readFile("b.stl");
  EXPECT_EQ(stl.find("nan"), std::string::npos);
  EXPECT_EQ(stl.find("inf"), std::string::npos);
  auto check = checkClosedSurface(parseStl(stl));
  EXPECT_EQ(check.facets, GetParam().facets);
  EXPECT_EQ(check.unmatchedDirectedEdges, 0u);
  EXPECT_EQ(check.badEdges, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DesignMeshTest,
    testing::Values(
        MeshCase{"two blades", {{kFieldBlades, "2"}, {kFieldRadius, "200"}}, 4 * 9 + 40 * 199},
        MeshCase{"no hub chamfer", {{kFieldHubChamfer, "0"}, {kFieldRadius, "150"}}, 4 * 9 + 40 * 149},
        MeshCase{"four divisions", {{kFieldChordDivisions, "4"}, {kFieldRadius, "120"}}, 4 * 3 + 16 * 119},
        MeshCase{"tiny tip chamfer", {{kFieldTipChamfer, "0.5"}, {kFieldRadius, "120"}}, 4 * 9 + 40 * 119},
        MeshCase{"symmetric profile", {{kFieldProfile, "0012"}, {kFieldRadius, "120"}}, 4 * 9 + 40 * 119},
        MeshCase{"no hub", {{kFieldHubRadius, "0"}, {kFieldRadius, "100"}}, 4 * 9 + 40 * 99}));

}  // namespace
}  // namespace zephyrion
