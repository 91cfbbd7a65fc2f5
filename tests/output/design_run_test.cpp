#include "output/design_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
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

TEST(DesignRun, CallsThePreviewForEveryRowFromTheTipDown) {
  TempFolder folder;
  std::vector<double> rows;
  RunResult result =
      runDesign(formWith({{kFieldOutputName, "b"}, {kFieldRadius, "70"}, {kFieldHubChamfer, "20"}}),
                [&](const BladeGeometry& geometry, double row) {
                  EXPECT_EQ(geometry.axisOffset, geometry.axisOffset);
                  rows.push_back(row);
                });
  ASSERT_EQ(result.status, RunStatus::kCompleted);
  ASSERT_EQ(rows.size(), 69u);
  EXPECT_EQ(rows.front(), 70);
  EXPECT_EQ(rows.back(), 2);
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

struct RefusalCase {
  FormField field;
  const char* text;
  const char* messagePart;
};

class RefusedDesignTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedDesignTest, NamesTheFieldAndWritesNothing) {
  TempFolder folder;
  const RefusalCase& c = GetParam();
  RunResult result = runDesign(formWith({{c.field, c.text}}));
  EXPECT_EQ(result.status, RunStatus::kRefused);
  EXPECT_NE(result.message.find(c.messagePart), std::string::npos) << result.message;
  EXPECT_TRUE(fs::is_empty(folder.path())) << "a refused design writes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RefusedDesignTest,
    testing::Values(RefusalCase{kFieldBlades, "0", "Number of blades must be 1 or more"},
                    RefusalCase{kFieldChordDivisions, "2",
                                "STL precision [Chord divisions] must be 4 or more"},
                    RefusalCase{kFieldChordDivisions, "3", "must be 4 or more"},
                    RefusalCase{kFieldRadius, "99999999", "facets; at most 20,000,000 are written"},
                    RefusalCase{kFieldRadius, "1e300", "facets"}, RefusalCase{kFieldRadius, "1", "2 or more"},
                    RefusalCase{kFieldRadius, "", "Radius of rotor [mm] must be 2 or more"},
                    RefusalCase{kFieldLift, "0", "Lift coefficient must be above 0"},
                    RefusalCase{kFieldLift, "1e999", "Lift coefficient is too large"},
                    RefusalCase{kFieldTipSpeedRatio, "0", "Tip speed ratio must be above 0"},
                    RefusalCase{kFieldTipChamfer, "0", "at most the radius (500)"},
                    RefusalCase{kFieldTipChamfer, "500.5", "Blade tip chamfer [mm]"},
                    RefusalCase{kFieldChordLimitZ, "0", "Chord limit in Z (Height) [mm] must be above 0"},
                    RefusalCase{kFieldChordLimitX, ".", "Chord limit in X (Width) [mm] must be above 0"},
                    RefusalCase{kFieldHubRadius, "501", "Hub radius [mm] must be from 0 to the radius (500)"},
                    RefusalCase{kFieldHubChamfer, "481", "Hub to blade chamfer [mm] must be from 0 to 480"},
                    RefusalCase{kFieldProfile, "4400", "thickness"},
                    RefusalCase{kFieldDensity, "1e999", "Density of blade [kg/m3] is too large"},
                    RefusalCase{kFieldLift, "0.000000000001", "optimum chord of 1.866666666666667e+016 mm"}));

TEST(DesignRun, AcceptsTheLargestHubChamfer) {
  TempFolder folder;
  // Q = 19 for the default hub, so the blend may reach row 500 - 19 - 1 = 480.
  RunResult result = runDesign(formWith({{kFieldHubChamfer, "480"}, {kFieldOutputName, "b"}}));
  EXPECT_EQ(result.status, RunStatus::kCompleted) << result.message;
}

}  // namespace
}  // namespace zephyrion
