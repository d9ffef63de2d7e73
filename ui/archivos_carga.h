// The loading half of the "Archivos" tab: the open dialog OD with its test seam, and the titles of
// the coordinate kinds. The operations themselves are members of TFConv (archivos_carga.cpp).
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

// TDialogoAbrir (OD): the open dialog "Abrir Archivo". It starts in the folder of the last file
// opened or saved (InitialDir when none is remembered). Tests give the next answer instead of showing it.
class TDialogoAbrir : public QObject {
    Q_OBJECT
  public:
    static const QString kTitulo;       // "Abrir Archivo"
    static const QStringList kFiltros;  // "Texto (*.txt *.csv *.dat)", "Todos (*)"

    using QObject::QObject;

    // Shows the dialog; true when a file was chosen (then in FileName, and its folder is remembered).
    bool Execute(QWidget *padre);
    // The dialog Execute shows, not yet shown.
    std::unique_ptr<QFileDialog> CrearDialogo(QWidget *padre) const;
    QString CarpetaInicial() const;

    QString InitialDir;
    QString FileName;

    // Tests: the next Execute returns at once with this file, or as cancelled.
    void FijarSiguiente(const QString &nombre) { siguiente_ = nombre; }
    void FijarCancelarSiguiente() { siguiente_ = QString(); }

  private:
    std::optional<QString> siguiente_;  // an empty name means cancelled
};

// Titles of the three values of a coordinate kind (0 geographic, 1 Gauss-Krüger, 2 UTM).
struct TituloReg {
    const char *Titulo1, *Titulo2, *Titulo3;
};
inline constexpr TituloReg TitulosTipo[3] = {{"Latitud", "Longitud", "Altura Elip."},
                                             {"X (Norte)", "Y (Este)", "Faja"},
                                             {"X (Norte)", "Y (Este)", "Zona"}};

// The information message of a file of more than 50000 lines (Windows-1252).
inline constexpr const char *kMensajeDemasiadoGrande =
    "El Archivo a cargar es demasiado grande. Solo se mostrar\xE1n 50000 lineas";

// A large file that could not be split into segments: the error follows on the next line.
inline constexpr const char *kMensajeSinSegmentos =
    "No se pudo dividir el archivo en segmentos. Solo se muestran sus primeras 50000 l\xEDneas; no se "
    "convertir\xE1 ni se guardar\xE1 una parte del archivo como si fuera todo.";
// Convert and save while the split has failed.
inline constexpr const char *kMensajeArchivoIncompleto =
    "El archivo no pudo dividirse en segmentos: solo se tiene una parte de \xE9l. Vuelva a abrirlo.";
