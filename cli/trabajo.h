// The workers' unit of work: every line of a block converted by the point rule into its result line
// (or, for a drawing, its point), counted, and the first failed lines kept with their reasons.
#pragma once
#include <cstdint>

#include "bloque.h"
#include "coordenadas.h"
#include "lectura.h"

// What every worker needs and nobody changes during the run.
struct TContexto {
    bool Gps = false;
    TMarcaGPS Marca;  // of a waypoint file, found by the reader
    bool Dibujo = false;
    bool Utf8 = false;
    int64_t LineaInicio = 1;  // a drawing's labels count the points from here
};

// Converts the block's lines with `c` (set to the run's kinds and frames); a bad line gives the
// failed-result line (the delimiter twice) and the block goes on.
void ConvertirBloque(TBloque &b, const TContexto &ctx, TCoordenadas &c);
