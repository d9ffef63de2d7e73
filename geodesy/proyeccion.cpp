// ProyectarTM, InversaTM: transverse Mercator series in powers of the longitude difference
// (forward to l^6, inverse to u^6, with the footpoint latitude from Helmert's meridian arc), with the
// Gauss-Krüger parameters of the seven Argentine strips or the UTM parameters.
#include "proyeccion.h"

#include <cmath>
#include "constantes.h"
#include "numeros.h"

namespace {

// Terms of the ellipsoid for the meridian arc, in the third flattening n = f / (2 - f).
struct TTerminos {
    long double e2, n, b0, b2, b4, b6, b8;
    explicit TTerminos(long double f) {
        e2 = 2 * f - f * f;
        n = f / (2 - f);
        const long double n2 = n * n, n3 = n2 * n, n4 = n3 * n;
        b0 = 1 + n2 / 4 + n4 / 64;
        b2 = 1.5L * (n - n3 / 8);
        b4 = 0.9375L * (n2 - n4 / 4);
        b6 = 35.0L / 48 * n3;
        b8 = 315.0L / 512 * n4;
    }
    // -b2 sin 2phi + b4 sin 4phi - b6 sin 6phi + b8 sin 8phi
    long double Senos(long double phi) const {
        return -b2 * std::sin(2 * phi) + b4 * std::sin(4 * phi) - b6 * std::sin(6 * phi) +
               b8 * std::sin(8 * phi);
    }
};

// Degrees of an angle in radians for the strip and zone tables. Their bounds are multiples of half a
// degree; an angle that lies within 1e-14 deg of one (a few nanometres, far below anything a text
// can state) is put on it, so that -70.5 deg typed in degrees and carried in radians still finds
// its bound exactly.
long double GradosTabla(long double radianes) {
    const long double g = radianes * kGradoPorRad;
    const long double cota = std::nearbyint(g * 2) / 2;
    return std::fabs(g - cota) <= 1e-14L ? cota : g;
}

// A truncated quotient kept to its low 8 bits, as an unsigned byte holds it.
uint8_t ByteTruncado(long double x) {
    return static_cast<uint8_t>(static_cast<uint64_t>(TruncarEntero(x)));
}

}  // namespace

long double ArcoMeridiano(long double a, long double f, long double phi) {
    const TTerminos t(f);
    // M = a / (1 + n) (b0 phi - b2 sin 2phi + b4 sin 4phi - b6 sin 6phi + b8 sin 8phi)
    return a / (1 + t.n) * (t.b0 * phi + t.Senos(phi));
}

long double Cuadrante(long double a, long double f) {
    const TTerminos t(f);
    return a / (1 + t.n) * t.b0 * kPiMedios;
}

namespace {
// Strip of the table for a longitude: 1 to 7 over -73.5 <= lon < -52.5 deg, 0 outside.
int FajaGK(long double lam) {
    const long double g = GradosTabla(lam);
    if (!(g >= -73.5L && g < -52.5L)) return 0;
    return static_cast<int>(std::floor((g + 73.5L) / 3)) + 1;
}
}  // namespace

long double MeridianoCentralGK(long double lam) {
    const int faja = FajaGK(lam);
    return faja == 0 ? 0 : (3 * faja - 75) * kRadPorGrado;
}

long double DesplazamientoFaja(long double lam) {
    return FajaGK(lam) * 1000000.0L;
}

uint8_t ZonaUTM(long double phi, long double lam) {
    const long double lat = GradosTabla(phi);
    const long double lon = GradosTabla(lam);
    uint8_t zona = ByteTruncado(lon / 6 + 31);
    // Norway and Svalbard; all bounds strict.
    if (lat > 56 && lat < 64 && lon > 3 && lon < 12) zona = 32;
    if (lat > 72 && lon > 0 && lon < 9) zona = 31;
    if (lat > 72 && lon > 9 && lon < 21) zona = 33;
    if (lat > 72 && lon > 21 && lon < 33) zona = 35;
    if (lat > 72 && lon > 33 && lon < 42) zona = 37;
    return zona;
}

TPuntoPlano SerieTM(const TPuntoGeodesico &p, long double k0, long double lam0, long double FE,
                    long double FN) {
    const long double a = p.A, phi = p.Latitud;
    const TTerminos e(p.F);
    const long double l = p.Longitud - lam0;
    const long double sphi = std::sin(phi), cphi = std::cos(phi);
    const long double N = a / std::sqrt(1 - e.e2 * sphi * sphi);
    const long double t = std::tan(phi);
    const long double T = t * t;
    const long double eta2 = cphi * cphi * e.e2 / (1 - e.e2);
    const long double M = ArcoMeridiano(a, p.F, phi);
    const long double lc = l * cphi;

    TPuntoPlano r;
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
    return r;
}

TPuntoGeodesico SerieInversaTM(long double X, long double Y, long double a, long double f, long double k0,
                               long double lam0, long double FE, long double FN) {
    const TTerminos e(f);
    TPuntoGeodesico r;
    r.A = a;
    r.F = f;

    // Footpoint latitude: invert the meridian arc by 6 fixed passes (no convergence test).
    const long double phi0 = ((X - FN) / k0) * (1 + e.n) / a / e.b0;
    long double phif = phi0;
    for (int pasada = 0; pasada < 6; ++pasada) phif = phi0 - e.Senos(phif) / e.b0;

    const long double cf = std::cos(phif), sf = std::sin(phif);
    const long double t = std::tan(phif);
    const long double T = t * t;
    const long double eta2 = cf * cf * e.e2 / (1 - e.e2);
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
    return r;
}

TPuntoPlano ProyectarTM(const TPuntoGeodesico &p, TTipoCoordenada tipo) {
    if (tipo == tcGaussKruger) {
        TPuntoPlano r = SerieTM(p, 1, MeridianoCentralGK(p.Longitud), 500000 + DesplazamientoFaja(p.Longitud),
                                Cuadrante(p.A, p.F));
        r.Faja = ByteTruncado(r.Y / 1000000);
        return r;
    }
    const uint8_t zona = ZonaUTM(p.Latitud, p.Longitud);
    TPuntoPlano r = SerieTM(p, 0.9996L, (6 * zona - 183) * kRadPorGrado, 500000, 10000000);
    r.Zona = zona;
    r.Hemisferio = p.Latitud < 0 ? 'S' : 'N';
    return r;
}

TPuntoGeodesico InversaTM(const TPuntoPlano &p, TTipoCoordenada tipo, long double a, long double f) {
    TPuntoGeodesico r;
    if (tipo == tcGaussKruger) {
        // The strip is the millions digit of Y; below one million the point is on the meridian 0.
        long double Y = p.Y, lam0 = 0;
        if (Y >= 1000000) {
            const uint8_t g = ByteTruncado(Y / 1000000);
            lam0 = (3 * g - 75) * kRadPorGrado;
            Y -= g * 1000000.0L;
        }
        r = SerieInversaTM(p.X, Y, a, f, 1, lam0, 500000, Cuadrante(a, f));
    } else {
        r = SerieInversaTM(p.X, p.Y, a, f, 0.9996L, (6 * p.Zona - 183) * kRadPorGrado, 500000, 10000000);
    }
    r.Altura = p.Altura;
    return r;
}
