// TLectorLineas and ContarLineas: buffered line reading with LF, CR LF or CR line ends, and UTF-8
// recognition. TArchivoSeguro: writing through a temporary file beside the target, renamed into
// place at the end, or straight into a pipe or a device.
#include "lineas.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "cp1252.h"
#include "error_archivo.h"

namespace {

constexpr std::size_t kTamBuffer = 256 * 1024;  // well above the 82944 bytes of the original reader

// Position of the first CR or LF in p[0, n), or n.
std::size_t FinDeLinea(const char *p, std::size_t n) {
    const void *lf = std::memchr(p, '\n', n);
    const std::size_t k = lf ? static_cast<std::size_t>(static_cast<const char *>(lf) - p) : n;
    const void *cr = std::memchr(p, '\r', k);
    return cr ? static_cast<std::size_t>(static_cast<const char *>(cr) - p) : k;
}

// FinDeLinea for the short lines of a data file, in one pass that also tells whether a byte above
// 127 comes before the end (then the line may need the UTF-8 decision or conversion): 16 bytes at a
// time, where two library searches would each cost more than the line.
std::size_t FinDeLineaCorta(const char *p, std::size_t n, bool &alto) {
    std::size_t i = 0;
    unsigned altos = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const unsigned fines = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        const unsigned altos16 = static_cast<unsigned>(_mm_movemask_epi8(v));  // the top bit of each byte
        if (fines != 0) {
            const unsigned k = static_cast<unsigned>(__builtin_ctz(fines));
            alto = (altos | (altos16 & ((1u << k) - 1))) != 0;
            return i + k;
        }
        altos |= altos16;
    }
#endif
    for (; i < n && p[i] != '\n' && p[i] != '\r'; ++i) altos |= static_cast<unsigned char>(p[i]) & 0x80u;
    alto = altos != 0;
    return i;
}

// A line cut by the limit may end inside a UTF-8 sequence; that stub would make a UTF-8 file look
// like Windows-1252 or turn into a '?'. It lies past the end of the kept fields anyway.
void QuitarSecuenciaIncompleta(std::string &s) {
    const std::size_t n = s.size();
    for (std::size_t atras = 1; atras <= 4 && atras <= n; ++atras) {
        const unsigned char c = static_cast<unsigned char>(s[n - atras]);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte: look further back
        const std::size_t largo = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (largo > atras) s.resize(n - atras);
        return;
    }
}

}  // namespace

TLectorLineas::TLectorLineas(const std::string &ruta, bool detectarUtf8)
    : ruta_(ruta), buf_(new char[kTamBuffer]), detectar_(detectarUtf8) {
    f_ = std::fopen(ruta.c_str(), "rb");
    if (!f_) throw EArchivo(TOperacion::Abrir, ruta, errno);
    struct stat st;
    if (fstat(fileno(f_), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f_);
        f_ = nullptr;
        throw EArchivo(TOperacion::Leer, ruta, EISDIR);
    }
    decidido_ = !detectar_;
}

TLectorLineas::~TLectorLineas() {
    if (f_) std::fclose(f_);
}

TIdArchivo TLectorLineas::Id() const {
    TIdArchivo id;
    IdDeDescriptor(fileno(f_), id);
    return id;
}

// One line as bytes, without its line end; at most tope_ bytes of it are kept.
bool TLectorLineas::LeerCruda(std::string &linea) {
    linea.clear();
    cortada_ = false;
    bool hay = false;
    for (;;) {
        if (ini_ < fin_ && saltarLF_) {
            saltarLF_ = false;
            if (buf_[ini_] == '\n') {
                ++ini_;
                ++leidos_;
                continue;
            }
        }
        if (ini_ < fin_) {
            const char *p = buf_.get() + ini_;
            const std::size_t n = fin_ - ini_;
            const std::size_t k = FinDeLinea(p, n);
            const std::size_t cabe = tope_ - std::min(tope_, linea.size());
            if (k > cabe) cortada_ = true;
            linea.append(p, std::min(k, cabe));
            hay = true;
            if (k < n) {
                saltarLF_ = p[k] == '\r';
                ini_ += k + 1;
                leidos_ += static_cast<int64_t>(k + 1);
                return true;
            }
            ini_ = fin_;
            leidos_ += static_cast<int64_t>(n);
        }
        if (eof_) return hay;  // a last line without a line end counts
        fin_ = std::fread(buf_.get(), 1, kTamBuffer, f_);
        ini_ = 0;
        if (fin_ == 0) {
            if (std::ferror(f_)) throw EArchivo(TOperacion::Leer, ruta_, errno ? errno : EIO);
            eof_ = true;
        }
    }
}

