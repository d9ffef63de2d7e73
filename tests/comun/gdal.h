// GDAL's ogrinfo as the reader of the files written for other programs: every feature of every
// layer with its fields and its point.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "temporal.h"

struct TLeido {
    std::string nombre;
    std::map<std::string, std::string> campos;
    bool conPunto = false;
    double lon = 0, lat = 0;
};

inline bool HayOgrinfo() {
    return std::system("ogrinfo --version >/dev/null 2>&1") == 0;
}

// ogrinfo's report of every layer: one entry per feature, with its fields and point; `campoNombre`
// is the field GDAL shows the name in.
inline std::vector<TLeido> LeerConGDAL(const std::string &archivo, const std::string &opciones,
                                       const std::string &campoNombre) {
    TCarpetaTemporal dir;
    const std::string informe = dir / "ogr.txt";
    const std::string orden = "ogrinfo -al -ro " + opciones + " '" + archivo + "' > '" + informe + "' 2>&1";
    EXPECT_EQ(std::system(orden.c_str()), 0) << LeerArchivo(informe);
    std::vector<TLeido> r;
    const std::regex campo(R"(^  ([^ ]+) \([A-Za-z0-9]+\) = (.*)$)");
    const std::regex punto(R"(^  POINT \(([-0-9.e+]+) ([-0-9.e+]+)\)$)");
    std::string linea;
    std::istringstream texto(LeerArchivo(informe));
    while (std::getline(texto, linea)) {
        std::smatch m;
        if (linea.rfind("OGRFeature(", 0) == 0) {
            r.emplace_back();
        } else if (!r.empty() && std::regex_match(linea, m, punto)) {
            r.back().conPunto = true;
            r.back().lon = std::stod(m[1]);
            r.back().lat = std::stod(m[2]);
        } else if (!r.empty() && std::regex_match(linea, m, campo)) {
            r.back().campos[m[1]] = m[2];
            if (m[1] == campoNombre) r.back().nombre = m[2];
        }
    }
    return r;
}
