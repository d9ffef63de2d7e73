// Result files for other programs: XLSX for spreadsheets, CSV for GIS and scripts, GeoJSON for GIS,
// KML for Google Earth and GPX for GPS units, written point by point through a sink (bounded
// memory), UTF-8, '.' decimals.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include "coordenadas.h"

// One point of a result file; texts in Windows-1252.
struct TPuntoExportado {
    std::string Nombre;       // the point's name, or its number when it has none
    std::string NombreUtf8;   // the name whole, when Windows-1252 cannot hold it (else empty)
    bool Convertido = false;  // false: the conversion failed, the values are empty
    std::string Coord1, Coord2, Coord3, Zona;  // the result texts as the .DAT holds them
    long double Latitud = 0, Longitud = 0;     // the point in geographic POSGAR 94, decimal degrees
    bool ConAltura = true;  // false: the input gave no height, the result's one is the default's
    std::string Motivo;     // why a failed point failed (the spreadsheet's last column)
};

enum class TFormatoSalida { Dat, Dxf, Csv, GeoJson, Kml, Gpx, Xlsx };

// By the file name's extension, in any case: .dxf, .csv, .geojson, .kml, .gpx, .xlsx; anything else
// is Dat.
TFormatoSalida FormatoPorNombre(const std::string &ruta);

// The extension of a format, in lower case: ".dat", ".dxf", ".csv", ".geojson", ".kml", ".gpx", ".xlsx".
const char *ExtensionDe(TFormatoSalida formato);
// The save command's name: the format's extension appended unless the path holds it, all in lower or
// all in upper case, anywhere: "puntos" -> "puntos.csv", "puntos.Csv" -> "puntos.Csv.csv".
std::string CompletarExtension(const std::string &nombre, TFormatoSalida formato);

using TSumidero = std::function<void(std::string_view)>;

// Writes one result file through the sink: the opening text when created, one piece per point,
// the closing text at Terminar. Errors throw std::runtime_error (a sink's own errors pass through).
class TEscritorPuntos {
  public:
    virtual ~TEscritorPuntos() = default;
    virtual void Punto(const TPuntoExportado &p) = 0;
    virtual void Terminar() = 0;
};

// A worksheet holds 1 048 576 rows: the header and this many points.
inline constexpr int64_t kPuntosXlsx = 1048575;

// The writer of a Csv, GeoJson, Kml, Gpx or Xlsx file whose values are of kind `destino`; the .DAT
// and .DXF have writers of their own (std::invalid_argument for them). The Xlsx is built in a scratch
// file and sent through the sink at Terminar; a point past kPuntosXlsx throws before anything is sent.
std::unique_ptr<TEscritorPuntos> CrearEscritor(TFormatoSalida formato, TTipoCoordenada destino,
                                               TSumidero sumidero);

// The coordinate systems of a .csv's values, seen point by point: geographic values have one; plane
// values one per strip or zone, read from each converted point's Zona. A .prj names one system.
class TSistemasVistos {
  public:
    explicit TSistemasVistos(TTipoCoordenada tipo) : tipo_(tipo) {}
    void Ver(const TPuntoExportado &p);
    // The WKT of the one system on frame `marco`; empty when the points lie in several strips or zones,
    // or (plane values) none converted.
    std::string WKT(TMarco marco) const;

  private:
    TTipoCoordenada tipo_;
    int zona_ = 0;
    bool varias_ = false;
};

// The .prj beside a .csv: the name with ".prj" in place of its last extension, always in lower case, as
// GDAL looks for it ("Obra.CSV" -> "Obra.prj").
std::string RutaPrj(const std::string &rutaCsv);

// Writes the .prj of a .csv (replaced only when complete) with the one system of its points, and returns
// true; with none (points in several strips or zones) writes nothing and returns false. Throws EArchivo.
bool EscribirPrj(const std::string &rutaCsv, TMarco marco, const TSistemasVistos &sistemas);

// A latitude (tipo 1) or longitude (2) result text, DMS or decimal, as signed decimal degrees.
// False when it does not read as one (no degree sign and not a number, or no hemisphere letter).
bool GradosDecimales(std::string_view texto, int tipo, long double &grados);

// Sets p.Latitud and p.Longitud from p's result texts, read as a point of kind `tipo` on frame
// `marco` and moved to geographic POSGAR 94 through `c` (its settings are replaced). False, with p
// untouched, when the texts do not give a point.
bool UbicarEnPosgar(TPuntoExportado &p, TTipoCoordenada tipo, const TElipsoide &marco, TCoordenadas &c);
