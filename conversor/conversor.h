// ConvertirArchivo: zuvelo-convert's streaming conversion. N workers each read a block of lines
// (lector.h), convert it with a TCoordenadas of their own (trabajo.h) and hand it to a bounded queue
// (cola.h), which has the blocks written in reading order (escritor.h) by whichever worker's turn it
// is; memory stays small for any file and the output keeps the input's order. The progress line
// (progreso.h) and the output (salida.h) follow the writing.
#pragma once
#include "escritor.h"
#include "pedido.h"

// Converts p.Entrada into p.Salida (result lines or a drawing) or standard output. An OUTPUT that is
// the input file (any name of it) is refused before anything is written. Throws std::runtime_error
// (EArchivo for files) naming the file and the reason for an input or output error; an output file is
// then not created and an existing one is left untouched.
TInforme ConvertirArchivo(const TPedido &p);
