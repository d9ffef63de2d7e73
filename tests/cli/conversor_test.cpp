// zuvelo-convert's pipeline unit by unit: the bounded queue hands blocks back in reading order and
// holds the reader at its maximum; the reader cuts the input into numbered blocks; a worker converts a
// block; the writer writes blocks in order and adds up the report; the progress line; the signal guard.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include "cola.h"
#include "escritor.h"
#include "lector.h"
#include "progreso.h"
#include "senales.h"
#include "temporal.h"
#include "trabajo.h"

namespace {

std::unique_ptr<TBloque> BloqueDe(TCola &cola, int64_t orden, const std::string &salida) {
    auto b = cola.Libre();
    b->Orden = orden;
    b->Salida = salida;
    return b;
}

}  // namespace

// With `maximo` blocks in flight the reader waits until the writer gives one back; the one it gets
// then is the one given back, emptied.
TEST(TCola, ElLectorEsperaConElMaximoEnVuelo) {
    TCola cola(2);
    auto a = cola.Libre();
    auto b = cola.Libre();
    a->Datos = "usado";
    TBloque *devuelto = a.get();
    std::atomic<bool> dado{false};
    bool esperoAlDevuelto = false;
    TBloque *tercero = nullptr;
    std::thread lector([&] {
        auto c = cola.Libre();
        esperoAlDevuelto = dado.load();
        tercero = c.get();
        c.release();  // owned by `a` again below
    });
    dado.store(true);
    cola.Devolver(std::move(a));
    lector.join();
    EXPECT_TRUE(esperoAlDevuelto);
    EXPECT_EQ(tercero, devuelto);
    EXPECT_TRUE(devuelto->Datos.empty());
    a.reset(devuelto);
}

// An abort ends every wait: the reader's for room, a worker's for work, the writer's for a block.
TEST(TCola, AbortarDespiertaATodos) {
    TCola cola(1);
    auto lleno = cola.Libre();
    // Each wait must replace its own block with nothing.
    auto libre = std::make_unique<TBloque>(), trabajo = std::make_unique<TBloque>(),
         siguiente = std::make_unique<TBloque>();
    std::thread lector([&] { libre = cola.Libre(); });
    std::thread trabajador([&] { trabajo = cola.Trabajo(); });
    std::thread escritor([&] { siguiente = cola.Siguiente(0); });
    cola.Abortar();
    lector.join();
    trabajador.join();
    escritor.join();
    EXPECT_FALSE(libre);
    EXPECT_FALSE(trabajo);
    EXPECT_FALSE(siguiente);
}

namespace {

struct TLineaBloque {
    const char *linea;
    int64_t numero;
    bool larga;
};

TBloque Bloque(const std::vector<TLineaBloque> &lineas, char delimitador = ',') {
    TBloque b;
    b.Opc.Delimitador = delimitador;
    b.Opc.ColLatX = 1;
    b.Opc.ColLonY = 2;
    b.Opc.ColAltura = 3;
    b.Opc.ModoDecimal = 1;
    for (const TLineaBloque &l : lineas) b.Agregar(l.linea, l.numero, l.larga);
    return b;
}

}  // namespace

