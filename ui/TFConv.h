// TFConv: the main window "Zuvelo II v3.2" with its tabs "Conversión", "Archivos" and "Acerca de ...".
// The shell lives in TFConv.cpp, the "Conversión" tab in conversion*.cpp and the "Archivos" tab in
// archivos*.cpp; each tab declares its own members in its region below.
#pragma once
#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>
#include "UCoords.h"

class QTabWidget;
class QLabel;
class QStatusBar;
class QLineEdit;
class QGroupBox;
class QTextEdit;
class QPlainTextEdit;
class QRadioButton;
class TMensaje;

class TFConv : public QMainWindow {
    Q_OBJECT
public:
    explicit TFConv(QWidget *parent = nullptr);
    ~TFConv() override;

    // ---- Shell ----------------------------------------------------------------------------------
    QTabWidget *spSPC = nullptr;
    QWidget *TSConv = nullptr;
    QWidget *TSTransf = nullptr;
    QWidget *AcercaDe = nullptr;
    QStatusBar *statusbar = nullptr;
    QLabel *Autor = nullptr;
    QLabel *Msg = nullptr;
    TMensaje *spMensaje = nullptr;

    std::unique_ptr<TCoordenadas> Coordenadas;
    uint8_t Convertido = 0;
    uint8_t OpcionesLeidas = 0;
    char DelimArchivo = ',';
    uint8_t LineaInicio = 1;
    uint8_t ColLatX = 0, ColLonY = 0, ColAltura = 0, ColZona = 0;

    void FormCreate();
    void FormClose();

    // ---- "Conversión" tab (conversion*.cpp) ------------------------------------------------------
    // (members of the conversion tab go here)

    // ---- "Archivos" tab, loading: grid, read options, open command (archivos_carga*.cpp) ----------
    void CrearArchivos();   // builds the tab's controls; called while the window is built
    void CerrarArchivos();  // stops and waits for workers (CerrarLote), deletes segments; called by FormClose
    // (members of the loading part go here)

    // ---- "Archivos" tab, convert, workers, save, cell editing (archivos_lote*.cpp) ----------------
    void CrearLote();   // wires convert/save/cell editing; called at the end of CrearArchivos
    void CerrarLote();  // stops the workers and waits for them; called first by CerrarArchivos
    // (members of the convert/save part go here)

protected:
    void closeEvent(QCloseEvent *event) override;
};

// The main window while it exists.
extern TFConv *FConv;
// The folder of the program's executable, ending in a path separator.
extern std::string DirPrograma;
