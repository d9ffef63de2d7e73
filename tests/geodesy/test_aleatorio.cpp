// Random bytes into every reader of the core: each call gives a result or throws EEnteroInvalido,
// never anything else, and never crashes or hangs (this test also runs under ASan and UBSan).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include "UCoords.h"

namespace {

// Random texts, biased toward the characters the readers look for so that deep paths are reached.
class Generador {
  public:
    explicit Generador(uint64_t semilla) : gen_(semilla) {}
    std::string Texto() {
        static const char kAlfabeto[] = "0123456789 .-+eE\xB0'\"SNWE,";
        std::string s;
        const int n = std::uniform_int_distribution<int>(0, 40)(gen_);
        for (int i = 0; i < n; ++i) {
            const int k = std::uniform_int_distribution<int>(0, 9)(gen_);
            if (k < 7)
                s.push_back(
                    kAlfabeto[std::uniform_int_distribution<std::size_t>(0, sizeof kAlfabeto - 2)(gen_)]);
            else
                s.push_back(static_cast<char>(std::uniform_int_distribution<int>(0, 255)(gen_)));
        }
        return s;
    }
    int Entero(int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen_); }

  private:
    std::mt19937_64 gen_;
};

TEST(Aleatorio, LectoresDeTexto) {
    Generador g(20261209);
    int lanzados = 0;
    for (int i = 0; i < 30000; ++i) {
        const std::string t = g.Texto();
        SCOPED_TRACE(testing::PrintToString(t));
        long double v = 0;
        EsNumero(t);
        LeerNumero(t);
        LeerReal(t, v);
        QuitarEspacios(t);
        try {
            LeerEntero(t);
        } catch (const EEnteroInvalido &) {
            ++lanzados;
        }
        try {
            LeerEnteroInicial(t);
        } catch (const EEnteroInvalido &) {
            ++lanzados;
        }
        TModoWGS m;
        try {
            m.Asignar(t, static_cast<uint8_t>(g.Entero(0, 3)), static_cast<uint8_t>(g.Entero(0, 1)));
            m.GetDecimal();
            m.GetRadianes();
        } catch (const EEnteroInvalido &) {
            ++lanzados;
        }
        try {
            m.SetTexto(g.Texto());
            m.GetDecimal();
        } catch (const EEnteroInvalido &) {
            ++lanzados;
        }
    }
    EXPECT_GT(lanzados, 0);  // the generator does reach the error paths
}

TEST(Aleatorio, Conversiones) {
    Generador g(42);
    const TElipsoide *marcos[] = {&ElipsoidePOSGAR, &ElipsoideInchauspe};
    const TTipoCoordenada tipos[] = {tcGeografica, tcUTM, tcGaussKruger};
    int aceptadas = 0;
    TCoordenadas c;
    for (int i = 0; i < 20000; ++i) {
        c.SetElipsoideFuente(*marcos[g.Entero(0, 1)]);
        c.SetElipsoideDestino(*marcos[g.Entero(0, 1)]);
        c.SetTipoFuente(tipos[g.Entero(0, 2)]);
        c.SetTipoDestino(tipos[g.Entero(0, 2)]);
        c.Entrada.Coord1 = g.Texto();
        c.Entrada.Coord2 = g.Texto();
        c.Entrada.Coord3 = g.Texto();
        c.Entrada.Zona = g.Entero(0, 1) ? g.Texto() : std::to_string(g.Entero(-2, 300));
        c.Entrada.EnDecimal = static_cast<uint8_t>(g.Entero(0, 2));
        try {
            if (c.Convertir()) ++aceptadas;
        } catch (const EEnteroInvalido &) {
        }
        EXPECT_LE(c.Salida.Coord1.size(), 30u);
        EXPECT_LE(c.Salida.Zona.size(), 5u);
    }
    EXPECT_GT(aceptadas, 0);
}

// Extreme but well-formed numbers through every pair of kinds: no undefined conversion of a huge
// real to an integer (strip, zone, degrees), no endless loop.
TEST(Aleatorio, NumerosExtremos) {
    const char *numeros[] = {"1e4000",  "-1e4000", "1e300", "-1e300",       "1e18", "-9.3e18", "4294967296",
                             "1e-4000", "0",       "-0",    "2147483648.5", "1e19", "3.6e4"};
    const TTipoCoordenada tipos[] = {tcGeografica, tcUTM, tcGaussKruger};
    TCoordenadas c;
    c.SetElipsoideFuente(ElipsoidePOSGAR);
    c.SetElipsoideDestino(ElipsoideInchauspe);
    int aceptadas = 0;
    for (const char *a : numeros)
        for (const char *b : numeros)
            for (TTipoCoordenada de : tipos)
                for (TTipoCoordenada a2 : tipos) {
                    c.SetTipoFuente(de);
                    c.SetTipoDestino(a2);
                    c.Entrada.Coord1 = a;
                    c.Entrada.Coord2 = b;
                    c.Entrada.Coord3 = b;
                    c.Entrada.EnDecimal = 1;
                    c.Entrada.Zona = "21";
                    if (c.Convertir()) ++aceptadas;
                }
    EXPECT_GT(aceptadas, 0);
    TModoWGS m;
    for (const char *a : numeros) {
        m.Asignar(a, 1, 1);
        try {
            m.Asignar(std::string(a) + "\xB0 0' " + a + "\" S", 2, 0);
        } catch (const EEnteroInvalido &) {
        }
        m.GetDecimal();
    }
    EXPECT_EQ(FormatoDMS(1, 1e4000L).substr(0, 1), "5");  // a huge angle still writes its digits
}

}  // namespace
