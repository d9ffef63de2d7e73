// The seven conversions of the "Conversión" tab on the worked Buenos Aires point, and their refusals.
// Expected texts: the worked point (34° 36' 12.5" S, 58° 22' 54" W on POSGAR 94) and, for the other
// directions, PROJ 9.1 (cct: tmerc/utm on WGS 84 and International 1924, three-parameter Helmert
// -148, 136, 90 between them; to and from POSGAR 2007, proj_create_crs_to_crs between the EPSG
// systems promoted to 3D, UTM built on EPSG:4694) written in the program's text forms. Where PROJ's value
// lies within 0.1 of the last printed digit from a rounding boundary, the last digit may go either way and is
// compared within one unit.
#include <QRadioButton>
#include <cmath>
#include "Validate.h"
#include "ventana_prueba.h"

namespace {

struct TEsperado {
    const char *nombre;  // field
    const char *texto;   // Windows-1252
    bool unaUnidad;      // last digit within one unit
};

const char *const kLat = "34\xB0 36' 12.5\" S";
const char *const kLon = "58\xB0 22' 54\" W";
const char *const kLatI = "34\xB0 36' 14.10836\" S";
const char *const kLonI = "58\xB0 22' 51.85202\" W";

// Splits "D° M' S" H" into the text before the seconds, the seconds, and the hemisphere.
bool PartesDMS(const QString &t, QString &prefijo, double &seg, QString &hemisferio) {
    const int ap = t.indexOf(QLatin1Char('\''));
    const int comilla = t.indexOf(QLatin1Char('"'));
    if (ap < 0 || comilla < ap) return false;
    prefijo = t.left(ap + 1);
    bool ok = false;
    seg = t.mid(ap + 1, comilla - ap - 1).trimmed().toDouble(&ok);
    hemisferio = t.mid(comilla);
    return ok;
}

bool Coincide(const QString &real, const TEsperado &e) {
    const QString esperado = AQString(e.texto);
    if (!e.unaUnidad) return real == esperado;
    QString p1, p2, h1, h2;
    double s1 = 0, s2 = 0;
    if (PartesDMS(esperado, p1, s1, h1))
        return PartesDMS(real, p2, s2, h2) && p1 == p2 && h1 == h2 && std::fabs(s1 - s2) <= 1.01e-5;
    bool ok = false;
    const double r = real.toDouble(&ok);
    return ok && std::fabs(r - esperado.toDouble()) <= 1.01e-4;
}

const TEsperado kDesdeG1[] = {
    {"GKPx", "6170494.489", false},
    {"GKPy", "6373260.3471", false},
    {"GKPf", "6", false},
    {"cpX", "6170061.3482", false},
    {"cpY", "373311.043", false},
    {"cpZ", "21 S", false},
    {"SLat", kLatI, false},
    {"SLon", kLonI, false},
    {"SAlt", "-9.7997", false},
    {"GKIx", "6170708.1474", false},
    {"GKIy", "6373310.1963", false},
    {"GKIf", "6", false},
    {"G07Lat", "34\xB0 36' 12.47947\" S", false},
    {"G07Lon", "58\xB0 22' 53.99576\" W", false},
    {"G07Alt", "1.8006", false},
    {"GK07x", "6170495.1232", false},
    {"GK07y", "6373260.4465", true},
    {"GK07f", "6", false},
};
const TEsperado kDesdeG2[] = {
    {"Elat", kLat, false},          {"ELon", kLon, false},           {"EAlt", "1.5", false},
    {"cpX", "6170061.3482", false}, {"cpY", "373311.043", false},    {"cpZ", "21 S", false},
    {"SLat", kLatI, false},         {"SLon", kLonI, false},          {"SAlt", "-9.7997", false},
    {"GKIx", "6170708.1473", true}, {"GKIy", "6373310.1962", false}, {"GKIf", "6", false},
};
const TEsperado kDesdeG3[] = {
    {"Elat", kLat, false},           {"ELon", kLon, false},           {"EAlt", "1.5", false},
    {"GKPx", "6170494.489", false},  {"GKPy", "6373260.3471", false}, {"GKPf", "6", false},
    {"SLat", kLatI, false},          {"SLon", kLonI, false},          {"SAlt", "-9.7997", false},
    {"GKIx", "6170708.1474", false}, {"GKIy", "6373310.1963", false}, {"GKIf", "6", false},
};
const TEsperado kDesdeG4[] = {
    {"GKIx", "6170708.1473", false}, {"GKIy", "6373310.1962", false}, {"GKIf", "6", false},
    {"Elat", kLat, false},           {"ELon", kLon, false},           {"EAlt", "1.5", false},
    {"GKPx", "6170494.489", false},  {"GKPy", "6373260.3471", false}, {"GKPf", "6", false},
    {"cpX", "6170061.3482", true},   {"cpY", "373311.0429", true},    {"cpZ", "21 S", false},
};
const TEsperado kDesdeG5[] = {
    {"SLat", kLatI, false},
    {"SLon", kLonI, false},
    {"SAlt", "1.5", false},
    {"Elat", kLat, false},
    {"ELon", "58\xB0 22' 53.99999\" W", true},
    {"EAlt", "12.7997", false},
    {"GKPx", "6170494.489", false},
    {"GKPy", "6373260.3473", false},
    {"GKPf", "6", false},
    {"cpX", "6170061.3482", true},
    {"cpY", "373311.0431", false},
    {"cpZ", "21 S", false},
};

// A point typed on POSGAR 2007: the same texts as the worked point, geographic (group 6) and in strip
// 6 (group 7).
const char *const kLat94 = "34\xB0 36' 12.52053\" S";
const char *const kLon94 = "58\xB0 22' 54.00424\" W";
const TEsperado kDesdeG6[] = {
    {"GK07x", "6170494.489", false}, {"GK07y", "6373260.3471", false}, {"GK07f", "6", false},
    {"Elat", kLat94, false},         {"ELon", kLon94, false},          {"EAlt", "1.1994", false},
    {"GKPx", "6170493.8549", false}, {"GKPy", "6373260.2478", false},  {"GKPf", "6", false},
    {"cpX", "6170060.7143", false},  {"cpY", "373310.9437", false},    {"cpZ", "21 S", false},
    {"SLat", kLatI, false},          {"SLon", kLonI, false},           {"SAlt", "-9.7997", false},
    {"GKIx", "6170708.1474", false}, {"GKIy", "6373310.1963", false},  {"GKIf", "6", false},
};
const TEsperado kDesdeG7[] = {
    {"G07Lat", kLat, false},        {"G07Lon", kLon, false},         {"G07Alt", "1.5", false},
    {"Elat", kLat94, false},        {"ELon", kLon94, false},         {"EAlt", "1.1994", false},
    {"GKPx", "6170493.8548", true}, {"GKPy", "6373260.2478", false}, {"GKPf", "6", false},
    {"cpX", "6170060.7143", false}, {"cpY", "373310.9437", false},   {"cpZ", "21 S", false},
    {"SLat", kLatI, false},         {"SLon", kLonI, false},          {"SAlt", "-9.7997", false},
    {"GKIx", "6170708.1473", true}, {"GKIy", "6373310.1962", false}, {"GKIf", "6", false},
};

const char *const kTituloP = "Gauss Kr\xFCger (POSGAR):";
const char *const kTituloI = "Gauss Kr\xFCger (C.Inchaupe):";

}  // namespace

