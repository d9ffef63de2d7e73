// TCoordenadas: the one door through which every conversion passes, text in and text out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include "elipsoide.h"
#include "proyeccion.h"

// n bytes from s to d, which may overlap (everything is read before anything is written): for the
// short texts of a conversion, two copies of fixed size, head and tail, cost less than a call.
inline void CopiarTextoCorto(char *d, const char *s, std::size_t n) {
    const auto par = [d, s, n](auto trozo) {
        decltype(trozo) cabeza, cola;
        std::memcpy(&cabeza, s, sizeof trozo);
        std::memcpy(&cola, s + n - sizeof trozo, sizeof trozo);
        std::memcpy(d, &cabeza, sizeof trozo);
        std::memcpy(d + n - sizeof trozo, &cola, sizeof trozo);
    };
    struct T16 {
        char c[16];
    };
    if (n > 32)
        std::memmove(d, s, n);
    else if (n >= 16)
        par(T16{});
    else if (n >= 8)
        par(uint64_t{});
    else if (n >= 4)
        par(uint32_t{});
    else if (n >= 2)
        par(uint16_t{});
    else if (n == 1)
        *d = *s;
}

// A text of fixed capacity: anything longer is cut to its first N characters when stored. The
// characters live in the object itself, so storing, copying and reading one never touch the heap.
template <std::size_t N>
class TTextoCorto {
    static_assert(N < 256, "the length is kept in one byte");

  public:
    static constexpr std::size_t kCapacidad = N;
    TTextoCorto() = default;
    TTextoCorto(std::string_view s) { Asignar(s); }
    TTextoCorto(const std::string &s) { Asignar(s); }
    TTextoCorto(const char *s) { Asignar(s); }
    TTextoCorto &operator=(std::string_view s) {
        Asignar(s);
        return *this;
    }
    TTextoCorto &operator=(const std::string &s) {
        Asignar(s);
        return *this;
    }
    TTextoCorto &operator=(const char *s) {
        Asignar(s);
        return *this;
    }
    // Stores the text cut to N characters; the view may lie in this text itself.
    void Asignar(std::string_view s) {
        n_ = static_cast<uint8_t>(s.size() < N ? s.size() : N);
        CopiarTextoCorto(t_, s.data(), n_);
    }
    std::string_view Vista() const { return std::string_view(t_, n_); }
    // Writes all N characters of the storage at p (room for N), the text first, and returns the
    // text's length: a copy of fixed size costs less than one of the text's own.
    std::size_t Copiar(char *p) const {
        std::memcpy(p, t_, N);
        return n_;
    }
    std::string str() const { return std::string(t_, n_); }
    operator std::string() const { return str(); }
    bool empty() const { return n_ == 0; }
    std::size_t size() const { return n_; }
    void clear() { n_ = 0; }
    friend bool operator==(const TTextoCorto &a, std::string_view b) { return a.Vista() == b; }
    friend bool operator==(const TTextoCorto &a, const std::string &b) { return a.Vista() == b; }
    friend bool operator==(const TTextoCorto &a, const char *b) { return a.Vista() == b; }

  private:
    char t_[N] = {};
    uint8_t n_ = 0;
};

struct TPuntoTexto {
    TTextoCorto<30> Coord1;         // latitude, or X (north, m)
    TTextoCorto<30> Coord2;         // longitude, or Y (east, m)
    TTextoCorto<30> Coord3;         // ellipsoidal height (m)
    uint8_t EnDecimal = 0;          // geographic input: 1 decimal degrees, 0 DMS text
    TTextoCorto<5> Zona;            // UTM zone or Gauss-Krüger strip
    TTextoCorto<5> ZonaHemisferio;  // output: zone, space, hemisphere letter
};

// A point as the operations read it from Entrada's texts: latitude and longitude in radians for a
// geographic source, X and Y in metres for a plane one; the height as read (0 for an empty or
// unreadable text, which the operations take as the default 1.5 m); the UTM zone as read (UTM source
// only).
struct TValoresEntrada {
    long double Coord1 = 0, Coord2 = 0, Altura = 0;
    int32_t Zona = 0;
};

// Why a conversion returned false.
enum TRechazo : uint8_t {
    rzNinguno,
    rzLatitud,
    rzLongitud,
    rzZonaUTM,
    rzFajaGK,
    rzLejosDeLaFaja,
    rzResultadoLargo,
    rzSinResultado
};

class TCoordenadas {
  public:
    TRechazo Rechazo = rzNinguno;
    TTipoCoordenada TipoFuente = tcGeografica;
    TTipoCoordenada TipoDestino = tcGeografica;
    TElipsoide ElipsoideFuente;
    TElipsoide ElipsoideDestino;
    TPuntoTexto Entrada;
    TPuntoTexto Salida;

    void SetElipsoideFuente(const TElipsoide &e) { ElipsoideFuente = e; }
    void SetElipsoideDestino(const TElipsoide &e) { ElipsoideDestino = e; }
    void SetTipoFuente(TTipoCoordenada t) { TipoFuente = t; }
    void SetTipoDestino(TTipoCoordenada t) { TipoDestino = t; }

    // Each returns true after writing Salida, with Rechazo rzNinguno; or false with Salida untouched
    // and the reason in Rechazo:
    //   rzLatitud        geographic input: latitude beyond 90 deg
    //   rzLongitud       geographic input: longitude beyond 180 deg
    //   rzZonaUTM        UTM zone outside 1 to 60, the zone given or the zone of the result
    //   rzFajaGK         Gauss-Krüger input: the millions digit of Y is not a strip 1 to 7
    //   rzLejosDeLaFaja  Gauss-Krüger: the point lies farther than kBandaGK from its strip's central
    //                    meridian (input), or has no strip (result)
    //   rzResultadoLargo a result text does not fit its field (never cut)
    //   rzSinResultado   no finite result, or a result past a pole
    // A degree, minute or zone field that is not a whole number throws EEnteroInvalido and leaves
    // Salida and Rechazo as they were: the exception is the reason.
    bool Convertir();
    bool GeoAGeo();
    bool GeoAPlana();
    bool PlanaAGeo();
    bool PlanaAPlana();

    // Entrada read as Convertir reads it, for the source kind; throws EEnteroInvalido as Convertir does.
    TValoresEntrada LeerEntrada() const;
    // Convertir on values already read from Entrada's texts (the point rule reads them while it checks
    // the texts): the same results, without reading the texts again. Entrada must hold the texts the
    // values come from: on one frame GeoAGeo copies them into Salida, and reasons quote them.
    bool ConvertirValores(const TValoresEntrada &v);

  private:
    // The one conversion behind the four: the point read as a plane point of TipoFuente (dePlana) or
    // as a geographic one, moved to the destination frame, and written projected to TipoDestino
    // (aPlana) or as geographic texts. One body, compiled for each of the four ways.
    template <bool dePlana, bool aPlana>
    bool Transformar(const TValoresEntrada &v);
};
