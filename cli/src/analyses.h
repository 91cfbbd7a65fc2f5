// The analyses of a command-line run: what each is asked, from the options and the design,
// checked by the analyses' gates before any file is written; computing them on the blade the
// design run builds; and the files they give, written after the design's.
#pragma once

#include <array>
#include <future>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "cli_options.h"
#include "report/blade_drawing.h"
#include "rotor/annual_energy.h"
#include "rotor/design_analysis.h"
#include "run_files.h"
#include "structure/strength_analysis.h"

namespace zephyrion::cli {

struct AnalysisSettings {
  // What the run is asked for: each analysis's printed lines and file, and the report, which
  // runs every analysis.
  bool performance = false;
  bool energy = false;
  bool strength = false;
  bool report = false;
  unsigned threads = 0;  // as --threads: 1 runs the analyses one after another
  rotor::AnalysisOptions rotor;
  rotor::EnergyOptions energyOptions;
  structure::StrengthOptions strengthOptions;
  // Why the design cannot have an analysis that only the report asks for, in the gate's words;
  // the report shows it in the analysis's place. Empty when it can.
  std::string rotorWhyNone;
  std::string energyWhyNone;
  // Why the built-in polar model takes no polar of the design's profile: the design files and the
  // report are written, the other analyses are not.
  std::optional<std::string> sectionProblem;

  bool any() const { return performance || energy || strength || report; }
};

// The settings, or why the run is refused: a file that cannot be written where it is asked for,
// a polar that cannot be read, an option or a design an asked analysis cannot take.
std::variant<AnalysisSettings, std::string> analysisSettingsOf(const RunDesign& run,
                                                               const DesignParameters& parameters);

// What the run computed of the blade it built.
struct Analyses {
  std::optional<rotor::DesignAnalysis> performance;
  std::optional<rotor::EnergyAnalysis> energy;
  std::optional<structure::StrengthAnalysis> strength;
  std::optional<report::BladeDrawing> drawing;  // for the report
};

// The analyses of one run: started in the design run's hook, on the very blade the files hold,
// and finished once the files are written, so that what needs no geometry runs meanwhile.
class AnalysesInFlight {
 public:
  // Precondition: the settings are those analysisSettingsOf gave for these parameters.
  void start(const BladeGeometry& geometry, const DesignParameters& parameters,
             const AnalysisSettings& settings);
  // Waits for what still runs. Call once, after start.
  Analyses finish();

 private:
  std::optional<rotor::AnalysedBlade> blade_;  // outlives the work that reads it
  Analyses done_;
  std::future<rotor::DesignAnalysis> performance_;
  std::future<rotor::EnergyAnalysis> energy_;
};

// What a finished run gives its report beside the analyses.
struct RunRecord {
  FormTexts texts;
  std::array<std::string, 4> resultLines;
  std::string version;
  std::string commandLine;
};

// Writes each analysis file asked for, the report last, and stops at the first that cannot be
// written, giving its name.
std::optional<std::string> writeAnalysisFiles(const Analyses& analyses, const AnalysisSettings& settings,
                                              const RunOptions& options, const RunRecord& record,
                                              WrittenFiles& written);

}  // namespace zephyrion::cli
