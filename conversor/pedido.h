// TPedido: what one run of zuvelo-convert converts and how: the files, the kinds and frames, the
// read options, the threads and the output's encoding.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "elipsoide.h"
#include "exportar.h"
#include "lectura.h"
#include "motivo.h"

struct TPedido {
    // How the input is read (Fuente GPS: waypoint records from the marker line on). By default the
    // delimiter is found on the start line and the values are in fields 1 and 2.
    static TOpcionesLectura LecturaPorOmision() {
        TOpcionesLectura o;
        o.Delimitador = '\0';
        o.ColLatX = 1;
        o.ColLonY = 2;
        return o;
    }
    TOpcionesLectura Lectura = LecturaPorOmision();
    TTipoArchivo Destino = TTipoArchivo::Geografico;
    TMarco MarcoFuente = TMarco::Posgar94;
    TMarco MarcoDestino = TMarco::Posgar94;
    int Hilos = 0;  // 0 = one per core
    bool Silencioso = false;
    bool Utf8 = false;                 // write result lines in UTF-8 instead of Windows-1252
    TIdioma Idioma = TIdioma::Ingles;  // of the reasons an .xlsx gives for failed points
    std::string Entrada, Salida;       // Entrada "-": standard input; Salida empty or "-": standard output
    // Called after each block is written, by the worker that wrote it (one at a time, in order), with
    // the input bytes read so far and the input's size (0 when unknown). An exception it throws ends the run
    // as an error does: a caller's way to stop it.
    std::function<void(int64_t leidos, int64_t tamano)> Avance;

    // The type chosen in the window's save dialog, whatever the name's ending ("obra.csv.txt").
    std::optional<TFormatoSalida> Formato;

    bool SalidaEstandar() const { return Salida.empty() || Salida == "-"; }
    bool SalidaDXF() const;  // Formato, else OUTPUT ends in ".dxf", any case
    // Formato, else what OUTPUT's extension asks for (result lines for standard output and any other
    // name).
    TFormatoSalida FormatoSalida() const;
    // A file of points for another program: CSV, GeoJSON, KML or GPX.
    bool SalidaPuntos() const;
};
