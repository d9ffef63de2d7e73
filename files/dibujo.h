// The drawing of converted points, shared by the window's save and zuvelo-convert: one POINT and one
// TEXT label per point (the label 10 units above it), drawing limits from the extents of the
// results, text height a thousandth of the east extent and never below one metre.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

// Smallest and largest north (first result) and east (second result) of the points seen.
struct TExtension {
    long double MinN = std::numeric_limits<long double>::max(),
                MaxN = std::numeric_limits<long double>::lowest();
    long double MinE = std::numeric_limits<long double>::max(),
                MaxE = std::numeric_limits<long double>::lowest();
    void Ampliar(long double n, long double e) {
        if (n < MinN) MinN = n;
        if (n > MaxN) MaxN = n;
        if (e < MinE) MinE = e;
        if (e > MaxE) MaxE = e;
    }
    bool Vacia() const { return MinN > MaxN || MinE > MaxE; }
};

// The labels' least height, in drawing units (metres): a single point, points on one north-south
// line or a drawing under a kilometre wide would get labels too small to see, or none.
inline constexpr long double kAlturaTextoMinima = 1.0L;

// $LIMMIN is 0,0; $LIMMAX holds the north extent as its X and the east extent as its Y. With no point
// there is nothing to measure: limits 0, as for a single point; the text height is never below
// kAlturaTextoMinima.
struct TLimitesDibujo {
    long double MaxX = 0, MaxY = 0, AlturaTexto = kAlturaTextoMinima;
};
TLimitesDibujo LimitesDibujo(const TExtension &e);

// Points wait in an anonymous scratch file, so memory does not grow with their number. Errors of the
// scratch file throw EArchivo; a result text that is not a number throws EMotivo.
class TDibujoPuntos {
  public:
    TDibujoPuntos();
    ~TDibujoPuntos();
    TDibujoPuntos(const TDibujoPuntos &) = delete;
    TDibujoPuntos &operator=(const TDibujoPuntos &) = delete;

    // A point at east e, north n, height h; the label is cut to 255 characters.
    void Agregar(std::string_view etiqueta, long double n, long double e, long double h);
    // The same from the result texts (north, east, height); throws when one is not a number.
    void Agregar(std::string_view etiqueta, const std::string &norte, const std::string &este,
                 const std::string &altura);
    const TExtension &Extension() const { return extension_; }
    int64_t Cantidad() const { return cantidad_; }

    // The whole drawing, with 3 decimals, in pieces of a few thousand lines.
    void Escribir(const TLimitesDibujo &limites, const std::function<void(std::string_view)> &sumidero);

  private:
    void Poner(const void *p, std::size_t n);
    void Tomar(void *p, std::size_t n);
    std::FILE *f_ = nullptr;
    int64_t cantidad_ = 0;
    TExtension extension_;
};
