// TDelegadoGrilla: centred bold markup, fixed cell colours and banded rows of the conversion grid.
#include "grilla_delegado.h"
#include <QColor>
#include <QFont>
#include "grilla_texto.h"
#include "texto_qt.h"

namespace {
const QColor kColorFijo(214, 223, 247);
const QColor kColorBanda(228, 236, 248);
const QColor kColorFallo(250, 208, 208);  // a row whose point failed (its tooltip says why)
}  // namespace

TDelegadoGrilla::TDelegadoGrilla(QObject *padre) : QStyledItemDelegate(padre) {}

QStyleOptionViewItem TDelegadoGrilla::Estilo(const QModelIndex &indice,
                                             const QStyleOptionViewItem &base) const {
    QStyleOptionViewItem opcion(base);
    initStyleOption(&opcion, indice);
    return opcion;
}

void TDelegadoGrilla::initStyleOption(QStyleOptionViewItem *opcion, const QModelIndex &indice) const {
    QStyledItemDelegate::initStyleOption(opcion, indice);
    opcion->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    const bool fija = indice.row() < kFilasFijas || indice.column() == 0;
    if (fija) {
        opcion->backgroundBrush = kColorFijo;
        opcion->font.setFamilies({QStringLiteral("Tahoma"), opcion->font.family()});
        opcion->font.setBold(true);
    } else if (indice.data(Qt::ToolTipRole).isValid()) {
        opcion->backgroundBrush = kColorFallo;
    } else if (indice.row() % 2 == 1) {
        opcion->backgroundBrush = kColorBanda;
    }
    const std::string celda = DeQString(opcion->text);
    bool negrita = false;
    const std::string_view interior = SinNegrita(celda, &negrita);
    if (negrita) {
        opcion->text = AQString(std::string(interior));
        opcion->font.setBold(true);
        opcion->displayAlignment = Qt::AlignCenter;
    }
    opcion->fontMetrics = QFontMetrics(opcion->font);
}
