// Windows-1252 <-> UTF-8. Bytes 0x80 to 0x9F carry the Windows-1252 letters and signs; the five
// bytes that Windows-1252 leaves undefined map to the C1 control of the same number and back.
#include "cp1252.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80 to 0x9F; undefined bytes keep their own value.
constexpr uint16_t kAlto[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AgregarUtf8(std::string &s, uint32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char ACp1252(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    // The prime and double prime that UTF-8 texts use for minutes and seconds.
    if (cp == 0x2032) return '\'';
    if (cp == 0x2033) return '"';
    for (int i = 0; i < 32; ++i)
        if (kAlto[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

// Length of the well-formed UTF-8 sequence at s[i] (1 to 4) and its code point; 0 when malformed
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF or cut short).
std::size_t Secuencia(std::string_view s, std::size_t i, uint32_t &cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

std::string Cp1252AUtf8(std::string_view texto) {
    std::string r;
    r.reserve(texto.size() + texto.size() / 4);
    for (char ch : texto) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            r += ch;
        else if (c < 0xA0)
            AgregarUtf8(r, kAlto[c - 0x80]);
        else
            AgregarUtf8(r, c);
    }
    return r;
}

// A byte that does not start a well-formed sequence is kept as it is: a Windows-1252 line inside
// a file taken for UTF-8 loses nothing.
std::string Utf8ACp1252(std::string_view texto, std::size_t &cambiados) {
    std::string r;
    r.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        uint32_t cp = 0;
        const std::size_t n = Secuencia(texto, i, cp);
        if (n == 0) {
            r += texto[i];
            ++i;
        } else {
            const char c = ACp1252(cp);
            if (n > 1 && static_cast<unsigned char>(c) < 0x80) ++cambiados;  // '?', ' or "
            r += c;
            i += n;
        }
    }
    return r;
}

std::string Utf8ACp1252(std::string_view texto) {
    std::size_t cambiados = 0;
    return Utf8ACp1252(texto, cambiados);
}

bool PareceUtf8(std::string_view texto) {
    bool alto = false;
    for (std::size_t i = 0; i < texto.size();) {
        uint32_t cp = 0;
        const std::size_t n = Secuencia(texto, i, cp);
        if (n == 0) return false;
        if (n > 1) alto = true;
        i += n;
    }
    return alto;
}
