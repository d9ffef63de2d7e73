// Number texts: the metres and DMS writers, the real and integer readers, Signo and Potencia.
// The fast paths of the readers and writers are checked against std::from_chars / std::to_chars.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>
#if defined(__x86_64__) && defined(__GLIBC__)
#include <fpu_control.h>
#endif
#include "ayuda.h"
#include "numeros.h"

namespace {

struct CasoTexto {
    const char *nombre;
    long double valor;
    const char *texto;
};

TEST(FormatoNumero, TextosDeMetros) {
    const CasoTexto casos[] = {
        {"cero", 0.0L, "0.0"},
        {"menos cero", -0.0L, "0.0"},
        {"redondeo a 4 decimales", 1.23456L, "1.2346"},
        {"medio negativo", -0.5L, "-0.5"},
        {"ceros finales", 6123456.789L, "6123456.789"},
        {"entero", 500000.0L, "500000.0"},
        {"negativo", -12.3L, "-12.3"},
        {"cuatro decimales", 6373260.34709L, "6373260.3471"},
        {"redondea a cero sin signo", -0.00001L, "0.0"},
        {"empate exacto al par (abajo)", 0.03125L, "0.0312"},
        {"empate exacto al par (arriba)", 0.09375L, "0.0938"},
        {"grande", 12345678901234.5L, "12345678901234.5"},
        {"sube el entero", 9.99996L, "10.0"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(FormatoNumero(c.valor), c.texto);
    }
}

TEST(FormatoDMS, TextosDeAngulos) {
    struct Caso {
        const char *nombre;
        int tipo;
        long double grados;
        const char *texto;
    };
    const Caso casos[] = {
        {"diez segundos exactos", 1, DMS(0, 0, 10), "0\xB0 0' 10\" N"},
        {"cero latitud", 1, 0, "0\xB0 0' 0\" N"},
        {"cero longitud", 2, 0, "0\xB0 0' 0\" E"},
        {"cinco decimales", 1, DMS(0, 0, 12.34567L), "0\xB0 0' 12.34567\" N"},
        {"recorta ceros", 1, DMS(0, 0, 12.5L), "0\xB0 0' 12.5\" N"},
        {"Buenos Aires latitud", 1, -DMS(34, 36, 12.5L), "34\xB0 36' 12.5\" S"},
        {"Buenos Aires longitud", 2, -DMS(58, 22, 54), "58\xB0 22' 54\" W"},
        {"oeste", 2, -DMS(72, 0, 0.000004L), "72\xB0 0' 0\" W"},
        {"este", 2, DMS(100, 0, 1), "100\xB0 0' 1\" E"},
        {"sin acarreo de 60 segundos", 1, DMS(1, 0, 59.999999L), "1\xB0 0' 60\" N"},
        {"polo sur", 1, -90, "90\xB0 0' 0\" S"},
        {"minuto entero", 2, -DMS(58, 23, 0), "58\xB0 23' 0\" W"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(FormatoDMS(c.tipo, Rad(c.grados)), c.texto);
    }
}

TEST(FormatoFijo, AnchoYDecimales) {
    EXPECT_EQ(FormatoFijo(1.5L, 5, 8), " 1.50000");
    EXPECT_EQ(FormatoFijo(12.5L, 5, 8), "12.50000");
    EXPECT_EQ(FormatoFijo(34.5L, 13, 16), "34.5000000000000");
    EXPECT_EQ(FormatoFijo(5.5L, 13, 16), " 5.5000000000000");
    EXPECT_EQ(FormatoFijo(123456789.5L, 5, 8), "123456789.50000");  // wider than the field: not cut
}

// The exact 128-bit writer must give what std::to_chars gives (correct rounding, ties to even).
TEST(FormatoFijo, IgualQueToChars) {
    std::mt19937_64 gen(12345);
    std::uniform_real_distribution<double> mant(0.0, 1.0);
    std::uniform_int_distribution<int> expo(-30, 60), dec(0, 13), signo(0, 1);
    auto comparar = [](long double x, int d) {
        char buf[512];
        auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, d);
        ASSERT_EQ(r.ec, std::errc());
        EXPECT_EQ(FormatoFijo(x, d, 0), std::string(buf, r.ptr)) << "decimales " << d;
    };
    for (int i = 0; i < 20000; ++i) {
        long double x = std::ldexp(
            static_cast<long double>(mant(gen)) + std::ldexp(static_cast<long double>(mant(gen)), -53),
            expo(gen));
        if (signo(gen)) x = -x;
        comparar(x, dec(gen));
    }
    // Extremes: zero of both signs, subnormal, tiny, just below and above the exact path's reach.
    const long double extremos[] = {0.0L,
                                    -0.0L,
                                    std::numeric_limits<long double>::denorm_min(),
                                    1e-4000L,
                                    std::numeric_limits<long double>::min(),
                                    0.5L,
                                    1.8e15L,
                                    1.8e18L,
                                    1.9e19L,
                                    -1e300L};
    for (long double x : extremos)
        for (int d : {0, 4, 5, 13}) comparar(x, d);
    // Exact ties at the last decimal: odd multiples of 2^-5 at 4 decimals, of 2^-6 at 5.
    for (int k = 1; k < 2000; k += 2) {
        comparar(k / 32.0L, 4);
        comparar(k / 64.0L, 5);
        comparar(-k / 32.0L, 4);
        comparar(1000000 + k / 32.0L, 4);
    }
}

// The metres and DMS writers put their digits down one by one; the plain way is std::to_chars with
// the fixed decimals, then the trailing zeros taken off. Both must give the same text at every edge:
// exact ties at the last decimal, values that round up a digit or to zero, the reach of the exact
// 128-bit digits, huge and tiny values.
std::string Llano(long double x, int decimales, std::size_t minimo) {
    char buf[6000];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimales);
    std::string t(buf, r.ptr);
    const std::size_t punto = t.find('.');
    if (punto == std::string::npos) return t;
    while (t.size() > punto + 1 + minimo && t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t;
}

std::vector<long double> Bordes() {
    std::vector<long double> v = {0.00005L,
                                  0.000049999L,
                                  9.99995L,
                                  9.99994999L,
                                  59.999995L,
                                  59.9999949L,
                                  1e-20L,
                                  1.5e-4L,
                                  0.5e-4L,
                                  123456.78905L,
                                  1.8e14L,
                                  1.8e15L,
                                  1.79e15L,
                                  1.81e15L,
                                  1.8e18L,
                                  1.9e19L,
                                  1e30L,
                                  1e300L,
                                  std::numeric_limits<long double>::denorm_min(),
                                  std::numeric_limits<long double>::min(),
                                  std::numeric_limits<long double>::max()};
    for (int k = 1; k < 400; k += 2) {  // exact ties: odd multiples of 2^-5 (4 decimals) and 2^-6 (5)
        v.push_back(k / 32.0L);
        v.push_back(k / 64.0L);
        v.push_back(6170000 + k / 32.0L);
    }
    std::mt19937_64 gen(2024);
    std::uniform_real_distribution<double> mant(0.0, 1.0);
    std::uniform_int_distribution<int> expo(-40, 70);
    for (int i = 0; i < 20000; ++i)
        v.push_back(std::ldexp(
            static_cast<long double>(mant(gen)) + std::ldexp(static_cast<long double>(mant(gen)), -53),
            expo(gen)));
    return v;
}

TEST(EscribirNumero, IgualQueElTextoLlano) {
    TEspacioTexto e;
    for (long double x : Bordes())
        for (long double s : {x, -x}) {
            std::string esperado = s == 0 ? "0.0" : Llano(s, 4, 1);
            if (esperado == "-0.0") esperado = "0.0";
            EXPECT_EQ(EscribirNumero(e, s), esperado) << static_cast<double>(s);
        }
    EXPECT_EQ(EscribirNumero(e, std::numeric_limits<long double>::infinity()), "inf");
    EXPECT_EQ(EscribirNumero(e, -std::numeric_limits<long double>::infinity()), "-inf");
}

TEST(EscribirDMS, IgualQueElTextoLlano) {
    // Degrees, minutes and seconds taken apart as the DMS text defines them; the seconds, held in
    // double precision, written with 5 decimals and no trailing zeros nor bare point.
    const auto llano = [](int tipo, long double radianes) {
        const long double d = radianes * 180 / kPiTest;
        const long double a = std::fabs(d), g = std::trunc(a), m = std::trunc((a - g) * 60);
        double seg = static_cast<double>((a - g) * 3600 - m * 60);
        if (seg < 0) seg = 0;
        std::string t = Llano(g, 0, 0) + "\xB0 " + Llano(m, 0, 0) + "' " + Llano(seg, 5, 0) + "\" ";
        return t + (tipo == 1 ? (d < 0 ? 'S' : 'N') : (d < 0 ? 'W' : 'E'));
    };
    std::vector<long double> grados = {0, 1e-20L, 179.9999999999L, 90, 1e10L, 1e17L, 1e19L, 1e300L};
    for (long double seg : {59.999995L, 59.9999949L, 59.99999L, 0.000005L, 0.0000049L, 12.345675L, 60.0L})
        for (int g : {0, 34, 58, 72, 179}) grados.push_back(g + (59 + seg / 60) / 60);
    std::mt19937_64 gen(99);
    std::uniform_real_distribution<long double> angulo(-180, 180);
    for (int i = 0; i < 20000; ++i) grados.push_back(angulo(gen));
    TEspacioTexto e;
    for (long double g : grados)
        for (long double r : {Rad(g), -Rad(g)})
            for (int tipo : {1, 2})
                EXPECT_EQ(EscribirDMS(e, tipo, r), llano(tipo, r)) << static_cast<double>(g);
}

TEST(EsNumero, SintaxisDelLectorDeReales) {
    const char *validos[] = {"",   "12",   "-3.5", "1e5",    ".5", "5.",        "-5.",    "+.5",
                             "+7", "  12", "1E-3", "-.5e+2", "0",  "00012.500", "1e-5000"};
    // A mantissa needs a digit: a lone point or sign is not a number.
    const char *invalidos[] = {"12 ",   "1,5", "-",  "1e",     "1e+", "abc", "1.2.3", "0x10", "inf",
                               "nan",   " ",   "e5", "1e5000", "--1", "1 2", "\t1",   "+-1",  ".e1x",
                               "1e5.0", ".",   "-.", "+.",     "+",   " .",  ".e5",   "-.e1"};
    for (const char *t : validos) EXPECT_TRUE(EsNumero(t)) << '"' << t << '"';
    for (const char *t : invalidos) EXPECT_FALSE(EsNumero(t)) << '"' << t << '"';
}

TEST(LeerNumero, Valores) {
    const CasoTexto casos[] = {
        {"vacio", 0, ""},           {"invalido", 0, "abc"},
        {"decimal", 12.5L, "12.5"}, {"espacios y signo", -3.25L, "  -3.25"},
        {"punto solo", 0, "."},     {"subdesborde", 0, "1e-5000"},
        {"desborde", 0, "1e5000"},  {"exponente", 1500, "1.5e3"},
        {"coma", 0, "1,5"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(LeerNumero(c.texto), c.valor);
    }
}

// The Clinger fast path (at most 19 digits, power of ten up to 27) must round exactly as from_chars.
TEST(LeerNumero, IgualQueFromChars) {
    std::mt19937_64 gen(777);
    std::uniform_int_distribution<int> largo(1, 22), cifra(0, 9), pos(0, 22), expo(-40, 40), usaExp(0, 3);
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        const int n = largo(gen);
        for (int k = 0; k < n; ++k) t.push_back(static_cast<char>('0' + cifra(gen)));
        const int p = pos(gen);
        if (p <= n) t.insert(static_cast<std::size_t>(p), 1, '.');
        if (usaExp(gen) == 0) t += "e" + std::to_string(expo(gen));
        long double esperado = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), esperado);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size())
            continue;  // "5." and ".5": from_chars differs
        EXPECT_EQ(LeerNumero(t), esperado) << t;
        EXPECT_EQ(LeerNumero("-" + t), -esperado) << t;
    }
}

