// TModeloGrilla: plain row storage of the conversion grid and its Qt model interface.
#include "grilla_modelo.h"
#include "texto_qt.h"

namespace {
const std::string kVacio;
}

TModeloGrilla::TModeloGrilla(QObject *padre) : QAbstractTableModel(padre), filas_(kFilasTitulo) {}

const std::string &TModeloGrilla::Celda(int fila, int col) const {
    if (fila < 0 || fila >= Filas() || col < 0 || col >= kColumnas) return kVacio;
    return filas_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(col)];
}

void TModeloGrilla::FijarCelda(int fila, int col, const std::string &texto) {
    if (fila < 0 || fila >= Filas() || col < 0 || col >= kColumnas) return;
    std::string &celda = filas_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(col)];
    if (celda == texto) return;
    celda = texto;
    if (col == 0) nombresUtf8_.erase(fila);
    if (masivo_ == 0) {
        const QModelIndex i = index(fila, col);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    }
}

void TModeloGrilla::EditarEntrada(int fila, int col, const std::string &texto) {
    if (fila < kFilasTitulo || fila >= Filas() || col < 1 || col > 4 || Celda(fila, col) == texto) return;
    FijarCelda(fila, col, texto);
    // No result stays beside an input it does not belong to.
    bool convertida = false;
    for (int c = 5; c < kColumnas; ++c) {
        convertida = convertida || !Celda(fila, c).empty();
        FijarCelda(fila, c, std::string());
    }
    const bool fallida = !Fallo(fila).empty();
    FijarFallo(fila, std::string());
    emit EntradaEditada(fila, convertida, fallida);
}

void TModeloGrilla::FijarFila(int fila, TFila &&celdas) {
    if (fila < 0 || fila >= Filas()) return;
    filas_[static_cast<std::size_t>(fila)] = std::move(celdas);
    nombresUtf8_.erase(fila);
    if (masivo_ == 0)
        emit dataChanged(index(fila, 0), index(fila, kColumnas - 1), {Qt::DisplayRole, Qt::EditRole});
}

void TModeloGrilla::FijarFallo(int fila, const std::string &motivo) {
    if (fila < kFilasTitulo || fila >= Filas()) return;
    const auto f = static_cast<std::size_t>(fila);
    if (fallos_.size() <= f) {
        if (motivo.empty()) return;
        fallos_.resize(filas_.size());
    }
    if (fallos_[f] == motivo) return;
    fallos_[f] = motivo;
    if (masivo_ == 0) emit dataChanged(index(fila, 0), index(fila, kColumnas - 1), {Qt::ToolTipRole});
}

const std::string &TModeloGrilla::Fallo(int fila) const {
    if (fila < 0 || static_cast<std::size_t>(fila) >= fallos_.size()) return kVacio;
    return fallos_[static_cast<std::size_t>(fila)];
}

void TModeloGrilla::FijarNombreUtf8(int fila, std::string nombre) {
    if (fila < kFilasTitulo || fila >= Filas()) return;
    if (nombre.empty())
        nombresUtf8_.erase(fila);
    else
        nombresUtf8_[fila] = std::move(nombre);
}

const std::string &TModeloGrilla::NombreUtf8(int fila) const {
    const auto i = nombresUtf8_.find(fila);
    return i == nombresUtf8_.end() ? kVacio : i->second;
}

void TModeloGrilla::FijarFilas(int n) {
    if (n < kFilasTitulo) n = kFilasTitulo;
    nombresUtf8_.erase(nombresUtf8_.lower_bound(n), nombresUtf8_.end());
    if (fallos_.size() > static_cast<std::size_t>(n)) fallos_.resize(static_cast<std::size_t>(n));
    const int antes = Filas();
    if (n == antes) return;
    if (masivo_ > 0) {
        filas_.resize(static_cast<std::size_t>(n));
        return;
    }
    if (n > antes) {
        beginInsertRows(QModelIndex(), antes, n - 1);
        filas_.resize(static_cast<std::size_t>(n));
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), n, antes - 1);
        filas_.resize(static_cast<std::size_t>(n));
        endRemoveRows();
    }
}

void TModeloGrilla::EmpezarCambioMasivo() {
    if (masivo_++ == 0) beginResetModel();
}

void TModeloGrilla::TerminarCambioMasivo() {
    if (masivo_ > 0 && --masivo_ == 0) endResetModel();
}

void TModeloGrilla::CargarDatos(std::vector<TFila> &&datos) {
    EmpezarCambioMasivo();
    // The titles go in front of the new rows in place (no second copy of 50000 rows when the caller
    // reserved two more), then the storage is swapped.
    datos.insert(datos.begin(), kFilasTitulo, TFila{});
    for (std::size_t f = 0; f < kFilasTitulo; ++f) datos[f] = std::move(filas_[f]);
    filas_.swap(datos);
    std::vector<TFila>().swap(datos);
    std::vector<std::string>().swap(fallos_);
    nombresUtf8_.clear();
    TerminarCambioMasivo();
}

int TModeloGrilla::rowCount(const QModelIndex &padre) const {
    return padre.isValid() ? 0 : Filas();
}

int TModeloGrilla::columnCount(const QModelIndex &padre) const {
    return padre.isValid() ? 0 : kColumnas;
}

QVariant TModeloGrilla::data(const QModelIndex &indice, int rol) const {
    if (!indice.isValid()) return QVariant();
    if (rol == Qt::ToolTipRole) {
        const std::string &fallo = Fallo(indice.row());
        return fallo.empty() ? QVariant() : QVariant(AQString(fallo));
    }
    if (rol != Qt::DisplayRole && rol != Qt::EditRole) return QVariant();
    return AQString(Celda(indice.row(), indice.column()));
}

bool TModeloGrilla::setData(const QModelIndex &indice, const QVariant &valor, int rol) {
    if (!indice.isValid() || rol != Qt::EditRole || indice.row() >= Filas() || indice.column() >= kColumnas)
        return false;
    if (indice.column() >= 1 && indice.column() <= 4)
        EditarEntrada(indice.row(), indice.column(), DeQString(valor.toString()));
    else
        FijarCelda(indice.row(), indice.column(), DeQString(valor.toString()));
    return true;
}

Qt::ItemFlags TModeloGrilla::flags(const QModelIndex &indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // The title rows and the point column are fixed cells, the rest is edited in place.
    if (indice.row() >= kFilasTitulo && indice.column() > 0) f |= Qt::ItemIsEditable;
    return f;
}
