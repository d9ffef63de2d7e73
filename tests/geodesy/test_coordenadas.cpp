// TCoordenadas: the worked sequence of the interactive window with its exact texts, the way back
// from every plane result, refused input leaving Salida untouched, and the text capacities.
#include <gtest/gtest.h>

#include <cmath>
#include "ayuda.h"
#include "coordenadas.h"
#include "numeros.h"

namespace {

const char *const kLatBA = "34\xB0 36' 12.5\" S";
const char *const kLonBA = "58\xB0 22' 54\" W";

struct Esperado {
    const char *c1, *c2, *c3, *zona, *zonaHem;
};

void Comparar(const TPuntoTexto &s, const Esperado &e) {
    EXPECT_EQ(s.Coord1.str(), e.c1);
    EXPECT_EQ(s.Coord2.str(), e.c2);
    EXPECT_EQ(s.Coord3.str(), e.c3);
    EXPECT_EQ(s.Zona.str(), e.zona);
    EXPECT_EQ(s.ZonaHemisferio.str(), e.zonaHem);
}

TCoordenadas Nueva(const TElipsoide &de, TTipoCoordenada tipoDe, const TElipsoide &a, TTipoCoordenada tipoA) {
    TCoordenadas c;
    c.SetElipsoideFuente(de);
    c.SetElipsoideDestino(a);
    c.SetTipoFuente(tipoDe);
    c.SetTipoDestino(tipoA);
    return c;
}

TEST(TCoordenadas, ObjetoNuevoVacio) {
    TCoordenadas c;
    EXPECT_EQ(c.TipoFuente, tcGeografica);
    EXPECT_EQ(c.TipoDestino, tcGeografica);
    EXPECT_EQ(c.ElipsoideFuente.A, 0);
    EXPECT_EQ(c.ElipsoideDestino.Codigo, 0);
    EXPECT_TRUE(c.Entrada.Coord1.empty());
    EXPECT_TRUE(c.Salida.ZonaHemisferio.empty());
    EXPECT_EQ(c.Salida.EnDecimal, 0);
}

// The window's fixed chain from one typed POSGAR 94 point, the same object reused throughout.
TEST(TCoordenadas, SecuenciaDeLaVentana) {
    TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, tcGaussKruger);
    c.Entrada.Coord1 = kLatBA;
    c.Entrada.Coord2 = kLonBA;
    c.Entrada.EnDecimal = 0;
    struct Paso {
        const char *nombre;
        const TElipsoide *destino;
        TTipoCoordenada tipo;
        Esperado salida;
    };
    const Paso pasos[] = {
        {"GK POSGAR", &ElipsoidePOSGAR, tcGaussKruger, {"6170494.489", "6373260.3471", "1.5", "6", ""}},
        {"UTM POSGAR", &ElipsoidePOSGAR, tcUTM, {"6170061.3482", "373311.043", "1.5", "21", "21 S"}},
        {"geograficas Inchauspe",
         &ElipsoideInchauspe,
         tcGeografica,
         {"34\xB0 36' 14.10836\" S", "58\xB0 22' 51.85202\" W", "-9.7997", "", ""}},
        {"GK Inchauspe",
         &ElipsoideInchauspe,
         tcGaussKruger,
         {"6170708.1474", "6373310.1963", "-9.7997", "6", ""}},
    };
    for (const auto &p : pasos) {
        SCOPED_TRACE(p.nombre);
        c.SetElipsoideDestino(*p.destino);
        c.SetTipoDestino(p.tipo);
        ASSERT_TRUE(c.Convertir());
        Comparar(c.Salida, p.salida);
        EXPECT_EQ(c.Salida.EnDecimal, 0);
        // Entrada, the kinds and the frames are never changed by a conversion.
        EXPECT_EQ(c.Entrada.Coord1.str(), kLatBA);
        EXPECT_EQ(c.Entrada.Coord3.str(), "");
        EXPECT_EQ(c.TipoDestino, p.tipo);
        EXPECT_EQ(c.ElipsoideFuente.Codigo, 1);
    }
}

