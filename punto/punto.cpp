// The point rule: strict reading of angle, number and zone texts, the 30-character fields, and the
// reasons of refused conversions.
#include "punto.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "angulo.h"
#include "constantes.h"
#include "numeros.h"
#include "proyeccion.h"

namespace {

constexpr std::size_t kCampo = 30;  // characters of a coordinate or height in the conversion object
// UTM values of a southern zone: eastings within 400 km of its meridian, northings from the equator.
constexpr long double kEsteMinimoUTM = 100000, kEsteMaximoUTM = 900000, kNorteMaximoUTM = 10000000;

bool EsBlanco(char c) {
    return c == ' ' || c == '\t';
}
bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}
char Mayuscula(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

TMotivo Motivo(TCodigoMotivo codigo, TDato dato, std::string_view valor, int64_t n1 = 0, int64_t n2 = 0) {
    TMotivo m;
    m.Codigo = codigo;
    m.Dato = dato;
    m.Valor = std::string(valor);
    m.N1 = n1;
    m.N2 = n2;
    return m;
}

// The signs of each part, as people type them.
bool SignoGrado(char c) {
    return c == '\xB0' || c == '\xBA';  // degree sign, masculine ordinal (a common stand-in)
}
bool SignoMinuto(char c) {
    return c == '\'' || c == '\x92' || c == '\xB4';  // apostrophe, right single quote, acute accent
}
bool SignoSegundo(char c) {
    return c == '"' || c == '\x94';  // double quote, right double quote
}

// Hemisphere of a letter for the angle's kind: -1 south or west, +1 north or east, 0 no such letter.
int Hemisferio(char c, TTipoAngulo tipo) {
    c = Mayuscula(c);
    if (tipo == taLatitud) return c == 'S' ? -1 : c == 'N' ? 1 : 0;
    return (c == 'W' || c == 'O') ? -1 : c == 'E' ? 1 : 0;  // O: oeste
}

// A run of digits with at most one decimal mark ('.' or ','), as written.
struct TNumeroTexto {
    std::string_view Texto;
    bool Fraccion = false;  // holds a '.'
    bool Coma = false;      // holds a ','
};

bool LeerNumeroTexto(std::string_view t, std::size_t &i, TNumeroTexto &n) {
    const std::size_t ini = i;
    bool digitos = false;
    while (i < t.size() && (EsDigito(t[i]) || ((t[i] == '.' || t[i] == ',') && !n.Fraccion && !n.Coma))) {
        if (t[i] == '.') n.Fraccion = true;
        if (t[i] == ',') n.Coma = true;
        digitos = digitos || EsDigito(t[i]);
        ++i;
    }
    n.Texto = t.substr(ini, i - ini);
    return digitos;
}

// The value of a whole-number text, saturated well above any angle (leading zeros allowed).
long Entero(std::string_view s) {
    long v = 0;
    for (char c : s)
        if (EsDigito(c)) v = std::min(v * 10 + (c - '0'), 1000000L);
    return v;
}

void SaltarBlancos(std::string_view t, std::size_t &i) {
    while (i < t.size() && EsBlanco(t[i])) ++i;
}

// A number written with '.', read; or why not (empty, a decimal comma, anything else).
bool LeerCampoNumero(std::string_view s, TDato dato, long double &v, TMotivo &motivo) {
    if (s.empty()) {
        motivo = Motivo(TCodigoMotivo::Vacio, dato, s);
        return false;
    }
    if (LeerRealFinito(s, v)) return true;
    std::string conPunto(s);
    for (char &c : conPunto)
        if (c == ',') c = '.';
    motivo =
        Motivo(conPunto != s && LeerReal(conPunto, v) ? TCodigoMotivo::ComaDecimal : TCodigoMotivo::NoNumero,
               dato, s);
    return false;
}

bool RevisarNumero(std::string_view s, TDato dato, TMotivo &motivo) {
    long double v;
    return LeerCampoNumero(s, dato, v, motivo);
}

// A value longer than its field is cut there; that is taken only when the kept part is a plain
// decimal (an optional sign, digits, the point, at least 10 decimals: no exponent) and only digits
// follow the cut, so the cut value is the same number to its last kept decimal and what is lost lies
// below 1e-10 of the unit ("-34.603472222222222222222222222222" keeps its first 30 characters; 22
// leading zeros before "6170061.3482", or "1.000000000000000000000000000e01", fail).
bool AjustarAlCampo(std::string_view &s, TDato dato, TMotivo &motivo) {
    if (s.size() <= kCampo) return true;
    constexpr std::size_t kDecimalesMinimos = 10;
    std::size_t i = s[0] == '-' || s[0] == '+' ? 1 : 0;
    while (i < kCampo && EsDigito(s[i])) ++i;
    bool soloDecimales = i < kCampo && s[i] == '.' && i + kDecimalesMinimos < kCampo;
    for (++i; soloDecimales && i < s.size(); ++i) soloDecimales = EsDigito(s[i]);
    if (!soloDecimales) {
        motivo = Motivo(TCodigoMotivo::Largo, dato, s, kCampo);
        return false;
    }
    s = s.substr(0, kCampo);
    return true;
}

// An angle read from DMS text: the degrees, minutes and seconds as written (the texts of the
// program's layout), their values as the conversion object reads that layout, and the hemisphere.
struct TPartesDMS {
    std::string_view Texto[3];  // degrees, minutes, seconds as written
    bool Hay[3] = {false, false, false};
    char Letra = '\0';  // hemisphere letter of the layout: S N or W E
    int32_t Grados = 0, Minutos = 0;
    long double Segundos = 0;
    bool Negativo = false;  // S or W

    // "34\xB0 36' 12.5\" S": the degrees, then each part present with its sign, then the letter.
    std::size_t Largo() const {
        return Texto[0].size() + 2 + (Hay[1] ? Texto[1].size() + 2 : 0) + (Hay[2] ? Texto[2].size() + 2 : 0) +
               1;
    }
    // Writes Largo() characters at p.
    void Componer(char *p) const {
        const auto agregar = [&p](std::string_view t) {
            for (char c : t) *p++ = c;
        };
        agregar(Texto[0]);
        agregar("\xB0 ");
        if (Hay[1]) {
            agregar(Texto[1]);
            agregar("' ");
        }
        if (Hay[2]) {
            agregar(Texto[2]);
            agregar("\" ");
        }
        *p = Letra;
    }
    std::string Normal() const {
        std::string s(Largo(), '\0');
        Componer(s.data());
        return s;
    }
};

// NormalizarDMS without writing the text: the parts read, which the text is composed of, and what
// the conversion object reads back from that text.
bool LeerDMS(std::string_view t, TTipoAngulo tipo, TPartesDMS &leidas, TMotivo &motivo) {
    const TDato dato = tipo == taLatitud ? TDato::Latitud : TDato::Longitud;
    const auto fallo = [&](TCodigoMotivo codigo, int64_t n1 = 0) {
        motivo = Motivo(codigo, dato, t, n1);
        return false;
    };
    std::size_t i = 0;
    SaltarBlancos(t, i);
    if (i == t.size()) return fallo(TCodigoMotivo::Vacio);
    // Without a degree sign only the space form reads ("-34 36' 12.5''": the degrees end at a blank
    // followed by the minutes); anything else is no degrees-minutes-seconds.
    const bool conSigno = std::any_of(t.begin(), t.end(), SignoGrado);
    bool espacios = false;
    const auto falloForma = [&](TCodigoMotivo codigo) {
        return fallo(conSigno || espacios ? codigo : TCodigoMotivo::SinSignoGrado);
    };

    // The hemisphere may come as a leading sign, a letter before the degrees or a letter at the end;
    // exactly one of them.
    int indicaciones = 0, hemisferio = 0;
    const auto indicar = [&](int h) {
        ++indicaciones;
        hemisferio = h;
    };
    if (t[i] == '-' || t[i] == '+') {
        indicar(t[i] == '-' ? -1 : 1);
        ++i;
        SaltarBlancos(t, i);
    }
    if (i < t.size() && !EsDigito(t[i])) {
        const int h = Hemisferio(t[i], tipo);
        if (h == 0) return falloForma(TCodigoMotivo::DMSIlegible);
        indicar(h);
        ++i;
        SaltarBlancos(t, i);
    }

    // Degrees, then optional minutes, then optional seconds, each a number and its sign.
    std::string_view partes[3];  // degrees, minutes, seconds as written
    bool hay[3] = {false, false, false};
    int siguiente = 0;
    while (i < t.size() && (EsDigito(t[i]) || t[i] == '.' || t[i] == ',')) {
        TNumeroTexto n;
        if (!LeerNumeroTexto(t, i, n)) return falloForma(TCodigoMotivo::DMSIlegible);
        const std::size_t antes = i;
        SaltarBlancos(t, i);
        if (i == t.size()) return falloForma(TCodigoMotivo::DMSIlegible);
        int parte;
        if (!conSigno && siguiente == 0 && i > antes && EsDigito(t[i])) {
            parte = 0;  // the space form: the blank stands for the degree sign
            espacios = true;
        } else if (!conSigno && siguiente == 0) {
            return fallo(TCodigoMotivo::SinSignoGrado);
        } else if (SignoGrado(t[i])) {
            parte = 0;
            ++i;
        } else if (SignoMinuto(t[i])) {
            // Two minute signs in a row are the seconds' sign.
            if (i + 1 < t.size() && t[i + 1] == t[i]) {
                parte = 2;
                i += 2;
            } else {
                parte = 1;
                ++i;
            }
        } else if (SignoSegundo(t[i])) {
            parte = 2;
            ++i;
        } else {
            return fallo(TCodigoMotivo::DMSIlegible);
        }
        if (parte < siguiente || (siguiente == 0 && parte != 0)) return fallo(TCodigoMotivo::DMSIlegible);
        if (n.Coma) return fallo(parte == 2 ? TCodigoMotivo::ComaDecimal : TCodigoMotivo::NoEntero, parte);
        if (n.Fraccion && parte < 2) return fallo(TCodigoMotivo::NoEntero, parte);
        partes[parte] = n.Texto;
        hay[parte] = true;
        siguiente = parte + 1;
        SaltarBlancos(t, i);
    }
    if (!hay[0]) return falloForma(TCodigoMotivo::DMSIlegible);
    // The space form is the one where an angle without sign or letter is north or east.
    if (espacios && indicaciones == 0 && (i == t.size() || Hemisferio(t[i], tipo) == 0)) indicar(1);
    if (i < t.size()) {
        const int h = Hemisferio(t[i], tipo);
        std::size_t fin = i + 1;
        SaltarBlancos(t, fin);
        // A lone letter at the end that names no hemisphere of this kind ("W" on a latitude).
        if (h == 0)
            return fallo(fin == t.size() && std::isalpha(static_cast<unsigned char>(t[i]))
                             ? TCodigoMotivo::SinHemisferio
                             : TCodigoMotivo::DMSIlegible);
        if (fin != t.size()) return fallo(TCodigoMotivo::DMSIlegible);
        indicar(h);
        i = fin;
    }
    if (indicaciones == 0) return fallo(TCodigoMotivo::SinHemisferio);
    if (indicaciones > 1) return fallo(TCodigoMotivo::HemisferioDoble);

    const long grados = Entero(partes[0]);
    const long minutos = hay[1] ? Entero(partes[1]) : 0;
    long double segundos = 0;
    if (hay[2] && !LeerReal(partes[2], segundos)) return fallo(TCodigoMotivo::DMSIlegible);
    if (minutos > 59) return fallo(TCodigoMotivo::MinutosFuera);
    if (segundos > 60) return fallo(TCodigoMotivo::SegundosFuera);
    const long double total = grados + (minutos + segundos / 60) / 60;
    if (total > (tipo == taLatitud ? 90 : 180)) return fallo(TCodigoMotivo::FueraDeRango);

    for (int k = 0; k < 3; ++k) {
        leidas.Texto[k] = partes[k];
        leidas.Hay[k] = hay[k];
    }
    leidas.Letra = tipo == taLatitud ? (hemisferio < 0 ? 'S' : 'N') : (hemisferio < 0 ? 'W' : 'E');
    // Degrees up to 180 and minutes up to 59: these are the whole numbers of the text.
    leidas.Grados = static_cast<int32_t>(grados);
    leidas.Minutos = static_cast<int32_t>(minutos);
    leidas.Segundos = segundos;
    leidas.Negativo = hemisferio < 0;
    return true;
}

// Decimal degrees within the range of the angle's kind.
bool Decimal(std::string_view s, TTipoAngulo tipo, long double &grados, TMotivo &motivo) {
    const TDato dato = tipo == taLatitud ? TDato::Latitud : TDato::Longitud;
    if (!LeerCampoNumero(s, dato, grados, motivo)) return false;
    if (std::fabs(grados) > (tipo == taLatitud ? 90 : 180)) {
        motivo = Motivo(TCodigoMotivo::FueraDeRango, dato, s);
        return false;
    }
    return true;
}

// A latitude or longitude: `texto` gets the text for the conversion object (the decimal text as
// written, or the DMS text in the program's layout, composed in `dms`), `radianes` its value as the
// conversion object reads that text.
bool Geografica(std::string_view t, uint8_t enDecimal, TTipoAngulo tipo, char (&dms)[kCampo],
                std::string_view &texto, long double &radianes, TMotivo &motivo) {
    const TDato dato = tipo == taLatitud ? TDato::Latitud : TDato::Longitud;
    if (t.empty()) {
        motivo = Motivo(TCodigoMotivo::Vacio, dato, t);
        return false;
    }
    if (enDecimal) {
        texto = t;
        long double grados = 0;
        if (!AjustarAlCampo(texto, dato, motivo) || !Decimal(texto, tipo, grados, motivo)) return false;
        // The conversion object takes a leading '-' off and negates the degrees read from the rest:
        // the same radians, as -(x k) is (-x) k exactly.
        radianes = RadianesDeGrados(grados, false);
        return true;
    }
    TPartesDMS partes;
    if (!LeerDMS(t, tipo, partes, motivo)) return false;
    const std::size_t largo = partes.Largo();
    if (largo > kCampo) {  // a cut would take the hemisphere letter
        motivo = Motivo(TCodigoMotivo::Largo, dato, t, kCampo);
        return false;
    }
    partes.Componer(dms);
    texto = std::string_view(dms, largo);
    radianes = RadianesDeGrados(GradosDeDMS(partes.Grados, partes.Minutos, partes.Segundos), partes.Negativo);
    return true;
}

bool Numero(std::string_view t, TDato dato, std::string_view &texto, long double &valor, TMotivo &motivo) {
    texto = t;
    return AjustarAlCampo(texto, dato, motivo) && LeerCampoNumero(texto, dato, valor, motivo);
}

// A plain whole number ("6", "06"), or -1.
int EnteroSimple(std::string_view s) {
    if (s.empty() || s.size() > 9) return -1;
    for (char c : s)
        if (!EsDigito(c)) return -1;
    return static_cast<int>(Entero(s));
}

}  // namespace

