// TFormato: the angle masks as typed (with and without fill), the mask language element by element,
// malformed masks, the limits of 255 characters and masks that must end.
#include "Validate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#define GR "\xB0"  // degree sign, Windows-1252

namespace {

struct Caso {
    const char *nombre;
    std::string entrada;
    TResultadoFormato resultado;
    std::string salida;
};

void Comprobar(const std::string &mascara, bool relleno, const Caso &c) {
    SCOPED_TRACE(c.nombre);
    TFormato f(mascara, relleno);
    ASSERT_EQ(f.Estado, 0);
    std::string texto = c.entrada;
    EXPECT_EQ(f.Aplicar(texto, relleno), c.resultado);
    EXPECT_EQ(texto, c.salida);
}

// ---------------------------------------------------------------------------------------------
// The latitude mask, as the main window uses it (with fill).
const Caso kLatitudConRelleno[] = {
    {"un digito", "3", rfIncompleto, "3"},
    {"dos digitos completan el grado", "34", rfIncompleto, "34" GR " "},
    {"digito y espacio", "3 ", rfIncompleto, "3" GR " "},
    {"grado sin espacio", "34" GR, rfIncompleto, "34" GR " "},
    {"espacio por grado", "34 ", rfIncompleto, "34" GR " "},
    {"minutos completan", "34" GR " 36", rfIncompleto, "34" GR " 36' "},
    {"apostrofo sin espacio", "34" GR " 36'", rfIncompleto, "34" GR " 36' "},
    {"espacio por apostrofo", "34" GR " 36 ", rfIncompleto, "34" GR " 36' "},
    {"punto sin decimales", "34" GR " 36' 12.", rfIncompleto, "34" GR " 36' 12."},
    {"espacio por comilla", "34" GR " 36' 12.5 ", rfIncompleto, "34" GR " 36' 12.5\" "},
    {"falta el hemisferio", "34" GR " 36' 12.5\" ", rfIncompleto, "34" GR " 36' 12.5\" "},
    {"hemisferio en minuscula", "34" GR " 36' 12.5\" s", rfCompleto, "34" GR " 36' 12.5\" S"},
    {"hemisferio norte", "34" GR " 36' 12.5\" n", rfCompleto, "34" GR " 36' 12.5\" N"},
    {"hemisferio invalido", "34" GR " 36' 12.5\" X", rfError, "34" GR " 36' 12.5\" X"},
    {"solo grados", "34" GR " S", rfCompleto, "34" GR " S"},
    {"solo minutos", "34" GR " 36' S", rfCompleto, "34" GR " 36' S"},
    {"segundos sin minutos", "34" GR " 12\" N", rfCompleto, "34" GR " 12\" N"},
    {"dos espacios tras el grado", "34" GR "  ", rfCompleto, "34" GR " S"},
    {"espacios por cada literal", "34  36  12.5\" s", rfCompleto, "34" GR " 36' 12.5\" S"},
    {"tres digitos de grado", "345", rfError, "345"},
    {"signo menos", "-34", rfError, "-34"},
    {"grados decimales", "34.5", rfError, "34.5"},
    {"letra tras el digito", "3x", rfError, "3x"},
    // The degree sign stored over the space stays when the match then fails.
    {"espacio y hemisferio", "34 S", rfError, "34" GR "S"},
    {"espacio y minutos", "34 36", rfError, "34" GR "36"},
    {"cinco decimales", "34" GR " 36' 12.12345\" S", rfCompleto, "34" GR " 36' 12.12345\" S"},
    {"seis decimales", "34" GR " 36' 12.123456\" S", rfError, "34" GR " 36' 12.123456\" S"},
    // A space after whole seconds stands for the decimal point, which then waits for a digit.
    {"espacio tras segundos enteros", "34" GR " 36' 12 ", rfIncompleto, "34" GR " 36' 12."},
    {"sin rangos", "99" GR " 60' 60\" N", rfCompleto, "99" GR " 60' 60\" N"},
    {"vacio", "", rfVacio, ""},
};

TEST(MascaraLatitud, ConRelleno) {
    for (const Caso &c : kLatitudConRelleno) Comprobar(MascaraLatitud, true, c);
}

// Without fill the typed characters are still rewritten, but nothing is appended.
const Caso kLatitudSinRelleno[] = {
    {"un digito", "3", rfIncompleto, "3"},
    {"dos digitos", "34", rfIncompleto, "34"},
    {"digito y espacio", "3 ", rfIncompleto, "3" GR},
    {"grado", "34" GR, rfIncompleto, "34" GR},
    {"espacio por grado", "34 ", rfIncompleto, "34" GR},
    {"minutos", "34" GR " 36", rfIncompleto, "34" GR " 36"},
    {"espacio por apostrofo", "34" GR " 36 ", rfIncompleto, "34" GR " 36'"},
    {"espacio por comilla", "34" GR " 36' 12.5 ", rfIncompleto, "34" GR " 36' 12.5\""},
    {"completa", "34" GR " 36' 12.5\" s", rfCompleto, "34" GR " 36' 12.5\" S"},
    {"dos espacios tras el grado", "34" GR "  ", rfCompleto, "34" GR " S"},
    {"tres digitos", "345", rfError, "345"},
    {"vacio", "", rfVacio, ""},
};

TEST(MascaraLatitud, SinRelleno) {
    for (const Caso &c : kLatitudSinRelleno) Comprobar(MascaraLatitud, false, c);
}

const Caso kLongitudConRelleno[] = {
    {"dos digitos esperan el tercero", "64", rfIncompleto, "64"},
    {"tres digitos completan", "645", rfIncompleto, "645" GR " "},
    {"cuatro digitos", "6456", rfError, "6456"},
    {"espacio tras dos digitos", "64 ", rfIncompleto, "64" GR " "},
    {"completa oeste", "64" GR " 12' 30\" w", rfCompleto, "64" GR " 12' 30\" W"},
    {"completa este", "180" GR " 0' 0.00001\" e", rfCompleto, "180" GR " 0' 0.00001\" E"},
    {"solo grados", "5" GR " E", rfCompleto, "5" GR " E"},
    {"hemisferio de latitud", "64" GR " 12' 30\" S", rfError, "64" GR " 12' 30\" S"},
    {"minutos completan", "64" GR " 3", rfIncompleto, "64" GR " 3"},
    {"vacio", "", rfVacio, ""},
};

TEST(MascaraLongitud, ConRelleno) {
    for (const Caso &c : kLongitudConRelleno) Comprobar(MascaraLongitud, true, c);
}

const Caso kLongitudSinRelleno[] = {
    {"dos digitos", "64", rfIncompleto, "64"},
    {"tres digitos", "645", rfIncompleto, "645"},
    {"cuatro digitos", "6456", rfError, "6456"},
    {"espacio tras dos digitos", "64 ", rfIncompleto, "64" GR},
    {"completa", "64" GR " 12' 30\" w", rfCompleto, "64" GR " 12' 30\" W"},
};

TEST(MascaraLongitud, SinRelleno) {
    for (const Caso &c : kLongitudSinRelleno) Comprobar(MascaraLongitud, false, c);
}

// ---------------------------------------------------------------------------------------------
TEST(TFormato, ConstantesYCampos) {
    EXPECT_EQ(MascaraLatitud, "#[#]" GR " [#[#]' ][#[#][.#[#][#][#][#]]\" ]{S,N}");
    EXPECT_EQ(MascaraLongitud, "#[#][#]" GR " [#[#]' ][#[#][.#[#][#][#][#]]\" ]{W,E}");
    EXPECT_EQ(MascaraLatitud.size(), 43u);
    EXPECT_EQ(MascaraLongitud.size(), 46u);

    TFormato f(MascaraLatitud, true);
    EXPECT_EQ(f.Estado, 0);
    EXPECT_EQ(f.Opciones, 5);
    EXPECT_EQ(f.MascaraVisible, "##" GR " ##' ##.#####\" {S,N}");
    EXPECT_EQ(f.TextoError(), "La Entrada No es correcta, seg\xFAn el formato:\n    " + MascaraLatitud);

    f.FijarLongitud();
    EXPECT_EQ(f.Mascara, MascaraLongitud);
    EXPECT_EQ(f.MascaraVisible, "###" GR " ##' ##.#####\" {W,E}");
    EXPECT_EQ(f.TextoError(), "La Entrada No es correcta, seg\xFAn el formato:\n    " + MascaraLongitud);
    f.FijarLatitud();
    EXPECT_EQ(f.Mascara, MascaraLatitud);
    EXPECT_EQ(f.MascaraVisible, "##" GR " ##' ##.#####\" {S,N}");
    EXPECT_EQ(f.Opciones, 5);

    TFormato sinRelleno(MascaraLongitud, false);
    EXPECT_EQ(sinRelleno.Opciones, 4);
    EXPECT_EQ(sinRelleno.Estado, 0);
}

TEST(TFormato, VariablesDeUnidadEnCero) {
    EXPECT_EQ(Formato, nullptr);
    EXPECT_EQ(FinPendiente, 0);
    EXPECT_EQ(ComillaPulsada, 0);
}

// MostrarError is a hook: the window overrides it with its own message.
TEST(TFormato, MostrarErrorSePuedeSustituir) {
    struct TConAviso : TFormato {
        using TFormato::TFormato;
        int avisos = 0;
        void MostrarError() override { ++avisos; }
    };
    TConAviso f(MascaraLatitud, true);
    TFormato &base = f;
    base.MostrarError();
    EXPECT_EQ(f.avisos, 1);
}

TEST(EntradaValida, FalsaSoloParaError) {
    TFormato f(MascaraLatitud, true);
    struct Fila {
        const char *nombre;
        std::string entrada;
        bool sinRelleno, valida;
        std::string salida;
    };
    const Fila filas[] = {
        {"completa con relleno", "34", false, true, "34" GR " "},
        {"relleno suprimido", "34", true, true, "34"},
        {"completa", "34" GR " 36' 12.5\" s", false, true, "34" GR " 36' 12.5\" S"},
        {"error", "345", false, false, "345"},
        {"error reescrito", "34 S", false, false, "34" GR "S"},
        {"vacio", "", false, true, ""},
    };
    for (const Fila &c : filas) {
        SCOPED_TRACE(c.nombre);
        std::string texto = c.entrada;
        EXPECT_EQ(f.EntradaValida(texto, c.sinRelleno), c.valida);
        EXPECT_EQ(texto, c.salida);
    }

    // Built without fill: never appends, whatever the caller asks.
    TFormato g(MascaraLatitud, false);
    std::string texto = "34";
    EXPECT_TRUE(g.EntradaValida(texto, false));
    EXPECT_EQ(texto, "34");
}

TEST(EsValida, SoloCompletaOVacia) {
    TFormato f(MascaraLatitud, true);
    EXPECT_TRUE(f.EsValida("34" GR " 36' 12.5\" S"));
    EXPECT_TRUE(f.EsValida("34" GR " 36' 12.5\" s"));  // rewritten on its own copy
    EXPECT_TRUE(f.EsValida(""));
    EXPECT_FALSE(f.EsValida("34" GR " 36' 12.5"));
    EXPECT_FALSE(f.EsValida("34"));  // no fill: stays incomplete
    EXPECT_FALSE(f.EsValida("345"));
    f.FijarLongitud();
    EXPECT_TRUE(f.EsValida("64" GR " 12' 30\" W"));
    EXPECT_FALSE(f.EsValida("34" GR " 36' 12.5\" S"));
}

// ---------------------------------------------------------------------------------------------
TEST(Sintaxis, MascarasMalFormadas) {
    const char *const mascaras[] = {
        ";",   "a;",  "*",    "#*",   "[#",    "#]",    "{#",     "#}",
        "[#}", "{#]", "[[#]", "{#}}", "*256#", "*999#", "#*1000", ";;",  // ';;' ends in ';'
    };
    for (const char *m : mascaras) {
        SCOPED_TRACE(m);
        TFormato f(m, true);
        EXPECT_EQ(f.Estado, 1);
        for (const std::string entrada : {"", "34", "abc"}) {
            std::string texto = entrada;
            EXPECT_EQ(f.Aplicar(texto, true), rfSintaxis);
            EXPECT_EQ(texto, entrada);
            EXPECT_TRUE(f.EntradaValida(texto, false));  // a broken mask accepts every text
            EXPECT_EQ(texto, entrada);
            EXPECT_FALSE(f.EsValida(entrada));  // ... and validates none
        }
    }
}

TEST(Sintaxis, MascaraDemasiadoLarga) {
    TFormato f(std::string(256, '#'), true);
    EXPECT_EQ(f.Estado, 1);
    std::string texto = "1";
    EXPECT_EQ(f.Aplicar(texto, true), rfSintaxis);

    TFormato g(std::string(255, '#'), true);
    EXPECT_EQ(g.Estado, 0);
    texto = std::string(255, '7');
    EXPECT_EQ(g.Aplicar(texto, true), rfCompleto);
}

// An empty mask is "no mask": both checks accept, though the matcher calls it malformed.
TEST(Sintaxis, SinMascara) {
    TFormato f("", true);
    EXPECT_EQ(f.Estado, 1);
    std::string texto = "x";
    EXPECT_EQ(f.Aplicar(texto, true), rfSintaxis);
    EXPECT_TRUE(f.EntradaValida(texto, false));
    EXPECT_TRUE(f.EsValida("x"));
}

TEST(Sintaxis, BienFormadas) {
    // Escaped '*' at the end, a count of 255, brackets compared by totals only.
    for (const char *m : {";*", "*255#", "][", "}{", "[}]{", "#", ";;a", "{a,b}"}) {
        SCOPED_TRACE(m);
        EXPECT_EQ(TFormato(m, false).Estado, 0);
    }
}

TEST(Sintaxis, FijarNoCambiaEstado) {
    TFormato f("[#", true);
    ASSERT_EQ(f.Estado, 1);
    f.FijarLatitud();
    EXPECT_EQ(f.Estado, 1);
    EXPECT_EQ(f.Opciones, 5);
    std::string texto = "34";
    EXPECT_EQ(f.Aplicar(texto, true), rfIncompleto);
    EXPECT_EQ(texto, "34" GR " ");
}

// ---------------------------------------------------------------------------------------------
struct CasoMascara {
    const char *nombre;
    std::string mascara;
    bool relleno;
    std::string entrada;
    TResultadoFormato resultado;
    std::string salida;
};

void Comprobar(const CasoMascara &c) {
    SCOPED_TRACE(std::string(c.nombre) + " / " + c.mascara + " / '" + c.entrada + "'");
    TFormato f(c.mascara, c.relleno);
    ASSERT_EQ(f.Estado, 0);
    std::string texto = c.entrada;
    EXPECT_EQ(f.Aplicar(texto, c.relleno), c.resultado);
    EXPECT_EQ(texto, c.salida);
}

const CasoMascara kElementos[] = {
    {"digito", "#", false, "7", rfCompleto, "7"},
    {"digito no letra", "#", false, "a", rfError, "a"},
    {"superindice no es digito", "#", false, "\xB2", rfError, "\xB2"},
    {"letra", "?", false, "a", rfCompleto, "a"},
    {"letra no digito", "?", false, "5", rfError, "5"},
    {"letra no acentuada", "?", false, "\xE9", rfError, "\xE9"},
    {"letra a mayuscula", "&", false, "a", rfCompleto, "A"},
    {"mayuscula no acentuada", "&", false, "\xE1", rfError, "\xE1"},
    {"cualquiera a mayuscula", "!", false, "a", rfCompleto, "A"},
    {"cualquiera solo a-z cambia", "!", false, "\xE1", rfCompleto, "\xE1"},
    {"cualquiera digito", "!", false, "5", rfCompleto, "5"},
    {"cualquiera tal cual", "@", false, "a", rfCompleto, "a"},
    {"literal guarda el suyo", "x", false, "X", rfCompleto, "x"},
    {"literal mayuscula", "X", false, "x", rfCompleto, "X"},
    {"literal y espacio", "x", false, " ", rfCompleto, "x"},
    {"literal distinto", "x", false, "y", rfError, "y"},
    {"literal grado", GR, false, GR, rfCompleto, GR},
    {"literal acentuado sin plegado", "\xE1", false, "\xC1", rfError, "\xC1"},
    {"sobran caracteres", "#", false, "12", rfError, "12"},
    {"alternativas arriba", "a,b", false, "B", rfCompleto, "b"},
    {"ninguna alternativa", "a,b", false, "c", rfError, "c"},
};

TEST(Mascara, Elementos) {
    for (const CasoMascara &c : kElementos) Comprobar(c);
}

const CasoMascara kEscapes[] = {
    {"numeral literal", ";#", false, "#", rfCompleto, "#"},
    {"numeral literal y espacio", ";#", false, " ", rfCompleto, "#"},
    {"numeral literal no digito", ";#", false, "5", rfError, "5"},
    {"punto y coma literal", "a;;b", false, "a;b", rfCompleto, "a;b"},
    {"punto y coma por espacio", "a;;b", false, "a b", rfCompleto, "a;b"},
    {"corchetes literales", ";[x;]", false, "[x]", rfCompleto, "[x]"},
    {"coma literal", ";,", false, ",", rfCompleto, ","},
    {"relleno con escapes", "#;#;*", true, "5", rfCompleto, "5#*"},
    {"sin relleno con escapes", "#;#;*", false, "5", rfIncompleto, "5"},
    {"relleno corta en especial", "#-;#-#", true, "5", rfIncompleto, "5-#-"},
};

TEST(Mascara, Escapes) {
    for (const CasoMascara &c : kEscapes) Comprobar(c);
    EXPECT_EQ(TFormato(";[x;]", false).MascaraVisible, ";x;");
}

const CasoMascara kGrupos[] = {
    {"requerido", "{S,N}", false, "s", rfCompleto, "S"},
    {"requerido con espacio", "{S,N}", false, " ", rfCompleto, "S"},
    {"requerido ninguno", "{S,N}", false, "x", rfError, "x"},
    {"opcional omitido", "[ab,cd]e", false, "e", rfCompleto, "e"},
    {"opcional primera", "[ab,cd]e", false, "abe", rfCompleto, "abe"},
    {"opcional segunda", "[ab,cd]e", false, "cde", rfCompleto, "cde"},
    {"opcional mezcla", "[ab,cd]e", false, "ace", rfError, "ace"},
    {"opcional a medias", "[ab,cd]e", false, "a", rfIncompleto, "a"},
    {"relleno tras opcional", "[ab,cd]e", true, "ab", rfCompleto, "abe"},
    {"relleno tras segunda", "[ab,cd]e", true, "cd", rfCompleto, "cde"},
    {"opcional al final", "#[-#]", false, "5", rfCompleto, "5"},
    {"opcional empezado", "#[-#]", false, "5-", rfIncompleto, "5-"},
    {"opcional lleno", "#[-#]", false, "5-3", rfCompleto, "5-3"},
    // Ordered choice: the first alternative that fits wins, with no second try.
    {"larga primero", "{ab,a}", false, "ab", rfCompleto, "ab"},
    {"corta primero", "{a,ab}", false, "ab", rfError, "ab"},
    // A complete alternative that got less far than an incomplete one does not win.
    {"incompleta mas larga", "{abc,a}", false, "ab", rfIncompleto, "ab"},
    {"incompleta se rellena", "{abc,a}", true, "ab", rfCompleto, "abc"},
    {"completa igual de larga", "{abc,a}", false, "a", rfCompleto, "a"},
    {"requerido que puede quedar vacio", "{[a]}b", false, "b", rfCompleto, "b"},
    {"anidados", "{x[y{1,2}]z}", false, "xy2z", rfCompleto, "xy2z"},
    {"anidados sin opcional", "{x[y{1,2}]z}", false, "xz", rfCompleto, "xz"},
    {"anidados opcional roto", "{x[y{1,2}]z}", false, "xy3z", rfError, "xy3z"},
};

TEST(Mascara, GruposYAlternativas) {
    for (const CasoMascara &c : kGrupos) Comprobar(c);
}

const CasoMascara kRepeticiones[] = {
    {"cuenta faltan", "*3#", false, "12", rfIncompleto, "12"},
    {"cuenta justa", "*3#", false, "123", rfCompleto, "123"},
    {"cuenta sobra", "*3#", false, "1234", rfError, "1234"},
    {"cuenta mal elemento", "*3#", false, "12a", rfError, "12a"},
    {"cuenta de dos cifras", "*12#", false, "123456789012", rfCompleto, "123456789012"},
    {"cuenta de dos cifras corta", "*12#", false, "12345678901", rfIncompleto, "12345678901"},
    {"sin cuenta vacia", "*#", false, "", rfVacio, ""},
    {"sin cuenta una", "*#", false, "1", rfCompleto, "1"},
    {"sin cuenta varias", "*#", false, "12345", rfCompleto, "12345"},
    {"sin cuenta error", "*#", false, "12a", rfError, "12a"},
    {"cuenta cero es sin cuenta", "*0#", false, "123", rfCompleto, "123"},
    {"grupo repetido", "*2{ab}", false, "abab", rfCompleto, "abab"},
    {"grupo repetido a medias", "*2{ab}", false, "aba", rfIncompleto, "aba"},
    {"grupo repetido guarda literales", "*2{ab}", false, "ABab", rfCompleto, "abab"},
    {"alternativas repetidas", "*{#,&}", false, "a1b2", rfCompleto, "A1B2"},
    {"relleno tras cuenta", "*2#-", true, "12", rfCompleto, "12-"},
    {"sin relleno tras cuenta", "*2#-", false, "12", rfIncompleto, "12"},
    // After an open-ended repetition nothing is appended.
    {"sin relleno tras abierta", "*#-", true, "12", rfIncompleto, "12"},
    {"abierta y literal", "*#-", false, "12-", rfCompleto, "12-"},
    {"repeticion anidada", "**#", false, "123", rfCompleto, "123"},
};

TEST(Mascara, Repeticiones) {
    for (const CasoMascara &c : kRepeticiones) Comprobar(c);
}

// Elements that can match without taking a character would repeat forever; these must end, and
// give the result of the repetition stopping there.
const CasoMascara kRepeticionesVacias[] = {
    {"opcional repetido solo b", "*[a]b", false, "b", rfCompleto, "b"},
    {"opcional repetido varias", "*[a]b", false, "aab", rfCompleto, "aab"},
    {"opcional repetido sin b", "*[a]b", false, "aa", rfIncompleto, "aa"},
    {"opcional repetido error", "*[a]b", false, "c", rfError, "c"},
    {"primera alternativa vacia", "*{,a}b", false, "b", rfCompleto, "b"},
    {"elemento vacio en grupo", "[*]", false, "x", rfError, "x"},
    {"cuenta sin elemento", "*5", false, "x", rfError, "x"},
    {"cuenta con opcional", "*200[a]b", false, "aab", rfCompleto, "aab"},
    {"repeticiones vacias anidadas", "*{*[a]}b", false, "aab", rfCompleto, "aab"},
    {"cuentas anidadas", "*255{*255{*255[a]}}b", false, "b", rfCompleto, "b"},
};

TEST(Mascara, RepeticionesVaciasTerminan) {
    for (const CasoMascara &c : kRepeticionesVacias) Comprobar(c);
}

// Nested repetitions with alternatives that give back what they took rescan the text over and
// over (work grows like |T|^depth). The step budget refuses such a match and gives the text back.
TEST(Mascara, RepeticionesCostosasSeRechazan) {
    std::string mascara = "*a";
    for (int nivel = 0; nivel < 12; ++nivel) mascara = "*{" + mascara + "x,a}";
    mascara += "b";
    ASSERT_LE(mascara.size(), 255u);
    TFormato f(mascara, true);
    ASSERT_EQ(f.Estado, 0);

    const std::string entrada = std::string(200, 'a') + "b";
    std::string texto = entrada;
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_EQ(f.Aplicar(texto, true), rfError);
    EXPECT_EQ(texto, entrada);
    EXPECT_FALSE(f.EsValida(entrada));
    std::string otro = entrada;
    EXPECT_FALSE(f.EntradaValida(otro, false));
    EXPECT_EQ(otro, entrada);
    // Generous even under the sanitizers; without the budget this would run for ages.
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(20));

