// The background run on the real window: a file of 60000 lines converted by four workers over ten
// segments, the ".DAT" joined from the output segments in file order, the commands refused while
// the run is active, closing the window in the middle of a run, a segment that cannot be read, and
// "Cancelar" during a run and during a save.
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "archivos.h"
#include "lote.h"
#include "lote_prueba.h"
#include "segmentos.h"

class TestLoteFondo : public QObject {
    Q_OBJECT
  private slots:
    void archivoGrande();
    void cerrarDuranteLaCorrida();
    void segmentoIlegible();
    void paraOtrosProgramas();
    void cancelar();
    void gpsGrande();
};

void TestLoteFondo::archivoGrande() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("grande.dat");  // a name the save dialog could be given as it is
    const ArchivoGrande a = GenerarGrande();
    auto v = CrearVentana();
    AbrirGrande(v, ruta, a);
    QCOMPARE(UltimoMensaje(v), AQString(kMensajeDemasiadoGrande));
    v->Mensajes().clear();

    // The segment each member takes at each of its starts.
    std::map<QString, std::vector<int>> tomados;
    std::vector<int> orden;
    for (TTarea *t : {v->Tarea1, v->Tarea2, v->Tarea3, v->Tarea4})
        connect(t, &TTarea::Iniciada, v.get(), [&](TTarea *x) {
            tomados[x->objectName()].push_back(x->Segmento);
            orden.push_back(x->Segmento);
        });
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);

    v->spSkinXFormButton1->click();
    QCOMPARE(v.Estado().Convertido, uint8_t(1));
    QVERIFY(v->LoteEnCurso());
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
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString(kMensajeEnCurso));
    QVERIFY(Leer(ruta) == entrada);
    v->SD->FijarCancelarSiguiente();
    v->SD->FijarSiguiente(dir.filePath("durante"), 1);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString(kMensajeEnCurso));
    v->spSkinXFormButton1->click();
    QCOMPARE(UltimoMensaje(v), AQString(kMensajeEnCurso));
    // The open command would delete the segments the workers read and write.
    v->skAbrir->click();
    QCOMPARE(UltimoMensaje(v), AQString(kMensajeEnCurso));
    // So would a file dropped on the window.
    QVERIFY(Soltar(v->Grilla, ruta));
    QTRY_COMPARE(v->Mensajes().size(), std::size_t(5));
    QCOMPARE(UltimoMensaje(v), AQString(kMensajeEnCurso));
    QVERIFY(!QFile::exists(dir.filePath("durante.dat")));
    QVERIFY(QFile::exists(QFile::decodeName(SegmentoEntrada(v.Estado().BaseSegmento, 9).c_str())));

    QVERIFY(fin.wait(60000));
    QTRY_COMPARE(v->BarProgreso->Valor(), 100);
    QVERIFY(!v->LoteEnCurso());
    std::vector<int> todos = orden;
    std::sort(todos.begin(), todos.end());
    QCOMPARE(todos, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    v->SD->FijarCancelarSiguiente();  // the pending name above was never used; this one cancels
    v->SD->FijarSiguiente(dir.filePath("todo"), 1);
    v->Guardar->click();
    // The file holds lines that fail on purpose: the message counts them.
    QVERIFY2(UltimoMensaje(v).startsWith(AQString("El Archivo .DAT ha sido Creado Exitosamente\n")),
             qPrintable(UltimoMensaje(v)));
    QVERIFY(UltimoMensaje(v).endsWith(AQString(" con error: los puntos con error quedaron sin valores.")));
    const std::string dat = Leer(dir.filePath("todo.dat"));

    // The ".DAT" is the output segments joined 0 to 9.
    std::string unidos;
    for (int k = 0; k < kSegmentos; ++k)
        unidos += Leer(QFile::decodeName(SegmentoSalida(v.Estado().BaseSegmento, k).c_str()));
    QVERIFY(dat == unidos);

    // The command-line converter gives the same bytes for the same file and read options.
    QProcess zc;
    zc.start(QStringLiteral(ZUVELO_CONVERT), {"-f", "geo", "-t", "gk", "--decimal", "-d", "comma", "-c",
                                              "2,3,4", "-q", ruta, dir.filePath("cli.dat")});
    QVERIFY(zc.waitForFinished(60000));
    QCOMPARE(zc.exitCode(), 3);  // some lines fail
    QVERIFY(Leer(dir.filePath("cli.dat")) == dat);

    // One line per input line that yields a point, in file order; the same line a single pass over
    // the whole file gives; the failed lines are the delimiter twice.
    const std::vector<std::string> salida = LineasDe(dat);
    QCOMPARE(static_cast<int>(salida.size()), static_cast<int>(a.lineas.size()) - a.vacias);
    TCoordenadas c;
    ConfigurarCoordenadas(c, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
    const TOpcionesLectura opc = v.Opciones();
    std::size_t j = 0;
    int fallidas = 0;
    for (std::size_t i = 0; i < a.lineas.size(); ++i) {
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
    }
    QCOMPARE(fallidas, a.fallidas);
}

// Closing the window during a run stops the workers before their next line and waits for them;
// no end event fires afterwards.
void TestLoteFondo::cerrarDuranteLaCorrida() {
    QTemporaryDir dir;
    const ArchivoGrande a = GenerarGrande();
    auto v = CrearVentana();
    AbrirGrande(v, dir.filePath("grande.txt"), a);
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    QSignalSpy finHilo(v->GrupoTareas, &TGrupoTareas::FinHilo);
    v->spSkinXFormButton1->click();
    QVERIFY(v->LoteEnCurso());
    v.get()->close();
    QCOMPARE(v->GrupoTareas->Corriendo(), 0);
    for (TTarea *t : {v->Tarea1, v->Tarea2, v->Tarea3, v->Tarea4}) QVERIFY(!t->Corriendo());
    // The threads have ended: their end events, if any were left, are posted by now.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(fin.count(), 0);
    QCOMPARE(finHilo.count(), 0);
    v.reset();
}

// An input segment that cannot be read ends only its own pass; the run completes and says which
// segment did not, and why; the ".DAT" would miss those lines, so the save reports the failure and
// leaves an existing file as it was.
void TestLoteFondo::segmentoIlegible() {
    QTemporaryDir dir;
    const ArchivoGrande a = GenerarGrande();
    auto v = CrearVentana();
    AbrirGrande(v, dir.filePath("grande.txt"), a);
    QVERIFY(QFile::remove(QFile::decodeName(SegmentoEntrada(v.Estado().BaseSegmento, 6).c_str())));
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    v->spSkinXFormButton1->click();
    QVERIFY(fin.wait(60000));
    QTRY_COMPARE(v->BarProgreso->Valor(), 100);
    // The run says so when it ends, with the worker's reason.
    const std::string porque = "No se puede abrir '" + SegmentoEntrada(v.Estado().BaseSegmento, 6) +
                               "': no existe el archivo o la carpeta";
    QCOMPARE(v->Mensajes().back().tipo, TMensaje::Error);
    QCOMPARE(UltimoMensaje(v),
             AQString("La conversi\xF3n del archivo completo no termin\xF3.\nSegmento 6: " + porque));
    QVERIFY(v->Msg->text().startsWith(QStringLiteral("Error")));
    const QString ruta = dir.filePath("previo.dat");
    Escribir(ruta, "PREVIO\r\n");
    v->SD->FijarSiguiente(ruta, 1);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v),
             AQString("No se pudo Crear el Archivo .DAT\n\rLa conversi\xF3n del segmento 6 no termin\xF3: " +
                      porque));
    QCOMPARE(Leer(ruta), std::string("PREVIO\r\n"));
    QVERIFY(!v->BarProgreso->isVisible());
}

