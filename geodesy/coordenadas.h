// TCoordenadas: the one door through which every conversion passes, text in and text out.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include "elipsoide.h"
#include "proyeccion.h"

// A text of fixed capacity: anything longer is cut to its first N characters when stored.
template <std::size_t N>
class TTextoCorto {
  public:
    static constexpr std::size_t kCapacidad = N;
    TTextoCorto() = default;
    TTextoCorto(const std::string &s) : s_(s.substr(0, N)) {}
    TTextoCorto(const char *s) : TTextoCorto(std::string(s)) {}
    TTextoCorto &operator=(const std::string &s) {
        s_.assign(s, 0, N);
        return *this;
    }
    TTextoCorto &operator=(const char *s) { return *this = std::string(s); }
    // Stores a view's text (cut to N), reusing the storage already held: no allocation once warm.
    void Asignar(std::string_view s) { s_.assign(s.data(), s.size() < N ? s.size() : N); }
    operator const std::string &() const { return s_; }
    const std::string &str() const { return s_; }
    bool empty() const { return s_.empty(); }
    std::size_t size() const { return s_.size(); }
    void clear() { s_.clear(); }
    friend bool operator==(const TTextoCorto &a, const std::string &b) { return a.s_ == b; }
    friend bool operator==(const TTextoCorto &a, const char *b) { return a.s_ == b; }

  private:
    std::string s_;
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
    bool GeoAGeo(const TValoresEntrada &v);
    bool GeoAPlana(const TValoresEntrada &v);
    bool PlanaAGeo(const TValoresEntrada &v);
    bool PlanaAPlana(const TValoresEntrada &v);
};
