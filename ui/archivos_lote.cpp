// The "Archivos" tab's convert command: the checks, the grid rows converted on the window's thread,
// the extents of the results, and the background run of four workers over the ten segments.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QFontMetrics>
#include <QTableView>
#include <algorithm>
#include <limits>

#include "TFConv.h"
#include "archivos_carga.h"
#include "archivos_lote_dialogo.h"
#include "grilla_modelo.h"
#include "grilla_vista.h"
#include "lectura.h"
#include "dibujo.h"
#include "lote.h"
#include "punto.h"
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

    const int destino = cbDestino->currentIndex();
    ConfigurarCoordenadas(*Coordenadas, MarcoFuente(), MarcoDestino(), fuente, destino);
    TCoordenadas &c = *Coordenadas;
    TExtension extension;
    TConteoGrilla conteo;
    TPuntoLeido punto;
    TMotivo motivo, primero;
    g.EmpezarCambioMasivo();
    for (int fila = 2; fila < g.Filas(); ++fila) {
        if (g.Celda(fila, 1).empty()) {
            g.FijarFallo(fila, std::string());
            continue;
        }
        // The row is held to the point rule every path follows: a value that cannot be read for sure
        // fails the row with its reason instead of converting to a wrong place.
        punto.Coord1 = g.Celda(fila, 1);
        punto.Coord2 = g.Celda(fila, 2);
        punto.Coord3 = g.Celda(fila, 3);
        punto.Zona = g.Celda(fila, 4);
        punto.EnDecimal = ModoDecimal;
        if (!ConvertirPunto(punto, c, motivo)) {
            // No result of an earlier conversion may stay beside the row.
            for (int col = 5; col <= 8; ++col) g.FijarCelda(fila, col, std::string());
            g.FijarFallo(fila, TextoMotivo(motivo, TIdioma::Espanol));
            if (conteo.Fallidos++ == 0) primero = motivo;
            // Would the other angle notation read it?
            if (fuente == 0 || fuente == 3) {
                punto.EnDecimal = ModoDecimal == 1 ? 0 : 1;
                TCoordenadas otra = c;
                TMotivo m;
                if (ConvertirPunto(punto, otra, m)) ++conteo.OtroModo;
            }
            continue;
        }
        ++conteo.Convertidos;
        g.FijarFallo(fila, std::string());
        g.FijarCelda(fila, 5, c.Salida.Coord1);
        g.FijarCelda(fila, 6, c.Salida.Coord2);
        g.FijarCelda(fila, 7, c.Salida.Coord3);
        if (destino > 0) g.FijarCelda(fila, 8, c.Salida.Zona);
        // Degrees-minutes-seconds results of a geographic destination do not read as numbers and
        // leave the extents alone; the drawing needs plane coordinates anyway.
        long double x, y;
        if (LeerReal(c.Salida.Coord1.str(), x) && LeerReal(c.Salida.Coord2.str(), y)) extension.Ampliar(x, y);
    }
    g.TerminarCambioMasivo();
    MinimoX = extension.MinN;
    MaximoX = extension.MaxN;
    MinimoY = extension.MinE;
    MaximoY = extension.MaxE;
    ConteoGrilla = conteo;
    AjustarColumnasResultado();
    InformarConversion(conteo, primero);

    if (ArchivoGrande == 1) {
        // Everything the workers read is frozen here, before the first thread starts.
        opcLote_ = std::make_shared<const TOpcionesLectura>(Opciones());
        baseLote_ = BaseSegmento;
        for (bool &b : segmentoCompleto_) b = false;
        for (TResumenLote &r : resumenLote_) r = TResumenLote();
        for (std::string &f : falloSegmento_) f.clear();
        GrupoTareas->Iniciar();
    }
    Convertido = 1;
}

namespace {
std::string Cantidad(int64_t n, const char *uno, const char *varios) {
    return std::to_string(n) + " " + (n == 1 ? uno : varios);
}
}  // namespace

std::string TextoConteo(int64_t convertidos, int64_t fallidos) {
    std::string s = Cantidad(convertidos, "punto convertido", "puntos convertidos");
    if (fallidos > 0) s += ", " + Cantidad(fallidos, "con error", "con error");
    return s;
}

