// The writer of zuvelo-convert's pipeline: converted blocks taken back in reading order, their result
// lines written through the output (or their points kept for the drawing, or written as another
// program's file), and the run's report added up.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "cola.h"
#include "dibujo.h"
#include "exportar.h"
#include "lote.h"
#include "salida.h"

// What a run did, for the summary and the exit status.
struct TInforme {
    int64_t Convertidos = 0, Fallidos = 0, SinPunto = 0;
    int64_t Vacias = 0;                 // of SinPunto: empty or blank lines (never listed)
    std::vector<TFalloLinea> Primeros;  // the first kMotivosListados lines that failed or gave no point
    int64_t Restantes = 0;              // further such lines, not listed
};

// Until every block has been written or the run is aborted. With `dibujo` the points go there, with
// `puntos` to that writer, instead of result lines to `salida`; a point without a name there gets the
// number of its record. `avance` gets the points done after each block. Throws what the output or
// the writer throws.
void EscribirEnOrden(TCola &cola, TSalida &salida, TDibujoPuntos *dibujo, TInforme &informe,
                     const std::function<void(int64_t puntos)> &avance = {},
                     TEscritorPuntos *puntos = nullptr);
