// TLienzoMapa and TMapa: drawing the "Mapa" tab, its mouse (wheel zoom, drag, click on a point, hover
// tooltip) and its buttons "Ver todo" and "Guardar imagen".
#include "mapa.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include "dialogos_archivo.h"
#include "error_archivo.h"
#include "lineas.h"
#include "mapa_datos.h"
#include "mensaje.h"
#include "texto_error.h"
#include "texto_qt.h"

namespace {

const QColor kMar(0xd6, 0xe6, 0xf2);
const QColor kArgentina(0xf2, 0xe3, 0xbc);
const QColor kVecinos(0xf4, 0xf2, 0xee);
const QColor kCosta(0x3f, 0x74, 0xa3);
const QColor kLimite(0x5a, 0x5a, 0x5a);
const QColor kProvincia(0xa8, 0x98, 0x80);
const QColor kReticula(0x9d, 0xb4, 0xc8);
const QColor kFaja(0x8e, 0x24, 0x8e);
// Points: green converted, red failed (drawn on top), grey not yet converted.
const QColor kColorEstado[3] = {QColor(0x1a, 0x8f, 0x2e), QColor(0xd7, 0x1f, 0x1f), QColor(0x70, 0x70, 0x70)};

// The country's extent, the view when there is nothing else to fit (degrees).
constexpr double kNorte = -21.5, kSur = -55.3, kOeste = -73.8, kEste = -53.4;
constexpr double kRadioPunto = 3;           // px
constexpr double kRadioToque = 6;           // a click or hover this close to a point finds it (px)
constexpr double kEscalaMaxima = 0.2;       // px per metre: 5 m a pixel
constexpr double kExtensionMinima = 50000;  // "Ver todo" on one point shows 50 km around it (m)

QString Grados(double g, bool latitud) {
    const QChar letra = latitud ? (g < 0 ? u'S' : u'N') : (g < 0 ? u'O' : u'E');
    const double a = std::fabs(g);
    const bool entero = std::fabs(a - std::round(a)) < 1e-9;
    return (entero ? QString::number(static_cast<int>(std::round(a))) : QString::number(a, 'f', 1)) +
           QChar(0xB0) + QLatin1Char(' ') + letra;
}

// The first crossing of a screen polyline with the horizontal y (or vertical x) line; false if none.
bool Cruce(const QPolygonF &linea, bool horizontal, double valor, QPointF &donde) {
    for (int k = 1; k < linea.size(); ++k) {
        const QPointF a = linea[k - 1], b = linea[k];
        const double va = horizontal ? a.y() : a.x(), vb = horizontal ? b.y() : b.x();
        if ((va - valor) * (vb - valor) <= 0 && va != vb) {
            const double t = (valor - va) / (vb - va);
            donde = a + (b - a) * t;
            return true;
        }
    }
    return false;
}

}  // namespace

