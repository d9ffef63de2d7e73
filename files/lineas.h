// Line-oriented reading and safe writing of text files as single bytes.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Reads a text file line by line as Windows-1252 bytes. Lines end in LF or CR LF (the line end is
// not part of the line); a last line without a line end counts (a CR there is dropped). A file written in
// UTF-8 (a BOM, or the first line holding a non-ASCII byte is well-formed UTF-8) has every line converted to
// Windows-1252, so "34° S" typed in a UTF-8 editor reads the same as in a Windows one.
// Errors throw std::runtime_error naming the file and the reason.
class TLectorLineas {
  public:
    // `detectarUtf8` false takes every byte as Windows-1252 (files this program wrote itself).
    explicit TLectorLineas(const std::string &ruta, bool detectarUtf8 = true);
    ~TLectorLineas();
    TLectorLineas(const TLectorLineas &) = delete;
    TLectorLineas &operator=(const TLectorLineas &) = delete;

    bool Leer(std::string &linea);  // false at the end of the file
    bool EsUtf8() const { return utf8_; }
    const std::string &Ruta() const { return ruta_; }
    int64_t Posicion() const { return leidos_; }  // bytes consumed so far (progress displays)

  private:
    bool LeerCruda(std::string &linea);
    std::string ruta_;
    std::FILE *f_ = nullptr;
    std::unique_ptr<char[]> buf_;
    std::size_t ini_ = 0, fin_ = 0;
    bool eof_ = false;
    bool decidido_ = false;  // encoding decided
    bool utf8_ = false;
    std::string pendiente_;
    bool detectar_ = true;
    bool primera_ = true;
    int64_t leidos_ = 0;
};

// Writes a file through a temporary file in the same folder, renamed over the target only by
// Confirmar(). Destroyed without Confirmar (or after any error), it removes the temporary file and
// leaves an existing target untouched. Errors throw std::runtime_error naming the file and reason.
class TArchivoSeguro {
  public:
    explicit TArchivoSeguro(const std::string &destino);
    ~TArchivoSeguro();
    TArchivoSeguro(const TArchivoSeguro &) = delete;
    TArchivoSeguro &operator=(const TArchivoSeguro &) = delete;

    void Escribir(std::string_view datos);  // raw bytes
    void Linea(std::string_view linea);     // the line and CR LF
    void Confirmar();                       // flush, close, rename over the target
    const std::string &Destino() const { return destino_; }
    const std::string &Temporal() const { return temporal_; }  // empty once confirmed or removed

  private:
    std::string destino_, temporal_;
    std::FILE *f_ = nullptr;
};
