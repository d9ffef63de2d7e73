// Program start: the application, the main window "Zuvelo II v3.2", the read options dialog (hidden
// until the user asks for it), the event loop until the main window closes.
#include "ventana.h"
#include "UOpciones.h"
#include "aplicacion.h"

int main(int argc, char *argv[]) {
    TAplicacion aplicacion(argc, argv);
    TFConv ventana;
    new TFormOpciones(&ventana);  // FormOpciones; the window owns it
    ventana.show();
    return aplicacion.exec();
}
