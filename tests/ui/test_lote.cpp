// The "Archivos" tab's convert and save commands on the real window: the checks and their messages,
// rows that fail their tests, the extents, the ".DAT" grid layout, the extension rules, the
// overwrite question, the ".DXF" read back by GDAL, the masked cell editor, and a screenshot.
#include <QDirIterator>
#include <QMouseEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include "lote_prueba.h"

namespace {
const char kSinDatos[] = "Error: No hay datos para convertir.";
const char kSinZona[] = "Error: No se ha indicado la ZONA de las coordenadas.";
const char kDATBien[] = "El Archivo .DAT ha sido Creado Exitosamente";
const char kDATMal[] = "No se pudo Crear el Archivo .DAT";
const char kDXFBien[] = "El Archivo .DXF ha sido Creado Exitosamente";
const char kDXFMal[] = "No se pudo Crear el Archivo .DXF";

// ogrinfo's features of a map file: the name and the point (lon, lat) of each.
struct RasgoMapa {
    QString nombre;
    double lon = 0, lat = 0;
};
std::vector<RasgoMapa> LeerMapa(const QString &ogrinfo, const QString &ruta) {
    QProcess p;
    p.start(ogrinfo, {"-al", "-q", ruta});
    if (!p.waitForFinished(30000)) return {};
    std::vector<RasgoMapa> r;
    const QRegularExpression rePunto(R"(^POINT \(([-0-9.e+]+) ([-0-9.e+]+)\)$)");
    for (const QString &l : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const QString t = l.trimmed();
        if (t.startsWith("OGRFeature")) r.emplace_back();
        if (r.empty()) continue;
        if (t.startsWith("nombre (String) = ")) r.back().nombre = t.mid(18);
        const auto m = rePunto.match(t);
        if (m.hasMatch()) r.back().lon = m.captured(1).toDouble(), r.back().lat = m.captured(2).toDouble();
    }
    return r;
}

QString Capturas() {
    const QString dir = QStringLiteral(CAPTURAS_DIR);
    QDir().mkpath(dir);
    return dir;
}
}  // namespace

class TestLote : public QObject {
    Q_OBJECT
  private slots:
    void chequeos_data();
    void chequeos();
    void filasQueLeeriaComoOtroPunto();
    void extensiones();
    void sinConversionNoGuarda();
    void datGrilla();
    void sobreescribir();
    void falloConservaArchivo();
    void enlaceSeConserva();
    void extension_data();
    void extension();
    void dxfLeidoPorGdal();
    void dxfGeograficoFalla();
    void dxfSinPuntos();
    void paraOtrosProgramas_data();
    void paraOtrosProgramas();
    void nombresDePuntos();
    void campoGrillaDMS();
    void campoGrillaDecimal();
    void campoTomaLaTeclaQueLoAbre();
    void campoNoParaPlanasNiAltura();
    void captura();
};

// The three checks, in order; nothing is converted after a failing one and Convertido keeps its value.
// The read options come from opening a file with those field numbers; without them (a grid typed in
// a fresh window) the columns are not checked.
void TestLote::chequeos_data() {
    QTest::addColumn<int>("fuente");
    QTest::addColumn<bool>("conDatos");
    QTest::addColumn<int>("opcionesLeidas");
    QTest::addColumn<int>("colLatX");
    QTest::addColumn<int>("colLonY");
    QTest::addColumn<int>("colZona");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("grilla vacia") << 0 << false << 0 << 0 << 0 << 0 << AQString(kSinDatos);
    QTest::newRow("sin columna de latitud") << 0 << true << 1 << 0 << 2 << 0 << AQString(kSinDatos);
    QTest::newRow("sin columna de longitud") << 1 << true << 1 << 1 << 0 << 0 << AQString(kSinDatos);
    QTest::newRow("UTM sin zona") << 2 << true << 1 << 1 << 2 << 0 << AQString(kSinZona);
    QTest::newRow("UTM sin zona, archivo GPS (sin opciones)") << 2 << true << 0 << 0 << 0 << 0 << QString();
    QTest::newRow("UTM con zona") << 2 << true << 1 << 1 << 2 << 3 << QString();
}

