// The save command's files for other programs (XLSX, CSV, GeoJSON, KML, GPX) and a large file's drawing:
// a file that fits in the grid is written from its rows; a larger one is converted again, whole, by
// zuvelo-convert's pipeline on a thread of its own, and the message comes when the file is in place.
#include <QFileInfo>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "archivos.h"
#include "conversor.h"
#include "dialogos_archivo.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "lineas.h"
#include "mensaje.h"
#include "progreso.h"
#include "tareas.h"
#include "texto_error.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {

// Thrown from the pipeline's progress call when the window asks the run to stop: the run ends as on
// an error and leaves no file.
struct EDetenido : std::runtime_error {
    EDetenido() : std::runtime_error("detenido") {}
};

}  // namespace

void TFConv::CrearGuardarFondo() {
    GrupoGuardar = new TGrupoTareas(this);
    GrupoGuardar->setObjectName("GrupoGuardar");
    TareaGuardar = new TTarea(GrupoGuardar, GrupoGuardar);
    TareaGuardar->setObjectName("TareaGuardar");
    // On the member's thread: the request frozen before the start, the report for the end event.
    TareaGuardar->FijarEjecucion([this](TTarea &tarea) {
        TPedido p = pedidoGuardar_;
        TBarProgreso *barra = BarProgreso;
        p.Avance = [&tarea, barra, ultimo = -1](int64_t leidos, int64_t tamano) mutable {
            if (tarea.DetencionPedida()) throw EDetenido();
            // 100 would close the gauge before the file is in place: the end event gives it.
            const int v = tamano > 0 ? static_cast<int>(std::min<int64_t>(99, leidos * 100 / tamano)) : 0;
            if (v == ultimo) return;
            ultimo = v;
            QMetaObject::invokeMethod(
                barra, [barra, v] { barra->FijarValor(v); }, Qt::QueuedConnection);
        };
        informeGuardar_ = ConvertirArchivo(p);
    });
    Conectar(TareaGuardar, &TTarea::Terminada, this, &TFConv::TareaGuardarTerminate);
}

void TFConv::GuardarPuntos(const QString &fileName, TFormatoSalida formato, const TConteoPuntos &puntos) {
    MotivoGuardar.clear();
    PrjGuardado = 0;
    // A sheet that cannot hold every point is not begun: nothing is written, nothing cut.
    const int64_t filas = puntos.Convertidos + puntos.Fallidos;
    if (formato == TFormatoSalida::Xlsx && filas > kPuntosXlsx) {
        MotivoGuardar = "Una hoja .xlsx admite " + std::to_string(kPuntosXlsx) +
                        " puntos como m\xE1ximo (1048576 filas con la de t\xEDtulos) y este archivo tiene " +
                        std::to_string(filas) + ". Gu\xE1rdelo como .csv.";
        InformarGuardado(formato, false, 0, 0);
        return;
    }
    if (!ConfirmarReemplazo(fileName)) {
        InformarGuardado(formato, false, 0, 0);
        return;
    }
    if (archivos_.ArchivoGrande == 1) {
        GuardarGrande(fileName, formato);
        return;
    }
    InformarGuardado(formato, MakePuntos(fileName, formato), puntos.Convertidos, puntos.Fallidos);
}

