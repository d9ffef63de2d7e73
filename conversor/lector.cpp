// TLectorEntrada: the input of zuvelo-convert, line by line into blocks.
#include "lector.h"

#include <optional>
#include <stdexcept>
#include <sys/stat.h>

#include "linea_larga.h"
#include "opciones_lectura.h"

namespace {

std::string Ruta(const TPedido &p) {
    return p.Entrada == "-" ? "/dev/stdin" : p.Entrada;
}

}  // namespace

TLectorEntrada::TLectorEntrada(const TPedido &p)
    : entrada_(p.Entrada),
      lector_(Ruta(p)),
      gps_(p.Lectura.Fuente == TTipoArchivo::GPS),
      opc_(p.Lectura),
      delimitadorFijo_(p.Lectura.Delimitador != '\0'),
      lineaInicio_(p.Lectura.LineaInicio) {
    lector_.LimitarLinea(kLargoMaximoLinea);
    struct stat st;
    if (stat(Ruta(p).c_str(), &st) == 0 && S_ISREG(st.st_mode)) tamano_ = st.st_size;
}

void TLectorEntrada::Preambulo() {
    // The start line's predecessors, or everything before the first waypoint record, the line that
    // holds the marker.
    if (gps_) {
        while ((hayLinea_ = lector_.Leer(linea_))) {
            ++numero_;
            TMarcaGPS marca;
            if (BuscarMarcaGPS(linea_, marca)) {
                opc_ = OpcionesGPS(marca, numero_);
                break;
            }
        }
        if (!hayLinea_)
            throw std::runtime_error("'" + entrada_ +
                                     "': no waypoint marker line (one holding ',D' or ',dms')");
    } else {
        while (numero_ + 1 < lineaInicio_ && lector_.Leer(linea_)) ++numero_;
        hayLinea_ = lector_.Leer(linea_);
        if (hayLinea_) ++numero_;
    }
}

bool TLectorEntrada::Llenar(TBloque &b, std::size_t bytesBloque) {
    std::lock_guard<std::mutex> l(m_);
    while (hayLinea_) {
        bool larga = false;
        if (!gps_ && !delimitadorFijo_ && !linea_.empty()) {
            // As the read options dialog does: the first of tab, comma, semicolon, space in the
            // start line (or, when that is empty, the first line after it that is not).
            const int item = DetectarDelimitador(linea_, opc_.ComaDecimal == 1);
            if (item < 0)
                throw std::runtime_error("'" + entrada_ + "' line " + std::to_string(numero_) +
                                         ": no tab, comma, semicolon or space separates its fields; "
                                         "give --delimiter");
            opc_.Delimitador = CaracteresDelimitador[item];
            delimitadorFijo_ = true;
        }
        if (lector_.Cortada()) {
            // Only the fields a point needs are kept; when one of them runs past the cut the line
            // fails rather than read a cut value.
            const std::optional<std::string_view> campos = CamposCompletos(linea_, opc_);
            larga = !campos;
            linea_ = linea_.substr(0, campos ? campos->size() : 0);
        }
        // Empty lines between waypoints are no records.
        if (!(gps_ && linea_.empty() && !larga)) {
            b.Agregar(linea_, numero_, larga);
            if (!lector_.Original().empty()) b.Originales.emplace_back(b.Lineas() - 1, lector_.Original());
        }
        hayLinea_ = lector_.Leer(linea_);
        if (hayLinea_) ++numero_;
        if (b.Lineas() >= kLineasBloque || b.Datos.size() >= bytesBloque) break;
    }
    posicion_.store(lector_.Posicion(), std::memory_order_relaxed);
    if (b.Lineas() == 0) return false;  // only empty lines between waypoints were left
    b.Opc = opc_;
    b.Orden = orden_++;
    return true;
}
