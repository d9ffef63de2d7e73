// ConvertirArchivo: the output made ready, then N workers (this thread and N - 1 more), each reading,
// converting and writing blocks in turn; the first error aborts the queue and is thrown once every
// thread has ended.
#include "conversor.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

#include "cola.h"
#include "error_archivo.h"
#include "lector.h"
#include "linea_larga.h"
#include "lote.h"
#include "progreso.h"
#include "senales.h"
#include "trabajo.h"

namespace {

// Bytes of input lines in flight at most, shared among the blocks: lines are at most
// kLargoMaximoLinea long, so memory stays bounded on any input.
constexpr std::size_t kBytesEnVuelo = 16u << 20;

// Clears the signal handler's path when the run ends, whichever way.
struct TFinVigilancia {
    ~TFinVigilancia() { FijarTemporal(std::string()); }
};

// An OUTPUT that names this process's standard output (/dev/stdout, or the file it is redirected to)
// is written there: opening it again could only get in the way of what the shell set up.
bool EsSalidaEstandar(const std::string &ruta) {
    TIdArchivo salida, estandar;
    return IdDeRuta(ruta, salida) && IdDeDescriptor(STDOUT_FILENO, estandar) && salida == estandar;
}

// The descriptor is the file being read (`cat in.txt >> in.txt` would never end); a terminal may be
// both ends.
bool EsLaEntrada(int fd, const TIdArchivo &entrada) {
    struct stat st;
    return fstat(fd, &st) == 0 && !S_ISCHR(st.st_mode) && TIdArchivo{st.st_dev, st.st_ino} == entrada;
}

// The first error of any thread, kept as it was thrown (a file error keeps its path and reason for a
// caller that words it); it aborts the queue so that every other thread ends soon.
class TPrimerError {
  public:
    explicit TPrimerError(TCola &cola) : cola_(cola) {}
    // Inside a catch block.
    void Fallar() {
        {
            std::lock_guard<std::mutex> l(m_);
            if (!error_) error_ = std::current_exception();
        }
        cola_.Abortar();
    }
    // Read once every thread has ended.
    void Relanzar() const {
        if (error_) std::rethrow_exception(error_);
    }

  private:
    TCola &cola_;
    std::mutex m_;
    std::exception_ptr error_;
};

// The workers end together: a signal whose handler ends the process at once (the file-size limit,
// say) then finds every thread still there, none ended and not yet joined.
class TFinJunto {
  public:
    explicit TFinJunto(int hilos) : pendientes_(hilos) {}
    // A worker done: waits for the others.
    void Llegar() {
        std::unique_lock<std::mutex> l(m_);
        if (--pendientes_ <= 0)
            cv_.notify_all();
        else
            cv_.wait(l, [&] { return pendientes_ <= 0; });
    }
    // No more workers will come (some could not be started).
    void Soltar() {
        {
            std::lock_guard<std::mutex> l(m_);
            pendientes_ = 0;
        }
        cv_.notify_all();
    }

  private:
    std::mutex m_;
    std::condition_variable cv_;
    int pendientes_;
};

}  // namespace

