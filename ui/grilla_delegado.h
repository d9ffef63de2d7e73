// TDelegadoGrilla: how a grid cell looks. Fixed cells (title rows, point column) are bold on
// RGB(214, 223, 247), data rows are banded with RGB(228, 236, 248), failed rows are pink, and a text
// held in the title markup (grilla_texto.h) is drawn as its inner text, centred and bold.
#pragma once
#include <QStyledItemDelegate>

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
