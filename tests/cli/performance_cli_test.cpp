// zephyrion-cli --performance: the rotor's curve beside the design files, which stay as they are.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "cli_run.h"
#include "rotor/polar_reader.h"
#include "temp_folder.h"
#include "text_lines.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using testing_support::linesOf;
using testing_support::Outcome;
using testing_support::readFile;
using testing_support::runCli;
using testing_support::TempFolder;

constexpr double kPi = std::numbers::pi;

std::vector<double> numbersOf(const std::string& row) {
  std::vector<double> values;
  std::stringstream in(row);
  for (std::string field; std::getline(in, field, ',');)
    values.push_back(std::stod(field));
  return values;
}

// The curve's rows: tip speed ratio, Cp, Ct, power, torque, thrust, rpm, unsolved sections.
std::vector<std::vector<double>> curveRows(const std::string& file) {
  std::vector<std::string> lines = linesOf(readFile(file), "\r\n");
  EXPECT_EQ(lines.at(0),
            "tip_speed_ratio,power_coefficient,thrust_coefficient,power_W,torque_Nm,thrust_N,rpm,unsolved_"
            "sections");
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 1; i < lines.size(); ++i)
    rows.push_back(numbersOf(lines[i]));
  return rows;
}

bool near(double x, double y, double relative) {
  return std::fabs(x - y) <= relative * std::fabs(y);
}

TEST(PerformanceCurve, IsWrittenBesideTheUnchangedDesignFiles) {
  TempFolder folder;
  ASSERT_EQ(runCli("--output plain").status, 0);
  Outcome outcome = runCli("--performance curve.csv --output with");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  for (const char* extension : {".stl", ".xls", ".txt"})
    EXPECT_EQ(readFile(std::string("with") + extension), readFile(std::string("plain") + extension))
        << extension;

  std::vector<std::string> printed = linesOf(outcome.out, "\n");
  ASSERT_EQ(printed.size(), 8u) << outcome.out;
  EXPECT_EQ(printed[0], "Rotor speed 955 RPM at 10 m/s wind");
  EXPECT_EQ(printed[4].rfind("Power ", 0), 0u);
  EXPECT_NE(printed[4].find(" at tip speed ratio 5"), std::string::npos);
  EXPECT_EQ(printed[5].rfind("Best tip speed ratio ", 0), 0u);
  EXPECT_EQ(printed[6].rfind("Thrust ", 0), 0u);
  EXPECT_EQ(printed[7].rfind("Root flapwise bending moment ", 0), 0u);

  // The default rotor: radius 0.5 m, wind 10 m/s, air 1.225 kg/m3.
  std::vector<std::vector<double>> rows = curveRows("curve.csv");
  ASSERT_EQ(rows.size(), 30u);
  double windPower = 0.5 * 1.225 * kPi * 0.5 * 0.5 * 1000;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::vector<double>& row = rows[i];
    ASSERT_EQ(row.size(), 8u);
    double omega = row[0] * 10 / 0.5;
    EXPECT_EQ(row[0], 0.5 + 0.5 * static_cast<double>(i));
    EXPECT_TRUE(near(row[1], row[3] / windPower, 1e-12)) << "Cp at " << row[0];
    EXPECT_TRUE(near(row[2], row[5] / (windPower / 10), 1e-12)) << "Ct at " << row[0];
    EXPECT_TRUE(near(row[3], row[4] * omega, 1e-12)) << "power at " << row[0];
    EXPECT_TRUE(near(row[6], omega * 60 / (2 * kPi), 1e-12)) << "rpm at " << row[0];
    EXPECT_EQ(row[7], 0);
  }
  // The design point, tip speed ratio 5, is the curve's 10th row, printed to four digits.
  std::string power = printed[4].substr(6, printed[4].find(' ', 6) - 6);
  EXPECT_TRUE(near(std::stod(power), rows[9][3], 5e-4)) << printed[4];
}

