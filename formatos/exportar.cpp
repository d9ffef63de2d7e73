// CSV (RFC 4180), GeoJSON (RFC 7946), KML 2.2, GPX 1.1 and XLSX (through libxlsxwriter) writers of
// result points, and the reading of result texts into decimal degrees that they share.
#include "exportar.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>
#include "angulo.h"
#include "constantes.h"
#include "cp1252.h"
#include "lineas.h"
#include "numeros.h"

namespace {

constexpr char kFin[] = "\r\n";  // every line of every file, as the .DAT

// Decimals of the values a spreadsheet or a script reads as numbers: metres to 0.1 mm (the most the
// program writes), degrees to 9 (0.1 mm on the ground). Never 3: a comma-decimal spreadsheet takes
// "1952.803" for 1952803, while it leaves "1952.8030" as text, never another number.
constexpr int kDecimalesMetros = 4, kDecimalesGrados = 9;

// '.' whatever the locale; no "-0.000".
std::string Fijo(long double x, int decimales) {
    TEspacioTexto e;
    std::string t(EscribirFijo(e, x, decimales, 0));
    if (t.front() == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
    return t;
}

std::string Grados(long double x) {
    return Fijo(x, kDecimalesGrados);
}

// A plane value or height with kDecimalesMetros decimals; a text that is no number stays as it is.
std::string Metros(const std::string &t) {
    long double v = 0;
    if (!LeerReal(t, v) || !std::isfinite(v)) return Cp1252AUtf8(t);
    return Fijo(v, kDecimalesMetros);
}

// Field names of the values of a destination kind, as the CSV header and the properties name them.
// The plane values are "norte" and "este", not the surveyor's x (north) and y (east): a GIS that
// picks columns by name takes x for the east.
struct TNombresCampos {
    const char *nombres[4];
    int cantidad;
};
TNombresCampos Campos(TTipoCoordenada destino) {
    switch (destino) {
        case tcGaussKruger:
            return {{"norte", "este", "altura", "faja"}, 4};
        case tcUTM:
            return {{"norte", "este", "altura", "zona"}, 4};
        default:
            return {{"latitud", "longitud", "altura", nullptr}, 3};
    }
}

// The values of a converted point in UTF-8: plane texts as they are (with `fijos`, metres with
// kDecimalesMetros decimals), geographic ones as signed decimal degrees. A height the input did not
// give is empty: the default one is the .DAT's alone.
void Valores(const TPuntoExportado &p, TTipoCoordenada destino, std::string (&v)[4], bool fijos = false) {
    const auto metros = [fijos](const std::string &t) { return fijos ? Metros(t) : Cp1252AUtf8(t); };
    if (destino == tcGeografica) {
        long double lat = 0, lon = 0;
        if (!GradosDecimales(p.Coord1, 1, lat))
            throw std::runtime_error("point '" + p.Nombre + "': the latitude '" + p.Coord1 +
                                     "' is not an angle");
        if (!GradosDecimales(p.Coord2, 2, lon))
            throw std::runtime_error("point '" + p.Nombre + "': the longitude '" + p.Coord2 +
                                     "' is not an angle");
        v[0] = Grados(lat);
        v[1] = Grados(lon);
        v[2] = p.ConAltura ? metros(p.Coord3) : std::string();
        v[3].clear();
        return;
    }
    v[0] = metros(p.Coord1);
    v[1] = metros(p.Coord2);
    v[2] = p.ConAltura ? metros(p.Coord3) : std::string();
    v[3] = Cp1252AUtf8(p.Zona);
}

std::string NombreUtf8(const TPuntoExportado &p) {
    return p.NombreUtf8.empty() ? Cp1252AUtf8(p.Nombre) : p.NombreUtf8;
}

// The map formats place a point by its POSGAR 94 position: one outside the globe is refused, never
// written somewhere else.
void ComprobarPosicion(const TPuntoExportado &p) {
    if (!(std::fabs(p.Latitud) <= 90 && std::fabs(p.Longitud) <= 180))
        throw std::runtime_error("point '" + p.Nombre + "': no geographic position");
}

// The text is a number as JSON writes one: -?(0|[1-9]d*)(.d+)?([eE][+-]?d+)?
bool NumeroJSON(std::string_view t) {
    std::size_t i = 0;
    const auto digitos = [&] {
        const std::size_t ini = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
        return i - ini;
    };
    if (i < t.size() && t[i] == '-') ++i;
    const std::size_t ini = i;
    const std::size_t n = digitos();
    if (n == 0 || (n > 1 && t[ini] == '0')) return false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (digitos() == 0) return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (digitos() == 0) return false;
    }
    return i == t.size();
}

void AgregarJSON(std::string &s, std::string_view utf8) {
    s += '"';
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            s += "\\u00";
            s += hex[u >> 4];
            s += hex[u & 15];
        } else {
            s += c;
        }
    }
    s += '"';
}

