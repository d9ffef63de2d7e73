// zuvelo-convert: converts whole files of points from the command line with the window's own
// line rules, conversion object and output formats. Exit status 0 every point converted, 3 some
// points failed, 1 input/output error, 2 usage.
#include <cstdio>
#include <string>
#include <string_view>

#include "argumentos.h"
#include "conteo.h"
#include "conversor.h"
#include "cp1252.h"
#include "motivo.h"
#include "senales.h"

#ifndef ZUVELO_VERSION
#define ZUVELO_VERSION "3.2"
#endif

namespace {

constexpr int kTodoConvertido = 0, kErrorArchivo = 1, kErrorUso = 2, kPuntosFallidos = 3;

// A reason repeats bytes of the input: never sent to the terminal raw, and never longer than any
// reason the program words.
std::string Escapado(std::string_view s, bool cp1252) {
    const std::string r = Mostrable(s, 400, cp1252);
    return cp1252 ? Cp1252AUtf8(r) : r;
}

void Poner(const std::string &s) {
    std::fwrite(s.data(), 1, s.size(), stderr);
}

// `decimal` false: geographic values were read as degrees-minutes-seconds.
void Resumen(const TInforme &inf, bool decimal) {
    std::string s = "zuvelo-convert: " + Cantidad(inf.Convertidos, "point", "points") + " converted, " +
                    Cantidad(inf.Fallidos, "conversion", "conversions") + " failed, " +
                    Cantidad(inf.SinPunto, "line", "lines") + " without a point";
    if (inf.Vacias > 0) s += " (" + std::to_string(inf.Vacias) + " empty)";
    s += "\n";
    for (const TFalloLinea &f : inf.Primeros)
        s += "  line " + std::to_string(f.Linea) + ": " +
             Escapado(TextoMotivo(f.Motivo, TIdioma::Ingles), true) + "\n";
    if (inf.Restantes > 0) s += "  ... and " + Cantidad(inf.Restantes, "more line", "more lines") + "\n";
    if (inf.Prj < 0)
        s += "  no .prj written: the points lie in several strips or zones, and a .prj names one system\n";
    if (inf.NombresCambiados > 0)
        s += "  " + Cantidad(inf.NombresCambiados, "point name", "point names") +
             " changed in the drawing: characters that Windows-1252 cannot hold became '?'\n";
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
    Resumen(informe, a.Lectura.ModoDecimal == 1);
    // Empty and blank lines are no points; any other line that gave none is a point lost.
    const bool todos = informe.NoConvertidos() == 0;
    return todos ? kTodoConvertido : kPuntosFallidos;
}