    // The same mask on a short text is matched in full.
    texto = "aab";
    EXPECT_EQ(f.Aplicar(texto, true), rfCompleto);
}

// ---------------------------------------------------------------------------------------------
TEST(Limites, TextoDe255) {
    TFormato f("*#", true);
    std::string texto(255, '3');
    EXPECT_EQ(f.Aplicar(texto, true), rfCompleto);

    // Longer texts are refused untouched rather than matched with a wrapped position.
    const std::string largo = std::string(256, '3');
    texto = largo;
    EXPECT_EQ(f.Aplicar(texto, true), rfError);
    EXPECT_EQ(texto, largo);
    EXPECT_FALSE(f.EntradaValida(texto, false));
    EXPECT_EQ(texto, largo);
    EXPECT_FALSE(f.EsValida(largo));

    TFormato lat(MascaraLatitud, true);
    const std::string latitudLarga = "34" GR " 36' 12.5\" S" + std::string(240, ' ');
    texto = latitudLarga;
    EXPECT_EQ(lat.Aplicar(texto, true), rfError);
    EXPECT_EQ(texto, latitudLarga);
}

TEST(Limites, RellenoNoPasaDe255) {
    TFormato lleno("*255#--", true);
    std::string texto(255, '1');
    EXPECT_EQ(lleno.Aplicar(texto, true), rfIncompleto);
    EXPECT_EQ(texto, std::string(255, '1'));

    TFormato casi("*254#--", true);
    texto = std::string(254, '1');
    EXPECT_EQ(casi.Aplicar(texto, true), rfIncompleto);
    EXPECT_EQ(texto, std::string(254, '1') + "-");
}

}  // namespace