TEST(TCoordenadas, InchauspeAPOSGAR) {
    TCoordenadas c = Nueva(ElipsoideInchauspe, tcGeografica, ElipsoidePOSGAR, tcGeografica);
    c.Entrada.Coord1 = kLatBA;
    c.Entrada.Coord2 = kLonBA;
    c.Entrada.Coord3 = "1.5";
    ASSERT_TRUE(c.GeoAGeo());
    Comparar(c.Salida, {"34\xB0 36' 10.8916\" S", "58\xB0 22' 56.14805\" W", "12.8006", "", ""});
}

// Every worked plane result converts back to the typed point at the printed precision.
TEST(TCoordenadas, VueltaDesdeCadaResultado) {
    struct Caso {
        const char *nombre;
        const TElipsoide *de;
        TTipoCoordenada tipo;
        const char *x, *y, *h, *zona;
    };
    const Caso casos[] = {
        {"UTM POSGAR", &ElipsoidePOSGAR, tcUTM, "6170061.3482", "373311.043", "", "21"},
        {"GK POSGAR", &ElipsoidePOSGAR, tcGaussKruger, "6170494.489", "6373260.3471", "1.5", ""},
        {"GK Inchauspe", &ElipsoideInchauspe, tcGaussKruger, "6170708.1474", "6373310.1963", "-9.7997", ""},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        TCoordenadas c = Nueva(*k.de, k.tipo, ElipsoidePOSGAR, tcGeografica);
        c.Entrada.Coord1 = k.x;
        c.Entrada.Coord2 = k.y;
        c.Entrada.Coord3 = k.h;
        c.Entrada.Zona = k.zona;
        ASSERT_TRUE(c.Convertir());
        // 0.1 mm of the plane texts is about 4e-6": the last printed decimal may move by one.
        EXPECT_LE(std::fabs(GradosDMSTest(c.Salida.Coord1) - -DMS(34, 36, 12.5L)), 0.00001L / 3600);
        EXPECT_LE(std::fabs(GradosDMSTest(c.Salida.Coord2) - -DMS(58, 22, 54)), 0.00001L / 3600);
        EXPECT_LE(std::fabs(NumeroTest(c.Salida.Coord3) - 1.5L), 0.00015L);
        EXPECT_EQ(c.Salida.Zona.str(), "");
        EXPECT_EQ(c.Salida.EnDecimal, 0);
    }
    // And the geographic result on Campo Inchauspe 69 back to POSGAR 94.
    TCoordenadas g = Nueva(ElipsoideInchauspe, tcGeografica, ElipsoidePOSGAR, tcGeografica);
    g.Entrada.Coord1 = "34\xB0 36' 14.10836\" S";
    g.Entrada.Coord2 = "58\xB0 22' 51.85202\" W";
    g.Entrada.Coord3 = "-9.7997";
    ASSERT_TRUE(g.Convertir());
    EXPECT_LE(std::fabs(GradosDMSTest(g.Salida.Coord1) - -DMS(34, 36, 12.5L)), 0.00001L / 3600);
    EXPECT_LE(std::fabs(GradosDMSTest(g.Salida.Coord2) - -DMS(58, 22, 54)), 0.00001L / 3600);
    EXPECT_LE(std::fabs(NumeroTest(g.Salida.Coord3) - 1.5L), 0.00015L);

    TCoordenadas u = Nueva(ElipsoidePOSGAR, tcUTM, ElipsoidePOSGAR, tcGeografica);
    u.Entrada.Coord1 = "6170061.3482";
    u.Entrada.Coord2 = "373311.043";
    u.Entrada.Zona = "21";
    ASSERT_TRUE(u.Convertir());
    Comparar(u.Salida, {kLatBA, kLonBA, "1.5", "", ""});
}

