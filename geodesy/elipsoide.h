// The three frames (POSGAR 94, Campo Inchauspe 69, POSGAR 2007): their ellipsoids, their names and
// EPSG codes, and the three-parameter shifts between them, through earth-centred coordinates.
#pragma once
#include <cstdint>
#include <string>
#include "proyeccion.h"

struct TElipsoide {
    long double A = 0;   // semi-major axis (m)
    long double F = 0;   // flattening
    uint8_t Codigo = 0;  // frame code: 1 POSGAR 94, 2 Campo Inchauspe 69, 3 POSGAR 2007
};

extern const TElipsoide ElipsoidePOSGAR;      // WGS 84: a = 6378137 m, 1/f = 298.257223563
extern const TElipsoide ElipsoideInchauspe;   // International 1924: a = 6378388 m, 1/f = 297
extern const TElipsoide ElipsoidePOSGAR2007;  // WGS 84 again, another frame

// A frame; its value is its ellipsoid record's Codigo.
enum class TMarco : uint8_t { Posgar94 = 1, Inchauspe69 = 2, Posgar2007 = 3 };

// Everything the program says about a frame, in one place.
struct TDatosMarco {
    TMarco Marco;
    const TElipsoide *Elipsoide;
    const char *Nombre;  // "POSGAR 94"
    const char *Clave;   // zuvelo-convert's name for it: "posgar"
    // As the EPSG registry names them, for a file's coordinate system: the geographic CRS, its datum
    // (as WKT 1 writes it) and the ellipsoid, and their codes.
    const char *NombreEPSG;
    const char *NombreDatum;
    const char *NombreElipsoide;
    int EPSGDatum, EPSGElipsoide;
    int EPSGGeografica;  // geographic 2D CRS
    int EPSGFaja1;       // Gauss-Krüger strip 1; strips 2 to 7 follow it
};

// Every frame, in the order the window's lists and zuvelo-convert offer them: a selector's index is its
// place here (0 POSGAR 94, 1 Campo Inchauspe 69 as they always were, 2 POSGAR 2007).
constexpr int kCantidadMarcos = 3;
extern const TDatosMarco Marcos[kCantidadMarcos];
const TDatosMarco &DatosMarco(TMarco m);
inline const TElipsoide &ElipsoideDe(TMarco m) {
    return *DatosMarco(m).Elipsoide;
}
// The coordinate system of values of kind `tipo` on frame `marco` as WKT 1, as a .prj file holds it for
// GDAL and QGIS: the geographic CRS, Gauss-Krüger strip `zona` (1 to 7) or UTM zone `zona` south (false
// northing 10 000 000, as every UTM point is written), with its EPSG code where EPSG has one (none for
// UTM on these frames). Empty for a strip or zone out of range.
std::string WKTSistema(TMarco marco, TTipoCoordenada tipo, int zona);

// A selector's index (0 to 2) as its frame; any other index is POSGAR 94.
TMarco MarcoDeIndice(int i);
int IndiceDeMarco(TMarco m);
inline TMarco MarcoDe(const TElipsoide &e) {
    return static_cast<TMarco>(e.Codigo);
}

struct TConversion {
    std::string Nombre;
    double dX, dY, dZ;  // added to earth-centred X, Y, Z (m)
};

// Indexed by the source frame's Codigo: TablaConversion[1] from POSGAR 94, [2] from Campo Inchauspe 69,
// in both cases to the other of the two. Index 0 is unused. The shifts that involve POSGAR 2007 are in
// Traslado.
extern const TConversion TablaConversion[3];

// One directed shift between two frames, as PROJ's preferred operation between them does it.
struct TTraslado {
    TMarco De, A;
    double dX, dY, dZ;      // added to earth-centred X, Y, Z (m)
    double Exactitud;       // stated accuracy (m)
    const char *Operacion;  // the operation's name, as PROJ gives it
    int EPSG;               // its EPSG code; 0 for two operations chained through WGS 84
};
// The shift from one frame to another; nullptr for the same frame.
const TTraslado *Traslado(TMarco de, TMarco a);

struct TPuntoGeocentrico {
    long double X = 0, Y = 0, Z = 0;
};

TPuntoGeocentrico AGeocentrica(const TPuntoGeodesico &p);
// From codigoFuente to codigoDestino; no shift for equal codes or a code that is no frame.
TPuntoGeocentrico TrasladarDatum(const TPuntoGeocentrico &p, uint8_t codigoFuente, uint8_t codigoDestino);
// Between the two first frames: from POSGAR 94 (1) to Campo Inchauspe 69, or from 2 to 1.
TPuntoGeocentrico TrasladarDatum(const TPuntoGeocentrico &p, uint8_t codigoFuente);
TPuntoGeodesico AGeodesica(const TPuntoGeocentrico &p, const TElipsoide &destino);
