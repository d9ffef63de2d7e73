// TCoordenadas: reads the input texts, moves the point between frames when their codes differ,
// projects or unprojects it, and writes the output texts. Each call works on state of its own.
#include "coordenadas.h"

#include <charconv>
#include <cmath>
#include "angulo.h"
#include "constantes.h"
#include "numeros.h"

namespace {

// Geographic input read from its texts: the angles through TModoWGS (never the shared ModoWGS, so
// that conversions on several threads cannot disturb each other). A degree or minute field that is
// not a whole number throws EEnteroInvalido.
TValoresEntrada LeerGeografica(const TPuntoTexto &e) {
    TModoWGS lat, lon;
    lat.AsignarValor(e.Coord1.Vista(), 1, e.EnDecimal);
    lon.AsignarValor(e.Coord2.Vista(), 2, e.EnDecimal);
    TValoresEntrada v;
    v.Coord1 = lat.GetRadianes();
    v.Coord2 = lon.GetRadianes();
    v.Altura = LeerNumero(e.Coord3.Vista());
    return v;
}

// Plane input read from its texts; the zone only for UTM, where a zone text that is not a whole
// number throws EEnteroInvalido.
TValoresEntrada LeerPlana(const TPuntoTexto &e, TTipoCoordenada tipo) {
    TValoresEntrada v;
    v.Coord1 = LeerNumero(e.Coord1.Vista());
    v.Coord2 = LeerNumero(e.Coord2.Vista());
    v.Altura = LeerNumero(e.Coord3.Vista());
    if (tipo == tcUTM) v.Zona = LeerEntero(e.Zona.Vista());
    return v;
}

// The default height replaces a height of 0.
long double Altura(long double h) {
    return h == 0 ? 1.5L : h;
}

// Geographic input on the source ellipsoid; refused for a latitude beyond the poles or a longitude
// beyond 180 deg.
TRechazo Geografica(const TValoresEntrada &v, const TElipsoide &fuente, TPuntoGeodesico &g) {
    g.A = fuente.A;
    g.F = fuente.F;
    g.Latitud = v.Coord1;
    g.Longitud = v.Coord2;
    g.Altura = Altura(v.Altura);
    // In degrees, so that 90 and 180 deg themselves (whose radians may round a hair above pi/2 and
    // pi) are accepted.
    if (std::fabs(g.Latitud * kGradoPorRad) > 90) return rzLatitud;
    if (std::fabs(g.Longitud * kGradoPorRad) > 180) return rzLongitud;
    return rzNinguno;
}

// Far outside the strips and zones the series diverge: an easting or northing there can unproject
// to nan or to a latitude past the pole, and a longitude of absurd size projects to inf. Such a
// point is refused, never written as "nan" text. The pole itself, given as a printed northing (to
// 0.1 mm), may come back a hair past 90 deg: 1e-8 deg (about 1 mm) is allowed for that.
bool Valido(const TPuntoGeodesico &g) {
    return std::isfinite(g.Latitud) && std::isfinite(g.Longitud) && std::isfinite(g.Altura) &&
           !(std::fabs(g.Latitud * kGradoPorRad) > 90 + 1e-8L);
}

bool Valido(const TPuntoPlano &p) {
    return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Altura);
}

// Plane input unprojected onto the source ellipsoid. Refused for a UTM zone outside 1 to 60, a
// Gauss-Krüger easting whose millions digit is no strip, a point with no finite place, and a
// Gauss-Krüger point that unprojects farther than kBandaGK from its strip's central meridian.
TRechazo Plana(const TValoresEntrada &v, TTipoCoordenada tipo, const TElipsoide &fuente, TPuntoGeodesico &g) {
    TPuntoPlano p;
    p.X = v.Coord1;
    p.Y = v.Coord2;
    p.Altura = Altura(v.Altura);
    int faja = 0;
    if (tipo == tcUTM) {
        // Checked before it is narrowed to a byte, so that 277 is not taken for zone 21.
        if (v.Zona < 1 || v.Zona > 60) return rzZonaUTM;
        p.Zona = static_cast<uint8_t>(v.Zona);
    } else {
        faja = FajaDelEste(p.Y);
        if (faja == 0) return rzFajaGK;
    }
    InversaTM(p, tipo, fuente.A, fuente.F, g);
    if (!Valido(g)) return rzSinResultado;
    // UTM ends at 80 deg S; toward the pole, and farther than kBandaGK from the zone's meridian, the
    // series lose the millimetre and then diverge (a northing of 60 km gave a longitude 135 deg off).
    if (tipo == tcUTM && (g.Latitud * kGradoPorRad < kLatitudMinimaUTM - 1e-6L ||
                          std::fabs(g.Longitud * kGradoPorRad - (6 * p.Zona - 183)) > kBandaGK))
        return rzSinResultado;
    // East of zone 60 or west of zone 1 the inverse gives a longitude past 180 deg: the same meridian
    // on the other side, as every reader takes a longitude back.
    if (g.Longitud > kPi) g.Longitud -= 2 * kPi;
    if (g.Longitud < -kPi) g.Longitud += 2 * kPi;
    if (tipo == tcGaussKruger && !EnBandaGK(g.Longitud, faja)) return rzLejosDeLaFaja;
    return rzNinguno;
}

