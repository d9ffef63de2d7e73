// Transverse Mercator with Gauss-Krüger and UTM parameters: the worked points, the strip and zone
// tables at their bounds, the central meridian, round trips and the inverse strip from the easting.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include "ayuda.h"
#include "elipsoide.h"
#include "proyeccion.h"
#include "trigonometria.h"

namespace {

const long double kLatBA = -DMS(34, 36, 12.5L), kLonBA = -DMS(58, 22, 54);

TEST(MeridianoTM, Cuadrantes) {
    EXPECT_LE(std::fabs(Cuadrante(ElipsoidePOSGAR.A, ElipsoidePOSGAR.F) - 10001965.729L), 0.0005L);
    EXPECT_LE(std::fabs(Cuadrante(ElipsoideInchauspe.A, ElipsoideInchauspe.F) - 10002288.299L), 0.0005L);
    // The arc is odd in the latitude and reaches the quadrant at the pole.
    const long double a = ElipsoidePOSGAR.A, f = ElipsoidePOSGAR.F;
    EXPECT_EQ(ArcoMeridiano(a, f, 0), 0);
    EXPECT_EQ(ArcoMeridiano(a, f, -0.6L), -ArcoMeridiano(a, f, 0.6L));
    EXPECT_LE(std::fabs(ArcoMeridiano(a, f, kPiTest / 2) - Cuadrante(a, f)), 1e-6L);
}

struct CasoPunto {
    const char *nombre;
    const TElipsoide *e;
    TTipoCoordenada tipo;
    long double X, Y;
    int zonaOFaja;
};

TEST(ProyectarTM, PuntoDeBuenosAires) {
    const CasoPunto casos[] = {
        {"GK POSGAR", &ElipsoidePOSGAR, tcGaussKruger, 6170494.489L, 6373260.347L, 6},
        {"GK Inchauspe", &ElipsoideInchauspe, tcGaussKruger, 6170756.965L, 6373254.780L, 6},
        {"UTM POSGAR", &ElipsoidePOSGAR, tcUTM, 6170061.348L, 373311.043L, 21},
        {"UTM Inchauspe", &ElipsoideInchauspe, tcUTM, 6170001.279L, 373305.478L, 21},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        const TPuntoGeodesico g = Geo(*c.e, kLatBA, kLonBA);
        const TPuntoPlano p = ProyectarTM(g, c.tipo);
        EXPECT_LE(std::fabs(p.X - c.X), 0.0005L);  // printed to the millimetre
        EXPECT_LE(std::fabs(p.Y - c.Y), 0.0005L);
        EXPECT_EQ(p.Altura, 1.5L);
        if (c.tipo == tcUTM) {
            EXPECT_EQ(p.Zona, c.zonaOFaja);
            EXPECT_EQ(p.Hemisferio, 'S');
        } else {
            EXPECT_EQ(p.Faja, c.zonaOFaja);
        }
        // And back, far below the last printed decimal of the seconds (0.00001").
        const TPuntoGeodesico v = InversaTM(p, c.tipo, c.e->A, c.e->F);
        EXPECT_LE(std::fabs(v.Latitud - g.Latitud), 1e-7L * kSegundo);
        EXPECT_LE(std::fabs(v.Longitud - g.Longitud), 1e-7L * kSegundo);
        EXPECT_EQ(v.Altura, 1.5L);
    }
}

TEST(ProyectarTM, TablaDeFajas) {
    struct Caso {
        const char *nombre;
        long double lon, lat, meridiano, desplazamiento;
        int faja;  // 0: no strip
    };
    const Caso casos[] = {
        {"borde oeste de la tabla", -73.5L, -40, -72, 1000000, 1},
        {"-70.5 es faja 2", -70.5L, -40, -69, 2000000, 2},
        {"apenas al oeste de -70.5", -70.5000001L, -40, -72, 1000000, 1},
        {"centro faja 3", -66, -40, -66, 3000000, 3},
        {"-64.5 es faja 4", -64.5L, -40, -63, 4000000, 4},
        {"-61.5 es faja 5", -61.5L, -40, -60, 5000000, 5},
        {"-58.5 es faja 6", -58.5L, -40, -57, 6000000, 6},
        {"-55.5 es faja 7", -55.5L, -40, -54, 7000000, 7},
        {"apenas al oeste de -52.5", -52.5000001L, -40, -54, 7000000, 7},
        // Strip 1 reaches west, strip 7 east, up to 3.45 deg from their central meridians.
        {"al oeste de -73.5 sigue la faja 1", -73.5000001L, -48, -72, 1000000, 1},
        {"-75 es faja 1", -75, -40, -72, 1000000, 1},
        {"-75.45 borde de la faja 1", -75.45L, -50, -72, 1000000, 1},
        {"-75.45 en el ecuador", -75.45L, 0, -72, 1000000, 1},
        {"apenas dentro de -75.45", -75.4499999L, -50, -72, 1000000, 1},
        {"apenas fuera de -75.45", -75.4500001L, -50, 0, 0, 0},
        {"-80 sin faja", -80, -40, 0, 0, 0},
        {"-52.5 es faja 7", -52.5L, -40, -54, 7000000, 7},
        {"-51 es faja 7", -51, -40, -54, 7000000, 7},
        {"-50.55 borde de la faja 7", -50.55L, -30, -54, 7000000, 7},
        {"-50.55 en el ecuador", -50.55L, 0, -54, 7000000, 7},
        {"apenas dentro de -50.55", -50.5500001L, -30, -54, 7000000, 7},
        {"apenas fuera de -50.55", -50.5499999L, -30, 0, 0, 0},
        {"meridiano de Greenwich", 1, -40, 0, 0, 0},
        {"cerca de Greenwich al oeste", -2, -40, 0, 0, 0},
        {"180 oeste", -180, -40, 0, 0, 0},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(FajaGK(Rad(c.lon)), c.faja);
        EXPECT_EQ(DesplazamientoFaja(Rad(c.lon)), c.desplazamiento);
        const TPuntoPlano p = ProyectarTM(Geo(ElipsoidePOSGAR, c.lat, c.lon), tcGaussKruger);
        EXPECT_EQ(p.Faja, c.faja);
        EXPECT_EQ(p.Altura, 1.5L);
        if (c.faja > 0) {
            EXPECT_LE(std::fabs(MeridianoCentralGK(Rad(c.lon)) - Rad(c.meridiano)), 1e-18L);
            // The strip is also the millions digit of the easting, which the inverse reads.
            EXPECT_EQ(static_cast<int>(p.Y / 1000000), c.faja);
        } else {
            // No strip: never the meridian 0, and no point to write.
            EXPECT_TRUE(std::isnan(MeridianoCentralGK(Rad(c.lon))));
            EXPECT_TRUE(std::isnan(p.X));
            EXPECT_TRUE(std::isnan(p.Y));
        }
    }
}

// Around every bound of the strip table and of the bands, from a few units in the last place to far
// beyond 1e-14 deg, the strip is what the table gives on the longitude put onto a multiple of half a
// degree within 1e-14 deg of it.
TEST(FajaGK, JuntoALosBordes) {
    const auto enTabla = [](long double lam) {
        long double g = lam * kGradoPorRad;
        const long double cota = std::round(2 * g) / 2;
        if (std::fabs(g - cota) <= 1e-14L) g = cota;
        int faja = g >= -52.5L ? 7 : g >= -73.5L ? static_cast<int>((g + 73.5L) / 3) + 1 : 1;
        return std::fabs(g - (3 * faja - 75)) <= kBandaGK + 1e-14L ? faja : 0;
    };
    for (long double borde = -76.5L; borde <= -49.5L; borde += 0.05L) {
        for (long double d :
             {0.0L, 1e-18L, 1e-16L, 5e-15L, 9.9e-15L, 1.01e-14L, 3e-14L, 1e-12L, 1e-10L, 2e-9L, 1e-6L})
            for (long double g : {borde + d, borde - d}) {
                long double lam = Rad(g);
                for (int k = 0; k < 3; ++k, lam = std::nextafter(lam, 0.0L))
                    EXPECT_EQ(FajaGK(lam), enTabla(lam)) << static_cast<double>(g) << " " << k;
            }
    }
}

TEST(ProyectarTM, EnElMeridianoCentral) {
    const long double lats[] = {-55, -34.6L, -21.5L};
    for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe})
        for (long double lat : lats) {
            SCOPED_TRACE(static_cast<double>(lat));
            const long double M = ArcoMeridiano(e->A, e->F, Rad(lat));
            const TPuntoPlano gk = ProyectarTM(Geo(*e, lat, -63), tcGaussKruger);
            EXPECT_EQ(gk.Y, 4500000);
            EXPECT_LE(std::fabs(gk.X - (M + Cuadrante(e->A, e->F))), 1e-8L);
            const TPuntoPlano utm = ProyectarTM(Geo(*e, lat, -63), tcUTM);
            EXPECT_EQ(utm.Zona, 20);
            EXPECT_EQ(utm.Y, 500000);
            EXPECT_LE(std::fabs(utm.X - (0.9996L * M + 10000000)), 1e-8L);
        }
}

