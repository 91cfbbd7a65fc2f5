#include "analyses.h"

#include <functional>
#include <future>

#include "report/design_report.h"
#include "rotor/energy_text.h"
#include "rotor/polar_reader.h"
#include "structure/strength_report.h"
#include "text/number_forms.h"

namespace zephyrion::cli {
namespace {

constexpr const char* kNeedsTheRotor = "it needs the rotor analysis, which this design cannot have";

// The analysis files asked for, with what writes each, in the order they are written.
struct AnalysisFile {
  const std::string& name;
  std::function<std::string()> text;
};

std::string reportText(const Analyses& analyses, const AnalysisSettings& settings, const RunRecord& record) {
  report::DesignReport page{record.texts, record.resultLines, *analyses.drawing, {}, {},
                            {},           record.version,     record.commandLine};
  auto shown = [&](const auto& analysis, std::string whyNone) {
    using Analysis = typename std::decay_t<decltype(analysis)>::value_type;
    return report::Shown<Analysis>{analysis ? &*analysis : nullptr, analysis ? "" : std::move(whyNone)};
  };
  bool rotorMissing = !settings.rotorWhyNone.empty();
  page.performance = shown(analyses.performance, settings.rotorWhyNone);
  page.energy = shown(analyses.energy, rotorMissing ? kNeedsTheRotor : settings.energyWhyNone);
  page.strength = shown(analyses.strength, rotorMissing ? kNeedsTheRotor : "");
  return report::designReportHtml(page);
}

// Before the run, for their names alone, the files have no analyses to write.
std::vector<AnalysisFile> analysisFiles(const RunOptions& options, const Analyses* analyses = nullptr,
                                        const AnalysisSettings* settings = nullptr,
                                        const RunRecord* record = nullptr) {
  std::vector<AnalysisFile> files;
  // After the run, a file whose analysis could not run (a refused profile) is not written.
  auto add = [&](const std::string& name, bool analysed, std::function<std::string()> text) {
    if (!name.empty() && (!analyses || analysed)) files.push_back({name, std::move(text)});
  };
  add(options.performanceFile, analyses && analyses->performance,
      [=] { return rotor::performanceCurveCsv(*analyses->performance); });
  add(options.energyFile, analyses && analyses->energy,
      [=] { return rotor::energyCsvText(*analyses->energy); });
  add(options.strengthFile, analyses && analyses->strength,
      [=] { return structure::strengthCsvText(*analyses->strength); });
  add(options.reportFile, true, [=] { return reportText(*analyses, *settings, *record); });
  return files;
}

// Each analysis file must be writable where it is asked for, and none may take the place of the
// design's files, of another analysis file or of the polar the run reads.
std::optional<std::string> findAnalysisFileProblem(const RunDesign& run) {
  const std::string& outputName = run.texts[kFieldOutputName];
  std::vector<std::string> taken = designFilesOf(outputName);
  for (const AnalysisFile& file : analysisFiles(run.options)) {
    if (!run.options.polarFile.empty() && namesSameFile(file.name, run.options.polarFile))
      return "cannot write " + file.name + ": the run reads its polar from there";
    if (auto problem = findOutputPathProblem(file.name, taken, designFolderOf(outputName))) return problem;
    taken.push_back(file.name);
  }
  return std::nullopt;
}

// The polar named by --polar, read and checked before any file is written.
std::variant<std::optional<rotor::Polar>, std::string> loadPolar(const std::string& file) {
  if (file.empty()) return std::optional<rotor::Polar>{};
  InputText input = readInputFile(file);
  if (!input.text) return input.problem;
  auto read = rotor::readPolarText(*input.text);
  if (auto* error = std::get_if<rotor::PolarReadError>(&read)) {
    std::string place = error->line > 0 ? ":" + integerToText(error->line) : "";
    return file + place + ": " + error->message;
  }
  return std::optional<rotor::Polar>{std::get<rotor::Polar>(read)};
}

// The rotor's gate, with the user's air first: an option the user gave that no analysis can take
// refuses the run, while a design that the report alone wants analysed gets a report without it.
// A profile the built-in polars refuse is no refusal of the run: the design files and the report
// are written, the report saying why the analyses are missing.
std::optional<std::string> settleRotor(const DesignParameters& parameters, AnalysisSettings& settings) {
  if (auto problem = rotor::findAirProblem(settings.rotor.air)) return problem;
  if (auto problem = rotor::findAnalysisProblem(parameters, settings.rotor)) {
    if (settings.performance || settings.energy || settings.strength) return problem;
    settings.rotorWhyNone = *problem;
  }
  if (auto problem = rotor::findSectionProblem(parameters, settings.rotor);
      problem && settings.rotorWhyNone.empty()) {
    settings.rotorWhyNone = *problem;
    if (settings.performance || settings.energy || settings.strength) settings.sectionProblem = problem;
  }
  return std::nullopt;
}

// The energy's top speed is the form's rotor speed unless --max-rpm gives one. The user's own
// options are checked first, at a speed any rotor of the form's sizes turns at; then a form's
// speed the analysis cannot take leaves the report without it.
std::optional<std::string> settleEnergy(const RunOptions& options, const DesignParameters& parameters,
                                        AnalysisSettings& settings) {
  constexpr double kOrdinaryTopSpeed = 1000;  // rpm
  if (!(settings.energy || settings.report)) return std::nullopt;
  settings.energyOptions = options.energy;
  settings.energyOptions.air = options.air;
  settings.energyOptions.maxRpm = options.maxRpm.value_or(kOrdinaryTopSpeed);
  if (auto problem = rotor::findEnergyProblem(settings.energyOptions)) return problem;
  if (!settings.rotorWhyNone.empty()) return std::nullopt;
  settings.energyOptions.maxRpm = options.maxRpm.value_or(parameters.rotorSpeedRpm);
  auto problem = rotor::findEnergyProblem(settings.energyOptions);
  if (!problem || settings.energy) return problem;
  settings.energyWhyNone = "the form's rotor speed, " + integerToText(parameters.rotorSpeedRpm) +
                           " rpm, is no top speed for it (" + *problem + "); give --max-rpm";
  return std::nullopt;
}

}  // namespace

std::variant<AnalysisSettings, std::string> analysisSettingsOf(const RunDesign& run,
                                                               const DesignParameters& parameters) {
  const RunOptions& o = run.options;
  AnalysisSettings settings;
  settings.performance = !o.performanceFile.empty();
  settings.energy = !o.energyFile.empty();
  settings.strength = !o.strengthFile.empty();
  settings.report = !o.reportFile.empty();
  settings.threads = o.threads;
  if (auto problem = findAnalysisFileProblem(run)) return *problem;
  auto polar = loadPolar(o.polarFile);
  if (auto* problem = std::get_if<std::string>(&polar)) return *problem;
  settings.rotor.air = o.air;
  settings.rotor.polar = std::get<std::optional<rotor::Polar>>(std::move(polar));
  settings.rotor.surface = o.surface;
  if (settings.energy || settings.report)
    settings.rotor.winds = rotor::WindRange{rotor::binWind(0), rotor::binWind(rotor::kPowerCurveBins - 1)};
  if (auto problem = settleRotor(parameters, settings)) return *problem;
  if (auto problem = settleEnergy(o, parameters, settings)) return *problem;
  settings.strengthOptions = o.strength;
  settings.strengthOptions.airDensity = rotor::airDensityOf(o.air);
  if (settings.strength || settings.report) {
    if (auto problem = structure::findStrengthProblem(settings.strengthOptions)) return *problem;
  }
  return settings;
}

void AnalysesInFlight::start(const BladeGeometry& geometry, const DesignParameters& parameters,
                             const AnalysisSettings& settings) {
  if (settings.report) done_.drawing = report::bladeDrawingOf(geometry, parameters);
  if (!settings.rotorWhyNone.empty()) return;
  blade_ = rotor::analysedBlade(geometry, parameters, settings.rotor);
  // The performance and the energy need the blade alone, so they run on while the design's files
  // are written, where the run may use more than one thread; the strength reads the geometry,
  // which lives only as long as the hook.
  std::launch launch = settings.threads == 1 ? std::launch::deferred : std::launch::async;
  const rotor::AnalysedBlade& blade = *blade_;
  performance_ = std::async(launch, [&blade, parameters] { return rotor::analyseDesign(blade, parameters); });
  if ((settings.energy || settings.report) && settings.energyWhyNone.empty()) {
    energy_ = std::async(launch, [&blade, options = settings.energyOptions] {
      return rotor::analyseEnergy(blade.blade, blade.airfoil, options);
    });
  }
  if (settings.strength || settings.report) {
    done_.strength = structure::analyseStrength(geometry, parameters, blade.blade, blade.airfoil,
                                                settings.strengthOptions);
  }
}

Analyses AnalysesInFlight::finish() {
  if (performance_.valid()) done_.performance = performance_.get();
  if (energy_.valid()) done_.energy = energy_.get();
  return std::move(done_);
}

std::optional<std::string> writeAnalysisFiles(const Analyses& analyses, const AnalysisSettings& settings,
                                              const RunOptions& options, const RunRecord& record,
                                              WrittenFiles& written) {
  for (const AnalysisFile& file : analysisFiles(options, &analyses, &settings, &record)) {
    if (!written.write(file.name, file.text())) return file.name;
  }
  return std::nullopt;
}

}  // namespace zephyrion::cli
