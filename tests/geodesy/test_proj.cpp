// Cross-check against PROJ as the oracle: thousands of points over the seven strips and UTM zones 18
// to 22 on both frames, through every pair of kinds and frames of TCoordenadas, and a sweep that
// measures how far from the central meridian the truncated series stay within 1 mm of PROJ's exact
// transverse Mercator (Poder/Engsager).
#include <gtest/gtest.h>
#include <proj.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include "ayuda.h"
#include "coordenadas.h"
#include "proyeccion.h"

namespace {

// PROJ operations built from the same definitions as the program's systems.
class Proj {
  public:
    Proj() : ctx_(proj_context_create()) {}
    ~Proj() {
        for (auto &par : ops_) proj_destroy(par.second);
        proj_context_destroy(ctx_);
    }
    PJ *Op(const std::string &def) {
        auto it = ops_.find(def);
        if (it != ops_.end()) return it->second;
        PJ *p = proj_create(ctx_, def.c_str());
        if (!p) throw std::runtime_error("PROJ refused: " + def);
        ops_[def] = p;
        return p;
    }
    static std::string Elipsoide(int codigo) { return codigo == 1 ? "+ellps=WGS84" : "+ellps=intl"; }
    // Gauss-Krüger strip g (0: the meridian 0 without offset), UTM zone z, south.
    PJ *GK(int faja, int codigo) {
        return Op("+proj=tmerc +lat_0=-90 +lon_0=" + std::to_string(3 * faja - (faja ? 75 : 0)) +
                  " +k=1 +x_0=" + std::to_string(faja * 1000000 + 500000) + " +y_0=0 " + Elipsoide(codigo));
    }
    PJ *UTM(int zona, int codigo) {
        return Op("+proj=utm +zone=" + std::to_string(zona) + " +south " + Elipsoide(codigo));
    }
    PJ *Datum() {  // POSGAR 94 -> Campo Inchauspe 69 forward, the other way inverse
        return Op(
            "+proj=pipeline +step +proj=cart +ellps=WGS84 +step +proj=helmert +x=148 +y=-136 +z=-90 "
            "+step +inv +proj=cart +ellps=intl");
    }
    PJ *TMerc(long double lon0, long double k0, int codigo) {  // for the sweep
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(lon0));
        return Op("+proj=tmerc +lat_0=0 +lon_0=" + std::string(buf, r.ptr) +
                  " +k=" + (k0 == 1 ? "1" : "0.9996") + " +x_0=500000 +y_0=0 " + Elipsoide(codigo));
    }

  private:
    PJ_CONTEXT *ctx_;
    std::map<std::string, PJ *> ops_;
};

struct Geo {
    double lat, lon, h;  // degrees, metres
};
struct Plano {
    double X, Y;  // north, east
    int zona;     // UTM zone or GK strip
};

// PROJ works in double precision.
double D(long double x) {
    return static_cast<double>(x);
}

int FajaDe(double lon) {
    return lon >= -73.5 && lon < -52.5 ? static_cast<int>(std::floor((lon + 73.5) / 3)) + 1 : 0;
}
int ZonaDe(double lon) {
    return static_cast<int>(lon / 6 + 31);
}

Plano Proyectar(Proj &proj, const Geo &g, TTipoCoordenada tipo, int codigo) {
    const int z = tipo == tcUTM ? ZonaDe(g.lon) : FajaDe(g.lon);
    PJ *op = tipo == tcUTM ? proj.UTM(z, codigo) : proj.GK(z, codigo);
    const PJ_COORD r = proj_trans(op, PJ_FWD, proj_coord(D(Rad(g.lon)), D(Rad(g.lat)), 0, 0));
    return {r.xy.y, r.xy.x, z};
}

Geo Desproyectar(Proj &proj, const Plano &p, TTipoCoordenada tipo, int codigo, double h) {
    PJ *op = tipo == tcUTM ? proj.UTM(p.zona, codigo) : proj.GK(p.zona, codigo);
    const PJ_COORD r = proj_trans(op, PJ_INV, proj_coord(p.Y, p.X, 0, 0));
    return {static_cast<double>(Grad(r.lp.phi)), static_cast<double>(Grad(r.lp.lam)), h};
}

Geo CambiarMarco(Proj &proj, const Geo &g, int de, int a) {
    if (de == a) return g;
    const PJ_COORD r =
        proj_trans(proj.Datum(), de == 1 ? PJ_FWD : PJ_INV, proj_coord(D(Rad(g.lon)), D(Rad(g.lat)), g.h, 0));
    return {static_cast<double>(Grad(r.lpz.phi)), static_cast<double>(Grad(r.lpz.lam)), r.lpz.z};
}

