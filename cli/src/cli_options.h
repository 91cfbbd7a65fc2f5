// The command line of zephyrion-cli: one option per form field, each taking the text the field
// would hold.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "blade/design_parameters.h"
#include "performance_options.h"

namespace zephyrion::cli {

// Options that no form field has.
struct RunOptions {
  PerformanceOptions performance;
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

}  // namespace zephyrion::cli
