// ProyectarTM, InversaTM: transverse Mercator series in powers of the longitude difference
// (forward to l^6, inverse to u^6, with the footpoint latitude from Helmert's meridian arc), with the
// Gauss-Krüger parameters of the seven Argentine strips or the UTM parameters.
#include "proyeccion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include "constantes.h"
#include "numeros.h"
#include "terminos.h"
#include "trigonometria.h"

namespace {

// sin and cos of theta + d from those of theta. Each footpoint pass moves 2phi by less than 0.006
// rad (the first) and then by orders of magnitude less, where the Taylor series to d^11 are exact to
// far below the 80-bit precision; this spares a sine and cosine per pass (the slowest operations of
// the inverse). A larger step (absurd input) takes the library functions.
void GirarDobleAngulo(long double &s, long double &c, long double d) {
    long double sd, cd;
    if (std::fabs(d) <= 0.01L) {
        const long double d2 = d * d;
        // Horner in d^2 with the factorials' reciprocals: no division in the loop of the passes.
        constexpr long double s3 = 1.0L / 6, s5 = 1.0L / 120, s7 = 1.0L / 5040, s9 = 1.0L / 362880,
                              s11 = 1.0L / 39916800;
        constexpr long double c2 = 1.0L / 2, c4 = 1.0L / 24, c6 = 1.0L / 720, c8 = 1.0L / 40320,
                              c10 = 1.0L / 3628800;
        sd = d * (1 - d2 * (s3 - d2 * (s5 - d2 * (s7 - d2 * (s9 - d2 * s11)))));
        cd = 1 - d2 * (c2 - d2 * (c4 - d2 * (c6 - d2 * (c8 - d2 * c10))));
    } else {
        SenoCoseno(d, sd, cd);
    }
    const long double sNuevo = s * cd + c * sd;
    c = c * cd - s * sd;
    s = sNuevo;
}

// Degrees of an angle in radians for the strip and zone tables. Their bounds are multiples of half a
// degree; an angle that lies within 1e-14 deg of one (a few nanometres, far below anything a text
// can state) is put on it, so that -70.5 deg typed in degrees and carried in radians still finds
// its bound exactly.
long double GradosTabla(long double radianes) {
    const long double g = radianes * kGradoPorRad;
    if (!(std::fabs(g) < 1e6L)) return g;
    const long double cota = TruncarReal(g * 2 + (g < 0 ? -0.5L : 0.5L)) / 2;
    return std::fabs(g - cota) <= 1e-14L ? cota : g;
}

}  // namespace

long double ArcoMeridiano(long double a, long double f, long double phi) {
    // M = a / (1 + n) (b0 phi - b2 sin 2phi + b4 sin 4phi - b6 sin 6phi + b8 sin 8phi)
    long double s, c;
    SenoCoseno(phi, s, c);
    TTerminos otro;
    return Terminos(a, f, otro).Arco(phi, s, c);
}

long double Cuadrante(long double a, long double f) {
    TTerminos otro;
    return Terminos(a, f, otro).cuadrante;
}

namespace {
// Central meridian of strip 1 to 7 in degrees: 72 deg W for strip 1 to 54 deg W for strip 7.
int MeridianoDeFaja(int faja) {
    return 3 * faja - 75;
}

// A longitude in degrees (from GradosTabla) within kBandaGK of the strip's central meridian. One
// within 1e-14 deg (a few nanometres) beyond the band's edge is on it, so that -75.45 typed in degrees
// and carried in radians is still inside. False for nan.
bool EnBanda(long double grados, int faja) {
    return std::fabs(grados - MeridianoDeFaja(faja)) <= kBandaGK + 1e-14L;
}
}  // namespace

namespace {
// The strip table on a longitude in degrees: 1 west of -70.5 deg (and nan), 7 from -55.5 deg on, one
// more every 3 deg between.
int FajaDeTabla(long double g) {
    if (g >= -52.5L) return 7;
    if (!(g >= -73.5L)) return 1;
    return 1 + (g >= -70.5L) + (g >= -67.5L) + (g >= -64.5L) + (g >= -61.5L) + (g >= -58.5L) + (g >= -55.5L);
}
}  // namespace

int FajaGK(long double lam) {
    // GradosTabla moves a longitude only onto a multiple of half a degree within 1e-14 deg of it. That
    // changes the strip only within 1e-14 deg of a strip bound, and never the band: a multiple of half
    // a degree lies 3 deg or less, or 3.5 deg or more, from a central meridian, far on either side of
    // 3.45. So the longitude is put on the table's multiples only near its strip's bounds.
    long double g = lam * kGradoPorRad;
    int faja = FajaDeTabla(g);
    const long double oeste = -73.5L + 3 * (faja - 1);  // the strip's bounds in the table
    if (std::fabs(g - oeste) <= 1e-9L || std::fabs(g - (oeste + 3)) <= 1e-9L) {
        g = GradosTabla(lam);
        faja = FajaDeTabla(g);
    }
    return EnBanda(g, faja) ? faja : 0;
}

