// The private segment folder, splitting large files into ten segments, and deletion.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "error_archivo.h"
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

// The system's temporary folder for the duration of a test.
class TTmpdir {
  public:
    explicit TTmpdir(const std::string &ruta) {
        if (const char *v = std::getenv("TMPDIR")) antes_ = v, habia_ = true;
        setenv("TMPDIR", ruta.c_str(), 1);
    }
    ~TTmpdir() {
        if (habia_)
            setenv("TMPDIR", antes_.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

  private:
    std::string antes_;
    bool habia_ = false;
};

// Each object gets a folder of its own in $TMPDIR, readable by its owner only; destroyed, it deletes
// the segment names there and then the folder, and nothing else.
TEST(TCarpetaSegmentos, PrivadaYBorraSoloSegmentos) {
    TCarpetaTemporal tmp;
    TTmpdir fijar(tmp.Ruta() + "/");
    std::string primera;
    {
        TCarpetaSegmentos a, b;
        EXPECT_NE(a.Carpeta(), b.Carpeta());  // two copies of the program never share names
        EXPECT_EQ(a.Carpeta().rfind(tmp.Ruta() + "/zuvelo-", 0), 0u) << a.Carpeta();
        EXPECT_EQ(a.Base(), a.Carpeta() + "/entrada.");
        EXPECT_EQ(SegmentoEntrada(a.Base(), 3), a.Carpeta() + "/entrada.$$3");
        EXPECT_EQ(SegmentoSalida(a.Base(), 3), a.Carpeta() + "/Segmento.$$3");
        struct stat st;
        ASSERT_EQ(stat(a.Carpeta().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        for (int k = 0; k < kSegmentos; k += 3) {
            EscribirArchivo(SegmentoEntrada(a.Base(), k), "x\r\n");
            EscribirArchivo(SegmentoSalida(a.Base(), k), "y\r\n");
        }
        EscribirArchivo(b.Carpeta() + "/otro.txt", "de nadie\r\n");
        primera = a.Carpeta();
    }
    EXPECT_FALSE(Existe(primera));
    // A file that is no segment stays, and so does its folder.
    const auto quedan = tmp.Archivos();
    ASSERT_EQ(quedan.size(), 1u);
    EXPECT_EQ(LeerArchivo(tmp / quedan[0] + "/otro.txt"), "de nadie\r\n");
}

TEST(TCarpetaSegmentos, SinCarpetaTemporalFallaConMotivo) {
    TTmpdir fijar("/nonexistent/zuvelo");
    try {
        TCarpetaSegmentos c;
        FAIL() << c.Carpeta();
    } catch (const EArchivo &e) {
        EXPECT_EQ(e.Operacion, TOperacion::CrearCarpeta);
        EXPECT_EQ(e.Error, ENOENT);
        EXPECT_EQ(e.Ruta, "/nonexistent/zuvelo");
    }
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
        TCarpetaSegmentos carpeta;
        const std::string &base = carpeta.Base();
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

// Every segment is made new: a file already there is an error and stays as it was.
TEST(Segmentar, NuncaAbreUnArchivoExistente) {
    TCarpetaTemporal dir;
    ArchivoNumerado(dir / "p.txt", 100);
    TCarpetaSegmentos carpeta;
    EscribirArchivo(SegmentoEntrada(carpeta.Base(), 3), "ajeno\r\n");
    try {
        Segmentar(dir / "p.txt", 1, 100, carpeta.Base());
        FAIL() << "no error";
    } catch (const EArchivo &e) {
        EXPECT_EQ(e.Operacion, TOperacion::Crear);
        EXPECT_EQ(e.Error, EEXIST);
        EXPECT_EQ(e.Ruta, SegmentoEntrada(carpeta.Base(), 3));
    }
    EXPECT_EQ(LeerArchivo(SegmentoEntrada(carpeta.Base(), 3)), "ajeno\r\n");
}

TEST(Segmentar, ArchivoUtf8QuedaEnWindows1252) {
    TCarpetaTemporal dir;
    const std::string ruta = dir / "p.txt";
    EscribirArchivo(ruta, "34\xC2\xB0 S,1\n");
    TCarpetaSegmentos carpeta;
    Segmentar(ruta, 1, 1, carpeta.Base());
    EXPECT_EQ(LeerArchivo(SegmentoEntrada(carpeta.Base(), 9)), "34\xB0 S,1\r\n");
}

}  // namespace
