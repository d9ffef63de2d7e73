// The "Mapa" tab inside the window: its points taken from the "Archivos" grid (or from the whole large
// file once the background run converted it) and from the "Conversión" tab, their tooltips, and the
// links between a point on the map and its grid row.
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <array>
#include <future>
#include <memory>

#include "archivos.h"
#include "borde.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "grilla_vista.h"
#include "lote.h"
#include "mapa.h"
#include "mensaje.h"
#include "segmentos.h"
#include "tareas.h"
#include "texto_error.h"
#include "texto_qt.h"
#include "ventana.h"

void TFConv::CrearMapa() {
    Mapa = new TMapa(spMensaje);
    Mapa->setObjectName(QStringLiteral("Mapa"));
    spSPC->insertTab(spSPC->indexOf(TSTransf) + 1, Mapa, QStringLiteral("Mapa"));
    Mapa->Lienzo->TextoPunto = [this](const TPuntoMapa &p) { return TextoPuntoMapa(p); };

    const auto puntosViejos = [this] { MapaViejo(true); };
    connect(ModeloGrilla, &QAbstractItemModel::modelReset, this, puntosViejos);
    connect(ModeloGrilla, &QAbstractItemModel::dataChanged, this, [this] { MapaViejo(false); });
    connect(ModeloGrilla, &QAbstractItemModel::rowsInserted, this, puntosViejos);
    connect(ModeloGrilla, &QAbstractItemModel::rowsRemoved, this, puntosViejos);
    connect(cbFuente, &QComboBox::currentIndexChanged, this, puntosViejos);
    connect(BotonesFuente, &QButtonGroup::idClicked, this, puntosViejos);
    connect(GrupoTareas, &TGrupoTareas::Fin, this, puntosViejos);
    for (QLineEdit *campo : {Elat, ELon})
        connect(campo, &QLineEdit::textChanged, this, [this] {
            marcaVieja_ = true;
            if (spSPC->currentWidget() == Mapa) ActualizarMapa();
        });
    Conectar(spSPC, &QTabWidget::currentChanged, this, &TFConv::spSPCChange);
    Conectar(Mapa->Lienzo, &TLienzoMapa::PuntoElegido, this, &TFConv::MapaPuntoElegido);
    Conectar(Grilla->Columna(), &QAbstractItemView::doubleClicked, this, &TFConv::GrillaPuntoDobleClick);
}

void TFConv::spSPCChange() {
    if (spSPC->currentWidget() == Mapa) ActualizarMapa();
}

void TFConv::MapaViejo(bool ajustar) {
    puntosViejos_ = true;
    ajustarMapa_ = ajustarMapa_ || ajustar;
    // Read once the command that changed the grid has ended (the convert command sets what the results
    // are of after filling the rows), and once for a run of changes.
    if (spSPC->currentWidget() == Mapa && !mapaPedido_) {
        mapaPedido_ = true;
        QTimer::singleShot(0, this, [this] {
            mapaPedido_ = false;
            if (spSPC->currentWidget() == Mapa) AlBorde(*spMensaje, [this] { ActualizarMapa(); });
        });
    }
}

bool TFConv::LoteCompleto() const {
    if (archivos_.ArchivoGrande != 1 || archivos_.Convertido != 1 || baseLote_.empty()) return false;
    if (GrupoTareas->Corriendo() > 0 || archivos_.BaseSegmento != baseLote_) return false;
    for (int k = 0; k < kSegmentos; ++k)
        if (!segmentoCompleto_[k] || !falloSegmento_[k].empty()) return false;
    return true;
}

