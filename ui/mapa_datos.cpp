// Reading the outline resource of the "Mapa" tab: areas (P, R lines) and lines (L lines), coordinates
// in ten-thousandths of a degree, each point relative to the one before (see ui/mapa/preparar.py).
#include "mapa_datos.h"

#include <QFile>
#include <charconv>
#include <vector>
#include "mapa_puntos.h"

namespace {

// Whole numbers of one line, read with from_chars (no locale); false on anything else.
bool Enteros(const char *p, const char *fin, std::vector<long> &numeros) {
    numeros.clear();
    while (p < fin) {
        while (p < fin && *p == ' ') ++p;
        if (p == fin) break;
        long n = 0;
        const auto r = std::from_chars(p, fin, n);
        if (r.ec != std::errc()) return false;
        numeros.push_back(n);
        p = r.ptr;
    }
    return true;
}

// The n points of numbers[desde...] as a polygon of display metres.
QPolygonF Puntos(const std::vector<long> &numeros, std::size_t desde, long n) {
    QPolygonF poligono;
    poligono.reserve(static_cast<int>(n));
    long x = 0, y = 0;
    for (long k = 0; k < n; ++k) {
        x += numeros[desde + 2 * static_cast<std::size_t>(k)];
        y += numeros[desde + 2 * static_cast<std::size_t>(k) + 1];
        double E = 0, N = 0;
        ProyectarMapa(static_cast<double>(y) / 10000.0, static_cast<double>(x) / 10000.0, E, N);
        poligono.append(QPointF(E, N));
    }
    return poligono;
}

}  // namespace

TContornoMapa LeerContorno(const QByteArray &texto) {
    TContornoMapa c;
    c.Argentina.setFillRule(Qt::OddEvenFill);
    c.Vecinos.setFillRule(Qt::OddEvenFill);
    QPainterPath *area = nullptr;
    std::vector<long> numeros;
    int numeroLinea = 0;
    for (const QByteArray &linea : texto.split('\n')) {
        ++numeroLinea;
        if (linea.isEmpty() || linea.startsWith('#')) continue;
        const QList<QByteArray> campos = linea.split(' ');
        const auto fallo = [&] { c.Error = QStringLiteral("l\u00EDnea %1 ilegible").arg(numeroLinea); };
        if (campos[0] == "P" && campos.size() >= 2) {
            area = campos[1] == "VE" ? &c.Vecinos : &c.Argentina;
            continue;
        }
        const bool anillo = campos[0] == "R";
        const int saltar = anillo ? 1 : 2;  // "R n ..." or "L capa n ..."
        if ((!anillo && campos[0] != "L") || campos.size() < saltar + 1) {
            fallo();
            break;
        }
        const char *p = linea.constData() + 2;
        if (!anillo) p += campos[1].size() + 1;
        if (!Enteros(p, linea.constData() + linea.size(), numeros) || numeros.empty() ||
            numeros.size() != 1 + 2 * static_cast<std::size_t>(numeros[0])) {
            fallo();
            break;
        }
        const QPolygonF puntos = Puntos(numeros, 1, numeros[0]);
        if (anillo) {
            if (!area) {
                fallo();
                break;
            }
            area->addPolygon(puntos);
            area->closeSubpath();
            continue;
        }
        QPainterPath *destino = campos[1] == "CO"   ? &c.Costa
                                : campos[1] == "LI" ? &c.Limites
                                : campos[1] == "PR" ? &c.Provincias
                                                    : nullptr;
        if (!destino) {
            fallo();
            break;
        }
        destino->addPolygon(puntos);
    }
    c.Marco = c.Argentina.boundingRect().united(c.Vecinos.boundingRect());
    return c;
}

const TContornoMapa &ContornoMapa() {
    static const TContornoMapa contorno = [] {
        QFile archivo(QStringLiteral(":/mapa/argentina.mapa"));
        if (!archivo.open(QIODevice::ReadOnly)) {
            TContornoMapa c;
            c.Error = archivo.errorString();
            return c;
        }
        return LeerContorno(archivo.readAll());
    }();
    return contorno;
}
