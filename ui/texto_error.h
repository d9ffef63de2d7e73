// TextoError: what an exception says, in the window's language. File errors (EArchivo) are worded
// in Spanish from their operation, path and reason; other texts pass unchanged. Windows-1252.
#pragma once
#include <exception>
#include <string>

std::string TextoError(const std::exception &e);
// "No se puede crear '<ruta>': permiso denegado"
std::string TextoErrorArchivo(const class EArchivo &e);
