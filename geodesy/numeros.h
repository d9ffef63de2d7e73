// Number and angle texts of the core: reading and writing numbers with '.' whatever the locale,
// the metres and DMS output forms, and the small numeric tools of the projection series.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "redondeo.h"

// The standard invalid-integer conversion error: "'TEXT' is not a valid integer value".
class EEnteroInvalido : public std::runtime_error {
  public:
    explicit EEnteroInvalido(const std::string &texto);
    const std::string &Texto() const { return texto_; }

  private:
    std::string texto_;
};

// Potencia refused a negative base with an even or irrational root index.
class EPotenciaInvalida : public std::domain_error {
  public:
    using std::domain_error::domain_error;
};

// Standard integer conversion: optional leading blanks, optional sign, decimal digits, within 32 bits.
// Anything else throws EEnteroInvalido naming the text.
int32_t LeerEntero(std::string_view texto);

// The real-number reader (syntax of EsNumero): leading blanks, an optional sign, digits with at most
// one '.' and at least one digit ("5." and ".5" read; ".", "-." and "+" do not), an optional exponent.
// True and the value when the whole text reads.
bool LeerReal(std::string_view texto, long double &valor);
// The same for a value that must be finite: false also for a text that reads as an infinite value
// (just past the largest 80-bit real). Where the value comes by the usual path, which is always
// finite, nothing is checked afterwards.
bool LeerRealFinito(std::string_view texto, long double &valor);

std::string FormatoDMS(int tipo, long double radianes);  // tipo 1 latitude, 2 longitude
std::string FormatoNumero(long double x);                // metres: 1 to 4 decimals
long double LeerNumero(std::string_view texto);          // 0 for empty or invalid text
bool EsNumero(std::string_view texto);                   // empty or a complete number
std::string QuitarEspacios(std::string_view texto);      // code 32 only, both ends
int32_t LeerEnteroInicial(std::string_view texto);       // leading digits; throws EEnteroInvalido on overflow
long double Signo(long double x);
// base^exponente; throws EPotenciaInvalida. Whole exponents 1 to 8 (the series use 2 to 6) are
// repeated products inline; every other case goes to PotenciaGeneral.
long double PotenciaGeneral(long double base, long double exponente);
inline long double Potencia(long double base, long double exponente) {
    if (exponente >= 1 && exponente <= 8) {
        const int n = static_cast<int>(exponente);
        if (n == exponente) {
            long double r = base;  // the sign comes out as |base|^n times Signo(base) for odd n
            for (int k = 1; k < n; ++k) r *= base;
            return r;
        }
    }
    return PotenciaGeneral(base, exponente);
}

// Fixed-point text with the given decimals, right-aligned in a field of `ancho` characters (the
// seconds and decimal-degree fields of the angle texts). Rounded to nearest, ties to even.
std::string FormatoFijo(long double x, int decimales, int ancho);

// Scratch space for the writers below, so a conversion writes its texts without touching the heap:
// a text of ordinary length stays in `corto`; only a real of thousands of digits goes to `largo`.
struct TEspacioTexto {
    char corto[96];
    std::string largo;
};

// The same texts as FormatoFijo, FormatoNumero and FormatoDMS, written into `e`; the view lives
// until `e` is written again.
std::string_view EscribirFijo(TEspacioTexto &e, long double x, int decimales, int ancho);
std::string_view EscribirNumero(TEspacioTexto &e, const long double &x);
std::string_view EscribirDMS(TEspacioTexto &e, int tipo, long double radianes);
