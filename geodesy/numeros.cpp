// Number texts of the core: the real and integer readers, the fixed-point, metres and DMS writers,
// Signo and Potencia. '.' is the decimal point whatever the locale: nothing here reads LC_NUMERIC.
#include "numeros.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include "constantes.h"

EEnteroInvalido::EEnteroInvalido(const std::string &texto)
    : std::runtime_error("'" + texto + "' is not a valid integer value"), texto_(texto) {}

namespace {

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

// Powers of ten exact in an 80-bit real: 5^27 < 2^63, so 10^0 .. 10^27 are all representable.
constexpr int kMaxPotenciaExacta = 27;
struct TablaPotencias {
    long double v[kMaxPotenciaExacta + 1];
    constexpr TablaPotencias() : v() {
        long double p = 1;
        for (int i = 0; i <= kMaxPotenciaExacta; ++i) {
            v[i] = p;
            p *= 10;
        }
    }
};
constexpr TablaPotencias kPotencias10;

struct TablaPotenciasEnteras {
    uint64_t v[19];
    constexpr TablaPotenciasEnteras() : v() {
        uint64_t p = 1;
        for (int i = 0; i < 19; ++i, p *= 10) v[i] = p;
    }
};
constexpr TablaPotenciasEnteras kPotencias10Enteras;

// Appends to a TEspacioTexto: stays in the fixed buffer while the text fits, moves to the string
// once it does not.
class Escritor {
  public:
    explicit Escritor(TEspacioTexto &e) : e_(e) {}
    void Agregar(std::string_view s) {
        if (!enLargo_ && n_ + s.size() <= sizeof(e_.corto)) {
            std::memcpy(e_.corto + n_, s.data(), s.size());
            n_ += s.size();
            return;
        }
        if (!enLargo_) {
            e_.largo.assign(e_.corto, n_);
            enLargo_ = true;
        }
        e_.largo.append(s);
    }
    void Agregar(char c) { Agregar(std::string_view(&c, 1)); }
    std::string_view Texto() const {
        return enLargo_ ? std::string_view(e_.largo) : std::string_view(e_.corto, n_);
    }

  private:
    TEspacioTexto &e_;
    std::size_t n_ = 0;
    bool enLargo_ = false;
};

// Exact fixed-point digits of |x| with `dec` decimals, rounded to nearest with ties to even (the
// rule of std::to_chars), when the scaled value fits 64 bits. |x| = m 2^e2 with m < 2^64, so
// m 10^dec (< 2^124 for dec <= 18) is exact in 128 bits and the shift gives quotient and remainder.
// x is read where it lies: its sign bit is left out, so no |x| has to be stored first (an 80-bit
// store read back in parts waits until it has left the core).
bool DigitosFijosRapidos(const long double &x, int dec, uint64_t &q) {
    if (!(std::fabs(x) < 1.8e19L / kPotencias10.v[dec])) return false;
    const uint64_t escala = kPotencias10Enteras.v[dec];
    uint64_t m;
    int e2;
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        // x87 extended: the 64-bit significand and the biased exponent read straight from memory.
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&x);
        std::memcpy(&m, bytes, 8);
        uint16_t exponente;
        std::memcpy(&exponente, bytes + 8, 2);
        e2 = (exponente & 0x7FFF) == 0 ? -16445 : (exponente & 0x7FFF) - 16383 - 63;
    } else {
        int ex = 0;
        const long double fr = std::frexp(std::fabs(x), &ex);
        m = static_cast<uint64_t>(std::ldexp(fr, 64));
        e2 = ex - 64;
    }
    const unsigned __int128 p = static_cast<unsigned __int128>(m) * escala;
    if (e2 >= 0) {
        q = static_cast<uint64_t>(p << e2);
        return true;
    }
    const int s = -e2;
    if (s >= 128) {
        q = 0;
        return true;
    }
    q = static_cast<uint64_t>(p >> s);
    const unsigned __int128 resto = p & ((static_cast<unsigned __int128>(1) << s) - 1);
    const unsigned __int128 medio = static_cast<unsigned __int128>(1) << (s - 1);
    if (resto > medio || (resto == medio && (q & 1))) ++q;
    return true;
}