void TestLote::chequeos() {
    QFETCH(int, fuente);
    QFETCH(bool, conDatos);
    QFETCH(int, opcionesLeidas);
    QFETCH(int, colLatX);
    QFETCH(int, colLonY);
    QFETCH(int, colZona);
    QFETCH(QString, mensaje);
    auto v = CrearVentana();
    TRespuestaOpciones opciones{"1", QString::number(colLatX), QString::number(colLonY), "0",
                                QString::number(colZona)};
    if (conDatos)
        // An easting for UTM, a strip 5 Y for Gauss-Krueger.
        LlenarGrilla(v, fuente, 2, 1, {{"1", "6170000.0", fuente == 2 ? "560000.0" : "5600000.0", "", "21"}},
                     opcionesLeidas == 1, opciones);
    else
        LlenarGrilla(v, fuente, 2, 1, {});
    QCOMPARE(int(v.Estado().OpcionesLeidas), opcionesLeidas);
    v->Mensajes().clear();
    v->spSkinXFormButton1->click();
    if (mensaje.isEmpty()) {
        QVERIFY(v->Mensajes().empty());
        QCOMPARE(v.Estado().Convertido, uint8_t(1));
        return;
    }
    QCOMPARE(v->Mensajes().size(), std::size_t(1));
    QCOMPARE(v->Mensajes()[0].texto, mensaje);
    QCOMPARE(v->Mensajes()[0].tipo, TMensaje::Error);
    QCOMPARE(v->Mensajes()[0].botones, TMensaje::Ok);
    QCOMPARE(v.Estado().Convertido, uint8_t(0));
    if (conDatos) QVERIFY(v->ModeloGrilla->Celda(2, 5).empty());
}

// Rows that would convert to a wrong place if taken literally (an empty longitude read as 0°, a
// lower-case hemisphere letter read as north, a zone 277 or 300, a value cut to its field) keep empty
// results, like the lines of the background run; the good row beside them converts.
void TestLote::filasQueLeeriaComoOtroPunto() {
    auto v = CrearVentana();
    LlenarGrilla(v, 0, 1, 1, {{"1", "-34.6034722", "-58.3816667", "", ""}, {"2", "-34.6034722", "", "", ""}});
    v->spSkinXFormButton1->click();
    const TModeloGrilla &g = *v->ModeloGrilla;
    QCOMPARE(QString::fromStdString(g.Celda(2, 8)), QString("6"));
    QVERIFY2(g.Celda(3, 5).empty(), "empty longitude");

    LlenarGrilla(v, 0, 1, 0,
                 {{"1", "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "", ""},
                  {"2", "34\xB0 36' 12.5\" s", "58\xB0 22' 54\" W", "", ""}});
    v->spSkinXFormButton1->click();
    QCOMPARE(AQString(g.Celda(2, 5)), QString("6170494.489"));
    QCOMPARE(g.Celda(3, 5), g.Celda(2, 5));  // a lower-case hemisphere letter reads for sure

    LlenarGrilla(v, 2, 0, 1,
                 {{"1", "6170061.3482", "373311.043", "", "21"},
                  {"2", "6170061.3482", "373311.043", "", "277"},
                  {"3", "6170061.3482", "373311.043", "", "300"},
                  {"4", "6170061.3482", "373311.043", "", "000021"},
                  {"5", "6170061.3482", "0000000000000000000000000373311.043", "", "21"}});
    v->spSkinXFormButton1->click();
    QCOMPARE(g.Celda(5, 5), g.Celda(2, 5));  // zone 000021 is zone 21
    QVERIFY2(g.Celda(6, 5).empty(), "Y longer than its field");
    QVERIFY(AQString(g.Celda(2, 5)).startsWith(AQString("34\xB0 36' 12.5")));
    QVERIFY2(g.Celda(3, 5).empty(), "zone 277");
    QVERIFY2(g.Celda(4, 5).empty(), "zone 300");
}

// A geographic destination: column 8 is left alone and the DMS results leave the extents unset.
void TestLote::extensiones() {
    auto v = CrearVentana();
    LlenarGrilla(v, 1, 0, 1, {{"1", "6172000.0", "5631000.0", "12", "5"}});
    v->ModeloGrilla->FijarCelda(2, 8, "previo");
    v->spSkinXFormButton1->click();
    QCOMPARE(v.Estado().Convertido, uint8_t(1));
    const std::string lat = v->ModeloGrilla->Celda(2, 5);
    QVERIFY2(lat.find('\xB0') != std::string::npos && lat.back() == 'S', lat.c_str());
    QCOMPARE(QString::fromStdString(v->ModeloGrilla->Celda(2, 8)), QString("previo"));
    QVERIFY(v.Estado().ConteoGrilla.Extension.Vacia());
}

void TestLote::sinConversionNoGuarda() {
    QTemporaryDir dir;
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->SD->FijarSiguiente(dir.filePath("puntos"), 1);
    v->Guardar->click();
    QCOMPARE(
        UltimoMensaje(v),
        AQString(
            "No se ha realizado ningun proceso conversi\xF3n.\n\rLa acci\xF3n guardar ser\xE1 cancelado."));
    QCOMPARE(v->Mensajes().back().tipo, TMensaje::Informacion);
    QVERIFY(!QFile::exists(dir.filePath("puntos.dat")));
    // A kind change after a conversion clears Convertido: the same message.
    v->spSkinXFormButton1->click();
    v->cbDestino->setCurrentIndex(2);
    v->Guardar->click();
    QCOMPARE(v->Mensajes().size(), std::size_t(2));
    QVERIFY(!QFile::exists(dir.filePath("puntos.dat")));
}

// The grid layout, byte for byte: numbered after the row, ", " between values, the zone after a
// comma without blank, the failed-row form, no line for an empty row, the degree sign as one byte.
void TestLote::datGrilla() {
    QTemporaryDir dir;
    auto v = CrearVentana();
    LlenarGrilla(v, 0, 1, 0,
                 {{"", "a", "", "", ""},
                  {"", "b", "", "", ""},
                  {"", "", "", "", ""},
                  {"", "c", "", "", ""},
                  {"", "d", "", "", ""}});
    v->spSkinXFormButton1->click();  // nothing converts; the results are typed in afterwards
    TModeloGrilla &g = *v->ModeloGrilla;
    const std::vector<std::array<std::string, 4>> resultados = {
        {"6181234.5", "5512345.25", "25", "5"},
        {"", "", "", ""},
        {"", "", "", ""},
        {"12.5", "7.25", "", "3"},
        {"34\xB0 36' 12.50000\" S", "58\xB0 22' 54.30000\" W", "25.0", ""}};
    for (int i = 0; i < 5; ++i)
        for (int c = 0; c < 4; ++c) g.FijarCelda(2 + i, 5 + c, resultados[i][c]);
    v->SD->FijarSiguiente(dir.filePath("puntos"), 1);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v),
             AQString(kDATBien) + AQString("\n3 puntos convertidos, 1 con error: los puntos con "
                                           "error quedaron sin valores."));
    const std::string esperado =
        "1, 6181234.5, 5512345.25, 25,5\r\n"
        "2, , \r\n"
        "4, 12.5, 7.25,3\r\n"
        "5, 34\xB0 36' 12.50000\" S, 58\xB0 22' 54.30000\" W, 25.0\r\n";
    QCOMPARE(Leer(dir.filePath("puntos.dat")), esperado);
    QCOMPARE(v->BarProgreso->Valor(), 100);
    QCOMPARE(v->BarProgreso->Etiqueta(), QString("Grabando puntos.dat"));
}

