// The conversion grid: the model under QAbstractItemModelTester, the delegate's look of the markup,
// fixed and banded cells, the title rows that stay while the data scrolls, merged title cells, the
// edit hook and in-place editing.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include "grilla_delegado.h"
#include "grilla_modelo.h"
#include "grilla_vista.h"
#include "texto_qt.h"

namespace {

const std::string kTituloLat = "<p align=\"center\"><b>Latitud</b></p>";

std::vector<TModeloGrilla::TFila> Datos(int n) {
    std::vector<TModeloGrilla::TFila> d(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        d[static_cast<std::size_t>(i)][0] = "<p align=\"center\"><b>" + std::to_string(i + 1) + "</b></p>";
        d[static_cast<std::size_t>(i)][1] = "-34." + std::to_string(i);
    }
    return d;
}

}  // namespace

class TestGrilla : public QObject {
    Q_OBJECT

  private slots:
    void modeloBajoElVerificador() {
        TModeloGrilla m;
        QAbstractItemModelTester verificador(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(m.Filas(), 2);
        m.FijarFilas(15);
        QCOMPARE(m.rowCount(), 15);
        QCOMPARE(m.columnCount(), 9);
        m.FijarCelda(1, 1, kTituloLat);
        m.CargarDatos(Datos(100));
        QCOMPARE(m.Filas(), 102);
        QCOMPARE(m.Celda(1, 1), kTituloLat);  // titles kept
        QCOMPARE(m.Celda(101, 1), std::string("-34.99"));
        m.FijarFilas(5);
        QCOMPARE(m.Filas(), 5);
        m.FijarFilas(0);  // the title rows stay
        QCOMPARE(m.Filas(), 2);
        m.EmpezarCambioMasivo();
        m.FijarFilas(10);
        m.FijarCelda(9, 8, "x");
        m.TerminarCambioMasivo();
        QCOMPARE(m.Celda(9, 8), std::string("x"));
        QVERIFY(m.setData(m.index(3, 2), QStringLiteral("nuevo")));
        QCOMPARE(m.Celda(3, 2), std::string("nuevo"));
        QCOMPARE(m.Celda(50, 50), std::string());  // outside: empty, no crash
    }

    void celdaEmiteDataChanged() {
        TModeloGrilla m;
        m.FijarFilas(4);
        QSignalSpy cambios(&m, &QAbstractItemModel::dataChanged);
        m.FijarCelda(2, 3, "25");
        QCOMPARE(cambios.count(), 1);
        QCOMPARE(cambios[0][0].toModelIndex(), m.index(2, 3));
        m.FijarCelda(2, 3, "25");  // unchanged: no signal
        QCOMPARE(cambios.count(), 1);
        QSignalSpy reinicios(&m, &QAbstractItemModel::modelReset);
        m.EmpezarCambioMasivo();
        for (int c = 5; c < 9; ++c) m.FijarCelda(2, c, "r");
        m.TerminarCambioMasivo();
        QCOMPARE(cambios.count(), 1);
        QCOMPARE(reinicios.count(), 1);
    }

    // Windows-1252 inside, Unicode in the view: the degree sign is byte 176.
    void textoWindows1252() {
        TModeloGrilla m;
        m.FijarFilas(3);
        m.FijarCelda(2, 1, "34\xB0 36' 12.5\" S");
        QCOMPARE(m.data(m.index(2, 1)).toString(), QString::fromUtf8("34\u00B0 36' 12.5\" S"));
        m.setData(m.index(2, 2), QString::fromUtf8("58\u00B0 W"));
        QCOMPARE(m.Celda(2, 2), std::string("58\xB0 W"));
    }

    void soloDatosEditables() {
        TModeloGrilla m;
        m.FijarFilas(4);
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(!(m.flags(m.index(1, 3)) & Qt::ItemIsEditable));
        QVERIFY(!(m.flags(m.index(2, 0)) & Qt::ItemIsEditable));
        QVERIFY(m.flags(m.index(2, 1)) & Qt::ItemIsEditable);
        QVERIFY(m.flags(m.index(3, 8)) & Qt::ItemIsEditable);
    }

    void marcaCentradaYNegrita_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("visto");
        QTest::addColumn<bool>("negrita");
        QTest::addColumn<bool>("centrado");
        QTest::newRow("marca") << AQString(kTituloLat) << "Latitud" << true << true;
        QTest::newRow("sin cierre") << "<p align=\"center\"><b>Latitud"
                                    << "<p align=\"center\"><b>Latitud" << false << false;
        QTest::newRow("texto llano") << "-34.5"
                                     << "-34.5" << false << false;
        QTest::newRow("marca vacia") << "<p align=\"center\"><b></b></p>"
                                     << "" << true << true;
    }
    void marcaCentradaYNegrita() {
        QFETCH(QString, texto);
        QFETCH(QString, visto);
        QFETCH(bool, negrita);
        QFETCH(bool, centrado);
        TModeloGrilla m;
        m.FijarFilas(4);
        m.setData(m.index(2, 1), texto);
        TDelegadoGrilla d;
        const QStyleOptionViewItem o = d.Estilo(m.index(2, 1), QStyleOptionViewItem());
        QCOMPARE(o.text, visto);
        QCOMPARE(o.font.bold(), negrita);
        QCOMPARE(bool(o.displayAlignment & Qt::AlignHCenter), centrado);
        QCOMPARE(m.data(m.index(2, 1)).toString(), texto);  // the model keeps the markup
    }

