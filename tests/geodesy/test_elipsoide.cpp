// Ellipsoids and the DMA datum shift: the published constants, the worked examples in both
// directions, round trips, longitudes beyond 90 deg, the polar axis and the iteration's end.
#include <gtest/gtest.h>

#include <cmath>
#include "ayuda.h"
#include "elipsoide.h"

namespace {

TPuntoGeodesico Trasladar(const TPuntoGeodesico &p, const TElipsoide &de, const TElipsoide &a) {
    return AGeodesica(TrasladarDatum(AGeocentrica(p), de.Codigo), a);
}

TEST(Elipsoides, Constantes) {
    EXPECT_EQ(ElipsoidePOSGAR.A, 6378137.0L);
    EXPECT_LE(std::fabs(1 / ElipsoidePOSGAR.F - 298.257223563L), 1e-12L);
    EXPECT_EQ(ElipsoidePOSGAR.Codigo, 1);
    EXPECT_EQ(ElipsoideInchauspe.A, 6378388.0L);
    EXPECT_LE(std::fabs(1 / ElipsoideInchauspe.F - 297), 1e-12L);
    EXPECT_EQ(ElipsoideInchauspe.Codigo, 2);
    EXPECT_EQ(TablaConversion[1].Nombre, "WGS84 a Inchauspe (DMA)");
    EXPECT_EQ(TablaConversion[1].dX, 148);
    EXPECT_EQ(TablaConversion[1].dY, -136);
    EXPECT_EQ(TablaConversion[1].dZ, -90);
    EXPECT_EQ(TablaConversion[2].Nombre, "Inchauspe a WGS84 (DMA)");
    EXPECT_EQ(TablaConversion[2].dX, -148);
    EXPECT_EQ(TablaConversion[2].dY, 136);
    EXPECT_EQ(TablaConversion[2].dZ, 90);
}

// Worked examples: the printed values carry 5 decimals of seconds and 4 of metres.
TEST(Datum, EjemplosTrabajados) {
    struct Caso {
        const char *nombre;
        const TElipsoide *de, *a;
        long double lat, lon, h;
    };
    const Caso casos[] = {
        {"POSGAR a Inchauspe", &ElipsoidePOSGAR, &ElipsoideInchauspe, -DMS(34, 36, 14.10836L),
         -DMS(58, 22, 51.85202L), -9.7997L},
        {"Inchauspe a POSGAR", &ElipsoideInchauspe, &ElipsoidePOSGAR, -DMS(34, 36, 10.8916L),
         -DMS(58, 22, 56.14805L), 12.8006L},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        const TPuntoGeodesico r =
            Trasladar(Geo(*c.de, -DMS(34, 36, 12.5L), -DMS(58, 22, 54), 1.5L), *c.de, *c.a);
        EXPECT_EQ(r.A, c.a->A);
        EXPECT_EQ(r.F, c.a->F);
        EXPECT_LE(std::fabs(r.Latitud - Rad(c.lat)), 0.0000051L * kSegundo);
        EXPECT_LE(std::fabs(r.Longitud - Rad(c.lon)), 0.0000051L * kSegundo);
        EXPECT_LE(std::fabs(r.Altura - c.h), 0.000051L);
    }
}

TEST(Datum, IdaYVueltaYCuadrantes) {
    // All four sign quadrants of the longitude, both hemispheres, and heights from below to far above.
    const long double lats[] = {-89.9, -55, -34.6, -1e-9L, 0, 12.3, 45, 89.9999999L};
    const long double lons[] = {-179.9L, -100, -58.38L, -0.5L, 0, 0.5L, 100, 179.9L};
    const long double alturas[] = {-100, 1.5L, 4000, 100000};
    for (long double lat : lats)
        for (long double lon : lons)
            for (long double h : alturas) {
                SCOPED_TRACE(testing::Message() << static_cast<double>(lat) << " " << static_cast<double>(lon)
                                                << " " << static_cast<double>(h));
                const TPuntoGeodesico p = Geo(ElipsoidePOSGAR, lat, lon, h);
                const TPuntoGeodesico i = Trasladar(p, ElipsoidePOSGAR, ElipsoideInchauspe);
                const TPuntoGeodesico v = Trasladar(i, ElipsoideInchauspe, ElipsoidePOSGAR);
                EXPECT_LE(std::fabs(v.Latitud - p.Latitud), 1e-6L * kSegundo);
                // On the ground: a longitude difference shrinks with cos(lat) towards the pole.
                EXPECT_LE(
                    std::fabs(std::remainder(v.Longitud - p.Longitud, 2 * kPiTest)) * std::cos(p.Latitud),
                    1e-6L * kSegundo);
                EXPECT_LE(std::fabs(v.Altura - p.Altura), 1e-5L);
                // The DMA shift moves points by about 220 m at most: the other frame is near.
                EXPECT_LE(std::fabs(i.Latitud - p.Latitud), 10 * kSegundo);
            }
}

TEST(Datum, LongitudMasAllaDe90Grados) {
    // 100 deg E: X negative, Y positive; it must not come back as -80 deg.
    const TPuntoGeocentrico c = AGeocentrica(Geo(ElipsoidePOSGAR, -20, 100, 0));
    EXPECT_LT(c.X, 0);
    EXPECT_GT(c.Y, 0);
    const TPuntoGeodesico r = AGeodesica(c, ElipsoidePOSGAR);
    EXPECT_LE(std::fabs(Grad(r.Longitud) - 100), 1e-12L);
    EXPECT_LE(std::fabs(Grad(r.Latitud) + 20), 1e-12L);
    EXPECT_LE(std::fabs(r.Altura), 1e-6L);
}

TEST(Datum, EcuadorYMeridiano90) {
    // Z = 0 and X = 0: no division by either.
    TPuntoGeocentrico c;
    c.X = 0;
    c.Y = 6378137.0L + 10;
    c.Z = 0;
    const TPuntoGeodesico r = AGeodesica(c, ElipsoidePOSGAR);
    EXPECT_EQ(r.Latitud, 0);
    EXPECT_LE(std::fabs(Grad(r.Longitud) - 90), 1e-15L);
    EXPECT_LE(std::fabs(r.Altura - 10), 1e-9L);
    const TPuntoGeocentrico o = AGeocentrica(Geo(ElipsoidePOSGAR, 0, 0, 0));
    EXPECT_EQ(o.X, 6378137.0L);
    EXPECT_EQ(o.Y, 0);
    EXPECT_EQ(o.Z, 0);
}

TEST(Datum, EjePolar) {
    const long double b = ElipsoidePOSGAR.A * (1 - ElipsoidePOSGAR.F);
    struct Caso {
        const char *nombre;
        long double X, Y, Z, lat, h;
    };
    const Caso casos[] = {
        {"polo norte en superficie", 0, 0, b, 90, 0},
        {"polo sur a 100 m", 0, 0, -b - 100, -90, 100},
        {"centro de la tierra", 0, 0, 0, 90, -b},
        {"menos cero en X", -0.0L, 0, b, 90, 0},
        {"a medio micrometro del eje", 3e-7L, -3e-7L, -b, -90, 0},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        TPuntoGeocentrico p;
        p.X = c.X;
        p.Y = c.Y;
        p.Z = c.Z;
        const TPuntoGeodesico r = AGeodesica(p, ElipsoidePOSGAR);
        EXPECT_EQ(r.Latitud, Rad(c.lat) > 0 ? kPiTest / 2 : -kPiTest / 2);
        EXPECT_EQ(r.Longitud, 0);
        EXPECT_LE(std::fabs(r.Altura - c.h), 1e-6L);
    }
}

TEST(Datum, CercaDelPoloLaAlturaNoPierdeCifras) {
    // A few centimetres to a few metres from the axis: h = p / cos(phi) - N would lose metres here.
    const long double lats[] = {89.99999999L, -89.9999999L, 89.99999L, -89.9L};
    for (long double lat : lats) {
        SCOPED_TRACE(static_cast<double>(lat));
        const TPuntoGeodesico p = Geo(ElipsoideInchauspe, lat, -60, 250);
        const TPuntoGeodesico r = AGeodesica(AGeocentrica(p), ElipsoideInchauspe);
        EXPECT_LE(std::fabs(r.Altura - 250), 1e-4L);
        EXPECT_LE(std::fabs(r.Latitud - p.Latitud), 1e-5L * kSegundo);
    }
}

TEST(Datum, LaIteracionSiempreTermina) {
    const long double grandes[] = {1e3L, 1e9L, 1e15L, 1e300L};
    for (long double d : grandes) {
        TPuntoGeocentrico p;
        p.X = d;
        p.Y = -d / 3;
        p.Z = d / 7;
        const TPuntoGeodesico r = AGeodesica(p, ElipsoidePOSGAR);
        EXPECT_TRUE(std::isfinite(r.Latitud)) << static_cast<double>(d);
        EXPECT_LE(std::fabs(r.Latitud), kPiTest / 2);
    }
    TPuntoGeocentrico n;
    n.X = NAN;
    n.Y = 1;
    n.Z = 1;
    EXPECT_TRUE(std::isnan(AGeodesica(n, ElipsoidePOSGAR).Latitud));
    n.X = INFINITY;
    AGeodesica(n, ElipsoidePOSGAR);  // returns (the pass cap), whatever it gives
}

TEST(Datum, MismoCodigoSinTraslado) {
    TPuntoGeocentrico p;
    p.X = 1;
    p.Y = 2;
    p.Z = 3;
    const TPuntoGeocentrico r = TrasladarDatum(p, 0);
    EXPECT_EQ(r.X, 1);
    EXPECT_EQ(r.Y, 2);
    EXPECT_EQ(r.Z, 3);
    const TPuntoGeocentrico s = TrasladarDatum(p, 1);
    EXPECT_EQ(s.X, 149);
    EXPECT_EQ(s.Y, -134);
    EXPECT_EQ(s.Z, -87);
}

}  // namespace
