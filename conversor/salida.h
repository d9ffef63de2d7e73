// TSalida: where zuvelo-convert's finished blocks go: a file through TArchivoSeguro (replaced only
// when complete, or a pipe or a device written straight through), or standard output.
#pragma once
#include <string_view>

#include "lineas.h"

class TSalida {
  public:
    // nullptr: standard output.
    explicit TSalida(TArchivoSeguro *archivo) : archivo_(archivo) {}
    // Throws EArchivo.
    void Escribir(std::string_view datos);
    // Everything written: the file is put in place, standard output flushed. Throws EArchivo.
    void Terminar();

  private:
    TArchivoSeguro *archivo_;
};
