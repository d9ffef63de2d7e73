// EArchivo: a file operation that failed, with what was tried, on which path and why (the system's
// error number, or one of the program's own reasons). what() says it in English; the window words it
// in Spanish from the same three parts.
#pragma once
#include <stdexcept>
#include <string>

enum class TOperacion { Abrir, Leer, Crear, Escribir, Reemplazar, CrearCarpeta, Temporal };

// Reasons of the program's own, kept apart from errno values by their sign.
inline constexpr int kEsLaEntrada = -1;     // the output names a file this run reads
inline constexpr int kTipoNoAdmitido = -2;  // neither a regular file, a pipe nor a character device
inline constexpr int kYaCerrado = -3;       // written after it was closed

class EArchivo : public std::runtime_error {
  public:
    EArchivo(TOperacion operacion, const std::string &ruta, int error);
    TOperacion Operacion;
    std::string Ruta;
    int Error;  // errno, or one of the reasons above
};

// "cannot create", "cannot read", ...
const char *OperacionEnIngles(TOperacion operacion);
// strerror for errno values, plain words for the program's own reasons.
std::string MotivoEnIngles(int error);
