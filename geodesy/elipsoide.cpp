// The two ellipsoids, the DMA three-parameter shift between Campo Inchauspe 69 and WGS 84, and the
// geodetic <-> earth-centred conversions it goes through (Bowring-style fixed-point iteration).
#include "elipsoide.h"

#include <cmath>
#include "constantes.h"
#include "terminos.h"
#include "trigonometria.h"

// WGS 84 (POSGAR 94): a = 6378137 m, 1/f = 298.257223563, written exactly as GeographicLib does.
const TElipsoide ElipsoidePOSGAR{6378137.0L, 1 / (298257223563.0L / 1000000000), 1};
// International 1924 (Campo Inchauspe 69): a = 6378388 m, 1/f = 297.
const TElipsoide ElipsoideInchauspe{6378388.0L, 1.0L / 297, 2};

namespace {
// The shift itself, constant-initialised: TablaConversion holds strings and is filled at dynamic
// initialisation, so TrasladarDatum reads these and a conversion made by another unit's static
// initialiser cannot see a zero shift.
struct TDesplazamiento {
    double dX, dY, dZ;
};
constexpr TDesplazamiento kDesplazamientos[3] = {{0, 0, 0}, {148, -136, -90}, {-148, 136, 90}};
}  // namespace

const TConversion TablaConversion[3] = {
    {"", kDesplazamientos[0].dX, kDesplazamientos[0].dY, kDesplazamientos[0].dZ},
    {"WGS84 a Inchauspe (DMA)", kDesplazamientos[1].dX, kDesplazamientos[1].dY, kDesplazamientos[1].dZ},
    {"Inchauspe a WGS84 (DMA)", kDesplazamientos[2].dX, kDesplazamientos[2].dY, kDesplazamientos[2].dZ},
};

TPuntoGeocentrico AGeocentrica(const TPuntoGeodesico &p) {
    TTerminos otro;
    const TTerminos &e = Terminos(p.A, p.F, otro);
    const long double e2 = e.e2;
    long double sphi, cphi, slam, clam;
    SenoCoseno(p.Latitud, sphi, cphi);
    SenoCoseno(p.Longitud, slam, clam);
    const long double N = p.A / std::sqrt(1 - e2 * sphi * sphi);  // prime vertical radius
    TPuntoGeocentrico r;
    r.X = (N + p.Altura) * cphi * clam;
    r.Y = (N + p.Altura) * cphi * slam;
    r.Z = (e.unoMenosE2 * N + p.Altura) * sphi;
    return r;
}

TPuntoGeocentrico TrasladarDatum(const TPuntoGeocentrico &p, uint8_t codigoFuente) {
    // One result object, built where the caller keeps it (a copy of 80-bit reals goes through memory
    // in pieces that the loads after it must wait for).
    TPuntoGeocentrico r;
    if (codigoFuente != 1 && codigoFuente != 2) {  // no row: no shift
        r.X = p.X;
        r.Y = p.Y;
        r.Z = p.Z;
        return r;
    }
    const TDesplazamiento &c = kDesplazamientos[codigoFuente];
    r.X = p.X + c.dX;
    r.Y = p.Y + c.dY;
    r.Z = p.Z + c.dZ;
    return r;
}

TPuntoGeodesico AGeodesica(const TPuntoGeocentrico &p, const TElipsoide &destino) {
    const long double a = destino.A;
    TTerminos otro;
    const TTerminos &e = Terminos(destino.A, destino.F, otro);
    const long double e2 = e.e2;
    TPuntoGeodesico r;
    r.A = destino.A;
    r.F = destino.F;

    // Distance from the polar axis. Within a micrometre of it the longitude means nothing and the
    // iteration below would divide by p: the point is taken on the axis, latitude +-90 deg by the
    // sign of Z (the centre itself counts as north), longitude 0, height |Z| - b.
    const long double p2 = std::hypot(p.X, p.Y);
    if (!(p2 >= 1e-6L)) {
        if (std::isnan(p2)) {
            r.Latitud = r.Longitud = r.Altura = p2;
            return r;
        }
        const long double b = a * (1 - destino.F);
        r.Latitud = p.Z < 0 ? -kPiMedios : kPiMedios;
        r.Longitud = 0;
        r.Altura = std::fabs(p.Z) - b;
        return r;
    }
    r.Longitud = std::atan2(p.Y, p.X);

    // t = tan(phi); start on the surface, then t = (Z + e2 N sin phi) / p until it settles. The
    // iteration contracts by about e2 per pass: a few passes near the surface; the cap only keeps
    // points far from the earth or near the pole (whose huge t cannot meet 1e-10) from looping.
    // sin phi and cos phi come from t itself: sin = t / sqrt(1 + t^2), cos = 1 / sqrt(1 + t^2).
    long double t = p.Z / (p2 * e.unoMenosE2);
    long double N = a;
    for (int pasada = 0; pasada < 100; ++pasada) {
        const long double anterior = t;
        const long double sphi = t / std::sqrt(1 + t * t);
        N = a / std::sqrt(1 - e2 * sphi * sphi);
        t = (p.Z + e2 * N * sphi) / p2;
        if (std::fabs(anterior - t) <= 1e-10L) break;
    }
    r.Latitud = std::atan(t);
    // h = p / cos(phi) - N, with p / cos(phi) = p sqrt(1 + t^2): no cancellation near the pole.
    r.Altura = p2 * std::sqrt(1 + t * t) - N;
    return r;
}
