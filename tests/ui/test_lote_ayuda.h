// Shared by the convert/save window tests: a window whose messages are recorded and answered
// without boxes, grid filling, file reading, and PROJ as the oracle for Gauss-Krüger results.
#pragma once
#include <proj.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "TFConv.h"
#include "grilla_modelo.h"
#include "mensaje.h"
#include "texto_qt.h"

// The answer the recorded presenter gives to a confirmation (OK/Cancel) box.
inline TMensaje::Boton &RespuestaConfirmacion() {
    static TMensaje::Boton r = TMensaje::BotonOk;
    return r;
}

inline std::unique_ptr<TFConv> CrearVentana() {
    FijarPresentadorGlobal([](QWidget *, TMensaje::Tipo tipo, const QString &, TMensaje::Botones) {
        return tipo == TMensaje::Confirmacion ? RespuestaConfirmacion() : TMensaje::BotonOk;
    });
    RespuestaConfirmacion() = TMensaje::BotonOk;
    auto v = std::make_unique<TFConv>();
    v->spSPC->setCurrentWidget(v->TSTransf);
    return v;
}

// Source and destination kinds first (a kind change empties the grid), then the rows: each row
// gives the cells of columns 0 to 4, the rest stay empty.
inline void LlenarGrilla(TFConv &v, int fuente, int destino, uint8_t modoDecimal,
                         const std::vector<std::array<std::string, 5>> &filas) {
    v.cbFuente->setCurrentIndex(fuente);
    v.cbDestino->setCurrentIndex(destino);
    v.ModoDecimal = modoDecimal;
    TModeloGrilla &g = *v.ModeloGrilla;
    g.FijarFilas(2 + static_cast<int>(filas.size()));
    for (std::size_t i = 0; i < filas.size(); ++i)
        for (int c = 0; c < 5; ++c) g.FijarCelda(2 + static_cast<int>(i), c, filas[i][c]);
}

inline std::string Leer(const QString &ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    return f.readAll().toStdString();
}

inline void Escribir(const QString &ruta, const std::string &datos) {
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(datos.data(), static_cast<qint64>(datos.size()));
}

inline QString UltimoMensaje(TFConv &v) {
    return v.spMensaje->Mostrados.empty() ? QString() : v.spMensaje->Mostrados.back().texto;
}

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

// Reads "a.b" with '.' whatever the locale.
inline double Num(const std::string &s) {
    bool ok = false;
    const double v = QString::fromStdString(s).toDouble(&ok);  // QString::toDouble is C-locale
    return ok ? v : std::nan("");
}