// Saving over an existing ".DAT" asks first; Cancel leaves the old file as it was and reports the
// failure, OK replaces it. No temporary file stays behind either way.
void TestLote::sobreescribir() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("viejo.dat");
    Escribir(ruta, "VIEJO\r\n");
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();

    RespuestaConfirmacion() = TMensaje::BotonCancelar;
    v->SD->FijarSiguiente(ruta, 1);
    v->Guardar->click();
    const auto &m = v->Mensajes();
    QCOMPARE(m.size(), std::size_t(2));
    QCOMPARE(m[0].tipo, TMensaje::Confirmacion);
    QCOMPARE(m[0].botones, TMensaje::OkCancelar);
    QCOMPARE(m[0].texto, AQString("Est\xE1 por sobreescribir el archivo: \n\rviejo.dat\n\r\xBF"
                                  "Desea continuar el procesos?"));
    QCOMPARE(m[1].texto, AQString(kDATMal));
    QCOMPARE(Leer(ruta), std::string("VIEJO\r\n"));
    // A dialog left open by an earlier save goes too.
    v->BarProgreso->FijarValor(0);
    v->BarProgreso->Mostrar();
    v->SD->FijarSiguiente(ruta, 1);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString(kDATMal));
    QVERIFY(!v->BarProgreso->isVisible());

    RespuestaConfirmacion() = TMensaje::BotonOk;
    v->SD->FijarSiguiente(ruta, 1);
    v->Guardar->click();
    QVERIFY(UltimoMensaje(v).startsWith(AQString(kDATBien)));
    const std::string nuevo = Leer(ruta);
    QVERIFY(nuevo.rfind("1, ", 0) == 0);
    QCOMPARE(std::count(nuevo.begin(), nuevo.end(), '\n'), 4L);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"viejo.dat"});
}

// A save that cannot complete leaves the existing file untouched and no partial file, closes its
// progress dialog and says why in Spanish: here a large file of which no point converted (the grid
// shows points that converted nowhere in the file's output), and a folder that does not exist.
void TestLote::falloConservaArchivo() {
    QTemporaryDir dir, entradas;
    const QString ruta = dir.filePath("previo.dat");
    Escribir(ruta, "PREVIO\r\n");
    auto v = CrearVentana();
    std::string malas;
    for (int i = 0; i < 50001; ++i) malas += "abc,def\r\n";
    Escribir(entradas.filePath("malas.txt"), malas);
    TRespuestaOpciones opciones;
    ResponderOpciones(&opciones);
    Abrir(v, entradas.filePath("malas.txt"));
    ResponderOpciones(nullptr);
    QCOMPARE(v.Estado().ArchivoGrande, uint8_t(1));
    QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
    v->spSkinXFormButton1->click();
    QVERIFY(fin.wait(60000));
    v->SD->FijarSiguiente(ruta, 1);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString("Ning\xFAn punto se pudo convertir: no hay nada que guardar."));
    QCOMPARE(Leer(ruta), std::string("PREVIO\r\n"));
    QVERIFY(!v->BarProgreso->isVisible());

    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    v->SD->FijarSiguiente(dir.filePath("no/existe/puntos"), 1);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString(kDATMal) + "\n\rNo se puede crear '" +
                                   dir.filePath("no/existe/puntos.dat") +
                                   "': no existe el archivo o la carpeta");
    QVERIFY(!v->BarProgreso->isVisible());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"previo.dat"});
}

