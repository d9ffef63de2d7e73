// TFormato on generated input: angles built from the mask's own grammar (every one must be complete,
// every beginning of one incomplete), and random bytes as texts and as masks (every call must end,
// with a result the caller can use and the text within its bounds). Fixed seeds: failures repeat.
#include "Validate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#define GR "\xB0"

namespace {

using Azar = std::mt19937;

int Entre(Azar &azar, int desde, int hasta) {
    return std::uniform_int_distribution<int>(desde, hasta)(azar);
}

std::string Digitos(Azar &azar, int n) {
    std::string s;
    for (int k = 0; k < n; ++k) s.push_back(static_cast<char>('0' + Entre(azar, 0, 9)));
    return s;
}

// An angle as the mask describes it: degrees (1..maxGrados digits), the degree sign and a space,
// optional minutes (1-2 digits, apostrophe, space), optional seconds (1-2 digits, optionally a point
// and 1-5 decimals, double quote, space) and one of the two hemisphere letters.
std::string AnguloValido(Azar &azar, int maxGrados, const char *hemisferios) {
    std::string s = Digitos(azar, Entre(azar, 1, maxGrados)) + GR " ";
    if (Entre(azar, 0, 1)) s += Digitos(azar, Entre(azar, 1, 2)) + "' ";
    if (Entre(azar, 0, 1)) {
        s += Digitos(azar, Entre(azar, 1, 2));
        if (Entre(azar, 0, 1)) s += "." + Digitos(azar, Entre(azar, 1, 5));
        s += "\" ";
    }
    s.push_back(hemisferios[Entre(azar, 0, 1)]);
    return s;
}

// The same angle as a user may type it: the degree sign and the apostrophe may be typed as spaces
// and the hemisphere letter in lower case.
std::string ComoSeTipea(Azar &azar, const std::string &angulo) {
    std::string s = angulo;
    for (char &c : s) {
        if ((c == '\xB0' || c == '\'') && Entre(azar, 0, 1)) c = ' ';
        if (c >= 'A' && c <= 'Z' && Entre(azar, 0, 1)) c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

struct Angulo {
    const char *nombre;
    const std::string &mascara;
    int maxGrados;
    const char *hemisferios;
};

TEST(Gramatica, AngulosValidosYSusComienzos) {
    const Angulo angulos[] = {{"latitud", MascaraLatitud, 2, "SN"}, {"longitud", MascaraLongitud, 3, "WE"}};
    Azar azar(20261209);
    for (const Angulo &a : angulos) {
        SCOPED_TRACE(a.nombre);
        TFormato f(a.mascara, true);
        for (int n = 0; n < 2000; ++n) {
            const std::string angulo = AnguloValido(azar, a.maxGrados, a.hemisferios);
            SCOPED_TRACE(angulo);
            ASSERT_TRUE(f.EsValida(angulo));
            std::string texto = angulo;
            ASSERT_EQ(f.Aplicar(texto, true), rfCompleto);
            ASSERT_EQ(texto, angulo);

            // Typed with spaces and a lower-case letter, it comes back in its stored form.
            texto = ComoSeTipea(azar, angulo);
            ASSERT_EQ(f.Aplicar(texto, false), rfCompleto);
            ASSERT_EQ(texto, angulo);

            // Every beginning is a valid start that still needs more: the hemisphere comes last.
            for (std::size_t largo = 1; largo < angulo.size(); ++largo) {
                std::string comienzo = angulo.substr(0, largo);
                ASSERT_EQ(f.Aplicar(comienzo, false), rfIncompleto) << "largo " << largo;
            }
        }
    }
}

// Typing an angle key by key with fill, as the field check does on every change: what the fill
// appends (the degree sign and a space after two degree digits, "' " after two minute digits, the space after
// the double quote) is not typed, so ten keys make the whole latitude.
TEST(Gramatica, TipeoConRelleno) {
    TFormato f(MascaraLatitud, true);
    const std::string objetivo = "34" GR " 36' 12.5\" S";
    std::string texto;
    int teclas = 0;
    while (texto.size() < objetivo.size()) {
        texto.push_back(objetivo[texto.size()]);
        ++teclas;
        ASSERT_TRUE(f.EntradaValida(texto, false)) << texto;
        ASSERT_EQ(texto, objetivo.substr(0, texto.size()));
    }
    EXPECT_EQ(teclas, 10);
    EXPECT_TRUE(f.EsValida(texto));
}

std::string BytesAlAzar(Azar &azar, int maxLargo) {
    std::string s(static_cast<std::size_t>(Entre(azar, 0, maxLargo)), '\0');
    for (char &c : s) c = static_cast<char>(Entre(azar, 0, 255));
    return s;
}

std::string DeAlfabeto(Azar &azar, const std::string &alfabeto, int maxLargo) {
    std::string s(static_cast<std::size_t>(Entre(azar, 0, maxLargo)), '\0');
    for (char &c : s)
        c = alfabeto[static_cast<std::size_t>(Entre(azar, 0, static_cast<int>(alfabeto.size()) - 1))];
    return s;
}

// Up to two edits (replace, insert or delete one character, or cut the tail) of a text.
std::string Mutar(Azar &azar, std::string s, const std::string &alfabeto) {
    for (int k = Entre(azar, 0, 2); k > 0 && !s.empty(); --k) {
        const std::size_t p = static_cast<std::size_t>(Entre(azar, 0, static_cast<int>(s.size()) - 1));
        const char c =
            alfabeto[static_cast<std::size_t>(Entre(azar, 0, static_cast<int>(alfabeto.size()) - 1))];
        switch (Entre(azar, 0, 3)) {
            case 0:
                s[p] = c;
                break;
            case 1:
                s.insert(p, 1, c);
                break;
            case 2:
                s.erase(p, 1);
                break;
            default:
                s.resize(p);
                break;
        }
    }
    return s;
}

bool EsResultadoVisible(TResultadoFormato r) {
    return r <= rfSintaxis;
}

// The angle masks on random bytes and on random texts of the angle's own characters.
TEST(Aleatorio, MascarasDeAnguloTerminanYSonEstables) {
    Azar azar(1252);
    const std::string alfabeto = "0123456789" GR " '\".SNWEsnwex-";
    int vistos[5] = {0, 0, 0, 0, 0};
    for (const std::string *mascara : {&MascaraLatitud, &MascaraLongitud}) {
        TFormato f(*mascara, true);
        for (int n = 0; n < 20000; ++n) {
            std::string entrada;
            if (n % 4 == 0)
                entrada = BytesAlAzar(azar, 40);
            else if (n % 4 == 1)
                entrada = DeAlfabeto(azar, alfabeto, 22);
            else
                entrada = Mutar(azar, ComoSeTipea(azar, AnguloValido(azar, 3, "SNWE")), alfabeto);
            SCOPED_TRACE(entrada);
            for (bool relleno : {false, true}) {
                std::string texto = entrada;
                const TResultadoFormato r = f.Aplicar(texto, relleno);
                ASSERT_TRUE(EsResultadoVisible(r));
                ASSERT_NE(r, rfSintaxis);
                ++vistos[r];
                ASSERT_EQ(r == rfVacio, entrada.empty());
                if (relleno)
                    ASSERT_GE(texto.size(), entrada.size());
                else
                    ASSERT_EQ(texto.size(), entrada.size());
                // A stored text is stable: matching it again changes nothing.
                if (r == rfCompleto) {
                    std::string otra = texto;
                    ASSERT_EQ(f.Aplicar(otra, relleno), rfCompleto);
                    ASSERT_EQ(otra, texto);
                    ASSERT_TRUE(f.EsValida(texto));
                }
            }
            std::string texto = entrada;
            f.EntradaValida(texto, false);
            f.EsValida(entrada);
        }
    }
    // The texts reached every outcome, so the checks above were exercised.
    EXPECT_GT(vistos[rfCompleto], 100);
    EXPECT_GT(vistos[rfIncompleto], 100);
    EXPECT_GT(vistos[rfVacio], 100);
    EXPECT_GT(vistos[rfError], 100);
}

// Random masks: mostly the mask language's own characters, some raw bytes.
TEST(Aleatorio, MascarasAlAzarTerminan) {
    Azar azar(4711);
    const std::string especiales = "#?&!@*{}[],;";
    const std::string alfabetoMascara = especiales + especiales + "0123ab " GR;
    const std::string alfabetoTexto = "ab01 ,;{}[]AB#*" GR;
    int bienFormadas = 0;
    for (int n = 0; n < 6000; ++n) {
        std::string mascara;
        switch (n % 10) {
            case 0:
                mascara = BytesAlAzar(azar, 30);
                break;
            case 1:
                mascara = DeAlfabeto(azar, alfabetoMascara, 255);
                break;
            default:
                mascara = DeAlfabeto(azar, alfabetoMascara, 24);
                break;
        }
        SCOPED_TRACE(testing::PrintToString(mascara));
        TFormato f(mascara, true);
        ASSERT_TRUE(f.Estado == 0 || f.Estado == 1);
        if (f.Estado == 0) ++bienFormadas;
        for (int k = 0; k < 6; ++k) {
            const std::string entrada = (k == 5)   ? BytesAlAzar(azar, 255)
                                        : (k == 4) ? BytesAlAzar(azar, 20)
                                                   : DeAlfabeto(azar, alfabetoTexto, 20);
            SCOPED_TRACE(testing::PrintToString(entrada));
            for (bool relleno : {false, true}) {
                std::string texto = entrada;
                const TResultadoFormato r = f.Aplicar(texto, relleno);
                ASSERT_TRUE(EsResultadoVisible(r));
                if (f.Estado == 1) {
                    // A malformed mask refuses to judge, every time, and leaves the text alone.
                    ASSERT_EQ(r, rfSintaxis);
                    ASSERT_EQ(texto, entrada);
                } else {
                    ASSERT_EQ(r == rfVacio, entrada.empty());
                }
                if (!relleno) {
                    ASSERT_EQ(texto.size(), entrada.size());
                }
                ASSERT_LE(texto.size(), std::max<std::size_t>(entrada.size(), 255));
                ASSERT_GE(texto.size(), entrada.size());
            }
            std::string texto = entrada;
            f.EntradaValida(texto, false);
            f.EsValida(entrada);
        }
    }
    EXPECT_GT(bienFormadas, 600);
}

}  // namespace
