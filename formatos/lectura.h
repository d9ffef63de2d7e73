// How one line of an input file becomes the values of one point: field splitting (quoted fields as
// spreadsheets write them), the grid cells of a line, the point record for the batch workers and the
// GPS waypoint lines. Pure functions of the read options: shared by the window, the workers and the
// command-line converter.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "coordenadas.h"
#include "motivo.h"
#include "punto_leido.h"

// The kinds of points a file holds, in the order of the window's source list and of zuvelo-convert's
// --from names; a destination is one of the first three.
enum class TTipoArchivo : uint8_t { Geografico, GaussKruger, UTM, GPS };
// The conversion object's kind of a file's points: waypoints are geographic.
TTipoCoordenada TipoCoordenada(TTipoArchivo tipo);

// GPS waypoint files: the marker line (",D" decimal or ",dms" space-separated DMS) fixes the
// notation and the prefix length of every record.
struct TMarcaGPS {
    bool Dms = false;
    std::size_t Prefijo = 0;
};

// How a file is read: the one record of the read options dialog, the window, its background run and
// zuvelo-convert.
struct TOpcionesLectura {
    char Delimitador = ',';   // '\0': the first of tab, ',', ';', space on the start line
    int64_t LineaInicio = 1;  // first data line, from 1 (0 counts as 1)
    uint8_t ColLatX = 0;      // field (from 1) of the latitude or X; 0 = not given
    uint8_t ColLonY = 0;      // field of the longitude or Y
    uint8_t ColAltura = 0;    // field of the height; 0 = none
    uint8_t ColZona = 0;      // field of the UTM zone or Gauss-Krüger strip; 0 = none
    uint8_t ColNombre = 0;    // field of the point's name; 0 = none (points are numbered)
    TTipoArchivo Fuente = TTipoArchivo::Geografico;
    uint8_t ModoDecimal = 0;  // 1 decimal degrees (always for plane kinds), 0 DMS text
    uint8_t ComaDecimal = 0;  // 1: ',' is the decimal sign of numbers and DMS seconds, never a delimiter
    // Fuente GPS: the marker of the waypoint file; its records are read from LineaInicio, the
    // marker line, on, and their result lines are joined by Delimitador ','.
    TMarcaGPS Marca;
};

// The options that read the lines of a file holding points of `tipo`, as loaded with `opc`: a GPS
// file read as delimited lines (no marker; the window does so under Campo Inchauspe 69) holds
// geographic points, on every path.
inline TOpcionesLectura OpcionesDeLineas(TOpcionesLectura opc, TTipoArchivo tipo) {
    opc.Fuente = tipo == TTipoArchivo::GPS && opc.Marca.Prefijo == 0 ? TTipoArchivo::Geografico : tipo;
    return opc;
}

// The options that read the records of a waypoint file whose marker line is line `linea`.
TOpcionesLectura OpcionesGPS(const TMarcaGPS &marca, int64_t linea);

// The one field splitter. A field may be enclosed in double quotes (as spreadsheets write a field that
// holds the delimiter or a quote): it then holds delimiters and doubled quotes, and the quotes are not
// part of its value. A quote that does not open the field is an ordinary character (DMS seconds), as
// is an opening quote never closed or a closing quote followed by more text before the delimiter.
// With a delimiter other than space, blanks around every field are trimmed ("P1, -34.5" reads like
// "P1,-34.5"). Reads the field that starts at `ini` into `valor`, a view into the line or, when the
// field held doubled quotes, into `aparte` (appended to: give it capacity for the line first, so that
// earlier views stay valid). Returns the position of the delimiter that closes the field, or the
// line's size; `bienCerrado`, when given, is false for a field that opens a quote it does not close.
std::size_t LeerCampo(std::string_view linea, std::size_t ini, char delimitador, std::string_view &valor,
                      std::string &aparte, bool *bienCerrado = nullptr);

// Every field of the line, split by LeerCampo; adjacent delimiters enclose an empty field. At most
// `maximo` fields are kept: a line of millions of fields costs no more than the ones needed.
void DividirCampos(std::string_view linea, char delimitador, std::vector<std::string_view> &campos,
                   std::string &aparte, std::size_t maximo = static_cast<std::size_t>(-1));

// True when every field of the line is empty (no text, or only blanks and delimiters): such a line
// holds no point and is skipped like an empty one.
bool LineaEnBlanco(std::string_view linea, char delimitador);

// The highest field number the options read (the first and second coordinate, height, zone).
// The name is not among them: a line without it still gives its point, numbered.
std::size_t CamposNecesarios(const TOpcionesLectura &opc);

// The point's name: the field ColNombre names, as DividirCampos gives it (a view into the line or
// `aparte`); empty when the options name no field or the line does not reach it.
std::string_view NombrePunto(std::string_view linea, const TOpcionesLectura &opc, std::string &aparte);

// True when the line yields a point (then filled); false leaves the record untouched.
bool LeerPunto(std::string_view linea, const TOpcionesLectura &opc, TPuntoLeido &punto);

// LeerPunto without copying: the views point into `linea`, into `aparte` (quoted fields with doubled
// quotes) or at constant texts, and stay valid while those do. Every value is the field as written
// (quotes removed, blanks trimmed): the point rule reads each notation itself, so that a reason quotes
// what the user wrote.
bool LeerPuntoVista(std::string_view linea, const TOpcionesLectura &opc, TPuntoVista &punto,
                    std::string &aparte);

// Why a line yields no point ("only 2 fields, column 3 needed"); no reason when it does.
TMotivo MotivoSinPunto(std::string_view linea, const TOpcionesLectura &opc);

// The nine grid cells of a data line shown as point `numero`: the point's name (NombrePunto) or, when
// it has none, its number (`nombrado`, when given, tells which), the four input values (angles that
// read for sure in the program's own layout) and four empty results. False (all cells empty) when
// the line shows nothing: too few fields, or every field empty.
bool CeldasLinea(std::string_view linea, int numero, const TOpcionesLectura &opc,
                 std::array<std::string, 9> &celdas, bool *nombrado = nullptr);

bool BuscarMarcaGPS(std::string_view linea, TMarcaGPS &marca);
// The name, latitude and longitude as written (split like any comma-separated line, quotes
// included); a field counts only when a comma follows it.
struct TRegistroGPS {
    std::string Nombre, Latitud, Longitud;
};
TRegistroGPS LeerRegistroGPS(std::string_view linea, const TMarcaGPS &marca);
