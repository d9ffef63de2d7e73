// TAplicacion: the last boundary of events, the default error handler, Qt's Spanish texts and the
// decimal point.
#include "aplicacion.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <clocale>
#include <exception>
#include "texto_error.h"
#include "texto_qt.h"

namespace {

TManejadorError &Manejador() {
    static TManejadorError manejador;
    return manejador;
}

void CajaDeError(const QString &mensaje) {
    QMessageBox caja(QMessageBox::Critical, QStringLiteral("Zuvelo II"), mensaje, QMessageBox::Ok,
                     QApplication::activeWindow());
    caja.exec();
}

// Call inside a catch block: hands the exception being handled to the error handler.
void ManejarExcepcionActual() {
    const QString mensaje = AQString(TextoError(std::current_exception()));
    // The handler itself must not throw past this point either.
    try {
        if (Manejador())
            Manejador()(mensaje);
        else
            CajaDeError(mensaje);
    } catch (...) {
        qCritical("%s", qUtf8Printable(mensaje));
    }
}

}  // namespace

void FijarManejadorError(TManejadorError manejador) {
    Manejador() = std::move(manejador);
}

void FijarSeparadorDecimal() {
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
}

bool CargarTraduccionesQt(QCoreApplication &aplicacion) {
    auto *traductor = new QTranslator(&aplicacion);
    // Spanish whatever the user's locale: the whole window speaks Spanish.
    if (!traductor->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traductor;
        return false;
    }
    return QCoreApplication::installTranslator(traductor);
}

TAplicacion::TAplicacion(int &argc, char **argv) : QApplication(argc, argv) {
    // QSettings keeps what the program remembers under these two names (componentes/preferencias.h).
    setOrganizationName(QStringLiteral("Zuvelo"));
    setApplicationName(QStringLiteral("Zuvelo II"));
    setApplicationVersion(QStringLiteral("3.2"));
    // The desktop shows the window under the menu entry's name and icon (packaging/zuvelo.desktop).
    setDesktopFileName(QStringLiteral("zuvelo"));
    FijarSeparadorDecimal();
    CargarTraduccionesQt(*this);
}

bool TAplicacion::notify(QObject *destino, QEvent *evento) {
    try {
        return QApplication::notify(destino, evento);
    } catch (...) {
        ManejarExcepcionActual();
        return false;
    }
}
