// The command line of zephyrion-cli: one option per form field, each taking the text the field
// would hold, and the run options that no form field has. Every option is one row of one table
// (cli_options.cpp), read by one mechanism; the form fields' rows come from the field table.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "blade/design_parameters.h"
#include "output/stl_writer.h"
#include "rotor/air.h"
#include "rotor/annual_energy.h"
#include "rotor/naca_polar.h"
#include "structure/strength_analysis.h"

namespace zephyrion::cli {

// Options that no form field has.
struct RunOptions {
  // How the run writes its files.
  unsigned threads = 0;                     // --threads: formatting threads; 0: every core
  StlFormat stlFormat = StlFormat::kAscii;  // --stl-format ascii|binary
  // The analyses' files: an analysis runs when its file is asked for (the report runs them all).
  std::string performanceFile;  // --performance FILE.csv
  std::string energyFile;       // --energy FILE.csv
  std::string strengthFile;     // --strength FILE.csv
  std::string writePolarFile;   // --write-polar FILE: the built-in polar alone, no design files
  std::string reportFile;       // --report FILE.html: the design and every analysis on one page
  // What the analyses take.
  std::string polarFile;  // --polar FILE: a measured polar instead of the built-in model
  rotor::Surface surface = rotor::Surface::kRough;  // --surface of the built-in model
  std::optional<double> reynolds;                   // --reynolds of --write-polar; none: the design's
  rotor::AirOptions air;                            // --air-density or --altitude
  rotor::EnergyOptions energy;                      // its maxRpm is --max-rpm's, or the form's rotor speed
  std::optional<double> maxRpm;                     // --max-rpm
  structure::StrengthOptions strength;
};

struct RunDesign {
  FormTexts texts;  // exactly what the designer's form would hold
  RunOptions options;
};
struct ShowHelp {};
struct ShowVersion {};
struct UsageError {
  std::string message;
};

using Command = std::variant<RunDesign, ShowHelp, ShowVersion, UsageError>;

// Reads the arguments after the program name. "--name value" and "--name=value" both work.
Command parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

// The options that give these form texts, shell-quoted: a design written as a command.
std::string commandLineOf(const FormTexts& texts);

// The word as a POSIX shell reads it back: as it is when it needs no quotes, else in single
// quotes.
std::string shellQuoted(std::string_view word);

// "zephyrion-cli" and the arguments as given, each shell-quoted where it needs it.
std::string commandLineText(const std::vector<std::string>& arguments);

}  // namespace zephyrion::cli
