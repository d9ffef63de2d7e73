// Result lines of the batch pass: the worked point, failed lines that never end the pass, the
// reasons in plain words, output segments and the ".DAT" helpers.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

#include "dat.h"
#include "exportar.h"
#include "linea_larga.h"
#include "lote.h"
#include "opciones_ayuda.h"
#include "punto.h"
#include "segmentos.h"
#include "temporal.h"

namespace {

// The worked point 34° 36' 12.5" S, 58° 22' 54" W on POSGAR 94 and its published results.
TEST(ConvertirLinea, PuntoConocido) {
    struct Caso {
        const char *nombre;
        int marcoDestino, tipoDestino;
        const char *esperado;
    };
    const Caso casos[] = {
        {"GK POSGAR", 0, 1, "6170494.489,6373260.3471,1.5,6"},
        {"UTM POSGAR", 0, 2, "6170061.3482,373311.043,1.5,21"},
        {"GEO Inchauspe", 1, 0, "34\xB0 36' 14.10836\" S,58\xB0 22' 51.85202\" W,-9.7997"},
        {"GK Inchauspe", 1, 1, "6170708.1474,6373310.1963,-9.7997,6"},
    };
    const TOpcionesLectura opc = Opciones(',', 2, 3, 0, 0, 0, 0);
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCoordenadas coord;
        ConfigurarCoordenadas(coord, 0, c.marcoDestino, TTipoArchivo::Geografico,
                              static_cast<TTipoArchivo>(c.tipoDestino));
        std::string r;
        TMotivo motivo;
        motivo.Codigo = TCodigoMotivo::Error;
        EXPECT_EQ(ConvertirLinea("P1,34\xB0 36' 12.5\" S,58\xB0 22' 54\" W", opc, coord, r, &motivo),
                  rlConvertido);
        EXPECT_EQ(r, c.esperado);
        EXPECT_FALSE(motivo.Hay());
        // Appended, after what the output held: the same line and its CR LF.
        std::string salida = "antes\r\n";
        EXPECT_EQ(AgregarLinea("P1,34\xB0 36' 12.5\" S,58\xB0 22' 54\" W", opc, coord, salida), rlConvertido);
        EXPECT_EQ(salida, "antes\r\n" + std::string(c.esperado) + "\r\n");
    }
}

