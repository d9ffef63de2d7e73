// TBloque: a few thousand input lines travelling together from the reader through a worker to the
// writer, with their line numbers and, once converted, their results.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exportar.h"
#include "lectura.h"
#include "lote.h"

// A block holds at most this many lines; the reader also sends it on once its bytes reach its share.
inline constexpr std::size_t kLineasBloque = 4096;
// Lines named with their reason in the summary; the rest are only counted.
inline constexpr std::size_t kMotivosListados = kFallosListados;

struct TPuntoDibujo {
    std::string Etiqueta, N, E, H;  // result texts
};

// A point for another program's file, with the place of its line in the block: the writer numbers a
// waypoint that has no name by its record.
struct TPuntoBloque {
    std::size_t Linea = 0;
    TPuntoExportado Punto;
};

struct TBloque : TConteoLineas {
    int64_t Orden = 0;     // place in the reading order
    TOpcionesLectura Opc;  // a copy: the delimiter may be fixed only after the first lines
    std::string Datos;
    std::vector<std::size_t> Fines;
    std::vector<int64_t> Numeros;  // line number of each line in the file
    std::vector<bool> Largas;      // cut by the reader with a needed field past the cut
    // The UTF-8 text of the lines (by their place in the block) whose conversion to Windows-1252
    // changed characters: names are taken whole from it for the UTF-8 outputs.
    std::vector<std::pair<std::size_t, std::string>> Originales;
    // Results
    std::string Salida;
    std::vector<TFalloLinea> Fallos;
    int64_t NoListados = 0;
    int64_t NombresCambiados = 0;  // labels of the drawing that lost characters Windows-1252 lacks
    std::vector<TPuntoDibujo> Dibujo;
    std::vector<TPuntoBloque> Exportados;

    void Vaciar() {
        Datos.clear();
        Fines.clear();
        Numeros.clear();
        Largas.clear();
        Originales.clear();
        Salida.clear();
        Fallos.clear();
        Dibujo.clear();
        Exportados.clear();
        NoListados = NombresCambiados = 0;
        static_cast<TConteoLineas &>(*this) = TConteoLineas();
    }
    std::size_t Lineas() const { return Fines.size(); }
    std::string_view Linea(std::size_t i) const {
        const std::size_t ini = i == 0 ? 0 : Fines[i - 1];
        return std::string_view(Datos).substr(ini, Fines[i] - ini);
    }
    void Agregar(std::string_view linea, int64_t numero, bool larga) {
        Datos += linea;
        Fines.push_back(Datos.size());
        Numeros.push_back(numero);
        Largas.push_back(larga);
    }
};
