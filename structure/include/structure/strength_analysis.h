// Will the blade hold: its stresses, safety factors and deflection as written to the STL, in
// the three cases that break small blades.
//
// The blade is a cantilever clamped at the hub radius (rows inside it are the hub block, held
// by the hub), analysed row by row out to the tip with the loads of span_loads.h on the
// sections of section_properties.h:
// - operating: the highest operating wind of the form at the design's rotor speed, the
//   blade-element forces from the rotor analysis (rotor_performance.h), centrifugal tension at
//   that speed;
// - runaway: the rotor unloaded at the same wind. With no load to drive it speeds up until its
//   aerodynamic power falls to zero, at the tip speed ratio where the power curve crosses zero
//   (found by steps of 0.5 from the design's, then halving to 0.001); blade-element forces and
//   centrifugal tension at that speed;
// - parked in a storm: the rotor stopped with the blades broadside to the storm wind, each
//   section's drag and lift from the post-stall polar at 90 degrees less its twist
//   (rotor::parkedStation), no centrifugal tension.
// In every case the blade's own weight bends it edgewise, the blade level either way round.
// A row's safety factor is the material's strength over the largest stress on its outline; a
// case's is the least over the rows, at its weakest radius.
//
// The cases follow the simplified load calculation of the small wind turbine standard,
// IEC 61400-2:2013 (Wind turbines - Part 2: Small wind turbines), clause 7.4, with the loads
// from blade element momentum theory in place of its formulas: the runaway is its load case E,
// maximum rotational speed (7.4.6), the parked blade its load case H, parked wind loading
// (7.4.9). The storm wind by default is the extreme 3-second gust that returns once in 50
// years, V_e50 = 1.4 V_ref (extreme wind model, 6.3.2), of the strongest standard class,
// SWT class I (V_ref = 50 m/s, Table 1 of 6.2): 70 m/s. Classes II, III and IV (V_ref 42.5,
// 37.5 and 30 m/s) give 59.5, 52.5 and 42 m/s. Where case H takes a drag coefficient of 1.5 on
// the blade's planform, the polar's flat-plate drag here falls with the blade's aspect ratio.
// The standard asks a design by the simplified loads to hold with the partial safety factors of
// 7.8 multiplied: 3.0 on the loads (ultimate loads from the simplified calculation) and 3.0 on a
// material whose strength is known from data sheets rather than tested to the standard's
// "full characterisation" (ultimate strength): a safety factor of 9.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "rotor/airfoil.h"
#include "rotor/rotor_blade.h"
#include "structure/section_properties.h"

namespace zephyrion::structure {

inline constexpr double kClassOneStormWind = 1.4 * 50.0;  // m/s, V_e50 of SWT class I
inline constexpr double kLoadSafetyFactor = 3.0;          // IEC 61400-2 7.8, simplified loads
inline constexpr double kMaterialSafetyFactor = 3.0;      // IEC 61400-2 7.8, data-sheet material
inline constexpr const char* kDefaultMaterial = "pla-across";

// What the analysis is asked, as the command line's options give it.
struct StrengthOptions {
  std::string material;               // --material: a built-in name; empty: the default or own values
  std::optional<double> strengthMpa;  // --strength-mpa and --modulus-gpa: the builder's own material
  std::optional<double> modulusGpa;
  std::optional<double> shellMm;          // --shell-mm: a printed wall; none: a solid section, as carved
  std::optional<double> infill;           // --infill: the core's fill fraction with a wall; none: 0 (hollow)
  double stormWind = kClassOneStormWind;  // --storm-wind, m/s
  double airDensity = 1.225;              // --air-density, kg/m^3
};

// Why the options cannot be analysed, naming the option as it is typed; nothing when they can.
std::optional<std::string> findStrengthProblem(const StrengthOptions& options);

enum LoadCase : int { kOperating = 0, kRunaway, kParkedStorm };
inline constexpr int kLoadCaseCount = 3;

// One row in one case.
struct RowCase {
  double axialForce = 0;    // N, tension
  double flapMoment = 0;    // N m
  double edgeMoment = 0;    // N m, aerodynamic
  double weightMoment = 0;  // N m, of the weight with the blade level
  double stress = 0;        // MPa, the largest on the outline
  double safetyFactor = 0;  // strength / stress, at most kSafetyFactorCeiling
};

// A safety factor stands at this ceiling where a row carries next to no stress (the tip).
inline constexpr double kSafetyFactorCeiling = 1000;

struct RowStrength {
  double radius = 0;  // mm
  SectionProperties section;
  std::array<RowCase, kLoadCaseCount> cases;
};

struct CaseResult {
  double windSpeed = 0;      // m/s
  double rotorSpeedRpm = 0;  // 0 when parked
  double tipSpeedRatio = 0;  // 0 when parked
  bool runawayFound = true;  // false: the rotor still makes power at tip speed ratio 40, taken there
  double weakestRadius = 0;  // mm
  double safetyFactor = 0;
  double rootFlapMoment = 0;    // N m at the hub radius
  double rootEdgeMoment = 0;    // N m, aerodynamic
  double rootWeightMoment = 0;  // N m
  double tipDeflection = 0;     // mm, flapwise (downwind positive)
  std::string verdict;          // "holds with a safety factor of 2.4 at r = 62 mm in a 70 m/s storm"
};

struct StrengthAnalysis {
  std::string materialDescription;
  double strength = 0;            // MPa
  double modulus = 0;             // GPa
  Shell shell;                    // thickness 0: solid
  std::vector<RowStrength> rows;  // from the hub radius (row 1 without a hub) to the tip
  std::array<CaseResult, kLoadCaseCount> cases;
  LoadCase governing = kOperating;  // the case of the least safety factor
  double requiredSafetyFactor = kLoadSafetyFactor * kMaterialSafetyFactor;
};

// The blade's strength. Preconditions (asserted): findStrengthProblem(options) finds nothing;
// the geometry is the built blade of parameters inside the engine's ranges; `blade` is its
// rotor::rotorBladeAsBuilt (or the same blade on fewer sections) and `airfoil` its airfoil.
StrengthAnalysis analyseStrength(const BladeGeometry& geometry, const DesignParameters& parameters,
                                 const rotor::RotorBlade& blade, const rotor::Airfoil& airfoil,
                                 const StrengthOptions& options);

// The load case's name in words: "operating", "runaway", "parked in a storm".
const char* loadCaseName(LoadCase loadCase);

}  // namespace zephyrion::structure
