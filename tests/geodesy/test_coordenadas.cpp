// TCoordenadas: the worked sequence of the interactive window with its exact texts, the way back
// from every plane result, refused input leaving Salida untouched, and the text capacities.
#include <gtest/gtest.h>

#include <cmath>
#include "ayuda.h"
#include "coordenadas.h"
#include "numeros.h"

// Failures show the reason's number (its byte would print as a control character).
void PrintTo(TRechazo r, std::ostream *os) {
    *os << "TRechazo " << static_cast<int>(r);
}

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
        EXPECT_EQ(c.Rechazo, rzNinguno);
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

// Input refused whatever the destination: the reason, and Salida left as it was.
TEST(TCoordenadas, EntradaRechazadaDejaSalida) {
    struct Caso {
        const char *nombre;
        TTipoCoordenada tipo;
        const char *c1, *c2, *zona;
        uint8_t decimal;
        TRechazo rechazo;
    };
    // X 4460000 lies near 50 deg S, where 3.45 deg of longitude are some 247 km.
    const Caso casos[] = {
        {"latitud 91", tcGeografica, "91\xB0 0' 0\" S", kLonBA, "", 0, rzLatitud},
        {"latitud decimal 90.0001", tcGeografica, "90.0001", "-58", "", 1, rzLatitud},
        {"longitud decimal 180.0001", tcGeografica, "-34", "180.0001", "", 1, rzLongitud},
        {"longitud decimal -418.4", tcGeografica, "-34", "-418.4", "", 1, rzLongitud},
        {"longitud 582 grados", tcGeografica, "34\xB0 36' 12.5\" S", "582\xB0 25' 4\" W", "", 0, rzLongitud},
        {"longitud enorme", tcGeografica, "-34.5", "1e4000", "", 1, rzLongitud},
        {"latitud antes que longitud", tcGeografica, "-95", "200", "", 1, rzLatitud},
        {"zona 0", tcUTM, "6170061.3482", "373311.043", "0", 0, rzZonaUTM},
        {"zona 61", tcUTM, "6170061.3482", "373311.043", "61", 0, rzZonaUTM},
        {"zona 277 no es 21", tcUTM, "6170061.3482", "373311.043", "277", 0, rzZonaUTM},
        {"zona -1", tcUTM, "6170061.3482", "373311.043", "-1", 0, rzZonaUTM},
        {"GK este bajo un millon", tcGaussKruger, "6170494.489", "500000", "", 0, rzFajaGK},
        {"GK este 8 millones", tcGaussKruger, "6170494.489", "8000000", "", 0, rzFajaGK},
        {"GK faja 8", tcGaussKruger, "6170494.489", "8500000", "", 0, rzFajaGK},
        {"GK este vacio", tcGaussKruger, "6170494.489", "", "", 0, rzFajaGK},
        {"GK este negativo", tcGaussKruger, "6170494.489", "-6373260.347", "", 0, rzFajaGK},
        {"GK faja 1 a 300 km del meridiano", tcGaussKruger, "4460000", "1200000", "", 0, rzLejosDeLaFaja},
        {"GK faja 7 a 300 km del meridiano", tcGaussKruger, "4460000", "7800000", "", 0, rzLejosDeLaFaja},
        {"GK un millon: 500 km", tcGaussKruger, "6170494.489", "1000000", "", 0, rzLejosDeLaFaja},
    };
    TCoordenadas c;  // one object throughout: no reason outlives its call
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        for (TTipoCoordenada destino : {tcGeografica, tcUTM, tcGaussKruger}) {
            c = Nueva(ElipsoidePOSGAR, k.tipo, ElipsoideInchauspe, destino);
            c.Entrada.Coord1 = k.c1;
            c.Entrada.Coord2 = k.c2;
            c.Entrada.Zona = k.zona;
            c.Entrada.EnDecimal = k.decimal;
            c.Salida = TPuntoTexto();
            c.Salida.Coord1 = "previo1";
            c.Salida.Coord2 = "previo2";
            c.Salida.Coord3 = "previo3";
            c.Salida.Zona = "9";
            EXPECT_FALSE(c.Convertir());
            EXPECT_EQ(c.Rechazo, k.rechazo);
            Comparar(c.Salida, {"previo1", "previo2", "previo3", "9", ""});
            // The same object then converts a good point and says so.
            c = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoideInchauspe, destino);
            c.Entrada.Coord1 = kLatBA;
            c.Entrada.Coord2 = kLonBA;
            ASSERT_TRUE(c.Convertir());
            EXPECT_EQ(c.Rechazo, rzNinguno);
        }
    }
    // The poles and the antimeridian themselves are accepted.
    for (const char *lat : {"90", "-90"})
        for (const char *lon : {"-60", "180", "-180"}) {
            TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoideInchauspe, tcGeografica);
            c.Entrada.Coord1 = lat;
            c.Entrada.Coord2 = lon;
            c.Entrada.EnDecimal = 1;
            EXPECT_TRUE(c.Convertir()) << lat << " " << lon;
        }
    TCoordenadas d = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, tcGeografica);
    d.Entrada.Coord1 = "90\xB0 0' 0\" S";
    d.Entrada.Coord2 = "180\xB0 0' 0\" W";
    EXPECT_TRUE(d.Convertir());
}

