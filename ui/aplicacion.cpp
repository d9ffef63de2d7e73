// TAplicacion and TChkMensaje: the event boundary that stops exceptions, the default error handler,
// Qt's Spanish texts and the Enter-as-Tab hook.
#include "aplicacion.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
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

// A line edit that belongs to an item view's editor, a spin box, a combo box or a file dialog (where
// Enter opens the file) keeps its Enter.
bool EsCampoSimple(QObject *destino) {
    auto *campo = qobject_cast<QLineEdit *>(destino);
    if (!campo) return false;
    if (qobject_cast<QFileDialog *>(campo->window())) return false;
    for (QWidget *w = campo->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
            qobject_cast<QComboBox *>(w))
            return false;
        if (w->isWindow()) break;
    }
    return true;
}

}  // namespace

void FijarManejadorError(TManejadorError manejador) {
    Manejador() = std::move(manejador);
}

void ManejarExcepcionActual() {
    QString mensaje;
    try {
        throw;
    } catch (const std::exception &e) {
        mensaje = AQString(TextoError(e));
    } catch (...) {
        mensaje = QStringLiteral("Error desconocido");
    }
    // The handler itself must not throw past this point either.
    try {
        if (Manejador())
            Manejador()(mensaje);
        else
            CajaDeError(mensaje);
    } catch (...) {
    }
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
    // QSettings keeps what the program remembers under these two names (ui/preferencias.h).
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

bool TChkMensaje::eventFilter(QObject *destino, QEvent *evento) {
    if (evento->type() != QEvent::KeyPress) return false;
    auto *tecla = static_cast<QKeyEvent *>(evento);
    if (tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter) return false;
    if (!EsCampoSimple(destino)) return false;
    const Qt::KeyboardModifiers mods = tecla->modifiers() & ~Qt::KeypadModifier;
    const bool atras = mods.testFlag(Qt::ShiftModifier);
    QKeyEvent tab(QEvent::KeyPress, atras ? Qt::Key_Backtab : Qt::Key_Tab, mods,
                  atras ? QString() : QStringLiteral("\t"));
    QCoreApplication::sendEvent(destino, &tab);
    return true;
}
