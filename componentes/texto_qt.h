// The window's edge: Windows-1252 program texts to and from Qt strings. Used nowhere else.
#pragma once
#include <QString>
#include <string>
#include "cp1252.h"

inline QString AQString(const std::string &texto1252) {
    return QString::fromStdString(Cp1252AUtf8(texto1252));
}
inline std::string DeQString(const QString &texto) {
    return Utf8ACp1252(texto.toStdString());
}
