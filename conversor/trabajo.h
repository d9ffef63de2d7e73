// The workers' unit of work: every line of a block converted by the point rule into its result line
// (or, for a drawing, its point), counted, and the first failed lines kept with their reasons.
#pragma once
#include <cstdint>

#include "bloque.h"
#include "coordenadas.h"
#include "lectura.h"
#include "motivo.h"

// What every worker needs and nobody changes during the run.
struct TContexto {
    bool Dibujo = false;
    bool Utf8 = false;
    int64_t LineaInicio = 1;  // a drawing's labels count the points from here
    // Points for another program's file (TBloque::Exportados) instead of result lines; with Ubicar
    // each converted point also gets its place in geographic POSGAR 94, read from its results of
    // kind TipoDestino on frame MarcoDestino.
    bool Puntos = false;
    bool Ubicar = false;
    TTipoCoordenada TipoDestino = tcGeografica;
    const TElipsoide *MarcoDestino = &ElipsoidePOSGAR;
    TIdioma Idioma = TIdioma::Ingles;  // of a failed point's reason in another program's file
};

// Converts the block's lines with `c` (set to the run's kinds and frames); a bad line gives the
// failed-result line (the delimiter twice), or a failed point, and the block goes on. The points of
// a drawing or another program's file are named by the name field, else numbered from the start
// line (a waypoint keeps its own name).
void ConvertirBloque(TBloque &b, const TContexto &ctx, TCoordenadas &c);