int FajaDelEste(long double Y) {
    if (!(Y >= 1000000 && Y < 8000000)) return 0;
    // Just below 8 000 000 the quotient may round up to 8: still strip 7.
    return std::min(7, static_cast<int>(TruncarEntero(Y / 1000000)));
}

bool EnBandaGK(long double lam, int faja) {
    return faja >= 1 && faja <= 7 && EnBanda(GradosTabla(lam), faja);
}

long double MeridianoCentralGK(long double lam) {
    const int faja = FajaGK(lam);
    return faja == 0 ? std::numeric_limits<long double>::quiet_NaN() : MeridianoDeFaja(faja) * kRadPorGrado;
}

long double DesplazamientoFaja(long double lam) {
    return FajaGK(lam) * 1000000.0L;
}

uint8_t ZonaUTM(long double phi, long double lam) {
    const long double lat = GradosTabla(phi);
    const long double lon = GradosTabla(lam);
    const int64_t paso = TruncarEntero(lon / 6 + 31);
    uint8_t zona = static_cast<uint8_t>(std::clamp<int64_t>(paso, 0, 255));
    // Norway and Svalbard; all bounds strict.
    if (lat > 56 && lat < 64 && lon > 3 && lon < 12) zona = 32;
    if (lat > 72 && lon > 0 && lon < 9) zona = 31;
    if (lat > 72 && lon > 9 && lon < 21) zona = 33;
    if (lat > 72 && lon > 21 && lon < 33) zona = 35;
    if (lat > 72 && lon > 33 && lon < 42) zona = 37;
    return zona;
}

namespace {

// The series into r (X, Y and Altura), which the caller keeps: every result of the projections is
// built in place, as a copy of a point of 80-bit reals goes through memory in pieces that the loads
// after it must wait for.
void Serie(const TPuntoGeodesico &p, long double k0, long double lam0, long double FE, long double FN,
           TPuntoPlano &r) {
    const long double a = p.A, phi = p.Latitud;
    TTerminos otro;
    const TTerminos &e = Terminos(p.A, p.F, otro);
    const long double l = p.Longitud - lam0;
    long double sphi, cphi;
    SenoCoseno(phi, sphi, cphi);
    const long double N = a / std::sqrt(1 - e.e2 * sphi * sphi);
    const long double t = sphi / cphi;
    const long double T = t * t;
    const long double eta2 = cphi * cphi * e.e2 / e.unoMenosE2;
    const long double M = e.Arco(phi, sphi, cphi);
    const long double lc = l * cphi;

    r.Altura = p.Altura;
    r.Y = k0 * N *
              (lc + Potencia(lc, 3) * (1 - T + eta2) / 6 +
               Potencia(lc, 5) * (5 - 18 * T + T * T + 14 * eta2 - 58 * T * eta2) / 120) +
          FE;
    r.X = k0 * N *
              (M / N + sphi * cphi * Potencia(l, 2) / 2 +
               sphi * Potencia(cphi, 3) * Potencia(l, 4) * (5 - T + 9 * eta2 + 4 * eta2 * eta2) / 24 +
               sphi * Potencia(cphi, 5) * Potencia(l, 6) *
                   (61 - 58 * T + T * T + 270 * eta2 - 330 * T * eta2) / 720) +
          FN;
}

// The inverse series into r (A, F, Latitud and Longitud).
void SerieInversa(long double X, long double Y, long double a, long double f, long double k0,
                  long double lam0, long double FE, long double FN, TPuntoGeodesico &r) {
    TTerminos otro;
    const TTerminos &e = Terminos(a, f, otro);
    r.A = a;
    r.F = f;

    // Footpoint latitude: invert the meridian arc by 6 fixed passes (no convergence test),
    // phi <- phi0 - (-b2 sin 2phi + b4 sin 4phi - b6 sin 6phi + b8 sin 8phi) / b0.
    const long double phi0 = ((X - FN) / k0) * e.unoMasN / a / e.b0;
    long double phif = phi0;
    long double s2, c2;
    SenoCoseno(2 * phif, s2, c2);
    for (int pasada = 0; pasada < 6; ++pasada) {
        const long double siguiente = phi0 - e.Senos(s2, c2) / e.b0;
        GirarDobleAngulo(s2, c2, 2 * (siguiente - phif));
        phif = siguiente;
    }
    // A footpoint on a pole with no easting off the central meridian (both within about 1 mm) is the
    // pole itself: there tan phi and 1 / cos phi are infinite and the series below would give nan.
    if (std::fabs(std::fabs(phif) - kPiMedios) < 1.6e-10L && std::fabs(Y - FE) < 1e-3L) {
        r.Latitud = phif < 0 ? -kPiMedios : kPiMedios;
        r.Longitud = lam0;
        return;
    }
    long double cf, sf;
    if (std::fabs(phif) < kPiMedios) {  // from the double angle: cos phi > 0 here
        cf = std::sqrt((1 + c2) / 2);
        sf = s2 / (2 * cf);
    } else {
        SenoCoseno(phif, sf, cf);
    }
    const long double t = sf / cf;
    const long double T = t * t;
    const long double eta2 = cf * cf * e.e2 / e.unoMenosE2;
    const long double eta4 = eta2 * eta2;
    const long double Nf = a / std::sqrt(1 - e.e2 * sf * sf);
    const long double u = ((Y - FE) / k0) / Nf;

    r.Latitud = phif - (t / 2) * (1 + eta2) * Potencia(u, 2) +
                (t / 24) * (5 + 3 * T + 6 * eta2 - 6 * T * eta2 - 3 * eta4 - 9 * T * eta4) * Potencia(u, 4) -
                (t / 720) * (61 + 90 * T + 45 * T * T + 107 * eta2 - 162 * T * eta2 - 45 * T * T * eta2) *
                    Potencia(u, 6);
    r.Longitud = (u - (1 + 2 * T + eta2) * Potencia(u, 3) / 6 +
                  (5 + 28 * T + 24 * T * T + 6 * eta2 + 8 * T * eta2) * Potencia(u, 5) / 120) /
                     cf +
                 lam0;
}

}  // namespace

