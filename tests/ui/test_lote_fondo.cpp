// The background run on the real window: a file of 60000 lines converted by four workers over ten
// segments, the ".DAT" joined from the output segments in file order, the commands refused while
// the run is active, and closing the window in the middle of a run.
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <sstream>

#include "archivos_lote_dialogo.h"
#include "lectura.h"
#include "lote.h"
#include "progreso.h"
#include "segmentos.h"
#include "tareas.h"
#include "test_lote_ayuda.h"

namespace {
const int kLineas = 60000;
const char kEnCurso[] = "Hay una conversi\xF3n en curso. Espere a que termine.";

// Line i (from 0): "P<i>,lat,lon,h" in decimal degrees around strip 3 (central meridian 66° W).
// Every 4999th line has a latitude that is no number and every 9973rd one whose degrees are not
// whole (both failed conversions); every 7919th line is empty.
struct Archivo {
    std::vector<std::string> lineas;
    std::vector<double> lat, lon;  // NaN for the bad and empty lines
    int fallidas = 0, vacias = 0;
};

Archivo Generar() {
    Archivo a;
    a.lineas.reserve(kLineas);
    for (int i = 0; i < kLineas; ++i) {
        const double lat = -22.5 - 32.0 * i / kLineas;
        const double lon = -67.3 + 2.6 * ((i * 7919) % kLineas) / kLineas;
        if (i % 7919 == 7918) {
            a.lineas.push_back("");
            a.lat.push_back(std::nan("")), a.lon.push_back(std::nan(""));
            ++a.vacias;
        } else if (i % 9973 == 9972) {
            // Degrees that are not whole in a DMS field: the core raises an error for this line only.
            a.lineas.push_back("P" + std::to_string(i) + ",-34.5 10' 0''," +
                               QString::number(lon, 'f', 9).toStdString() + ",5");
            a.lat.push_back(std::nan("")), a.lon.push_back(std::nan(""));
            ++a.fallidas;
        } else if (i % 4999 == 4998) {
            a.lineas.push_back("P" + std::to_string(i) + ",abc," +
                               QString::number(lon, 'f', 9).toStdString() + ",1");
            a.lat.push_back(std::nan("")), a.lon.push_back(std::nan(""));
            ++a.fallidas;
        } else {
            a.lineas.push_back("P" + std::to_string(i) + "," + QString::number(lat, 'f', 9).toStdString() +
                               "," + QString::number(lon, 'f', 9).toStdString() + "," +
                               std::to_string(i % 500));
            a.lat.push_back(lat), a.lon.push_back(lon);
        }
    }
    return a;
}

// Puts the window in the state the open command leaves for a large delimited file: read options,
// ten input segments in their private folder, the first lines in the grid.
void CargarGrande(TFConv &v, const QString &ruta, const Archivo &a) {
    std::string texto;
    for (const std::string &l : a.lineas) texto += l + "\r\n";
    Escribir(ruta, texto);
    v.cbFuente->setCurrentIndex(0);
    v.cbDestino->setCurrentIndex(1);
    v.DelimArchivo = ',';
    v.LineaInicio = 1;
    v.ColLatX = 2, v.ColLonY = 3, v.ColAltura = 4, v.ColZona = 0;
    v.OpcionesLeidas = 1;
    v.ModoDecimal = 1;
    const std::string local = QFile::encodeName(ruta).toStdString();
    v.TotalLineas = ContarLineas(local);
    v.CarpetaSegmentos = std::make_shared<TCarpetaSegmentos>();
    v.BaseSegmento = v.CarpetaSegmentos->Base();
    Segmentar(local, 1, v.TotalLineas, v.BaseSegmento);
    v.ArchivoGrande = 1;
    const TOpcionesLectura opc = v.Opciones();
    std::vector<TModeloGrilla::TFila> filas;
    for (int i = 0; i < 200; ++i) {
        std::array<std::string, 9> celdas;
        if (CeldasLinea(a.lineas[i], i + 1, opc, celdas)) filas.push_back(celdas);
    }
    v.ModeloGrilla->CargarDatos(std::move(filas));
}

std::vector<std::string> Lineas(const std::string &texto) {
    std::vector<std::string> r;
    std::size_t ini = 0;
    while (ini < texto.size()) {
        const std::size_t fin = texto.find("\r\n", ini);
        if (fin == std::string::npos) {
            r.push_back(texto.substr(ini));
            break;
        }
        r.push_back(texto.substr(ini, fin - ini));
        ini = fin + 2;
    }
    return r;
}
}  // namespace