// Refusals that depend on the destination: a point outside every Gauss-Krüger strip's band, a UTM
// result outside zones 1 to 60, a result text longer than its 30-character field (refused, not cut).
TEST(TCoordenadas, RechazoSegunElDestino) {
    struct Caso {
        const char *nombre;
        TTipoCoordenada de;
        const char *c1, *c2, *c3, *zona;
        uint8_t decimal;
        TTipoCoordenada a;
        const TElipsoide *marco;
        TRechazo rechazo;
    };
    const Caso casos[] = {
        {"longitud 180 a UTM: zona 61", tcGeografica, "-34", "180", "", "", 1, tcUTM, &ElipsoidePOSGAR,
         rzZonaUTM},
        {"longitud -180 a UTM: zona 1", tcGeografica, "-34", "-180", "", "", 1, tcUTM, &ElipsoidePOSGAR,
         rzNinguno},
        {"longitud 180 a GK", tcGeografica, "-34", "180", "", "", 1, tcGaussKruger, &ElipsoidePOSGAR,
         rzLejosDeLaFaja},
        {"-75.5 a GK", tcGeografica, "-50", "-75.5", "", "", 1, tcGaussKruger, &ElipsoidePOSGAR,
         rzLejosDeLaFaja},
        {"-75.44 a GK", tcGeografica, "-50", "-75.44", "", "", 1, tcGaussKruger, &ElipsoidePOSGAR, rzNinguno},
        {"-50.5 a GK", tcGeografica, "-30", "-50.5", "", "", 1, tcGaussKruger, &ElipsoidePOSGAR,
         rzLejosDeLaFaja},
        {"-50.56 a GK", tcGeografica, "-30", "-50.56", "", "", 1, tcGaussKruger, &ElipsoidePOSGAR, rzNinguno},
        {"-75 grados a GK Inchauspe", tcGeografica, "-49", "-75", "", "", 1, tcGaussKruger,
         &ElipsoideInchauspe, rzNinguno},
        {"-80 grados a GK Inchauspe", tcGeografica, "-49", "-80", "", "", 1, tcGaussKruger,
         &ElipsoideInchauspe, rzLejosDeLaFaja},
        // 4.13 deg east of the zone's meridian: beyond the band where the series keep the millimetre.
        {"UTM zona 60 al este del antimeridiano", tcUTM, "6700000", "900000", "", "60", 0, tcUTM,
         &ElipsoidePOSGAR, rzSinResultado},
        {"UTM zona 60 al este del antimeridiano a geograficas", tcUTM, "6700000", "900000", "", "60", 0,
         tcGeografica, &ElipsoidePOSGAR, rzSinResultado},
        // Near the pole the series diverge (PROJ: 88.752 deg S, 122.393 deg W; they gave 191.8 deg W).
        {"UTM a 60 km del polo", tcUTM, "60061.3482", "373311.043", "", "21", 0, tcGeografica,
         &ElipsoidePOSGAR, rzSinResultado},
        {"UTM al sur de 80 grados", tcGeografica, "-80.5", "-57", "", "", 1, tcUTM, &ElipsoidePOSGAR,
         rzSinResultado},
        {"UTM zona 19 a GK faja 1", tcUTM, "4460000", "300000", "", "19", 0, tcGaussKruger, &ElipsoidePOSGAR,
         rzNinguno},
        {"UTM zona 18 lejos de la faja 1", tcUTM, "4460000", "300000", "", "18", 0, tcGaussKruger,
         &ElipsoidePOSGAR, rzLejosDeLaFaja},
        {"altura 1e28 cabe en 30", tcGeografica, kLatBA, kLonBA, "1e28", "", 0, tcGaussKruger,
         &ElipsoidePOSGAR, rzNinguno},
        {"altura 1e29 a GK", tcGeografica, kLatBA, kLonBA, "1e29", "", 0, tcGaussKruger, &ElipsoidePOSGAR,
         rzResultadoLargo},
        {"altura 1e40 a UTM", tcGeografica, kLatBA, kLonBA, "1e40", "", 0, tcUTM, &ElipsoidePOSGAR,
         rzResultadoLargo},
        {"altura 1e40 a otro marco", tcGeografica, kLatBA, kLonBA, "1e40", "", 0, tcGeografica,
         &ElipsoideInchauspe, rzResultadoLargo},
        {"altura 1e40 en el mismo marco: textos copiados", tcGeografica, kLatBA, kLonBA, "1e40", "", 0,
         tcGeografica, &ElipsoidePOSGAR, rzNinguno},
        {"altura 1e40 de UTM a geograficas", tcUTM, "6170061.3482", "373311.043", "1e40", "21", 0,
         tcGeografica, &ElipsoidePOSGAR, rzResultadoLargo},
    };
    TCoordenadas c;
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        c = Nueva(ElipsoidePOSGAR, k.de, *k.marco, k.a);
        c.Entrada.Coord1 = k.c1;
        c.Entrada.Coord2 = k.c2;
        c.Entrada.Coord3 = k.c3;
        c.Entrada.Zona = k.zona;
        c.Entrada.EnDecimal = k.decimal;
        c.Salida = TPuntoTexto();
        c.Salida.Coord1 = "previo1";
        c.Salida.Coord2 = "previo2";
        c.Salida.Coord3 = "previo3";
        c.Salida.Zona = "9";
        EXPECT_EQ(c.Convertir(), k.rechazo == rzNinguno);
        EXPECT_EQ(c.Rechazo, k.rechazo);
        if (k.rechazo != rzNinguno) {
            Comparar(c.Salida, {"previo1", "previo2", "previo3", "9", ""});
            continue;
        }
        EXPECT_LE(c.Salida.Coord3.size(), 30u);
        if (k.a == tcGaussKruger) {
            EXPECT_EQ(c.Salida.Zona.str(), c.Salida.Coord2.str().substr(0, 1));  // the strip is Y's digit
        }
    }
}

