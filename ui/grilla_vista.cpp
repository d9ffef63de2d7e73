// TVistaGrilla: the grid view with fixed title rows laid over it, scroll bars and column widths linked.
#include "grilla_vista.h"
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include "grilla_delegado.h"
#include "grilla_modelo.h"
#include "texto_qt.h"

TVistaGrilla::TVistaGrilla(TModeloGrilla *modelo, QWidget *padre)
    : QTableView(padre),
      modelo_(modelo),
      delegado_(new TDelegadoGrilla(this)),
      titulos_(new QTableView(this)) {
    setModel(modelo_);
    setItemDelegate(delegado_);
    // The grid's small face (Tahoma 8 where installed), for both views.
    QFont letra = font();
    letra.setFamilies({QStringLiteral("Tahoma"), letra.family()});
    letra.setPointSize(8);
    setFont(letra);
    titulos_->setFont(letra);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kAltoFila);
    verticalHeader()->setDefaultSectionSize(kAltoFila);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setDefaultSectionSize(kAnchoColumna);
    // The point column takes its bold title whole, also with a face wider than Tahoma.
    QFont negrita = letra;
    negrita.setBold(true);
    setColumnWidth(
        0, std::max(kAnchoPunto, QFontMetrics(negrita).horizontalAdvance(QStringLiteral("Punto")) + 8));
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setWordWrap(false);

    // The title rows: same model, same selection, same look; never scrolled vertically.
    titulos_->setObjectName("GrillaTitulos");
    titulos_->setModel(modelo_);
    titulos_->setSelectionModel(selectionModel());
    // A delegate of its own: a delegate's editor signals go to every view it serves.
    titulos_->setItemDelegate(new TDelegadoGrilla(titulos_));
    titulos_->setFocusPolicy(Qt::NoFocus);
    titulos_->horizontalHeader()->hide();
    titulos_->verticalHeader()->hide();
    titulos_->verticalHeader()->setMinimumSectionSize(kAltoFila);
    titulos_->verticalHeader()->setDefaultSectionSize(kAltoFila);
    titulos_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    titulos_->horizontalHeader()->setMinimumSectionSize(8);
    titulos_->horizontalHeader()->setDefaultSectionSize(kAnchoColumna);
    titulos_->setColumnWidth(0, columnWidth(0));
    titulos_->setHorizontalScrollMode(ScrollPerPixel);
    titulos_->setVerticalScrollMode(ScrollPerPixel);
    titulos_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    titulos_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    titulos_->setEditTriggers(NoEditTriggers);
    titulos_->setFrameShape(QFrame::NoFrame);
    titulos_->setWordWrap(false);
    titulos_->viewport()->installEventFilter(this);
    titulos_->viewport()->setMouseTracking(true);
    viewport()->stackUnder(titulos_);
    titulos_->show();

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int ancho) { titulos_->setColumnWidth(col, ancho); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, titulos_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(titulos_->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(titulos_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (v != 0) titulos_->verticalScrollBar()->setValue(0);
    });
    // A reset forgets nothing of the spans in every Qt version: set them again after it.
    connect(modelo_, &QAbstractItemModel::modelReset, this, &TVistaGrilla::UnirTitulos);
    UnirTitulos();
    UbicarTitulos();
}

void TVistaGrilla::UnirTitulos() {
    for (QTableView *v : {static_cast<QTableView *>(this), titulos_}) {
        if (v->rowSpan(0, 1) != 1 || v->columnSpan(0, 1) != 4) v->setSpan(0, 1, 1, 4);
        if (v->rowSpan(0, 5) != 1 || v->columnSpan(0, 5) != 4) v->setSpan(0, 5, 1, 4);
    }
}

int TVistaGrilla::AltoTitulos() const {
    int alto = 0;
    for (int f = 0; f < TModeloGrilla::kFilasTitulo && f < modelo_->Filas(); ++f) alto += rowHeight(f);
    return alto;
}

void TVistaGrilla::UbicarTitulos() {
    const QRect v = viewport()->geometry();
    titulos_->setGeometry(v.x(), v.y(), v.width(), AltoTitulos());
    titulos_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

void TVistaGrilla::resizeEvent(QResizeEvent *evento) {
    QTableView::resizeEvent(evento);
    UbicarTitulos();
}

bool TVistaGrilla::viewportEvent(QEvent *evento) {
    // The viewport moves when a scroll bar appears or goes: follow it.
    if (evento->type() == QEvent::Resize || evento->type() == QEvent::Move) UbicarTitulos();
    return QTableView::viewportEvent(evento);
}

void TVistaGrilla::scrollTo(const QModelIndex &indice, ScrollHint pista) {
    QTableView::scrollTo(indice, pista);
    if (!indice.isValid() || indice.row() < TModeloGrilla::kFilasTitulo) return;
    // A data row must not end up beneath the title rows.
    const int arriba = rowViewportPosition(indice.row());
    const int alto = AltoTitulos();
    if (arriba < alto) verticalScrollBar()->setValue(verticalScrollBar()->value() - (alto - arriba));
}

bool TVistaGrilla::edit(const QModelIndex &indice, EditTrigger disparo, QEvent *evento) {
    const bool abriria = indice.isValid() && (modelo_->flags(indice) & Qt::ItemIsEditable) &&
                         (disparo == AllEditTriggers || (editTriggers() & disparo)) &&
                         state() != EditingState;
    if (abriria && AlEditarCelda &&
        AlEditarCelda(indice.row(), indice.column(), modelo_->Celda(indice.row(), indice.column())))
        return true;
    return QTableView::edit(indice, disparo, evento);
}

int TVistaGrilla::BordeColumna(int x) const {
    constexpr int kAlcance = 3;
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        const int borde = titulos_->columnViewportPosition(c) + titulos_->columnWidth(c);
        if (std::abs(x - borde) <= kAlcance) return c;
    }
    return -1;
}

bool TVistaGrilla::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto != titulos_->viewport()) return QTableView::eventFilter(objeto, evento);
    // Columns are widened by dragging a border in the title rows, as in a string grid.
    switch (evento->type()) {
        case QEvent::MouseButtonPress: {
            auto *m = static_cast<QMouseEvent *>(evento);
            const int c = BordeColumna(m->position().toPoint().x());
            if (m->button() == Qt::LeftButton && c >= 0) {
                columnaArrastrada_ = c;
                origenArrastre_ = m->position().toPoint().x();
                anchoInicial_ = columnWidth(c);
                return true;
            }
            break;
        }
        case QEvent::MouseMove: {
            auto *m = static_cast<QMouseEvent *>(evento);
            const int x = m->position().toPoint().x();
            if (columnaArrastrada_ >= 0) {
                setColumnWidth(columnaArrastrada_, std::max(8, anchoInicial_ + x - origenArrastre_));
                return true;
            }
            titulos_->viewport()->setCursor(BordeColumna(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
            break;
        }
        case QEvent::MouseButtonRelease:
            if (columnaArrastrada_ >= 0) {
                columnaArrastrada_ = -1;
                return true;
            }
            break;
        default:
            break;
    }
    return QTableView::eventFilter(objeto, evento);
}
