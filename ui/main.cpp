// Program start: the application, the main window "Zuvelo II v3.2", the event loop.
#include "TFConv.h"
#include "aplicacion.h"

int main(int argc, char *argv[]) {
    TAplicacion aplicacion(argc, argv);
    TFConv ventana;
    ventana.show();
    return aplicacion.exec();
}
