// The design report: one self-contained page that shows a run's whole design, for a builder to
// decide by and to share. It holds the form as typed and the run's results, the blade drawn from
// its printed rows, each analysis's printed lines and plots with the numbers behind them,
// warnings in plain words, how it is all computed with the sources, and the command line.
//
// The page draws what the run gives and computes nothing of its own: every figure is written by
// the same text functions as the command line's printed lines and files, so that the page shows
// the same figures.
#pragma once

#include <array>
#include <string>

#include "blade/design_parameters.h"
#include "report/blade_drawing.h"
#include "rotor/annual_energy.h"
#include "rotor/design_analysis.h"
#include "structure/strength_analysis.h"

namespace zephyrion::report {

// An analysis the page shows, or why the run has none, in plain words.
template <class Analysis>
struct Shown {
  const Analysis* analysis = nullptr;
  std::string whyNone;  // empty with an analysis
};

struct DesignReport {
  FormTexts texts;                         // as the form holds them
  std::array<std::string, 4> resultLines;  // as the run prints them
  BladeDrawing blade;
  Shown<rotor::DesignAnalysis> performance;
  Shown<rotor::EnergyAnalysis> energy;
  Shown<structure::StrengthAnalysis> strength;
  std::string version;      // "0.1.0"
  std::string commandLine;  // as the run was started, shell-quoted
};

std::string designReportHtml(const DesignReport& report);

}  // namespace zephyrion::report
