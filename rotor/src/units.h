// The constants every rotor file converts with, defined once.
#pragma once

#include <numbers>

namespace zephyrion::rotor {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kDegreesPerRadian = 180.0 / kPi;
inline constexpr double kMillimetre = 1e-3;                   // m
inline constexpr double kRpmPerRadianPerSecond = 30.0 / kPi;  // 60 s / 2 pi
inline constexpr double kHoursPerYear = 8760.0;

}  // namespace zephyrion::rotor
