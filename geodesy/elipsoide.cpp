// The three frames and their ellipsoids, the three-parameter shifts between them (PROJ's preferred
// operations), and the geodetic <-> earth-centred conversions they go through (Bowring-style
// fixed-point iteration).
#include "elipsoide.h"

#include <cmath>
#include "constantes.h"
#include "terminos.h"
#include "trigonometria.h"

// WGS 84 (POSGAR 94): a = 6378137 m, 1/f = 298.257223563, written exactly as GeographicLib does.
const TElipsoide ElipsoidePOSGAR{6378137.0L, 1 / (298257223563.0L / 1000000000), 1};
// International 1924 (Campo Inchauspe 69): a = 6378388 m, 1/f = 297.
const TElipsoide ElipsoideInchauspe{6378388.0L, 1.0L / 297, 2};
// POSGAR 2007 is on WGS 84 too: the same numbers, so the same projection terms.
const TElipsoide ElipsoidePOSGAR2007{6378137.0L, 1 / (298257223563.0L / 1000000000), 3};

const TDatosMarco Marcos[kCantidadMarcos] = {
    {TMarco::Posgar94, &ElipsoidePOSGAR, "POSGAR 94", "posgar", "POSGAR 94",
     "Posiciones_Geodesicas_Argentinas_1994", "WGS 84", 6694, 7030, 4694, 22181},
    {TMarco::Inchauspe69, &ElipsoideInchauspe, "Campo Inchauspe 69", "inchauspe", "Campo Inchauspe",
     "Campo_Inchauspe", "International 1924", 6221, 7022, 4221, 22191},
    {TMarco::Posgar2007, &ElipsoidePOSGAR2007, "POSGAR 2007", "posgar2007", "POSGAR 2007",
     "Posiciones_Geodesicas_Argentinas_2007", "WGS 84", 1062, 7030, 5340, 5343},
};

const TDatosMarco &DatosMarco(TMarco m) {
    return Marcos[IndiceDeMarco(m)];
}

namespace {
std::string Autoridad(int codigo) {
    return "AUTHORITY[\"EPSG\",\"" + std::to_string(codigo) + "\"]";
}
std::string Parametro(const char *nombre, long long valor) {
    return std::string("PARAMETER[\"") + nombre + "\"," + std::to_string(valor) + "]";
}
}  // namespace

std::string WKTSistema(TMarco marco, TTipoCoordenada tipo, int zona) {
    const TDatosMarco &d = DatosMarco(marco);
    const bool wgs = d.EPSGElipsoide == 7030;
    const std::string geo =
        std::string("GEOGCS[\"") + d.NombreEPSG + "\",DATUM[\"" + d.NombreDatum + "\",SPHEROID[\"" +
        d.NombreElipsoide + "\"," + (wgs ? "6378137,298.257223563" : "6378388,297") + "," +
        Autoridad(d.EPSGElipsoide) + "]," + Autoridad(d.EPSGDatum) + "],PRIMEM[\"Greenwich\",0," +
        Autoridad(8901) + "],UNIT[\"degree\",0.0174532925199433," + Autoridad(9122) + "]," +
        Autoridad(d.EPSGGeografica) + "]";
    if (tipo == tcGeografica) return geo;
    const bool gk = tipo == tcGaussKruger;
    if (gk ? (zona < 1 || zona > 7) : (zona < 1 || zona > 60)) return std::string();
    const std::string nombre = std::string(d.NombreEPSG) + (gk ? " / Argentina " : " / UTM zone ") +
                               std::to_string(zona) + (gk ? "" : "S");
    // The strips' central meridians 72 deg W to 54 deg W, the strip number as the false easting's
    // millions; UTM zone z about 6z - 183 deg.
    std::string r = "PROJCS[\"" + nombre + "\"," + geo + ",PROJECTION[\"Transverse_Mercator\"]," +
                    Parametro("latitude_of_origin", gk ? -90 : 0) + "," +
                    Parametro("central_meridian", gk ? 3 * zona - 75 : 6 * zona - 183) + "," +
                    (gk ? std::string("PARAMETER[\"scale_factor\",1]")
                        : std::string("PARAMETER[\"scale_factor\",0.9996]")) +
                    "," + Parametro("false_easting", gk ? zona * 1000000LL + 500000 : 500000) + "," +
                    Parametro("false_northing", gk ? 0 : 10000000) + ",UNIT[\"metre\",1," + Autoridad(9001) +
                    "]";
    if (gk) r += "," + Autoridad(d.EPSGFaja1 + zona - 1);
    return r + "]";
}

