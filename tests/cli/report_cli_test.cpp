// zephyrion-cli --report: one page of the run's design and analyses, whose figures are those the
// run prints and writes, read back from the page by a strict XML parser.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli_run.h"
#include "strict_xml.h"
#include "temp_folder.h"
#include "text/number_forms.h"
#include "text_lines.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using testing_support::linesOf;
using testing_support::Outcome;
using testing_support::readFile;
using testing_support::runCli;
using testing_support::StrictXml;
using testing_support::TempFolder;

using Rows = std::vector<std::vector<std::string>>;

Rows cellsOf(const std::string& text, char separator) {
  Rows rows;
  for (const std::string& line : linesOf(text)) {
    rows.emplace_back();
    for (std::size_t from = 0, to = 0; to != std::string::npos; from = to + 1) {
      to = line.find(separator, from);
      rows.back().push_back(line.substr(from, to == std::string::npos ? to : to - from));
    }
  }
  return rows;
}

// A column of a table whose first row names its columns, each value as the page writes a figure;
// rows of another width (the table file's summary lines) are not the table's.
std::vector<std::string> figuresOf(const Rows& rows, const std::string& name) {
  auto at = std::find(rows.at(0).begin(), rows.at(0).end(), name) - rows.at(0).begin();
  std::vector<std::string> figures;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].size() == rows[0].size()) figures.push_back(figureText(std::stod(rows[i].at(at))));
  }
  return figures;
}

// The numbers table of one series of a plot: each drawn point must be the file's at its x.
void expectFileFigures(const StrictXml& page, const std::string& plot, const std::string& series,
                       const std::vector<std::string>& fileX, const std::vector<std::string>& fileY) {
  SCOPED_TRACE(plot + ": " + series);
  std::string cells =
      "//h:figure[s:svg/s:title='" + plot + "']//h:table[h:caption='" + series + "']/h:tbody/h:tr/h:td";
  std::vector<std::string> x = page.texts(cells + "[1]"), y = page.texts(cells + "[2]");
  std::map<std::string, std::string> file;
  for (std::size_t i = 0; i < fileX.size(); ++i)
    file[fileX[i]] = fileY.at(i);
  ASSERT_FALSE(x.empty());
  ASSERT_EQ(x.size(), y.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    ASSERT_TRUE(file.count(x[i])) << x[i];
    EXPECT_EQ(y[i], file[x[i]]) << "at " << x[i];
  }
}

// The marked point's row in the plot's table: its x and y.
std::vector<std::string> mark(const StrictXml& page, const std::string& plot, const std::string& label) {
  return page.texts("//h:figure[s:svg/s:title='" + plot + "']//h:tr[h:td[1]='" + label +
                    "']/h:td[position()>1]");
}

// The word after `before` in a printed line, up to a blank or punctuation.
std::string wordAfter(const std::string& line, const std::string& before) {
  std::size_t at = line.find(before);
  EXPECT_NE(at, std::string::npos) << before << " in " << line;
  if (at == std::string::npos) return {};
  at += before.size();
  return line.substr(at, line.find_first_of(" ,;)", at) - at);
}

// No number in the file is "nan" or "inf", in any word.
void expectOnlyNumbers(const fs::path& file) {
  std::string text = readFile(file);
  auto letter = [&](std::size_t i) {
    return i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]));
  };
  for (const char* word : {"nan", "inf"}) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
      EXPECT_TRUE((at > 0 && letter(at - 1)) || letter(at + 3)) << file << " holds " << word << " at " << at;
  }
}

