#include "output/design_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "design_forms.h"
#include "stl_mesh.h"
#include "temp_folder.h"
#include "text/number_forms.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using testing_support::checkClosedSurface;
using testing_support::formWith;
using testing_support::parseStl;
using testing_support::readFile;
using testing_support::TempFolder;

TEST(DesignRun, TwoRunsRewriteTheFilesInsteadOfAppending) {
  TempFolder folder;
  FormTexts texts = formWith({{kFieldOutputName, "Blade"}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}});
  ASSERT_EQ(runDesign(texts).status, RunStatus::kCompleted);
  std::string first = readFile("Blade.stl");
  ASSERT_EQ(runDesign(texts).status, RunStatus::kCompleted);
  EXPECT_EQ(readFile("Blade.stl"), first);
  EXPECT_TRUE(fs::exists("Blade.xls"));
  EXPECT_TRUE(fs::exists("Blade.txt"));
}

TEST(DesignRun, HandsOverTheBuiltBladeOnceThenPreviewsEveryRowFromTheTipDownOnTheCallingThread) {
  TempFolder folder;
  std::vector<double> rows;
  int bladesBuilt = 0;
  const std::thread::id caller = std::this_thread::get_id();
  WriteOptions options;
  options.threads = 4;
  options.bladeBuilt = [&](const BladeGeometry& geometry) {
    EXPECT_EQ(geometry.grid.rotorRadius, 70);
    EXPECT_EQ(std::this_thread::get_id(), caller);
    EXPECT_TRUE(rows.empty() && !fs::exists("b.xls")) << "the blade comes before any file or row";
    ++bladesBuilt;
  };
  RunResult result = runDesign(
      formWith({{kFieldOutputName, "b"}, {kFieldRadius, "70"}, {kFieldHubChamfer, "20"}}),
      [&](const BladeGeometry& geometry, double row) {
        EXPECT_EQ(geometry.grid.rotorRadius, 70) << "the preview sees the finished blade";
        EXPECT_EQ(std::this_thread::get_id(), caller);
        rows.push_back(row);
      },
      options);
  ASSERT_EQ(result.status, RunStatus::kCompleted);
  EXPECT_EQ(bladesBuilt, 1);
  ASSERT_EQ(rows.size(), 69u);
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i], 70.0 - static_cast<double>(i));
}

// The rows are formatted in chunks on several threads; the files must not show it. Four hundred
// divisions make every row a chunk of its own, the default form chunks of many rows.
TEST(DesignRun, WritesTheSameBytesWithAnyNumberOfThreads) {
  TempFolder folder;
  for (const FormTexts& form :
       {formWith({{kFieldRadius, "60"}, {kFieldHubChamfer, "10"}, {kFieldChordDivisions, "400"}}),
        defaultFormTexts()}) {
    std::string stl;
    std::string xls;
    for (unsigned threads : {1u, 2u, 3u, 16u, 0u}) {
      FormTexts texts = form;
      texts[kFieldOutputName] = "t" + std::to_string(threads);
      WriteOptions options;
      options.threads = threads;
      ASSERT_EQ(runDesign(texts, {}, options).status, RunStatus::kCompleted);
      if (threads == 1) {
        stl = readFile("t1.stl");
        xls = readFile("t1.xls");
        continue;
      }
      EXPECT_EQ(readFile(texts[kFieldOutputName] + ".stl"), stl) << threads << " threads";
      EXPECT_EQ(readFile(texts[kFieldOutputName] + ".xls"), xls) << threads << " threads";
    }
  }
}

TEST(DesignRun, ReportsProgressOnTheCallingThreadUpToTheLastRow) {
  TempFolder folder;
  const std::thread::id caller = std::this_thread::get_id();
  std::vector<std::int64_t> written;
  WriteOptions options;
  options.threads = 3;
  options.progress = [&](std::int64_t rowsWritten, std::int64_t rows) {
    EXPECT_EQ(std::this_thread::get_id(), caller);
    EXPECT_EQ(rows, 499);
    written.push_back(rowsWritten);
  };
  ASSERT_EQ(runDesign(formWith({{kFieldOutputName, "b"}}), {}, options).status, RunStatus::kCompleted);
  ASSERT_GT(written.size(), 1u);
  EXPECT_TRUE(std::is_sorted(written.begin(), written.end()));
  EXPECT_EQ(written.back(), 499);
}

