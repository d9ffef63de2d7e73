// Line-oriented reading and safe writing of text files as single bytes.
#pragma once
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <sys/types.h>

// Which file an open file or a path is: device and inode, the same for every name of one file (hard
// links, symbolic links, "./x" and "x").
struct TIdArchivo {
    dev_t Dispositivo = 0;
    ino_t Nodo = 0;
    bool operator==(const TIdArchivo &o) const { return Dispositivo == o.Dispositivo && Nodo == o.Nodo; }
};

// Reads a text file line by line as Windows-1252 bytes. A line ends in LF, CR LF or a CR alone (the
// line end is not part of the line); a last line without a line end counts. A file written in UTF-8 (a
// BOM, or the first line holding a non-ASCII byte is well-formed UTF-8) has every line converted to
// Windows-1252, so "34° S" typed in a UTF-8 editor reads the same as in a Windows one.
// Errors throw EArchivo.
class TLectorLineas {
  public:
    // `detectarUtf8` false takes every byte as Windows-1252 (files this program wrote itself).
    explicit TLectorLineas(const std::string &ruta, bool detectarUtf8 = true);
    ~TLectorLineas();
    TLectorLineas(const TLectorLineas &) = delete;
    TLectorLineas &operator=(const TLectorLineas &) = delete;

    // Keeps at most `maximo` bytes of each line from now on; the rest of a longer line is passed over
    // and Cortada() tells it. Memory then stays bounded whatever the file holds.
    void LimitarLinea(std::size_t maximo) { tope_ = maximo; }
    bool Leer(std::string &linea);  // false at the end of the file
    // The same line as a view, valid until the next read: into the reader's buffer when the line lies
    // whole in it and reads as it stands (no cut, nothing to convert), else into a string of its own.
    bool Leer(std::string_view &linea);
    bool Cortada() const { return cortada_; }  // the last line read was longer than the limit
    // The last line as the UTF-8 file holds it, when its conversion to Windows-1252 changed characters
    // that have no form there (empty otherwise): UTF-8 outputs take names from it whole.
    const std::string &Original() const { return original_; }
    bool EsUtf8() const { return utf8_; }
    const std::string &Ruta() const { return ruta_; }
    TIdArchivo Id() const;
    int64_t Posicion() const { return leidos_; }  // bytes consumed so far (progress displays)

  private:
    bool LeerCruda(std::string &linea);
    std::string ruta_;
    std::string propia_;  // the line of Leer(std::string_view &) when it cannot be a view
    std::string original_;
    std::FILE *f_ = nullptr;
    std::unique_ptr<char[]> buf_;
    std::size_t ini_ = 0, fin_ = 0;
    std::size_t tope_ = std::numeric_limits<std::size_t>::max();
    bool eof_ = false;
    bool saltarLF_ = false;  // the last line ended in CR: an LF right after it belongs to that end
    bool cortada_ = false;
    bool decidido_ = false;  // encoding decided
    bool utf8_ = false;
    bool detectar_ = true;
    bool primera_ = true;
    int64_t leidos_ = 0;
};

// Number of lines as TLectorLineas reads them: an empty file has 0, a last line without a line end
// counts, and LF, CR LF and a CR alone each end one line. Throws EArchivo.
int64_t ContarLineas(const std::string &ruta);

// Writes a file so that nothing is lost on the way. A regular file (new or existing) is written to a
// temporary file beside it, renamed over it only by Confirmar(); destroyed without Confirmar (or after
// any error) it removes the temporary file and leaves the old file untouched. A symbolic link keeps
// its link: the file it points to is the one replaced. A named pipe or a character device (/dev/null,
// a terminal) is written straight through: there is nothing to rename. A folder and any other kind
// of file are refused. So is a destination that is one of `entradas`, the files this run reads, before
// anything is created. Errors throw EArchivo.
class TArchivoSeguro {
  public:
    explicit TArchivoSeguro(const std::string &destino, const std::vector<TIdArchivo> &entradas = {});
    ~TArchivoSeguro();
    TArchivoSeguro(const TArchivoSeguro &) = delete;
    TArchivoSeguro &operator=(const TArchivoSeguro &) = delete;

    void Escribir(std::string_view datos);  // raw bytes
    void Linea(std::string_view linea);     // the line and CR LF
    void Confirmar();                       // flush, close, rename over the target
    const std::string &Destino() const { return destino_; }
    // Empty when written straight through, and once confirmed or removed.
    const std::string &Temporal() const { return temporal_; }

  private:
    void AbrirDirecto();
    void AbrirTemporal();
    std::string destino_;
    std::string final_;  // the file replaced at the end: the destination, or where its links lead
    std::string temporal_;
    std::FILE *f_ = nullptr;
    bool directo_ = false;
    int64_t escritos_ = 0, enviados_ = 0;  // bytes written; of them, sent to the disk ahead of Confirmar
};

// The identity of an existing path (symbolic links followed); false when it cannot be reached.
bool IdDeRuta(const std::string &ruta, TIdArchivo &id);
// The identity of an open descriptor (standard output, say); false when it is not open.
bool IdDeDescriptor(int fd, TIdArchivo &id);
