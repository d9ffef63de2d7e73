// Option parsing for zuvelo-convert: short and long forms, "--opt=value", "--" ends the options.
#include "argumentos.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "opciones_lectura.h"

namespace {

std::string Minusculas(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

int Elegir(const std::string &opcion, const std::string &valor, const std::vector<const char *> &nombres) {
    const std::string v = Minusculas(valor);
    for (std::size_t i = 0; i < nombres.size(); ++i)
        if (v == nombres[i]) return static_cast<int>(i);
    std::string lista;
    for (std::size_t i = 0; i < nombres.size(); ++i)
        lista += std::string(i == 0 ? "" : i + 1 == nombres.size() ? " or " : ", ") + nombres[i];
    throw EUso(opcion + ": '" + valor + "' is not " + lista);
}

// The frames' names, in the order of Marcos.
std::vector<const char *> ClavesMarcos() {
    std::vector<const char *> v;
    for (const TDatosMarco &m : Marcos) v.push_back(m.Clave);
    return v;
}

int64_t Entero(const std::string &opcion, const std::string &valor, int64_t minimo, int64_t maximo) {
    int64_t v = 0;
    const char *fin = valor.data() + valor.size();
    const auto r = std::from_chars(valor.data(), fin, v);
    if (valor.empty() || r.ec != std::errc() || r.ptr != fin)
        throw EUso(opcion + ": '" + valor + "' is not a whole number");
    if (v < minimo || v > maximo)
        throw EUso(opcion + ": " + valor + " is outside " + std::to_string(minimo) + " to " +
                   std::to_string(maximo));
    return v;
}

void LeerColumnas(const std::string &valor, TOpcionesLectura &opc) {
    std::vector<std::string> partes;
    std::size_t ini = 0;
    for (;;) {
        const std::size_t p = valor.find(',', ini);
        partes.push_back(valor.substr(ini, p == std::string::npos ? std::string::npos : p - ini));
        if (p == std::string::npos) break;
        ini = p + 1;
    }
    if (partes.size() < 2 || partes.size() > 4)
        throw EUso("--columns: '" + valor + "' is not A,B[,H[,Z]] (two to four field numbers)");
    uint8_t *const col[4] = {&opc.ColLatX, &opc.ColLonY, &opc.ColAltura, &opc.ColZona};
    *col[2] = *col[3] = 0;
    for (std::size_t i = 0; i < partes.size(); ++i)
        *col[i] = static_cast<uint8_t>(Entero("--columns", partes[i], i < 2 ? 1 : 0, 255));
}

}  // namespace

TArgumentos LeerArgumentos(int argc, char **argv) {
    TArgumentos a;
    std::vector<std::string> posicionales;
    bool columnasDadas = false, delimitadorDado = false, inicioDado = false, decimal = false;
    bool comaDecimal = false;
    int fuente = -1, destino = -1;
    bool soloPosicionales = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (soloPosicionales || arg == "-" || arg.empty() || arg[0] != '-') {
            posicionales.push_back(arg);
            continue;
        }
        if (arg == "--") {
            soloPosicionales = true;
            continue;
        }
        std::string nombre, valor;
        bool conValor = false;
        if (arg.compare(0, 2, "--") == 0) {
            const std::size_t igual = arg.find('=');
            nombre = arg.substr(0, igual);
            if (igual != std::string::npos) {
                valor = arg.substr(igual + 1);
                conValor = true;
            }
        } else {
            nombre = arg.substr(0, 2);
            if (arg.size() > 2) {
                valor = arg.substr(2);
                conValor = true;
            }
        }
        static const char *const kConValor[][2] = {
            {"-f", "--from"},    {"-t", "--to"},        {"", "--from-frame"},
            {"", "--to-frame"},  {"-d", "--delimiter"}, {"-s", "--start-line"},
            {"-c", "--columns"}, {"-j", "--threads"},   {"", "--name-column"}};
        static const char *const kSinValor[][2] = {{"", "--decimal"}, {"", "--decimal-comma"},
                                                   {"-q", "--quiet"}, {"-h", "--help"},
                                                   {"", "--version"}, {"", "--utf8"}};
        std::string larga;
        bool necesitaValor = false;
        for (const auto &o : kConValor)
            if (nombre == o[0] || nombre == o[1]) larga = o[1], necesitaValor = true;
        for (const auto &o : kSinValor)
            if (nombre == o[0] || nombre == o[1]) larga = o[1];
        if (larga.empty()) throw EUso("unknown option '" + arg + "'");
        if (necesitaValor && !conValor) {
            if (i + 1 >= argc) throw EUso(larga + ": a value is needed");
            valor = argv[++i];
        } else if (!necesitaValor && conValor) {
            throw EUso(larga + " takes no value ('" + arg + "')");
        }
        if (larga == "--from")
            fuente = Elegir(larga, valor, {"geo", "gk", "utm", "gps"});
        else if (larga == "--to")
            destino = Elegir(larga, valor, {"geo", "gk", "utm"});
        else if (larga == "--from-frame")
            a.MarcoFuente = MarcoDeIndice(Elegir(larga, valor, ClavesMarcos()));
        else if (larga == "--to-frame")
            a.MarcoDestino = MarcoDeIndice(Elegir(larga, valor, ClavesMarcos()));
        else if (larga == "--delimiter")
            a.Lectura.Delimitador =
                CaracteresDelimitador[Elegir(larga, valor, {"tab", "comma", "semicolon", "space"})],
            delimitadorDado = true;
        else if (larga == "--start-line")
            a.Lectura.LineaInicio = Entero(larga, valor, 1, INT64_C(1) << 62), inicioDado = true;
        else if (larga == "--columns")
            LeerColumnas(valor, a.Lectura), columnasDadas = true;
        else if (larga == "--name-column")
            a.Lectura.ColNombre = static_cast<uint8_t>(Entero(larga, valor, 0, 255));
        else if (larga == "--threads")
            a.Hilos = static_cast<int>(Entero(larga, valor, 1, 256));
        else if (larga == "--decimal")
            decimal = true;
        else if (larga == "--decimal-comma")
            comaDecimal = true;
        else if (larga == "--quiet")
            a.Silencioso = true;
        else if (larga == "--utf8")
            a.Utf8 = true;
        else if (larga == "--help")
            a.Ayuda = true;
        else if (larga == "--version")
            a.Version = true;
    }
    if (a.Ayuda || a.Version) return a;
    if (posicionales.empty()) throw EUso("missing INPUT file");
    if (posicionales.size() > 2) throw EUso("unexpected argument '" + posicionales[2] + "'");
    a.Entrada = posicionales[0];
    if (posicionales.size() == 2) a.Salida = posicionales[1];
    if (fuente < 0) throw EUso("--from is required (geo, gk, utm or gps)");
    if (destino < 0) throw EUso("--to is required (geo, gk or utm)");
    a.Lectura.Fuente = static_cast<TTipoArchivo>(fuente);
    a.Destino = static_cast<TTipoArchivo>(destino);
    // Plane values are always decimal numbers; geographic ones are DMS text unless --decimal.
    a.Lectura.ModoDecimal = a.Lectura.Fuente == TTipoArchivo::Geografico && !decimal ? 0 : 1;
    a.Lectura.ComaDecimal = comaDecimal ? 1 : 0;
    if (comaDecimal && a.Lectura.Delimitador == ',')
        throw EUso("--decimal-comma: the comma is the decimal sign, it cannot also be the delimiter");
    if (a.Lectura.Fuente == TTipoArchivo::GPS) {
        if (columnasDadas) throw EUso("--columns does not apply to --from gps (waypoint records are fixed)");
        if (delimitadorDado)
            throw EUso("--delimiter does not apply to --from gps (waypoint records use commas)");
        if (inicioDado)
            throw EUso("--start-line does not apply to --from gps (records start at the marker line)");
        if (decimal)
            throw EUso("--decimal does not apply to --from gps (the marker line tells the notation)");
        if (comaDecimal)
            throw EUso("--decimal-comma does not apply to --from gps (waypoint records use commas)");
        if (a.Lectura.ColNombre != 0)
            throw EUso("--name-column does not apply to --from gps (waypoint records carry their names)");
    }
    if (a.Lectura.Fuente == TTipoArchivo::UTM && a.Lectura.ColZona == 0)
        throw EUso("--from utm needs the zone field: --columns A,B,H,Z (H may be 0)");
    if (a.SalidaDXF() && a.Destino == TTipoArchivo::Geografico)
        throw EUso("a .dxf drawing needs plane coordinates: --to gk or --to utm");
    return a;
}

