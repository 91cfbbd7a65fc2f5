#include "structure/strength_report.h"

#include "text/number_forms.h"

namespace zephyrion::structure {
namespace {

constexpr const char* kSectionColumns =
    "radius_mm,area_mm2,effective_area_mm2,centroid_x_mm,centroid_y_mm,ix_mm4,iy_mm4,ixy_mm4,i_major_mm4,"
    "i_minor_mm4,major_axis_deg,major_axis_fibre_mm,minor_axis_fibre_mm";
constexpr const char* kCaseColumns[] = {"_axial_force_N",    "_flap_moment_Nm", "_edge_moment_Nm",
                                        "_weight_moment_Nm", "_stress_MPa",     "_safety_factor"};
constexpr const char* kCaseKeys[kLoadCaseCount] = {"operating", "runaway", "parked"};

std::string headerLine() {
  std::string line = kSectionColumns;
  for (const char* key : kCaseKeys) {
    for (const char* column : kCaseColumns)
      line += std::string(",") + key + column;
  }
  return line + "\r\n";
}

std::string rowLine(const RowStrength& row) {
  const SectionProperties& s = row.section;
  std::string line = numberToText(row.radius);
  for (double value : {s.area, s.effectiveArea, s.centroidX, s.centroidY, s.ix, s.iy, s.ixy, s.iMajor,
                       s.iMinor, s.majorAxisDegrees, s.majorAxisFibre, s.minorAxisFibre})
    line += "," + numberToText(value);
  for (const RowCase& c : row.cases) {
    for (double value : {c.axialForce, c.flapMoment, c.edgeMoment, c.weightMoment, c.stress, c.safetyFactor})
      line += "," + numberToText(value);
  }
  return line + "\r\n";
}

std::string sectionText(const StrengthAnalysis& a) {
  if (a.shell.thickness == 0) return "solid section";
  return "printed wall " + figureText(a.shell.thickness) + " mm, core filled " +
         figureText(a.shell.infill * 100) + " %";
}

std::string capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

std::string caseLine(LoadCase loadCase, const CaseResult& c) {
  std::string line = capitalised(loadCaseName(loadCase)) + ": " + c.verdict + "; root moments " +
                     figureText(c.rootFlapMoment) + " N m flapwise, " + figureText(c.rootEdgeMoment) +
                     " N m edgewise and " + figureText(c.rootWeightMoment) +
                     " N m of its weight; tip deflection " + figureText(c.tipDeflection) + " mm";
  if (loadCase == kRunaway)
    line += "; tip speed ratio " + figureText(c.tipSpeedRatio) +
            (c.runawayFound ? "" : ", where the rotor still makes power (taken as the highest)");
  return line;
}

}  // namespace

std::string strengthCsvText(const StrengthAnalysis& analysis) {
  std::string text = headerLine();
  for (const RowStrength& row : analysis.rows)
    text += rowLine(row);
  return text;
}

std::vector<std::string> strengthLines(const StrengthAnalysis& a) {
  std::vector<std::string> lines{"Strength in " + a.materialDescription + " (" + figureText(a.strength) +
                                 " MPa, " + figureText(a.modulus) + " GPa), " + sectionText(a)};
  for (int c = 0; c < kLoadCaseCount; ++c)
    lines.push_back(caseLine(static_cast<LoadCase>(c), a.cases[c]));
  const CaseResult& governing = a.cases[a.governing];
  lines.push_back("Governing: " + std::string(loadCaseName(a.governing)) + ", safety factor " +
                  figureText(governing.safetyFactor) + " at r = " + figureText(governing.weakestRadius) +
                  " mm; IEC 61400-2's simplified loads ask for " + figureText(a.requiredSafetyFactor) + " (" +
                  figureText(kLoadSafetyFactor) + " on the loads, " + figureText(kMaterialSafetyFactor) +
                  " on a data-sheet material)");
  return lines;
}

}  // namespace zephyrion::structure
