// Runs the built zuvelo-convert: kinds and frames, delimiter detection, start line and columns,
// GPS input, drawings read by GDAL, usage and input/output errors, and equality with the window's
// segmented pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "dat.h"
#include "gdal.h"
#include "lectura.h"
#include "openpyxl.h"
#include "lote.h"
#include "numeros.h"
#include "segmentos.h"
#include "temporal.h"

namespace {

struct TCorrida {
    int estado = -1;
    std::string salida, errores;
};

// Runs the program with the arguments (a shell fragment), after the shell commands `antes` (a change
// of folder, say); stdout and stderr are kept apart.
TCorrida Correr(const std::string &args, const std::string &antes = "") {
    char err[] = "/tmp/zuvelo-cli-err-XXXXXX";
    const int fd = mkstemp(err);
    close(fd);
    TCorrida c;
    const std::string cmd = antes + "'" + ZUVELO_CONVERT + "' " + args + " 2>'" + err + "'";
    if (FILE *p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) c.salida.append(buf, n);
        const int st = pclose(p);
        c.estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }
    c.errores = LeerArchivo(err);
    std::remove(err);
    return c;
}

const char *const kPuntoDMS = "P1,34\xB0 36' 12.5\" S,58\xB0 22' 54\" W\r\n";

TEST(ZuveloConvert, TiposYMarcos) {
    struct Caso {
        const char *nombre;
        const char *entrada;
        const char *args;
        const char *esperado;
    };
    const Caso casos[] = {
        {"geo a gk", kPuntoDMS, "-f geo -t gk -c 2,3", "6170494.489,6373260.3471,1.5,6\r\n"},
        {"geo a utm", kPuntoDMS, "-f geo -t utm -c 2,3", "6170061.3482,373311.043,1.5,21\r\n"},
        {"geo a geo inchauspe", kPuntoDMS, "-f geo -t geo --to-frame inchauspe -c 2,3",
         "34\xB0 36' 14.10836\" S,58\xB0 22' 51.85202\" W,-9.7997\r\n"},
        {"geo a gk inchauspe", kPuntoDMS, "--from=geo --to=gk --to-frame=inchauspe --columns=2,3",
         "6170708.1474,6373310.1963,-9.7997,6\r\n"},
        {"geo a geo mismo marco", "-34.5,-58.4\n", "-f geo -t geo --decimal", "-34.5,-58.4,1.5\r\n"},
        {"geo en UTF-8 con --utf8", "P1,34\xC2\xB0 36' 12.5\" S,58\xC2\xB0 22' 54\" W\n",
         "-f geo -t utm -c 2,3 --utf8", "6170061.3482,373311.043,1.5,21\r\n"},
    };
    TCarpetaTemporal dir;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirArchivo(dir / "in.txt", c.entrada);
        const TCorrida r = Correr(std::string(c.args) + " '" + dir / "in.txt" + "'");
        EXPECT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.salida, c.esperado);
        EXPECT_NE(r.errores.find("1 point converted, 0 conversions failed, 0 lines without a point"),
                  std::string::npos)
            << r.errores;
    }
}

// Plane sources back to the worked point; values compared in metres.
TEST(ZuveloConvert, FuentesPlanas) {
    struct Caso {
        const char *nombre;
        const char *entrada;
        const char *args;
        long double x, y;
        const char *zona;
    };
    const Caso casos[] = {
        {"gk a utm", "6170494.489,6373260.3471\n", "-f gk -t utm", 6170061.3482L, 373311.043L, "21"},
        {"utm a gk", "6170061.3482;373311.043;0;21\n", "-f utm -t gk -c 1,2,3,4", 6170494.489L, 6373260.3471L,
         "6"},
        {"gk inchauspe a gk posgar", "6170708.1474\t6373310.1963\t-9.7997\n",
         "-f gk -t gk --from-frame inchauspe -c 1,2,3", 6170494.489L, 6373260.3471L, "6"},
        // PROJ: cs2cs EPSG:5348 EPSG:22186, EPSG:22186 EPSG:5348, EPSG:22196 EPSG:5348.
        {"gk posgar2007 a gk posgar", "6170494.489,6373260.3471\n", "-f gk -t gk --from-frame posgar2007",
         6170493.8548L, 6373260.2478L, "6"},
        {"gk posgar a gk posgar2007", "6170494.489,6373260.3471\n", "-f gk -t gk --to-frame POSGAR2007",
         6170495.1232L, 6373260.4464L, "6"},
        {"gk inchauspe a gk posgar2007", "6170708.1474\t6373310.1963\t-9.7997\n",
         "-f gk -t gk --from-frame inchauspe --to-frame posgar2007 -c 1,2,3", 6170494.4890L, 6373260.3473L,
         "6"},
    };
    TCarpetaTemporal dir;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirArchivo(dir / "in.txt", c.entrada);
        const TCorrida r = Correr(std::string(c.args) + " '" + dir / "in.txt" + "'");
        ASSERT_EQ(r.estado, 0) << r.errores;
        const std::string d(1, c.entrada[std::string(c.entrada).find_first_of(",;\t")]);
        const std::regex re("([-0-9.]+)" + d + "([-0-9.]+)" + d + "[-0-9.]+" + d + "([0-9]+)\r\n");
        std::smatch m;
        ASSERT_TRUE(std::regex_match(r.salida, m, re)) << r.salida;
        EXPECT_LE(std::fabs(LeerNumero(m[1].str()) - c.x), 0.002L);  // 2 mm
        EXPECT_LE(std::fabs(LeerNumero(m[2].str()) - c.y), 0.002L);
        EXPECT_EQ(m[3].str(), c.zona);
    }
    EscribirArchivo(dir / "in.txt", "6170494.489,6373260.3471\n");
    const TCorrida r = Correr("-f gk -t geo '" + dir / "in.txt" + "'");
    EXPECT_EQ(r.salida.substr(0, 11), "34\xB0 36' 12.");
}