// Every kind of line of one block: its result line (or none), its count, its reason with its number.
TEST(ConvertirBloque, CadaLineaConSuResultado) {
    TBloque b = Bloque({{"-34.5,-58.4,25", 7, false},
                        {"abc,-58.4", 8, false},
                        {"", 9, false},
                        {"  ", 10, false},
                        {"-34.5", 11, false},
                        {"-34.5,-58.4", 12, true}});
    TCoordenadas c;
    ConfigurarCoordenadas(c, 0, 0, 0, 1);
    ConvertirBloque(b, TContexto(), c);
    std::string esperada;
    ASSERT_EQ(ConvertirLinea("-34.5,-58.4,25", b.Opc, c, esperada), rlConvertido);
    EXPECT_EQ(b.Salida, esperada + "\r\n,,\r\n,,\r\n");  // lines without a point give no line
    EXPECT_EQ(b.Convertidos, 1);
    EXPECT_EQ(b.Fallidos, 2);
    EXPECT_EQ(b.SinPunto, 3);
    EXPECT_EQ(b.Vacias, 2);
    ASSERT_EQ(b.Fallos.size(), 3u);
    EXPECT_EQ(b.Fallos[0].Linea, 8);
    EXPECT_EQ(b.Fallos[0].Motivo.Codigo, TCodigoMotivo::NoNumero);
    EXPECT_EQ(b.Fallos[1].Linea, 11);
    EXPECT_EQ(b.Fallos[1].Motivo.Codigo, TCodigoMotivo::PocosCampos);
    EXPECT_EQ(b.Fallos[2].Linea, 12);
    EXPECT_EQ(b.Fallos[2].Motivo.Codigo, TCodigoMotivo::LineaLarga);
}

// Past the reasons a block lists, its failures are only counted.
TEST(ConvertirBloque, MotivosListadosYContados) {
    TCoordenadas c;
    ConfigurarCoordenadas(c, 0, 0, 0, 1);
    std::vector<TLineaBloque> malas(kMotivosListados + 3, {"x,y", 1, false});
    TBloque b = Bloque(malas);
    ConvertirBloque(b, TContexto(), c);
    EXPECT_EQ(b.Fallidos, static_cast<int64_t>(kMotivosListados + 3));
    EXPECT_EQ(b.Fallos.size(), kMotivosListados);
    EXPECT_EQ(b.NoListados, 3);
}

namespace {

TPedido Pedido(const std::string &entrada) {
    TPedido p;
    p.Entrada = entrada;
    p.Fuente = 0;
    p.Destino = 1;
    p.Decimal = true;
    return p;
}

// Every block the reader hands on, as the workers would take them.
std::vector<std::unique_ptr<TBloque>> Bloques(TLectorEntrada &lector) {
    TCola cola(64);
    std::atomic<int64_t> posicion{0};
    lector.Preambulo();
    lector.Leer(cola, 1 << 20, posicion);
    cola.Cerrar();
    std::vector<std::unique_ptr<TBloque>> r;
    while (auto b = cola.Trabajo()) r.push_back(std::move(b));
    return r;
}

}  // namespace

// The lines before the start line are passed; each line keeps its number in the file; the delimiter
// comes from the first data line; a block holds at most kLineasBloque lines.
TEST(TLectorEntrada, BloquesNumeradosDesdeLaLineaDeInicio) {
    TCarpetaTemporal dir;
    std::string texto = "nombre lat lon\r\n";
    for (std::size_t i = 0; i < kLineasBloque + 10; ++i) texto += "-34.5;-58.4\r\n";
    EscribirArchivo(dir / "e.txt", texto);
    TPedido p = Pedido(dir / "e.txt");
    p.LineaInicio = 2;
    TLectorEntrada lector(p);
    const auto bloques = Bloques(lector);
    ASSERT_EQ(bloques.size(), 2u);
    EXPECT_EQ(bloques[0]->Orden, 0);
    EXPECT_EQ(bloques[1]->Orden, 1);
    EXPECT_EQ(bloques[0]->Lineas(), kLineasBloque);
    EXPECT_EQ(bloques[0]->Numeros.front(), 2);
    EXPECT_EQ(bloques[1]->Numeros.back(), static_cast<int64_t>(kLineasBloque + 11));
    EXPECT_EQ(bloques[0]->Opc.Delimitador, ';');
    EXPECT_EQ(bloques[1]->Linea(0), "-34.5;-58.4");
}

// A first data line in which no delimiter can be found stops the run with the way out.
TEST(TLectorEntrada, Errores) {
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "sin.txt", "-34.5\n");
    TLectorEntrada sinDelimitador(Pedido(dir / "sin.txt"));
    try {
        Bloques(sinDelimitador);
        ADD_FAILURE() << "a line without a delimiter was read";
    } catch (const std::runtime_error &e) {
        EXPECT_NE(std::string(e.what()).find("give --delimiter"), std::string::npos) << e.what();
    }
}

