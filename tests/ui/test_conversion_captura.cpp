// Pictures of the window after a conversion and of the About page, written under the build folder
// (capturas/) so that anyone can look at what a user sees.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTabWidget>
#include "ventana_prueba.h"

class TestCaptura : public QObject {
    Q_OBJECT
    TBanco b;

    void Guardar(QWidget *w, const char *nombre) {
        QDir().mkpath(QStringLiteral(CAPTURAS_DIR));
        const QString ruta = QStringLiteral(CAPTURAS_DIR "/") + QString::fromLatin1(nombre);
        const QPixmap foto = w->grab();
        QVERIFY(foto.save(ruta));
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
        for (int g = 1; g <= kGruposConversion; ++g)
            for (int i = 0; i < 3; ++i) {
                QLineEdit *c = b.v->CampoGrupo(g, i);
                QVERIFY2(c->fontMetrics().horizontalAdvance(c->text()) < c->width() - 6,
                         qPrintable(c->objectName()));
            }
        // The credit line fits its fixed panel (the status sentence may be cut at the design width
        // with a wide font; it shows whole in a wider window).
        QVERIFY(b.v->Autor->fontMetrics().horizontalAdvance(b.v->Autor->text()) <=
                b.v->Autor->contentsRect().width());
        // The POSGAR 2007 row adds one group's height to the design's 445.
        QVERIFY(b.v.get()->minimumSizeHint().width() <= 583);
        QVERIFY(b.v.get()->minimumSizeHint().height() <= 530);
        Guardar(b.v.get(), "conversion.png");
    }

    // A point typed on POSGAR 2007, every group filled; the tooltip of a group on another frame.
    void ventanaPosgar2007() {
        QTest::mouseClick(b.v->spSkinCheckRadioBox3, Qt::LeftButton);
        Tipear(b.v->G07Lat, "34\xB0 36' 12.5\" S");
        Tipear(b.v->G07Lon, "58\xB0 22' 54\" W");
        Tipear(b.v->G07Alt, "25");
        QTest::keyClick(b.v->G07Alt, Qt::Key_Return);
        QCOMPARE(b.v->GK07x->text(), QStringLiteral("6170494.489"));
        for (int g = 1; g <= kGruposConversion; ++g)
            for (int i = 0; i < 3; ++i)
                QVERIFY2(!b.v->CampoGrupo(g, i)->text().isEmpty(), qPrintable(QString::number(g)));
        Guardar(b.v.get(), "conversion_posgar2007.png");
    }

    // The About page shows the name and version, and the drawn logo and strips banner.
    void paginaAcercaDe() {
        b.v->spSPC->setCurrentWidget(b.v->AcercaDe);
        Guardar(b.v.get(), "acerca.png");
        QCOMPARE(Hallar<QLabel>(*b.v->AcercaDe, "lbNombre")->text(), QStringLiteral("Zuvelo II"));
        QCOMPARE(Hallar<QLabel>(*b.v->AcercaDe, "lbVersion")->text(), Q("Versi\xF3n 3.2"));
        for (const char *dibujo : {"Logo", "Banda"}) {
            QWidget *w = Hallar<QWidget>(*b.v->AcercaDe, dibujo);
            QVERIFY2(w->isVisible(), dibujo);
            const QImage imagen = w->grab().toImage();
            // Drawn, not an empty patch: the centre's colour differs from the corner's.
            QVERIFY2(imagen.pixelColor(imagen.rect().center()) != imagen.pixelColor(1, 1), dibujo);
        }
    }

    void ventanaAgrandada() {
        b.v.get()->resize(820, 690);
        QVERIFY(b.v->spSPC->width() > 780);
        QVERIFY(b.v->Memo->height() > 150);
        Guardar(b.v.get(), "conversion_grande.png");
    }
};

ZUVELO_TEST_MAIN(TestCaptura)
#include "test_conversion_captura.moc"
