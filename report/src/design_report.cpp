#include "report/design_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "blade/form_fields.h"
#include "design_plots.h"
#include "markup.h"
#include "report/report_page.h"
#include "rotor/energy_text.h"
#include "structure/strength_report.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

// The sources are those the README cites for each model, each given once.
const std::vector<std::string> kHowItIsComputed = {
    "The design. Each 1 mm row from the tip to the root takes the Betz optimum chord, 16π R² / (9 B Cl λ² r) "
    "for the tip speed ratio λ, shortened in 0.01 mm steps until its chord line, turned by the twist, fits "
    "the form's height "
    "and width limits; the twist is the ideal rotor's inflow angle, atan(2R / (3λ r)), less the angle of "
    "attack. The row's NACA four-digit section is placed at that twist, the rows within the tip chamfer are "
    "shrunk towards the tip, and a hub block is blended into the blade over the hub chamfer. The drawings "
    "above are made from the rows the STL and the table hold.",
    "Rotor performance. Blade element momentum theory on the blade as built (at most 80 of its rows, denser "
    "at the root and the tip, within 0.3 % of every row's power and thrust), each element solved by Ning's "
    "one-equation form of the momentum balance (Ning, \"A simple solution method for the blade element "
    "momentum equations with guaranteed convergence\", Wind Energy 17, 2014), closed by Brent's method, with "
    "Prandtl's tip and hub losses and Buhl's empirical thrust above an axial induction of 0.4 "
    "(NREL/TP-500-36834, 2005). Without a polar file the section's lift and drag are computed from the "
    "printed section at the Reynolds numbers the blade meets: potential flow by a linear-vorticity panel "
    "method (Drela, 1989), boundary layers by Thwaites's, Drela and Giles's e^N and Head's integral methods, "
    "drag by Squire and Young, stall where the turbulent layer leaves the suction side (Kirchhoff), the "
    "surface rough (tripped near the nose) unless --surface smooth is given. Past the ends of any polar, "
    "Viterna and Corrigan's post-stall formulas (1982).",
    "Power curve and annual energy. At each wind of the bins of IEC 61400-12-1:2005 (8.2), 0.5 to 25 m/s, "
    "the rotor runs where its control puts it; it starts where its torque at rest overcomes the friction "
    "(Wood, Small Wind Turbines, 2011, ch. 5). The annual energy follows the standard's method of bins "
    "(8.3), "
    "AEP = 8760 h × Σ [F(Vᵢ) − F(Vᵢ₋₁)] (Pᵢ₋₁ + Pᵢ)/2, with F Rayleigh's or Weibull's "
    "distribution at hub height, a wind measured lower carried up by the power law (Manwell, McGowan and "
    "Rogers, Wind Energy Explained, 2nd ed., 2009, 2.3). Without a site, a Rayleigh mean of 5 m/s, by which "
    "the small-wind rating standards compare turbines (IEC 61400-2:2013, AWEA 9.1-2009). An alternator "
    "charging a battery: E = k ω, I = (E − V)/R (Hughes, Electric Motors and Drives, 3rd ed., 2006, ch. "
    "3). "
    "The air at an altitude is the International Standard Atmosphere's (ISO 2533:1975).",
    "Strength. The blade is a cantilever clamped at the hub radius, analysed row by row in the cases of the "
    "simplified load calculation of IEC 61400-2:2013 (7.4) that break small blades: operating at the "
    "highest operating wind, running away (load case E, 7.4.6) and parked broadside to a storm (load case "
    "H, 7.4.9; by default the 50-year gust of class I, 70 m/s), with the loads from blade element theory and "
    "the blade's own weight. A row's safety factor is the material's strength over the largest stress on "
    "its outline; the standard asks for 9, 3 on the loads and 3 on a material known from data sheets (7.8).",
    "Figures. Every figure on this page is written by the same text functions as the command line's "
    "printed lines, to four significant digits, from the same analyses as its files.",
};

std::string withFullStop(std::string text) {
  return text.empty() || text.back() == '.' ? text : text + ".";
}

template <class Analysis>
void addWhyNone(std::vector<std::string>& warnings, const Shown<Analysis>& shown, const char* what) {
  if (!shown.analysis && !shown.whyNone.empty())
    warnings.push_back(std::string(what) + ": " + withFullStop(shown.whyNone));
}

