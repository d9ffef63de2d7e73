// Delimiter detection, field counting and preview trimming of the read options dialog.
#include "opciones_lectura.h"

int DetectarDelimitador(std::string_view linea) {
    if (linea.empty()) return -1;
    // Fixed order: the first candidate that occurs anywhere wins, wherever it stands.
    for (int i = 0; i < 4; ++i)
        if (linea.find(CaracteresDelimitador[i]) != std::string_view::npos) return i;
    return -1;
}

int ContarCampos(std::string_view linea) {
    if (linea.empty()) return 0;
    const int item = DetectarDelimitador(linea);
    if (item < 0) return -1;
    int n = 1;
    for (char c : linea)
        if (c == CaracteresDelimitador[item]) ++n;
    return n;
}

std::string RecortarCampo(std::string_view texto) {
    const auto sobra = [](char c) { return c == ' ' || c == '0'; };
    std::size_t a = 0, b = texto.size();
    while (a < b && sobra(texto[a])) ++a;
    while (b > a && sobra(texto[b - 1])) --b;
    return std::string(texto.substr(a, b - a));
}
