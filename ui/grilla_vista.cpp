// TVistaGrilla: the grid view with its fixed title rows and point column laid over it, scroll bars
// and column widths linked.
#include "grilla_vista.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <vector>
#include "grilla_delegado.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "texto_qt.h"

namespace {

void Medidas(QTableView *v) {
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->verticalHeader()->setMinimumSectionSize(TVistaGrilla::kAltoFila);
    v->verticalHeader()->setDefaultSectionSize(TVistaGrilla::kAltoFila);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->horizontalHeader()->setMinimumSectionSize(8);
    v->horizontalHeader()->setDefaultSectionSize(TVistaGrilla::kAnchoColumna);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setWordWrap(false);
}

// Keeps a scroll bar of a fixed view at 0.
void Clavar(QScrollBar *barra) {
    QObject::connect(barra, &QScrollBar::valueChanged, barra, [barra](int v) {
        if (v != 0) barra->setValue(0);
    });
}

// Two scroll bars that move together.
void Enlazar(QScrollBar *a, QScrollBar *b) {
    QObject::connect(a, &QScrollBar::valueChanged, b, &QScrollBar::setValue);
    QObject::connect(b, &QScrollBar::valueChanged, a, &QScrollBar::setValue);
}

}  // namespace

QString TextoParaPortapapeles(const QAbstractItemModel &modelo, const QModelIndexList &celdas) {
    int f0 = INT_MAX, f1 = -1, c0 = INT_MAX, c1 = -1;
    for (const QModelIndex &i : celdas) {
        f0 = std::min(f0, i.row()), f1 = std::max(f1, i.row());
        c0 = std::min(c0, i.column()), c1 = std::max(c1, i.column());
    }
    if (f1 < 0) return QString();
    const int ancho = c1 - c0 + 1;
    std::vector<bool> elegida(static_cast<std::size_t>(f1 - f0 + 1) * static_cast<std::size_t>(ancho));
    for (const QModelIndex &i : celdas)
        elegida[static_cast<std::size_t>(i.row() - f0) * static_cast<std::size_t>(ancho) +
                static_cast<std::size_t>(i.column() - c0)] = true;
    QString r;
    for (int f = f0; f <= f1; ++f) {
        if (f > f0) r += QLatin1Char('\n');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) r += QLatin1Char('\t');
            if (!elegida[static_cast<std::size_t>(f - f0) * static_cast<std::size_t>(ancho) +
                         static_cast<std::size_t>(c - c0)])
                continue;
            const std::string celda = DeQString(modelo.index(f, c).data(Qt::DisplayRole).toString());
            QString texto = AQString(std::string(SinNegrita(celda)));
            for (QChar &ch : texto)
                if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
                    ch = QLatin1Char(' ');
            r += texto;
        }
    }
    return r;
}

TVistaGrilla::TVistaGrilla(TModeloGrilla *modelo, QWidget *padre)
    : QTableView(padre), modelo_(modelo), delegado_(new TDelegadoGrilla(this)) {
    setModel(modelo_);
    setItemDelegate(delegado_);
    // The grid's small face (Tahoma 8 where installed).
    QFont letra = font();
    letra.setFamilies({QStringLiteral("Tahoma"), letra.family()});
    letra.setPointSize(8);
    setFont(letra);
    Medidas(this);
    // The point column shows its bold title and five-digit numbers whole, also in a face wider
    // than Tahoma.
    QFont negrita = letra;
    negrita.setBold(true);
    const QFontMetrics medida(negrita);
    const int necesario = std::max(medida.horizontalAdvance(QStringLiteral("Punto")),
                                   medida.horizontalAdvance(QStringLiteral("50000")));
    anchoPunto_ = std::max(kAnchoPunto, necesario + 8);
    setColumnWidth(0, anchoPunto_);
    // A block of cells can be selected and copied to a spreadsheet.
    setSelectionMode(ExtendedSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);

    // Stacked in this order above the data: point column, title rows, their corner.
    columna_ = CrearFija("GrillaColumna");
    titulos_ = CrearFija("GrillaTitulos");
    esquina_ = CrearFija("GrillaEsquina");
    viewport()->stackUnder(columna_);

    Enlazar(horizontalScrollBar(), titulos_->horizontalScrollBar());
    Enlazar(verticalScrollBar(), columna_->verticalScrollBar());
    Clavar(titulos_->verticalScrollBar());
    Clavar(columna_->horizontalScrollBar());
    Clavar(esquina_->verticalScrollBar());
    Clavar(esquina_->horizontalScrollBar());
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int ancho) {
        for (QTableView *v : {columna_, titulos_, esquina_}) v->setColumnWidth(col, ancho);
        if (col == 0) UbicarFijas();
    });
    // Spans are set again after a reset, whatever the Qt version does with them.
    connect(modelo_, &QAbstractItemModel::modelReset, this, &TVistaGrilla::UnirTitulos);
    UnirTitulos();
    UbicarFijas();

    menu_ = new QMenu(this);
    menu_->setObjectName("MenuGrilla");
    copiar_ = menu_->addAction(QStringLiteral("Copiar"), this, &TVistaGrilla::CopiarSeleccion);
    copiar_->setObjectName("AccionCopiar");
    copiar_->setShortcut(QKeySequence::Copy);  // shown in the menu; the key itself is keyPressEvent's
    for (QTableView *v : {static_cast<QTableView *>(this), columna_, titulos_, esquina_}) {
        v->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(v, &QWidget::customContextMenuRequested, this,
                [this, v](const QPoint &lugar) { menu_->popup(v->viewport()->mapToGlobal(lugar)); });
    }
}

