// Time of the rotor performance that --performance adds, and of the power curve and annual
// energy, against the design run itself.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "blade/blade_assembly.h"
#include "output/design_run.h"
#include "rotor/annual_energy.h"
#include "rotor/design_analysis.h"
#include "rotor/rotor_performance.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct DefaultRotor {
  zephyrion::DesignParameters parameters = zephyrion::readDesignParameters(zephyrion::defaultFormTexts());
  zephyrion::rotor::RotorBlade blade =
      zephyrion::rotor::rotorBladeAsBuilt(zephyrion::buildBlade(parameters), parameters);
};

const DefaultRotor& defaultRotor() {
  static const DefaultRotor rotor;
  return rotor;
}

// The default design run, from the form's texts to the closed files, in seconds: the median of
// eleven runs after two that warm the caches.
double designRunSeconds() {
  static const double seconds = [] {
    fs::path folder = fs::temp_directory_path() / "zephyrion-rotor-bench";
    fs::create_directories(folder);
    zephyrion::FormTexts texts = zephyrion::defaultFormTexts();
    texts[zephyrion::kFieldOutputName] = (folder / "Blade").string();
    std::vector<double> runs;
    for (int i = 0; i < 13; ++i) {
      auto start = Clock::now();
      zephyrion::runDesign(texts);
      if (i >= 2) runs.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    fs::remove_all(folder);
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
  }();
  return seconds;
}

// Runs `work` in the benchmark's loop and reports its time as a multiple of the design run.
template <class Work>
void againstDesignRun(benchmark::State& state, Work work) {
  double baseline = designRunSeconds();
  auto start = Clock::now();
  for (auto _ : state)
    work();
  double each =
      std::chrono::duration<double>(Clock::now() - start).count() / static_cast<double>(state.iterations());
  state.counters["design_run_ms"] = baseline * 1e3;
  state.counters["x_design_run"] = each / baseline;
}

void BM_DesignRunBaseline(benchmark::State& state) {
  againstDesignRun(state, [] {
    fs::path folder = fs::temp_directory_path() / "zephyrion-rotor-bench-run";
    fs::create_directories(folder);
    zephyrion::FormTexts texts = zephyrion::defaultFormTexts();
    texts[zephyrion::kFieldOutputName] = (folder / "Blade").string();
    benchmark::DoNotOptimize(zephyrion::runDesign(texts));
  });
}

// The default blade's rough built-in airfoil over the Reynolds numbers of the 30-point curve.
zephyrion::rotor::Airfoil builtInAirfoil(const DefaultRotor& rotor,
                                         const zephyrion::rotor::Conditions& conditions) {
  double highestTipSpeedRatio = zephyrion::rotor::curveTipSpeedRatios(5).back();
  return zephyrion::rotor::bladeAirfoil(
      rotor.blade, rotor.parameters, zephyrion::rotor::Surface::kRough,
      zephyrion::rotor::bladeReynoldsRange(rotor.blade, conditions, highestTipSpeedRatio));
}

// Building that airfoil alone: the panel method once, the boundary layers at every angle of each
// Reynolds number's table.
void BM_BuiltInAirfoil(benchmark::State& state) {
  const DefaultRotor& rotor = defaultRotor();
  againstDesignRun(state, [&] { benchmark::DoNotOptimize(builtInAirfoil(rotor, {})); });
}

// The 30-point curve of the default blade with the built-in NACA polars, as --performance runs it.
void BM_PerformanceCurve(benchmark::State& state) {
  const DefaultRotor& rotor = defaultRotor();
  againstDesignRun(state, [&] {
    zephyrion::rotor::Airfoil airfoil = builtInAirfoil(rotor, {});
    benchmark::DoNotOptimize(zephyrion::rotor::performanceCurve(rotor.blade, airfoil, {},
                                                                zephyrion::rotor::curveTipSpeedRatios(5)));
  });
}

// Everything --performance adds: the curve, the best tip speed ratio and the design point.
void BM_PerformanceReport(benchmark::State& state) {
  const DefaultRotor& rotor = defaultRotor();
  againstDesignRun(state, [&] {
    zephyrion::rotor::Conditions conditions;
    zephyrion::rotor::Airfoil airfoil = builtInAirfoil(rotor, conditions);
    auto curve = zephyrion::rotor::performanceCurve(rotor.blade, airfoil, conditions,
                                                    zephyrion::rotor::curveTipSpeedRatios(5));
    benchmark::DoNotOptimize(zephyrion::rotor::bestTipSpeedRatio(rotor.blade, airfoil, conditions, curve));
    benchmark::DoNotOptimize(zephyrion::rotor::rotorPerformance(rotor.blade, airfoil, conditions, 5));
  });
}

// The default blade's power curve and annual energy at the reference site, under the default
// control (the best tip speed ratio up to the form's rotor speed) or a 12 V alternator.
void energyAnalysis(benchmark::State& state, zephyrion::rotor::Control control) {
  const DefaultRotor& rotor = defaultRotor();
  zephyrion::rotor::EnergyOptions options;
  options.control = control;
  options.maxRpm = rotor.parameters.rotorSpeedRpm;
  if (control == zephyrion::rotor::Control::alternator) {
    options.voltsPerRpm = 0.025;
    options.windingOhms = 0.5;
    options.batteryVolts = 14;
    options.frictionTorque = 0.02;
  }
  againstDesignRun(state, [&] {
    zephyrion::rotor::Airfoil airfoil = builtInAirfoil(rotor, {});
    benchmark::DoNotOptimize(zephyrion::rotor::analyseEnergy(rotor.blade, airfoil, options));
  });
}

void BM_EnergyAnalysis(benchmark::State& state) {
  energyAnalysis(state, zephyrion::rotor::Control::bestTipSpeedRatio);
}

void BM_EnergyAnalysisAlternator(benchmark::State& state) {
  energyAnalysis(state, zephyrion::rotor::Control::alternator);
}

}  // namespace

BENCHMARK(BM_DesignRunBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuiltInAirfoil)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerformanceCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerformanceReport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnergyAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnergyAnalysisAlternator)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
