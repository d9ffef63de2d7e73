// The window's start state and typing in the "Conversión" fields: mask completion, caret, the
// Shift+2 double quote, refused characters, Enter as Tab.
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include "Validate.h"
#include "ventana_prueba.h"

namespace {
const char *const kNormal =
    "Conversi\xF3n de Coordenadas exclusivo para la Rep\xFA"
    "blica Argentina";
const char *const kMascaraLat = "La entrada no responde al formato:\n        ##\xB0 ##' ##.#####\" {S,N}";
const char *const kMascaraLon = "La entrada no responde al formato:\n        ###\xB0 ##' ##.#####\" {W,E}";

// Types key by key, as a user does.
void Teclear(QLineEdit *campo, const char *texto) {
    campo->setFocus();
    QTest::keyClicks(campo, QString::fromLatin1(texto));
}

void Tecla(QWidget *w, QEvent::Type tipo, Qt::Key tecla, Qt::KeyboardModifiers mods,
           const QString &texto = {}) {
    QKeyEvent e(tipo, tecla, mods, texto);
    QApplication::sendEvent(w, &e);
}
}  // namespace

class TestEntrada : public QObject {
    Q_OBJECT
    TBanco b;

  private slots:
    void init() { QVERIFY(b.Abrir()); }
    void cleanup() { b.Cerrar(); }

