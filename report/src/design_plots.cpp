#include "design_plots.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "even_sample.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

constexpr double kBetzLimit = 16.0 / 27.0;

const AxisTitle kRadius{"Radius", "mm"};

// A limit of the form, level along the whole span.
Series levelLine(std::string name, const BladeDrawing& blade, double value) {
  return {std::move(name), {blade.radius.front(), blade.radius.back()}, {value, value}, DrawnAs::Line};
}

Plot planformPlot(const BladeDrawing& blade) {
  Plot plot{"Planform: the chord along the radius",
            "The chord of each row as the table prints it, and the Betz optimum chord the design starts "
            "from; where the two part, the chord limits have cut the chord.",
            kRadius,
            {"Chord", "mm"},
            {{"Chord as built", blade.radius, blade.chord, DrawnAs::Line},
             {"Betz optimum chord", blade.radius, blade.optimumChord, DrawnAs::Line}},
            std::nullopt,
            {},
            std::nullopt};
  // The optimum chord grows without bound towards the axis; the built one sets the scale.
  double widest = *std::max_element(blade.chord.begin(), blade.chord.end());
  if (widest > 0) plot.yCeiling = 2 * widest;
  return plot;
}

Plot blankPlot(const BladeDrawing& blade) {
  return {"The blank: each section's width and height against the chord limits",
          "The printed section's extent in the rotor plane (X) and across it (Z) at each row, with the "
          "form's chord limits. The limits hold the chord line; the section's thickness adds to its "
          "extents, and the hub block near the axis is as wide as the hub.",
          kRadius,
          {"Extent", "mm"},
          {{"Width in the rotor plane (X)", blade.radius, blade.width, DrawnAs::Line},
           {"Height across the rotor plane (Z)", blade.radius, blade.height, DrawnAs::Line},
           levelLine("Chord limit in X (width)", blade, blade.chordLimitX),
           levelLine("Chord limit in Z (height)", blade, blade.chordLimitZ)},
          std::nullopt,
          {},
          std::nullopt};
}

Plot twistPlot(const BladeDrawing& blade) {
  return {"Twist along the radius",
          "The angle of each row's chord line out of the rotor plane, as the table prints it.",
          kRadius,
          {"Twist", "degrees"},
          {{"Twist", blade.radius, blade.twist, DrawnAs::Line}},
          std::nullopt,
          {},
          std::nullopt};
}

Plot sectionsPlot(const BladeDrawing& blade) {
  Plot plot{"Sections at the root, the middle and the tip, to scale",
            "Three sections as the STL holds them, each turned by its twist, seen from the hub towards "
            "the tip: X in the rotor plane with the span axis at 0, Z across it.",
            {"X, in the rotor plane", "mm"},
            {"Z, across the rotor plane", "mm"},
            {},
            std::nullopt,
            {},
            std::nullopt};
  for (const SectionOutline& section : blade.sections) {
    plot.series.push_back(
        {section.name + ", r = " + figureText(section.radius) + " mm", section.x, section.z, DrawnAs::Line});
  }
  plot.equalScales = true;
  return plot;
}

// The analysis's rows, at most as many as the drawing of the blade takes, with each case's
// weakest row among them so that its mark sits on its line.
std::vector<std::size_t> drawnRows(const structure::StrengthAnalysis& analysis) {
  std::vector<std::size_t> weakest;
  for (const structure::CaseResult& result : analysis.cases) {
    auto found =
        std::find_if(analysis.rows.begin(), analysis.rows.end(),
                     [&](const structure::RowStrength& row) { return row.radius == result.weakestRadius; });
    weakest.push_back(static_cast<std::size_t>(found - analysis.rows.begin()));
  }
  return evenlySampled(analysis.rows.size(), kMostDrawnRows, weakest);
}