// A binary STL of n facets is 84 + 50 n bytes, the count in its header, and its facets are the
// ASCII file's, as 32-bit floats.
TEST(DesignRun, WritesTheSameFacetsAsABinaryStlOnRequest) {
  TempFolder folder;
  FormTexts texts = formWith({{kFieldRadius, "60"}, {kFieldHubChamfer, "10"}, {kFieldOutputName, "ascii"}});
  ASSERT_EQ(runDesign(texts).status, RunStatus::kCompleted);
  WriteOptions options;
  options.stlFormat = StlFormat::kBinary;
  texts[kFieldOutputName] = "binary";
  RunResult result = runDesign(texts, {}, options);
  ASSERT_EQ(result.status, RunStatus::kCompleted);
  EXPECT_EQ(readFile("binary.xls"), readFile("ascii.xls"));

  std::string binary = readFile("binary.stl");
  std::vector<testing_support::StlFacet> facets = parseStl(readFile("ascii.stl"));
  ASSERT_EQ(binary.size(), 84 + 50 * facets.size());
  EXPECT_EQ(static_cast<std::int64_t>(facets.size()), result.facetCount);
  std::uint32_t count = 0;
  for (int i = 3; i >= 0; --i)
    count = count << 8 | static_cast<unsigned char>(binary[80 + static_cast<std::size_t>(i)]);
  EXPECT_EQ(count, facets.size());
  std::string header = "binary Zephyrion NACA4412 Radius=60 TSR=5 Blades=3";
  EXPECT_EQ(binary.substr(0, 80), header + std::string(80 - header.size(), '\0'));

  for (std::size_t f = 0; f < facets.size(); ++f) {
    const char* record = binary.data() + 84 + 50 * f;
    std::vector<double> ascii;
    for (const std::string* line :
         {&facets[f].normal, &facets[f].vertex[0], &facets[f].vertex[1], &facets[f].vertex[2]}) {
      std::istringstream numbers(*line);
      for (double value; numbers >> value;)
        ascii.push_back(value);
    }
    ASSERT_EQ(ascii.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
      float stored;
      static_assert(std::endian::native == std::endian::little, "the floats are read as stored");
      std::memcpy(&stored, record + 4 * i, 4);
      EXPECT_NEAR(stored, static_cast<float>(ascii[i]), std::abs(static_cast<float>(ascii[i])) * 1.2e-7f)
          << "facet " << f << " number " << i;
    }
    EXPECT_EQ(record[48], 0);
    EXPECT_EQ(record[49], 0);
  }
}

struct NameCase {
  const char* outputName;
  const char* existingFolder;  // made before the run, or nullptr
  RunStatus status;
  const char* writtenStl;  // the STL path that must exist afterwards, or nullptr
};

class OutputNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(OutputNameTest, FollowsTheDirectoryRule) {
  TempFolder folder;
  const NameCase& c = GetParam();
  if (c.existingFolder) fs::create_directories(c.existingFolder);
  RunResult result =
      runDesign(formWith({{kFieldOutputName, c.outputName}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}}));
  EXPECT_EQ(result.status, c.status) << result.message;
  if (c.writtenStl) {
    EXPECT_TRUE(fs::exists(c.writtenStl));
  } else {
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(folder.path()), {}), c.existingFolder ? 1 : 0)
        << "nothing may be written";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, OutputNameTest,
    testing::Values(NameCase{"Blade", nullptr, RunStatus::kCompleted, "Blade.stl"},
                    NameCase{"d:\\xx\\Blade", nullptr, RunStatus::kCompleted, "xx/Blade.stl"},
                    NameCase{"d:\\xx\\", nullptr, RunStatus::kCompleted, "xx/.stl"},
                    NameCase{"", nullptr, RunStatus::kCompleted, ".stl"},
                    NameCase{"d:\\a\\b\\Blade", nullptr, RunStatus::kBadFileName, nullptr},
                    NameCase{"d:/xx/Blade", nullptr, RunStatus::kBadFileName, nullptr},
                    NameCase{"d:/xx/Blade", "xx", RunStatus::kCompleted, "xx/Blade.stl"},
                    NameCase{"Bad file name", nullptr, RunStatus::kCompleted, "Bad file name.stl"}));

TEST(DesignRun, BadFileNameLeavesNoSlotTakenForTheNextRun) {
  TempFolder folder;
  fs::create_directory("a");
  // The .xls cannot be created: a folder stands in its place.
  fs::create_directory("a/Blade.xls");
  RunResult failed =
      runDesign(formWith({{kFieldOutputName, "a/Blade"}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}}));
  EXPECT_EQ(failed.status, RunStatus::kBadFileName);
  EXPECT_EQ(failed.message, "Bad file name");
  EXPECT_FALSE(fs::exists("a/Blade.txt")) << "a bad file name creates no file";
  RunResult next =
      runDesign(formWith({{kFieldOutputName, "Blade"}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}}));
  EXPECT_EQ(next.status, RunStatus::kCompleted);
  EXPECT_TRUE(fs::exists("Blade.txt"))
      << "a slot left open by the failed run would keep the .txt from being made";
}

