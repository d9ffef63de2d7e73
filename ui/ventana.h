// TFConv: the main window "Zuvelo II v3.2" with its tabs "Conversión", "Archivos", "Mapa" and
// "Acerca de ...".
// The shell is ventana.cpp; the "Conversión" tab is conversion*.cpp; the "Archivos" tab is
// archivos.cpp (its controls), archivos_abrir.cpp, archivos_convertir.cpp, archivos_guardar.cpp and
// editor_celda.cpp. Controls are found by their object names, which are the member names; what the
// "Archivos" tab holds besides its controls is read through Estado() and Opciones().
#pragma once
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include "UCoords.h"
#include "borde.h"
#include "conteo.h"
#include "dibujo.h"
#include "escritor.h"
#include "exportar.h"
#include "lectura.h"
#include "lote.h"
#include "pedido.h"
#include "segmentos.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TBarProgreso;
class TCarpetaSegmentos;
class TChkMensaje;
class TSoltarArchivo;
class TDialogoAbrir;
class TDialogoGuardar;
class TEventosConversion;
class TGrupoTareas;
class TMapa;
class TMensaje;
class TModeloGrilla;
class TTarea;
class TVistaGrilla;
struct TMotivo;
struct TPuntoMapa;
class QModelIndex;

// The "Conversión" tab's groups: geographic, Gauss-Krüger and UTM on POSGAR 94, geographic and
// Gauss-Krüger on Campo Inchauspe 69 and on POSGAR 2007.
inline constexpr int kGruposConversion = 7;

