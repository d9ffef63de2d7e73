// TVistaGrilla (Grilla): the conversion grid's view. A second view over the same model and selection
// model lies on top of the first and shows the two title rows, so they stay in place while the data
// scrolls (the frozen-column technique turned to rows); row 0 merges cells 1-4 and 5-8; columns are
// widened by dragging their borders in the title rows.
#pragma once
#include <QTableView>
#include <functional>
#include <string>

class TModeloGrilla;
class TDelegadoGrilla;

class TVistaGrilla : public QTableView {
    Q_OBJECT
  public:
    static constexpr int kAltoFila = 21;
    static constexpr int kAnchoPunto = 40;
    static constexpr int kAnchoColumna = 120;

    explicit TVistaGrilla(TModeloGrilla *modelo, QWidget *padre = nullptr);

    TModeloGrilla *Modelo() const { return modelo_; }
    QTableView *Titulos() const { return titulos_; }
    TDelegadoGrilla *Delegado() const { return delegado_; }

    // Merges cells 1-4 and 5-8 of title row 0 in both views.
    void UnirTitulos();

    // Asked before an in-place editor opens on a cell; returning true means the caller edits the cell
    // itself and the grid's own editor stays closed.
    std::function<bool(int fila, int col, const std::string &texto)> AlEditarCelda;

    void scrollTo(const QModelIndex &indice, ScrollHint pista = EnsureVisible) override;
    using QTableView::edit;

  protected:
    bool edit(const QModelIndex &indice, EditTrigger disparo, QEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    bool viewportEvent(QEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

  private:
    void UbicarTitulos();
    int AltoTitulos() const;
    int BordeColumna(int x) const;  // column whose right border is within reach of x; -1 none

    TModeloGrilla *modelo_;
    TDelegadoGrilla *delegado_;
    QTableView *titulos_;
    int columnaArrastrada_ = -1;
    int origenArrastre_ = 0;
    int anchoInicial_ = 0;
};
