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

long double ArcoMeridiano(long double a, long double f, long double phi);
long double Cuadrante(long double a, long double f);
long double MeridianoCentralGK(long double lam);  // radians
long double DesplazamientoFaja(long double lam);  // metres
uint8_t ZonaUTM(long double phi, long double lam);
TPuntoPlano ProyectarTM(const TPuntoGeodesico &p, TTipoCoordenada tipo);

// The bare series with explicit parameters (scale k0 on the central meridian lam0 in radians, false
// easting FE and northing FN in metres), which ProyectarTM and InversaTM apply with the Gauss-Krüger
// or UTM choice. Only X, Y (and Altura, copied) of the results are set.
TPuntoPlano SerieTM(const TPuntoGeodesico &p, long double k0, long double lam0, long double FE,
                    long double FN);
TPuntoGeodesico SerieInversaTM(long double X, long double Y, long double a, long double f, long double k0,
                               long double lam0, long double FE, long double FN);
TPuntoGeodesico InversaTM(const TPuntoPlano &p, TTipoCoordenada tipo, long double a, long double f);
