// TCola: the blocks of zuvelo-convert's pipeline in flight. At most `maximo` exist at a time (a
// worker waits for a free one), so memory stays small for any file; converted blocks are written in
// reading order, whatever order the workers finish them in, by whichever worker hands in the next
// one due: no thread only waits to read or to write.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "bloque.h"

class TCola {
  public:
    explicit TCola(std::size_t maximo) : maximo_(maximo) {}

    // An empty block to fill (waits while `maximo` are in flight); nullptr after an abort.
    std::unique_ptr<TBloque> Libre();
    // A block that was not handed in (nothing was left to read into it): free again.
    void Devolver(std::unique_ptr<TBloque> b);
    // A converted block, numbered in reading order (Orden 0, 1, 2 ...). When it is the block due, this
    // thread writes it through `escribir`, and after it every block already handed in that follows
    // (outside the lock, so the others go on reading and converting); otherwise it returns at once
    // and the thread writing before it takes the block in turn. What `escribir` throws aborts the
    // queue and is thrown here.
    void Listo(std::unique_ptr<TBloque> b, const std::function<void(TBloque &)> &escribir);
    // Stop the run: every wait ends, nothing more is handed out or written.
    void Abortar();

  private:
    std::mutex m_;
    std::condition_variable espacio_;
    std::size_t maximo_, enVuelo_ = 0;
    bool abortado_ = false;
    int64_t siguiente_ = 0;  // the block due to be written
    std::map<int64_t, std::unique_ptr<TBloque>> listos_;
    std::vector<std::unique_ptr<TBloque>> libres_;
};
