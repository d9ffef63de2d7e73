// The one rule that decides whether a point converts: every path (the window's "Conversión" tab and
// grid, the background workers, zuvelo-convert) reads its values through here, so a value is either
// read for sure and converted, or refused with the same reason everywhere.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "coordenadas.h"
#include "punto_leido.h"
#include "motivo.h"

// Heights read: from below the deepest ocean floor to above the highest summit (metres). A height
// outside is a mistyped value or another column, never a place on the earth's surface.
inline constexpr int64_t kAlturaMinima = -11000, kAlturaMaxima = 9000;

// A latitude (taLatitud) or longitude written as degrees, minutes and seconds the way people write
// it, given back in the program's own layout with its digits untouched: "34\xB0 36' 12.5\" S". Blanks
// are optional; the degree sign may be \xB0 or \xBA, the minute sign ' or \x92 or \xB4, the second
// sign " or '' or \x94; the hemisphere is a letter before or after (N S, E W, O for oeste, any case)
// or a leading sign. Minutes run to 59, seconds to 60 (the program writes 60 when they round up),
// latitudes to 90 deg and longitudes to 180 deg. False with the reason when the text cannot be read
// for sure; `normal` is then unspecified.
bool NormalizarDMS(std::string_view texto, TTipoAngulo tipo, std::string &normal, TMotivo &motivo);

// An angle pasted into a latitude or longitude field of the window: DMS text as NormalizarDMS reads
// it, or decimal degrees with their sign ("-34.603428", "+58.4"), given back as the program writes
// DMS. A decimal without a sign has no hemisphere and is refused like DMS without its letter.
bool AnguloComoDMS(std::string_view texto, TTipoAngulo tipo, std::string &dms, TMotivo &motivo);

// The zone of a UTM point: a whole number from 1 to 60, optionally followed by the hemisphere
// letter ("20", "20 S", "20s"). False with the reason otherwise.
bool LeerZona(std::string_view texto, int &zona, TMotivo &motivo);

// Checks the point's texts against the kinds set in `c` and puts them, in the program's own layout,
// into c.Entrada: geographic values as DMS text or decimal degrees (by p.EnDecimal), plane values and
// heights as numbers written with '.', an empty height as the default 1.5 m, a UTM zone as its
// number. A value longer than its 30-character field is taken only when the cut drops nothing but
// decimals. False with the reason when a value cannot be read for sure.
bool PrepararEntrada(const TPuntoLeido &p, TCoordenadas &c, TMotivo &motivo);
// The same, also giving the values the conversion object reads from the texts put into c.Entrada
// (c.LeerEntrada()), read while the texts were checked: what c.ConvertirValores takes.
bool PrepararEntrada(const TPuntoVista &p, TCoordenadas &c, TValoresEntrada &valores, TMotivo &motivo);

// Why the last conversion of `c` returned false.
TMotivo MotivoConversion(const TCoordenadas &c);

// PrepararEntrada, then Convertir: true with the result in c.Salida, or false with the reason.
bool ConvertirPunto(const TPuntoLeido &p, TCoordenadas &c, TMotivo &motivo);
bool ConvertirPunto(const TPuntoVista &p, TCoordenadas &c, TMotivo &motivo);
