// Line parsing: fields and trimming, the point record, grid cells, the space-separated DMS form,
// GPS waypoint lines and the read options dialog's delimiter rules.
#include <gtest/gtest.h>

#include "lectura.h"
#include "opciones_ayuda.h"
#include "opciones_lectura.h"
#include "punto.h"

namespace {

std::vector<std::string> Campos(std::string_view linea, char d) {
    std::vector<std::string_view> v;
    std::string aparte;
    DividirCampos(linea, d, v, aparte);
    return std::vector<std::string>(v.begin(), v.end());
}

TEST(DividirCampos, Reglas) {
    struct Caso {
        const char *nombre;
        const char *linea;
        char d;
        std::vector<std::string> campos;
    };
    const Caso casos[] = {
        {"vacia", "", ',', {}},
        {"vacios entre delimitadores", "1;;3", ';', {"1", "", "3"}},
        {"delimitador al final", "1,,3,", ',', {"1", "", "3", ""}},
        {"blancos junto a la coma", "P1, -34.5 , -58.4", ',', {"P1", "-34.5", "-58.4"}},
        {"tabuladores y blancos", " a \t b ", '\t', {"a", "b"}},
        {"blancos internos quedan", "P1, -34 36' 12.5'' ,x", ',', {"P1", "-34 36' 12.5''", "x"}},
        {"espacio: cada blanco separa", "a  b", ' ', {"a", "", "b"}},
        {"solo blancos con coma", "   ", ',', {""}},
        // Quoted fields as spreadsheets write them: the delimiter and doubled quotes inside.
        {"entre comillas con la coma",
         "\"Punto, con coma\",-34.6,-58.4",
         ',',
         {"Punto, con coma", "-34.6", "-58.4"}},
        {"comillas dobladas", "\"P \"\"1\"\"\",\"a\"\"\"", ',', {"P \"1\"", "a\""}},
        {"comillas y blancos alrededor", " \"P1\" ; \"-34.6\" ", ';', {"P1", "-34.6"}},
        {"comillas vacias", "\"\",x", ',', {"", "x"}},
        {"comillas con espacio de delimitador", "\"P 1\" -34.6", ' ', {"P 1", "-34.6"}},
        {"segundos DMS no abren comillas", "34\xB0 36' 12.5\" S,x", ',', {"34\xB0 36' 12.5\" S", "x"}},
        {"comilla sin cerrar es texto", "\"P1,-34.6", ',', {"\"P1", "-34.6"}},
        {"texto tras la comilla de cierre", "\"P\"1,-34.6", ',', {"\"P\"1", "-34.6"}},
        // Every digit stays (the read options preview shows these fields).
        {"ceros en los extremos", "P100, 0.50 ,100,0", ',', {"P100", "0.50", "100", "0"}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(Campos(c.linea, c.d), c.campos);
    }
}

// The space form, read by the point rule itself, its hemisphere from the sign (none: north or east).
TEST(FormaEspacios, Casos) {
    struct Caso {
        const char *texto;
        TTipoAngulo tipo;
        const char *esperado;  // nullptr: refused
    };
    const Caso casos[] = {
        {"-24 47' 12.3''", taLatitud, "24\xB0 47' 12.3\" S"},
        {"65 24' 38.5''", taLongitud, "65\xB0 24' 38.5\" E"},
        {"12.5", taLongitud, nullptr},
        {"-5 10' 3''", taLatitud, "5\xB0 10' 3\" S"},
        {"-58 22' 54", taLongitud, nullptr},
        {"S34 10'", taLatitud, "34\xB0 10' S"},
        {"34 10' S", taLatitud, "34\xB0 10' S"},
        {"-34 10' S", taLatitud, nullptr},
        {"34 10 5", taLatitud, nullptr},
        {"", taLatitud, nullptr},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.texto);
        std::string normal;
        TMotivo m;
        ASSERT_EQ(NormalizarDMS(c.texto, c.tipo, normal, m), c.esperado != nullptr);
        if (c.esperado) {
            EXPECT_EQ(normal, c.esperado);
        }
    }
}

TEST(LeerPunto, CasosDelRegistro) {
    struct Caso {
        const char *nombre;
        const char *linea;
        TOpcionesLectura opc;
        bool hay;
        const char *c1, *c2, *c3, *zona;
        int enDecimal;
    };
    const Caso casos[] = {
        {"decimal con altura", "P1,-34.5,-58.4,25", Opciones(',', 2, 3, 4, 0, 0, 1), true, "-34.5", "-58.4",
         "25", "0", 1},
        {"sin columna de altura", "P1,-34.5,-58.4,25", Opciones(',', 2, 3, 0, 0, 0, 1), true, "-34.5",
         "-58.4", "1.5", "0", 1},
        {"altura fuera de la linea", "P1,-34.5,-58.4,25", Opciones(',', 2, 3, 5, 0, 0, 1), true, "-34.5",
         "-58.4", "1.5", "0", 1},
        {"blancos tras la coma se recortan", "P1, -34.5, -58.4, 25", Opciones(',', 2, 3, 4, 0, 0, 1), true,
         "-34.5", "-58.4", "25", "0", 1},
        // Every value as written: the point rule reads the space form and quotes it in its reasons.
        {"forma con espacios", "P,-34 36' 12.5'',-58 22' 54''", Opciones(',', 2, 3, 0, 0, 0, 0), true,
         "-34 36' 12.5''", "-58 22' 54''", "1.5", "0", 0},
        // In decimal mode it is refused as the grid refuses it (not a number).
        {"forma con espacios en modo decimal", "P,-34 36' 12.5'',-58 22' 54''",
         Opciones(',', 2, 3, 0, 0, 0, 1), true, "-34 36' 12.5''", "-58 22' 54''", "1.5", "0", 1},
        {"entre comillas", "\"Punto, con coma\",\"-34.6\",-58.4,25", Opciones(',', 2, 3, 4, 0, 0, 1), true,
         "-34.6", "-58.4", "25", "0", 1},
        {"solo delimitadores", ";;;", Opciones(';', 1, 2, 3, 0, 0, 1), false, "", "", "", "", 0},
        {"solo delimitadores y blancos", " , \"\" ,", Opciones(',', 1, 2, 0, 0, 0, 1), false, "", "", "", "",
         0},
        {"DMS del programa queda", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W", Opciones(';', 1, 2, 0, 0, 0, 0),
         true, "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "1.5", "0", 0},
        {"UTM con zona", "6170061.3482,373311.043,1.5,20", Opciones(',', 1, 2, 3, 4, 2, 1), true,
         "6170061.3482", "373311.043", "1.5", "20", 1},
        {"UTM zona 20S queda texto", "1,2,3,20S", Opciones(',', 1, 2, 3, 4, 2, 1), true, "1", "2", "3", "20S",
         1},
        {"zona entera", "1,2,3,1234567", Opciones(',', 1, 2, 3, 4, 2, 1), true, "1", "2", "3", "1234567", 1},
        {"GEO ignora la zona", "1,2,3,20", Opciones(',', 1, 2, 3, 4, 0, 1), true, "1", "2", "3", "0", 1},
        {"UTM sin campo de zona", "1,2,3", Opciones(',', 1, 2, 3, 4, 2, 1), true, "1", "2", "3", "", 1},
        {"GK sin campo de faja", "1,2,3", Opciones(',', 1, 2, 3, 4, 1, 1), true, "1", "2", "3", "0", 1},
        {"menos campos", "1,2", Opciones(',', 1, 3, 0, 0, 0, 1), false, "", "", "", "", 0},
        {"linea vacia", "", Opciones(',', 1, 2, 0, 0, 0, 1), false, "", "", "", "", 0},
        {"solo blancos", "   ", Opciones(',', 1, 2, 0, 0, 0, 1), false, "", "", "", "", 0},
        {"columna cero", "1,2", Opciones(',', 0, 2, 0, 0, 0, 1), false, "", "", "", "", 0},
        {"coordenada entera", "1234567890123456789012345678901234,2", Opciones(',', 1, 2, 0, 0, 1, 1), true,
         "1234567890123456789012345678901234", "2", "1.5", "0", 1},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        TPuntoLeido p;
        p.Coord1 = "sin tocar";
        ASSERT_EQ(LeerPunto(c.linea, c.opc, p), c.hay);
        if (!c.hay) {
            EXPECT_EQ(p.Coord1, "sin tocar");
            EXPECT_TRUE(MotivoSinPunto(c.linea, c.opc).Hay());
            continue;
        }
        EXPECT_FALSE(MotivoSinPunto(c.linea, c.opc).Hay());
        EXPECT_EQ(p.Coord1, c.c1);
        EXPECT_EQ(p.Coord2, c.c2);
        EXPECT_EQ(p.Coord3, c.c3);
        EXPECT_EQ(p.Zona, c.zona);
        EXPECT_EQ(p.EnDecimal, c.enDecimal);
    }
}

TEST(MotivoSinPunto, Textos) {
    const auto texto = [](const char *linea, const TOpcionesLectura &o) {
        return TextoMotivo(MotivoSinPunto(linea, o), TIdioma::Ingles);
    };
    EXPECT_EQ(texto("P1,-34.5", Opciones(',', 2, 3, 0, 0, 0, 1)), "only 2 fields, column 3 needed");
    EXPECT_EQ(texto("P1", Opciones(',', 1, 2, 0, 0, 0, 1)), "only 1 field, column 2 needed");
    EXPECT_EQ(texto("", Opciones(',', 1, 2, 0, 0, 0, 1)), "empty line");
    EXPECT_EQ(texto(";;;", Opciones(';', 1, 2, 0, 0, 0, 1)), "empty line");
}

TEST(CeldasLinea, Celdas) {
    struct Caso {
        const char *nombre;
        const char *linea;
        TOpcionesLectura opc;
        bool hay;
        std::array<std::string, 9> celdas;
        bool nombrado = false;
    };
    const std::string n7 = "7";  // the point number as it is; the window makes it a bold title
    const Caso casos[] = {
        {"decimal con altura",
         "P1, -34.5, -58.4, 25",
         Opciones(',', 2, 3, 4, 0, 0, 1),
         true,
         {n7, "-34.5", "-58.4", "25", "", "", "", "", ""}},
        {"altura ausente vacia",
         "P1,-34.5,-58.4",
         Opciones(',', 2, 3, 5, 0, 0, 1),
         true,
         {n7, "-34.5", "-58.4", "", "", "", "", "", ""}},
        {"zona como esta escrita",
         "1,2,3,20S",
         Opciones(',', 1, 2, 3, 4, 2, 1),
         true,
         {n7, "1", "2", "3", "20S", "", "", "", ""}},
        {"DMS legible en la forma del programa",
         "34\xB0"
         "36'12.5\"S;58\xBA 22\x92 54'' w",
         Opciones(';', 1, 2, 0, 0, 0, 0),
         true,
         {n7, "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "", "", "", "", "", ""}},
        {"DMS ilegible queda escrito",
         "34\xB0 36' 12.5\";-34.5",
         Opciones(';', 1, 2, 0, 0, 0, 0),
         true,
         {n7, "34\xB0 36' 12.5\"", "-34.5", "", "", "", "", "", ""}},
        {"zona fuera de rango se muestra entera",
         "1,2,3,300",
         Opciones(',', 1, 2, 3, 4, 2, 1),
         true,
         {n7, "1", "2", "3", "300", "", "", "", ""}},
        {"forma con espacios",
         "-34 36' 12.5'';-58 22' 54''",
         Opciones(';', 1, 2, 0, 0, 0, 0),
         true,
         {n7, "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "", "", "", "", "", ""}},
        {"nombre antes de las coordenadas",
         "P 1, -34.5, -58.4",
         Opciones(',', 2, 3, 0, 0, 0, 1, 1),
         true,
         {"P 1", "-34.5", "-58.4", "", "", "", "", "", ""},
         true},
        {"nombre despues del ultimo campo leido",
         "-34.5;-58.4;25;Mojon 7",
         Opciones(';', 1, 2, 0, 0, 0, 1, 4),
         true,
         {"Mojon 7", "-34.5", "-58.4", "", "", "", "", "", ""},
         true},
        {"nombre vacio: el numero",
         "-34.5,-58.4,",
         Opciones(',', 1, 2, 0, 0, 0, 1, 3),
         true,
         {n7, "-34.5", "-58.4", "", "", "", "", "", ""}},
        {"sin campo de nombre: el numero",
         "-34.5,-58.4",
         Opciones(',', 1, 2, 0, 0, 0, 1, 3),
         true,
         {n7, "-34.5", "-58.4", "", "", "", "", "", ""}},
        {"forma con espacios en modo decimal queda escrita",
         "-34 36' 12.5'';-58 22' 54''",
         Opciones(';', 1, 2, 0, 0, 0, 1),
         true,
         {n7, "-34 36' 12.5''", "-58 22' 54''", "", "", "", "", "", ""}},
        {"signo ordinal con blancos",
         "34\xBA 36' 12.5\" S;58\xBA 22' 54\" W",
         Opciones(';', 1, 2, 0, 0, 0, 0),
         true,
         {n7, "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "", "", "", "", "", ""}},
        {"nombre entre comillas",
         "\"Punto, \"\"A\"\"\",-34.5,-58.4",
         Opciones(',', 2, 3, 0, 0, 0, 1, 1),
         true,
         {"Punto, \"A\"", "-34.5", "-58.4", "", "", "", "", "", ""},
         true},
        {"solo delimitadores", ";;;", Opciones(';', 1, 2, 0, 0, 0, 1), false, {}},
        {"demasiado corta", "1", Opciones(',', 1, 2, 0, 0, 0, 0), false, {}},
        {"vacia", "", Opciones(',', 1, 2, 0, 0, 0, 0), false, {}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        std::array<std::string, 9> celdas;
        celdas.fill("viejo");
        bool nombrado = !c.nombrado;
        EXPECT_EQ(CeldasLinea(c.linea, 7, c.opc, celdas, &nombrado), c.hay);
        EXPECT_EQ(celdas, c.celdas);
        EXPECT_EQ(nombrado, c.nombrado);
        std::string aparte;
        EXPECT_EQ(NombrePunto(c.linea, c.opc, aparte), c.nombrado ? c.celdas[0] : "");
    }
}

TEST(GPS, MarcaYPrefijo) {
    TMarcaGPS m;
    EXPECT_FALSE(BuscarMarcaGPS("Nombre,Lat,Lon", m));
    ASSERT_TRUE(BuscarMarcaGPS("WP,dms,A1,-34 36' 12.5'',-58 22' 54'',x", m));
    EXPECT_TRUE(m.Dms);
    EXPECT_EQ(m.Prefijo, 7u);  // ",dms" at position 3, plus 4
    ASSERT_TRUE(BuscarMarcaGPS("W,D,P1,-34.5,-58.4,", m));
    EXPECT_FALSE(m.Dms);
    EXPECT_EQ(m.Prefijo, 4u);  // ",D" at position 2, plus 2
}

TEST(GPS, Registros) {
    TMarcaGPS dms;
    ASSERT_TRUE(BuscarMarcaGPS("WP,dms,A1,-34 36' 12.5'',-58 22' 54'',x", dms));
    TRegistroGPS r = LeerRegistroGPS("WP,dms,A1,-34 36' 12.5'',-58 22' 54'',x", dms);
    EXPECT_EQ(r.Nombre, "A1");
    EXPECT_EQ(r.Latitud, "-34 36' 12.5''");
    EXPECT_EQ(r.Longitud, "-58 22' 54''");
    // Every record has a prefix of the same length, whatever it holds.
    r = LeerRegistroGPS("XX,xxx,B2,-24 47' 12.3'',-65 24' 38.5'',", dms);
    EXPECT_EQ(r.Nombre, "B2");
    EXPECT_EQ(r.Latitud, "-24 47' 12.3''");
    r = LeerRegistroGPS("XX,xxx,\"B, 3\",-24 47' 12.3'',-65 24' 38.5'',", dms);
    EXPECT_EQ(r.Nombre, "B, 3");
    EXPECT_EQ(r.Longitud, "-65 24' 38.5''");

    TMarcaGPS dec;
    ASSERT_TRUE(BuscarMarcaGPS("W,D,P1,-34.5,-58.4,", dec));
    r = LeerRegistroGPS("W,D,P1, -34.5, -58.4,extra,mas", dec);
    EXPECT_EQ(r.Nombre, "P1");
    EXPECT_EQ(r.Latitud, "-34.5");
    EXPECT_EQ(r.Longitud, "-58.4");
    // The longitude needs a comma after it.
    r = LeerRegistroGPS("W,D,P2,-34.5,-58.4", dec);
    EXPECT_EQ(r.Latitud, "-34.5");
    EXPECT_EQ(r.Longitud, "");
    r = LeerRegistroGPS("W,", dec);
    EXPECT_EQ(r.Nombre, "");
}

TEST(OpcionesLectura, Delimitador) {
    struct Caso {
        const char *linea;
        int item, campos;
    };
    const Caso casos[] = {
        {"a b,c;d", 1, 2},  // comma beats space and semicolon
        {"a\tb,c", 0, 2},   // tab beats comma
        {"1,,3,", 1, 4},
        {"1;2", 2, 2},
        {"1 2 3", 3, 3},
        {"123", -1, -1},
        {"", -1, 0},
        // A comma inside a quoted field does not split it.
        {"\"Punto, con coma\";-34.6;-58.4;25", 2, 4},
        {"\"a,b\",\"c\"", 1, 2},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.linea);
        EXPECT_EQ(DetectarDelimitador(c.linea), c.item);
        EXPECT_EQ(ContarCampos(c.linea), c.campos);
    }
    // With a decimal comma the comma is never a delimiter: ';' or tab are taken.
    EXPECT_EQ(DetectarDelimitador("-34,6034722;-58,3816667;25", true), 2);
    EXPECT_EQ(ContarCampos("-34,6034722;-58,3816667;25", true), 3);
    EXPECT_EQ(DetectarDelimitador("-34,6\t-58,4", true), 0);
    EXPECT_EQ(DetectarDelimitador("-34,6", true), -1);
}

}  // namespace
