// The "Archivos" tab's convert command: the checks, the grid rows converted on the window's thread
// by the point rule, and the background run of four workers over the ten segments of a large file.
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "archivos.h"
#include "grilla_modelo.h"
#include "grilla_vista.h"
#include "mensaje.h"
#include "progreso.h"
#include "tareas.h"
#include "texto_error.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {
const char kSinDatos[] = "Error: No hay datos para convertir.";
const char kSinZona[] = "Error: No se ha indicado la ZONA de las coordenadas.";
const char kEtiquetaLote[] = "Estado de Conversi\xF3n:";
const char kLoteIncompleto[] = "La conversi\xF3n del archivo completo no termin\xF3.";
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
    // Each member converts with a conversion object of its own.
    Tarea1->FijarEjecucion([this](TTarea &t) { Tarea1Execute(t, *CoordTarea1); });
    Tarea2->FijarEjecucion([this](TTarea &t) { Tarea1Execute(t, *CoordTarea2); });
    Tarea3->FijarEjecucion([this](TTarea &t) { Tarea1Execute(t, *CoordTarea3); });
    Tarea4->FijarEjecucion([this](TTarea &t) { Tarea1Execute(t, *CoordTarea4); });
    Conectar(GrupoTareas, &TGrupoTareas::Inicio, this, &TFConv::GrupoTareasStart);
    Conectar(GrupoTareas, &TGrupoTareas::FinHilo, this, &TFConv::GrupoTareasThreadTerminate);
    Conectar(GrupoTareas, &TGrupoTareas::Fin, this, &TFConv::GrupoTareasTerminate);
    for (TTarea *t : {Tarea1, Tarea2, Tarea3, Tarea4}) {
        Conectar(t, &TTarea::Iniciada, this, &TFConv::Tarea1Start);
        Conectar(t, &TTarea::Terminada, this, &TFConv::Tarea1Terminate);
    }
}

void TFConv::CerrarLote() {
    // No end events fire: the progress dialog and the conversion objects are left to us.
    if (GrupoTareas) GrupoTareas->DetenerYEsperar();
    // A save still converting removes its temporary file: the target stays as it was.
    if (GrupoGuardar) GrupoGuardar->DetenerYEsperar();
    CoordTarea1.reset();
    CoordTarea2.reset();
    CoordTarea3.reset();
    CoordTarea4.reset();
}

bool TFConv::LoteEnCurso(bool avisar) {
    // The background run of a large file, or the save that converts it again.
    const bool enCurso =
        (GrupoTareas && GrupoTareas->Corriendo() > 0) || (GrupoGuardar && GrupoGuardar->Corriendo() > 0);
    if (enCurso && avisar) spMensaje->Mostrar(TMensaje::Informacion, AQString(kMensajeEnCurso), TMensaje::Ok);
    return enCurso;
}

void TFConv::skTransfclick() {
    TerminarEdicion();
    // A new run would rewrite the output segments the workers are writing.
    if (LoteEnCurso() || RechazarArchivoIncompleto() || !HayQueConvertir()) return;
    ConvertirFilas();
    archivos_.AjustesConvertidos = {MarcoFuente(), MarcoDestino(), TipoFuente(), TipoDestino()};
    AjustarColumnasResultado();
    InformarConversion();
    if (archivos_.ArchivoGrande == 1) {
        // Everything the workers read is frozen here, before the first thread starts.
        opcLote_ = std::make_shared<const TOpcionesLectura>(Opciones());
        baseLote_ = archivos_.BaseSegmento;
        resumenLote_.fill(TResumenLote());
        segmentoCompleto_.fill(false);
        for (std::string &f : falloSegmento_) f.clear();
        loteCancelado_ = false;
        GrupoTareas->Iniciar();
    }
    archivos_.Convertido = 1;
}

bool TFConv::HayQueConvertir() {
    const TEstado &e = archivos_;
    if (ModeloGrilla->Celda(2, 1).empty() ||
        (e.OpcionesLeidas == 1 && (e.Lectura.ColLatX == 0 || e.Lectura.ColLonY == 0))) {
        spMensaje->Mostrar(TMensaje::Error, AQString(kSinDatos), TMensaje::Ok);
        return false;
    }
    if (TipoFuente() == TTipoArchivo::UTM && e.Lectura.ColZona == 0 && e.OpcionesLeidas == 1) {
        spMensaje->Mostrar(TMensaje::Error, AQString(kSinZona), TMensaje::Ok);
        return false;
    }
    return true;
}

