// The words of every reason, in English and in Spanish. Texts are Windows-1252.
#include "motivo.h"

namespace {

constexpr std::size_t kCitaMaxima = 40;

// The five bytes Windows-1252 leaves undefined become C1 controls in UTF-8.
bool Indefinido1252(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

const char *NombreDato(TDato d, bool es) {
    switch (d) {
        case TDato::Latitud:
            return es ? "latitud" : "latitude";
        case TDato::Longitud:
            return es ? "longitud" : "longitude";
        case TDato::X:
            return "X";
        case TDato::Y:
            return "Y";
        case TDato::Altura:
            return es ? "altura" : "height";
        case TDato::Zona:
            return es ? "zona" : "zone";
        case TDato::Faja:
            return es ? "faja" : "strip";
        case TDato::Linea:
            return es ? "l\xEDnea" : "line";
        case TDato::Ninguno:
            break;
    }
    return es ? "valor" : "value";
}

std::string Numero(int64_t n) {
    return std::to_string(n);
}

}  // namespace

EMotivo::EMotivo(TMotivo motivo)
    : std::runtime_error(TextoMotivo(motivo, TIdioma::Ingles)), Motivo(std::move(motivo)) {}

std::string Mostrable(std::string_view texto, std::size_t maximo, bool cp1252) {
    std::string s;
    std::size_t n = 0;
    for (char ch : texto) {
        if (n == maximo) {
            s += cp1252 ? "\x85" : "...";
            break;
        }
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || (cp1252 && Indefinido1252(c))) {
            static const char kHex[] = "0123456789ABCDEF";
            s += "\\x";
            s += kHex[c >> 4];
            s += kHex[c & 15];
        } else {
            s += ch;
        }
        ++n;
    }
    return s;
}

std::string Citar(std::string_view valor) {
    return "'" + Mostrable(valor, kCitaMaxima) + "'";
}