// Every way a run can fail after its name was accepted: it is reported, its files are closed,
// and the files it created are removed, so that nothing truncated passes for a design.
struct FailureCase {
  const char* name;
  const char* blocked;  // the file that cannot be made or written
  bool fullDisk;        // a link to /dev/full instead of a folder in its place
  bool throwingPreview;
  const char* messagePart;
};

class FailedRunTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailedRunTest, IsReportedAndLeavesNoFileOfTheRun) {
  TempFolder folder;
  const FailureCase& c = GetParam();
  if (c.blocked && c.fullDisk) fs::create_symlink("/dev/full", c.blocked);
  if (c.blocked && !c.fullDisk) fs::create_directory(c.blocked);
  RowPreview preview;
  if (c.throwingPreview) preview = [](const BladeGeometry&, double) { throw std::out_of_range("row 7"); };
  RunResult result = runDesign(
      formWith({{kFieldOutputName, "Blade"}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}}), preview);
  EXPECT_EQ(result.status, RunStatus::kWriteFailed);
  EXPECT_NE(result.message.find(c.messagePart), std::string::npos) << result.message;
  for (const char* file : {"Blade.stl", "Blade.xls", "Blade.txt"}) {
    bool blockedHere = c.blocked && !c.fullDisk && std::string(file) == c.blocked;
    EXPECT_EQ(fs::exists(file), blockedHere) << file;
  }
  EXPECT_EQ(runDesign(formWith({{kFieldOutputName, "next"}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}}))
                .status,
            RunStatus::kCompleted)
      << "the failed run left a file slot open";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedRunTest,
    testing::Values(FailureCase{"stl folder", "Blade.stl", false, false, "Cannot create Blade.stl"},
                    FailureCase{"txt folder", "Blade.txt", false, false, "Cannot create Blade.txt"},
                    FailureCase{"full disk", "Blade.stl", true, false, "disk full"},
                    FailureCase{"exception", nullptr, false, true, "row 7"}),
    [](const testing::TestParamInfo<FailureCase>& param) {
      std::string name = param.param.name;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

// Each range check at its edge: the value just outside is refused, naming the field as its
// caption reads and the range, with nothing written; the value on the edge is built. The radius
// is small where the field allows, so that the accepted runs are quick.
struct RangeEdgeCase {
  FormField field;
  const char* refused;
  const char* accepted;
  const char* messagePart;
  std::vector<std::pair<FormField, const char*>> others = {};  // what the edge needs besides
};

class RangeEdgeTest : public testing::TestWithParam<RangeEdgeCase> {};

const std::string kThreeHundredNineOnes(309, '1');  // about 1.1e308, the largest a field reads finitely

// Lines of at most `width` characters, broken between words, that the message takes.
int wrappedLines(const std::string& message, std::size_t width) {
  int lines = 0;
  std::size_t lineLength = width + 1;
  for (std::size_t start = 0; start < message.size();) {
    std::size_t end = std::min(message.find(' ', start), message.size());
    std::size_t word = end - start;
    if (lineLength + 1 + word > width) {
      ++lines;
      lineLength = word;
    } else {
      lineLength += 1 + word;
    }
    start = end + 1;
  }
  return lines;
}

TEST_P(RangeEdgeTest, RefusesJustOutsideAndBuildsOnTheEdge) {
  TempFolder folder;
  const RangeEdgeCase& c = GetParam();
  FormTexts texts = formWith({{kFieldRadius, "60"}, {kFieldHubChamfer, "10"}, {kFieldOutputName, "b"}});
  for (const auto& [field, text] : c.others)
    texts[field] = text;
  texts[c.field] = c.refused;
  RunResult refused = runDesign(texts);
  EXPECT_EQ(refused.status, RunStatus::kRefused);
  EXPECT_NE(refused.message.find(c.messagePart), std::string::npos) << refused.message;
  EXPECT_LE(wrappedLines(refused.message, 39), 4) << "the results panel shows four lines of 39 characters";
  EXPECT_TRUE(fs::is_empty(folder.path())) << "a refused design writes nothing";
  texts[c.field] = c.accepted;
  RunResult accepted = runDesign(texts);
  EXPECT_EQ(accepted.status, RunStatus::kCompleted) << accepted.message;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RangeEdgeTest,
    testing::Values(
        RangeEdgeCase{kFieldProfile, "0000", "0001",
                      "NACA profile [4 digit] must end in a thickness from 01 to 30"},
        RangeEdgeCase{kFieldProfile, "4431", "4430", "thickness from 01 to 30"},
        RangeEdgeCase{kFieldLift, "0.09", "0.1", "Lift coefficient must be from 0.1 to 2:"},
        RangeEdgeCase{kFieldLift, "2.01", "2", "Lift coefficient must be from 0.1 to 2:"},
        RangeEdgeCase{kFieldLift, kThreeHundredNineOnes.c_str(), "2", "Lift coefficient"},
        RangeEdgeCase{kFieldRadius,
                      "1",
                      "2",
                      "Radius of rotor [mm] must be from 2 to 100,000:",
                      {{kFieldTipChamfer, "1"}, {kFieldHubRadius, "0"}, {kFieldHubChamfer, "0"}}},
        RangeEdgeCase{kFieldBlades, "0", "1", "Number of blades must be from 1 to 20:"},
        RangeEdgeCase{kFieldBlades, "21", "20", "Number of blades must be from 1 to 20:"},
        RangeEdgeCase{kFieldTipSpeedRatio, "0.4", "0.5", "Tip speed ratio must be from 0.5 to 20:"},
        RangeEdgeCase{kFieldTipSpeedRatio, "20.1", "20", "Tip speed ratio must be from 0.5 to 20:"},
        RangeEdgeCase{kFieldTipChamfer, "0.24", "0.25",
                      "Blade tip chamfer [mm] must be from 0.25 to the radius (60):"},
        RangeEdgeCase{kFieldTipChamfer, "60.5", "60",
                      "Blade tip chamfer [mm] must be from 0.25 to the radius (60):"},
        RangeEdgeCase{kFieldAngleOfAttack, "20.1", "20",
                      "Angle of attack (alpha) must be from 0 to 20 degrees:"},
        RangeEdgeCase{kFieldChordLimitZ, "0.99", "1", "Chord limit in Z (Height) [mm] must be at least 1:"},
        RangeEdgeCase{kFieldChordLimitX, ".", "1", "Chord limit in X (Width) [mm] must be at least 1:"},
        RangeEdgeCase{kFieldDensity, "0", "1", "Density of blade [kg/m3] must be from 1 to 25,000:"},
        RangeEdgeCase{kFieldDensity, "25000.1", "25000",
                      "Density of blade [kg/m3] must be from 1 to 25,000:"},
        RangeEdgeCase{kFieldWindSpeed, "100.1", "100",
                      "Max operating wind speed [m/s] must be from 0 to 100:"},
        RangeEdgeCase{kFieldHubRadius, "61", "60", "Hub radius [mm] must be from 0 to the radius (60):"},
        // The default hub's wedge ends at row 19, so the blend may reach row 60 - 19 - 1 = 40.
        RangeEdgeCase{kFieldHubChamfer, "41", "40", "Hub to blade chamfer [mm] must be from 0 to 40:"},
        RangeEdgeCase{kFieldChordDivisions, "3", "4",
                      "STL precision [Chord divisions] must be from 4 to 1,000:"},
        RangeEdgeCase{kFieldChordDivisions, "1002", "1001",
                      "STL precision [Chord divisions] must be from 4 to 1,000:"}));

// A thin, strongly cambered section on a short blade: its hub block is a flat plate, and the blend
// out of it folds over itself. The refusal names a chamfer that does not fold, and it does not.
TEST(DesignRun, RefusesABlendThatFoldsAndNamesAChamferThatBuildsSoundly) {
  TempFolder folder;
  FormTexts texts = formWith({{kFieldProfile, "4401"}, {kFieldRadius, "60"}, {kFieldHubChamfer, "10"}});
  RunResult folded = runDesign(texts);
  ASSERT_EQ(folded.status, RunStatus::kRefused);
  std::string suffix = " gives a sound blade.";
  ASSERT_EQ(folded.message.rfind("Hub to blade chamfer [mm] of 10 folds", 0), 0u) << folded.message;
  ASSERT_GT(folded.message.size(), suffix.size());
  std::string before = folded.message.substr(0, folded.message.size() - suffix.size());
  texts[kFieldHubChamfer] = before.substr(before.rfind(' ') + 1);
  EXPECT_EQ(runDesign(texts).status, RunStatus::kCompleted) << texts[kFieldHubChamfer];
  EXPECT_TRUE(fs::exists("xx/Blade.stl"));
}

TEST(DesignRun, RefusesMoreFacetsThanCanBeWrittenWithTheirTrueCount) {
  TempFolder folder;
  RunResult result = runDesign(formWith({{kFieldRadius, "60000"}, {kFieldChordDivisions, "1000"}}));
  EXPECT_EQ(result.status, RunStatus::kRefused);
  EXPECT_NE(result.message.find("give 239,999,996 facets; at most 20,000,000 can be written"),
            std::string::npos)
      << result.message;
}

}  // namespace
}  // namespace zephyrion
