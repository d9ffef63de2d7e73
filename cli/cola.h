// TCola: the bounded queue between the reader, the workers and the writer. At most `maximo` blocks
// exist at a time (the reader waits for a free one), so memory stays small for any file; the writer
// takes finished blocks back in reading order, whatever order the workers finish them in.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "bloque.h"

class TCola {
  public:
    explicit TCola(std::size_t maximo) : maximo_(maximo) {}

    // Reader: an empty block to fill (waits while `maximo` are in flight); nullptr after an abort.
    std::unique_ptr<TBloque> Libre();
    // Reader: a filled block for the workers.
    void Entregar(std::unique_ptr<TBloque> b);
    // Reader: nothing more will come.
    void Cerrar();
    // Anyone: stop the run; every wait ends and hands out nothing more.
    void Abortar();
    // Worker: the next block to convert; nullptr when the reader is done and nothing is left.
    std::unique_ptr<TBloque> Trabajo();
    // Worker: a converted block for the writer.
    void Listo(std::unique_ptr<TBloque> b);
    // Writer: block number `orden` once converted; nullptr when every block has been written or
    // after an abort.
    std::unique_ptr<TBloque> Siguiente(int64_t orden);
    // Writer: a written block, free again for the reader.
    void Devolver(std::unique_ptr<TBloque> b);

  private:
    std::mutex m_;
    std::condition_variable espacio_, hayTrabajo_, hayListo_;
    std::size_t maximo_, enVuelo_ = 0;
    bool cerrado_ = false, abortado_ = false;
    std::deque<std::unique_ptr<TBloque>> trabajo_;
    std::map<int64_t, std::unique_ptr<TBloque>> listos_;
    std::vector<std::unique_ptr<TBloque>> libres_;
};
