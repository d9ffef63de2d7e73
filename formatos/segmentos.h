// Large files: the ten input segments of a file too large for the grid and the ten output segments
// of its background run, all in one private scratch folder.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "lineas.h"

constexpr int kLineasGrilla = 50000;  // a larger file is shown in part and segmented
constexpr int kSegmentos = 10;

// The scratch folder of one large file's segments, made with mkdtemp in the system's temporary
// folder ($TMPDIR, else /tmp): no file of the user and no other copy of the program can share its
// names, and the input file's own folder needs no write permission. Destroying it deletes the
// segments found there and the folder; nothing else is ever deleted. Throws EArchivo.
class TCarpetaSegmentos {
  public:
    TCarpetaSegmentos();
    ~TCarpetaSegmentos();
    TCarpetaSegmentos(const TCarpetaSegmentos &) = delete;
    TCarpetaSegmentos &operator=(const TCarpetaSegmentos &) = delete;
    const std::string &Carpeta() const { return carpeta_; }
    // The base of the segment names for SegmentoEntrada and SegmentoSalida: "<folder>/entrada.".
    const std::string &Base() const { return base_; }

  private:
    std::string carpeta_, base_;
};

std::string SegmentoEntrada(const std::string &base, int k);  // base + "$$" + k
std::string SegmentoSalida(const std::string &base, int k);   // folder of base + "Segmento.$$" + k

// Writes the ten input segments, each created new (an existing file is never opened for writing):
// skips the lines before the start line, then per = total / 10 lines into each of segments 0 to 8
// and the rest into 9. `progreso` gets 10, 20, ... 100. Throws EArchivo.
void Segmentar(const std::string &ruta, uint8_t lineaInicio, int64_t totalLineas, const std::string &base,
               const std::function<void(int)> &progreso = {});

// The line of the file (from 1) that Segmentar put as line `linea` (from 1) of segment k.
int64_t LineaEnArchivo(int k, int64_t linea, uint8_t lineaInicio, int64_t totalLineas);
