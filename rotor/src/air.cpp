#include "rotor/air.h"

#include <cassert>

#include "rotor/wind_site.h"

namespace zephyrion::rotor {
namespace {

// The standard atmosphere's one lapse rate holds from below sea level to 11 km.
constexpr double kLowestAltitude = -500;
constexpr double kHighestAltitude = 11000;

}  // namespace

std::optional<std::string> findAirProblem(const AirOptions& air) {
  if (air.density && air.altitude) return "--air-density and --altitude both set the air: give one";
  if (air.density && !(*air.density >= kLeastAirDensity && *air.density <= kMostAirDensity))
    return "--air-density must be from 0.3 to 1.6 kg/m3 (air at 11 km is 0.36 kg/m3, cold air at sea level "
           "1.5)";
  if (air.altitude && !(*air.altitude >= kLowestAltitude && *air.altitude <= kHighestAltitude))
    return "--altitude must be from -500 to 11,000 m (the standard atmosphere's one lapse rate holds up to "
           "11 km)";
  return std::nullopt;
}

double airDensityOf(const AirOptions& air) {
  assert(!findAirProblem(air));
  if (air.density) return *air.density;
  if (air.altitude) return standardAtmosphereDensity(*air.altitude);
  return kSeaLevelAirDensity;
}

}  // namespace zephyrion::rotor
