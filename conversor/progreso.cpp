// TProgreso: the progress line on standard error.
#include "progreso.h"

#include <algorithm>
#include <cstdio>

std::string LineaProgreso(int64_t posicion, int64_t tamano, int64_t puntos, double segundos) {
    std::string s = "\r";
    if (tamano > 0) s += std::to_string(std::min<int64_t>(100, posicion * 100 / tamano)) + "%  ";
    s += std::to_string(puntos) + " points  " + std::to_string(static_cast<int64_t>(puntos / segundos)) +
         " points/s   ";
    return s;
}

void TProgreso::Mostrar(int64_t posicion, int64_t puntos) {
    if (!activo_) return;
    const auto ahora = std::chrono::steady_clock::now();
    const double pasado = std::chrono::duration<double>(ahora - inicio_).count();
    if (pasado < 1.0 || ahora - ultimo_ < std::chrono::milliseconds(250)) return;
    ultimo_ = ahora;
    std::fputs(LineaProgreso(posicion, tamano_, puntos, pasado).c_str(), stderr);
    mostrado_ = true;
}

void TProgreso::Terminar() {
    if (mostrado_) std::fputs("\r                                                            \r", stderr);
}
