// The strength analysis as text: the per-row table (CSV) and the printed lines. Pure text, no
// files: the caller writes them where it will.
#pragma once

#include <string>
#include <vector>

#include "structure/strength_analysis.h"

namespace zephyrion::structure {

// One line per row from the root to the tip, with a header line naming the columns and their
// units: the section's properties, then for each case the axial force, the moments, the largest
// stress and the safety factor. Every number at full precision; CR LF line ends.
std::string strengthCsvText(const StrengthAnalysis& analysis);

// The lines printed after a run: the material and section, each case's verdict with its root
// moments and tip deflection, and the governing case against the standard's safety factor.
// Figures to four significant digits, with their units.
std::vector<std::string> strengthLines(const StrengthAnalysis& analysis);

}  // namespace zephyrion::structure
