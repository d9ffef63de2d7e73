// Mathematical constants of the geodesy core, exact to 80-bit precision.
#pragma once

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;
inline constexpr long double kPiMedios = kPi / 2;       // largest magnitude of a latitude
inline constexpr long double kRadPorGrado = kPi / 180;  // degrees to radians
inline constexpr long double kGradoPorRad = 180 / kPi;  // radians to degrees
