// Delimiter detection and field counting of the read options dialog.
#include "opciones_lectura.h"

#include "lectura.h"

namespace {

// Fields of the line split by d, or 0 when a field opens a quote it does not close.
int CamposBienFormados(std::string_view linea, char d) {
    std::string aparte;
    aparte.reserve(linea.size());
    int n = 0;
    for (std::size_t ini = 0;;) {
        std::string_view v;
        bool bien = true;
        const std::size_t fin = LeerCampo(linea, ini, d, v, aparte, &bien);
        if (!bien) return 0;
        ++n;
        if (fin >= linea.size()) return n;
        ini = fin + 1;
    }
}

}  // namespace

int DetectarDelimitador(std::string_view linea, bool comaDecimal) {
    if (linea.empty()) return -1;
    const auto candidato = [&](int i) {
        return !(comaDecimal && CaracteresDelimitador[i] == ',') &&
               linea.find(CaracteresDelimitador[i]) != std::string_view::npos;
    };
    // Fixed order: "P, 1";-34.6 is split by ';' (the comma lies inside a quoted field).
    for (int i = 0; i < 4; ++i)
        if (candidato(i) && CamposBienFormados(linea, CaracteresDelimitador[i]) > 1) return i;
    for (int i = 0; i < 4; ++i)
        if (candidato(i)) return i;
    return -1;
}

int ContarCampos(std::string_view linea, bool comaDecimal) {
    if (linea.empty()) return 0;
    const int item = DetectarDelimitador(linea, comaDecimal);
    if (item < 0) return -1;
    std::vector<std::string_view> campos;
    std::string aparte;
    DividirCampos(linea, CaracteresDelimitador[item], campos, aparte);
    return static_cast<int>(campos.size());
}
