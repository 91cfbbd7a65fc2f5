// Time of the strength analysis: the default blade solid and printed, and a 5 m blade whose
// 5000 rows each carry three load cases.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "blade/blade_assembly.h"
#include "rotor/design_analysis.h"
#include "rotor/rotor_blade.h"
#include "structure/strength_analysis.h"

namespace {

using namespace zephyrion;

struct Blade {
  explicit Blade(const std::string& radius) {
    FormTexts texts = defaultFormTexts();
    texts[kFieldRadius] = radius;
    parameters = readDesignParameters(texts);
    geometry.emplace(buildBlade(parameters));
    rotorBlade = rotor::rotorBladeAsBuilt(*geometry, parameters);
    airfoil = rotor::analyseDesign(*geometry, parameters, {}).airfoil;
  }
  DesignParameters parameters;
  std::optional<BladeGeometry> geometry;
  rotor::RotorBlade rotorBlade;
  rotor::Airfoil airfoil;
};

void analyse(benchmark::State& state, const char* radius, bool printed) {
  Blade blade(radius);
  structure::StrengthOptions options;
  if (printed) {
    options.shellMm = 1.2;
    options.infill = 0.2;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(structure::analyseStrength(*blade.geometry, blade.parameters, blade.rotorBlade,
                                                        blade.airfoil, options));
}

BENCHMARK_CAPTURE(analyse, default_solid, "500", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, default_printed, "500", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, radius_5000_solid, "5000", false)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