// The point rule hands the conversion object the values it read while checking the texts; they must
// be, bit for bit, what the conversion object reads from the texts the rule put into Entrada, at every
// edge of the readers: signs, leading zeros, a lone fraction, exponents, values cut to 30 characters,
// 60 seconds, the poles and 180 deg, heights of 0 and -0, zones written with a letter. The results
// of both ways must then be the same too.
TEST(ConvertirPunto, ValoresLeidosComoLosTextos) {
    struct Caso {
        int fuente;  // 0 geographic, 1 Gauss-Krüger, 2 UTM
        const char *c1, *c2, *c3, *zona;
        uint8_t decimal;
    };
    const Caso casos[] = {
        {0, "-34.6034722", "-58.3816667", "", "0", 1},
        {0, "+34.5", "-.5", "0", "0", 1},
        {0, "-0", "-0.0", "-0", "0", 1},
        {0, "-90", "180", "1e3", "0", 1},
        {0, "90", "-180", "-9.7997", "0", 1},
        {0, "-34.603472222222222222222222222222", "-58.381666666666666666666666666666", "12.25", "0", 1},
        {0, "-0.00000000001", "-72.0000000001", "3000.0001", "0", 1},
        {0, "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "", "0", 0},
        {0, "034\xB0 05' 07.50\"S", "W58\xB0 22'", "25", "0", 0},
        {0, "-34\xB0 12.5''", "58\xBA 22\x92 54\x94 O", "", "0", 0},
        {0, "0\xB0 0' 60\" N", "179\xB0 59' 59.99999\" W", "", "0", 0},
        {0, "90\xB0 S", "72\xB0 0' 0.000001\" W", "", "0", 0},
        {0, "34\xB0 59' 59.999995\" S", "53\xB0 59' .5\" W", "", "0", 0},
        {1, "6170494.489", "6373260.3471", "", "6", 1},
        {1, "6.1704944893e6", "+6373260.3471", "-0", "", 1},
        {1, "4000000.0000000000001234567890", "7300000", "0", "0", 1},
        {2, "6170061.3482", "373311.043", "", "21", 1},
        {2, "6170061.3482", "373311.043", "1.5", "21 s", 1},
        {2, "1e7", "5e5", "", "021", 1},
    };
    const TTipoCoordenada tipos[] = {tcGeografica, tcGaussKruger, tcUTM};
    for (const Caso &c : casos) {
        TPuntoLeido p;
        p.Coord1 = c.c1;
        p.Coord2 = c.c2;
        p.Coord3 = c.c3;
        p.Zona = c.zona;
        p.EnDecimal = c.decimal;
        for (int marcoFuente : {0, 1})
            for (int marcoDestino : {0, 1})
                for (int destino : {0, 1, 2}) {
                    SCOPED_TRACE(std::string(c.c1) + " " + c.c2 + " " + std::to_string(marcoFuente) +
                                 std::to_string(marcoDestino) + std::to_string(destino));
                    TCoordenadas rapido, llano;
                    ConfigurarCoordenadas(rapido, marcoFuente, marcoDestino,
                                          static_cast<TTipoArchivo>(c.fuente),
                                          static_cast<TTipoArchivo>(destino));
                    ConfigurarCoordenadas(llano, marcoFuente, marcoDestino,
                                          static_cast<TTipoArchivo>(c.fuente),
                                          static_cast<TTipoArchivo>(destino));
                    ASSERT_EQ(rapido.TipoFuente, tipos[c.fuente]);
                    TMotivo m1, m2;
                    TValoresEntrada v;
                    ASSERT_TRUE(PrepararEntrada(Vista(p), llano, v, m2)) << TextoMotivo(m2, TIdioma::Ingles);
                    const TValoresEntrada leidos = llano.LeerEntrada();
                    const long double a[] = {v.Coord1, v.Coord2, v.Altura},
                                      b[] = {leidos.Coord1, leidos.Coord2, leidos.Altura};
                    for (int k = 0; k < 3; ++k) {
                        EXPECT_EQ(a[k], b[k]) << k;
                        EXPECT_EQ(std::signbit(a[k]), std::signbit(b[k])) << k;
                    }
                    EXPECT_EQ(v.Zona, leidos.Zona);
                    const bool hecho = ConvertirPunto(p, rapido, m1);
                    const bool convertido = llano.Convertir();
                    if (!hecho && m1.Codigo == TCodigoMotivo::NorteUTM) {
                        // Refused after converting: northern UTM is not written.
                        EXPECT_TRUE(convertido);
                        EXPECT_EQ(llano.Salida.ZonaHemisferio.str().back(), 'N');
                        continue;
                    }
                    EXPECT_EQ(hecho, convertido) << TextoMotivo(m1, TIdioma::Ingles);
                    EXPECT_EQ(rapido.Rechazo, llano.Rechazo);
                    EXPECT_EQ(LineaResultado(rapido.Salida, ','), LineaResultado(llano.Salida, ','));
                    EXPECT_EQ(rapido.Salida.ZonaHemisferio.str(), llano.Salida.ZonaHemisferio.str());
                }
    }
}

// The same for many angles as files hold them: DMS in the program's layout and decimal degrees with
// 7 to 15 decimals.
TEST(ConvertirPunto, ValoresDeMuchosAngulos) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> grados(0, 89), minutos(0, 59), decimales(7, 15);
    std::uniform_real_distribution<double> segundos(0, 60), fraccion(0, 1);
    TCoordenadas c;
    ConfigurarCoordenadas(c, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    const auto fijo = [](double x, int decimales) {
        char buf[64];
        return std::string(buf,
                           std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimales).ptr);
    };
    for (int i = 0; i < 2000; ++i) {
        TPuntoLeido p;
        if (i % 2) {
            p.Coord1 = std::to_string(grados(gen)) + "\xB0 " + std::to_string(minutos(gen)) + "' " +
                       fijo(segundos(gen), 5) + "\" S";
            p.Coord2 = std::to_string(50 + grados(gen) / 3) + "\xB0 " + std::to_string(minutos(gen)) + "' " +
                       fijo(segundos(gen), 5) + "\" W";
            p.EnDecimal = 0;
        } else {
            const int d = decimales(gen);
            p.Coord1 = fijo(-grados(gen) - fraccion(gen), d);
            p.Coord2 = fijo(-50 - grados(gen) / 3 - fraccion(gen), d);
            p.EnDecimal = 1;
        }
        SCOPED_TRACE(p.Coord1 + " " + p.Coord2);
        TValoresEntrada v;
        TMotivo m;
        ASSERT_TRUE(PrepararEntrada(Vista(p), c, v, m));
        const TValoresEntrada leidos = c.LeerEntrada();
        EXPECT_EQ(v.Coord1, leidos.Coord1);
        EXPECT_EQ(v.Coord2, leidos.Coord2);
        EXPECT_EQ(v.Altura, leidos.Altura);
    }
}

