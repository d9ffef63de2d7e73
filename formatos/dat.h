// The ".DAT" text output shared by the window and zuvelo-convert: the numbered line of a grid row,
// the joining of the ten output segments of a large file.
#pragma once
#include <functional>
#include <string>
#include <string_view>

// "numero, c5, c6[, c7][,c8]": a failed row (all results empty) gives "numero, , ".
std::string LineaDAT(int numero, std::string_view c5, std::string_view c6, std::string_view c7,
                     std::string_view c8);

// Writes output segments 0 to 9 of `base` (see SegmentoSalida) one after the other into `destino`,
// through a temporary file renamed into place only when complete. `progreso` gets 10, 20, ... 100.
// Throws EArchivo naming the file and the reason (a missing segment included); an existing
// `destino` is then left untouched.
void UnirSegmentos(const std::string &base, const std::string &destino,
                   const std::function<void(int)> &progreso = {});
