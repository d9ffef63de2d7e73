// libFuzzer target of the point rule: the texts of one point (latitude or X, longitude or Y, height,
// zone, separated by newlines) converted from every source kind to every destination kind, and the
// angle and zone readers on their own. Besides memory and undefined-behaviour errors it stops on a
// broken promise: a DMS text in the program's layout reads back as itself, and a converted point's
// results read back through the same rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "punto.h"

namespace {

void Exigir(bool condicion) {
    if (!condicion) std::abort();
}

TTipoCoordenada Tipo(int i) {
    return i == 0 ? tcGeografica : i == 1 ? tcGaussKruger : tcUTM;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t n) {
    if (n == 0) return 0;
    const uint8_t opciones = datos[0];
    std::string_view resto(reinterpret_cast<const char *>(datos + 1), n - 1);
    std::string_view textos[4];
    for (auto &t : textos) {
        const std::size_t p = resto.find('\n');
        t = resto.substr(0, p);
        resto = p == std::string_view::npos ? std::string_view() : resto.substr(p + 1);
    }

    for (TTipoAngulo tipo : {taLatitud, taLongitud}) {
        std::string normal, otra;
        TMotivo m;
        if (NormalizarDMS(textos[0], tipo, normal, m)) {
            Exigir(NormalizarDMS(normal, tipo, otra, m));
            Exigir(otra == normal);
        }
        AnguloComoDMS(textos[0], tipo, normal, m);
    }
    int zona = 0;
    TMotivo m;
    if (LeerZona(textos[3], zona, m)) Exigir(zona >= 1 && zona <= 60);

    TPuntoVista p;
    p.Coord1 = textos[0];
    p.Coord2 = textos[1];
    p.Coord3 = textos[2];
    p.Zona = textos[3];
    p.EnDecimal = opciones & 1;
    const int fuente = (opciones >> 1) % 3, destino = (opciones >> 3) % 3;
    TCoordenadas c;
    c.SetTipoFuente(Tipo(fuente));
    c.SetTipoDestino(Tipo(destino));
    c.SetElipsoideFuente((opciones & 32) ? ElipsoideInchauspe : ElipsoidePOSGAR);
    c.SetElipsoideDestino((opciones & 64) ? ElipsoideInchauspe : ElipsoidePOSGAR);
    if (!ConvertirPunto(p, c, m)) return 0;
    // What the program writes, it reads back.
    TPuntoLeido r;
    r.Coord1 = c.Salida.Coord1.str();
    r.Coord2 = c.Salida.Coord2.str();
    r.Coord3 = c.Salida.Coord3.str();
    r.Zona = c.Salida.Zona.str();
    r.EnDecimal = c.Salida.EnDecimal;
    TCoordenadas d;
    d.SetTipoFuente(Tipo(destino));
    d.SetTipoDestino(Tipo(destino));
    TMotivo porque;
    Exigir(PrepararEntrada(r, d, porque));
    return 0;
}
