// TLectorLineas: buffered line reading with LF or CR LF line ends and UTF-8 recognition.
// TArchivoSeguro: writing through a temporary file beside the target, renamed into place at the end.
#include "lineas.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cp1252.h"

namespace {

constexpr std::size_t kTamBuffer = 256 * 1024;  // well above the 82944 bytes of the original reader

std::runtime_error ErrorArchivo(const std::string &que, const std::string &ruta, int err) {
    return std::runtime_error(que + " '" + ruta + "': " + std::strerror(err));
}

}  // namespace

TLectorLineas::TLectorLineas(const std::string &ruta, bool detectarUtf8)
    : ruta_(ruta), buf_(new char[kTamBuffer]), detectar_(detectarUtf8) {
    f_ = std::fopen(ruta.c_str(), "rb");
    if (!f_) throw ErrorArchivo("cannot open", ruta, errno);
    struct stat st;
    if (fstat(fileno(f_), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f_);
        f_ = nullptr;
        throw ErrorArchivo("cannot read", ruta, EISDIR);
    }
    decidido_ = !detectar_;
}

TLectorLineas::~TLectorLineas() {
    if (f_) std::fclose(f_);
}

// One line as bytes, without its LF or CR LF. A CR not followed by LF stays in the line, except at
// the very end of the file.
bool TLectorLineas::LeerCruda(std::string &linea) {
    linea.clear();
    bool hay = false;
    for (;;) {
        if (ini_ < fin_) {
            const char *p = buf_.get() + ini_;
            const std::size_t n = fin_ - ini_;
            const void *nl = std::memchr(p, '\n', n);
            if (nl) {
                const std::size_t k = static_cast<std::size_t>(static_cast<const char *>(nl) - p);
                linea.append(p, k);
                ini_ += k + 1;
                leidos_ += static_cast<int64_t>(k + 1);
                if (!linea.empty() && linea.back() == '\r') linea.pop_back();
                return true;
            }
            linea.append(p, n);
            ini_ = fin_;
            leidos_ += static_cast<int64_t>(n);
            hay = true;
        }
        if (eof_) {
            // A last line without a line end counts; a CR LF file that lost its final LF still
            // ends its last line with the CR, which is no part of the line.
            if (hay && !linea.empty() && linea.back() == '\r') linea.pop_back();
            return hay;
        }
        fin_ = std::fread(buf_.get(), 1, kTamBuffer, f_);
        ini_ = 0;
        if (fin_ == 0) {
            if (std::ferror(f_)) throw ErrorArchivo("cannot read", ruta_, errno ? errno : EIO);
            eof_ = true;
        }
    }
}

bool TLectorLineas::Leer(std::string &linea) {
    if (!LeerCruda(linea)) return false;
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
    if (utf8_) linea = Utf8ACp1252(linea);
    return true;
}

TArchivoSeguro::TArchivoSeguro(const std::string &destino) : destino_(destino) {
    // A folder can never be replaced: say so now, not after all the work.
    struct stat st;
    if (::stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw ErrorArchivo("cannot create", destino, EISDIR);
    static std::atomic<unsigned> contador{0};
    int fd = -1;
    for (int intento = 0; intento < 100 && fd < 0; ++intento) {
        temporal_ = destino + ".~" + std::to_string(getpid()) + "-" + std::to_string(contador++) + ".tmp";
        fd = ::open(temporal_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        temporal_.clear();
        throw ErrorArchivo("cannot create", destino, err);
    }
    // A replaced file keeps its permissions.
    if (::stat(destino.c_str(), &st) == 0 && S_ISREG(st.st_mode)) (void)fchmod(fd, st.st_mode & 07777);
    f_ = fdopen(fd, "wb");
    if (!f_) {
        const int err = errno;
        ::close(fd);
        ::unlink(temporal_.c_str());
        temporal_.clear();
        throw ErrorArchivo("cannot create", destino, err);
    }
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 20);
}

TArchivoSeguro::~TArchivoSeguro() {
    if (f_) std::fclose(f_);
    if (!temporal_.empty()) ::unlink(temporal_.c_str());
}

void TArchivoSeguro::Escribir(std::string_view datos) {
    if (!f_) throw std::runtime_error("cannot write '" + destino_ + "': file already closed");
    if (!datos.empty() && std::fwrite(datos.data(), 1, datos.size(), f_) != datos.size())
        throw ErrorArchivo("cannot write", destino_, errno ? errno : EIO);
}

void TArchivoSeguro::Linea(std::string_view linea) {
    Escribir(linea);
    Escribir("\r\n");
}

void TArchivoSeguro::Confirmar() {
    if (!f_) throw std::runtime_error("cannot write '" + destino_ + "': file already closed");
    std::FILE *f = f_;
    f_ = nullptr;
    const bool bien = std::fflush(f) == 0 && !std::ferror(f) && fsync(fileno(f)) == 0;
    const int err = errno;
    if (std::fclose(f) != 0 || !bien) throw ErrorArchivo("cannot write", destino_, bien ? errno : err);
    if (std::rename(temporal_.c_str(), destino_.c_str()) != 0)
        throw ErrorArchivo("cannot replace", destino_, errno);
    temporal_.clear();
}
