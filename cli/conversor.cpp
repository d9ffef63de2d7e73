// Reader, workers and writer of zuvelo-convert. Blocks of a few thousand lines travel through a
// bounded queue: at most 2 N + 2 blocks exist at a time, each bounded in lines and in bytes, so memory
// stays small for any file and any line, and the writer takes them back in reading order, so the
// output order is the input order.
#include "conversor.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

#include "cp1252.h"
#include "error_archivo.h"
#include "lectura.h"
#include "linea_larga.h"
#include "lineas.h"
#include "lote.h"
#include "numeros.h"
#include "opciones_lectura.h"
#include "dibujo.h"
#include "senales.h"

namespace {

// A block holds at most this many lines, and goes once its bytes reach the share of kBytesEnVuelo
// that falls to it: lines are at most kLargoMaximoLinea long, so memory stays bounded on any input.
constexpr std::size_t kLineasBloque = 4096;
constexpr std::size_t kBytesEnVuelo = 16u << 20;

struct TPuntoDibujo {
    std::string Etiqueta, N, E, H;  // result texts
};

struct TBloque {
    int64_t Orden = 0;
    TOpcionesLectura Opc;  // a copy: the delimiter may be fixed only after the first lines
    std::string Datos;
    std::vector<std::size_t> Fines;
    std::vector<int64_t> Numeros;  // line number of each line in the file
    std::vector<bool> Largas;      // cut by the reader with a needed field past the cut
    // Results
    std::string Salida;
    std::vector<TFalloLinea> Fallos;
    int64_t NoListados = 0;
    int64_t Convertidos = 0, Fallidos = 0, SinPunto = 0, Vacias = 0;
    std::vector<TPuntoDibujo> Dibujo;

    void Vaciar() {
        Datos.clear();
        Fines.clear();
        Numeros.clear();
        Largas.clear();
        Salida.clear();
        Fallos.clear();
        Dibujo.clear();
        NoListados = Convertidos = Fallidos = SinPunto = Vacias = 0;
    }
    std::size_t Lineas() const { return Fines.size(); }
    std::string_view Linea(std::size_t i) const {
        const std::size_t ini = i == 0 ? 0 : Fines[i - 1];
        return std::string_view(Datos).substr(ini, Fines[i] - ini);
    }
    void Agregar(std::string_view linea, int64_t numero, bool larga) {
        Datos += linea;
        Fines.push_back(Datos.size());
        Numeros.push_back(numero);
        Largas.push_back(larga);
    }
};

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

// What every worker needs and nobody changes during the run.
struct TContexto {
    bool Gps = false;
    TMarcaGPS Marca;
    bool Dibujo = false;
    bool Utf8 = false;
    int64_t LineaInicio = 1;
};

void ConvertirBloque(TBloque &b, const TContexto &ctx, TCoordenadas &c) {
    std::string resultado;
    TMotivo motivo;
    TPuntoLeido punto;
    const auto anotar = [&](int64_t numero) {
        if (b.Fallos.size() < kMotivosListados)
            b.Fallos.push_back({numero, motivo});
        else
            ++b.NoListados;
    };
    for (std::size_t i = 0; i < b.Lineas(); ++i) {
        const std::string_view linea = b.Linea(i);
        const int64_t numero = b.Numeros[i];
        TResultadoLinea r;
        std::string etiqueta;
        if (b.Largas[i]) {
            r = rlFallido;
            resultado.assign(2, ctx.Gps ? ',' : b.Opc.Delimitador);
            motivo = MotivoLineaLarga();
        } else if (ctx.Gps) {
            const TRegistroGPS reg = LeerRegistroGPS(linea, ctx.Marca);
            if (reg.Latitud.empty() || reg.Longitud.empty()) {
                r = rlSinPunto;
                motivo = TMotivo();
                motivo.Codigo = TCodigoMotivo::Error;
                motivo.Valor =
                    "waypoint record without latitude and longitude (name,latitude,longitude, needed)";
            } else {
                // A waypoint carries no height: the default 1.5 m, as for a line without one.
                punto.Coord1 = reg.Latitud;
                punto.Coord2 = reg.Longitud;
                punto.Coord3.clear();
                punto.Zona = "0";
                punto.EnDecimal = ctx.Marca.Dms ? 0 : 1;
                r = LineaDePunto(punto, ',', c, resultado, &motivo);
                etiqueta = reg.Nombre;
            }
        } else {
            r = ConvertirLinea(linea, b.Opc, c, resultado, &motivo);
            if (ctx.Dibujo) etiqueta = std::to_string(numero - ctx.LineaInicio + 1);
        }
        switch (r) {
            case rlSinPunto:
                ++b.SinPunto;
                if (EnBlanco(linea))
                    ++b.Vacias;
                else
                    anotar(numero);
                continue;
            case rlFallido:
                ++b.Fallidos;
                anotar(numero);
                break;
            case rlConvertido:
                ++b.Convertidos;
                break;
        }
        if (ctx.Dibujo) {
            // The drawing takes converted points only.
            if (r == rlConvertido)
                b.Dibujo.push_back({std::move(etiqueta), c.Salida.Coord1.str(), c.Salida.Coord2.str(),
                                    c.Salida.Coord3.str()});
        } else {
            if (ctx.Utf8)
                b.Salida += Cp1252AUtf8(resultado);
            else
                b.Salida += resultado;
            b.Salida += "\r\n";
        }
    }
}

// Where finished blocks go: a file through TArchivoSeguro (replaced when complete, or a pipe or a
// device written straight through), or standard output.
class TSumidero {
  public:
    explicit TSumidero(TArchivoSeguro *archivo) : archivo_(archivo) {}
    void Escribir(std::string_view datos) {
        if (archivo_) {
            archivo_->Escribir(datos);
        } else if (!datos.empty() && std::fwrite(datos.data(), 1, datos.size(), stdout) != datos.size()) {
            throw EArchivo(TOperacion::Escribir, "standard output", errno ? errno : EIO);
        }
    }
    void Terminar() {
        if (archivo_)
            archivo_->Confirmar();
        else if (std::fflush(stdout) != 0)
            throw EArchivo(TOperacion::Escribir, "standard output", errno ? errno : EIO);
    }

