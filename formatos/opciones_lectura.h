// The read options dialog's rules that need no window: the delimiter of a line, its field count,
// and the trimming of preview cells.
#pragma once
#include <string>
#include <string_view>

// Items of the "Campos delimitados por:" group: Tabulador, Coma, Punto y Coma, Espacio.
inline constexpr char CaracteresDelimitador[4] = {'\t', ',', ';', ' '};

// The item (0 to 3) of the first of tab, ',', ';', space that occurs anywhere in the line; -1 when none.
int DetectarDelimitador(std::string_view linea);
// 0 for an empty line; -1 when the line has no delimiter; else occurrences of its delimiter + 1.
int ContarCampos(std::string_view linea);
// Strips spaces and the digit '0' from both ends (shapes only the dialog's preview).
std::string RecortarCampo(std::string_view texto);