class TestAcciones : public QObject {
    Q_OBJECT
    TBanco b;

    QLineEdit *C(const char *nombre) {
        return b.v.get()->findChild<QLineEdit *>(QString::fromLatin1(nombre));
    }

    template <std::size_t N>
    void Comprobar(const TEsperado (&esperados)[N]) {
        for (const TEsperado &e : esperados) {
            const QString real = C(e.nombre)->text();
            QVERIFY2(Coincide(real, e),
                     qPrintable(QStringLiteral("%1: %2, esperado %3")
                                    .arg(QLatin1String(e.nombre), real, AQString(e.texto))));
        }
    }
    QStringList BloqueP() {
        return {Q(kTituloP), b.v->GKPy->text() + QLatin1Char(',') + b.v->GKPx->text(), b.v->GKPf->text()};
    }
    QStringList BloqueI() {
        return {Q(kTituloI), b.v->GKIy->text() + QLatin1Char(',') + b.v->GKIx->text(), b.v->GKIf->text()};
    }
    void PuntoGeograficoPosgar() {
        Tipear(b.v->Elat, kLat);
        Tipear(b.v->ELon, kLon);
        b.v->EAlt->setFocus();
        Salir(b.v->EAlt);
    }

  private slots:
    void init() { QVERIFY(b.Abrir()); }
    void cleanup() { b.Cerrar(); }