// -34.5, -58.4 on POSGAR 94 in strip 6: 6181950.9533, 6371419.4018 (PROJ: cs2cs EPSG:4694 EPSG:22186).
TEST(ZuveloConvert, DelimitadorDetectadoInicioYColumnas) {
    struct Caso {
        const char *nombre;
        const char *entrada;
        const char *args;
        const char *esperado;
    };
    const Caso casos[] = {
        {"punto y coma", "P1;-34.5;-58.4\n", "-c 2,3", "6181950.9533;6371419.4018;1.5;6\r\n"},
        {"tabulador gana a la coma", "P1\t-34.5\t-58.4\tx,y\n", "-c 2,3",
         "6181950.9533\t6371419.4018\t1.5\t6\r\n"},
        {"espacio", "P1 -34.5 -58.4\n", "-c 2,3", "6181950.9533 6371419.4018 1.5 6\r\n"},
        {"coma con blancos", "P1, -34.5, -58.4, 25\n", "-c 2,3,4", "6181950.9533,6371419.4018,25.0,6\r\n"},
        {"linea de inicio y columnas cruzadas", "titulo;sin;datos\nLon;Lat\n-58.4;-34.5;7\n", "-s 3 -c 2,1,3",
         "6181950.9533;6371419.4018;7.0;6\r\n"},
        {"delimitador dado", "P1 x,-34.5,-58.4\n", "-d comma -c 2,3", "6181950.9533,6371419.4018,1.5,6\r\n"},
    };
    TCarpetaTemporal dir;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirArchivo(dir / "in.txt", c.entrada);
        const TCorrida r =
            Correr("-f geo -t gk --decimal " + std::string(c.args) + " '" + dir / "in.txt" + "' -");
        EXPECT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.salida, c.esperado);
    }
    // A start line that no delimiter splits: the file and the line are named.
    EscribirArchivo(dir / "in.txt", "12345\n");
    const TCorrida r = Correr("-f geo -t gk '" + dir / "in.txt" + "'");
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find("line 1"), std::string::npos) << r.errores;
}

TEST(ZuveloConvert, EntradaEstandar) {
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", "a;b\n-34.5;-58.4\n");
    const TCorrida r = Correr("-f geo -t gk --decimal -s 2 - < '" + dir / "in.txt" + "'");
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "6181950.9533;6371419.4018;1.5;6\r\n");
}

TEST(ZuveloConvert, LineasMalasYResumen) {
    std::string entrada = "P,-34.5,-58.4\n\nP,91,-58\nP,-34.5\nP,-34x,-58\n";
    for (int i = 0; i < 30; ++i) entrada += "P,95,-58\n";
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", entrada);
    const TCorrida r = Correr("-f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "'");
    EXPECT_EQ(r.estado, 3);
    // One line per line that yields a point, in order; failures are the delimiter twice.
    std::string esperado = "6181950.9533,6371419.4018,1.5,6\r\n,,\r\n,,\r\n";
    for (int i = 0; i < 30; ++i) esperado += ",,\r\n";
    EXPECT_EQ(r.salida, esperado);
    EXPECT_NE(r.errores.find("1 point converted, 32 conversions failed, 2 lines without a point (1 empty)"),
              std::string::npos)
        << r.errores;
    EXPECT_NE(r.errores.find("line 3: latitude '91' beyond 90\xC2\xB0"), std::string::npos) << r.errores;
    EXPECT_NE(r.errores.find("line 4: only 2 fields, column 3 needed"), std::string::npos);
    EXPECT_NE(r.errores.find("line 5: latitude '-34x' is not a number"), std::string::npos);
    EXPECT_NE(r.errores.find("line 22: latitude '95' beyond"), std::string::npos);
    EXPECT_EQ(r.errores.find("line 23:"), std::string::npos);  // only the first 20 are listed
    EXPECT_NE(r.errores.find("... and 13 more lines"), std::string::npos);

    EscribirArchivo(dir / "in.txt", "6170061,373311,1,2O\n6170061,373311,1,61\n");
    const TCorrida u = Correr("-f utm -t gk -c 1,2,3,4 '" + dir / "in.txt" + "'");
    EXPECT_EQ(u.salida, ",,\r\n,,\r\n");
    EXPECT_NE(u.errores.find("line 1: zone '2O' is not a zone number"), std::string::npos) << u.errores;
    EXPECT_NE(u.errores.find("line 2: zone 61 outside 1 to 60"), std::string::npos);
}

TEST(ZuveloConvert, WaypointsGPS) {
    TCarpetaTemporal dir;
    EscribirArchivo(
        dir / "d.txt",
        "Encabezado del GPS\r\nW,D,P1,-34.5,-58.4,x\r\n\r\nW,D,P2,95,-58,\r\nW,D,P3,-34.5,-58.4,\r\n");
    TCorrida r = Correr("-f gps -t gk '" + dir / "d.txt" + "'");
    EXPECT_EQ(r.estado, 3) << r.errores;
    EXPECT_EQ(r.salida, "6181950.9533,6371419.4018,1.5,6\r\n,,\r\n6181950.9533,6371419.4018,1.5,6\r\n");
    EXPECT_NE(r.errores.find("line 4: latitude '95' beyond 90"), std::string::npos) << r.errores;

    EscribirArchivo(dir / "dms.txt", "WP,dms,A1,-34 36' 12.5'',-58 22' 54'',\n");
    r = Correr("-f gps -t gk '" + dir / "dms.txt" + "'");
    EXPECT_EQ(r.salida, "6170494.489,6373260.3471,1.5,6\r\n");

    // A value longer than the record's 30 characters would be cut into another number.
    EscribirArchivo(dir / "largo.txt", "W,D,P1,-0000000000000000000000000034.5,-58.4,\n");
    r = Correr("-f gps -t gk '" + dir / "largo.txt" + "'");
    EXPECT_EQ(r.salida, ",,\r\n");
    EXPECT_NE(
        r.errores.find("line 1: latitude '-0000000000000000000000000034.5' is longer than 30 characters"),
        std::string::npos)
        << r.errores;

    // In a file for other programs a waypoint keeps its name; one without a name gets its record's
    // number (the empty line between records is none).
    EscribirArchivo(dir / "n.txt", "W,D,Obelisco,-34.6037,-58.3816,\r\n\r\nW,D,,-34.5,-58.4,\r\n");
    r = Correr("-q -f gps -t gk '" + dir / "n.txt" + "' '" + dir / "n.csv" + "'");
    EXPECT_EQ(r.estado, 0) << r.errores;
    const std::string csv = LeerArchivo(dir / "n.csv");
    EXPECT_NE(csv.find("\r\nObelisco,"), std::string::npos) << csv;
    // A waypoint gives no height: the default one stays in the .DAT.
    EXPECT_NE(csv.find("\r\n2,6181950.9533,6371419.4018,,6\r\n"), std::string::npos) << csv;

    EscribirArchivo(dir / "sin.txt", "a,b,c\n");
    r = Correr("-f gps -t gk '" + dir / "sin.txt" + "'");
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find("marker"), std::string::npos);
}

