#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "blade/form_fields.h"
#include "cli_options.h"
#include "cli_run.h"
#include "temp_folder.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using testing_support::Outcome;
using testing_support::readFile;
using testing_support::runCli;
using testing_support::TempFolder;

TEST(CommandLineDesigner, WithoutOptionsWritesTheDefaultBlade) {
  TempFolder folder;
  Outcome outcome = runCli("");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out.substr(0, outcome.out.find('\n')), "Rotor speed 955 RPM at 10 m/s wind");
  EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 4);
  EXPECT_TRUE(fs::exists("xx/Blade.stl"));
  EXPECT_TRUE(fs::exists("xx/Blade.xls"));
  EXPECT_TRUE(fs::exists("xx/Blade.txt"));
  EXPECT_EQ(outcome.err, "");
}

TEST(CommandLineDesigner, ReadsOptionsAsTheFormReadsItsFields) {
  TempFolder folder;
  EXPECT_EQ(runCli("--radius 100.5 --output=a --hub-chamfer 20").status, 0);
  EXPECT_EQ(runCli("--radius 100 --output=b --hub-chamfer 20").status, 0);
  EXPECT_EQ(readFile("a.xls"), readFile("b.xls")) << "100.5 rounds to 100, halves to even";
  std::string stl = readFile("a.stl");
  EXPECT_EQ(stl.substr(0, stl.find('\r')), "solid Zephyrion NACA4412 Radius=100 TSR=5 Blades=3");
}

struct RefusedCase {
  std::string arguments;
  const char* errorPart;
};

class RefusedCommandTest : public testing::TestWithParam<RefusedCase> {};