// Saving through a symbolic link replaces the file it leads to and keeps the link.
void TestLote::enlaceSeConserva() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("datos"));
    Escribir(dir.filePath("datos/real.dat"), "VIEJO\r\n");
    QVERIFY(QFile::link("datos/real.dat", dir.filePath("enlace.dat")));
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    v->SD->FijarSiguiente(dir.filePath("enlace.dat"), 1);
    v->Guardar->click();
    QVERIFY(UltimoMensaje(v).startsWith(AQString(kDATBien)));
    QVERIFY(QFileInfo(dir.filePath("enlace.dat")).isSymLink());
    QVERIFY(Leer(dir.filePath("datos/real.dat")).rfind("1, ", 0) == 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"datos", "enlace.dat"}));
    QCOMPARE(QDir(dir.filePath("datos")).entryList(QDir::Files), QStringList{"real.dat"});
}

// The extension follows the filter; the test for an existing one is case-sensitive over the path.
void TestLote::extension_data() {
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<int>("filtro");
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("puntos") << "puntos" << 1 << "puntos.dat" << AQString(kDATBien);
    QTest::newRow("puntos.DAT") << "puntos.DAT" << 1 << "puntos.DAT" << AQString(kDATBien);
    QTest::newRow("puntos.Dat") << "puntos.Dat" << 1 << "puntos.Dat.dat" << AQString(kDATBien);
    QTest::newRow("puntos.dxf como texto") << "puntos.dxf" << 1 << "puntos.dxf.dat" << AQString(kDATBien);
    QTest::newRow("carpeta datos.dat") << "datos.dat/puntos" << 1 << "datos.dat/puntos" << AQString(kDATBien);
    QTest::newRow("plano") << "plano" << 2 << "plano.dxf" << AQString(kDXFBien);
    QTest::newRow("plano.DXF") << "plano.DXF" << 2 << "plano.DXF" << AQString(kDXFBien);
    QTest::newRow("plano.dat como dibujo") << "plano.dat" << 2 << "plano.dat.dxf" << AQString(kDXFBien);
}

void TestLote::extension() {
    QFETCH(QString, escrito);
    QFETCH(int, filtro);
    QFETCH(QString, archivo);
    QFETCH(QString, mensaje);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("datos.dat");
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    v->SD->FijarSiguiente(dir.filePath(escrito), filtro);
    v->Guardar->click();
    QVERIFY2(UltimoMensaje(v).startsWith(mensaje), qPrintable(UltimoMensaje(v)));
    QVERIFY2(QFile::exists(dir.filePath(archivo)), qPrintable(archivo));
    QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    int archivos = 0;
    while (it.hasNext()) it.next(), ++archivos;
    QCOMPARE(archivos, 1);
}