TEST(InversaTM, FajaDesdeElEste) {
    const long double a = ElipsoidePOSGAR.A, f = ElipsoidePOSGAR.F;
    struct Caso {
        const char *nombre;
        long double Y;
        int faja;         // 0: no strip
        long double lon;  // Y on the central meridian of its strip gives lon = lambda0 exactly
    };
    const Caso casos[] = {
        {"faja 6", 6500000, 6, -57},
        {"faja 1", 1500000, 1, -72},
        {"faja 7", 7500000, 7, -54},
        {"un millon es faja 1", 1000000, 1, 0},
        {"justo bajo 8 millones es faja 7", 7999999.9999L, 7, 0},
        {"8 millones: sin faja", 8000000, 0, 0},
        {"faja 8: sin faja", 8500000, 0, 0},
        {"bajo un millon: sin faja", 999999.9999L, 0, 0},
        {"negativo: sin faja", -6500000, 0, 0},
        {"nan: sin faja", std::nanl(""), 0, 0},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(FajaDelEste(c.Y), c.faja);
        TPuntoPlano p;
        p.X = 6170494.489L;
        p.Y = c.Y;
        p.Altura = 7;
        const TPuntoGeodesico g = InversaTM(p, tcGaussKruger, a, f);
        EXPECT_EQ(g.Altura, 7);
        EXPECT_EQ(g.A, a);
        if (c.faja == 0) {
            // No strip: no point, never one on the meridian 0.
            EXPECT_TRUE(std::isnan(g.Latitud));
            EXPECT_TRUE(std::isnan(g.Longitud));
        } else if (c.lon != 0) {
            EXPECT_LE(std::fabs(g.Longitud - Rad(c.lon)), 1e-18L);
        } else {
            EXPECT_LE(std::fabs(Grad(g.Longitud) - (3 * c.faja - 75)), 6);  // 500 km either side
        }
    }
    // Y = 6373260.347 is strip 6: 6 000 000 comes off before the series.
    TPuntoPlano p;
    p.X = 6170494.489L;
    p.Y = 6373260.347L;
    const TPuntoGeodesico g = InversaTM(p, tcGaussKruger, a, f);
    EXPECT_LE(std::fabs(g.Latitud - Rad(kLatBA)), 0.0001L * kSegundo);
    EXPECT_LE(std::fabs(g.Longitud - Rad(kLonBA)), 0.0001L * kSegundo);
}