// Every row is held to the point rule all paths follow: a value that cannot be read for sure fails
// its row with the reason instead of converting to a wrong place.
void TFConv::ConvertirFilas() {
    TModeloGrilla &g = *ModeloGrilla;
    const TTipoArchivo fuente = TipoFuente();
    TCoordenadas &c = *Coordenadas;
    ConfigurarCoordenadas(c, MarcoFuente(), MarcoDestino(), fuente, TipoDestino());
    const bool geografica = TipoCoordenada(fuente) == tcGeografica;
    TConteoPuntos conteo;
    TPuntoLeido punto;
    TMotivo motivo;
    g.EmpezarCambioMasivo();
    for (int fila = TModeloGrilla::kFilasTitulo; fila < g.Filas(); ++fila) {
        if (g.Celda(fila, 1).empty()) {
            g.FijarFallo(fila, std::string());
            continue;
        }
        punto.Coord1 = g.Celda(fila, 1);
        punto.Coord2 = g.Celda(fila, 2);
        punto.Coord3 = g.Celda(fila, 3);
        punto.Zona = g.Celda(fila, 4);
        punto.EnDecimal = archivos_.Lectura.ModoDecimal;
        punto.ComaDecimal = archivos_.Lectura.ComaDecimal;
        if (!ConvertirYContar(punto, c, geografica, conteo, motivo)) {
            // No result of an earlier conversion may stay beside the row.
            for (int col = 5; col <= 8; ++col) g.FijarCelda(fila, col, std::string());
            g.FijarFallo(fila, TextoMotivo(motivo, TIdioma::Espanol));
            continue;
        }
        g.FijarFallo(fila, std::string());
        g.FijarCelda(fila, 5, c.Salida.Coord1);
        g.FijarCelda(fila, 6, c.Salida.Coord2);
        g.FijarCelda(fila, 7, c.Salida.Coord3);
        if (TipoDestino() != TTipoArchivo::Geografico) g.FijarCelda(fila, 8, c.Salida.Zona);
    }
    g.TerminarCambioMasivo();
    archivos_.ConteoGrilla = conteo;
}

namespace {
// ", 1 fila editada sin convertir"; empty for none.
std::string TextoSinConvertir(int64_t n) {
    if (n == 0) return std::string();
    return n == 1 ? ", 1 fila editada sin convertir"
                  : ", " + std::to_string(n) + " filas editadas sin convertir";
}
}  // namespace

int64_t TFConv::FilasSinConvertir() const {
    const TModeloGrilla &g = *ModeloGrilla;
    int64_t n = 0;
    for (int fila = TModeloGrilla::kFilasTitulo; fila < g.Filas(); ++fila)
        if (!g.Celda(fila, 1).empty() && g.Celda(fila, 5).empty() && g.Fallo(fila).empty()) ++n;
    return n;
}

void TFConv::GrillaEntradaEditada(int, bool convertida, bool fallida) {
    // Before any convert, or for a large file (whose save converts the whole file again), the grid's
    // counts say nothing yet.
    if (archivos_.Convertido == 0 || archivos_.ArchivoGrande == 1 || (!convertida && !fallida)) return;
    TConteoPuntos &conteo = archivos_.ConteoGrilla;
    if (convertida) --conteo.Convertidos;
    if (fallida) --conteo.Fallidos;
    Msg->setText(
        AQString(TextoConteo(conteo.Convertidos, conteo.Fallidos) + TextoSinConvertir(FilasSinConvertir())));
    msgAntesDeCampo_ = Msg->text();  // the cell editor, closing, puts back this text
}

