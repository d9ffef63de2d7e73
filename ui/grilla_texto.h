// The grid's bold titles: a cell text held as <p align="center"><b>...</b></p> is drawn centred and
// bold (the title rows and the point numbers). The file logic gives plain texts; the window wraps
// them here, and every reader of a cell (the delegate, the clipboard, the drawing's labels) unwraps
// them here. Windows-1252.
#pragma once
#include <string>
#include <string_view>

// "<p align=\"center\"><b>" + texto + "</b></p>"
std::string Negrita(std::string_view texto);

// The text inside the markup, or the whole text when it is not wrapped; `negrita` (when given) tells
// which.
std::string_view SinNegrita(std::string_view texto, bool *negrita = nullptr);