std::string Fijo(double v, int decimales) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimales);
    return std::string(buf, r.ptr);
}

const char *Nombre(TTipoCoordenada t) {
    return t == tcGeografica ? "geo" : t == tcUTM ? "UTM" : "GK";
}

struct Peor {
    long double valor = 0;
    std::string donde;
    void Ver(long double v, const std::string &d) {
        if (v > valor) {
            valor = v;
            donde = d;
        }
    }
};

TEST(PROJ, TodosLosParesDeTiposYMarcos) {
    Proj proj;
    std::mt19937_64 gen(1994);
    std::uniform_real_distribution<double> enFaja(0.01, 2.99), lat(-55.0, -21.8), alt(10, 3000);
    std::uniform_int_distribution<int> faja(1, 7);
    const TTipoCoordenada tipos[] = {tcGeografica, tcUTM, tcGaussKruger};
    const TElipsoide *marcos[] = {&ElipsoidePOSGAR, &ElipsoideInchauspe};
    Peor plano, angulo, altura;
    int comparados = 0, zonas[64] = {};
    TCoordenadas c;
    for (int i = 0; i < 2000; ++i) {
        // Kept 0.01 deg off the strip and zone bounds, so PROJ's system and ours are the same one.
        double lon = -73.5 + 3 * (faja(gen) - 1) + enFaja(gen);
        if (std::fabs(std::remainder(lon, 6.0)) < 0.01) lon += 0.05;
        const Geo punto{lat(gen), lon, alt(gen)};
        for (const TElipsoide *mf : marcos)
            for (TTipoCoordenada tf : tipos) {
                // The input texts on the source, and what PROJ takes them for.
                Geo fuente = punto;
                c.SetElipsoideFuente(*mf);
                c.SetTipoFuente(tf);
                c.Entrada = TPuntoTexto();
                c.Entrada.Coord3 = Fijo(punto.h, 4);
                fuente.h = D(NumeroTest(c.Entrada.Coord3));
                if (tf == tcGeografica) {
                    c.Entrada.Coord1 = Fijo(punto.lat, 12);
                    c.Entrada.Coord2 = Fijo(punto.lon, 12);
                    c.Entrada.EnDecimal = 1;
                    fuente.lat = static_cast<double>(NumeroTest(c.Entrada.Coord1));
                    fuente.lon = static_cast<double>(NumeroTest(c.Entrada.Coord2));
                } else {
                    Plano p = Proyectar(proj, punto, tf, mf->Codigo);
                    c.Entrada.Coord1 = Fijo(p.X, 4);
                    c.Entrada.Coord2 = Fijo(p.Y, 4);
                    c.Entrada.Zona = std::to_string(p.zona);
                    p.X = static_cast<double>(NumeroTest(c.Entrada.Coord1));
                    p.Y = static_cast<double>(NumeroTest(c.Entrada.Coord2));
                    fuente = Desproyectar(proj, p, tf, mf->Codigo, fuente.h);
                    ++zonas[tf == tcUTM ? p.zona : 40 + p.zona];
                }
                for (const TElipsoide *md : marcos)
                    for (TTipoCoordenada td : tipos) {
                        c.SetElipsoideDestino(*md);
                        c.SetTipoDestino(td);
                        const std::string donde = std::string(Nombre(tf)) +
                                                  (mf->Codigo == 1 ? " POSGAR" : " Inchauspe") + " -> " +
                                                  Nombre(td) + (md->Codigo == 1 ? " POSGAR" : " Inchauspe") +
                                                  " en " + Fijo(punto.lat, 4) + ", " + Fijo(punto.lon, 4);
                        SCOPED_TRACE(donde);
                        ASSERT_TRUE(c.Convertir());
                        const Geo ref = CambiarMarco(proj, fuente, mf->Codigo, md->Codigo);
                        ++comparados;
                        if (td == tcGeografica) {
                            if (tf == tcGeografica && mf->Codigo == md->Codigo) continue;  // texts copied
                            const long double dLat =
                                std::fabs(GradosDMSTest(c.Salida.Coord1) - ref.lat) * 3600;
                            const long double dLon =
                                std::fabs(GradosDMSTest(c.Salida.Coord2) - ref.lon) * 3600;
                            EXPECT_LE(dLat, 0.0001L);
                            EXPECT_LE(dLon, 0.0001L);
                            angulo.Ver(std::max(dLat, dLon), donde);
                        } else {
                            const Plano p = Proyectar(proj, ref, td, md->Codigo);
                            const long double dX = std::fabs(NumeroTest(c.Salida.Coord1) - p.X);
                            const long double dY = std::fabs(NumeroTest(c.Salida.Coord2) - p.Y);
                            EXPECT_LE(dX, kMilimetro);
                            EXPECT_LE(dY, kMilimetro);
                            EXPECT_EQ(c.Salida.Zona.str(), std::to_string(p.zona));
                            plano.Ver(std::max(dX, dY), donde);
                        }
                        const long double dH = std::fabs(NumeroTest(c.Salida.Coord3) - ref.h);
                        EXPECT_LE(dH, kMilimetro);
                        altura.Ver(dH, donde);
                    }
            }
    }
    for (int z = 18; z <= 21; ++z) EXPECT_GT(zonas[z], 0) << "UTM zone " << z;
    for (int f = 1; f <= 7; ++f) EXPECT_GT(zonas[40 + f], 0) << "strip " << f;
    std::printf("[ PROJ     ] %d conversions compared\n", comparados);
    std::printf("[ PROJ     ] worst plane difference %.4Lf mm (%s)\n", plano.valor * 1000,
                plano.donde.c_str());
    std::printf("[ PROJ     ] worst angle difference %.6Lf\" (%s)\n", angulo.valor, angulo.donde.c_str());
    std::printf("[ PROJ     ] worst height difference %.4Lf mm (%s)\n", altura.valor * 1000,
                altura.donde.c_str());
}