    void estadoInicial() {
        TFConv &w = *b.v.get();
        auto &v = *b.v;
        QCOMPARE(w.windowTitle(), QStringLiteral("Zuvelo II v3.2"));
        QCOMPARE(w.size(), QSize(583, 530));
        QCOMPARE(w.objectName(), QStringLiteral("TFConv"));
        for (const char *nombre : {"Elat", "ELon", "EAlt", "GKPx", "GKPy", "GKPf", "cpX", "cpY", "cpZ",
                                   "SLat", "SLon", "SAlt", "GKIx", "GKIy", "GKIf"})
            QVERIFY2(w.findChild<QLineEdit *>(nombre), nombre);
        for (const char *nombre : {"cGEOgrp", "cGKgrp", "cUTMgrp", "cGEOIgrp", "cGKIgrp", "cUTMIgrp"})
            QVERIFY2(w.findChild<QGroupBox *>(nombre), nombre);
        QVERIFY(w.findChild<QPlainTextEdit *>("Memo"));
        QVERIFY(w.findChild<QStatusBar *>("statusbar"));
        QVERIFY(w.findChild<TMensaje *>("spMensaje"));
        QCOMPARE(w.findChild<QLabel *>("Msg")->text(),
                 Q(" Conversi\xF3n de Coordenadas exclusivo para la Rep\xFA"
                   "blica Argentina"));
        QCOMPARE(w.findChild<QLabel *>("Autor")->width(), 219);
        auto *tabs = w.findChild<QTabWidget *>("spSPC");
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), Q("Conversi\xF3n"));
        QCOMPARE(tabs->tabText(1), Q("Archivos"));
        QCOMPARE(tabs->tabText(2), Q("Mapa"));
        QCOMPARE(tabs->tabText(3), Q("Acerca de ..."));
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("TSConv"));
        QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("TSTransf"));
        QCOMPARE(tabs->widget(2)->objectName(), QStringLiteral("Mapa"));
        QCOMPARE(tabs->widget(3)->objectName(), QStringLiteral("AcercaDe"));
        QCOMPARE(tabs->currentWidget(), v.TSConv);
        QCOMPARE(v.spSkinCheckRadioBox1->text(), Q(" POSGAR 94    ( WGS 84)"));
        QCOMPARE(v.spSkinCheckRadioBox2->text(), Q(" CAMPO INCHAUSPE 69"));
        QVERIFY(v.spSkinCheckRadioBox1->isChecked());
        QVERIFY(!v.spSkinCheckRadioBox2->isChecked());
        QCOMPARE(v.cGEOgrp->title(), Q("Coordenadas Geogr\xE1"
                                       "ficas (Geod\xE9sicas)"));
        QCOMPARE(v.cUTMgrp->title(), Q("Coordenadas  UTM"));
        QCOMPARE(v.cGKIgrp->title(), Q("Coordenadas Planas Gauss Kr\xFCger"));
        QCOMPARE(v.cUTMIgrp->title(), Q("Coordenadas  Gauss Kruger (Combinadas)"));
        QVERIFY(!v.cUTMIgrp->isCheckable());
        for (int g = 1; g <= 5; ++g) {
            QCOMPARE(v.Grupo(g)->isChecked(), g == 1);
            for (int i = 0; i < 3; ++i) {
                QLineEdit *c = v.CampoGrupo(g, i);
                QCOMPARE(c->isReadOnly(), g != 1);
                QVERIFY(c->isEnabled());
                QVERIFY(c->text().isEmpty());
            }
        }
        QCOMPARE(v.Memo->toPlainText(), QString());
        QVERIFY(v.Memo->isReadOnly());
        QVERIFY(Formato);
        QCOMPARE(Formato->Mascara, MascaraLatitud);
        QCOMPARE(int(FinPendiente), 0);
        QCOMPARE(int(ComillaPulsada), 0);
    }

    void tipear34CompletaYLlevaElCursorAlFinal() {
        Tipear(b.v->Elat, "34");
        QCOMPARE(b.v->Elat->text(), Q("34\xB0 "));
        QCOMPARE(b.v->Elat->cursorPosition(), 4);
        QCOMPARE(b.v->Msg->text(), Q(kNormal));
        QCOMPARE(b.pitidos, 0);
        QVERIFY(b.Mensajes().empty());
    }

    void latitudPasoAPasoConComillaDeShift2() {
        QLineEdit *e = b.v->Elat;
        Teclear(e, "34");
        QTest::keyClicks(e, QStringLiteral("36"));
        QCOMPARE(e->text(), Q("34\xB0 36' "));
        QCOMPARE(e->cursorPosition(), 8);
        QTest::keyClicks(e, QStringLiteral("12.5"));
        QCOMPARE(e->text(), Q("34\xB0 36' 12.5"));
        // Shift down, then the key that types the double quote with Shift held.
        Tecla(e, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
        Tecla(e, QEvent::KeyPress, Qt::Key_QuoteDbl, Qt::ShiftModifier, QStringLiteral("\""));
        QCOMPARE(e->text(), Q("34\xB0 36' 12.5\" "));
        QCOMPARE(e->cursorPosition(), 13);  // right after the quote: the move waits for Shift
        QCOMPARE(int(FinPendiente), 1);
        QCOMPARE(int(ComillaPulsada), 0);
        Tecla(e, QEvent::KeyRelease, Qt::Key_QuoteDbl, Qt::ShiftModifier, QStringLiteral("\""));
        QCOMPARE(e->cursorPosition(), 13);
        Tecla(e, QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
        QCOMPARE(e->cursorPosition(), 14);
        QCOMPARE(int(FinPendiente), 0);
        QTest::keyClick(e, Qt::Key_S, Qt::NoModifier);  // lower-case s, stored as S
        QCOMPARE(e->text(), Q("34\xB0 36' 12.5\" S"));
        QCOMPARE(b.v->Msg->text(), Q(kNormal));
        QCOMPARE(b.pitidos, 0);
        QVERIFY(b.Mensajes().empty());
    }

    void hemisferioConShiftTodaviaApretado() {
        // Shift held from the double quote to the hemisphere letter: the letter goes at the end.
        QLineEdit *e = b.v->Elat;
        Teclear(e, "343612.5");
        Tecla(e, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
        Tecla(e, QEvent::KeyPress, Qt::Key_QuoteDbl, Qt::ShiftModifier, QStringLiteral("\""));
        Tecla(e, QEvent::KeyRelease, Qt::Key_QuoteDbl, Qt::ShiftModifier, QStringLiteral("\""));
        QCOMPARE(e->cursorPosition(), 13);
        Tecla(e, QEvent::KeyPress, Qt::Key_S, Qt::ShiftModifier, QStringLiteral("S"));
        Tecla(e, QEvent::KeyRelease, Qt::Key_S, Qt::ShiftModifier, QStringLiteral("S"));
        Tecla(e, QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
        QCOMPARE(e->text(), Q("34\xB0 36' 12.5\" S"));
        QCOMPARE(e->cursorPosition(), 15);
        QCOMPARE(b.pitidos, 0);
    }

    void shift2ConLaTeclaDosDelTecladoPrincipal() {
        // Qt reports Shift+2 as Key_2 on some layouts: the same deferral applies.
        QLineEdit *e = b.v->Elat;
        Teclear(e, "343612.5");
        Tecla(e, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
        Tecla(e, QEvent::KeyPress, Qt::Key_2, Qt::ShiftModifier, QStringLiteral("\""));
        QCOMPARE(e->text(), Q("34\xB0 36' 12.5\" "));
        QCOMPARE(e->cursorPosition(), 13);
        Tecla(e, QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
        QCOMPARE(e->cursorPosition(), 14);
    }

    void espacioEnLugarDeComillaMueveElCursorEnseguida() {
        QLineEdit *e = b.v->Elat;
        Teclear(e, "343612.5");
        QTest::keyClick(e, Qt::Key_Space);
        QCOMPARE(e->text(), Q("34\xB0 36' 12.5\" "));
        QCOMPARE(e->cursorPosition(), 14);
        QCOMPARE(int(FinPendiente), 0);
        // Ctrl+Shift+2 is not the double quote: no deferral is armed.
        Tecla(e, QEvent::KeyPress, Qt::Key_2, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(int(ComillaPulsada), 0);
        Tecla(e, QEvent::KeyPress, Qt::Key_2, Qt::ShiftModifier | Qt::KeypadModifier);
        QCOMPARE(int(ComillaPulsada), 0);
        Tecla(e, QEvent::KeyPress, Qt::Key_2, Qt::ShiftModifier);
        QCOMPARE(int(ComillaPulsada), 1);
        Tecla(e, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
        QCOMPARE(int(ComillaPulsada), 0);
    }

    void caracterErroneoPitaAvisaYDejaElTexto() {
        QLineEdit *e = b.v->Elat;
        Teclear(e, "3x");
        QCOMPARE(e->text(), QStringLiteral("3x"));
        QCOMPARE(b.pitidos, 1);
        QCOMPARE(b.Mensajes().size(), std::size_t(1));
        QCOMPARE(b.Mensajes()[0].tipo, TMensaje::Informacion);
        QCOMPARE(b.Mensajes()[0].botones, TMensaje::Ok);
        QCOMPARE(b.Mensajes()[0].texto, Q(kMascaraLat));
        QCOMPARE(b.v->Msg->text(), QStringLiteral("Error"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->text(), QStringLiteral("3"));
        QCOMPARE(b.v->Msg->text(), Q(kNormal));
        QCOMPARE(b.pitidos, 1);
    }

    void longitudUsaSuMascaraAlEntrar() {
        QLineEdit *e = b.v->ELon;
        Teclear(e, "64");
        QCOMPARE(e->text(), QStringLiteral("64"));  // a third degree digit may follow
        QTest::keyClicks(e, QStringLiteral("5"));
        QCOMPARE(e->text(), Q("645\xB0 "));
        // Typed on, a fourth digit starts the minutes; pasted whole, "6456" cannot fit.
        QTest::keyClicks(e, QStringLiteral("6"));
        QCOMPARE(e->text(), Q("645\xB0 6"));
        QCOMPARE(b.pitidos, 0);
        // Put in whole, "6456" does not read as an angle: refused with the reason, the text kept.
        e->selectAll();
        e->insert(QStringLiteral("6456"));
        QCOMPARE(e->text(), Q("645\xB0 6"));
        QCOMPARE(b.pitidos, 1);
        QCOMPARE(
            b.Mensajes().back().texto,
            Q("No se puede leer el \xE1ngulo: longitud '6456' no tiene la letra del hemisferio (O o E)."));
        QCOMPARE(b.v->Msg->text(), QStringLiteral("Error"));
        b.v->Elat->setFocus();
        QCOMPARE(Formato->Mascara, MascaraLatitud);
    }

    void pegarUnaLatitudCompletaOUnDecimal() {
        QLineEdit *e = b.v->Elat;
        e->setFocus();
        QApplication::clipboard()->setText(Q("34\xB0 36' 14.10836\" S"));
        e->paste();
        QCOMPARE(e->text(), Q("34\xB0 36' 14.10836\" S"));
        QCOMPARE(b.pitidos, 0);
        // Other layouts that read for sure are put into the mask's layout.
        const struct {
            const char *pegado, *queda;
        } casos[] = {{"-34.5", "34\xB0 30' 0\" S"},
                     {"-34.603428", "34\xB0 36' 12.3408\" S"},
                     {"34\xB0"
                      "36'12.34\"S",
                      "34\xB0 36' 12.34\" S"},
                     {"34\xBA 36\x92 12.34'' s", "34\xB0 36' 12.34\" S"}};
        for (const auto &c : casos) {
            e->clear();
            QApplication::clipboard()->setText(Q(c.pegado));
            e->paste();
            QCOMPARE(e->text(), Q(c.queda));
        }
        QCOMPARE(b.pitidos, 0);
        // Without a sign a decimal has no hemisphere: refused, the field keeps what it held.
        e->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("34.5"));
        e->paste();
        QCOMPARE(e->text(), Q("34\xB0 36' 12.34\" S"));
        QCOMPARE(b.pitidos, 1);
        QCOMPARE(
            b.Mensajes().back().texto,
            Q("No se puede leer el \xE1ngulo: latitud '34.5' no tiene la letra del hemisferio (S o N)."));
    }

    void enterPasaAlCampoSiguiente() {
        b.v->Elat->setFocus();
        QTest::keyClick(b.v->Elat, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b.v->ELon);
        QTest::keyClick(b.v->ELon, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), b.v->EAlt);
        QTest::keyClick(b.v->EAlt, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b.v->GKPx);
        // Read-only fields pass Enter on as well.
        QTest::keyClick(b.v->GKPx, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b.v->GKPy);
        QTest::keyClick(b.v->GKPy, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), b.v->GKPx);
    }

    void enterEnLosCamposDeOtraVentana() {
        // The hook is application-wide: a dialog's line edits get it too, and the dialog's default
        // button is not pressed.
        QDialog dialogo;
        auto *caja = new QVBoxLayout(&dialogo);
        auto *a = new QLineEdit(&dialogo);
        auto *c = new QLineEdit(&dialogo);
        caja->addWidget(a);
        caja->addWidget(c);
        dialogo.show();
        dialogo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c);
        QVERIFY(dialogo.isVisible());
        QCOMPARE(dialogo.result(), 0);
    }

    void enterPropioDeCuadrosDeNumeroYDialogosDeArchivo() {
        // A spin box's editor and a file dialog's name field keep their own Enter.
        QDialog dialogo;
        auto *caja = new QVBoxLayout(&dialogo);
        auto *numero = new QSpinBox(&dialogo);
        auto *c = new QLineEdit(&dialogo);
        caja->addWidget(numero);
        caja->addWidget(c);
        dialogo.show();
        dialogo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
        numero->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), numero);
        dialogo.close();

        QFileDialog archivos(nullptr, QStringLiteral("Guardar"), QDir::tempPath());
        archivos.setOption(QFileDialog::DontUseNativeDialog);
        archivos.setAcceptMode(QFileDialog::AcceptSave);
        archivos.show();
        archivos.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&archivos));
        auto *nombre = archivos.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(nombre);
        nombre->setFocus();
        QTest::keyClicks(nombre,
                         QStringLiteral("zuvelo_no_existe_%1.dat").arg(QCoreApplication::applicationPid()));
        QTest::keyClick(nombre, Qt::Key_Return);
        QCOMPARE(archivos.result(), int(QDialog::Accepted));
    }

    void soloLecturaTomaElFocoYSeCopia() {
        b.v->GKPx->setText(QStringLiteral("6170494.489"));
        b.v->GKPx->setFocus();
        QCOMPARE(QApplication::focusWidget(), b.v->GKPx);
        QTest::keyClicks(b.v->GKPx, QStringLiteral("99"));
        QTest::keyClick(b.v->GKPx, Qt::Key_Backspace);
        QCOMPARE(b.v->GKPx->text(), QStringLiteral("6170494.489"));
        b.v->GKPx->selectAll();
        b.v->GKPx->copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("6170494.489"));
    }

    void sinFormatoNoSeChequea() {
        // A field change while the validator is absent passes unchecked.
        TFormato *guardado = Formato;
        Formato = nullptr;
        b.v->Elat->setText(QStringLiteral("xyz"));
        QCOMPARE(b.pitidos, 0);
        QCOMPARE(b.v->Msg->text(), Q(kNormal));
        Formato = guardado;
    }

    void cerrarLiberaValidadorYConversor() {
        b.v.get()->close();
        QVERIFY(!Formato);
        b.v->Elat->setText(QStringLiteral("xyz"));  // no validator: accepted, nothing shown
        QCOMPARE(b.pitidos, 0);
        // No conversion object: leaving the group converts nothing.
        Tipear(b.v->Elat, "34\xB0 S");
        Tipear(b.v->ELon, "58\xB0 W");
        b.v->EAlt->setFocus();
        Salir(b.v->EAlt);
        QVERIFY(b.v->GKPx->text().isEmpty());
        QVERIFY(b.Mensajes().empty());
    }
};

ZUVELO_TEST_MAIN(TestEntrada)
#include "test_conversion_entrada.moc"
