// libFuzzer target of line reading: one input line split by the one field splitter (quoted fields
// included), its point record, its grid cells and its result line, under read options taken from
// the first byte. Stops on a broken promise: a line gives a point exactly when no reason says why not.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lectura.h"
#include "linea_larga.h"
#include "lote.h"
#include "opciones_lectura.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t n) {
    if (n < 2) return 0;
    const uint8_t a = datos[0], b = datos[1];
    const std::string_view linea(reinterpret_cast<const char *>(datos + 2), n - 2);
    TOpcionesLectura opc;
    opc.Delimitador = CaracteresDelimitador[a & 3];
    opc.Fuente = static_cast<TTipoArchivo>((a >> 2) % 4);
    opc.ModoDecimal = TipoCoordenada(opc.Fuente) == tcGeografica ? (a >> 4) & 1 : 1;
    opc.ColLatX = static_cast<uint8_t>(1 + (b & 3));
    opc.ColLonY = static_cast<uint8_t>(1 + ((b >> 2) & 3));
    opc.ColAltura = static_cast<uint8_t>((b >> 4) & 3);
    opc.ColZona = static_cast<uint8_t>((b >> 6) & 3);
    opc.ColNombre = static_cast<uint8_t>((a >> 5) & 3);

    std::vector<std::string_view> campos;
    std::string aparte;
    DividirCampos(linea, opc.Delimitador, campos, aparte);
    DetectarDelimitador(linea);
    ContarCampos(linea);
    CamposCompletos(linea, opc);
    NombrePunto(linea, opc, aparte);

    TPuntoVista punto;
    const bool hay = LeerPuntoVista(linea, opc, punto, aparte);
    if (hay == MotivoSinPunto(linea, opc).Hay()) std::abort();
    std::array<std::string, 9> celdas;
    CeldasLinea(linea, 1, opc, celdas);

    TCoordenadas c;
    ConfigurarCoordenadas(c, a >> 7, b >> 7, opc.Fuente, static_cast<TTipoArchivo>((a >> 6) % 3));
    std::string resultado;
    TMotivo motivo;
    ConvertirLinea(linea, opc, c, resultado, &motivo);
    return 0;
}
