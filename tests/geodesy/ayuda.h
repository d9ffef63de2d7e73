// Test helpers: independent readers of the core's output texts (they must not lean on the readers
// under test), and the units of the tolerances.
#pragma once
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include "elipsoide.h"

inline constexpr long double kPiTest = 3.141592653589793238462643383279502884L;
inline constexpr long double kSegundo = kPiTest / (180 * 3600);  // one arc second in radians
inline constexpr long double kMilimetro = 1e-3L;

// A plain decimal number ("6170494.489", "-9.7997"); throws when the whole text is not one.
inline long double NumeroTest(const std::string &s) {
    long double v = 0;
    const char *ini = s.data(), *fin = s.data() + s.size();
    if (ini != fin && *ini == '+') ++ini;
    auto r = std::from_chars(ini, fin, v);
    if (r.ec != std::errc() || r.ptr != fin) throw std::invalid_argument("no es un numero: " + s);
    return v;
}

// Signed degrees of an output DMS text "D\xB0 M' S\" H"; throws when the text has another shape.
inline long double GradosDMSTest(const std::string &s) {
    const auto g = s.find('\xB0'), m = s.find('\''), seg = s.find('"');
    if (g == std::string::npos || m == std::string::npos || seg == std::string::npos || seg + 2 >= s.size() ||
        s[g + 1] != ' ' || s[m + 1] != ' ' || s[seg + 1] != ' ' || seg + 3 != s.size())
        throw std::invalid_argument("no es un angulo DMS: " + s);
    const long double d = NumeroTest(s.substr(0, g));
    const long double mi = NumeroTest(s.substr(g + 2, m - g - 2));
    const long double se = NumeroTest(s.substr(m + 2, seg - m - 2));
    const long double v = d + mi / 60 + se / 3600;
    const char h = s[seg + 2];
    return (h == 'S' || h == 'W') ? -v : v;
}

inline long double Rad(long double grados) {
    return grados * kPiTest / 180;
}
inline long double Grad(long double radianes) {
    return radianes * 180 / kPiTest;
}
inline long double DMS(long double g, long double m, long double s) {
    return g + m / 60 + s / 3600;
}

// A geographic point on the ellipsoid `e`, from degrees.
inline TPuntoGeodesico Geo(const TElipsoide &e, long double lat, long double lon, long double h = 1.5L) {
    TPuntoGeodesico p;
    p.A = e.A;
    p.F = e.F;
    p.Latitud = Rad(lat);
    p.Longitud = Rad(lon);
    p.Altura = h;
    return p;
}
