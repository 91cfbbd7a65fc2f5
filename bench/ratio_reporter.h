// Console output of Google Benchmark followed by each benchmark's time as a ratio to one
// baseline measured in the same run, so that figures from a busy machine stay comparable.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace zephyrion::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // `baseline` names the benchmark the others are divided by; `perIteration` the items one
  // iteration handles, for a time per item.
  RatioReporter(std::string baseline, double perIteration, std::string itemName)
      : baseline_(std::move(baseline)), perIteration_(perIteration), itemName_(std::move(itemName)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      // With repetitions the median stands for the benchmark, otherwise its single run.
      bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      std::string name = run.run_name.function_name;
      if (median || !medianSeen_[name]) {
        seconds_[name] = run.real_accumulated_time / static_cast<double>(run.iterations);
        if (median) medianSeen_[name] = true;
        if (!order_.empty() && order_.back() == name) continue;
        if (std::find(order_.begin(), order_.end(), name) == order_.end()) order_.push_back(name);
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    auto base = seconds_.find(baseline_);
    std::printf("\n%-36s %12s %10s\n", "benchmark", ("ns/" + itemName_).c_str(), "ratio");
    for (const std::string& name : order_) {
      double perItem = seconds_[name] / perIteration_ * 1e9;
      double ratio = base == seconds_.end() ? 0 : seconds_[name] / base->second;
      std::printf("%-36s %12.2f %9.2fx\n", name.c_str(), perItem, ratio);
    }
    std::printf("(ratio: time / %s, measured in the same run)\n", baseline_.c_str());
  }

 private:
  std::string baseline_;
  double perIteration_;
  std::string itemName_;
  std::map<std::string, double> seconds_;
  std::map<std::string, bool> medianSeen_;
  std::vector<std::string> order_;
};

// Runs the registered benchmarks with a RatioReporter in place of the console reporter.
inline int runWithRatios(int argc, char** argv, RatioReporter& reporter) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace zephyrion::bench