// The drawing: GDAL's DXF driver finds every point and its label at the coordinates.
TEST(ZuveloConvert, DibujoLeidoPorGDAL) {
    if (std::system("ogrinfo --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ogrinfo not installed";
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", "x;y\nA;-34.5;-58.4\nB;95;-58\nC;-38.0;-65.25\n");
    TCorrida r =
        Correr("-f geo -t gk --decimal -s 2 -c 2,3 '" + dir / "in.txt" + "' '" + dir / "p.DXF" + "'");
    ASSERT_EQ(r.estado, 3) << r.errores;
    ASSERT_EQ(
        std::system(("ogrinfo -al -q '" + dir / "p.DXF" + "' > '" + dir / "ogr.txt" + "' 2>&1").c_str()), 0);
    const std::string t = LeerArchivo(dir / "ogr.txt");
    // Point 1 and point 3 (the failed point 2 is not drawn); labels count lines from the start line.
    // PROJ: -38.0, -65.25 in strip 3 (EPSG:22183) is 5794202.2594, 3565874.8057.
    EXPECT_NE(t.find("POINT Z (6371419.402 6181950.953 1.5)"), std::string::npos) << t;
    EXPECT_NE(t.find("POINT Z (3565874.806 5794202.259 1.5)"), std::string::npos);
    EXPECT_NE(t.find("Text (String) = 1\n"), std::string::npos);
    EXPECT_NE(t.find("Text (String) = 3\n"), std::string::npos);
    EXPECT_EQ(t.find("Text (String) = 2\n"), std::string::npos);
    const std::regex punto(R"(POINT Z \()");
    EXPECT_EQ(std::distance(std::sregex_iterator(t.begin(), t.end(), punto), std::sregex_iterator()), 4);

    // A waypoint drawing is labelled with the names.
    EscribirArchivo(dir / "g.txt", "W,D,Obelisco,-34.6037,-58.3816,\n");
    r = Correr("-f gps -t utm '" + dir / "g.txt" + "' '" + dir / "g.dxf" + "'");
    ASSERT_EQ(r.estado, 0) << r.errores;
    ASSERT_EQ(
        std::system(("ogrinfo -al -q '" + dir / "g.dxf" + "' > '" + dir / "ogr.txt" + "' 2>&1").c_str()), 0);
    EXPECT_NE(LeerArchivo(dir / "ogr.txt").find("Text (String) = Obelisco"), std::string::npos);
}

// Each format for other programs, named by OUTPUT's extension, read back by GDAL: the names from
// --name-column (a point without one gets its number), one feature per point (the CSV keeps the
// failed one as a row), and each point where the input put it. PROJ: -34.5, -58.4 in strip 6 is
// 6181950.9533, 6371419.4018; -38.0, -65.25 in strip 3 is 5794202.2594, 3565874.8057.
TEST(ZuveloConvert, FormatosLeidosPorGDAL) {
    if (!HayOgrinfo()) GTEST_SKIP() << "ogrinfo not installed";
    struct Caso {
        const char *salida, *destino;
        const char *opciones;     // ogrinfo's open options
        const char *campoNombre;  // the field GDAL shows the name in
    };
    const Caso casos[] = {
        // The names QGIS's delimited-text import looks for: the plane columns are none of them.
        {"p.csv", "-t gk",
         "-oo X_POSSIBLE_NAMES=x,xcoord,lon,long,longitude,east,easting "
         "-oo Y_POSSIBLE_NAMES=y,ycoord,lat,latitude,north,northing",
         "nombre"},
        {"p.CSV", "-t geo", "-oo X_POSSIBLE_NAMES=longitud -oo Y_POSSIBLE_NAMES=latitud", "nombre"},
        {"p.geojson", "-t gk", "", "nombre"},
        {"p.kml", "-t utm --to-frame inchauspe", "", "Name"},
        {"p.gpx", "-t gk --to-frame inchauspe", "", "name"},
    };
    struct Punto {
        const char *nombre;  // UTF-8
        double lat, lon;     // NaN: the conversion fails
        const char *x, *y;   // Gauss-Krüger on POSGAR 94
    };
    const Punto puntos[] = {{"Pozo \"A\", \xC3\xB1", -34.5, -58.4, "6181950.9533", "6371419.4018"},
                            {"P2", std::nan(""), 0, "", ""},
                            {"3", -38.0, -65.25, "5794202.2594", "3565874.8057"}};
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt",
                    "Nombre;Lat;Lon\r\nPozo \"A\", \xF1;-34.5;-58.4\r\nP2;95;-58\r\n;-38.0;-65.25\r\n");
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.salida);
        const TCorrida r =
            Correr(std::string("-q -f geo --decimal -d semicolon -s 2 -c 2,3 --name-column 1 ") + c.destino +
                   " '" + dir / "in.txt" + "' '" + dir / c.salida + "'");
        ASSERT_EQ(r.estado, 3) << r.errores;
        const std::vector<TLeido> leidos = LeerConGDAL(dir / c.salida, c.opciones, c.campoNombre);
        const bool csv = std::string(c.salida).find(".csv") != std::string::npos ||
                         std::string(c.salida).find(".CSV") != std::string::npos;
        ASSERT_EQ(leidos.size(), csv ? 3u : 2u) << LeerArchivo(dir / c.salida);
        std::size_t k = 0;
        for (const Punto &p : puntos) {
            if (std::isnan(p.lat) && !csv) continue;
            const TLeido &l = leidos[k++];
            EXPECT_EQ(l.nombre, p.nombre);
            if (std::isnan(p.lat)) {
                EXPECT_FALSE(l.conPunto);
            } else if (std::string(c.destino) == "-t gk" && csv) {
                EXPECT_FALSE(l.conPunto) << "a GIS took a plane column for longitude or latitude";
                EXPECT_EQ(l.campos.at("norte"), p.x);
                EXPECT_EQ(l.campos.at("este"), p.y);
            } else {
                ASSERT_TRUE(l.conPunto);
                EXPECT_NEAR(l.lat, p.lat, 1e-9);
                EXPECT_NEAR(l.lon, p.lon, 1e-9);
            }
        }
    }
}

