// Random plausible designs of every accepted profile, built by the engine and analysed over the
// whole curve: no rotor may
// beat the Betz limit, and every section the analysis calls solved must satisfy the blade element
// and momentum equations, restated here from the textbook.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "blade/blade_assembly.h"
#include "blade/design_limits.h"
#include "momentum_balance.h"
#include "plausible_designs.h"
#include "rotor/design_analysis.h"
#include "rotor/rotor_performance.h"
#include "test_seed.h"
#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

constexpr double kBetzLimit = 16.0 / 27.0;
constexpr int kDesigns = 40;

TEST(RandomDesigns, StayBelowTheBetzLimitAndSolveOrReportEverySection) {
  testing_support::PlausibleDesigns designs(testing_support::testSeed(20240612));
  int analysed = 0;
  int refused = 0;  // profiles the built-in polar model refuses
  std::size_t sections = 0;
  std::size_t unsolved = 0;
  for (int attempt = 0; analysed < kDesigns; ++attempt) {
    ASSERT_LT(attempt, 10 * kDesigns) << "the engine's checks refuse nearly every design";
    FormTexts texts = designs.next();
    DesignParameters parameters = readDesignParameters(texts);
    if (findDesignProblem(parameters)) continue;
    AnalysisOptions options;
    if (findSectionProblem(parameters, options)) {
      ++refused;
      continue;
    }
    ++analysed;
    SCOPED_TRACE("radius " + texts[kFieldRadius] + " blades " + texts[kFieldBlades] + " tsr " +
                 texts[kFieldTipSpeedRatio] + " alpha " + texts[kFieldAngleOfAttack] + " limits " +
                 texts[kFieldChordLimitZ] + "/" + texts[kFieldChordLimitX] + " hub " +
                 texts[kFieldHubRadius] + " divisions " + texts[kFieldChordDivisions]);
    DesignAnalysis analysis = analyseDesign(buildBlade(parameters), parameters, options);
    const RotorBlade& blade = analysis.blade;
    const Conditions& conditions = analysis.conditions;
    for (const RotorPerformance& point : analysis.curve) {
      EXPECT_LE(point.powerCoefficient, kBetzLimit) << "tip speed ratio " << point.tipSpeedRatio;
      std::size_t reported = 0;
      for (std::size_t i = 0; i < point.stations.size(); ++i) {
        const StationSolution& s = point.stations[i];
        if (!s.solved) {
          ASSERT_LT(reported, point.unsolvedRadii.size());
          EXPECT_EQ(point.unsolvedRadii[reported++], blade.sections[i].radius);
          continue;
        }
        expectBalanced(s, blade.sections[i], blade, operatingPointOf(conditions, blade, point.tipSpeedRatio));
        if (::testing::Test::HasFailure()) return;  // one section tells enough
      }
      EXPECT_EQ(reported, point.unsolvedRadii.size());
      sections += point.stations.size();
      unsolved += reported;
    }
  }
  std::printf("%d designs, %d profiles refused, %zu sections solved, %zu reported without a solution\n",
              analysed, refused, sections - unsolved, unsolved);
}

}  // namespace
}  // namespace zephyrion::rotor