// Where the one-pass reader hands over to the general one: 19 and 20 significant digits, leading
// zeros that count for nothing, powers of ten at 27 and 28, exponents of 4 and 5 digits.
TEST(LeerNumero, BordesDelCaminoRapido) {
    const char *textos[] = {"9999999999999999999",
                            "18446744073709551615",
                            "99999999999999999999",
                            "0000000000000000000000001",
                            "0.0000000000000000000000012345",
                            "1.000000000000000000000",
                            "123456789.0123456789",
                            "12345678901234567890e-10",
                            "1e27",
                            "1e28",
                            "1e-27",
                            "1e-28",
                            "5e-27",
                            "10e26",
                            "100e-29",
                            "1e0001",
                            "1e00001",
                            "-34.6034722",
                            "6170494.4893",
                            "0.0",
                            "-0.000",
                            "4.9406564584124654e-4951",
                            "1.18973149535723176502e+4932",
                            ".5e1",
                            "5.e-1"};
    for (const char *t : textos) {
        long double esperado = 0;
        const char *ini = t, *fin = t + std::strlen(t);
        const bool menos = *ini == '-';
        if (menos) ++ini;
        const auto r = std::from_chars(ini, fin, esperado);
        ASSERT_EQ(r.ptr, fin) << t;
        if (menos) esperado = -esperado;
        long double v = 0;
        ASSERT_TRUE(LeerReal(t, v)) << t;
        EXPECT_EQ(v, esperado) << t;
        EXPECT_EQ(std::signbit(v), std::signbit(esperado)) << t;
    }
    // A finite value up to the largest 80-bit real and what rounds to it; past halfway to the next
    // power of two nothing reads.
    long double v = 0;
    EXPECT_TRUE(LeerRealFinito("-34.6034722", v));
    EXPECT_EQ(v, -34.6034722L);
    for (const char *t : {"1.18973149535723176505e+4932", "-1.18973149535723176505e+4932"}) {
        EXPECT_TRUE(LeerRealFinito(t, v)) << t;
        EXPECT_EQ(std::fabs(v), std::numeric_limits<long double>::max()) << t;
    }
    for (const char *t : {"1.18973149535723176506e+4932", "-1.18973149535723176506e+4932", "1e5000"}) {
        EXPECT_FALSE(LeerRealFinito(t, v)) << t;
        EXPECT_FALSE(LeerReal(t, v)) << t;
    }
}