bool NormalizarDMS(std::string_view t, TTipoAngulo tipo, std::string &normal, TMotivo &motivo) {
    TPartesDMS partes;
    if (!LeerDMS(t, tipo, partes, motivo)) return false;
    normal = partes.Normal();
    return true;
}

bool AnguloComoDMS(std::string_view t, TTipoAngulo tipo, std::string &dms, TMotivo &motivo) {
    const std::string_view s = RecortarBlancos(t);
    if (s.find_first_of("\xB0\xBA") != std::string_view::npos || s.empty())
        return NormalizarDMS(s, tipo, dms, motivo);
    const TDato dato = tipo == taLatitud ? TDato::Latitud : TDato::Longitud;
    if (!RevisarNumero(s, dato, motivo)) {
        // Neither a number nor DMS: say what DMS needs.
        if (motivo.Codigo == TCodigoMotivo::NoNumero) motivo.Codigo = TCodigoMotivo::SinSignoGrado;
        return false;
    }
    if (s[0] != '-' && s[0] != '+') {
        motivo = Motivo(TCodigoMotivo::SinHemisferio, dato, s);
        return false;
    }
    long double v = 0;
    if (!Decimal(s, tipo, v, motivo)) return false;
    dms = FormatoDMS(tipo, v * kRadPorGrado);
    return true;
}

