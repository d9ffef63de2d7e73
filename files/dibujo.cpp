// TDibujoPuntos: the points of a drawing kept in a scratch file and written through TDXFOut.
#include "dibujo.h"

#include <algorithm>
#include <cerrno>

#include "error_archivo.h"
#include "motivo.h"
#include "numeros.h"
#include "uDXF.h"

TLimitesDibujo LimitesDibujo(const TExtension &e) {
    TLimitesDibujo l;
    l.AlturaTexto = kAlturaTextoMinima;
    if (e.Vacia()) return l;
    l.MaxX = e.MaxN - e.MinN;
    l.MaxY = e.MaxE - e.MinE;
    l.AlturaTexto = std::max(l.MaxY * 0.001L, kAlturaTextoMinima);
    return l;
}

TDibujoPuntos::TDibujoPuntos() {
    f_ = std::tmpfile();
    if (!f_) throw EArchivo(TOperacion::Temporal, P_tmpdir, errno);
}

TDibujoPuntos::~TDibujoPuntos() {
    std::fclose(f_);
}

void TDibujoPuntos::Agregar(std::string_view etiqueta, long double n, long double e, long double h) {
    const uint16_t largo = static_cast<uint16_t>(std::min<std::size_t>(etiqueta.size(), 255));
    Poner(&e, sizeof e);
    Poner(&n, sizeof n);
    Poner(&h, sizeof h);
    Poner(&largo, sizeof largo);
    Poner(etiqueta.data(), largo);
    extension_.Ampliar(n, e);
    ++cantidad_;
}

void TDibujoPuntos::Agregar(std::string_view etiqueta, const std::string &norte, const std::string &este,
                            const std::string &altura) {
    long double n, e, h;
    for (const std::string *t : {&norte, &este, &altura}) {
        long double v;
        if (!LeerReal(*t, v)) {
            TMotivo m;
            m.Codigo = TCodigoMotivo::NoNumero;
            m.Valor = *t;
            throw EMotivo(std::move(m));
        }
    }
    LeerReal(norte, n);
    LeerReal(este, e);
    LeerReal(altura, h);
    Agregar(etiqueta, n, e, h);
}

void TDibujoPuntos::Escribir(const TLimitesDibujo &limites,
                             const std::function<void(std::string_view)> &sumidero) {
    TDXFOut dxf(3, 0, 0, limites.MaxX, limites.MaxY, limites.AlturaTexto);
    std::string bloque;
    const auto vaciar = [&] {
        bloque.clear();
        for (const std::string &l : dxf.Lines) {
            bloque += l;
            bloque += "\r\n";
        }
        sumidero(bloque);
        dxf.Lines.clear();
    };
    dxf.WriteHeader();
    std::rewind(f_);
    std::string etiqueta;
    for (int64_t i = 0; i < cantidad_; ++i) {
        long double e, n, h;
        uint16_t largo = 0;
        Tomar(&e, sizeof e);
        Tomar(&n, sizeof n);
        Tomar(&h, sizeof h);
        Tomar(&largo, sizeof largo);
        etiqueta.resize(largo);
        Tomar(etiqueta.data(), largo);
        // The label stands 10 units above its point, at the drawing's text height.
        dxf.AddPoint(e, n, h);
        dxf.AddText(etiqueta, e, n + 10, h, 0, 0);
        if (dxf.Lines.size() >= 26 * 1024) vaciar();
    }
    dxf.WriteFooter();
    vaciar();
    std::fseek(f_, 0, SEEK_END);
}

void TDibujoPuntos::Poner(const void *p, std::size_t n) {
    if (n && std::fwrite(p, 1, n, f_) != n)
        throw EArchivo(TOperacion::Temporal, P_tmpdir, errno ? errno : EIO);
}

void TDibujoPuntos::Tomar(void *p, std::size_t n) {
    if (n && std::fread(p, 1, n, f_) != n)
        throw EArchivo(TOperacion::Temporal, P_tmpdir, errno ? errno : EIO);
}