// A .csv names its coordinate system in the .prj beside it, which GDAL reads as the layer's system: the
// EPSG code of the destination frame and kind (the strip's own), or a UTM zone on the frame; points in
// several strips or zones have no one system, and no .prj is written.
TEST(ZuveloConvert, PrjJuntoAlCsvLeidoPorGDAL) {
    if (!HayOgrinfo()) GTEST_SKIP() << "ogrinfo not installed";
    struct Caso {
        const char *salida, *args, *entrada;
        const char *prj;     // nullptr: none written
        const char *espera;  // in GDAL's description of the layer's system
    };
    const char *const unaFaja = "A;-34.5;-58.4\r\nB;-34.6;-58.3\r\n";
    const Caso casos[] = {
        {"a.csv", "-t gk --to-frame posgar2007", unaFaja, "a.prj", "ID[\"EPSG\",5348]"},
        {"b.CSV", "-t gk --to-frame inchauspe", unaFaja, "b.prj", "ID[\"EPSG\",22196]"},
        {"c.csv", "-t geo --to-frame posgar2007", unaFaja, "c.prj", "ID[\"EPSG\",5340]"},
        {"d.csv", "-t utm --to-frame posgar2007", unaFaja, "d.prj",
         "DATUM[\"Posiciones Geodesicas Argentinas 2007\""},
        {"e.csv", "-t gk", "A;-34.5;-58.4\r\nB;-38;-65.25\r\n", nullptr, nullptr},
    };
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", "");
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.salida);
        EscribirArchivo(dir / "in.txt", c.entrada);
        const TCorrida r = Correr(std::string("-f geo --decimal -d semicolon -c 2,3 ") + c.args + " '" +
                                  dir / "in.txt" + "' '" + dir / c.salida + "'");
        ASSERT_EQ(r.estado, 0) << r.errores;
        if (!c.prj) {
            EXPECT_NE(r.errores.find("no .prj written"), std::string::npos) << r.errores;
            EXPECT_NE(std::system(("test -e '" + dir / "e.prj" + "'").c_str()), 0);
            continue;
        }
        const std::string capa = std::string(c.salida).substr(0, 1);
        const std::string columnas = std::string(c.args).find("-t geo") == 0
                                         ? "-oo X_POSSIBLE_NAMES=longitud -oo Y_POSSIBLE_NAMES=latitud"
                                         : "-oo X_POSSIBLE_NAMES=este -oo Y_POSSIBLE_NAMES=norte";
        ASSERT_EQ(std::system(("ogrinfo -so " + columnas + " '" + dir / c.salida + "' " + capa + " > '" +
                               dir / "ogr.txt" + "' 2>&1")
                                  .c_str()),
                  0);
        const std::string t = LeerArchivo(dir / "ogr.txt");
        EXPECT_NE(t.find(c.espera), std::string::npos) << LeerArchivo(dir / c.prj) << "\n" << t;
    }
}