// Truncation without the control word: what a plain conversion gives wherever that is defined, at
// halves (where the nearest whole number lies beyond x, on either side), just off whole numbers, at
// the edge of 64 bits, and saturated or 0 beyond. Also with the x87 set to a 53-bit significand, as
// another library or an emulator may leave it: the sum by 2^63 then rounds to steps of 2048.
void ComprobarTruncado() {
    std::vector<long double> v = {
        0.0L,     -0.0L,          0.5L,    1.5L,       2.5L, 0.49999999999999999999L,
        1e-4000L, 0x1p62L + 0.5L, 9.1e18L, 3 * kPiTest};
    for (long double k : {1.0L, 3.0L, 70.0L, 1e6L, 0x1p40L})
        v.insert(v.end(), {std::nextafter(k, 0.0L), std::nextafter(k, 2 * k), k + 0.5L, k - 0.5L});
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<long double> real(-1e7L, 1e7L);
    for (int i = 0; i < 20000; ++i) v.push_back(real(gen));
    for (long double x : v)
        for (long double s : {x, -x})
            EXPECT_EQ(TruncarEntero(s), static_cast<int64_t>(s)) << static_cast<double>(s);
    const long double inf = std::numeric_limits<long double>::infinity();
    for (long double x : {9.2e18L, 1e300L, inf}) {
        EXPECT_EQ(TruncarEntero(x), std::numeric_limits<int64_t>::max());
        EXPECT_EQ(TruncarEntero(-x), std::numeric_limits<int64_t>::min());
    }
    EXPECT_EQ(TruncarEntero(std::numeric_limits<long double>::quiet_NaN()), 0);
}

