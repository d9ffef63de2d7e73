// TDXFOut: the exact lines of a drawing, number formatting, and the file read back by GDAL.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <regex>

#include "dibujo.h"
#include "uDXF.h"
#include "temporal.h"

namespace {

// The drawing of grid rows as the window builds it: the point at (E, N, H), its label 10 above.
TDXFOut Dibujo(const std::vector<std::array<long double, 3>> &puntos,
               const std::vector<std::string> &etiquetas, long double limX, long double limY,
               long double altoTexto) {
    TDXFOut d(3, 0, 0, limX, limY, altoTexto);
    d.WriteHeader();
    for (std::size_t i = 0; i < puntos.size(); ++i) {
        const auto &p = puntos[i];
        d.AddPoint(p[0], p[1], p[2]);
        d.AddText(etiquetas[i], p[0], p[1] + 10, p[2], 0, 0);
    }
    d.WriteFooter();
    return d;
}

TEST(TDXFOut, UnPuntoLineaPorLinea) {
    // Column 5 (N) 12.5, column 6 (E) 7.25, column 7 (H) 1.5; one point, so every extent is 0.
    const TDXFOut d = Dibujo({{7.25L, 12.5L, 1.5L}}, {"17"}, 0, 0, 0);
    const std::vector<std::string> esperado = {
        "0",  "SECTION", "2",  "HEADER",  "9",  "$LIMMIN",  "10", "0.000",      "20", "0.000",
        "9",  "$LIMMAX", "10", "0.000",   "20", "0.000",    "0",  "ENDSEC",     "0",  "SECTION",
        "2",  "TABLES",  "0",  "TABLE",   "2",  "LAYER",    "70", "1",          "0",  "LAYER",
        "2",  "0",       "70", "64",      "62", "7",        "6",  "CONTINUOUS", "0",  "ENDTAB",
        "0",  "ENDSEC",  "0",  "SECTION", "2",  "ENTITIES", "0",  "POINT",      "8",  "0",
        "10", "7.250",   "20", "12.500",  "30", "1.500",    "0",  "TEXT",       "8",  "0",
        "10", "7.250",   "20", "22.500",  "30", "1.500",    "40", "0.000",      "1",  "17",
        "50", "0.000",   "0",  "ENDSEC",  "0",  "EOF"};
    EXPECT_EQ(d.Lines, esperado);
    EXPECT_EQ(d.Lines.size(), 46u + 10u + 16u + 4u);
}

// The labels' height is a thousandth of the east extent, never below 1 m: a single point, points on
// one north-south line or a small drawing would have labels 0 high, or too small to see.
TEST(TDXFOut, AlturaDeTextoConPiso) {
    const struct {
        const char *nombre;
        std::vector<std::array<long double, 2>> puntos;  // north, east
        long double maxX, maxY, altura;
    } kCasos[] = {
        {"sin puntos", {}, 0, 0, 1},
        {"un punto", {{6170494.4893L, 6373260.347L}}, 0, 0, 1},
        {"linea norte-sur", {{6170000, 6373260.347L}, {6180000, 6373260.347L}}, 10000, 0, 1},
        {"parcela de 300 m", {{6170000, 6373000}, {6170200, 6373300}}, 200, 300, 1},
        {"obra de 40 km", {{6170000, 6373000}, {6190000, 6413000}}, 20000, 40000, 40},
    };
    for (const auto &c : kCasos) {
        SCOPED_TRACE(c.nombre);
        TExtension e;
        for (const auto &p : c.puntos) e.Ampliar(p[0], p[1]);
        const TLimitesDibujo l = LimitesDibujo(e);
        EXPECT_EQ(l.MaxX, c.maxX);
        EXPECT_EQ(l.MaxY, c.maxY);
        EXPECT_NEAR(static_cast<double>(l.AlturaTexto), static_cast<double>(c.altura), 1e-9);
    }
}

TEST(TDXFOut, FormatValue) {
    struct Caso {
        int decimales;
        long double x;
        const char *texto;
    };
    const Caso casos[] = {
        {3, 0, "0.000"},         {3, 12.5L, "12.500"},
        {3, -58.4L, "-58.400"},  {3, 6373260.34715L, "6373260.347"},
        {3, 0.0006L, "0.001"},  // rounded
        {3, -0.0001L, "0.000"},  {0, 7.6L, "8"},
        {4, 1.5L, "1.5000"},     {3, 123456789012345.678L, "123456789012345.700"},  // 16 significant digits
        {3, 1.5e20L, "1.5E+20"}, {3, -1.25e17L, "-1.25E+17"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.texto);
        TDXFOut d(static_cast<uint8_t>(c.decimales), 0, 0, 0, 0, 0);
        EXPECT_EQ(d.FormatValue(c.x), c.texto);
    }
}

// Below 16 significant digits FormatValue must equal the correctly rounded fixed form of the
// standard library, near halves included.
TEST(TDXFOut, FormatValueComoElFijoExacto) {
    std::mt19937_64 g(20260101);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int dec = 0; dec <= 4; ++dec) {
        TDXFOut d(static_cast<uint8_t>(dec), 0, 0, 0, 0, 0);
        int distintos = 0;
        for (int i = 0; i < 40000; ++i) {
            long double x =
                static_cast<long double>(u(g)) * std::pow(10.0L, static_cast<long double>(i % 11));
            if (i % 3 == 0) x = std::round(x * 1000) / 1000 + 0.0005L;  // near a half
            char buf[128];
            const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, dec);
            std::string t(buf, static_cast<std::size_t>(r.ptr - buf));
            if (t.front() == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
            if (d.FormatValue(x) != t && distintos++ < 3)
                ADD_FAILURE() << dec << ": " << d.FormatValue(x) << " vs " << t;
        }
        EXPECT_EQ(distintos, 0);
    }
}