void TFConv::InformarConversion(const TConteoGrilla &conteo, const TMotivo &primero) {
    std::string estado = TextoConteo(conteo.Convertidos, conteo.Fallidos);
    if (ArchivoGrande == 1) estado += " en la grilla; el archivo completo se convierte en segundo plano";
    std::string pista;
    // Every row failed, yet most of them read in the other notation: the file was read in the wrong one.
    if (conteo.Convertidos == 0 && conteo.Fallidos > 0 && conteo.OtroModo * 2 > conteo.Fallidos)
        pista = ModoDecimal == 0 ? "\xBFLos \xE1ngulos est\xE1n en grados decimales?"
                                 : "\xBFLos \xE1ngulos est\xE1n en grados, minutos y segundos?";
    Msg->setText(AQString(pista.empty() ? estado : estado + ". " + pista));
    if (conteo.Convertidos == 0 && conteo.Fallidos > 0) {
        std::string texto =
            "Ning\xFAn punto se pudo convertir.\n" + TextoMotivo(primero, TIdioma::Espanol) + ".";
        if (!pista.empty()) texto += "\n" + pista;
        spMensaje->Mostrar(TMensaje::Error, AQString(texto), TMensaje::Ok);
    }
}

// Degrees-minutes-seconds texts are wider than the columns' 120 pixels: the columns that hold them
// grow to their longest text (of the rows a view measures), never shrink.
void TFConv::AjustarColumnasResultado() {
    const TModeloGrilla &g = *ModeloGrilla;
    const QFontMetrics medida(Grilla->font());
    const int hasta = std::min(g.Filas(), TModeloGrilla::kFilasTitulo + 1000);
    for (int col : {1, 2, 5, 6}) {
        int ancho = 0;
        for (int fila = TModeloGrilla::kFilasTitulo; fila < hasta; ++fila) {
            const std::string &t = g.Celda(fila, col);
            if (t.find('\xB0') != std::string::npos)
                ancho = std::max(ancho, medida.horizontalAdvance(AQString(t)));
        }
        if (ancho > 0) Grilla->setColumnWidth(col, std::max(Grilla->columnWidth(col), ancho + 12));
    }
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
        resumenLote_[k] = ConvertirSegmento(SegmentoEntrada(baseLote_, k), SegmentoSalida(baseLote_, k),
                                            *opcLote_, coord, tarea.Detener());
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
    InformarLote();
}

// The whole file's counts replace the grid's, and the first failed lines are named with their
// line numbers in the file (segment k holds the data lines from k * per on).
void TFConv::InformarLote() {
    ConteoLote = TConteoGrilla();
    for (int k = 0; k < kSegmentos; ++k) {
        if (!segmentoCompleto_[k]) return;  // stopped: nothing to report
        ConteoLote.Convertidos += resumenLote_[k].Convertidos;
        ConteoLote.Fallidos += resumenLote_[k].Fallidos + resumenLote_[k].SinPunto - resumenLote_[k].Vacias;
    }
    Msg->setText(AQString("Archivo completo: " + TextoConteo(ConteoLote.Convertidos, ConteoLote.Fallidos)));
    if (ConteoLote.Fallidos == 0) return;
    const int64_t por = TotalLineas / kSegmentos;
    const int64_t primera = std::max<int64_t>(1, LineaInicio);
    std::string texto = "Archivo completo: " + TextoConteo(ConteoLote.Convertidos, ConteoLote.Fallidos) + ".";
    int listados = 0;
    for (int k = 0; k < kSegmentos && listados < 10; ++k)
        for (const TFalloLinea &f : resumenLote_[k].Fallos) {
            if (listados++ == 10) break;
            texto += "\nL\xEDnea " + std::to_string(primera + k * por + f.Linea - 1) + ": " +
                     TextoMotivo(f.Motivo, TIdioma::Espanol);
        }
    spMensaje->Mostrar(TMensaje::Informacion, AQString(texto), TMensaje::Ok);
}

void TFConv::Tarea1Terminate(TTarea *) {
    BarProgreso->Sumar(10);
}