std::string TextoAyuda() {
    return R"(Usage: zuvelo-convert [OPTIONS] INPUT [OUTPUT]
Converts the points of a delimited text file (or a GPS waypoint file) between geographic,
Gauss-Krueger and UTM coordinates on POSGAR 94, Campo Inchauspe 69 and POSGAR 2007, line by line,
as the Zuvelo II window converts large files.

  -f, --from KIND            geo | gk | utm | gps            (source kind; required)
  -t, --to KIND              geo | gk | utm                  (destination kind; required)
      --from-frame FRAME     posgar | inchauspe | posgar2007 (default posgar)
      --to-frame FRAME       posgar | inchauspe | posgar2007 (default posgar)
                             posgar: POSGAR 94 (EPSG:4694, strips EPSG:22181-22187);
                             inchauspe: Campo Inchauspe 69 (EPSG:4221, 22191-22197);
                             posgar2007: POSGAR 2007 (EPSG:5340, 5343-5349). Between frames:
                             PROJ's preferred shifts, stated accuracy 5 m with
                             inchauspe, 1.5 m between posgar and posgar2007
  -d, --delimiter NAME       tab | comma | semicolon | space (default: detected from the start
                                                              line: the first of tab, comma,
                                                              semicolon, space found in it)
  -s, --start-line N         first data line, from 1         (default 1)
  -c, --columns A,B[,H[,Z]]  field numbers of latitude or X, longitude or Y, height, zone or
                             strip (default 1,2; 0 = none; utm needs Z)
      --name-column N        field number of the point's name, for a drawing's labels and the
                             .xlsx, .csv, .geojson, .kml and .gpx outputs (default 0: points are
                             numbered from the start line; result lines never carry names)
      --decimal-comma        ',' is the decimal sign of numbers and DMS seconds ("1,500" is 1.5);
                             the comma is then no delimiter (detection takes ';' or tab)
      --decimal              geographic values are decimal degrees
                             (default: degrees-minutes-seconds, such as -34 36' 12.5'')
  -j, --threads N            worker threads (default: all cores)
  -q, --quiet                no progress display
      --utf8                 write result lines in UTF-8 (default Windows-1252, as the window)
  -h, --help                 this text
      --version              the program's version

INPUT is read as Windows-1252, or as UTF-8 when it looks like UTF-8; "-" reads standard input.
Lines end in LF, CR LF or CR. A line longer than 65536 characters converts when every field it
needs lies before that length, and fails otherwise.
OUTPUT ending in ".dxf" (any case): a drawing with one point and one label per converted point
(label = the point's name, else its number counted from the start line; a waypoint's name).
OUTPUT ending in ".xlsx", ".csv", ".geojson", ".kml" or ".gpx" (any case): the points for
spreadsheets, GIS and scripts, Google Earth or GPS units, in UTF-8, named as a drawing's labels.
The XLSX (at most 1048575 points) and the CSV have a header and one row per point, a failed one
with empty values (the XLSX gives its reason); the CSV has a .prj of the same name beside it
with its coordinate system (only when every point lies in one strip or zone); the others place
each converted point at its latitude and longitude in POSGAR 94 (WGS 84 at this accuracy) and
leave failed points out. A height the input did not give is left empty there; result lines keep
the default 1.5.
Any other name: result lines; no OUTPUT or "-": result lines on standard output.
A file OUTPUT is written beside itself and renamed into place only when complete (through a
symbolic link, the file it points to is replaced and the link stays); a named pipe or a device
such as /dev/null is written straight through. An OUTPUT that is INPUT itself is refused.

Result line: the converted values joined by the input's delimiter (X, Y, height and strip or
zone; latitude, longitude and height), the delimiter twice for a failed conversion, nothing for
a line without a point; in input order, every line ended by CR LF. A summary goes to standard
error with the first 20 problem lines and their reasons.

Exit status:
  0  every point converted (empty lines are no points)
  1  input/output error; an OUTPUT file is left as it was
  2  usage error
  3  the run finished, but some points failed or some non-empty lines gave no point
A run stopped by a signal (Ctrl-C, kill, ulimit -f) removes its temporary file and says so.
)";
}
