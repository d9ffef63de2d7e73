// TPedido: the output's kind by its name.
#include "pedido.h"

#include <cctype>

bool TPedido::SalidaDXF() const {
    if (Formato) return *Formato == TFormatoSalida::Dxf;
    if (Salida.size() < 4) return false;
    std::string fin = Salida.substr(Salida.size() - 4);
    for (char &c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fin == ".dxf";
}

TFormatoSalida TPedido::FormatoSalida() const {
    if (Formato) return *Formato;
    if (SalidaEstandar()) return TFormatoSalida::Dat;
    if (SalidaDXF()) return TFormatoSalida::Dxf;
    return FormatoPorNombre(Salida);
}

bool TPedido::SalidaPuntos() const {
    const TFormatoSalida f = FormatoSalida();
    return f != TFormatoSalida::Dat && f != TFormatoSalida::Dxf;
}
