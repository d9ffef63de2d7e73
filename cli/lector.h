// TLectorEntrada: the reader of zuvelo-convert's pipeline. It opens the input, passes the lines
// before the data (those before the start line, or those before a waypoint file's first record),
// and then cuts the rest into blocks for the workers: each line with its number in the file, the
// delimiter detected from the first data line when none was given, and of a line longer than
// kLargoMaximoLinea only the fields a point needs (or the line marked as failed).
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "cola.h"
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
    int64_t Tamano() const { return tamano_; }         // bytes of a regular input file, else 0
    const TMarcaGPS &Marca() const { return marca_; }  // after Preambulo, of a waypoint file

    // Fills blocks of at most kLineasBloque lines and `bytesBloque` bytes and hands them to the queue,
    // until the end of the input or an abort; `posicion` follows the bytes read. Throws
    // std::runtime_error for a data line in which no delimiter can be found (give --delimiter), and
    // EArchivo for a read error.
    void Leer(TCola &cola, std::size_t bytesBloque, std::atomic<int64_t> &posicion);

  private:
    std::string entrada_;  // the name the user gave
    TLectorLineas lector_;
    bool gps_;
    TMarcaGPS marca_;
    TOpcionesLectura opc_;
    bool delimitadorFijo_;
    int64_t lineaInicio_;
    int64_t tamano_ = 0;
    std::string linea_;
    int64_t numero_ = 0;
    bool hayLinea_ = false;
};
