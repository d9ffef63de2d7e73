// TSalida: the output sink of zuvelo-convert.
#include "salida.h"

#include <cerrno>
#include <cstdio>

#include "error_archivo.h"
#include "senales.h"

void TSalida::Escribir(std::string_view datos) {
    try {
        if (archivo_) {
            archivo_->Escribir(datos);
        } else if (!datos.empty() && std::fwrite(datos.data(), 1, datos.size(), stdout) != datos.size()) {
            throw EArchivo(TOperacion::Escribir, "standard output", errno ? errno : EIO);
        }
    } catch (const EArchivo &e) {
        FinPorEscritura(e.Error);
        throw;
    }
}

void TSalida::Terminar() {
    try {
        if (archivo_)
            archivo_->Confirmar();
        else if (std::fflush(stdout) != 0)
            throw EArchivo(TOperacion::Escribir, "standard output", errno ? errno : EIO);
    } catch (const EArchivo &e) {
        FinPorEscritura(e.Error);
        throw;
    }
}
