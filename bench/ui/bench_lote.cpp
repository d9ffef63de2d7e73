// The "Archivos" tab on a file of 1 000 000 geographic points (POSGAR 94, decimal degrees) to
// Gauss-Krüger, driven through its buttons: open (read options, count, load, segment), the grid rows, the
// background run (four workers over ten segments), the ".DAT" save, and PROJ's cs2cs converting the same
// points to strip 3, side by side. Run: bench_lote [lines = 1000000] [runs = 3]
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <QToolButton>

#include "opciones_banco.h"
#include "dialogos_archivo.h"
#include "mensaje.h"
#include "segmentos.h"
#include "tareas.h"
#include "ventana.h"

namespace {
double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Points inside strip 3 (66° W ± 1.4°) so that one strip serves every point for cs2cs as well.
void Generar(const QString &archivo, const QString &archivoProj, int lineas) {
    QFile f(archivo), g(archivoProj);
    f.open(QIODevice::WriteOnly);
    g.open(QIODevice::WriteOnly);
    QByteArray a, b;
    for (int i = 0; i < lineas; ++i) {
        const double lat = -22.5 - 32.0 * i / lineas;
        const double lon = -67.4 + 2.8 * ((static_cast<long long>(i) * 7919) % lineas) / lineas;
        const QByteArray slat = QByteArray::number(lat, 'f', 9), slon = QByteArray::number(lon, 'f', 9);
        const QByteArray h = QByteArray::number(i % 700);
        a += "P" + QByteArray::number(i) + "," + slat + "," + slon + "," + h + "\r\n";
        b += slat + " " + slon + " " + h + "\n";  // EPSG:4694 is latitude first
        if (a.size() > (1 << 20)) f.write(a), g.write(b), a.clear(), b.clear();
    }
    f.write(a);
    g.write(b);
}
}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lineas = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int corridas = argc > 2 ? std::atoi(argv[2]) : 3;

    QTemporaryDir dir;
    const QString archivo = dir.filePath("puntos.txt"), archivoProj = dir.filePath("puntos.proj");
    Generar(archivo, archivoProj, lineas);

    FijarPresentadorGlobal(
        [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
    TFConv v;
    v.findChild<QComboBox *>("cbFuente")->setCurrentIndex(0);
    v.findChild<QComboBox *>("cbDestino")->setCurrentIndex(1);
    auto *grupo = v.findChild<TGrupoTareas *>("GrupoTareas");
    auto *mensaje = v.findChild<TMensaje *>("spMensaje");
    ResponderOpcionesDecimales();

    const QString cs2cs = QStandardPaths::findExecutable("cs2cs");
    std::vector<double> tCarga, tGrilla, tFondo, tDat, tCs2cs;
    for (int r = 0; r < corridas; ++r) {
        QElapsedTimer t;
        // The open command: the read options, then the loading.
        v.findChild<TDialogoAbrir *>("OD")->FijarSiguiente(archivo);
        t.start();
        v.findChild<QToolButton *>("skAbrir")->click();
        tCarga.push_back(t.nsecsElapsed() / 1e9);

        QEventLoop bucle;
        QObject::connect(grupo, &TGrupoTareas::Fin, &bucle, &QEventLoop::quit);
        QElapsedTimer tf;
        // The grid rows are converted first, on the window's thread; the workers start at the end.
        QObject::connect(grupo, &TGrupoTareas::Inicio, &bucle, [&] { tf.start(); });
        t.start();
        v.findChild<QToolButton *>("spSkinXFormButton1")->click();
        tGrilla.push_back((t.nsecsElapsed() - tf.nsecsElapsed()) / 1e9);
        bucle.exec();
        tFondo.push_back(tf.nsecsElapsed() / 1e9);
        QObject::disconnect(grupo, nullptr, &bucle, nullptr);
        app.processEvents();

        QFile::remove(dir.filePath("salida.dat"));
        v.findChild<TDialogoGuardar *>("SD")->FijarSiguiente(dir.filePath("salida.dat"), 1);
        t.start();
        v.findChild<QToolButton *>("Guardar")->click();
        tDat.push_back(t.nsecsElapsed() / 1e9);
        if (mensaje->Mostrados.empty() || !mensaje->Mostrados.back().texto.contains("Exitosamente")) {
            std::fprintf(stderr, "the .DAT save failed\n");
            return 1;
        }

        if (!cs2cs.isEmpty()) {
            QProcess p;
            p.setStandardInputFile(archivoProj);
            p.setStandardOutputFile(dir.filePath("cs2cs.txt"));
            t.start();
            p.start(cs2cs, {"-f", "%.4f", "EPSG:4694", "EPSG:22183"});
            p.waitForFinished(-1);
            tCs2cs.push_back(t.nsecsElapsed() / 1e9);
        }
    }
    QFile dat(dir.filePath("salida.dat"));
    dat.open(QIODevice::ReadOnly);
    const QByteArray primera = dat.readLine().trimmed();
    QFile proj(dir.filePath("cs2cs.txt"));
    proj.open(QIODevice::ReadOnly);
    const QByteArray primeraProj = proj.readLine().trimmed();

    std::printf("%d lines, %d runs, medians in seconds (%d hardware threads)\n", lineas, corridas,
                QThread::idealThreadCount());
    std::printf("  count + load + segment        %8.3f\n", Mediana(tCarga));
    std::printf("  grid rows (window's thread)   %8.3f  (%d rows)\n", Mediana(tGrilla),
                std::min(lineas, kLineasGrilla));
    std::printf("  background run, 4 workers     %8.3f\n", Mediana(tFondo));
    std::printf("  .DAT save (join 10 segments)  %8.3f\n", Mediana(tDat));
    if (tCs2cs.empty())
        std::printf("  cs2cs                         not installed\n");
    else
        std::printf("  cs2cs EPSG:4694 -> 22183      %8.3f  (background run / cs2cs = %.2f)\n",
                    Mediana(tCs2cs), Mediana(tFondo) / Mediana(tCs2cs));
    std::printf("  first line: ours \"%s\"; cs2cs \"%s\"\n", primera.constData(), primeraProj.constData());
    return 0;
}
