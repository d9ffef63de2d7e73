// Line parsing: fields, the point record of the workers, the grid cells of a line, the
// space-separated DMS form and GPS waypoint records.
#include "lectura.h"

#include <algorithm>

#include "numeros.h"

namespace {

constexpr char kGrado = '\xB0';  // degree sign in Windows-1252

// Blanks next to a delimiter: spaces and tabs (a tab delimiter never reaches a field).
std::string_view Recortar(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

// Geographic files may hold angles as "-34 36' 12.5''": a blank in the latitude field and no
// degree sign. Only the latitude field decides, for both.
bool FormaEspacios(std::string_view lat, const TOpcionesLectura &opc) {
    return opc.Fuente == 0 && lat.find(' ') != std::string_view::npos &&
           lat.find(kGrado) == std::string_view::npos;
}

std::string Numero(std::size_t n) {
    return std::to_string(n);
}

}  // namespace

void DividirCampos(std::string_view linea, char delimitador, std::vector<std::string_view> &campos) {
    campos.clear();
    if (linea.empty()) return;
    const bool recortar = delimitador != ' ';
    std::size_t ini = 0;
    for (;;) {
        const std::size_t p = linea.find(delimitador, ini);
        const std::string_view campo =
            linea.substr(ini, p == std::string_view::npos ? std::string_view::npos : p - ini);
        campos.push_back(recortar ? Recortar(campo) : campo);
        if (p == std::string_view::npos) break;
        ini = p + 1;
    }
}

std::string ArmarDMS(std::string_view texto, TTipoAngulo tipo) {
    if (texto.empty()) return std::string();
    const bool negativo = texto.front() == '-';
    const char hemisferio = tipo == taLatitud ? (negativo ? 'S' : 'N') : (negativo ? 'W' : 'E');
    std::string s(negativo ? texto.substr(1) : texto);
    const std::size_t blanco = s.find(' ');
    s.insert(blanco == std::string::npos ? 0 : blanco, 1, kGrado);
    const std::size_t ap = s.find("''");
    if (ap != std::string::npos) s.replace(ap, 2, "\"");
    s += ' ';
    s += hemisferio;
    return s;
}

bool LeerPunto(std::string_view linea, const TOpcionesLectura &opc, TPuntoLeido &punto) {
    if (linea.empty()) return false;
    thread_local std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos);
    const std::size_t n = campos.size();
    if (opc.ColLatX == 0 || opc.ColLonY == 0 || n < opc.ColLatX || n < opc.ColLonY) return false;
    const std::string_view lat = campos[opc.ColLatX - 1u], lon = campos[opc.ColLonY - 1u];
    if (FormaEspacios(lat, opc)) {
        punto.Coord1 = ArmarDMS(lat, taLatitud);
        punto.Coord2 = ArmarDMS(lon, taLongitud);
        punto.EnDecimal = 0;
    } else {
        punto.Coord1 = std::string(lat);
        punto.Coord2 = std::string(lon);
        punto.EnDecimal = opc.ModoDecimal;
    }
    punto.Coord3 =
        (opc.ColAltura != 0 && n >= opc.ColAltura) ? std::string(campos[opc.ColAltura - 1u]) : "1.5";
    if ((opc.Fuente == 1 || opc.Fuente == 2) && opc.ColZona != 0)
        // A UTM line without its zone field gets an empty zone, which the conversion refuses; a
        // Gauss-Krüger strip comes from Y and is never read.
        punto.Zona = n >= opc.ColZona ? std::string(campos[opc.ColZona - 1u])
                                      : std::string(opc.Fuente == 2 ? "" : "0");
    else
        punto.Zona = "0";
    return true;
}

std::string MotivoSinPunto(std::string_view linea, const TOpcionesLectura &opc) {
    if (linea.empty()) return "empty line";
    if (opc.ColLatX == 0 || opc.ColLonY == 0) return "no column given for the first or second coordinate";
    std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos);
    const std::size_t n = campos.size();
    const std::size_t falta = std::max<std::size_t>(opc.ColLatX, opc.ColLonY);
    if (n >= falta) return std::string();
    return "only " + Numero(n) + (n == 1 ? " field" : " fields") + ", column " + Numero(falta) + " needed";
}

