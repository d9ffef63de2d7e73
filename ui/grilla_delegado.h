// TDelegadoGrilla: how a grid cell looks. Fixed cells (title rows, point column) are bold on
// RGB(214, 223, 247), data rows are banded with RGB(228, 236, 248), and a text held as
// <p align="center"><b>...</b></p> is drawn as its inner text, centred and bold.
#pragma once
#include <QStyledItemDelegate>

// True when `texto` is wrapped in the centred bold markup; `interior` then gets the inner text.
bool EsTextoNegrita(const QString &texto, QString *interior = nullptr);

class TDelegadoGrilla : public QStyledItemDelegate {
    Q_OBJECT
  public:
    static constexpr int kFilasFijas = 2;
    explicit TDelegadoGrilla(QObject *padre = nullptr);

    // The style option the cell is drawn with (text, font, alignment, background).
    QStyleOptionViewItem Estilo(const QModelIndex &indice, const QStyleOptionViewItem &base) const;

  protected:
    void initStyleOption(QStyleOptionViewItem *opcion, const QModelIndex &indice) const override;
};