// A large file saved as CSV, GeoJSON and DXF is converted again, whole, with the names of its field 1, on
// a thread of its own; the message comes once the file is in place. The CSV is the background run's
// .DAT with the names in front (a failed point a row without values); the GeoJSON places every
// converted point where the file put it. Closing the window during such a save never leaves a part
// of a file, and a file changed since it was opened is not read again.
void TestLoteFondo::paraOtrosProgramas() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("grande.txt");
    const ArchivoGrande a = GenerarGrande();
    auto v = CrearVentana();
    AbrirGrande(v, ruta, a, true);
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    v->spSkinXFormButton1->click();
    QVERIFY(fin.wait(60000));
    v->SD->FijarSiguiente(dir.filePath("todo"), 1);
    v->Guardar->click();
    const std::vector<std::string> dat = LineasDe(Leer(dir.filePath("todo.dat")));
    const int convertidos = static_cast<int>(a.lineas.size()) - a.vacias - a.fallidas;
    const QString conteo =
        QStringLiteral("\n%1 puntos convertidos, %2 con error: ").arg(convertidos).arg(a.fallidas);

    QSignalSpy terminada(v->TareaGuardar, &TTarea::Terminada);
    v->SD->FijarSiguiente(dir.filePath("todo"), 3);
    v->Guardar->click();
    QVERIFY(v->LoteEnCurso());
    QVERIFY(terminada.wait(60000));
    QCOMPARE(UltimoMensaje(v), AQString("El Archivo .CSV ha sido Creado Exitosamente") + conteo +
                                   AQString("los puntos con error quedaron sin valores.\nSu sistema de "
                                            "coordenadas est\xE1 en el archivo .prj de igual nombre."));
    // Every point lies in strip 3 of POSGAR 94: the .prj names EPSG:22183.
    QVERIFY(QString::fromStdString(Leer(dir.filePath("todo.prj")))
                .endsWith(QStringLiteral("AUTHORITY[\"EPSG\",\"22183\"]]")));
    const std::vector<std::string> csv = LineasDe(Leer(dir.filePath("todo.csv")));
    QCOMPARE(csv.size(), dat.size() + 1);
    QCOMPARE(csv[0], std::string("\xEF\xBB\xBFnombre,norte,este,altura,faja"));
    for (std::size_t i = 0, k = 0; i < a.lineas.size(); ++i) {
        if (a.lineas[i].empty()) continue;
        const std::string nombre = "P" + std::to_string(i);
        const QStringList d = QString::fromStdString(dat[k]).split(QLatin1Char(','));
        std::vector<std::string> valores(4);
        if (dat[k] != ",,")
            for (int j = 0; j < 4; ++j) valores[static_cast<std::size_t>(j)] = d[j].toStdString();
        ++k;
        if (!FilaCsvComo(csv[k], nombre, valores, true))
            QFAIL(qPrintable(QString::fromStdString(csv[k] + " != " + nombre + "," + dat[k - 1])));
    }

    v->SD->FijarSiguiente(dir.filePath("todo"), 4);
    v->Guardar->click();
    QVERIFY(terminada.wait(60000));
    QCOMPARE(UltimoMensaje(v), AQString("El Archivo .GEOJSON ha sido Creado Exitosamente") + conteo +
                                   AQString("los puntos con error no est\xE1n en el archivo."));
    int puntos = 0;
    for (const std::string &l : LineasDe(Leer(dir.filePath("todo.geojson")))) {
        if (l.rfind("{\"type\":\"Feature\"", 0) != 0 && l.rfind(",{\"type\":\"Feature\"", 0) != 0) continue;
        ++puntos;
        const std::size_t c = l.find("\"coordinates\":[") + 15, n = l.find("\"nombre\":\"P") + 11;
        const std::size_t i = std::stoul(l.substr(n, l.find('"', n) - n));
        const double lon = std::stod(l.substr(c)), lat = std::stod(l.substr(l.find(',', c) + 1));
        if (!(i < a.lineas.size() && std::fabs(lon - a.lon[i]) < 1e-9 && std::fabs(lat - a.lat[i]) < 1e-9))
            QFAIL(l.c_str());
    }
    QCOMPARE(puntos, convertidos);

    // The drawing holds every converted point of the file, well past the grid's 50000 lines, as GDAL
    // counts them: one POINT and one TEXT each.
    QVERIFY(convertidos > 50000);
    v->SD->FijarSiguiente(dir.filePath("todo"), 2);
    v->Guardar->click();
    QVERIFY(v->LoteEnCurso());
    QVERIFY(terminada.wait(60000));
    QCOMPARE(UltimoMensaje(v), AQString("El Archivo .DXF ha sido Creado Exitosamente") + conteo +
                                   AQString("los puntos con error no est\xE1n en el archivo."));
    QProcess ogr;
    ogr.start("ogrinfo", {"-ro", "-so", "-al", dir.filePath("todo.dxf")});
    QVERIFY(ogr.waitForFinished(60000));
    const QString informe = QString::fromLocal8Bit(ogr.readAllStandardOutput());
    QVERIFY2(informe.contains(QStringLiteral("Feature Count: %1\n").arg(2 * convertidos)),
             qPrintable(informe));

    // Closed in the middle: the file is whole or not there, and no temporary file stays.
    v->SD->FijarSiguiente(dir.filePath("cerrado"), 3);
    v->Guardar->click();
    QVERIFY(v->LoteEnCurso());
    v.get()->close();
    QVERIFY(!v->LoteEnCurso());
    const QStringList antes = {"grande.txt", "todo.csv", "todo.dat", "todo.dxf", "todo.geojson", "todo.prj"};
    const QStringList quedan = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    if (quedan.contains("cerrado.csv")) {
        QCOMPARE(Leer(dir.filePath("cerrado.csv")), Leer(dir.filePath("todo.csv")));
        // Its .prj follows the .csv, whole or not there.
        QStringList esperado = QStringList(antes) << "cerrado.csv";
        if (quedan.contains("cerrado.prj")) {
            QCOMPARE(Leer(dir.filePath("cerrado.prj")), Leer(dir.filePath("todo.prj")));
            esperado << "cerrado.prj";
        }
        esperado.sort();
        QCOMPARE(quedan, esperado);
    } else {
        QCOMPARE(quedan, antes);
    }

    v = CrearVentana();
    AbrirGrande(v, ruta, a, true);
    v->spSkinXFormButton1->click();
    QVERIFY(QSignalSpy(v->GrupoTareas, &TGrupoTareas::Fin).wait(60000));
    QFile cambiado(ruta);
    QVERIFY(cambiado.open(QIODevice::Append));
    cambiado.write("P,-30.0,-60.0,0\r\n");
    cambiado.close();
    v->SD->FijarSiguiente(dir.filePath("cambiado"), 3);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v),
             AQString("No se pudo Crear el Archivo .CSV\n\rEl archivo 'grande.txt' cambi\xF3 o "
                      "ya no est\xE1 desde que se abri\xF3: vuelva a abrirlo y convertirlo."));
    QVERIFY(!QFile::exists(dir.filePath("cambiado.csv")));
}

