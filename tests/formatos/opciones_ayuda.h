// Read options for the tests, in one call: delimiter, the four field numbers, source kind, notation
// and the name's field.
#pragma once
#include "lectura.h"

inline TOpcionesLectura Opciones(char d, int lat, int lon, int alt, int zona, int fuente, int decimal,
                                 int nombre = 0) {
    TOpcionesLectura o;
    o.Delimitador = d;
    o.ColLatX = static_cast<uint8_t>(lat);
    o.ColLonY = static_cast<uint8_t>(lon);
    o.ColAltura = static_cast<uint8_t>(alt);
    o.ColZona = static_cast<uint8_t>(zona);
    o.Fuente = static_cast<TTipoArchivo>(fuente);
    o.ModoDecimal = static_cast<uint8_t>(decimal);
    o.ColNombre = static_cast<uint8_t>(nombre);
    return o;
}
