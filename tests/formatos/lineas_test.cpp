// Line reading (line ends, last line, long lines, UTF-8 files), line counting and safe writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cp1252.h"
#include "error_archivo.h"
#include "lineas.h"
#include "temporal.h"

namespace {

constexpr std::size_t kSinLimite = static_cast<std::size_t>(-1);

// Every line, read both ways (into a string, and as views into the buffer where they can be), which
// must agree line by line: text, cut, position and encoding.
std::vector<std::string> TodasLasLineas(const std::string &ruta, std::size_t limite = kSinLimite,
                                        bool *utf8 = nullptr) {
    TLectorLineas copias(ruta), vistas(ruta);
    copias.LimitarLinea(limite);
    vistas.LimitarLinea(limite);
    std::vector<std::string> r;
    std::string l;
    std::string_view v;
    while (copias.Leer(l)) {
        r.push_back(l);
        if (!vistas.Leer(v)) {
            ADD_FAILURE() << "the view reader ended early";
            return r;
        }
        EXPECT_EQ(v, l);
        EXPECT_EQ(vistas.Cortada(), copias.Cortada()) << l;
        EXPECT_EQ(vistas.Posicion(), copias.Posicion()) << l;
    }
    EXPECT_FALSE(vistas.Leer(v));
    EXPECT_EQ(vistas.EsUtf8(), copias.EsUtf8());
    if (utf8) *utf8 = copias.EsUtf8();
    return r;
}

struct CasoLineas {
    const char *nombre;
    std::string bytes;
    std::vector<std::string> lineas;
};

// The reader reads 256 KiB at a time: a CR LF may be split between two reads.
const std::string kBuffer(256 * 1024 - 1, 'x');

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
        {"CR suelto termina la linea", "a\rb\n", {"a", "b"}},
        {"solo CR", "a\rb\rc\r", {"a", "b", "c"}},
        {"CR sin fin al final", "a\rb", {"a", "b"}},
        {"CR solo", "\r", {""}},
        {"CR CR LF", "a\r\r\n", {"a", ""}},
        {"LF CR", "a\n\rb", {"a", "", "b"}},
        {"CR LF sin el ultimo LF", "a\r\nb\r", {"a", "b"}},
        {"CR solo al final", "a\n\r", {"a", ""}},
        {"grado Windows-1252", "34\xB0 S\r\n", {"34\xB0 S"}},
        {"CR LF partido entre lecturas", kBuffer + "\r\nb", {kBuffer, "b"}},
        {"CR al final de una lectura", kBuffer + "\rb", {kBuffer, "b"}},
        {"LF al principio de una lectura", kBuffer + "\n\nb", {kBuffer, "", "b"}},
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

// Past the limit a line keeps its first bytes and says it was cut; the next line is whole.
TEST(TLectorLineas, LimiteDeLinea) {
    TCarpetaTemporal dir;
    const std::string larga = "1,2," + std::string(700000, '9');
    EscribirArchivo(dir / "l.txt", "a,b\r\n" + larga + "\r\n12345678\r12345678901\n");
    TLectorLineas lector(dir / "l.txt");
    lector.LimitarLinea(8);
    std::string l;
    const std::pair<std::string, bool> esperado[] = {
        {"a,b", false}, {larga.substr(0, 8), true}, {"12345678", false}, {"12345678", true}};
    for (const auto &e : esperado) {
        ASSERT_TRUE(lector.Leer(l));
        EXPECT_EQ(l, e.first);
        EXPECT_EQ(lector.Cortada(), e.second);
    }
    EXPECT_FALSE(lector.Leer(l));
    EXPECT_EQ(lector.Posicion(), static_cast<int64_t>(5 + larga.size() + 2 + 9 + 12));

    // A cut inside a UTF-8 sequence does not make a UTF-8 file read as Windows-1252.
    EscribirArchivo(dir / "u.txt", "34\xC2\xB0,\xC2\xB0\xC2\xB0\n34\xC2\xB0\n");
    TLectorLineas utf8(dir / "u.txt");
    utf8.LimitarLinea(8);
    ASSERT_TRUE(utf8.Leer(l));
    EXPECT_TRUE(utf8.EsUtf8());
    EXPECT_EQ(l, "34\xB0,\xB0");
    ASSERT_TRUE(utf8.Leer(l));
    EXPECT_EQ(l, "34\xB0");

    // Read as views, the same lines, cuts and positions.
    EXPECT_EQ(TodasLasLineas(dir / "l.txt", 8).size(), 4u);
    EXPECT_EQ(TodasLasLineas(dir / "u.txt", 8).size(), 2u);
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
        {"UTF-8 pasados 16 bytes",
         "P\n0123456789abcdefghij,34\xC2\xB0 S\nab\n",
         true,
         {"P", "0123456789abcdefghij,34\xB0 S", "ab"}},
        {"UTF-8 16 bytes antes del fin",
         "P\n34\xC2\xB0 S,0123456789abcdefghij\n0123456789\n",
         true,
         {"P", "34\xB0 S,0123456789abcdefghij", "0123456789"}},
        {"Windows-1252 pasados 16 bytes",
         "P\nab\n0123456789abcdefghij,34\xB0 S\n",
         false,
         {"P", "ab", "0123456789abcdefghij,34\xB0 S"}},
        {"sin forma Windows-1252", "\xE4\xB8\xAD\n", true, {"?"}},
    };
    TCarpetaTemporal dir;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirArchivo(dir / "u.txt", c.bytes);
        bool utf8 = false;
        EXPECT_EQ(TodasLasLineas(dir / "u.txt", kSinLimite, &utf8), c.lineas);
        EXPECT_EQ(utf8, c.utf8);
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

// Root writes anywhere: a run as root gives root up in a child first (user and group nobody), so the
// check runs as the program's users run it.
TEST(TArchivoSeguro, CarpetaSinPermisoFallaSinTocarNada) {
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        int fallo = 0;
        {
            TCarpetaTemporal dir;
            if (dir.Ruta().empty()) _exit(11);
            const std::string destino = dir / "salida.dat";
            EscribirArchivo(destino, "viejo\r\n");
            chmod(dir.Ruta().c_str(), 0555);
            try {
                TArchivoSeguro f(destino);
                fallo = 12;
            } catch (const std::runtime_error &) {
            }
            chmod(dir.Ruta().c_str(), 0755);
            if (LeerArchivo(destino) != "viejo\r\n") fallo = 13;
            if (dir.Archivos() != std::vector<std::string>{"salida.dat"}) fallo = 14;
        }
        _exit(fallo);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado)) << estado;
    // 10: root could not be given up; 11: no scratch folder; 12: the file opened; 13: the target
    // changed; 14: something was left beside it.
    EXPECT_EQ(WEXITSTATUS(estado), 0);
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

