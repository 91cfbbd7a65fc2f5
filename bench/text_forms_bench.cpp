// Time per number of the print form and the short form beside std::to_chars with precision 15
// (the rounding the print form needs) and std::to_chars shortest, over the same doubles.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <random>
#include <vector>

#include "ratio_reporter.h"
#include "text/number_forms.h"

namespace {

constexpr std::size_t kValueCount = 1'000'000;

// A million doubles spread over the magnitudes the output files hold, and beyond.
const std::vector<double>& variedDoubles() {
  static const std::vector<double> values = [] {
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-20, 20);
    std::vector<double> v(kValueCount);
    for (double& x : v)
      x = mantissa(random) * std::pow(10.0, exponent(random));
    return v;
  }();
  return values;
}

void runOverAll(benchmark::State& state, auto convert) {
  const std::vector<double>& values = variedDoubles();
  char text[64];
  for (auto _ : state) {
    for (double v : values) {
      benchmark::DoNotOptimize(convert(text, v));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_ToCharsPrecision15Baseline(benchmark::State& state) {
  runOverAll(state, [](char* text, double v) {
    return std::to_chars(text, text + 64, v, std::chars_format::scientific, 15).ptr;
  });
}

void BM_ToCharsShortest(benchmark::State& state) {
  runOverAll(state, [](char* text, double v) { return std::to_chars(text, text + 64, v).ptr; });
}

void BM_PrintFormTo(benchmark::State& state) {
  runOverAll(state, [](char* text, double v) { return zephyrion::printFormTo(text, v); });
}

void BM_ShortFormTo(benchmark::State& state) {
  runOverAll(state, [](char* text, double v) { return zephyrion::shortFormTo(text, v); });
}

// The string form, as the print operations of the file slots use it.
void BM_PrintFormString(benchmark::State& state) {
  runOverAll(state, [](char*, double v) { return zephyrion::printForm(v).size(); });
}

}  // namespace

BENCHMARK(BM_ToCharsPrecision15Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToCharsShortest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintFormTo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShortFormTo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintFormString)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  zephyrion::bench::RatioReporter reporter("BM_ToCharsPrecision15Baseline", kValueCount, "number");
  return zephyrion::bench::runWithRatios(argc, argv, reporter);
}
