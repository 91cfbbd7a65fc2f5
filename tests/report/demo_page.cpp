// Writes a report page of made-up curves and of every kind of bad input the plots must survive,
// for the browser check (browser_check.py) to open: demo_page FILE.html
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "bad_plots.h"
#include "report/report_page.h"

namespace zephyrion::report {
namespace {

using testing_support::kInf;
using testing_support::kNan;

// A hump shaped like a rotor's power coefficient curve; not a model of anything.
Plot powerCoefficientPlot() {
  Series cp{"Cp", {}, {}, DrawnAs::LineAndMarkers};
  for (double tsr = 1; tsr <= 15; tsr += 0.5) {
    cp.x.push_back(tsr);
    cp.y.push_back(0.43 * (tsr / 4.2) * std::exp(1 - tsr / 4.2));
  }
  return {"Power coefficient against tip speed ratio",
          "A made-up curve with its design and best points.",
          {"Tip speed ratio", ""},
          {"Power coefficient Cp", ""},
          {cp},
          std::nullopt,
          {{"design", 5, 0.4228}, {"best", 4.2, 0.43}},
          ReferenceLine{"Betz limit", 16.0 / 27}};
}

Plot powerCurvePlot() {
  Series power{"Power", {}, {}, DrawnAs::LineAndMarkers};
  Bars energy{"Energy per year", {}, {}, 1, {"Energy", "kWh"}};
  for (double wind = 1; wind <= 20; wind += 1) {
    power.x.push_back(wind);
    power.y.push_back(std::min(0.5 * 1.225 * 0.785 * 0.42 * wind * wind * wind, 350.0));
    energy.x.push_back(wind);
    energy.height.push_back(std::max(0.0, 40 * std::sin(wind / 7) * std::exp(-wind / 9)));
  }
  return {"Power curve and energy by wind speed",
          "",
          {"Wind speed", "m/s"},
          {"Power", "W"},
          {power},
          energy,
          {},
          std::nullopt};
}

Plot gapsPlot() {
  Series first{"broken by nan", {0, 1, 2, 3, 4, 5, 6, 7}, {1, 3, 2, kNan, 4, 5, kNan, 2}, DrawnAs::Line};
  Series second{"markers only", {0, 2, 4, 6}, {2, kInf, 3, 1}, DrawnAs::Markers};
  return {"Series with gaps", "", {"x", "mm"}, {"y", "N"}, {first, second}, std::nullopt, {}, std::nullopt};
}

// The plot test's bad input, each titled with what it is, and a title full of markup.
Section badInputs() {
  Section section{
      "Bad input", {"Every plot below was given values a plot cannot draw as they are."}, {}, {}, {}};
  for (testing_support::BadInput& input : testing_support::badPlots()) {
    input.plot.title = input.what;
    section.plots.push_back(input.plot);
  }
  Plot markup = testing_support::plotOf({0, 1}, {0, 1});
  markup.title =
      "Markup in <title> & \"quotes\" 'here' </svg>, in a title too long for the width of its drawing";
  section.plots.push_back(markup);
  return section;
}

ReportPage demoPage() {
  Section curves{"Curves", {}, {"Made-up curves drawn as the report draws its analyses."}, {}, {}};
  curves.warnings = {"These curves are made up: they show the drawing, not a rotor."};
  curves.tables = {
      {"Results", {"Quantity", "Value"}, {{"Rotor speed [RPM]", "955"}, {"Blade weight [kg]", "0.2197"}}}};
  curves.plots = {powerCoefficientPlot(), powerCurvePlot(), gapsPlot()};
  return {"Plots of the report, and bad input",
          {curves, badInputs()},
          "0.1.0",
          "demo_page build/report/demo.html --flag '<&>'"};
}

}  // namespace
}  // namespace zephyrion::report

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string page = zephyrion::report::reportPage(zephyrion::report::demoPage());
  std::ofstream file(argv[1], std::ios::binary);
  file.write(page.data(), static_cast<std::streamsize>(page.size()));
  return file.good() ? 0 : 1;
}
