// ".DAT" output: numbered grid lines and the joining of the output segments.
#include "dat.h"

#include "lineas.h"
#include "segmentos.h"

std::string LineaDAT(int numero, std::string_view c5, std::string_view c6, std::string_view c7,
                     std::string_view c8) {
    std::string s = std::to_string(numero);
    s += ", ";
    s += c5;
    s += ", ";
    s += c6;
    if (!c7.empty()) {
        s += ", ";
        s += c7;
    }
    if (!c8.empty()) {
        s += ',';
        s += c8;
    }
    return s;
}

void UnirSegmentos(const std::string &base, const std::string &destino,
                   const std::function<void(int)> &progreso) {
    // The segments are read while the result is written: none of them may be the destination.
    std::vector<TIdArchivo> segmentos;
    for (int k = 0; k < kSegmentos; ++k) {
        TIdArchivo id;
        if (IdDeRuta(SegmentoSalida(base, k), id)) segmentos.push_back(id);
    }
    TArchivoSeguro salida(destino, segmentos);
    std::string linea;
    for (int k = 0; k < kSegmentos; ++k) {
        TLectorLineas segmento(SegmentoSalida(base, k), false);
        while (segmento.Leer(linea)) salida.Linea(linea);
        if (progreso && k < kSegmentos - 1) progreso((k + 1) * 10);
    }
    salida.Confirmar();
    if (progreso) progreso(100);
}
