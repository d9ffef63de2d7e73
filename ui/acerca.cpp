// The "Acerca de ..." page. The logo (a globe with its graticule and a point on the Río de la Plata)
// and the banner (the seven Gauss-Krüger strips of Argentina) are drawn with QPainter.
#include "acerca.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>
#include "texto_qt.h"

namespace {

class TLogo : public QWidget {
  public:
    explicit TLogo(QWidget *padre) : QWidget(padre) {
        setObjectName(QStringLiteral("Logo"));
        setFixedSize(92, 92);
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF globo(6, 6, 80, 80);
        QRadialGradient fondo(QPointF(34, 32), 56);
        fondo.setColorAt(0, QColor(190, 225, 250));
        fondo.setColorAt(1, QColor(40, 105, 170));
        p.setBrush(fondo);
        p.setPen(QPen(QColor(20, 60, 110), 2));
        p.drawEllipse(globo);
        // Graticule: meridians as ellipses of shrinking width, parallels as chords.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 150), 1));
        for (int k = 1; k <= 3; ++k) {
            const qreal ancho = 80.0 * k / 4;
            p.drawEllipse(QRectF(46 - ancho / 2, 6, ancho, 80));
        }
        for (int k = -2; k <= 2; ++k) {
            const qreal y = 46 + 15.0 * k;
            const qreal m = std::sqrt(40.0 * 40.0 - (y - 46) * (y - 46));
            p.drawLine(QPointF(46 - m, y), QPointF(46 + m, y));
        }
        // A Gauss-Krüger strip, and the point being converted.
        QPainterPath faja;
        faja.addEllipse(QRectF(36, 6, 20, 80));
        p.fillPath(faja, QColor(255, 255, 255, 70));
        p.setPen(QPen(QColor(200, 30, 30), 1.5));
        p.setBrush(QColor(235, 60, 50));
        p.drawEllipse(QPointF(50, 62), 4, 4);
        p.setPen(QPen(QColor(20, 60, 110), 1.5));
        p.drawLine(QPointF(50, 62), QPointF(50, 54));
        p.drawLine(QPointF(46, 58), QPointF(54, 58));
    }
};

class TBanda : public QWidget {
  public:
    explicit TBanda(QWidget *padre) : QWidget(padre) {
        setObjectName(QStringLiteral("Banda"));
        setFixedHeight(34);
        setMinimumWidth(210);
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        p.fillRect(r, QColor(116, 172, 223));
        p.fillRect(QRectF(r.left(), r.top() + r.height() / 3, r.width(), r.height() / 3), Qt::white);
        // Strips 1 to 7, central meridians 72° W to 54° W, from west to east.
        const qreal ancho = r.width() / 7;
        QFont letra = font();
        letra.setBold(true);
        p.setFont(letra);
        for (int f = 0; f < 7; ++f) {
            const QRectF celda(r.left() + f * ancho, r.top(), ancho, r.height());
            p.setPen(QPen(QColor(30, 70, 120), 1));
            if (f > 0) p.drawLine(celda.topLeft(), celda.bottomLeft());
            p.setPen(QColor(20, 40, 80));
            p.drawText(celda, Qt::AlignCenter, QString::number(f + 1));
        }
        p.setPen(QPen(QColor(30, 70, 120), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
};

QLabel *Texto(QWidget *padre, const char *texto1252, const char *nombre) {
    auto *l = new QLabel(AQString(texto1252), padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setWordWrap(true);
    return l;
}

}  // namespace

void CrearAcercaDe(QWidget *pagina) {
    auto *columna = new QVBoxLayout(pagina);
    columna->setContentsMargins(14, 12, 14, 12);
    columna->setSpacing(8);

    auto *cabecera = new QHBoxLayout;
    cabecera->setSpacing(14);
    cabecera->addWidget(new TLogo(pagina), 0, Qt::AlignTop);
    auto *titulos = new QVBoxLayout;
    QLabel *nombre = Texto(pagina, "Zuvelo II", "lbNombre");
    QFont grande = nombre->font();
    grande.setPointSizeF(grande.pointSizeF() * 2.0);
    grande.setBold(true);
    nombre->setFont(grande);
    titulos->addWidget(nombre);
    titulos->addWidget(Texto(pagina, "Versi\xF3n 3.2", "lbVersion"));
    titulos->addWidget(Texto(pagina,
                             "Conversi\xF3n de coordenadas para la Rep\xFA"
                             "blica Argentina",
                             "lbSubtitulo"));
    titulos->addStretch(1);
    cabecera->addLayout(titulos, 1);
    columna->addLayout(cabecera);

    columna->addWidget(new TBanda(pagina));

    columna->addWidget(Texto(pagina,
                             "Marcos de referencia: POSGAR 94 y POSGAR 2007 (elipsoide WGS 84) y Campo "
                             "Inchauspe 69 (elipsoide Internacional 1924).",
                             "lbCreditos1"));
    columna->addWidget(Texto(pagina,
                             "Proyecciones: Gauss-Kr\xFCger en siete fajas (meridianos centrales de 72\xB0 O "
                             "a 54\xB0 O) y UTM.",
                             "lbCreditos2"));
    columna->addWidget(
        Texto(pagina,
              "Esta versi\xF3n convierte un punto por vez en la pesta\xF1"
              "a Conversi\xF3n y archivos "
              "completos de puntos en la pesta\xF1"
              "a Archivos, con salida en texto delimitado (.DAT) o en "
              "dibujo de intercambio (.DXF). El paso entre marcos usa el traslado de tres par\xE1metros "
              "sobre coordenadas geoc\xE9ntricas que PROJ prefiere entre cada par (exactitud declarada: "
              "5 m con Campo Inchauspe 69, 1.5 m entre POSGAR 94 y POSGAR 2007). Los n\xFAmeros se leen y escriben siempre con punto "
              "decimal, sea cual sea la configuraci\xF3n regional.",
              "lbNotas"));
    columna->addWidget(Texto(pagina,
                             "Mapa: Natural Earth 1:10m (pa\xEDses y provincias), de dominio p\xFA"
                             "blico (naturalearthdata.com).",
                             "lbMapa"));
    columna->addStretch(1);
}
