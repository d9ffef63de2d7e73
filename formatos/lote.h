// Converting lines of a file: the result line of one point and the pass over one segment, shared
// by the window's background workers and the command-line converter.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "coordenadas.h"
#include "lectura.h"
#include "motivo.h"

// Sets both frames and kinds.
void ConfigurarCoordenadas(TCoordenadas &c, TMarco marcoFuente, TMarco marcoDestino, TTipoArchivo tipoFuente,
                           TTipoArchivo tipoDestino);
// The same with the frames as selector indexes (MarcoDeIndice: 0 POSGAR 94, 1 Campo Inchauspe 69,
// 2 POSGAR 2007).
void ConfigurarCoordenadas(TCoordenadas &c, int marcoFuente, int marcoDestino, TTipoArchivo tipoFuente,
                           TTipoArchivo tipoDestino);

// Coord1 D Coord2 D Coord3 [D Zona]; the delimiter twice for a failed conversion.
std::string LineaResultado(const TPuntoTexto &salida, char delimitador);

enum TResultadoLinea : uint8_t { rlSinPunto, rlConvertido, rlFallido };

// Converts one point by the point rule and writes its result line into `resultado` (reusing its
// storage): the values joined by the delimiter (rlConvertido) or the delimiter twice (rlFallido).
// `motivo`, when given, gets the reason of a failure.
TResultadoLinea LineaDePunto(const TPuntoLeido &punto, char delimitador, TCoordenadas &c,
                             std::string &resultado, TMotivo *motivo = nullptr);
TResultadoLinea LineaDePunto(const TPuntoVista &punto, char delimitador, TCoordenadas &c,
                             std::string &resultado, TMotivo *motivo = nullptr);

// Reads, converts and formats one input line. `resultado` gets the result line (rlConvertido) or the
// delimiter twice (rlFallido); it is left empty for a line that yields no point (rlSinPunto).
// `motivo`, when given, gets the reason of a failure or of a line without a point.
TResultadoLinea ConvertirLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                               std::string &resultado, TMotivo *motivo = nullptr);

// ConvertirLinea writing at the end of `salida` instead: the result line (or the delimiter twice) and
// CR LF, nothing for a line that yields no point.
TResultadoLinea AgregarLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                             std::string &salida, TMotivo *motivo = nullptr);

// A line that failed or yielded no point, and why.
struct TFalloLinea {
    int64_t Linea = 0;  // line number, from 1 (in the segment for ConvertirSegmento)
    TMotivo Motivo;
};
inline constexpr std::size_t kFallosListados = 20;  // reasons kept per pass; the rest are counted

// A pass's lines counted: points converted and failed, and lines that gave no point, of which the
// empty or blank ones are no points at all. The one count of a segment, a block and a whole run.
struct TConteoLineas {
    int64_t Convertidos = 0, Fallidos = 0, SinPunto = 0;
    int64_t Vacias = 0;  // of SinPunto: empty or blank lines
    // Points that did not convert: the failed ones and the non-blank lines that gave no point.
    int64_t NoConvertidos() const { return Fallidos + SinPunto - Vacias; }
    // Counts the outcome of `linea`; true when the line is one to name (failed, or not blank and
    // without a point: a line of only blanks and delimiters is blank).
    bool Contar(TResultadoLinea r, std::string_view linea, char delimitador);
    TConteoLineas &operator+=(const TConteoLineas &o);
};

struct TResumenLote : TConteoLineas {
    std::vector<TFalloLinea> Fallos;  // the first kFallosListados failed or pointless non-blank lines
    bool Detenido = false;            // stopped by `detener`: no output segment is left
};

// Converts one input segment into one output segment, line by line, until the end or `detener`.
// A bad line never ends the pass; a line longer than kLargoMaximoLinea whose needed fields run past
// that length fails. Throws EArchivo for a file that cannot be read or written.
TResumenLote ConvertirSegmento(const std::string &entrada, const std::string &salida,
                               const TOpcionesLectura &opc, TCoordenadas &c,
                               const std::atomic<bool> &detener);