// Element text and attribute values alike. XML 1.0 has no form for the control characters other
// than tab, line feed and carriage return: they become '?', as characters without a form do.
void AgregarXML(std::string &s, std::string_view utf8) {
    for (const char c : utf8) {
        switch (c) {
            case '&':
                s += "&amp;";
                break;
            case '<':
                s += "&lt;";
                break;
            case '>':
                s += "&gt;";
                break;
            case '"':
                s += "&quot;";
                break;
            case '\'':
                s += "&apos;";
                break;
            default:
                s += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' ? '?' : c;
        }
    }
}

// Shared by the four writers: the kind of the values, the sink and a line buffer reused per point.
class TEscritorBase : public TEscritorPuntos {
  protected:
    TEscritorBase(TTipoCoordenada destino, TSumidero sumidero)
        : destino_(destino), campos_(Campos(destino)), sumidero_(std::move(sumidero)) {}
    void Enviar() { sumidero_(s_); }
    void Cerrar(std::string_view texto) {
        if (terminado_) return;
        terminado_ = true;
        if (!texto.empty()) sumidero_(texto);
    }
    void AntesDePunto() const {
        if (terminado_) throw std::logic_error("point written after the end of the file");
    }
    // The map formats: false for a failed point, which has no place; else its place is checked and
    // its values are in valores_.
    bool PuntoConLugar(const TPuntoExportado &p) {
        AntesDePunto();
        if (!p.Convertido) return false;
        ComprobarPosicion(p);
        Valores(p, destino_, valores_);
        return true;
    }
    // Each value as `antes` name `medio` value `despues`, the value XML-escaped, joined by `entre`.
    void AgregarValoresXML(const char *antes, const char *medio, const char *despues, const char *entre) {
        for (int i = 0; i < campos_.cantidad; ++i) {
            if (i > 0) s_ += entre;
            s_ += antes;
            s_ += campos_.nombres[i];
            s_ += medio;
            AgregarXML(s_, valores_[i]);
            s_ += despues;
        }
    }

    TTipoCoordenada destino_;
    TNombresCampos campos_;
    TSumidero sumidero_;
    std::string s_;
    std::string valores_[4];
    bool terminado_ = false;
};

// A header line, then one row per point; a failed point keeps its row, with empty values, so the
// rows stay in the order and number of the input points. Starts with a byte order mark so that
// spreadsheets take the file for UTF-8 (GDAL and QGIS skip it). Numbers have a fixed count of
// decimals, never 3 (see kDecimalesMetros): made for GIS and scripts, the .xlsx is the spreadsheet's.
class TEscritorCsv : public TEscritorBase {
  public:
    TEscritorCsv(TTipoCoordenada destino, TSumidero sumidero) : TEscritorBase(destino, std::move(sumidero)) {
        s_ = "\xEF\xBB\xBFnombre";
        for (int i = 0; i < campos_.cantidad; ++i) (s_ += ',') += campos_.nombres[i];
        s_ += kFin;
        Enviar();
    }
    void Punto(const TPuntoExportado &p) override {
        AntesDePunto();
        s_.clear();
        Campo(NombreUtf8(p));
        if (p.Convertido) Valores(p, destino_, valores_, true);
        for (int i = 0; i < campos_.cantidad; ++i) {
            s_ += ',';
            if (p.Convertido) Campo(valores_[i]);
        }
        s_ += kFin;
        Enviar();
    }
    void Terminar() override { Cerrar({}); }