TMarco MarcoDeIndice(int i) {
    return i >= 0 && i < kCantidadMarcos ? Marcos[i].Marco : TMarco::Posgar94;
}

int IndiceDeMarco(TMarco m) {
    for (int i = 0; i < kCantidadMarcos; ++i)
        if (Marcos[i].Marco == m) return i;
    return 0;
}

namespace {
// The shift itself, constant-initialised: TablaConversion holds strings and is filled at dynamic
// initialisation, so TrasladarDatum reads these and a conversion made by another unit's static
// initialiser cannot see a zero shift.
struct TDesplazamiento {
    double dX, dY, dZ;
};
constexpr TDesplazamiento kDesplazamientos[3] = {{0, 0, 0}, {148, -136, -90}, {-148, 136, 90}};

// Every directed shift. Campo Inchauspe 69 and POSGAR 94: EPSG:15782 (the DMA numbers), 5 m. Campo
// Inchauspe 69 and POSGAR 2007: EPSG:5350, the same numbers into WGS 84, 5 m. POSGAR 94 and POSGAR 2007:
// both frames' shifts to WGS 84 chained, 1.5 m. A shift the other way is the same one with its signs
// changed, as PROJ inverts it.
constexpr TTraslado kTraslados[] = {
    {TMarco::Posgar94, TMarco::Inchauspe69, 148, -136, -90, 5, "Inverse of Campo Inchauspe to POSGAR 94 (1)",
     15782},
    {TMarco::Inchauspe69, TMarco::Posgar94, -148, 136, 90, 5, "Campo Inchauspe to POSGAR 94 (1)", 15782},
    {TMarco::Posgar94, TMarco::Posgar2007, 0.41, -0.46, 0.35, 1.5,
     "POSGAR 94 to WGS 84 (1) + Inverse of POSGAR 2007 to WGS 84 (2)", 0},
    {TMarco::Posgar2007, TMarco::Posgar94, -0.41, 0.46, -0.35, 1.5,
     "POSGAR 2007 to WGS 84 (2) + Inverse of POSGAR 94 to WGS 84 (1)", 0},
    {TMarco::Inchauspe69, TMarco::Posgar2007, -148, 136, 90, 5, "Campo Inchauspe to POSGAR 2007 (1)", 5350},
    {TMarco::Posgar2007, TMarco::Inchauspe69, 148, -136, -90, 5,
     "Inverse of Campo Inchauspe to POSGAR 2007 (1)", 5350},
};
}  // namespace

const TTraslado *Traslado(TMarco de, TMarco a) {
    for (const TTraslado &t : kTraslados)
        if (t.De == de && t.A == a) return &t;
    return nullptr;
}

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

TPuntoGeocentrico TrasladarDatum(const TPuntoGeocentrico &p, uint8_t codigoFuente, uint8_t codigoDestino) {
    // Between the first two frames, the shift they always had (kDesplazamientos is what a static
    // initialiser elsewhere can read before TablaConversion is filled).
    if ((codigoFuente == 1 && codigoDestino == 2) || (codigoFuente == 2 && codigoDestino == 1))
        return TrasladarDatum(p, codigoFuente);
    const TTraslado *t = Traslado(static_cast<TMarco>(codigoFuente), static_cast<TMarco>(codigoDestino));
    TPuntoGeocentrico r;
    if (!t) {
        r.X = p.X;
        r.Y = p.Y;
        r.Z = p.Z;
        return r;
    }
    r.X = p.X + t->dX;
    r.Y = p.Y + t->dY;
    r.Z = p.Z + t->dZ;
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