TEST(TDXFOut, EtiquetaCortadaA255) {
    TDXFOut d(3, 0, 0, 1, 1, 1);
    d.LayerName = "0";
    d.AddText(std::string(300, 'a'), 1, 2, 3, 2.5L, 0);
    ASSERT_EQ(d.Lines.size(), 16u);
    EXPECT_EQ(d.Lines[11], "2.500");
    EXPECT_EQ(d.Lines[13], std::string(255, 'a'));
}

TEST(TDXFOut, SaveToFileReemplazaONoToca) {
    TCarpetaTemporal dir;
    const TDXFOut d = Dibujo({{1, 2, 3}}, {"1"}, 0, 0, 0);
    const std::string ruta = dir / "a.dxf";
    EscribirArchivo(ruta, "viejo");
    ASSERT_TRUE(d.SaveToFile(ruta));
    const std::string escrito = LeerArchivo(ruta);
    EXPECT_EQ(escrito.substr(0, 15), "0\r\nSECTION\r\n2\r\n");
    EXPECT_EQ(escrito.substr(escrito.size() - 8), "0\r\nEOF\r\n");
    EXPECT_TRUE(d.SaveToFile(ruta));  // again, no question
    // A folder that does not exist: false, and nothing else in the folder.
    EXPECT_FALSE(d.SaveToFile(dir / "no/existe/a.dxf"));
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"a.dxf"});
}

// GDAL's DXF driver reads the drawing back: every point and every label at its coordinates.
TEST(TDXFOut, GDALLeeElDibujo) {
    if (std::system("ogrinfo --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ogrinfo not installed";
    TCarpetaTemporal dir;
    const std::vector<std::array<long double, 3>> puntos = {{6373260.347L, 6170494.489L, 1.5L},
                                                            {5512345.125L, 7012345.5L, 250.25L},
                                                            {4400000.0L, 3900000.0L, -9.8L}};
    const std::vector<std::string> etiquetas = {"1", "P-2", "tres"};
    const TDXFOut d = Dibujo(puntos, etiquetas, 3100000, 2000000, 2000);
    ASSERT_TRUE(d.SaveToFile(dir / "p.dxf"));
    const std::string salida = dir / "ogr.txt";
    ASSERT_EQ(std::system(("ogrinfo -al -q '" + dir / "p.dxf" + "' > '" + salida + "' 2>&1").c_str()), 0);
    const std::string texto = LeerArchivo(salida);
    const std::regex geom(R"(POINT Z \(([-0-9.e+]+) ([-0-9.e+]+) ([-0-9.e+]+)\))");
    std::vector<std::array<double, 3>> leidos;
    for (auto it = std::sregex_iterator(texto.begin(), texto.end(), geom); it != std::sregex_iterator(); ++it)
        leidos.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3])});
    ASSERT_EQ(leidos.size(), 2 * puntos.size()) << texto;
    for (std::size_t i = 0; i < puntos.size(); ++i) {
        SCOPED_TRACE(etiquetas[i]);
        const auto &p = puntos[i];
        const auto &pt = leidos[2 * i], &tx = leidos[2 * i + 1];
        EXPECT_NEAR(pt[0], static_cast<double>(p[0]), 0.0011);  // three decimals written
        EXPECT_NEAR(pt[1], static_cast<double>(p[1]), 0.0011);
        EXPECT_NEAR(pt[2], static_cast<double>(p[2]), 0.0011);
        EXPECT_NEAR(tx[0], static_cast<double>(p[0]), 0.0011);
        EXPECT_NEAR(tx[1], static_cast<double>(p[1] + 10), 0.0011);
        EXPECT_NE(texto.find("Text (String) = " + etiquetas[i]), std::string::npos);
    }
}

}  // namespace