// Each case's value along the span, with its weakest row marked.
Plot alongTheSpan(const structure::StrengthAnalysis& analysis, double structure::RowCase::*value) {
  Plot plot{"", "", kRadius, {}, {}, std::nullopt, {}, std::nullopt};
  std::vector<std::size_t> rows = drawnRows(analysis);
  for (int c = 0; c < structure::kLoadCaseCount; ++c) {
    Series series{structure::loadCaseName(static_cast<structure::LoadCase>(c)), {}, {}, DrawnAs::Line};
    for (std::size_t i : rows) {
      series.x.push_back(analysis.rows[i].radius);
      series.y.push_back(analysis.rows[i].cases[c].*value);
      if (analysis.rows[i].radius == analysis.cases[c].weakestRadius)
        plot.marks.push_back({"weakest, " + series.name, series.x.back(), series.y.back()});
    }
    plot.series.push_back(std::move(series));
  }
  return plot;
}

}  // namespace

std::vector<Plot> bladePlots(const BladeDrawing& blade) {
  if (blade.radius.empty()) return {sectionsPlot(blade)};
  return {planformPlot(blade), blankPlot(blade), twistPlot(blade), sectionsPlot(blade)};
}

Plot powerCoefficientPlot(const rotor::DesignAnalysis& analysis) {
  Series curve{"Power coefficient", {}, {}, DrawnAs::LineAndMarkers};
  for (const rotor::RotorPerformance& point : analysis.curve) {
    curve.x.push_back(point.tipSpeedRatio);
    curve.y.push_back(point.powerCoefficient);
  }
  return {"Power coefficient against tip speed ratio",
          "The rotor's power coefficient at " + figureText(analysis.conditions.windSpeed) +
              " m/s wind by blade element momentum theory, with the design and best points and the Betz "
              "limit.",
          {"Tip speed ratio", ""},
          {"Power coefficient Cp", ""},
          {curve},
          std::nullopt,
          {{"design", analysis.designTipSpeedRatio, analysis.design.powerCoefficient},
           {"best", analysis.best.tipSpeedRatio, analysis.best.powerCoefficient}},
          ReferenceLine{"Betz limit 16/27", kBetzLimit}};
}

Plot powerCurvePlot(const rotor::EnergyAnalysis& analysis) {
  Series power{"Power delivered", {}, {}, DrawnAs::LineAndMarkers};
  for (const rotor::PowerCurvePoint& point : analysis.curve.points) {
    power.x.push_back(point.windSpeed);
    power.y.push_back(point.output);
  }
  Bars energy{"Energy a year", power.x, analysis.binEnergy, rotor::kBinWidth, {"Energy a year", "kWh"}};
  return {"Power curve and energy by wind speed",
          "The power delivered at each wind speed bin of the power performance standard, and the energy "
          "each bin gives in a year at the site.",
          {"Wind speed", "m/s"},
          {"Power delivered", "W"},
          {power},
          energy,
          {},
          std::nullopt};
}

std::vector<Plot> strengthPlots(const structure::StrengthAnalysis& analysis) {
  Plot stress = alongTheSpan(analysis, &structure::RowCase::stress);
  stress.title = "Largest stress along the span";
  stress.description =
      "The largest stress on each row's outline in each load case, from the hub radius to the tip.";
  stress.y = {"Stress", "MPa"};
  Plot safety = alongTheSpan(analysis, &structure::RowCase::safetyFactor);
  safety.title = "Safety factor along the span";
  safety.description =
      "The material's strength over the largest stress on each row, in each load case, with "
      "the factor IEC 61400-2's simplified loads ask for.";
  safety.y = {"Safety factor", ""};
  safety.reference = ReferenceLine{"asked for", analysis.requiredSafetyFactor};
  // Near the tip a row carries next to nothing and its factor soars; the weakest rows and the
  // factor asked for set the scale.
  double highest = analysis.requiredSafetyFactor;
  for (const structure::CaseResult& result : analysis.cases)
    highest = std::max(highest, result.safetyFactor);
  safety.yCeiling = 2 * highest;
  return {stress, safety};
}

}  // namespace zephyrion::report
