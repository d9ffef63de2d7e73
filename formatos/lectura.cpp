// Line parsing: fields, the point record of the workers, the grid cells of a line, the
// space-separated DMS form and GPS waypoint records.
#include "lectura.h"

#include <algorithm>

#include "numeros.h"
#include "punto.h"

namespace {

constexpr char kGrado = '\xB0';  // degree sign in Windows-1252

// Blanks next to a delimiter: spaces and tabs (a tab delimiter never reaches a field).
inline std::string_view Recortar(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

// Geographic files may hold angles as "-34 36' 12.5''": a blank in the latitude field and no
// degree sign. Only the latitude field decides, for both.
bool FormaEspacios(std::string_view lat, const TOpcionesLectura &opc) {
    return opc.Fuente == TTipoArchivo::Geografico && lat.find(' ') != std::string_view::npos &&
           lat.find(kGrado) == std::string_view::npos;
}

}  // namespace

TTipoCoordenada TipoCoordenada(TTipoArchivo tipo) {
    switch (tipo) {
        case TTipoArchivo::GaussKruger:
            return tcGaussKruger;
        case TTipoArchivo::UTM:
            return tcUTM;
        case TTipoArchivo::Geografico:
        case TTipoArchivo::GPS:
            break;
    }
    return tcGeografica;
}

void DividirCampos(std::string_view linea, char delimitador, std::vector<std::string_view> &campos,
                   std::size_t maximo) {
    campos.clear();
    if (linea.empty() || maximo == 0) return;
    const bool recortar = delimitador != ' ';
    std::size_t ini = 0;
    for (;;) {
        const std::size_t p = linea.find(delimitador, ini);
        const std::string_view campo =
            linea.substr(ini, p == std::string_view::npos ? std::string_view::npos : p - ini);
        campos.push_back(recortar ? Recortar(campo) : campo);
        if (p == std::string_view::npos || campos.size() == maximo) break;
        ini = p + 1;
    }
}

namespace {

// A waypoint record: its name, latitude and longitude, each counting only when a comma follows it.
// `n` gets how many of the three were found.
void CamposRegistro(std::string_view linea, const TMarcaGPS &marca, std::string_view (&valores)[3], int &n) {
    std::string_view resto = linea.substr(std::min(marca.Prefijo, linea.size()));
    n = 0;
    for (auto &v : valores) {
        const std::size_t p = resto.find(',');
        if (p == std::string_view::npos) break;
        v = Recortar(resto.substr(0, p));
        resto.remove_prefix(p + 1);
        ++n;
    }
}

// A waypoint's point: no height (the default) and no zone.
bool PuntoDeRegistro(std::string_view linea, const TMarcaGPS &marca, TPuntoVista &punto,
                     TArmadosDMS &armados) {
    std::string_view valores[3];
    int n = 0;
    CamposRegistro(linea, marca, valores, n);
    if (valores[1].empty() || valores[2].empty()) return false;
    if (marca.Dms) {
        ArmarDMS(valores[1], taLatitud, armados.Latitud);
        ArmarDMS(valores[2], taLongitud, armados.Longitud);
        punto.Coord1 = armados.Latitud;
        punto.Coord2 = armados.Longitud;
    } else {
        punto.Coord1 = valores[1];
        punto.Coord2 = valores[2];
    }
    punto.EnDecimal = marca.Dms ? 0 : 1;
    punto.Coord3 = std::string_view();
    punto.Zona = "0";
    return true;
}

}  // namespace

std::size_t CamposNecesarios(const TOpcionesLectura &opc) {
    return std::max({opc.ColLatX, opc.ColLonY, opc.ColAltura, opc.ColZona});
}

std::string_view NombrePunto(std::string_view linea, const TOpcionesLectura &opc) {
    if (opc.Fuente == TTipoArchivo::GPS) {
        std::string_view valores[3];
        int n = 0;
        CamposRegistro(linea, opc.Marca, valores, n);
        return valores[0];
    }
    if (opc.ColNombre == 0) return {};
    // Past ColNombre - 1 delimiters, up to the next one.
    std::size_t ini = 0;
    for (int n = 1; n < opc.ColNombre; ++n) {
        const std::size_t p = linea.find(opc.Delimitador, ini);
        if (p == std::string_view::npos) return {};
        ini = p + 1;
    }
    const std::size_t fin = linea.find(opc.Delimitador, ini);
    const std::string_view campo =
        linea.substr(ini, fin == std::string_view::npos ? std::string_view::npos : fin - ini);
    return opc.Delimitador != ' ' ? Recortar(campo) : campo;
}

void ArmarDMS(std::string_view texto, TTipoAngulo tipo, std::string &s) {
    s.clear();
    if (texto.empty()) return;
    const bool negativo = texto.front() == '-';
    const char hemisferio = tipo == taLatitud ? (negativo ? 'S' : 'N') : (negativo ? 'W' : 'E');
    if (negativo) texto.remove_prefix(1);
    // The degree sign goes before the first blank, or at the front.
    const std::size_t blanco = texto.find(' ');
    const std::size_t corte = blanco == std::string_view::npos ? 0 : blanco;
    s.append(texto.substr(0, corte));
    s += kGrado;
    s.append(texto.substr(corte));
    const std::size_t ap = s.find("''");
    if (ap != std::string::npos) s.replace(ap, 2, "\"");
    s += ' ';
    s += hemisferio;
}

std::string ArmarDMS(std::string_view texto, TTipoAngulo tipo) {
    std::string s;
    ArmarDMS(texto, tipo, s);
    return s;
}

TOpcionesLectura OpcionesGPS(const TMarcaGPS &marca, int64_t linea) {
    TOpcionesLectura opc;
    opc.Fuente = TTipoArchivo::GPS;
    opc.Marca = marca;
    opc.Delimitador = ',';
    opc.LineaInicio = linea;
    opc.ModoDecimal = marca.Dms ? 0 : 1;
    return opc;
}

bool LeerPuntoVista(std::string_view linea, const TOpcionesLectura &opc, TPuntoVista &punto,
                    TArmadosDMS &armados) {
    if (opc.Fuente == TTipoArchivo::GPS) return PuntoDeRegistro(linea, opc.Marca, punto, armados);
    if (linea.empty() || opc.ColLatX == 0 || opc.ColLonY == 0) return false;
    // The fields are split as DividirCampos splits them, up to the last one needed, keeping only the
    // four that are read.
    const std::size_t ultimo = CamposNecesarios(opc);
    const bool recortar = opc.Delimitador != ' ';
    std::string_view lat, lon, altura, zona;
    std::size_t n = 0;
    const char *p = linea.data(), *const fin = p + linea.size();
    for (;;) {
        const char *ini = p;
        while (p < fin && *p != opc.Delimitador) ++p;
        std::string_view campo(ini, static_cast<std::size_t>(p - ini));
        if (recortar) campo = Recortar(campo);
        ++n;
        if (n == opc.ColLatX) lat = campo;
        if (n == opc.ColLonY) lon = campo;
        if (n == opc.ColAltura) altura = campo;
        if (n == opc.ColZona) zona = campo;
        if (p == fin || n == ultimo) break;
        ++p;  // past the delimiter
    }
    if (n < opc.ColLatX || n < opc.ColLonY) return false;
    if (FormaEspacios(lat, opc)) {
        ArmarDMS(lat, taLatitud, armados.Latitud);
        ArmarDMS(lon, taLongitud, armados.Longitud);
        punto.Coord1 = armados.Latitud;
        punto.Coord2 = armados.Longitud;
        punto.EnDecimal = 0;
    } else {
        punto.Coord1 = lat;
        punto.Coord2 = lon;
        punto.EnDecimal = opc.ModoDecimal;
    }
    punto.Coord3 = opc.ColAltura != 0 && n >= opc.ColAltura ? altura : std::string_view("1.5");
    if ((opc.Fuente == TTipoArchivo::GaussKruger || opc.Fuente == TTipoArchivo::UTM) && opc.ColZona != 0)
        // A UTM line without its zone field gets an empty zone, which the conversion refuses; a
        // Gauss-Krüger strip comes from Y.
        punto.Zona = n >= opc.ColZona ? zona : std::string_view(opc.Fuente == TTipoArchivo::UTM ? "" : "0");
    else
        punto.Zona = "0";
    return true;
}

bool LeerPunto(std::string_view linea, const TOpcionesLectura &opc, TPuntoLeido &punto) {
    TPuntoVista v;
    TArmadosDMS armados;
    if (!LeerPuntoVista(linea, opc, v, armados)) return false;
    punto.Coord1.assign(v.Coord1);
    punto.Coord2.assign(v.Coord2);
    punto.Coord3.assign(v.Coord3);
    punto.Zona.assign(v.Zona);
    punto.EnDecimal = v.EnDecimal;
    return true;
}

TMotivo MotivoSinPunto(std::string_view linea, const TOpcionesLectura &opc) {
    TMotivo m;
    m.Dato = TDato::Linea;
    if (linea.empty()) {
        m.Codigo = TCodigoMotivo::LineaVacia;
        return m;
    }
    if (opc.Fuente == TTipoArchivo::GPS) {
        m.Codigo = TCodigoMotivo::Error;
        m.Valor = "waypoint record without latitude and longitude (name,latitude,longitude, needed)";
        return m;
    }
    if (opc.ColLatX == 0 || opc.ColLonY == 0) {
        m.Codigo = TCodigoMotivo::SinColumnas;
        return m;
    }
    const std::size_t falta = std::max<std::size_t>(opc.ColLatX, opc.ColLonY);
    std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos, falta);
    if (campos.size() >= falta) return TMotivo();
    m.Codigo = TCodigoMotivo::PocosCampos;
    m.N1 = static_cast<int64_t>(campos.size());
    m.N2 = static_cast<int64_t>(falta);
    return m;
}

