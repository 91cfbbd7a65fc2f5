// Reading a form field's text as a number: any bytes give a number without undefined behaviour,
// and a plain decimal text gives exactly the double that std::from_chars reads.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "fuzz_input.h"
#include "text/number_forms.h"

namespace {

bool isPlainDecimal(std::string_view text) {
  bool digits = false, point = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zephyrion;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  double value = textToNumber(text);
  if (std::isnan(value)) fuzzing::finding("a text read as NaN", text);
  if (isPlainDecimal(text)) {
    double expected = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
    if (error == std::errc::result_out_of_range) {
      // Beyond the double range: infinite when a digit before the point is not 0, else too small.
      bool large = text.find_first_of("123456789") < text.find('.');
      expected = large ? HUGE_VAL : 0.0;
    }
    if (end != text.data() + text.size() || value != expected)
      fuzzing::finding("a decimal read wrongly", text);
  }
  return 0;
}
