#include "rotor/naca_polar.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <future>
#include <utility>
#include <vector>

#include "panel_method.h"
#include "section_contour.h"
#include "section_polar.h"
#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

constexpr int kPanelsPerSide = 60;
constexpr double kTableRatio = 3.0;  // between neighbouring Reynolds numbers
constexpr double kThinnestSection = 0.03 - 1e-9;
constexpr double kFarthestCamberPosition = 0.8 + 1e-9;

// The sections whose flow is not attached up to a separation point, which the model describes.
constexpr const char* kSheet =
    "thinner than 3 %, a sheet whose nose (radius 1.1 t^2 of the chord) the flow cannot turn round";
constexpr const char* kHook =
    "camber at 90 % of the chord, a hook that meets the trailing edge at 60 degrees or more and that the "
    "flow leaves";
constexpr const char* kBringAPolar = "; the built-in polars do not describe it, so bring a measured polar";

InviscidSection inviscidSection(const NacaProfile& profile) {
  return solveInviscid(sectionContour(profile, kPanelsPerSide));
}

// Into the model's range; a figure that is not a number takes the lowest end.
double clampedReynolds(double reynolds) {
  if (reynolds >= kNacaModelHighestReynolds) return kNacaModelHighestReynolds;
  return reynolds >= kNacaModelLowestReynolds ? reynolds : kNacaModelLowestReynolds;
}

bool isTripped(Surface surface) {
  return surface == Surface::kRough;
}

// The profile's four digits, as the form takes them.
std::string profileName(const NacaProfile& profile) {
  auto digit = [](long value) { return static_cast<char>('0' + value % 10); };
  long thickness = std::lround(profile.thicknessRatio * 100.0);
  return std::string("NACA ") + digit(std::lround(profile.maxCamber * 100.0)) +
         digit(std::lround(profile.camberPosition * 10.0)) + digit(thickness / 10) + digit(thickness);
}

bool isFourDigitProfile(const NacaProfile& p) {
  return p.maxCamber >= 0.0 && p.maxCamber <= 0.09 && p.camberPosition >= 0.0 && p.camberPosition <= 0.9 &&
         p.thicknessRatio >= 0.01 && p.thicknessRatio <= 0.30;
}

}  // namespace

std::optional<std::string> findNacaModelProblem(const NacaProfile& profile) {
  if (!isFourDigitProfile(profile))
    return "camber " + figureText(100 * profile.maxCamber) + " % at " +
           figureText(100 * profile.camberPosition) + " % of the chord, thickness " +
           figureText(100 * profile.thicknessRatio) +
           " %: the built-in polars cover the NACA four-digit sections of camber 0-9 % at 0-90 %, thickness "
           "1-30 %";
  if (profile.thicknessRatio < kThinnestSection) return profileName(profile) + ": " + kSheet + kBringAPolar;
  if (profile.maxCamber > 0 && profile.camberPosition > kFarthestCamberPosition)
    return profileName(profile) + ": " + kHook + kBringAPolar;
  return std::nullopt;
}

NacaSectionModel nacaSectionModel(const NacaProfile& profile, double reynolds, Surface surface) {
  assert(!findNacaModelProblem(profile));
  double re = clampedReynolds(reynolds);
  InviscidSection section = inviscidSection(profile);
  Polar polar = sectionPolar(section, re, isTripped(surface));
  auto byLift = [](const PolarPoint& a, const PolarPoint& b) { return a.lift < b.lift; };
  auto [lowest, highest] = std::minmax_element(polar.points.begin(), polar.points.end(), byLift);
  NacaSectionModel model;
  model.zeroLiftAlphaDegrees = inviscidZeroLiftAngle(section);
  // A degree above zero lift: below it some cambered sections have lost their lower side's flow.
  model.liftSlopePerDegree =
      sectionAtAngle(section, model.zeroLiftAlphaDegrees + 1.0, re, isTripped(surface)).lift;
  model.maxLift = highest->lift;
  model.stallAlphaDegrees = highest->alphaDegrees;
  model.minLift = lowest->lift;
  model.negativeStallAlphaDegrees = lowest->alphaDegrees;
  model.minDrag = std::min_element(polar.points.begin(), polar.points.end(),
                                   [](const PolarPoint& a, const PolarPoint& b) { return a.drag < b.drag; })
                      ->drag;
  return model;
}

Polar nacaPolar(const NacaProfile& profile, double reynolds, Surface surface) {
  assert(!findNacaModelProblem(profile));
  return sectionPolar(inviscidSection(profile), clampedReynolds(reynolds), isTripped(surface));
}

Airfoil nacaAirfoil(const NacaProfile& profile, Surface surface, double maxDrag, double lowestReynolds,
                    double highestReynolds) {
  assert(!findNacaModelProblem(profile));
  assert(lowestReynolds > 0 && lowestReynolds <= highestReynolds && maxDrag > 0);
  double low = clampedReynolds(lowestReynolds);
  double high = clampedReynolds(highestReynolds);
  int gaps = static_cast<int>(std::ceil(std::log(high / low) / std::log(kTableRatio) - 1e-9));
  const InviscidSection section = inviscidSection(profile);
  // Each table is the boundary layers' work alone on the one potential flow, so they are
  // computed side by side; each is the same whichever thread computes it.
  std::vector<std::future<Polar>> tables;
  for (int i = 0; i <= gaps; ++i) {
    double reynolds = gaps == 0 ? low : low * std::pow(high / low, static_cast<double>(i) / gaps);
    tables.push_back(std::async(std::launch::async, [&section, reynolds, tripped = isTripped(surface)] {
      return sectionPolar(section, reynolds, tripped);
    }));
  }
  std::vector<Polar> polars;
  for (std::future<Polar>& table : tables)
    polars.push_back(table.get());
  return makeAirfoil(std::move(polars), maxDrag);
}

}  // namespace zephyrion::rotor
