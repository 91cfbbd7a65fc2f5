// The print form, the short form and formatted fields of any double: never "nan" or "inf" for
// a finite value, the print form's blank or "-" in front, and both forms read back to the same
// double wherever 16 significant digits are enough to tell it from its neighbours.
#include <charconv>
#include <cmath>
#include <string>

#include "fuzz_input.h"
#include "text/format.h"
#include "text/number_forms.h"

namespace {

using namespace zephyrion;

// Whether the double's 16-digit rounding reads back to itself.
bool sixteenDigitsSuffice(double value) {
  char buffer[40];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 15).ptr;
  double back = 0;
  std::from_chars(buffer, end, back);
  return back == value;
}

void checkForms(double value) {
  std::string print = printForm(value);
  std::string shortForm = numberToText(value);
  if (!std::isfinite(value)) return;
  if (fuzzing::holdsNanOrInf(print) || fuzzing::holdsNanOrInf(shortForm))
    fuzzing::finding("nan or inf", print);
  if (print.empty() || (print[0] != ' ' && print[0] != '-')) fuzzing::finding("no sign place", print);
  if (print.size() > 24 || shortForm.size() > 23) fuzzing::finding("too long", print);
  if (sixteenDigitsSuffice(value)) {
    if (textToNumber(print) != value) fuzzing::finding("the print form does not read back", print);
    if (textToNumber(shortForm) != value) fuzzing::finding("the short form does not read back", shortForm);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  double value = input.nextDouble();
  checkForms(value);
  int places = input.nextByte() % 24;
  int decimals = static_cast<int>(input.nextByte() % 20) - 1;  // -1: a field without a point
  std::string field = formatField(value, places, decimals);
  if (std::isfinite(value) && fuzzing::holdsNanOrInf(field)) fuzzing::finding("a formatted field", field);
  return 0;
}
