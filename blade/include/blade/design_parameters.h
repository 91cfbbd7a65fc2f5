// The form's fifteen values as numbers, and the values that follow directly from them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zephyrion {

inline constexpr int kFormFieldCount = 15;
using FormTexts = std::array<std::string, kFormFieldCount>;

// Form field indices, in form order.
enum FormField : int {
  kFieldProfile = 0,
  kFieldLift,
  kFieldRadius,
  kFieldBlades,
  kFieldTipSpeedRatio,
  kFieldTipChamfer,
  kFieldAngleOfAttack,
  kFieldChordLimitZ,
  kFieldChordLimitX,
  kFieldDensity,
  kFieldWindSpeed,
  kFieldHubRadius,
  kFieldHubChamfer,
  kFieldChordDivisions,
  kFieldOutputName,
};

// The default texts of the form, in form order.
const FormTexts& defaultFormTexts();

struct DesignParameters {
  std::string nacaCode;             // the profile text as typed
  double maxCamber = 0;             // m, fraction of chord (first digit / 100)
  double camberPosition = 0;        // p, fraction of chord (second digit / 10)
  double thicknessRatio = 0;        // t, fraction of chord (third and fourth digits / 100)
  double liftCoefficient = 0;       // Cl
  std::int32_t rotorRadius = 0;     // R, mm
  std::int32_t bladeCount = 0;      // B
  double tipSpeedRatio = 0;         // TSR
  double tipChamfer = 0;            // T, mm (not rounded)
  double angleOfAttack = 0;         // degrees
  double chordLimitZ = 0;           // mm, across the rotor plane
  double chordLimitX = 0;           // mm, in the rotor plane
  double densityKgPerMm3 = 0;       // kg/mm^3
  double maxWindSpeed = 0;          // m/s
  std::int32_t hubRadius = 0;       // H, mm
  std::int32_t hubChamfer = 0;      // D, mm
  std::int32_t chordDivisions = 0;  // N, always even
  std::string outputName;           // path without extension, as typed
  std::int32_t rotorSpeedRpm = 0;   // at maxWindSpeed
};

// Reads the fifteen field texts. Never fails: every text yields some number.
DesignParameters readDesignParameters(const FormTexts& texts);

}  // namespace zephyrion
