// Converting input lines into result lines: the one pass shared by the window's background
// workers and zuvelo-convert. A bad line gives the failed-result line and the pass goes on.
#include "lote.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "angulo.h"
#include "constantes.h"

#include "linea_larga.h"
#include "lineas.h"
#include "numeros.h"

void ConfigurarCoordenadas(TCoordenadas &c, int marcoFuente, int marcoDestino, int tipoFuente,
                           int tipoDestino) {
    c.SetElipsoideFuente(marcoFuente == 0 ? ElipsoidePOSGAR : ElipsoideInchauspe);
    c.SetElipsoideDestino(marcoDestino == 0 ? ElipsoidePOSGAR : ElipsoideInchauspe);
    // Source items: GEO, GK, UTM, GPS (waypoints are geographic); destination items: GEO, GK, UTM.
    c.SetTipoFuente(tipoFuente == 1 ? tcGaussKruger : tipoFuente == 2 ? tcUTM : tcGeografica);
    c.SetTipoDestino(tipoDestino == 1 ? tcGaussKruger : tipoDestino == 2 ? tcUTM : tcGeografica);
}

namespace {

// Builds the result line into `s`, reusing its storage (one line per input line of a large file).
void ArmarLineaResultado(const TPuntoTexto &salida, char delimitador, std::string &s) {
    s.clear();
    s += salida.Coord1.str();
    s += delimitador;
    s += salida.Coord2.str();
    s += delimitador;
    s += salida.Coord3.str();
    if (!salida.Zona.empty()) {
        s += delimitador;
        s += salida.Zona.str();
    }
}

}  // namespace

std::string LineaResultado(const TPuntoTexto &salida, char delimitador) {
    std::string s;
    ArmarLineaResultado(salida, delimitador, s);
    return s;
}

namespace {

std::string Citado(const std::string &s) {
    return "'" + s + "'";
}

// The everyday form of a number, [-]digits[.digits], is a number for EsNumero too; anything else
// goes to EsNumero itself. Saves the full reader on every value of a large file.
bool Numerico(const std::string &s) {
    std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    bool digito = false, punto = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9')
            digito = true;
        else if (c == '.' && !punto)
            punto = true;
        else
            return EsNumero(s);
    }
    return digito || EsNumero(s);
}

// The fields of a DMS text where the angle reader takes them: degrees before the degree sign,
// minutes before the first minute sign, seconds before the second sign, each sign followed by one
// skipped character; the hemisphere letter two characters after the second sign, or else the first
// character left after the minutes (or after the degrees). Letra is '\0' when there is none.
struct TPartesDMS {
    std::string_view Grados, Minutos, Segundos;
    bool HayMinutos = false, HaySegundos = false;
    char Letra = '\0';
};

TPartesDMS PartesDMS(std::string_view t) {
    TPartesDMS p;
    const std::size_t g = t.find('\xB0');
    p.Grados = t.substr(0, g);
    t.remove_prefix(std::min(t.size(), g + 2));
    const std::size_t m = t.find('\'');
    if (m != std::string_view::npos) {
        p.HayMinutos = true;
        p.Minutos = t.substr(0, m);
        t.remove_prefix(std::min(t.size(), m + 2));
    }
    const std::size_t q = t.find('"');
    if (q != std::string_view::npos) {
        p.HaySegundos = true;
        p.Segundos = t.substr(0, q);
        p.Letra = q + 2 < t.size() ? t[q + 2] : '\0';
    } else {
        p.Letra = t.empty() ? '\0' : t[0];
    }
    return p;
}

// Only S and W make an angle negative, so any other letter would read as N or E. The reader adds
// degrees, minutes and seconds as they stand: a minus sign inside ("-34\xB0 36' 12.5\" S" reads as
// 33.4 deg N) or 90 minutes would land elsewhere, and seconds that do not read would count as 0. Throws
// EEnteroInvalido for a degree or minute field that is not a whole number, as the reader would.
std::string RevisarDMS(const std::string &t, const char *nombre, const char *letras) {
    if (t.find('\xB0') == std::string::npos)
        return std::string(nombre) + " " + Citado(t) + " is not degrees-minutes-seconds (no degree sign)";
    const TPartesDMS p = PartesDMS(t);
    if (p.Letra == '\0' || (p.Letra != letras[0] && p.Letra != letras[1]))
        return std::string(nombre) + " " + Citado(t) + " has no hemisphere letter " + letras[0] + " or " +
               letras[1];
    LeerEntero(p.Grados);
    const int32_t minutos = p.HayMinutos ? LeerEntero(p.Minutos) : 0;
    long double segundos = 0;
    if (p.HaySegundos && !LeerReal(p.Segundos, segundos))
        return std::string(nombre) + " " + Citado(t) + ": seconds " + Citado(std::string(p.Segundos)) +
               " are not a number";
    // 60 seconds is allowed: the program itself writes them so when they round up to 60.
    const auto conSigno = [](std::string_view campo) { return campo.find('-') != std::string_view::npos; };
    if (conSigno(p.Grados) || conSigno(p.Minutos) || minutos > 59 || !(segundos >= 0 && segundos <= 60) ||
        std::signbit(segundos))
        return std::string(nombre) + " " + Citado(t) +
               " out of range: degrees without sign, minutes 0 to 59, seconds 0 to 60";
    return std::string();
}

