// TModoWGS: a latitude or longitude read from DMS or decimal-degree text, kept as degrees,
// minutes, seconds and hemisphere, and given back as radians, DMS text or decimal text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include "constantes.h"

// Unsigned decimal degrees of the degrees, minutes and seconds of DMS text: (s / 60 + m) / 60 + g.
inline long double GradosDeDMS(int32_t grados, int32_t minutos, long double segundos) {
    return (segundos / 60 + minutos) / 60 + grados;
}

// Radians of decimal degrees, negated for the hemispheres S and W.
inline long double RadianesDeGrados(long double grados, bool negativo) {
    const long double r = grados * kRadPorGrado;
    return negativo ? -r : r;
}

class TModoWGS {
  public:
    uint8_t Tipo = 0;  // 1 latitude, 2 longitude, 0 cleared
    std::string Texto;
    int32_t Grados = 0;
    int32_t Minutos = 0;
    long double Segundos = 0;
    char Hemisferio = '\0';   // 'S', 'N', 'W', 'E' or '\0'
    long double Decimal = 0;  // unsigned decimal degrees; the sign lives in Hemisferio

    void Asignar(const std::string &texto, uint8_t tipo, uint8_t decimal);
    // Asignar without building Texto (left empty): what a conversion needs, without allocating.
    void AsignarValor(std::string_view texto, uint8_t tipo, uint8_t decimal);
    void Limpiar();
    const std::string &GetTexto() const { return Texto; }
    void SetTexto(const std::string &texto);
    std::string GetDecimal() const;
    long double GetRadianes() const;
};

// The shared angle object of the window's grid cell editor. Conversions never use it.
extern TModoWGS ModoWGS;
