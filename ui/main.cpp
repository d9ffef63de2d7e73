// Program start: --version and --help printed from a terminal (no window, no display needed), else
// the application, the main window "Zuvelo II v3.2", the read options dialog (hidden until the user
// asks for it), the event loop until the main window closes.
#include <cstdio>
#include <string_view>

#include "UOpciones.h"
#include "aplicacion.h"
#include "ventana.h"

namespace {

const char kAyuda[] =
    "Usage: zuvelo [--help | --version] [Qt options]\n"
    "Opens the Zuvelo II window (in Spanish): point coordinates used in Argentina converted between\n"
    "geographic, Gauss-Krueger and UTM on POSGAR 94, POSGAR 2007 and Campo Inchauspe 69, one point\n"
    "at a time or whole files saved as .DAT, .DXF, .xlsx, .csv, .geojson, .kml or .gpx.\n"
    "\n"
    "  -h, --help     this text\n"
    "      --version  the program's version\n"
    "\n"
    "Files of any size convert from the command line with zuvelo-convert (see zuvelo-convert --help).\n";

}  // namespace

int main(int argc, char *argv[]) {
    // Before Qt, which would open the window (or fail without a display) for them.
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") break;
        if (a == "--version") {
            std::puts("zuvelo (Zuvelo II) " ZUVELO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(kAyuda, stdout);
            return 0;
        }
    }
    TAplicacion aplicacion(argc, argv);
    TFConv ventana;
    new TFormOpciones(&ventana);  // FormOpciones; the window owns it
    ventana.show();
    return aplicacion.exec();
}
