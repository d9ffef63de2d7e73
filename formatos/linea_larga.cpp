// The fields of a line cut at the reader's limit that may still be read.
#include "linea_larga.h"

#include <algorithm>

namespace {

// The position of the n-th `c` in s, from the start; npos when s holds fewer.
std::size_t Enesimo(std::string_view s, char c, std::size_t desde, int n) {
    std::size_t p = desde;
    for (int i = 0; i < n; ++i, ++p) {
        p = s.find(c, p);
        if (p == std::string_view::npos) return p;
    }
    return p - 1;
}

}  // namespace

std::optional<std::string_view> CamposCompletos(std::string_view cortada, const TOpcionesLectura &opc) {
    if (opc.Fuente == TTipoArchivo::GPS) return CamposCompletosGPS(cortada, opc.Marca);
    if (opc.ColLatX == 0 || opc.ColLonY == 0) return cortada;
    const int ultimo = std::max({opc.ColLatX, opc.ColLonY, opc.ColAltura, opc.ColZona});
    // Field n is closed by the n-th delimiter; the fields after it are never read.
    const std::size_t p = Enesimo(cortada, opc.Delimitador, 0, ultimo);
    if (p == std::string_view::npos) return std::nullopt;
    return cortada.substr(0, p);
}

std::optional<std::string_view> CamposCompletosGPS(std::string_view cortada, const TMarcaGPS &marca) {
    // Name, latitude and longitude each count only when a comma follows them.
    if (cortada.size() < marca.Prefijo) return std::nullopt;
    const std::size_t p = Enesimo(cortada, ',', marca.Prefijo, 3);
    if (p == std::string_view::npos) return std::nullopt;
    return cortada.substr(0, p + 1);
}

TMotivo MotivoLineaLarga() {
    TMotivo m;
    m.Codigo = TCodigoMotivo::LineaLarga;
    m.Dato = TDato::Linea;
    m.N1 = static_cast<int64_t>(kLargoMaximoLinea);
    return m;
}
