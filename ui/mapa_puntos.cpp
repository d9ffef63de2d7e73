// The display projection of the "Mapa" tab and the place of a point read by the point rule.
#include "mapa_puntos.h"

#include <cmath>
#include "constantes.h"
#include "elipsoide.h"
#include "linea_larga.h"
#include "lineas.h"
#include "lote.h"
#include "proyeccion.h"
#include "punto.h"

void ProyectarMapa(double latitud, double longitud, double &E, double &N) {
    TPuntoGeodesico p;
    p.A = ElipsoidePOSGAR.A;
    p.F = ElipsoidePOSGAR.F;
    p.Latitud = latitud * kRadPorGrado;
    p.Longitud = longitud * kRadPorGrado;
    const TPuntoPlano q = SerieTM(p, 1.0L, kMeridianoMapa * kRadPorGrado, 0.0L, 0.0L);
    E = static_cast<double>(q.Y);
    N = static_cast<double>(q.X);
}

double EscalaMapa(double E) {
    // Transverse Mercator point scale to second order in E / R (Snyder eq. 8-11 with R the mean radius).
    const double R = 6371000.0;
    const double u = E / R;
    return 1.0 + u * u / 2.0;
}

TUbicador::TUbicador(TTipoArchivo tipoFuente, TMarco marcoFuente) {
    ConfigurarCoordenadas(c_, marcoFuente, marcoFuente, tipoFuente, TTipoArchivo::Geografico);
}

bool TUbicador::Ubicar(const TPuntoVista &p, double &latitud, double &longitud, TMotivo &motivo) {
    TValoresEntrada v;
    if (!PrepararEntrada(p, c_, v, motivo)) return false;
    if (c_.TipoFuente == tcGeografica) {
        latitud = static_cast<double>(v.Coord1 * kGradoPorRad);
        longitud = static_cast<double>(v.Coord2 * kGradoPorRad);
    } else {
        TPuntoPlano q;
        q.X = v.Coord1;
        q.Y = v.Coord2;
        q.Zona = static_cast<uint8_t>(v.Zona > 0 && v.Zona < 256 ? v.Zona : 0);
        q.Hemisferio = 'S';
        const TPuntoGeodesico g = InversaTM(q, c_.TipoFuente, c_.ElipsoideFuente.A, c_.ElipsoideFuente.F);
        latitud = static_cast<double>(g.Latitud * kGradoPorRad);
        longitud = static_cast<double>(g.Longitud * kGradoPorRad);
    }
    // Farther than kAnchoMapa from the display's meridian the series no longer draw a true place.
    if (!(std::isfinite(latitud) && std::isfinite(longitud) && std::fabs(latitud) <= 90 &&
          std::fabs(longitud - kMeridianoMapa) <= kAnchoMapa)) {
        motivo = MotivoConversion(c_);
        if (!motivo.Hay()) motivo.Codigo = TCodigoMotivo::SinResultado;
        return false;
    }
    return true;
}

bool TUbicador::Ubicar(const TPuntoLeido &p, double &latitud, double &longitud, TMotivo &motivo) {
    return Ubicar(Vista(p), latitud, longitud, motivo);
}

void PuntosDelSegmento(const std::string &ruta, const TOpcionesLectura &opc, TCoordenadas &c,
                       std::vector<TPuntoMapa> &puntos, int64_t &sinLugar) {
    TUbicador ubicador(opc.Fuente, static_cast<TMarco>(c.ElipsoideFuente.Codigo));  // Codigo is the frame
    TLectorLineas lector(ruta);
    lector.LimitarLinea(kLargoMaximoLinea);
    std::string_view linea;
    TPuntoVista p;
    std::string aparte;  // quoted fields whose quotes were undoubled
    TMotivo motivo;
    double lat = 0, lon = 0;
    int64_t numero = 0;
    while (lector.Leer(linea)) {
        ++numero;
        if (!LeerPuntoVista(linea, opc, p, aparte) || !ubicador.Ubicar(p, lat, lon, motivo)) {
            if (!LineaEnBlanco(linea, opc.Delimitador)) ++sinLugar;
            continue;
        }
        TPuntoMapa m;
        ProyectarMapa(lat, lon, m.E, m.N);
        m.Estado = ConvertirPunto(p, c, motivo) ? emConvertido : emFallido;
        m.Linea = numero;
        puntos.push_back(m);
    }
}
