// Copying to the clipboard: grid cells with Ctrl+C and the grid's "Copiar" menu, as a spreadsheet
// pastes them; the read-only result fields of "Conversión" with Ctrl+C and their own menu.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTabWidget>

#include "ventana_prueba.h"
#include "grilla_modelo.h"
#include "grilla_vista.h"
#include "lectura.h"

namespace {

// Selects the given cells of the grid (row, column pairs), the last one current.
void Seleccionar(TVistaGrilla &g, const QList<QPoint> &celdas) {
    g.selectionModel()->clearSelection();
    for (const QPoint &c : celdas)
        g.selectionModel()->setCurrentIndex(g.model()->index(c.x(), c.y()), QItemSelectionModel::Select);
}

}  // namespace

class TestPortapapeles : public QObject {
    Q_OBJECT
    TBanco b;

    TVistaGrilla &Grilla() { return *qobject_cast<TVistaGrilla *>(b.v->Grilla); }

    // Titles as the window writes them, two points, one holding a tab and a line end.
    void LlenarGrilla() {
        TModeloGrilla &m = *b.v->ModeloGrilla;
        m.FijarFilas(4);
        m.FijarCelda(2, 0, Negrita("1"));
        m.FijarCelda(2, 1, "34\xB0 36' 12.5\" S");
        m.FijarCelda(2, 2, "58\xB0 22' 54\" W");
        m.FijarCelda(2, 5, "6170494.489");
        m.FijarCelda(3, 0, "PF\t12");
        m.FijarCelda(3, 1, "-34.5\r\n");
        m.FijarCelda(3, 2, "-58.4");
    }

  private slots:
    void init() {
        QVERIFY(b.Abrir());
        b.v->spSPC->setCurrentWidget(b.v->TSTransf);
        LlenarGrilla();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { b.Cerrar(); }

    void copiarCeldas_data() {
        QTest::addColumn<QList<QPoint>>("celdas");
        QTest::addColumn<QString>("texto");
        QTest::newRow("una celda") << QList<QPoint>{{2, 5}} << QString("6170494.489");
        QTest::newRow("titulos y puntos")
            << QList<QPoint>{{1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}, {3, 0}, {3, 1}, {3, 2}}
            << Q("Punto\tLatitud\tLongitud\n1\t34\xB0 36' 12.5\" S\t58\xB0 22' 54\" W\nPF 12\t-34.5  "
                 "\t-58.4");
        QTest::newRow("celdas sueltas")
            << QList<QPoint>{{2, 1}, {3, 5}} << Q("34\xB0 36' 12.5\" S\t\t\t\t\n\t\t\t\t");
        QTest::newRow("titulo unido") << QList<QPoint>{{0, 1}}
                                      << Q("Coordenadas Geogr\xE1"
                                           "ficas");
    }
    // Ctrl+C on the grid: the block of the selection, one line per row, tab-separated.
    void copiarCeldas() {
        QFETCH(QList<QPoint>, celdas);
        QFETCH(QString, texto);
        Seleccionar(Grilla(), celdas);
        Grilla().setFocus();
        QTest::keySequence(&Grilla(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), texto);
    }

    // A right click on the data or on the fixed titles opens the menu; its "Copiar" copies.
    void menuCopiar() {
        TVistaGrilla &g = Grilla();
        for (QTableView *vista : {static_cast<QTableView *>(&g), g.Titulos()}) {
            Seleccionar(g, {{1, 1}, {1, 2}});
            QGuiApplication::clipboard()->clear();
            const QPoint lugar = vista->visualRect(g.model()->index(1, 1)).center();
            QContextMenuEvent clic(QContextMenuEvent::Mouse, lugar, vista->viewport()->mapToGlobal(lugar));
            QCoreApplication::sendEvent(vista->viewport(), &clic);
            QTRY_VERIFY(g.MenuContextual()->isVisible());
            QCOMPARE(g.MenuContextual()->actions().value(0), g.AccionCopiar());
            QCOMPARE(g.AccionCopiar()->text(), QString("Copiar"));
            g.AccionCopiar()->trigger();
            g.MenuContextual()->hide();
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("Latitud\tLongitud"));
        }
    }

    // After a conversion the read-only fields of the other groups give their text to Ctrl+C and to
    // their own menu's copy entry (Spanish).
    void camposDeResultado() {
        b.v->spSPC->setCurrentWidget(b.v->TSConv);
        Tipear(b.v->Elat, "34\xB0 36' 12.5\" S");
        Tipear(b.v->ELon, "58\xB0 22' 54\" W");
        b.v->EAlt->setFocus();
        Salir(b.v->EAlt);
        for (QLineEdit *campo : {b.v->GKPx, b.v->cpZ, b.v->SLat, b.v->GKIf}) {
            QVERIFY2(campo->isReadOnly() && campo->isEnabled() && !campo->text().isEmpty(),
                     qPrintable(campo->objectName()));
            QGuiApplication::clipboard()->clear();
            QTest::mouseClick(campo, Qt::LeftButton);
            QTest::keySequence(campo, QKeySequence::SelectAll);
            QTest::keySequence(campo, QKeySequence::Copy);
            QCOMPARE(QGuiApplication::clipboard()->text(), campo->text());

            QGuiApplication::clipboard()->clear();
            std::unique_ptr<QMenu> menu(campo->createStandardContextMenu());
            QAction *copiar = nullptr;
            for (QAction *a : menu->actions())
                if (a->text().remove('&').startsWith("Copiar")) copiar = a;
            QVERIFY2(copiar && copiar->isEnabled(), qPrintable(campo->objectName()));
            copiar->trigger();
            QCOMPARE(QGuiApplication::clipboard()->text(), campo->text());
        }
        QVERIFY(b.errores.empty());
    }
};

ZUVELO_TEST_MAIN(TestPortapapeles)
#include "test_portapapeles.moc"
