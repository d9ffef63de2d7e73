// Transverse Mercator series (forward and inverse) with the Gauss-Krüger strip parameters of
// Argentina and the UTM parameters (false northing 10 000 000 m for every point).
#pragma once
#include <cstdint>

enum TTipoCoordenada : uint8_t { tcGeografica = 0, tcUTM = 1, tcGaussKruger = 2 };

struct TPuntoGeodesico {
    long double A = 0, F = 0;  // ellipsoid of the frame the point is given on
    long double Latitud = 0;   // radians, south negative
    long double Longitud = 0;  // radians, west negative
    long double Altura = 0;    // ellipsoidal height (m)
};

struct TPuntoPlano {
    long double X = 0;  // north (m)
    long double Y = 0;  // east (m)
    long double Altura = 0;
    uint8_t Faja = 0;  // Gauss-Krüger strip (forward only)
    uint8_t Zona = 0;  // UTM zone
    char Hemisferio = '\0';
};

// Farthest a Gauss-Krüger point may lie from its strip's central meridian, in degrees: the band in
// which strip 1 reaches west of 73.5 deg W and strip 7 east of 52.5 deg W, and where both directions
// hold 1 mm. Measured against PROJ's exact transverse Mercator over 21.5 to 56 deg S on both
// ellipsoids: the forward series stay within 0.25 mm up to 3.8 deg, but the inverse series pass 1 mm
// from 3.47 deg (south of 45 deg S) and reach 1.92 mm at 3.8 deg. Strip 1 thus reaches 75.45 deg W,
// beyond the westernmost point of the country.
inline constexpr long double kBandaGK = 3.45L;
// UTM's southern end (degrees); UPS takes over beyond it.
inline constexpr long double kLatitudMinimaUTM = -80;

long double ArcoMeridiano(long double a, long double f, long double phi);
long double Cuadrante(long double a, long double f);

// Gauss-Krüger strip of a longitude (radians): the strip table (-73.5 <= lon < -52.5 deg, 3 deg a
// strip, each closed at its west end), with strip 1 reaching farther west and strip 7 farther east while
// the point lies within kBandaGK of their central meridians (72 and 54 deg W). 0 for any other
// longitude: the point has no strip.
int FajaGK(long double lam);
// Strip of a Gauss-Krüger easting: its millions digit, 1 to 7; 0 for any other easting (below
// 1 000 000 m, from 8 000 000 m on, nan).
int FajaDelEste(long double Y);
// True when the longitude (radians) lies within kBandaGK of strip `faja`'s central meridian.
bool EnBandaGK(long double lam, int faja);
// Central meridian (radians) and easting offset (m) of the longitude's strip. Without a strip
// (FajaGK 0) the meridian is nan and the offset 0, so nothing can be projected on the meridian 0.
long double MeridianoCentralGK(long double lam);
long double DesplazamientoFaja(long double lam);

// UTM zone: (lon / 6 + 31) truncated, with the Norway and Svalbard exceptions. Saturates at 0 and
// 255 (never wraps into 1 to 60); longitude 180 deg gives 61. Zones outside 1 to 60 are no UTM zone.
uint8_t ZonaUTM(long double phi, long double lam);

// Gauss-Krüger: Faja is the strip of FajaGK; a longitude without a strip gives Faja 0 and X, Y nan
// (no point). UTM: Zona from ZonaUTM, Hemisferio 'S' south of the equator, else 'N'.
TPuntoPlano ProyectarTM(const TPuntoGeodesico &p, TTipoCoordenada tipo);

// The bare series with explicit parameters (scale k0 on the central meridian lam0 in radians, false
// easting FE and northing FN in metres), which ProyectarTM and InversaTM apply with the Gauss-Krüger
// or UTM choice. Only X, Y (and Altura, copied) of the results are set.
TPuntoPlano SerieTM(const TPuntoGeodesico &p, long double k0, long double lam0, long double FE,
                    long double FN);
TPuntoGeodesico SerieInversaTM(long double X, long double Y, long double a, long double f, long double k0,
                               long double lam0, long double FE, long double FN);
// Gauss-Krüger: the strip is FajaDelEste(Y); an easting without one gives Latitud and Longitud nan
// (no point). The result is not held to the strip's band: EnBandaGK tells. UTM: the zone given in
// p.Zona, not checked here.
TPuntoGeodesico InversaTM(const TPuntoPlano &p, TTipoCoordenada tipo, long double a, long double f);
// The same into r, every field set: for a caller that keeps the point (no copy of it).
void InversaTM(const TPuntoPlano &p, TTipoCoordenada tipo, long double a, long double f, TPuntoGeodesico &r);
