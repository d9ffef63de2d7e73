// Line parsing: the one field splitter (quoted fields included), the point record of the workers,
// the grid cells of a line and GPS waypoint records.
#include "lectura.h"

#include <algorithm>

#include "punto.h"

namespace {

// A blank next to a delimiter that is not the delimiter itself (a tab delimiter never reaches a field).
inline bool Blanco(char c, char delimitador) {
    return (c == ' ' || c == '\t') && c != delimitador;
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

std::size_t LeerCampo(std::string_view linea, std::size_t ini, char delimitador, std::string_view &valor,
                      std::string &aparte, bool *bienCerrado) {
    const std::size_t n = linea.size();
    const bool recortar = delimitador != ' ';
    if (bienCerrado) *bienCerrado = true;
    std::size_t i = ini;
    if (recortar)
        while (i < n && Blanco(linea[i], delimitador)) ++i;
    if (i < n && linea[i] == '"') {
        // A quoted field: up to the quote that is not doubled, then only blanks before the delimiter.
        bool doblada = false;
        std::size_t q = i + 1;
        for (;;) {
            q = linea.find('"', q);
            if (q == std::string_view::npos || q + 1 >= n || linea[q + 1] != '"') break;
            doblada = true;
            q += 2;
        }
        if (q != std::string_view::npos) {
            std::size_t fin = q + 1;
            while (fin < n && linea[fin] != delimitador && (linea[fin] == ' ' || linea[fin] == '\t')) ++fin;
            if (fin == n || linea[fin] == delimitador) {
                const std::string_view dentro = linea.substr(i + 1, q - i - 1);
                if (!doblada) {
                    valor = dentro;
                } else {
                    const std::size_t desde = aparte.size();
                    for (std::size_t k = 0; k < dentro.size(); ++k) {
                        aparte += dentro[k];
                        if (dentro[k] == '"') ++k;  // the second of a doubled quote
                    }
                    valor = std::string_view(aparte).substr(desde);
                }
                return fin;
            }
        }
        // Not a well-formed quoted field: read as plain text.
        if (bienCerrado) *bienCerrado = false;
    }
    std::size_t fin = linea.find(delimitador, ini);
    if (fin == std::string_view::npos) fin = n;
    const std::string_view campo = linea.substr(ini, fin - ini);
    valor = recortar ? RecortarBlancos(campo) : campo;
    return fin;
}

void DividirCampos(std::string_view linea, char delimitador, std::vector<std::string_view> &campos,
                   std::string &aparte, std::size_t maximo) {
    campos.clear();
    aparte.clear();
    if (linea.empty() || maximo == 0) return;
    aparte.reserve(linea.size());
    std::size_t ini = 0;
    for (;;) {
        std::string_view v;
        const std::size_t fin = LeerCampo(linea, ini, delimitador, v, aparte);
        campos.push_back(v);
        if (fin >= linea.size() || campos.size() == maximo) break;
        ini = fin + 1;
    }
}

bool LineaEnBlanco(std::string_view linea, char delimitador) {
    std::string aparte;
    aparte.reserve(linea.size());
    for (std::size_t ini = 0;;) {
        std::string_view v;
        const std::size_t fin = LeerCampo(linea, ini, delimitador, v, aparte);
        if (!v.empty()) return false;
        if (fin >= linea.size()) return true;
        ini = fin + 1;
    }
}

namespace {

// A waypoint record: its name, latitude and longitude, split as every line is split (quoted fields
// included), each counting only when a comma follows it. `n` gets how many of the three were found.
void CamposRegistro(std::string_view linea, const TMarcaGPS &marca, std::string_view (&valores)[3], int &n,
                    std::string &aparte) {
    const std::string_view resto = linea.substr(std::min(marca.Prefijo, linea.size()));
    aparte.clear();
    aparte.reserve(resto.size());
    n = 0;
    std::size_t ini = 0;
    for (auto &v : valores) {
        std::string_view campo;
        const std::size_t fin = LeerCampo(resto, ini, ',', campo, aparte);
        if (fin >= resto.size()) break;
        v = campo;
        ini = fin + 1;
        ++n;
    }
}

// A waypoint's point: no height (the default) and no zone; the angles as written (the point rule
// reads the space form of a ",dms" file itself).
bool PuntoDeRegistro(std::string_view linea, const TMarcaGPS &marca, TPuntoVista &punto,
                     std::string &aparte) {
    std::string_view valores[3];
    int n = 0;
    CamposRegistro(linea, marca, valores, n, aparte);
    if (valores[1].empty() || valores[2].empty()) return false;
    punto.Coord1 = valores[1];
    punto.Coord2 = valores[2];
    punto.EnDecimal = marca.Dms ? 0 : 1;
    punto.ComaDecimal = 0;
    punto.Coord3 = std::string_view();
    punto.Zona = "0";
    return true;
}

}  // namespace

std::size_t CamposNecesarios(const TOpcionesLectura &opc) {
    return std::max({opc.ColLatX, opc.ColLonY, opc.ColAltura, opc.ColZona});
}

std::string_view NombrePunto(std::string_view linea, const TOpcionesLectura &opc, std::string &aparte) {
    if (opc.Fuente == TTipoArchivo::GPS) {
        std::string_view valores[3];
        int n = 0;
        CamposRegistro(linea, opc.Marca, valores, n, aparte);
        return valores[0];
    }
    if (opc.ColNombre == 0) return {};
    std::vector<std::string_view> campos;
    DividirCampos(linea, opc.Delimitador, campos, aparte, opc.ColNombre);
    return campos.size() == opc.ColNombre ? campos.back() : std::string_view();
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
                    std::string &aparte) {
    if (opc.Fuente == TTipoArchivo::GPS) return PuntoDeRegistro(linea, opc.Marca, punto, aparte);
    if (linea.empty() || opc.ColLatX == 0 || opc.ColLonY == 0) return false;
    // Up to the last field needed, keeping only the four that are read.
    const std::size_t ultimo = CamposNecesarios(opc);
    std::string_view lat, lon, altura, zona;
    aparte.clear();
    aparte.reserve(linea.size());
    bool algo = false;  // a field with text: a line of only delimiters holds no point
    std::size_t n = 0, ini = 0;
    for (;;) {
        std::string_view campo;
        const std::size_t fin = LeerCampo(linea, ini, opc.Delimitador, campo, aparte);
        ++n;
        algo = algo || !campo.empty();
        if (n == opc.ColLatX) lat = campo;
        if (n == opc.ColLonY) lon = campo;
        if (n == opc.ColAltura) altura = campo;
        if (n == opc.ColZona) zona = campo;
        if (fin >= linea.size() || n == ultimo) break;
        ini = fin + 1;
    }
    if (n < opc.ColLatX || n < opc.ColLonY) return false;
    if (!algo && LineaEnBlanco(linea, opc.Delimitador)) return false;
    punto.Coord1 = lat;
    punto.Coord2 = lon;
    punto.EnDecimal = TipoCoordenada(opc.Fuente) == tcGeografica ? opc.ModoDecimal : 1;
    punto.ComaDecimal = opc.ComaDecimal;
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
    std::string aparte;
    if (!LeerPuntoVista(linea, opc, v, aparte)) return false;
    punto.Coord1.assign(v.Coord1);
    punto.Coord2.assign(v.Coord2);
    punto.Coord3.assign(v.Coord3);
    punto.Zona.assign(v.Zona);
    punto.EnDecimal = v.EnDecimal;
    punto.ComaDecimal = v.ComaDecimal;
    return true;
}

TMotivo MotivoSinPunto(std::string_view linea, const TOpcionesLectura &opc) {
    TMotivo m;
    m.Dato = TDato::Linea;
    if (linea.empty() || LineaEnBlanco(linea, opc.Delimitador)) {
        m.Codigo = TCodigoMotivo::LineaVacia;
        return m;
    }
    if (opc.Fuente == TTipoArchivo::GPS) {
        TPuntoVista punto;
        std::string aparte;
        if (PuntoDeRegistro(linea, opc.Marca, punto, aparte)) return TMotivo();
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
    std::string aparte;
    DividirCampos(linea, opc.Delimitador, campos, aparte, falta);
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
    if (linea.empty() || LineaEnBlanco(linea, opc.Delimitador)) return false;
    std::vector<std::string_view> campos;
    std::string aparte;
    DividirCampos(linea, opc.Delimitador, campos, aparte,
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
    celdas[1] = std::string(lat);
    celdas[2] = std::string(lon);
    if (TipoCoordenada(opc.Fuente) == tcGeografica && opc.ModoDecimal == 0) {
        // Angles that read for sure are shown in the program's own layout, ready for the masked
        // editor; anything else stays as written, to fail with its reason at conversion.
        TMotivo m;
        std::string normal;
        if (NormalizarDMS(celdas[1], taLatitud, normal, m)) celdas[1] = normal;
        if (NormalizarDMS(celdas[2], taLongitud, normal, m)) celdas[2] = normal;
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
    std::string aparte;
    std::string_view valores[3];
    int n = 0;
    CamposRegistro(linea, marca, valores, n, aparte);
    r.Nombre = std::string(valores[0]);
    r.Latitud = std::string(valores[1]);
    r.Longitud = std::string(valores[2]);
    return r;
}
