// The two frames' ellipsoids and the three-parameter datum shift between them (DMA values),
// through earth-centred coordinates.
#pragma once
#include <cstdint>
#include <string>
#include "proyeccion.h"

struct TElipsoide {
    long double A = 0;   // semi-major axis (m)
    long double F = 0;   // flattening
    uint8_t Codigo = 0;  // frame code: 1 POSGAR 94, 2 Campo Inchauspe 69
};

extern const TElipsoide ElipsoidePOSGAR;     // WGS 84: a = 6378137 m, 1/f = 298.257223563
extern const TElipsoide ElipsoideInchauspe;  // International 1924: a = 6378388 m, 1/f = 297

struct TConversion {
    std::string Nombre;
    double dX, dY, dZ;  // added to earth-centred X, Y, Z (m)
};

// Indexed by the source frame's Codigo: TablaConversion[1] from POSGAR 94, [2] from Campo Inchauspe 69.
// Index 0 is unused.
extern const TConversion TablaConversion[3];

struct TPuntoGeocentrico {
    long double X = 0, Y = 0, Z = 0;
};

TPuntoGeocentrico AGeocentrica(const TPuntoGeodesico &p);
TPuntoGeocentrico TrasladarDatum(const TPuntoGeocentrico &p, uint8_t codigoFuente);
TPuntoGeodesico AGeodesica(const TPuntoGeocentrico &p, const TElipsoide &destino);
