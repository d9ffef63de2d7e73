// bench_proj_gk: the peer zuvelo-convert is timed against. Decimal POSGAR 94 points "lat,lon,h" to
// Gauss-Krüger (each point in its own strip) on POSGAR 94 or on Campo Inchauspe 69, through PROJ's C
// API the lean way: the input mapped, numbers read with std::from_chars, a chunk of lines converted
// per strip with proj_trans_generic (one PJ_CONTEXT and seven operations per thread), results
// written with std::to_chars as "north,east,h,strip" lines, chunks written in input order.
// PROJ is a benchmark oracle only: the program never uses it.
// Usage: bench_proj_gk INPUT OUTPUT [posgar|inchauspe] [THREADS]
#include <proj.h>

#include <atomic>
#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBytesTrozo = 256 * 1024;  // input bytes per chunk (about 8000 lines)
constexpr double kRadPorGrado = 3.14159265358979323846 / 180;

// Strip 1 to 7 of a longitude in degrees: 3 deg a strip from 73.5 deg W, the outer strips open-ended.
int Faja(double lon) {
    const int f = static_cast<int>((lon + 73.5) / 3) + 1;
    return lon < -73.5 ? 1 : f < 1 ? 1 : f > 7 ? 7 : f;
}

std::string Definicion(int faja, bool inchauspe) {
    const std::string tmerc = "+proj=tmerc +lat_0=-90 +lon_0=" + std::to_string(3 * faja - 75) +
                              " +k=1 +x_0=" + std::to_string(faja * 1000000 + 500000) + " +y_0=0 ";
    if (!inchauspe) return tmerc + "+ellps=WGS84";
    // WGS 84 -> International 1924 by the three-parameter shift (Campo Inchauspe -> WGS 84 is
    // -148, +136, +90), then the strip's projection.
    return "+proj=pipeline +step +proj=cart +ellps=WGS84 +step +proj=helmert +x=148 +y=-136 +z=-90 "
           "+step +inv +proj=cart +ellps=intl +step " +
           tmerc + "+ellps=intl";
}

struct TEntrada {
    const char *datos;
    std::size_t largo;
    // Chunk k holds the lines that begin in [k kBytesTrozo, (k + 1) kBytesTrozo).
    std::size_t Inicio(std::size_t k) const {
        if (k == 0) return 0;
        std::size_t p = k * kBytesTrozo;
        if (p >= largo) return largo;
        const void *nl = std::memchr(datos + p - 1, '\n', largo - (p - 1));
        return nl ? static_cast<std::size_t>(static_cast<const char *>(nl) - datos) + 1 : largo;
    }
    std::size_t Trozos() const { return (largo + kBytesTrozo - 1) / kBytesTrozo; }
};

// Output in input order: a thread writes its chunk when its turn comes.
class TTurnos {
  public:
    explicit TTurnos(int fd) : fd_(fd) {}
    void Escribir(std::size_t k, const std::string &s) {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait(l, [&] { return turno_ == k; });
        for (std::size_t hecho = 0; hecho < s.size();) {
            const ssize_t w = write(fd_, s.data() + hecho, s.size() - hecho);
            if (w <= 0) throw std::runtime_error("write failed");
            hecho += static_cast<std::size_t>(w);
        }
        ++turno_;
        cv_.notify_all();
    }

  private:
    int fd_;
    std::mutex m_;
    std::condition_variable cv_;
    std::size_t turno_ = 0;
};

void Agregar(std::string &s, double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    s.append(buf, r.ptr);
}

void Trabajar(const TEntrada &e, bool inchauspe, std::atomic<std::size_t> &siguiente, TTurnos &turnos) {
    PJ_CONTEXT *ctx = proj_context_create();
    PJ *op[8] = {};
    for (int f = 1; f <= 7; ++f) {
        op[f] = proj_create(ctx, Definicion(f, inchauspe).c_str());
        if (!op[f]) throw std::runtime_error("PROJ refused " + Definicion(f, inchauspe));
    }
    std::vector<double> lon, lat, h;       // per line, in input order
    std::vector<int> faja;                 // per line
    std::vector<double> x[8], y[8], z[8];  // per strip, gathered
    std::vector<std::size_t> lugar;        // line -> index in its strip's arrays
    std::string salida;
    for (std::size_t k; (k = siguiente.fetch_add(1)) < e.Trozos();) {
        const char *p = e.datos + e.Inicio(k);
        const char *fin = e.datos + e.Inicio(k + 1);
        lon.clear();
        lat.clear();
        h.clear();
        faja.clear();
        lugar.clear();
        for (int f = 1; f <= 7; ++f) x[f].clear(), y[f].clear(), z[f].clear();
        while (p < fin) {
            double v[3] = {0, 0, 0};
            for (int c = 0; c < 3; ++c) {
                const auto r = std::from_chars(p, fin, v[c]);
                p = r.ptr;
                if (p < fin && *p == ',') ++p;
            }
            while (p < fin && *p != '\n') ++p;
            ++p;
            const int f = Faja(v[1]);
            faja.push_back(f);
            lugar.push_back(x[f].size());
            x[f].push_back(v[1] * kRadPorGrado);
            y[f].push_back(v[0] * kRadPorGrado);
            z[f].push_back(v[2]);
        }
        for (int f = 1; f <= 7; ++f) {
            const std::size_t n = x[f].size();
            if (n == 0) continue;
            proj_trans_generic(op[f], PJ_FWD, x[f].data(), sizeof(double), n, y[f].data(), sizeof(double), n,
                               z[f].data(), sizeof(double), n, nullptr, 0, 0);
        }
        salida.clear();
        for (std::size_t i = 0; i < faja.size(); ++i) {
            const int f = faja[i];
            const std::size_t j = lugar[i];
            Agregar(salida, y[f][j]);  // north
            salida += ',';
            Agregar(salida, x[f][j]);  // east
            salida += ',';
            Agregar(salida, z[f][j]);
            salida += ',';
            salida += static_cast<char>('0' + f);
            salida += "\r\n";
        }
        turnos.Escribir(k, salida);
    }
    for (int f = 1; f <= 7; ++f) proj_destroy(op[f]);
    proj_context_destroy(ctx);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s INPUT OUTPUT [posgar|inchauspe] [THREADS]\n", argv[0]);
        return 2;
    }
    const bool inchauspe = argc > 3 && std::string(argv[3]) == "inchauspe";
    const int hilos = argc > 4 ? std::stoi(argv[4]) : 2;
    const int fd = open(argv[1], O_RDONLY);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    TEntrada e{nullptr, static_cast<std::size_t>(st.st_size)};
    if (e.largo > 0) {
        void *m = mmap(nullptr, e.largo, PROT_READ, MAP_PRIVATE, fd, 0);
        if (m == MAP_FAILED) {
            std::perror("mmap");
            return 1;
        }
        madvise(m, e.largo, MADV_SEQUENTIAL);
        e.datos = static_cast<const char *>(m);
    }
    const int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
        std::perror(argv[2]);
        return 1;
    }
    TTurnos turnos(out);
    std::atomic<std::size_t> siguiente{0};
    std::vector<std::thread> t;
    for (int i = 0; i < hilos; ++i) t.emplace_back([&] { Trabajar(e, inchauspe, siguiente, turnos); });
    for (auto &h : t) h.join();
    return close(out) == 0 ? 0 : 1;
}