// The point on the destination frame, when valid, handed on to `seguir`: g itself on one frame, else g
// moved through earth-centred coordinates by the datum shift. Never copied: a point of 80-bit reals is
// copied through memory in pieces that the loads after it cannot take straight from the stores.
template <class F>
TRechazo EnDestino(const TPuntoGeodesico &g, const TElipsoide &fuente, const TElipsoide &destino,
                   F &&seguir) {
    if (fuente.Codigo == destino.Codigo) return Valido(g) ? seguir(g) : rzSinResultado;
    const TPuntoGeodesico d =
        AGeodesica(TrasladarDatum(AGeocentrica(g), fuente.Codigo, destino.Codigo), destino);
    return Valido(d) ? seguir(d) : rzSinResultado;
}

// The three result texts, written aside first: Salida is only touched once all of them fit.
struct TTextosSalida {
    TEspacioTexto e1, e2, e3;
    std::string_view c1, c2, c3;
    bool Caben() const {
        constexpr std::size_t n = decltype(TPuntoTexto::Coord1)::kCapacidad;
        static_assert(n == decltype(TPuntoTexto::Coord2)::kCapacidad &&
                      n == decltype(TPuntoTexto::Coord3)::kCapacidad);
        return c1.size() <= n && c2.size() <= n && c3.size() <= n;
    }
    void Volcar(TPuntoTexto &s) const {
        s.Coord1.Asignar(c1);
        s.Coord2.Asignar(c2);
        s.Coord3.Asignar(c3);
    }
};

TRechazo EscribirGeografica(const TPuntoGeodesico &g, TPuntoTexto &s) {
    TTextosSalida t;
    t.c1 = EscribirDMS(t.e1, 1, g.Latitud);
    t.c2 = EscribirDMS(t.e2, 2, g.Longitud);
    t.c3 = EscribirNumero(t.e3, g.Altura);
    if (!t.Caben()) return rzResultadoLargo;
    t.Volcar(s);
    s.EnDecimal = 0;
    s.Zona.clear();
    s.ZonaHemisferio.clear();
    return rzNinguno;
}

// Projects onto the destination kind and writes the plane texts; refused for a point with no
// Gauss-Krüger strip or no UTM zone 1 to 60, a result that is not finite, or a text too long.
TRechazo ProyectarYEscribir(const TPuntoGeodesico &g, TTipoCoordenada tipo, TPuntoTexto &s) {
    if (tipo == tcUTM && g.Latitud * kGradoPorRad < kLatitudMinimaUTM) return rzSinResultado;
    const TPuntoPlano p = ProyectarTM(g, tipo);
    if (tipo == tcUTM ? (p.Zona < 1 || p.Zona > 60) : p.Faja == 0)
        return tipo == tcUTM ? rzZonaUTM : rzLejosDeLaFaja;
    if (!Valido(p)) return rzSinResultado;
    TTextosSalida t;
    t.c1 = EscribirNumero(t.e1, p.X);
    t.c2 = EscribirNumero(t.e2, p.Y);
    t.c3 = EscribirNumero(t.e3, p.Altura);
    if (!t.Caben()) return rzResultadoLargo;
    t.Volcar(s);
    // Zones 1 to 60 and strips 1 to 7: "60 S" fits the five characters of the zone fields.
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
    return rzNinguno;
}

// The operation's outcome into Rechazo, and its result.
bool Terminar(TRechazo &campo, TRechazo r) {
    campo = r;
    return r == rzNinguno;
}

}  // namespace

TValoresEntrada TCoordenadas::LeerEntrada() const {
    return TipoFuente == tcGeografica ? LeerGeografica(Entrada) : LeerPlana(Entrada, TipoFuente);
}

bool TCoordenadas::Convertir() {
    return ConvertirValores(LeerEntrada());
}

template <bool dePlana, bool aPlana>
bool TCoordenadas::Transformar(const TValoresEntrada &v) {
    TPuntoGeodesico g;
    TRechazo r;
    if constexpr (dePlana)
        r = Plana(v, TipoFuente, ElipsoideFuente, g);
    else
        r = Geografica(v, ElipsoideFuente, g);
    if (r != rzNinguno) return Terminar(Rechazo, r);
    if constexpr (!dePlana && !aPlana) {
        if (ElipsoideFuente.Codigo == ElipsoideDestino.Codigo) {
            // Same frame: the texts as typed, not reformatted.
            Salida = Entrada;
            Salida.Zona.clear();
            Salida.ZonaHemisferio.clear();
            return Terminar(Rechazo, rzNinguno);
        }
    }
    return Terminar(Rechazo,
                    EnDestino(g, ElipsoideFuente, ElipsoideDestino, [this](const TPuntoGeodesico &d) {
                        if constexpr (aPlana)
                            return ProyectarYEscribir(d, TipoDestino, Salida);
                        else
                            return EscribirGeografica(d, Salida);
                    }));
}

bool TCoordenadas::ConvertirValores(const TValoresEntrada &v) {
    if (TipoFuente == tcGeografica)
        return TipoDestino == tcGeografica ? Transformar<false, false>(v) : Transformar<false, true>(v);
    return TipoDestino == tcGeografica ? Transformar<true, false>(v) : Transformar<true, true>(v);
}

bool TCoordenadas::GeoAGeo() {
    return Transformar<false, false>(LeerGeografica(Entrada));
}

bool TCoordenadas::GeoAPlana() {
    return Transformar<false, true>(LeerGeografica(Entrada));
}

bool TCoordenadas::PlanaAGeo() {
    return Transformar<true, false>(LeerPlana(Entrada, TipoFuente));
}

bool TCoordenadas::PlanaAPlana() {
    return Transformar<true, true>(LeerPlana(Entrada, TipoFuente));
}
