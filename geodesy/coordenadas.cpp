// TCoordenadas: reads the input texts, moves the point between frames when their codes differ,
// projects or unprojects it, and writes the output texts. Each call works on state of its own.
#include "coordenadas.h"

#include <charconv>
#include <cmath>
#include "angulo.h"
#include "constantes.h"
#include "numeros.h"

namespace {

// Geographic input on the source ellipsoid; false for a latitude beyond the poles. A degree or
// minute field that is not a whole number throws EEnteroInvalido.
bool LeerGeografica(const TPuntoTexto &e, const TElipsoide &fuente, TPuntoGeodesico &g) {
    // Angle state private to this call: never the shared ModoWGS.
    TModoWGS lat, lon;
    lat.AsignarValor(e.Coord1.str(), 1, e.EnDecimal);
    lon.AsignarValor(e.Coord2.str(), 2, e.EnDecimal);
    g.A = fuente.A;
    g.F = fuente.F;
    g.Latitud = lat.GetRadianes();
    g.Longitud = lon.GetRadianes();
    g.Altura = LeerNumero(e.Coord3.str());
    if (g.Altura == 0) g.Altura = 1.5L;
    // In degrees, so that 90 deg itself (whose radians may round a hair above pi/2) is accepted.
    const long double gradosLat = std::fabs(g.Latitud * kGradoPorRad);
    return !(gradosLat > 90);
}

// Far outside the strips and zones the series diverge: an easting or northing there can unproject
// to nan or to a latitude past the pole, and a longitude of absurd size projects to inf. Such a
// point is refused like a latitude beyond 90 deg, never written as "nan" text. The pole itself,
// given as a printed northing (to 0.1 mm), may come back a hair past 90 deg: 1e-8 deg (about 1 mm)
// is allowed for that.
bool Valido(const TPuntoGeodesico &g) {
    return std::isfinite(g.Latitud) && std::isfinite(g.Longitud) && std::isfinite(g.Altura) &&
           !(std::fabs(g.Latitud * kGradoPorRad) > 90 + 1e-8L);
}

bool Valido(const TPuntoPlano &p) {
    return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Altura);
}

// Plane input unprojected onto the source ellipsoid; false for a UTM zone outside 1 to 60. A UTM
// zone text that is not a whole number throws EEnteroInvalido.
bool LeerPlana(const TPuntoTexto &e, TTipoCoordenada tipo, const TElipsoide &fuente, TPuntoGeodesico &g) {
    TPuntoPlano p;
    p.X = LeerNumero(e.Coord1.str());
    p.Y = LeerNumero(e.Coord2.str());
    p.Altura = LeerNumero(e.Coord3.str());
    if (p.Altura == 0) p.Altura = 1.5L;
    if (tipo == tcUTM) {
        // Checked before it is narrowed to a byte, so that 277 is not taken for zone 21.
        const int32_t zona = LeerEntero(e.Zona.str());
        if (zona < 1 || zona > 60) return false;
        p.Zona = static_cast<uint8_t>(zona);
    }
    g = InversaTM(p, tipo, fuente.A, fuente.F);
    return Valido(g);
}

// The datum shift through earth-centred coordinates, when the two frames differ.
TPuntoGeodesico AlDestino(const TPuntoGeodesico &g, const TElipsoide &fuente, const TElipsoide &destino) {
    if (fuente.Codigo == destino.Codigo) return g;
    return AGeodesica(TrasladarDatum(AGeocentrica(g), fuente.Codigo), destino);
}

void EscribirGeografica(const TPuntoGeodesico &g, TPuntoTexto &s) {
    TEspacioTexto e;
    s.Coord1.Asignar(EscribirDMS(e, 1, g.Latitud));
    s.Coord2.Asignar(EscribirDMS(e, 2, g.Longitud));
    s.Coord3.Asignar(EscribirNumero(e, g.Altura));
    s.EnDecimal = 0;
    s.Zona.clear();
    s.ZonaHemisferio.clear();
}

void EscribirPlana(const TPuntoPlano &p, TTipoCoordenada tipo, TPuntoTexto &s) {
    TEspacioTexto e;
    s.Coord1.Asignar(EscribirNumero(e, p.X));
    s.Coord2.Asignar(EscribirNumero(e, p.Y));
    s.Coord3.Asignar(EscribirNumero(e, p.Altura));
    char buf[8];
    if (tipo == tcUTM) {
        auto r = std::to_chars(buf, buf + 4, static_cast<int>(p.Zona));
        *r.ptr++ = ' ';
        *r.ptr++ = p.Hemisferio;
        const std::size_t largo = static_cast<std::size_t>(r.ptr - buf);
        s.Zona.Asignar(std::string_view(buf, largo - 2));
        s.ZonaHemisferio.Asignar(std::string_view(buf, largo));
    } else {
        auto r = std::to_chars(buf, buf + 4, static_cast<int>(p.Faja));
        s.Zona.Asignar(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
        s.ZonaHemisferio.clear();
    }
}

}  // namespace

bool TCoordenadas::Convertir() {
    if (TipoFuente == tcGeografica) return TipoDestino == tcGeografica ? GeoAGeo() : GeoAPlana();
    if (TipoDestino == tcGeografica) return PlanaAGeo();
    return PlanaAPlana();
}

bool TCoordenadas::GeoAGeo() {
    TPuntoGeodesico g;
    if (!LeerGeografica(Entrada, ElipsoideFuente, g)) return false;
    if (ElipsoideFuente.Codigo == ElipsoideDestino.Codigo) {
        // Same frame: the texts as typed, not reformatted.
        Salida = Entrada;
        Salida.Zona.clear();
        Salida.ZonaHemisferio.clear();
        return true;
    }
    g = AlDestino(g, ElipsoideFuente, ElipsoideDestino);
    if (!Valido(g)) return false;
    EscribirGeografica(g, Salida);
    return true;
}

bool TCoordenadas::GeoAPlana() {
    TPuntoGeodesico g;
    if (!LeerGeografica(Entrada, ElipsoideFuente, g)) return false;
    const TPuntoPlano p = ProyectarTM(AlDestino(g, ElipsoideFuente, ElipsoideDestino), TipoDestino);
    if (!Valido(p)) return false;
    EscribirPlana(p, TipoDestino, Salida);
    return true;
}

bool TCoordenadas::PlanaAGeo() {
    TPuntoGeodesico g;
    if (!LeerPlana(Entrada, TipoFuente, ElipsoideFuente, g)) return false;
    g = AlDestino(g, ElipsoideFuente, ElipsoideDestino);
    if (!Valido(g)) return false;
    EscribirGeografica(g, Salida);
    return true;
}

bool TCoordenadas::PlanaAPlana() {
    TPuntoGeodesico g;
    if (!LeerPlana(Entrada, TipoFuente, ElipsoideFuente, g)) return false;
    const TPuntoPlano p = ProyectarTM(AlDestino(g, ElipsoideFuente, ElipsoideDestino), TipoDestino);
    if (!Valido(p)) return false;
    EscribirPlana(p, TipoDestino, Salida);
    return true;
}
