// Segment names (the first-dot rule), splitting large files into ten segments, and deletion.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "lineas.h"
#include "segmentos.h"
#include "temporal.h"

namespace {

// Lines "L1" to "Ln", CR LF ended.
void ArchivoNumerado(const std::string &ruta, int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "L" + std::to_string(i) + "\r\n";
    EscribirArchivo(ruta, s);
}

std::vector<std::string> Lineas(const std::string &ruta) {
    TLectorLineas l(ruta, false);
    std::vector<std::string> r;
    std::string s;
    while (l.Leer(s)) r.push_back(s);
    return r;
}

TEST(Segmentos, Nombres) {
    EXPECT_EQ(BaseSegmento("/datos/puntos.txt"), "/datos/puntos.");
    EXPECT_EQ(BaseSegmento("/datos/obra.2007/puntos.txt"), "/datos/obra.");  // first dot of the whole path
    EXPECT_EQ(BaseSegmento("/datos/puntos"), "/datos/puntos.");              // no dot: beside the file
    EXPECT_EQ(SegmentoEntrada("/datos/obra.", 0), "/datos/obra.$$0");
    EXPECT_EQ(SegmentoEntrada("/datos/puntos.", 9), "/datos/puntos.$$9");
    EXPECT_EQ(SegmentoSalida("/datos/obra.", 3), "/datos/Segmento.$$3");
    EXPECT_EQ(SegmentoSalida("puntos.", 3), "Segmento.$$3");
}

struct CasoSegmentar {
    const char *nombre;
    int total;
    int inicio;
    int primera;                   // first data line (number in the file)
    std::array<int, 10> cantidad;  // lines per segment
};

TEST(Segmentar, Reparto) {
    const CasoSegmentar casos[] = {
        {"50001 lineas", 50001, 1, 1, {5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5001}},
        {"100000 lineas desde la 3",
         100000,
         3,
         3,
         {10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000, 9998}},
        {"50000 lineas", 50000, 1, 1, {5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000}},
        {"inicio pasado el final", 20, 30, 21, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const CasoSegmentar &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCarpetaTemporal dir;
        const std::string ruta = dir / "puntos.txt";
        ArchivoNumerado(ruta, c.total);
        ASSERT_EQ(ContarLineas(ruta), c.total);
        std::vector<int> avance;
        const std::string base = BaseSegmento(ruta);
        Segmentar(ruta, static_cast<uint8_t>(c.inicio), c.total, base, [&](int v) { avance.push_back(v); });
        EXPECT_EQ(avance, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
        int siguiente = c.primera;
        for (int k = 0; k < kSegmentos; ++k) {
            SCOPED_TRACE(k);
            const auto l = Lineas(SegmentoEntrada(base, k));
            ASSERT_EQ(static_cast<int>(l.size()), c.cantidad[static_cast<std::size_t>(k)]);
            if (!l.empty()) {
                EXPECT_EQ(l.front(), "L" + std::to_string(siguiente));
                siguiente += static_cast<int>(l.size());
                EXPECT_EQ(l.back(), "L" + std::to_string(siguiente - 1));
            }
        }
        if (c.inicio <= c.total) {
            EXPECT_EQ(siguiente, c.total + 1);  // every data line once, in order
        }
    }
}

TEST(Segmentar, RutaSinPuntoYBorrado) {
    TCarpetaTemporal dir;
    const std::string ruta = dir / "puntos";
    ArchivoNumerado(ruta, 100);
    const std::string base = BaseSegmento(ruta);
    Segmentar(ruta, 1, 100, base);
    EXPECT_TRUE(Existe(dir / "puntos.$$0"));
    EXPECT_TRUE(Existe(dir / "puntos.$$9"));
    EscribirArchivo(SegmentoSalida(base, 4), "x\r\n");
    EXPECT_TRUE(Existe(dir / "Segmento.$$4"));
    BorrarSegmentos(base);
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"puntos"});
    BorrarSegmentos("");  // nothing happens for an empty base
}

TEST(Segmentar, CarpetaConPunto) {
    TCarpetaTemporal dir;
    const std::string carpeta = dir / "obra.2007";
    ASSERT_EQ(mkdir(carpeta.c_str(), 0755), 0);
    const std::string ruta = carpeta + "/puntos.txt";
    ArchivoNumerado(ruta, 30);
    ASSERT_EQ(BaseSegmento(ruta), dir / "obra.");
    Segmentar(ruta, 1, 30, BaseSegmento(ruta));
    EXPECT_EQ(Lineas(dir / "obra.$$9"), (std::vector<std::string>{"L28", "L29", "L30"}));
    BorrarSegmentos(BaseSegmento(ruta));
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"obra.2007"});
}

TEST(Segmentar, ArchivoUtf8QuedaEnWindows1252) {
    TCarpetaTemporal dir;
    const std::string ruta = dir / "p.txt";
    EscribirArchivo(ruta, "34\xC2\xB0 S,1\n");
    Segmentar(ruta, 1, 1, BaseSegmento(ruta));
    EXPECT_EQ(LeerArchivo(dir / "p.$$9"), "34\xB0 S,1\r\n");
}

}  // namespace