TEST(DesignReport, ShowsTheFiguresTheRunPrintsAndWrites) {
  TempFolder folder;
  ASSERT_EQ(runCli("--output plain").status, 0);
  Outcome run =
      runCli("--performance p.csv --energy e.csv --strength s.csv --report r.html --output 'w <&> it'");
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* extension : {".stl", ".xls", ".txt"})
    EXPECT_EQ(readFile(std::string("w <&> it") + extension), readFile(std::string("plain") + extension));
  StrictXml page(readFile("r.html"));
  ASSERT_TRUE(page.wellFormed()) << page.errors();
  EXPECT_EQ(page.texts("//h:footer//h:code").at(0),
            "zephyrion-cli --performance p.csv --energy e.csv --strength s.csv --report r.html --output 'w "
            "<&> it'");

  std::vector<std::string> paragraphs = page.texts("//h:section/h:p");
  std::vector<std::string> printed = linesOf(run.out, "\n");
  ASSERT_EQ(printed.size(), 4u + 4 + 4 + 5);
  for (const std::string& line : printed)
    EXPECT_NE(std::find(paragraphs.begin(), paragraphs.end(), line), paragraphs.end()) << line;

  Rows table = cellsOf(readFile("w <&> it.xls"), '\t'), curve = cellsOf(readFile("p.csv"), ','),
       energy = cellsOf(readFile("e.csv"), ','), strength = cellsOf(readFile("s.csv"), ',');
  std::vector<std::string> radius = figuresOf(table, "Radius [mm]");
  expectFileFigures(page, "Planform: the chord along the radius", "Chord as built", radius,
                    figuresOf(table, "Chord [mm]"));
  expectFileFigures(page, "Twist along the radius", "Twist", radius,
                    figuresOf(table, "Angle of attack [deg]"));
  std::string cpPlot = "Power coefficient against tip speed ratio";
  expectFileFigures(page, cpPlot, "Power coefficient", figuresOf(curve, "tip_speed_ratio"),
                    figuresOf(curve, "power_coefficient"));
  std::vector<std::string> wind = figuresOf(energy, "wind_m_s");
  std::string powerPlot = "Power curve and energy by wind speed";
  expectFileFigures(page, powerPlot, "Power delivered", wind, figuresOf(energy, "output_W"));
  expectFileFigures(page, powerPlot, "Energy a year, bars 0.5 m/s wide", wind,
                    figuresOf(energy, "energy_kWh"));
  std::vector<std::string> span = figuresOf(strength, "radius_mm");
  const std::pair<const char*, const char*> cases[] = {
      {"operating", "operating"}, {"runaway", "runaway"}, {"parked in a storm", "parked"}};
  for (const auto& [name, key] : cases) {
    expectFileFigures(page, "Largest stress along the span", name, span,
                      figuresOf(strength, std::string(key) + "_stress_MPa"));
    expectFileFigures(page, "Safety factor along the span", name, span,
                      figuresOf(strength, std::string(key) + "_safety_factor"));
  }

  EXPECT_EQ(mark(page, cpPlot, "design"), (std::vector<std::string>{wordAfter(printed[4], "tip speed ratio "),
                                                                    wordAfter(printed[4], "Cp ")}));
  EXPECT_EQ(mark(page, cpPlot, "best"),
            (std::vector<std::string>{wordAfter(printed[5], "Best tip speed ratio "),
                                      wordAfter(printed[5], "Cp ")}));
  for (std::size_t c = 0; c < 3; ++c) {
    const std::string& line = printed[13 + c];
    std::string factor = wordAfter(line, "safety factor ");
    if (factor == "of") factor = wordAfter(line, "safety factor of ");
    EXPECT_EQ(mark(page, "Safety factor along the span", std::string("weakest, ") + cases[c].first),
              (std::vector<std::string>{wordAfter(line, "r = "), factor}));
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
    if (entry.is_regular_file()) expectOnlyNumbers(entry.path());
}

// Options at the ends of their ranges, a denormal among them, give figures and no nan or inf.
TEST(DesignReport, OfExtremeOptionsHoldsOnlyNumbers) {
  TempFolder folder;
  std::string denormal = "0." + std::string(319, '0') + "1";
  Outcome run = runCli(
      "--report r.html --radius 2 --hub-radius 0 --hub-chamfer 0 --tip-chamfer 0.25 --wind 100 "
      "--tsr 20 --max-rpm 100000 --rated-power 1000000000 --storm-wind 1 --divisions 1000 "
      "--friction-nm " +
      denormal);
  ASSERT_EQ(run.status, 0) << run.err;
  StrictXml page(readFile("r.html"));
  EXPECT_TRUE(page.wellFormed()) << page.errors();
  for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
    if (entry.is_regular_file()) expectOnlyNumbers(entry.path());
}

// A design that only the report wants analysed, and that the rotor analysis cannot take, is
// written with a page that says why it has no analyses.
TEST(DesignReport, SaysWhyADesignHasNoAnalysis) {
  TempFolder folder;
  Outcome run = runCli("--report r.html --wind 0");
  ASSERT_EQ(run.status, 0) << run.err;
  StrictXml page(readFile("r.html"));
  ASSERT_TRUE(page.wellFormed()) << page.errors();
  std::vector<std::string> warnings = page.texts("//h:ul[@class='warnings']/h:li");
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_EQ(warnings[0],
            "No rotor performance: The rotor analysis needs a maximum operating wind speed above 0.");
  EXPECT_EQ(page.texts("//h:h2"),
            (std::vector<std::string>{"The design", "The blade", "How it is computed"}));
  EXPECT_TRUE(fs::exists("xx/Blade.stl"));
}

// A report that cannot be written fails the run and takes back every file it wrote.
TEST(DesignReport, ThatCannotBeWrittenTakesBackEveryFile) {
  TempFolder folder;
  Outcome run = runCli("--energy e.csv --report /dev/full --output blade");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Cannot write /dev/full"), std::string::npos) << run.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 0);
}

}  // namespace
}  // namespace zephyrion
