// The fields of a line cut at the reader's limit that may still be read.
#include "linea_larga.h"

#include <algorithm>

namespace {

// The position of the delimiter that closes field n (from 1) of s, read from `desde` as every field
// is read (quoted fields hold delimiters); npos when s ends before.
std::size_t FinDeCampo(std::string_view s, char d, std::size_t desde, int n) {
    std::string aparte;
    aparte.reserve(s.size());
    std::size_t ini = desde;
    for (int i = 1;; ++i) {
        std::string_view v;
        const std::size_t fin = LeerCampo(s, ini, d, v, aparte);
        if (fin >= s.size()) return std::string_view::npos;
        if (i == n) return fin;
        ini = fin + 1;
    }
}

}  // namespace

std::optional<std::string_view> CamposCompletos(std::string_view cortada, const TOpcionesLectura &opc) {
    if (opc.Fuente == TTipoArchivo::GPS) return CamposCompletosGPS(cortada, opc.Marca);
    if (opc.ColLatX == 0 || opc.ColLonY == 0) return cortada;
    const int ultimo = std::max({opc.ColLatX, opc.ColLonY, opc.ColAltura, opc.ColZona});
    // Field n is closed by its delimiter; the fields after it are never read.
    const std::size_t p = FinDeCampo(cortada, opc.Delimitador, 0, ultimo);
    if (p == std::string_view::npos) return std::nullopt;
    return cortada.substr(0, p);
}

std::optional<std::string_view> CamposCompletosGPS(std::string_view cortada, const TMarcaGPS &marca) {
    // Name, latitude and longitude each count only when a comma follows them.
    if (cortada.size() < marca.Prefijo) return std::nullopt;
    const std::size_t p = FinDeCampo(cortada, ',', marca.Prefijo, 3);
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