TEST(TruncarEntero, IgualQueLaConversion) {
    ComprobarTruncado();
#if defined(__x86_64__) && defined(__GLIBC__)
    fpu_control_t antes;
    _FPU_GETCW(antes);
    fpu_control_t doble = (antes & ~_FPU_EXTENDED) | _FPU_DOUBLE;
    _FPU_SETCW(doble);
    {
        SCOPED_TRACE("x87 at 53 bits");
        ComprobarTruncado();
    }
    _FPU_SETCW(antes);
#endif
}

TEST(LeerEntero, ConversionEstandar) {
    const std::pair<const char *, int32_t> validos[] = {{"0", 0},
                                                        {"21", 21},
                                                        {" 21", 21},
                                                        {"-5", -5},
                                                        {"+7", 7},
                                                        {"2147483647", 2147483647},
                                                        {"-2147483648", INT32_MIN},
                                                        {"007", 7}};
    for (const auto &v : validos) EXPECT_EQ(LeerEntero(v.first), v.second) << v.first;
    const char *invalidos[] = {"",  " ", "21 ",  "2147483648", "-2147483649", "1.0",
                               "x", "+", "21 S", "0x10",       "$1F",         "99999999999999999999999"};
    for (const char *t : invalidos) {
        try {
            LeerEntero(t);
            ADD_FAILURE() << "acepto '" << t << "'";
        } catch (const EEnteroInvalido &e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(t) + "' is not a valid integer value");
            EXPECT_EQ(e.Texto(), t);
        }
    }
}

