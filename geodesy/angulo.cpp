// TModoWGS: reading a latitude or longitude from DMS text (34° 36' 12.5" S) or decimal degrees,
// and giving it back as radians or text. The degree sign is byte 176 (Windows-1252).
#include "angulo.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include "constantes.h"
#include "numeros.h"

TModoWGS ModoWGS;

namespace {

constexpr char kSignoGrado = '\xB0';

int32_t TruncarEntero32(long double x) {
    return static_cast<int32_t>(std::clamp<int64_t>(TruncarEntero(x), std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

struct TCamposDMS {
    int32_t grados = 0;
    int32_t minutos = 0;
    bool haySegundos = false;
    std::string_view segundos;  // the text before the second sign
    char hemisferio = '\0';
};

// Degrees before the first degree sign, minutes before the first minute sign, seconds before the
// second sign; each sign is followed by one separator character that is skipped. A degree or
// minute field that is not a whole number throws EEnteroInvalido (no degree sign: empty field).
TCamposDMS LeerCamposDMS(std::string_view t) {
    TCamposDMS c;
    const std::size_t pg = t.find(kSignoGrado);
    c.grados = LeerEntero(pg == std::string_view::npos ? std::string_view() : t.substr(0, pg));
    t.remove_prefix(std::min(t.size(), pg + 2));
    const std::size_t pm = t.find('\'');
    if (pm != std::string_view::npos) {
        c.minutos = LeerEntero(t.substr(0, pm));
        t.remove_prefix(std::min(t.size(), pm + 2));
    }
    const std::size_t ps = t.find('"');
    if (ps != std::string_view::npos) {
        c.haySegundos = true;
        c.segundos = t.substr(0, ps);
        c.hemisferio = ps + 2 < t.size() ? t[ps + 2] : '\0';
    } else {
        c.hemisferio = t.empty() ? '\0' : t[0];
    }
    return c;
}

// A seconds field that does not read counts as 0.
long double LeerSegundos(std::string_view texto) {
    long double v = 0;
    return LeerReal(texto, v) ? v : 0;
}

}  // namespace

void TModoWGS::AsignarValor(std::string_view texto, uint8_t tipo, uint8_t decimal) {
    Tipo = tipo;
    Texto.clear();
    Decimal = 0;
    if (texto.empty()) return;
    if (decimal != 0) {
        const bool menos = texto[0] == '-';
        Hemisferio = tipo == 1 ? (menos ? 'S' : 'N') : (menos ? 'W' : 'E');
        if (menos) texto.remove_prefix(1);
        long double v = 0;
        if (!LeerReal(texto, v)) v = 0;  // a decimal text that does not read counts as 0
        Decimal = v;
        Grados = TruncarEntero32(v);
        const long double r = (v - Grados) * 60;
        Minutos = TruncarEntero32(r);
        Segundos = (r - Minutos) * 60;
        return;
    }
    const TCamposDMS c = LeerCamposDMS(texto);
    Grados = c.grados;
    Minutos = c.minutos;
    Segundos = c.haySegundos ? LeerSegundos(c.segundos) : 0;
    Hemisferio = c.hemisferio;
    Decimal = GradosDeDMS(Grados, Minutos, Segundos);
}

void TModoWGS::Asignar(const std::string &texto, uint8_t tipo, uint8_t decimal) {
    try {
        AsignarValor(texto, tipo, decimal);
    } catch (const EEnteroInvalido &) {
        Texto = texto;  // the DMS text is taken before its fields are read
        throw;
    }
    if (texto.empty()) return;
    if (decimal == 0) {
        Texto = texto;
        return;
    }
    Texto = std::to_string(Grados);
    Texto += "\xB0 ";
    Texto += std::to_string(Minutos);
    Texto += "' ";
    TEspacioTexto e;
    Texto += EscribirFijo(e, Segundos, 5, 8);
    Texto += "\" ";
    Texto += Hemisferio;
}

void TModoWGS::Limpiar() {
    Tipo = 0;
    Grados = 0;
    Hemisferio = '\0';
    Decimal = 0;
}

void TModoWGS::SetTexto(const std::string &texto) {
    Texto = texto;
    const TCamposDMS c = LeerCamposDMS(Texto);
    Grados = c.grados;
    Minutos = c.minutos;
    Hemisferio = c.hemisferio;
    if (!c.haySegundos) {
        Segundos = 0;
    } else {
        // Seconds shown exactly as Asignar wrote them keep their stored, more precise value.
        TEspacioTexto e;
        if (c.segundos != EscribirFijo(e, Segundos, 5, 8)) Segundos = LeerSegundos(c.segundos);
    }
    Decimal = GradosDeDMS(Grados, Minutos, Segundos);
}

std::string TModoWGS::GetDecimal() const {
    std::string r = Hemisferio == 'S' || Hemisferio == 'W' ? "-" : "";
    TEspacioTexto e;
    r += EscribirFijo(e, Decimal, 13, 16);
    return r;
}

long double TModoWGS::GetRadianes() const {
    return RadianesDeGrados(Decimal, Hemisferio == 'S' || Hemisferio == 'W');
}
