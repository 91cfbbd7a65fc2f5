#include "blade/form_fields.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "blade/blade_assembly.h"
#include "text/number_forms.h"

namespace zephyrion {
namespace {

constexpr double kKilogramsPerCubicMmPerCubicMetre = 1e-09;
constexpr double kChordPerPercent = 0.01;
// The thickness digits' ends, multiplied out, are the very fractions the profile is read as.
static_assert(1 * kChordPerPercent == 0.01 && 30 * kChordPerPercent == 0.30);

double heldRadius(const DesignParameters& p) {
  return p.rotorRadius;
}

// The blend out of the hub ends below the tip: at most R - Q - 1 rows beyond the hub block.
double longestHubChamfer(const DesignParameters& p) {
  return p.rotorRadius - computeHubWedge(p.hubRadius, p.bladeCount).endRow - 1;
}

// Each range names only the members it sets; GCC 12 would warn of the others, left at their
// defaults on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
constexpr std::array<FormFieldEntry, kFormFieldCount> kEntries = {{
    {kFieldProfile,
     "NACA profile         [4 digit] ",
     "--profile",
     "4412",
     "NACA four-digit profile",
     false,
     {.held = [](const DesignParameters& p) { return p.thicknessRatio; },
      .lowest = 1,
      .highest = 30,
      .heldPerTyped = kChordPerPercent,
      .refusalWording = "end in a thickness from 01 to 30",
      .helpWording = "thickness 01 to 30",
      .why = "a section needs some thickness, and a thicker one folds over at its nose"}},
    {kFieldLift,
     "Lift coefficient               ",
     "--lift",
     "0.85",
     "lift coefficient",
     false,
     {.held = [](const DesignParameters& p) { return p.liftCoefficient; },
      .lowest = 0.1,
      .highest = 2,
      .why = "no four-digit section lifts more, and less asks for a blade far too wide"}},
    {kFieldRadius,
     "Radius of rotor           [mm] ",
     "--radius",
     "500",
     "rotor radius [mm]",
     false,
     {.held = heldRadius,
      .lowest = 2,
      .highest = 100000,
      .why = "the table needs a row inside the tip, and larger is no small turbine"}},
    {kFieldBlades,
     "Number of blades               ",
     "--blades",
     "3",
     "number of blades",
     false,
     {.held = [](const DesignParameters& p) { return static_cast<double>(p.bladeCount); },
      .lowest = 1,
      .highest = 20,
      .why = "more would leave each blade a sliver"}},
    {kFieldTipSpeedRatio,
     "Tip speed ratio                ",
     "--tsr",
     "5",
     "tip speed ratio",
     false,
     {.held = [](const DesignParameters& p) { return p.tipSpeedRatio; },
      .lowest = 0.5,
      .highest = 20,
      .why = "the ideal chord falls with its square, to nothing above 20 and without end below 0.5"}},
    {kFieldTipChamfer,
     "Blade tip chamfer         [mm] ",
     "--tip-chamfer",
     "10",
     "blade tip chamfer [mm]",
     false,
     {.held = [](const DesignParameters& p) { return p.tipChamfer; },
      .lowest = 0.25,
      .dependentHighest = heldRadius,
      .highestName = "the radius",
      .why = "a shorter chamfer would widen the tip"}},
    {kFieldAngleOfAttack,
     "Angle of attack (alpha)        ",
     "--alpha",
     "5",
     "angle of attack [deg]",
     false,
     {.held = [](const DesignParameters& p) { return p.angleOfAttack; },
      .lowest = 0,
      .highest = 20,
      .unit = " degrees",
      .why = "beyond 20 the section stalls"}},
    {kFieldChordLimitZ,
     "Chord limit in Z (Height) [mm] ",
     "--limit-z",
     "50",
     "chord limit in Z, height [mm]",
     false,
     {.held = [](const DesignParameters& p) { return p.chordLimitZ; },
      .lowest = 1,
      .why = "a thinner blank cannot hold a blade"}},
    {kFieldChordLimitX,
     "Chord limit in X (Width)  [mm] ",
     "--limit-x",
     "120",
     "chord limit in X, width [mm]",
     false,
     {.held = [](const DesignParameters& p) { return p.chordLimitX; },
      .lowest = 1,
      .why = "a narrower blank cannot hold a blade"}},
    {kFieldDensity,
     "Density of blade       [kg/m3] ",
     "--density",
     "600",
     "density of the blade [kg/m3]",
     false,
     {.held = [](const DesignParameters& p) { return p.densityKgPerMm3; },
      .lowest = 1,
      .highest = 25000,
      .heldPerTyped = kKilogramsPerCubicMmPerCubicMetre,
      .why = "no blade material lies outside"}},
    {kFieldWindSpeed,
     "Max operating wind speed [m/s] ",
     "--wind",
     "10",
     "maximum operating wind speed [m/s]",
     false,
     {.held = [](const DesignParameters& p) { return p.maxWindSpeed; },
      .lowest = 0,
      .highest = 100,
      .why = "no small turbine runs in stronger wind"}},
    {kFieldHubRadius,
     "Hub radius                [mm] ",
     "--hub-radius",
     "40",
     "hub radius [mm]",
     false,
     {.held = [](const DesignParameters& p) { return static_cast<double>(p.hubRadius); },
      .lowest = 0,
      .dependentHighest = heldRadius,
      .highestName = "the radius",
      .why = "the hub lies inside the rotor"}},
    {kFieldHubChamfer,
     "Hub to blade chamfer      [mm] ",
     "--hub-chamfer",
     "40",
     "hub to blade chamfer [mm]",
     false,
     {.held = [](const DesignParameters& p) { return static_cast<double>(p.hubChamfer); },
      .lowest = 0,
      .dependentHighest = longestHubChamfer,
      .highestName = "the radius less the hub block less 1",
      .refusalShowsValueOnly = true,
      .why = "the blend out of the hub must end below the tip"}},
    {kFieldChordDivisions,
     "STL precision [Chord divisions]",
     "--divisions",
     "10",
     "STL precision, chord divisions",
     false,
     {.held = [](const DesignParameters& p) { return static_cast<double>(p.chordDivisions); },
      .lowest = 4,
      .highest = 1000,
      .why = "the hub block needs 4, and a printer shows no more"}},
    {kFieldOutputName,
     "Output name ",
     "--output",
     "d:\\xx\\Blade",
     "output name without extension",
     true,
     {}},
}};
#pragma GCC diagnostic pop

constexpr bool entriesStandInFormOrder() {
  for (int i = 0; i < kFormFieldCount; ++i) {
    if (kEntries[i].field != i) return false;
  }
  return true;
}
static_assert(entriesStandInFormOrder(), "the table's rows stand in form order");

}  // namespace

const std::array<FormFieldEntry, kFormFieldCount>& formFieldEntries() {
  return kEntries;
}

const FormFieldEntry& formFieldEntry(FormField field) {
  assert(field >= 0 && field < kFormFieldCount);
  return kEntries[field];
}

std::string fieldName(FormField field) {
  std::string name;
  for (char c : formFieldEntry(field).caption) {
    if (c != ' ' || (!name.empty() && name.back() != ' ')) name += c;
  }
  while (!name.empty() && name.back() == ' ')
    name.pop_back();
  return name;
}

std::string figureWithSeparators(double value) {
  if (value != std::trunc(value) || std::fabs(value) >= 1e15) return numberToText(value);
  char buffer[24];
  std::string digits(buffer,
                     std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value)).ptr);
  for (int i = static_cast<int>(digits.size()) - 3; i > (digits[0] == '-' ? 1 : 0); i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

std::string rangeText(const FieldRange& range) {
  if (!range.held) return {};
  if (!range.helpWording.empty()) return std::string(range.helpWording);
  if (range.dependentHighest)
    return figureWithSeparators(range.lowest) + " to " + std::string(range.highestName);
  if (range.highest == kNoUpperEnd) return "at least " + figureWithSeparators(range.lowest);
  return figureWithSeparators(range.lowest) + " to " + figureWithSeparators(range.highest) +
         std::string(range.unit);
}

}  // namespace zephyrion
