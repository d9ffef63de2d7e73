// The file dialogs of the "Archivos" tab: TDialogoAbrir (OD, "Abrir Archivo") and TDialogoGuardar
// (SD, "Guardar Archivo"). Both start in the folder of the last file opened or saved (InitialDir
// when none is remembered) and show Qt's own dialog, which speaks the program's Spanish. Tests give
// the next answer through a seam instead of showing them.
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

// The file system's bytes of a name the dialogs gave, as the file logic takes paths.
std::string RutaLocal(const QString &nombre);

// What both dialogs share: the starting folder, the chosen name and the remembered folder.
class TDialogoArchivo : public QObject {
  public:
    using QObject::QObject;

    QString CarpetaInicial() const;

    QString InitialDir;
    QString FileName;

    // Keeps the chosen name and remembers its folder (also for a file chosen another way, dropped on
    // the window).
    void Elegido(const QString &nombre);

  protected:
    // Qt's dialog with this title, in the starting folder, not yet shown.
    std::unique_ptr<QFileDialog> Dialogo(QWidget *padre, const QString &titulo) const;
};

class TDialogoAbrir : public TDialogoArchivo {
  public:
    static const QString kTitulo;       // "Abrir Archivo"
    static const QStringList kFiltros;  // "Texto (*.txt *.csv *.dat)", "Todos (*)"

    using TDialogoArchivo::TDialogoArchivo;

    // Shows the dialog; true when a file was chosen (then in FileName).
    bool Execute(QWidget *padre);
    // The dialog Execute shows, not yet shown.
    std::unique_ptr<QFileDialog> CrearDialogo(QWidget *padre) const;

    // Tests: the next Execute returns at once with this file, or as cancelled.
    void FijarSiguiente(const QString &nombre) { siguiente_ = nombre; }
    void FijarCancelarSiguiente() { siguiente_ = QString(); }

  private:
    std::optional<QString> siguiente_;  // an empty name means cancelled
};

class TDialogoGuardar : public TDialogoArchivo {
  public:
    static const QString kTitulo;
    // Filter entries 1 to 7: the text file, the drawing, then CSV, GeoJSON, KML, GPX and the Excel
    // workbook (last, so that a type remembered by its number stays the same).
    static constexpr int kTipos = 7;
    static const QString kFiltros[kTipos];

    using TDialogoArchivo::TDialogoArchivo;

    // Shows the dialog; true when the user confirmed. FileName and FilterIndex keep the choice for
    // the next use (the name is offered again in the starting folder). It asks nothing of its own
    // when the chosen file exists: the save command asks before replacing a ".DAT".
    bool Execute(QWidget *padre);
    std::unique_ptr<QFileDialog> CrearDialogo(QWidget *padre) const;

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

// "Guardar Imagen": the PNG of the "Mapa" tab. Qt's dialog asks before replacing a file.
class TDialogoImagen : public TDialogoArchivo {
  public:
    static const QString kTitulo;  // "Guardar Imagen"
    static const QString kFiltro;  // "Imagen PNG (*.png)"

    using TDialogoArchivo::TDialogoArchivo;

    // Shows the dialog; true when a name was chosen (then in FileName).
    bool Execute(QWidget *padre);

    // Tests: the next Execute returns at once with this name, or as cancelled.
    void FijarSiguiente(const QString &nombre) { siguiente_ = nombre; }
    void FijarCancelarSiguiente() { siguiente_ = QString(); }

  private:
    std::optional<QString> siguiente_;  // an empty name means cancelled
};
