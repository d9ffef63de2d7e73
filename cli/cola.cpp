// TCola: one mutex and three conditions (room for the reader, work for the workers, the next block
// for the writer).
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

void TCola::Entregar(std::unique_ptr<TBloque> b) {
    {
        std::lock_guard<std::mutex> l(m_);
        trabajo_.push_back(std::move(b));
    }
    hayTrabajo_.notify_one();
}

void TCola::Cerrar() {
    {
        std::lock_guard<std::mutex> l(m_);
        cerrado_ = true;
    }
    hayTrabajo_.notify_all();
    hayListo_.notify_all();
}

void TCola::Abortar() {
    {
        std::lock_guard<std::mutex> l(m_);
        abortado_ = cerrado_ = true;
    }
    hayTrabajo_.notify_all();
    hayListo_.notify_all();
    espacio_.notify_all();
}

std::unique_ptr<TBloque> TCola::Trabajo() {
    std::unique_lock<std::mutex> l(m_);
    hayTrabajo_.wait(l, [&] { return abortado_ || !trabajo_.empty() || cerrado_; });
    if (abortado_ || trabajo_.empty()) return nullptr;
    auto b = std::move(trabajo_.front());
    trabajo_.pop_front();
    return b;
}

void TCola::Listo(std::unique_ptr<TBloque> b) {
    {
        std::lock_guard<std::mutex> l(m_);
        const int64_t orden = b->Orden;
        listos_.emplace(orden, std::move(b));
    }
    hayListo_.notify_all();
}

std::unique_ptr<TBloque> TCola::Siguiente(int64_t orden) {
    std::unique_lock<std::mutex> l(m_);
    // With the reader done and every block written, nothing is in flight: the end.
    hayListo_.wait(l, [&] { return abortado_ || listos_.count(orden) || (cerrado_ && enVuelo_ == 0); });
    auto it = listos_.find(orden);
    if (abortado_ || it == listos_.end()) return nullptr;
    auto b = std::move(it->second);
    listos_.erase(it);
    return b;
}

void TCola::Devolver(std::unique_ptr<TBloque> b) {
    {
        std::lock_guard<std::mutex> l(m_);
        --enVuelo_;
        libres_.push_back(std::move(b));
    }
    espacio_.notify_one();
    hayListo_.notify_all();
}
