// The design report's plots: the blade, its rotor's performance and energy, its strength. Each
// plot carries the analysis's own values; the plot module writes every figure.
#pragma once

#include <vector>

#include "report/blade_drawing.h"
#include "report/plot.h"
#include "rotor/annual_energy.h"
#include "rotor/design_analysis.h"
#include "structure/strength_analysis.h"

namespace zephyrion::report {

// The planform, the section's extents against the chord limits, the twist and the sections.
std::vector<Plot> bladePlots(const BladeDrawing& blade);

// The power coefficient over the tip speed ratio, with the design and best points and the Betz
// limit.
Plot powerCoefficientPlot(const rotor::DesignAnalysis& analysis);

// The power delivered at each wind speed bin, and each bin's energy a year on a second axis.
Plot powerCurvePlot(const rotor::EnergyAnalysis& analysis);

// The largest stress and the safety factor along the span in each load case, the weakest row of
// each marked.
std::vector<Plot> strengthPlots(const structure::StrengthAnalysis& analysis);

}  // namespace zephyrion::report
