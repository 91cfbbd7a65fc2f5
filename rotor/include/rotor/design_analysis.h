// The rotor performance of a designed blade, as built: one call that any front end (the command
// line, the window, a report, a script) makes with the finished geometry, and the texts it
// prints and writes. The blade is analysed by blade element momentum theory (bem.h) at the
// design's highest operating wind speed, over a curve of tip speed ratios.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "rotor/air.h"
#include "rotor/airfoil.h"
#include "rotor/naca_polar.h"
#include "rotor/rotor_blade.h"
#include "rotor/rotor_performance.h"

namespace zephyrion::rotor {

// The winds the blade's airfoil serves beyond the design's highest operating wind (the energy
// analysis runs from 0.5 to 25 m/s), m/s.
struct WindRange {
  double lowest = 0;
  double highest = 0;
};

struct AnalysisOptions {
  AirOptions air;
  std::optional<Polar> polar;         // the section's measured polar; none: the built-in NACA model
  Surface surface = Surface::kRough;  // of the built-in model: a printed or carved blade trips its layer
  std::optional<WindRange> winds;     // none: the design's wind alone
};

// The curve's tip speed ratios: from 0.5 in steps of 0.5 up to 15, or on to one and a half
// times the design's when that is further.
std::vector<double> curveTipSpeedRatios(double designTipSpeedRatio);

// Why the design cannot be analysed with these options, in the user's words; nothing when it can:
// the wind and the air.
std::optional<std::string> findAnalysisProblem(const DesignParameters& parameters,
                                               const AnalysisOptions& options);

// Why the built-in polar model gives the design's profile no polar, naming it; nothing when it
// does or when a measured polar is given. The design files can still be written.
std::optional<std::string> findSectionProblem(const DesignParameters& parameters,
                                              const AnalysisOptions& options);

// The blade as the analyses see it: its sections, its airfoil over the Reynolds numbers they meet,
// and the design's wind and air. The performance, the energy and the strength share it.
struct AnalysedBlade {
  RotorBlade blade;
  Airfoil airfoil;
  Conditions conditions;
};

// Preconditions (asserted): the geometry is the one built from `parameters`, and
// findAnalysisProblem and findSectionProblem found nothing.
AnalysedBlade analysedBlade(const BladeGeometry& geometry, const DesignParameters& parameters,
                            const AnalysisOptions& options);

struct DesignAnalysis {
  RotorBlade blade;
  Airfoil airfoil;
  Conditions conditions;
  std::vector<RotorPerformance> curve;  // at curveTipSpeedRatios(the design's)
  BestTipSpeedRatio best;
  RotorPerformance design;  // at the design's tip speed ratio
  double designTipSpeedRatio = 0;
};

// Analyses the blade as built: analysedBlade, then its performance. Preconditions as
// analysedBlade's.
DesignAnalysis analyseDesign(const BladeGeometry& geometry, const DesignParameters& parameters,
                             const AnalysisOptions& options);
// The performance of a blade analysedBlade gave for `parameters`.
DesignAnalysis analyseDesign(const AnalysedBlade& blade, const DesignParameters& parameters);

// The curve as CSV text: a heading, then one row per tip speed ratio (CR LF lines, every digit).
std::string performanceCurveCsv(const DesignAnalysis& analysis);

// The lines printed after the design's four result lines, each figure to four digits.
std::vector<std::string> performanceLines(const DesignAnalysis& analysis);

// Which sections had no momentum balance anywhere on the curve; empty when every one was solved.
std::string unsolvedSectionsWarning(const DesignAnalysis& analysis);

// The Reynolds number of the design's section at three quarters of the radius, at its highest
// operating wind and its tip speed ratio, without induction: where a rotor's power is made.
double designReynolds(const RotorBlade& blade, const DesignParameters& parameters, double airDensity);

// Why a polar of the design's section cannot be written at this Reynolds number (none: the
// design's own); nothing when it can.
std::optional<std::string> findDesignPolarProblem(const DesignParameters& parameters,
                                                  std::optional<double> reynolds);

// The design's section as the analyses see it, with the built-in model and its surface, extended
// past stall with the blade's plate drag, at one Reynolds number (none: designReynolds), from
// -20 to +30 degrees in steps of 0.5, as the text --polar reads. Preconditions (asserted): the
// geometry is the one built from `parameters`, and findDesignPolarProblem found nothing.
std::string designPolarText(const BladeGeometry& geometry, const DesignParameters& parameters,
                            Surface surface, std::optional<double> reynolds);

}  // namespace zephyrion::rotor
