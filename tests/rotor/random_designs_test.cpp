// Random plausible designs, built by the engine and analysed over the whole curve: no rotor may
// beat the Betz limit, and every section the analysis calls solved must satisfy the blade element
// and momentum equations, restated here from the textbook.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "blade/blade_assembly.h"
#include "momentum_balance.h"
#include "output/design_limits.h"
#include "rotor/naca_polar.h"
#include "rotor/rotor_performance.h"
#include "test_seed.h"
#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

constexpr double kBetzLimit = 16.0 / 27.0;
constexpr int kDesigns = 40;

std::string decimal(double value) {
  return numberToText(std::round(value * 100) / 100);
}

// Radius 100-2500 mm, 1-8 blades, tip speed ratio 1-12, angle of attack 0-15 degrees, chord
// limits 10-600 mm, hub up to a fifth of the radius, 4-30 chord divisions.
FormTexts randomDesign(std::mt19937_64& random) {
  auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  auto whole = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  FormTexts texts = defaultFormTexts();
  int radius = whole(100, 2500);
  texts[kFieldRadius] = integerToText(radius);
  texts[kFieldBlades] = integerToText(whole(1, 8));
  texts[kFieldTipSpeedRatio] = decimal(uniform(1, 12));
  texts[kFieldAngleOfAttack] = decimal(uniform(0, 15));
  texts[kFieldChordLimitZ] = decimal(uniform(10, 600));
  texts[kFieldChordLimitX] = decimal(uniform(10, 600));
  texts[kFieldHubRadius] = integerToText(whole(0, radius / 5));
  texts[kFieldHubChamfer] = integerToText(whole(0, 60));
  texts[kFieldChordDivisions] = integerToText(whole(4, 30));
  return texts;
}

TEST(RandomDesigns, StayBelowTheBetzLimitAndSolveOrReportEverySection) {
  std::mt19937_64 random(testing_support::testSeed(20240612));
  int analysed = 0;
  std::size_t sections = 0;
  std::size_t unsolved = 0;
  for (int attempt = 0; analysed < kDesigns; ++attempt) {
    ASSERT_LT(attempt, 10 * kDesigns) << "the engine's checks refuse nearly every design";
    FormTexts texts = randomDesign(random);
    DesignParameters parameters = readDesignParameters(texts);
    if (findDesignProblem(parameters)) continue;
    ++analysed;
    SCOPED_TRACE("radius " + texts[kFieldRadius] + " blades " + texts[kFieldBlades] + " tsr " +
                 texts[kFieldTipSpeedRatio] + " alpha " + texts[kFieldAngleOfAttack] + " limits " +
                 texts[kFieldChordLimitZ] + "/" + texts[kFieldChordLimitX] + " hub " +
                 texts[kFieldHubRadius] + " divisions " + texts[kFieldChordDivisions]);
    RotorBlade blade = rotorBladeAsBuilt(buildBlade(parameters), parameters);
    Airfoil airfoil = nacaAirfoil(profileOf(parameters), viternaMaxDrag(bladeAspectRatio(blade)));
    Conditions conditions;
    conditions.windSpeed = parameters.maxWindSpeed;
    for (const RotorPerformance& point : performanceCurve(blade, airfoil, conditions)) {
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
  std::printf("%d designs, %zu sections solved, %zu reported without a solution\n", analysed,
              sections - unsolved, unsolved);
}

}  // namespace
}  // namespace zephyrion::rotor
