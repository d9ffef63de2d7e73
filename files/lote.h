// Converting lines of a file: the result line of one point and the pass over one segment, shared
// by the window's background workers and the command-line converter.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include "coordenadas.h"
#include "lectura.h"

// Sets both frames and kinds from the window's selectors: frames 0 POSGAR 94 / 1 Campo Inchauspe 69;
// source kind item 0 GEO, 1 GK, 2 UTM, 3 GPS; destination item 0 GEO, 1 GK, 2 UTM.
void ConfigurarCoordenadas(TCoordenadas &c, int marcoFuente, int marcoDestino, int tipoFuente,
                           int tipoDestino);

// Coord1 D Coord2 D Coord3 [D Zona]; the delimiter twice for a failed conversion.
std::string LineaResultado(const TPuntoTexto &salida, char delimitador);

// Why a point cannot be converted before the core sees it, in plain words: a value that would
// silently read as 0 (empty or not a number), DMS text without its degree sign or hemisphere letter
// (a lower-case or missing letter would read as north or east), or a UTM zone outside 1 to 60.
// Empty when the point may go on. Throws EEnteroInvalido for a zone that is not a whole number.
std::string MotivoRechazo(const TPuntoLeido &p, const TCoordenadas &c);

enum TResultadoLinea : uint8_t { rlSinPunto, rlConvertido, rlFallido };

// Reads, converts and formats one input line. `resultado` gets the result line (rlConvertido) or the
// delimiter twice (rlFallido, also when the core raises an error); it is left empty for rlSinPunto.
// `motivo`, when given, gets the reason of a failure or a line without a point in plain words.
TResultadoLinea ConvertirLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                               std::string &resultado, std::string *motivo = nullptr);

// Converts one point already read (a delimited line's record or a GPS waypoint): the same checks,
// result line and reasons as ConvertirLinea.
TResultadoLinea ConvertirPunto(const TPuntoLeido &punto, char delimitador, TCoordenadas &c,
                               std::string &resultado, std::string *motivo = nullptr);

struct TResumenLote {
    int64_t Convertidos = 0, Fallidos = 0, SinPunto = 0;
    bool Detenido = false;  // stopped by `detener`: no output segment is left
};

// Converts one input segment into one output segment, line by line, until the end or `detener`.
// A bad line never ends the pass; a line longer than kLargoMaximoLinea whose needed fields run past
// that length fails. Throws EArchivo for a file that cannot be read or written.
TResumenLote ConvertirSegmento(const std::string &entrada, const std::string &salida,
                               const TOpcionesLectura &opc, TCoordenadas &c,
                               const std::atomic<bool> &detener);
