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

void ConfigurarCoordenadas(TCoordenadas &c, int marcoFuente, int marcoDestino, TTipoArchivo tipoFuente,
                           TTipoArchivo tipoDestino) {
    ConfigurarCoordenadas(c, MarcoDeIndice(marcoFuente), MarcoDeIndice(marcoDestino), tipoFuente,
                          tipoDestino);
}

void ConfigurarCoordenadas(TCoordenadas &c, TMarco marcoFuente, TMarco marcoDestino, TTipoArchivo tipoFuente,
                           TTipoArchivo tipoDestino) {
    c.SetElipsoideFuente(ElipsoideDe(marcoFuente));
    c.SetElipsoideDestino(ElipsoideDe(marcoDestino));
    c.SetTipoFuente(TipoCoordenada(tipoFuente));
    c.SetTipoDestino(TipoCoordenada(tipoDestino));
}

namespace {

// A result line with its CR LF: the three texts and the zone joined by the delimiter.
constexpr std::size_t kLargoResultado =
    3 * (decltype(TPuntoTexto::Coord1)::kCapacidad + 1) + decltype(TPuntoTexto::Zona)::kCapacidad + 2;

// Composes the result line at `linea` (kLargoResultado bytes of room), without its line end; returns
// its length.
std::size_t ComponerResultado(const TPuntoTexto &salida, char delimitador, char *linea) {
    char *p = linea;
    p += salida.Coord1.Copiar(p);
    *p++ = delimitador;
    p += salida.Coord2.Copiar(p);
    *p++ = delimitador;
    p += salida.Coord3.Copiar(p);
    if (!salida.Zona.empty()) {
        *p++ = delimitador;
        p += salida.Zona.Copiar(p);
    }
    return static_cast<std::size_t>(p - linea);
}

// Builds the result line into `s`, reusing its storage (one line per input line of a large file):
// composed aside, then stored in one go.
void ArmarLineaResultado(const TPuntoTexto &salida, char delimitador, std::string &s) {
    char linea[kLargoResultado];
    s.assign(linea, ComponerResultado(salida, delimitador, linea));
}

// The point rule on one point: rlConvertido with the result in c.Salida, or rlFallido with the reason.
TResultadoLinea Convertido(const TPuntoVista &punto, TCoordenadas &c, TMotivo *motivo) {
    TMotivo m;
    if (!ConvertirPunto(punto, c, m)) {
        if (motivo) *motivo = std::move(m);
        return rlFallido;
    }
    // No reason; a motivo that already says none is left as it is (no string to rebuild per line).
    if (motivo && !(motivo->Codigo == TCodigoMotivo::Ninguno && motivo->Dato == TDato::Ninguno &&
                    motivo->Valor.empty() && motivo->N1 == 0 && motivo->N2 == 0))
        *motivo = TMotivo();
    return rlConvertido;
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
    const TResultadoLinea r = Convertido(punto, c, motivo);
    if (r == rlFallido)
        resultado.assign(2, delimitador);
    else
        ArmarLineaResultado(c.Salida, delimitador, resultado);
    return r;
}

namespace {
// The point of a data line, its texts as views into the line (or into this thread's undoubled quoted
// fields); false, with why, for a line that holds no point.
bool PuntoDeLinea(std::string_view linea, const TOpcionesLectura &opc, TPuntoVista &punto, TMotivo *motivo) {
    thread_local std::string aparte;
    if (LeerPuntoVista(linea, opc, punto, aparte)) return true;
    if (motivo) *motivo = MotivoSinPunto(linea, opc);
    return false;
}
}  // namespace

TResultadoLinea ConvertirLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                               std::string &resultado, TMotivo *motivo) {
    TPuntoVista punto;
    if (!PuntoDeLinea(linea, opc, punto, motivo)) {
        resultado.clear();
        return rlSinPunto;
    }
    return LineaDePunto(punto, opc.Delimitador, c, resultado, motivo);
}

TResultadoLinea AgregarLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                             std::string &salida, TMotivo *motivo) {
    TPuntoVista punto;
    if (!PuntoDeLinea(linea, opc, punto, motivo)) return rlSinPunto;
    const TResultadoLinea r = Convertido(punto, c, motivo);
    char l[kLargoResultado];
    std::size_t n = 2;
    if (r == rlFallido)
        l[0] = l[1] = opc.Delimitador;
    else
        n = ComponerResultado(c.Salida, opc.Delimitador, l);
    l[n++] = '\r';
    l[n++] = '\n';
    salida.append(l, n);
    return r;
}

bool TConteoLineas::Contar(TResultadoLinea r, std::string_view linea, char delimitador) {
    switch (r) {
        case rlConvertido:
            ++Convertidos;
            return false;
        case rlFallido:
            ++Fallidos;
            return true;
        case rlSinPunto:
            break;
    }
    ++SinPunto;
    if (!LineaEnBlanco(linea, delimitador)) return true;
    ++Vacias;
    return false;
}

TConteoLineas &TConteoLineas::operator+=(const TConteoLineas &o) {
    Convertidos += o.Convertidos;
    Fallidos += o.Fallidos;
    SinPunto += o.SinPunto;
    Vacias += o.Vacias;
    return *this;
}

TResumenLote ConvertirSegmento(const std::string &entrada, const std::string &salida,
                               const TOpcionesLectura &opc, TCoordenadas &c,
                               const std::atomic<bool> &detener) {
    TResumenLote resumen;
    // Segments were written by this program in Windows-1252: no UTF-8 guessing on them.
    TLectorLineas lector(entrada, false);
    lector.LimitarLinea(kLargoMaximoLinea);
    TArchivoSeguro escritor(salida, {lector.Id()});
    std::string_view linea;
    std::string escrito;  // result lines not yet written, a few thousand at a time
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
            escrito.append(2, opc.Delimitador);
            escrito += "\r\n";
            motivo = MotivoLineaLarga();
        } else {
            if (lector.Cortada()) leida = *CamposCompletos(linea, opc);
            r = AgregarLinea(leida, opc, c, escrito, &motivo);
        }
        if (resumen.Contar(r, linea, opc.Delimitador) && resumen.Fallos.size() < kFallosListados)
            resumen.Fallos.push_back({numero, motivo});
        if (escrito.size() >= (1u << 16)) {
            escritor.Escribir(escrito);
            escrito.clear();
        }
    }
    escritor.Escribir(escrito);
    escritor.Confirmar();
    return resumen;
}
