#include "rotor/wind_site.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace zephyrion::rotor {
namespace {

constexpr double kSeaLevelDensity = 1.225;          // kg/m^3
constexpr double kSeaLevelTemperature = 288.15;     // K
constexpr double kLapseRate = 0.0065;               // K/m
constexpr double kDensityExponent = 5.25588 - 1.0;  // g M / (R L) - 1

}  // namespace

WindDistribution rayleighWithMean(double meanWind) {
  return {2.0, 2.0 * meanWind / std::sqrt(std::numbers::pi)};
}

double meanWindOf(const WindDistribution& wind) {
  return wind.scale * std::tgamma(1.0 + 1.0 / wind.shape);
}

double cumulativeProbability(const WindDistribution& wind, double windSpeed) {
  if (!(windSpeed > 0)) return 0;
  return -std::expm1(-std::pow(windSpeed / wind.scale, wind.shape));
}

WindDistribution carriedToHeight(const WindDistribution& wind, double fromHeight, double toHeight,
                                 double shearExponent) {
  assert(fromHeight > 0 && toHeight > 0);
  return {wind.shape, wind.scale * std::pow(toHeight / fromHeight, shearExponent)};
}

double standardAtmosphereDensity(double altitude) {
  assert(altitude >= -500 && altitude <= 11000);
  double temperatureRatio = 1.0 - kLapseRate * altitude / kSeaLevelTemperature;
  return kSeaLevelDensity * std::pow(temperatureRatio, kDensityExponent);
}

}  // namespace zephyrion::rotor
