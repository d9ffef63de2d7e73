// Under a comma-decimal locale (es_AR) the window still reads and writes '.' once the application
// object exists: the worked point converts to the same texts.
#include <QLocale>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include "ventana_prueba.h"

class TestLocale : public QObject {
    Q_OBJECT
    TBanco b;

  private slots:
    void init() {
        if (!localeComa) QSKIP("the es_AR.UTF-8 locale is not installed");
        QVERIFY(b.Abrir());
    }
    void cleanup() { b.Cerrar(); }

    void numerosConPunto() {
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral("."));
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral("."));
        Tipear(b.v->Elat, "34\xB0 36' 12.5\" S");
        Tipear(b.v->ELon, "58\xB0 22' 54\" W");
        Tipear(b.v->EAlt, "1.5");
        Salir(b.v->EAlt);
        QCOMPARE(b.v->GKPx->text(), QStringLiteral("6170494.489"));
        QCOMPARE(b.v->GKPy->text(), QStringLiteral("6373260.3471"));
        QCOMPARE(b.v->cpY->text(), QStringLiteral("373311.043"));
        QCOMPARE(b.v->SLat->text(), Q("34\xB0 36' 14.10836\" S"));
        QCOMPARE(b.v->SAlt->text(), QStringLiteral("-9.7997"));
        QCOMPARE(b.v->GKIx->text(), QStringLiteral("6170708.1474"));
        QVERIFY(b.errores.empty());
        QCOMPARE(b.pitidos, 0);
    }

  public:
    bool localeComa = false;
};

int main(int argc, char **argv) {
    // The user's regional settings: Argentina, with ',' as the decimal separator.
    setenv("LC_ALL", "es_AR.UTF-8", 1);
    setenv("LANG", "es_AR.UTF-8", 1);
    const bool hay = std::setlocale(LC_ALL, "es_AR.UTF-8") != nullptr &&
                     std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    TAplicacion app(argc, argv);
    TestLocale prueba;
    prueba.localeComa = hay;
    return QTest::qExec(&prueba, argc, argv);
}

#include "test_conversion_locale.moc"
