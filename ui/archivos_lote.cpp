// The "Archivos" tab's convert command: the checks, the grid rows converted on the window's thread,
// the extents of the results, and the background run of four workers over the ten segments.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QToolButton>
#include <limits>

#include "TFConv.h"
#include "archivos_carga.h"
#include "archivos_lote_dialogo.h"
#include "grilla_modelo.h"
#include "grilla_vista.h"
#include "lectura.h"
#include "lote.h"
#include "mensaje.h"
#include "progreso.h"
#include "segmentos.h"
#include "tareas.h"
#include "texto_error.h"
#include "texto_qt.h"
#include "Validate.h"

namespace {
const char kSinDatos[] = "Error: No hay datos para convertir.";
const char kSinZona[] = "Error: No se ha indicado la ZONA de las coordenadas.";
const char kEnCurso[] = "Hay una conversi\xF3n en curso. Espere a que termine.";
const char kEtiquetaLote[] = "Estado de Conversi\xF3n:";
}  // namespace

void TFConv::CrearLote() {
    GrupoTareas = new TGrupoTareas(this);
    GrupoTareas->setObjectName("GrupoTareas");
    // The members are children of the group: the group stops and waits for them before they go.
    Tarea1 = new TTarea(GrupoTareas, GrupoTareas);
    Tarea2 = new TTarea(GrupoTareas, GrupoTareas);
    Tarea3 = new TTarea(GrupoTareas, GrupoTareas);
    Tarea4 = new TTarea(GrupoTareas, GrupoTareas);
    Tarea1->setObjectName("Tarea1");
    Tarea2->setObjectName("Tarea2");
    Tarea3->setObjectName("Tarea3");
    Tarea4->setObjectName("Tarea4");
    Tarea1->FijarEjecucion([this](TTarea &t) { Tarea1Execute(t); });
    Tarea2->FijarEjecucion([this](TTarea &t) { Tarea2Execute(t); });
    Tarea3->FijarEjecucion([this](TTarea &t) { Tarea3Execute(t); });
    Tarea4->FijarEjecucion([this](TTarea &t) { Tarea4Execute(t); });
    connect(GrupoTareas, &TGrupoTareas::Inicio, this, &TFConv::GrupoTareasStart);
    connect(GrupoTareas, &TGrupoTareas::FinHilo, this, &TFConv::GrupoTareasThreadTerminate);
    connect(GrupoTareas, &TGrupoTareas::Fin, this, &TFConv::GrupoTareasTerminate);
    for (TTarea *t : {Tarea1, Tarea2, Tarea3, Tarea4}) {
        connect(t, &TTarea::Iniciada, this, &TFConv::Tarea1Start);
        connect(t, &TTarea::Terminada, this, &TFConv::Tarea1Terminate);
    }

    SD = new TDialogoGuardar(this);
    connect(spSkinXFormButton1, &QAbstractButton::clicked, this, &TFConv::skTransfclick);
    connect(Guardar, &QAbstractButton::clicked, this, &TFConv::skGuardarclick);
    CrearCampo();
}

void TFConv::CerrarLote() {
    // No end events fire: the progress dialog and the conversion objects are left to us.
    if (GrupoTareas) GrupoTareas->DetenerYEsperar();
    CoordTarea1.reset();
    CoordTarea2.reset();
    CoordTarea3.reset();
    CoordTarea4.reset();
}

bool TFConv::LoteEnCurso(bool avisar) {
    const bool enCurso = GrupoTareas && GrupoTareas->Corriendo() > 0;
    if (enCurso && avisar) spMensaje->Mostrar(TMensaje::Informacion, AQString(kEnCurso), TMensaje::Ok);
    return enCurso;
}