void TFConv::ActualizarMapa() {
    if (marcaVieja_) {
        // The point of "Conversión" as its POSGAR 94 geographic fields hold it, read by the point rule.
        TPuntoLeido punto;
        punto.Coord1 = DeQString(Elat->text());
        punto.Coord2 = DeQString(ELon->text());
        TUbicador ubicador(TTipoArchivo::Geografico, TMarco::Posgar94);
        double lat = 0, lon = 0, E = 0, N = 0;
        TMotivo motivo;
        const bool hay =
            !punto.Coord1.empty() && !punto.Coord2.empty() && ubicador.Ubicar(punto, lat, lon, motivo);
        if (hay) ProyectarMapa(lat, lon, E, N);
        Mapa->Lienzo->FijarMarca(hay, E, N);
        marcaVieja_ = false;
    }
    if (!puntosViejos_) return;
    puntosViejos_ = false;
    std::vector<TPuntoMapa> puntos;
    int64_t sinLugar = 0;
    const bool completo = LoteCompleto();
    if (completo)
        PuntosDelLote(puntos, sinLugar);
    else
        PuntosDeLaGrilla(puntos, sinLugar);
    // A new set of places is fitted; the same places with new states (a convert command) keep the view.
    const std::vector<TPuntoMapa> &antes = Mapa->Lienzo->Puntos();
    bool mismos = antes.size() == puntos.size();
    for (std::size_t k = 0; mismos && k < puntos.size(); ++k)
        mismos = antes[k].E == puntos[k].E && antes[k].N == puntos[k].N;
    Mapa->FijarPuntos(std::move(puntos), sinLugar, completo);
    if (ajustarMapa_ && !mismos) Mapa->Lienzo->VerTodo();
    ajustarMapa_ = false;
}

// The grid's points from their source values: the kinds of the last convert command when the results
// beside them are of that command, else the selectors as they stand.
void TFConv::PuntosDeLaGrilla(std::vector<TPuntoMapa> &puntos, int64_t &sinLugar) {
    const TModeloGrilla &g = *ModeloGrilla;
    const bool convertido = archivos_.Convertido == 1;
    const TTipoArchivo fuente = convertido ? archivos_.AjustesConvertidos.Fuente : TipoFuente();
    const TMarco marco = convertido ? archivos_.AjustesConvertidos.MarcoFuente : MarcoFuente();
    TUbicador ubicador(fuente, marco);
    TPuntoVista p;
    p.EnDecimal = archivos_.Lectura.ModoDecimal;
    TMotivo motivo;
    double lat = 0, lon = 0;
    puntos.reserve(static_cast<std::size_t>(g.Filas()));
    for (int fila = TModeloGrilla::kFilasTitulo; fila < g.Filas(); ++fila) {
        if (g.Celda(fila, 1).empty()) continue;
        p.Coord1 = g.Celda(fila, 1);
        p.Coord2 = g.Celda(fila, 2);
        p.Coord3 = g.Celda(fila, 3);
        p.Zona = g.Celda(fila, 4);
        if (!ubicador.Ubicar(p, lat, lon, motivo)) {
            ++sinLugar;
            continue;
        }
        TPuntoMapa m;
        ProyectarMapa(lat, lon, m.E, m.N);
        m.Fila = fila;
        m.Linea = std::max<int64_t>(archivos_.Lectura.LineaInicio, 1) + fila - TModeloGrilla::kFilasTitulo;
        m.Estado = !g.Fallo(fila).empty()                    ? emFallido
                   : convertido && !g.Celda(fila, 5).empty() ? emConvertido
                                                             : emSinConvertir;
        puntos.push_back(m);
    }
}