// GDAL's DXF reader finds one point per converted row at (Y east, X north, height) and one text
// with the row's label 10 units above it; the header's limits are the extents.
void TestLote::dxfLeidoPorGdal() {
    QTemporaryDir dir;
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    v->SD->FijarSiguiente(dir.filePath("plano"), 2);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v),
             AQString(kDXFBien) + AQString("\n3 puntos convertidos, 1 con error: los puntos "
                                           "con error no est\xE1n en el dibujo."));
    const QString ruta = dir.filePath("plano.dxf");
    const std::string dxf = Leer(ruta);
    QVERIFY(dxf.rfind("0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$LIMMIN\r\n10\r\n0.000\r\n20\r\n0.000\r\n9\r\n$"
                      "LIMMAX\r\n10\r\n",
                      0) == 0);

    const QString ogrinfo = QStandardPaths::findExecutable("ogrinfo");
    if (ogrinfo.isEmpty()) QSKIP("ogrinfo (gdal-bin) is not installed");
    QProcess p;
    p.start(ogrinfo, {"-al", "-q", ruta});
    QVERIFY(p.waitForFinished(30000));
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    // Features: "Text (String) = label" (absent or empty for points), then "POINT Z (e n h)".
    struct Rasgo {
        QString texto;
        double e, n, h;
    };
    std::vector<Rasgo> rasgos;
    QString texto;
    const QRegularExpression rePunto(R"(POINT Z \(([-0-9.e+]+) ([-0-9.e+]+) ([-0-9.e+]+)\))");
    for (const QString &l : salida.split('\n')) {
        const QString t = l.trimmed();
        if (t.startsWith("OGRFeature")) texto.clear();
        if (t.startsWith("Text (String) = ")) texto = t.mid(16);
        const auto m = rePunto.match(t);
        if (m.hasMatch())
            rasgos.push_back(
                {texto, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()});
    }
    QCOMPARE(rasgos.size(), std::size_t(6));
    const TModeloGrilla &g = *v->ModeloGrilla;
    const char *etiquetas[] = {"1", "3", "PF-12"};
    for (int i = 0; i < 3; ++i) {
        const int fila = kFilaDePunto[i];
        const double e = Num(g.Celda(fila, 6)), n = Num(g.Celda(fila, 5));
        const double h = g.Celda(fila, 7).empty() ? 0 : Num(g.Celda(fila, 7));
        bool punto = false, rotulo = false;
        for (const Rasgo &r : rasgos) {
            const bool mismaEH = std::fabs(r.e - e) < 6e-4 && std::fabs(r.h - h) < 6e-4;
            if (mismaEH && std::fabs(r.n - n) < 6e-4 && r.texto.isEmpty()) punto = true;
            if (mismaEH && std::fabs(r.n - (n + 10)) < 6e-4 && r.texto == etiquetas[i]) rotulo = true;
        }
        QVERIFY2(punto, etiquetas[i]);
        QVERIFY2(rotulo, etiquetas[i]);
    }
}

// The degrees-minutes-seconds results of a geographic destination cannot be drawn: the failure is
// reported and no file is left.
void TestLote::dxfGeograficoFalla() {
    QTemporaryDir dir;
    auto v = CrearVentana();
    LlenarGrilla(v, 1, 0, 1, {{"1", "6172000.0", "5631000.0", "12", "5"}});
    v->spSkinXFormButton1->click();
    v->SD->FijarSiguiente(dir.filePath("plano"), 2);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString(kDXFMal) + AQString("\nUn dibujo necesita coordenadas planas: elija "
                                                            "Gauss-Kr\xFCger o UTM como destino."));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// No row converted: nothing to save. The save is refused before the dialog and writes no file.
void TestLote::dxfSinPuntos() {
    QTemporaryDir dir;
    auto v = CrearVentana();
    LlenarGrilla(v, 0, 1, 0, {{"1", "3a\xB0 10' 0\" S", "58\xB0 22' 54.3\" W", "", ""}});
    v->spSkinXFormButton1->click();
    QCOMPARE(v.Estado().Convertido, uint8_t(1));
    v->SD->FijarSiguiente(dir.filePath("vacio"), 2);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), AQString("Ning\xFAn punto se pudo convertir: no hay nada que guardar."));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

namespace {
// The grid's own editor, once it has the focus.
QLineEdit *EditorDeLaGrilla(TVentana &v) {
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    return editor && editor != v->Campo && v->Grilla->isAncestorOf(editor) ? editor : nullptr;
}
}  // namespace