// A whole number, written plainly ("34", "-7"); the degrees and minutes of FormatoDMS.
void AgregarEntero(Escritor &w, long double v) {
    char buf[32];
    if (std::fabs(v) < 1e18L) {
        auto r = std::to_chars(buf, buf + sizeof buf, TruncarEntero(v));
        w.Agregar(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
        return;
    }
    TEspacioTexto e;
    w.Agregar(EscribirFijo(e, v, 0, 0));
}

std::string_view QuitarEspaciosVista(std::string_view t) {
    std::size_t i = 0, j = t.size();
    while (i < j && t[i] == ' ') ++i;
    while (j > i && t[j - 1] == ' ') --j;
    return t.substr(i, j - i);
}

}  // namespace

int32_t LeerEntero(std::string_view texto) {
    std::size_t i = 0;
    const std::size_t n = texto.size();
    while (i < n && texto[i] == ' ') ++i;
    bool negativo = false;
    if (i < n && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';
    const std::size_t inicio = i;
    int64_t v = 0;
    for (; i < n && EsDigito(texto[i]); ++i) {
        v = v * 10 + (texto[i] - '0');
        if (v > 2147483648LL) throw EEnteroInvalido(std::string(texto));
    }
    if (i == inicio || i != n) throw EEnteroInvalido(std::string(texto));
    if (negativo) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) throw EEnteroInvalido(std::string(texto));
    return static_cast<int32_t>(v);
}

namespace {

// The whole syntax, any number of digits and any exponent: the slow path of LeerReal.
bool LeerRealGeneral(std::string_view t, long double &valor) {
    const std::size_t n = t.size();
    std::size_t i = 0;
    while (i < n && t[i] == ' ') ++i;
    bool negativo = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negativo = t[i++] == '-';
    const std::size_t iniEnt = i;
    while (i < n && EsDigito(t[i])) ++i;
    const std::string_view entera = t.substr(iniEnt, i - iniEnt);
    std::string_view fraccion;
    if (i < n && t[i] == '.') {
        const std::size_t ini = ++i;
        while (i < n && EsDigito(t[i])) ++i;
        fraccion = t.substr(ini, i - ini);
    }
    // The mantissa needs a digit on one side of the point: ".5" and "5." read, ".", "-." and a lone
    // sign do not.
    if (entera.empty() && fraccion.empty()) return false;
    int64_t exponente = 0;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        bool expNegativo = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) expNegativo = t[i++] == '-';
        const std::size_t ini = i;
        for (; i < n && EsDigito(t[i]); ++i)
            if (exponente < 1000000) exponente = exponente * 10 + (t[i] - '0');
        if (i == ini) return false;
        if (expNegativo) exponente = -exponente;
    }
    if (i != n) return false;

    // Significant digits d1 d2 ... dk and the power of ten of the last one.
    std::size_t cerosIniciales = 0;  // over entera then fraccion
    const std::size_t total = entera.size() + fraccion.size();
    auto digito = [&](std::size_t k) { return k < entera.size() ? entera[k] : fraccion[k - entera.size()]; };
    while (cerosIniciales < total && digito(cerosIniciales) == '0') ++cerosIniciales;
    std::size_t fin = total;
    while (fin > cerosIniciales && digito(fin - 1) == '0') --fin;
    if (fin == cerosIniciales) {
        valor = negativo ? -0.0L : 0.0L;
        return true;
    }
    const std::size_t significativos = fin - cerosIniciales;
    // value = digits * 10^(exponente - (digits after the point up to `fin`))
    const int64_t potencia = exponente - (static_cast<int64_t>(fin) - static_cast<int64_t>(entera.size()));

    // One rounding of two exact operands is the correctly rounded result (Clinger's fast path).
    if (significativos <= 19 && potencia >= -kMaxPotenciaExacta && potencia <= kMaxPotenciaExacta) {
        uint64_t m = 0;
        for (std::size_t k = cerosIniciales; k < fin; ++k)
            m = m * 10 + static_cast<uint64_t>(digito(k) - '0');
        long double v = static_cast<long double>(m);
        v = potencia >= 0 ? v * kPotencias10.v[potencia] : v / kPotencias10.v[-potencia];
        valor = negativo ? -v : v;
        return true;
    }

    std::string normal;
    normal.reserve(significativos + 24);
    for (std::size_t k = cerosIniciales; k < fin; ++k) normal.push_back(digito(k));
    normal.push_back('e');
    normal += std::to_string(potencia);
    long double v = 0;
    const auto r = std::from_chars(normal.data(), normal.data() + normal.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Decimal order of magnitude of the first significant digit decides over- or underflow.
        if (potencia + static_cast<int64_t>(significativos) < 0) {
            valor = negativo ? -0.0L : 0.0L;
            return true;
        }
        return false;
    }
    if (r.ec != std::errc() || r.ptr != normal.data() + normal.size()) return false;
    valor = negativo ? -v : v;
    return true;
}

}  // namespace

