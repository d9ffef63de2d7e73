// The counts of a convert command over a table of points (the window's grid, or a whole file after
// its background run): points converted and failed, the failed ones the other angle notation would
// read, the first reason and the extents of the results; and how the window words them.
#pragma once
#include <cstdint>
#include <string>

#include "coordenadas.h"
#include "dibujo.h"
#include "lectura.h"
#include "motivo.h"

struct TConteoPuntos {
    int64_t Convertidos = 0, Fallidos = 0;
    int64_t OtroModo = 0;  // failed points that the other angle notation would read
    TMotivo Primero;       // why the first failed point failed
    // North (first result) and east (second result) of the converted points whose results read as
    // numbers; degrees-minutes-seconds results leave it alone.
    TExtension Extension;
};

// Converts one point by the point rule (ConvertirPunto) and counts it: true with the results in
// c.Salida, or false with the reason in `motivo`. With `probarOtroModo`, a failed point is tried
// again in the other angle notation, on a copy of `c`, to count it in OtroModo.
bool ConvertirYContar(const TPuntoLeido &p, TCoordenadas &c, bool probarOtroModo, TConteoPuntos &conteo,
                      TMotivo &motivo);

// "1 point", "3 points": a count with its noun in the singular or the plural.
std::string Cantidad(int64_t n, const char *uno, const char *varios);
// "3 puntos convertidos, 1 con error" (Windows-1252).
std::string TextoConteo(int64_t convertidos, int64_t fallidos);

// Every point failed, yet most of them read in the other notation: the question that says so
// ("¿Los ángulos están en grados decimales?" when they were read as degrees-minutes-seconds);
// empty otherwise.
std::string PistaNotacion(const TConteoPuntos &conteo, bool leidosEnDecimal);
