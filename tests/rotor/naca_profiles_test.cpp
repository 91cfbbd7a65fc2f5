// Every profile the form accepts (camber 0-9, its position 0-9, thickness 01-30) at Reynolds
// numbers 50,000, 500,000 and 6 million on both surfaces: the built-in model refuses it by name or
// gives a sound table, one that the airfoil takes (its asserts hold) with finite lift, positive
// drag, and the largest lift above the zero-lift angle and the least below it. The table's own
// asserts run in the builds that keep them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "rotor/naca_polar.h"

namespace zephyrion::rotor {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 11;  // every 11th profile under the sanitizers, which run ten times slower
#else
constexpr int kStride = 1;
#endif

std::string nameOf(int camber, int position, int thickness) {
  return "NACA " + std::to_string(camber) + std::to_string(position) + (thickness < 10 ? "0" : "") +
         std::to_string(thickness);
}

// Why the table is unsound, or nothing.
std::string faultOf(const Polar& polar) {
  const std::vector<PolarPoint>& p = polar.points;
  if (p.size() < 2 || !(p.front().alphaDegrees > -90 && p.front().alphaDegrees < 0) ||
      !(p.back().alphaDegrees > 0 && p.back().alphaDegrees < 90))
    return "angles not reaching from below 0 to above 0 within a right angle";
  for (std::size_t i = 1; i < p.size(); ++i) {
    if (!(p[i].alphaDegrees > p[i - 1].alphaDegrees)) return "angles not increasing";
  }
  for (const PolarPoint& point : p) {
    if (!std::isfinite(point.alphaDegrees) || !std::isfinite(point.lift) || !std::isfinite(point.drag))
      return "a value that is not finite";
    if (!(point.drag > 0)) return "drag not above 0";
  }
  auto crossing = std::adjacent_find(
      p.begin(), p.end(), [](const PolarPoint& a, const PolarPoint& b) { return a.lift <= 0 && b.lift > 0; });
  if (crossing == p.end()) return "no zero lift";
  double zeroLift = crossing->alphaDegrees - crossing->lift *
                                                 ((crossing + 1)->alphaDegrees - crossing->alphaDegrees) /
                                                 ((crossing + 1)->lift - crossing->lift);
  auto byLift = [](const PolarPoint& a, const PolarPoint& b) { return a.lift < b.lift; };
  auto [least, most] = std::minmax_element(p.begin(), p.end(), byLift);
  if (!(most->alphaDegrees > zeroLift)) return "the stall not above the zero-lift angle";
  if (!(least->alphaDegrees < zeroLift)) return "the negative stall not below the zero-lift angle";
  return "";
}

TEST(NacaModelOverTheFormsProfiles, RefusesByNameOrGivesASoundTable) {
  int profile = 0;
  int refused = 0;
  for (int camber = 0; camber <= 9; ++camber) {
    for (int position = 0; position <= 9; ++position) {
      for (int thickness = 1; thickness <= 30; ++thickness) {
        if (profile++ % kStride != 0) continue;
        NacaProfile naca{camber / 100.0, position / 10.0, thickness / 100.0};
        std::string name = nameOf(camber, position, thickness);
        if (auto problem = findNacaModelProblem(naca)) {
          EXPECT_EQ(problem->rfind(name + ": ", 0), 0u) << *problem;
          ++refused;
          continue;
        }
        for (double reynolds : {5e4, 5e5, 6e6}) {
          for (Surface surface : {Surface::kSmooth, Surface::kRough}) {
            Polar polar = nacaPolar(naca, reynolds, surface);
            std::string fault = faultOf(polar);
            ASSERT_EQ(fault, "") << name << " at Reynolds number " << reynolds;
            makeAirfoil({polar}, 1.3);
          }
        }
      }
    }
  }
  std::printf("%d of %d profiles refused\n", refused, (profile + kStride - 1) / kStride);
}

}  // namespace
}  // namespace zephyrion::rotor