// DMS grid: Campo opens over the cell with its text; a typed latitude is stored as typed; a letter
// among the degrees shows "Error" and leaving keeps the old value.
void TestLote::campoGrillaDMS() {
    auto v = VentanaVisible();
    QVERIFY(QTest::qWaitForWindowActive(v.get()));
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    const QString cuenta = v->Msg->text();  // the conversion's counts stay after the editing below
    DobleClic(v, 2, 1);
    QTRY_VERIFY(v->Campo->isVisible());
    QCOMPARE(DeQString(v->Campo->text()), kBuenos[0].lat);
    const QRect celda = v->Grilla->visualRect(v->ModeloGrilla->index(2, 1));
    const QPoint origen = v->Grilla->viewport()->mapTo(v.get(), celda.topLeft());
    QCOMPARE(v->Campo->geometry(), QRect(origen, QSize(celda.width() - 1, celda.height() - 2)));
    QVERIFY(v->Campo->hasFocus());

    const std::string nueva = "35\xB0 10' 20.5\" S";
    v->Campo->selectAll();
    v->Campo->del();
    v->Campo->setText(AQString(nueva));
    QTest::keyClick(v->Campo, Qt::Key_Return);  // Enter acts as Tab: Campo loses the focus
    QTRY_VERIFY(!v->Campo->isVisible());
    QCOMPARE(v->ModeloGrilla->Celda(2, 1), nueva);
    QCOMPARE(v.Estado().Convertido, uint8_t(1));
    // The edited row's results belonged to its old latitude: gone, and counted apart.
    QVERIFY(v->ModeloGrilla->Celda(2, 5).empty());
    QCOMPARE(v->Msg->text(), AQString("2 puntos convertidos, 1 con error, 1 fila editada sin convertir"));
    QVERIFY(cuenta.startsWith(QStringLiteral("3 puntos convertidos")));

    // A letter typed among the degrees.
    DobleClic(v, 4, 2);
    QTRY_VERIFY(v->Campo->isVisible());
    QCOMPARE(DeQString(v->Campo->text()), kBuenos[1].lon);
    v->Campo->setCursorPosition(1);
    QTest::keyClicks(v->Campo, "x");
    QCOMPARE(v->Msg->text(), QString("Error"));
    v->Campo->setText(AQString("6x\xB0 11' 0\" W"));
    QTest::keyClick(v->Campo, Qt::Key_Return);
    QTRY_VERIFY(!v->Campo->isVisible());
    QCOMPARE(v->ModeloGrilla->Celda(4, 2), kBuenos[1].lon);

    // The pointer moving over the page puts Campo away; a text that fits the mask is kept.
    DobleClic(v, 6, 1);
    QTRY_VERIFY(v->Campo->isVisible());
    v->Campo->setText(AQString("54\xB0 50' 0\" S"));
    QMouseEvent mover(QEvent::MouseMove, QPointF(3, 3), v->TSTransf->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(v->TSTransf, &mover);
    QVERIFY(!v->Campo->isVisible());
    QCOMPARE(v->ModeloGrilla->Celda(6, 1), std::string("54\xB0 50' 0\" S"));
}

// Decimal grid: Campo shows the DMS text of -34.5 (34° 30', 0 seconds, S; without the seconds'
// alignment blank, which the mask refuses); leaving unchanged stores -34.5 with 13 decimals, and an
// unchanged angle keeps the precision its seconds text does not show. A longitude typed in DMS is stored in
// decimal.
void TestLote::campoGrillaDecimal() {
    auto v = VentanaVisible();
    QVERIFY(QTest::qWaitForWindowActive(v.get()));
    LlenarGrilla(v, 0, 1, 1, {{"1", "-34.5", "-58.25", "", ""}});
    DobleClic(v, 2, 1);
    QTRY_VERIFY(v->Campo->isVisible());
    QCOMPARE(DeQString(v->Campo->text()), std::string("34\xB0 30' 0.00000\" S"));
    QTest::keyClick(v->Campo, Qt::Key_Return);
    QTRY_VERIFY(!v->Campo->isVisible());
    QCOMPARE(v->ModeloGrilla->Celda(2, 1), std::string("-34.5000000000000"));

    DobleClic(v, 2, 2);
    QTRY_VERIFY(v->Campo->isVisible());
    QCOMPARE(DeQString(v->Campo->text()), std::string("58\xB0 15' 0.00000\" W"));
    v->Campo->setText(AQString("58\xB0 45' 0\" W"));
    QTest::keyClick(v->Campo, Qt::Key_Return);
    QTRY_VERIFY(!v->Campo->isVisible());
    QCOMPARE(v->ModeloGrilla->Celda(2, 2), std::string("-58.7500000000000"));

    v->ModeloGrilla->FijarCelda(2, 1, "-34.0500000000001");
    DobleClic(v, 2, 1);
    QTRY_VERIFY(v->Campo->isVisible());
    QCOMPARE(DeQString(v->Campo->text()), std::string("34\xB0 3' 0.00000\" S"));
    QTest::keyClick(v->Campo, Qt::Key_Return);
    QTRY_VERIFY(!v->Campo->isVisible());
    QCOMPARE(v->ModeloGrilla->Celda(2, 1), std::string("-34.0500000000001"));
}

// Plane sources and the height column use the grid's own editor, which takes any text.
// Typing on a geographic cell opens Campo with the typed digit in place of the old text, and the
// mask completes it as in the interactive fields.
void TestLote::campoTomaLaTeclaQueLoAbre() {
    auto v = VentanaVisible();
    QVERIFY(QTest::qWaitForWindowActive(v.get()));
    LlenarGeoDMS(v);
    v->Grilla->setFocus();
    v->Grilla->setCurrentIndex(v->ModeloGrilla->index(2, 1));
    QTest::keyClick(v->Grilla, Qt::Key_3);
    QTRY_VERIFY(v->Campo->isVisible());
    QCOMPARE(v->Campo->text(), QString("3"));
    QTest::keyClick(v->Campo, Qt::Key_5);
    QCOMPARE(DeQString(v->Campo->text()), std::string("35\xB0 "));
}

void TestLote::campoNoParaPlanasNiAltura() {
    auto v = VentanaVisible();
    QVERIFY(QTest::qWaitForWindowActive(v.get()));
    LlenarGrilla(v, 1, 0, 1, {{"1", "6172000.0", "5631000.0", "12", "5"}});
    DobleClic(v, 2, 1);
    QTRY_VERIFY(EditorDeLaGrilla(v));
    QVERIFY(!v->Campo->isVisible());
    QLineEdit *editor = EditorDeLaGrilla(v);
    QTest::keyClicks(editor, "abc");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QString::fromStdString(v->ModeloGrilla->Celda(2, 1)), QString("abc"));

    LlenarGrilla(v, 0, 1, 0, {{"1", kBuenos[0].lat, kBuenos[0].lon, "", ""}});
    DobleClic(v, 2, 3);
    QTRY_VERIFY(EditorDeLaGrilla(v));
    QVERIFY(!v->Campo->isVisible());
    QCOMPARE(v.Estado().ColEditada, 3);
    QCOMPARE(v.Estado().FilaEditada, 2);
}