namespace {

template <bool kFinito>
bool LeerRealComo(std::string_view t, long double &valor) {
    // One pass over the usual texts (at most 19 significant digits, a short exponent): the digits as
    // one whole number d (leading zeros add nothing) and the power of ten p of the last one. With
    // d < 2^64 and |p| <= 27 both operands are exact and d 10^p is rounded once: the correctly
    // rounded value, which every other way of writing the same number also gives (Clinger's fast
    // path). Anything else, and every text that does not read, goes through LeerRealGeneral.
    const char *p = t.data(), *const fin = p + t.size();
    while (p < fin && *p == ' ') ++p;
    bool negativo = false;
    if (p < fin && (*p == '+' || *p == '-')) negativo = *p++ == '-';
    uint64_t d = 0;
    const auto cifras = [&d, &p, fin] {
        for (; p < fin; ++p) {
            const unsigned c = static_cast<unsigned char>(*p) - unsigned('0');
            if (c > 9) break;
            d = d * 10 + c;
        }
    };
    const char *const iniEntera = p;
    cifras();
    const char *const finEntera = p, *iniFraccion = p, *finFraccion = p;
    if (p < fin && *p == '.') {
        iniFraccion = ++p;
        cifras();
        finFraccion = p;
    }
    int exponente = 0;
    bool exponenteCorto = true;
    if (p < fin && (*p == 'e' || *p == 'E')) {
        ++p;
        bool menos = false;
        if (p < fin && (*p == '+' || *p == '-')) menos = *p++ == '-';
        const char *ini = p;
        for (; p < fin && EsDigito(*p) && p - ini < 4; ++p) exponente = exponente * 10 + (*p - '0');
        exponenteCorto = p > ini && (p == fin || !EsDigito(*p));
        if (menos) exponente = -exponente;
    }
    // Significant digits: all of them from the first that is not a zero.
    const char *q = iniEntera;
    while (q < finEntera && *q == '0') ++q;
    int64_t significativas = (finEntera - q) + (finFraccion - iniFraccion);
    if (q == finEntera) {
        q = iniFraccion;
        while (q < finFraccion && *q == '0') ++q;
        significativas = finFraccion - q;
    }
    const int64_t potencia = exponente - (finFraccion - iniFraccion);
    if (p != fin || (finEntera == iniEntera && finFraccion == iniFraccion) || !exponenteCorto ||
        significativas > 19 || potencia < -kMaxPotenciaExacta || potencia > kMaxPotenciaExacta)
        return LeerRealGeneral(t, valor) && (!kFinito || std::isfinite(valor));
    long double v = static_cast<long double>(d);
    v = potencia >= 0 ? v * kPotencias10.v[potencia] : v / kPotencias10.v[-potencia];
    valor = negativo ? -v : v;
    return true;
}

}  // namespace

