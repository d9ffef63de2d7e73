// Line reading (line ends, last line, UTF-8 files), line counting and safe writing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "cp1252.h"
#include "lineas.h"
#include "segmentos.h"
#include "temporal.h"

namespace {

std::vector<std::string> TodasLasLineas(const std::string &ruta) {
    TLectorLineas lector(ruta);
    std::vector<std::string> r;
    std::string l;
    while (lector.Leer(l)) r.push_back(l);
    return r;
}

struct CasoLineas {
    const char *nombre;
    std::string bytes;
    std::vector<std::string> lineas;
};

TEST(TLectorLineas, FinesDeLineaYUltimaLinea) {
    const CasoLineas casos[] = {
        {"vacio", "", {}},
        {"una linea LF", "a\n", {"a"}},
        {"ultima sin fin", "a\nb", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"mezcla LF y CR LF", "a\nb\r\nc", {"a", "b", "c"}},
        {"linea vacia sola", "\n", {""}},
        {"lineas vacias", "\n\r\n\n", {"", "", ""}},
        {"ultima vacia tras CR LF", "a\r\n\r\n", {"a", ""}},
        {"CR suelto queda", "a\rb\n", {"a\rb"}},
        {"CR LF sin el ultimo LF", "a\r\nb\r", {"a", "b"}},
        {"CR solo al final", "a\n\r", {"a", ""}},
        {"grado Windows-1252", "34\xB0 S\r\n", {"34\xB0 S"}},
    };
    TCarpetaTemporal dir;
    for (const CasoLineas &c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::string ruta = dir / "l.txt";
        EscribirArchivo(ruta, c.bytes);
        EXPECT_EQ(TodasLasLineas(ruta), c.lineas);
        // The count must match what the reader returns, line for line.
        EXPECT_EQ(ContarLineas(ruta), static_cast<int64_t>(c.lineas.size()));
    }
}

TEST(TLectorLineas, LineasMasLargasQueElBuffer) {
    TCarpetaTemporal dir;
    const std::string larga(700000, 'x');
    EscribirArchivo(dir / "l.txt", "a\r\n" + larga + "\r\nb");
    const auto l = TodasLasLineas(dir / "l.txt");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1], larga);
    EXPECT_EQ(l[2], "b");
}

TEST(TLectorLineas, ArchivoInexistenteNombraElArchivo) {
    try {
        TLectorLineas lector("/nonexistent/zuvelo/x.txt");
        FAIL() << "no error";
    } catch (const std::runtime_error &e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/zuvelo/x.txt"), std::string::npos);
    }
    EXPECT_THROW(ContarLineas("/nonexistent/zuvelo/x.txt"), std::runtime_error);
}

TEST(TLectorLineas, ReconoceUtf8) {
    struct Caso {
        const char *nombre;
        std::string bytes;
        bool utf8;
        std::vector<std::string> lineas;
    };
    const Caso casos[] = {
        {"BOM", "\xEF\xBB\xBFP1,1\n", true, {"P1,1"}},
        {"grado UTF-8 en la segunda linea", "P,lat\n34\xC2\xB0 36' S\n", true, {"P,lat", "34\xB0 36' S"}},
        {"euro y comillas", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D\n", true, {"\x80 \x93x\x94"}},
        {"Windows-1252 queda",
         "34\xB0 36' S\n\xF1"
         "and\xFA\n",
         false,
         {"34\xB0 36' S",
          "\xF1"
          "and\xFA"}},
        {"solo ASCII", "a,b\n", false, {"a,b"}},
        {"sin forma Windows-1252", "\xE4\xB8\xAD\n", true, {"?"}},
    };
    TCarpetaTemporal dir;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirArchivo(dir / "u.txt", c.bytes);
        TLectorLineas lector(dir / "u.txt");
        std::vector<std::string> r;
        std::string l;
        while (lector.Leer(l)) r.push_back(l);
        EXPECT_EQ(r, c.lineas);
        EXPECT_EQ(lector.EsUtf8(), c.utf8);
    }
}