  private:
    // Quoted only when it holds a comma, a quote or a line end; quotes inside are doubled.
    void Campo(std::string_view t) {
        if (t.find_first_of(",\"\r\n") == std::string_view::npos) {
            s_ += t;
            return;
        }
        s_ += '"';
        for (const char c : t) {
            if (c == '"') s_ += '"';
            s_ += c;
        }
        s_ += '"';
    }
};

// A FeatureCollection of Points at [longitude, latitude] in POSGAR 94 (WGS 84 at this accuracy),
// with the name and the converted values as properties. Failed points have no place: left out.
class TEscritorGeoJson : public TEscritorBase {
  public:
    TEscritorGeoJson(TTipoCoordenada destino, TSumidero sumidero)
        : TEscritorBase(destino, std::move(sumidero)) {
        s_ = "{\"type\":\"FeatureCollection\",\"features\":[";
        Enviar();
    }
    void Punto(const TPuntoExportado &p) override {
        if (!PuntoConLugar(p)) return;
        s_ = primero_ ? kFin : std::string(",") + kFin;
        s_ += "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[";
        s_ += Grados(p.Longitud);
        s_ += ',';
        s_ += Grados(p.Latitud);
        s_ += "]},\"properties\":{\"nombre\":";
        AgregarJSON(s_, NombreUtf8(p));
        for (int i = 0; i < campos_.cantidad; ++i) {
            s_ += ",\"";
            s_ += campos_.nombres[i];
            s_ += "\":";
            if (valores_[i].empty())
                s_ += "null";
            else if (NumeroJSON(valores_[i]))
                s_ += valores_[i];
            else
                AgregarJSON(s_, valores_[i]);
        }
        s_ += "}}";
        Enviar();
        primero_ = false;
    }
    void Terminar() override { Cerrar(std::string(kFin) + "]}" + kFin); }

  private:
    bool primero_ = true;
};

// A Placemark per point with its name, the converted values as ExtendedData (Google Earth shows
// them in the point's balloon) and lon,lat. Failed points have no place: left out. No altitude:
// Google Earth reads it above sea level, while the program's heights are ellipsoidal.
class TEscritorKml : public TEscritorBase {
  public:
    TEscritorKml(TTipoCoordenada destino, TSumidero sumidero) : TEscritorBase(destino, std::move(sumidero)) {
        s_ = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + kFin +
             "<kml xmlns=\"http://www.opengis.net/kml/2.2\">" + kFin + "<Document>" + kFin;
        Enviar();
    }
    void Punto(const TPuntoExportado &p) override {
        if (!PuntoConLugar(p)) return;
        s_ = "<Placemark><name>";
        AgregarXML(s_, NombreUtf8(p));
        s_ += "</name><ExtendedData>";
        AgregarValoresXML("<Data name=\"", "\"><value>", "</value></Data>", "");
        s_ += "</ExtendedData><Point><coordinates>";
        s_ += Grados(p.Longitud);
        s_ += ',';
        s_ += Grados(p.Latitud);
        s_ += "</coordinates></Point></Placemark>";
        s_ += kFin;
        Enviar();
    }
    void Terminar() override { Cerrar(std::string("</Document>") + kFin + "</kml>" + kFin); }
};

// A waypoint per point with its name and the converted values as its description. Failed points
// have no place: left out. No <ele>: GPS units take it above sea level, the program's heights are
// ellipsoidal.
class TEscritorGpx : public TEscritorBase {
  public:
    TEscritorGpx(TTipoCoordenada destino, TSumidero sumidero) : TEscritorBase(destino, std::move(sumidero)) {
        s_ = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + kFin +
             "<gpx version=\"1.1\" creator=\"Zuvelo II\" xmlns=\"http://www.topografix.com/GPX/1/1\">" + kFin;
        Enviar();
    }
    void Punto(const TPuntoExportado &p) override {
        if (!PuntoConLugar(p)) return;
        s_ = "<wpt lat=\"";
        s_ += Grados(p.Latitud);
        s_ += "\" lon=\"";
        s_ += Grados(p.Longitud);
        s_ += "\"><name>";
        AgregarXML(s_, NombreUtf8(p));
        s_ += "</name><desc>";
        AgregarValoresXML("", ": ", "", "; ");
        s_ += "</desc></wpt>";
        s_ += kFin;
        Enviar();
    }
    void Terminar() override { Cerrar(std::string("</gpx>") + kFin); }
};

