// Time of one whole design run, from the form's texts to the closed files.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "blade/station.h"
#include "output/design_run.h"

namespace {

namespace fs = std::filesystem;

void runInScratchFolder(benchmark::State& state, zephyrion::FormTexts texts) {
  fs::path folder = fs::temp_directory_path() / "zephyrion-bench";
  fs::create_directories(folder);
  texts[zephyrion::kFieldOutputName] = (folder / "Blade").string();
  zephyrion::RunResult result;
  for (auto _ : state) {
    result = zephyrion::runDesign(texts);
    if (result.status != zephyrion::RunStatus::kCompleted) state.SkipWithError(result.message.c_str());
  }
  state.counters["facets"] = static_cast<double>(result.facetCount);
  state.counters["stl_MB"] = static_cast<double>(fs::file_size(folder / "Blade.stl")) / 1e6;
  fs::remove_all(folder);
}

// The floor a run cannot beat: writing the default blade's STL bytes, already formatted.
void BM_WriteDefaultStlBytesBaseline(benchmark::State& state) {
  fs::path folder = fs::temp_directory_path() / "zephyrion-bench-baseline";
  fs::create_directories(folder);
  zephyrion::FormTexts texts = zephyrion::defaultFormTexts();
  texts[zephyrion::kFieldOutputName] = (folder / "Blade").string();
  zephyrion::runDesign(texts);
  std::ifstream in(folder / "Blade.stl", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  for (auto _ : state) {
    std::FILE* out = std::fopen((folder / "copy.stl").c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  fs::remove_all(folder);
}

void BM_DefaultDesign(benchmark::State& state) {
  runInScratchFolder(state, zephyrion::defaultFormTexts());
}

void BM_LargeDesign(benchmark::State& state) {
  zephyrion::FormTexts texts = zephyrion::defaultFormTexts();
  texts[zephyrion::kFieldRadius] = "3000";
  texts[zephyrion::kFieldChordDivisions] = "40";
  runInScratchFolder(state, texts);
}

// The innermost station of the default blade, whose chord the height limit cuts in 2.19 million
// steps of 0.01 mm: stepped one by one (the baseline) and as the engine takes them.
void BM_InnermostStationOneStepAtATimeBaseline(benchmark::State& state) {
  zephyrion::DesignParameters p = zephyrion::readDesignParameters(zephyrion::defaultFormTexts());
  for (auto _ : state) {
    zephyrion::Station station;
    station.twist = zephyrion::computeStation(p, 1.0).twist;
    double chord = zephyrion::optimumChordAt(p, 1.0);
    double extent = std::sin(station.twist / zephyrion::kDegreesPerRadian);
    while (extent * chord > p.chordLimitZ)
      chord += -0.01;
    benchmark::DoNotOptimize(chord);
  }
}

void BM_InnermostStation(benchmark::State& state) {
  zephyrion::DesignParameters p = zephyrion::readDesignParameters(zephyrion::defaultFormTexts());
  for (auto _ : state)
    benchmark::DoNotOptimize(zephyrion::computeStation(p, 1.0));
}

}  // namespace

BENCHMARK(BM_InnermostStationOneStepAtATimeBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InnermostStation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteDefaultStlBytesBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeDesign)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
