// The texts of one point as read from a line, a grid row or a waypoint, before the point rule checks
// them, and which angle a text is.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// One point as read from a line, a grid row or a waypoint, before any check: the texts whole (the
// point rule decides what fits the conversion object's fields).
struct TPuntoLeido {
    std::string Coord1;  // latitude, or X
    std::string Coord2;  // longitude, or Y
    std::string Coord3;  // height; empty for the default 1.5 m
    std::string Zona;    // UTM zone or Gauss-Krueger strip
    uint8_t EnDecimal = 0;
    uint8_t ComaDecimal = 0;  // 1: numbers and DMS seconds are written with ',' as decimal sign
};

// The same texts as views (into a line, a TPuntoLeido, or texts built aside), for reading without
// copies.
struct TPuntoVista {
    std::string_view Coord1, Coord2, Coord3, Zona;
    uint8_t EnDecimal = 0;
    uint8_t ComaDecimal = 0;
};

inline TPuntoVista Vista(const TPuntoLeido &p) {
    TPuntoVista v;
    v.Coord1 = p.Coord1;
    v.Coord2 = p.Coord2;
    v.Coord3 = p.Coord3;
    v.Zona = p.Zona;
    v.EnDecimal = p.EnDecimal;
    v.ComaDecimal = p.ComaDecimal;
    return v;
}

// The one trim of a value: blanks (spaces and tabs) off both ends.
inline std::string_view RecortarBlancos(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

enum TTipoAngulo : uint8_t { taLatitud = 1, taLongitud = 2 };
