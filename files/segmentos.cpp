// Counting lines, writing the ten input segments of a large file, naming and deleting segments.
#include "segmentos.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "lineas.h"

namespace {

std::runtime_error ErrorArchivo(const std::string &que, const std::string &ruta, int err) {
    return std::runtime_error(que + " '" + ruta + "': " + std::strerror(err));
}

// A plain buffered writer for the segments: they are scratch files, replaced at every load.
class TEscritorSegmento {
  public:
    explicit TEscritorSegmento(const std::string &ruta) : ruta_(ruta) {
        f_ = std::fopen(ruta.c_str(), "wb");
        if (!f_) throw ErrorArchivo("cannot create", ruta, errno);
        std::setvbuf(f_, nullptr, _IOFBF, 1 << 20);
    }
    ~TEscritorSegmento() {
        if (f_) std::fclose(f_);
    }
    void Linea(const std::string &s) {
        if (std::fwrite(s.data(), 1, s.size(), f_) != s.size() || std::fwrite("\r\n", 1, 2, f_) != 2)
            throw ErrorArchivo("cannot write", ruta_, errno ? errno : EIO);
    }
    void Cerrar() {
        std::FILE *f = f_;
        f_ = nullptr;
        const bool bien = std::fflush(f) == 0 && !std::ferror(f);
        if (std::fclose(f) != 0 || !bien) throw ErrorArchivo("cannot write", ruta_, errno ? errno : EIO);
    }

  private:
    std::string ruta_;
    std::FILE *f_ = nullptr;
};

}  // namespace

int64_t ContarLineas(const std::string &ruta) {
    std::FILE *f = std::fopen(ruta.c_str(), "rb");
    if (!f) throw ErrorArchivo("cannot open", ruta, errno);
    constexpr std::size_t kTam = 256 * 1024;
    std::unique_ptr<char[]> buf(new char[kTam]);
    int64_t lineas = 0;
    char ultimo = '\n';
    for (;;) {
        const std::size_t n = std::fread(buf.get(), 1, kTam, f);
        if (n == 0) break;
        lineas += std::count(buf.get(), buf.get() + n, '\n');
        ultimo = buf[n - 1];
    }
    const bool error = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (error) throw ErrorArchivo("cannot read", ruta, err ? err : EIO);
    // A last line without a line end counts, exactly as TLectorLineas returns it.
    return ultimo == '\n' ? lineas : lineas + 1;
}

std::string BaseSegmento(const std::string &ruta) {
    const std::size_t p = ruta.find('.');
    return p == std::string::npos ? ruta + "." : ruta.substr(0, p + 1);
}

std::string SegmentoEntrada(const std::string &base, int k) {
    return base + "$$" + static_cast<char>('0' + k);
}

std::string SegmentoSalida(const std::string &base, int k) {
    const std::string entrada = SegmentoEntrada(base, k);
    const std::size_t barra = entrada.find_last_of('/');
    const std::string carpeta = barra == std::string::npos ? std::string() : entrada.substr(0, barra + 1);
    return carpeta + "Segmento.$$" + static_cast<char>('0' + k);
}

void Segmentar(const std::string &ruta, uint8_t lineaInicio, int64_t totalLineas, const std::string &base,
               const std::function<void(int)> &progreso) {
    TLectorLineas lector(ruta);
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
            seg.Linea(linea);
        }
        seg.Cerrar();
        if (progreso) progreso((k + 1) * 10);
    }
}

void BorrarSegmentos(const std::string &base) {
    if (base.empty()) return;
    for (int k = 0; k < kSegmentos; ++k) {
        std::remove(SegmentoEntrada(base, k).c_str());
        std::remove(SegmentoSalida(base, k).c_str());
    }
}