// Why the core refused a point that passed MotivoRechazo: a latitude past a pole, or a point so far
// outside the strips and zones that the projection gives no result.
std::string MotivoSinResultado(const TCoordenadas &c) {
    if (c.TipoFuente == tcGeografica) {
        TModoWGS lat;
        lat.AsignarValor(c.Entrada.Coord1.str(), 1, c.Entrada.EnDecimal);
        if (std::fabs(lat.GetRadianes()) * kGradoPorRad > 90) return "latitude beyond 90\xB0";
    }
    return "no result: the point lies far outside the strips and zones";
}

}  // namespace

std::string MotivoRechazo(const TPuntoLeido &p, const TCoordenadas &c) {
    const bool geo = c.TipoFuente == tcGeografica;
    const char *n1 = geo ? "latitude" : "X";
    const char *n2 = geo ? "longitude" : "Y";
    if (p.Coord1.empty()) return std::string("empty ") + n1;
    if (p.Coord2.empty()) return std::string("empty ") + n2;
    if (!geo || p.EnDecimal) {
        if (!Numerico(p.Coord1.str()))
            return std::string(n1) + " " + Citado(p.Coord1.str()) + " is not a number";
        if (!Numerico(p.Coord2.str()))
            return std::string(n2) + " " + Citado(p.Coord2.str()) + " is not a number";
    }
    if (geo && !p.EnDecimal) {
        std::string porque = RevisarDMS(p.Coord1.str(), n1, "NS");
        if (porque.empty()) porque = RevisarDMS(p.Coord2.str(), n2, "EW");
        if (!porque.empty()) return porque;
    }
    if (!Numerico(p.Coord3.str())) return "height " + Citado(p.Coord3.str()) + " is not a number";
    if (c.TipoFuente == tcUTM) {
        if (p.Zona.empty()) return "no zone";
        const int32_t zona = LeerEntero(p.Zona.str());  // throws for "20S": the caller reports it
        if (zona < 1 || zona > 60) return "zone " + std::to_string(zona) + " outside 1 to 60";
    }
    return std::string();
}

TResultadoLinea ConvertirPunto(const TPuntoLeido &punto, char delimitador, TCoordenadas &c,
                               std::string &resultado, std::string *motivo) {
    const auto fallo = [&](std::string porque) {
        resultado.assign(2, delimitador);
        if (motivo) *motivo = std::move(porque);
        return rlFallido;
    };
    try {
        std::string porque = MotivoRechazo(punto, c);
        if (!porque.empty()) return fallo(std::move(porque));
        c.Entrada.Coord1 = punto.Coord1.str();
        c.Entrada.Coord2 = punto.Coord2.str();
        c.Entrada.Coord3 = punto.Coord3.str();
        c.Entrada.Zona = punto.Zona.str();
        c.Entrada.EnDecimal = punto.EnDecimal;
        if (!c.Convertir()) return fallo(MotivoSinResultado(c));
    } catch (const std::exception &e) {
        // "'34x' is not a valid integer value": a degree, minute or zone field that is not whole.
        return fallo(e.what());
    }
    ArmarLineaResultado(c.Salida, delimitador, resultado);
    if (motivo) motivo->clear();
    return rlConvertido;
}

TResultadoLinea ConvertirLinea(std::string_view linea, const TOpcionesLectura &opc, TCoordenadas &c,
                               std::string &resultado, std::string *motivo) {
    TPuntoLeido punto;
    if (!LeerPunto(linea, opc, punto)) {
        resultado.clear();
        if (motivo) *motivo = MotivoSinPunto(linea, opc);
        return rlSinPunto;
    }
    // A value at the full width of its field may have been cut: then it would read as another value.
    if (punto.Coord1.size() == 30 || punto.Coord2.size() == 30 || punto.Coord3.size() == 30 ||
        punto.Zona.size() == 5) {
        std::string porque = MotivoCorte(linea, opc);
        if (!porque.empty()) {
            resultado.assign(2, opc.Delimitador);
            if (motivo) *motivo = std::move(porque);
            return rlFallido;
        }
    }
    if (c.TipoFuente == tcUTM && punto.Zona.empty() && opc.ColZona != 0) {
        resultado.assign(2, opc.Delimitador);
        if (motivo) *motivo = "no zone: column " + std::to_string(opc.ColZona) + " missing";
        return rlFallido;
    }
    return ConvertirPunto(punto, opc.Delimitador, c, resultado, motivo);
}

TResumenLote ConvertirSegmento(const std::string &entrada, const std::string &salida,
                               const TOpcionesLectura &opc, TCoordenadas &c,
                               const std::atomic<bool> &detener) {
    TResumenLote resumen;
    // Segments were written by this program in Windows-1252: no UTF-8 guessing on them.
    TLectorLineas lector(entrada, false);
    lector.LimitarLinea(kLargoMaximoLinea);
    TArchivoSeguro escritor(salida, {lector.Id()});
    std::string linea, resultado;
    while (lector.Leer(linea)) {
        if (detener.load(std::memory_order_relaxed)) {
            // An unfinished segment must not be joined into a result later: remove any old one.
            resumen.Detenido = true;
            std::remove(salida.c_str());
            return resumen;
        }
        std::string_view leida = linea;
        if (lector.Cortada()) {
            const std::optional<std::string_view> campos = CamposCompletos(linea, opc);
            if (!campos) {
                ++resumen.Fallidos;
                escritor.Linea(std::string(2, opc.Delimitador));
                continue;
            }
            leida = *campos;
        }
        switch (ConvertirLinea(leida, opc, c, resultado)) {
            case rlSinPunto:
                ++resumen.SinPunto;
                continue;
            case rlConvertido:
                ++resumen.Convertidos;
                break;
            case rlFallido:
                ++resumen.Fallidos;
                break;
        }
        escritor.Linea(resultado);
    }
    escritor.Confirmar();
    return resumen;
}
