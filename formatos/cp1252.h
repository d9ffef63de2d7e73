// Windows-1252 <-> UTF-8 conversion. Inside the program every text is single-byte Windows-1252;
// UTF-8 appears only at the window's edge and in files written by UTF-8 editors.
#pragma once
#include <string>
#include <string_view>

std::string Cp1252AUtf8(std::string_view texto);
// Characters with no Windows-1252 form become '?', but the prime and double prime (minutes and
// seconds) become ' and ".
std::string Utf8ACp1252(std::string_view texto);
// The same, adding to `cambiados` the characters that had no Windows-1252 form of their own (those
// that became '?', ' or ").
std::string Utf8ACp1252(std::string_view texto, std::size_t &cambiados);
// True when the text holds at least one non-ASCII byte and is well-formed UTF-8 throughout.
bool PareceUtf8(std::string_view texto);
