// The wind a rotor meets over a year, and the air it meets it in.
//
// - Wind speeds follow Weibull's distribution, F(V) = 1 - exp(-(V/c)^k) with shape k and scale
//   c; its mean is c Gamma(1 + 1/k) and the mean of V^3 is c^3 Gamma(1 + 3/k) (Manwell, McGowan
//   and Rogers, Wind Energy Explained, 2nd ed. 2009, 2.4.3). Rayleigh's distribution is the case
//   k = 2, c = 2 V/sqrt(pi) for a mean V: F(V) = 1 - exp(-pi/4 (V/V)^2), the form the power
//   performance standard writes (IEC 61400-12-1:2005, 8.3).
// - A wind measured at one height is carried to the hub by the power law of the wind profile,
//   V(H) = V(h) (H/h)^alpha (Manwell et al., 2.3.3.2; alpha = 1/7 is the classic exponent for
//   open country). Every speed scales alike, so the law scales Weibull's c and keeps its k.
// - The air's density at an altitude is that of the International Standard Atmosphere's
//   troposphere (ISO 2533:1975; the U.S. Standard Atmosphere 1976 agrees below 32 km):
//   T = T0 - L z and rho = rho0 (T/T0)^(g M/(R L) - 1), with T0 = 288.15 K, L = 0.0065 K/m,
//   rho0 = 1.225 kg/m^3 and g M/(R L) = 5.25588. It holds from below sea level up to 11 km.
#pragma once

namespace zephyrion::rotor {

struct WindDistribution {
  double shape = 2;  // k
  double scale = 0;  // c, m/s
};

// Rayleigh's distribution of the given mean [m/s].
WindDistribution rayleighWithMean(double meanWind);

double meanWindOf(const WindDistribution& wind);

// The share of the time the wind blows at or below `windSpeed` [m/s]: F(V), 0 for V <= 0.
double cumulativeProbability(const WindDistribution& wind, double windSpeed);

// The distribution at height `toHeight` of a wind measured at `fromHeight` (same unit), under a
// power-law shear of exponent `shearExponent`. Preconditions (asserted): heights above 0.
WindDistribution carriedToHeight(const WindDistribution& wind, double fromHeight, double toHeight,
                                 double shearExponent);

// Air density [kg/m^3] of the standard atmosphere at `altitude` metres above sea level.
// Precondition (asserted): altitude from -500 to 11,000 m.
double standardAtmosphereDensity(double altitude);

}  // namespace zephyrion::rotor