// The band of strips 1 and 7 around their central meridian, on unprojected longitudes.
TEST(InversaTM, BandaDeLaFaja) {
    struct Caso {
        const char *nombre;
        long double lon;
        int faja;
        bool dentro;
    };
    const Caso casos[] = {
        {"-75.45 en el borde", -75.45L, 1, true},
        {"apenas fuera de -75.45", -75.4500001L, 1, false},
        {"-68.55 en el borde este de la faja 1", -68.55L, 1, true},
        {"apenas fuera de -68.55", -68.5499999L, 1, false},
        {"-50.55 en el borde", -50.55L, 7, true},
        {"apenas fuera de -50.55", -50.5499999L, 7, false},
        {"faja 0 no existe", -72, 0, false},
        {"faja 8 no existe", -51, 8, false},
        {"nan", std::nanl(""), 4, false},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(EnBandaGK(Rad(c.lon), c.faja), c.dentro);
    }
}

TEST(ZonaUTM, TablaYExcepciones) {
    struct Caso {
        const char *nombre;
        long double lat, lon;
        int zona;
    };
    const Caso casos[] = {
        {"Buenos Aires", kLatBA, kLonBA, 21},
        {"-60 es zona 21", -34, -60, 21},
        {"-60.000001 es zona 20", -34, -60.000001L, 20},
        {"-66 es zona 20", -40, -66, 20},
        {"-72 es zona 19", -40, -72, 19},
        {"-78 es zona 18", -40, -78, 18},
        {"-180 es zona 1", 0, -180, 1},
        {"180 es zona 61", 0, 180, 61},
        {"1500 no da la vuelta a la zona 25", 0, 1500, 255},
        {"-1500 no da la vuelta a la zona 37", 0, -1500, 0},
        {"Noruega", 60, 5, 32},
        {"Noruega, borde oeste estricto", 60, 3, 31},
        {"Noruega, lat 56 estricta", 56, 5, 31},
        {"Noruega, lat 64 estricta", 64, 5, 31},
        {"Svalbard 31", 78, 7, 31},
        {"Svalbard 33", 78, 10, 33},
        {"Svalbard, 9 exacto", 78, 9, 32},
        {"Svalbard 35", 78, 22, 35},
        {"Svalbard 37", 78, 34, 37},
        {"Svalbard, 42 exacto", 78, 42, 38},
        {"sin limite norte", 89.9L, 7, 31},
        {"lat 72 estricta", 72, 7, 32},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(ZonaUTM(Rad(c.lat), Rad(c.lon)), c.zona);
    }
}

