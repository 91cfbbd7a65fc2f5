// Any bytes as a polar file: refused with a line and a reason, or read into a table whose
// extension past stall gives finite lift and non-negative drag at every angle, and with which a
// small rotor neither yields nan nor passes the Betz limit.
#include <cmath>
#include <string>
#include <variant>

#include "fuzz_input.h"
#include "rotor/airfoil.h"
#include "rotor/polar_reader.h"
#include "rotor/rotor_performance.h"
#include "text/number_forms.h"

namespace {

using namespace zephyrion;
using namespace zephyrion::rotor;

constexpr double kBetzLimit = 16.0 / 27.0;

void checkExtendedTable(const Airfoil& airfoil) {
  AirfoilAtReynolds section = airfoilAtReynolds(airfoil, 2e5);
  for (int tenth = -1800; tenth <= 1800; ++tenth) {
    SectionCoefficients c = sectionCoefficients(section, tenth / 10.0 * 3.141592653589793 / 180.0);
    if (!std::isfinite(c.lift) || !std::isfinite(c.drag) || c.drag < 0)
      fuzzing::finding("a coefficient that is not finite, or negative drag", numberToText(tenth / 10.0));
  }
}

// A three-bladed rotor of 1 m with a chord of a tenth of the radius and a twist for tip speed
// ratio 6.
RotorBlade smallRotor() {
  RotorBlade blade;
  blade.bladeCount = 3;
  blade.tipRadius = 1000;
  blade.hubRadius = 100;
  for (int r = 150; r <= 1000; r += 50)
    blade.sections.push_back({static_cast<double>(r), 100, std::atan(1000.0 / (6 * r)) * 57.29578 - 5});
  return blade;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto read = readPolarText({reinterpret_cast<const char*>(data), size});
  if (auto* error = std::get_if<PolarReadError>(&read)) {
    if (error->message.empty() || error->line < 0) fuzzing::finding("a refusal without a reason", "");
    return 0;
  }
  Airfoil airfoil = makeAirfoil({std::get<Polar>(read)}, 1.3);
  checkExtendedTable(airfoil);
  static const RotorBlade blade = smallRotor();
  for (double tipSpeedRatio : {1.0, 4.0, 8.0}) {
    RotorPerformance performance = rotorPerformance(blade, airfoil, Conditions{}, tipSpeedRatio);
    if (!std::isfinite(performance.powerCoefficient) || performance.powerCoefficient > kBetzLimit)
      fuzzing::finding("a power coefficient that is nan or above the Betz limit",
                       numberToText(performance.powerCoefficient));
  }
  return 0;
}
