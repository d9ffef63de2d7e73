// Shared set-up of the "Conversión" window tests: the real window on the offscreen platform, with the
// message component, the error handler and the beep recorded instead of shown.
#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyleOptionGroupBox>
#include <QtTest>
#include <memory>
#include "TFConv.h"
#include "aplicacion.h"
#include "conversion.h"
#include "mensaje.h"
#include "texto_qt.h"

// The application object of every window test is the program's own, with its event boundary.
#define ZUVELO_TEST_MAIN(Clase)                   \
    int main(int argc, char **argv) {             \
        TAplicacion app(argc, argv);              \
        app.setAttribute(Qt::AA_Use96Dpi, true);  \
        Clase prueba;                             \
        QTEST_SET_MAIN_SOURCE_PATH                \
        return QTest::qExec(&prueba, argc, argv); \
    }

// Program texts are Windows-1252; tests write them the same way.
inline QString Q(const char *texto1252) {
    return AQString(texto1252);
}

struct TBanco {
    std::unique_ptr<TFConv> v;
    std::vector<QString> errores;  // messages that reached the default error handler
    int pitidos = 0;

    // Creates and shows the window, active and with the focus in Elat.
    bool Abrir() {
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
        FijarManejadorError([this](const QString &m) { errores.push_back(m); });
        errores.clear();
        pitidos = 0;
        Pitido = [this] { ++pitidos; };
        v = std::make_unique<TFConv>();
        v->show();
        v->activateWindow();
        if (!QTest::qWaitForWindowActive(v.get())) return false;
        v->Elat->setFocus();
        return QApplication::focusWidget() == v->Elat;
    }
    void Cerrar() {
        v.reset();
        FijarManejadorError(nullptr);
        FijarPresentadorGlobal(nullptr);
    }
    std::vector<TMensaje::Registro> &Mensajes() { return v->spMensaje->Mostrados; }
    QStringList MemoLineas() const { return v->Memo->toPlainText().split(QLatin1Char('\n')); }
};

// A user's click on a group box's tick.
inline void ClickTick(QGroupBox *grupo) {
    QStyleOptionGroupBox opcion;
    opcion.initFrom(grupo);
    opcion.subControls = QStyle::SC_GroupBoxCheckBox | QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    opcion.text = grupo->title();
    opcion.lineWidth = 1;
    opcion.midLineWidth = 0;
    opcion.textAlignment = grupo->alignment();
    opcion.features = QStyleOptionFrame::None;
    const QRect caja =
        grupo->style()->subControlRect(QStyle::CC_GroupBox, &opcion, QStyle::SC_GroupBoxCheckBox, grupo);
    QTest::mouseClick(grupo, Qt::LeftButton, Qt::NoModifier, caja.center());
}

// Puts a whole text into a field as a user's paste does: focus, then one change of the text.
// (Typed key by key, a degree sign after "34" would be refused: the field has completed it already.)
inline void Tipear(QLineEdit *campo, const char *texto1252) {
    campo->setFocus();
    campo->selectAll();
    campo->insert(Q(texto1252));
}

// Focus to the next control with the Tab key, as the user leaves a field.
inline void Salir(QLineEdit *campo) {
    QTest::keyClick(campo, Qt::Key_Tab);
}
