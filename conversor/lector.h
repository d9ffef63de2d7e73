// TLectorEntrada: the reader of zuvelo-convert's pipeline. It opens the input, passes the lines
// before the data (those before the start line, or those before a waypoint file's first record),
// and then fills blocks for whichever worker asks next: each line with its number in the file, the
// delimiter detected from the first data line when none was given, and of a line longer than
// kLargoMaximoLinea only the fields a point needs (or the line marked as failed).
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "bloque.h"
#include "lectura.h"
#include "lineas.h"
#include "pedido.h"

class TLectorEntrada {
  public:
    // Opens the input; throws EArchivo when it cannot be opened.
    explicit TLectorEntrada(const TPedido &p);
    // Reads the lines before the data. Throws EArchivo for a read error, std::runtime_error for a
    // waypoint file without its marker line.
    void Preambulo();

    TIdArchivo Id() const { return lector_.Id(); }
    int64_t Tamano() const { return tamano_; }  // bytes of a regular input file, else 0
    // Bytes read so far (for the progress line); any thread may ask.
    int64_t Posicion() const { return posicion_.load(std::memory_order_relaxed); }

    // Fills the emptied block `b` with the next lines, at most kLineasBloque of them and about
    // `bytesBloque` bytes, and numbers it in reading order (Orden 0, 1, 2 ...); false, and no number
    // taken, once the input is done. Any thread may call it; one block is filled at a time. Throws
    // std::runtime_error for a data line in which no delimiter can be found (give --delimiter), and
    // EArchivo for a read error.
    bool Llenar(TBloque &b, std::size_t bytesBloque);

  private:
    std::string entrada_;  // the name the user gave
    TLectorLineas lector_;
    bool gps_;
    TOpcionesLectura opc_;
    bool delimitadorFijo_;
    int64_t lineaInicio_;
    int64_t tamano_ = 0;
    std::mutex m_;            // one block filled at a time
    std::string_view linea_;  // read, not yet in a block (a view into the line reader)
    int64_t numero_ = 0;      // of linea_ in the file
    bool hayLinea_ = false;
    int64_t orden_ = 0;  // of the next block
    std::atomic<int64_t> posicion_{0};
};
