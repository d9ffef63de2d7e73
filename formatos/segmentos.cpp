// The private folder of a large file's segments, their names, and the splitting into ten segments.
#include "segmentos.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "error_archivo.h"
#include "linea_larga.h"

namespace {

// A plain buffered writer for the segments: scratch files of this run, each one made new.
class TEscritorSegmento {
  public:
    explicit TEscritorSegmento(const std::string &ruta) : ruta_(ruta) {
        const int fd = ::open(ruta.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) throw EArchivo(TOperacion::Crear, ruta, errno);
        f_ = fdopen(fd, "wb");
        if (!f_) {
            const int err = errno;
            ::close(fd);
            throw EArchivo(TOperacion::Crear, ruta, err);
        }
        std::setvbuf(f_, nullptr, _IOFBF, 1 << 20);
    }
    ~TEscritorSegmento() {
        if (f_) std::fclose(f_);
    }
    void Linea(const std::string &s) {
        if (std::fwrite(s.data(), 1, s.size(), f_) != s.size() || std::fwrite("\r\n", 1, 2, f_) != 2)
            throw EArchivo(TOperacion::Escribir, ruta_, errno ? errno : EIO);
    }
    void Cerrar() {
        std::FILE *f = f_;
        f_ = nullptr;
        const bool bien = std::fflush(f) == 0 && !std::ferror(f);
        const int err = errno ? errno : EIO;
        if (std::fclose(f) != 0 || !bien) throw EArchivo(TOperacion::Escribir, ruta_, bien ? errno : err);
    }

  private:
    std::string ruta_;
    std::FILE *f_ = nullptr;
};

std::string CarpetaTemporal() {
    const char *tmp = std::getenv("TMPDIR");
    std::string r = tmp && *tmp ? tmp : "/tmp";
    while (r.size() > 1 && r.back() == '/') r.pop_back();
    return r;
}

}  // namespace

TCarpetaSegmentos::TCarpetaSegmentos() {
    std::string plantilla = CarpetaTemporal() + "/zuvelo-XXXXXX";
    if (!mkdtemp(plantilla.data())) throw EArchivo(TOperacion::CrearCarpeta, CarpetaTemporal(), errno);
    carpeta_ = plantilla;
    base_ = carpeta_ + "/entrada.";
}

TCarpetaSegmentos::~TCarpetaSegmentos() {
    // Only segment names are deleted, and the folder only once empty (rmdir refuses otherwise).
    for (int k = 0; k < kSegmentos; ++k) {
        ::unlink(SegmentoEntrada(base_, k).c_str());
        ::unlink(SegmentoSalida(base_, k).c_str());
    }
    ::rmdir(carpeta_.c_str());
}

std::string SegmentoEntrada(const std::string &base, int k) {
    return base + "$$" + static_cast<char>('0' + k);
}

std::string SegmentoSalida(const std::string &base, int k) {
    const std::size_t barra = base.find_last_of('/');
    const std::string carpeta = barra == std::string::npos ? std::string() : base.substr(0, barra + 1);
    return carpeta + "Segmento.$$" + static_cast<char>('0' + k);
}

void Segmentar(const std::string &ruta, uint8_t lineaInicio, int64_t totalLineas, const std::string &base,
               const std::function<void(int)> &progreso) {
    TLectorLineas lector(ruta);
    lector.LimitarLinea(kLargoMaximoLinea);
    std::string linea;
    for (int i = 1; i < lineaInicio; ++i)
        if (!lector.Leer(linea)) break;
    // The share counts every line of the file, the ones before the start line included; segment 9
    // takes whatever remains.
    const int64_t por = totalLineas / kSegmentos;
    bool fin = false;
    for (int k = 0; k < kSegmentos; ++k) {
        TEscritorSegmento seg(SegmentoEntrada(base, k));
        for (int64_t i = 0; !fin && (k == kSegmentos - 1 || i < por); ++i) {
            if (!lector.Leer(linea)) {
                fin = true;
                break;
            }
            // A line cut at the limit goes on longer than the limit, so that the worker's reader finds
            // it cut too (the filler holds no delimiter: no field ends in it).
            if (lector.Cortada()) linea.resize(kLargoMaximoLinea + 1, '#');
            seg.Linea(linea);
        }
        seg.Cerrar();
        if (progreso) progreso((k + 1) * 10);
    }
}

int64_t LineaEnArchivo(int k, int64_t linea, uint8_t lineaInicio, int64_t totalLineas) {
    const int64_t primera = lineaInicio < 1 ? 1 : lineaInicio;
    return primera + k * (totalLineas / kSegmentos) + linea - 1;
}
