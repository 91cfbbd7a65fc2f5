// Time of the default design with every analysis and the report, against the design run alone,
// and where the difference goes: each analysis added to the run in turn, and the page itself.
// Each run is the command line's, without its printing: options, gates, the design run with the
// analyses in its hook, and the files. The ratios are of wall time; the CPU column is the whole
// process's, the design run's formatting threads included.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "analyses.h"
#include "cli_options.h"
#include "output/design_run.h"
#include "ratio_reporter.h"
#include "report/design_report.h"

namespace {

namespace fs = std::filesystem;
namespace cli = zephyrion::cli;

struct Command {
  cli::RunDesign run;
  zephyrion::DesignParameters parameters;
};

// The run of `zephyrion-cli OPTIONS`, every file named in a scratch folder.
Command commandOf(const fs::path& folder, const std::vector<std::string>& files) {
  std::vector<std::string> arguments{"--output", (folder / "Blade").string()};
  for (const std::string& option : files)
    arguments.insert(arguments.end(), {"--" + option, (folder / option).string()});
  auto run = std::get<cli::RunDesign>(cli::parseCommandLine(arguments));
  return {run, zephyrion::readDesignParameters(run.texts)};
}

struct Run {
  cli::AnalysisSettings settings;
  cli::Analyses analyses;
  zephyrion::RunResult result;
};

Run runOnce(const Command& command) {
  Run run{std::get<cli::AnalysisSettings>(cli::analysisSettingsOf(command.run, command.parameters)), {}, {}};
  zephyrion::WriteOptions options;
  cli::AnalysesInFlight inFlight;
  if (run.settings.any()) {
    options.bladeBuilt = [&](const zephyrion::BladeGeometry& geometry) {
      inFlight.start(geometry, command.parameters, run.settings);
    };
  }
  run.result = zephyrion::runDesign(command.run.texts, {}, options);
  run.analyses = inFlight.finish();
  return run;
}

void runCommand(benchmark::State& state, std::vector<std::string> files) {
  fs::path folder = fs::temp_directory_path() / "zephyrion-report-bench";
  fs::create_directories(folder);
  Command command = commandOf(folder, files);
  for (auto _ : state) {
    Run run = runOnce(command);
    cli::WrittenFiles written;
    cli::RunRecord record{command.run.texts, run.result.resultLines, "bench", "zephyrion-cli"};
    if (cli::writeAnalysisFiles(run.analyses, run.settings, command.run.options, record, written))
      state.SkipWithError("an analysis file could not be written");
    written.keep();
  }
  fs::remove_all(folder);
}

void BM_DesignRun(benchmark::State& state) {
  runCommand(state, {});
}
void BM_WithPerformance(benchmark::State& state) {
  runCommand(state, {"performance"});
}
void BM_WithPerformanceAndEnergy(benchmark::State& state) {
  runCommand(state, {"performance", "energy"});
}
void BM_WithPerformanceAndStrength(benchmark::State& state) {
  runCommand(state, {"performance", "strength"});
}
void BM_EveryAnalysisAndReport(benchmark::State& state) {
  runCommand(state, {"performance", "energy", "strength", "report"});
}

// The page alone, from the analyses of one run: the drawing's share of the report.
void BM_ReportPage(benchmark::State& state) {
  fs::path folder = fs::temp_directory_path() / "zephyrion-report-bench-page";
  fs::create_directories(folder);
  Command command = commandOf(folder, {"report"});
  Run run = runOnce(command);
  const cli::Analyses& a = run.analyses;
  zephyrion::report::DesignReport page{
      command.run.texts, run.result.resultLines, *a.drawing, {&*a.performance, {}},
      {&*a.energy, {}},  {&*a.strength, {}},     "bench",    "zephyrion-cli --report r.html"};
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string html = zephyrion::report::designReportHtml(page);
    bytes = html.size();
    benchmark::DoNotOptimize(html);
  }
  state.counters["page_kB"] = static_cast<double>(bytes) / 1e3;
  fs::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_DesignRun)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_WithPerformance)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_WithPerformanceAndEnergy)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_WithPerformanceAndStrength)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_EveryAnalysisAndReport)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ReportPage)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

int main(int argc, char** argv) {
  zephyrion::bench::RatioReporter reporter("BM_DesignRun", 1, "run");
  return zephyrion::bench::runWithRatios(argc, argv, reporter);
}