bool CeldasLinea(std::string_view linea, int numero, const TOpcionesLectura &opc,
                 std::array<std::string, 9> &celdas, bool *nombrado) {
    for (std::string &c : celdas) c.clear();
    if (nombrado) *nombrado = false;
    if (linea.empty()) return false;
    std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos,
                  std::max<std::size_t>(CamposNecesarios(opc), opc.ColNombre));
    const std::size_t n = campos.size();
    if (opc.ColLatX == 0 || opc.ColLonY == 0 || n < opc.ColLatX || n < opc.ColLonY) return false;
    const std::string_view lat = campos[opc.ColLatX - 1u], lon = campos[opc.ColLonY - 1u];
    const std::string_view nombre =
        opc.ColNombre != 0 && n >= opc.ColNombre ? campos[opc.ColNombre - 1u] : std::string_view();
    if (nombre.empty()) {
        celdas[0] = std::to_string(numero);
    } else {
        celdas[0] = std::string(nombre);
        if (nombrado) *nombrado = true;
    }
    if (FormaEspacios(lat, opc)) {
        celdas[1] = ArmarDMS(lat, taLatitud);
        celdas[2] = ArmarDMS(lon, taLongitud);
    } else {
        celdas[1] = std::string(lat);
        celdas[2] = std::string(lon);
    }
    if (TipoCoordenada(opc.Fuente) == tcGeografica) {
        // Angles that read for sure are shown in the program's own layout, ready for the masked
        // editor; anything else stays as written, to fail with its reason at conversion.
        TMotivo m;
        std::string normal;
        if ((FormaEspacios(lat, opc) || opc.ModoDecimal == 0)) {
            if (NormalizarDMS(celdas[1], taLatitud, normal, m)) celdas[1] = normal;
            if (NormalizarDMS(celdas[2], taLongitud, normal, m)) celdas[2] = normal;
        }
    }
    if (opc.ColAltura != 0 && n >= opc.ColAltura) celdas[3] = std::string(campos[opc.ColAltura - 1u]);
    // The zone or strip as written: "20S" reads as zone 20, "2O" fails rather than showing 2.
    if (opc.ColZona != 0 && n >= opc.ColZona) celdas[4] = std::string(campos[opc.ColZona - 1u]);
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
    std::string_view valores[3];
    int n = 0;
    CamposRegistro(linea, marca, valores, n);
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
