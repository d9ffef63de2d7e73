// ConvertirArchivo: zuvelo-convert's streaming conversion. One reader (lector.h), N workers each with
// its own TCoordenadas (trabajo.h) and one writer (escritor.h) meet at a bounded queue (cola.h), so
// memory stays small for any file and the output keeps the input's order; the progress line
// (progreso.h) and the output (salida.h) hang off the writer.
#pragma once
#include "escritor.h"
#include "pedido.h"

// Converts p.Entrada into p.Salida (result lines or a drawing) or standard output. An OUTPUT that is
// the input file (any name of it) is refused before anything is written. Throws std::runtime_error
// (EArchivo for files) naming the file and the reason for an input or output error; an output file is
// then not created and an existing one is left untouched.
TInforme ConvertirArchivo(const TPedido &p);
