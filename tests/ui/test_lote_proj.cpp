// The "Archivos" tab's results against PROJ: the grid rows of a DMS file, and lines sampled from the
// ".DAT" of a large file converted in the background.
#include <QSignalSpy>
#include <QTest>
#include <proj.h>

#include "lote.h"
#include "lote_prueba.h"
#include "oraculo_gk.h"

class TestLoteProj : public QObject {
    Q_OBJECT
  private slots:
    void filasConvertidasYFallidas();
    void filasEntreMarcosContraProj();
    void archivoGrandeContraProj_data();
    void archivoGrandeContraProj();
    void editarYGuardar();
};

// A DMS grid to Gauss-Krüger: every good row agrees with PROJ within 1 mm and carries its strip,
// the refused row and the empty row keep empty results, and the extents span the good rows.
void TestLoteProj::filasConvertidasYFallidas() {
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->Mensajes().clear();
    v->spSkinXFormButton1->click();
    QVERIFY(v->Mensajes().empty());
    QCOMPARE(v.Estado().Convertido, uint8_t(1));
    const TModeloGrilla &g = *v->ModeloGrilla;
    for (int c = 5; c <= 8; ++c) {
        QVERIFY2(g.Celda(3, c).empty(), "refused latitude");
        QVERIFY2(g.Celda(5, c).empty(), "empty row");
    }
    OraculoGK proj;
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (int i = 0; i < 3; ++i) {
        const PuntoGeo &p = kBuenos[i];
        const int fila = kFilaDePunto[i];
        double x = 0, y = 0;
        QVERIFY(proj.Proyectar(p.faja, p.latGrados, p.lonGrados, x, y));
        QVERIFY2(std::fabs(Num(g.Celda(fila, 5)) - x) < 1e-3, g.Celda(fila, 5).c_str());
        QVERIFY2(std::fabs(Num(g.Celda(fila, 6)) - y) < 1e-3, g.Celda(fila, 6).c_str());
        QCOMPARE(QString::fromStdString(g.Celda(fila, 8)), QString::number(p.faja));
        if (!p.alt.empty()) QCOMPARE(Num(g.Celda(fila, 7)), Num(p.alt));
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    // The extents hold the 4-decimal texts of the cells: within 0.1 mm of PROJ plus the 1 mm above.
    const TExtension &e = v.Estado().ConteoGrilla.Extension;
    QVERIFY(std::fabs(static_cast<double>(e.MinN) - minX) < 1.1e-3);
    QVERIFY(std::fabs(static_cast<double>(e.MaxN) - maxX) < 1.1e-3);
    QVERIFY(std::fabs(static_cast<double>(e.MinE) - minY) < 1.1e-3);
    QVERIFY(std::fabs(static_cast<double>(e.MaxE) - maxY) < 1.1e-3);
}

// A converted row whose latitude is edited loses its results at once: the status and the save's
// message count it as not converted, and the CSV holds no place for it until the convert command
// runs again; then its place is the new input's (PROJ).
void TestLoteProj::editarYGuardar() {
    QTemporaryDir dir;
    auto v = VentanaVisible();
    QVERIFY(QTest::qWaitForWindowActive(v.get()));
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    const TModeloGrilla &g = *v->ModeloGrilla;
    QVERIFY(!g.Celda(2, 5).empty());
    QCOMPARE(v->Msg->text(), AQString("3 puntos convertidos, 1 con error"));
    DobleClic(v, 2, 1);
    QTRY_VERIFY(v->Campo->isVisible());
    const std::string nueva = "35\xB0 0' 0\" S";
    v->Campo->setText(AQString(nueva));
    QTest::keyClick(v->Campo, Qt::Key_Return);
    QTRY_VERIFY(!v->Campo->isVisible());
    QCOMPARE(g.Celda(2, 1), nueva);
    for (int c = 5; c <= 8; ++c) QVERIFY(g.Celda(2, c).empty());
    QCOMPARE(v->Msg->text(), AQString("2 puntos convertidos, 1 con error, 1 fila editada sin convertir"));

    v->SD->FijarSiguiente(dir.filePath("puntos"), 3);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v),
             AQString("El Archivo .CSV ha sido Creado Exitosamente\n2 puntos convertidos, 1 con "
                      "error, 1 fila editada sin convertir: quedaron sin valores.\nSin archivo .prj: "
                      "los puntos est\xE1n en varias fajas o zonas y un .prj nombra un solo sistema."));
    const std::vector<std::string> antes = LineasDe(Leer(dir.filePath("puntos.csv")));
    QVERIFY(antes.size() == 5);
    QCOMPARE(QString::fromStdString(antes[1]), QString("1,,,,"));

    // Converted again: the row's place is its new latitude's.
    v->spSkinXFormButton1->click();
    QCOMPARE(v->Msg->text(), AQString("3 puntos convertidos, 1 con error"));
    QFile::remove(dir.filePath("puntos.csv"));
    v->SD->FijarSiguiente(dir.filePath("puntos"), 3);
    v->Guardar->click();
    const QStringList campos =
        QString::fromStdString(LineasDe(Leer(dir.filePath("puntos.csv")))[1]).split(',');
    QCOMPARE(campos.size(), 5);
    OraculoGK proj;
    double x = 0, y = 0;
    QVERIFY(proj.Proyectar(6, -35.0, kBuenos[0].lonGrados, x, y));
    QVERIFY2(std::fabs(campos[1].toDouble() - x) < 1e-3, qPrintable(campos[1]));
    QVERIFY2(std::fabs(campos[2].toDouble() - y) < 1e-3, qPrintable(campos[2]));
}

