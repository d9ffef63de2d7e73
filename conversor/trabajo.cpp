// ConvertirBloque: the lines of one block, each a point converted, a failure or a line without one.
#include "trabajo.h"

#include <cmath>
#include <vector>

#include "cp1252.h"
#include "linea_larga.h"
#include "lote.h"

namespace {

// Whether the line gives a height of its own (a waypoint never does): the default one stays in the .DAT.
bool ConAltura(std::string_view linea, const TOpcionesLectura &opc) {
    if (opc.Fuente == TTipoArchivo::GPS || opc.ColAltura == 0) return false;
    thread_local std::vector<std::string_view> campos;
    thread_local std::string aparte;
    DividirCampos(linea, opc.Delimitador, campos, aparte, opc.ColAltura);
    return campos.size() >= opc.ColAltura && !campos[opc.ColAltura - 1u].empty();
}

// The point of another program's file: the results as the result line holds them and, for the map
// formats, its place. A place that cannot be worked out is NaN, which the map writers refuse: never
// a point put somewhere else. A failed point carries its reason.
void AgregarExportado(TBloque &b, std::size_t i, std::string nombre, TResultadoLinea r, const TContexto &ctx,
                      const TCoordenadas &c, const TMotivo &motivo) {
    TPuntoBloque &e = b.Exportados.emplace_back();
    e.Linea = i;
    TPuntoExportado &p = e.Punto;
    p.Nombre = std::move(nombre);
    p.Convertido = r == rlConvertido;
    if (!p.Convertido) {
        p.Motivo = TextoMotivo(motivo, ctx.Idioma);
        return;
    }
    p.ConAltura = ConAltura(b.Linea(i), b.Opc);
    p.Coord1 = c.Salida.Coord1.str();
    p.Coord2 = c.Salida.Coord2.str();
    p.Coord3 = c.Salida.Coord3.str();
    p.Zona = c.Salida.Zona.str();
    if (!ctx.Ubicar) return;
    // A conversion object of this thread's own: the worker's keeps the run's settings.
    thread_local TCoordenadas ubicador;
    if (!UbicarEnPosgar(p, ctx.TipoDestino, *ctx.MarcoDestino, ubicador))
        p.Latitud = p.Longitud = std::nanl("");
}

}  // namespace

void ConvertirBloque(TBloque &b, const TContexto &ctx, TCoordenadas &c) {
    std::string resultado;
    std::string aparte;  // a name whose quotes were undoubled
    TMotivo motivo;
    const auto anotar = [&](int64_t numero) {
        if (b.Fallos.size() < kMotivosListados)
            b.Fallos.push_back({numero, motivo});
        else
            ++b.NoListados;
    };
    std::size_t original = 0;  // the first of b.Originales not behind line i
    for (std::size_t i = 0; i < b.Lineas(); ++i) {
        const std::string_view linea = b.Linea(i);
        const int64_t numero = b.Numeros[i];
        TResultadoLinea r;
        std::string etiqueta;
        bool escrita = false;  // the result line is in b.Salida already
        if (b.Largas[i]) {
            r = rlFallido;
            resultado.assign(2, b.Opc.Delimitador);
            motivo = MotivoLineaLarga();
        } else if (!ctx.Dibujo && !ctx.Puntos && !ctx.Utf8) {
            // The usual line: its result line goes straight to the block's output.
            r = AgregarLinea(linea, b.Opc, c, b.Salida, &motivo);
            escrita = true;
        } else {
            r = ConvertirLinea(linea, b.Opc, c, resultado, &motivo);
        }
        if (b.Contar(r, linea, b.Opc.Delimitador)) anotar(numero);
        if (r == rlSinPunto) continue;
        if (ctx.Dibujo || ctx.Puntos) {
            // A line cut with a needed field past the cut is empty here: it has its number only. An
            // unnamed waypoint is numbered by its record when written.
            etiqueta = NombrePunto(b.Largas[i] ? std::string_view() : linea, b.Opc, aparte);
            if (etiqueta.empty() && b.Opc.Fuente != TTipoArchivo::GPS)
                etiqueta = std::to_string(numero - ctx.LineaInicio + 1);
        }
        // A name with characters Windows-1252 lacks: whole in the UTF-8 files, counted in a drawing.
        std::string nombreUtf8;
        while (original < b.Originales.size() && b.Originales[original].first < i) ++original;
        if ((ctx.Dibujo || ctx.Puntos) && original < b.Originales.size() &&
            b.Originales[original].first == i && !b.Largas[i]) {
            const std::string &texto = b.Originales[original].second;
            const std::string nombre(NombrePunto(texto, b.Opc, aparte));
            std::size_t cambiados = 0;
            Utf8ACp1252(nombre, cambiados);
            if (cambiados > 0 && PareceUtf8(nombre)) {
                nombreUtf8 = nombre;
                if (ctx.Dibujo && r == rlConvertido) ++b.NombresCambiados;
            }
        }
        if (ctx.Puntos) {
            AgregarExportado(b, i, std::move(etiqueta), r, ctx, c, motivo);
            b.Exportados.back().Punto.NombreUtf8 = std::move(nombreUtf8);
        } else if (ctx.Dibujo) {
            // The drawing takes converted points only.
            if (r == rlConvertido)
                b.Dibujo.push_back({std::move(etiqueta), c.Salida.Coord1.str(), c.Salida.Coord2.str(),
                                    c.Salida.Coord3.str()});
        } else if (!escrita) {
            if (ctx.Utf8)
                b.Salida += Cp1252AUtf8(resultado);
            else
                b.Salida += resultado;
            b.Salida += "\r\n";
        }
    }
}