TLienzoMapa::TLienzoMapa(QWidget *padre) : QWidget(padre) {
    setMouseTracking(true);
    setMinimumSize(200, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLienzoMapa::FijarPuntos(std::vector<TPuntoMapa> &&puntos) {
    puntos_ = std::move(puntos);
    resaltado_ = -1;
    update();
}

void TLienzoMapa::FijarMarca(bool hay, double E, double N) {
    hayMarca_ = hay;
    marcaE_ = E;
    marcaN_ = N;
    update();
}

void TLienzoMapa::Resaltar(int indice) {
    resaltado_ = indice >= 0 && indice < static_cast<int>(puntos_.size()) ? indice : -1;
    if (resaltado_ >= 0) {
        const TPuntoMapa &p = puntos_[static_cast<std::size_t>(resaltado_)];
        // Close enough to tell it from its neighbours, never farther out than the view already is.
        const double escala = std::max(escala_, 1.0 / 500);  // at least 500 m a pixel
        FijarVista(p.E, p.N, escala);
    }
    update();
}

void TLienzoMapa::FijarVista(double E, double N, double escala) {
    ajustada_ = false;
    centroE_ = E;
    centroN_ = N;
    // Out to three times the data's frame, in to 5 m a pixel.
    const QRectF marco = ContornoMapa().Marco;
    const double minima =
        marco.isEmpty() ? 1e-6 : std::min(width() / marco.width(), height() / marco.height()) / 3;
    escala_ = std::clamp(escala, minima, kEscalaMaxima);
    update();
}

void TLienzoMapa::VerTodo() {
    double oeste = 0, este = 0, sur = 0, norte = 0;
    if (puntos_.empty()) {
        double E = 0, N = 0;
        ProyectarMapa(kNorte, kOeste, oeste, norte);
        ProyectarMapa(kSur, kEste, este, sur);
        ProyectarMapa(kSur, kOeste, E, N);  // the south-west corner lies farther west in this projection
        oeste = std::min(oeste, E);
        ProyectarMapa(kNorte, kEste, E, N);
        este = std::max(este, E);
    } else {
        oeste = este = puntos_[0].E;
        sur = norte = puntos_[0].N;
        for (const TPuntoMapa &p : puntos_) {
            oeste = std::min(oeste, p.E);
            este = std::max(este, p.E);
            sur = std::min(sur, p.N);
            norte = std::max(norte, p.N);
        }
    }
    // Points that all lie away from the country are shown with it, so that where they went is plain.
    const QRectF pais = ContornoMapa().Argentina.boundingRect();
    bool alguno = puntos_.empty();
    for (std::size_t k = 0; k < puntos_.size() && !alguno; ++k)
        alguno = pais.contains(QPointF(puntos_[k].E, puntos_[k].N));
    if (!alguno && !pais.isEmpty()) {
        oeste = std::min(oeste, pais.left());
        este = std::max(este, pais.right());
        sur = std::min(sur, pais.top());
        norte = std::max(norte, pais.bottom());
    }
    const double ancho = std::max(este - oeste, kExtensionMinima) * 1.1;
    const double alto = std::max(norte - sur, kExtensionMinima) * 1.1;
    const double w = std::max(width(), 1), h = std::max(height(), 1);
    FijarVista((oeste + este) / 2, (sur + norte) / 2, std::min(w / ancho, h / alto));
    ajustada_ = true;
}

QPointF TLienzoMapa::APixel(double E, double N) const {
    return QPointF(width() / 2.0 + (E - centroE_) * escala_, height() / 2.0 - (N - centroN_) * escala_);
}

void TLienzoMapa::AMetros(QPointF pixel, double &E, double &N) const {
    E = centroE_ + (pixel.x() - width() / 2.0) / escala_;
    N = centroN_ - (pixel.y() - height() / 2.0) / escala_;
}

int TLienzoMapa::PuntoEn(QPointF pixel) const {
    int mejor = -1;
    double mejorD2 = kRadioToque * kRadioToque;
    for (std::size_t k = 0; k < puntos_.size(); ++k) {
        const QPointF q = APixel(puntos_[k].E, puntos_[k].N);
        const double dx = q.x() - pixel.x(), dy = q.y() - pixel.y();
        const double d2 = dx * dx + dy * dy;
        // The nearest; on a tie a failed point, drawn on top, wins.
        if (d2 < mejorD2 || (d2 == mejorD2 && mejor >= 0 && puntos_[k].Estado == emFallido)) {
            mejorD2 = d2;
            mejor = static_cast<int>(k);
        }
    }
    return mejor;
}

QImage TLienzoMapa::Imagen() {
    QImage imagen(size(), QImage::Format_RGB32);
    QPainter p(&imagen);
    Dibujar(p);
    return imagen;
}

void TLienzoMapa::resizeEvent(QResizeEvent *) {
    // A view fitted and not moved since is fitted again to the new size (the tab's first showing, a
    // maximised window).
    if (escala_ == 0 || ajustada_) VerTodo();
}

void TLienzoMapa::paintEvent(QPaintEvent *) {
    if (escala_ == 0) VerTodo();
    QPainter p(this);
    if (arrastrando_ && !foto_.isNull()) {
        // While dragging, the map as it was when the drag began, moved with the mouse; drawn whole
        // again when the button is released.
        p.fillRect(rect(), kMar);
        p.drawImage(ultimo_ - inicioArrastre_, foto_);
        return;
    }
    Dibujar(p);
}

void TLienzoMapa::Dibujar(QPainter &p) {
    if (escala_ == 0) VerTodo();
    p.fillRect(rect(), kMar);
    const TContornoMapa &c = ContornoMapa();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setTransform(QTransform(escala_, 0, 0, -escala_, width() / 2.0 - centroE_ * escala_,
                              height() / 2.0 + centroN_ * escala_));
    p.setPen(Qt::NoPen);
    p.setBrush(kVecinos);
    p.drawPath(c.Vecinos);
    p.setBrush(kArgentina);
    p.drawPath(c.Argentina);
    p.setBrush(Qt::NoBrush);
    QPen pluma(kProvincia, 1);
    pluma.setCosmetic(true);
    p.setPen(pluma);
    p.drawPath(c.Provincias);
    pluma.setColor(kLimite);
    pluma.setWidthF(1.4);
    p.setPen(pluma);
    p.drawPath(c.Limites);
    pluma.setColor(kCosta);
    pluma.setWidthF(1);
    p.setPen(pluma);
    p.drawPath(c.Costa);
    p.restore();
    // Labels go on top of the points, so a point at the edge never hides a degree or a strip.
    std::vector<TEtiqueta> etiquetas;
    DibujarReticula(p, etiquetas);
    DibujarFajas(p, etiquetas);
    DibujarPuntos(p);
    for (const TEtiqueta &e : etiquetas) {
        p.fillRect(e.Caja, QColor(255, 255, 255, 210));
        p.setFont(e.Letra);
        p.setPen(e.Color);
        p.drawText(e.Caja, Qt::AlignCenter, e.Texto);
    }
    p.setFont(font());
    DibujarEscala(p);
    if (!c.Error.isEmpty()) {
        p.setPen(Qt::black);
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter,
                   QStringLiteral("Sin contorno del pa\u00EDs: ") + c.Error);
    }
}

QPolygonF TLienzoMapa::Linea(double lat0, double lon0, double lat1, double lon1) const {
    QPolygonF linea;
    const int pasos = 140;
    for (int k = 0; k <= pasos; ++k) {
        const double t = static_cast<double>(k) / pasos;
        double E = 0, N = 0;
        ProyectarMapa(lat0 + (lat1 - lat0) * t, lon0 + (lon1 - lon0) * t, E, N);
        linea.append(APixel(E, N));
    }
    return linea;
}

void TLienzoMapa::DibujarReticula(QPainter &p, std::vector<TEtiqueta> &etiquetas) {
    // The step whose lines lie at least 70 px apart: 1 deg is about 111 km.
    const double pxPorGrado = 111000.0 * escala_;
    double paso = 10;
    for (double candidato : {0.1, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0})
        if (candidato * pxPorGrado >= 70) {
            paso = candidato;
            break;
        }
    // The graticule as far as the view may be taken, within 35 deg of the central meridian where the
    // series still draw a true shape.
    const double latSur = -75, latNorte = -5, lonOeste = -98, lonEste = -28;
    QPen pluma(kReticula, 1, Qt::SolidLine);
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont letra = font();
    letra.setPointSizeF(std::max(7.0, letra.pointSizeF() - 1));
    p.setFont(letra);
    const QFontMetrics medida(letra);
    const auto dibujarEtiqueta = [&](const QString &texto, QPointF donde, Qt::Alignment alineacion) {
        QRectF caja(0, 0, medida.horizontalAdvance(texto) + 6, medida.height() + 2);
        if (alineacion & Qt::AlignBottom)
            caja.moveBottom(donde.y() - 2);
        else
            caja.moveTop(donde.y() + 2);
        caja.moveCenter(QPointF(donde.x(), caja.center().y()));
        if (alineacion & Qt::AlignLeft) caja.moveLeft(donde.x() + 2);
        etiquetas.push_back({texto, caja, letra, QColor(0x30, 0x4a, 0x60)});
    };
    const int n0 = static_cast<int>(std::ceil(lonOeste / paso)),
              n1 = static_cast<int>(std::floor(lonEste / paso));
    double libreDesde = 0;  // meridians converge: a label that would touch the one before is left out
    for (int k = n0; k <= n1; ++k) {
        const double lon = k * paso;
        const QPolygonF linea = Linea(latSur, lon, latNorte, lon);
        p.setPen(pluma);
        p.drawPolyline(linea);
        QPointF donde;
        const QString texto = Grados(lon, false);
        const double mitad = medida.horizontalAdvance(texto) / 2.0 + 6;
        if (Cruce(linea, true, height() - 1.0, donde) && donde.x() > 20 && donde.x() < width() - 20 &&
            donde.x() - mitad >= libreDesde) {
            dibujarEtiqueta(texto, donde, Qt::AlignBottom);
            libreDesde = donde.x() + mitad;
        }
    }
    const int m0 = static_cast<int>(std::ceil(latSur / paso)),
              m1 = static_cast<int>(std::floor(latNorte / paso));
    for (int k = m0; k <= m1; ++k) {
        const double lat = k * paso;
        const QPolygonF linea = Linea(lat, lonOeste, lat, lonEste);
        p.setPen(pluma);
        p.drawPolyline(linea);
        QPointF donde;
        if (Cruce(linea, false, 0.0, donde) && donde.y() > 30 && donde.y() < height() - 30)
            dibujarEtiqueta(Grados(lat, true), donde - QPointF(0, medida.height() / 2.0 + 2),
                            Qt::AlignLeft | Qt::AlignTop);
    }
}

void TLienzoMapa::DibujarFajas(QPainter &p, std::vector<TEtiqueta> &etiquetas) {
    // Strip borders every 3 deg from 73.5 deg W to 52.5 deg W; strip n has its central meridian at
    // 75 - 3n deg W.
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen borde(kFaja, 1.6, Qt::DashLine);
    QPen central(kFaja, 1, Qt::DotLine);
    QFont letra = font();
    letra.setBold(true);
    p.setFont(letra);
    const QFontMetrics medida(letra);
    for (int k = 0; k <= 7; ++k) {
        p.setPen(borde);
        p.drawPolyline(Linea(-62, -73.5 + 3 * k, -12, -73.5 + 3 * k));
    }
    // Where each central meridian meets the top edge; labels on two lines ("Faja 1", "72° W"), or the
    // strip's number alone when the strips lie too close together for them.
    QPointF arriba[8];
    bool hay[8] = {};
    for (int faja = 1; faja <= 7; ++faja) {
        const double meridiano = -75 + 3 * faja;
        const QPolygonF linea = Linea(-62, meridiano, -12, meridiano);
        p.setPen(central);
        p.drawPolyline(linea);
        hay[faja] = Cruce(linea, true, 4.0, arriba[faja]);
    }
    const double anchoLargo = medida.horizontalAdvance(QStringLiteral("Faja 7")) + 8;
    bool corto = false;
    for (int faja = 2; faja <= 7; ++faja)
        if (hay[faja] && hay[faja - 1] && std::fabs(arriba[faja].x() - arriba[faja - 1].x()) < anchoLargo + 4)
            corto = true;
    for (int faja = 1; faja <= 7; ++faja) {
        if (!hay[faja] || arriba[faja].x() < 0 || arriba[faja].x() > width()) continue;
        const QString texto = corto ? QString::number(faja)
                                    : QStringLiteral("Faja %1\n%2\u00B0 O").arg(faja).arg(75 - 3 * faja);
        QRectF caja(0, 4, corto ? medida.horizontalAdvance(texto) + 6 : anchoLargo,
                    (corto ? 1 : 2) * medida.height() + 2);
        caja.moveCenter(QPointF(arriba[faja].x(), caja.center().y()));
        etiquetas.push_back({texto, caja, letra, kFaja});
    }
    p.setFont(font());
}

void TLienzoMapa::DibujarEscala(QPainter &p) {
    // The ground length of the bar at the view's centre: display metres over the projection's scale.
    const double k = EscalaMapa(centroE_);
    const double metrosPorPixel = 1.0 / (escala_ / k);
    const double objetivo = 120 * metrosPorPixel;
    double largo = 1;
    for (double decada = 1; decada <= 1e7; decada *= 10)
        for (double m : {1.0, 2.0, 5.0})
            if (m * decada <= objetivo) largo = m * decada;
    const double px = largo / metrosPorPixel;
    const QString texto =
        largo >= 1000 ? QStringLiteral("%1 km").arg(largo / 1000) : QStringLiteral("%1 m").arg(largo);
    const QFontMetrics medida(font());
    const double x1 = width() - 16, x0 = x1 - px, y = height() - 28;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(x0 - 6, y - medida.height() - 6, px + 12, medida.height() + 16),
               QColor(255, 255, 255, 210));
    p.setPen(QPen(Qt::black, 1));
    p.fillRect(QRectF(x0, y, px / 2, 5), Qt::black);
    p.drawRect(QRectF(x0, y, px, 5));
    p.drawText(QRectF(x0, y - medida.height() - 3, px, medida.height()), Qt::AlignCenter, texto);
}

