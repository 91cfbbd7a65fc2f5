// Random plausible designs in random materials, solid or printed: every figure the analysis
// returns is a finite number, and so is every field of its table.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "blade/design_limits.h"
#include "plausible_designs.h"
#include "rotor/design_analysis.h"
#include "structure/materials.h"
#include "structure/strength_report.h"
#include "test_seed.h"

namespace zephyrion::structure {
namespace {

constexpr int kDesigns = 30;

bool finiteFields(const std::string& csv) {
  return csv.find("nan") == std::string::npos && csv.find("inf") == std::string::npos;
}

TEST(RandomDesigns, GiveFiniteStressesSafetyFactorsAndTables) {
  std::uint64_t seed = testing_support::testSeed(20240619);
  testing_support::PlausibleDesigns designs(seed);
  std::mt19937_64 random(seed);
  int analysed = 0;
  for (int attempt = 0; analysed < kDesigns; ++attempt) {
    ASSERT_LT(attempt, 10 * kDesigns) << "the engine's checks refuse nearly every design";
    FormTexts texts = designs.next();
    DesignParameters parameters = readDesignParameters(texts);
    if (findDesignProblem(parameters)) continue;
    BladeGeometry geometry = buildBlade(parameters);
    if (findBuiltBladeProblem(parameters, geometry) || rotor::findSectionProblem(parameters, {})) continue;
    ++analysed;
    StrengthOptions options;
    options.material = builtInMaterials()[random() % builtInMaterials().size()].name;
    if (random() % 2) {
      options.shellMm = std::uniform_real_distribution<double>(0.4, 3)(random);
      options.infill = std::uniform_real_distribution<double>(0, 1)(random);
    }
    SCOPED_TRACE("radius " + texts[kFieldRadius] + " blades " + texts[kFieldBlades] + " limits " +
                 texts[kFieldChordLimitZ] + "/" + texts[kFieldChordLimitX] + " hub " +
                 texts[kFieldHubRadius] + " divisions " + texts[kFieldChordDivisions] + " " +
                 options.material + (options.shellMm ? " walled" : " solid"));
    rotor::DesignAnalysis rotor = rotor::analyseDesign(geometry, parameters, {});
    StrengthAnalysis analysis = analyseStrength(geometry, parameters, rotor.blade, rotor.airfoil, options);
    for (const CaseResult& c : analysis.cases) {
      EXPECT_TRUE(c.safetyFactor > 0 && c.safetyFactor <= kSafetyFactorCeiling) << c.safetyFactor;
      EXPECT_TRUE(std::isfinite(c.tipDeflection) && std::isfinite(c.rootFlapMoment) &&
                  std::isfinite(c.rootEdgeMoment) && std::isfinite(c.rotorSpeedRpm))
          << c.verdict;
    }
    EXPECT_TRUE(finiteFields(strengthCsvText(analysis)));
    for (const std::string& line : strengthLines(analysis))
      EXPECT_TRUE(finiteFields(line)) << line;
  }
}

}  // namespace
}  // namespace zephyrion::structure
