#include "performance_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "rotor/polar_reader.h"
#include "rotor/rotor_blade.h"
#include "rotor/rotor_performance.h"
#include "text/number_forms.h"
#include "text/rounding.h"

namespace zephyrion::cli {
namespace {

// A printed figure keeps four significant digits; the curve file keeps them all.
double fourDigits(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  // Whole powers of ten are exact doubles, so only the one rounding below changes the value.
  if (exponent >= 3) {
    double step = std::pow(10.0, exponent - 3);
    return roundToInt32(value / step) * step;
  }
  double scale = std::pow(10.0, 3 - exponent);
  return roundToInt32(value * scale) / scale;
}

std::string shown(double value) {
  return numberToText(fourDigits(value));
}

std::string curveText(const std::vector<rotor::RotorPerformance>& curve) {
  std::string text =
      "tip_speed_ratio,power_coefficient,thrust_coefficient,power_W,torque_Nm,thrust_N,rpm,unsolved_"
      "sections\r\n";
  for (const rotor::RotorPerformance& point : curve) {
    for (double value : {point.tipSpeedRatio, point.powerCoefficient, point.thrustCoefficient, point.power,
                         point.torque, point.thrust, point.rotorSpeedRpm})
      text += numberToText(value) + ",";
    text += integerToText(static_cast<std::int32_t>(point.unsolvedRadii.size())) + "\r\n";
  }
  return text;
}

bool writeFile(const std::string& name, const std::string& bytes) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// The sections the analysis could not solve, anywhere on the curve or at the design point.
struct UnsolvedTally {
  std::int64_t count = 0;
  double lowest = 0;   // mm
  double highest = 0;  // mm

  void add(const rotor::RotorPerformance& point) {
    for (double radius : point.unsolvedRadii) {
      lowest = count == 0 ? radius : std::min(lowest, radius);
      highest = count == 0 ? radius : std::max(highest, radius);
      ++count;
    }
  }
};

std::string unsolvedWarning(const UnsolvedTally& tally) {
  if (tally.count == 0) return {};
  return "no momentum balance for " + numberToText(static_cast<double>(tally.count)) +
         " sections of the curve (radius " + numberToText(tally.lowest) + " to " +
         numberToText(tally.highest) + " mm); they are counted as carrying no load";
}

}  // namespace

std::variant<std::optional<rotor::Polar>, std::string> loadPolar(const PerformanceOptions& options) {
  if (options.polarFile.empty()) return std::optional<rotor::Polar>{};
  std::ifstream in(options.polarFile, std::ios::binary);
  if (!in) return "cannot read the polar file " + options.polarFile;
  std::string text((std::istreambuf_iterator<char>(in)), {});
  auto read = rotor::readPolarText(text);
  if (auto* error = std::get_if<rotor::PolarReadError>(&read)) {
    std::string place = error->line > 0 ? ":" + integerToText(error->line) : "";
    return options.polarFile + place + ": " + error->message;
  }
  return std::optional<rotor::Polar>{std::get<rotor::Polar>(read)};
}

PerformanceReport reportPerformance(const rotor::RotorBlade& blade, const DesignParameters& parameters,
                                    const std::optional<rotor::Polar>& filePolar,
                                    const PerformanceOptions& options) {
  rotor::Airfoil airfoil = rotor::bladeAirfoil(blade, parameters, filePolar);
  rotor::Conditions conditions;
  conditions.windSpeed = parameters.maxWindSpeed;
  conditions.airDensity = options.airDensity;
  std::vector<rotor::RotorPerformance> curve = rotor::performanceCurve(blade, airfoil, conditions);
  rotor::BestTipSpeedRatio best = rotor::bestTipSpeedRatio(blade, airfoil, conditions, curve);
  rotor::RotorPerformance design =
      rotor::rotorPerformance(blade, airfoil, conditions, parameters.tipSpeedRatio);

  PerformanceReport report;
  std::string wind = " at " + numberToText(parameters.maxWindSpeed) + " m/s wind";
  report.lines = {
      "Power " + shown(design.power) + " W, Cp " + shown(design.powerCoefficient) + " at tip speed ratio " +
          numberToText(parameters.tipSpeedRatio),
      "Best tip speed ratio " + shown(best.tipSpeedRatio) + ", Cp " + shown(best.powerCoefficient),
      "Thrust " + shown(design.thrust) + " N" + wind,
      "Root flapwise bending moment " + shown(design.rootFlapMoment) + " N m" + wind,
  };
  UnsolvedTally unsolved;
  unsolved.add(design);
  for (const rotor::RotorPerformance& point : curve)
    unsolved.add(point);
  report.warning = unsolvedWarning(unsolved);
  if (!writeFile(options.curveFile, curveText(curve)))
    report.writeError = "Cannot write " + options.curveFile;
  return report;
}

}  // namespace zephyrion::cli
