// TSalida: the output sink of zuvelo-convert.
#include "salida.h"

#include <cerrno>
#include <cstdio>

#include "error_archivo.h"

void TSalida::Escribir(std::string_view datos) {
    if (archivo_) {
        archivo_->Escribir(datos);
    } else if (!datos.empty() && std::fwrite(datos.data(), 1, datos.size(), stdout) != datos.size()) {
        throw EArchivo(TOperacion::Escribir, "standard output", errno ? errno : EIO);
    }
}

void TSalida::Terminar() {
    if (archivo_)
        archivo_->Confirmar();
    else if (std::fflush(stdout) != 0)
        throw EArchivo(TOperacion::Escribir, "standard output", errno ? errno : EIO);
}
