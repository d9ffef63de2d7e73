// The tick rules of the seven groups and the three frame buttons of the "Conversión" tab.
#include <QRadioButton>
#include "Validate.h"
#include "ventana_prueba.h"

namespace {
// Fills every field with a marker text and the memo with a line.
void LlenarTodo(const TControles &v) {
    // Without the validator the marker texts stay as written.
    TFormato *formato = Formato;
    Formato = nullptr;
    for (int g = 1; g <= kGruposConversion; ++g)
        for (int i = 0; i < 3; ++i) {
            const bool ro = v.CampoGrupo(g, i)->isReadOnly();
            v.CampoGrupo(g, i)->setReadOnly(false);
            v.CampoGrupo(g, i)->setText(QStringLiteral("%1").arg(g * 10 + i));
            v.CampoGrupo(g, i)->setReadOnly(ro);
        }
    v.Memo->setPlainText(QStringLiteral("memo"));
    Formato = formato;
}
}  // namespace

class TestGrupos : public QObject {
    Q_OBJECT
    TBanco b;

    void CompararCampos(int g, bool llenos, bool soloLectura) {
        for (int i = 0; i < 3; ++i) {
            QLineEdit *c = b.v->CampoGrupo(g, i);
            QCOMPARE(c->text(), llenos ? QStringLiteral("%1").arg(g * 10 + i) : QString());
            QCOMPARE(c->isReadOnly(), soloLectura);
            QVERIFY(c->isEnabled());
        }
    }

  private slots:
    void init() { QVERIFY(b.Abrir()); }
    void cleanup() { b.Cerrar(); }

    void tildarGrupo2ConPosgar() {
        auto &v = *b.v;
        LlenarTodo(v);
        ClickTick(v.cGKgrp);
        QVERIFY(v.cGKgrp->isChecked());
        QVERIFY(!v.cGEOgrp->isChecked());
        QCOMPARE(v.Memo->toPlainText(), QString());
        CompararCampos(1, false, true);
        CompararCampos(2, true, false);
        CompararCampos(3, false, true);
        CompararCampos(4, false, true);
        CompararCampos(5, false, true);
        CompararCampos(6, false, true);
        CompararCampos(7, false, true);
        QCOMPARE(QApplication::focusWidget(), v.GKPx);
        QVERIFY(b.errores.empty());
    }

    void tildarGrupo4ConPosgarSeDeshace() {
        auto &v = *b.v;
        LlenarTodo(v);
        v.Elat->setFocus();
        ClickTick(v.cGEOIgrp);
        QVERIFY(!v.cGEOIgrp->isChecked());
        QVERIFY(v.cGEOgrp->isChecked());
        QCOMPARE(v.Memo->toPlainText(), QStringLiteral("memo"));
        CompararCampos(1, true, false);
        for (int g = 2; g <= kGruposConversion; ++g) CompararCampos(g, true, true);
        QCOMPARE(QApplication::focusWidget(), v.Elat);
    }

    void destildarElGrupoDeEntrada() {
        auto &v = *b.v;
        LlenarTodo(v);
        v.EAlt->setFocus();
        ClickTick(v.cGEOgrp);
        for (int g = 1; g <= kGruposConversion; ++g) {
            QVERIFY(!v.Grupo(g)->isChecked());
            CompararCampos(g, true, true);
        }
        QCOMPARE(v.Memo->toPlainText(), QStringLiteral("memo"));
        // The focused field stays focused (now read-only), and no conversion ran on the way.
        QCOMPARE(QApplication::focusWidget(), v.EAlt);
        QVERIFY(b.errores.empty());
        QTest::keyClicks(v.EAlt, QStringLiteral("5"));
        QCOMPARE(v.EAlt->text(), QStringLiteral("12"));
        // Ticking it again makes it the input group once more, keeping its texts.
        ClickTick(v.cGEOgrp);
        QVERIFY(v.cGEOgrp->isChecked());
        CompararCampos(1, true, false);
        CompararCampos(2, false, true);
        QCOMPARE(QApplication::focusWidget(), v.Elat);
    }