TEST(TCoordenadas, PlanaAPlana) {
    // UTM POSGAR to GK Inchauspe lands on the worked GK Inchauspe result.
    TCoordenadas c = Nueva(ElipsoidePOSGAR, tcUTM, ElipsoideInchauspe, tcGaussKruger);
    c.Entrada.Coord1 = "6170061.3482";
    c.Entrada.Coord2 = "373311.043";
    c.Entrada.Zona = "21";
    ASSERT_TRUE(c.Convertir());
    EXPECT_LE(std::fabs(NumeroTest(c.Salida.Coord1) - 6170708.1474L), 0.0003L);
    EXPECT_LE(std::fabs(NumeroTest(c.Salida.Coord2) - 6373310.1963L), 0.0003L);
    EXPECT_EQ(c.Salida.Coord3.str(), "-9.7997");
    EXPECT_EQ(c.Salida.Zona.str(), "6");
    // GK to GK on one frame goes through geographic: a point typed in strip 5 whose longitude lies
    // in strip 6 comes out in strip 6, at the same place.
    TCoordenadas g = Nueva(ElipsoidePOSGAR, tcGaussKruger, ElipsoidePOSGAR, tcGaussKruger);
    g.Entrada.Coord1 = "6170000";
    g.Entrada.Coord2 = "5800000";
    ASSERT_TRUE(g.PlanaAPlana());
    EXPECT_EQ(g.Salida.Zona.str(), "6");
    EXPECT_EQ(g.Salida.Coord2.str().substr(0, 1), "6");
    TCoordenadas v = Nueva(ElipsoidePOSGAR, tcGaussKruger, ElipsoidePOSGAR, tcGeografica);
    v.Entrada = g.Salida;
    ASSERT_TRUE(v.Convertir());
    TCoordenadas w = Nueva(ElipsoidePOSGAR, tcGaussKruger, ElipsoidePOSGAR, tcGeografica);
    w.Entrada = g.Entrada;
    ASSERT_TRUE(w.Convertir());
    EXPECT_LE(std::fabs(GradosDMSTest(v.Salida.Coord2) - GradosDMSTest(w.Salida.Coord2)), 0.0001L / 3600);
    EXPECT_LE(std::fabs(GradosDMSTest(v.Salida.Coord1) - GradosDMSTest(w.Salida.Coord1)), 0.0001L / 3600);
}

TEST(TCoordenadas, GeoAGeoMismoMarcoCopiaTextos) {
    TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, tcGeografica);
    c.Entrada.Coord1 = "-34.5";
    c.Entrada.Coord2 = "-58.25";
    c.Entrada.Coord3 = "abc";
    c.Entrada.EnDecimal = 1;
    c.Entrada.Zona = "21";
    c.Entrada.ZonaHemisferio = "21 S";
    ASSERT_TRUE(c.Convertir());
    Comparar(c.Salida, {"-34.5", "-58.25", "abc", "", ""});
    EXPECT_EQ(c.Salida.EnDecimal, 1);
    EXPECT_EQ(c.Entrada.Zona.str(), "21");
}

TEST(TCoordenadas, EntradaDecimalYAlturaPorDefecto) {
    // Decimal degrees and DMS of the same point give the same result; a zero or unreadable
    // height is 1.5 m.
    const char *alturas[] = {"", "0", "abc", "0.0", "1.5"};
    for (const char *h : alturas) {
        SCOPED_TRACE(h);
        TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, tcGaussKruger);
        c.Entrada.Coord1 = "-34.60347222222222";
        c.Entrada.Coord2 = "-58.38166666666667";
        c.Entrada.Coord3 = h;
        c.Entrada.EnDecimal = 1;
        ASSERT_TRUE(c.Convertir());
        Comparar(c.Salida, {"6170494.489", "6373260.3471", "1.5", "6", ""});
        EXPECT_EQ(c.Salida.EnDecimal, 0);  // left as it was
    }
}