TEST(ProyectarTM, UTMAlNorteDelEcuador) {
    // The false northing of 10 000 000 m applies to every point, in both directions.
    const TPuntoGeodesico g = Geo(ElipsoidePOSGAR, 5.25L, -58);
    const TPuntoPlano p = ProyectarTM(g, tcUTM);
    EXPECT_EQ(p.Hemisferio, 'N');
    EXPECT_EQ(p.Zona, 21);
    EXPECT_GT(p.X, 10000000);
    const TPuntoGeodesico v = InversaTM(p, tcUTM, ElipsoidePOSGAR.A, ElipsoidePOSGAR.F);
    EXPECT_LE(std::fabs(v.Latitud - g.Latitud), 1e-6L * kSegundo);
    EXPECT_LE(std::fabs(v.Longitud - g.Longitud), 1e-6L * kSegundo);
}

TEST(ProyectarTM, IdaYVueltaEnTodasLasFajas) {
    for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe})
        for (int faja = 1; faja <= 7; ++faja)
            for (long double dl : {-1.49L, -0.7L, 0.0L, 0.3L, 1.49L})
                for (long double lat : {-55.0L, -40.0L, -22.0L}) {
                    const long double lon = 3 * faja - 75 + dl;
                    SCOPED_TRACE(testing::Message() << faja << " " << static_cast<double>(lon) << " "
                                                    << static_cast<double>(lat));
                    const TPuntoGeodesico g = Geo(*e, lat, lon);
                    for (TTipoCoordenada tipo : {tcGaussKruger, tcUTM}) {
                        const TPuntoPlano p = ProyectarTM(g, tipo);
                        if (tipo == tcGaussKruger) {
                            EXPECT_EQ(p.Faja, faja);
                        }
                        const TPuntoGeodesico v = InversaTM(p, tipo, e->A, e->F);
                        // Measured: the truncated series return within 2e-5" at 3 deg from the
                        // central meridian (UTM zone edges), far less within 1.5 deg.
                        EXPECT_LE(std::fabs(v.Latitud - g.Latitud), 0.0001L * kSegundo);
                        EXPECT_LE(std::fabs(v.Longitud - g.Longitud), 0.0001L * kSegundo);
                    }
                }
}

// The reduced sine and cosine agree with the library's to a couple of units in the last place.
TEST(SenoCoseno, IgualQueLaBiblioteca) {
    std::mt19937_64 gen(3);
    std::uniform_real_distribution<double> x(-8, 8);
    const long double especiales[] = {0,     kPiTest / 4, kPiTest / 2, -kPiTest / 2, kPiTest, 3 * kPiTest / 4,
                                      -1.2L, 1e5L,        1e30L};
    auto comparar = [](long double v) {
        long double s, c;
        SenoCoseno(v, s, c);
        EXPECT_LE(std::fabs(s - std::sin(v)), 3e-19L) << static_cast<double>(v);
        EXPECT_LE(std::fabs(c - std::cos(v)), 3e-19L) << static_cast<double>(v);
    };
    for (long double v : especiales) comparar(v);
    for (int i = 0; i < 20000; ++i) comparar(static_cast<long double>(x(gen)) * (1 + 1e-17L));
}

// On the central meridian the inverse gives the footpoint latitude itself: the arc of the meridian
// inverted by its 6 passes returns the latitude. The arc is checked against its series summed
// term by term with the library's sines.
TEST(InversaTM, LatitudDelPieEnElMeridianoCentral) {
    for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe}) {
        const long double f = e->F, n = f / (2 - f);
        const long double b0 = 1 + n * n / 4 + n * n * n * n / 64, b2 = 1.5L * (n - n * n * n / 8),
                          b4 = 0.9375L * (n * n - n * n * n * n / 4), b6 = 35.0L / 48 * n * n * n,
                          b8 = 315.0L / 512 * n * n * n * n;
        for (long double lat = -89; lat <= 89; lat += 0.5L) {
            SCOPED_TRACE(static_cast<double>(lat));
            const long double phi = Rad(lat);
            const long double M = e->A / (1 + n) *
                                  (b0 * phi - b2 * std::sin(2 * phi) + b4 * std::sin(4 * phi) -
                                   b6 * std::sin(6 * phi) + b8 * std::sin(8 * phi));
            EXPECT_LE(std::fabs(ArcoMeridiano(e->A, e->F, phi) - M), 1e-9L);
            const TPuntoGeodesico g = SerieInversaTM(M, 500000, e->A, e->F, 1, Rad(-57), 500000, 0);
            // Six passes contract the error by about (2 b2)^6: some 1e-17 rad (1e-10 m) is left.
            EXPECT_LE(std::fabs(g.Latitud - phi), 1e-16L);
            EXPECT_EQ(g.Longitud, Rad(-57));
        }
    }
}

}  // namespace
