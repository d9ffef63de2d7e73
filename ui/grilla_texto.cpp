// Negrita, SinNegrita: the centred bold markup of grid titles.
#include "grilla_texto.h"

namespace {
constexpr std::string_view kAbre = "<p align=\"center\"><b>";
constexpr std::string_view kCierra = "</b></p>";
}  // namespace

std::string Negrita(std::string_view texto) {
    std::string s(kAbre);
    s += texto;
    s += kCierra;
    return s;
}

std::string_view SinNegrita(std::string_view texto, bool *negrita) {
    const bool envuelto = texto.size() >= kAbre.size() + kCierra.size() &&
                          texto.substr(0, kAbre.size()) == kAbre &&
                          texto.substr(texto.size() - kCierra.size()) == kCierra;
    if (negrita) *negrita = envuelto;
    if (!envuelto) return texto;
    return texto.substr(kAbre.size(), texto.size() - kAbre.size() - kCierra.size());
}
