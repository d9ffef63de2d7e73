// TAplicacion: the program's QApplication. Qt's own texts (file dialogs, standard buttons, context
// menus) are in Spanish and numbers use '.'. Slots have their own boundary (componentes/borde.h); an
// exception raised by any other event handler stops here and is shown by the default error handler.
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

// Shows the message of an exception that reached the application's boundary. The default handler
// shows an error box; tests replace it (nullptr restores the box).
using TManejadorError = std::function<void(const QString &mensaje)>;
void FijarManejadorError(TManejadorError manejador);

// Numbers read and written by the program use '.' whatever the user's locale: Qt's default locale
// and the C library's LC_NUMERIC are pinned to C (QApplication adopts the user's locale at start).
void FijarSeparadorDecimal();
