// Number and angle texts of the core: reading and writing numbers with '.' whatever the locale,
// the metres and DMS output forms, and the small numeric tools of the projection series.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

// The real-number reader (syntax of EsNumero). True and the value when the whole text reads.
bool LeerReal(std::string_view texto, long double &valor);

std::string FormatoDMS(int tipo, long double radianes);  // tipo 1 latitude, 2 longitude
std::string FormatoNumero(long double x);                // metres: 1 to 4 decimals
long double LeerNumero(std::string_view texto);          // 0 for empty or invalid text
bool EsNumero(std::string_view texto);                   // empty or a complete number
std::string QuitarEspacios(std::string_view texto);      // code 32 only, both ends
int32_t LeerEnteroInicial(std::string_view texto);       // leading digits; throws EEnteroInvalido on overflow
long double Signo(long double x);
long double Potencia(long double base, long double exponente);  // throws EPotenciaInvalida

// Fixed-point text with the given decimals, right-aligned in a field of `ancho` characters (the
// seconds and decimal-degree fields of the angle texts).
std::string FormatoFijo(long double x, int decimales, int ancho);
