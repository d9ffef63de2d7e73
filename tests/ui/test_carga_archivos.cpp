// The "Archivos" tab of the real window: start titles, source and destination kind changes, the
// open command through its seams (delimited file, GPS waypoint file, cancelling), the 50000-line
// limit with its message and the segment files, I/O errors, Enter in the dialog, and a picture.
#include <QDir>
#include <QDirIterator>
#include <QProgressBar>
#include <csignal>
#include <sys/resource.h>
#include "archivos.h"
#include "segmentos.h"
#include "ventana_prueba.h"

class TestArchivos : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    TVentana v_{false};
    TRespuestaOpciones r_;

    QString Archivo(const QString &nombre, const QByteArray &datos) {
        const QString ruta = dir_.filePath(nombre);
        QFile a(ruta);
        a.open(QIODevice::WriteOnly);
        a.write(datos);
        return ruta;
    }
    QString ArchivoDeLineas(const QString &nombre, int n) {
        QByteArray datos;
        datos.reserve(n * 24);
        for (int i = 1; i <= n; ++i)
            datos += "P" + QByteArray::number(i) + ",-34." + QByteArray::number(i) + ",-58.4\r\n";
        return Archivo(nombre, datos);
    }
    void Abrir(const QString &ruta) { ::Abrir(v_, ruta); }
    const std::string &C(int f, int c) { return v_->ModeloGrilla->Celda(f, c); }
    std::vector<TMensaje::Registro> &Mensajes() { return v_->Mensajes(); }
    const TFConv::TEstado &E() const { return v_.Estado(); }
    // The convert command on whatever the grid holds (its rows may all fail): Convertido becomes 1.
    void Convertir() {
        v_->spSkinXFormButton1->click();
        QCOMPARE(int(E().Convertido), 1);
    }
    int LineasDe(const std::string &ruta) {
        QFile a(QString::fromStdString(ruta));
        if (!a.open(QIODevice::ReadOnly)) return -1;
        return a.readAll().count('\n');
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
        ResponderOpciones(&r_);
    }
    void cleanupTestCase() { ResponderOpciones(nullptr); }
    void init() {
        r_ = TRespuestaOpciones();
        v_.Crear();
        v_->spSPC->setCurrentWidget(v_->TSTransf);
    }
    void cleanup() {
        delete FormOpciones;
        v_.reset();
    }

    // A file dropped anywhere on the window, a field of "Conversión" included, opens in "Archivos" as
    // the open command opens it: the tab comes to the front, the read options are asked, the rows
    // load, and the field does not take the path as text. A folder is not taken.
    void soltarArchivo() {
        const QString ruta = Archivo("soltado.txt", "-34.5,-58.4\r\n-35.5,-59.4\r\n");
        r_.modo = 1;
        v_->spSPC->setCurrentWidget(v_->TSConv);
        QVERIFY(Soltar(v_->Elat, ruta));
        QTRY_COMPARE(r_.llamadas, 1);
        QCOMPARE(v_->spSPC->currentWidget(), v_->TSTransf);
        QCOMPARE(v_->ModeloGrilla->Filas(), 4);
        QCOMPARE(C(2, 1), std::string("-34.5"));
        QCOMPARE(C(3, 2), std::string("-59.4"));
        QCOMPARE(int(E().OpcionesLeidas), 1);
        QVERIFY(v_->spOpcArch->isEnabled());
        QVERIFY(v_->Elat->text().isEmpty());
        QVERIFY(!Soltar(v_->Grilla, dir_.path()));
    }

    void estadoInicial() {
        QCOMPARE(v_->ModeloGrilla->Filas(), 15);
        QCOMPARE(v_->Grilla->objectName(), QString("Grilla"));
        QCOMPARE(v_->Grilla->model(), static_cast<QAbstractItemModel *>(v_->ModeloGrilla));
        QCOMPARE(C(0, 1), Negrita("Coordenadas Geogr\xE1"
                                  "ficas"));
        QCOMPARE(C(0, 5), Negrita("Coordenadas Planas GK"));
        const std::string fila1[9] = {
            Negrita("Punto"),     Negrita("Latitud"),  Negrita("Longitud"), Negrita("Altura Elips."), "",
            Negrita("X (Norte)"), Negrita("Y (Este)"), Negrita("Altura"),   Negrita("Faja")};
        for (int c = 0; c < 9; ++c) QCOMPARE(C(1, c), fila1[c]);
        for (int f = 2; f < 15; ++f)
            for (int c = 0; c < 9; ++c) QVERIFY(C(f, c).empty());
        QVERIFY(!v_->spOpcArch->isEnabled());
        QCOMPARE(int(E().Lectura.ModoDecimal), 0);
        QCOMPARE(v_->BotonesFuente->checkedId(), 0);
        QCOMPARE(v_->BotonesDestino->checkedId(), 0);
        QCOMPARE(v_->cbFuente->currentText(), QString(" GEO"));
        QCOMPARE(v_->cbDestino->currentText(), QString(" GK"));
        QCOMPARE(v_->cbDestino->itemText(0), QString("GEO"));
        QCOMPARE(v_->Grilla->columnSpan(0, 1), 4);
        QCOMPARE(v_->Grilla->columnSpan(0, 5), 4);
    }

    void cambioDeFuente_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("altura");
        QTest::addColumn<QString>("zona");
        QTest::addColumn<int>("modoDecimal");
        QTest::newRow("utm") << 2 << "Coordenadas Planas  UTM"
                             << "X (Norte)"
                             << "Altura"
                             << "Zona" << 1;
        QTest::newRow("gk") << 1 << "Coordenadas Planas  GK"
                            << "X (Norte)"
                            << "Altura"
                            << "Faja" << 1;
        QTest::newRow("gps") << 3
                             << AQString(
                                    "Coordenadas Geogr\xE1"
                                    "ficas")
                             << "Latitud"
                             << "Altura Elips."
                             << "" << 0;
    }
    void cambioDeFuente() {
        QFETCH(int, item);
        QFETCH(QString, titulo);
        QFETCH(QString, x);
        QFETCH(QString, altura);
        QFETCH(QString, zona);
        QFETCH(int, modoDecimal);
        v_->ModeloGrilla->FijarFilas(40);
        v_->ModeloGrilla->FijarCelda(2, 1, "dato");
        v_->ModeloGrilla->FijarCelda(20, 1, "dato");
        Convertir();
        v_->cbFuente->setCurrentIndex(item);
        QCOMPARE(C(0, 1), Negrita(DeQString(titulo)));
        QCOMPARE(C(1, 1), Negrita(DeQString(x)));
        QCOMPARE(C(1, 3), Negrita(DeQString(altura)));
        QCOMPARE(C(1, 4), zona.isEmpty() ? std::string() : Negrita(DeQString(zona)));
        QCOMPARE(int(E().Lectura.ModoDecimal), modoDecimal);
        QCOMPARE(int(E().Convertido), 0);
        QCOMPARE(v_->ModeloGrilla->Filas(), 15);
        for (int f = 2; f < 15; ++f)
            for (int c = 0; c < 9; ++c) QVERIFY(C(f, c).empty());
        QCOMPARE(v_->Grilla->columnSpan(0, 1), 4);
    }

    void vueltaAGeoConservaModoDecimal() {
        v_->cbFuente->setCurrentIndex(2);
        v_->cbFuente->setCurrentIndex(0);
        QVERIFY(C(1, 4).empty());
        QCOMPARE(C(1, 2), Negrita("Longitud"));
        QCOMPARE(int(E().Lectura.ModoDecimal), 1);
    }

    void cambioDeDestino() {
        v_->ModeloGrilla->FijarFilas(4);
        v_->ModeloGrilla->FijarCelda(2, 1, "dato");
        Convertir();
        for (int c = 1; c < 9; ++c) v_->ModeloGrilla->FijarCelda(3, c, "v" + std::to_string(c));
        v_->cbDestino->setCurrentIndex(0);
        QCOMPARE(C(0, 5), std::string("<p align=\"center\"><b>Coordenas Geogr\xE1"
                                      "ficas</b></p>"));
        QCOMPARE(C(1, 5), Negrita("Latitud"));
        QCOMPARE(C(1, 7), Negrita("Altura Elips."));
        QVERIFY(C(1, 8).empty());
        QCOMPARE(int(E().Convertido), 0);
        QCOMPARE(v_->ModeloGrilla->Filas(), 4);
        for (int c = 1; c < 5; ++c) QCOMPARE(C(3, c), "v" + std::to_string(c));
        for (int c = 5; c < 9; ++c) QVERIFY(C(3, c).empty());
        v_->cbDestino->setCurrentIndex(2);
        QCOMPARE(C(0, 5), Negrita("Coordenadas Planas  UTM"));
        QCOMPARE(C(1, 8), Negrita("Zona"));
    }

    void abrirDelimitado() {
        const QString ruta =
            Archivo("puntos.txt",
                    "Nombre,Lat,Lon,Alt\r\nP1,-34.5,-58.4,25\r\nP2, -35.25 , -59.5 ,30\r\n\r\nP4,-36\r\n");
        r_.linea = "2";
        r_.latX = "2";
        r_.lonY = "3";
        r_.altura = "4";
        r_.modo = 1;
        Abrir(ruta);
        QCOMPARE(r_.llamadas, 1);
        QCOMPARE(int(r_.fuenteVista), 0);
        QVERIFY(Mensajes().empty());
        QCOMPARE(v_->ModeloGrilla->Filas(), 6);
        QCOMPARE(C(2, 0), Negrita("1"));
        QCOMPARE(C(2, 1), std::string("-34.5"));
        QCOMPARE(C(2, 2), std::string("-58.4"));
        QCOMPARE(C(2, 3), std::string("25"));
        QCOMPARE(C(3, 1), std::string("-35.25"));  // blanks around a comma-separated field trimmed
        QCOMPARE(C(3, 2), std::string("-59.5"));
        for (int c = 0; c < 9; ++c) QVERIFY(C(4, c).empty());  // empty line, empty row
        for (int c = 0; c < 9; ++c) QVERIFY(C(5, c).empty());  // too short to show
        QCOMPARE(E().Lectura.Delimitador, ',');
        QCOMPARE(int(E().Lectura.LineaInicio), 2);
        QCOMPARE(int(E().Lectura.ColLatX), 2);
        QCOMPARE(int(E().Lectura.ColLonY), 3);
        QCOMPARE(int(E().Lectura.ColAltura), 4);
        QCOMPARE(int(E().Lectura.ColZona), 0);
        QCOMPARE(int(E().OpcionesLeidas), 1);
        QCOMPARE(int(E().Lectura.ModoDecimal), 1);
        QCOMPARE(int(E().ArchivoGrande), 0);
        QCOMPARE(E().TotalLineas, int64_t(5));
        QVERIFY(v_->spOpcArch->isEnabled());
        const TOpcionesLectura o = v_.Opciones();
        QCOMPARE(int(o.ColLatX), 2);
        QCOMPARE(int(o.ModoDecimal), 1);
    }

    // A CR alone ends a line in the preview, the grid and the count, as LF and CR LF do.
    void finDeLineaCR() {
        r_.latX = "2";
        r_.lonY = "3";
        r_.modo = 1;
        Abrir(Archivo("cr.txt", "P1,-34.5,-58.4\rP2,-35.25,-59.5\r\nP3,-36,-60\r"));
        QCOMPARE(int(FormOpciones->CantidadMuestra), 3);
        QCOMPARE(E().TotalLineas, int64_t(3));
        QCOMPARE(v_->ModeloGrilla->Filas(), 5);
        QCOMPARE(C(2, 2), std::string("-58.4"));
        QCOMPARE(C(3, 1), std::string("-35.25"));
        QCOMPARE(C(4, 2), std::string("-60"));
    }

    void abrirUtmConZonaYNumerosDePunto() {
        v_->cbFuente->setCurrentIndex(2);
        QByteArray datos;
        for (int i = 1; i <= 10; ++i)
            datos += i == 7 ? QByteArray("corta\n") : "6150000;" + QByteArray::number(500000 + i) + ";20S\n";
        r_.linea = "5";
        r_.zona = "3";
        Abrir(Archivo("utm.txt", datos));
        QCOMPARE(int(r_.fuenteVista), 2);
        QCOMPARE(E().Lectura.Delimitador, ';');
        QCOMPARE(v_->ModeloGrilla->Filas(), 8);
        QCOMPARE(C(2, 0), Negrita("1"));  // line 5 is point 1 in row 2
        QCOMPARE(C(2, 2), std::string("500005"));
        QCOMPARE(C(2, 4), std::string("20S"));  // the zone as written; the conversion reads it
        QVERIFY(C(4, 0).empty());               // line 7 too short
        QCOMPARE(C(6, 0), Negrita("5"));        // line 9 is point 5 in row 6
        QCOMPARE(int(E().Lectura.ModoDecimal), 1);
    }

    void abrirGeograficoDms() {
        const QByteArray lat = "34\xC2\xB0 36' 12.5\" S";  // written by a UTF-8 editor
        Abrir(Archivo("dms.txt", lat + ";58\xC2\xB0 22' 54.1\" W\n"));
        QCOMPARE(int(E().Lectura.ModoDecimal), 0);
        QCOMPARE(C(2, 1), std::string("34\xB0 36' 12.5\" S"));
    }

    void cancelarElDialogoDeApertura() {
        Abrir(ArchivoDeLineas("a.txt", 3));
        QCOMPARE(v_->ModeloGrilla->Filas(), 5);
        Convertir();
        v_->OD->FijarCancelarSiguiente();
        v_->skAbrir->click();
        QCOMPARE(v_->ModeloGrilla->Filas(), 5);  // the grid keeps what it showed
        QCOMPARE(C(4, 1), std::string("P3"));
        QCOMPARE(int(E().Convertido), 0);
        QCOMPARE(int(E().OpcionesLeidas), 0);
        QCOMPARE(r_.llamadas, 1);
    }

    void cancelarLasOpciones() {
        r_.aceptar = false;
        Abrir(ArchivoDeLineas("b.txt", 3));
        QCOMPARE(r_.llamadas, 1);
        QCOMPARE(v_->ModeloGrilla->Filas(), 15);
        QVERIFY(C(2, 1).empty());
        QCOMPARE(int(E().OpcionesLeidas), 0);
        QVERIFY(v_->spOpcArch->isEnabled());
    }

    void archivoGps_data() {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<int>("modoDecimal");
        QTest::addColumn<QStringList>("esperado");  // name, latitude, longitude per row
        QTest::newRow("decimal")
            << QByteArray(
                   "Cabecera del "
                   "GPS\r\nWP,D,PTO1,-34.5,-58.4,x\r\n\r\n\r\nWP,D,PTO2,-35.1,-59.2,x\r\nWP,D,PTO3,-36,-60,")
            << 1 << QStringList{"PTO1", "-34.5", "-58.4", "PTO2", "-35.1", "-59.2", "PTO3", "-36", "-60"};
        QTest::newRow("dms") << QByteArray("xx,dms,P1,-34 36' 12.5'',-58 22' 54.1'',\n") << 0
                             << QStringList{"P1", AQString("34\xB0 36' 12.5\" S"),
                                            AQString("58\xB0 22' 54.1\" W")};
    }
    void archivoGps() {
        QFETCH(QByteArray, datos);
        QFETCH(int, modoDecimal);
        QFETCH(QStringList, esperado);
        v_->cbFuente->setCurrentIndex(3);
        Abrir(Archivo("gps.txt", datos));
        QCOMPARE(r_.llamadas, 0);  // no read options for a waypoint file
        QCOMPARE(v_->ModeloGrilla->Filas(), 2 + int(esperado.size() / 3));
        for (int i = 0; i < esperado.size() / 3; ++i) {
            QCOMPARE(AQString(C(2 + i, 0)), esperado[3 * i]);
            QCOMPARE(AQString(C(2 + i, 1)), esperado[3 * i + 1]);
            QCOMPARE(AQString(C(2 + i, 2)), esperado[3 * i + 2]);
            for (int c = 3; c < 9; ++c) QVERIFY(C(2 + i, c).empty());
        }
        QCOMPARE(int(E().Lectura.ModoDecimal), modoDecimal);
        QCOMPARE(int(E().OpcionesLeidas), 0);
        QVERIFY(!v_->spOpcArch->isEnabled());
    }

    // The rows of the file opened before would stay without their file (a large file's segments are
    // already gone): they go, and the message says why nothing was loaded.
    void gpsSinMarcaAvisaYVaciaLaGrilla() {
        v_->cbFuente->setCurrentIndex(3);
        v_->ModeloGrilla->FijarCelda(2, 1, "antes");
        Abrir(Archivo("nogps.txt", "uno\ndos,E,3\n"));
        QCOMPARE(v_->ModeloGrilla->Filas(), TModeloGrilla::kFilasTitulo);
        QCOMPARE(int(Mensajes().size()), 1);
        QVERIFY(Mensajes()[0].texto.contains("no es un archivo de puntos GPS"));
    }

    void gpsEnInchauspeSeLeeDelimitado() {
        v_->cbFuente->setCurrentIndex(3);
        v_->BotonesFuente->button(1)->click();
        QCOMPARE(v_->BotonesFuente->checkedId(), 1);
        r_.latX = "4";
        r_.lonY = "5";
        Abrir(Archivo("gps2.txt", "WP,D,PTO1,-34.5,-58.4,x\n"));
        QCOMPARE(r_.llamadas, 1);
        QCOMPARE(int(r_.fuenteVista), 3);
        QCOMPARE(C(2, 1), std::string("-34.5"));
        QCOMPARE(int(E().Lectura.ModoDecimal), 1);
        QCOMPARE(int(E().OpcionesLeidas), 1);
    }

    void limiteDe50000_data() {
        QTest::addColumn<int>("lineas");
        QTest::addColumn<bool>("grande");
        QTest::newRow("50000") << 50000 << false;
        QTest::newRow("50001") << 50001 << true;
    }
    void limiteDe50000() {
        QFETCH(int, lineas);
        QFETCH(bool, grande);
        const QString ruta = ArchivoDeLineas(QString("grande%1.txt").arg(lineas), lineas);
        Abrir(ruta);
        QCOMPARE(v_->ModeloGrilla->Filas(), 50002);
        QCOMPARE(C(50001, 0), Negrita("50000"));
        QCOMPARE(C(50001, 1), std::string("P50000"));
        QCOMPARE(int(E().ArchivoGrande), int(grande));
        const QStringList archivos = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (!grande) {
            QVERIFY(Mensajes().empty());
            QVERIFY(E().BaseSegmento.empty());
            QVERIFY(!E().CarpetaSegmentos);
            return;
        }
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].tipo, TMensaje::Informacion);
        QCOMPARE(Mensajes()[0].texto,
                 AQString("El Archivo a cargar es demasiado grande. Solo se mostrar\xE1n 50000 lineas"));
        // The segments live in a private folder of the system's temporary folder, none beside the file.
        const std::string base = E().BaseSegmento;
        QVERIFY(QString::fromStdString(base).startsWith(QDir::tempPath() + "/zuvelo-"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), archivos);
        for (int k = 0; k < 9; ++k) QCOMPARE(LineasDe(SegmentoEntrada(base, k)), 5000);
        QCOMPARE(LineasDe(SegmentoEntrada(base, 9)), 5001);
        QCOMPARE(v_->BarProgreso->Etiqueta(), QString("Segmentando ..."));
        QCOMPARE(v_->BarProgreso->Valor(), 100);
        QVERIFY(!v_->BarProgreso->isVisible());  // closed itself at 100
        // The next open deletes them with their folder, also when it is cancelled.
        const QString carpeta = QString::fromStdString(E().CarpetaSegmentos->Carpeta());
        v_->OD->FijarCancelarSiguiente();
        v_->skAbrir->click();
        QVERIFY(!QFileInfo::exists(carpeta));
        QCOMPARE(int(E().ArchivoGrande), 0);
    }

    void segmentosBorradosAlCerrar() {
        const QString ruta = ArchivoDeLineas("cierre.txt", 50001);
        Abrir(ruta);
        const std::string base = E().BaseSegmento;
        QVERIFY(QFile::exists(QString::fromStdString(base + "$$9")));
        v_.get()->close();
        QVERIFY(!QFile::exists(QString::fromStdString(base + "$$9")));
        QVERIFY(!QFile::exists(QString::fromStdString(base + "$$0")));
    }

    // A split that cannot be done keeps the large-file state and says why in Spanish; convert and
    // save then refuse instead of working on the part in the grid, and no segment is left behind.
    void segmentacionFallida_data() {
        QTest::addColumn<bool>("sinCarpeta");  // else the file-size limit stops the first segment
        QTest::addColumn<QString>("motivo");
        QTest::newRow("sin carpeta temporal") << true << "no existe el archivo o la carpeta";
        QTest::newRow("limite de tamano") << false << AQString("supera el tama\xF1o m\xE1ximo");
    }
    void segmentacionFallida() {
        QFETCH(bool, sinCarpeta);
        QFETCH(QString, motivo);
        const QString ruta = ArchivoDeLineas("falla.txt", 50001);
        const QString tmp = dir_.filePath("tmp");
        QVERIFY(sinCarpeta || QDir().mkpath(tmp));
        const QByteArray antes = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmp));
        rlimit limite{}, tope{};
        getrlimit(RLIMIT_FSIZE, &limite);
        tope = limite;
        tope.rlim_cur = 64 * 1024;
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
        if (!sinCarpeta) setrlimit(RLIMIT_FSIZE, &tope);
        Abrir(ruta);
        setrlimit(RLIMIT_FSIZE, &limite);
        signal(SIGXFSZ, SIG_DFL);
        qputenv("TMPDIR", antes);

        QCOMPARE(Mensajes().size(), size_t(2));
        QCOMPARE(Mensajes()[0].tipo, TMensaje::Informacion);
        QCOMPARE(Mensajes()[1].tipo, TMensaje::Error);
        QVERIFY2(Mensajes()[1].texto.startsWith(AQString(kMensajeSinSegmentos)),
                 qPrintable(Mensajes()[1].texto));
        QVERIFY2(Mensajes()[1].texto.contains(motivo), qPrintable(Mensajes()[1].texto));
        QCOMPARE(int(E().ArchivoGrande), 1);
        QVERIFY(!E().FalloSegmentos.empty());
        QCOMPARE(v_->ModeloGrilla->Filas(), 50002);  // the rows shown stay
        QVERIFY(!v_->BarProgreso->isVisible());
        QVERIFY(!E().CarpetaSegmentos);
        if (!sinCarpeta)
            QCOMPARE(QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

        // Convert: refused, nothing converted.
        v_->spSkinXFormButton1->click();
        QVERIFY(Mensajes().back().texto.startsWith(AQString(kMensajeArchivoIncompleto)));
        QVERIFY(Mensajes().back().texto.contains(motivo));
        QCOMPARE(int(E().Convertido), 0);
        QVERIFY(C(2, 5).empty());
        // Save: refused before a name is asked for.
        v_->SD->FijarSiguiente(dir_.filePath("parcial"), 1);
        const std::size_t vistos = Mensajes().size();
        v_->Guardar->click();
        QCOMPARE(Mensajes().size(), vistos + 1);
        QVERIFY(Mensajes().back().texto.startsWith(AQString(kMensajeArchivoIncompleto)));
        QVERIFY(!QFile::exists(dir_.filePath("parcial.dat")));
        v_->SD->FijarCancelarSiguiente();
        // A new open starts afresh.
        Abrir(ArchivoDeLineas("chico.txt", 3));
        QCOMPARE(int(E().ArchivoGrande), 0);
        QVERIFY(E().FalloSegmentos.empty());
    }

    // Segment files can never be one of the user's files: an input named like an old segment, a
    // segment-like file beside the input's folder (a folder with a dot in its name) survive the
    // open and the close of the window, and nothing is written beside them.
    void segmentosNoTocanArchivosAjenos_data() {
        QTest::addColumn<QString>("carpeta");
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("ajeno");  // a file of the user's that must stay as it is
        QTest::newRow("entrada NAME.$$3") << "obra"
                                          << "NAME.$$3"
                                          << "obra/NAME.$$0";
        QTest::newRow("entrada NAME.$$0") << "obra"
                                          << "NAME.$$0"
                                          << "obra/Segmento.$$0";
        QTest::newRow("carpeta ana.perez") << "ana.perez"
                                           << "datos.txt"
                                           << "ana.$$3";
        QTest::newRow("carpeta obra.2008") << "obra.2008"
                                           << "puntos.txt"
                                           << "obra.$$0";
    }
    void segmentosNoTocanArchivosAjenos() {
        QFETCH(QString, carpeta);
        QFETCH(QString, entrada);
        QFETCH(QString, ajeno);
        QTemporaryDir raiz;
        QVERIFY(QDir(raiz.path()).mkpath(carpeta));
        const QString ruta = raiz.filePath(carpeta + "/" + entrada);
        QByteArray datos;
        for (int i = 1; i <= 50011; ++i) datos += "P" + QByteArray::number(i) + ",-34.5,-58.4\r\n";
        for (const QString &r : {ruta, raiz.filePath(ajeno)}) {
            QFile f(r);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(r == ruta ? datos : QByteArray("ajeno\r\n"));
        }
        const auto listado = [&] {
            QStringList l;
            QDirIterator it(raiz.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) l << it.next();
            l.sort();
            return l;
        };
        const QStringList antes = listado();
        Abrir(ruta);
        QCOMPARE(int(E().ArchivoGrande), 1);
        QVERIFY(E().CarpetaSegmentos);
        QCOMPARE(listado(), antes);
        v_.get()->close();
        QCOMPARE(listado(), antes);
        QFile f(ruta), a(raiz.filePath(ajeno));
        QVERIFY(f.open(QIODevice::ReadOnly) && a.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll() == datos);
        QCOMPARE(a.readAll(), QByteArray("ajeno\r\n"));
    }

    // Two copies of the window on the same file never share segment names: closing one leaves the
    // other's segments whole.
    void dosVentanasNoCompartenSegmentos() {
        const QString ruta = ArchivoDeLineas("compartido.txt", 50001);
        Abrir(ruta);
        TVentana otra;
        ::Abrir(otra, ruta);
        QVERIFY(E().CarpetaSegmentos && otra.Estado().CarpetaSegmentos);
        QVERIFY(E().BaseSegmento != otra.Estado().BaseSegmento);
        v_.get()->close();
        for (int k = 0; k < 9; ++k) QCOMPARE(LineasDe(SegmentoEntrada(otra.Estado().BaseSegmento, k)), 5000);
        QCOMPARE(LineasDe(SegmentoEntrada(otra.Estado().BaseSegmento, 9)), 5001);
        const QString carpeta = QString::fromStdString(otra.Estado().CarpetaSegmentos->Carpeta());
        otra.get()->close();
        QVERIFY(!QFileInfo::exists(carpeta));
    }

    // "Opciones de Archivo" shows the dialog again for the same file; accepting loads it anew.
    void opcionesDeArchivoRecarga() {
        r_.latX = "2";
        r_.lonY = "3";
        Abrir(Archivo("recarga.txt", "P1;-34.5;-58.4;25\nP2;-35;-59;30\n"));
        QCOMPARE(C(2, 1), std::string("-34.5"));
        Convertir();
        r_.latX = "3";
        r_.lonY = "2";
        r_.altura = "4";
        v_->spOpcArch->click();
        QCOMPARE(r_.llamadas, 2);
        QCOMPARE(C(2, 1), std::string("-58.4"));
        QCOMPARE(C(2, 2), std::string("-34.5"));
        QCOMPARE(C(3, 3), std::string("30"));
        QCOMPARE(int(E().Lectura.ColLatX), 3);
        QCOMPARE(int(E().Lectura.ColAltura), 4);
        QCOMPARE(int(E().Convertido), 0);
        // Cancelled there, nothing changes.
        r_.aceptar = false;
        v_->spOpcArch->click();
        QCOMPARE(C(2, 1), std::string("-58.4"));
        QCOMPARE(int(E().Lectura.ColLatX), 3);
    }

    // After a waypoint file the grid holds no delimited file: "Opciones de Archivo" must not
    // reload the earlier one over it.
    void gpsTrasDelimitadoSinOpcionesDeArchivo() {
        r_.latX = "2";
        r_.lonY = "3";
        Abrir(Archivo("antes.txt", "P1;-34.5;-58.4\n"));
        QVERIFY(v_->spOpcArch->isEnabled());
        v_->cbFuente->setCurrentIndex(3);
        Abrir(Archivo("wp.txt", "WP,D,PTO1,-35.5,-59.4,x\n"));
        QCOMPARE(C(2, 0), std::string("PTO1"));
        QVERIFY(!v_->spOpcArch->isEnabled());
    }

    void lineaDeInicioMasAllaDelFinal() {
        r_.linea = "3";
        Abrir(Archivo("corto.txt", "a,1,2\nb,3,4\nc,5,6\n"));
        QCOMPARE(v_->ModeloGrilla->Filas(), 3);
        r_.linea = "3";
        Abrir(Archivo("dos.txt", "a,1,2\nb,3,4\n"));
        // The dialog refuses a start line it did not preview and stays open; the load does not happen.
        QCOMPARE(r_.llamadas, 2);
        QCOMPARE(FormOpciones->spMensaje->Mostrados.size(), size_t(1));
        QCOMPARE(FormOpciones->spMensaje->Mostrados[0].texto,
                 QString("El delimitador de Campo es incorrecto."));
        QVERIFY(FormOpciones->isVisible());
        FormOpciones->reject();
        QVERIFY(Mensajes().empty());
        QCOMPARE(v_->ModeloGrilla->Filas(), 3);
    }

    void archivoIlegibleEsUnMensaje() {
        // A waypoint file is read at once by the window.
        v_->cbFuente->setCurrentIndex(3);
        Abrir(dir_.filePath("no/existe.txt"));
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].tipo, TMensaje::Error);
        QVERIFY(Mensajes()[0].texto.contains("existe.txt"));
        QCOMPARE(v_->ModeloGrilla->Filas(), 15);
        // A delimited file: the preview tells it and nothing is loaded.
        v_->cbFuente->setCurrentIndex(0);
        Abrir(dir_.filePath("no/existe.txt"));
        QVERIFY(FormOpciones);
        QVERIFY(!FormOpciones->spMensaje->Mostrados.empty());
        QCOMPARE(FormOpciones->spMensaje->Mostrados[0].tipo, TMensaje::Error);
        QVERIFY(FormOpciones->spMensaje->Mostrados[0].texto.contains("existe.txt"));
        QCOMPARE(v_->ModeloGrilla->Filas(), 15);
        QCOMPARE(int(E().OpcionesLeidas), 0);
    }

    // The application-wide hook turns Enter into Tab in the dialog's fields too.
    void enterComoTabEnElDialogo() {
        auto *f = new TFormOpciones(v_.get());
        f->NombreArchivo = Archivo("enter.txt", "1,2\n").toStdString();
        f->show();
        f->spSiguiente->click();
        f->activateWindow();
        f->sEditLatX->setFocus();
        QTRY_VERIFY(f->sEditLatX->hasFocus());
        QTest::keyClick(f->sEditLatX, Qt::Key_Return);
        QTRY_VERIFY(f->sEditLonY->hasFocus());
        QVERIFY(f->isVisible());  // Enter did not accept the dialog
    }

    // Line n of the data goes into row n + 1 with the options in force; a line that shows nothing,
    // loaded again, empties its row.
    void lineaEnSuFila() {
        v_->cbFuente->setCurrentIndex(2);
        r_.latX = "2";
        r_.lonY = "3";
        r_.zona = "4";
        const auto archivo = [&](const char *linea20) {
            QByteArray datos;
            for (int i = 1; i < 20; ++i) datos += "P;6150000;5500000;20S\n";
            return Archivo("fila.txt", datos + linea20 + "\n");
        };
        Abrir(archivo("P9; 6150000 ;5500000;20S"));
        QCOMPARE(v_->ModeloGrilla->Filas(), 22);
        QCOMPARE(C(21, 0), Negrita("20"));
        QCOMPARE(C(21, 1), std::string("6150000"));
        QCOMPARE(C(21, 2), std::string("5500000"));
        QVERIFY(C(21, 3).empty());
        QCOMPARE(C(21, 4), std::string("20S"));
        v_->ModeloGrilla->FijarCelda(21, 6, "resultado");
        archivo("P9;6150000");
        v_->spOpcArch->click();
        for (int c = 0; c < 9; ++c) QVERIFY(C(21, c).empty());
    }

    void barraDeProgreso() {
        TBarProgreso &b = *v_->BarProgreso;
        auto *barra = b.findChild<QProgressBar *>("Barra");
        QVERIFY(barra);
        QCOMPARE(b.windowTitle(), QString("Procesando ..."));
        QVERIFY(!b.isModal());
        QVERIFY(b.windowFlags() & Qt::WindowStaysOnTopHint);
        QSignalSpy completado(&b, &TBarProgreso::Completado);
        b.FijarEtiqueta("Grabando x");
        b.FijarValor(-5);
        b.Mostrar();
        QVERIFY(b.isVisible());
        QCOMPARE(b.Valor(), -5);
        QCOMPARE(barra->value(), 0);  // shown clipped
        b.Mostrar();                  // already shown: nothing
        b.FijarValor(40);
        b.Sumar(30);
        QCOMPARE(barra->value(), 70);
        QVERIFY(b.isVisible());
        QCOMPARE(completado.count(), 0);
        b.Sumar(40);
        QCOMPARE(b.Valor(), 110);
        QCOMPARE(barra->value(), 100);
        QVERIFY(!b.isVisible());  // closed itself
        QCOMPARE(completado.count(), 1);
        // The cancel button only closes it.
        b.FijarValor(10);
        b.Mostrar();
        b.findChild<QPushButton *>("Cancelar")->click();
        QVERIFY(!b.isVisible());
        QCOMPARE(b.Valor(), 10);
    }

    void captura() {
        const QString ruta =
            Archivo("captura.txt",
                    "P1,-34.60372,-58.38159,25\nP2,-31.4201,-64.18877,390\nP3,-32.94682,-60.63932,"
                    "25\nP4,-24.78259,-65.41232,1187\nP5,-54.80191,-68.30295,6\n");
        r_.linea = "1";
        r_.latX = "2";
        r_.lonY = "3";
        r_.altura = "4";
        r_.modo = 1;
        Abrir(ruta);
        v_.get()->show();
        QVERIFY(QTest::qWaitForWindowExposed(v_.get()));
        QDir().mkpath(CAPTURAS_DIR);
        const QImage img = v_.get()->grab().toImage();
        QVERIFY(img.save(QString(CAPTURAS_DIR) + "/archivos_cargado.png"));
        QCOMPARE(C(6, 1), std::string("-54.80191"));
        // The data rows are banded as drawn: row 3 in the band colour, row 2 not.
        const auto fondo = [&](int fila) {
            const QRect celda = v_->Grilla->visualRect(v_->ModeloGrilla->index(fila, 1));
            return img.pixelColor(
                v_->Grilla->viewport()->mapTo(v_.get(), QPoint(celda.right() - 3, celda.center().y())));
        };
        QCOMPARE(fondo(3), QColor(228, 236, 248));
        QVERIFY(fondo(2) != QColor(228, 236, 248));
    }
};

QTEST_MAIN(TestArchivos)
#include "test_carga_archivos.moc"