// A workbook of one sheet, "Puntos": the header row, then one row per point with the name as text and
// every value a number cell shown with the decimals the program writes; a failed point keeps its row,
// values empty, its reason in the last column. libxlsxwriter writes rows out as they come (constant
// memory) into a scratch file, which Terminar sends through the sink.
class TEscritorXlsx : public TEscritorBase {
  public:
    TEscritorXlsx(TTipoCoordenada destino, TSumidero sumidero) : TEscritorBase(destino, std::move(sumidero)) {
        const char *dir = std::getenv("TMPDIR");
        std::string plantilla = std::string(dir && *dir ? dir : P_tmpdir) + "/zuvelo-XXXXXX.xlsx";
        std::vector<char> ruta(plantilla.begin(), plantilla.end());
        ruta.push_back('\0');
        const int fd = mkstemps(ruta.data(), 5);
        if (fd < 0) throw std::runtime_error("no scratch file for the .xlsx in " + plantilla);
        ::close(fd);
        ruta_ = ruta.data();
        lxw_workbook_options opciones = {};
        opciones.constant_memory = LXW_TRUE;
        opciones.use_zip64 = LXW_TRUE;  // a million rows pass the 4 GiB of a plain zip entry
        libro_ = workbook_new_opt(ruta_.c_str(), &opciones);
        if (!libro_) throw std::runtime_error("the .xlsx workbook could not be started");
        hoja_ = workbook_add_worksheet(libro_, "Puntos");
        metros_ = workbook_add_format(libro_);
        format_set_num_format(metros_, "0.0000");
        grados_ = workbook_add_format(libro_);
        format_set_num_format(grados_, "0.000000000");
        entero_ = workbook_add_format(libro_);
        format_set_num_format(entero_, "0");
        titulo_ = workbook_add_format(libro_);
        format_set_bold(titulo_);
        // Widths (in characters) set before any row: the constant-memory mode writes rows at once.
        worksheet_set_column(hoja_, 0, 0, 14, nullptr);
        worksheet_set_column(hoja_, 1, 2, destino == tcGeografica ? 15 : 14, nullptr);
        worksheet_set_column(hoja_, 3, 3, 10, nullptr);
        worksheet_set_column(hoja_, static_cast<lxw_col_t>(campos_.cantidad + 1),
                             static_cast<lxw_col_t>(campos_.cantidad + 1), 40, nullptr);
        Texto(0, 0, "nombre", titulo_);
        for (int i = 0; i < campos_.cantidad; ++i) Texto(0, i + 1, campos_.nombres[i], titulo_);
        Texto(0, campos_.cantidad + 1, "motivo", titulo_);
    }
    ~TEscritorXlsx() override {
        if (libro_) lxw_workbook_free(libro_);
        if (!ruta_.empty()) std::remove(ruta_.c_str());
    }
    void Punto(const TPuntoExportado &p) override {
        AntesDePunto();
        if (fila_ > kPuntosXlsx)
            throw std::runtime_error("an .xlsx sheet holds at most " + std::to_string(kPuntosXlsx) +
                                     " points (1048576 rows with the header): write a .csv instead");
        const auto fila = static_cast<lxw_row_t>(fila_);
        Texto(fila, 0, NombreUtf8(p), nullptr);
        if (p.Convertido) {
            Valores(p, destino_, valores_, true);
            for (int i = 0; i < campos_.cantidad; ++i) {
                if (valores_[i].empty()) continue;
                double v = 0;
                const char *fin = valores_[i].data() + valores_[i].size();
                const auto r = std::from_chars(valores_[i].data(), fin, v);
                if (r.ec != std::errc() || r.ptr != fin || !std::isfinite(v))
                    throw std::runtime_error("point '" + p.Nombre + "': the value '" + valores_[i] +
                                             "' is not a number");
                lxw_format *f = i == 3 ? entero_ : destino_ == tcGeografica && i < 2 ? grados_ : metros_;
                Comprobar(worksheet_write_number(hoja_, fila, static_cast<lxw_col_t>(i + 1), v, f));
            }
        } else if (!p.Motivo.empty()) {
            Texto(fila, campos_.cantidad + 1, Cp1252AUtf8(p.Motivo), nullptr);
        }
        ++fila_;
    }
    void Terminar() override {
        if (terminado_) return;
        terminado_ = true;
        lxw_workbook *libro = libro_;
        libro_ = nullptr;
        Comprobar(workbook_close(libro));
        std::FILE *f = std::fopen(ruta_.c_str(), "rb");
        if (!f) throw std::runtime_error("the .xlsx scratch file " + ruta_ + " cannot be read");
        std::vector<char> trozo(1 << 16);
        std::size_t n;
        try {
            while ((n = std::fread(trozo.data(), 1, trozo.size(), f)) > 0)
                sumidero_(std::string_view(trozo.data(), n));
        } catch (...) {
            std::fclose(f);
            throw;
        }
        const bool error = std::ferror(f);
        std::fclose(f);
        if (error) throw std::runtime_error("the .xlsx scratch file " + ruta_ + " cannot be read");
    }

