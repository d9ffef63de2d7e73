// Points per second of the result file writers (CSV, GeoJSON, KML, GPX) into a sink that only counts
// bytes, and of the POSGAR 94 place that the map formats need per point. Run with
//   bench_exportar --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "exportar.h"

namespace {

TPuntoExportado PuntoGK() {
    TPuntoExportado p;
    p.Nombre = "P-1024";
    p.Convertido = true;
    p.Coord1 = "6170494.4893";
    p.Coord2 = "5373260.347";
    p.Coord3 = "25.3";
    p.Zona = "5";
    p.Latitud = -34.603429353L;
    p.Longitud = -58.380589847L;
    return p;
}

TPuntoExportado PuntoGeo() {
    TPuntoExportado p = PuntoGK();
    p.Coord1 = "34\xB0 36' 12.34567\" S";
    p.Coord2 = "58\xB0 22' 50.12345\" W";
    p.Zona.clear();
    return p;
}

void Escribir(benchmark::State &state, TFormatoSalida formato, TTipoCoordenada destino) {
    const TPuntoExportado p = destino == tcGeografica ? PuntoGeo() : PuntoGK();
    std::size_t bytes = 0;
    auto e = CrearEscritor(formato, destino, [&](std::string_view s) { bytes += s.size(); });
    for (auto _ : state) e->Punto(p);
    e->Terminar();
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void UbicarGK(benchmark::State &state) {
    TPuntoExportado p = PuntoGK();
    TCoordenadas c;
    for (auto _ : state) benchmark::DoNotOptimize(UbicarEnPosgar(p, tcGaussKruger, ElipsoideInchauspe, c));
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(Escribir, csv_gk, TFormatoSalida::Csv, tcGaussKruger);
BENCHMARK_CAPTURE(Escribir, csv_geo, TFormatoSalida::Csv, tcGeografica);
BENCHMARK_CAPTURE(Escribir, geojson_gk, TFormatoSalida::GeoJson, tcGaussKruger);
BENCHMARK_CAPTURE(Escribir, kml_gk, TFormatoSalida::Kml, tcGaussKruger);
BENCHMARK_CAPTURE(Escribir, gpx_gk, TFormatoSalida::Gpx, tcGaussKruger);
BENCHMARK(UbicarGK);
