// Command line of zuvelo-convert: the options, their checks and the help text.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

// A usage error: one line naming the bad option or value (exit status 2).
class EUso : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TArgumentos {
    int Fuente = -1;      // 0 geo, 1 gk, 2 utm, 3 gps
    int Destino = -1;     // 0 geo, 1 gk, 2 utm
    int MarcoFuente = 0;  // 0 POSGAR 94, 1 Campo Inchauspe 69
    int MarcoDestino = 0;
    int Delimitador = -1;  // item of CaracteresDelimitador; -1 = detected from the start line
    int64_t LineaInicio = 1;
    int Columnas[4] = {1, 2, 0, 0};  // latitude or X, longitude or Y, height, zone or strip
    bool Decimal = false;
    int Hilos = 0;  // 0 = one per core
    bool Silencioso = false;
    bool Utf8 = false;  // write result lines in UTF-8 instead of Windows-1252
    bool Ayuda = false, Version = false;
    std::string Entrada, Salida;  // Salida empty or "-": standard output

    bool SalidaEstandar() const { return Salida.empty() || Salida == "-"; }
    bool SalidaDXF() const;  // OUTPUT ends in ".dxf", any case
};

// Throws EUso for unknown options, bad values and combinations that cannot work.
TArgumentos LeerArgumentos(int argc, char **argv);

std::string TextoAyuda();