TEST(TCoordenadas, EntradaRechazadaDejaSalida) {
    struct Caso {
        const char *nombre;
        TTipoCoordenada tipo;
        const char *c1, *c2, *zona;
        uint8_t decimal;
    };
    const Caso casos[] = {
        {"latitud 91", tcGeografica, "91\xB0 0' 0\" S", kLonBA, "", 0},
        {"latitud decimal 90.0001", tcGeografica, "90.0001", "-58", "", 1},
        {"zona 0", tcUTM, "6170061.3482", "373311.043", "0", 0},
        {"zona 61", tcUTM, "6170061.3482", "373311.043", "61", 0},
        {"zona 277 no es 21", tcUTM, "6170061.3482", "373311.043", "277", 0},
        {"zona -1", tcUTM, "6170061.3482", "373311.043", "-1", 0},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        for (TTipoCoordenada destino : {tcGeografica, tcUTM, tcGaussKruger}) {
            TCoordenadas c = Nueva(ElipsoidePOSGAR, k.tipo, ElipsoideInchauspe, destino);
            c.Salida.Coord1 = "previo";
            c.Salida.Zona = "9";
            c.Entrada.Coord1 = k.c1;
            c.Entrada.Coord2 = k.c2;
            c.Entrada.Zona = k.zona;
            c.Entrada.EnDecimal = k.decimal;
            EXPECT_FALSE(c.Convertir());
            EXPECT_EQ(c.Salida.Coord1.str(), "previo");
            EXPECT_EQ(c.Salida.Zona.str(), "9");
        }
    }
    // The poles themselves are accepted.
    for (const char *lat : {"90", "-90"}) {
        TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoideInchauspe, tcGeografica);
        c.Entrada.Coord1 = lat;
        c.Entrada.Coord2 = "-60";
        c.Entrada.EnDecimal = 1;
        EXPECT_TRUE(c.Convertir()) << lat;
        TCoordenadas d = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, tcGeografica);
        d.Entrada.Coord1 = "90\xB0 0' 0\" S";
        EXPECT_TRUE(d.Convertir());
    }
}

// Far outside the strips and zones the series give nan, inf or a latitude past the pole: such a
// point is refused like a latitude beyond 90 deg and never written out as "nan" text.
TEST(TCoordenadas, SinResultadoFueraDelAlcance) {
    struct Caso {
        const char *nombre;
        TTipoCoordenada tipo;
        const char *c1, *c2, *zona;
        uint8_t decimal;
    };
    const Caso casos[] = {
        {"GK en el origen", tcGaussKruger, "0", "0", "", 0},
        {"GK mas alla del polo", tcGaussKruger, "20004000", "6500000", "", 0},
        {"GK norte enorme", tcGaussKruger, "1e300", "6373260", "", 0},
        {"UTM norte enorme", tcUTM, "1e300", "373311.043", "21", 0},
        // Only on one frame: the datum shift takes the longitude through its sine and cosine.
        {"longitud enorme", tcGeografica, "-34.5", "1e4000", "", 1},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        for (const TElipsoide *destinoMarco : {&ElipsoidePOSGAR, &ElipsoideInchauspe})
            for (TTipoCoordenada destino : {tcGeografica, tcUTM, tcGaussKruger}) {
                if (k.tipo == tcGeografica && (destino == tcGeografica || destinoMarco != &ElipsoidePOSGAR))
                    continue;
                TCoordenadas c = Nueva(ElipsoidePOSGAR, k.tipo, *destinoMarco, destino);
                c.Salida.Coord1 = "previo";
                c.Entrada.Coord1 = k.c1;
                c.Entrada.Coord2 = k.c2;
                c.Entrada.Zona = k.zona;
                c.Entrada.EnDecimal = k.decimal;
                EXPECT_FALSE(c.Convertir()) << c.Salida.Coord1.str() << " " << c.Salida.Coord2.str();
                EXPECT_EQ(c.Salida.Coord1.str(), "previo");
            }
    }
    // The poles still project and come back.
    for (const char *lat : {"90", "-90"})
        for (TTipoCoordenada plana : {tcUTM, tcGaussKruger}) {
            SCOPED_TRACE(lat);
            TCoordenadas ida = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, plana);
            ida.Entrada.Coord1 = lat;
            ida.Entrada.Coord2 = "-60";
            ida.Entrada.EnDecimal = 1;
            ASSERT_TRUE(ida.Convertir());
            TCoordenadas vuelta = Nueva(ElipsoidePOSGAR, plana, ElipsoidePOSGAR, tcGeografica);
            vuelta.Entrada = ida.Salida;
            ASSERT_TRUE(vuelta.Convertir()) << ida.Salida.Coord1.str() << " " << ida.Salida.Coord2.str();
            EXPECT_EQ(vuelta.Salida.Coord1.str(), lat[0] == '-' ? "90\xB0 0' 0\" S" : "90\xB0 0' 0\" N");
        }
}