    void coloresFijosYBandas() {
        TModeloGrilla m;
        m.FijarFilas(6);
        TDelegadoGrilla d;
        const auto fondo = [&](int f, int c) {
            return d.Estilo(m.index(f, c), QStyleOptionViewItem()).backgroundBrush.color();
        };
        QCOMPARE(fondo(0, 3), QColor(214, 223, 247));
        QCOMPARE(fondo(1, 8), QColor(214, 223, 247));
        QCOMPARE(fondo(4, 0), QColor(214, 223, 247));
        QVERIFY(d.Estilo(m.index(4, 0), QStyleOptionViewItem()).font.bold());
        // Consecutive data rows alternate between the band colour and the plain background.
        QVERIFY((fondo(2, 1) == QColor(228, 236, 248)) != (fondo(3, 1) == QColor(228, 236, 248)));
        QCOMPARE(fondo(2, 1), fondo(4, 1));
        QCOMPARE(fondo(3, 1), fondo(5, 1));
    }

    // The bold title drawn in the middle of its cell, not at its left edge.
    void marcaDibujadaAlCentro() {
        TModeloGrilla m;
        m.FijarFilas(4);
        m.FijarCelda(1, 2, "<p align=\"center\"><b>Longitud</b></p>");
        TVistaGrilla v(&m);
        v.resize(700, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QTableView *t = v.Titulos();
        const QRect celda = t->visualRect(m.index(1, 2));
        const QImage img = t->viewport()->grab(celda).toImage();
        int izq = img.width(), der = -1;
        for (int x = 0; x < img.width(); ++x)
            for (int y = 2; y < img.height() - 2; ++y)
                if (qGray(img.pixel(x, y)) < 100) {
                    izq = std::min(izq, x);
                    der = std::max(der, x);
                }
        QVERIFY2(der > izq, "no text drawn");
        const int centro = (izq + der) / 2;
        QVERIFY2(std::abs(centro - celda.width() / 2) <= 4,
                 qPrintable(QString("text centre %1 of %2").arg(centro).arg(celda.width())));
        QVERIFY(izq > 10);
    }

    void medidasYCeldasUnidas() {
        TModeloGrilla m;
        m.FijarFilas(15);
        TVistaGrilla v(&m);
        QVERIFY(v.columnWidth(0) >= 40);  // 40, or what its bold title needs in a wider face
        QCOMPARE(v.Titulos()->columnWidth(0), v.columnWidth(0));
        QCOMPARE(v.columnWidth(1), 120);
        QCOMPARE(v.columnWidth(8), 120);
        QCOMPARE(v.rowHeight(2), 21);
        for (QTableView *t : {static_cast<QTableView *>(&v), v.Titulos()}) {
            QCOMPARE(t->columnSpan(0, 1), 4);
            QCOMPARE(t->columnSpan(0, 5), 4);
        }
        m.CargarDatos(Datos(10));  // a reset keeps the merged cells
        for (QTableView *t : {static_cast<QTableView *>(&v), v.Titulos()}) {
            QCOMPARE(t->columnSpan(0, 1), 4);
            QCOMPARE(t->columnSpan(0, 5), 4);
        }
    }

    // Scrolled to the end of 50000 rows, the two title rows are still what the top shows.
    void titulosFijosAlDesplazar() {
        TModeloGrilla m;
        m.FijarCelda(0, 1, "<p align=\"center\"><b>Coordenadas</b></p>");
        m.FijarCelda(1, 0, "<p align=\"center\"><b>Punto</b></p>");
        m.FijarCelda(1, 1, kTituloLat);
        m.FijarCelda(1, 3, "<p align=\"center\"><b>Altura</b></p>");
        m.CargarDatos(Datos(50000));
        TVistaGrilla v(&m);
        v.resize(560, 280);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.verticalScrollBar()->setValue(v.verticalScrollBar()->maximum());
        QVERIFY(v.verticalScrollBar()->value() > 0);
        QTableView *t = v.Titulos();
        QVERIFY(t->isVisible());
        QCOMPARE(t->geometry().top(), v.viewport()->geometry().top());
        QCOMPARE(t->height(), 42);
        QCOMPARE(t->indexAt(QPoint(60, 5)).row(), 0);
        QCOMPARE(t->indexAt(QPoint(60, 30)).row(), 1);
        QCOMPARE(v.indexAt(QPoint(60, v.viewport()->height() - 3)).row(), 50001);
        // The point column follows the data up and down and stays at the left.
        QTableView *col = v.Columna();
        QCOMPARE(col->verticalScrollBar()->value(), v.verticalScrollBar()->value());
        QCOMPARE(col->indexAt(QPoint(5, v.viewport()->height() - 3)), m.index(50001, 0));
        QCOMPARE(col->width(), v.columnWidth(0));
        QCOMPARE(v.Esquina()->indexAt(QPoint(5, 30)), m.index(1, 0));
        // Horizontal scrolling moves the titles with the data; the point column stays.
        v.horizontalScrollBar()->setValue(200);
        QCOMPARE(t->horizontalScrollBar()->value(), 200);
        QCOMPARE(col->horizontalScrollBar()->value(), 0);
        QCOMPARE(col->indexAt(QPoint(5, 30)).column(), 0);
        QCOMPARE(v.Esquina()->indexAt(QPoint(5, 5)), m.index(0, 0));
        QDir().mkpath(CAPTURAS_DIR);
        QVERIFY(v.grab().save(QString(CAPTURAS_DIR) + "/grilla_desplazada.png"));
        // A cell left of the view comes out from beneath the point column.
        v.scrollTo(m.index(60, 1));
        QVERIFY(v.columnViewportPosition(1) >= v.columnWidth(0));
        // Going to a data row scrolls it out from beneath the titles.
        v.scrollTo(m.index(100, 1));
        QVERIFY(v.rowViewportPosition(100) >= t->height());
        v.setColumnWidth(3, 200);
        QCOMPARE(t->columnWidth(3), 200);
    }

    void ganchoDeEdicion() {
        TModeloGrilla m;
        m.FijarFilas(5);
        m.FijarCelda(2, 1, "-34.5");
        TVistaGrilla v(&m);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        int fila = -1, col = -1;
        std::string texto;
        v.AlEditarCelda = [&](int f, int c, const std::string &t) {
            fila = f, col = c, texto = t;
            return c == 1;  // column 1 is edited by the caller
        };
        v.edit(m.index(2, 1));
        QCOMPARE(fila, 2);
        QCOMPARE(col, 1);
        QCOMPARE(texto, std::string("-34.5"));
        QVERIFY(!v.findChild<QLineEdit *>());
        // Column 3 opens the grid's own editor, which takes any text.
        v.setCurrentIndex(m.index(2, 3));
        v.edit(m.index(2, 3));
        QCOMPARE(col, 3);
        QTRY_VERIFY(v.findChild<QLineEdit *>());
        QLineEdit *editor = v.findChild<QLineEdit *>();
        editor->selectAll();
        QTest::keyClicks(editor, "12.5 m");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m.Celda(2, 3), std::string("12.5 m"));  // the delegate commits on a queued call
        // Title cells open nothing and do not ask.
        col = -1;
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        v.edit(m.index(1, 3));
        QCOMPARE(col, -1);
    }

    void anchoDeColumnaArrastrandoElBorde() {
        TModeloGrilla m;
        m.FijarFilas(5);
        TVistaGrilla v(&m);
        v.resize(700, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QWidget *vp = v.Titulos()->viewport();
        const int borde = v.columnWidth(0) + 120;  // right border of column 1
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(borde, 30));
        QMouseEvent mover(QEvent::MouseMove, QPointF(borde + 50, 30),
                          vp->mapToGlobal(QPointF(borde + 50, 30)), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(vp, &mover);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(borde + 50, 30));
        QCOMPARE(v.columnWidth(1), 170);
        QCOMPARE(v.Titulos()->columnWidth(1), 170);
    }
};

QTEST_MAIN(TestGrilla)
#include "test_carga_grilla.moc"
