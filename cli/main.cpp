// zuvelo-convert: converts whole files of points from the command line with the window's own
// line rules, conversion object and output formats. Exit status 0 done, 1 input/output, 2 usage.
#include <csignal>
#include <cstdio>
#include <string>

#include "argumentos.h"
#include "conversor.h"
#include "cp1252.h"

#ifndef ZUVELO_VERSION
#define ZUVELO_VERSION "3.2"
#endif

namespace {

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
        s += "  line " + std::to_string(f.Linea) + ": " +
             Cp1252AUtf8(TextoMotivo(f.Motivo, TIdioma::Ingles)) + "\n";
    if (inf.Restantes > 0) s += "  ... and " + Cantidad(inf.Restantes, "more line", "more lines") + "\n";
    if (!decimal)
        for (const TFalloLinea &f : inf.Primeros)
            if (f.Motivo.Codigo == TCodigoMotivo::SinSignoGrado) {
                s += "  (values in decimal degrees need --decimal)\n";
                break;
            }
    std::fputs(s.c_str(), stderr);
}

}  // namespace

int main(int argc, char **argv) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe becomes a write error with its reason
    TArgumentos a;
    try {
        a = LeerArgumentos(argc, argv);
    } catch (const EUso &e) {
        std::fprintf(stderr, "zuvelo-convert: %s (see zuvelo-convert --help)\n", e.what());
        return 2;
    }
    if (a.Ayuda) {
        std::fputs(TextoAyuda().c_str(), stdout);
        return 0;
    }
    if (a.Version) {
        std::puts("zuvelo-convert (Zuvelo II) " ZUVELO_VERSION);
        return 0;
    }
    try {
        Resumen(ConvertirArchivo(a), a.Fuente != 0 || a.Decimal);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zuvelo-convert: %s\n", e.what());
        return 1;
    }
    return 0;
}