bool LeerZona(std::string_view t, int &zona, TMotivo &motivo) {
    if (t.empty()) {
        motivo = Motivo(TCodigoMotivo::SinZona, TDato::Zona, t);
        return false;
    }
    std::size_t i = 0;
    while (i < t.size() && EsDigito(t[i])) ++i;
    const std::string_view digitos = t.substr(0, i);
    SaltarBlancos(t, i);
    const bool norte = i < t.size() && Mayuscula(t[i]) == 'N';
    if (i < t.size() && (Mayuscula(t[i]) == 'S' || norte)) ++i;
    if (digitos.empty() || i != t.size()) {
        motivo = Motivo(TCodigoMotivo::ZonaInvalida, TDato::Zona, t);
        return false;
    }
    // Zones are southern (false northing 10 000 000 m): a northern one would be read 10 000 km off.
    if (norte) {
        motivo = Motivo(TCodigoMotivo::NorteUTM, TDato::Zona, t);
        return false;
    }
    const long z = Entero(digitos);
    if (z < 1 || z > 60) {
        motivo = Motivo(TCodigoMotivo::ZonaFuera, TDato::Zona, t, z);
        return false;
    }
    zona = static_cast<int>(z);
    return true;
}

namespace {

// PrepararEntrada, which also gives the values the conversion object would read from the texts it
// puts into c.Entrada, so that nothing is read twice. c.Entrada is left alone when a value fails.
bool PrepararConPunto(const TPuntoVista &p, TCoordenadas &c, TValoresEntrada &v, TMotivo &motivo);

bool Preparar(const TPuntoVista &p, TCoordenadas &c, TValoresEntrada &v, TMotivo &motivo) {
    if (!p.ComaDecimal) return PrepararConPunto(p, c, v, motivo);
    // With the decimal comma option every ',' of a value is its decimal sign ("1,500" is 1.5): the
    // values are read with '.' in its place, and a reason quotes the value as written.
    std::string copias[3];
    TPuntoVista q = p;
    std::string_view *const textos[3] = {&q.Coord1, &q.Coord2, &q.Coord3};
    for (int i = 0; i < 3; ++i)
        if (textos[i]->find(',') != std::string_view::npos) {
            copias[i].assign(*textos[i]);
            std::replace(copias[i].begin(), copias[i].end(), ',', '.');
            *textos[i] = copias[i];
        }
    q.ComaDecimal = 0;
    if (PrepararConPunto(q, c, v, motivo)) return true;
    const std::string_view originales[3] = {p.Coord1, p.Coord2, p.Coord3};
    for (int i = 0; i < 3; ++i)
        if (!copias[i].empty() && motivo.Valor == copias[i]) motivo.Valor.assign(originales[i]);
    return false;
}

bool PrepararConPunto(const TPuntoVista &p, TCoordenadas &c, TValoresEntrada &v, TMotivo &motivo) {
    char dms1[kCampo], dms2[kCampo];  // DMS texts in the program's layout
    std::string_view t1, t2, t3;
    if (c.TipoFuente == tcGeografica) {
        if (!Geografica(p.Coord1, p.EnDecimal, taLatitud, dms1, t1, v.Coord1, motivo) ||
            !Geografica(p.Coord2, p.EnDecimal, taLongitud, dms2, t2, v.Coord2, motivo))
            return false;
    } else {
        if (!Numero(p.Coord1, TDato::X, t1, v.Coord1, motivo) ||
            !Numero(p.Coord2, TDato::Y, t2, v.Coord2, motivo))
            return false;
    }
    // An empty height is the program's default height.
    if (p.Coord3.empty()) {
        t3 = "1.5";
        v.Altura = 1.5L;
    } else if (!Numero(p.Coord3, TDato::Altura, t3, v.Altura, motivo)) {
        return false;
    } else if (!(v.Altura >= kAlturaMinima && v.Altura <= kAlturaMaxima)) {
        motivo = Motivo(TCodigoMotivo::AlturaFuera, TDato::Altura, p.Coord3, kAlturaMinima, kAlturaMaxima);
        return false;
    }

    char zona[16] = "0";
    std::size_t largoZona = 1;
    v.Zona = 0;
    if (c.TipoFuente == tcUTM) {
        int z = 0;
        if (!LeerZona(p.Zona, z, motivo)) return false;
        // Southern zones only: eastings within 400 km of the zone's meridian, northings from the
        // equator southward. A Gauss-Krueger Y read as UTM by mistake is named as such.
        if (!(v.Coord2 >= kEsteMinimoUTM && v.Coord2 <= kEsteMaximoUTM)) {
            motivo = Motivo(TCodigoMotivo::UTMFuera, TDato::Y, p.Coord2, FajaDelEste(v.Coord2));
            return false;
        }
        if (v.Coord1 > kNorteMaximoUTM) {
            motivo = Motivo(TCodigoMotivo::NorteUTM, TDato::X, p.Coord1);
            return false;
        }
        if (!(v.Coord1 >= 0)) {
            motivo = Motivo(TCodigoMotivo::UTMFuera, TDato::X, p.Coord1);
            return false;
        }
        largoZona = static_cast<std::size_t>(std::to_chars(zona, zona + sizeof zona, z).ptr - zona);
        v.Zona = z;
    } else if (c.TipoFuente == tcGaussKruger) {
        // The strip comes from the millions digit of Y; a strip column that says otherwise means the
        // values do not belong together. A column holding no plain number is not read.
        const int columna = EnteroSimple(p.Zona);
        if (v.Coord2 >= 0 && v.Coord2 < 1000000) {
            motivo = Motivo(TCodigoMotivo::FajaSinDigito, TDato::Y, p.Coord2,
                            v.Coord2 >= kEsteMinimoUTM && v.Coord2 <= kEsteMaximoUTM);
            return false;
        }
        const long double y = v.Coord2 / 1000000;
        const int millones = y >= 1 && y < 10 ? static_cast<int>(TruncarEntero(y)) : 0;  // 1 to 9, or none
        if (columna > 0 && millones > 0 && columna != millones) {
            motivo = Motivo(TCodigoMotivo::FajaDistinta, TDato::Faja, p.Zona, columna, millones);
            return false;
        }
    }
    TPuntoTexto &e = c.Entrada;
    e.Coord1.Asignar(t1);
    e.Coord2.Asignar(t2);
    e.Coord3.Asignar(t3);
    e.Zona.Asignar(std::string_view(zona, largoZona));
    e.EnDecimal = c.TipoFuente == tcGeografica ? p.EnDecimal : 1;
    return true;
}

}  // namespace