void TLienzoMapa::DibujarPuntos(QPainter &p) {
    // One mark per screen pixel and state: a million points cost one pass over them and at most one
    // mark per pixel; failed points are drawn last so that none hides under a converted one.
    const int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    std::vector<uint8_t> marcas(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    const double ox = w / 2.0 - centroE_ * escala_, oy = h / 2.0 + centroN_ * escala_;
    for (const TPuntoMapa &q : puntos_) {
        const double x = ox + q.E * escala_, y = oy - q.N * escala_;
        if (!(x >= 0 && y >= 0 && x < w && y < h)) continue;
        marcas[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] |=
            static_cast<uint8_t>(1u << q.Estado);
    }
    // Each state's mark drawn once as a small picture and stamped where marked.
    static const std::array<QPixmap, 3> kMarcas = [] {
        std::array<QPixmap, 3> marcas;
        for (int estado = 0; estado < 3; ++estado) {
            const int lado = 2 * static_cast<int>(kRadioPunto) + 3;
            QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
            imagen.fill(Qt::transparent);
            QPainter q(&imagen);
            q.setRenderHint(QPainter::Antialiasing, true);
            q.setPen(QPen(Qt::white, 1));
            q.setBrush(kColorEstado[estado]);
            q.drawEllipse(QPointF(lado / 2.0, lado / 2.0), kRadioPunto, kRadioPunto);
            marcas[static_cast<std::size_t>(estado)] = QPixmap::fromImage(imagen);
        }
        return marcas;
    }();
    std::vector<QPainter::PixmapFragment> sellos;
    for (int estado : {emSinConvertir, emConvertido, emFallido}) {
        const uint8_t bit = static_cast<uint8_t>(1u << estado);
        const QPixmap &marca = kMarcas[static_cast<std::size_t>(estado)];
        sellos.clear();
        for (int y = 0; y < h; ++y) {
            const uint8_t *fila = marcas.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
            for (int x = 0; x < w; ++x)
                if (fila[x] & bit)
                    sellos.push_back(
                        QPainter::PixmapFragment::create(QPointF(x + 0.5, y + 0.5), QRectF(marca.rect())));
        }
        if (!sellos.empty()) p.drawPixmapFragments(sellos.data(), static_cast<int>(sellos.size()), marca);
    }
    if (resaltado_ >= 0) {
        const TPuntoMapa &q = puntos_[static_cast<std::size_t>(resaltado_)];
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(APixel(q.E, q.N), 9, 9);
    }
    if (hayMarca_) {
        // The "Conversión" point: a blue cross in a ring.
        const QPointF c = APixel(marcaE_, marcaN_);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255), 4));
        p.drawEllipse(c, 8, 8);
        p.setPen(QPen(QColor(0x10, 0x3c, 0xc0), 2));
        p.drawEllipse(c, 8, 8);
        p.drawLine(c - QPointF(12, 0), c + QPointF(12, 0));
        p.drawLine(c - QPointF(0, 12), c + QPointF(0, 12));
    }
}