// A UTF-8 name that Windows-1252 cannot hold: whole in the UTF-8 files (as GDAL reads them), '?'
// in the drawing's labels, and the summary counts the names changed.
TEST(ZuveloConvert, NombresFueraDeWindows1252) {
    if (!HayOgrinfo()) GTEST_SKIP() << "ogrinfo not installed";
    const std::string kLodz =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA \xE2\x80\x93 \xE2\x9C\x93";  // Łódź – ✓
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", "Nombre;Lat;Lon\n" + kLodz +
                                        ";-34.5;-58.4\nCa\xC3\xB1"
                                        "ada;-34.6;-58.5\n");
    const std::string args =
        "-q -f geo -t gk --decimal -s 2 -c 2,3 --name-column 1 '" + dir / "in.txt" + "' ";
    for (const char *salida : {"p.csv", "p.geojson", "p.xlsx"}) {
        SCOPED_TRACE(salida);
        const TCorrida r = Correr(args + "'" + dir / salida + "'");
        ASSERT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.errores.find("changed"), std::string::npos) << r.errores;
        if (std::string(salida) == "p.xlsx") {
            const auto filas = LeerConOpenpyxl(dir / salida);
            ASSERT_EQ(filas.size(), 3u);
            EXPECT_EQ(filas[1][0].valor, kLodz);
            EXPECT_EQ(filas[2][0].valor,
                      "Ca\xC3\xB1"
                      "ada");
            continue;
        }
        const std::vector<TLeido> leidos = LeerConGDAL(dir / salida, "", "nombre");
        ASSERT_EQ(leidos.size(), 2u);
        EXPECT_EQ(leidos[0].nombre, kLodz);
        EXPECT_EQ(leidos[1].nombre,
                  "Ca\xC3\xB1"
                  "ada");
    }
    const TCorrida r = Correr(args + "'" + dir / "p.dxf" + "'");
    ASSERT_EQ(r.estado, 0) << r.errores;
    EXPECT_NE(r.errores.find("1 point name changed in the drawing"), std::string::npos) << r.errores;
    const std::string dxf = LeerArchivo(dir / "p.dxf");
    EXPECT_NE(dxf.find("\r\n1\r\n?\xF3"
                       "d? \x96 ?\r\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("\r\n1\r\nCa\xF1"
                       "ada\r\n"),
              std::string::npos);
}

TEST(ZuveloConvert, ErroresDeUso) {
    struct Caso {
        const char *args;
        const char *nombra;
    };
    const Caso casos[] = {
        {"-f geo in.txt", "--to"},
        {"-t gk in.txt", "--from"},
        {"-f xyz -t gk in.txt", "--from"},
        {"-f geo -t gk --from-frame wgs in.txt", "--from-frame"},
        {"-f geo -t gk -d pipe in.txt", "--delimiter"},
        {"-f geo -t gk -s 0 in.txt", "--start-line"},
        {"-f geo -t gk -s 3x in.txt", "--start-line"},
        {"-f geo -t gk -c 1 in.txt", "--columns"},
        {"-f geo -t gk -c 1,300 in.txt", "--columns"},
        {"-f geo -t gk -c 0,2 in.txt", "--columns"},
        {"-f geo -t gk -j 0 in.txt", "--threads"},
        {"-f geo -t gk --bogus in.txt", "--bogus"},
        {"-f geo -t gk", "INPUT"},
        {"-f geo -t gk a b c", "'c'"},
        {"-f utm -t gk in.txt", "--from utm"},
        {"-f gps -t gk -c 1,2 in.txt", "--columns"},
        {"-f gps -t gk --name-column 1 in.txt", "--name-column"},
        {"-f geo -t gk --name-column 256 in.txt", "--name-column"},
        {"-f geo -t geo in.txt out.dxf", ".dxf"},
        {"-f geo -t gk -s", "--start-line"},
        {"-f geo -t gk --quiet=yes in.txt", "--quiet"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.args);
        const TCorrida r = Correr(c.args);
        EXPECT_EQ(r.estado, 2);
        EXPECT_EQ(std::count(r.errores.begin(), r.errores.end(), '\n'), 1) << r.errores;
        EXPECT_NE(r.errores.find(c.nombra), std::string::npos) << r.errores;
        EXPECT_NE(r.errores.find("--help"), std::string::npos);
        EXPECT_EQ(r.salida, "");
    }
    EXPECT_EQ(Correr("--help").estado, 0);
    EXPECT_NE(Correr("--help").salida.find("--start-line"), std::string::npos);
    EXPECT_EQ(Correr("--version").estado, 0);
}