bool PrepararEntrada(const TPuntoLeido &p, TCoordenadas &c, TMotivo &motivo) {
    TValoresEntrada v;
    return Preparar(Vista(p), c, v, motivo);
}

bool PrepararEntrada(const TPuntoVista &p, TCoordenadas &c, TValoresEntrada &valores, TMotivo &motivo) {
    return Preparar(p, c, valores, motivo);
}

TMotivo MotivoConversion(const TCoordenadas &c) {
    const TPuntoTexto &e = c.Entrada;
    switch (c.Rechazo) {
        case rzNinguno:
            break;
        case rzLatitud:
            return Motivo(TCodigoMotivo::FueraDeRango, TDato::Latitud, e.Coord1.Vista());
        case rzLongitud:
            return Motivo(TCodigoMotivo::FueraDeRango, TDato::Longitud, e.Coord2.Vista());
        case rzZonaUTM:
            return Motivo(TCodigoMotivo::ZonaFuera, TDato::Zona, e.Zona.Vista(),
                          LeerEnteroInicial(e.Zona.Vista()));
        case rzFajaGK: {
            // The millions digit, bounded before it becomes an integer (a Y of 1e25 has none).
            long double y = 0;
            LeerReal(e.Coord2.Vista(), y);
            const long double millones = std::floor(std::fabs(y) / 1000000);
            return Motivo(TCodigoMotivo::FajaFuera, TDato::Y, e.Coord2.Vista(),
                          millones < 1e9L ? static_cast<int64_t>(millones) : 999999999);
        }
        case rzLejosDeLaFaja:
            return Motivo(TCodigoMotivo::LejosDeLaFaja, TDato::Ninguno, std::string_view());
        case rzResultadoLargo:
            return Motivo(TCodigoMotivo::ResultadoLargo, TDato::Ninguno, std::string_view());
        case rzSinResultado:
            return Motivo(TCodigoMotivo::SinResultado, TDato::Ninguno, std::string_view());
    }
    return Motivo(TCodigoMotivo::SinResultado, TDato::Ninguno, std::string_view());
}