TEST(ConvertirLinea, FormaConEspaciosYBlancosJuntoALaComa) {
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    std::string r;
    EXPECT_EQ(ConvertirLinea("P1, -34 36' 12.5'', -58 22' 54''", Opciones(',', 2, 3, 0, 0, 0, 0), coord, r),
              rlConvertido);
    EXPECT_EQ(r, "6170494.489,6373260.3471,1.5,6");
    // Decimal degrees with blanks after the commas convert like the same line without them.
    std::string a, b;
    const TOpcionesLectura dec = Opciones(',', 2, 3, 4, 0, 0, 1);
    EXPECT_EQ(ConvertirLinea("P1, -34.5, -58.4, 25", dec, coord, a), rlConvertido);
    EXPECT_EQ(ConvertirLinea("P1,-34.5,-58.4,25", dec, coord, b), rlConvertido);
    EXPECT_EQ(a, b);
}

TEST(ConvertirLinea, UTMDeVuelta) {
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::UTM, TTipoArchivo::Geografico);
    std::string r;
    EXPECT_EQ(ConvertirLinea("6170061.3482;373311.043;;21", Opciones(';', 1, 2, 3, 4, 2, 1), coord, r),
              rlConvertido);
    // Back to the worked point to the printed precision (the seconds' last digit may differ).
    EXPECT_EQ(r.substr(0, 11), "34\xB0 36' 12.");
    EXPECT_NE(r.find("\" S;58\xB0 22' 5"), std::string::npos) << r;
    EXPECT_EQ(r.substr(r.size() - 5), "W;1.5");
}

// A computed height of 0 would read back as the default 1.5 m: refused. The zero comes from moving
// the point to Campo Inchauspe 69, 11.2997 m above the ellipsoid of POSGAR 94.
TEST(ConvertirLinea, AlturaCalculadaCero) {
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 1, TTipoArchivo::Geografico, TTipoArchivo::Geografico);
    std::string r;
    TMotivo motivo;
    EXPECT_EQ(
        ConvertirLinea("-34.6034722,-58.3816667,11.2997", Opciones(',', 1, 2, 3, 0, 0, 1), coord, r, &motivo),
        rlFallido);
    EXPECT_EQ(TextoMotivo(motivo, TIdioma::Ingles),
              "the result height is 0 m, which reads back as the default 1.5 m");
    // East of zone 60 the longitude is written west of the antimeridian, never past 180 deg (PROJ:
    // this point lies at 179.8 deg W, 30 deg S).
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::UTM, TTipoArchivo::Geografico);
    EXPECT_EQ(
        ConvertirLinea("6676901.3618,808713.4157,,60", Opciones(',', 1, 2, 3, 4, 2, 1), coord, r, &motivo),
        rlConvertido);
    EXPECT_EQ(r, "29\xB0 59' 60\" S,179\xB0 47' 59.99999\" W,1.5");
}

