// TContornoMapa: the outline the "Mapa" tab draws (Argentina, the Malvinas, the neighbouring countries,
// the coast, international and provincial borders), read once from the resource :/mapa/argentina.mapa
// (Natural Earth 1:10m, public domain, made by ui/mapa/preparar.py) and projected to display metres.
#pragma once
#include <QPainterPath>
#include <QRectF>
#include <QString>

struct TContornoMapa {
    QPainterPath Argentina;   // the country with the Malvinas (fill)
    QPainterPath Vecinos;     // the neighbouring countries (fill)
    QPainterPath Costa;       // lines
    QPainterPath Limites;     // international borders
    QPainterPath Provincias;  // provincial borders
    QRectF Marco;             // what the data covers, display metres
    QString Error;            // why the resource could not be read; empty when it was
};

// The outline of the resource, read and projected on first use and kept for the program's life.
const TContornoMapa &ContornoMapa();

// Reads an outline from the text of a .mapa file (exposed for tests of the format).
TContornoMapa LeerContorno(const QByteArray &texto);