class TestLoteFondo : public QObject {
    Q_OBJECT
  private slots:
    void archivoGrande();
    void cerrarDuranteLaCorrida();
    void segmentoIlegible();
};

void TestLoteFondo::archivoGrande() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("grande.dat");  // a name the save dialog could be given as it is
    const Archivo a = Generar();
    auto v = CrearVentana();
    CargarGrande(*v, ruta, a);

    // The segment each member takes at each of its starts.
    std::map<QString, std::vector<int>> tomados;
    std::vector<int> orden;
    for (TTarea *t : {v->Tarea1, v->Tarea2, v->Tarea3, v->Tarea4})
        connect(t, &TTarea::Iniciada, v.get(), [&](TTarea *x) {
            tomados[x->objectName()].push_back(x->Segmento);
            orden.push_back(x->Segmento);
        });
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);

    v->skTransfclick();
    QCOMPARE(v->Convertido, uint8_t(1));
    QVERIFY(v->LoteEnCurso(false));
    QVERIFY(v->BarProgreso->isVisible());
    QCOMPARE(v->BarProgreso->Etiqueta(), AQString("Estado de Conversi\xF3n:"));
    // The first start of the group hands segments 0 to 3 to Tarea1 to Tarea4, in this order.
    QCOMPARE(orden, (std::vector<int>{0, 1, 2, 3}));
    QCOMPARE(tomados["Tarea1"].front(), 0);
    QCOMPARE(tomados["Tarea4"].front(), 3);

    // While the run is active: the save, convert and open commands are refused; the save neither
    // writes a new file nor replaces the input.
    const std::string entrada = Leer(ruta);
    v->SD->FijarSiguiente(ruta, 1);
    v->skGuardarclick();
    QCOMPARE(UltimoMensaje(*v), AQString(kEnCurso));
    QVERIFY(Leer(ruta) == entrada);
    v->SD->FijarCancelarSiguiente();
    v->SD->FijarSiguiente(dir.filePath("durante"), 1);
    v->skGuardarclick();
    QCOMPARE(UltimoMensaje(*v), AQString(kEnCurso));
    v->skTransfclick();
    QCOMPARE(UltimoMensaje(*v), AQString(kEnCurso));
    // The open command would delete the segments the workers read and write.
    v->skAbrirclick();
    QCOMPARE(UltimoMensaje(*v), AQString(kEnCurso));
    QCOMPARE(v->spMensaje->Mostrados.size(), std::size_t(4));
    QVERIFY(!QFile::exists(dir.filePath("durante.dat")));
    QVERIFY(QFile::exists(QFile::decodeName(SegmentoEntrada(v->BaseSegmento, 9).c_str())));

    QVERIFY(fin.wait(60000));
    QTRY_COMPARE(v->BarProgreso->Valor(), 100);
    QVERIFY(!v->LoteEnCurso(false));
    QVERIFY(!v->CoordTarea1 && !v->CoordTarea4);
    std::vector<int> todos = orden;
    std::sort(todos.begin(), todos.end());
    QCOMPARE(todos, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    v->SD->FijarCancelarSiguiente();  // the pending name above was never used; this one cancels
    v->SD->FijarSiguiente(dir.filePath("todo"), 1);
    v->skGuardarclick();
    // The file holds lines that fail on purpose: the message counts them.
    QVERIFY2(UltimoMensaje(*v).startsWith(AQString("El Archivo .DAT ha sido Creado Exitosamente\n")),
             qPrintable(UltimoMensaje(*v)));
    QVERIFY(UltimoMensaje(*v).endsWith(AQString(" con error: los puntos con error quedaron sin valores.")));
    const std::string dat = Leer(dir.filePath("todo.dat"));

    // The ".DAT" is the output segments joined 0 to 9.
    std::string unidos;
    for (int k = 0; k < kSegmentos; ++k)
        unidos += Leer(QFile::decodeName(SegmentoSalida(v->BaseSegmento, k).c_str()));
    QVERIFY(dat == unidos);

    // The command-line converter gives the same bytes for the same file and read options.
    QProcess zc;
    zc.start(QStringLiteral(ZUVELO_CONVERT), {"-f", "geo", "-t", "gk", "--decimal", "-d", "comma", "-c",
                                              "2,3,4", "-q", ruta, dir.filePath("cli.dat")});
    QVERIFY(zc.waitForFinished(60000));
    QCOMPARE(zc.exitCode(), 3);  // some lines fail
    QVERIFY(Leer(dir.filePath("cli.dat")) == dat);

    // One line per input line that yields a point, in file order; the same line a single pass over
    // the whole file gives; the failed lines are the delimiter twice; sampled lines agree with PROJ.
    const std::vector<std::string> salida = Lineas(dat);
    QCOMPARE(static_cast<int>(salida.size()), kLineas - a.vacias);
    TCoordenadas c;
    ConfigurarCoordenadas(c, 0, 0, 0, 1);
    const TOpcionesLectura opc = v->Opciones();
    OraculoGK proj;
    std::size_t j = 0;
    int fallidas = 0;
    for (int i = 0; i < kLineas; ++i) {
        if (a.lineas[i].empty()) continue;
        const std::string &l = salida[j++];
        if (std::isnan(a.lat[i])) {
            QCOMPARE(QString::fromStdString(l), QString(",,"));
            ++fallidas;
            continue;
        }
        if (i % 97 == 0) {
            std::string esperada;
            QCOMPARE(ConvertirLinea(a.lineas[i], opc, c, esperada), rlConvertido);
            QCOMPARE(QString::fromStdString(l), QString::fromStdString(esperada));
        }
        if (i % 499 == 0) {
            const QStringList v4 = QString::fromStdString(l).split(',');
            QCOMPARE(v4.size(), 4);
            double x = 0, y = 0;
            QVERIFY(proj.Proyectar(v4[3].toInt(), a.lat[i], a.lon[i], x, y));
            QVERIFY2(std::fabs(v4[0].toDouble() - x) < 1e-3, qPrintable(QString::fromStdString(l)));
            QVERIFY2(std::fabs(v4[1].toDouble() - y) < 1e-3, qPrintable(QString::fromStdString(l)));
            QCOMPARE(v4[3], QString("3"));
        }
    }
    QCOMPARE(fallidas, a.fallidas);
}

