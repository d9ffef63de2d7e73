// The window driven the way a user drives it, with the mouse and the keyboard: a cell left open in
// the grid's editor when a command button is clicked.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ventana_prueba.h"

namespace {

// A Gauss-Krüger grid of one point, to be converted to geographic coordinates.
void GrillaGK(TVentana &v) {
    v->cbFuente->setCurrentIndex(1);
    v->cbDestino->setCurrentIndex(0);
    v->ModeloGrilla->FijarCelda(2, 1, "6170000");
    v->ModeloGrilla->FijarCelda(2, 2, "5630000");
}

// Double-clicks a cell and types a text into the grid's own editor, leaving it open.
void TipearEnCelda(TVentana &v, int fila, int col, const char *texto) {
    DobleClic(v, fila, col);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, texto);
}

}  // namespace

class TestVentanaUsuario : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { FijarPresentadorGlobal(nullptr); }

    // The convert button takes no focus, so the editor is still open when it is clicked: the typed
    // value is stored and converted, not dropped by the grid's refresh.
    void editorAbiertoAlConvertir() {
        auto v = VentanaVisible();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        GrillaGK(v);
        TipearEnCelda(v, 2, 1, "6180000");
        if (QTest::currentTestFailed()) return;
        QTest::mouseClick(v->spSkinXFormButton1, Qt::LeftButton);
        QCOMPARE(v.Estado().Convertido, uint8_t(1));
        QCOMPARE(v->ModeloGrilla->Celda(2, 1), std::string("6180000"));
        // The results are those of the value shown: converting again changes nothing.
        const std::string lat = v->ModeloGrilla->Celda(2, 5), lon = v->ModeloGrilla->Celda(2, 6);
        QVERIFY(!lat.empty());
        v->spSkinXFormButton1->click();
        QCOMPARE(v->ModeloGrilla->Celda(2, 5), lat);
        QCOMPARE(v->ModeloGrilla->Celda(2, 6), lon);
    }

    // A result cell corrected in place and still open in its editor is saved as shown.
    void editorAbiertoAlGuardar() {
        QTemporaryDir dir;
        auto v = VentanaVisible();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        v->cbFuente->setCurrentIndex(1);
        v->cbDestino->setCurrentIndex(1);
        v->ModeloGrilla->FijarCelda(2, 1, "6170000");
        v->ModeloGrilla->FijarCelda(2, 2, "5630000");
        QTest::mouseClick(v->spSkinXFormButton1, Qt::LeftButton);
        QCOMPARE(v.Estado().Convertido, uint8_t(1));
        TipearEnCelda(v, 2, 7, "123.5");
        if (QTest::currentTestFailed()) return;
        v->SD->FijarSiguiente(dir.filePath("corregido"), 1);
        QTest::mouseClick(v->Guardar, Qt::LeftButton);
        QCOMPARE(v->ModeloGrilla->Celda(2, 7), std::string("123.5"));
        const std::string dat = Leer(dir.filePath("corregido.dat"));
        const std::string esperado = "1, " + v->ModeloGrilla->Celda(2, 5) + ", " +
                                     v->ModeloGrilla->Celda(2, 6) + ", 123.5," +
                                     v->ModeloGrilla->Celda(2, 8) + "\r\n";
        QCOMPARE(QString::fromStdString(dat), QString::fromStdString(esperado));
    }

    // Made as small as it goes, the window still shows every control of the "Archivos" page whole,
    // the grid with its scroll bar included; at the design size it keeps 583 x 530.
    void paginaArchivosEnLaVentanaMasChica() {
        auto v = VentanaVisible();
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        QCOMPARE(v.get()->size(), QSize(583, 530));
        v.get()->resize(1, 1);
        QTRY_VERIFY(v.get()->size() != QSize(583, 530));
        QCoreApplication::sendPostedEvents();  // the layouts follow the new size
        const QRect pagina = v->TSTransf->rect();
        for (QWidget *w : v->TSTransf->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible()) QVERIFY2(pagina.contains(w->geometry()), qPrintable(w->objectName()));
    }

    // The masked cell editor goes away when the pointer moves over the page itself, not while it
    // passes over the page's controls (a drop-down list, the grid's frame).
    void campoYElPunteroSobreLosControles() {
        auto v = VentanaVisible();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        v->cbFuente->setCurrentIndex(0);  // a new window reads angles as degrees-minutes-seconds
        const std::string lat = "34\xB0 36' 12.5\" S";
        v->ModeloGrilla->FijarCelda(2, 1, lat);
        DobleClic(v, 2, 1);
        QTRY_VERIFY(v->Campo->isVisible());
        QTest::mouseMove(v->cbFuente, QPoint(5, 5));
        QCoreApplication::processEvents();  // the move is delivered
        QVERIFY(v->Campo->isVisible());
        QTest::mouseMove(v->GrupoGrilla, QPoint(2, 2));
        QCoreApplication::processEvents();
        QVERIFY(v->Campo->isVisible());
        const QPoint libre(300, 80);  // between cbDestino and "Opciones de Archivo"
        QVERIFY(!v->TSTransf->childAt(libre));
        QTest::mouseMove(v->TSTransf, libre);
        QTRY_VERIFY(!v->Campo->isVisible());
        QCOMPARE(v->ModeloGrilla->Celda(2, 1), lat);
    }

    // The pointer can reach the convert button without a move over the page being seen (a quick
    // jump): a latitude still in Campo is stored and converted, as with the grid's own editor.
    void campoAbiertoAlConvertir() {
        auto v = VentanaVisible();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        v->cbFuente->setCurrentIndex(0);
        v->cbDestino->setCurrentIndex(1);
        v->ModeloGrilla->FijarCelda(2, 1, "34\xB0 36' 12.5\" S");
        v->ModeloGrilla->FijarCelda(2, 2, "58\xB0 22' 54.3\" W");
        DobleClic(v, 2, 1);
        QTRY_VERIFY(v->Campo->isVisible());
        const std::string nueva = "35\xB0 10' 20.5\" S";
        v->Campo->setText(AQString(nueva));
        QTest::mouseClick(v->spSkinXFormButton1, Qt::LeftButton);
        QVERIFY(!v->Campo->isVisible());
        QCOMPARE(v->ModeloGrilla->Celda(2, 1), nueva);
        const std::string x = v->ModeloGrilla->Celda(2, 5);
        QVERIFY(!x.empty());
        v->spSkinXFormButton1->click();
        QCOMPARE(v->ModeloGrilla->Celda(2, 5), x);
    }

    // At the design size the status sentence is shown whole beside the credit panel (unless the
    // face is so wide that even the smallest status font cannot hold it).
    void fraseDeEstadoEntera() {
        auto v = VentanaVisible();
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        QCOMPARE(v.get()->size(), QSize(583, 530));
        const auto necesario = [&] { return QFontMetrics(v->Msg->font()).horizontalAdvance(v->Msg->text()); };
        // Once the status bar is laid out.
        QTRY_VERIFY2(necesario() <= v->Msg->contentsRect().width() || v->Msg->font().pointSizeF() <= 7,
                     qPrintable(QString("%1 > %2").arg(necesario()).arg(v->Msg->contentsRect().width())));
    }
};

// The program's own application object, with its event boundary; its remembered settings go to
// Qt's test location, never the user's.
int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    TAplicacion app(argc, argv);
    TestVentanaUsuario prueba;
    return QTest::qExec(&prueba, argc, argv);
}
#include "test_ventana_usuario.moc"
