// Conversions per second of the geodesy core: the projections in both directions, the datum shift,
// and whole text-in/text-out conversions through TCoordenadas. Run with
//   bench_core --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <vector>
#include "UCoords.h"

namespace {

// 1024 points spread over the seven strips and the latitudes of Argentina.
std::vector<TPuntoGeodesico> Puntos(const TElipsoide &e) {
    std::vector<TPuntoGeodesico> v;
    for (int i = 0; i < 1024; ++i) {
        TPuntoGeodesico p;
        p.A = e.A;
        p.F = e.F;
        p.Latitud = (-22 - 33.0L * i / 1024) * kRadPorGrado;
        p.Longitud = (-73.4L + 20.8L * ((i * 389) % 1024) / 1024) * kRadPorGrado;
        p.Altura = 25;
        v.push_back(p);
    }
    return v;
}

void GeograficaAGaussKruger(benchmark::State &state) {
    const auto puntos = Puntos(ElipsoidePOSGAR);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProyectarTM(puntos[i++ & 1023], tcGaussKruger));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GeograficaAGaussKruger);

void GaussKrugerAGeografica(benchmark::State &state) {
    std::vector<TPuntoPlano> planos;
    for (const auto &p : Puntos(ElipsoidePOSGAR)) planos.push_back(ProyectarTM(p, tcGaussKruger));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            InversaTM(planos[i++ & 1023], tcGaussKruger, ElipsoidePOSGAR.A, ElipsoidePOSGAR.F));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GaussKrugerAGeografica);

void GeograficaEntreMarcos(benchmark::State &state) {
    const auto puntos = Puntos(ElipsoidePOSGAR);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            AGeodesica(TrasladarDatum(AGeocentrica(puntos[i++ & 1023]), 1), ElipsoideInchauspe));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GeograficaEntreMarcos);

// Text in, text out: the texts are prepared once, each iteration converts one of them.
void Texto(benchmark::State &state, TTipoCoordenada de, const TElipsoide &marcoDe, TTipoCoordenada a,
           const TElipsoide &marcoA, uint8_t decimal) {
    std::vector<TPuntoTexto> entradas;
    TCoordenadas prep;
    prep.SetElipsoideFuente(ElipsoidePOSGAR);
    prep.SetElipsoideDestino(marcoDe);
    prep.SetTipoFuente(tcGeografica);
    prep.SetTipoDestino(de);
    for (const auto &p : Puntos(ElipsoidePOSGAR)) {
        TPuntoTexto t;
        if (decimal) {
            t.Coord1 = FormatoFijo(p.Latitud * kGradoPorRad, 10, 0);
            t.Coord2 = FormatoFijo(p.Longitud * kGradoPorRad, 10, 0);
        } else {
            t.Coord1 = FormatoDMS(1, p.Latitud);
            t.Coord2 = FormatoDMS(2, p.Longitud);
        }
        t.Coord3 = "25.0";
        t.EnDecimal = decimal;
        if (de != tcGeografica) {
            prep.Entrada = t;
            prep.Convertir();
            t = prep.Salida;
        }
        entradas.push_back(t);
    }
    TCoordenadas c;
    c.SetElipsoideFuente(marcoDe);
    c.SetElipsoideDestino(marcoA);
    c.SetTipoFuente(de);
    c.SetTipoDestino(a);
    std::size_t i = 0;
    for (auto _ : state) {
        c.Entrada = entradas[i++ & 1023];
        benchmark::DoNotOptimize(c.Convertir());
        benchmark::DoNotOptimize(c.Salida.Coord1.str().data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(Texto, DMS_POSGAR_a_GK_POSGAR, tcGeografica, ElipsoidePOSGAR, tcGaussKruger,
                  ElipsoidePOSGAR, 0);
BENCHMARK_CAPTURE(Texto, decimal_POSGAR_a_UTM_Inchauspe, tcGeografica, ElipsoidePOSGAR, tcUTM,
                  ElipsoideInchauspe, 1);
BENCHMARK_CAPTURE(Texto, DMS_POSGAR_a_DMS_Inchauspe, tcGeografica, ElipsoidePOSGAR, tcGeografica,
                  ElipsoideInchauspe, 0);
BENCHMARK_CAPTURE(Texto, GK_POSGAR_a_DMS_Inchauspe, tcGaussKruger, ElipsoidePOSGAR, tcGeografica,
                  ElipsoideInchauspe, 0);
BENCHMARK_CAPTURE(Texto, UTM_Inchauspe_a_GK_POSGAR, tcUTM, ElipsoideInchauspe, tcGaussKruger, ElipsoidePOSGAR,
                  0);

}  // namespace
