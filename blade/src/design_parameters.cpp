#include "blade/design_parameters.h"

#include "blade/form_fields.h"
#include "text/number_forms.h"
#include "text/rounding.h"
#include "text/text_ops.h"

namespace zephyrion {
namespace {

// 2 pi / 1000 as a double: turns a radius in mm into the circumference in metres.
constexpr double kMetresPerRevolutionPerMm = 0.006283185307179587;

double numberOf(const FormTexts& texts, FormField field) {
  return textToNumber(texts[field]);
}

std::int32_t roundedNumberOf(const FormTexts& texts, FormField field) {
  return roundToInt32(numberOf(texts, field));
}

// The profile's digits are read piece by piece, so "44120" is the profile 4412 and a piece past
// the end of a short text reads as 0.
void readNacaDigits(const std::string& code, DesignParameters& parameters) {
  parameters.maxCamber = textToNumber(textMid(code, 1, 1)) / 100;
  parameters.camberPosition = textToNumber(textMid(code, 2, 1)) / 10;
  parameters.thicknessRatio = textToNumber(textMid(code, 3, 2)) / 100;
}

// The surface mesh needs an even count: the hub block splits the divisions into two halves.
std::int32_t evenDivisions(std::int32_t divisions) {
  return divisions / 2 * 2;
}

// A rotor of no radius has no defined speed; it is reported as 0 instead of dividing by zero.
std::int32_t rotorSpeedAt(const DesignParameters& parameters) {
  double metresPerRevolution = parameters.rotorRadius * kMetresPerRevolutionPerMm;
  if (metresPerRevolution == 0) return 0;
  return roundToInt32(parameters.maxWindSpeed * parameters.tipSpeedRatio * 60 / metresPerRevolution);
}

}  // namespace

const FormTexts& defaultFormTexts() {
  static const FormTexts texts = [] {
    FormTexts defaults;
    for (const FormFieldEntry& entry : formFieldEntries())
      defaults[entry.field] = entry.defaultText;
    return defaults;
  }();
  return texts;
}

DesignParameters readDesignParameters(const FormTexts& texts) {
  DesignParameters parameters;
  parameters.nacaCode = texts[kFieldProfile];
  readNacaDigits(parameters.nacaCode, parameters);
  parameters.liftCoefficient = numberOf(texts, kFieldLift);
  parameters.rotorRadius = roundedNumberOf(texts, kFieldRadius);
  parameters.bladeCount = roundedNumberOf(texts, kFieldBlades);
  parameters.tipSpeedRatio = numberOf(texts, kFieldTipSpeedRatio);
  parameters.tipChamfer = numberOf(texts, kFieldTipChamfer);
  parameters.angleOfAttack = numberOf(texts, kFieldAngleOfAttack);
  parameters.chordLimitZ = numberOf(texts, kFieldChordLimitZ);
  parameters.chordLimitX = numberOf(texts, kFieldChordLimitX);
  parameters.densityKgPerMm3 = numberOf(texts, kFieldDensity) * 1e-09;
  parameters.maxWindSpeed = numberOf(texts, kFieldWindSpeed);
  parameters.hubRadius = roundedNumberOf(texts, kFieldHubRadius);
  parameters.hubChamfer = roundedNumberOf(texts, kFieldHubChamfer);
  parameters.chordDivisions = evenDivisions(roundedNumberOf(texts, kFieldChordDivisions));
  parameters.outputName = texts[kFieldOutputName];
  parameters.rotorSpeedRpm = rotorSpeedAt(parameters);
  return parameters;
}

}  // namespace zephyrion
