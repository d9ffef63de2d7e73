// The streaming conversion of zuvelo-convert: one reader, N workers each with its own
// TCoordenadas, one writer emitting blocks of result lines in input order (bounded memory).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "argumentos.h"
#include "lote.h"

struct TInforme {
    int64_t Convertidos = 0, Fallidos = 0, SinPunto = 0;
    int64_t Vacias = 0;                 // of SinPunto: empty or blank lines (never listed)
    std::vector<TFalloLinea> Primeros;  // the first 20 lines that failed or yielded no point
    int64_t Restantes = 0;              // further such lines, not listed
};

inline constexpr std::size_t kMotivosListados = kFallosListados;

// Converts a.Entrada into a.Salida (result lines or a drawing) or standard output. An OUTPUT that
// is the input file (any name of it) is refused before anything is written. Throws
// std::runtime_error (EArchivo for files) naming the file and the reason for an input or output
// error; an output file is then not created and an existing one is left untouched.
TInforme ConvertirArchivo(const TArgumentos &a);