class TFConv : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFConv(QWidget *parent = nullptr);
    ~TFConv() override;

    // What the "Archivos" tab holds besides its controls.
    struct TEstado {
        // The read options of the last open (Opciones() adds the source kind). ModoDecimal 1: the
        // geographic grid values are decimal degrees (always for GK/UTM).
        TOpcionesLectura Lectura;
        uint8_t OpcionesLeidas = 0;
        uint8_t Convertido = 0;
        uint8_t ArchivoGrande = 0;
        int64_t TotalLineas = 0;
        // The segments of a large file in their private folder, while they exist; BaseSegmento is the
        // base of their names (formatos/segmentos.h), empty when there are none.
        std::shared_ptr<TCarpetaSegmentos> CarpetaSegmentos;
        std::string BaseSegmento;
        // Why a large file could not be split (Windows-1252). The file stays large: convert and save
        // refuse while it is set instead of working on the part shown in the grid.
        std::string FalloSegmentos;
        // Points of the last convert command in the grid (with the extents of result columns 5 and 6),
        // and in the whole file after a background run.
        TConteoPuntos ConteoGrilla, ConteoLote;
        int FilaEditada = 0, ColEditada = 0;  // the data cell last asked for an editor
        // The delimited file last loaded (the file system's bytes), with its size and time of change
        // then: a save that reads it again must find the same file.
        std::string RutaArchivo;
        int64_t TamanoArchivo = -1, CambioArchivo = -1;
        // The selectors when the last convert command ran: the results are of these, whatever the
        // selectors show now.
        struct TAjustes {
            TMarco MarcoFuente = TMarco::Posgar94, MarcoDestino = TMarco::Posgar94;
            TTipoArchivo Fuente = TTipoArchivo::Geografico, Destino = TTipoArchivo::GaussKruger;
        } AjustesConvertidos;
    };
    const TEstado &Estado() const { return archivos_; }
    // The read options in force: those of the last open, the source kind and the angle notation.
    TOpcionesLectura Opciones() const;

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    friend class TEventosConversion;
    friend class TCambioGrupos;

    // connect through the one error boundary: an exception of the slot is shown by spMensaje.
    template <typename Emisor, typename Senal, typename... Slot>
    void Conectar(Emisor *emisor, Senal senal, Slot... slot) {
        ::Conectar(emisor, senal, *spMensaje, slot...);
    }

    // ---- Shell (ventana.cpp) ---------------------------------------------------------------------
    QTabWidget *spSPC = nullptr;
    QWidget *TSConv = nullptr;
    QWidget *TSTransf = nullptr;
    QWidget *AcercaDe = nullptr;
    QStatusBar *statusbar = nullptr;
    QLabel *Autor = nullptr;
    QLabel *Msg = nullptr;
    TMensaje *spMensaje = nullptr;
    TChkMensaje *ChkMensaje = nullptr;        // the application-wide Enter-as-Tab hook
    TSoltarArchivo *SoltarArchivo = nullptr;  // files dropped on the window open in "Archivos"
    std::unique_ptr<TCoordenadas> Coordenadas;
    std::string DirPrograma;  // the folder of the program's executable, ending in a path separator
    bool Cerrada = false;     // FormClose has run

    void FormCreate();
    void FormClose();

    // ---- "Conversión" tab (conversion.cpp, conversion_campos.cpp, conversion_punto.cpp) ------------
    QRadioButton *spSkinCheckRadioBox1 = nullptr;                         // " POSGAR 94    ( WGS 84)"
    QRadioButton *spSkinCheckRadioBox2 = nullptr;                         // " CAMPO INCHAUSPE 69"
    QRadioButton *spSkinCheckRadioBox3 = nullptr;                         // " POSGAR 2007"
    QGroupBox *cGEOgrp = nullptr, *cGKgrp = nullptr, *cUTMgrp = nullptr;  // groups 1 to 3 (POSGAR 94)
    QGroupBox *cGEOIgrp = nullptr, *cGKIgrp = nullptr;                    // groups 4, 5 (Campo Inchauspe)
    QGroupBox *cGEO07grp = nullptr, *cGK07grp = nullptr;                  // groups 6, 7 (POSGAR 2007)
    QGroupBox *cUTMIgrp = nullptr;                                        // combined GK results
    QLineEdit *Elat = nullptr, *ELon = nullptr, *EAlt = nullptr;
    QLineEdit *GKPx = nullptr, *GKPy = nullptr, *GKPf = nullptr;
    QLineEdit *cpX = nullptr, *cpY = nullptr, *cpZ = nullptr;
    QLineEdit *SLat = nullptr, *SLon = nullptr, *SAlt = nullptr;
    QLineEdit *GKIx = nullptr, *GKIy = nullptr, *GKIf = nullptr;
    QLineEdit *G07Lat = nullptr, *G07Lon = nullptr, *G07Alt = nullptr;
    QLineEdit *GK07x = nullptr, *GK07y = nullptr, *GK07f = nullptr;
    QPlainTextEdit *Memo = nullptr;
    TEventosConversion *EventosConversion = nullptr;  // focus and key events of the fields
    int CambiandoGrupos = 0;  // > 0 while tick rules run: focus moves then are no field exits

    struct TGrupoDef;
    static const TGrupoDef kGrupos[kGruposConversion];

    void CrearConversion();
    QGroupBox *Grupo(int n) const;                  // group 1 to 7
    QLineEdit *CampoGrupo(int grupo, int i) const;  // field i (0 to 2) of group 1 to 7
    // Sets a group's tick and always runs its tick event, also when the state does not change.
    void FijarTick(QGroupBox *grupo, bool tildado);
    void LimpiarTodosMenoElGrupo(uint8_t grupo);
    void cGEOgrpChecked();
    void cGKgrpChecked();
    void cUTMgrpChecked();
    void cGEOIgrpChecked();
    void cGKIgrpChecked();
    void cGEO07grpChecked();
    void cGK07grpChecked();
    void TickGrupo(int n);
    void spSkinCheckRadioBox1Click();
    void spSkinCheckRadioBox2Click();
    void spSkinCheckRadioBox3Click();

    // Field checking; used by the interactive fields and by the grid's cell editor.
    bool ChequearEntrada(QLineEdit *campo);
    void EditChange(QLineEdit *sender);
    void ShiftKeyDn(QLineEdit *sender, int key, Qt::KeyboardModifiers shift);
    void ShiftKeyUp(QLineEdit *sender, int key, Qt::KeyboardModifiers shift);
    void EnlazarTeclas(QLineEdit *campo);  // routes the field's keys to ShiftKeyDn / ShiftKeyUp
    void DarFoco(QLineEdit *campo);        // gives the focus to a field as part of a tick change
    void ElatEnter();
    void ELonEnter();
    void SLatEnter();
    void SLonEnter();
    void G07LatEnter();
    void G07LonEnter();

    // Conversions run when the focus leaves the input group's last field: the point of input group
    // 1 to 7 into every other group.
    void ConvertirGrupo(int entrada);
    TPuntoLeido PuntoDelGrupo(int g);
    void EscribirMemo(int entrada, const bool (&lleno)[kGruposConversion + 1]);
    void RechazarEntrada(int grupo, const TMotivo &motivo);
    void EAltExit();
    void GKPyExit();
    void cpZExit();
    void SAltExit();
    void GKIyExit();
    void G07AltExit();
    void GK07yExit();

    // ---- "Archivos" tab (archivos.cpp: controls, kinds, titles) -------------------------------------
    QGroupBox *rgFuente = nullptr;           // "Tipo de Coordenadas Fuente"
    QGroupBox *rgDestino = nullptr;          // "Tipo de Coordenadas Destino"
    QButtonGroup *BotonesFuente = nullptr;   // ids 0 POSGAR 94, 1 Campo Inchauspe 69
    QButtonGroup *BotonesDestino = nullptr;  // ids 0 POSGAR 94, 1 Campo Inchauspe 69
    QLabel *Label5 = nullptr;
    QComboBox *cbFuente = nullptr;  // " GEO", " GK", " UTM", " GPS"
    QLabel *Label6 = nullptr;
    QComboBox *cbDestino = nullptr;  // "GEO", " GK", " UTM"
    QToolButton *skAbrir = nullptr;
    QToolButton *Guardar = nullptr;
    QToolButton *spSkinXFormButton1 = nullptr;  // "Convertir"
    QPushButton *spOpcArch = nullptr;           // "Opciones de Archivo"
    QGroupBox *GrupoGrilla = nullptr;           // "Grilla de Conversión"
    TModeloGrilla *ModeloGrilla = nullptr;
    TVistaGrilla *Grilla = nullptr;
    TBarProgreso *BarProgreso = nullptr;  // "Procesando ..."
    TDialogoAbrir *OD = nullptr;          // "Abrir Archivo"
    TDialogoGuardar *SD = nullptr;        // "Guardar Archivo"
    TEstado archivos_;

    void CrearArchivos();
    void CerrarArchivos();  // stops and waits for the workers, deletes the segments
    // The kinds chosen in cbFuente and cbDestino, whose items follow TTipoArchivo.
    TTipoArchivo TipoFuente() const;
    TTipoArchivo TipoDestino() const;
    TMarco MarcoFuente() const;  // the chosen button's frame
    TMarco MarcoDestino() const;
    void cbFuenteChange(int item);
    void cbDestinoChange(int item);
    // Stores the text of an open in-place editor (the grid's own or Campo) before a command reads the
    // grid.
    void TerminarEdicion();
    // Convert and save refuse a large file whose split failed; true when refused (and said).
    bool RechazarArchivoIncompleto();

    // ---- Opening (archivos_abrir.cpp) --------------------------------------------------------------
    void skAbrirclick();
    // A file dropped on the window: opened as the open command opens the file chosen in its dialog.
    void ArchivoSoltado(const QString &nombre);
    void EmpezarApertura();                      // what every open does before the file is known
    void AbrirArchivo(const std::string &ruta);  // a waypoint file, or the read options and the load
    void spOpcArchClick();
    void AplicarOpcionesYCargar(const std::string &ruta);  // copies the accepted read options, loads
    // The file about to be loaded: its path, size, time and lines, and whether it is large.
    void AnotarArchivo(const std::string &ruta);
    void CargarArchivo(const std::string &ruta);
    void LeerArchivoGPS(const std::string &ruta);
    void Segmentar(const std::string &ruta);
    void BorrarSegmentos();

    // ---- Converting and the background run (archivos_convertir.cpp) --------------------------------
    TGrupoTareas *GrupoTareas = nullptr;
    TTarea *Tarea1 = nullptr, *Tarea2 = nullptr, *Tarea3 = nullptr, *Tarea4 = nullptr;
    std::unique_ptr<TCoordenadas> CoordTarea1, CoordTarea2, CoordTarea3, CoordTarea4;
    uint8_t SegmentoSiguiente = 0;
    // Frozen for one background run: read options, segment base; per segment, its summary, whether
    // it completed and the error that ended it (Windows-1252).
    std::shared_ptr<const TOpcionesLectura> opcLote_;
    std::string baseLote_;
    std::array<TResumenLote, kSegmentos> resumenLote_;
    std::array<bool, kSegmentos> segmentoCompleto_{};
    std::array<std::string, kSegmentos> falloSegmento_;

    void CrearLote();
    void CerrarLote();  // stops the workers and waits for them
    // True while the background run is active; with `avisar` it also tells the user that the command
    // must wait. Commands that delete, rewrite or read segment files call this first.
    bool LoteEnCurso(bool avisar = true);
    void skTransfclick();
    bool HayQueConvertir();  // there is something to convert, and the columns it needs; else says why
    void ConvertirFilas();   // the grid's rows by the point rule, their results or reasons beside them
    void GrupoTareasStart();
    void Tarea1Start(TTarea *tarea);
    // On the worker's thread: converts the member's segment with its own conversion object.
    void Tarea1Execute(TTarea &tarea, TCoordenadas &coord);
    void GrupoTareasThreadTerminate(TTarea *tarea);
    void GrupoTareasTerminate();
    void Tarea1Terminate(TTarea *tarea);
    void InformarConversion();
    // A row's input edited after the convert command: its results are gone, the counts follow.
    void GrillaEntradaEditada(int fila, bool convertida, bool fallida);
    int64_t FilasSinConvertir() const;  // grid rows with input, no results and no failure mark
    void InformarLote();
    void AjustarColumnasResultado();
    // "Cancelar" of the progress dialog: the background run or save stops at its next block.
    void BarProgresoCancelado();
    bool loteCancelado_ = false;  // the current background run was cancelled

    // ---- Saving (archivos_guardar.cpp) -------------------------------------------------------------
    std::string MotivoGuardar;  // why the last save failed (Windows-1252); empty when declined
    int PrjGuardado = 0;        // the last .csv saved: 1 with its .prj, -1 without (several strips or zones)
    void skGuardarclick();
    TConteoPuntos PuntosAGuardar() const;
    // False when the user declines to replace an existing file.
    bool ConfirmarReemplazo(const QString &fileName);
    // The outcome of a save of this format, with the failed points' count and what became of them.
    void InformarGuardado(TFormatoSalida formato, bool bien, int64_t convertidos, int64_t fallidos,
                          int64_t nombresCambiados = 0);
    void GuardarDAT(const QString &fileName, const TConteoPuntos &puntos);
    void GuardarDXF(const QString &fileName, const TConteoPuntos &puntos);
    bool MakeDAT(const QString &fileName);
    bool MakeDXF(const QString &fileName, const TLimitesDibujo &limites);
    void DXFPuntos(TDibujoPuntos &dibujo);

    // ---- Files for other programs (archivos_exportar.cpp) --------------------------------------------
    // CSV, GeoJSON, KML and GPX: a grid-sized file from the grid's rows; a large one by converting the
    // loaded file again, whole, with zuvelo-convert's pipeline on a thread of its own.
    TGrupoTareas *GrupoGuardar = nullptr;
    TTarea *TareaGuardar = nullptr;
    TPedido pedidoGuardar_;  // set before the thread starts, unchanged while it runs
    TInforme informeGuardar_;
    TFormatoSalida formatoGuardar_ = TFormatoSalida::Csv;

    void CrearGuardarFondo();
    void GuardarPuntos(const QString &fileName, TFormatoSalida formato, const TConteoPuntos &puntos);
    bool MakePuntos(const QString &fileName, TFormatoSalida formato);
    void GuardarGrande(const QString &fileName, TFormatoSalida formato);
    TPedido PedidoDelArchivo() const;  // the loaded file as its last convert command read it
    void TareaGuardarTerminate(TTarea *tarea);

    // ---- "Mapa" tab (archivos_mapa.cpp; the tab itself is mapa.cpp) ---------------------------------
    TMapa *Mapa = nullptr;
    bool puntosViejos_ = true, marcaVieja_ = true;  // to be read again when the tab shows
    bool ajustarMapa_ = true;                       // fit the view to the points read next
    bool mapaPedido_ = false;                       // a reading of the points is queued

    void CrearMapa();
    void spSPCChange();            // the tab shown changed
    void MapaViejo(bool ajustar);  // the grid or its source changed; `ajustar`: a new set of points
    bool LoteCompleto() const;     // the background run converted the whole large file
    void ActualizarMapa();
    void PuntosDeLaGrilla(std::vector<TPuntoMapa> &puntos, int64_t &sinLugar);
    void PuntosDelLote(std::vector<TPuntoMapa> &puntos, int64_t &sinLugar);
    QString TextoPuntoMapa(const TPuntoMapa &p) const;
    void MapaPuntoElegido(int fila);
    void GrillaPuntoDobleClick(const QModelIndex &indice);

    // ---- The cell editor Campo (editor_celda.cpp) --------------------------------------------------
    QLineEdit *Campo = nullptr;  // masked editor laid over a geographic cell
    bool editandoCampo_ = false;
    std::string textoCampo_;  // the text Campo was opened with
    QString msgAntesDeCampo_;

    void CrearCampo();
    bool GrillaGetEditText(int col, int fila, const std::string &valor);  // true: Campo edits it
    void CampoChange();
    void CampoExit();
};
