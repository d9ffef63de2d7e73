// Where the "Mapa" tab draws things: the display projection (transverse Mercator about 63 deg W on
// WGS 84, by the geodesy core's series) and the place of a point read by the point rule. No Qt.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "coordenadas.h"
#include "lectura.h"
#include "motivo.h"

// Central meridian of the display: the middle of the seven strips, so the whole country lies within
// 11 deg of it and shapes keep their form (scale 1 on 63 deg W, 1.5 % more at 72 deg W).
inline constexpr double kMeridianoMapa = -63.0;

// Points farther than this from the central meridian (degrees) have no place on the map.
inline constexpr double kAnchoMapa = 40.0;

// Display metres (east E, north N) of a latitude and longitude in degrees.
void ProyectarMapa(double latitud, double longitud, double &E, double &N);
// Scale of the display projection at easting E (metres on the map per metre on the ground).
double EscalaMapa(double E);

// A point of the map: its display metres, its grid row (-1 for a point of the whole file that is not
// in the grid) and its state.
enum TEstadoMapa : uint8_t { emConvertido, emFallido, emSinConvertir };
struct TPuntoMapa {
    double E = 0, N = 0;
    int32_t Fila = -1;
    TEstadoMapa Estado = emSinConvertir;
    int64_t Linea = 0;  // the line of its file (from 1); 0 when not known
};

// The source the points are read as: their kind and frame. Holds the conversion object the point rule
// reads with.
class TUbicador {
  public:
    TUbicador(TTipoArchivo tipoFuente, TMarco marcoFuente);
    // The point's latitude and longitude (degrees) from its values as the point rule reads them, for
    // geographic sources straight, for plane ones by the inverse series on the source frame. False
    // with the reason when the point rule refuses a value or the plane point has no place (a
    // Gauss-Krueger easting without a strip, more than kAnchoMapa from the display's meridian); the
    // point then cannot be drawn.
    bool Ubicar(const TPuntoVista &p, double &latitud, double &longitud, TMotivo &motivo);
    bool Ubicar(const TPuntoLeido &p, double &latitud, double &longitud, TMotivo &motivo);

  private:
    TCoordenadas c_;
};

// The points of one input segment of a large file, converted as the background run converts them
// (the point rule, then the conversion set in `c`) and placed as TUbicador places them, each with its
// line in the segment (from 1); non-blank lines without a point or a place are counted in `sinLugar`. Throws
// EArchivo when the file cannot be read.
void PuntosDelSegmento(const std::string &ruta, const TOpcionesLectura &opc, TCoordenadas &c,
                       std::vector<TPuntoMapa> &puntos, int64_t &sinLugar);
