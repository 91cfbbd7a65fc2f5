#include "performance_options.h"

#include <algorithm>
#include <cmath>

#include "text/number_forms.h"

namespace zephyrion::cli {
namespace {

constexpr std::string_view kCurve = "--performance";
constexpr std::string_view kPolar = "--polar";
constexpr std::string_view kAirDensity = "--air-density";

// Digits and the point, as the form's number fields take them, and above 0.
std::optional<double> densityOf(const std::string& text) {
  bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                             [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
  double value = digits ? textToNumber(text) : 0.0;
  if (!(value > 0) || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

bool isPerformanceOption(std::string_view name) {
  return name == kCurve || name == kPolar || name == kAirDensity;
}

std::optional<std::string> setPerformanceOption(std::string_view name, const std::string& value,
                                                PerformanceOptions& options) {
  if (name == kAirDensity) {
    std::optional<double> density = densityOf(value);
    if (!density)
      return std::string(kAirDensity) + " takes a density above 0 in kg/m3, digits and \".\" only";
    options.airDensity = *density;
    options.airDensityGiven = true;
    return std::nullopt;
  }
  if (value.empty()) return std::string(name) + " needs a file name";
  (name == kCurve ? options.curveFile : options.polarFile) = value;
  return std::nullopt;
}

std::optional<std::string> findPerformanceOptionProblem(const PerformanceOptions& options) {
  if (options.curveFile.empty() && (!options.polarFile.empty() || options.airDensityGiven))
    return "--polar and --air-density go with --performance FILE.csv";
  return std::nullopt;
}

std::string performanceUsage() {
  return "  --performance FILE  also write the rotor's performance curve (CSV) at the maximum wind\n"
         "                      speed, tip speed ratio 1 to 15, and print power, thrust and root moment\n"
         "  --polar FILE        the section's polar as a panel-method tool saves it (alpha CL CD ...)\n"
         "                      instead of the built-in NACA four-digit model\n"
         "  --air-density RHO   air density [kg/m3] for the performance (default 1.225)\n";
}

}  // namespace zephyrion::cli