    void desdeGeograficasPosgar() {
        PuntoGeograficoPosgar();  // EAlt empty: the height is taken as 1.5 m
        Comprobar(kDesdeG1);
        QCOMPARE(b.v->Elat->text(), Q(kLat));
        QCOMPARE(b.v->EAlt->text(), QString());
        QCOMPARE(b.MemoLineas(),
                 QStringList({Q(kTituloP), QStringLiteral("6373260.3471,6170494.489"), QStringLiteral("6"),
                              QStringLiteral("----"), Q(kTituloI),
                              QStringLiteral("6373310.1963,6170708.1474"), QStringLiteral("6")}));
        // Writing the computed angles passed the field check.
        QCOMPARE(b.v->Msg->text(), Q("Conversi\xF3n de Coordenadas exclusivo para la Rep\xFA"
                                     "blica Argentina"));
        QVERIFY(b.Mensajes().empty());
        QVERIFY(b.errores.empty());
        QCOMPARE(b.pitidos, 0);
    }

    void enterEnEAltConvierte() {
        Tipear(b.v->Elat, kLat);
        Tipear(b.v->ELon, kLon);
        Tipear(b.v->EAlt, "25");
        QTest::keyClick(b.v->EAlt, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b.v->GKPx);
        QCOMPARE(b.v->GKPx->text(), QStringLiteral("6170494.489"));
        QCOMPARE(b.MemoLineas().size(), 7);
    }

    void desdeGaussKrugerPosgar() {
        ClickTick(b.v->cGKgrp);
        Tipear(b.v->GKPx, "6170494.489");
        Tipear(b.v->GKPy, "6373260.3471");
        Tipear(b.v->GKPf, "9");  // the strip comes from Y whatever is typed
        Salir(b.v->GKPf);
        QCOMPARE(b.v->GKPf->text(), QStringLiteral("6"));
        Comprobar(kDesdeG2);
        QCOMPARE(b.MemoLineas(), BloqueI());
        QCOMPARE(b.MemoLineas()[1], b.v->GKIy->text() + QStringLiteral(",") + b.v->GKIx->text());
        QVERIFY(b.errores.empty());
    }

    void desdeUTM() {
        ClickTick(b.v->cUTMgrp);
        Tipear(b.v->cpX, "6170061.3482");
        Tipear(b.v->cpY, "373311.043");
        Tipear(b.v->cpZ, "21 S");
        Salir(b.v->cpZ);
        Comprobar(kDesdeG3);
        QCOMPARE(b.MemoLineas(), BloqueP() + QStringList{QStringLiteral("----")} + BloqueI());
        QCOMPARE(b.MemoLineas()[1], QStringLiteral("6373260.3471,6170494.489"));
    }

    void desdeGeograficasInchauspe() {
        QTest::mouseClick(b.v->spSkinCheckRadioBox2, Qt::LeftButton);
        Tipear(b.v->SLat, kLatI);
        Tipear(b.v->SLon, kLonI);
        Tipear(b.v->SAlt, "-9.7997");
        Salir(b.v->SAlt);
        Comprobar(kDesdeG4);
        QCOMPARE(b.MemoLineas(), BloqueI() + QStringList{QStringLiteral("----")} + BloqueP());
        QCOMPARE(b.v->SLat->text(), Q(kLatI));
        QCOMPARE(b.v->Msg->text(), Q("Conversi\xF3n de Coordenadas exclusivo para la Rep\xFA"
                                     "blica Argentina"));
    }

    void desdeGaussKrugerInchauspe() {
        QTest::mouseClick(b.v->spSkinCheckRadioBox2, Qt::LeftButton);
        ClickTick(b.v->cGKIgrp);
        QVERIFY(b.v->cGKIgrp->isChecked());
        Tipear(b.v->GKIx, "6170708.1474");
        Tipear(b.v->GKIy, "6373310.1963");
        Salir(b.v->GKIy);
        QCOMPARE(b.v->GKIf->text(), QStringLiteral("6"));
        Comprobar(kDesdeG5);
        QCOMPARE(b.MemoLineas(), BloqueP());
    }