// CSV and GeoJSON of the grid: the type follows the filter and completes the extension; the name is
// the point column without its markup; a failed row stays as a CSV row without values and is left
// out of the map, and the message says so. The points are placed from their results on the frame of
// the convert command, also after the destination frame was switched.
void TestLote::paraOtrosProgramas_data() {
    QTest::addColumn<int>("filtro");
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("csv") << 3 << "puntos.csv"
                         << AQString(
                                "El Archivo .CSV ha sido Creado Exitosamente\n3 puntos convertidos, 1 con "
                                "error: los puntos con error quedaron sin valores.\nSin archivo .prj: los "
                                "puntos est\xE1n en varias fajas o zonas y un .prj nombra un solo sistema.");
    QTest::newRow("geojson") << 4 << "puntos.geojson"
                             << AQString(
                                    "El Archivo .GEOJSON ha sido Creado Exitosamente\n3 puntos "
                                    "convertidos, 1 con error: los puntos con error no est\xE1n en el "
                                    "archivo.");
}

void TestLote::paraOtrosProgramas() {
    QFETCH(int, filtro);
    QFETCH(QString, archivo);
    QFETCH(QString, mensaje);
    QTemporaryDir dir;
    auto v = CrearVentana();
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    v->BotonesDestino->button(1)->setChecked(true);  // after the conversion: the results stay POSGAR 94
    v->SD->FijarSiguiente(dir.filePath("puntos"), filtro);
    v->Guardar->click();
    QCOMPARE(UltimoMensaje(v), mensaje);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{archivo});
    const TModeloGrilla &g = *v->ModeloGrilla;
    const char *nombres[] = {"1", "3", "PF-12"};
    if (filtro == 3) {
        const QStringList filas = QString::fromStdString(Leer(dir.filePath(archivo))).split("\r\n");
        QCOMPARE(filas.size(), 6);  // the header, four points, and nothing after the last CR LF
        QCOMPARE(filas[0], QString("\xEF\xBB\xBFnombre,norte,este,altura,faja"));
        int k = 1;
        for (int fila : {2, 3, 4, 6}) {
            std::vector<std::string> valores;
            for (int col = 5; col <= 8; ++col) valores.push_back(g.Celda(fila, col));
            // Point "3" was given no height: its default one is the .DAT's alone.
            QVERIFY2(FilaCsvComo(filas[k].toStdString(), std::string(SinNegrita(g.Celda(fila, 0))), valores,
                                 !SinNegrita(g.Celda(fila, 3)).empty()),
                     qPrintable(filas[k]));
            ++k;
        }
        QVERIFY2(filas[3].startsWith("3,") && filas[3].split(',').at(3).isEmpty(), qPrintable(filas[3]));
        return;
    }
    const QString ogrinfo = QStandardPaths::findExecutable("ogrinfo");
    if (ogrinfo.isEmpty()) QSKIP("ogrinfo (gdal-bin) is not installed");
    const std::vector<RasgoMapa> rasgos = LeerMapa(ogrinfo, dir.filePath(archivo));
    QCOMPARE(rasgos.size(), std::size_t(3));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(rasgos[i].nombre, QString(nombres[i]));
        QVERIFY2(std::fabs(rasgos[i].lat - kBuenos[i].latGrados) < 1e-9, nombres[i]);
        QVERIFY2(std::fabs(rasgos[i].lon - kBuenos[i].lonGrados) < 1e-9, nombres[i]);
    }
}

