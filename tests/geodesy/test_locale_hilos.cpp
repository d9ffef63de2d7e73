// Conversions under a comma-decimal locale still read and write '.', and four objects converting
// at once on four threads give exactly what one thread gives.
#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>
#include "angulo.h"
#include "coordenadas.h"
#include "numeros.h"

namespace {

// A grid of points over the seven strips, as DMS text and as decimal text.
std::vector<TPuntoTexto> Puntos() {
    std::vector<TPuntoTexto> v;
    for (int i = 0; i < 400; ++i) {
        const long double lat = -22 - 33.0L * i / 400;
        const long double lon = -73.4L + 20.8L * ((i * 37) % 400) / 400;
        TPuntoTexto p;
        if (i % 2) {
            p.Coord1 = FormatoDMS(1, lat * 3.14159265358979323846L / 180);
            p.Coord2 = FormatoDMS(2, lon * 3.14159265358979323846L / 180);
            p.EnDecimal = 0;
        } else {
            p.Coord1 = FormatoFijo(lat, 10, 0);
            p.Coord2 = FormatoFijo(lon, 10, 0);
            p.EnDecimal = 1;
        }
        p.Coord3 = FormatoNumero(i * 7.25L);
        v.push_back(p);
    }
    return v;
}

// Every kind and frame reached from each point; the texts of all results in order.
std::vector<std::string> ConvertirTodo(const std::vector<TPuntoTexto> &puntos) {
    std::vector<std::string> r;
    TCoordenadas c;
    c.SetElipsoideFuente(ElipsoidePOSGAR);
    c.SetTipoFuente(tcGeografica);
    for (const TPuntoTexto &p : puntos) {
        c.Entrada = p;
        for (const TElipsoide *e : {&ElipsoidePOSGAR, &ElipsoideInchauspe})
            for (TTipoCoordenada t : {tcGeografica, tcUTM, tcGaussKruger}) {
                c.SetElipsoideDestino(*e);
                c.SetTipoDestino(t);
                if (!c.Convertir()) {
                    r.push_back("rechazado");
                    continue;
                }
                r.push_back(c.Salida.Coord1.str() + "|" + c.Salida.Coord2.str() + "|" +
                            c.Salida.Coord3.str() + "|" + c.Salida.ZonaHemisferio.str() + "|" +
                            c.Salida.Zona.str());
            }
    }
    return r;
}

TEST(Locale, ComaDecimalNoCambiaLosTextos) {
    const std::vector<TPuntoTexto> puntos = Puntos();
    const std::vector<std::string> enC = ConvertirTodo(puntos);

    const char *const candidatos[] = {"es_AR.UTF-8", "es_AR.utf8", "de_DE.UTF-8", "de_DE.utf8"};
    const char *elegido = nullptr;
    for (const char *l : candidatos)
        if (std::setlocale(LC_ALL, l)) {
            elegido = l;
            break;
        }
    if (!elegido) GTEST_SKIP() << "no comma-decimal locale installed (es_AR.UTF-8 or de_DE.UTF-8)";
    // The locale really writes a comma.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    const std::string conComa = buf;
    const char punto = *std::localeconv()->decimal_point;

    EXPECT_EQ(FormatoNumero(1.5L), "1.5");
    EXPECT_EQ(LeerNumero("2.25"), 2.25L);
    EXPECT_EQ(LeerNumero("2,25"), 0);
    EXPECT_TRUE(EsNumero("-3.5"));
    EXPECT_FALSE(EsNumero("1,5"));
    const std::vector<std::string> enComa = ConvertirTodo(puntos);
    std::setlocale(LC_ALL, "C");

    ASSERT_EQ(conComa, "1,5") << elegido;
    ASSERT_EQ(punto, ',');
    EXPECT_EQ(enComa, enC);
    for (const std::string &s : enC) EXPECT_EQ(s.find(','), std::string::npos) << s;
}

TEST(Hilos, CuatroObjetosALaVez) {
    const std::vector<TPuntoTexto> puntos = Puntos();
    const std::vector<std::string> esperado = ConvertirTodo(puntos);
    std::vector<std::vector<std::string>> resultados(4);
    std::vector<std::thread> hilos;
    for (int h = 0; h < 4; ++h)
        hilos.emplace_back([&, h] {
            for (int vuelta = 0; vuelta < 3; ++vuelta)
                resultados[static_cast<std::size_t>(h)] = ConvertirTodo(puntos);
        });
    // Meanwhile this thread works the shared ModoWGS, as the grid cell editor would: conversions
    // never read it, so the workers' results cannot change.
    std::atomic<bool> fin{false};
    std::thread editor([&] {
        while (!fin) {
            ModoWGS.Asignar("1\xB0 2' 3\" N", 1, 0);
            ModoWGS.Asignar("-99.5", 2, 1);
        }
    });
    for (std::thread &t : hilos) t.join();
    fin = true;
    editor.join();
    ModoWGS.Limpiar();
    for (const auto &r : resultados) EXPECT_EQ(r, esperado);
}

}  // namespace
