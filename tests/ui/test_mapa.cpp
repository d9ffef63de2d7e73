// The "Mapa" tab drawn offscreen and read back pixel by pixel: points where PROJ puts their
// coordinates, their colours, a swapped latitude and longitude off the country, the strip borders on
// their meridians; a click on a point selects its grid row, a double-click on a row shows its point;
// the PNG written. Screenshots of a file spread over the country and of the same file swapped.
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QWheelEvent>
#include <cmath>
#include "lote_prueba.h"
#include "mapa.h"
#include "mapa_datos.h"

namespace {

// Display metres (transverse Mercator, lon_0 63 W, k 1, WGS 84) from PROJ 9.1.1:
//   proj +proj=tmerc +lat_0=0 +lon_0=-63 +k=1 +x_0=0 +y_0=0 +ellps=WGS84 -f %.3f
struct TLugar {
    const char *nombre;
    double lat, lon, E, N;
};
const TLugar kBuenosAires = {"Buenos Aires", -34.6037, -58.3816, 423791.901, -3840340.850};
const TLugar kRioDeLaPlata = {"Rio de la Plata", -34.8, -57.6, 494409.277, -3865725.290};
const TLugar kMoreno = {"Moreno (tierra)", -34.6, -58.8, 385390.196, -3838247.638};
const TLugar kFueraDeFaja = {"oeste de la faja 1", -40.0, -76.5, -1154618.275, -4517859.856};
const TLugar kCambiado = {"Buenos Aires cambiada", -58.3816, -34.6037, 1628413.589, -6828635.477};
// Strip borders at 30 deg S, 73.5 W to 52.5 W.
const double kBordesE[8] = {-1015957.619, -724687.290, -434413.073, -144737.749,
                            144737.749,   434413.073,  724687.290,  1015957.619};
const double kBordesN[8] = {-3366991.334, -3343914.664, -3328654.174, -3321060.841,
                            -3321060.841, -3328654.174, -3343914.664, -3366991.334};
const TLugar kEntreBordes = {"66.75 W", -30, -66.75, -361953.663, -3326041.198};

const QColor kVerde(0x1a, 0x8f, 0x2e), kRojo(0xd7, 0x1f, 0x1f), kMar(0xd6, 0xe6, 0xf2),
    kArgentina(0xf2, 0xe3, 0xbc), kFaja(0x8e, 0x24, 0x8e);

bool Cerca(const QColor &a, const QColor &b, int tolerancia = 24) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <=
           tolerancia;
}

// The pixel PROJ's metres give in the view centred on (E0, N0) at `escala` pixels a metre.
QPoint Pixel(const TLienzoMapa &l, double E, double N) {
    const QPointF p = l.APixel(E, N);
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

// Points "name,lat,lon" in decimal degrees opened as a user opens them.
void AbrirPuntos(TVentana &v, const std::vector<TLugar> &lugares, bool cambiados = false) {
    static QTemporaryDir dir;
    static int n = 0;
    const QString ruta = dir.filePath(QStringLiteral("puntos%1.txt").arg(++n));
    std::string datos = "Punto,Latitud,Longitud\r\n";
    for (const TLugar &l : lugares) {
        const double a = cambiados ? l.lon : l.lat, b = cambiados ? l.lat : l.lon;
        datos += std::string(l.nombre) + "," + QString::number(a, 'f', 6).toStdString() + "," +
                 QString::number(b, 'f', 6).toStdString() + "\r\n";
    }
    Escribir(ruta, datos);
    v->cbFuente->setCurrentIndex(0);
    v->cbDestino->setCurrentIndex(1);
    TRespuestaOpciones r{"2", "2", "3", "0", "0", 1};
    r.nombre = "1";
    ResponderOpciones(&r);
    Abrir(v, ruta);
    ResponderOpciones(nullptr);
}

// A few hundred places over the country: every half degree inside Argentina's outline, named by
// their latitude and longitude.
std::vector<TLugar> PuntosDelPais() {
    static std::vector<std::string> nombres;
    std::vector<TLugar> lugares;
    const QPainterPath &pais = ContornoMapa().Argentina;
    nombres.reserve(2000);
    for (double lat = -22.0; lat >= -55.0; lat -= 1.0)
        for (double lon = -73.5; lon <= -53.5; lon += 0.75) {
            double E = 0, N = 0;
            ProyectarMapa(lat, lon, E, N);
            if (!pais.contains(QPointF(E, N))) continue;
            nombres.push_back("P" + std::to_string(nombres.size() + 1));
            lugares.push_back({nombres.back().c_str(), lat, lon, E, N});
        }
    return lugares;
}

}  // namespace

