// A text's lines, for the tests that read back what a run printed or wrote.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zephyrion::testing_support {

// The lines of a text whose every line ends in `end`: CR LF in the files, LF on standard output.
inline std::vector<std::string> linesOf(const std::string& text, const std::string& end = "\r\n") {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + end.size();
  }
  EXPECT_EQ(start, text.size()) << "the last line ends too";
  return lines;
}

}  // namespace zephyrion::testing_support
