// The air every analysis blows: a density given, or the standard atmosphere's at an altitude
// (ISO 2533:1975, to 11 km), or sea level's. One gate checks it for every analysis.
#pragma once

#include <optional>
#include <string>

namespace zephyrion::rotor {

inline constexpr double kSeaLevelAirDensity = 1.225;  // kg/m^3
// Air at 11 km is 0.36 kg/m^3, cold air at sea level 1.5: every site a turbine stands at lies
// between.
inline constexpr double kLeastAirDensity = 0.3;
inline constexpr double kMostAirDensity = 1.6;

struct AirOptions {
  std::optional<double> density;   // --air-density [kg/m^3]
  std::optional<double> altitude;  // --altitude [m]: the standard atmosphere's density there
};

// Why the air cannot be, naming the option as the user types it and its range; nothing when it can.
std::optional<std::string> findAirProblem(const AirOptions& air);

// The density the options give, kg/m^3. Precondition (asserted): findAirProblem found nothing.
double airDensityOf(const AirOptions& air);

}  // namespace zephyrion::rotor
