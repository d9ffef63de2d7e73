// The read options dialog's rules that need no window: the delimiter of a line and its field count,
// both read through the one field splitter (a quoted field's delimiters do not count).
#pragma once
#include <string>
#include <string_view>

// Items of the "Campos delimitados por:" group: Tabulador, Coma, Punto y Coma, Espacio.
inline constexpr char CaracteresDelimitador[4] = {'\t', ',', ';', ' '};

// The item (0 to 3) of the first of tab, ',', ';', space that splits the line into more than one field
// with every quoted field well formed; failing that, the first that occurs anywhere in the line; -1
// when none occurs. With `comaDecimal` the comma is a decimal sign, never a candidate.
int DetectarDelimitador(std::string_view linea, bool comaDecimal = false);
// 0 for an empty line; -1 when the line has no delimiter; else its fields split by that delimiter.
int ContarCampos(std::string_view linea, bool comaDecimal = false);