    // A point typed on POSGAR 2007 reaches every group; each group on another frame names the shift
    // that gave it and the shift's stated accuracy; the memo leads with the POSGAR 2007 block.
    void desdeGeograficasPosgar2007() {
        QTest::mouseClick(b.v->spSkinCheckRadioBox3, Qt::LeftButton);
        QVERIFY(b.v->cGEO07grp->isChecked());
        QVERIFY(!b.v->cGEOgrp->isChecked());
        QCOMPARE(QApplication::focusWidget(), b.v->G07Lat);
        Tipear(b.v->G07Lat, kLat);
        Tipear(b.v->G07Lon, kLon);
        b.v->G07Alt->setFocus();
        Salir(b.v->G07Alt);
        Comprobar(kDesdeG6);
        const QStringList bloqueN = {Q("Gauss Kr\xFCger (POSGAR 2007):"),
                                     b.v->GK07y->text() + QLatin1Char(',') + b.v->GK07x->text(),
                                     b.v->GK07f->text()};
        QCOMPARE(b.MemoLineas(), bloqueN + QStringList{QStringLiteral("----")} + BloqueP() +
                                     QStringList{QStringLiteral("----")} + BloqueI());
        for (QGroupBox *g : {b.v->cGEOgrp, b.v->cGKgrp, b.v->cUTMgrp}) {
            QVERIFY2(g->toolTip().contains(QStringLiteral("POSGAR 2007 to WGS 84 (2)")),
                     qPrintable(g->toolTip()));
            QVERIFY2(g->toolTip().contains(QStringLiteral("exactitud declarada 1.5 m")),
                     qPrintable(g->toolTip()));
        }
        for (QGroupBox *g : {b.v->cGEOIgrp, b.v->cGKIgrp}) {
            QVERIFY2(g->toolTip().contains(QStringLiteral("EPSG:5350")), qPrintable(g->toolTip()));
            QVERIFY2(g->toolTip().contains(QStringLiteral("exactitud declarada 5 m")),
                     qPrintable(g->toolTip()));
        }
        QCOMPARE(b.v->cGK07grp->toolTip(), QString());  // same frame: no shift
        QVERIFY(b.Mensajes().empty());
        QVERIFY(b.errores.empty());
        QCOMPARE(b.pitidos, 0);
    }

    void desdeGaussKrugerPosgar2007() {
        QTest::mouseClick(b.v->spSkinCheckRadioBox3, Qt::LeftButton);
        ClickTick(b.v->cGK07grp);
        QVERIFY(b.v->cGK07grp->isChecked());
        QVERIFY(!b.v->cGEO07grp->isChecked());
        Tipear(b.v->GK07x, "6170494.489");
        Tipear(b.v->GK07y, "6373260.3471");
        Salir(b.v->GK07y);
        QCOMPARE(b.v->GK07f->text(), QStringLiteral("6"));
        Comprobar(kDesdeG7);
        QCOMPARE(b.MemoLineas(), BloqueP() + QStringList{QStringLiteral("----")} + BloqueI());
        QVERIFY(b.errores.empty());
    }

    // Ticking a POSGAR 2007 group while another frame is chosen is undone at once.
    void grupoDe2007ConOtroMarcoNoSeTilda() {
        ClickTick(b.v->cGK07grp);
        QVERIFY(!b.v->cGK07grp->isChecked());
        QVERIFY(b.v->cGEOgrp->isChecked());
    }

    void gkSinNorteNoConvierteYLaFajaRepite() {
        ClickTick(b.v->cGKgrp);
        Tipear(b.v->GKPy, "6373260.3471");
        Salir(b.v->GKPy);
        QVERIFY(b.v->Elat->text().isEmpty());
        QCOMPARE(b.v->GKPf->text(), QStringLiteral("6"));
        QCOMPARE(b.v->Memo->toPlainText(), QString());
        QCOMPARE(b.Mensajes().back().texto, Q("No se puede convertir: X vac\xED"
                                              "a."));
        Tipear(b.v->GKPx, "6170494.489");
        b.v->GKPy->setFocus();
        Salir(b.v->GKPy);
        QCOMPARE(b.v->Elat->text(), Q(kLat));
        // Leaving the strip field converts again, with the same result.
        b.v->Elat->setText(QString());
        b.v->GKPf->setFocus();
        Salir(b.v->GKPf);
        QCOMPARE(b.v->Elat->text(), Q(kLat));
        QCOMPARE(b.MemoLineas().size(), 3);
    }