void addPerformanceWarnings(std::vector<std::string>& warnings, const rotor::DesignAnalysis& analysis) {
  if (std::string unsolved = rotor::unsolvedSectionsWarning(analysis); !unsolved.empty())
    warnings.push_back("Rotor performance: " + withFullStop(unsolved));
  if (analysis.best.atEdge) {
    warnings.push_back("The best tip speed ratio, " + figureText(analysis.best.tipSpeedRatio) +
                       ", lies at the edge of the tip speed ratios analysed (" +
                       figureText(analysis.curve.front().tipSpeedRatio) + " to " +
                       figureText(analysis.curve.back().tipSpeedRatio) + "): the power may rise beyond it.");
  }
}

void addEnergyWarnings(std::vector<std::string>& warnings, const rotor::EnergyAnalysis& analysis) {
  auto bins = std::count_if(analysis.curve.points.begin(), analysis.curve.points.end(),
                            [](const rotor::PowerCurvePoint& point) { return point.unsolvedSections > 0; });
  if (bins > 0) {
    warnings.push_back("Power curve: in " + countText(static_cast<std::size_t>(bins)) + " of its " +
                       countText(analysis.curve.points.size()) +
                       " bins some sections have no momentum balance; they are counted as carrying no load.");
  }
}

void addStrengthWarnings(std::vector<std::string>& warnings, const structure::StrengthAnalysis& analysis) {
  const structure::CaseResult& governing = analysis.cases[analysis.governing];
  if (governing.safetyFactor < analysis.requiredSafetyFactor) {
    warnings.push_back("Strength, " + std::string(structure::loadCaseName(analysis.governing)) +
                       ": the safety factor falls to " + figureText(governing.safetyFactor) +
                       " at r = " + figureText(governing.weakestRadius) +
                       " mm, where IEC 61400-2's simplified loads ask for " +
                       figureText(analysis.requiredSafetyFactor) + ".");
  }
  if (!analysis.cases[structure::kRunaway].runawayFound) {
    warnings.push_back(
        "Strength: the rotor still makes power at the highest tip speed ratio searched; the "
        "runaway case is taken there.");
  }
}

std::vector<std::string> warningsOf(const DesignReport& report) {
  std::vector<std::string> warnings;
  addWhyNone(warnings, report.performance, "No rotor performance");
  addWhyNone(warnings, report.energy, "No power curve or annual energy");
  addWhyNone(warnings, report.strength, "No strength check");
  if (report.performance.analysis) addPerformanceWarnings(warnings, *report.performance.analysis);
  if (report.energy.analysis) addEnergyWarnings(warnings, *report.energy.analysis);
  if (report.strength.analysis) addStrengthWarnings(warnings, *report.strength.analysis);
  return warnings;
}

Section designSection(const DesignReport& report) {
  Section section{
      "The design", warningsOf(report), {report.resultLines.begin(), report.resultLines.end()}, {}, {}};
  // Two fields a row, so that the blade's drawings follow on the first screen.
  Table form{"The form", {"Field", "Value", "Field", "Value"}, {}};
  const auto& specs = formFieldEntries();
  std::size_t half = (specs.size() + 1) / 2;
  for (std::size_t i = 0; i < half; ++i) {
    form.rows.push_back({fieldName(specs[i].field), report.texts[specs[i].field]});
    if (i + half < specs.size()) {
      form.rows.back().push_back(fieldName(specs[i + half].field));
      form.rows.back().push_back(report.texts[specs[i + half].field]);
    }
  }
  section.tables.push_back(std::move(form));
  return section;
}

std::string titleOf(const DesignReport& report) {
  return "Blade design: NACA " + report.texts[kFieldProfile] + ", " + report.texts[kFieldBlades] +
         " blades, rotor radius " + report.texts[kFieldRadius] + " mm";
}

}  // namespace

std::string designReportHtml(const DesignReport& report) {
  ReportPage page{titleOf(report), {designSection(report)}, report.version, report.commandLine};
  page.sections.push_back({"The blade", {}, {}, {}, bladePlots(report.blade)});
  if (const rotor::DesignAnalysis* analysis = report.performance.analysis) {
    page.sections.push_back(
        {"Rotor performance", {}, rotor::performanceLines(*analysis), {}, {powerCoefficientPlot(*analysis)}});
  }
  if (const rotor::EnergyAnalysis* analysis = report.energy.analysis) {
    page.sections.push_back({"Power curve and annual energy",
                             {},
                             rotor::energySummaryLines(*analysis),
                             {},
                             {powerCurvePlot(*analysis)}});
  }
  if (const structure::StrengthAnalysis* analysis = report.strength.analysis) {
    page.sections.push_back(
        {"Strength", {}, structure::strengthLines(*analysis), {}, strengthPlots(*analysis)});
  }
  page.sections.push_back({"How it is computed", {}, kHowItIsComputed, {}, {}});
  return reportPage(page);
}

}  // namespace zephyrion::report