// Every point of a large file, from its input segments, converted as the background run converted
// them; those within the grid's lines keep their row. Four threads take the segments in turn, each with
// a conversion object of its own; the points keep the file's order.
void TFConv::PuntosDelLote(std::vector<TPuntoMapa> &puntos, int64_t &sinLugar) {
    const TEstado::TAjustes a = archivos_.AjustesConvertidos;
    const std::shared_ptr<const TOpcionesLectura> opc = opcLote_;
    const std::string base = baseLote_;
    std::array<std::vector<TPuntoMapa>, kSegmentos> porSegmento;
    std::array<int64_t, kSegmentos> sinLugarSegmento{};
    std::vector<std::future<void>> hilos;
    for (int h = 0; h < 4; ++h)
        hilos.push_back(std::async(std::launch::async, [&, h] {
            TCoordenadas c;
            ConfigurarCoordenadas(c, a.MarcoFuente, a.MarcoDestino, a.Fuente, a.Destino);
            for (int k = h; k < kSegmentos; k += 4)
                PuntosDelSegmento(SegmentoEntrada(base, k), *opc, c, porSegmento[k], sinLugarSegmento[k]);
        }));
    for (std::future<void> &h : hilos) h.wait();
    for (std::future<void> &h : hilos) h.get();  // the first error, if any, after all have ended
    const int64_t filasGrilla = ModeloGrilla->Filas() - TModeloGrilla::kFilasTitulo;
    const int64_t primera = std::max<int64_t>(archivos_.Lectura.LineaInicio, 1);
    std::size_t total = 0;
    for (const auto &v : porSegmento) total += v.size();
    puntos.reserve(total);
    for (int k = 0; k < kSegmentos; ++k) {
        sinLugar += sinLugarSegmento[k];
        for (TPuntoMapa m : porSegmento[k]) {
            m.Linea = LineaEnArchivo(k, m.Linea, archivos_.Lectura.LineaInicio, archivos_.TotalLineas);
            const int64_t dato = m.Linea - primera;  // data line from 0: grid row dato + 2
            if (dato >= 0 && dato < filasGrilla)
                m.Fila = static_cast<int32_t>(dato + TModeloGrilla::kFilasTitulo);
            puntos.push_back(m);
        }
        porSegmento[k] = {};
    }
}

QString TFConv::TextoPuntoMapa(const TPuntoMapa &p) const {
    const TModeloGrilla &g = *ModeloGrilla;
    std::string texto;
    if (p.Fila < 0) {
        // A point of the whole file beyond the grid: its line and state.
        texto = "L\xEDnea " + std::to_string(p.Linea) + " del archivo\n" +
                (p.Estado == emConvertido ? "Convertido" : "No se pudo convertir");
        return AQString(texto);
    }
    const auto titulo = [&](int col) { return std::string(SinNegrita(g.Celda(1, col))); };
    texto = "Punto " + std::string(SinNegrita(g.Celda(p.Fila, 0)));
    for (int col = 1; col <= 4; ++col)
        if (!g.Celda(p.Fila, col).empty()) texto += "\n" + titulo(col) + ": " + g.Celda(p.Fila, col);
    if (!g.Fallo(p.Fila).empty()) {
        texto += "\nError: " + g.Fallo(p.Fila);
    } else if (p.Estado == emConvertido) {
        texto += "\n\x96\x96";  // en dashes between the source and the results
        for (int col = 5; col <= 8; ++col)
            if (!g.Celda(p.Fila, col).empty()) texto += "\n" + titulo(col) + ": " + g.Celda(p.Fila, col);
    } else {
        texto += "\nSin convertir";
    }
    return AQString(texto);
}

void TFConv::MapaPuntoElegido(int fila) {
    if (fila < TModeloGrilla::kFilasTitulo || fila >= ModeloGrilla->Filas()) return;
    Grilla->selectRow(fila);
    Grilla->scrollTo(ModeloGrilla->index(fila, 1));
    Msg->setText(
        AQString("Punto " + std::string(SinNegrita(ModeloGrilla->Celda(fila, 0))) + " elegido en la grilla"));
}

void TFConv::GrillaPuntoDobleClick(const QModelIndex &indice) {
    const int fila = indice.row();
    if (fila < TModeloGrilla::kFilasTitulo) return;
    spSPC->setCurrentWidget(Mapa);
    ActualizarMapa();
    if (!Mapa->MostrarFila(fila))
        Msg->setText(AQString("El punto de la fila no tiene lugar en el mapa: " +
                              std::string(SinNegrita(ModeloGrilla->Celda(fila, 0)))));
}