bool LeerReal(std::string_view t, long double &valor) {
    return LeerRealComo<false>(t, valor);
}

bool LeerRealFinito(std::string_view t, long double &valor) {
    return LeerRealComo<true>(t, valor);
}

std::string_view EscribirFijo(TEspacioTexto &e, long double x, int decimales, int ancho) {
    decimales = std::clamp(decimales, 0, 18);
    char num[64];
    std::size_t largoNum = 0;
    uint64_t q = 0;
    const bool rapido = std::isfinite(x) && DigitosFijosRapidos(x, decimales, q);
    if (rapido) {
        char digitos[24];
        auto r = std::to_chars(digitos, digitos + sizeof digitos, q);
        std::size_t nd = static_cast<std::size_t>(r.ptr - digitos);
        if (std::signbit(x)) num[largoNum++] = '-';
        const std::size_t ud = static_cast<std::size_t>(decimales);
        if (nd <= ud) {  // 0.000ddd
            num[largoNum++] = '0';
            num[largoNum++] = '.';
            for (std::size_t k = nd; k < ud; ++k) num[largoNum++] = '0';
            std::memcpy(num + largoNum, digitos, nd);
            largoNum += nd;
        } else {
            std::memcpy(num + largoNum, digitos, nd - ud);
            largoNum += nd - ud;
            if (ud > 0) {
                num[largoNum++] = '.';
                std::memcpy(num + largoNum, digitos + nd - ud, ud);
                largoNum += ud;
            }
        }
    } else {
        auto r = std::to_chars(num, num + sizeof num, x, std::chars_format::fixed, decimales);
        if (r.ec == std::errc()) {
            largoNum = static_cast<std::size_t>(r.ptr - num);
        } else {  // thousands of digits: only for absurd values
            std::string grande(5000, '\0');
            r = std::to_chars(grande.data(), grande.data() + grande.size(), x, std::chars_format::fixed,
                              decimales);
            grande.resize(static_cast<std::size_t>(r.ptr - grande.data()));
            const std::size_t relleno =
                ancho > static_cast<int>(grande.size()) ? static_cast<std::size_t>(ancho) - grande.size() : 0;
            e.largo.assign(relleno, ' ');
            e.largo += grande;
            return e.largo;
        }
    }
    Escritor w(e);
    for (int k = static_cast<int>(largoNum); k < ancho; ++k) w.Agregar(' ');
    w.Agregar(std::string_view(num, largoNum));
    return w.Texto();
}

std::string FormatoFijo(long double x, int decimales, int ancho) {
    TEspacioTexto e;
    return std::string(EscribirFijo(e, x, decimales, ancho));
}

