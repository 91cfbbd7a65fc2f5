// The form's fifteen fields in one table: what the window draws as each caption, what the
// command line calls it, the text it starts with, and the range a design may take with why.
// The window, the command line, its help and manual page, and the refusals all read this table,
// so a field's name or range is changed here and nowhere else.
#pragma once

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "blade/design_parameters.h"

namespace zephyrion {

inline constexpr double kNoUpperEnd = std::numeric_limits<double>::max();

// The range a field's value must lie in, both ends included, in the units the user types. The
// value is compared as the design holds it: `held` reads it from the parameters, and the ends
// are multiplied by `heldPerTyped` first (the density is held in kg/mm3, the thickness as a
// fraction of the chord), so that the typed ends themselves are accepted.
struct FieldRange {
  double (*held)(const DesignParameters&) = nullptr;  // nullptr: any text is taken (the output name)
  double lowest = 0;
  double highest = kNoUpperEnd;
  double heldPerTyped = 1;
  // An upper end set by other fields: its value for a design and its name ("the radius"), which
  // a refusal shows before the value unless it names the value alone.
  double (*dependentHighest)(const DesignParameters&) = nullptr;
  std::string_view highestName;
  bool refusalShowsValueOnly = false;
  std::string_view unit;  // after the range (" degrees")
  // The range in words where "be from A to B" reads badly: as a refusal says it, and as help does.
  std::string_view refusalWording;
  std::string_view helpWording;
  std::string_view why;  // in the user's words, after the range
};

struct FormFieldEntry {
  FormField field;
  std::string_view caption;      // as the window draws it, padded so the units line up
  std::string_view option;       // the command line's name
  std::string_view defaultText;  // what the field holds when the designer starts
  std::string_view meaning;      // the command line's help
  bool anyText;                  // true: any printable character; false: digits and "." only
  FieldRange range;
};

const std::array<FormFieldEntry, kFormFieldCount>& formFieldEntries();
const FormFieldEntry& formFieldEntry(FormField field);

// The caption as the user reads it in a message: the padding between its words folded to one
// blank ("NACA profile [4 digit]").
std::string fieldName(FormField field);

// The range as help and the manual show it ("0.1 to 2", "0.25 to the radius", "at least 1");
// empty for a field that takes any text.
std::string rangeText(const FieldRange& range);

// A whole number with thousands separators ("100,000"), any other number in the short form.
std::string figureWithSeparators(double value);

}  // namespace zephyrion
