// Lines longer than any line of points: every reader keeps only the first kLargoMaximoLinea bytes of
// a line, which bounds memory whatever the file holds, and the kept part is used only when it holds
// every field a point needs, each closed inside it. A needed field that runs past the cut fails the
// line; a cut value is never read.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "lectura.h"
#include "motivo.h"

inline constexpr std::size_t kLargoMaximoLinea = 65536;

// For a line cut at the limit: its fields up to the last one the read options use (latitude or X,
// longitude or Y, height, zone), or nullopt when that field is not closed by a delimiter inside the
// kept bytes. Without both coordinate columns no field is needed and the kept bytes come back whole.
std::optional<std::string_view> CamposCompletos(std::string_view cortada, const TOpcionesLectura &opc);
// The same for a waypoint record: the prefix and its three comma-ended fields.
std::optional<std::string_view> CamposCompletosGPS(std::string_view cortada, const TMarcaGPS &marca);

// "line longer than 65536 characters: a needed field runs past them"
TMotivo MotivoLineaLarga();
