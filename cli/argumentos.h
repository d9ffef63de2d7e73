// Command line of zuvelo-convert: the options, their checks and the help text.
#pragma once
#include <stdexcept>
#include <string>

#include "pedido.h"

// A usage error: one line naming the bad option or value (exit status 2).
class EUso : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What to convert, or a request for the help text or the version.
struct TArgumentos : TPedido {
    bool Ayuda = false, Version = false;
};

// Throws EUso for unknown options, bad values and combinations that cannot work.
TArgumentos LeerArgumentos(int argc, char **argv);

std::string TextoAyuda();
