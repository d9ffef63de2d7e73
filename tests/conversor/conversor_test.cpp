// zuvelo-convert's pipeline unit by unit: the bounded queue holds the workers at its maximum and has
// blocks written in reading order, one writer at a time; the reader cuts the input into numbered
// blocks; a worker converts a block; the writer adds up the report; the progress line; the signal
// guard.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <mutex>
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

// With `maximo` blocks in flight a worker waits until one is free again; the one it gets then is the
// one given back, emptied.
TEST(TCola, EsperaConElMaximoEnVuelo) {
    TCola cola(2);
    auto a = cola.Libre();
    auto b = cola.Libre();
    a->Datos = "usado";
    TBloque *devuelto = a.get();
    std::atomic<bool> dado{false};
    bool esperoAlDevuelto = false;
    TBloque *tercero = nullptr;
    std::thread trabajador([&] {
        auto c = cola.Libre();
        esperoAlDevuelto = dado.load();
        tercero = c.get();
        c.release();  // owned by `a` again below
    });
    dado.store(true);
    cola.Devolver(std::move(a));
    trabajador.join();
    EXPECT_TRUE(esperoAlDevuelto);
    EXPECT_EQ(tercero, devuelto);
    EXPECT_TRUE(devuelto->Datos.empty());
    a.reset(devuelto);
}

// Many workers, each taking the next number as the reader hands them out and finishing in any
// order: every block is written once, in reading order, never by two threads at once, and never
// more than `maximo` blocks exist.
TEST(TCola, EscritosEnOrdenPorUnHiloALaVez) {
    constexpr int kBloques = 2000, kHilos = 6;
    TCola cola(kHilos + 1);
    std::mutex lectura;
    int64_t siguiente = 0;
    std::vector<int64_t> escritos;
    std::atomic<int> escribiendo{0}, enVuelo{0}, maximoVisto{0};
    const auto escribir = [&](TBloque &b) {
        EXPECT_EQ(escribiendo.fetch_add(1), 0);
        escritos.push_back(b.Orden);
        enVuelo.fetch_sub(1);
        escribiendo.fetch_sub(1);
    };
    std::vector<std::thread> hilos;
    for (int h = 0; h < kHilos; ++h)
        hilos.emplace_back([&, h] {
            while (auto b = cola.Libre()) {
                const int ahora = enVuelo.fetch_add(1) + 1;
                for (int m = maximoVisto.load(); ahora > m && !maximoVisto.compare_exchange_weak(m, ahora);) {
                }
                {
                    std::lock_guard<std::mutex> l(lectura);
                    if (siguiente == kBloques) {
                        enVuelo.fetch_sub(1);
                        cola.Devolver(std::move(b));
                        return;
                    }
                    b->Orden = siguiente++;
                }
                // Blocks of different lengths: later ones often finish first.
                for (int k = 0; k < (b->Orden * 7 + h) % 13; ++k) std::this_thread::yield();
                cola.Listo(std::move(b), escribir);
            }
        });
    for (std::thread &t : hilos) t.join();
    ASSERT_EQ(escritos.size(), static_cast<std::size_t>(kBloques));
    for (int k = 0; k < kBloques; ++k) ASSERT_EQ(escritos[k], k);
    EXPECT_LE(maximoVisto.load(), kHilos + 1);
}

// An abort ends the wait for a free block and hands out nothing more; a block handed in afterwards is
// never written. What the writing throws aborts the queue and reaches the thread that wrote.
TEST(TCola, AbortarYErroresDeEscritura) {
    {
        TCola cola(1);
        auto lleno = cola.Libre();
        auto espera = std::make_unique<TBloque>();  // the wait must replace it with nothing
        std::thread trabajador([&] { espera = cola.Libre(); });
        cola.Abortar();
        trabajador.join();
        EXPECT_FALSE(espera);
        bool escrito = false;
        cola.Listo(std::move(lleno), [&](TBloque &) { escrito = true; });
        EXPECT_FALSE(escrito);
        EXPECT_FALSE(cola.Libre());
    }
    TCola cola(4);
    auto b = cola.Libre();
    EXPECT_THROW(cola.Listo(std::move(b), [](TBloque &) { throw std::runtime_error("disco lleno"); }),
                 std::runtime_error);
    EXPECT_FALSE(cola.Libre());
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
    ConfigurarCoordenadas(c, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
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
    ConfigurarCoordenadas(c, 0, 0, TTipoArchivo::Geografico, TTipoArchivo::GaussKruger);
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
    p.Lectura.Fuente = TTipoArchivo::Geografico;
    p.Destino = TTipoArchivo::GaussKruger;
    p.Lectura.ModoDecimal = 1;
    return p;
}

// Every block the reader fills, as the workers would take them.
std::vector<std::unique_ptr<TBloque>> Bloques(TLectorEntrada &lector) {
    lector.Preambulo();
    std::vector<std::unique_ptr<TBloque>> r;
    for (auto b = std::make_unique<TBloque>(); lector.Llenar(*b, 1 << 20); b = std::make_unique<TBloque>())
        r.push_back(std::move(b));
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
    p.Lectura.LineaInicio = 2;
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

// Blocks written in turn reach the file one after the other; the report adds them up and names only
// the first kMotivosListados problem lines.
TEST(EscribirBloque, ArchivoEInformeSumado) {
    TCarpetaTemporal dir;
    TArchivoSeguro archivo(dir / "salida.txt");
    TSalida salida(&archivo);
    TEscritura e(salida);
    for (int k : {0, 1, 2}) {
        TBloque b;
        b.Salida = "bloque " + std::to_string(k) + "\r\n";
        b.Convertidos = 10;
        b.Fallidos = 1;
        b.SinPunto = 2;
        b.Vacias = 1;
        b.Fallos.assign(kMotivosListados - 5, TFalloLinea{k, TMotivo()});
        b.NoListados = 4;
        EscribirBloque(b, e);
    }
    salida.Terminar();
    EXPECT_EQ(LeerArchivo(dir / "salida.txt"), "bloque 0\r\nbloque 1\r\nbloque 2\r\n");
    const TInforme &informe = e.Informe;
    EXPECT_EQ(informe.Convertidos, 30);
    EXPECT_EQ(informe.Fallidos, 3);
    EXPECT_EQ(informe.SinPunto, 6);
    EXPECT_EQ(informe.Vacias, 3);
    ASSERT_EQ(informe.Primeros.size(), kMotivosListados);
    EXPECT_EQ(informe.Primeros.front().Linea, 0);
    EXPECT_EQ(informe.Primeros.back().Linea, 1);
    EXPECT_EQ(informe.Restantes, static_cast<int64_t>(3 * (kMotivosListados - 5) - kMotivosListados + 3 * 4));
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
            // Sent to the process, as kill and a terminal send it; the watcher ends the process.
            kill(getpid(), SIGTERM);
            if (ignorada) _exit(0);
            for (;;) pause();
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
