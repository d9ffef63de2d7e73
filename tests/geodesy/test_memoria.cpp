// A conversion through a TCoordenadas takes nothing from the heap: the batch workers convert
// millions of lines with one object each. Counted by replacing the global operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include "coordenadas.h"

namespace {
std::atomic<long> gReservas{0};
}

void *operator new(std::size_t n) {
    ++gReservas;
    if (void *p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

namespace {

TEST(Memoria, ConversionSinReservas) {
    {
        const long antes = gReservas.load();
        void *volatile p = ::operator new(100);
        ::operator delete(p);
        ASSERT_GT(gReservas.load(), antes) << "the counter must see the heap";
    }
    struct Caso {
        const char *nombre;
        TTipoCoordenada de;
        const char *c1, *c2, *zona;
        uint8_t decimal;
    };
    const Caso casos[] = {
        {"DMS", tcGeografica, "34\xB0 36' 12.5\" S", "58\xB0 22' 54\" W", "", 0},
        {"decimal", tcGeografica, "-34.603472222222", "-58.381666666667", "", 1},
        {"UTM", tcUTM, "6170061.3482", "373311.043", "21", 0},
        {"GK", tcGaussKruger, "6170494.489", "6373260.3471", "", 0},
    };
    const TElipsoide *marcos[] = {&ElipsoidePOSGAR, &ElipsoideInchauspe};
    const TTipoCoordenada tipos[] = {tcGeografica, tcUTM, tcGaussKruger};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCoordenadas k;
        k.SetTipoFuente(c.de);
        k.Entrada.Coord1 = c.c1;
        k.Entrada.Coord2 = c.c2;
        k.Entrada.Coord3 = "12.25";
        k.Entrada.Zona = c.zona;
        k.Entrada.EnDecimal = c.decimal;
        const long antes = gReservas.load();
        for (const TElipsoide *de : marcos)
            for (const TElipsoide *a : marcos)
                for (TTipoCoordenada t : tipos) {
                    k.SetElipsoideFuente(*de);
                    k.SetElipsoideDestino(*a);
                    k.SetTipoDestino(t);
                    ASSERT_TRUE(k.Convertir());
                }
        EXPECT_EQ(gReservas.load() - antes, 0);
    }
}

}  // namespace