bool ConvertirPunto(const TPuntoLeido &p, TCoordenadas &c, TMotivo &motivo) {
    return ConvertirPunto(Vista(p), c, motivo);
}

bool ConvertirPunto(const TPuntoVista &p, TCoordenadas &c, TMotivo &motivo) {
    try {
        TValoresEntrada v;
        if (!Preparar(p, c, v, motivo)) return false;
        if (c.ConvertirValores(v)) {
            // No result that this rule would refuse or read as another value when read back.
            if (c.TipoDestino == tcUTM &&
                c.Salida.ZonaHemisferio.Vista().substr(c.Salida.ZonaHemisferio.Vista().size() - 1) == "N") {
                motivo = Motivo(TCodigoMotivo::NorteUTM, TDato::Ninguno, std::string_view());
                return false;
            }
            // A computed height of 0 would read back as the default 1.5 m (an input of 0, copied
            // through unchanged, reads back as it was read).
            long double h = 0;
            if (v.Altura != 0 && LeerReal(c.Salida.Coord3.Vista(), h) && h == 0) {
                motivo = Motivo(TCodigoMotivo::AlturaCero, TDato::Ninguno, std::string_view());
                return false;
            }
            return true;
        }
        motivo = MotivoConversion(c);
    } catch (const std::exception &e) {
        // Nothing that passed the checks above should raise; if it does, the point fails with it.
        motivo = Motivo(TCodigoMotivo::Error, TDato::Ninguno, e.what());
    }
    return false;
}