// The rows that hold a point, in order: the point column's text without its markup is the name (the
// row's number when empty); a row without results is a failed point. Every converted row must read
// as a point of the destination kind: a result that does not (typed over by hand) stops the save
// before anything is replaced, never a point put somewhere else.
bool TFConv::MakePuntos(const QString &fileName, TFormatoSalida formato) {
    MotivoGuardar.clear();
    const TEstado::TAjustes &a = archivos_.AjustesConvertidos;
    const TTipoCoordenada tipo = TipoCoordenada(a.Destino);
    const TElipsoide &marco = ElipsoideDe(a.MarcoDestino);
    BarProgreso->FijarEtiqueta(QStringLiteral("Grabando ") + QFileInfo(fileName).fileName());
    BarProgreso->FijarValor(0);
    BarProgreso->Mostrar();
    try {
        TArchivoSeguro salida(RutaLocal(fileName));
        const auto escritor =
            CrearEscritor(formato, tipo, [&salida](std::string_view datos) { salida.Escribir(datos); });
        const TModeloGrilla &g = *ModeloGrilla;
        const int filas = g.Filas();
        TCoordenadas c;
        TPuntoExportado p;
        TSistemasVistos sistemas(tipo);  // a .csv's coordinate system, for its .prj
        int mostrado = 0;
        for (int fila = TModeloGrilla::kFilasTitulo; fila < filas; ++fila) {
            if (g.Celda(fila, 1).empty()) continue;
            p = TPuntoExportado();
            p.Nombre = std::string(SinNegrita(g.Celda(fila, 0)));
            if (p.Nombre.empty()) p.Nombre = std::to_string(fila - 1);
            p.NombreUtf8 = g.NombreUtf8(fila);
            p.Convertido = !g.Celda(fila, 5).empty();
            // An empty height cell converts with the default height, which only the .DAT writes.
            p.ConAltura = !SinNegrita(g.Celda(fila, 3)).empty();
            if (!p.Convertido) p.Motivo = g.Fallo(fila);
            if (p.Convertido) {
                p.Coord1 = g.Celda(fila, 5);
                p.Coord2 = g.Celda(fila, 6);
                p.Coord3 = g.Celda(fila, 7);
                p.Zona = g.Celda(fila, 8);
                if (!UbicarEnPosgar(p, tipo, marco, c))
                    throw std::runtime_error("Los resultados del punto " + p.Nombre + " (fila " +
                                             std::to_string(fila - 1) + ") no se leen como coordenadas.");
            }
            escritor->Punto(p);
            sistemas.Ver(p);
            const int v = static_cast<int>(static_cast<int64_t>(fila) * 100 / filas);
            if (v != mostrado && v < 100) BarProgreso->FijarValor(mostrado = v);
        }
        escritor->Terminar();
        salida.Confirmar();
        if (formato == TFormatoSalida::Csv)
            PrjGuardado = EscribirPrj(RutaLocal(fileName), a.MarcoDestino, sistemas) ? 1 : -1;
        BarProgreso->FijarValor(100);
        return true;
    } catch (const std::exception &e) {
        MotivoGuardar = TextoError(e);
        BarProgreso->close();
        return false;
    }
}

TPedido TFConv::PedidoDelArchivo() const {
    const TEstado &e = archivos_;
    const TEstado::TAjustes &a = e.AjustesConvertidos;
    TPedido p;
    p.Lectura = OpcionesDeLineas(e.Lectura, a.Fuente);
    p.Lectura.LineaInicio = std::max<int64_t>(1, e.Lectura.LineaInicio);
    p.Destino = a.Destino;
    p.MarcoFuente = a.MarcoFuente;
    p.MarcoDestino = a.MarcoDestino;
    p.Silencioso = true;
    p.Idioma = TIdioma::Espanol;
    p.Entrada = e.RutaArchivo;
    return p;
}

void TFConv::GuardarGrande(const QString &fileName, TFormatoSalida formato) {
    // The file is read again: it must be the one that was loaded and converted.
    const QFileInfo entrada(QFile::decodeName(archivos_.RutaArchivo.c_str()));
    if (!entrada.exists() || entrada.size() != archivos_.TamanoArchivo ||
        entrada.lastModified().toMSecsSinceEpoch() != archivos_.CambioArchivo) {
        MotivoGuardar = "El archivo '" + DeQString(entrada.fileName()) +
                        "' cambi\xF3 o ya no est\xE1 desde que se abri\xF3: vuelva a abrirlo y convertirlo.";
        InformarGuardado(formato, false, 0, 0);
        return;
    }
    pedidoGuardar_ = PedidoDelArchivo();
    pedidoGuardar_.Salida = RutaLocal(fileName);
    pedidoGuardar_.Formato = formato;
    formatoGuardar_ = formato;
    informeGuardar_ = TInforme();
    BarProgreso->FijarEtiqueta(QStringLiteral("Grabando ") + QFileInfo(fileName).fileName());
    BarProgreso->FijarValor(0);
    BarProgreso->Mostrar();
    TareaGuardar->Iniciar();
}

void TFConv::TareaGuardarTerminate(TTarea *tarea) {
    if (tarea->Error() && tarea->DetencionPedida()) {
        // Cancelled before the file was complete: its temporary file is gone, the target untouched.
        BarProgreso->close();
        Msg->setText(QStringLiteral("Cancelado"));
        return;
    }
    MotivoGuardar = TextoError(tarea->Error());
    const bool bien = !tarea->Error();
    if (bien)
        BarProgreso->FijarValor(100);
    else
        BarProgreso->close();
    // Empty and blank lines are no points; any other line that gave none is a point lost, as the
    // background run counts them.
    const TInforme &i = informeGuardar_;
    PrjGuardado = bien ? i.Prj : 0;
    InformarGuardado(formatoGuardar_, bien, i.Convertidos, i.NoConvertidos(), i.NombresCambiados);
}
