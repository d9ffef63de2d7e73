// SenoCoseno: sine and cosine of one 80-bit angle with a cheap reduction to [-pi/4, pi/4].
// glibc's sinl/cosl send every argument beyond pi/4 through their general multi-precision
// reduction, which is most of their cost; latitudes, longitudes and 2phi all lie beyond it.
#pragma once
#include <cmath>
#include <cstdint>
#include "constantes.h"
#include "redondeo.h"

// pi/2 = kPioMedios1 + kPioMedios2 (Cody-Waite): the first part has 33 significant bits, so k times it
// is exact for |k| < 2^31, and the pair carries pi/2 to about 97 bits.
inline constexpr long double kPiMedios1 = 1.5707963267341256141662597656250L;
inline constexpr long double kPiMedios2 = 6.077100506506192601475144209858469968755e-11L;

inline void SenoCoseno(long double x, long double &s, long double &c) {
    const long double ax = std::fabs(x);
    if (ax <= kPi / 4 || !(ax < 1e5L)) {  // already reduced, or huge / NaN: the library does it
        s = std::sin(x);
        c = std::cos(x);
        return;
    }
    const long double kf = x * (2 / kPi);
    const long double kr = TruncarReal(kf + (kf < 0 ? -0.5L : 0.5L));
    const long double r = (x - kr * kPiMedios1) - kr * kPiMedios2;
    const int64_t k = RedondearEntero(kr);
    const long double sr = std::sin(r), cr = std::cos(r);
    switch (k & 3) {
        case 0:
            s = sr;
            c = cr;
            break;
        case 1:
            s = cr;
            c = -sr;
            break;
        case 2:
            s = -sr;
            c = -cr;
            break;
        default:
            s = -cr;
            c = sr;
            break;
    }
}
