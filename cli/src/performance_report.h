// The rotor performance of a design run: the curve file and the lines printed after the four
// result lines.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "blade/design_parameters.h"
#include "performance_options.h"
#include "rotor/airfoil.h"
#include "rotor/rotor_blade.h"

namespace zephyrion::cli {

// The polar named by --polar, read before any design file is written; nothing without --polar;
// a message naming the file (and the line) when it cannot be read or used.
std::variant<std::optional<rotor::Polar>, std::string> loadPolar(const PerformanceOptions& options);

struct PerformanceReport {
  std::vector<std::string> lines;  // printed after the four result lines
  std::string warning;             // sections without a solution; empty when every one was solved
  std::string writeError;          // why the curve file was not written; empty when it was
};

// Analyses the blade as built at the design's maximum wind speed and writes the curve (tip speed
// ratio 1 to 15 in steps of 0.25) to options.curveFile.
PerformanceReport reportPerformance(const rotor::RotorBlade& blade, const DesignParameters& parameters,
                                    const std::optional<rotor::Polar>& filePolar,
                                    const PerformanceOptions& options);

}  // namespace zephyrion::cli
