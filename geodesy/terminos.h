// TTerminos: the terms of one ellipsoid that the series and the earth-centred conversions use,
// computed once per ellipsoid instead of once or twice per point. Internal to the geodesy core.
#pragma once

// A default-constructed TTerminos is left unset: it is only scratch space for Terminos.
struct TTerminos {
    long double a, f;
    long double e2;             // first eccentricity squared, 2f - f^2
    long double unoMenosE2;     // 1 - e2
    long double n;              // third flattening f / (2 - f)
    long double unoMasN;        // 1 + n
    long double aSobreUnoMasN;  // a / (1 + n), the factor of the meridian arc
    // Helmert's meridian arc coefficients.
    long double b0, b2, b4, b6, b8;
    long double cuadrante;  // meridian arc from the equator to the pole

    TTerminos() = default;
    TTerminos(long double a_, long double f_);

    // -b2 sin 2phi + b4 sin 4phi - b6 sin 6phi + b8 sin 8phi by Clenshaw's summation from s2 = sin 2phi
    // and c2 = cos 2phi: one sine and one cosine instead of four sines.
    long double Senos(long double s2, long double c2) const {
        const long double x = 2 * c2;
        const long double u4 = b8;
        const long double u3 = -b6 + x * u4;
        const long double u2 = b4 + x * u3 - u4;
        const long double u1 = -b2 + x * u2 - u3;
        return u1 * s2;
    }
    // Meridian arc M = a / (1 + n) (b0 phi - b2 sin 2phi + b4 sin 4phi - b6 sin 6phi + b8 sin 8phi), from
    // sin phi and cos phi (sin 2phi = 2 s c, cos 2phi = (c - s)(c + s)).
    long double Arco(long double phi, long double s, long double c) const {
        return aSobreUnoMasN * (b0 * phi + Senos(2 * s * c, (c - s) * (c + s)));
    }
};

// The terms of the frames' two ellipsoids (POSGAR 94 and POSGAR 2007 share WGS 84), computed at their
// first use.
const TTerminos &TerminosPOSGAR();
const TTerminos &TerminosInchauspe();

// The terms of the ellipsoid (a, f): those of the two ellipsoids are kept; any other ellipsoid (a test's,
// a sweep's) has its terms computed into `otro`, which the result then refers to. Inline, so that a
// and f need not go through memory on every point.
inline const TTerminos &Terminos(long double a, long double f, TTerminos &otro) {
    const TTerminos &posgar = TerminosPOSGAR();
    if (f == posgar.f && a == posgar.a) return posgar;
    const TTerminos &inchauspe = TerminosInchauspe();
    if (f == inchauspe.f && a == inchauspe.a) return inchauspe;
    otro = TTerminos(a, f);
    return otro;
}
