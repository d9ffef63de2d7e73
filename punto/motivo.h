// TMotivo: why a point was not converted, kept as a code with the value it is about, and said in
// English (zuvelo-convert) or Spanish (the window) by one function.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

enum class TIdioma : uint8_t { Ingles, Espanol };

// The value a reason speaks of.
enum class TDato : uint8_t { Ninguno, Latitud, Longitud, X, Y, Altura, Zona, Faja, Linea };

enum class TCodigoMotivo : uint8_t {
    Ninguno,
    // The line gives no point.
    LineaVacia,
    SinColumnas,  // no column for the first or second coordinate
    PocosCampos,  // N1 fields, column N2 needed
    LineaLarga,   // a needed field runs past N1 characters
    // A value cannot be read for sure.
    Vacio,            // empty
    NoNumero,         // not a number
    ComaDecimal,      // a number written with a decimal comma
    Largo,            // longer than its field (N1 characters) and not only decimals beyond
    SinSignoGrado,    // no degree sign: not degrees-minutes-seconds
    DMSIlegible,      // characters that are no part of degrees-minutes-seconds
    SinHemisferio,    // neither a hemisphere letter nor a sign
    HemisferioDoble,  // a sign and a letter, or two letters
    NoEntero,         // degrees or minutes with a fraction (N1: 0 degrees, 1 minutes)
    MinutosFuera,     // minutes above 59
    SegundosFuera,    // seconds above 60
    FueraDeRango,     // latitude beyond 90 deg, longitude beyond 180 deg
    ZonaInvalida,     // zone that is not a whole number with an optional S or N
    ZonaFuera,        // zone N1 outside 1 to 60
    SinZona,          // a UTM point without its zone
    FajaDistinta,     // strip column N1, but Y is in strip N2
    FajaSinDigito,    // a Gauss-Krueger Y below 1 000 000: no strip digit (N1: 1 when it fits a UTM easting)
    UTMFuera,         // a UTM X or Y outside the southern zone's band (N1: the strip when Y reads as GK)
    NorteUTM,         // a northern UTM zone or a UTM result north of the equator: not handled
    AlturaFuera,      // a height outside kAlturaMinima to kAlturaMaxima
    // The conversion itself refused the point.
    FajaFuera,       // Y's strip digit N1 is none of the strips 1 to 7
    LejosDeLaFaja,   // more than kBandaGK (3.45 deg) from its strip's central meridian
    ResultadoLargo,  // a result longer than its 30-character field
    AlturaCero,      // a result height written as 0, which reads back as the default 1.5 m
    SinResultado,    // no finite result (far outside the strips and zones, past a pole)
    Error,           // any other error; Valor holds its message
};

struct TMotivo {
    TCodigoMotivo Codigo = TCodigoMotivo::Ninguno;
    TDato Dato = TDato::Ninguno;
    std::string Valor;  // the text concerned, Windows-1252
    int64_t N1 = 0, N2 = 0;

    bool Hay() const { return Codigo != TCodigoMotivo::Ninguno; }
    friend bool operator==(const TMotivo &a, const TMotivo &b) {
        return a.Codigo == b.Codigo && a.Dato == b.Dato && a.Valor == b.Valor && a.N1 == b.N1 && a.N2 == b.N2;
    }
};

// A reason thrown as an error: what() says it in English; the window words it in Spanish (TextoError).
class EMotivo : public std::runtime_error {
  public:
    explicit EMotivo(TMotivo motivo);
    TMotivo Motivo;
};

// The reason in words, Windows-1252, e.g. "latitude '95\xB0 S' beyond 90\xB0". A quoted value is cut to
// 40 characters and shows control bytes as \xNN, so hostile input never reaches a terminal or a
// message box whole.
std::string TextoMotivo(const TMotivo &m, TIdioma idioma);

// A value as a reason quotes it: between apostrophes, at most 40 characters, control bytes as \xNN.
std::string Citar(std::string_view valor);

// Text that repeats input bytes, safe to show: control bytes (terminal escapes, NUL, and in
// Windows-1252 text the five undefined bytes, C1 controls in UTF-8) as \xNN, and at most `maximo`
// characters, the rest cut with an ellipsis ("\x85" in Windows-1252, "..." otherwise).
std::string Mostrable(std::string_view texto, std::size_t maximo, bool cp1252 = true);