  private:
    static void Comprobar(lxw_error e) {
        if (e != LXW_NO_ERROR) throw std::runtime_error(std::string(".xlsx: ") + lxw_strerror(e));
    }
    // XML has no form for the control characters other than tab and line ends: '?', as in the KML.
    void Texto(lxw_row_t fila, int col, std::string t, lxw_format *f) {
        for (char &c : t)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
        Comprobar(worksheet_write_string(hoja_, fila, static_cast<lxw_col_t>(col), t.c_str(), f));
    }

    std::string ruta_;
    lxw_workbook *libro_ = nullptr;
    lxw_worksheet *hoja_ = nullptr;
    lxw_format *metros_ = nullptr, *grados_ = nullptr, *entero_ = nullptr, *titulo_ = nullptr;
    int64_t fila_ = 1;
};

bool TerminaEn(const std::string &ruta, std::string_view extension) {
    if (ruta.size() < extension.size()) return false;
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(ruta[ruta.size() - extension.size() + i])) !=
            extension[i])
            return false;
    return true;
}

const struct {
    const char *extension;
    TFormatoSalida formato;
} kExtensiones[] = {{".dat", TFormatoSalida::Dat},  {".dxf", TFormatoSalida::Dxf},
                    {".csv", TFormatoSalida::Csv},  {".geojson", TFormatoSalida::GeoJson},
                    {".kml", TFormatoSalida::Kml},  {".gpx", TFormatoSalida::Gpx},
                    {".xlsx", TFormatoSalida::Xlsx}};

}  // namespace

TFormatoSalida FormatoPorNombre(const std::string &ruta) {
    // The extension of the file's own name: a folder "obra.csv/" does not count.
    const std::string nombre = ruta.substr(ruta.find_last_of('/') + 1);
    for (const auto &e : kExtensiones)
        if (nombre.size() > std::string_view(e.extension).size() && TerminaEn(nombre, e.extension))
            return e.formato;
    return TFormatoSalida::Dat;
}

const char *ExtensionDe(TFormatoSalida formato) {
    for (const auto &e : kExtensiones)
        if (e.formato == formato) return e.extension;
    return ".dat";
}

std::string CompletarExtension(const std::string &nombre, TFormatoSalida formato) {
    const std::string minus = ExtensionDe(formato);
    std::string mayus = minus;
    for (char &c : mayus) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // A plain, case-sensitive search over the whole path, folders included.
    if (nombre.find(minus) != std::string::npos || nombre.find(mayus) != std::string::npos) return nombre;
    return nombre + minus;
}

std::unique_ptr<TEscritorPuntos> CrearEscritor(TFormatoSalida formato, TTipoCoordenada destino,
                                               TSumidero sumidero) {
    switch (formato) {
        case TFormatoSalida::Csv:
            return std::make_unique<TEscritorCsv>(destino, std::move(sumidero));
        case TFormatoSalida::GeoJson:
            return std::make_unique<TEscritorGeoJson>(destino, std::move(sumidero));
        case TFormatoSalida::Kml:
            return std::make_unique<TEscritorKml>(destino, std::move(sumidero));
        case TFormatoSalida::Gpx:
            return std::make_unique<TEscritorGpx>(destino, std::move(sumidero));
        case TFormatoSalida::Xlsx:
            return std::make_unique<TEscritorXlsx>(destino, std::move(sumidero));
        default:
            throw std::invalid_argument("the .DAT and .DXF files have writers of their own");
    }
}

