// Formatted printing through any format text, with any values and flags, into a file slot:
// every byte written is the format's literal text or a field, and a finite value never prints
// as "nan" or "inf".
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <string>

#include "fuzz_input.h"
#include "text/format.h"
#include "text/sinks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zephyrion;
  fuzzing::FuzzInput input(data, size);
  double values[3] = {input.nextDouble(), input.nextDouble(), input.nextDouble()};
  std::uint8_t flags = input.nextByte();
  std::string format(input.rest().substr(0, 200));
  static const std::string path = "/tmp/zephyrion-fuzz-format-" + std::to_string(::getpid());
  if (fileOpenOutput(path, 1) != kFileOk) fuzzing::finding("cannot open", path);
  formatBegin(format);
  bool finite = true;
  for (int i = 0; i < 3; ++i) {
    finite = finite && std::isfinite(values[i]);
    std::uint32_t itemFlags =
        (flags >> (2 * i) & 1 ? kNewlineFlag : 0) | (flags >> (2 * i + 1) & 1 ? kLastItemFlag : 0);
    formatNumber(1, values[i], itemFlags);
  }
  formatEnd(1);
  fileClose(1);
  std::FILE* written = std::fopen(path.c_str(), "rb");
  std::string text;
  for (int c; (c = std::fgetc(written)) != EOF;)
    text.push_back(static_cast<char>(c));
  std::fclose(written);
  // Fields print digits, blanks, points, signs and the overflow marker only; letters come from
  // the format's literal text.
  bool formatHasLetters = format.find_first_of("nafiNAFI") != std::string::npos;
  if (finite && !formatHasLetters && fuzzing::holdsNanOrInf(text))
    fuzzing::finding("nan or inf printed", text);
  return 0;
}
