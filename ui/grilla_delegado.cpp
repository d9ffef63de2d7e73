// TDelegadoGrilla: centred bold markup, fixed cell colours and banded rows of the conversion grid.
#include "grilla_delegado.h"
#include <QColor>
#include <QFont>

namespace {
const QString kAbre = QStringLiteral("<p align=\"center\"><b>");
const QString kCierra = QStringLiteral("</b></p>");
const QColor kColorFijo(214, 223, 247);
const QColor kColorBanda(228, 236, 248);
const QColor kColorFallo(250, 208, 208);  // a row whose point failed (its tooltip says why)
}  // namespace

bool EsTextoNegrita(const QString &texto, QString *interior) {
    if (texto.size() < kAbre.size() + kCierra.size() || !texto.startsWith(kAbre) || !texto.endsWith(kCierra))
        return false;
    if (interior) *interior = texto.mid(kAbre.size(), texto.size() - kAbre.size() - kCierra.size());
    return true;
}

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
    QString interior;
    if (EsTextoNegrita(opcion->text, &interior)) {
        opcion->text = interior;
        opcion->font.setBold(true);
        opcion->displayAlignment = Qt::AlignCenter;
    }
    opcion->fontMetrics = QFontMetrics(opcion->font);
}
