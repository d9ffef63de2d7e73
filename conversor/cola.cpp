// TCola: one mutex, one condition (room for another block), and the writing handed from thread to
// thread with the block due.
#include "cola.h"

std::unique_ptr<TBloque> TCola::Libre() {
    std::unique_lock<std::mutex> l(m_);
    espacio_.wait(l, [&] { return abortado_ || enVuelo_ < maximo_; });
    if (abortado_) return nullptr;
    ++enVuelo_;
    if (libres_.empty()) return std::make_unique<TBloque>();
    auto b = std::move(libres_.back());
    libres_.pop_back();
    b->Vaciar();
    return b;
}

void TCola::Devolver(std::unique_ptr<TBloque> b) {
    {
        std::lock_guard<std::mutex> l(m_);
        --enVuelo_;
        libres_.push_back(std::move(b));
    }
    espacio_.notify_one();
}

void TCola::Listo(std::unique_ptr<TBloque> b, const std::function<void(TBloque &)> &escribir) {
    std::unique_lock<std::mutex> l(m_);
    if (abortado_) return;
    const int64_t orden = b->Orden;
    listos_.emplace(orden, std::move(b));
    // Only the block due is written, and it stays due until written: one writer at a time.
    if (orden != siguiente_) return;
    for (auto it = listos_.find(siguiente_); it != listos_.end() && !abortado_;
         it = listos_.find(siguiente_)) {
        std::unique_ptr<TBloque> x = std::move(it->second);
        listos_.erase(it);
        l.unlock();
        try {
            escribir(*x);
        } catch (...) {
            Abortar();
            throw;
        }
        l.lock();
        ++siguiente_;
        --enVuelo_;
        libres_.push_back(std::move(x));
        espacio_.notify_one();
    }
}

void TCola::Abortar() {
    {
        std::lock_guard<std::mutex> l(m_);
        abortado_ = true;
    }
    espacio_.notify_all();
}