// "Cancelar" stops the background run: no segment starts after it, the file counts as not converted
// and nothing is saved from it. It stops a background save too: the file that was there stays as it
// was and nothing is left beside it.
void TestLoteFondo::cancelar() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("grande.txt");
    const ArchivoGrande a = GenerarGrande();
    auto v = CrearVentana();
    AbrirGrande(v, ruta, a, true);
    QPushButton *cancelar = v->BarProgreso->findChild<QPushButton *>("Cancelar");
    QVERIFY(cancelar);
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    int empezados = 0;
    for (TTarea *t : {v->Tarea1, v->Tarea2, v->Tarea3, v->Tarea4})
        connect(t, &TTarea::Iniciada, v.get(), [&] { ++empezados; });
    v->spSkinXFormButton1->click();
    QVERIFY(v->BarProgreso->isVisible());
    cancelar->click();
    QVERIFY(!v->BarProgreso->isVisible());
    QVERIFY(fin.wait(60000));
    QCOMPARE(empezados, 4);  // the first four segments only: none started after "Cancelar"
    QCOMPARE(v->Msg->text(), QStringLiteral("Cancelado"));
    QCOMPARE(v.Estado().Convertido, uint8_t(0));
    v->Mensajes().clear();
    v->SD->FijarSiguiente(dir.filePath("nada"), 1);
    v->Guardar->click();
    QCOMPARE(v->Mensajes().size(), std::size_t(1));
    QVERIFY(!QFile::exists(dir.filePath("nada.dat")));

    v->spSkinXFormButton1->click();
    QVERIFY(fin.wait(60000));
    QVERIFY(v->Msg->text().startsWith(QStringLiteral("Archivo completo")));
    {
        QFile viejo(dir.filePath("todo.csv"));
        QVERIFY(viejo.open(QIODevice::WriteOnly));
        viejo.write("viejo\n");
    }
    QSignalSpy terminada(v->TareaGuardar, &TTarea::Terminada);
    v->Mensajes().clear();
    v->SD->FijarSiguiente(dir.filePath("todo"), 3);
    v->Guardar->click();  // replacing the file is confirmed
    QVERIFY(v->LoteEnCurso());
    cancelar->click();
    QVERIFY(terminada.wait(60000));
    QCOMPARE(v->Msg->text(), QStringLiteral("Cancelado"));
    QCOMPARE(v->Mensajes().size(), std::size_t(1));  // the confirmation only: no error box
    QCOMPARE(Leer(dir.filePath("todo.csv")), std::string("viejo\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), QStringList({"grande.txt", "todo.csv"}));
}

// A waypoint file longer than the grid is a large file too: the grid shows its first records, the
// background run converts every record from the marker line on, and the .DAT holds what
// zuvelo-convert gives for the same file.
void TestLoteFondo::gpsGrande() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("puntos.gps");
    std::string texto = "Waypoints exported\r\n";
    const int n = 60000;
    for (int i = 0; i < n; ++i) {
        texto += "W,D,G" + std::to_string(i) + "," +
                 (i % 7001 == 7000 ? std::string("abc")
                                   : QString::number(-22.5 - 32.0 * i / n, 'f', 9).toStdString()) +
                 "," + QString::number(-67.3 + 2.6 * ((i * 7919) % n) / n, 'f', 9).toStdString() + ",\r\n";
        if (i % 10000 == 5) texto += "\r\n";  // empty lines between records give no point
    }
    Escribir(ruta, texto);
    auto v = CrearVentana();
    v->cbFuente->setCurrentIndex(3);
    v->cbDestino->setCurrentIndex(1);
    Abrir(v, ruta);
    QCOMPARE(v.Estado().ArchivoGrande, uint8_t(1));
    QCOMPARE(v->ModeloGrilla->Filas(), TModeloGrilla::kFilasTitulo + 50000);
    QCOMPARE(v->ModeloGrilla->Celda(2, 0), std::string("G0"));
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    v->spSkinXFormButton1->click();
    QVERIFY(fin.wait(60000));
    QVERIFY2(v->Msg->text().startsWith(
                 QStringLiteral("Archivo completo: %1 puntos convertidos, 8 con error").arg(n - 8)),
             qPrintable(v->Msg->text()));
    v->SD->FijarSiguiente(dir.filePath("todo"), 1);
    v->Guardar->click();
    QProcess zc;
    zc.start(QStringLiteral(ZUVELO_CONVERT), {"-f", "gps", "-t", "gk", "-q", ruta, dir.filePath("cli.dat")});
    QVERIFY(zc.waitForFinished(60000));
    QCOMPARE(zc.exitCode(), 3);  // the records without a latitude fail
    const std::string dat = Leer(dir.filePath("todo.dat"));
    QCOMPARE(static_cast<int>(LineasDe(dat).size()), n);
    QVERIFY(dat == Leer(dir.filePath("cli.dat")));
}

QTEST_MAIN(TestLoteFondo)
#include "test_lote_fondo.moc"