// A symbolic link stays a link: the file it leads to is replaced, through a temporary file beside
// that file, and nothing is left beside the link.
TEST(TArchivoSeguro, EnlaceConservaElEnlace) {
    struct Caso {
        const char *nombre;
        const char *enlace;   // written through this name
        const char *apunta;   // what the link holds
        const char *destino;  // the file that gets the lines
        bool existe;          // the file exists before
    };
    const Caso casos[] = {
        {"misma carpeta", "enlace.dat", "real.dat", "real.dat", true},
        {"otra carpeta, relativo", "sub/enlace.dat", "../real.dat", "real.dat", true},
        {"cadena de enlaces", "e2.dat", "e1.dat", "real.dat", true},
        {"enlace a un archivo por crear", "enlace.dat", "nuevo.dat", "nuevo.dat", false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCarpetaTemporal dir;
        mkdir((dir / "sub").c_str(), 0755);
        if (c.existe) {
            EscribirArchivo(dir / "real.dat", "viejo\r\n");
            chmod((dir / "real.dat").c_str(), 0640);
        }
        ASSERT_EQ(symlink("real.dat", (dir / "e1.dat").c_str()), 0);
        ASSERT_EQ(symlink(c.apunta, (dir / c.enlace).c_str()), 0);
        const auto antes = dir.Archivos();
        TArchivoSeguro f(dir / c.enlace);
        f.Linea("nuevo");
        f.Confirmar();
        struct stat st;
        ASSERT_EQ(lstat((dir / c.enlace).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        EXPECT_EQ(LeerArchivo(dir / c.destino), "nuevo\r\n");
        if (c.existe) {
            ASSERT_EQ(stat((dir / c.destino).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0640u);
        }
        auto despues = antes;
        if (!c.existe) despues.push_back(c.destino);
        std::sort(despues.begin(), despues.end());
        EXPECT_EQ(dir.Archivos(), despues);
    }
}

// A named pipe and a character device are written straight through and stay what they are.
TEST(TArchivoSeguro, TuberiaYDispositivoDirectos) {
    {
        TArchivoSeguro nulo("/dev/null");
        EXPECT_TRUE(nulo.Temporal().empty());
        nulo.Linea("nada");
        nulo.Confirmar();
    }
    struct stat st;
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    TCarpetaTemporal dir;
    const std::string tubo = dir / "tubo";
    ASSERT_EQ(mkfifo(tubo.c_str(), 0600), 0);
    std::string leido;
    std::thread lector([&] { leido = LeerArchivo(tubo); });
    {
        TArchivoSeguro f(tubo);
        EXPECT_TRUE(f.Temporal().empty());
        f.Linea("uno");
        f.Linea("dos");
        f.Confirmar();
    }
    lector.join();
    EXPECT_EQ(leido, "uno\r\ndos\r\n");
    ASSERT_EQ(lstat(tubo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"tubo"});
}

// A destination that is a file being read, under any of its names, is refused before anything is
// created.
TEST(TArchivoSeguro, EntradaNoSeReemplaza) {
    TCarpetaTemporal dir;
    const std::string entrada = dir / "in.txt";
    EscribirArchivo(entrada, "P,1,2\r\n");
    ASSERT_EQ(link(entrada.c_str(), (dir / "duro.txt").c_str()), 0);
    ASSERT_EQ(symlink("in.txt", (dir / "blando.txt").c_str()), 0);
    TLectorLineas lector(entrada);
    const auto antes = dir.Archivos();
    for (const std::string &nombre :
         {entrada, dir.Ruta() + "/./in.txt", dir / "duro.txt", dir / "blando.txt"}) {
        SCOPED_TRACE(nombre);
        try {
            TArchivoSeguro f(nombre, {lector.Id()});
            ADD_FAILURE() << "accepted";
        } catch (const EArchivo &e) {
            EXPECT_EQ(e.Error, kEsLaEntrada);
            EXPECT_EQ(e.Ruta, nombre);
        }
        EXPECT_EQ(dir.Archivos(), antes);
        EXPECT_EQ(LeerArchivo(entrada), "P,1,2\r\n");
    }
    TArchivoSeguro otro(dir / "out.txt", {lector.Id()});
    otro.Confirmar();
    EXPECT_TRUE(Existe(dir / "out.txt"));
}

// What failed is kept apart: the window words it in its own language.
TEST(EArchivo, GuardaOperacionRutaYError) {
    try {
        TLectorLineas l("/nonexistent/zuvelo/x.txt");
        FAIL() << "no error";
    } catch (const EArchivo &e) {
        EXPECT_EQ(e.Operacion, TOperacion::Abrir);
        EXPECT_EQ(e.Ruta, "/nonexistent/zuvelo/x.txt");
        EXPECT_EQ(e.Error, ENOENT);
        EXPECT_STREQ(e.what(), "cannot open '/nonexistent/zuvelo/x.txt': No such file or directory");
    }
}

}  // namespace