  private:
    TArchivoSeguro *archivo_;
};

// Percentage (by bytes read) and points per second on a terminal, after the first second.
class TProgreso {
  public:
    TProgreso(bool activo, int64_t tamano) : activo_(activo), tamano_(tamano) {}
    void Mostrar(int64_t posicion, int64_t puntos) {
        if (!activo_) return;
        const auto ahora = std::chrono::steady_clock::now();
        const double pasado = std::chrono::duration<double>(ahora - inicio_).count();
        if (pasado < 1.0 || ahora - ultimo_ < std::chrono::milliseconds(250)) return;
        ultimo_ = ahora;
        std::string s = "\r";
        if (tamano_ > 0) s += std::to_string(std::min<int64_t>(100, posicion * 100 / tamano_)) + "%  ";
        s += std::to_string(puntos) + " points  " + std::to_string(static_cast<int64_t>(puntos / pasado)) +
             " points/s   ";
        std::fputs(s.c_str(), stderr);
        mostrado_ = true;
    }
    void Terminar() {
        if (mostrado_) std::fputs("\r                                                            \r", stderr);
    }

  private:
    bool activo_;
    int64_t tamano_;
    bool mostrado_ = false;
    std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now(), ultimo_;
};

// The queue between the reader, the workers and the writer.
class TCola {
  public:
    explicit TCola(std::size_t maximo) : maximo_(maximo) {}

    // Reader: a block to fill (waits while too many are in flight); nullptr after an abort.
    std::unique_ptr<TBloque> Libre() {
        std::unique_lock<std::mutex> l(m_);
        espacio_.wait(l, [&] { return abortado_ || enVuelo_ < maximo_; });
        if (abortado_) return nullptr;
        ++enVuelo_;
        if (libres_.empty()) return std::make_unique<TBloque>();
        auto b = std::move(libres_.back());
        libres_.pop_back();
        b->Vaciar();
        return b;
    }
    void Entregar(std::unique_ptr<TBloque> b) {
        {
            std::lock_guard<std::mutex> l(m_);
            trabajo_.push_back(std::move(b));
        }
        hayTrabajo_.notify_one();
    }
    void Cerrar() {
        {
            std::lock_guard<std::mutex> l(m_);
            cerrado_ = true;
        }
        hayTrabajo_.notify_all();
        hayListo_.notify_all();
    }
    void Abortar() {
        {
            std::lock_guard<std::mutex> l(m_);
            abortado_ = cerrado_ = true;
        }
        hayTrabajo_.notify_all();
        hayListo_.notify_all();
        espacio_.notify_all();
    }
    bool Abortado() {
        std::lock_guard<std::mutex> l(m_);
        return abortado_;
    }
    // Worker: the next block to convert; nullptr when the reader is done and nothing is left.
    std::unique_ptr<TBloque> Trabajo() {
        std::unique_lock<std::mutex> l(m_);
        hayTrabajo_.wait(l, [&] { return abortado_ || !trabajo_.empty() || cerrado_; });
        if (abortado_ || trabajo_.empty()) return nullptr;
        auto b = std::move(trabajo_.front());
        trabajo_.pop_front();
        return b;
    }
    void Listo(std::unique_ptr<TBloque> b) {
        {
            std::lock_guard<std::mutex> l(m_);
            listos_.emplace(b->Orden, std::move(b));
            ++terminados_;
        }
        hayListo_.notify_all();
    }
    // Writer: block number `orden`; nullptr when all blocks have been written or after an abort.
    std::unique_ptr<TBloque> Siguiente(int64_t orden) {
        std::unique_lock<std::mutex> l(m_);
        hayListo_.wait(l, [&] { return abortado_ || listos_.count(orden) || (cerrado_ && enVuelo_ == 0); });
        auto it = listos_.find(orden);
        if (abortado_ || it == listos_.end()) return nullptr;
        auto b = std::move(it->second);
        listos_.erase(it);
        return b;
    }
    void Devolver(std::unique_ptr<TBloque> b) {
        {
            std::lock_guard<std::mutex> l(m_);
            --enVuelo_;
            libres_.push_back(std::move(b));
        }
        espacio_.notify_one();
        hayListo_.notify_all();
    }

