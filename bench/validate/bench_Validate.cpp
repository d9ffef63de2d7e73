// Aplicar on a whole latitude and on the texts of one typed key by key, with and without fill.
#include "Validate.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::string kLatitud = "34\xB0 36' 12.5\" S";

// The text of the field after each key. With fill the degree sign, the apostrophe and the spaces that
// follow them are appended by the check, so only the remaining ten keys are typed.
std::vector<std::string> Tipeo(bool relleno) {
    TFormato f(MascaraLatitud, relleno);
    std::vector<std::string> textos;
    std::string texto;
    while (texto.size() < kLatitud.size()) {
        texto.push_back(kLatitud[texto.size()]);
        textos.push_back(texto);
        f.Aplicar(texto, relleno);
    }
    return textos;
}

void BM_LatitudCompleta(benchmark::State &estado) {
    const bool relleno = estado.range(0) != 0;
    TFormato f(MascaraLatitud, relleno);
    for (auto _ : estado) {
        std::string texto = kLatitud;
        benchmark::DoNotOptimize(f.Aplicar(texto, relleno));
        benchmark::DoNotOptimize(texto);
    }
}
BENCHMARK(BM_LatitudCompleta)->ArgName("relleno")->Arg(0)->Arg(1);

// One iteration types the whole latitude: one Aplicar per key.
void BM_LatitudTipeada(benchmark::State &estado) {
    const bool relleno = estado.range(0) != 0;
    TFormato f(MascaraLatitud, relleno);
    const std::vector<std::string> textos = Tipeo(relleno);
    for (auto _ : estado) {
        for (const std::string &t : textos) {
            std::string texto = t;
            benchmark::DoNotOptimize(f.Aplicar(texto, relleno));
            benchmark::DoNotOptimize(texto);
        }
    }
    estado.counters["teclas"] = static_cast<double>(textos.size());
}
BENCHMARK(BM_LatitudTipeada)->ArgName("relleno")->Arg(0)->Arg(1);

}  // namespace