TInforme ConvertirArchivo(const TPedido &p) {
    TLectorEntrada lector(p);
    // The output exists (as a temporary file beside it) before any work: an unwritable folder, or an
    // output that is the input itself, stops the run before anything is written.
    TFinVigilancia finVigilancia;  // outlives the output file, so the handler covers its removal too
    std::optional<TArchivoSeguro> archivo;
    if (p.SalidaEstandar() || EsSalidaEstandar(p.Salida)) {
        if (EsLaEntrada(STDOUT_FILENO, lector.Id()))
            throw EArchivo(TOperacion::Escribir, "standard output", kEsLaEntrada);
    } else {
        const TSenalesRetenidas retenidas;
        archivo.emplace(p.Salida, std::vector<TIdArchivo>{lector.Id()});
        FijarTemporal(archivo->Temporal());
    }
    TSalida salida(archivo ? &*archivo : nullptr);
    std::optional<TDibujoPuntos> dibujo;
    if (p.SalidaDXF()) dibujo.emplace();
    std::unique_ptr<TEscritorPuntos> puntos;
    if (p.SalidaPuntos())
        puntos = CrearEscritor(p.FormatoSalida(), TipoCoordenada(p.Destino),
                               [&salida](std::string_view datos) { salida.Escribir(datos); });
    lector.Preambulo();

    TContexto ctx;
    ctx.Dibujo = p.SalidaDXF();
    ctx.Utf8 = p.Utf8;
    ctx.LineaInicio = p.Lectura.LineaInicio;
    ctx.Puntos = puntos != nullptr;
    // The map formats place points; the two tables do not.
    const TFormatoSalida formato = p.FormatoSalida();
    ctx.Ubicar = ctx.Puntos && formato != TFormatoSalida::Csv && formato != TFormatoSalida::Xlsx;
    ctx.TipoDestino = TipoCoordenada(p.Destino);
    ctx.MarcoDestino = &ElipsoideDe(p.MarcoDestino);
    ctx.Idioma = p.Idioma;

    const int hilos =
        p.Hilos > 0 ? p.Hilos : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    // Each worker holds the block it fills or converts; the rest wait their turn to be written.
    const std::size_t enVuelo = 2 * static_cast<std::size_t>(hilos) + 2;
    const std::size_t bytesBloque = std::max(kLargoMaximoLinea, kBytesEnVuelo / enVuelo);
    TCola cola(enVuelo);
    TPrimerError error(cola);

    TEscritura escritura(salida, dibujo ? &*dibujo : nullptr, puntos.get());
    // A .csv file names its coordinate system in a .prj beside it, as GIS programs read it.
    std::optional<TSistemasVistos> sistemas;
    if (archivo && !archivo->Temporal().empty() && p.FormatoSalida() == TFormatoSalida::Csv) {
        sistemas.emplace(TipoCoordenada(p.Destino));
        escritura.Sistemas = &*sistemas;
    }
    TProgreso progreso(!p.Silencioso && isatty(fileno(stderr)), lector.Tamano());
    const auto escribir = [&](TBloque &b) {
        EscribirBloque(b, escritura);
        const int64_t leidos = lector.Posicion();
        progreso.Mostrar(leidos, escritura.Informe.Convertidos + escritura.Informe.Fallidos);
        if (p.Avance) p.Avance(leidos, lector.Tamano());
    };
    // Every worker reads a block, converts it and hands it in (writing it when its turn has come):
    // N threads do all the work, with no thread only reading or only writing.
    const auto trabajar = [&] {
        try {
            TCoordenadas c;
            ConfigurarCoordenadas(c, p.MarcoFuente, p.MarcoDestino, p.Lectura.Fuente, p.Destino);
            while (auto b = cola.Libre()) {
                if (!lector.Llenar(*b, bytesBloque)) {
                    cola.Devolver(std::move(b));
                    break;
                }
                ConvertirBloque(*b, ctx, c);
                cola.Listo(std::move(b), escribir);
            }
        } catch (const std::exception &) {
            error.Fallar();
        }
    };
    TFinJunto fin(hilos);
    std::vector<std::thread> otros;
    try {
        for (int h = 1; h < hilos; ++h)
            otros.emplace_back([&] {
                trabajar();
                fin.Llegar();
            });
    } catch (...) {  // no thread to be had: the run stops, and those started end first
        cola.Abortar();
        fin.Soltar();
        for (std::thread &t : otros) t.join();
        throw;
    }
    trabajar();  // this thread is one of the workers
    fin.Llegar();
    for (std::thread &t : otros) t.join();
    progreso.Terminar();
    error.Relanzar();
    if (dibujo)
        dibujo->Escribir(LimitesDibujo(dibujo->Extension()),
                         [&](std::string_view datos) { salida.Escribir(datos); });
    if (puntos) puntos->Terminar();
    salida.Terminar();
    if (sistemas) {
        // The .prj's temporary file, like the output's, is removed by an ending signal.
        const std::string wkt = sistemas->WKT(p.MarcoDestino);
        escritura.Informe.Prj = wkt.empty() ? -1 : 1;
        if (!wkt.empty()) {
            std::optional<TArchivoSeguro> prj;
            {
                const TSenalesRetenidas retenidas;
                prj.emplace(RutaPrj(p.Salida));
                FijarTemporal(prj->Temporal());
            }
            prj->Escribir(wkt);
            prj->Confirmar();
        }
    }
    return escritura.Informe;
}