    void fajaDesdeElPrimerDigitoDeY() {
        ClickTick(b.v->cGKgrp);
        Tipear(b.v->GKPx, "6170494.489");
        Tipear(b.v->GKPf, "7");
        Tipear(b.v->GKPy, "4512345.678");
        Salir(b.v->GKPy);
        QCOMPARE(b.v->GKPf->text(), QStringLiteral("4"));
        QCOMPARE(b.MemoLineas().size(), 3);
    }

    void zonaUTMConHemisferioSinNumeroOCero() {
        ClickTick(b.v->cUTMgrp);
        Tipear(b.v->cpX, "6170061.3482");
        Tipear(b.v->cpY, "373311.043");
        for (const char *zona : {"S20", "0", "  ", "61"}) {
            b.v->cpZ->setText(QString::fromLatin1(zona));
            b.v->cpZ->setFocus();
            Salir(b.v->cpZ);
            QVERIFY2(b.v->Elat->text().isEmpty(), zona);
            QCOMPARE(b.v->Memo->toPlainText(), QString());
        }
        b.v->cpZ->setText(QStringLiteral("20 S"));
        b.v->cpZ->setFocus();
        Salir(b.v->cpZ);
        // Zone 20 (central meridian 63° W): PROJ gives 34° 36' 12.5" S, 64° 22' 54" W, strip 4.
        QCOMPARE(b.v->Elat->text(), Q(kLat));
        QCOMPARE(b.v->ELon->text(), Q("64\xB0 22' 54\" W"));
        QCOMPARE(b.v->GKPy->text(), QStringLiteral("4373260.3471"));
        QCOMPARE(b.v->cpZ->text(), QStringLiteral("20 S"));
        QVERIFY(b.errores.empty());
    }