void TLienzoMapa::wheelEvent(QWheelEvent *evento) {
    const double pasos = evento->angleDelta().y() / 120.0;
    if (pasos == 0) return;
    // The ground under the cursor stays under it.
    double E = 0, N = 0;
    const QPointF cursor = evento->position();
    AMetros(cursor, E, N);
    const double escala = escala_ * std::pow(1.25, pasos);
    FijarVista(centroE_, centroN_, escala);
    centroE_ = E - (cursor.x() - width() / 2.0) / escala_;
    centroN_ = N + (cursor.y() - height() / 2.0) / escala_;
    update();
    evento->accept();
}

void TLienzoMapa::mousePressEvent(QMouseEvent *evento) {
    if (evento->button() != Qt::LeftButton) return;
    arrastrando_ = true;
    inicioArrastre_ = ultimo_ = evento->position().toPoint();
    foto_ = Imagen();
    setCursor(Qt::ClosedHandCursor);
}

void TLienzoMapa::mouseMoveEvent(QMouseEvent *evento) {
    if (!arrastrando_) return;
    const QPoint ahora = evento->position().toPoint();
    ajustada_ = false;
    centroE_ -= (ahora.x() - ultimo_.x()) / escala_;
    centroN_ += (ahora.y() - ultimo_.y()) / escala_;
    ultimo_ = ahora;
    update();
}