    void campoInchauspeTrasUnaConversion() {
        auto &v = *b.v;
        Tipear(v.Elat, "34\xB0 36' 12.5\" S");
        Tipear(v.ELon, "58\xB0 22' 54\" W");
        v.EAlt->setFocus();
        Salir(v.EAlt);
        QCOMPARE(v.SLat->text(), Q("34\xB0 36' 14.10836\" S"));
        QTest::mouseClick(v.spSkinCheckRadioBox2, Qt::LeftButton);
        QVERIFY(v.spSkinCheckRadioBox2->isChecked());
        QVERIFY(v.cGEOIgrp->isChecked());
        for (int g : {1, 2, 3, 5}) {
            QVERIFY(!v.Grupo(g)->isChecked());
            for (int i = 0; i < 3; ++i) {
                QVERIFY(v.CampoGrupo(g, i)->text().isEmpty());
                QVERIFY(v.CampoGrupo(g, i)->isReadOnly());
            }
        }
        QCOMPARE(v.SLat->text(), Q("34\xB0 36' 14.10836\" S"));
        QCOMPARE(v.SLon->text(), Q("58\xB0 22' 51.85202\" W"));
        QCOMPARE(v.SAlt->text(), QStringLiteral("-9.7997"));
        for (QLineEdit *c : {v.SLat, v.SLon, v.SAlt}) QVERIFY(!c->isReadOnly());
        QCOMPARE(v.Memo->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), v.SLat);
        // Under Campo Inchauspe 69 a POSGAR group cannot become the input group.
        ClickTick(v.cGKgrp);
        QVERIFY(!v.cGKgrp->isChecked());
        QVERIFY(v.cGEOIgrp->isChecked());
        QCOMPARE(v.SLat->text(), Q("34\xB0 36' 14.10836\" S"));
        // Group 5 can: group 4 is unticked and loses its texts.
        ClickTick(v.cGKIgrp);
        QVERIFY(v.cGKIgrp->isChecked());
        QVERIFY(!v.cGEOIgrp->isChecked());
        QVERIFY(v.SLat->text().isEmpty());
        QVERIFY(v.SLat->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), v.GKIx);
    }

    void posgarYaElegidoVaciaLoDemas() {
        auto &v = *b.v;
        LlenarTodo(v);
        v.GKIy->setFocus();
        QTest::mouseClick(v.spSkinCheckRadioBox1, Qt::LeftButton);
        QVERIFY(v.spSkinCheckRadioBox1->isChecked());
        QCOMPARE(v.Memo->toPlainText(), QString());
        CompararCampos(1, true, false);
        for (int g = 2; g <= kGruposConversion; ++g) CompararCampos(g, false, true);
        QCOMPARE(QApplication::focusWidget(), v.Elat);
    }

    // Choosing POSGAR 2007 makes its geographic group the input group, keeps that group's texts and
    // empties the others; ticking its Gauss-Krüger group then moves the input there. POSGAR 94
    // chosen again unticks both.
    void posgar2007() {
        auto &v = *b.v;
        LlenarTodo(v);
        QTest::mouseClick(v.spSkinCheckRadioBox3, Qt::LeftButton);
        QVERIFY(v.spSkinCheckRadioBox3->isChecked());
        QVERIFY(!v.spSkinCheckRadioBox1->isChecked());
        for (int g = 1; g <= 5; ++g) {
            QVERIFY(!v.Grupo(g)->isChecked());
            CompararCampos(g, false, true);
        }
        QVERIFY(v.cGEO07grp->isChecked());
        CompararCampos(6, true, false);
        CompararCampos(7, false, true);
        QCOMPARE(QApplication::focusWidget(), v.G07Lat);
        ClickTick(v.cGK07grp);
        QVERIFY(!v.cGEO07grp->isChecked());
        CompararCampos(6, false, true);
        QCOMPARE(QApplication::focusWidget(), v.GK07x);
        QTest::mouseClick(v.spSkinCheckRadioBox1, Qt::LeftButton);
        QVERIFY(!v.cGK07grp->isChecked());
        QVERIFY(v.cGEOgrp->isChecked());
        QCOMPARE(QApplication::focusWidget(), v.Elat);
        QVERIFY(b.errores.empty());
    }

    void elTickCorreAunSinCambioDeEstado() {
        // POSGAR 94 chosen again sets group 1's tick, already set: its tick event still runs (the
        // memo goes, the other groups empty), and group 3, already unticked, stays read-only.
        auto &v = *b.v;
        LlenarTodo(v);
        QTest::mouseClick(v.spSkinCheckRadioBox1, Qt::LeftButton);
        QCOMPARE(v.Memo->toPlainText(), QString());
        CompararCampos(1, true, false);
        QVERIFY(!v.cUTMgrp->isChecked());
        CompararCampos(3, false, true);
    }

    void limpiarTodosMenoElGrupo() {
        // Ticking group 3 keeps its texts and empties every other group.
        auto &v = *b.v;
        LlenarTodo(v);
        ClickTick(v.cUTMgrp);
        for (int g = 1; g <= kGruposConversion; ++g)
            for (int i = 0; i < 3; ++i) QCOMPARE(v.CampoGrupo(g, i)->text().isEmpty(), g != 3);
    }
};

ZUVELO_TEST_MAIN(TestGrupos)
#include "test_conversion_grupos.moc"