    // A refused input empties every other group and the memo, says why in one message and shows
    // "Error": no result of the previous point stays beside it.
    void entradaRechazadaVaciaLosDemasGrupos_data() {
        QTest::addColumn<int>("grupo");
        QTest::addColumn<QString>("c1");
        QTest::addColumn<QString>("c2");
        QTest::addColumn<QString>("c3");
        QTest::addColumn<QString>("mensaje");
        const auto fila = [](const char *nombre, int g, const char *a, const char *o, const char *h,
                             const char *m) { QTest::newRow(nombre) << g << Q(a) << Q(o) << Q(h) << Q(m); };
        fila("latitud 95", 1, "95\xB0 S", kLon, "", "latitud '95\xB0 S' mayor que 90\xB0");
        fila("un solo digito", 1, "3", kLon, "",
             "latitud '3' no est\xE1 en grados, minutos y segundos (falta el signo \xB0)");
        fila("sin hemisferio", 1, "34\xB0 36' ", kLon, "",
             "latitud '34\xB0 36' ' no tiene la letra del hemisferio (S o N)");
        fila("sin hemisferio con segundos", 1, "34\xB0 36' 12.34\" ", kLon, "",
             "latitud '34\xB0 36' 12.34\" ' no tiene la letra del hemisferio (S o N)");
        fila("minutos 75", 1, "34\xB0 75' 99\" S", kLon, "",
             "latitud '34\xB0 75' 99\" S': minutos mayores que 59");
        fila("longitud 582", 1, kLat, "582\xB0 25' 4\" W", "",
             "longitud '582\xB0 25' 4\" W' mayor que 180\xB0");
        fila("latitud vacia", 1, "", kLon, "",
             "latitud vac\xED"
             "a");
        fila("altura abc", 1, kLat, kLon, "abc", "altura 'abc' no es un n\xFAmero");
        fila("altura 2a5,5", 1, kLat, kLon, "2a5,5", "altura '2a5,5' no es un n\xFAmero");
        fila("altura con coma", 1, kLat, kLon, "7,25", "altura '7,25' tiene coma decimal: use el punto '.'");
        fila("GK con coma", 2, "6170000,5", "6373260.3471", "",
             "X '6170000,5' tiene coma decimal: use el punto '.'");
        fila("GK sin faja", 2, "6170494.489", "373260.3471", "",
             "Y '373260.3471' no tiene el d\xEDgito de la faja: la Y Gauss-Kr\xFCger empieza por su faja 1 a 7 "
             "(como Este UTM cabr\xED"
             "a)");
        fila("UTM zona S20", 3, "6170061.3482", "373311.043", "S20", "zona 'S20' no es un n\xFAmero de zona");
        fila("UTM zona 0", 3, "6170061.3482", "373311.043", "0", "zona 0 fuera de 1 a 60");
        fila("UTM demasiados digitos", 3, "6170061.3482", "373311.043", "99999999999",
             "zona '99999999999' fuera de 1 a 60");
    }
    void entradaRechazadaVaciaLosDemasGrupos() {
        QFETCH(int, grupo);
        QFETCH(QString, c1);
        QFETCH(QString, c2);
        QFETCH(QString, c3);
        QFETCH(QString, mensaje);
        PuntoGeograficoPosgar();
        if (grupo != 1) ClickTick(b.v->Grupo(grupo));
        const std::size_t antes = b.Mensajes().size();
        QLineEdit *f[3] = {b.v->CampoGrupo(grupo, 0), b.v->CampoGrupo(grupo, 1), b.v->CampoGrupo(grupo, 2)};
        if (grupo == 1) {
            // The previous point's results stand in the other groups.
            QVERIFY(!b.v->GKPx->text().isEmpty());
        }
        const auto poner = [](QLineEdit *campo, const QString &texto) {
            campo->setFocus();
            campo->selectAll();
            campo->insert(texto);
        };
        poner(f[0], c1);
        poner(f[1], c2);
        if (grupo != 2) poner(f[2], c3);
        f[grupo == 2 ? 1 : 2]->setFocus();
        Salir(f[grupo == 2 ? 1 : 2]);
        for (int g = 1; g <= 5; ++g)
            for (int i = 0; g != grupo && i < 3; ++i)
                QVERIFY2(b.v->CampoGrupo(g, i)->text().isEmpty(),
                         qPrintable(b.v->CampoGrupo(g, i)->objectName()));
        QCOMPARE(b.v->Memo->toPlainText(), QString());
        QCOMPARE(b.Mensajes().size(), antes + 1);
        QCOMPARE(b.Mensajes().back().texto,
                 QStringLiteral("No se puede convertir: ") + mensaje + QLatin1Char('.'));
        QCOMPARE(b.v->Msg->text(), QStringLiteral("Error"));
        QVERIFY(b.errores.empty());
        QCOMPARE(f[0]->text(), c1);  // the input group keeps what was typed
    }

    // A point west of the Gauss-Krüger strips still converts to UTM and geographic; the strips stay
    // empty and one message says why.
    void fueraDeLasFajasSoloVaciaGaussKruger() {
        Tipear(b.v->Elat, "45\xB0 S");
        Tipear(b.v->ELon, "77\xB0 W");
        b.v->EAlt->setFocus();
        Salir(b.v->EAlt);
        QVERIFY(b.v->GKPx->text().isEmpty());
        QVERIFY(b.v->GKIx->text().isEmpty());
        QCOMPARE(b.v->cpZ->text(), QStringLiteral("18 S"));
        QVERIFY(!b.v->SLat->text().isEmpty());
        QCOMPARE(b.Mensajes().size(), std::size_t(1));
        QVERIFY2(b.Mensajes()[0].texto.startsWith(
                     Q("Sin resultado en Gauss-Kr\xFCger POSGAR 94, Gauss-Kr\xFCger Campo Inchauspe 69")),
                 qPrintable(b.Mensajes()[0].texto));
    }

    void unaExcepcionDeUnEventoLlegaAlManejador() {
        // Any exception raised while an event is handled stops at the application's boundary.
        struct TLanza : QObject {
            bool event(QEvent *e) override {
                if (e->type() == QEvent::User) throw std::runtime_error("fallo de prueba");
                return QObject::event(e);
            }
        } lanza;
        QEvent e(QEvent::User);
        QApplication::sendEvent(&lanza, &e);
        QCOMPARE(b.errores.size(), std::size_t(1));
        QCOMPARE(b.errores[0], QStringLiteral("fallo de prueba"));
    }
};

ZUVELO_TEST_MAIN(TestAcciones)
#include "test_conversion_acciones.moc"
