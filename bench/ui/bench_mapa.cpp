// The "Mapa" tab: opening it on a converted 50000-point grid (the points read again by the point rule,
// placed and drawn), a whole redraw, a mouse move of a drag, and a large file's 1 000 000 points placed from
// their file (point rule, conversion, projection) and drawn. Run with QT_QPA_PLATFORM=offscreen: bench_mapa
// --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include "dialogos_archivo.h"
#include "tareas.h"
#include "elipsoide.h"
#include "grilla_modelo.h"
#include "lote.h"
#include "mapa.h"
#include "mensaje.h"
#include "opciones_banco.h"
#include "ventana.h"

namespace {

// Points spread over the country's extent: label, latitude, longitude, height in decimal degrees.
void EscribirPuntos(const std::string &ruta, int lineas) {
    std::ofstream f(ruta, std::ios::binary);
    std::mt19937 azar(7);
    std::uniform_int_distribution<int> lat(220000, 550000), lon(535000, 735000);
    for (int i = 1; i <= lineas; ++i)
        f << "P" << i << ",-" << lat(azar) / 10000 << "." << lat(azar) % 10000 << ",-" << lon(azar) / 10000
          << "." << lon(azar) % 10000 << ",10\r\n";
}

QTemporaryDir &Carpeta() {
    static QTemporaryDir dir;
    return dir;
}

// A shown window with a converted grid of 50000 points, on its "Archivos" tab.
TFConv &VentanaConvertida() {
    static std::unique_ptr<TFConv> v = [] {
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
        const std::string ruta = QFile::encodeName(Carpeta().filePath("p50000.txt")).toStdString();
        EscribirPuntos(ruta, 50000);
        auto ventana = std::make_unique<TFConv>();
        ventana->resize(1000, 800);
        ventana->show();
        ventana->findChild<QTabWidget *>("spSPC")->setCurrentIndex(1);
        ResponderOpcionesDecimales();
        ventana->findChild<TDialogoAbrir *>("OD")->FijarSiguiente(QFile::decodeName(ruta.c_str()));
        ventana->findChild<QToolButton *>("skAbrir")->click();
        ventana->findChild<QToolButton *>("spSkinXFormButton1")->click();
        QCoreApplication::processEvents();
        return ventana;
    }();
    return *v;
}

// From "Archivos" to "Mapa" after the grid changed, timed from the tab's change: the points read
// again and the tab painted.
void AbrirMapa(benchmark::State &estado, TFConv &v) {
    auto *pestanas = v.findChild<QTabWidget *>("spSPC");
    auto *modelo = v.findChild<TModeloGrilla *>("ModeloGrilla");
    TMapa *mapa = v.findChild<TMapa *>("Mapa");
    for (auto _ : estado) {
        estado.PauseTiming();
        pestanas->setCurrentIndex(1);
        // A change of a name (FijarCelda ignores an unchanged text): the map reads its points again.
        modelo->FijarCelda(2, 0, modelo->Celda(2, 0) == "P1" ? "P1'" : "P1");
        QCoreApplication::processEvents();
        estado.ResumeTiming();
        pestanas->setCurrentWidget(mapa);
        mapa->repaint();
    }
    estado.counters["puntos"] = static_cast<double>(mapa->Lienzo->Puntos().size());
}

// The tab opened on a grid of 50 000 converted points.
void BM_AbrirMapa50000(benchmark::State &estado) {
    AbrirMapa(estado, VentanaConvertida());
}
BENCHMARK(BM_AbrirMapa50000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One whole redraw (a wheel step, the end of a drag): 50000 points and the outline.
void BM_RedibujarMapa50000(benchmark::State &estado) {
    TFConv &v = VentanaConvertida();
    TMapa *mapa = v.findChild<TMapa *>("Mapa");
    v.findChild<QTabWidget *>("spSPC")->setCurrentWidget(mapa);
    TLienzoMapa *l = mapa->Lienzo;
    l->VerTodo();
    double E = 0, N = 0;
    l->AMetros(QPointF(l->width() / 2.0, l->height() / 2.0), E, N);
    int paso = 0;
    for (auto _ : estado) {
        l->FijarVista(E + 2000.0 * (++paso % 20), N, 1.0 / 3000);
        l->repaint();
    }
}
BENCHMARK(BM_RedibujarMapa50000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One mouse move of a drag and the repaint it asks for.
void BM_ArrastrarMapa50000(benchmark::State &estado) {
    TFConv &v = VentanaConvertida();
    TMapa *mapa = v.findChild<TMapa *>("Mapa");
    v.findChild<QTabWidget *>("spSPC")->setCurrentWidget(mapa);
    TLienzoMapa *l = mapa->Lienzo;
    const QPointF centro(l->width() / 2.0, l->height() / 2.0);
    QMouseEvent pulsar(QEvent::MouseButtonPress, centro, l->mapToGlobal(centro), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(l, &pulsar);
    int paso = 0;
    for (auto _ : estado) {
        const QPointF donde = centro + QPointF(++paso % 50, 0);
        QMouseEvent mover(QEvent::MouseMove, donde, l->mapToGlobal(donde), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(l, &mover);
        l->repaint();
    }
    QMouseEvent soltar(QEvent::MouseButtonRelease, centro, l->mapToGlobal(centro), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(l, &soltar);
}
BENCHMARK(BM_ArrastrarMapa50000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A large file's 1 000 000 points: read from their file, converted as the background run converts
// them and placed (what the tab does once per run), then one drawing of them all.
std::vector<TPuntoMapa> &PuntosMillon() {
    static std::vector<TPuntoMapa> puntos;
    return puntos;
}

void BM_UbicarMillon(benchmark::State &estado) {
    const std::string ruta = QFile::encodeName(Carpeta().filePath("p1000000.txt")).toStdString();
    static bool escrito = (EscribirPuntos(ruta, 1000000), true);
    (void)escrito;
    TOpcionesLectura opc;
    opc.Delimitador = ',';
    opc.ColNombre = 1;
    opc.ColLatX = 2;
    opc.ColLonY = 3;
    opc.ColAltura = 4;
    opc.ModoDecimal = 1;
    TCoordenadas c;
    ConfigurarCoordenadas(c, TMarco::Posgar94, TMarco::Posgar94, TTipoArchivo::Geografico,
                          TTipoArchivo::GaussKruger);
    for (auto _ : estado) {
        PuntosMillon().clear();
        int64_t sinLugar = 0;
        PuntosDelSegmento(ruta, opc, c, PuntosMillon(), sinLugar);
        benchmark::DoNotOptimize(sinLugar);
    }
    estado.counters["puntos"] = static_cast<double>(PuntosMillon().size());
}
BENCHMARK(BM_UbicarMillon)->Unit(benchmark::kMillisecond)->UseRealTime();

// The tab opened after the background run converted a 1 000 000-line file: every point of the whole
// file read from the segments on four threads, placed and drawn.
void BM_AbrirMapaMillon(benchmark::State &estado) {
    static std::unique_ptr<TFConv> v = [] {
        const std::string ruta = QFile::encodeName(Carpeta().filePath("p1000000.txt")).toStdString();
        if (!QFile::exists(QString::fromStdString(ruta))) EscribirPuntos(ruta, 1000000);
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
        auto ventana = std::make_unique<TFConv>();
        ventana->resize(1000, 800);
        ventana->show();
        ventana->findChild<QTabWidget *>("spSPC")->setCurrentIndex(1);
        ResponderOpcionesDecimales();
        ventana->findChild<TDialogoAbrir *>("OD")->FijarSiguiente(QFile::decodeName(ruta.c_str()));
        ventana->findChild<QToolButton *>("skAbrir")->click();
        auto *grupo = ventana->findChild<TGrupoTareas *>("GrupoTareas");
        bool fin = false;
        QObject::connect(grupo, &TGrupoTareas::Fin, grupo, [&fin] { fin = true; });
        ventana->findChild<QToolButton *>("spSkinXFormButton1")->click();
        while (!fin) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        return ventana;
    }();
    AbrirMapa(estado, *v);
}
BENCHMARK(BM_AbrirMapaMillon)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_DibujarMillon(benchmark::State &estado) {
    TLienzoMapa lienzo;
    lienzo.resize(1000, 800);
    std::vector<TPuntoMapa> puntos = PuntosMillon();
    lienzo.FijarPuntos(std::move(puntos));
    lienzo.VerTodo();
    for (auto _ : estado) benchmark::DoNotOptimize(lienzo.Imagen());
    estado.counters["puntos"] = static_cast<double>(lienzo.Puntos().size());
}
BENCHMARK(BM_DibujarMillon)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
