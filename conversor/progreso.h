// TProgreso: zuvelo-convert's progress line on a terminal: the share of the input read and the
// points per second, from the first second on, at most four times a second, erased at the end.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>

// "\r42%  12000 points  12000 points/s   ", or without the share when the size is unknown (0).
std::string LineaProgreso(int64_t posicion, int64_t tamano, int64_t puntos, double segundos);

class TProgreso {
  public:
    // `activo` false (--quiet, or standard error is no terminal): nothing is ever written.
    TProgreso(bool activo, int64_t tamano) : activo_(activo), tamano_(tamano) {}
    void Mostrar(int64_t posicion, int64_t puntos);
    void Terminar();

  private:
    bool activo_;
    int64_t tamano_;
    bool mostrado_ = false;
    std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now(), ultimo_;
};