// bad.txt is a polar file with a malformed third line, for the cases that read one.
TEST_P(RefusedCommandTest, EndsWithStatusTwoAndWritesNothing) {
  TempFolder folder;
  std::ofstream("bad.txt") << "alpha CL CD\n-2 0.1 0.01\n3 0.8 0.0.2\n";
  Outcome outcome = runCli(GetParam().arguments);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find(GetParam().errorPart), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
      << "only the polar file the test wrote";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedCommandTest,
    testing::Values(
        RefusedCase{"--blades 0", "Number of blades must be from 1 to 20"},
        RefusedCase{"--divisions 2", "must be from 4 to 1,000"},
        RefusedCase{"--radius 99999999", "from 2 to 100,000"},
        RefusedCase{"--radius -5", "--radius takes digits and \".\" only"},
        RefusedCase{"--lift 1e3", "--lift takes digits"},
        RefusedCase{"--output \"$(printf 'a\\tb')\"", "--output takes printable ASCII"},
        RefusedCase{"--bogus 1", "unknown option"}, RefusedCase{"--radius", "--radius needs a value"},
        RefusedCase{"--threads 0", "--threads takes a whole number"},
        RefusedCase{"--threads=2x", "--threads takes a whole number"},
        RefusedCase{"--threads 1025", "from 1 to 1024"},
        RefusedCase{"--stl-format obj", "--stl-format takes"},
        RefusedCase{"--stl-format", "--stl-format needs a value"},
        RefusedCase{"--polar bad.txt", "--polar goes with an analysis"},
        RefusedCase{"--air-density 1.2", "--air-density goes with an analysis"},
        RefusedCase{"--rpm 300", "--rpm goes with --energy FILE.csv"},
        RefusedCase{"--material spruce", "--material goes with --strength FILE.csv"},
        RefusedCase{"--energy e.csv --max-rpm 0", "--max-rpm must be from 1 to 100,000 rpm"},
        RefusedCase{"--energy e.csv --control fixed-rpm --rpm 1000000", "--rpm must be"},
        RefusedCase{
            "--energy e.csv --site-mean-wind 0.0000000000000000000000000000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000001",
            "--site-mean-wind must be"},
        RefusedCase{"--energy e.csv --weibull 2", "--weibull takes the shape and the scale"},
        RefusedCase{"--energy e.csv --friction-nm abc", "--friction-nm takes a number"},
        RefusedCase{"--energy e.csv --control pitch", "--control takes"},
        RefusedCase{"--energy e.csv --altitude 20000", "--altitude must be from -500 to 11,000 m"},
        RefusedCase{"--energy e.csv --air-density 1.2 --altitude 300", "both set the air"},
        RefusedCase{"--energy xx/Blade.txt", "the run writes xx/Blade.txt there already"},
        RefusedCase{"--energy e.csv --strength e.csv", "the run writes e.csv there already"},
        RefusedCase{"--strength s.csv --material oak", "--material takes one of"},
        RefusedCase{"--strength s.csv --storm-wind 1000000000",
                    "--storm-wind takes the storm's wind speed from 1"},
        RefusedCase{"--strength s.csv --infill 0.5", "--infill"},
        RefusedCase{"--strength .", "it is a folder"},
        RefusedCase{"--write-polar p.txt --performance c.csv", "--write-polar writes the polar alone"},
        RefusedCase{"--write-polar p.txt --reynolds 0", "--reynolds must be from 50,000 to 10,000,000"},
        RefusedCase{"--write-polar p.txt --profile 9901", "NACA 9901: "},
        RefusedCase{"--reynolds 200000", "--reynolds goes with --write-polar FILE"},
        RefusedCase{"--surface smooth", "--surface goes with an analysis or --write-polar FILE"},
        RefusedCase{"--performance c.csv --surface glass", "--surface takes"},
        RefusedCase{"--performance c.csv --air-density 0", "from 0.3 to 1.6 kg/m3"},
        RefusedCase{"--performance c.csv --air-density 0.0000000000000000000000000000000000000000000"
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000001",
                    "from 0.3 to 1.6 kg/m3"},
        RefusedCase{"--performance c.csv --air-density 1,2", "--air-density takes a number"},
        RefusedCase{"--performance c.csv --polar missing.txt", "cannot read missing.txt"},
        RefusedCase{"--performance c.csv --polar .", "cannot read .: it is a folder"},
        RefusedCase{"--performance c.csv --polar /proc/self/mem", "cannot read /proc/self/mem"},
        RefusedCase{"--performance c.csv --polar /dev/zero", "it is not a regular file"},
        RefusedCase{"--performance missing/c.csv", "its folder does not exist"},
        RefusedCase{"--performance .", "it is a folder"},
        RefusedCase{"--performance xx/Blade.stl", "the run writes xx/Blade.stl there already"},
        RefusedCase{"--performance xx/../xx/Blade.xls", "the run writes xx/Blade.xls there already"},
        RefusedCase{"--performance c.csv --polar bad.txt", "bad.txt:3: \"0.0.2\" is not a number"},
        RefusedCase{"--performance c.csv --wind 0", "wind speed above 0"},
        RefusedCase{"--report", "--report needs a value"},
        RefusedCase{"--report ''", "--report needs a file name"},
        RefusedCase{"--report r.html --air-density 0", "from 0.3 to 1.6 kg/m3"},
        RefusedCase{"--report r.html --rated-power 0", "--rated-power must be"},
        RefusedCase{"--report r.html --storm-wind 1000000000",
                    "--storm-wind takes the storm's wind speed from 1"},
        RefusedCase{"--report r.html --site-mean-wind 0." + std::string(319, '0') + "1",
                    "--site-mean-wind must be"},
        RefusedCase{"--report r.html --shell-mm ten", "--shell-mm takes a number"},
        RefusedCase{"--report xx/Blade.stl", "the run writes xx/Blade.stl there already"},
        RefusedCase{"--report bad.txt --polar bad.txt", "the run reads its polar from there"},
        RefusedCase{"--strength r.html --report ./r.html", "the run writes r.html there already"},
        RefusedCase{"--report .", "it is a folder"},
        RefusedCase{"--report missing/r.html", "its folder does not exist"},
        RefusedCase{"--performance c.csv --blades 0", "Number of blades"}));

TEST(CommandLineDesigner, ReportsAFileThatCannotBeWrittenWithStatusOne) {
  TempFolder folder;
  Outcome outcome = runCli("--output 'd:\\missing\\deeper\\Blade'");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("Bad file name"), std::string::npos) << outcome.err;
}

TEST(CommandLineDesigner, ReportsResultsLostOnAFullStandardOutput) {
  TempFolder folder;
  std::string command =
      std::string("'") + ZEPHYRION_CLI_PATH + "' --radius 60 --hub-chamfer 10 >/dev/full 2>cli.err";
  int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  EXPECT_NE(readFile("cli.err").find("cannot write to standard output"), std::string::npos);
}

// A binary STL of n facets is 84 + 50 n bytes; the table is the same as with the ASCII STL.
TEST(CommandLineDesigner, WritesABinaryStlOnRequest) {
  TempFolder folder;
  ASSERT_EQ(runCli("--radius 60 --hub-chamfer 10 --output a").status, 0);
  Outcome binary = runCli("--radius 60 --hub-chamfer 10 --output b --stl-format binary --threads 2");
  ASSERT_EQ(binary.status, 0) << binary.err;
  EXPECT_EQ(binary.err, "");
  const std::uintmax_t facets = 4 * 9 + 40 * 59;
  EXPECT_EQ(fs::file_size("b.stl"), 84 + 50 * facets);
  EXPECT_EQ(readFile("b.xls"), readFile("a.xls"));
  EXPECT_EQ(runCli("--radius 60 --hub-chamfer 10 --output c --stl-format ascii --threads 3").status, 0);
  EXPECT_EQ(readFile("c.stl"), readFile("a.stl"));
}

