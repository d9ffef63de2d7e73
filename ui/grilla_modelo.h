// TModeloGrilla: the texts of the conversion grid, one plain row of nine Windows-1252 strings per
// grid row (rows 0 and 1 are the titles); the QString of a cell is made only when a view asks.
#pragma once
#include <QAbstractTableModel>
#include <array>
#include <map>
#include <string>
#include <vector>

class TModeloGrilla : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumnas = 9;
    static constexpr int kFilasTitulo = 2;
    using TFila = std::array<std::string, kColumnas>;

    explicit TModeloGrilla(QObject *padre = nullptr);

    int Filas() const { return static_cast<int>(filas_.size()); }  // titles included
    const std::string &Celda(int fila, int col) const;             // empty text outside the grid
    void FijarCelda(int fila, int col, const std::string &texto);  // dataChanged unless in a bulk change
    void FijarFilas(int n);                    // new rows are empty; at least the two title rows stay
    void FijarFila(int fila, TFila &&celdas);  // the nine cells of a row at once
    // An input cell (columns 1 to 4) of a data row edited by the user: a changed text empties the
    // row's results and its failure mark, which belonged to the old input, and says so with
    // EntradaEditada. Every edit of the grid's input goes through here.
    void EditarEntrada(int fila, int col, const std::string &texto);

    // Bulk changes: between these two calls FijarCelda and FijarFilas emit nothing; the views are
    // told once, by a model reset.
    void EmpezarCambioMasivo();
    void TerminarCambioMasivo();
    // Replaces every data row (rows 2 on) by `datos`, keeping the titles; one reset. Reserve two
    // rows more than the data in `datos` to spare a copy.
    void CargarDatos(std::vector<TFila> &&datos);

    // A data row whose point failed, with its reason (Windows-1252, shown as the row's tooltip and
    // colour); an empty reason clears the mark. Loads and resets clear every mark.
    void FijarFallo(int fila, const std::string &motivo);
    const std::string &Fallo(int fila) const;

    // The point's name whole, in UTF-8, of a row loaded from a UTF-8 file whose name Windows-1252
    // cannot hold (the cell shows '?' for what it lacks); empty otherwise. Editing the name cell, or
    // loading, clears it.
    void FijarNombreUtf8(int fila, std::string nombre);
    const std::string &NombreUtf8(int fila) const;

    // QAbstractTableModel
    int rowCount(const QModelIndex &padre = QModelIndex()) const override;
    int columnCount(const QModelIndex &padre = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &indice, const QVariant &valor, int rol = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &indice) const override;

  signals:
    // Row `fila`'s input changed; it had results (`convertida`) or a failure mark (`fallida`), now gone.
    void EntradaEditada(int fila, bool convertida, bool fallida);

  private:
    std::vector<TFila> filas_;
    std::vector<std::string> fallos_;         // per row; empty: no failure (may be shorter than filas_)
    std::map<int, std::string> nombresUtf8_;  // few rows have one
    int masivo_ = 0;
};