TEST(ZuveloConvert, ErroresDeEntradaYSalida) {
    TCarpetaTemporal dir;
    // Missing input: status 1, the file named, no output created.
    TCorrida r = Correr("-f geo -t gk '" + dir / "no.txt" + "' '" + dir / "out.txt" + "'");
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find(dir / "no.txt"), std::string::npos);
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{});

    EscribirArchivo(dir / "in.txt", "P,-34.5,-58.4\n");
    // An output folder that does not exist.
    r = Correr("-f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "' '" + dir / "no/out.txt" + "'");
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.errores.find(dir / "no/out.txt"), std::string::npos) << r.errores;
    // A run that fails after the output was started leaves an existing file as it was.
    EscribirArchivo(dir / "out.txt", "viejo\r\n");
    EscribirArchivo(dir / "mal.txt", "12345\n");
    r = Correr("-f geo -t gk '" + dir / "mal.txt" + "' '" + dir / "out.txt" + "'");
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(LeerArchivo(dir / "out.txt"), "viejo\r\n");
    EXPECT_EQ(dir.Archivos(), (std::vector<std::string>{"in.txt", "mal.txt", "out.txt"}));
    // A read-only folder (not for root, who writes anywhere).
    if (geteuid() != 0) {
        mkdir((dir / "ro").c_str(), 0755);
        EscribirArchivo(dir / "ro/out.txt", "viejo\r\n");
        chmod((dir / "ro").c_str(), 0555);
        r = Correr("-f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "' '" + dir / "ro/out.txt" + "'");
        chmod((dir / "ro").c_str(), 0755);
        EXPECT_EQ(r.estado, 1);
        EXPECT_EQ(LeerArchivo(dir / "ro/out.txt"), "viejo\r\n");
    }
    // Success replaces it.
    r = Correr("-f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "' '" + dir / "out.txt" + "'");
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(LeerArchivo(dir / "out.txt"), "6181950.9533,6371419.4018,1.5,6\r\n");
}

// A run stopped by a signal (Ctrl-C, kill, a closed terminal or pipe, the file-size limit) while it
// writes leaves neither its temporary file nor a damaged output, and says why in one line: the input
// is a pipe that stays open and silent, so the run is caught mid-way.
TEST(ZuveloConvert, InterrumpidoNoDejaTemporal) {
    struct Caso {
        int senal;
        const char *nombre;
        bool propia;  // ends by the signal itself; otherwise exit status 128 + signal
    };
    const Caso casos[] = {{SIGTERM, "SIGTERM", true},  {SIGINT, "SIGINT", true},
                          {SIGHUP, "SIGHUP", true},    {SIGPIPE, "SIGPIPE", true},
                          {SIGQUIT, "SIGQUIT", false}, {SIGXFSZ, "ulimit -f", false}};
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCarpetaTemporal dir;
        const std::string fifo = dir / "in.fifo";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        EscribirArchivo(dir / "out.dat", "viejo\r\n");
        const int escritor = open(fifo.c_str(), O_RDWR);  // holds the pipe open without blocking
        ASSERT_GE(escritor, 0);
        ASSERT_EQ(write(escritor, "P,-34.5,-58.4\n", 14), 14);
        const std::string errores = dir.Ruta() + ".err";
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            const int err = open(errores.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, 2);
            for (const Caso &d : casos) signal(d.senal, SIG_DFL);
            sigset_t ninguna;
            sigemptyset(&ninguna);
            sigprocmask(SIG_SETMASK, &ninguna, nullptr);
            execl(ZUVELO_CONVERT, ZUVELO_CONVERT, "-q", "-f", "geo", "-t", "gk", "--decimal", "-c", "2,3",
                  fifo.c_str(), (dir / "out.dat").c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        // Wait until the temporary output exists beside the target.
        bool empezado = false;
        for (int i = 0; i < 500 && !empezado; ++i) {
            empezado = dir.Archivos().size() == 3;
            if (!empezado) usleep(10000);
        }
        EXPECT_TRUE(empezado);
        kill(hijo, c.senal);
        int estado = 0;
        ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
        close(escritor);
        if (c.propia)
            EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == c.senal) << estado;
        else
            EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 128 + c.senal) << estado;
        EXPECT_EQ(dir.Archivos(), (std::vector<std::string>{"in.fifo", "out.dat"}));
        EXPECT_EQ(LeerArchivo(dir / "out.dat"), "viejo\r\n");
        const std::string mensaje = LeerArchivo(errores);
        std::remove(errores.c_str());
        EXPECT_EQ(std::count(mensaje.begin(), mensaje.end(), '\n'), 1) << mensaje;
        EXPECT_NE(mensaje.find(c.nombre), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("no output file was written"), std::string::npos) << mensaje;
    }
}

// The real file-size limit: the write that passes it ends the run with the limit named.
TEST(ZuveloConvert, LimiteDeTamano) {
    TCarpetaTemporal dir;
    std::string entrada;
    for (int i = 0; i < 2000; ++i) entrada += "P,-34.5,-58.4\n";
    EscribirArchivo(dir / "in.txt", entrada);
    EscribirArchivo(dir / "out.dat", "viejo\r\n");
    const TCorrida r = Correr("-q -f geo -t gk --decimal -c 2,3 in.txt out.dat",
                              "cd '" + dir.Ruta() + "' && ulimit -f 1 && exec ");
    EXPECT_EQ(r.estado, 128 + SIGXFSZ);
    EXPECT_NE(r.errores.find("ulimit -f"), std::string::npos) << r.errores;
    EXPECT_EQ(std::count(r.errores.begin(), r.errores.end(), '\n'), 1) << r.errores;
    EXPECT_EQ(dir.Archivos(), (std::vector<std::string>{"in.txt", "out.dat"}));
    EXPECT_EQ(LeerArchivo(dir / "out.dat"), "viejo\r\n");
}

// Every name of the input as OUTPUT is refused before anything is written, and so is a standard
// output that appends to the input.
TEST(ZuveloConvert, SalidaQueEsLaEntrada) {
    const char *const casos[] = {"in.txt in.txt",      "in.txt ./in.txt",   "in.txt \"$PWD/in.txt\"",
                                 "in.txt duro.txt",    "in.txt blando.txt", "blando.txt in.txt",
                                 "in.txt - >> in.txt", "- in.txt < in.txt"};
    const std::string entrada = "P,-34.5,-58.4\r\nP,-35.5,-59.4\r\n";
    for (const char *c : casos) {
        SCOPED_TRACE(c);
        TCarpetaTemporal dir;
        EscribirArchivo(dir / "in.txt", entrada);
        ASSERT_EQ(link((dir / "in.txt").c_str(), (dir / "duro.txt").c_str()), 0);
        ASSERT_EQ(symlink("in.txt", (dir / "blando.txt").c_str()), 0);
        const TCorrida r =
            Correr(std::string("-q -f geo -t gk --decimal -c 2,3 ") + c, "cd '" + dir.Ruta() + "' && ");
        EXPECT_EQ(r.estado, 1) << r.errores;
        EXPECT_NE(r.errores.find("input file"), std::string::npos) << r.errores;
        EXPECT_EQ(LeerArchivo(dir / "in.txt"), entrada);
        EXPECT_EQ(dir.Archivos(), (std::vector<std::string>{"blando.txt", "duro.txt", "in.txt"}));
    }
}