// A name field: the grid's point column shows each name as plain text (the number, bold, where a
// line has none), the drawing labels the points with them, and the .DAT is byte for byte the one
// of the same file read without names.
void TestLote::nombresDePuntos() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("nombres.txt");
    Escribir(ruta, "Nombre;Latitud;Longitud\r\nMoj\xF3n 1;-34.5;-58.4\r\n;-38.0;-65.25\r\nP3;95;-58\r\n");
    auto v = VentanaVisible();
    v.get()->resize(1150, 445);
    TRespuestaOpciones opciones{"2", "2", "3", "0", "0", 1};
    const auto guardar = [&](const QString &nombre, int filtro) {
        v->SD->FijarSiguiente(dir.filePath(nombre), filtro);
        v->Guardar->click();
        return Leer(dir.filePath(nombre));
    };
    ResponderOpciones(&opciones);
    Abrir(v, ruta);
    v->spSkinXFormButton1->click();
    const std::string sinNombres = guardar("sin.dat", 1);

    opciones.nombre = "1";
    Abrir(v, ruta);
    ResponderOpciones(nullptr);
    const TModeloGrilla &g = *v->ModeloGrilla;
    QCOMPARE(g.Celda(2, 0), std::string("Moj\xF3n 1"));
    QCOMPARE(g.Celda(3, 0), Negrita("2"));
    QCOMPARE(g.Celda(4, 0), std::string("P3"));
    QFont negrita = v->Grilla->font();
    negrita.setBold(true);
    QVERIFY(v->Grilla->columnWidth(0) > QFontMetrics(negrita).horizontalAdvance(AQString("Moj\xF3n 1")));
    v->spSkinXFormButton1->click();
    QVERIFY(v.get()->grab().save(Capturas() + "/archivos_nombres.png"));
    QCOMPARE(guardar("con.dat", 1), sinNombres);
    QVERIFY(sinNombres.rfind("1, ", 0) == 0);
    const std::string dxf = guardar("con.dxf", 2);
    QVERIFY(dxf.find("\r\n1\r\nMoj\xF3n 1\r\n") != std::string::npos);
    QVERIFY(dxf.find("\r\n1\r\n2\r\n") != std::string::npos);
    QVERIFY(dxf.find("P3") == std::string::npos);  // failed: not drawn

    // A UTF-8 file's name that Windows-1252 cannot hold: '?' in the grid and the drawing, whose
    // message counts it, and whole in the CSV.
    const std::string lodz =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA \xE2\x80\x93 \xE2\x9C\x93";  // Łódź – ✓
    Escribir(ruta, "Nombre;Latitud;Longitud\r\n" + lodz +
                       ";-34.5;-58.4\r\nCa\xC3\xB1"
                       "ada;-38.0;-65.25\r\n");
    ResponderOpciones(&opciones);
    Abrir(v, ruta);
    ResponderOpciones(nullptr);
    QCOMPARE(g.Celda(2, 0), std::string("?\xF3"
                                        "d? \x96 ?"));
    v->spSkinXFormButton1->click();
    const std::string dibujo = guardar("utf8.dxf", 2);
    QVERIFY(dibujo.find("\r\n1\r\n?\xF3"
                        "d? \x96 ?\r\n") != std::string::npos);
    QVERIFY2(
        UltimoMensaje(v).endsWith(AQString("\n1 nombre de punto cambi\xF3 en el dibujo: los caracteres que "
                                           "Windows-1252 no tiene quedaron como '?'.")),
        qPrintable(UltimoMensaje(v)));
    const std::string csv = guardar("utf8.csv", 3);
    QVERIFY2(csv.find("\r\n" + lodz + ",") != std::string::npos, csv.c_str());
    QVERIFY(csv.find("\r\nCa\xC3\xB1"
                     "ada,") != std::string::npos);
}

// The tab after a conversion, saved for a look: the refused row shows in its colour; to geographic
// Campo Inchauspe, the longest DMS longitude shows whole, hemisphere letter included.
void TestLote::captura() {
    auto v = VentanaVisible();
    v.get()->resize(1150, 445);  // wide enough to show the result columns beside the input
    LlenarGeoDMS(v);
    v->spSkinXFormButton1->click();
    const QImage imagen = v.get()->grab().toImage();
    QVERIFY(imagen.save(Capturas() + "/archivos_convertido.png"));
    const QRect fallida = v->Grilla->visualRect(v->ModeloGrilla->index(3, 5));
    const QPoint fondo =
        v->Grilla->viewport()->mapTo(v.get(), QPoint(fallida.right() - 3, fallida.center().y()));
    QCOMPARE(imagen.pixelColor(fondo), QColor(250, 208, 208));

    v->cbDestino->setCurrentIndex(0);
    v->BotonesDestino->button(1)->setChecked(true);
    v->spSkinXFormButton1->click();
    const QFontMetrics medida(v->Grilla->font());
    for (int fila : {2, 4, 6})
        for (int col : {5, 6}) {
            const QString texto = AQString(v->ModeloGrilla->Celda(fila, col));
            QVERIFY2(texto.endsWith(col == 5 ? 'S' : 'W'), qPrintable(texto));
            QVERIFY2(medida.horizontalAdvance(texto) + 6 <= v->Grilla->columnWidth(col), qPrintable(texto));
        }
    QVERIFY(v.get()->grab().save(Capturas() + "/archivos_geografico.png"));
}

QTEST_MAIN(TestLote)
#include "test_lote.moc"