TEST(TLectorLineas, SinDeteccionTomaLosBytes) {
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "u.txt", "\xC3\xB1\n");
    TLectorLineas lector(dir / "u.txt", false);
    std::string l;
    ASSERT_TRUE(lector.Leer(l));
    EXPECT_EQ(l, "\xC3\xB1");
}

TEST(Cp1252, IdaYVuelta) {
    EXPECT_EQ(Cp1252AUtf8("34\xB0"), "34\xC2\xB0");
    EXPECT_EQ(Cp1252AUtf8("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
    std::string todos;
    for (int c = 1; c < 256; ++c) todos += static_cast<char>(c);
    EXPECT_EQ(Utf8ACp1252(Cp1252AUtf8(todos)), todos);
    EXPECT_EQ(Utf8ACp1252("34\xC2\xB0"
                          "36\xE2\x80\xB2"
                          "12.5\xE2\x80\xB3S \xE2\x82\xAC \xE2\x88\x9A"),
              "34\xB0"
              "36'12.5\"S \x80 ?");
    EXPECT_TRUE(PareceUtf8("34\xC2\xB0"));
    EXPECT_FALSE(PareceUtf8("34\xB0"));
    EXPECT_FALSE(PareceUtf8("ascii"));
    EXPECT_FALSE(PareceUtf8("\xC0\xAF"));  // overlong '/'
}

TEST(TArchivoSeguro, ReemplazaSoloAlConfirmar) {
    TCarpetaTemporal dir;
    const std::string destino = dir / "salida.dat";
    EscribirArchivo(destino, "viejo\r\n");
    {
        TArchivoSeguro f(destino);
        f.Linea("nuevo");
        EXPECT_EQ(LeerArchivo(destino), "viejo\r\n");  // not yet replaced
        f.Confirmar();
    }
    EXPECT_EQ(LeerArchivo(destino), "nuevo\r\n");
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"salida.dat"});
}

TEST(TArchivoSeguro, ErrorDejaElArchivoViejoYNingunParcial) {
    TCarpetaTemporal dir;
    const std::string destino = dir / "salida.dat";
    EscribirArchivo(destino, "viejo\r\n");
    try {
        TArchivoSeguro f(destino);
        f.Linea("a medias");
        throw std::runtime_error("falla a mitad de camino");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(LeerArchivo(destino), "viejo\r\n");
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"salida.dat"});
}

TEST(TArchivoSeguro, CarpetaSinPermisoFallaSinTocarNada) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    TCarpetaTemporal dir;
    const std::string destino = dir / "salida.dat";
    EscribirArchivo(destino, "viejo\r\n");
    chmod(dir.Ruta().c_str(), 0555);
    EXPECT_THROW(TArchivoSeguro f(destino), std::runtime_error);
    chmod(dir.Ruta().c_str(), 0755);
    EXPECT_EQ(LeerArchivo(destino), "viejo\r\n");
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"salida.dat"});
}

TEST(TArchivoSeguro, DestinoQueEsCarpetaFallaEnseguida) {
    TCarpetaTemporal dir;
    const std::string destino = dir / "sub";
    mkdir(destino.c_str(), 0755);
    EXPECT_THROW(TArchivoSeguro f(destino), std::runtime_error);
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"sub"});
}

// The folder disappears while the file is written: Confirmar reports it instead of claiming success.
TEST(TArchivoSeguro, ConfirmarInformaElError) {
    TCarpetaTemporal dir;
    const std::string sub = dir / "sub";
    mkdir(sub.c_str(), 0755);
    TArchivoSeguro f(sub + "/x.dat");
    f.Linea("x");
    ASSERT_EQ(std::system(("rm -rf '" + sub + "'").c_str()), 0);
    EXPECT_THROW(f.Confirmar(), std::runtime_error);
    EXPECT_FALSE(Existe(sub + "/x.dat"));
}

}  // namespace