// The frame buttons of "Archivos" reach the grid: the DMS rows on a source frame to Gauss-Krüger on a
// destination frame, each pair against PROJ from the source's EPSG geographic system to the strip's
// EPSG system on the destination (its preferred operation between the frames), within 1 mm.
void TestLoteProj::filasEntreMarcosContraProj() {
    struct Caso {
        int fuente, destino;  // button ids: 0 POSGAR 94, 1 Campo Inchauspe 69, 2 POSGAR 2007
        int geo, faja1;       // EPSG of the source's geographic system, of the destination's strip 1
    };
    const Caso casos[] = {{0, 2, 4694, 5343}, {2, 0, 5340, 22181}, {2, 1, 5340, 22191}, {1, 2, 4221, 5343}};
    PJ_CONTEXT *ctx = proj_context_create();
    for (const Caso &k : casos) {
        auto v = CrearVentana();
        v->BotonesFuente->button(k.fuente)->click();
        v->BotonesDestino->button(k.destino)->click();
        LlenarGeoDMS(v);
        v->spSkinXFormButton1->click();
        QCOMPARE(v.Estado().Convertido, uint8_t(1));
        const TModeloGrilla &g = *v->ModeloGrilla;
        // Tierra del Fuego (the third point) lies outside the area of PROJ's shifts for Campo Inchauspe.
        const int puntos = k.fuente == 1 || k.destino == 1 ? 2 : 3;
        for (int i = 0; i < puntos; ++i) {
            const PuntoGeo &p = kBuenos[i];
            const int fila = kFilaDePunto[i];
            PJ *op =
                proj_create_crs_to_crs(ctx, ("EPSG:" + std::to_string(k.geo)).c_str(),
                                       ("EPSG:" + std::to_string(k.faja1 + p.faja - 1)).c_str(), nullptr);
            QVERIFY(op);
            // EPSG order: latitude, longitude in; northing (X), easting (Y) out.
            const PJ_COORD r = proj_trans(op, PJ_FWD, proj_coord(p.latGrados, p.lonGrados, 0, 0));
            proj_destroy(op);
            const std::string donde =
                std::to_string(k.fuente) + " -> " + std::to_string(k.destino) + " " + g.Celda(fila, 5);
            QVERIFY2(std::fabs(Num(g.Celda(fila, 5)) - r.v[0]) < 1e-3, donde.c_str());
            QVERIFY2(std::fabs(Num(g.Celda(fila, 6)) - r.v[1]) < 1e-3, donde.c_str());
            QCOMPARE(QString::fromStdString(g.Celda(fila, 8)), QString::number(p.faja));
        }
    }
    proj_context_destroy(ctx);
}

// The ".DAT" of a background run: sampled lines agree with PROJ within 1 mm and carry strip 3; the
// failed lines are the delimiter twice. The points are POSGAR 94; on POSGAR 2007 the oracle is PROJ's
// preferred operation from EPSG:4694 to strip 3's EPSG:5345.
void TestLoteProj::archivoGrandeContraProj_data() {
    QTest::addColumn<int>("destino");  // button id of the destination frame
    QTest::newRow("posgar94") << 0;
    QTest::newRow("posgar2007") << 2;
}

void TestLoteProj::archivoGrandeContraProj() {
    QFETCH(int, destino);
    QTemporaryDir dir;
    const ArchivoGrande a = GenerarGrande();
    auto v = CrearVentana();
    AbrirGrande(v, dir.filePath("grande.txt"), a);
    v->BotonesDestino->button(destino)->click();
    PJ_CONTEXT *ctx = proj_context_create();
    PJ *a2007 = proj_create_crs_to_crs(ctx, "EPSG:4694", "EPSG:5345", nullptr);
    QVERIFY(a2007);
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    v->spSkinXFormButton1->click();
    QVERIFY(fin.wait(60000));
    v->SD->FijarSiguiente(dir.filePath("todo"), 1);
    v->Guardar->click();
    const std::vector<std::string> salida = LineasDe(Leer(dir.filePath("todo.dat")));
    QCOMPARE(static_cast<int>(salida.size()), static_cast<int>(a.lineas.size()) - a.vacias);
    OraculoGK proj;
    std::size_t j = 0;
    for (std::size_t i = 0; i < a.lineas.size(); ++i) {
        if (a.lineas[i].empty()) continue;
        const std::string &l = salida[j++];
        if (std::isnan(a.lat[i])) {
            QCOMPARE(QString::fromStdString(l), QString(",,"));
            continue;
        }
        if (i % 499 != 0) continue;
        const QStringList v4 = QString::fromStdString(l).split(',');
        QCOMPARE(v4.size(), 4);
        double x = 0, y = 0;
        if (destino == 0) {
            QVERIFY(proj.Proyectar(v4[3].toInt(), a.lat[i], a.lon[i], x, y));
        } else {
            // EPSG order: latitude, longitude in; northing (X), easting (Y) out.
            const PJ_COORD r = proj_trans(a2007, PJ_FWD, proj_coord(a.lat[i], a.lon[i], 0, 0));
            x = r.v[0];
            y = r.v[1];
        }
        QVERIFY2(std::fabs(v4[0].toDouble() - x) < 1e-3, qPrintable(QString::fromStdString(l)));
        QVERIFY2(std::fabs(v4[1].toDouble() - y) < 1e-3, qPrintable(QString::fromStdString(l)));
        QCOMPARE(v4[3], QString("3"));
    }
    proj_destroy(a2007);
    proj_context_destroy(ctx);
}

QTEST_MAIN(TestLoteProj)
#include "test_lote_proj.moc"
