// OraculoGK: PROJ as the oracle of the window's Gauss-Krüger results (a test-only dependency).
#pragma once
#include <proj.h>

#include <array>
#include <cmath>
#include <string>

// Gauss-Krüger strip `faja` on the WGS 84 ellipsoid (POSGAR 94) by PROJ: X north, Y east in metres.
// Argentine strips count X from the South Pole and carry the strip in Y's millions digit.
class OraculoGK {
  public:
    OraculoGK() : ctx_(proj_context_create()) {}
    ~OraculoGK() {
        for (PJ *p : fajas_)
            if (p) proj_destroy(p);
        proj_context_destroy(ctx_);
    }
    bool Proyectar(int faja, double latGrados, double lonGrados, double &x, double &y) {
        PJ *p = Faja(faja);
        if (!p) return false;
        PJ_COORD c = proj_coord(proj_torad(lonGrados), proj_torad(latGrados), 0, 0);
        PJ_COORD r = proj_trans(p, PJ_FWD, c);
        y = r.xy.x;
        x = r.xy.y;
        return std::isfinite(x) && std::isfinite(y);
    }

  private:
    PJ *Faja(int faja) {
        if (faja < 1 || faja > 7) return nullptr;
        if (!fajas_[faja - 1]) {
            const std::string def = "+proj=tmerc +lat_0=-90 +lon_0=" + std::to_string(-72 + 3 * (faja - 1)) +
                                    " +k=1 +x_0=" + std::to_string(faja * 1000000 + 500000) +
                                    " +y_0=0 +ellps=WGS84 +units=m";
            fajas_[faja - 1] = proj_create(ctx_, def.c_str());
        }
        return fajas_[faja - 1];
    }
    PJ_CONTEXT *ctx_;
    std::array<PJ *, 7> fajas_{};
};