bool TLectorLineas::Leer(std::string &linea) {
    if (!LeerCruda(linea)) return false;
    if (cortada_ && (!decidido_ || utf8_)) QuitarSecuenciaIncompleta(linea);
    if (!decidido_) {
        // The first line may carry a byte order mark; otherwise the first line with a non-ASCII
        // byte decides: well-formed UTF-8 there means a UTF-8 file.
        if (primera_ && linea.size() >= 3 && linea.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            linea.erase(0, 3);
            utf8_ = true;
            decidido_ = true;
        }
        if (!decidido_) {
            for (char ch : linea)
                if (static_cast<unsigned char>(ch) >= 0x80) {
                    utf8_ = PareceUtf8(linea);
                    decidido_ = true;
                    break;
                }
        }
    }
    primera_ = false;
    original_.clear();
    if (utf8_) {
        std::size_t cambiados = 0;
        std::string convertida = Utf8ACp1252(linea, cambiados);
        if (cambiados > 0) original_ = std::move(linea);
        linea = std::move(convertida);
    }
    return true;
}

bool TLectorLineas::Leer(std::string_view &linea) {
    if (saltarLF_ && ini_ < fin_) {
        saltarLF_ = false;
        if (buf_[ini_] == '\n') {
            ++ini_;
            ++leidos_;
        }
    }
    // The usual line: ended inside the buffer, within the limit, and the same bytes whatever the
    // encoding (Windows-1252 decided, or ASCII, which no decision and no conversion touch). The
    // first line may carry a byte order mark: it takes the general way.
    if (!primera_ && ini_ < fin_) {
        const char *p = buf_.get() + ini_;
        const std::size_t n = fin_ - ini_;
        bool alto;
        const std::size_t k = FinDeLineaCorta(p, n, alto);
        if (k < n && k <= tope_ && ((decidido_ && !utf8_) || !alto)) {
            cortada_ = false;
            saltarLF_ = p[k] == '\r';
            ini_ += k + 1;
            leidos_ += static_cast<int64_t>(k + 1);
            linea = std::string_view(p, k);
            original_.clear();
            return true;
        }
    }
    if (!Leer(propia_)) return false;
    linea = propia_;
    return true;
}

int64_t ContarLineas(const std::string &ruta) {
    std::FILE *f = std::fopen(ruta.c_str(), "rb");
    if (!f) throw EArchivo(TOperacion::Abrir, ruta, errno);
    std::unique_ptr<char[]> buf(new char[kTamBuffer]);
    int64_t lineas = 0;
    char ultimo = '\n';
    bool crAlFinal = false;
    for (;;) {
        const std::size_t n = std::fread(buf.get(), 1, kTamBuffer, f);
        if (n == 0) break;
        const char *ini = buf.get(), *fin = ini + n;
        // Every LF and every CR ends a line, except the LF of a CR LF (also one split between reads).
        if (crAlFinal && *ini == '\n') --lineas;
        lineas += std::count(ini, fin, '\n');
        for (const char *p = ini; (p = static_cast<const char *>(std::memchr(p, '\r', fin - p))); ++p) {
            ++lineas;
            if (p + 1 < fin && p[1] == '\n') --lineas;
        }
        crAlFinal = fin[-1] == '\r';
        ultimo = fin[-1];
    }
    const bool error = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (error) throw EArchivo(TOperacion::Leer, ruta, err ? err : EIO);
    // A last line without a line end counts, exactly as TLectorLineas returns it.
    return ultimo == '\n' || ultimo == '\r' ? lineas : lineas + 1;
}

