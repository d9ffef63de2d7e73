// EArchivo: failed file operations and their English wording.
#include "error_archivo.h"

#include <cstring>

namespace {

std::string Texto(TOperacion operacion, const std::string &ruta, int error) {
    return std::string(OperacionEnIngles(operacion)) + " '" + ruta + "': " + MotivoEnIngles(error);
}

}  // namespace

EArchivo::EArchivo(TOperacion operacion, const std::string &ruta, int error)
    : std::runtime_error(Texto(operacion, ruta, error)), Operacion(operacion), Ruta(ruta), Error(error) {}

const char *OperacionEnIngles(TOperacion operacion) {
    switch (operacion) {
        case TOperacion::Abrir:
            return "cannot open";
        case TOperacion::Leer:
            return "cannot read";
        case TOperacion::Crear:
            return "cannot create";
        case TOperacion::Escribir:
            return "cannot write";
        case TOperacion::Reemplazar:
            return "cannot replace";
        case TOperacion::CrearCarpeta:
            return "cannot create the scratch folder";
        case TOperacion::Temporal:
            return "cannot use a scratch file in";
    }
    return "cannot use";
}

std::string MotivoEnIngles(int error) {
    switch (error) {
        case kEsLaEntrada:
            return "it is the input file being read";
        case kTipoNoAdmitido:
            return "not a regular file, a pipe or a character device";
        case kYaCerrado:
            return "file already closed";
        default:
            return std::strerror(error);
    }
}
