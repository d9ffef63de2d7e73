// The real boxes behind the message component and the default error handler: what they show, which
// button comes back, and that an exception in an event leaves the application running.
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include "ventana_prueba.h"

namespace {
// Presses the button with the given text on the modal box once it is shown, and keeps its text.
void Responder(const QString &boton, QString *texto, QMessageBox::Icon *icono) {
    QTimer::singleShot(0, [=] {
        auto *caja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!caja) return;
        *texto = caja->text();
        *icono = caja->icon();
        for (QAbstractButton *b : caja->buttons())
            if (b->text() == boton) b->click();
    });
}
}  // namespace

class TestMensajes : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        FijarPresentadorGlobal(nullptr);
        FijarManejadorError(nullptr);
    }

    void confirmacionConCancelar() {
        QWidget padre;
        TMensaje m(&padre);
        QString texto;
        QMessageBox::Icon icono = QMessageBox::NoIcon;
        Responder(QStringLiteral("Cancelar"), &texto, &icono);
        QCOMPARE(m.Mostrar(TMensaje::Confirmacion,
                           Q("\xBF"
                             "Sobrescribir?"),
                           TMensaje::OkCancelar),
                 TMensaje::BotonCancelar);
        QCOMPARE(texto, Q("\xBF"
                          "Sobrescribir?"));
        QCOMPARE(icono, QMessageBox::Question);
        Responder(QStringLiteral("Aceptar"), &texto, &icono);
        QCOMPARE(m.Mostrar(TMensaje::Confirmacion, QStringLiteral("otra"), TMensaje::OkCancelar),
                 TMensaje::BotonOk);
        QCOMPARE(m.Mostrados.size(), std::size_t(2));
        QCOMPARE(m.Mostrados[0].tipo, TMensaje::Confirmacion);
        QCOMPARE(m.Mostrados[1].texto, QStringLiteral("otra"));
    }

    void informacionYError() {
        QWidget padre;
        TMensaje m(&padre);
        QString texto;
        QMessageBox::Icon icono = QMessageBox::NoIcon;
        Responder(QStringLiteral("Aceptar"), &texto, &icono);
        QCOMPARE(m.Mostrar(TMensaje::Informacion, QStringLiteral("hecho")), TMensaje::BotonOk);
        QCOMPARE(icono, QMessageBox::Information);
        Responder(QStringLiteral("Aceptar"), &texto, &icono);
        QCOMPARE(m.Mostrar(TMensaje::Error, QStringLiteral("mal")), TMensaje::BotonOk);
        QCOMPARE(icono, QMessageBox::Critical);
        QCOMPARE(texto, QStringLiteral("mal"));
    }

    void presentadorDeLaPrueba() {
        QWidget padre;
        TMensaje m(&padre);
        int llamadas = 0;
        m.FijarPresentador([&](QWidget *p, TMensaje::Tipo, const QString &, TMensaje::Botones) {
            ++llamadas;
            return p == &padre ? TMensaje::BotonCancelar : TMensaje::BotonOk;
        });
        QCOMPARE(m.Mostrar(TMensaje::Confirmacion, QStringLiteral("x"), TMensaje::OkCancelar),
                 TMensaje::BotonCancelar);
        QCOMPARE(llamadas, 1);
        QCOMPARE(m.Mostrados.size(), std::size_t(1));
    }

    void cajaDeErrorPorDefecto() {
        // An exception of the core raised in an event handler shows its message in the error box.
        struct TLanza : QObject {
            bool event(QEvent *e) override {
                if (e->type() == QEvent::User) LeerEntero("3x");
                return QObject::event(e);
            }
        } lanza;
        QString texto;
        QMessageBox::Icon icono = QMessageBox::NoIcon;
        Responder(QStringLiteral("Aceptar"), &texto, &icono);  // Qt's own OK button, in Spanish
        QEvent e(QEvent::User);
        QApplication::sendEvent(&lanza, &e);
        QCOMPARE(texto, QStringLiteral("'3x' is not a valid integer value"));
        QCOMPARE(icono, QMessageBox::Critical);
        // Events are still delivered afterwards.
        QEvent otro(QEvent::None);
        QVERIFY(!QApplication::sendEvent(&lanza, &otro));
    }
};

ZUVELO_TEST_MAIN(TestMensajes)
#include "test_conversion_mensajes.moc"
