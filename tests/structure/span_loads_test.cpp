// Loads along the span against the closed forms of a bar spinning about one end and of a
// uniformly loaded cantilever.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "structure/span_loads.h"

namespace zephyrion::structure {
namespace {

constexpr double kLength = 800;  // mm
constexpr double kWidth = 30;    // mm, in the rotor plane
constexpr double kDepth = 5;     // mm, along the rotor axis

SectionOutline barOutline() {
  return {{{-kWidth / 2, kDepth / 2}, {kWidth / 2, kDepth / 2}},
          {{-kWidth / 2, -kDepth / 2}, {kWidth / 2, -kDepth / 2}}};
}

std::vector<double> radiiEveryMillimetre() {
  std::vector<double> radii;
  for (int r = 0; r <= kLength; ++r)
    radii.push_back(r);
  return radii;
}

// sigma(r) = rho omega^2 (R^2 - r^2) / 2.
TEST(SpanLoads, ABarSpinningAboutOneEndCarriesTheClosedFormTension) {
  const double density = 1240;  // kg/m^3
  const double omega = 150;     // rad/s
  SectionProperties section = sectionProperties(barOutline());
  std::vector<double> radii = radiiEveryMillimetre();
  std::vector<LineLoad> loads(radii.size(), LineLoad{density * section.area * 1e-6, 0, 0});
  std::vector<SectionLoads> carried = sectionLoads(radii, loads, omega);
  for (int r : {0, 100, 400, 700, 799}) {
    double expected = density * omega * omega * (std::pow(kLength * 1e-3, 2) - std::pow(r * 1e-3, 2)) / 2;
    EXPECT_NEAR(carried[r].axialForce / (section.area * 1e-6) / expected, 1, 5e-3) << "r = " << r;
  }
}

// A bar turned by t in the rotor plane under a uniform flapwise load q, resolved onto its own
// axes u (along its width b) and v (along its depth h): root moment q L^2 / 2; root stress
// M sin t (b/2) / Iu + M cos t (h/2) / Iv with Iu = h b^3 / 12, Iv = b h^3 / 12; flapwise tip
// deflection q L^4 / (8 E) (sin^2 t / Iu + cos^2 t / Iv), q L^4 / (8 E I) unturned.
TEST(SpanLoads, AUniformlyLoadedCantileverBendsAsTheClosedFormsSay) {
  const double q = 40;         // N/m
  const double modulus = 2e3;  // MPa
  const double iu = kDepth * std::pow(kWidth, 3) / 12;
  const double iv = kWidth * std::pow(kDepth, 3) / 12;
  std::vector<double> radii = radiiEveryMillimetre();
  std::vector<SectionLoads> carried = sectionLoads(radii, std::vector<LineLoad>(radii.size(), {0, q, 0}), 0);
  double length = kLength * 1e-3;
  double rootMoment = q * length * length / 2;
  EXPECT_NEAR(carried.front().flapMoment / rootMoment, 1, 5e-3);
  for (double degrees : {0.0, 30.0, -65.0}) {
    double t = degrees * std::numbers::pi / 180;
    SectionOutline turned = barOutline();
    for (std::vector<PlanePoint>* half : {&turned.upper, &turned.lower}) {
      for (PlanePoint& p : *half)
        p = {std::cos(t) * p.x - std::sin(t) * p.y, std::sin(t) * p.x + std::cos(t) * p.y};
    }
    SectionProperties section = sectionProperties(turned);
    double stress = rootMoment * 1e3 *
                    (std::fabs(std::sin(t)) * kWidth / 2 / iu + std::fabs(std::cos(t)) * kDepth / 2 / iv);
    EXPECT_NEAR(peakStress(section, outlinePolygon(turned), carried.front()) / stress, 1, 5e-3) << degrees;
    std::vector<double> curvature;
    for (const SectionLoads& loads : carried)
      curvature.push_back(flapwiseCurvature(section, loads, modulus));
    double deflection = q * 1e-3 * std::pow(kLength, 4) / (8 * modulus) *
                        (std::pow(std::sin(t), 2) / iu + std::pow(std::cos(t), 2) / iv);
    EXPECT_NEAR(tipDeflection(radii, curvature) / deflection, 1, 5e-3) << degrees;
  }
}

}  // namespace
}  // namespace zephyrion::structure