TEST(ConvertirLinea, FallosConMotivo) {
    struct Caso {
        const char *nombre;
        const char *linea;
        TOpcionesLectura opc;
        int tipoFuente;
        TResultadoLinea esperado;
        const char *motivo;
    };
    const TOpcionesLectura dms = Opciones(',', 2, 3, 0, 0, 0, 0), dec = Opciones(',', 2, 3, 0, 0, 0, 1);
    const TOpcionesLectura utm = Opciones(',', 1, 2, 3, 4, 2, 1), gk = Opciones(',', 1, 2, 0, 0, 1, 1);
    const Caso casos[] = {
        {"latitud 91", "P,91,-58", dec, 0, rlFallido, "latitude '91' beyond 90\xB0"},
        {"longitud 200", "P,-34.5,200", dec, 0, rlFallido, "longitude '200' beyond 180\xB0"},
        {"longitud enorme", "P,-34.5,1e4000", dec, 0, rlFallido, "longitude '1e4000' beyond 180\xB0"},
        {"longitud DMS 582", "P,34\xB0 36' 12.5\" S,582\xB0 25' 4\" W", dms, 0, rlFallido,
         "longitude '582\xB0 25' 4\" W' beyond 180\xB0"},
        {"GK sin faja", "0,0", gk, 1, rlFallido,
         "Y '0' has no strip digit: a Gauss-Kr\xFC"
         "ger Y starts with its strip 1 to 7"},
        {"GK con Y enorme", "0,1e25", gk, 1, rlFallido, "Y '1e25' lies beyond the strips 1 to 7"},
        {"UTM leido como GK", "6170061.3482,373311.043", gk, 1, rlFallido,
         "Y '373311.043' has no strip digit: a Gauss-Kr\xFC"
         "ger Y starts with its strip 1 to 7 (it would fit as "
         "a UTM easting)"},
        {"GK leido como UTM", "6170494.489,6373260.3471,,6", utm, 2, rlFallido,
         "Y '6373260.3471' is outside a UTM zone's eastings (100000 to 900000 m): it reads as a Gauss-Kr\xFC"
         "ger Y of strip 6"},
        {"este UTM a mas de 400 km", "6170061.3482,950000,,21", utm, 2, rlFallido,
         "Y '950000' is outside a UTM zone's eastings (100000 to 900000 m)"},
        {"zona norte", "4000000,500000,,21 N", utm, 2, rlFallido,
         "zone '21 N': northern UTM zones are not converted"},
        {"norte UTM al norte del ecuador", "11161027.3718,348798.9812,,21", utm, 2, rlFallido,
         "X '11161027.3718': northern UTM zones are not converted"},
        {"norte UTM negativo", "-5,500000,,21", utm, 2, rlFallido,
         "X '-5' is outside the southern UTM northings (0 to 10000000 m)"},
        {"altura con exponente tras el corte", "P,-34.5,-58.4,1.00000000000000000000000000e01",
         Opciones(',', 2, 3, 4, 0, 0, 1), 0, rlFallido,
         "height '1.00000000000000000000000000e01' is longer than 30 characters"},
        {"latitud con exponente tras el corte", "P,-3.460347222222222222222222e001,-58.4", dec, 0, rlFallido,
         "latitude '-3.460347222222222222222222e001' is longer than 30 characters"},
        {"altura -7000000", "P,-34.5,-58.4,-7000000", Opciones(',', 2, 3, 4, 0, 0, 1), 0, rlFallido,
         "height '-7000000' outside -11000 to 9000 m"},
        {"altura 9000.1", "P,-34.5,-58.4,9000.1", Opciones(',', 2, 3, 4, 0, 0, 1), 0, rlFallido,
         "height '9000.1' outside -11000 to 9000 m"},
        {"GK faja 9", "6170494.489,9373260.347", gk, 1, rlFallido,
         "Y '9373260.347': strip 9 is none of the strips 1 to 7"},
        {"zona 61", "6170061,373311,1.5,61", utm, 2, rlFallido, "zone 61 outside 1 to 60"},
        {"zona 0", "6170061,373311,1.5,0", utm, 2, rlFallido, "zone 0 outside 1 to 60"},
        {"zona 277 no es 21", "6170061,373311,1.5,277", utm, 2, rlFallido, "zone 277 outside 1 to 60"},
        {"zona con letra extra", "6170061,373311,1.5,20X", utm, 2, rlFallido,
         "zone '20X' is not a zone number"},
        {"zona 2O no es 2", "6170061,373311,1.5,2O", utm, 2, rlFallido, "zone '2O' is not a zone number"},
        {"UTM sin campo de zona", "6170061,373311,1.5", utm, 2, rlFallido, "no zone"},
        {"grados no enteros", "P,34x\xB0 36' 12.5\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34x\xB0 36' 12.5\" S' cannot be read as degrees-minutes-seconds"},
        {"grados con fraccion", "P,34.5\xB0 S,58\xB0 W", dms, 0, rlFallido,
         "latitude '34.5\xB0 S': degrees must be whole"},
        {"faltan campos", "P1,-34.5", dec, 0, rlSinPunto, "only 2 fields, column 3 needed"},
        {"vacia", "", dec, 0, rlSinPunto, "empty line"},
        {"latitud vacia", "P1,,-58.4", dec, 0, rlFallido, "empty latitude"},
        {"X no numerica", "abc,6373260", gk, 1, rlFallido, "X 'abc' is not a number"},
        {"X con coma decimal", "6170494,5;6373260", Opciones(';', 1, 2, 0, 0, 1, 1), 1, rlFallido,
         "X '6170494,5' has a decimal comma: write the decimal point '.'"},
        {"decimal leido como DMS", "P,-34.5,-58.4", dms, 0, rlFallido,
         "latitude '-34.5' is not degrees-minutes-seconds (no degree sign)"},
        {"sin letra de hemisferio", "P,34\xB0 36' 12.5\",58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 36' 12.5\"' has no hemisphere letter N or S"},
        {"letra de otro eje", "P,34\xB0 36' 12.5\" W,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 36' 12.5\" W' has no hemisphere letter N or S"},
        {"forma con espacios sin segundos marcados", "P,-34 36' 12.5,-58 22' 54''", dms, 0, rlFallido,
         "latitude '-34 36' 12.5' cannot be read as degrees-minutes-seconds"},
        {"grados con signo y letra", "P,-34\xB0 36' 12.5\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '-34\xB0 36' 12.5\" S' gives its hemisphere twice"},
        {"minutos negativos", "P,34\xB0 36' 12.5\" S,58\xB0 -22' 54\" W", dms, 0, rlFallido,
         "longitude '58\xB0 -22' 54\" W' cannot be read as degrees-minutes-seconds"},
        {"minutos 60", "P,34\xB0 60' 12.5\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 60' 12.5\" S': minutes above 59"},
        {"minutos 75 segundos 99", "P,34\xB0 75' 99\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 75' 99\" S': minutes above 59"},
        {"segundos 99", "P,34\xB0 36' 99\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 36' 99\" S': seconds above 60"},
        {"segundos negativos", "P,34\xB0 36' -0\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 36' -0\" S' cannot be read as degrees-minutes-seconds"},
        {"segundos no numericos", "P,34\xB0 36' abc\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 36' abc\" S' cannot be read as degrees-minutes-seconds"},
        {"minutos no enteros", "P,34\xB0 36.5' 0\" S,58\xB0 22' 54\" W", dms, 0, rlFallido,
         "latitude '34\xB0 36.5' 0\" S': minutes must be whole"},
        {"latitud 90 y un poco", "P,90\xB0 0' 0.1\" S,58\xB0 W", dms, 0, rlFallido,
         "latitude '90\xB0 0' 0.1\" S' beyond 90\xB0"},
        {"X con dos puntos", "6170494.4.89,6373260", gk, 1, rlFallido, "X '6170494.4.89' is not a number"},
        {"Y solo signo", "6170494.489,-", gk, 1, rlFallido, "Y '-' is not a number"},
        {"Y solo punto", "6170494.489,.", gk, 1, rlFallido, "Y '.' is not a number"},
        {"altura no numerica", "P,-34.5,-58.4,alto", Opciones(',', 2, 3, 4, 0, 0, 1), 0, rlFallido,
         "height 'alto' is not a number"},
        {"altura con coma decimal", "P;-34.5;-58.4;7,25", Opciones(';', 2, 3, 4, 0, 0, 1), 0, rlFallido,
         "height '7,25' has a decimal comma: write the decimal point '.'"},
        {"faja distinta de Y", "6170494.489,6373260.347,1.5,5", Opciones(',', 1, 2, 3, 4, 1, 1), 1, rlFallido,
         "strip 5 in its column, but Y is in strip 6"},
        {"X con ceros delante", "00000000000000000000006170061.3482,373311.043", gk, 1, rlFallido,
         "X '00000000000000000000006170061.3482' is longer than 30 characters"},
        {"forma con espacios larga", "P,-34 36' 12.50000000000000000000'',-58 22' 54''", dms, 0, rlFallido,
         "latitude '-34 36' 12.50000000000000000000''' is longer than 30 characters"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCoordenadas coord;
        ConfigurarCoordenadas(coord, 0, 0, static_cast<TTipoArchivo>(c.tipoFuente),
                              TTipoArchivo::GaussKruger);
        std::string r = "viejo";
        TMotivo motivo;
        EXPECT_EQ(ConvertirLinea(c.linea, c.opc, coord, r, &motivo), c.esperado);
        EXPECT_EQ(r, c.esperado == rlFallido ? std::string(2, c.opc.Delimitador) : std::string());
        EXPECT_EQ(TextoMotivo(motivo, TIdioma::Ingles), c.motivo);
        std::string salida = "antes";
        TMotivo agregado;
        EXPECT_EQ(AgregarLinea(c.linea, c.opc, coord, salida, &agregado), c.esperado);
        EXPECT_EQ(salida, "antes" + (r.empty() ? r : r + "\r\n"));
        EXPECT_EQ(TextoMotivo(agregado, TIdioma::Ingles), c.motivo);
    }
}

// Angles as people write them give exactly the result of the program's own layout: no blanks, the
// hemisphere attached or in front, a sign instead of the letter, other signs for degrees, minutes
// and seconds, lower-case letters, 60 seconds (no carry on output), missing minutes or seconds.
TEST(ConvertirLinea, FormasDMSAdmitidas) {
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    const TOpcionesLectura opc = Opciones(';', 1, 2, 0, 0, 0, 0);
    const struct {
        const char *linea, *igualA;
    } casos[] = {
        {"34\xB0"
         "36'12.5\"S;58\xB0"
         "22'54\"W",
         "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
        {"34\xB0"
         "36'12.5'' s;58\xBA 22\x92 54\x94 O",
         "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
        {"-34\xB0 36' 12.5\";-58\xB0 22\xB4 54\"", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
        {"S 34\xB0 36' 12.5\";W58\xB0 22' 54\"", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
        {"-34 36'12.5'';-58 22'54''", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
        {"34\xB0 36' 60\" S;58\xB0 22' 54\" W", "34\xB0 37' 0\" S;58\xB0 22' 54\" W"},
        {"34\xB0 S;58\xB0 W", "34\xB0 0' 0\" S;58\xB0 0' 0\" W"},
        {"34\xB0 30' S;58\xB0 22' 54.0\" W", "34\xB0 30' 0\" S;58\xB0 22' 54\" W"},
        {"34\xB0  36'  12.5\" S;58\xB0 22' 54\" W", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(k.linea);
        std::string a, b;
        TMotivo motivo;
        EXPECT_EQ(ConvertirLinea(k.linea, opc, coord, a, &motivo), rlConvertido)
            << TextoMotivo(motivo, TIdioma::Ingles);
        EXPECT_EQ(ConvertirLinea(k.igualA, opc, coord, b), rlConvertido);
        EXPECT_EQ(a, b);
    }
}

// Values that fill their field exactly are not cut; longer ones convert when the cut drops only
// decimals far below the unit; a zone is read whole ("000021" is 21, "20S" is 20); a Gauss-Krueger
// strip field that holds no plain number is not read.
TEST(ConvertirLinea, ValoresAlAnchoDelCampo) {
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    const TOpcionesLectura dec = Opciones(',', 1, 2, 0, 0, 0, 1);
    std::string a, b;
    EXPECT_EQ(ConvertirLinea("-34.50000000000000000000000000,-58.4", dec, coord, a), rlConvertido);
    EXPECT_EQ(ConvertirLinea("-34.5,-58.4", dec, coord, b), rlConvertido);
    EXPECT_EQ(a, b);
    EXPECT_EQ(ConvertirLinea("-34.603472222222222222222222222222222,-58.4", dec, coord, a), rlConvertido);
    EXPECT_EQ(ConvertirLinea("-34.60347222222222222222222222,-58.4", dec, coord, b), rlConvertido);
    EXPECT_EQ(a, b);
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::UTM, TTipoArchivo::GaussKruger);
    const TOpcionesLectura utm = Opciones(',', 1, 2, 3, 4, 2, 1);
    EXPECT_EQ(ConvertirLinea("6170061.3482,373311.043,1.5,000021", utm, coord, a), rlConvertido);
    EXPECT_EQ(ConvertirLinea("6170061.3482,373311.043,1.5,20 s", utm, coord, b), rlConvertido);
    EXPECT_EQ(ConvertirLinea("6170061.3482,373311.043,1.5,21", utm, coord, b), rlConvertido);
    EXPECT_EQ(a, b);
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::GaussKruger, TTipoArchivo::Geografico);
    EXPECT_EQ(
        ConvertirLinea("6170494.489,6373260.3471,1.5,faja 6", Opciones(',', 1, 2, 3, 4, 1, 1), coord, a),
        rlConvertido);
}

// Numbers in any form the core reads (exponent, '+', a leading point) convert like the plain form.
TEST(ConvertirLinea, FormasDeNumero) {
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::GaussKruger, TTipoArchivo::GaussKruger);
    const TOpcionesLectura opc = Opciones(',', 1, 2, 3, 0, 1, 1);
    std::string simple, r;
    ASSERT_EQ(ConvertirLinea("6170494.489,6373260.3471,1.5", opc, coord, simple), rlConvertido);
    for (const char *linea : {"6.170494489e6,6373260.3471,1.5", "+6170494.489,6373260.3471,1.5",
                              "6170494.489,6373260.3471,.15E1"}) {
        SCOPED_TRACE(linea);
        EXPECT_EQ(ConvertirLinea(linea, opc, coord, r), rlConvertido);
        EXPECT_EQ(r, simple);
    }
}

TEST(LineaResultado, SinZonaNoAgregaNada) {
    TPuntoTexto s;
    s.Coord1 = "1.0";
    s.Coord2 = "2.0";
    s.Coord3 = "1.5";
    EXPECT_EQ(LineaResultado(s, '\t'), "1.0\t2.0\t1.5");
    s.Zona = "6";
    EXPECT_EQ(LineaResultado(s, ';'), "1.0;2.0;1.5;6");
}

// A UTM zone "2O" (a letter O) in the middle of a segment: that line fails, every later line is
// still there, and the reasons name the lines.
TEST(ConvertirSegmento, UnaLineaMalaNoTerminaLaPasada) {
    TCarpetaTemporal dir;
    const std::string entrada = dir / "p.$$0", salida = dir / "Segmento.$$0";
    EscribirArchivo(entrada,
                    "6170061.3482,373311.043,1.5,21\r\n"
                    "6170061.3482,373311.043,1.5,2O\r\n"
                    "\r\n"
                    "6170061.3482,373311.043\r\n"
                    "6170061.3482,373311.043,1.5,61\r\n"
                    "6170061.3482,373311.043,1.5,21\r\n");
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::UTM, TTipoArchivo::GaussKruger);
    std::atomic<bool> detener{false};
    const TResumenLote r =
        ConvertirSegmento(entrada, salida, Opciones(',', 1, 2, 3, 4, 2, 1), coord, detener);
    EXPECT_EQ(r.Convertidos, 2);
    EXPECT_EQ(r.Fallidos, 3);  // 2O, missing zone field, 61
    EXPECT_EQ(r.SinPunto, 1);
    ASSERT_EQ(r.Fallos.size(), 3u);  // the empty line is no failure
    EXPECT_EQ(r.Fallos[0].Linea, 2);
    EXPECT_EQ(r.Fallos[2].Linea, 5);
    EXPECT_EQ(TextoMotivo(r.Fallos[2].Motivo, TIdioma::Ingles), "zone 61 outside 1 to 60");
    EXPECT_FALSE(r.Detenido);
    EXPECT_EQ(LeerArchivo(salida),
              "6170494.489,6373260.3471,1.5,6\r\n,,\r\n,,\r\n,,\r\n6170494.489,6373260.3471,1.5,6\r\n");
}

// A line cut by the reader keeps the fields a point needs when they all close before the cut.
TEST(CamposCompletos, SoloCamposCerrados) {
    struct Caso {
        const char *nombre;
        TOpcionesLectura opc;
        const char *cortada;
        const char *esperado;  // nullptr: a needed field runs past the cut
    };
    const Caso casos[] = {
        {"latitud y longitud", Opciones(',', 2, 3, 0, 0, 0, 1), "P,-34.5,-58.4,xx", "P,-34.5,-58.4"},
        {"longitud cortada", Opciones(',', 2, 3, 0, 0, 0, 1), "P,-34.5,-58.4", nullptr},
        {"altura en el campo 5", Opciones(';', 2, 1, 5, 0, 0, 1), "a;b;c;d;1.5;e", "a;b;c;d;1.5"},
        {"altura cortada", Opciones(';', 2, 1, 5, 0, 0, 1), "a;b;c;d;1.", nullptr},
        {"zona", Opciones('\t', 1, 2, 0, 4, 2, 1), "1\t2\t3\t21\t", "1\t2\t3\t21"},
        {"espacios", Opciones(' ', 1, 2, 0, 0, 1, 1), "6170494.489 6373260.3471 ",
         "6170494.489 6373260.3471"},
        {"sin columnas", Opciones(',', 0, 2, 0, 0, 0, 1), "a,b", "a,b"},
        {"solo comas", Opciones(',', 2, 3, 0, 0, 0, 1), ",,,,,,", ",,"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        const auto r = CamposCompletos(c.cortada, c.opc);
        if (!c.esperado) {
            EXPECT_FALSE(r) << *r;
        } else {
            ASSERT_TRUE(r);
            EXPECT_EQ(*r, c.esperado);
        }
    }
    TMarcaGPS marca;
    ASSERT_TRUE(BuscarMarcaGPS("W,D,P1,-34.5,-58.4,x", marca));
    EXPECT_EQ(CamposCompletosGPS("W,D,P1,-34.5,-58.4,xxx", marca).value_or("-"), "W,D,P1,-34.5,-58.4,");
    EXPECT_FALSE(CamposCompletosGPS("W,D,P1,-34.5,-58.4", marca));
    EXPECT_FALSE(CamposCompletosGPS("W,", marca));
}

// Lines far longer than the reader keeps, through the segments of a large file: one whose fields
// close early converts as if short; one whose longitude -58.41234567 is cut right after -58.4 fails.
TEST(ConvertirSegmento, LineasLargas) {
    TCarpetaTemporal dir;
    const std::string corta = "P,-34.5,-58.4";
    const std::string nombre(kLargoMaximoLinea - 12, 'p');  // the longitude starts 5 bytes before the cut
    EscribirArchivo(dir / "in.txt", corta + "," + std::string(3 * kLargoMaximoLinea, 'x') + "\r\n" + nombre +
                                        ",-34.5,-58.41234567,1\r\n" +
                                        std::string(3 * kLargoMaximoLinea, ',') + "\n" + corta + "\r\n");
    TCarpetaSegmentos carpeta;
    Segmentar(dir / "in.txt", 1, 4, carpeta.Base());
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    std::atomic<bool> detener{false};
    const TOpcionesLectura opc = Opciones(',', 2, 3, 0, 0, 0, 1);
    const TResumenLote r = ConvertirSegmento(SegmentoEntrada(carpeta.Base(), 9),
                                             SegmentoSalida(carpeta.Base(), 9), opc, coord, detener);
    EXPECT_EQ(r.Convertidos, 2);
    EXPECT_EQ(r.Fallidos, 1);
    // A line of only delimiters, however long, is a blank line: no point and no result line.
    EXPECT_EQ(r.Vacias, 1);
    std::string esperada;
    ASSERT_EQ(ConvertirLinea(corta, opc, coord, esperada), rlConvertido);
    EXPECT_EQ(LeerArchivo(SegmentoSalida(carpeta.Base(), 9)), esperada + "\r\n,,\r\n" + esperada + "\r\n");
}

TEST(ConvertirSegmento, DetenidoNoDejaSegmento) {
    TCarpetaTemporal dir;
    const std::string entrada = dir / "p.$$0", salida = dir / "Segmento.$$0";
    EscribirArchivo(entrada, "P,-34.5,-58.4\r\n");
    EscribirArchivo(salida, "de una pasada anterior\r\n");
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    std::atomic<bool> detener{true};
    EXPECT_TRUE(ConvertirSegmento(entrada, salida, Opciones(',', 2, 3, 0, 0, 0, 1), coord, detener).Detenido);
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"p.$$0"});
}

TEST(DAT, LineaDeGrilla) {
    EXPECT_EQ(LineaDAT(1, "6170494.489", "6373260.3471", "1.5", "6"), "1, 6170494.489, 6373260.3471, 1.5,6");
    EXPECT_EQ(LineaDAT(2, "", "", "", ""), "2, , ");
    EXPECT_EQ(LineaDAT(3, "a", "b", "", "6"), "3, a, b,6");
    EXPECT_EQ(LineaDAT(4, "a", "b", "1.5", ""), "4, a, b, 1.5");
}

TEST(DAT, Extension) {
    EXPECT_EQ(CompletarExtension("puntos", TFormatoSalida::Dat), "puntos.dat");
    EXPECT_EQ(CompletarExtension("puntos.DAT", TFormatoSalida::Dat), "puntos.DAT");
    EXPECT_EQ(CompletarExtension("puntos.Dat", TFormatoSalida::Dat), "puntos.Dat.dat");
    EXPECT_EQ(CompletarExtension("puntos.dxf", TFormatoSalida::Dat), "puntos.dxf.dat");
    EXPECT_EQ(CompletarExtension("/x/datos.dat/p", TFormatoSalida::Dat), "/x/datos.dat/p");
    EXPECT_EQ(CompletarExtension("puntos", TFormatoSalida::Dxf), "puntos.dxf");
    EXPECT_EQ(CompletarExtension("puntos", TFormatoSalida::GeoJson), "puntos.geojson");
    EXPECT_EQ(CompletarExtension("puntos.GEOJSON", TFormatoSalida::GeoJson), "puntos.GEOJSON");
    EXPECT_EQ(CompletarExtension("puntos.Csv", TFormatoSalida::Csv), "puntos.Csv.csv");
    EXPECT_EQ(CompletarExtension("puntos.kml", TFormatoSalida::Gpx), "puntos.kml.gpx");
}

TEST(DAT, UnirSegmentos) {
    TCarpetaTemporal dir;
    const std::string base = dir / "p.";
    for (int k = 0; k < kSegmentos; ++k)
        EscribirArchivo(SegmentoSalida(base, k), k == 5 ? "" : "s" + std::to_string(k) + "\r\n");
    std::vector<int> avance;
    UnirSegmentos(base, dir / "r.dat", [&](int v) { avance.push_back(v); });
    EXPECT_EQ(LeerArchivo(dir / "r.dat"), "s0\r\ns1\r\ns2\r\ns3\r\ns4\r\ns6\r\ns7\r\ns8\r\ns9\r\n");
    EXPECT_EQ(avance, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    // A missing segment is an error and leaves the earlier file as it was, with no partial file.
    std::remove(SegmentoSalida(base, 7).c_str());
    EscribirArchivo(dir / "r.dat", "viejo\r\n");
    EXPECT_THROW(UnirSegmentos(base, dir / "r.dat"), std::runtime_error);
    EXPECT_EQ(LeerArchivo(dir / "r.dat"), "viejo\r\n");
    EXPECT_EQ(dir.Archivos().size(), 10u);  // nine segments and r.dat
}

}  // namespace
