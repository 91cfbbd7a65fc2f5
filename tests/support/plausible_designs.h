// Random designs of the kind users enter, with the edge values of each field mixed in, for
// property tests over many designs.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "blade/design_parameters.h"
#include "text/number_forms.h"

namespace zephyrion::testing_support {

class PlausibleDesigns {
 public:
  explicit PlausibleDesigns(std::uint64_t seed) : random_(seed) {}

  // Radius 100-2500 mm (even on a log scale), every accepted profile, 1-8 blades, tip speed ratio
  // 1-12, angle of attack 0-15 degrees, chord limits 10-600 mm, hub and chamfers up to a fifth of
  // the radius, 4-30 divisions; one design in three takes an edge value in one or two fields.
  FormTexts next() {
    FormTexts t = defaultFormTexts();
    double radius = std::exp(uniform(std::log(100.0), std::log(2500.0)));
    std::int32_t r = static_cast<std::int32_t>(std::lround(radius));
    t[kFieldProfile] = profile();
    t[kFieldLift] = decimal(uniform(0.3, 1.6), 2);
    t[kFieldRadius] = std::to_string(r);
    t[kFieldBlades] = std::to_string(whole(1, 8));
    t[kFieldTipSpeedRatio] = decimal(uniform(1, 12), 2);
    t[kFieldTipChamfer] = decimal(uniform(0.5, r / 5.0), 1);
    t[kFieldAngleOfAttack] = decimal(uniform(0, 15), 1);
    t[kFieldChordLimitZ] = decimal(uniform(10, 600), 0);
    t[kFieldChordLimitX] = decimal(uniform(10, 600), 0);
    t[kFieldDensity] = decimal(uniform(100, 2000), 0);
    t[kFieldWindSpeed] = decimal(uniform(3, 25), 1);
    t[kFieldHubRadius] = std::to_string(whole(0, r / 5));
    t[kFieldHubChamfer] = std::to_string(whole(0, r / 5));
    t[kFieldChordDivisions] = std::to_string(whole(4, 30));
    if (whole(0, 2) == 0) takeEdgeValue(t, r);
    if (whole(0, 5) == 0) takeEdgeValue(t, r);
    return t;
  }

 private:
  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }
  int whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  static std::string decimal(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    return numberToText(std::round(value * scale) / scale);
  }

  // Any profile the form accepts: camber 0-9 %, at 0-9 tenths, thickness 1-30 %.
  std::string profile() {
    int camber = whole(0, 9);
    int position = whole(0, 9);
    int thickness = whole(1, 30);
    return std::to_string(camber) + std::to_string(position) + (thickness < 10 ? "0" : "") +
           std::to_string(thickness);
  }

  void takeEdgeValue(FormTexts& t, std::int32_t r) {
    switch (whole(0, 11)) {
      case 0:
        t[kFieldBlades] = "1";
        break;
      case 1:
        t[kFieldBlades] = "2";
        break;
      case 2:
        t[kFieldHubRadius] = "0";
        break;
      case 3:
        t[kFieldHubRadius] = "1";
        break;
      case 4:
        t[kFieldHubRadius] = std::to_string(r - whole(0, 3));
        t[kFieldHubChamfer] = "0";
        break;
      case 5:
        t[kFieldHubChamfer] = "0";
        break;
      case 6:
        t[kFieldChordLimitZ] = whole(0, 1) ? "1" : "100000";
        break;
      case 7:
        t[kFieldChordLimitX] = whole(0, 1) ? "1" : "100000";
        break;
      case 8:
        t[kFieldChordDivisions] = "4";
        break;
      case 9:
        t[kFieldChordDivisions] = std::to_string(2 * whole(2, 15) + 1);
        break;
      case 10:
        t[kFieldTipChamfer] = whole(0, 1) ? "0.3" : std::to_string(r);
        break;
      default:
        t[kFieldAngleOfAttack] = whole(0, 1) ? "0" : "15";
        break;
    }
  }

  std::mt19937_64 random_;
};

}  // namespace zephyrion::testing_support
