// Large files: counting lines, the ten input segment files beside the input file, the output
// segment names, and their deletion.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

constexpr int kLineasGrilla = 50000;  // a larger file is shown in part and segmented
constexpr int kSegmentos = 10;

// Number of lines; an empty file has 0, a last line without a line end counts.
int64_t ContarLineas(const std::string &ruta);

// The path up to and including its first '.' (anywhere in the path); a path without any '.' gets
// "path." so that its segments sit beside it.
std::string BaseSegmento(const std::string &ruta);
std::string SegmentoEntrada(const std::string &base, int k);  // base + "$$" + k
std::string SegmentoSalida(const std::string &base, int k);   // folder of base + "Segmento.$$" + k

// Writes the ten input segments: skips the lines before the start line, then per = total / 10
// lines into each of segments 0 to 8 and the rest into 9. `progreso` gets 10, 20, ... 100.
// Throws std::runtime_error naming the file and the reason.
void Segmentar(const std::string &ruta, uint8_t lineaInicio, int64_t totalLineas, const std::string &base,
               const std::function<void(int)> &progreso = {});

// Deletes input and output segments 0 to 9 of `base` where they exist; nothing for an empty base.
void BorrarSegmentos(const std::string &base);
