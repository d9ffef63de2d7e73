// zuvelo-convert: converts whole files of points from the command line with the window's own
// line rules, conversion object and output formats. Exit status 0 every point converted, 3 some
// points failed, 1 input/output error, 2 usage.
#include <cstdio>
#include <string>
#include <string_view>

#include "argumentos.h"
#include "conversor.h"
#include "cp1252.h"
#include "senales.h"

#ifndef ZUVELO_VERSION
#define ZUVELO_VERSION "3.2"
#endif

namespace {

constexpr int kTodoConvertido = 0, kErrorArchivo = 1, kErrorUso = 2, kPuntosFallidos = 3;

// A reason repeats bytes of the input: control bytes (terminal escapes, NUL) are shown as \xHH,
// never sent to the terminal. In Windows-1252 text the five undefined bytes stand for C1 controls
// too. A reason longer than any the program words is cut.
std::string Escapado(std::string_view s, bool cp1252) {
    constexpr std::size_t kMaximo = 400;
    std::string r;
    for (char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        const bool control = c < 0x20 || c == 0x7F ||
                             (cp1252 && (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D));
        if (control) {
            static const char kHex[] = "0123456789ABCDEF";
            r += "\\x";
            r += kHex[c >> 4];
            r += kHex[c & 15];
        } else {
            r += ch;
        }
        if (r.size() >= kMaximo) {
            r += "...";
            break;
        }
    }
    return cp1252 ? Cp1252AUtf8(r) : r;
}

void Poner(const std::string &s) {
    std::fwrite(s.data(), 1, s.size(), stderr);
}

std::string Cantidad(int64_t n, const char *uno, const char *varios) {
    return std::to_string(n) + " " + (n == 1 ? uno : varios);
}

// `decimal` false: geographic values were read as degrees-minutes-seconds.
void Resumen(const TInforme &inf, bool decimal) {
    std::string s = "zuvelo-convert: " + Cantidad(inf.Convertidos, "point", "points") + " converted, " +
                    Cantidad(inf.Fallidos, "conversion", "conversions") + " failed, " +
                    Cantidad(inf.SinPunto, "line", "lines") + " without a point";
    if (inf.Vacias > 0) s += " (" + std::to_string(inf.Vacias) + " empty)";
    s += "\n";
    for (const TFalloLinea &f : inf.Primeros)
        s += "  line " + std::to_string(f.Linea) + ": " + Escapado(TextoMotivo(f.Motivo, TIdioma::Ingles), true) + "\n";
    if (inf.Restantes > 0) s += "  ... and " + Cantidad(inf.Restantes, "more line", "more lines") + "\n";
    if (!decimal)
        for (const TFalloLinea &f : inf.Primeros)
            if (f.Motivo.Codigo == TCodigoMotivo::SinSignoGrado) {
                s += "  (values in decimal degrees need --decimal)\n";
                break;
            }
    Poner(s);
}

}  // namespace

int main(int argc, char **argv) {
    VigilarSenales();
    TArgumentos a;
    try {
        a = LeerArgumentos(argc, argv);
    } catch (const EUso &e) {
        Poner("zuvelo-convert: " + Escapado(e.what(), false) + " (see zuvelo-convert --help)\n");
        return kErrorUso;
    }
    if (a.Ayuda) {
        std::fputs(TextoAyuda().c_str(), stdout);
        return kTodoConvertido;
    }
    if (a.Version) {
        std::puts("zuvelo-convert (Zuvelo II) " ZUVELO_VERSION);
        return kTodoConvertido;
    }
    TInforme informe;
    try {
        informe = ConvertirArchivo(a);
    } catch (const std::exception &e) {
        Poner("zuvelo-convert: " + Escapado(e.what(), false) + "\n");
        return kErrorArchivo;
    }
    Resumen(informe, a.Fuente != 0 || a.Decimal);
    // Empty and blank lines are no points; any other line that gave none is a point lost.
    const bool todos = informe.Fallidos == 0 && informe.SinPunto == informe.Vacias;
    return todos ? kTodoConvertido : kPuntosFallidos;
}