  private:
    std::mutex m_;
    std::condition_variable espacio_, hayTrabajo_, hayListo_;
    std::size_t maximo_, enVuelo_ = 0;
    int64_t terminados_ = 0;
    bool cerrado_ = false, abortado_ = false;
    std::deque<std::unique_ptr<TBloque>> trabajo_;
    std::map<int64_t, std::unique_ptr<TBloque>> listos_;
    std::vector<std::unique_ptr<TBloque>> libres_;
};

}  // namespace

TInforme ConvertirArchivo(const TArgumentos &a) {
    const std::string entrada = a.Entrada == "-" ? "/dev/stdin" : a.Entrada;
    TLectorLineas lector(entrada);
    lector.LimitarLinea(kLargoMaximoLinea);
    // The output exists (as a temporary file beside it) before any work: an unwritable folder, or an
    // output that is the input itself, stops the run before anything is written.
    TFinVigilancia finVigilancia;  // outlives the output file, so the handler covers its removal too
    std::optional<TArchivoSeguro> archivo;
    if (a.SalidaEstandar() || EsSalidaEstandar(a.Salida)) {
        if (EsLaEntrada(STDOUT_FILENO, lector.Id()))
            throw EArchivo(TOperacion::Escribir, "standard output", kEsLaEntrada);
    } else {
        archivo.emplace(a.Salida, std::vector<TIdArchivo>{lector.Id()});
        FijarTemporal(archivo->Temporal());
    }
    TSumidero sumidero(archivo ? &*archivo : nullptr);
    std::optional<TDibujoPuntos> acopio;
    if (a.SalidaDXF()) acopio.emplace();

    TContexto ctx;
    ctx.Gps = a.Fuente == 3;
    ctx.Dibujo = a.SalidaDXF();
    ctx.Utf8 = a.Utf8;
    ctx.LineaInicio = a.LineaInicio;
    TOpcionesLectura opc;
    opc.Fuente = static_cast<uint8_t>(a.Fuente);
    opc.ColLatX = static_cast<uint8_t>(a.Columnas[0]);
    opc.ColLonY = static_cast<uint8_t>(a.Columnas[1]);
    opc.ColAltura = static_cast<uint8_t>(a.Columnas[2]);
    opc.ColZona = static_cast<uint8_t>(a.Columnas[3]);
    opc.ModoDecimal = (a.Fuente == 0 && !a.Decimal) ? 0 : 1;
    bool delimitadorFijo = a.Delimitador >= 0;
    if (delimitadorFijo) opc.Delimitador = CaracteresDelimitador[a.Delimitador];

    // Lines before the data: the start line's predecessors, or everything before the GPS marker.
    std::string linea;
    int64_t numero = 0;
    bool hayLinea = false;
    if (ctx.Gps) {
        while ((hayLinea = lector.Leer(linea))) {
            ++numero;
            if (BuscarMarcaGPS(linea, ctx.Marca)) break;
        }
        if (!hayLinea)
            throw std::runtime_error("'" + a.Entrada +
                                     "': no waypoint marker line (one holding ',D' or ',dms')");
    } else {
        while (numero + 1 < a.LineaInicio && lector.Leer(linea)) ++numero;
        hayLinea = lector.Leer(linea);
        if (hayLinea) ++numero;
    }

    const int hilos =
        a.Hilos > 0 ? a.Hilos : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t enVuelo = 2 * static_cast<std::size_t>(hilos) + 2;
    TCola cola(enVuelo);
    const std::size_t bytesBloque = std::max(kLargoMaximoLinea, kBytesEnVuelo / enVuelo);
    struct stat st;
    const int64_t tamano = (stat(entrada.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ? st.st_size : 0;
    std::atomic<int64_t> posicion{0};
    std::mutex mError;
    std::string error;
    const auto fallar = [&](const std::string &e) {
        {
            std::lock_guard<std::mutex> l(mError);
            if (error.empty()) error = e;
        }
        cola.Abortar();
    };

    std::vector<std::thread> trabajadores;
    for (int h = 0; h < hilos; ++h)
        trabajadores.emplace_back([&] {
            TCoordenadas c;
            ConfigurarCoordenadas(c, a.MarcoFuente, a.MarcoDestino, a.Fuente, a.Destino);
            try {
                while (auto b = cola.Trabajo()) {
                    ConvertirBloque(*b, ctx, c);
                    cola.Listo(std::move(b));
                }
            } catch (const std::exception &e) {
                fallar(e.what());
            }
        });

    TInforme informe;
    TProgreso progreso(!a.Silencioso && isatty(fileno(stderr)), tamano);
    std::thread escritor([&] {
        try {
            for (int64_t orden = 0;; ++orden) {
                auto b = cola.Siguiente(orden);
                if (!b) break;
                if (acopio)
                    for (const TPuntoDibujo &p : b->Dibujo) acopio->Agregar(p.Etiqueta, p.N, p.E, p.H);
                else
                    sumidero.Escribir(b->Salida);
                informe.Convertidos += b->Convertidos;
                informe.Fallidos += b->Fallidos;
                informe.SinPunto += b->SinPunto;
                informe.Vacias += b->Vacias;
                for (TFalloLinea &f : b->Fallos) {
                    if (informe.Primeros.size() < kMotivosListados)
                        informe.Primeros.push_back(std::move(f));
                    else
                        ++informe.Restantes;
                }
                informe.Restantes += b->NoListados;
                progreso.Mostrar(posicion.load(std::memory_order_relaxed),
                                 informe.Convertidos + informe.Fallidos);
                cola.Devolver(std::move(b));
            }
        } catch (const std::exception &e) {
            fallar(e.what());
        }
    });

    // The reader: this thread.
    try {
        int64_t orden = 0;
        std::unique_ptr<TBloque> b;
        while (hayLinea) {
            bool larga = false;
            if (!ctx.Gps && !delimitadorFijo && !linea.empty()) {
                // As the read options dialog does: the first of tab, comma, semicolon, space in
                // the start line (or, when that is empty, the first line after it that is not).
                const int item = DetectarDelimitador(linea);
                if (item < 0)
                    throw std::runtime_error("'" + a.Entrada + "' line " + std::to_string(numero) +
                                             ": no tab, comma, semicolon or space separates its fields; "
                                             "give --delimiter");
                opc.Delimitador = CaracteresDelimitador[item];
                delimitadorFijo = true;
            }
            if (lector.Cortada()) {
                // Only the fields a point needs are kept; when one of them runs past the cut the
                // line fails rather than read a cut value.
                const std::optional<std::string_view> campos =
                    ctx.Gps ? CamposCompletosGPS(linea, ctx.Marca) : CamposCompletos(linea, opc);
                larga = !campos;
                linea.resize(campos ? campos->size() : 0);
            }
            if (!(ctx.Gps && linea.empty() && !larga)) {  // empty lines between waypoints are no records
                if (!b) {
                    b = cola.Libre();
                    if (!b) break;
                    b->Orden = orden++;
                }
                b->Agregar(linea, numero, larga);
                if (b->Lineas() >= kLineasBloque || b->Datos.size() >= bytesBloque) {
                    b->Opc = opc;
                    posicion.store(lector.Posicion(), std::memory_order_relaxed);
                    cola.Entregar(std::move(b));
                }
            }
            hayLinea = lector.Leer(linea);
            if (hayLinea) ++numero;
        }
        if (b) {
            b->Opc = opc;
            cola.Entregar(std::move(b));
        }
    } catch (const std::exception &e) {
        fallar(e.what());
    }
    posicion.store(lector.Posicion(), std::memory_order_relaxed);
    cola.Cerrar();
    for (std::thread &t : trabajadores) t.join();
    escritor.join();
    progreso.Terminar();
    if (!error.empty()) throw std::runtime_error(error);
    if (acopio)
        acopio->Escribir(LimitesDibujo(acopio->Extension()),
                         [&](std::string_view datos) { sumidero.Escribir(datos); });
    sumidero.Terminar();
    return informe;
}