void TLienzoMapa::mouseReleaseEvent(QMouseEvent *evento) {
    if (evento->button() != Qt::LeftButton || !arrastrando_) return;
    arrastrando_ = false;
    foto_ = QImage();
    unsetCursor();
    update();
    // Hardly moved: a click, which picks the point under it.
    if ((evento->position().toPoint() - inicioArrastre_).manhattanLength() > 3) return;
    const int k = PuntoEn(evento->position());
    if (k < 0) return;
    resaltado_ = k;
    update();
    if (puntos_[static_cast<std::size_t>(k)].Fila >= 0)
        emit PuntoElegido(puntos_[static_cast<std::size_t>(k)].Fila);
}

bool TLienzoMapa::event(QEvent *evento) {
    if (evento->type() == QEvent::ToolTip) {
        const auto *ayuda = static_cast<QHelpEvent *>(evento);
        const int k = PuntoEn(ayuda->pos());
        if (k >= 0 && TextoPunto)
            QToolTip::showText(ayuda->globalPos(), TextoPunto(puntos_[static_cast<std::size_t>(k)]), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(evento);
}

// ---- TMapa -----------------------------------------------------------------------------------------

TMapa::TMapa(TMensaje *mensaje, QWidget *padre) : QWidget(padre), mensaje_(mensaje) {
    Lienzo = new TLienzoMapa(this);
    Lienzo->setObjectName(QStringLiteral("Lienzo"));
    VerTodo = new QPushButton(QStringLiteral("Ver todo"), this);
    VerTodo->setObjectName(QStringLiteral("VerTodo"));
    GuardarImagen = new QPushButton(QStringLiteral("Guardar imagen"), this);
    GuardarImagen->setObjectName(QStringLiteral("GuardarImagen"));
    Leyenda = new QLabel(this);
    Leyenda->setObjectName(QStringLiteral("Leyenda"));
    Leyenda->setTextFormat(Qt::RichText);
    DialogoImagen = new TDialogoImagen(this);
    DialogoImagen->setObjectName(QStringLiteral("DialogoImagen"));

    auto *barra = new QHBoxLayout;
    barra->setContentsMargins(0, 0, 0, 0);
    barra->addWidget(VerTodo);
    barra->addWidget(GuardarImagen);
    barra->addSpacing(8);
    barra->addWidget(Leyenda, 1);
    auto *marco = new QVBoxLayout(this);
    marco->setContentsMargins(4, 4, 4, 4);
    marco->setSpacing(4);
    marco->addLayout(barra);
    marco->addWidget(Lienzo, 1);

    connect(VerTodo, &QPushButton::clicked, this, &TMapa::VerTodoClick);
    connect(GuardarImagen, &QPushButton::clicked, this, &TMapa::GuardarImagenClick);
    FijarPuntos({}, 0, false);
}

TMapa::~TMapa() = default;

void TMapa::FijarPuntos(std::vector<TPuntoMapa> &&puntos, int64_t sinLugar, bool archivoCompleto) {
    int64_t cuenta[3] = {0, 0, 0};
    for (const TPuntoMapa &p : puntos) ++cuenta[p.Estado];
    const auto muestra = [](int estado) {
        return QStringLiteral("<span style=\"color:%1\">\u25CF</span>").arg(kColorEstado[estado].name());
    };
    QStringList partes;
    partes << muestra(emConvertido) + QStringLiteral(" convertidos: %1").arg(cuenta[emConvertido])
           << muestra(emFallido) + QStringLiteral(" con error: %1").arg(cuenta[emFallido]);
    if (cuenta[emSinConvertir] > 0)
        partes << muestra(emSinConvertir) + QStringLiteral(" sin convertir: %1").arg(cuenta[emSinConvertir]);
    if (sinLugar > 0) partes << QStringLiteral("sin lugar en el mapa: %1").arg(sinLugar);
    if (archivoCompleto) partes << QStringLiteral("(archivo completo)");
    Leyenda->setText(partes.join(QStringLiteral("&nbsp;&nbsp; ")));
    Lienzo->FijarPuntos(std::move(puntos));
}

bool TMapa::MostrarFila(int fila) {
    const std::vector<TPuntoMapa> &puntos = Lienzo->Puntos();
    for (std::size_t k = 0; k < puntos.size(); ++k)
        if (puntos[k].Fila == fila) {
            Lienzo->Resaltar(static_cast<int>(k));
            return true;
        }
    Lienzo->Resaltar(-1);
    return false;
}

void TMapa::VerTodoClick() {
    Lienzo->VerTodo();
}

void TMapa::GuardarImagenClick() {
    if (!DialogoImagen->Execute(this)) return;
    QString nombre = DialogoImagen->FileName;
    if (!nombre.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) nombre += QStringLiteral(".png");
    GuardarPNG(nombre);
}

bool TMapa::GuardarPNG(const QString &nombre) {
    QByteArray png;
    QBuffer memoria(&png);
    memoria.open(QIODevice::WriteOnly);
    if (!Lienzo->Imagen().save(&memoria, "PNG")) {
        mensaje_->Mostrar(TMensaje::Error, QStringLiteral("No se pudo componer la imagen del mapa."));
        return false;
    }
    // Through a temporary file beside the target, renamed into place only when complete.
    try {
        TArchivoSeguro archivo(RutaLocal(nombre));
        archivo.Escribir(std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
        archivo.Confirmar();
    } catch (const std::exception &e) {
        mensaje_->Mostrar(TMensaje::Error, AQString("No se guard\xF3 la imagen.\n" + TextoError(e)));
        return false;
    }
    return true;
}
