// Runs zephyrion-cli (ZEPHYRION_CLI_PATH, set by the test's build) in the current folder.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace zephyrion::testing_support {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// `arguments` are shell-quoted as needed.
inline Outcome runCli(const std::string& arguments) {
  std::string command = std::string("'") + ZEPHYRION_CLI_PATH + "' " + arguments + " >cli.out 2>cli.err";
  int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = readFile("cli.out");
  outcome.err = readFile("cli.err");
  std::filesystem::remove("cli.out");
  std::filesystem::remove("cli.err");
  return outcome;
}

}  // namespace zephyrion::testing_support