bool GradosDecimales(std::string_view texto, int tipo, long double &grados) {
    if (texto.find('\xB0') == std::string_view::npos) {
        long double v = 0;
        if (!LeerReal(texto, v) || !std::isfinite(v)) return false;
        grados = v;
        return true;
    }
    TModoWGS angulo;
    try {
        angulo.AsignarValor(texto, static_cast<uint8_t>(tipo), 0);
    } catch (const EEnteroInvalido &) {
        return false;
    }
    // Without its letter a DMS text would read as north or east.
    const char h = angulo.Hemisferio;
    if (tipo == 1 ? (h != 'N' && h != 'S') : (h != 'E' && h != 'W')) return false;
    grados = angulo.GetRadianes() * kGradoPorRad;
    return true;
}

bool UbicarEnPosgar(TPuntoExportado &p, TTipoCoordenada tipo, const TElipsoide &marco, TCoordenadas &c) {
    long double lat = 0, lon = 0;
    c.Entrada = TPuntoTexto();
    if (tipo == tcGeografica) {
        // Read here, not by the angle reader, which takes a DMS text without its letter as north or
        // east and a decimal text that does not read as 0.
        if (!GradosDecimales(p.Coord1, 1, lat) || !GradosDecimales(p.Coord2, 2, lon)) return false;
        if (marco.Codigo == ElipsoidePOSGAR.Codigo) {
            p.Latitud = lat;
            p.Longitud = lon;
            return true;
        }
        c.Entrada.Coord1 = Grados(lat);
        c.Entrada.Coord2 = Grados(lon);
        c.Entrada.EnDecimal = 1;
    } else {
        // The core reads a plane value that is not a number as 0.
        long double v = 0;
        if (!LeerReal(p.Coord1, v) || !LeerReal(p.Coord2, v)) return false;
        c.Entrada.Coord1 = p.Coord1;
        c.Entrada.Coord2 = p.Coord2;
        c.Entrada.Zona = p.Zona;
    }
    c.Entrada.Coord3 = p.Coord3;
    c.SetTipoFuente(tipo);
    c.SetElipsoideFuente(marco);
    c.SetTipoDestino(tcGeografica);
    c.SetElipsoideDestino(ElipsoidePOSGAR);
    try {
        if (!c.Convertir()) return false;
    } catch (const std::exception &) {
        return false;  // a UTM zone that is not a whole number
    }
    if (!GradosDecimales(c.Salida.Coord1.str(), 1, lat) || !GradosDecimales(c.Salida.Coord2.str(), 2, lon))
        return false;
    p.Latitud = lat;
    p.Longitud = lon;
    return true;
}

void TSistemasVistos::Ver(const TPuntoExportado &p) {
    if (tipo_ == tcGeografica || !p.Convertido) return;
    // Zona holds the strip or zone number ("6", "21").
    int z = 0;
    for (const char c : p.Zona) {
        if (c < '0' || c > '9') break;
        z = z * 10 + (c - '0');
        if (z > 99) break;
    }
    if (zona_ == 0)
        zona_ = z;
    else if (z != zona_)
        varias_ = true;
}

std::string TSistemasVistos::WKT(TMarco marco) const {
    if (tipo_ == tcGeografica) return WKTSistema(marco, tipo_, 0);
    if (varias_ || zona_ == 0) return std::string();
    return WKTSistema(marco, tipo_, zona_);
}

std::string RutaPrj(const std::string &rutaCsv) {
    const std::size_t barra = rutaCsv.find_last_of('/');
    const std::size_t punto = rutaCsv.find_last_of('.');
    const bool conExtension = punto != std::string::npos && (barra == std::string::npos || punto > barra);
    return (conExtension ? rutaCsv.substr(0, punto) : rutaCsv) + ".prj";
}

bool EscribirPrj(const std::string &rutaCsv, TMarco marco, const TSistemasVistos &sistemas) {
    const std::string wkt = sistemas.WKT(marco);
    if (wkt.empty()) return false;
    TArchivoSeguro prj(RutaPrj(rutaCsv));
    prj.Escribir(wkt);
    prj.Confirmar();
    return true;
}