// Far outside the strips and zones the series give nan, inf or a latitude past the pole: such a
// point is refused for want of a result and never written out as "nan" text.
TEST(TCoordenadas, SinResultadoFueraDelAlcance) {
    struct Caso {
        const char *nombre;
        TTipoCoordenada tipo;
        const char *c1, *c2, *zona;
    };
    const Caso casos[] = {
        {"GK mas alla del polo", tcGaussKruger, "20004000", "6500000", ""},
        {"GK norte enorme", tcGaussKruger, "1e300", "6373260", ""},
        {"UTM norte enorme", tcUTM, "1e300", "373311.043", "21"},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(k.nombre);
        for (const TElipsoide *destinoMarco : {&ElipsoidePOSGAR, &ElipsoideInchauspe})
            for (TTipoCoordenada destino : {tcGeografica, tcUTM, tcGaussKruger}) {
                TCoordenadas c = Nueva(ElipsoidePOSGAR, k.tipo, *destinoMarco, destino);
                c.Salida.Coord1 = "previo";
                c.Entrada.Coord1 = k.c1;
                c.Entrada.Coord2 = k.c2;
                c.Entrada.Zona = k.zona;
                EXPECT_FALSE(c.Convertir()) << c.Salida.Coord1.str() << " " << c.Salida.Coord2.str();
                EXPECT_EQ(c.Rechazo, rzSinResultado);
                EXPECT_EQ(c.Salida.Coord1.str(), "previo");
            }
    }
    // The poles still project and come back; UTM ends at 80 deg S.
    for (const char *lat : {"90", "-90"})
        for (TTipoCoordenada plana : {tcUTM, tcGaussKruger}) {
            SCOPED_TRACE(lat);
            TCoordenadas ida = Nueva(ElipsoidePOSGAR, tcGeografica, ElipsoidePOSGAR, plana);
            ida.Entrada.Coord1 = lat;
            ida.Entrada.Coord2 = "-60";
            ida.Entrada.EnDecimal = 1;
            if (plana == tcUTM && lat[0] == '-') {
                EXPECT_FALSE(ida.Convertir());
                EXPECT_EQ(ida.Rechazo, rzSinResultado);
                continue;
            }
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
    // An easting below one million has no strip: refused, never taken on the meridian 0.
    for (const char *y : {"500000", "400000", "999999.9999", "0"}) {
        SCOPED_TRACE(y);
        TCoordenadas c = Nueva(ElipsoidePOSGAR, tcGaussKruger, ElipsoidePOSGAR, tcGeografica);
        c.Entrada.Coord1 = "6170494.489";
        c.Entrada.Coord2 = y;
        EXPECT_FALSE(c.Convertir());
        EXPECT_EQ(c.Rechazo, rzFajaGK);
        EXPECT_EQ(c.Salida.Coord2.str(), "");
    }
}

TEST(TCoordenadas, TextosLargosSeCortan) {
    TCoordenadas c;
    c.Entrada.Coord1 = std::string(35, '1');
    EXPECT_EQ(c.Entrada.Coord1.str(), std::string(30, '1'));
    c.Entrada.Zona = "1234567";
    EXPECT_EQ(c.Entrada.Zona.str(), "12345");
    c.Entrada.Coord2.Asignar(std::string(40, '2'));
    EXPECT_EQ(c.Entrada.Coord2.size(), 30u);
    // An output wider than 30 characters is refused, never cut; 30 characters fit.
    TCoordenadas g = Nueva(ElipsoidePOSGAR, tcUTM, ElipsoidePOSGAR, tcUTM);
    g.Entrada.Coord1 = "6170061.3482";
    g.Entrada.Coord2 = "373311.043";
    g.Entrada.Coord3 = "1e28";
    g.Entrada.Zona = "21";
    ASSERT_TRUE(g.Convertir());
    EXPECT_EQ(g.Salida.Coord3.size(), 30u);
    g.Entrada.Coord3 = "1e29";
    EXPECT_FALSE(g.Convertir());
    EXPECT_EQ(g.Rechazo, rzResultadoLargo);
    EXPECT_EQ(g.Salida.Coord3.size(), 30u);  // the previous result
}

// Every length up to and past the capacity, and a text's own tail stored over it (the copy reads
// before it writes): the characters given, cut at the capacity.
TEST(TTextoCorto, CadaLargo) {
    const std::string fuente = "0123456789abcdefghijklmnopqrstuvwxyzABCDEF";
    for (std::size_t n = 0; n <= fuente.size(); ++n) {
        SCOPED_TRACE(n);
        TTextoCorto<30> t;
        t.Asignar(std::string_view(fuente).substr(0, n));
        EXPECT_EQ(t.Vista(), fuente.substr(0, std::min<std::size_t>(n, 30)));
        for (std::size_t k = 0; k <= t.size(); ++k) {
            TTextoCorto<30> u = t;
            u.Asignar(u.Vista().substr(k));
            EXPECT_EQ(u.Vista(), t.Vista().substr(k));
        }
    }
}

}  // namespace