namespace {

// "00" to "99".
struct TablaPares {
    char v[200];
    constexpr TablaPares() : v() {
        for (int i = 0; i < 100; ++i) {
            v[2 * i] = static_cast<char>('0' + i / 10);
            v[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr TablaPares kPares;

// The digits of q, most significant first, written at p; returns the end.
char *Cifras(char *p, uint64_t q) {
    return std::to_chars(p, p + 20, q).ptr;
}

// The `n` (4 or 5) decimals held in r (r < 10^n), with the trailing zeros dropped but `minimo` kept.
char *Decimales(char *p, uint64_t r, int n, int minimo) {
    char d[6] = {};
    const unsigned alto = static_cast<unsigned>(r / 100), bajo = static_cast<unsigned>(r % 100);
    if (n == 5) {
        d[0] = static_cast<char>('0' + alto / 100);
        std::memcpy(d + 1, kPares.v + 2 * (alto % 100), 2);
    } else {
        std::memcpy(d, kPares.v + 2 * alto, 2);
    }
    std::memcpy(d + n - 2, kPares.v + 2 * bajo, 2);
    while (n > minimo && d[n - 1] == '0') --n;
    std::memcpy(p, d, 5);  // room for five: only the first n count
    return p + n;
}

}  // namespace

namespace {

// The metres of every coordinate and height, 1 to 2^26 m in magnitude (with 64-bit significands and
// little-endian words). There |x| = m 2^(e - 63) with e from 0 to 25, so the digits with 4 decimals are
// m 10^4 shifted right by 37 to 63 bits, whose remainder lies in the low word. The whole part (below
// 10^8) and the decimals are then put down as pairs of digits, the leading and trailing zeros
// counted on the words rather than looked for one by one. False for any other value.
bool MetrosComunes(const long double &x, char *p, std::size_t &largo) {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        uint64_t m;
        uint16_t exponente;
        std::memcpy(&m, &x, 8);
        std::memcpy(&exponente, reinterpret_cast<const unsigned char *>(&x) + 8, 2);
        const int e = (exponente & 0x7FFF) - 16383;
        if (e < 0 || e > 25) return false;
        const int s = 63 - e;
        const unsigned __int128 producto = static_cast<unsigned __int128>(m) * 10000u;
        uint64_t q = static_cast<uint64_t>(producto >> s);
        const uint64_t resto = static_cast<uint64_t>(producto) & ((uint64_t(1) << s) - 1);
        const uint64_t medio = uint64_t(1) << (s - 1);
        if (resto > medio || (resto == medio && (q & 1))) ++q;
        const uint32_t entero = static_cast<uint32_t>(q / 10000),
                       decimales = static_cast<uint32_t>(q % 10000);
        // Eight digits of the whole part, the first in the lowest byte.
        const uint32_t alto = entero / 10000, bajo = entero % 10000;
        char cifras[8];
        std::memcpy(cifras, kPares.v + 2 * (alto / 100), 2);
        std::memcpy(cifras + 2, kPares.v + 2 * (alto % 100), 2);
        std::memcpy(cifras + 4, kPares.v + 2 * (bajo / 100), 2);
        std::memcpy(cifras + 6, kPares.v + 2 * (bajo % 100), 2);
        uint64_t palabra;
        std::memcpy(&palabra, cifras, 8);
        const int ceros = __builtin_ctzll(palabra ^ 0x3030303030303030ULL) / 8;  // entero >= 1
        palabra >>= 8 * ceros;
        char d[4];
        std::memcpy(d, kPares.v + 2 * (decimales / 100), 2);
        std::memcpy(d + 2, kPares.v + 2 * (decimales % 100), 2);
        uint32_t dec;
        std::memcpy(&dec, d, 4);
        const uint32_t sinCero = dec ^ 0x30303030u;  // trailing zeros are the high bytes; one stays
        const int finales = sinCero == 0 ? 3 : std::min(3, __builtin_clz(sinCero) / 8);
        char *const inicio = p;
        *p = '-';
        p += std::signbit(x);
        std::memcpy(p, &palabra, 8);
        p += 8 - ceros;
        *p++ = '.';
        std::memcpy(p, &dec, 4);
        p += 4 - finales;
        largo = static_cast<std::size_t>(p - inicio);
        return true;
    }
#endif
    (void)x, (void)p, (void)largo;
    return false;
}

}  // namespace

std::string_view EscribirNumero(TEspacioTexto &e, const long double &x) {
    std::size_t largo;
    if (MetrosComunes(x, e.corto, largo)) return std::string_view(e.corto, largo);
    if (x == 0) return "0.0";
    uint64_t q;
    if (std::isfinite(x) && DigitosFijosRapidos(x, 4, q)) {
        // What the fixed-point text with 4 decimals becomes once trimmed: the digits written straight,
        // from the last decimal kept back to the sign.
        if (q == 0) return "0.0";  // a value that rounds to zero is written without a sign
        char *const fin = e.corto + 32, *p = Decimales(fin - 4, q % 10000, 4, 1);
        const std::size_t cola = static_cast<std::size_t>(fin - p);  // the decimals dropped
        p = fin - 4;
        *--p = '.';
        for (uint64_t v = q / 10000;;) {
            if (v < 10) {
                *--p = static_cast<char>('0' + v);
                break;
            }
            p -= 2;
            std::memcpy(p, kPares.v + 2 * (v % 100), 2);
            if ((v /= 100) == 0) break;
        }
        if (x < 0) *--p = '-';
        return std::string_view(p, static_cast<std::size_t>(fin - p) - cola);
    }
    std::string_view t = QuitarEspaciosVista(EscribirFijo(e, x, 4, 15));
    const std::size_t punto = t.find('.');
    if (punto == std::string_view::npos) return t;  // nan, inf
    while (t.size() > punto + 2 && t.back() == '0') t.remove_suffix(1);
    // A value that rounds to zero is written without a sign.
    if (t == "-0.0") return "0.0";
    return t;
}

std::string FormatoNumero(long double x) {
    TEspacioTexto e;
    return std::string(EscribirNumero(e, x));
}

std::string_view EscribirDMS(TEspacioTexto &e, int tipo, long double radianes) {
    const long double d = radianes * 180 / kPi;
    const long double a = std::fabs(d);
    // Whole degrees and minutes, truncated (past 1e18, absurd input, by the library's trunc).
    const bool corto = a < 1e18L;
    const long double grados = corto ? static_cast<long double>(TruncarEntero(a)) : std::trunc(a);
    const long double resto = (a - grados) * 60;
    const long double minutos = corto ? static_cast<long double>(TruncarEntero(resto)) : std::trunc(resto);
    // The seconds are held in double precision before they are written.
    double segundos = static_cast<double>((a - grados) * 3600 - minutos * 60);
    // Both products are rounded separately, so a value just above a whole minute can come out a few
    // ulps below zero; it is zero seconds.
    if (segundos < 0) segundos = 0;
    const bool negativo = Signo(d) == -1;
    const char letra = tipo == 1 ? (negativo ? 'S' : 'N') : (negativo ? 'W' : 'E');

    // Seconds with 5 decimals, without trailing zeros nor a bare point (12.5, 10, 0).
    uint64_t q;
    const long double s = segundos;
    if (corto && DigitosFijosRapidos(s, 5, q)) {
        char *p = e.corto;
        p = std::to_chars(p, p + 20, TruncarEntero(grados)).ptr;
        *p++ = '\xB0';
        *p++ = ' ';
        p = std::to_chars(p, p + 20, TruncarEntero(minutos)).ptr;
        *p++ = '\'';
        *p++ = ' ';
        if (std::signbit(segundos)) *p++ = '-';
        p = Cifras(p, q / 100000);
        if (q % 100000 != 0) {
            *p++ = '.';
            p = Decimales(p, q % 100000, 5, 1);
        }
        *p++ = '"';
        *p++ = ' ';
        *p++ = letra;
        return std::string_view(e.corto, static_cast<std::size_t>(p - e.corto));
    }

    TEspacioTexto eSeg;
    std::string_view seg = QuitarEspaciosVista(EscribirFijo(eSeg, segundos, 5, 8));
    if (seg.find('.') != std::string_view::npos) {
        while (!seg.empty() && seg.back() == '0') seg.remove_suffix(1);
        if (!seg.empty() && seg.back() == '.') seg.remove_suffix(1);
    }

    Escritor w(e);
    AgregarEntero(w, grados);
    w.Agregar("\xB0 ");
    AgregarEntero(w, minutos);
    w.Agregar("' ");
    w.Agregar(seg);
    w.Agregar("\" ");
    w.Agregar(letra);
    return w.Texto();
}

std::string FormatoDMS(int tipo, long double radianes) {
    TEspacioTexto e;
    return std::string(EscribirDMS(e, tipo, radianes));
}

long double LeerNumero(std::string_view texto) {
    long double v = 0;
    if (texto.empty() || !LeerReal(texto, v)) return 0;
    return v;
}

bool EsNumero(std::string_view texto) {
    long double v = 0;
    return texto.empty() || LeerReal(texto, v);
}

std::string QuitarEspacios(std::string_view texto) {
    return std::string(QuitarEspaciosVista(texto));
}

int32_t LeerEnteroInicial(std::string_view texto) {
    const std::string_view t = QuitarEspaciosVista(texto);
    std::size_t i = 0;
    int64_t v = 0;
    for (; i < t.size() && EsDigito(t[i]); ++i) {
        v = v * 10 + (t[i] - '0');
        if (v > std::numeric_limits<int32_t>::max()) {
            while (i < t.size() && EsDigito(t[i])) ++i;
            throw EEnteroInvalido(std::string(t.substr(0, i)));
        }
    }
    return static_cast<int32_t>(v);
}

long double Signo(long double x) {
    if (x < 0) return -1;
    if (x > 0) return 1;
    return 0;
}

namespace {

struct TFraccion {
    long double p, q;  // whole numbers
    bool exacta;
};

// Continued-fraction approximation p/q of x >= 0, at most 10 levels deep.
TFraccion AproximarFraccion(long double x, int profundidad) {
    const long double a = std::trunc(x);
    const long double resto = x - a;
    if (resto == 0) return {a, 1, true};
    long double b = 1 / resto;
    const long double siguiente = std::trunc(b + 1);
    if (siguiente - b < 1e-13L) b = siguiente;  // b lay just below a whole number
    if (b - std::trunc(b) <= 1e-13L) b = std::trunc(b);
    long double pPrima;
    bool exacta;
    if (b == std::trunc(b)) {
        pPrima = 1;
        exacta = true;
    } else if (profundidad >= 10 || !std::isfinite(b)) {
        b = std::round(b);
        pPrima = 1;
        exacta = false;
    } else {
        const TFraccion f = AproximarFraccion(b, profundidad + 1);
        pPrima = f.q;
        b = f.p;
        exacta = f.exacta;
    }
    return {std::trunc(b * a + pPrima), std::trunc(b), exacta};
}

bool EsImpar(long double entero) {
    return std::fmod(entero, 2.0L) != 0;
}

}  // namespace

long double PotenciaGeneral(long double base, long double exponente) {
    if (exponente == 0) return 1;
    if (base == 0 && exponente > 0) return 0;
    // Whole exponent of at most 31 bits (the series' 2 to 6): |base|^n by repeated products.
    const int64_t n = std::fabs(exponente) <= 2147483647.0L ? static_cast<int64_t>(exponente) : 0;
    if (n != 0 && n == exponente) {
        const uint64_t m = static_cast<uint64_t>(n < 0 ? -n : n);
        const long double b = std::fabs(base);
        long double r = b;
        if (m <= 64) {
            for (uint64_t k = 1; k < m; ++k) r *= b;
        } else {  // square and multiply: a large exponent must not take billions of steps
            r = 1;
            long double cuadrado = b;
            for (uint64_t k = m; k > 0; k >>= 1) {
                if (k & 1) r *= cuadrado;
                cuadrado *= cuadrado;
            }
        }
        if (n < 0) r = 1 / r;
        if ((m & 1) && base < 0) r = -r;
        return r;
    }
    // Other exponents: |base|^exponent; a negative base needs a root index that is odd. The fraction
    // is taken of |exponent| and the sign put back, so that negative exponents are judged alike.
    bool negar = false;
    if (base < 0) {
        if (!std::isfinite(exponente))
            throw EPotenciaInvalida("Error: Base < 0 y el \xA1ndice de la Raiz es par o Irracional ...");
        TFraccion f = AproximarFraccion(std::fabs(exponente), 1);
        if (!f.exacta || (EsImpar(f.p) && !EsImpar(f.q)))
            throw EPotenciaInvalida("Error: Base < 0 y el \xA1ndice de la Raiz es par o Irracional ...");
        negar = EsImpar(f.p) && EsImpar(f.q);
    }
    const long double r = std::pow(std::fabs(base), exponente);
    return negar ? -r : r;
}
