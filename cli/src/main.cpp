// zephyrion-cli: the designer's Calculate button on the command line, and the analyses of the
// blade it writes.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli_options.h"
#include "output/design_run.h"
#include "progress_bar.h"
#include "rotor/design_analysis.h"
#include "rotor/polar_reader.h"
#include "run_files.h"
#include "text/number_forms.h"

namespace {

namespace cli = zephyrion::cli;
namespace rotor = zephyrion::rotor;

constexpr int kWritten = 0;
constexpr int kWriteFailed = 1;
constexpr int kUsageOrRange = 2;

void writeLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

int refuse(const std::string& message) {
  writeLine(stderr, "zephyrion-cli: " + message);
  return kUsageOrRange;
}

bool standardErrorIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) == 1;
#endif
}

void writeText(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

// The files the analyses write, in the order they are written.
std::vector<std::string> analysisFilesOf(const cli::RunOptions& options) {
  std::vector<std::string> files;
  if (!options.performanceFile.empty()) files.push_back(options.performanceFile);
  return files;
}

// Each analysis file must be writable where it is asked for, and none may take the place of the
// design's files or of another analysis file.
std::optional<std::string> findAnalysisFileProblem(const cli::RunDesign& run) {
  const std::string& outputName = run.texts[zephyrion::kFieldOutputName];
  std::vector<std::string> taken = cli::designFilesOf(outputName);
  for (const std::string& file : analysisFilesOf(run.options)) {
    if (auto problem = cli::findOutputPathProblem(file, taken, cli::designFolderOf(outputName)))
      return problem;
    taken.push_back(file);
  }
  return std::nullopt;
}

// The polar named by --polar, read and checked before any file is written.
std::variant<std::optional<rotor::Polar>, std::string> loadPolar(const std::string& file) {
  if (file.empty()) return std::optional<rotor::Polar>{};
  cli::InputText input = cli::readInputFile(file);
  if (!input.text) return input.problem;
  auto read = rotor::readPolarText(*input.text);
  if (auto* error = std::get_if<rotor::PolarReadError>(&read)) {
    std::string place = error->line > 0 ? ":" + zephyrion::integerToText(error->line) : "";
    return file + place + ": " + error->message;
  }
  return std::optional<rotor::Polar>{std::get<rotor::Polar>(read)};
}

// The analysis's settings from the options, or why they cannot be used.
std::variant<rotor::AnalysisOptions, std::string> analysisOptionsOf(
    const cli::RunDesign& run, const zephyrion::DesignParameters& parameters) {
  if (auto problem = findAnalysisFileProblem(run)) return *problem;
  auto polar = loadPolar(run.options.polarFile);
  if (auto* problem = std::get_if<std::string>(&polar)) return *problem;
  rotor::AnalysisOptions options;
  options.airDensity = run.options.airDensity;
  options.polar = std::get<std::optional<rotor::Polar>>(polar);
  if (auto problem = rotor::findAnalysisProblem(parameters, options)) return *problem;
  return options;
}

// Prints the analysis's lines and writes its files; false when a file could not be written.
bool finishAnalysis(const rotor::DesignAnalysis& analysis, const cli::RunOptions& options,
                    cli::WrittenFiles& written) {
  for (const std::string& line : rotor::performanceLines(analysis))
    writeLine(stdout, line);
  if (std::string warning = rotor::unsolvedSectionsWarning(analysis); !warning.empty())
    writeLine(stderr, "zephyrion-cli: " + warning);
  if (!written.write(options.performanceFile, rotor::performanceCurveCsv(analysis))) {
    writeLine(stderr, "zephyrion-cli: Cannot write " + options.performanceFile);
    return false;
  }
  return true;
}

int runDesignCommand(const cli::RunDesign& run) {
  using zephyrion::RunStatus;
  const zephyrion::DesignParameters parameters = zephyrion::readDesignParameters(run.texts);
  bool analyse = !analysisFilesOf(run.options).empty();
  rotor::AnalysisOptions analysisOptions;
  if (analyse) {
    auto options = analysisOptionsOf(run, parameters);
    if (auto* problem = std::get_if<std::string>(&options)) return refuse(*problem);
    analysisOptions = std::get<rotor::AnalysisOptions>(options);
  }

  zephyrion::WriteOptions options;
  options.threads = run.options.threads;
  options.stlFormat = run.options.stlFormat;
  cli::ProgressBar bar;
  const auto started = std::chrono::steady_clock::now();
  if (standardErrorIsTerminal()) {
    options.progress = [&](std::int64_t rowsWritten, std::int64_t rows) {
      std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
      writeText(stderr, bar.update(rowsWritten, rows, elapsed.count()));
    };
  }
  std::optional<rotor::DesignAnalysis> analysis;
  if (analyse) {
    options.bladeBuilt = [&](const zephyrion::BladeGeometry& geometry) {
      analysis = rotor::analyseDesign(geometry, parameters, analysisOptions);
    };
  }
  zephyrion::RunResult result = zephyrion::runDesign(run.texts, {}, options);
  writeText(stderr, bar.finish());
  if (result.status == RunStatus::kRefused) return refuse(result.message);
  if (result.status != RunStatus::kCompleted) {
    writeLine(stderr, "zephyrion-cli: " + result.message);
    return kWriteFailed;
  }

  // From here a failure takes back the design files too: a run either writes all it was asked
  // for or nothing.
  cli::WrittenFiles written;
  for (const std::string& file : cli::designFilesOf(parameters.outputName))
    written.add(file);
  for (const std::string& line : result.resultLines)
    writeLine(stdout, line);
  if (analysis && !finishAnalysis(*analysis, run.options, written)) return kWriteFailed;
  written.keep();
  return kWritten;
}

// What reached standard output must have been written: a full disk or a closed pipe behind it
// turns a success into a failure. The files are complete by then and stay.
int withStandardOutputChecked(int status) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  writeLine(stderr, "zephyrion-cli: cannot write to standard output");
  return status == kWritten ? kWriteFailed : status;
}

int runCommand(const cli::Command& command) {
  if (auto* run = std::get_if<cli::RunDesign>(&command)) return runDesignCommand(*run);
  if (std::holds_alternative<cli::ShowHelp>(command)) {
    std::string usage = cli::usageText();
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    return kWritten;
  }
  if (std::holds_alternative<cli::ShowVersion>(command)) {
    writeLine(stdout, "zephyrion-cli " ZEPHYRION_VERSION);
    return kWritten;
  }
  return refuse(std::get<cli::UsageError>(command).message);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return withStandardOutputChecked(runCommand(cli::parseCommandLine(arguments)));
}
