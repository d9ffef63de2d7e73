// TDialogoGuardar (SD): the save dialog "Guardar Archivo" with its two types, and the seam through
// which tests give the next file name and filter instead of showing the dialog. It starts in the
// folder of the last file opened or saved (InitialDir when none is remembered).
#pragma once
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

class TDialogoGuardar : public QObject {
  public:
    using QObject::QObject;

    static const QString kTitulo;
    // Filter entries 1 (text file) and 2 (drawing).
    static const QString kFiltros[2];

    // Shows the dialog; true when the user confirmed. FileName and FilterIndex keep the choice for
    // the next use (the name is offered again in the starting folder), and the chosen folder is
    // remembered. It asks nothing of its own when the chosen file exists.
    bool Execute(QWidget *padre);
    // The dialog Execute shows, not yet shown.
    std::unique_ptr<QFileDialog> CrearDialogo(QWidget *padre) const;
    QString CarpetaInicial() const;

    QString InitialDir;
    QString FileName;
    int FilterIndex = 1;

    // Tests: the next Execute returns at once with this name and filter (or as cancelled).
    void FijarSiguiente(const QString &nombre, int filtro) { siguiente_ = Eleccion{true, nombre, filtro}; }
    void FijarCancelarSiguiente() { siguiente_ = Eleccion{false, QString(), FilterIndex}; }

  private:
    struct Eleccion {
        bool aceptado;
        QString nombre;
        int filtro;
    };
    std::optional<Eleccion> siguiente_;
};