void TFConv::skTransfclick() {
    // The convert button takes no focus: a cell still in its editor is stored first (the grid's
    // reset below would otherwise drop the typed text).
    if (auto *vista = qobject_cast<TVistaGrilla *>(Grilla)) vista->TerminarEdicion();
    if (Campo->isVisible()) CampoExit();
    // A new run would rewrite the output segments the workers are writing.
    if (LoteEnCurso()) return;
    if (ArchivoGrande == 1 && !FalloSegmentos.empty()) {
        spMensaje->Mostrar(TMensaje::Error,
                           AQString(kMensajeArchivoIncompleto + std::string("\n\r") + FalloSegmentos),
                           TMensaje::Ok);
        return;
    }
    TModeloGrilla &g = *ModeloGrilla;
    const int fuente = cbFuente->currentIndex();
    if (g.Celda(2, 1).empty() || (OpcionesLeidas == 1 && (ColLatX == 0 || ColLonY == 0))) {
        spMensaje->Mostrar(TMensaje::Error, AQString(kSinDatos), TMensaje::Ok);
        return;
    }
    if (fuente == 2 && ColZona == 0 && OpcionesLeidas == 1) {
        spMensaje->Mostrar(TMensaje::Error, AQString(kSinZona), TMensaje::Ok);
        return;
    }

    MinimoX = MinimoY = std::numeric_limits<long double>::max();
    MaximoX = MaximoY = std::numeric_limits<long double>::lowest();
    const int destino = cbDestino->currentIndex();
    ConfigurarCoordenadas(*Coordenadas, MarcoFuente(), MarcoDestino(), fuente, destino);

    TCoordenadas &c = *Coordenadas;
    g.EmpezarCambioMasivo();
    for (int fila = 2; fila < g.Filas(); ++fila) {
        const std::string &c1 = g.Celda(fila, 1);
        if (c1.empty()) continue;
        const std::string &c2 = g.Celda(fila, 2);
        bool valida;
        if (ModoDecimal == 1) {
            valida = EsNumero(c1) && EsNumero(c2);
        } else {
            Formato->FijarLatitud();
            valida = Formato->EsValida(c1);
            Formato->FijarLongitud();
            valida = Formato->EsValida(c2) && valida;
        }
        valida = EsNumero(g.Celda(fila, 3)) && EsNumero(g.Celda(fila, 4)) && valida;
        // A value longer than its field would be cut into another value (zone 000021 into 2).
        valida = valida && c1.size() <= 30 && c2.size() <= 30 && g.Celda(fila, 3).size() <= 30 &&
                 g.Celda(fila, 4).size() <= 5;
        if (!valida) continue;
        TPuntoLeido punto;
        punto.Coord1 = c1;
        punto.Coord2 = c2;
        punto.Coord3 = g.Celda(fila, 3);
        punto.Zona = g.Celda(fila, 4);
        punto.EnDecimal = ModoDecimal;
        c.Entrada.Coord1 = c1;
        c.Entrada.Coord2 = c2;
        c.Entrada.Coord3 = g.Celda(fila, 3);
        c.Entrada.Zona = g.Celda(fila, 4);
        c.Entrada.EnDecimal = ModoDecimal;
        bool convertida;
        try {
            // The rows are held to the same rules as the lines of the background run: a value
            // that would read as 0 or a lower-case hemisphere letter fails instead of converting
            // to a wrong place.
            convertida = MotivoRechazo(punto, c).empty() && c.Convertir();
        } catch (const std::exception &) {
            // A degree or zone field that is not a whole number fails this row only.
            convertida = false;
        }
        if (!convertida) continue;
        g.FijarCelda(fila, 5, c.Salida.Coord1);
        g.FijarCelda(fila, 6, c.Salida.Coord2);
        g.FijarCelda(fila, 7, c.Salida.Coord3);
        if (destino > 0) g.FijarCelda(fila, 8, c.Salida.Zona);
        // Degrees-minutes-seconds results of a geographic destination do not read as numbers and
        // leave the extents alone; the drawing needs plane coordinates anyway.
        long double x, y;
        if (LeerReal(c.Salida.Coord1.str(), x) && LeerReal(c.Salida.Coord2.str(), y)) {
            if (x < MinimoX) MinimoX = x;
            if (x > MaximoX) MaximoX = x;
            if (y < MinimoY) MinimoY = y;
            if (y > MaximoY) MaximoY = y;
        }
    }
    g.TerminarCambioMasivo();

    if (ArchivoGrande == 1) {
        // Everything the workers read is frozen here, before the first thread starts.
        opcLote_ = std::make_shared<const TOpcionesLectura>(Opciones());
        baseLote_ = BaseSegmento;
        for (bool &b : segmentoCompleto_) b = false;
        for (std::string &f : falloSegmento_) f.clear();
        GrupoTareas->Iniciar();
    }
    Convertido = 1;
}

void TFConv::GrupoTareasStart() {
    SegmentoSiguiente = 0;
    const int mf = MarcoFuente(), md = MarcoDestino();
    const int tf = cbFuente->currentIndex(), td = cbDestino->currentIndex();
    for (std::unique_ptr<TCoordenadas> *c : {&CoordTarea1, &CoordTarea2, &CoordTarea3, &CoordTarea4}) {
        *c = std::make_unique<TCoordenadas>();
        ConfigurarCoordenadas(**c, mf, md, tf, td);
    }
    BarProgreso->FijarEtiqueta(AQString(kEtiquetaLote));
    BarProgreso->FijarValor(0);
    BarProgreso->Mostrar();
}

void TFConv::Tarea1Start(TTarea *tarea) {
    tarea->Segmento = SegmentoSiguiente++;
}

void TFConv::Tarea1Execute(TTarea &tarea) {
    ConvertirSegmentoTarea(tarea, *CoordTarea1);
}
void TFConv::Tarea2Execute(TTarea &tarea) {
    ConvertirSegmentoTarea(tarea, *CoordTarea2);
}
void TFConv::Tarea3Execute(TTarea &tarea) {
    ConvertirSegmentoTarea(tarea, *CoordTarea3);
}
void TFConv::Tarea4Execute(TTarea &tarea) {
    ConvertirSegmentoTarea(tarea, *CoordTarea4);
}

// On the worker's thread: only its own segment number, conversion object and two files, and the
// frozen read options and base. A bad line writes the failed-result line and the pass goes on.
void TFConv::ConvertirSegmentoTarea(TTarea &tarea, TCoordenadas &coord) {
    const int k = tarea.Segmento;
    try {
        ConvertirSegmento(SegmentoEntrada(baseLote_, k), SegmentoSalida(baseLote_, k), *opcLote_, coord,
                          tarea.Detener());
    } catch (const std::exception &e) {
        falloSegmento_[k] = TextoError(e);  // for the save's message
        throw;
    }
    // Read on the window's thread only after this thread has ended.
    segmentoCompleto_[k] = !tarea.DetencionPedida();
}

void TFConv::GrupoTareasThreadTerminate(TTarea *tarea) {
    if (SegmentoSiguiente < kSegmentos) tarea->Iniciar();
}

void TFConv::GrupoTareasTerminate() {
    CoordTarea1.reset();
    CoordTarea2.reset();
    CoordTarea3.reset();
    CoordTarea4.reset();
}

void TFConv::Tarea1Terminate(TTarea *) {
    BarProgreso->Sumar(10);
}