// Blocks finished out of order reach the file in reading order, and then the writer ends; the report
// adds them up and names only the first kMotivosListados problem lines.
TEST(EscribirEnOrden, ArchivoEnOrdenEInformeSumado) {
    TCarpetaTemporal dir;
    TCola cola(8);
    for (int k : {2, 0, 1}) {
        auto b = BloqueDe(cola, k, "bloque " + std::to_string(k) + "\r\n");
        b->Convertidos = 10;
        b->Fallidos = 1;
        b->SinPunto = 2;
        b->Vacias = 1;
        b->Fallos.assign(kMotivosListados - 5, TFalloLinea{k, TMotivo()});
        b->NoListados = 4;
        cola.Listo(std::move(b));
    }
    cola.Cerrar();
    TArchivoSeguro archivo(dir / "salida.txt");
    TSalida salida(&archivo);
    TInforme informe;
    std::vector<int64_t> avance;
    EscribirEnOrden(cola, salida, nullptr, informe, [&](int64_t puntos) { avance.push_back(puntos); });
    salida.Terminar();
    EXPECT_EQ(LeerArchivo(dir / "salida.txt"), "bloque 0\r\nbloque 1\r\nbloque 2\r\n");
    EXPECT_EQ(informe.Convertidos, 30);
    EXPECT_EQ(informe.Fallidos, 3);
    EXPECT_EQ(informe.SinPunto, 6);
    EXPECT_EQ(informe.Vacias, 3);
    ASSERT_EQ(informe.Primeros.size(), kMotivosListados);
    EXPECT_EQ(informe.Primeros.front().Linea, 0);
    EXPECT_EQ(informe.Primeros.back().Linea, 1);
    EXPECT_EQ(informe.Restantes, static_cast<int64_t>(3 * (kMotivosListados - 5) - kMotivosListados + 3 * 4));
    EXPECT_EQ(avance, (std::vector<int64_t>{11, 22, 33}));
}

TEST(LineaProgreso, Texto) {
    EXPECT_EQ(LineaProgreso(50, 200, 1000, 2.0), "\r25%  1000 points  500 points/s   ");
    EXPECT_EQ(LineaProgreso(300, 200, 10, 1.0), "\r100%  10 points  10 points/s   ");
    EXPECT_EQ(LineaProgreso(50, 0, 3, 1.5), "\r3 points  2 points/s   ");  // size unknown: no share
}

// In a child process: an ending signal removes the temporary file, says so in one line and ends the
// process with the signal; a signal the caller ignores stays ignored.
TEST(VigilarSenales, QuitanElTemporalYTerminan) {
    for (const bool ignorada : {false, true}) {
        SCOPED_TRACE(ignorada);
        TCarpetaTemporal dir;
        const std::string temporal = dir / "salida.~1-0.tmp";
        EscribirArchivo(temporal, "parcial");
        int tubo[2];
        ASSERT_EQ(pipe(tubo), 0);
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            dup2(tubo[1], 2);
            if (ignorada) std::signal(SIGTERM, SIG_IGN);
            VigilarSenales();
            FijarTemporal(temporal);
            raise(SIGTERM);
            _exit(0);
        }
        close(tubo[1]);
        std::string errores;
        char buf[256];
        for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) > 0;)
            errores.append(buf, static_cast<std::size_t>(n));
        close(tubo[0]);
        int estado = 0;
        ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
        EXPECT_EQ(Existe(temporal), ignorada);
        if (ignorada) {
            EXPECT_EQ(errores, "");
            EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
        } else {
            EXPECT_EQ(errores,
                      "zuvelo-convert: stopped by SIGTERM (terminate); no output file was written\n");
            EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGTERM);
        }
    }
}
