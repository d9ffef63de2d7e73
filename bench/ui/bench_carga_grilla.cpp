// Times the window's open command on delimited files: a 50000-line file (the read options dialog
// answered at once, count, read, cells, one model reset, the shown view laid out again), and a
// 1 000 000-line file, which adds the 50000-line message and the ten input segments. Medians over
// several runs; also the memory the grid's rows take. Run with QT_QPA_PLATFORM=offscreen:
// bench_carga_grilla [runs].
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include "opciones_banco.h"
#include "dialogos_archivo.h"
#include "grilla_modelo.h"
#include "mensaje.h"
#include "ventana.h"

namespace {

void EscribirArchivo(const std::string &ruta, int lineas) {
    std::ofstream f(ruta, std::ios::binary);
    for (int i = 1; i <= lineas; ++i)
        f << "P" << i << ",-34." << (i % 100000) << ",-58.4" << (i % 1000) << "," << (i % 3000) << "\r\n";
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long RssKiB() {
    std::ifstream f("/proc/self/statm");
    long paginas = 0, residentes = 0;
    f >> paginas >> residentes;
    return residentes * 4;
}

// One open command through the window with the read options of a comma file: label, lat, lon, height.
double Cargar(TFConv &v, const std::string &ruta) {
    ResponderOpcionesDecimales();
    v.findChild<TDialogoAbrir *>("OD")->FijarSiguiente(QFile::decodeName(ruta.c_str()));
    QElapsedTimer t;
    t.start();
    v.findChild<QToolButton *>("skAbrir")->click();
    QCoreApplication::processEvents();  // the view takes the reset and repaints
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int corridas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    FijarPresentadorGlobal(
        [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
    QTemporaryDir dir;
    const std::string chico = QFile::encodeName(dir.filePath("p50000.txt")).toStdString();
    const std::string grande = QFile::encodeName(dir.filePath("p1000000.txt")).toStdString();
    EscribirArchivo(chico, 50000);
    EscribirArchivo(grande, 1000000);

    TFConv v;
    v.findChild<QTabWidget *>("spSPC")->setCurrentIndex(1);
    v.show();
    QCoreApplication::processEvents();

    const long antes = RssKiB();
    std::vector<double> t50, t1m;
    for (int i = 0; i < corridas; ++i) t50.push_back(Cargar(v, chico));
    const long despues = RssKiB();
    for (int i = 0; i < corridas; ++i) t1m.push_back(Cargar(v, grande));

    std::printf("runs: %d\n", corridas);
    std::printf("load 50000 lines into the grid:       median %.3f s (min %.3f, max %.3f)\n", Mediana(t50),
                *std::min_element(t50.begin(), t50.end()), *std::max_element(t50.begin(), t50.end()));
    std::printf("load 1000000 lines (50000 shown + 10 segments): median %.3f s (min %.3f, max %.3f)\n",
                Mediana(t1m), *std::min_element(t1m.begin(), t1m.end()),
                *std::max_element(t1m.begin(), t1m.end()));
    std::printf("grid rows: %d; resident memory grown by the first loads: %ld KiB\n",
                v.findChild<TModeloGrilla *>("ModeloGrilla")->Filas(), despues - antes);
    return 0;
}