// The bare series against PROJ's exact transverse Mercator, away from the central meridian: forward in
// the plane and inverse in the angles, over the latitudes of Argentina, both ellipsoids, k0 of
// Gauss-Krüger and of UTM. The bands asserted (half a strip, half a zone) are where the truncated
// series are meant to hold; the sweep goes on to 5 deg to show where they stop holding.
TEST(PROJ, BandaDeExactitudDeLasSeries) {
    Proj proj;
    struct Banda {
        long double k0;
        long double limite;  // degrees from the central meridian held to 1 mm and 0.0001"
    };
    const Banda bandas[] = {{1, 1.5L}, {0.9996L, 3}};
    const long double lon0 = -57;
    for (const Banda &b : bandas)
        for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe}) {
            PJ *op = proj.TMerc(lon0, b.k0, e->Codigo);
            Peor plano, angulo;
            long double primerExceso = 99;  // first offset where 1 mm or 0.0001" is exceeded
            for (int paso = 0; paso <= 100; ++paso) {
                const long double dl = 0.05L * paso;  // 0 .. 5 deg
                for (long double lat = -55; lat <= -21.5L; lat += 0.5L) {
                    const PJ_COORD r =
                        proj_trans(op, PJ_FWD, proj_coord(D(Rad(lon0 + dl)), D(Rad(lat)), 0, 0));
                    TPuntoGeodesico g;
                    g.A = e->A;
                    g.F = e->F;
                    g.Latitud = Rad(lat);
                    g.Longitud = Rad(lon0 + dl);
                    const TPuntoPlano q = SerieTM(g, b.k0, Rad(lon0), 500000, 0);
                    const TPuntoGeodesico v =
                        SerieInversaTM(r.xy.y, r.xy.x, e->A, e->F, b.k0, Rad(lon0), 500000, 0);
                    const long double dPlano = std::max(std::fabs(q.X - r.xy.y), std::fabs(q.Y - r.xy.x));
                    const long double dAng =
                        std::max(std::fabs(v.Latitud - g.Latitud), std::fabs(v.Longitud - g.Longitud)) /
                        kSegundo;
                    if ((dPlano > kMilimetro || dAng > 0.0001L) && dl < primerExceso) primerExceso = dl;
                    if (dl <= b.limite + 1e-9L) {
                        EXPECT_LE(dPlano, kMilimetro)
                            << static_cast<double>(lat) << " " << static_cast<double>(dl);
                        EXPECT_LE(dAng, 0.0001L)
                            << static_cast<double>(lat) << " " << static_cast<double>(dl);
                        const std::string donde = "lat " + Fijo(static_cast<double>(lat), 1) + ", " +
                                                  Fijo(static_cast<double>(dl), 2) + " deg from the meridian";
                        plano.Ver(dPlano, donde);
                        angulo.Ver(dAng, donde);
                    }
                }
            }
            std::printf(
                "[ PROJ     ] %s k0=%s within %.1Lf deg: worst forward %.4Lf mm (%s), worst inverse "
                "%.7Lf\" (%s); 1 mm or 0.0001\" first exceeded %.2Lf deg from the meridian\n",
                e->Codigo == 1 ? "WGS84" : "intl", b.k0 == 1 ? "1" : "0.9996", b.limite, plano.valor * 1000,
                plano.donde.c_str(), angulo.valor, angulo.donde.c_str(), primerExceso);
        }
}

}  // namespace