TPuntoPlano SerieTM(const TPuntoGeodesico &p, long double k0, long double lam0, long double FE,
                    long double FN) {
    TPuntoPlano r;
    Serie(p, k0, lam0, FE, FN, r);
    return r;
}

TPuntoGeodesico SerieInversaTM(long double X, long double Y, long double a, long double f, long double k0,
                               long double lam0, long double FE, long double FN) {
    TPuntoGeodesico r;
    SerieInversa(X, Y, a, f, k0, lam0, FE, FN, r);
    return r;
}

TPuntoPlano ProyectarTM(const TPuntoGeodesico &p, TTipoCoordenada tipo) {
    TPuntoPlano r;  // the one result of every way out, so that it is built where the caller keeps it
    if (tipo == tcGaussKruger) {
        const int faja = FajaGK(p.Longitud);  // MeridianoCentralGK and DesplazamientoFaja in one
        if (faja == 0) {
            r.X = r.Y = std::numeric_limits<long double>::quiet_NaN();
            r.Altura = p.Altura;
            return r;
        }
        Serie(p, 1, MeridianoDeFaja(faja) * kRadPorGrado, 500000 + faja * 1000000.0L, Cuadrante(p.A, p.F), r);
        // Within the band the easting stays less than 390 km from the false easting (3.45 deg on the
        // equator), so this is also the millions digit of Y.
        r.Faja = static_cast<uint8_t>(faja);
        return r;
    }
    const uint8_t zona = ZonaUTM(p.Latitud, p.Longitud);
    Serie(p, 0.9996L, (6 * zona - 183) * kRadPorGrado, 500000, 10000000, r);
    r.Zona = zona;
    r.Hemisferio = p.Latitud < 0 ? 'S' : 'N';
    return r;
}

TPuntoGeodesico InversaTM(const TPuntoPlano &p, TTipoCoordenada tipo, long double a, long double f) {
    TPuntoGeodesico r;
    InversaTM(p, tipo, a, f, r);
    return r;
}

void InversaTM(const TPuntoPlano &p, TTipoCoordenada tipo, long double a, long double f, TPuntoGeodesico &r) {
    if (tipo == tcGaussKruger) {
        // The strip is the millions digit of Y, which comes off before the series.
        const int faja = FajaDelEste(p.Y);
        if (faja == 0) {
            r.A = a;
            r.F = f;
            r.Latitud = r.Longitud = std::numeric_limits<long double>::quiet_NaN();
        } else {
            SerieInversa(p.X, p.Y - faja * 1000000.0L, a, f, 1, MeridianoDeFaja(faja) * kRadPorGrado, 500000,
                         Cuadrante(a, f), r);
        }
    } else {
        SerieInversa(p.X, p.Y, a, f, 0.9996L, (6 * p.Zona - 183) * kRadPorGrado, 500000, 10000000, r);
    }
    r.Altura = p.Altura;
}