std::string TextoMotivo(const TMotivo &m, TIdioma idioma) {
    const bool es = idioma == TIdioma::Espanol;
    const std::string dato = NombreDato(m.Dato, es);
    const std::string v = dato + " " + Citar(m.Valor);
    const bool latitud = m.Dato == TDato::Latitud;
    switch (m.Codigo) {
        case TCodigoMotivo::Ninguno:
            return std::string();
        case TCodigoMotivo::LineaVacia:
            return es ? "l\xEDnea vac\xED"
                        "a"
                      : "empty line";
        case TCodigoMotivo::SinColumnas:
            return es ? "no se indic\xF3 la columna de la primera o de la segunda coordenada"
                      : "no column given for the first or second coordinate";
        case TCodigoMotivo::PocosCampos:
            if (es)
                return std::string(m.N1 == 1 ? "solo 1 campo" : "solo " + Numero(m.N1) + " campos") +
                       ", hace falta la columna " + Numero(m.N2);
            return "only " + Numero(m.N1) + (m.N1 == 1 ? " field" : " fields") + ", column " + Numero(m.N2) +
                   " needed";
        case TCodigoMotivo::LineaLarga:
            return es ? "l\xEDnea de m\xE1s de " + Numero(m.N1) +
                            " caracteres: un campo necesario sigue despu\xE9s"
                      : "line longer than " + Numero(m.N1) + " characters: a needed field runs past them";
        case TCodigoMotivo::Vacio:
            return es ? dato +
                            " vac\xED"
                            "a"
                      : "empty " + dato;
        case TCodigoMotivo::NoNumero:
            return es ? v + " no es un n\xFAmero" : v + " is not a number";
        case TCodigoMotivo::ComaDecimal:
            return es ? v + " tiene coma decimal: use el punto '.'"
                      : v + " has a decimal comma: write the decimal point '.'";
        case TCodigoMotivo::Largo:
            return es ? v + " tiene m\xE1s de " + Numero(m.N1) + " caracteres"
                      : v + " is longer than " + Numero(m.N1) + " characters";
        case TCodigoMotivo::SinSignoGrado:
            return es ? v + " no est\xE1 en grados, minutos y segundos (falta el signo \xB0)"
                      : v + " is not degrees-minutes-seconds (no degree sign)";
        case TCodigoMotivo::DMSIlegible:
            return es ? v + " no se puede leer como grados, minutos y segundos"
                      : v + " cannot be read as degrees-minutes-seconds";
        case TCodigoMotivo::SinHemisferio:
            if (es)
                return v + (latitud ? " no tiene la letra del hemisferio (S o N)"
                                    : " no tiene la letra del hemisferio (O o E)");
            return v + (latitud ? " has no hemisphere letter N or S" : " has no hemisphere letter E or W");
        case TCodigoMotivo::HemisferioDoble:
            return es ? v + " indica el hemisferio dos veces" : v + " gives its hemisphere twice";
        case TCodigoMotivo::NoEntero:
            if (es)
                return v + (m.N1 == 0 ? ": los grados deben ser enteros" : ": los minutos deben ser enteros");
            return v + (m.N1 == 0 ? ": degrees must be whole" : ": minutes must be whole");
        case TCodigoMotivo::MinutosFuera:
            return es ? v + ": minutos mayores que 59" : v + ": minutes above 59";
        case TCodigoMotivo::SegundosFuera:
            return es ? v + ": segundos mayores que 60" : v + ": seconds above 60";
        case TCodigoMotivo::FueraDeRango:
            if (es) return v + (latitud ? " mayor que 90\xB0" : " mayor que 180\xB0");
            return v + (latitud ? " beyond 90\xB0" : " beyond 180\xB0");
        case TCodigoMotivo::ZonaInvalida:
            return es ? v + " no es un n\xFAmero de zona" : v + " is not a zone number";
        case TCodigoMotivo::ZonaFuera: {
            const std::string zona = m.N1 < 1000000 ? Numero(m.N1) : Citar(m.Valor);
            return es ? "zona " + zona + " fuera de 1 a 60" : "zone " + zona + " outside 1 to 60";
        }
        case TCodigoMotivo::SinZona:
            return es ? "falta la zona" : "no zone";
        case TCodigoMotivo::FajaDistinta:
            return es ? "faja " + Numero(m.N1) + " en su columna, pero Y est\xE1 en la faja " + Numero(m.N2)
                      : "strip " + Numero(m.N1) + " in its column, but Y is in strip " + Numero(m.N2);
        case TCodigoMotivo::FajaSinDigito:
            if (es)
                return v +
                       " no tiene el d\xEDgito de la faja: la Y Gauss-Kr\xFC"
                       "ger empieza por su faja 1 a 7" +
                       std::string(m.N1 ? " (como Este UTM cabr\xED"
                                          "a)"
                                        : "");
            return v +
                   " has no strip digit: a Gauss-Kr\xFC"
                   "ger Y starts with its strip 1 to 7" +
                   std::string(m.N1 ? " (it would fit as a UTM easting)" : "");
        case TCodigoMotivo::UTMFuera: {
            const bool y = m.Dato == TDato::Y;
            std::string s = es ? v + (y ? " fuera de los Este de una zona UTM (100000 a 900000 m)"
                                        : " fuera de los Norte UTM del hemisferio sur (0 a 10000000 m)")
                               : v + (y ? " is outside a UTM zone's eastings (100000 to 900000 m)"
                                        : " is outside the southern UTM northings (0 to 10000000 m)");
            if (m.N1 > 0)
                s += es ? ": como Y Gauss-Kr\xFC"
                          "ger es de la faja " +
                              Numero(m.N1)
                        : ": it reads as a Gauss-Kr\xFC"
                          "ger Y of strip " +
                              Numero(m.N1);
            return s;
        }
        case TCodigoMotivo::NorteUTM:
            if (m.Dato != TDato::Ninguno)
                return es ? v + ": las zonas UTM del hemisferio norte no se convierten"
                          : v + ": northern UTM zones are not converted";
            return es ? "el punto est\xE1 al norte del ecuador: UTM del hemisferio norte no se escribe"
                      : "the point lies north of the equator: northern UTM is not written";
        case TCodigoMotivo::AlturaFuera:
            return es ? v + " fuera de " + Numero(m.N1) + " a " + Numero(m.N2) + " m"
                      : v + " outside " + Numero(m.N1) + " to " + Numero(m.N2) + " m";
        case TCodigoMotivo::AlturaCero:
            return es ? "la altura resultante es 0 m, que se leer\xED"
                        "a como la altura por defecto de 1.5 m"
                      : "the result height is 0 m, which reads back as the default 1.5 m";
        case TCodigoMotivo::FajaFuera:
            if (m.N1 > 9)
                return es ? v + " est\xE1 m\xE1s all\xE1 de las fajas 1 a 7"
                          : v + " lies beyond the strips 1 to 7";
            return es ? v + ": la faja " + Numero(m.N1) + " no es ninguna de las fajas 1 a 7"
                      : v + ": strip " + Numero(m.N1) + " is none of the strips 1 to 7";
        case TCodigoMotivo::LejosDeLaFaja:
            return es ? "el punto est\xE1 a m\xE1s de 3.45\xB0 del meridiano central de su faja (fuera de "
                        "las "
                        "fajas "
                        "Gauss-Kr\xFCger)"
                      : "the point lies more than 3.45\xB0 from its strip's central meridian (outside the "
                        "Gauss-Kr\xFCger strips)";
        case TCodigoMotivo::ResultadoLargo:
            return es ? "un resultado no cabe en sus 30 caracteres"
                      : "a result does not fit its 30 characters";
        case TCodigoMotivo::SinResultado:
            return es ? "sin resultado: el punto est\xE1 muy lejos de las fajas y zonas"
                      : "no result: the point lies far outside the strips and zones";
        case TCodigoMotivo::Error:
            return m.Valor;
    }
    return std::string();
}
