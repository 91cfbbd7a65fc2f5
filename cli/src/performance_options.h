// The command line's rotor performance options: --performance FILE.csv, --polar FILE and
// --air-density RHO. None of them is a form field; nothing of the analysis runs without
// --performance.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zephyrion::cli {

struct PerformanceOptions {
  std::string curveFile;      // where the curve is written; empty: no analysis
  std::string polarFile;      // a panel-method tool's polar; empty: the built-in NACA model
  double airDensity = 1.225;  // kg/m^3
  bool airDensityGiven = false;
};

bool isPerformanceOption(std::string_view name);

// Stores the value of one of the options above; why it cannot, otherwise.
std::optional<std::string> setPerformanceOption(std::string_view name, const std::string& value,
                                                PerformanceOptions& options);

// Why the options do not go together (a polar or an air density without a curve to use them).
std::optional<std::string> findPerformanceOptionProblem(const PerformanceOptions& options);

// The options' lines of the help text.
std::string performanceUsage();

}  // namespace zephyrion::cli