// A pipe named as the polar would block the run until something writes to it: it is refused
// at once, and nothing is written.
TEST(CommandLineDesigner, RefusesAPipeAsThePolarWithoutWaitingOnIt) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  Outcome outcome = runCli("--performance c.csv --polar pipe");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("cannot read pipe: it is not a regular file"), std::string::npos) << outcome.err;
  EXPECT_FALSE(fs::exists("xx"));
}

// Help lists every option the parser takes, each form field with its range as the field table
// states it, and nothing it does not take.
TEST(CommandLineDesigner, HelpListsEveryOptionItTakes) {
  TempFolder folder;
  Outcome help = runCli("--help");
  EXPECT_EQ(help.status, 0);
  std::istringstream lines(help.out);
  int listed = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("  --", 0) != 0 || line.rfind("  --help", 0) == 0 || line.rfind("  --version", 0) == 0)
      continue;
    std::string name = line.substr(2, line.find(' ', 2) - 2);
    auto parsed = cli::parseCommandLine({name + "="});
    auto* error = std::get_if<cli::UsageError>(&parsed);
    EXPECT_TRUE(!error || error->message.find("unknown option") == std::string::npos) << name;
    ++listed;
  }
  EXPECT_GE(listed, kFormFieldCount + 5);
  for (const FormFieldEntry& entry : formFieldEntries())
    EXPECT_NE(help.out.find(std::string(entry.option) + " TEXT"), std::string::npos) << entry.option;
  EXPECT_NE(help.out.find("(default \"0.85\"; 0.1 to 2)"), std::string::npos);
  EXPECT_NE(help.out.find("Exit status:"), std::string::npos);
  EXPECT_NE(help.out.find("Examples:"), std::string::npos);
  Outcome version = runCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zephyrion-cli ", 0), 0u) << version.out;
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(CommandLineOptions, TakeTheFormDefaultsForUnsetOptions) {
  auto command = cli::parseCommandLine({"--blades=2", "--output", "x\\y"});
  auto* run = std::get_if<cli::RunDesign>(&command);
  ASSERT_NE(run, nullptr);
  FormTexts expected = defaultFormTexts();
  expected[kFieldBlades] = "2";
  expected[kFieldOutputName] = "x\\y";
  EXPECT_EQ(run->texts, expected);
}

TEST(CommandLineOptions, KeepTheRunOptionsBesideTheFormTexts) {
  auto command = cli::parseCommandLine({"--threads", "3", "--stl-format=binary", "--radius", "80"});
  auto* run = std::get_if<cli::RunDesign>(&command);
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->options.threads, 3u);
  EXPECT_EQ(run->options.stlFormat, StlFormat::kBinary);
  FormTexts expected = defaultFormTexts();
  expected[kFieldRadius] = "80";
  EXPECT_EQ(run->texts, expected) << "run options do not reach the form's texts";
  auto defaults = std::get<cli::RunDesign>(cli::parseCommandLine({}));
  EXPECT_EQ(defaults.options.threads, 0u) << "every core";
  EXPECT_EQ(defaults.options.stlFormat, StlFormat::kAscii);
}

TEST(CommandLineOptions, AcceptExactlyTheCharactersOfTheField) {
  EXPECT_TRUE(std::holds_alternative<cli::RunDesign>(cli::parseCommandLine({"--radius", "1.2.3"})));
  EXPECT_TRUE(std::holds_alternative<cli::RunDesign>(cli::parseCommandLine({"--radius", ""})));
  EXPECT_TRUE(std::holds_alternative<cli::UsageError>(cli::parseCommandLine({"--radius", "1e3"})));
  EXPECT_TRUE(std::holds_alternative<cli::UsageError>(cli::parseCommandLine({"--profile", "44 12"})));
  EXPECT_TRUE(std::holds_alternative<cli::RunDesign>(cli::parseCommandLine({"--output", "d:\\a b~"})));
  EXPECT_TRUE(std::holds_alternative<cli::UsageError>(cli::parseCommandLine({"--output", "caf\xC3\xA9"})));
}

}  // namespace
}  // namespace zephyrion
