// Counting plus segmenting a generated 1 000 000-line file of decimal points (the load of a large
// file), and reading it line by line alone: median of several runs, in seconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>

#include "lineas.h"
#include "segmentos.h"

namespace {

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double Segundos(F f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char **argv) {
    const long lineas = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int repeticiones = argc > 2 ? std::atoi(argv[2]) : 5;
    char plantilla[] = "/tmp/zuvelo-bench-XXXXXX";
    if (!mkdtemp(plantilla)) return 1;
    const std::string dir = plantilla, ruta = dir + "/puntos.txt";
    {
        TArchivoSeguro f(ruta);
        f.Linea("Punto,Latitud,Longitud,Altura");
        unsigned semilla = 12345;
        char buf[96];
        for (long i = 1; i < lineas; ++i) {
            semilla = semilla * 1103515245u + 12345u;
            const double lat = -22.0 - (semilla % 3300000) / 100000.0;
            const double lon = -73.0 + (semilla / 7 % 1900000) / 100000.0;
            const int n = std::snprintf(buf, sizeof buf, "P%ld,%.6f,%.6f,%d", i, lat, lon,
                                        static_cast<int>(semilla % 4000));
            f.Linea(std::string_view(buf, static_cast<std::size_t>(n)));
        }
        f.Confirmar();
    }
    std::vector<double> contar, segmentar, leer;
    for (int r = 0; r < repeticiones; ++r) {
        int64_t total = 0;
        contar.push_back(Segundos([&] { total = ContarLineas(ruta); }));
        {
            TCarpetaSegmentos carpeta;  // made and deleted outside the measured time
            segmentar.push_back(Segundos([&] { Segmentar(ruta, 2, total, carpeta.Base()); }));
        }
        leer.push_back(Segundos([&] {
            TLectorLineas l(ruta);
            std::string s;
            while (l.Leer(s)) {
            }
        }));
        if (total != lineas)
            std::fprintf(stderr, "counted %lld lines, expected %ld\n", static_cast<long long>(total), lineas);
    }
    std::printf("lines: %ld, runs: %d (medians)\n", lineas, repeticiones);
    std::printf("ContarLineas:               %.3f s\n", Mediana(contar));
    std::printf("Segmentar:                  %.3f s\n", Mediana(segmentar));
    std::printf("ContarLineas + Segmentar:   %.3f s   (target < 2 s)\n",
                Mediana(contar) + Mediana(segmentar));
    std::printf("TLectorLineas, read only:   %.3f s\n", Mediana(leer));
    std::remove(ruta.c_str());
    rmdir(dir.c_str());
    return 0;
}
