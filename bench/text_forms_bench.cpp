// Speed of the number-to-text forms against the C library's "%.15e" over the same doubles.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "text/number_forms.h"

namespace {

// A million doubles spread over the magnitudes the output files hold, and beyond.
const std::vector<double>& variedDoubles() {
  static const std::vector<double> values = [] {
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-20, 20);
    std::vector<double> v(1'000'000);
    for (double& x : v)
      x = mantissa(random) * std::pow(10.0, exponent(random));
    return v;
  }();
  return values;
}

void runOverAll(benchmark::State& state, auto convert) {
  const std::vector<double>& values = variedDoubles();
  for (auto _ : state) {
    for (double v : values)
      convert(v);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_PrintForm(benchmark::State& state) {
  runOverAll(state, [](double v) { benchmark::DoNotOptimize(zephyrion::printForm(v)); });
}

void BM_ShortForm(benchmark::State& state) {
  runOverAll(state, [](double v) { benchmark::DoNotOptimize(zephyrion::numberToText(v)); });
}

void BM_SnprintfBaseline(benchmark::State& state) {
  runOverAll(state, [](double v) {
    char buffer[40];
    benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%.15e", v));
    benchmark::DoNotOptimize(buffer);
  });
}

}  // namespace

BENCHMARK(BM_SnprintfBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShortForm)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