void TVistaGrilla::CopiarSeleccion() {
    QModelIndexList celdas = selectionModel()->selectedIndexes();
    if (celdas.isEmpty() && currentIndex().isValid()) celdas << currentIndex();
    if (celdas.isEmpty()) return;
    QGuiApplication::clipboard()->setText(TextoParaPortapapeles(*model(), celdas));
}

void TVistaGrilla::keyPressEvent(QKeyEvent *evento) {
    // Qt's own copy takes the current cell alone, markup included.
    if (evento->matches(QKeySequence::Copy)) {
        CopiarSeleccion();
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

QTableView *TVistaGrilla::CrearFija(const char *nombre) {
    // Same model, same selection and the same look as the data view.
    auto *v = new QTableView(this);
    v->setObjectName(nombre);
    v->setFont(font());
    v->setModel(modelo_);
    v->setSelectionModel(selectionModel());
    // A delegate of its own: a delegate's editor signals go to every view it serves.
    v->setItemDelegate(new TDelegadoGrilla(v));
    Medidas(v);
    for (int c = 0; c < modelo_->columnCount(); ++c) v->setColumnWidth(c, columnWidth(c));
    v->setFocusPolicy(Qt::NoFocus);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setEditTriggers(NoEditTriggers);
    v->setFrameShape(QFrame::NoFrame);
    v->viewport()->installEventFilter(this);
    v->viewport()->setMouseTracking(true);
    v->show();
    return v;
}

void TVistaGrilla::UnirTitulos() {
    for (QTableView *v : {static_cast<QTableView *>(this), titulos_, esquina_}) {
        if (v->columnSpan(0, 1) != 4) v->setSpan(0, 1, 1, 4);
        if (v->columnSpan(0, 5) != 4) v->setSpan(0, 5, 1, 4);
    }
}

int TVistaGrilla::AltoTitulos() const {
    int alto = 0;
    for (int f = 0; f < TModeloGrilla::kFilasTitulo && f < modelo_->Filas(); ++f) alto += rowHeight(f);
    return alto;
}

void TVistaGrilla::UbicarFijas() {
    const QRect v = viewport()->geometry();
    const int alto = std::min(AltoTitulos(), v.height());
    const int ancho = std::min(columnWidth(0), v.width());
    columna_->setGeometry(v.x(), v.y(), ancho, v.height());
    titulos_->setGeometry(v.x(), v.y(), v.width(), alto);
    esquina_->setGeometry(v.x(), v.y(), ancho, alto);
    titulos_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    columna_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void TVistaGrilla::resizeEvent(QResizeEvent *evento) {
    QTableView::resizeEvent(evento);
    UbicarFijas();
}

bool TVistaGrilla::viewportEvent(QEvent *evento) {
    // The viewport moves when a scroll bar appears or goes: the fixed views follow it.
    if (evento->type() == QEvent::Resize || evento->type() == QEvent::Move) UbicarFijas();
    return QTableView::viewportEvent(evento);
}

void TVistaGrilla::AjustarColumnaPunto() {
    // The fixed column is drawn bold.
    QFont negrita = font();
    negrita.setBold(true);
    const QFontMetrics medida(negrita);
    const int hasta = std::min(modelo_->Filas(), TModeloGrilla::kFilasTitulo + 1000);
    int ancho = anchoPunto_;
    for (int fila = TModeloGrilla::kFilasTitulo; fila < hasta && ancho < kAnchoNombres; ++fila)
        ancho = std::max(
            ancho, medida.horizontalAdvance(AQString(std::string(SinNegrita(modelo_->Celda(fila, 0))))) + 8);
    setColumnWidth(0, std::min(ancho, kAnchoNombres));
}

void TVistaGrilla::scrollTo(const QModelIndex &indice, ScrollHint pista) {
    QTableView::scrollTo(indice, pista);
    if (!indice.isValid()) return;
    // A data cell must not end up beneath the title rows or the point column.
    if (indice.row() >= TModeloGrilla::kFilasTitulo) {
        const int arriba = rowViewportPosition(indice.row());
        const int alto = AltoTitulos();
        if (arriba < alto) verticalScrollBar()->setValue(verticalScrollBar()->value() - (alto - arriba));
    }
    if (indice.column() > 0) {
        const int izquierda = columnViewportPosition(indice.column());
        const int ancho = columnWidth(0);
        if (izquierda < ancho)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (ancho - izquierda));
    }
}

bool TVistaGrilla::edit(const QModelIndex &indice, EditTrigger disparo, QEvent *evento) {
    const bool abriria = indice.isValid() && (modelo_->flags(indice) & Qt::ItemIsEditable) &&
                         (disparo == AllEditTriggers || (editTriggers() & disparo)) &&
                         state() != EditingState;
    if (abriria && AlEditarCelda &&
        AlEditarCelda(indice.row(), indice.column(), modelo_->Celda(indice.row(), indice.column()))) {
        // A key that opened the caller's own editor is typed into it over the old text, as the
        // grid's own editor takes it.
        if (disparo == AnyKeyPressed && evento && evento->type() == QEvent::KeyPress) {
            QWidget *editor = QApplication::focusWidget();
            if (editor && editor != this && editor != viewport()) {
                if (auto *campo = qobject_cast<QLineEdit *>(editor)) campo->selectAll();
                QCoreApplication::sendEvent(editor, evento);
            }
        }
        return true;
    }
    return QTableView::edit(indice, disparo, evento);
}

void TVistaGrilla::TerminarEdicion() {
    if (state() != EditingState) return;
    QWidget *editor = indexWidget(currentIndex());
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

int TVistaGrilla::BordeColumna(QTableView *vista, int x) const {
    constexpr int kAlcance = 3;
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        const int borde = vista->columnViewportPosition(c) + vista->columnWidth(c);
        if (std::abs(x - borde) <= kAlcance) return c;
    }
    return -1;
}

bool TVistaGrilla::eventFilter(QObject *objeto, QEvent *evento) {
    QTableView *vista = nullptr;
    // The base class filters events of its own parts, also while the fixed views are not made yet.
    if (titulos_ && objeto == titulos_->viewport()) vista = titulos_;
    if (esquina_ && objeto == esquina_->viewport()) vista = esquina_;
    if (!vista) return QTableView::eventFilter(objeto, evento);
    // Columns are widened by dragging a border in the title rows, as in a string grid.
    switch (evento->type()) {
        case QEvent::MouseButtonPress: {
            auto *m = static_cast<QMouseEvent *>(evento);
            const int c = BordeColumna(vista, m->position().toPoint().x());
            if (m->button() == Qt::LeftButton && c >= 0) {
                columnaArrastrada_ = c;
                origenArrastre_ = m->globalPosition().toPoint().x();
                anchoInicial_ = columnWidth(c);
                return true;
            }
            break;
        }
        case QEvent::MouseMove: {
            auto *m = static_cast<QMouseEvent *>(evento);
            if (columnaArrastrada_ >= 0) {
                const int x = m->globalPosition().toPoint().x();
                setColumnWidth(columnaArrastrada_, std::max(8, anchoInicial_ + x - origenArrastre_));
                return true;
            }
            vista->viewport()->setCursor(
                BordeColumna(vista, m->position().toPoint().x()) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
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