TEST(TCoordenadas, EnterosInvalidosLanzanError) {
    struct Caso {
        const char *nombre;
        TTipoCoordenada tipo;
        const char *c1, *zona, *mensaje;
    };
    const Caso casos[] = {
        {"grados", tcGeografica, "3x\xB0 36' 12.5\" S", "", "'3x' is not a valid integer value"},
        {"minutos", tcGeografica, "34\xB0 3.6' 12.5\" S", "", "'3.6' is not a valid integer value"},
        {"sin signo de grado", tcGeografica, "34 36 12.5 S", "", "'' is not a valid integer value"},
        {"zona con letra", tcUTM, "6170061.3482", "21 S", "'21 S' is not a valid integer value"},
        {"zona vacia", tcUTM, "6170061.3482", "", "'' is not a valid integer value"},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        TCoordenadas c = Nueva(ElipsoidePOSGAR, k.tipo, ElipsoidePOSGAR, tcGaussKruger);
        c.Salida.Coord1 = "previo";
        c.Entrada.Coord1 = k.c1;
        c.Entrada.Coord2 = k.tipo == tcUTM ? "373311.043" : kLonBA;
        c.Entrada.Zona = k.zona;
        try {
            c.Convertir();
            ADD_FAILURE() << "no lanzo";
        } catch (const EEnteroInvalido &e) {
            EXPECT_STREQ(e.what(), k.mensaje);
        }
        EXPECT_EQ(c.Salida.Coord1.str(), "previo");
    }
}

TEST(TCoordenadas, GaussKrugerBajoUnMillon) {
    // An easting below one million is on the meridian 0: the point lies near Greenwich.
    TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGaussKruger, ElipsoidePOSGAR, tcGeografica);
    c.Entrada.Coord1 = "6170494.489";
    c.Entrada.Coord2 = "500000";
    ASSERT_TRUE(c.Convertir());
    EXPECT_EQ(c.Salida.Coord2.str(), "0\xB0 0' 0\" E");
    c.Entrada.Coord2 = "400000";
    ASSERT_TRUE(c.Convertir());
    EXPECT_LT(GradosDMSTest(c.Salida.Coord2), 0);
    EXPECT_GT(GradosDMSTest(c.Salida.Coord2), -1.5L);
}

TEST(TCoordenadas, TextosLargosSeCortan) {
    TCoordenadas c;
    c.Entrada.Coord1 = std::string(35, '1');
    EXPECT_EQ(c.Entrada.Coord1.str(), std::string(30, '1'));
    c.Entrada.Zona = "1234567";
    EXPECT_EQ(c.Entrada.Zona.str(), "12345");
    c.Entrada.Coord2.Asignar(std::string(40, '2'));
    EXPECT_EQ(c.Entrada.Coord2.size(), 30u);
    // An output wider than 30 characters is cut as well.
    TCoordenadas g = Nueva(ElipsoidePOSGAR, tcUTM, ElipsoidePOSGAR, tcUTM);
    g.Entrada.Coord1 = "6170061.3482";
    g.Entrada.Coord2 = "373311.043";
    g.Entrada.Coord3 = "1e28";
    g.Entrada.Zona = "21";
    ASSERT_TRUE(g.Convertir());
    EXPECT_EQ(g.Salida.Coord3.size(), 30u);
}

}  // namespace
