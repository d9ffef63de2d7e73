// MostrarExcepcion: the error box of the slots' boundary.
#include "borde.h"

#include <QtGlobal>
#include "texto_error.h"
#include "texto_qt.h"

void MostrarExcepcion(TMensaje &mensaje) noexcept {
    const QString texto = AQString(TextoError(std::current_exception()));
    try {
        mensaje.Mostrar(TMensaje::Error, texto);
    } catch (...) {
        // No box could be made (no memory left): the reason still goes to the program's log.
        qCritical("%s", qUtf8Printable(texto));
    }
}
