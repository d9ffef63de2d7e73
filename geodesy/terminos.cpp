// The ellipsoid terms of the series and of the earth-centred conversions, kept for each ellipsoid.
#include "terminos.h"

#include "constantes.h"
#include "elipsoide.h"

TTerminos::TTerminos(long double a_, long double f_) : a(a_), f(f_) {
    e2 = 2 * f - f * f;
    unoMenosE2 = 1 - e2;
    n = f / (2 - f);
    unoMasN = 1 + n;
    aSobreUnoMasN = a / unoMasN;
    const long double n2 = n * n, n3 = n2 * n, n4 = n3 * n;
    b0 = 1 + n2 / 4 + n4 / 64;
    b2 = 1.5L * (n - n3 / 8);
    b4 = 0.9375L * (n2 - n4 / 4);
    b6 = 35.0L / 48 * n3;
    b8 = 315.0L / 512 * n4;
    // Q = a / (1 + n) b0 pi/2: the arc at phi = pi/2, where the sine terms vanish.
    cuadrante = aSobreUnoMasN * b0 * kPiMedios;
}

// Both frames' ellipsoids are constant-initialised, so these are right even when a conversion runs from
// another unit's static initialiser.
const TTerminos &TerminosPOSGAR() {
    static const TTerminos posgar(ElipsoidePOSGAR.A, ElipsoidePOSGAR.F);
    return posgar;
}

const TTerminos &TerminosInchauspe() {
    static const TTerminos inchauspe(ElipsoideInchauspe.A, ElipsoideInchauspe.F);
    return inchauspe;
}
