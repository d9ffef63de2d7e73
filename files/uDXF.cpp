// TDXFOut: header limits, one layer "0", POINT and TEXT entities, footer; every number through
// FormatValue with a fixed number of decimals and '.' as the decimal point.
#include "uDXF.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "lineas.h"

TDXFOut::TDXFOut(uint8_t decimals, long double limMinX, long double limMinY, long double limMaxX,
                 long double limMaxY, long double textHeight)
    : LimMinX(limMinX),
      LimMaxX(limMaxX),
      LimMinY(limMinY),
      LimMaxY(limMaxY),
      TextHeight(textHeight),
      Decimals(decimals) {}

void TDXFOut::WriteHeader() {
    LayerName = "0";
    Lines.insert(Lines.end(), {"0", "SECTION", "2", "HEADER"});
    Lines.insert(Lines.end(), {"9", "$LIMMIN", "10", FormatValue(LimMinX), "20", FormatValue(LimMinY)});
    Lines.insert(Lines.end(), {"9", "$LIMMAX", "10", FormatValue(LimMaxX), "20", FormatValue(LimMaxY)});
    Lines.insert(Lines.end(), {"0", "ENDSEC"});
    Lines.insert(Lines.end(), {"0", "SECTION", "2", "TABLES"});
    Lines.insert(Lines.end(), {"0", "TABLE", "2", "LAYER", "70", "1"});
    Lines.insert(Lines.end(), {"0", "LAYER", "2", "0", "70", "64", "62", "7", "6", "CONTINUOUS"});
    Lines.insert(Lines.end(), {"0", "ENDTAB", "0", "ENDSEC"});
    Lines.insert(Lines.end(), {"0", "SECTION", "2", "ENTITIES"});
}

namespace {

long double Potencia10(int n) {
    long double p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// Fixed point by rounding x * 10^decimales to a whole number: exact whenever the product is not
// within its own rounding error of a half (then the caller falls back to std::to_chars, which
// rounds the exact binary value). Only for |x * 10^decimales| below 1e15.
bool FijoRapido(long double x, int decimales, std::string &t) {
    const long double y = x * Potencia10(decimales);
    const long double frac = std::fabs(y - std::trunc(y));
    if (std::fabs(frac - 0.5L) < 1e-6L + std::fabs(y) * 1e-17L) return false;
    const long long r = std::llround(std::fabs(y));
    std::string d = std::to_string(r);
    if (d.size() < static_cast<std::size_t>(decimales) + 1) d.insert(0, decimales + 1 - d.size(), '0');
    if (decimales > 0) d.insert(d.size() - static_cast<std::size_t>(decimales), 1, '.');
    t.clear();
    if (x < 0) t += '-';
    t += d;
    return true;
}

}  // namespace

// Fixed point with `Decimals` digits, rounded once at the last digit kept; no more than 16
// significant digits are kept, and a value with more than 16 integer digits goes to exponent form.
std::string TDXFOut::FormatValue(long double x) const {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
    char buf[128];
    std::string t;
    if (Decimals <= 15 && std::fabs(x) < Potencia10(15 - Decimals)) {
        // Far below 16 significant digits: every decimal asked for is kept.
        if (!FijoRapido(x, Decimals, t)) {
            auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, Decimals);
            t.assign(buf, static_cast<std::size_t>(r.ptr - buf));
        }
    } else {
        int exponente = 0;  // decimal exponent of the leading digit
        auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 15);
        std::string s(buf, static_cast<std::size_t>(r.ptr - buf));
        const std::size_t e = s.find('e');
        std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponente);
        if (exponente >= 16) {
            // Exponent form with up to 16 significant digits, trailing zeros of the mantissa dropped.
            std::string mant = s.substr(0, e), exp = s.substr(e + 1);
            if (mant.find('.') != std::string::npos) {
                while (mant.back() == '0') mant.pop_back();
                if (mant.back() == '.') mant.pop_back();
            }
            t = mant + "E" + exp;
        } else {
            const int cifras = std::max(0, std::min<int>(Decimals, 15 - exponente));
            r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, cifras);
            t.assign(buf, static_cast<std::size_t>(r.ptr - buf));
            if (Decimals > cifras) {
                if (cifras == 0) t += '.';
                t.append(static_cast<std::size_t>(Decimals - cifras), '0');
            }
        }
    }
    // A value that rounds to zero is written without its sign.
    if (t.front() == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
    if (t.size() > 32) t.resize(32);
    const std::size_t coma = t.find(',');
    if (coma != std::string::npos) t[coma] = '.';
    return t;
}

void TDXFOut::WriteLayer() {
    Lines.insert(Lines.end(), {"8", LayerName});
}

void TDXFOut::WriteCoords(long double x, long double y, long double z) {
    Lines.insert(Lines.end(), {"10", FormatValue(x), "20", FormatValue(y), "30", FormatValue(z)});
}

void TDXFOut::WriteString(const std::string &s) {
    Lines.insert(Lines.end(), {"1", s});
}

void TDXFOut::AddPoint(long double x, long double y, long double z) {
    Lines.insert(Lines.end(), {"0", "POINT"});
    WriteLayer();
    WriteCoords(x, y, z);
}

void TDXFOut::AddText(const std::string &label, long double x, long double y, long double z,
                      long double height, long double rotation) {
    if (height == 0) height = TextHeight;
    Lines.insert(Lines.end(), {"0", "TEXT"});
    WriteLayer();
    WriteCoords(x, y, z);
    Lines.insert(Lines.end(), {"40", FormatValue(height)});
    WriteString(label.substr(0, 255));
    Lines.insert(Lines.end(), {"50", FormatValue(rotation)});
}

void TDXFOut::WriteFooter() {
    Lines.insert(Lines.end(), {"0", "ENDSEC", "0", "EOF"});
}

bool TDXFOut::SaveToFile(const std::string &archivo) const {
    try {
        TArchivoSeguro f(archivo);
        for (const std::string &l : Lines) f.Linea(l);
        f.Confirmar();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
