// TFConv: the main window "Zuvelo II v3.2" with its tabs "Conversión", "Archivos" and "Acerca de ...".
// The shell lives in TFConv.cpp, the "Conversión" tab in conversion*.cpp and the "Archivos" tab in
// archivos*.cpp; each tab declares its own members in its region below.
#pragma once
#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include "UCoords.h"
#include "lote.h"

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
    class TChkMensaje *ChkMensaje = nullptr;  // the application-wide Enter-as-Tab hook (ui/aplicacion.h)
    bool Cerrada = false;                     // FormClose has run

    // ---- "Conversión" tab (conversion*.cpp) ------------------------------------------------------
    QRadioButton *spSkinCheckRadioBox1 = nullptr;                         // " POSGAR 94    ( WGS 84)"
    QRadioButton *spSkinCheckRadioBox2 = nullptr;                         // " CAMPO INCHAUSPE 69"
    QGroupBox *cGEOgrp = nullptr, *cGKgrp = nullptr, *cUTMgrp = nullptr;  // groups 1 to 3 (POSGAR 94)
    QGroupBox *cGEOIgrp = nullptr, *cGKIgrp = nullptr;                    // groups 4, 5 (Campo Inchauspe)
    QGroupBox *cUTMIgrp = nullptr;                                        // combined GK results
    QLineEdit *Elat = nullptr, *ELon = nullptr, *EAlt = nullptr;
    QLineEdit *GKPx = nullptr, *GKPy = nullptr, *GKPf = nullptr;
    QLineEdit *cpX = nullptr, *cpY = nullptr, *cpZ = nullptr;
    QLineEdit *SLat = nullptr, *SLon = nullptr, *SAlt = nullptr;
    QLineEdit *GKIx = nullptr, *GKIy = nullptr, *GKIf = nullptr;
    QPlainTextEdit *Memo = nullptr;
    class TEventosConversion *EventosConversion = nullptr;  // focus and key events of the fields
    int CambiandoGrupos = 0;  // > 0 while tick rules run: focus moves then are no field exits

    void CrearConversion();         // builds the tab's controls; called while the window is built
    QGroupBox *Grupo(int n) const;  // group 1 to 5
    QLineEdit *CampoGrupo(int grupo, int i) const;  // field i (0 to 2) of group 1 to 5
    // Sets a group's tick and always runs its tick event, also when the state does not change.
    void FijarTick(QGroupBox *grupo, bool tildado);
    void LimpiarTodosMenoElGrupo(uint8_t grupo);
    void cGEOgrpChecked(QObject *sender);
    void cGKgrpChecked(QObject *sender);
    void cUTMgrpChecked(QObject *sender);
    void cGEOIgrpChecked(QObject *sender);
    void cGKIgrpChecked(QObject *sender);
    void TickGrupo(int n);
    void spSkinCheckRadioBox1Click(QObject *sender);
    void spSkinCheckRadioBox2Click(QObject *sender);

    // Field checking; usable by any QLineEdit of the window (the grid's cell editor too).
    bool ChequearEntrada(QLineEdit *campo);
    void EditChange(QLineEdit *sender);
    void ShiftKeyDn(QLineEdit *sender, int key, Qt::KeyboardModifiers shift);
    void ShiftKeyUp(QLineEdit *sender, int key, Qt::KeyboardModifiers shift);
    // Routes the field's key presses and releases to ShiftKeyDn / ShiftKeyUp.
    void EnlazarTeclas(QLineEdit *campo);
    void ElatEnter(QObject *sender);
    void ELonEnter(QObject *sender);
    void SLatEnter(QObject *sender);
    void SLonEnter(QObject *sender);

    // Conversions run when the focus leaves the input group's last field.
    void ConvertirGrupo(int entrada);  // the point of input group 1 to 5 into every other group
    void RechazarEntrada(int grupo, const struct TMotivo &motivo);
    void EAltExit(QObject *sender);
    void GKPyExit(QObject *sender);
    void cpZExit(QObject *sender);
    void SAltExit(QObject *sender);
    void GKIyExit(QObject *sender);

    // ---- "Archivos" tab, loading: grid, read options, open command (archivos_carga*.cpp) ----------
    void CrearArchivos();   // builds the tab's controls; called while the window is built
    void CerrarArchivos();  // stops and waits for workers (CerrarLote), deletes segments; called by FormClose
    // Controls of the tab (ui/archivos_carga.h has the helper classes).
    class QGroupBox *rgFuente = nullptr;           // "Tipo de Coordenadas Fuente"
    class QGroupBox *rgDestino = nullptr;          // "Tipo de Coordenadas Destino"
    class QButtonGroup *BotonesFuente = nullptr;   // ids 0 POSGAR 94, 1 Campo Inchauspe 69
    class QButtonGroup *BotonesDestino = nullptr;  // ids 0 POSGAR 94, 1 Campo Inchauspe 69
    class QLabel *Label5 = nullptr;
    class QComboBox *cbFuente = nullptr;  // " GEO", " GK", " UTM", " GPS"
    class QLabel *Label6 = nullptr;
    class QComboBox *cbDestino = nullptr;  // "GEO", " GK", " UTM"
    class QToolButton *skAbrir = nullptr;
    class QToolButton *Guardar = nullptr;             // save command (archivos_lote)
    class QToolButton *spSkinXFormButton1 = nullptr;  // convert command (archivos_lote)
    class QPushButton *spOpcArch = nullptr;           // "Opciones de Archivo"
    class QGroupBox *GrupoGrilla = nullptr;           // "Grilla de Conversión"
    class TModeloGrilla *ModeloGrilla = nullptr;      // rows of texts (ui/grilla_modelo.h)
    class QTableView *Grilla = nullptr;               // a TVistaGrilla (ui/grilla_vista.h)
    class TBarProgreso *BarProgreso = nullptr;        // "Procesando ..." (ui/progreso.h)
    class TDialogoAbrir *OD = nullptr;                // "Abrir Archivo"; tests set the next name

    // Load state (ColLatX ... are in the shell region above).
    uint8_t ModoDecimal = 0;  // 1: geographic grid values are decimal degrees (always for GK/UTM)
    uint8_t ArchivoGrande = 0;
    int64_t TotalLineas = 0;
    std::string BaseSegmento;  // base of the segment names (files/segmentos.h); empty when none exist
    std::shared_ptr<class TCarpetaSegmentos> CarpetaSegmentos;  // their private folder, while they exist
    // Why a large file could not be split (Windows-1252). The file stays large: convert and save
    // refuse while it is set instead of working on the part shown in the grid.
    std::string FalloSegmentos;

    // Before an in-place editor opens on a data cell: true when the caller edits it itself.
    std::function<bool(int fila, int col, const std::string &texto)> AlEditarCelda;

    int MarcoFuente() const;                   // 0 POSGAR 94, 1 Campo Inchauspe 69
    int MarcoDestino() const;                  // 0 POSGAR 94, 1 Campo Inchauspe 69
    struct TOpcionesLectura Opciones() const;  // read options in force, source kind, ModoDecimal

    void skAbrirclick();
    void spOpcArchClick();
    void cbFuenteChange(int item);
    void cbDestinoChange(int item);
    void CargarArchivo(const std::string &ruta);
    void LeerArchivoGPS(const std::string &ruta);
    void Segmentar(const std::string &ruta);
    void BorrarSegmentos();
    void MostrarLinea(const std::string &linea, int numero);
    void AplicarOpcionesYCargar(const std::string &ruta);  // copies the accepted read options, loads
    void AlBordeCarga(const std::function<void()> &f);     // runs a command; file errors become a message

    // ---- "Archivos" tab, convert, workers, save, cell editing (archivos_lote*.cpp) ----------------
    void CrearLote();   // wires convert/save/cell editing; called at the end of CrearArchivos
    void CerrarLote();  // stops the workers and waits for them; called first by CerrarArchivos
    // True while the background run is active; with `avisar` it also tells the user that the
    // command must wait. Commands that delete, rewrite or read segment files call this first.
    bool LoteEnCurso(bool avisar = true);
    class TGrupoTareas *GrupoTareas = nullptr;  // Tarea1 .. Tarea4 (ui/tareas.h)
    class TTarea *Tarea1 = nullptr, *Tarea2 = nullptr, *Tarea3 = nullptr, *Tarea4 = nullptr;
    class TDialogoGuardar *SD = nullptr;  // "Guardar Archivo"; tests set the next name and filter
    QLineEdit *Campo = nullptr;           // masked editor laid over a geographic cell
    std::unique_ptr<TCoordenadas> CoordTarea1, CoordTarea2, CoordTarea3, CoordTarea4;
    uint8_t SegmentoSiguiente = 0;
    // Extents of result columns 5 (X) and 6 (Y) over the rows of the last convert command; with no
    // row read as numbers, Minimo > Maximo.
    long double MinimoX = 0, MaximoX = 0, MinimoY = 0, MaximoY = 0;
    // Points of the last convert command: in the grid, and in the whole file after a background run.
    struct TConteoGrilla {
        int64_t Convertidos = 0, Fallidos = 0;
        int64_t OtroModo = 0;  // failed rows that the other angle notation would read
    } ConteoGrilla, ConteoLote;
    int ColEditada = 0, FilaEditada = 0;

    void skTransfclick();
    void GrupoTareasStart();
    void Tarea1Start(TTarea *tarea);
    void Tarea1Execute(TTarea &tarea);
    void Tarea2Execute(TTarea &tarea);
    void Tarea3Execute(TTarea &tarea);
    void Tarea4Execute(TTarea &tarea);
    void GrupoTareasThreadTerminate(TTarea *tarea);
    void GrupoTareasTerminate();
    void Tarea1Terminate(TTarea *tarea);
    void skGuardarclick();
    bool MakeDAT(const QString &fileName);
    std::string MotivoGuardar;  // why the last MakeDAT failed (Windows-1252); empty when declined
    bool MakeDXF(const QString &fileName, const struct TLimitesDibujo &limites);
    void DXFPuntos(class TDibujoPuntos &dibujo);
    struct TExtension ExtensionConvertida() const;  // MinimoX .. MaximoY
    void InformarConversion(const TConteoGrilla &conteo, const struct TMotivo &primero);
    void InformarLote();
    void AjustarColumnasResultado();
    bool GrillaGetEditText(int col, int fila, const std::string &valor);  // true: Campo edits it
    void CampoChange();
    void CampoExit();

  private:
    void ConvertirSegmentoTarea(TTarea &tarea, TCoordenadas &coord);
    void CrearCampo();
    // Frozen for one background run: read options, segment base and which segments completed.
    std::shared_ptr<const struct TOpcionesLectura> opcLote_;
    std::string baseLote_;
    bool segmentoCompleto_[10] = {};
    struct TResumenLote resumenLote_[10];
    std::string falloSegmento_[10];  // the error that ended a segment's pass (Windows-1252)
    bool editandoCampo_ = false;
    std::string textoCampo_;  // the text Campo was opened with
    QString msgAntesDeCampo_;

  public:
  protected:
    void closeEvent(QCloseEvent *event) override;
};

// "3 puntos convertidos, 1 con error".
std::string TextoConteo(int64_t convertidos, int64_t fallidos);

// The main window while it exists.
extern TFConv *FConv;
// The folder of the program's executable, ending in a path separator.
extern std::string DirPrograma;
