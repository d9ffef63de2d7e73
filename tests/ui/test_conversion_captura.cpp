// Pictures of the window after a conversion and of the About page, written under the build folder
// (capturas/) so that anyone can look at what a user sees.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTabWidget>
#include "conversion_prueba.h"

class TestCaptura : public QObject {
    Q_OBJECT
    TBanco b;

    void Guardar(QWidget *w, const char *nombre) {
        QDir().mkpath(QStringLiteral(ZUVELO_CAPTURAS));
        const QString ruta = QStringLiteral(ZUVELO_CAPTURAS "/") + QString::fromLatin1(nombre);
        const QPixmap foto = w->grab();
        QVERIFY(foto.save(ruta));
        const QImage leida(ruta);
        QCOMPARE(leida.size(), foto.size());
        qInfo("%s", qPrintable(ruta));
    }

  private slots:
    void init() { QVERIFY(b.Abrir()); }
    void cleanup() { b.Cerrar(); }

    void ventanaTrasUnaConversion() {
        Tipear(b.v->Elat, "34\xB0 36' 12.5\" S");
        Tipear(b.v->ELon, "58\xB0 22' 54\" W");
        b.v->EAlt->setFocus();
        QTest::keyClick(b.v->EAlt, Qt::Key_Return);
        QCOMPARE(b.v->GKIx->text(), QStringLiteral("6170708.1474"));
        // Every field shows its whole text at the design size.
        for (int g = 1; g <= 5; ++g)
            for (int i = 0; i < 3; ++i) {
                QLineEdit *c = b.v->CampoGrupo(g, i);
                QVERIFY2(c->fontMetrics().horizontalAdvance(c->text()) < c->width() - 6,
                         qPrintable(c->objectName()));
            }
        // The credit line fits its fixed panel (the status sentence may be cut at the design width
        // with a wide font; it shows whole in a wider window).
        QVERIFY(b.v->Autor->fontMetrics().horizontalAdvance(b.v->Autor->text()) <=
                b.v->Autor->contentsRect().width());
        QVERIFY(b.v->minimumSizeHint().width() <= 583);
        QVERIFY(b.v->minimumSizeHint().height() <= 445);
        Guardar(b.v.get(), "conversion.png");
    }

    void paginaAcercaDe() {
        b.v->spSPC->setCurrentWidget(b.v->AcercaDe);
        Guardar(b.v.get(), "acerca.png");
    }

    void ventanaAgrandada() {
        b.v->resize(820, 600);
        QVERIFY(b.v->spSPC->width() > 780);
        QVERIFY(b.v->Memo->height() > 150);
        Guardar(b.v.get(), "conversion_grande.png");
    }
};

ZUVELO_TEST_MAIN(TestCaptura)
#include "test_conversion_captura.moc"
