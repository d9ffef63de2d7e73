// TAplicacion: the program's QApplication. Every exception raised while an event is handled stops
// at the event boundary and is shown by the default error handler; Qt's own texts (file dialogs,
// standard buttons, context menus) are in Spanish; TChkMensaje turns Enter into Tab in the
// single-line edit fields of every window.
#pragma once
#include <QApplication>
#include <QObject>
#include <QString>
#include <functional>

class TAplicacion : public QApplication {
    Q_OBJECT
  public:
    TAplicacion(int &argc, char **argv);
    bool notify(QObject *destino, QEvent *evento) override;
};

// Installs Qt's own Spanish translations (Debian package qt6-translations-l10n) in the application.
// False when they are not installed: Qt's texts then stay in English.
bool CargarTraduccionesQt(QCoreApplication &aplicacion);

// Shows a message of an exception that reached an event boundary. The default handler shows an
// error box; tests replace it (nullptr restores the box).
using TManejadorError = std::function<void(const QString &mensaje)>;
void FijarManejadorError(TManejadorError manejador);
// Call inside a catch block: hands the exception being handled to the error handler.
void ManejarExcepcionActual();

// Runs f and stops any exception there, handing it to the error handler. Used by every slot and
// event filter of the window so that no exception crosses Qt's own frames. True when f ended normally.
template <typename F>
bool AlBorde(F &&f) {
    try {
        f();
        return true;
    } catch (...) {
        ManejarExcepcionActual();
        return false;
    }
}

// Numbers read and written by the program use '.' whatever the user's locale: Qt's default locale
// and the C library's LC_NUMERIC are pinned to C (QApplication adopts the user's locale at start).
void FijarSeparadorDecimal();

// The application-wide hook: a key press of Enter or keypad Enter whose receiver is a single-line
// edit field becomes a press of Tab (Shift+Enter of Shift+Tab), so Enter moves to the next field.
// Editors of item views, spin boxes, combo boxes and the file dialogs keep their own Enter.
class TChkMensaje : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    bool eventFilter(QObject *destino, QEvent *evento) override;
};