// A polar at one Reynolds number keeps the induction free of the air's density: power and
// thrust scale with it and the coefficients stay.
TEST(PerformanceCurve, ScalesWithTheAirDensity) {
  TempFolder folder;
  std::ofstream polar("polar.txt");
  polar << "  measured section\n\n  alpha    CL        CD       CM\n ------ -------- --------- --------\n";
  for (int alpha = -8; alpha <= 14; ++alpha)
    polar << alpha << " " << 0.1 * (alpha + 4) << " " << 0.01 + 0.0002 * alpha * alpha << " -0.1\n";
  polar.close();
  ASSERT_EQ(runCli("--performance thin.csv --polar polar.txt --air-density 0.75").status, 0);
  ASSERT_EQ(runCli("--performance dense.csv --polar polar.txt --air-density 1.5").status, 0);
  std::vector<std::vector<double>> thin = curveRows("thin.csv");
  std::vector<std::vector<double>> dense = curveRows("dense.csv");
  ASSERT_EQ(thin.size(), dense.size());
  for (std::size_t i = 0; i < thin.size(); ++i) {
    EXPECT_TRUE(near(dense[i][1], thin[i][1], 1e-9)) << "Cp at " << thin[i][0];
    EXPECT_TRUE(near(dense[i][3], 2 * thin[i][3], 1e-9)) << "power at " << thin[i][0];
    EXPECT_TRUE(near(dense[i][5], 2 * thin[i][5], 1e-9)) << "thrust at " << thin[i][0];
  }
}

// --write-polar writes the built-in polar and nothing else, from -20 to 30 degrees in steps of
// at most 0.5, in the form --polar reads back; the builder can feed it to the analysis.
TEST(WrittenPolar, IsReadBackByPolarAndIsTheOnlyFileWritten) {
  TempFolder folder;
  Outcome written = runCli("--write-polar rough.txt");
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
  auto read = rotor::readPolarText(readFile("rough.txt"));
  ASSERT_TRUE(std::holds_alternative<rotor::Polar>(read));
  const std::vector<rotor::PolarPoint>& points = std::get<rotor::Polar>(read).points;
  ASSERT_GE(points.size(), 101u);
  EXPECT_EQ(points.front().alphaDegrees, -20);
  EXPECT_EQ(points.back().alphaDegrees, 30);
  for (std::size_t i = 1; i < points.size(); ++i) {
    EXPECT_LE(points[i].alphaDegrees - points[i - 1].alphaDegrees, 0.5);
    EXPECT_GT(points[i].drag, 0);
  }
  ASSERT_EQ(runCli("--write-polar smooth.txt --surface smooth --reynolds 500000").status, 0);
  EXPECT_NE(readFile("smooth.txt"), readFile("rough.txt"));
  Outcome fed = runCli("--performance c.csv --polar rough.txt");
  EXPECT_EQ(fed.status, 0) << fed.err;
}

// A profile the built-in polar model refuses is named; the design files are written as without
// the analysis, and no analysis file is.
TEST(PerformanceCurve, OfARefusedProfileIsNotWrittenButTheDesignIs) {
  TempFolder folder;
  ASSERT_EQ(runCli("--profile 9901 --output plain").status, 0);
  Outcome outcome = runCli("--profile 9901 --performance c.csv --output with");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("NACA 9901: "), std::string::npos) << outcome.err;
  EXPECT_FALSE(fs::exists("c.csv"));
  for (const char* extension : {".stl", ".xls", ".txt"})
    EXPECT_EQ(readFile(std::string("with") + extension), readFile(std::string("plain") + extension));
}

// The design run makes its output folder; a curve may go into it.
TEST(PerformanceCurve, MayGoIntoTheFolderTheRunMakes) {
  TempFolder folder;
  Outcome outcome = runCli("--performance xx/curve.csv");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_TRUE(fs::exists("xx/curve.csv"));
  EXPECT_TRUE(fs::exists("xx/Blade.stl"));
}

// A curve that cannot be written ends the run with status 1 and takes back the design files: a
// run writes all it was asked for or nothing.
TEST(PerformanceCurve, ThatCannotBeWrittenTakesBackTheDesignFiles) {
  TempFolder folder;
  Outcome outcome = runCli("--performance /dev/full --output blade");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("Cannot write /dev/full"), std::string::npos) << outcome.err;
  EXPECT_FALSE(fs::exists("blade.stl"));
  EXPECT_FALSE(fs::exists("blade.xls"));
  EXPECT_FALSE(fs::exists("blade.txt"));
  EXPECT_TRUE(fs::exists("/dev/full")) << "a device written to is never removed";
}

}  // namespace
}  // namespace zephyrion