// A character device, standard output and a named pipe are written straight through and stay what
// they are; a symbolic link stays a link to the file that gets the result.
TEST(ZuveloConvert, DispositivosTuberiasYEnlaces) {
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", "P,-34.5,-58.4\n");
    const std::string args = "-q -f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "' ";
    const std::string resultado = "6181950.9533,6371419.4018,1.5,6\r\n";
    struct stat st;

    TCorrida r = Correr(args + "/dev/null");
    EXPECT_EQ(r.estado, 0) << r.errores;
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    r = Correr(args + "/dev/stdout");
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, resultado);

    ASSERT_EQ(mkfifo((dir / "tubo").c_str(), 0600), 0);
    // The reader in the background; the status is the program's, once the reader has finished too.
    r = Correr(args + "'" + dir / "tubo" + "'; st=$?; wait; exit $st; }",
               "cat '" + dir / "tubo" + "' > '" + dir / "leido" + "' & { ");
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(LeerArchivo(dir / "leido"), resultado);
    ASSERT_EQ(lstat((dir / "tubo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    mkdir((dir / "sub").c_str(), 0755);
    EscribirArchivo(dir / "real.dat", "viejo\r\n");
    ASSERT_EQ(symlink("../real.dat", (dir / "sub/enlace.dat").c_str()), 0);
    r = Correr(args + "'" + dir / "sub/enlace.dat" + "'");
    EXPECT_EQ(r.estado, 0) << r.errores;
    ASSERT_EQ(lstat((dir / "sub/enlace.dat").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(LeerArchivo(dir / "real.dat"), resultado);
    EXPECT_EQ(dir.Archivos(), (std::vector<std::string>{"in.txt", "leido", "real.dat", "sub", "tubo"}));
}

// 0 only when every point converted; 3 when the run ended but a point failed or a line that is not
// empty gave none.
TEST(ZuveloConvert, EstadoDeSalida) {
    struct Caso {
        const char *nombre;
        const char *entrada;
        int estado;
    };
    const Caso casos[] = {
        {"todo convertido", "P,-34.5,-58.4\nP,-35.5,-59.4\n", 0},
        {"lineas vacias y en blanco", "P,-34.5,-58.4\n\n  \n\r\nP,-35.5,-59.4\n", 0},
        {"archivo vacio", "", 0},
        {"un punto fallido", "P,-34.5,-58.4\nP,95,-58\n", 3},
        {"una linea sin punto", "P,-34.5,-58.4\nP,-34.5\n", 3},
        {"todo fallido", "P,a,b\nP,c,d\n", 3},
    };
    TCarpetaTemporal dir;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirArchivo(dir / "in.txt", c.entrada);
        const TCorrida r = Correr("-q -f geo -t gk --decimal -d comma -c 2,3 '" + dir / "in.txt" + "'");
        EXPECT_EQ(r.estado, c.estado) << r.errores;
    }
    EXPECT_NE(Correr("--help").salida.find("3  the run finished, but some points failed"), std::string::npos);
}

// A CR alone ends a line as LF and CR LF do.
TEST(ZuveloConvert, FinDeLineaCR) {
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "in.txt", "P,-34.5,-58.4\rP,-34.5,-58.4\r\nP,-34.5,-58.4\r");
    const TCorrida r = Correr("-f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "'");
    EXPECT_EQ(r.estado, 0) << r.errores;
    std::string esperado;
    for (int i = 0; i < 3; ++i) esperado += "6181950.9533,6371419.4018,1.5,6\r\n";
    EXPECT_EQ(r.salida, esperado);
    EXPECT_NE(r.errores.find("3 points converted"), std::string::npos) << r.errores;
}

// The summary repeats no raw control byte of the input (a terminal escape, a NUL) and no unbounded
// value; lines far longer than any line of points convert when the fields they need come first.
TEST(ZuveloConvert, ResumenAcotadoYLineasLargas) {
    TCarpetaTemporal dir;
    const std::string largo(300000, '7');
    EscribirArchivo(dir / "in.txt",
                    std::string("P,\x1B[31mrojo\x1B[0m\x07,-58.4\n") + "P," + std::string("-34\0x", 5) +
                        ",-58.4\n" + "P,-34." + std::string(60000, '5') + "x,-58.4\n" + "P,-34.5,-58.4," +
                        largo + "\n" + "P,-34.5,-58." + largo + "\n" + std::string(300000, ',') + "\n");
    const TCorrida r = Correr("-f geo -t gk --decimal -c 2,3 '" + dir / "in.txt" + "'");
    EXPECT_EQ(r.estado, 3);
    // The last line, of only delimiters, is blank: no result line and no reason.
    EXPECT_EQ(r.salida, ",,\r\n,,\r\n,,\r\n6181950.9533,6371419.4018,1.5,6\r\n,,\r\n");
    for (char ch : r.errores)
        EXPECT_TRUE(static_cast<unsigned char>(ch) >= 0x20 || ch == '\n') << static_cast<int>(ch);
    EXPECT_NE(r.errores.find("\\x1B[31mrojo\\x1B[0m\\x07"), std::string::npos) << r.errores;
    EXPECT_NE(r.errores.find("-34\\x00x"), std::string::npos) << r.errores;
    EXPECT_LT(r.errores.size(), 2000u) << r.errores.size();
    EXPECT_NE(r.errores.find("line 5: line longer than 65536 characters"), std::string::npos) << r.errores;
}

// The same large file through the window's path (ten segments, one pass each, joined) and through
// zuvelo-convert on four threads: byte for byte the same ".DAT".
TEST(ZuveloConvert, IgualAlDATDeLaVentana) {
    TCarpetaTemporal dir;
    std::string entrada = "Punto,Latitud,Longitud,Altura\r\n";
    for (int i = 1; i <= 60000; ++i) {
        const int lat = 22 + i % 33, lon = 54 + i % 19;
        if (i % 997 == 0)
            entrada += "P" + std::to_string(i) + ",95,-60,1\r\n";  // fails
        else if (i % 1009 == 0)
            entrada += "\r\n";  // no point
        else
            entrada += "P" + std::to_string(i) + ",-" + std::to_string(lat) + "." + std::to_string(i % 1000) +
                       ",-" + std::to_string(lon) + "." + std::to_string(i % 777) + "," +
                       std::to_string(i % 500) + "\r\n";
    }
    const std::string ruta = dir / "grande.txt";
    EscribirArchivo(ruta, entrada);
    // The window: options of the dialog, ten input segments, one pass per segment, the joined ".DAT".
    TOpcionesLectura opc;
    opc.Delimitador = ',';
    opc.LineaInicio = 2;
    opc.ColLatX = 2;
    opc.ColLonY = 3;
    opc.ColAltura = 4;
    opc.ModoDecimal = 1;
    {
        TCarpetaSegmentos carpeta;
        const std::string &base = carpeta.Base();
        Segmentar(ruta, opc.LineaInicio, ContarLineas(ruta), base);
        std::atomic<bool> detener{false};
        for (int k = 0; k < kSegmentos; ++k) {
            TCoordenadas c;
            ConfigurarCoordenadas(c, 0, 1, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
            ConvertirSegmento(SegmentoEntrada(base, k), SegmentoSalida(base, k), opc, c, detener);
        }
        UnirSegmentos(base, dir / "ventana.dat");
    }

    const TCorrida r = Correr("-q -j 4 -f geo -t gk --to-frame inchauspe --decimal -s 2 -c 2,3,4 '" + ruta +
                              "' '" + dir / "cli.dat" + "'");
    ASSERT_EQ(r.estado, 3) << r.errores;  // the lines of 95 degrees fail
    const std::string ventana = LeerArchivo(dir / "ventana.dat"), cli = LeerArchivo(dir / "cli.dat");
    EXPECT_EQ(std::count(cli.begin(), cli.end(), '\n'), 60000 - 59);  // every line that yields a point
    EXPECT_TRUE(ventana == cli);
    // On one thread, and on standard output: the same bytes.
    const TCorrida uno =
        Correr("-q -j 1 -f geo -t gk --to-frame inchauspe --decimal -s 2 -c 2,3,4 '" + ruta + "'");
    EXPECT_TRUE(uno.salida == cli);
}

}  // namespace

// The program reads back the .csv it writes: geographic points (one name holding the delimiter, so
// it is quoted) to Gauss-Krueger in a .csv, that .csv read as input and converted back to a
// geographic .csv, whose rows, split by the program's own field splitter, give the first names and
// the first places within 1e-8 deg (about 1 mm).
TEST(ZuveloConvert, IdaYVueltaPorCsv) {
    TCarpetaTemporal dir;
    struct Punto {
        const char *nombre;
        double lat, lon;
    };
    const Punto puntos[] = {
        {"P1", -34.6034722, -58.3816667}, {"Punto, 2", -31.4166667, -64.1833333}, {"P \"3\"", -54.8, -68.3}};
    std::string entrada;
    for (const Punto &p : puntos) {
        std::string nombre = p.nombre;
        for (std::size_t i = 0; (i = nombre.find('"', i)) != std::string::npos; i += 2)
            nombre.insert(i, "\"");
        entrada += "\"" + nombre + "\"," + std::to_string(p.lat) + "," + std::to_string(p.lon) + ",25\r\n";
    }
    EscribirArchivo(dir / "in.txt", entrada);
    TCorrida r = Correr("-q -f geo -t gk --decimal -c 2,3,4 --name-column 1 '" + dir / "in.txt" + "' '" +
                        dir / "gk.csv" + "'");
    ASSERT_EQ(r.estado, 0) << r.errores;
    // The .csv has a header line: the data start at line 2.
    r = Correr("-q -f gk -t geo -d comma -s 2 -c 2,3,4,5 --name-column 1 '" + dir / "gk.csv" + "' '" +
               dir / "geo.csv" + "'");
    ASSERT_EQ(r.estado, 0) << r.errores;
    std::istringstream geo(LeerArchivo(dir / "geo.csv"));
    std::string linea;
    std::getline(geo, linea);  // header
    for (const Punto &p : puntos) {
        ASSERT_TRUE(std::getline(geo, linea));
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        std::vector<std::string_view> campos;
        std::string aparte;
        DividirCampos(linea, ',', campos, aparte);
        ASSERT_GE(campos.size(), 3u) << linea;
        EXPECT_EQ(campos[0], p.nombre);
        long double lat = 0, lon = 0;
        ASSERT_TRUE(LeerReal(campos[1], lat)) << linea;
        ASSERT_TRUE(LeerReal(campos[2], lon)) << linea;
        EXPECT_NEAR(static_cast<double>(lat), std::stod(std::to_string(p.lat)), 1e-8) << linea;
        EXPECT_NEAR(static_cast<double>(lon), std::stod(std::to_string(p.lon)), 1e-8) << linea;
    }
}
