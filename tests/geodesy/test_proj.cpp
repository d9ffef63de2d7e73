// Cross-check against PROJ as the oracle: thousands of points over the seven strips and UTM zones 18
// to 22 on both frames, through every pair of kinds and frames of TCoordenadas; the nine frame-kinds of
// the three frames against PROJ's own EPSG systems and preferred operations; and a sweep that
// measures how far from the central meridian the truncated series stay within 1 mm of PROJ's exact
// transverse Mercator (Poder/Engsager).
#include <gtest/gtest.h>
#include <proj.h>
#include <proj_experimental.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
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
    // Gauss-Krüger strip 1 to 7 (northing from the South Pole), UTM zone z, south.
    PJ *GK(int faja, int codigo) {
        return Op("+proj=tmerc +lat_0=-90 +lon_0=" + std::to_string(3 * faja - 75) +
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

// The strips 3 deg wide from 73.5 deg W to 52.5 deg W, strip 1 reaching on to 75.45 deg W and strip 7
// to 50.55 deg W; 0 beyond.
int FajaDe(double lon) {
    if (lon >= -73.5 && lon < -52.5) return static_cast<int>(std::floor((lon + 73.5) / 3)) + 1;
    if (lon >= -75.45 && lon < -73.5) return 1;
    if (lon >= -52.5 && lon <= -50.55) return 7;
    return 0;
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

// PROJ's systems named by their EPSG codes: the geographic CRS of each frame and its Gauss-Krüger strips;
// UTM built on the frame's geographic CRS (EPSG has no UTM system for these frames). All promoted to 3D,
// so that heights go through the shift as the program's do. Operations by proj_create_crs_to_crs,
// longitude (or easting) first.
class SistemasEPSG {
  public:
    SistemasEPSG() : ctx_(proj_context_create()) {}
    ~SistemasEPSG() {
        for (auto &par : ops_) proj_destroy(par.second);
        for (auto &par : crs_) proj_destroy(par.second);
        proj_context_destroy(ctx_);
    }
    // zona: the strip 1 to 7 or the UTM zone; unused for geographic.
    PJ *Crs(TMarco m, TTipoCoordenada t, int zona) {
        const TDatosMarco &d = DatosMarco(m);
        const std::string clave = std::to_string(static_cast<int>(m)) + Nombre(t) + std::to_string(zona);
        auto it = crs_.find(clave);
        if (it != crs_.end()) return it->second;
        PJ *base = nullptr;
        if (t == tcGeografica)
            base = proj_create(ctx_, ("EPSG:" + std::to_string(d.EPSGGeografica)).c_str());
        else if (t == tcGaussKruger)
            base = proj_create(ctx_, ("EPSG:" + std::to_string(d.EPSGFaja1 + zona - 1)).c_str());
        else {
            PJ *geo = proj_create(ctx_, ("EPSG:" + std::to_string(d.EPSGGeografica)).c_str());
            PJ *conv = proj_create_conversion_utm(ctx_, zona, 0);
            PJ *cs = proj_create_cartesian_2D_cs(ctx_, PJ_CART2D_EASTING_NORTHING, nullptr, 0);
            base = proj_create_projected_crs(ctx_, "UTM", geo, conv, cs);
            proj_destroy(geo);
            proj_destroy(conv);
            proj_destroy(cs);
        }
        if (!base) throw std::runtime_error("PROJ has no system " + clave);
        PJ *crs = proj_crs_promote_to_3D(ctx_, nullptr, base);
        proj_destroy(base);
        if (!crs) throw std::runtime_error("PROJ cannot make 3D " + clave);
        crs_[clave] = crs;
        return crs;
    }
    PJ *Op(PJ *de, PJ *a) {
        auto it = ops_.find({de, a});
        if (it != ops_.end()) return it->second;
        PJ *op = proj_create_crs_to_crs_from_pj(ctx_, de, a, nullptr, nullptr);
        PJ *normal = op ? proj_normalize_for_visualization(ctx_, op) : nullptr;
        proj_destroy(op);
        if (!normal) throw std::runtime_error("PROJ has no operation");
        ops_[{de, a}] = normal;
        return normal;
    }
    PJ_CONTEXT *Ctx() { return ctx_; }

  private:
    PJ_CONTEXT *ctx_;
    std::map<std::string, PJ *> crs_;
    std::map<std::pair<PJ *, PJ *>, PJ *> ops_;
};

// The nine frame-kinds (three frames x geographic, Gauss-Krüger, UTM), every pair of them through
// TCoordenadas against PROJ straight from the source system to the destination one: 1 mm in the plane
// and in height, 1e-8 deg in angles. PROJ's operation between the frames must be the one the program
// names, with the accuracy it states. The points lie where PROJ's shifts for Campo Inchauspe apply
// (its mainland area, 52.43 to 21.78 deg S, 73.59 to 53.65 deg W), inside each strip's and zone's band.
TEST(PROJ, LosNueveSistemasDeLosTresMarcos) {
    SistemasEPSG proj;
    std::mt19937_64 gen(2007);
    std::uniform_real_distribution<double> lon(-73.49, -53.7), lat(-52.4, -21.8), alt(10, 3000);
    const TTipoCoordenada tipos[] = {tcGeografica, tcUTM, tcGaussKruger};
    Peor plano, angulo, altura;
    int comparados = 0, zonas[64] = {}, operaciones = 0;
    TCoordenadas c;
    for (int i = 0; i < 300; ++i) {
        double lo = lon(gen);
        // Kept 0.01 deg off the strip and zone bounds, so that PROJ's system and ours are the same one.
        if (std::fabs(std::remainder(lo + 73.5, 3.0)) < 0.01) lo += 0.05;
        if (std::fabs(std::remainder(lo, 6.0)) < 0.01) lo += 0.05;
        const double la = lat(gen), h = alt(gen);
        for (const TDatosMarco &mf : Marcos)
            for (TTipoCoordenada tf : tipos) {
                // The input texts on the source frame, and the values PROJ reads from them.
                c.SetElipsoideFuente(*mf.Elipsoide);
                c.SetTipoFuente(tf);
                c.Entrada = TPuntoTexto();
                c.Entrada.Coord3 = Fijo(h, 4);
                PJ_COORD fuente = proj_coord(0, 0, D(NumeroTest(c.Entrada.Coord3)), 0);
                int zf = 0;
                if (tf == tcGeografica) {
                    c.Entrada.Coord1 = Fijo(la, 12);
                    c.Entrada.Coord2 = Fijo(lo, 12);
                    c.Entrada.EnDecimal = 1;
                } else {
                    zf = tf == tcUTM ? ZonaDe(lo) : FajaDe(lo);
                    PJ *op = proj.Op(proj.Crs(mf.Marco, tcGeografica, 0), proj.Crs(mf.Marco, tf, zf));
                    const PJ_COORD p = proj_trans(op, PJ_FWD, proj_coord(lo, la, h, 0));
                    c.Entrada.Coord1 = Fijo(p.v[1], 4);
                    c.Entrada.Coord2 = Fijo(p.v[0], 4);
                    c.Entrada.Zona = std::to_string(zf);
                    ++zonas[tf == tcUTM ? zf : 40 + zf];
                }
                fuente.v[0] = D(NumeroTest(c.Entrada.Coord2));
                fuente.v[1] = D(NumeroTest(c.Entrada.Coord1));
                PJ *crsFuente = proj.Crs(mf.Marco, tf, zf);
                for (const TDatosMarco &md : Marcos) {
                    // PROJ's place on the destination frame, and the shift it took to get there.
                    PJ *aGeo = proj.Op(crsFuente, proj.Crs(md.Marco, tcGeografica, 0));
                    const PJ_COORD geo = proj_trans(aGeo, PJ_FWD, fuente);
                    if (md.Marco != mf.Marco) {
                        const TTraslado *t = Traslado(mf.Marco, md.Marco);
                        ASSERT_NE(t, nullptr);
                        PJ *usada = proj_trans_get_last_used_operation(aGeo);
                        ASSERT_NE(usada, nullptr);
                        const std::string nombre = proj_get_name(usada);
                        EXPECT_NE(nombre.find(t->Operacion), std::string::npos) << nombre;
                        EXPECT_EQ(proj_coordoperation_get_accuracy(proj.Ctx(), usada), t->Exactitud)
                            << nombre;
                        proj_destroy(usada);
                        ++operaciones;
                    }
                    for (TTipoCoordenada td : tipos) {
                        c.SetElipsoideDestino(*md.Elipsoide);
                        c.SetTipoDestino(td);
                        const std::string donde = std::string(Nombre(tf)) + " " + mf.Nombre + " -> " +
                                                  Nombre(td) + " " + md.Nombre + " en " + Fijo(la, 4) + ", " +
                                                  Fijo(lo, 4);
                        SCOPED_TRACE(donde);
                        ASSERT_TRUE(c.Convertir());
                        ++comparados;
                        if (td == tcGeografica) {
                            if (tf == tcGeografica && mf.Marco == md.Marco) continue;  // texts copied
                            const long double dLat = std::fabs(GradosDMSTest(c.Salida.Coord1) - geo.v[1]);
                            const long double dLon = std::fabs(GradosDMSTest(c.Salida.Coord2) - geo.v[0]);
                            EXPECT_LE(dLat, 1e-8L);
                            EXPECT_LE(dLon, 1e-8L);
                            angulo.Ver(std::max(dLat, dLon), donde);
                            const long double dH = std::fabs(NumeroTest(c.Salida.Coord3) - geo.v[2]);
                            EXPECT_LE(dH, kMilimetro);
                            altura.Ver(dH, donde);
                            continue;
                        }
                        const int zd = td == tcUTM ? ZonaDe(geo.v[0]) : FajaDe(geo.v[0]);
                        const PJ_COORD ref =
                            proj_trans(proj.Op(crsFuente, proj.Crs(md.Marco, td, zd)), PJ_FWD, fuente);
                        const long double dX = std::fabs(NumeroTest(c.Salida.Coord1) - ref.v[1]);
                        const long double dY = std::fabs(NumeroTest(c.Salida.Coord2) - ref.v[0]);
                        EXPECT_LE(dX, kMilimetro);
                        EXPECT_LE(dY, kMilimetro);
                        EXPECT_EQ(c.Salida.Zona.str(), std::to_string(zd));
                        plano.Ver(std::max(dX, dY), donde);
                        const long double dH = std::fabs(NumeroTest(c.Salida.Coord3) - ref.v[2]);
                        EXPECT_LE(dH, kMilimetro);
                        altura.Ver(dH, donde);
                    }
                }
            }
    }
    for (int z = 18; z <= 21; ++z) EXPECT_GT(zonas[z], 0) << "UTM zone " << z;
    for (int f = 1; f <= 7; ++f) EXPECT_GT(zonas[40 + f], 0) << "strip " << f;
    std::printf("[ PROJ     ] nine systems: %d conversions compared, %d shifts named as PROJ names them\n",
                comparados, operaciones);
    std::printf("[ PROJ     ] worst plane difference %.4Lf mm (%s)\n", plano.valor * 1000,
                plano.donde.c_str());
    std::printf("[ PROJ     ] worst angle difference %.3Le deg (%s)\n", angulo.valor, angulo.donde.c_str());
    std::printf("[ PROJ     ] worst height difference %.4Lf mm (%s)\n", altura.valor * 1000,
                altura.donde.c_str());
}

// The WKT a .prj beside a .csv carries, read back by PROJ, is the same system as PROJ's own (its EPSG
// code, or UTM built on the frame's geographic CRS), for every frame and kind, strips 1 to 7 and the
// country's UTM zones 18 to 21.
TEST(PROJ, WKTDeCadaSistema) {
    PJ_CONTEXT *ctx = proj_context_create();
    int vistos = 0;
    for (const TDatosMarco &m : Marcos)
        for (TTipoCoordenada t : {tcGeografica, tcGaussKruger, tcUTM})
            for (int zona = t == tcUTM ? 18 : 1; zona <= (t == tcGeografica ? 1
                                                          : t == tcUTM      ? 21
                                                                            : 7);
                 ++zona) {
                const std::string wkt = WKTSistema(m.Marco, t, zona);
                SCOPED_TRACE(std::string(m.Nombre) + " " + Nombre(t) + " " + std::to_string(zona) + ": " +
                             wkt);
                PJ *nuestro = proj_create(ctx, wkt.c_str());
                ASSERT_NE(nuestro, nullptr);
                PJ *suyo = nullptr;
                if (t == tcUTM) {
                    PJ *geo = proj_create(ctx, ("EPSG:" + std::to_string(m.EPSGGeografica)).c_str());
                    PJ *conv = proj_create_conversion_utm(ctx, zona, 0);
                    PJ *cs = proj_create_cartesian_2D_cs(ctx, PJ_CART2D_EASTING_NORTHING, nullptr, 0);
                    suyo = proj_create_projected_crs(ctx, "UTM", geo, conv, cs);
                    proj_destroy(geo);
                    proj_destroy(conv);
                    proj_destroy(cs);
                } else {
                    const int codigo = t == tcGeografica ? m.EPSGGeografica : m.EPSGFaja1 + zona - 1;
                    suyo = proj_create(ctx, ("EPSG:" + std::to_string(codigo)).c_str());
                    // The code named in the WKT is the system's own.
                    EXPECT_STREQ(proj_get_id_code(nuestro, 0), std::to_string(codigo).c_str());
                }
                ASSERT_NE(suyo, nullptr);
                // WKT 1 without axes is easting first, as GIS programs take every .prj.
                PJ *visto = proj_normalize_for_visualization(ctx, suyo);
                EXPECT_TRUE(
                    proj_is_equivalent_to(nuestro, visto, PJ_COMP_EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS));
                proj_destroy(nuestro);
                proj_destroy(suyo);
                proj_destroy(visto);
                ++vistos;
            }
    EXPECT_EQ(vistos, 3 * (1 + 7 + 4));
    EXPECT_EQ(WKTSistema(TMarco::Posgar2007, tcGaussKruger, 8), "");
    proj_context_destroy(ctx);
}

// Strips 1 and 7 beyond the strip table, through TCoordenadas on both frames: forward against PROJ's
// Gauss-Krüger of the strip, and back from PROJ's plane coordinates, measured on the ground (the
// result projected again by PROJ, against the plane point given).
TEST(PROJ, FajasUnoYSieteFueraDeLaTabla) {
    Proj proj;
    struct Caso {
        const char *nombre;
        double lon;
        int faja;
        long double toleranciaVuelta;  // m on the ground
    };
    // The series hold 1 mm both ways up to the band's edge; the way back also carries the rounding
    // of the printed seconds (0.00001" is 0.3 mm of latitude), so it is allowed 0.2 mm more there.
    const Caso casos[] = {
        {"faja 1 a 2.5 grados", -74.5, 1, kMilimetro},
        {"faja 1 en el borde", -75.44, 1, 1.2L * kMilimetro},
        {"faja 7 a 3 grados", -51, 7, kMilimetro},
        {"faja 7 en el borde", -50.56, 7, 1.2L * kMilimetro},
    };
    Peor ida, vuelta;
    for (const Caso &k : casos)
        for (double lat : {-22.0, -35.0, -48.5, -55.0})
            for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe}) {
                const std::string donde = std::string(k.nombre) +
                                          (e->Codigo == 1 ? " POSGAR" : " Inchauspe") + " lat " +
                                          Fijo(lat, 1);
                SCOPED_TRACE(donde);
                ASSERT_EQ(FajaDe(k.lon), k.faja);
                const Plano ref = Proyectar(proj, {lat, k.lon, 0}, tcGaussKruger, e->Codigo);
                TCoordenadas c;
                c.SetElipsoideFuente(*e);
                c.SetElipsoideDestino(*e);
                c.SetTipoFuente(tcGeografica);
                c.SetTipoDestino(tcGaussKruger);
                c.Entrada.Coord1 = Fijo(lat, 12);
                c.Entrada.Coord2 = Fijo(k.lon, 12);
                c.Entrada.EnDecimal = 1;
                ASSERT_TRUE(c.Convertir());
                EXPECT_EQ(c.Salida.Zona.str(), std::to_string(k.faja));
                const long double dX = std::fabs(NumeroTest(c.Salida.Coord1) - ref.X);
                const long double dY = std::fabs(NumeroTest(c.Salida.Coord2) - ref.Y);
                EXPECT_LE(dX, kMilimetro);
                EXPECT_LE(dY, kMilimetro);
                ida.Ver(std::max(dX, dY), donde);

                c.SetTipoFuente(tcGaussKruger);
                c.SetTipoDestino(tcGeografica);
                c.Entrada = TPuntoTexto();
                c.Entrada.Coord1 = Fijo(ref.X, 4);
                c.Entrada.Coord2 = Fijo(ref.Y, 4);
                ASSERT_TRUE(c.Convertir());
                const Geo g{static_cast<double>(GradosDMSTest(c.Salida.Coord1)),
                            static_cast<double>(GradosDMSTest(c.Salida.Coord2)), 0};
                const Plano otra = Proyectar(proj, g, tcGaussKruger, e->Codigo);
                ASSERT_EQ(otra.zona, k.faja);
                const long double d =
                    std::hypot(otra.X - NumeroTest(c.Entrada.Coord1), otra.Y - NumeroTest(c.Entrada.Coord2));
                EXPECT_LE(d, k.toleranciaVuelta);
                vuelta.Ver(d, donde);
            }
    std::printf(
        "[ PROJ     ] strips 1 and 7 beyond the table: worst forward %.4Lf mm (%s), worst inverse on "
        "the ground %.4Lf mm (%s)\n",
        ida.valor * 1000, ida.donde.c_str(), vuelta.valor * 1000, vuelta.donde.c_str());
}

// The bare series against PROJ's exact transverse Mercator, away from the central meridian: forward in
// the plane, inverse on the ground (its result projected again by PROJ, against the plane point
// given), over the latitudes of Argentina, both ellipsoids, k0 of Gauss-Krüger and of UTM. The bands
// asserted are where the series are used: the Gauss-Krüger band of strips 1 and 7 and half a UTM
// zone. The sweep goes on to 5 deg to show where each direction passes 1 mm.
TEST(PROJ, BandaDeExactitudDeLasSeries) {
    Proj proj;
    struct Banda {
        long double k0;
        long double limite;            // degrees from the central meridian
        long double toleranciaVuelta;  // m on the ground; forward always 1 mm
    };
    // Measured: the inverse series pass 1 mm from 3.47 deg south of 45 deg S.
    const Banda bandas[] = {{1, kBandaGK, kMilimetro}, {0.9996L, 3, kMilimetro}};
    const long double lon0 = -57;
    for (const Banda &b : bandas)
        for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe}) {
            PJ *op = proj.TMerc(lon0, b.k0, e->Codigo);
            Peor plano, suelo;
            long double excesoIda = 99, excesoVuelta = 99;  // first offsets where 1 mm is exceeded
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
                    const PJ_COORD w = proj_trans(op, PJ_FWD, proj_coord(D(v.Longitud), D(v.Latitud), 0, 0));
                    const long double dPlano = std::max(std::fabs(q.X - r.xy.y), std::fabs(q.Y - r.xy.x));
                    const long double dSuelo = std::hypot(w.xy.x - r.xy.x, w.xy.y - r.xy.y);
                    if (dPlano > kMilimetro && dl < excesoIda) excesoIda = dl;
                    if (dSuelo > kMilimetro && dl < excesoVuelta) excesoVuelta = dl;
                    if (dl <= b.limite + 1e-9L) {
                        EXPECT_LE(dPlano, kMilimetro)
                            << static_cast<double>(lat) << " " << static_cast<double>(dl);
                        EXPECT_LE(dSuelo, b.toleranciaVuelta)
                            << static_cast<double>(lat) << " " << static_cast<double>(dl);
                        const std::string donde = "lat " + Fijo(static_cast<double>(lat), 1) + ", " +
                                                  Fijo(static_cast<double>(dl), 2) + " deg from the meridian";
                        plano.Ver(dPlano, donde);
                        suelo.Ver(dSuelo, donde);
                    }
                }
            }
            std::printf(
                "[ PROJ     ] %s k0=%s within %.1Lf deg: worst forward %.4Lf mm (%s), worst inverse %.4Lf mm "
                "(%s); 1 mm first exceeded forward %.2Lf deg, inverse %.2Lf deg from the meridian\n",
                e->Codigo == 1 ? "WGS84" : "intl", b.k0 == 1 ? "1" : "0.9996", b.limite, plano.valor * 1000,
                plano.donde.c_str(), suelo.valor * 1000, suelo.donde.c_str(), excesoIda, excesoVuelta);
        }
}

}  // namespace