class TestMapa : public QObject {
    Q_OBJECT

    void Capturar(QWidget *w, const char *nombre) {
        QDir().mkpath(QStringLiteral(CAPTURAS_DIR));
        QVERIFY(w->grab().save(QStringLiteral(CAPTURAS_DIR "/") + QString::fromLatin1(nombre)));
    }

  private slots:
    void init() { RespuestaConfirmacion() = TMensaje::BotonOk; }

    // Converted points green where PROJ puts them, the failed one red, the outline around them:
    // water east of Buenos Aires, land west of it; a swapped point out in the ocean.
    void puntosEnSuLugar() {
        auto v = VentanaVisible();
        v.get()->resize(1000, 800);
        AbrirPuntos(v, {kBuenosAires, kFueraDeFaja});
        v->spSkinXFormButton1->click();
        QCOMPARE(v.Estado().ConteoGrilla.Convertidos, 1);
        QCOMPARE(v.Estado().ConteoGrilla.Fallidos, 1);
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        TLienzoMapa *l = mapa->Lienzo;
        QVERIFY2(ContornoMapa().Error.isEmpty(), qPrintable(ContornoMapa().Error));
        QCOMPARE(l->Puntos().size(), std::size_t(2));

        l->FijarVista(kBuenosAires.E, kBuenosAires.N, 1.0 / 1000);  // 1 km a pixel
        QImage imagen = l->Imagen();
        const QPoint ba = Pixel(*l, kBuenosAires.E, kBuenosAires.N);
        QCOMPARE(ba, QPoint(l->width() / 2, l->height() / 2));
        QVERIFY2(Cerca(imagen.pixelColor(ba), kVerde), qPrintable(imagen.pixelColor(ba).name()));
        QVERIFY(Cerca(imagen.pixelColor(Pixel(*l, kRioDeLaPlata.E, kRioDeLaPlata.N)), kMar));
        QVERIFY(Cerca(imagen.pixelColor(Pixel(*l, kMoreno.E, kMoreno.N)), kArgentina));

        // Centred elsewhere, the pixel still follows PROJ's metres.
        l->FijarVista(0, -4200000, 1.0 / 4000);
        imagen = l->Imagen();
        const QPoint ba2 = Pixel(*l, kBuenosAires.E, kBuenosAires.N);
        QCOMPARE(ba2.x(), l->width() / 2 + static_cast<int>(std::floor(kBuenosAires.E / 4000)));
        QVERIFY(Cerca(imagen.pixelColor(ba2), kVerde));
        const QPoint fuera = Pixel(*l, kFueraDeFaja.E, kFueraDeFaja.N);
        QVERIFY2(Cerca(imagen.pixelColor(fuera), kRojo), qPrintable(imagen.pixelColor(fuera).name()));

        // The tooltips: name, input values and results, or the reason.
        const QString ayudaBA = l->TextoPunto(l->Puntos()[0]);
        QVERIFY2(ayudaBA.contains(QStringLiteral("Buenos Aires")) &&
                     ayudaBA.contains(QStringLiteral("-34.603700")) &&
                     ayudaBA.contains(QStringLiteral("Faja: 6")),
                 qPrintable(ayudaBA));
        const QString ayudaFuera = l->TextoPunto(l->Puntos()[1]);
        QVERIFY2(ayudaFuera.contains(QStringLiteral("Error: ")), qPrintable(ayudaFuera));

        // Clicking Buenos Aires selects its row (row 2: the first data row).
        QTest::mouseClick(l, Qt::LeftButton, {}, ba2);
        QCOMPARE(v->Grilla->currentIndex().row(), 2);
        QVERIFY(v->Grilla->selectionModel()->isRowSelected(2, QModelIndex()));
        QTest::mouseClick(l, Qt::LeftButton, {}, fuera);
        QCOMPARE(v->Grilla->currentIndex().row(), 3);

        // "Guardar imagen": the PNG of the map, Buenos Aires green in it.
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("mapa"));
        mapa->DialogoImagen->FijarSiguiente(png);
        mapa->GuardarImagen->click();
        QImage leida;
        QVERIFY(leida.load(png + QStringLiteral(".png"), "PNG"));
        QCOMPARE(leida.size(), l->size());
        QVERIFY(Cerca(leida.pixelColor(ba2), kVerde));
        // Cancelled: nothing written.
        mapa->DialogoImagen->FijarCancelarSiguiente();
        mapa->GuardarImagen->click();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    // Plane sources are placed by the inverse series on their frame: Buenos Aires given in
    // Gauss-Krueger strip 6 and in UTM zone 21 S (PROJ: cs2cs EPSG:4326 to EPSG:22186 and EPSG:32721)
    // lands where its latitude and longitude do, within a metre, before any conversion.
    void fuentesPlanas_data() {
        QTest::addColumn<int>("fuente");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("zona");
        QTest::newRow("GK faja 6") << 1 << "6170469.302"
                                   << "6373266.809"
                                   << "";
        QTest::newRow("UTM 21 S") << 2 << "6170036.171"
                                  << "373317.502"
                                  << "21";
    }
    void fuentesPlanas() {
        QFETCH(int, fuente);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, zona);
        auto v = CrearVentana();
        LlenarGrilla(v, fuente, 0, 1, {{"BA", x.toStdString(), y.toStdString(), "", zona.toStdString()}});
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        QCOMPARE(mapa->Lienzo->Puntos().size(), std::size_t(1));
        const TPuntoMapa &p = mapa->Lienzo->Puntos()[0];
        QVERIFY2(std::hypot(p.E - kBuenosAires.E, p.N - kBuenosAires.N) < 1.0,
                 qPrintable(QStringLiteral("%1 %2").arg(p.E, 0, 'f', 3).arg(p.N, 0, 'f', 3)));
        QCOMPARE(p.Estado, emSinConvertir);
        QCOMPARE(p.Fila, 2);
    }

    // Latitude and longitude swapped: every point lands in the South Atlantic, far from the country,
    // and "Ver todo" brings them into view.
    void latitudLongitudCambiadas() {
        auto v = VentanaVisible();
        v.get()->resize(1000, 800);
        AbrirPuntos(v, {kBuenosAires}, true);
        v->spSkinXFormButton1->click();
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        TLienzoMapa *l = mapa->Lienzo;
        QCOMPARE(l->Puntos().size(), std::size_t(1));
        const TPuntoMapa &p = l->Puntos()[0];
        // Where PROJ puts 58.38 S 34.60 W, within 1 km (the series run 28 deg off the meridian there).
        QVERIFY2(std::hypot(p.E - kCambiado.E, p.N - kCambiado.N) < 1000,
                 qPrintable(QStringLiteral("%1 %2").arg(p.E).arg(p.N)));
        QVERIFY(!ContornoMapa().Argentina.contains(QPointF(p.E, p.N)));
        QCOMPARE(p.Estado, emFallido);  // no Gauss-Krueger strip out there
        // From a view of the country, "Ver todo" brings it into view.
        l->FijarVista(0, -4200000, 1.0 / 4000);
        QVERIFY(!l->rect().contains(Pixel(*l, p.E, p.N)));
        mapa->VerTodo->click();
        QVERIFY(l->rect().contains(Pixel(*l, p.E, p.N)));
        // Red where PROJ puts it, 4 km a pixel.
        l->FijarVista(kCambiado.E, kCambiado.N, 1.0 / 4000);
        const QImage imagen = l->Imagen();
        const QPoint donde = Pixel(*l, kCambiado.E, kCambiado.N);
        QVERIFY2(Cerca(imagen.pixelColor(donde), kRojo), qPrintable(imagen.pixelColor(donde).name()));
        QVERIFY(Cerca(imagen.pixelColor(donde + QPoint(20, 0)), kMar));
    }

    // The seven strips' borders on their meridians (PROJ at 30 deg S), and none halfway between.
    void bordesDeFajas() {
        auto v = VentanaVisible();
        v.get()->resize(1000, 800);
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        TLienzoMapa *l = mapa->Lienzo;
        l->FijarVista(0, -3330000, 1.0 / 3000);
        const QImage imagen = l->Imagen();
        // A dashed line: within 8 px up or down of 30 deg S some pixel of its colour lies on the meridian.
        const auto hayFaja = [&](double E, double N) {
            const QPoint c = Pixel(*l, E, N);
            for (int dy = -8; dy <= 8; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (Cerca(imagen.pixelColor(c + QPoint(dx, dy)), kFaja, 60)) return true;
            return false;
        };
        for (int k = 0; k < 8; ++k)
            QVERIFY2(hayFaja(kBordesE[k], kBordesN[k]), qPrintable(QString::number(k)));
        QVERIFY(!hayFaja(kEntreBordes.E, kEntreBordes.N));
    }

    // A double-click on a row's point cell shows that point, centred and ringed; the point of the
    // "Conversión" tab is marked.
    void filaAlPunto() {
        auto v = VentanaVisible();
        v.get()->resize(1000, 800);
        AbrirPuntos(v, {kFueraDeFaja, kMoreno, kBuenosAires});
        v->spSkinXFormButton1->click();
        QTableView *columna = v->Grilla->Columna();
        const QModelIndex i = v->ModeloGrilla->index(4, 0);
        columna->scrollTo(i);
        QTest::mouseClick(columna->viewport(), Qt::LeftButton, {}, columna->visualRect(i).center());
        QTest::mouseDClick(columna->viewport(), Qt::LeftButton, {}, columna->visualRect(i).center());
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        QCOMPARE(v->spSPC->currentWidget(), mapa);
        TLienzoMapa *l = mapa->Lienzo;
        QVERIFY(l->Resaltado() >= 0);
        QCOMPARE(l->Puntos()[static_cast<std::size_t>(l->Resaltado())].Fila, 4);
        QVERIFY((Pixel(*l, kBuenosAires.E, kBuenosAires.N) - QPoint(l->width() / 2, l->height() / 2))
                    .manhattanLength() <= 1);

        v->spSPC->setCurrentWidget(v->TSConv);
        Tipear(v->Elat, "34\xB0 36' 13.32\" S");
        Tipear(v->ELon, "58\xB0 22' 53.76\" W");
        v->spSPC->setCurrentWidget(mapa);
        l->FijarVista(kBuenosAires.E, kBuenosAires.N, 1.0 / 1000);
        const QImage imagen = l->Imagen();
        // The cross's arms are blue, 10 px from its centre.
        const QPoint c = Pixel(*l, kBuenosAires.E, kBuenosAires.N);
        QVERIFY2(Cerca(imagen.pixelColor(c + QPoint(11, 0)), QColor(0x10, 0x3c, 0xc0), 60),
                 qPrintable(imagen.pixelColor(c + QPoint(11, 0)).name()));
    }

    // Dragging moves the map with the mouse; the wheel zooms about the cursor: the ground under it
    // stays under it.
    void arrastrarYRueda() {
        auto v = VentanaVisible();
        v.get()->resize(1000, 800);
        AbrirPuntos(v, {kBuenosAires});
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        TLienzoMapa *l = mapa->Lienzo;
        l->FijarVista(0, -4200000, 1.0 / 4000);
        const QPoint antes = Pixel(*l, kBuenosAires.E, kBuenosAires.N);
        QTest::mousePress(l, Qt::LeftButton, {}, antes);
        QMouseEvent mover(QEvent::MouseMove, QPointF(antes + QPoint(-120, 80)),
                          l->mapToGlobal(QPointF(antes + QPoint(-120, 80))), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(l, &mover);
        QTest::mouseRelease(l, Qt::LeftButton, {}, antes + QPoint(-120, 80));
        QVERIFY((Pixel(*l, kBuenosAires.E, kBuenosAires.N) - (antes + QPoint(-120, 80))).manhattanLength() <=
                1);
        const QPointF ba = l->APixel(kBuenosAires.E, kBuenosAires.N);
        QWheelEvent rueda(ba, l->mapToGlobal(ba), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(l, &rueda);
        const QPointF tras = l->APixel(kBuenosAires.E, kBuenosAires.N);
        QVERIFY2(
            std::hypot(tras.x() - ba.x(), tras.y() - ba.y()) < 0.01,
            qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(ba.x()).arg(ba.y()).arg(tras.x()).arg(tras.y())));
        // Two steps in: 1.25 squared as many pixels a metre.
        double E0 = 0, N0 = 0, E1 = 0, N1 = 0;
        l->AMetros(QPointF(0, 0), E0, N0);
        l->AMetros(QPointF(100, 0), E1, N1);
        QVERIFY(std::fabs((E1 - E0) - 100 * 4000 / 1.5625) < 1);
        // Not converted: grey.
        QVERIFY(Cerca(l->Imagen().pixelColor(ba.toPoint()), QColor(0x70, 0x70, 0x70)));
    }

    // A large file: once the background run has converted it, every point of the whole file; those
    // within the grid's 50000 lines keep their row, the rest their line.
    void archivoCompleto() {
        QTemporaryDir dir;
        const ArchivoGrande a = GenerarGrande();
        auto v = CrearVentana();
        AbrirGrande(v, dir.filePath(QStringLiteral("grande.txt")), a, true);
        QSignalSpy fin(v->GrupoTareas, &TGrupoTareas::Fin);
        v->spSkinXFormButton1->click();
        QVERIFY(fin.wait(60000));
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        const std::vector<TPuntoMapa> &puntos = mapa->Lienzo->Puntos();
        QCOMPARE(static_cast<int>(puntos.size()), static_cast<int>(a.lineas.size()) - a.vacias - a.fallidas);
        QVERIFY(mapa->Leyenda->text().contains(QStringLiteral("archivo completo")));
        QVERIFY(mapa->Leyenda->text().contains(QStringLiteral("sin lugar en el mapa: %1").arg(a.fallidas)));
        int enGrilla = 0;
        for (const TPuntoMapa &p : puntos) {
            QCOMPARE(p.Estado, emConvertido);
            const std::size_t i = static_cast<std::size_t>(p.Linea - 1);  // line from 1, GenerarGrande's i
            double E = 0, N = 0;
            ProyectarMapa(a.lat[i], a.lon[i], E, N);
            QVERIFY(std::fabs(p.E - E) < 0.01 && std::fabs(p.N - N) < 0.01);
            if (p.Linea <= 50000) {
                QCOMPARE(p.Fila, static_cast<int32_t>(p.Linea + 1));
                QCOMPARE(v->ModeloGrilla->Celda(p.Fila, 0), "P" + std::to_string(i));
                ++enGrilla;
            } else {
                QCOMPARE(p.Fila, -1);
            }
        }
        QVERIFY(enGrilla > 0 && enGrilla < static_cast<int>(puntos.size()));
    }

    // Screenshots of a file spread over the country and of the same file swapped.
    void capturas() {
        auto v = VentanaVisible();
        v.get()->resize(900, 900);
        const std::vector<TLugar> lugares = PuntosDelPais();
        QVERIFY(lugares.size() > 200);
        std::vector<TLugar> conFallos = lugares;
        conFallos.push_back(kFueraDeFaja);
        AbrirPuntos(v, conFallos);
        v->spSkinXFormButton1->click();
        TMapa *mapa = Hallar<TMapa>(*v.get(), "Mapa");
        v->spSPC->setCurrentWidget(mapa);
        QCOMPARE(mapa->Lienzo->Puntos().size(), conFallos.size());
        Capturar(v.get(), "mapa_pais.png");
        mapa->Lienzo->FijarVista(kBuenosAires.E - 150000, kBuenosAires.N - 100000, 1.0 / 800);
        Capturar(v.get(), "mapa_detalle.png");
        // Opened and converted with the map in view: it follows once the command has ended.
        AbrirPuntos(v, lugares, true);
        v->spSkinXFormButton1->click();
        QTRY_VERIFY(!mapa->Lienzo->Puntos().empty() &&
                    !ContornoMapa().Argentina.contains(
                        QPointF(mapa->Lienzo->Puntos()[0].E, mapa->Lienzo->Puntos()[0].N)));
        int convertidos = 0;
        for (const TPuntoMapa &p : mapa->Lienzo->Puntos()) convertidos += p.Estado == emConvertido;
        QCOMPARE(convertidos, static_cast<int>(v.Estado().ConteoGrilla.Convertidos));
        Capturar(v.get(), "mapa_cambiado.png");
    }
};

ZUVELO_TEST_MAIN(TestMapa)
#include "test_mapa.moc"