bool IdDeRuta(const std::string &ruta, TIdArchivo &id) {
    struct stat st;
    if (::stat(ruta.c_str(), &st) != 0) return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

bool IdDeDescriptor(int fd, TIdArchivo &id) {
    struct stat st;
    if (fstat(fd, &st) != 0) return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

namespace {

std::string Carpeta(const std::string &ruta) {
    const std::size_t barra = ruta.find_last_of('/');
    return barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1);
}

// The file a chain of symbolic links leads to, which need not exist yet (a link to a file still to
// be written). A path that is no link is its own end.
std::string FinDeEnlaces(std::string ruta) {
    for (int saltos = 0; saltos < 40; ++saltos) {  // the kernel's own limit for a path
        struct stat st;
        if (::lstat(ruta.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return ruta;
        std::string destino(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(ruta.c_str(), destino.data(), destino.size());
        if (n < 0 || static_cast<std::size_t>(n) >= destino.size()) return ruta;  // changed meanwhile
        destino.resize(static_cast<std::size_t>(n));
        ruta = destino[0] == '/' ? destino : Carpeta(ruta) + destino;
    }
    throw EArchivo(TOperacion::Crear, ruta, ELOOP);
}

}  // namespace

TArchivoSeguro::TArchivoSeguro(const std::string &destino, const std::vector<TIdArchivo> &entradas)
    : destino_(destino), final_(destino) {
    struct stat st;
    if (::stat(destino.c_str(), &st) == 0) {
        // One of the files this run reads would be destroyed as it is read (a device such as a
        // terminal may well be both ends).
        const TIdArchivo id{st.st_dev, st.st_ino};
        if (!S_ISCHR(st.st_mode) && std::find(entradas.begin(), entradas.end(), id) != entradas.end())
            throw EArchivo(TOperacion::Crear, destino, kEsLaEntrada);
        // A folder can never be replaced: say so now, not after all the work.
        if (S_ISDIR(st.st_mode)) throw EArchivo(TOperacion::Crear, destino, EISDIR);
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
            AbrirDirecto();
            return;
        }
        if (!S_ISREG(st.st_mode)) throw EArchivo(TOperacion::Crear, destino, kTipoNoAdmitido);
    } else if (errno != ENOENT) {
        throw EArchivo(TOperacion::Crear, destino, errno);
    }
    final_ = FinDeEnlaces(destino);
    AbrirTemporal();
}

void TArchivoSeguro::AbrirDirecto() {
    const int fd = ::open(destino_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw EArchivo(TOperacion::Abrir, destino_, errno);
    f_ = fdopen(fd, "wb");
    if (!f_) {
        const int err = errno;
        ::close(fd);
        throw EArchivo(TOperacion::Abrir, destino_, err);
    }
    directo_ = true;
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
}

void TArchivoSeguro::AbrirTemporal() {
    static std::atomic<unsigned> contador{0};
    int fd = -1;
    for (int intento = 0; intento < 100 && fd < 0; ++intento) {
        temporal_ = final_ + ".~" + std::to_string(getpid()) + "-" + std::to_string(contador++) + ".tmp";
        fd = ::open(temporal_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        temporal_.clear();
        throw EArchivo(TOperacion::Crear, destino_, err);
    }
    // A replaced file keeps its permissions.
    struct stat st;
    if (::stat(final_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) (void)fchmod(fd, st.st_mode & 07777);
    f_ = fdopen(fd, "wb");
    if (!f_) {
        const int err = errno;
        ::close(fd);
        ::unlink(temporal_.c_str());
        temporal_.clear();
        throw EArchivo(TOperacion::Crear, destino_, err);
    }
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 20);
}

TArchivoSeguro::~TArchivoSeguro() {
    if (f_) std::fclose(f_);
    if (!temporal_.empty()) ::unlink(temporal_.c_str());
}

void TArchivoSeguro::Escribir(std::string_view datos) {
    if (!f_) throw EArchivo(TOperacion::Escribir, destino_, kYaCerrado);
    if (!datos.empty() && std::fwrite(datos.data(), 1, datos.size(), f_) != datos.size())
        throw EArchivo(TOperacion::Escribir, destino_, errno ? errno : EIO);
    escritos_ += static_cast<int64_t>(datos.size());
    // A large file goes to the disk while it is written, not all at Confirmar's fsync, which then
    // waits for the last part only. Only a request: fsync still reports any error.
    constexpr int64_t kTramo = 8 << 20;
    if (!directo_ && escritos_ - enviados_ >= kTramo) {
        if (std::fflush(f_) != 0) throw EArchivo(TOperacion::Escribir, destino_, errno ? errno : EIO);
        (void)sync_file_range(fileno(f_), enviados_, escritos_ - enviados_, SYNC_FILE_RANGE_WRITE);
        enviados_ = escritos_;
    }
}

void TArchivoSeguro::Linea(std::string_view linea) {
    Escribir(linea);
    Escribir("\r\n");
}

void TArchivoSeguro::Confirmar() {
    if (!f_) throw EArchivo(TOperacion::Escribir, destino_, kYaCerrado);
    std::FILE *f = f_;
    f_ = nullptr;
    // A pipe or a device has nothing to make durable (fsync would fail there).
    const bool bien = std::fflush(f) == 0 && !std::ferror(f) && (directo_ || fsync(fileno(f)) == 0);
    const int err = errno;
    if (std::fclose(f) != 0 || !bien) throw EArchivo(TOperacion::Escribir, destino_, bien ? errno : err);
    if (directo_) return;
    if (std::rename(temporal_.c_str(), final_.c_str()) != 0)
        throw EArchivo(TOperacion::Reemplazar, destino_, errno);
    temporal_.clear();
}
