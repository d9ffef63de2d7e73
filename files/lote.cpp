// Converting input lines into result lines: the one pass shared by the window's background
// workers and zuvelo-convert. A bad line gives the failed-result line and the pass goes on.
#include "lote.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "linea_larga.h"
#include "lineas.h"
#include "numeros.h"
#include "punto.h"

void ConfigurarCoordenadas(TCoordenadas &c, int marcoFuente, int marcoDestino, int tipoFuente,
                           int tipoDestino) {
    c.SetElipsoideFuente(marcoFuente == 0 ? ElipsoidePOSGAR : ElipsoideInchauspe);
    c.SetElipsoideDestino(marcoDestino == 0 ? ElipsoidePOSGAR : ElipsoideInchauspe);
    // Source items: GEO, GK, UTM, GPS (waypoints are geographic); destination items: GEO, GK, UTM.
    c.SetTipoFuente(tipoFuente == 1 ? tcGaussKruger : tipoFuente == 2 ? tcUTM : tcGeografica);
    c.SetTipoDestino(tipoDestino == 1 ? tcGaussKruger : tipoDestino == 2 ? tcUTM : tcGeografica);
}

namespace {

// Builds the result line into `s`, reusing its storage (one line per input line of a large file):
// composed aside, then stored in one go.
void ArmarLineaResultado(const TPuntoTexto &salida, char delimitador, std::string &s) {
    char linea[3 * (decltype(salida.Coord1)::kCapacidad + 1) + decltype(salida.Zona)::kCapacidad];
    char *p = linea;
    const auto agregar = [&p](std::string_view t) {
        std::memcpy(p, t.data(), t.size());
        p += t.size();
    };
    agregar(salida.Coord1.Vista());
    *p++ = delimitador;
    agregar(salida.Coord2.Vista());
    *p++ = delimitador;
    agregar(salida.Coord3.Vista());
    if (!salida.Zona.empty()) {
        *p++ = delimitador;
        agregar(salida.Zona.Vista());
    }
    s.assign(linea, static_cast<std::size_t>(p - linea));
}

}  // namespace

std::string LineaResultado(const TPuntoTexto &salida, char delimitador) {
    std::string s;
    ArmarLineaResultado(salida, delimitador, s);
    return s;
}

TResultadoLinea LineaDePunto(const TPuntoLeido &punto, char delimitador, TCoordenadas &c,
                             std::string &resultado, TMotivo *motivo) {
    return LineaDePunto(Vista(punto), delimitador, c, resultado, motivo);
}

TResultadoLinea LineaDePunto(const TPuntoVista &punto, char delimitador, TCoordenadas &c,
                             std::string &resultado, TMotivo *motivo) {
    TMotivo m;
    if (!ConvertirPunto(punto, c, m)) {
        resultado.assign(2, delimitador);
        if (motivo) *motivo = std::move(m);
        return rlFallido;
    }
    ArmarLineaResultado(c.Salida, delimitador, resultado);
    // No reason; a motivo that already says none is left as it is (no string to rebuild per line).
    if (motivo && !(motivo->Codigo == TCodigoMotivo::Ninguno && motivo->Dato == TDato::Ninguno &&
                    motivo->Valor.empty() && motivo->N1 == 0 && motivo->N2 == 0))
        *motivo = TMotivo();
    return rlConvertido;
}

TResultadoLinea ConvertirLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                               std::string &resultado, TMotivo *motivo) {
    TPuntoVista punto;
    thread_local TArmadosDMS armados;
    if (!LeerPuntoVista(linea, opc, punto, armados)) {
        resultado.clear();
        if (motivo) *motivo = MotivoSinPunto(linea, opc);
        return rlSinPunto;
    }
    return LineaDePunto(punto, opc.Delimitador, c, resultado, motivo);
}

bool EnBlanco(std::string_view linea) {
    return linea.find_first_not_of(" \t") == std::string_view::npos;
}

TResumenLote ConvertirSegmento(const std::string &entrada, const std::string &salida,
                               const TOpcionesLectura &opc, TCoordenadas &c,
                               const std::atomic<bool> &detener) {
    TResumenLote resumen;
    // Segments were written by this program in Windows-1252: no UTF-8 guessing on them.
    TLectorLineas lector(entrada, false);
    lector.LimitarLinea(kLargoMaximoLinea);
    TArchivoSeguro escritor(salida, {lector.Id()});
    std::string linea, resultado;
    TMotivo motivo;
    int64_t numero = 0;
    while (lector.Leer(linea)) {
        ++numero;
        if (detener.load(std::memory_order_relaxed)) {
            // An unfinished segment must not be joined into a result later: remove any old one.
            resumen.Detenido = true;
            std::remove(salida.c_str());
            return resumen;
        }
        std::string_view leida = linea;
        TResultadoLinea r;
        if (lector.Cortada() && !CamposCompletos(linea, opc)) {
            // A needed field runs past the kept bytes: never a cut value.
            r = rlFallido;
            resultado.assign(2, opc.Delimitador);
            motivo = MotivoLineaLarga();
        } else {
            if (lector.Cortada()) leida = *CamposCompletos(linea, opc);
            r = ConvertirLinea(leida, opc, c, resultado, &motivo);
        }
        if (r == rlConvertido) {
            ++resumen.Convertidos;
        } else {
            if (r == rlFallido)
                ++resumen.Fallidos;
            else
                ++resumen.SinPunto;
            if (r == rlSinPunto && EnBlanco(linea))
                ++resumen.Vacias;
            else if (resumen.Fallos.size() < kFallosListados)
                resumen.Fallos.push_back({numero, motivo});
        }
        if (r != rlSinPunto) escritor.Linea(resultado);
    }
    escritor.Confirmar();
    return resumen;
}