// Closing the window during a run stops the workers before their next line and waits for them;
// no end event fires afterwards.
void TestLoteFondo::cerrarDuranteLaCorrida() {
    QTemporaryDir dir;
    const Archivo a = Generar();
    auto v = CrearVentana();
    CargarGrande(*v, dir.filePath("grande.txt"), a);
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    QSignalSpy finHilo(v->GrupoTareas, &TGrupoTareas::FinHilo);
    v->skTransfclick();
    QVERIFY(v->LoteEnCurso(false));
    v->close();
    QCOMPARE(v->GrupoTareas->Corriendo(), 0);
    for (TTarea *t : {v->Tarea1, v->Tarea2, v->Tarea3, v->Tarea4}) QVERIFY(!t->Corriendo());
    QTest::qWait(100);
    QCOMPARE(fin.count(), 0);
    QCOMPARE(finHilo.count(), 0);
    v.reset();
}

// An input segment that cannot be read ends only its own pass; the run completes, but the ".DAT"
// would miss those lines, so the save reports the failure and leaves an existing file as it was.
void TestLoteFondo::segmentoIlegible() {
    QTemporaryDir dir;
    const Archivo a = Generar();
    auto v = CrearVentana();
    CargarGrande(*v, dir.filePath("grande.txt"), a);
    QVERIFY(QFile::remove(QFile::decodeName(SegmentoEntrada(v->BaseSegmento, 6).c_str())));
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    v->skTransfclick();
    QVERIFY(fin.wait(60000));
    QTRY_COMPARE(v->BarProgreso->Valor(), 100);
    const QString ruta = dir.filePath("previo.dat");
    Escribir(ruta, "PREVIO\r\n");
    v->SD->FijarSiguiente(ruta, 1);
    v->skGuardarclick();
    QCOMPARE(UltimoMensaje(*v),
             AQString("No se pudo Crear el Archivo .DAT\n\rLa conversi\xF3n del segmento 6 no termin\xF3: "
                      "No se puede abrir '" +
                      SegmentoEntrada(v->BaseSegmento, 6) + "': no existe el archivo o la carpeta"));
    QCOMPARE(Leer(ruta), std::string("PREVIO\r\n"));
    QVERIFY(!v->BarProgreso->isVisible());
}

QTEST_MAIN(TestLoteFondo)
#include "test_lote_fondo.moc"