void TFConv::InformarConversion() {
    const TConteoPuntos &conteo = archivos_.ConteoGrilla;
    std::string estado = TextoConteo(conteo.Convertidos, conteo.Fallidos);
    if (archivos_.ArchivoGrande == 1)
        estado += " en la grilla; el archivo completo se convierte en segundo plano";
    const std::string pista = PistaNotacion(conteo, archivos_.Lectura.ModoDecimal == 1);
    Msg->setText(AQString(pista.empty() ? estado : estado + ". " + pista));
    if (conteo.Convertidos == 0 && conteo.Fallidos > 0) {
        std::string texto =
            "Ning\xFAn punto se pudo convertir.\n" + TextoMotivo(conteo.Primero, TIdioma::Espanol) + ".";
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
    const TMarco mf = MarcoFuente(), md = MarcoDestino();
    const TTipoArchivo tf = TipoFuente(), td = TipoDestino();
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

// On the worker's thread: only its own segment number, conversion object and two files, and the
// frozen read options and base. A bad line writes the failed-result line and the pass goes on; an
// error that ends the pass reaches the thread-end event through the member.
void TFConv::Tarea1Execute(TTarea &tarea, TCoordenadas &coord) {
    const int k = tarea.Segmento;
    resumenLote_[k] = ConvertirSegmento(SegmentoEntrada(baseLote_, k), SegmentoSalida(baseLote_, k),
                                        *opcLote_, coord, tarea.Detener());
    segmentoCompleto_[k] = !tarea.DetencionPedida();
}

void TFConv::GrupoTareasThreadTerminate(TTarea *tarea) {
    // Kept for the end of the run and for the save's message.
    if (tarea->Error()) falloSegmento_[tarea->Segmento] = TextoError(tarea->Error());
    if (SegmentoSiguiente < kSegmentos && !loteCancelado_) tarea->Iniciar();
}

void TFConv::GrupoTareasTerminate() {
    CoordTarea1.reset();
    CoordTarea2.reset();
    CoordTarea3.reset();
    CoordTarea4.reset();
    InformarLote();
}

// The whole file's counts replace the grid's, and the first failed lines are named with their line
// numbers in the file. A segment whose pass ended with an error is named with its reason.
void TFConv::BarProgresoCancelado() {
    // Each worker leaves no output segment of the segment it was converting, and the save's
    // pipeline removes its temporary file: an existing output file stays as it was.
    if (GrupoTareas && GrupoTareas->Corriendo() > 0) {
        loteCancelado_ = true;
        for (TTarea *t : GrupoTareas->Miembros()) t->PedirDetencion();
    }
    if (GrupoGuardar && GrupoGuardar->Corriendo() > 0) TareaGuardar->PedirDetencion();
}

void TFConv::InformarLote() {
    if (loteCancelado_) {
        // The whole file was not converted: nothing of this run may be saved as if it had been.
        archivos_.Convertido = 0;
        Msg->setText(QStringLiteral("Cancelado"));
        return;
    }
    // The counts of the segments up to the first that did not complete (all of them after a whole run).
    TConteoPuntos &lote = archivos_.ConteoLote;
    lote = TConteoPuntos();
    int completos = 0;
    for (; completos < kSegmentos && segmentoCompleto_[completos]; ++completos) {
        const TResumenLote &r = resumenLote_[completos];
        lote.Convertidos += r.Convertidos;
        lote.Fallidos += r.NoConvertidos();
    }
    std::string fallos;
    for (int k = 0; k < kSegmentos; ++k)
        if (!falloSegmento_[k].empty())
            fallos += "\nSegmento " + std::to_string(k) + ": " + falloSegmento_[k];
    if (!fallos.empty()) {
        Msg->setText(AQString(std::string("Error: ") + kLoteIncompleto));
        spMensaje->Mostrar(TMensaje::Error, AQString(kLoteIncompleto + fallos), TMensaje::Ok);
        return;
    }
    if (completos < kSegmentos) return;  // stopped: nothing to report
    const std::string estado = "Archivo completo: " + TextoConteo(lote.Convertidos, lote.Fallidos);
    Msg->setText(AQString(estado));
    if (lote.Fallidos == 0) return;
    std::string texto = estado + ".";
    int listados = 0;
    for (int k = 0; k < kSegmentos && listados < 10; ++k)
        for (const TFalloLinea &f : resumenLote_[k].Fallos) {
            if (listados++ == 10) break;
            const int64_t linea =
                LineaEnArchivo(k, f.Linea, archivos_.Lectura.LineaInicio, archivos_.TotalLineas);
            texto += "\nL\xEDnea " + std::to_string(linea) + ": " + TextoMotivo(f.Motivo, TIdioma::Espanol);
        }
    spMensaje->Mostrar(TMensaje::Informacion, AQString(texto), TMensaje::Ok);
}

void TFConv::Tarea1Terminate(TTarea *) {
    BarProgreso->Sumar(10);
}