TEST(LeerEnteroInicial, CifrasIniciales) {
    const std::pair<const char *, int32_t> casos[] = {
        {"  7abc", 7}, {"abc", 0}, {"20 S", 20}, {"", 0}, {"  ", 0}, {"-5", 0}, {"2147483647x", 2147483647},
        {"21  ", 21}};
    for (const auto &c : casos) EXPECT_EQ(LeerEnteroInicial(c.first), c.second) << c.first;
    try {
        LeerEnteroInicial(" 99999999999 S");
        ADD_FAILURE() << "acepto un desborde";
    } catch (const EEnteroInvalido &e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
}

TEST(QuitarEspacios, SoloEspacios) {
    EXPECT_EQ(QuitarEspacios("  a b  "), "a b");
    EXPECT_EQ(QuitarEspacios("\ta\t"), "\ta\t");
    EXPECT_EQ(QuitarEspacios("   "), "");
    EXPECT_EQ(QuitarEspacios(""), "");
}

TEST(Signo, TresValores) {
    EXPECT_EQ(Signo(-3.5L), -1);
    EXPECT_EQ(Signo(0.0L), 0);
    EXPECT_EQ(Signo(-0.0L), 0);
    EXPECT_EQ(Signo(1e-4000L), 1);
}

TEST(Potencia, Casos) {
    struct Caso {
        const char *nombre;
        long double base, exponente, resultado;
        long double tolerancia = 1e-15L;  // relative
    };
    const Caso casos[] = {
        {"base negativa, impar", -2, 3, -8},
        {"base negativa, par", -2, 2, 4},
        {"cero a la cero", 0, 0, 1},
        {"cero a la tres", 0, 3, 0},
        {"exponente negativo", 2, -2, 0.25L},
        {"base negativa, exponente negativo impar", -2, -3, -0.125L},
        {"raiz cubica de negativo", -8, 1.0L / 3, -2},
        {"dos tercios de negativo", -8, 2.0L / 3, 4},
        {"raiz cuadrada", 2, 0.5L, std::sqrt(2.0L)},
        {"cinco medios", 4, 2.5L, 32},
        // Thirty squarings double the relative error thirty times.
        {"entero grande", 1.0000001L, 1e9L, std::pow(1.0000001L, 1e9L), 1e-9L},
        {"entero fuera de 32 bits", 1, 1e12L, 1},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        const long double r = Potencia(c.base, c.exponente);
        EXPECT_LE(std::fabs(r - c.resultado), c.tolerancia * std::fabs(c.resultado))
            << static_cast<double>(r);
    }
    // Powers as the series use them: plain repeated products.
    EXPECT_EQ(Potencia(0.3L, 5), 0.3L * 0.3L * 0.3L * 0.3L * 0.3L);
}

TEST(Potencia, RaizParDeNegativoEsError) {
    const long double exponentes[] = {0.5L, 0.25L, 1.5L, kPiTest, 1.0L / 7 + 1e-9L};
    for (long double e : exponentes)
        EXPECT_THROW(Potencia(-8, e), EPotenciaInvalida) << static_cast<double>(e);
    try {
        Potencia(-2, 0.5L);
    } catch (const EPotenciaInvalida &e) {
        EXPECT_STREQ(e.what(), "Error: Base < 0 y el \xA1ndice de la Raiz es par o Irracional ...");
    }
}

}  // namespace