std::string MotivoCorte(std::string_view linea, const TOpcionesLectura &opc) {
    std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos);
    const std::size_t n = campos.size();
    if (opc.ColLatX == 0 || opc.ColLonY == 0 || n < opc.ColLatX || n < opc.ColLonY) return std::string();
    const auto largo = [&](uint8_t col, std::size_t tope, const char *que) -> std::string {
        if (col == 0 || n < col) return std::string();
        std::string_view v = campos[col - 1u];
        std::string armado;
        if ((col == opc.ColLatX || col == opc.ColLonY) && FormaEspacios(campos[opc.ColLatX - 1u], opc)) {
            armado = ArmarDMS(v, col == opc.ColLatX ? taLatitud : taLongitud);
            v = armado;
        }
        if (v.size() <= tope) return std::string();
        return std::string(que) + " '" + std::string(v) + "' is longer than " + Numero(tope) + " characters";
    };
    std::string r = largo(opc.ColLatX, 30, "value");
    if (r.empty()) r = largo(opc.ColLonY, 30, "value");
    if (r.empty()) r = largo(opc.ColAltura, 30, "height");
    if (r.empty() && opc.Fuente == 2) r = largo(opc.ColZona, 5, "zone");  // a strip comes from Y
    return r;
}

std::string Negrita(std::string_view texto) {
    std::string s = "<p align=\"center\"><b>";
    s += texto;
    s += "</b></p>";
    return s;
}

bool CeldasLinea(std::string_view linea, int numero, const TOpcionesLectura &opc,
                 std::array<std::string, 9> &celdas) {
    for (std::string &c : celdas) c.clear();
    if (linea.empty()) return false;
    std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos);
    const std::size_t n = campos.size();
    if (opc.ColLatX == 0 || opc.ColLonY == 0 || n < opc.ColLatX || n < opc.ColLonY) return false;
    const std::string_view lat = campos[opc.ColLatX - 1u], lon = campos[opc.ColLonY - 1u];
    celdas[0] = Negrita(std::to_string(numero));
    if (FormaEspacios(lat, opc)) {
        celdas[1] = ArmarDMS(lat, taLatitud);
        celdas[2] = ArmarDMS(lon, taLongitud);
    } else {
        celdas[1] = std::string(lat);
        celdas[2] = std::string(lon);
    }
    if (opc.ColAltura != 0 && n >= opc.ColAltura) celdas[3] = std::string(campos[opc.ColAltura - 1u]);
    if (opc.ColZona != 0 && n >= opc.ColZona) {
        // The zone shows as the number of its leading digits ("20S" shows 20); a digit run too long
        // for an integer shows nothing rather than stopping the load.
        try {
            celdas[4] = std::to_string(LeerEnteroInicial(campos[opc.ColZona - 1u]));
        } catch (const EEnteroInvalido &) {
            celdas[4].clear();
        }
    }
    return true;
}

bool BuscarMarcaGPS(std::string_view linea, TMarcaGPS &marca) {
    const std::size_t dms = linea.find(",dms");
    if (dms != std::string_view::npos) {
        marca.Dms = true;
        marca.Prefijo = dms + 1 + 4;  // position from 1, plus the marker
        return true;
    }
    const std::size_t d = linea.find(",D");
    if (d != std::string_view::npos) {
        marca.Dms = false;
        marca.Prefijo = d + 1 + 2;
        return true;
    }
    return false;
}

TRegistroGPS LeerRegistroGPS(std::string_view linea, const TMarcaGPS &marca) {
    TRegistroGPS r;
    std::string_view resto = linea.substr(std::min(marca.Prefijo, linea.size()));
    // Fields are comma-separated; a field counts only when a comma follows it.
    std::string_view valores[3];
    for (auto &v : valores) {
        const std::size_t p = resto.find(',');
        if (p == std::string_view::npos) break;
        v = Recortar(resto.substr(0, p));
        resto.remove_prefix(p + 1);
    }
    r.Nombre = std::string(valores[0]);
    if (marca.Dms) {
        r.Latitud = ArmarDMS(valores[1], taLatitud);
        r.Longitud = ArmarDMS(valores[2], taLongitud);
    } else {
        r.Latitud = std::string(valores[1]);
        r.Longitud = std::string(valores[2]);
    }
    return r;
}
