// Result files for other programs: each format read back by GDAL (names, count, places), the exact
// CSV text, the extension rule, and the POSGAR 94 place of a result of every kind and frame.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "exportar.h"
#include "gdal.h"
#include "openpyxl.h"
#include "temporal.h"

namespace {

// A name with every character that CSV, JSON or XML must escape, and two Windows-1252 letters.
const std::string kNombreDificil = "Pozo \"A\", \xF1\xB0 & <1>";
const std::string kNombreDificilUtf8 = "Pozo \"A\", \xC3\xB1\xC2\xB0 & <1>";

std::string Escribir(TFormatoSalida formato, TTipoCoordenada destino,
                     const std::vector<TPuntoExportado> &ps) {
    std::string salida;
    auto e = CrearEscritor(formato, destino, [&](std::string_view s) { salida += s; });
    for (const TPuntoExportado &p : ps) e->Punto(p);
    e->Terminar();
    return salida;
}

TPuntoExportado Punto(const std::string &nombre, const std::string &c1, const std::string &c2,
                      const std::string &c3, const std::string &zona, long double lat, long double lon) {
    TPuntoExportado p;
    p.Nombre = nombre;
    p.Convertido = true;
    p.Coord1 = c1;
    p.Coord2 = c2;
    p.Coord3 = c3;
    p.Zona = zona;
    p.Latitud = lat;
    p.Longitud = lon;
    return p;
}

TPuntoExportado Fallido(const std::string &nombre) {
    TPuntoExportado p;
    p.Nombre = nombre;
    return p;
}

TPuntoExportado SinAltura(TPuntoExportado p) {
    p.ConAltura = false;
    return p;
}

// Three Gauss-Krüger results and a failed point between them; the last had no height (its result's
// is the default one moved to another frame).
std::vector<TPuntoExportado> PuntosGK() {
    return {Punto(kNombreDificil, "6170494.4893", "5373260.347", "25.3", "5", -34.603429353L, -58.380589847L),
            Fallido("malo"), Punto("2", "5512345.1", "4400000.0", "0.0", "4", -40.512345678L, -63.0L),
            SinAltura(Punto("\xF1"
                            "and\xFA",
                            "3900000.0", "2512345.1254", "-9.7997", "2", -54.8L, -68.300000001L))};
}

// Geographic results: DMS texts, one decimal text (a same-frame result keeps the input's form).
std::vector<TPuntoExportado> PuntosGeo() {
    return {Punto(kNombreDificil, "34\xB0 36' 12.34567\" S", "58\xB0 22' 50.12345\" W", "25.3", "", 0, 0),
            Fallido("malo"), SinAltura(Punto("2", "-31.5", "-64.123456789", "1.5", "", 0, 0))};
}

// QGIS's delimited-text import looks for these names; a CSV column it takes must be east as X and
// north as Y, and the plane ones are none of them.
#define NOMBRES_QGIS                                                 \
    "-oo X_POSSIBLE_NAMES=x,xcoord,lon,long,longitude,east,easting " \
    "-oo Y_POSSIBLE_NAMES=y,ycoord,lat,latitude,north,northing"

double Numero(const std::string &t) {
    double v = std::nan("");
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    EXPECT_TRUE(r.ec == std::errc() && r.ptr == t.data() + t.size()) << "'" << t << "' is not a number";
    return v;
}

struct TCasoFormato {
    const char *nombre;
    TFormatoSalida formato;
    TTipoCoordenada destino;
    const char *extension;
    const char *opciones;     // ogrinfo's open options
    const char *campoNombre;  // the field GDAL shows the name in
};

// A CSV of geographic values becomes points when GDAL is told which fields hold them.
const TCasoFormato kFormatos[] = {
    {"csv gk", TFormatoSalida::Csv, tcGaussKruger, "csv", NOMBRES_QGIS, "nombre"},
    {"csv utm", TFormatoSalida::Csv, tcUTM, "csv", NOMBRES_QGIS, "nombre"},
    {"csv geo", TFormatoSalida::Csv, tcGeografica, "csv",
     "-oo X_POSSIBLE_NAMES=longitud -oo Y_POSSIBLE_NAMES=latitud", "nombre"},
    {"geojson gk", TFormatoSalida::GeoJson, tcGaussKruger, "geojson", "", "nombre"},
    {"geojson geo", TFormatoSalida::GeoJson, tcGeografica, "geojson", "", "nombre"},
    {"kml utm", TFormatoSalida::Kml, tcUTM, "kml", "", "Name"},
    {"gpx gk", TFormatoSalida::Gpx, tcGaussKruger, "gpx", "", "name"},
};

TEST(Exportar, GDALLeeCadaFormato) {
    if (!HayOgrinfo()) GTEST_SKIP() << "ogrinfo not installed";
    for (const TCasoFormato &c : kFormatos) {
        SCOPED_TRACE(c.nombre);
        const bool geo = c.destino == tcGeografica;
        std::vector<TPuntoExportado> puntos = geo ? PuntosGeo() : PuntosGK();
        if (geo) {  // the places of a geographic POSGAR 94 result are its own values
            puntos[0].Latitud = -34.603429353L, puntos[0].Longitud = -58.380589847L;
            puntos[2].Latitud = -31.5L, puntos[2].Longitud = -64.123456789L;
        }
        TCarpetaTemporal dir;
        const std::string archivo = dir / (std::string("p.") + c.extension);
        EscribirArchivo(archivo, Escribir(c.formato, c.destino, puntos));
        const std::vector<TLeido> leidos = LeerConGDAL(archivo, c.opciones, c.campoNombre);

        // Only the CSV keeps the failed point, as a row of empty values.
        const bool csv = c.formato == TFormatoSalida::Csv;
        ASSERT_EQ(leidos.size(), puntos.size() - (csv ? 0 : 1)) << LeerArchivo(archivo);
        std::size_t k = 0;
        for (const TPuntoExportado &p : puntos) {
            if (!p.Convertido && !csv) continue;
            TLeido l = leidos[k++];
            const std::string nombre = p.Nombre == kNombreDificil ? kNombreDificilUtf8
                                       : p.Nombre ==
                                               "\xF1"
                                               "and\xFA"
                                           ? "\xC3\xB1"
                                             "and\xC3\xBA"
                                           : p.Nombre;
            EXPECT_EQ(l.nombre, nombre);
            if (!p.Convertido) {
                EXPECT_FALSE(l.conPunto);
                EXPECT_TRUE(l.campos["norte"].empty() && l.campos["latitud"].empty());
                continue;
            }
            // A height the input did not give is not written: empty, or null in GeoJSON.
            if (csv || c.formato == TFormatoSalida::GeoJson) {
                const std::string &h = l.campos["altura"];
                if (p.ConAltura)
                    EXPECT_EQ(Numero(h), Numero(p.Coord3));
                else
                    EXPECT_TRUE(h.empty() || h == "(null)") << h;
            }
            if (csv && !geo) {
                EXPECT_FALSE(l.conPunto) << "a GIS took a plane column for longitude or latitude";
                EXPECT_EQ(Numero(l.campos["norte"]), Numero(p.Coord1));
                EXPECT_EQ(Numero(l.campos["este"]), Numero(p.Coord2));
                EXPECT_EQ(l.campos[c.destino == tcUTM ? "zona" : "faja"], p.Zona);
                continue;
            }
            ASSERT_TRUE(l.conPunto);
            EXPECT_NEAR(l.lat, static_cast<double>(p.Latitud), 1e-9);
            EXPECT_NEAR(l.lon, static_cast<double>(p.Longitud), 1e-9);
        }
    }
}

// The exact bytes of a CSV: byte order mark, header, RFC 4180 quoting, metres with four decimals
// (three would be thousands to a comma-decimal spreadsheet), a failed point's empty row, CR LF; each
// row reaches the sink as soon as its point is written.
TEST(Exportar, TextoCsv) {
    std::string salida;
    auto e = CrearEscritor(TFormatoSalida::Csv, tcUTM, [&](std::string_view s) { salida += s; });
    EXPECT_EQ(salida, "\xEF\xBB\xBFnombre,norte,este,altura,zona\r\n");
    e->Punto(Punto(kNombreDificil, "6170494.4893", "373260.347", "25.3", "21", -34.6L, -58.4L));
    EXPECT_EQ(salida.substr(salida.find('\n') + 1),
              "\"Pozo \"\"A\"\", \xC3\xB1\xC2\xB0 & <1>\",6170494.4893,373260.3470,25.3000,21\r\n");
    e->Punto(Fallido("P,7"));
    e->Terminar();
    EXPECT_EQ(salida.substr(salida.rfind("\r\n", salida.size() - 3) + 2), "\"P,7\",,,,\r\n");
}

// A point the map formats cannot place, or a geographic value that does not read, stops the file
// with an error instead of being written somewhere else.
TEST(Exportar, PuntoSinLugarEsError) {
    TPuntoExportado sinLugar = PuntosGK()[0];
    sinLugar.Latitud = std::nanl("");
    TPuntoExportado sinLetra = PuntosGeo()[0];
    sinLetra.Coord1 = "34\xB0 36' 12.34567\" ";
    const struct {
        const char *nombre;
        TFormatoSalida formato;
        TTipoCoordenada destino;
        TPuntoExportado punto;
    } kCasos[] = {{"geojson nan", TFormatoSalida::GeoJson, tcGaussKruger, sinLugar},
                  {"kml nan", TFormatoSalida::Kml, tcGaussKruger, sinLugar},
                  {"gpx nan", TFormatoSalida::Gpx, tcGaussKruger, sinLugar},
                  {"csv dms sin letra", TFormatoSalida::Csv, tcGeografica, sinLetra}};
    for (const auto &c : kCasos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_THROW(Escribir(c.formato, c.destino, {c.punto}), std::runtime_error);
    }
    EXPECT_THROW(CrearEscritor(TFormatoSalida::Dat, tcGaussKruger, [](std::string_view) {}),
                 std::invalid_argument);
}

// Signed decimal degrees of a DMS text of the tests' points.
double GradosDMS(const std::string &t) {
    int g = 0, m = 0;
    double s = 0;
    char h = 0;
    std::istringstream(t.substr(0, t.find('\xB0'))) >> g;
    std::istringstream resto(t.substr(t.find('\xB0') + 1));
    char apostrofo = 0, comillas = 0;
    resto >> m >> apostrofo >> s >> comillas >> h;
    const double v = g + m / 60.0 + s / 3600;
    return h == 'S' || h == 'W' ? -v : v;
}

// The workbook read back by openpyxl: a header, the name as text, every value a number equal to
// the text written (degrees to their 9 decimals), shown with the program's decimals; a height the
// input did not give and a failed point's values empty, its reason in the last column.
TEST(Exportar, XlsxLeidoPorOpenpyxl) {
    for (const TTipoCoordenada destino : {tcGaussKruger, tcUTM, tcGeografica}) {
        SCOPED_TRACE(static_cast<int>(destino));
        const bool geo = destino == tcGeografica;
        std::vector<TPuntoExportado> puntos = geo ? PuntosGeo() : PuntosGK();
        puntos[1].Motivo = "latitud '95\xB0' fuera de 90\xB0";
        TCarpetaTemporal dir;
        EscribirArchivo(dir / "p.xlsx", Escribir(TFormatoSalida::Xlsx, destino, puntos));
        const auto filas = LeerConOpenpyxl(dir / "p.xlsx");
        ASSERT_EQ(filas.size(), puntos.size() + 1);
        std::vector<std::string> titulos;
        for (const TCelda &c : filas[0]) titulos.push_back(c.valor);
        const std::vector<std::string> esperados =
            geo ? std::vector<std::string>{"nombre", "latitud", "longitud", "altura", "motivo"}
                : std::vector<std::string>{
                      "nombre", "norte", "este", "altura", destino == tcUTM ? "zona" : "faja", "motivo"};
        EXPECT_EQ(titulos, esperados);
        const std::size_t motivo = titulos.size() - 1;
        for (std::size_t i = 0; i < puntos.size(); ++i) {
            SCOPED_TRACE(i);
            const TPuntoExportado &p = puntos[i];
            std::vector<TCelda> f = filas[i + 1];
            f.resize(titulos.size(), TCelda{"-", "General", ""});
            EXPECT_EQ(f[0].tipo, "s");
            if (!p.Convertido) {
                for (std::size_t k = 1; k < motivo; ++k) EXPECT_EQ(f[k].tipo, "-");
                EXPECT_EQ(f[motivo].valor, "latitud '95\xC2\xB0' fuera de 90\xC2\xB0");
                continue;
            }
            for (std::size_t k = 1; k < motivo; ++k) EXPECT_EQ(f[k].tipo, k == 3 && !p.ConAltura ? "-" : "n");
            EXPECT_EQ(f[motivo].tipo, "-");
            if (geo) {
                const double lat =
                    p.Coord1.find('\xB0') == std::string::npos ? Numero(p.Coord1) : GradosDMS(p.Coord1);
                const double lon =
                    p.Coord2.find('\xB0') == std::string::npos ? Numero(p.Coord2) : GradosDMS(p.Coord2);
                EXPECT_NEAR(Numero(f[1].valor), lat, 5.1e-10);
                EXPECT_NEAR(Numero(f[2].valor), lon, 5.1e-10);
                EXPECT_EQ(f[1].formato, "0.000000000");
            } else {
                EXPECT_EQ(Numero(f[1].valor), Numero(p.Coord1));
                EXPECT_EQ(Numero(f[2].valor), Numero(p.Coord2));
                EXPECT_EQ(Numero(f[4].valor), Numero(p.Zona));
                EXPECT_EQ(f[1].formato, "0.0000");
                EXPECT_EQ(f[4].formato, "0");
            }
            if (p.ConAltura) {
                EXPECT_EQ(Numero(f[3].valor), Numero(p.Coord3));
                EXPECT_EQ(f[3].formato, "0.0000");
            }
        }
    }
}

// A sheet holds 1 048 576 rows: the point past them throws before the sink gets a byte, never a
// file cut short.
TEST(Exportar, XlsxDemasiadosPuntos) {
    std::string salida;
    auto e = CrearEscritor(TFormatoSalida::Xlsx, tcGaussKruger, [&](std::string_view s) { salida += s; });
    TPuntoExportado p = PuntosGK()[2];
    for (int64_t i = 0; i < kPuntosXlsx; ++i) e->Punto(p);
    try {
        e->Punto(p);
        ADD_FAILURE() << "the point past the sheet's rows was taken";
    } catch (const std::runtime_error &error) {
        EXPECT_NE(std::string(error.what()).find(".csv"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(salida.empty());
}

TEST(Exportar, FormatoPorNombre) {
    const struct {
        const char *ruta;
        TFormatoSalida formato;
    } kCasos[] = {{"puntos.csv", TFormatoSalida::Csv},
                  {"/d/PUNTOS.CSV", TFormatoSalida::Csv},
                  {"p.GeoJSON", TFormatoSalida::GeoJson},
                  {"p.kml", TFormatoSalida::Kml},
                  {"p.Gpx", TFormatoSalida::Gpx},
                  {"p.DXF", TFormatoSalida::Dxf},
                  {"p.dat", TFormatoSalida::Dat},
                  {"p.txt", TFormatoSalida::Dat},
                  {"p", TFormatoSalida::Dat},
                  {"/d/obra.csv/puntos", TFormatoSalida::Dat},
                  {"p.csv.dat", TFormatoSalida::Dat},
                  {"p.json", TFormatoSalida::Dat},
                  {"p.XLSX", TFormatoSalida::Xlsx}};
    for (const auto &c : kCasos) EXPECT_EQ(FormatoPorNombre(c.ruta), c.formato) << c.ruta;
}

// A point given in geographic POSGAR 94 goes to every kind and frame through the core; its results
// bring it back to the same place within 1e-8 deg (1 mm). Texts that give no point are refused.
TEST(Exportar, UbicarEnPosgar) {
    const long double kLat = -(34 + 36.0L / 60 + 12.34567L / 3600),
                      kLon = -(58 + 22.0L / 60 + 50.12345L / 3600);
    TCoordenadas c;
    const auto resultado = [&](TTipoCoordenada tipo, const TElipsoide &marco) {
        c.SetTipoFuente(tcGeografica);
        c.SetElipsoideFuente(ElipsoidePOSGAR);
        c.SetTipoDestino(tipo);
        c.SetElipsoideDestino(marco);
        c.Entrada = TPuntoTexto();
        c.Entrada.Coord1 = "34\xB0 36' 12.34567\" S";
        c.Entrada.Coord2 = "58\xB0 22' 50.12345\" W";
        c.Entrada.Coord3 = "25.3";
        EXPECT_TRUE(c.Convertir());
        return Punto("p", c.Salida.Coord1, c.Salida.Coord2, c.Salida.Coord3, c.Salida.Zona, 0, 0);
    };
    const struct {
        const char *nombre;
        TTipoCoordenada tipo;
        const TElipsoide &marco;
    } kCasos[] = {{"geo posgar", tcGeografica, ElipsoidePOSGAR},
                  {"gk posgar", tcGaussKruger, ElipsoidePOSGAR},
                  {"utm posgar", tcUTM, ElipsoidePOSGAR},
                  {"geo inchauspe", tcGeografica, ElipsoideInchauspe},
                  {"gk inchauspe", tcGaussKruger, ElipsoideInchauspe},
                  {"utm inchauspe", tcUTM, ElipsoideInchauspe}};
    for (const auto &k : kCasos) {
        SCOPED_TRACE(k.nombre);
        TPuntoExportado p = resultado(k.tipo, k.marco);
        ASSERT_TRUE(UbicarEnPosgar(p, k.tipo, k.marco, c));
        EXPECT_LE(std::fabs(p.Latitud - kLat), 1e-8L);
        EXPECT_LE(std::fabs(p.Longitud - kLon), 1e-8L);
    }

    const struct {
        const char *nombre;
        TTipoCoordenada tipo;
        TPuntoExportado punto;
    } kRechazos[] = {{"gk no numero", tcGaussKruger, Punto("p", "abc", "5373260.347", "1.0", "5", 0, 0)},
                     {"gk vacio", tcGaussKruger, Punto("p", "6170494.4893", "", "1.0", "5", 0, 0)},
                     {"utm sin zona", tcUTM, Punto("p", "6170494.4893", "373260.347", "1.0", "", 0, 0)},
                     {"utm zona 61", tcUTM, Punto("p", "6170494.4893", "373260.347", "1.0", "61", 0, 0)},
                     {"geo sin letra", tcGeografica, Punto("p", "34\xB0 36' 12.3\"", "-58.4", "", "", 0, 0)},
                     {"geo no numero", tcGeografica, Punto("p", "-34.6", "x", "", "", 0, 0)}};
    for (const auto &k : kRechazos)
        for (const TElipsoide *marco : {&ElipsoidePOSGAR, &ElipsoideInchauspe}) {
            SCOPED_TRACE(k.nombre);
            TPuntoExportado p = k.punto;
            p.Latitud = 1, p.Longitud = 2;
            EXPECT_FALSE(UbicarEnPosgar(p, k.tipo, *marco, c));
            EXPECT_EQ(p.Latitud, 1);
            EXPECT_EQ(p.Longitud, 2);
        }
}

}  // namespace
