// TextoError: what an exception says, in the window's language. File errors (EArchivo) are worded
// in Spanish from their operation, path and reason, reasons (EMotivo) by TextoMotivo, a failed
// allocation too; other texts (the program's own, already Spanish) pass unchanged. Windows-1252.
#pragma once
#include <exception>
#include <string>

std::string TextoError(const std::exception &e);
// The same for an exception caught elsewhere (a worker's thread); "Error desconocido" for one that is
// not a std::exception, nothing for none.
std::string TextoError(const std::exception_ptr &error);
// "No se puede crear '<ruta>': permiso denegado"
std::string TextoErrorArchivo(const class EArchivo &e);
