// TVistaGrilla (Grilla): the conversion grid's view. Further views over the same model and selection
// model lie on top of it and show the fixed cells: the two title rows (they scroll sideways with the
// data), the point column (it scrolls up and down with the data) and their corner, so titles and point
// numbers stay in place while the data scrolls (Qt's frozen-column technique, for rows and a column).
// Row 0 merges cells 1-4 and 5-8; columns are widened by dragging their borders in the title rows.
// Ctrl+C and the context menu's "Copiar" put the selected cells on the clipboard for a spreadsheet.
#pragma once
#include <QModelIndexList>
#include <QTableView>
#include <functional>
#include <string>

class QAction;
class QMenu;
class TModeloGrilla;
class TDelegadoGrilla;

// The cells as a spreadsheet pastes them: the rectangle that holds them, a line per row, a tab
// between columns, cells outside the selection empty; title markup taken off, and tabs and line
// ends inside a cell turned into blanks so that they cannot split it.
QString TextoParaPortapapeles(const QAbstractItemModel &modelo, const QModelIndexList &celdas);

class TVistaGrilla : public QTableView {
    Q_OBJECT
  public:
    static constexpr int kAltoFila = 21;
    static constexpr int kAnchoPunto = 40;
    static constexpr int kAnchoColumna = 120;

    explicit TVistaGrilla(TModeloGrilla *modelo, QWidget *padre = nullptr);

    TModeloGrilla *Modelo() const { return modelo_; }
    QTableView *Titulos() const { return titulos_; }  // rows 0 and 1
    QTableView *Columna() const { return columna_; }  // column 0
    QTableView *Esquina() const { return esquina_; }  // rows 0 and 1 of column 0
    TDelegadoGrilla *Delegado() const { return delegado_; }

    // Merges cells 1-4 and 5-8 of title row 0 in every view.
    void UnirTitulos();

    // The point column as wide as the names it holds (of the rows a view measures), from its width
    // for numbers up to kAnchoNombres: a longer name is cut rather than push the data aside.
    void AjustarColumnaPunto();
    static constexpr int kAnchoNombres = 240;

    // Asked before an in-place editor opens on a cell; returning true means the caller edits the cell
    // itself and the grid's own editor stays closed.
    std::function<bool(int fila, int col, const std::string &texto)> AlEditarCelda;

    // Stores the text of an open in-place editor in its cell and closes the editor: commands that
    // read or reset the grid call this first, so that what the user typed is neither ignored nor lost.
    void TerminarEdicion();

    // The selected cells (the current one when none is selected) to the clipboard.
    void CopiarSeleccion();
    QMenu *MenuContextual() const { return menu_; }  // "Copiar"
    QAction *AccionCopiar() const { return copiar_; }

    void scrollTo(const QModelIndex &indice, ScrollHint pista = EnsureVisible) override;
    using QTableView::edit;

  protected:
    void keyPressEvent(QKeyEvent *evento) override;
    bool edit(const QModelIndex &indice, EditTrigger disparo, QEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    bool viewportEvent(QEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

  private:
    QTableView *CrearFija(const char *nombre);
    void UbicarFijas();
    int AltoTitulos() const;
    int BordeColumna(QTableView *vista, int x) const;  // column whose right border is near x; -1 none

    TModeloGrilla *modelo_;
    TDelegadoGrilla *delegado_;
    QMenu *menu_ = nullptr;
    QAction *copiar_ = nullptr;
    QTableView *columna_ = nullptr;
    QTableView *titulos_ = nullptr;
    QTableView *esquina_ = nullptr;
    int anchoPunto_ = kAnchoPunto;  // the point column's width for numbers
    int columnaArrastrada_ = -1;
    int origenArrastre_ = 0;
    int anchoInicial_ = 0;
};
