// The writer of zuvelo-convert's pipeline: a converted block's result lines written through the
// output (or its points kept for the drawing, or written as another program's file), and the run's
// report added up.
#pragma once
#include <cstdint>
#include <vector>

#include "bloque.h"
#include "dibujo.h"
#include "exportar.h"
#include "lote.h"
#include "salida.h"

// What a run did, for the summary and the exit status.
struct TInforme : TConteoLineas {
    std::vector<TFalloLinea> Primeros;  // the first kMotivosListados lines that failed or gave no point
    int64_t Restantes = 0;              // further such lines, not listed
    // A .csv file: 1 its .prj was written beside it, -1 none could be (points in several strips or
    // zones); 0 for any other output.
    int Prj = 0;
    int64_t NombresCambiados = 0;  // drawing labels that lost characters Windows-1252 lacks
};

// Where the blocks go, in reading order, and what the writing carries from one block to the next.
struct TEscritura {
    explicit TEscritura(TSalida &salida, TDibujoPuntos *dibujo = nullptr, TEscritorPuntos *puntos = nullptr)
        : Salida(salida), Dibujo(dibujo), Puntos(puntos) {}
    TSalida &Salida;
    TDibujoPuntos *Dibujo = nullptr;      // the drawing's points, instead of result lines
    TEscritorPuntos *Puntos = nullptr;    // another program's file, instead of result lines
    TSistemasVistos *Sistemas = nullptr;  // the systems of a .csv's points, for its .prj
    TInforme Informe;
    int64_t Registros = 0;  // lines of the blocks written so far
};

// One converted block, in its turn: with e.Dibujo its points go there, with e.Puntos to that writer
// (a point without a name gets the number of its record), else its result lines to e.Salida; its
// counts and reasons are added to e.Informe. Throws what the output or the writer throws.
void EscribirBloque(TBloque &b, TEscritura &e);
