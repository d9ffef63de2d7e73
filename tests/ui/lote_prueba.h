// Data of the convert/save window tests: three good points of a geographic DMS grid with PROJ's
// strips, and a file of 60000 decimal points for the background run.
#pragma once
#include <QString>
#include <cmath>
#include <string>
#include <vector>

#include "ventana_prueba.h"

// Three points of a geographic DMS grid and their strips; LlenarGeoDMS puts them in rows 2, 4 and
// 6, row 3 holding a latitude that the point rule refuses and row 5 nothing.
struct PuntoGeo {
    std::string lat, lon, alt;
    double latGrados, lonGrados;
    int faja;
};
inline const PuntoGeo kBuenos[] = {
    {"34\xB0 36' 12.5\" S", "58\xB0 22' 54.3\" W", "25.5", -(34 + 36 / 60.0 + 12.5 / 3600),
     -(58 + 22 / 60.0 + 54.3 / 3600), 6},
    {"31\xB0 25' 0\" S", "64\xB0 11' 0\" W", "", -(31 + 25 / 60.0), -(64 + 11 / 60.0), 4},
    {"54\xB0 48' 0\" S", "68\xB0 18' 0\" W", "10", -(54 + 48 / 60.0), -(68 + 18 / 60.0), 2},
};
inline const int kFilaDePunto[] = {2, 4, 6};  // grid row of each of kBuenos

inline void LlenarGeoDMS(TVentana &v) {
    LlenarGrilla(v, 0, 1, 0,
                 {{Negrita("1"), kBuenos[0].lat, kBuenos[0].lon, kBuenos[0].alt, ""},
                  {Negrita("2"), "3a\xB0 10' 0\" S", kBuenos[0].lon, "", ""},
                  {Negrita("3"), kBuenos[1].lat, kBuenos[1].lon, kBuenos[1].alt, ""},
                  {"", "", "", "", ""},
                  {"PF-12", kBuenos[2].lat, kBuenos[2].lon, kBuenos[2].alt, ""}});
}

// A CSV row against the name and the four result texts it comes from (a result line's or the grid's;
// empty for a failed point): the same name, the same numbers (the CSV writes metres with four
// decimals), the strip as it is, and an empty height where the input gave none.
inline bool FilaCsvComo(const std::string &fila, const std::string &nombre,
                        const std::vector<std::string> &valores, bool conAltura) {
    const QStringList f = QString::fromStdString(fila).split(QLatin1Char(','));
    if (f.size() != 5 || f[0].toStdString() != nombre || valores.size() != 4) return false;
    if (valores[0].empty()) return f[1].isEmpty() && f[2].isEmpty() && f[3].isEmpty() && f[4].isEmpty();
    for (int i : {0, 1, 2}) {
        const QString t = f[i + 1];
        if (i == 2 && !conAltura) {
            if (!t.isEmpty()) return false;
            continue;
        }
        // Four decimals, never three: a comma-decimal spreadsheet takes three for thousands.
        if (t.size() < 5 || t[t.size() - 5] != QLatin1Char('.')) return false;
        bool a = false, b = false;
        if (t.toDouble(&a) != QString::fromStdString(valores[static_cast<std::size_t>(i)]).toDouble(&b) ||
            !a || !b)
            return false;
    }
    return f[4].toStdString() == valores[3];
}

// Line i (from 0): "P<i>,lat,lon,h" in decimal degrees around strip 3 (central meridian 66° W).
// Every 4999th line has a latitude that is no number and every 9973rd one whose degrees are not
// whole (both failed conversions); every 7919th line is empty.
struct ArchivoGrande {
    std::vector<std::string> lineas;
    std::vector<double> lat, lon;  // NaN for the bad and empty lines
    int fallidas = 0, vacias = 0;
};

inline ArchivoGrande GenerarGrande(int n = 60000) {
    ArchivoGrande a;
    a.lineas.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double lat = -22.5 - 32.0 * i / n;
        const double lon = -67.3 + 2.6 * ((i * 7919) % n) / n;
        const std::string slon = QString::number(lon, 'f', 9).toStdString();
        if (i % 7919 == 7918) {
            a.lineas.push_back("");
            a.lat.push_back(std::nan("")), a.lon.push_back(std::nan(""));
            ++a.vacias;
        } else if (i % 9973 == 9972) {
            // Degrees that are not whole in a DMS field: the point rule refuses this line only.
            a.lineas.push_back("P" + std::to_string(i) + ",-34.5 10' 0''," + slon + ",5");
            a.lat.push_back(std::nan("")), a.lon.push_back(std::nan(""));
            ++a.fallidas;
        } else if (i % 4999 == 4998) {
            a.lineas.push_back("P" + std::to_string(i) + ",abc," + slon + ",1");
            a.lat.push_back(std::nan("")), a.lon.push_back(std::nan(""));
            ++a.fallidas;
        } else {
            a.lineas.push_back("P" + std::to_string(i) + "," + QString::number(lat, 'f', 9).toStdString() +
                               "," + slon + "," + std::to_string(i % 500));
            a.lat.push_back(lat), a.lon.push_back(lon);
        }
    }
    return a;
}

// Writes the file and opens it through the window's open command as a user would: geographic
// source in decimal degrees, Gauss-Krüger destination, fields 2, 3 and 4, and the names of field 1
// when `nombres`. The window shows the file's first 50000 lines and splits it into segments.
inline void AbrirGrande(TVentana &v, const QString &ruta, const ArchivoGrande &a, bool nombres = false) {
    std::string texto;
    for (const std::string &l : a.lineas) texto += l + "\r\n";
    Escribir(ruta, texto);
    v->cbFuente->setCurrentIndex(0);
    v->cbDestino->setCurrentIndex(1);
    TRespuestaOpciones r{"1", "2", "3", "4", "0", 1};
    r.nombre = nombres ? "1" : "0";
    ResponderOpciones(&r);
    Abrir(v, ruta);
    ResponderOpciones(nullptr);
}

// The lines of a text ended by CR LF.
inline std::vector<std::string> LineasDe(const std::string &texto) {
    std::vector<std::string> r;
    std::size_t ini = 0;
    while (ini < texto.size()) {
        const std::size_t fin = texto.find("\r\n", ini);
        if (fin == std::string::npos) {
            r.push_back(texto.substr(ini));
            break;
        }
        r.push_back(texto.substr(ini, fin - ini));
        ini = fin + 2;
    }
    return r;
}
