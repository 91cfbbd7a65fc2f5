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

#include "blade/blade_assembly.h"
#include "blade/design_limits.h"
#include "cli_options.h"
#include "output/design_run.h"
#include "progress_bar.h"
#include "rotor/design_analysis.h"
#include "rotor/energy_text.h"
#include "rotor/polar_reader.h"
#include "rotor/power_curve.h"
#include "run_files.h"
#include "structure/strength_report.h"
#include "text/number_forms.h"

namespace {

namespace cli = zephyrion::cli;
namespace rotor = zephyrion::rotor;
namespace structure = zephyrion::structure;

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

// What the run computed of the blade it built.
struct Analyses {
  std::optional<rotor::DesignAnalysis> performance;
  std::optional<rotor::EnergyAnalysis> energy;
  std::optional<structure::StrengthAnalysis> strength;
};

// The analysis files asked for, in the order they are written, with what writes each.
struct AnalysisFile {
  std::string name;
  std::string (*text)(const Analyses& analyses);
};

std::vector<AnalysisFile> analysisFilesOf(const cli::RunOptions& options) {
  std::vector<AnalysisFile> files;
  if (!options.performanceFile.empty()) {
    files.push_back({options.performanceFile,
                     [](const Analyses& a) { return rotor::performanceCurveCsv(*a.performance); }});
  }
  if (!options.energyFile.empty())
    files.push_back({options.energyFile, [](const Analyses& a) { return rotor::energyCsvText(*a.energy); }});
  if (!options.strengthFile.empty()) {
    files.push_back(
        {options.strengthFile, [](const Analyses& a) { return structure::strengthCsvText(*a.strength); }});
  }
  return files;
}

// Each analysis file must be writable where it is asked for, and none may take the place of the
// design's files or of another analysis file.
std::optional<std::string> findAnalysisFileProblem(const cli::RunDesign& run) {
  const std::string& outputName = run.texts[zephyrion::kFieldOutputName];
  std::vector<std::string> taken = cli::designFilesOf(outputName);
  for (const AnalysisFile& file : analysisFilesOf(run.options)) {
    if (auto problem = cli::findOutputPathProblem(file.name, taken, cli::designFolderOf(outputName)))
      return problem;
    taken.push_back(file.name);
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

// What each analysis is asked, from the options and the design, checked by the analyses' gates
// before any file is written.
struct AnalysisSettings {
  bool performance = false;
  bool energy = false;
  bool strength = false;
  // Why the built-in polar model takes no polar of the design's profile: the design files are
  // written, the analyses are not.
  std::optional<std::string> sectionProblem;
  rotor::AnalysisOptions rotor;
  rotor::EnergyOptions energyOptions;
  structure::StrengthOptions strengthOptions;
};

std::variant<AnalysisSettings, std::string> analysisSettingsOf(
    const cli::RunDesign& run, const zephyrion::DesignParameters& parameters) {
  const cli::RunOptions& o = run.options;
  AnalysisSettings settings;
  settings.performance = !o.performanceFile.empty();
  settings.energy = !o.energyFile.empty();
  settings.strength = !o.strengthFile.empty();
  if (auto problem = findAnalysisFileProblem(run)) return *problem;
  auto polar = loadPolar(o.polarFile);
  if (auto* problem = std::get_if<std::string>(&polar)) return *problem;
  settings.rotor.air = o.air;
  settings.rotor.polar = std::get<std::optional<rotor::Polar>>(polar);
  settings.rotor.surface = o.surface;
  if (settings.energy)
    settings.rotor.winds = rotor::WindRange{rotor::binWind(0), rotor::binWind(rotor::kPowerCurveBins - 1)};
  if (auto problem = rotor::findAnalysisProblem(parameters, settings.rotor)) return *problem;
  settings.sectionProblem = rotor::findSectionProblem(parameters, settings.rotor);
  settings.energyOptions = o.energy;
  settings.energyOptions.air = o.air;
  settings.energyOptions.maxRpm = o.maxRpm.value_or(parameters.rotorSpeedRpm);
  if (settings.energy) {
    if (auto problem = rotor::findEnergyProblem(settings.energyOptions)) return *problem;
  }
  settings.strengthOptions = o.strength;
  settings.strengthOptions.airDensity = rotor::airDensityOf(o.air);
  if (settings.strength) {
    if (auto problem = structure::findStrengthProblem(settings.strengthOptions)) return *problem;
  }
  return settings;
}

Analyses analyse(const zephyrion::BladeGeometry& geometry, const zephyrion::DesignParameters& parameters,
                 const AnalysisSettings& settings) {
  Analyses analyses;
  analyses.performance = rotor::analyseDesign(geometry, parameters, settings.rotor);
  const rotor::DesignAnalysis& rotorAnalysis = *analyses.performance;
  if (settings.energy)
    analyses.energy =
        rotor::analyseEnergy(rotorAnalysis.blade, rotorAnalysis.airfoil, settings.energyOptions);
  if (settings.strength) {
    analyses.strength = structure::analyseStrength(geometry, parameters, rotorAnalysis.blade,
                                                   rotorAnalysis.airfoil, settings.strengthOptions);
  }
  return analyses;
}

void printLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    writeLine(stdout, line);
}

// Prints each asked analysis's lines and writes its files; false when a file could not be
// written.
bool finishAnalyses(const Analyses& analyses, const AnalysisSettings& settings,
                    const cli::RunOptions& options, cli::WrittenFiles& written) {
  if (settings.performance) {
    printLines(rotor::performanceLines(*analyses.performance));
    if (std::string warning = rotor::unsolvedSectionsWarning(*analyses.performance); !warning.empty())
      writeLine(stderr, "zephyrion-cli: " + warning);
  }
  if (settings.energy) printLines(rotor::energySummaryLines(*analyses.energy));
  if (settings.strength) printLines(structure::strengthLines(*analyses.strength));
  for (const AnalysisFile& file : analysisFilesOf(options)) {
    if (!written.write(file.name, file.text(analyses))) {
      writeLine(stderr, "zephyrion-cli: Cannot write " + file.name);
      return false;
    }
  }
  return true;
}

int runDesignCommand(const cli::RunDesign& run) {
  using zephyrion::RunStatus;
  const zephyrion::DesignParameters parameters = zephyrion::readDesignParameters(run.texts);
  bool analyse = !analysisFilesOf(run.options).empty();
  AnalysisSettings settings;
  if (analyse) {
    auto checked = analysisSettingsOf(run, parameters);
    if (auto* problem = std::get_if<std::string>(&checked)) return refuse(*problem);
    settings = std::get<AnalysisSettings>(std::move(checked));
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
  std::optional<Analyses> analyses;
  if (analyse && !settings.sectionProblem) {
    options.bladeBuilt = [&](const zephyrion::BladeGeometry& geometry) {
      analyses = ::analyse(geometry, parameters, settings);
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
  printLines({result.resultLines.begin(), result.resultLines.end()});
  if (analyses && !finishAnalyses(*analyses, settings, run.options, written)) return kWriteFailed;
  written.keep();
  if (settings.sectionProblem)
    return refuse(*settings.sectionProblem + "; the design files are written, the analyses are not");
  return kWritten;
}

// --write-polar: the design's built-in polar, and no other file.
int writePolarCommand(const cli::RunDesign& run) {
  const zephyrion::DesignParameters parameters = zephyrion::readDesignParameters(run.texts);
  if (auto problem = zephyrion::findDesignProblem(parameters)) return refuse(*problem);
  if (auto problem = rotor::findDesignPolarProblem(parameters, run.options.reynolds)) return refuse(*problem);
  const std::string& file = run.options.writePolarFile;
  if (auto problem = cli::findOutputPathProblem(file, {}, {})) return refuse(*problem);
  zephyrion::BladeGeometry geometry = zephyrion::buildBlade(parameters);
  std::string text = rotor::designPolarText(geometry, parameters, run.options.surface, run.options.reynolds);
  cli::WrittenFiles written;
  if (!written.write(file, text)) {
    writeLine(stderr, "zephyrion-cli: Cannot write " + file);
    return kWriteFailed;
  }
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
  if (auto* run = std::get_if<cli::RunDesign>(&command))
    return run->options.writePolarFile.empty() ? runDesignCommand(*run) : writePolarCommand(*run);
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
