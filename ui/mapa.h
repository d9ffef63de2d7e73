// TMapa: the "Mapa" tab. Argentina with its provinces and neighbours, the Gauss-Krueger strips, a
// graticule and a scale bar, and the points of the "Archivos" grid (or of the whole large file) where
// their source values place them; TLienzoMapa is the drawing, TMapa adds its buttons and legend.
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>
#include "mapa_puntos.h"

class QLabel;
class QPushButton;
class TDialogoImagen;
class TMensaje;

class TLienzoMapa : public QWidget {
    Q_OBJECT
  public:
    explicit TLienzoMapa(QWidget *padre = nullptr);

    void FijarPuntos(std::vector<TPuntoMapa> &&puntos);
    const std::vector<TPuntoMapa> &Puntos() const { return puntos_; }
    // The point of the "Conversión" tab (display metres), or none.
    void FijarMarca(bool hay, double E = 0, double N = 0);
    // Rings the point of this index (-1: none) and centres the view on it.
    void Resaltar(int indice);
    int Resaltado() const { return resaltado_; }

    // The view: display metres at the centre and pixels per metre.
    void FijarVista(double E, double N, double escala);
    // Fits the points (Argentina when there are none) with a margin.
    void VerTodo();
    // Pixel of display metres and back, in this widget's coordinates.
    QPointF APixel(double E, double N) const;
    void AMetros(QPointF pixel, double &E, double &N) const;
    // The point nearest to a pixel within a few pixels; -1 when none.
    int PuntoEn(QPointF pixel) const;

    // The tooltip of a point (set by the window, which knows the grid).
    std::function<QString(const TPuntoMapa &)> TextoPunto;

    // The whole map as an image of the widget's size.
    QImage Imagen();

  signals:
    void PuntoElegido(int fila);  // a click on a point of the grid

  protected:
    void paintEvent(QPaintEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void wheelEvent(QWheelEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void mouseMoveEvent(QMouseEvent *evento) override;
    void mouseReleaseEvent(QMouseEvent *evento) override;
    bool event(QEvent *evento) override;

  private:
    void Dibujar(QPainter &p);
    struct TEtiqueta {
        QString Texto;
        QRectF Caja;
        QFont Letra;
        QColor Color;
    };
    void DibujarReticula(QPainter &p, std::vector<TEtiqueta> &etiquetas);
    void DibujarFajas(QPainter &p, std::vector<TEtiqueta> &etiquetas);
    void DibujarEscala(QPainter &p);
    void DibujarPuntos(QPainter &p);
    QPolygonF Linea(double lat0, double lon0, double lat1, double lon1) const;  // sampled geodesic grid line

    std::vector<TPuntoMapa> puntos_;
    bool hayMarca_ = false;
    double marcaE_ = 0, marcaN_ = 0;
    int resaltado_ = -1;
    double centroE_ = 0, centroN_ = 0, escala_ = 0;  // escala_ 0: not yet fitted
    bool ajustada_ = false;                          // fitted by VerTodo and not moved since
    bool arrastrando_ = false;
    QImage foto_;  // the map when the drag began
    QPoint inicioArrastre_, ultimo_;
};

class TMapa : public QWidget {
    Q_OBJECT
  public:
    TMapa(TMensaje *mensaje, QWidget *padre = nullptr);
    ~TMapa() override;

    TLienzoMapa *Lienzo = nullptr;
    QPushButton *VerTodo = nullptr;        // "Ver todo"
    QPushButton *GuardarImagen = nullptr;  // "Guardar imagen"
    QLabel *Leyenda = nullptr;
    TDialogoImagen *DialogoImagen = nullptr;  // "Guardar Imagen"; tests give it the next name

    // The points and how many could not be placed (a value the point rule refuses, no place on the map).
    void FijarPuntos(std::vector<TPuntoMapa> &&puntos, int64_t sinLugar, bool archivoCompleto);
    // Shows the point of grid row `fila`; false when that row has no point on the map.
    bool MostrarFila(int fila);
    // Writes the map as PNG; false with the reason shown when it could not.
    bool GuardarPNG(const QString &nombre);

  private:
    void VerTodoClick();
    void GuardarImagenClick();
    TMensaje *mensaje_;
};
