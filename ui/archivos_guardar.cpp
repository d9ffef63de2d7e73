// The "Archivos" tab's save command: the type chosen in the save dialog, the ".DAT" text file (grid
// rows or the joined output segments), the ".DXF" drawing of the grid's points and the messages.
// Every file replaces an existing one only when complete.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>

#include "archivos.h"
#include "dat.h"
#include "dialogos_archivo.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "lineas.h"
#include "mensaje.h"
#include "progreso.h"
#include "texto_error.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {
const char kNadaConvertido[] =
    "No se ha realizado ningun proceso conversi\xF3n.\n\rLa acci\xF3n guardar ser\xE1 cancelado.";
const char kSobreescribir1[] = "Est\xE1 por sobreescribir el archivo: \n\r";
const char kSobreescribir2[] =
    "\n\r\xBF"
    "Desea continuar el procesos?";
const char kNadaQueGuardar[] = "Ning\xFAn punto se pudo convertir: no hay nada que guardar.";

// The type of file of each entry of the save dialog's filter (from 1).
TFormatoSalida FormatoDeFiltro(int filtro) {
    const TFormatoSalida kFormatos[TDialogoGuardar::kTipos] = {
        TFormatoSalida::Dat, TFormatoSalida::Dxf, TFormatoSalida::Csv, TFormatoSalida::GeoJson,
        TFormatoSalida::Kml, TFormatoSalida::Gpx, TFormatoSalida::Xlsx};
    return filtro >= 1 && filtro <= TDialogoGuardar::kTipos ? kFormatos[filtro - 1] : TFormatoSalida::Dat;
}

// How many points a drawing holds, as the save message says it when none failed (else the count of
// converted and failed points says it).
std::string TextoDibujo(int64_t convertidos) {
    return "El dibujo tiene " + std::to_string(convertidos) + (convertidos == 1 ? " punto." : " puntos.");
}

// Labels of a drawing whose names had characters Windows-1252 lacks (a UTF-8 file's).
std::string TextoNombresCambiados(int64_t n) {
    if (n <= 0) return std::string();
    return "\n" + std::to_string(n) +
           (n == 1 ? " nombre de punto cambi\xF3" : " nombres de puntos cambiaron") +
           " en el dibujo: los caracteres que Windows-1252 no tiene quedaron como '?'.";
}

// ".DAT", ".DXF", ".CSV" ... as the messages name the type.
std::string NombreTipo(TFormatoSalida formato) {
    std::string t = ExtensionDe(formato);
    for (char &c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return t;
}

}  // namespace

void TFConv::skGuardarclick() {
    // A cell still in its editor is saved as the user sees it.
    TerminarEdicion();
    if (RechazarArchivoIncompleto()) return;
    if (archivos_.Convertido == 0) {
        spMensaje->Mostrar(TMensaje::Informacion, AQString(kNadaConvertido), TMensaje::Ok);
        return;
    }
    // The ".DAT" of a large file joins output segments that a running worker may still write.
    if (LoteEnCurso()) return;
    const TConteoPuntos puntos = PuntosAGuardar();
    if (puntos.Convertidos == 0) {
        spMensaje->Mostrar(TMensaje::Error, AQString(kNadaQueGuardar), TMensaje::Ok);
        return;
    }
    SD->InitialDir = OD->InitialDir;
    if (!SD->Execute(this)) return;
    // The type follows the filter chosen, not the extension typed.
    const TFormatoSalida formato = FormatoDeFiltro(SD->FilterIndex);
    const QString nombre = QFile::decodeName(CompletarExtension(RutaLocal(SD->FileName), formato).c_str());
    switch (formato) {
        case TFormatoSalida::Dxf:
            GuardarDXF(nombre, puntos);
            break;
        case TFormatoSalida::Dat:
            GuardarDAT(nombre, puntos);
            break;
        default:
            GuardarPuntos(nombre, formato, puntos);
    }
}

void TFConv::GuardarDXF(const QString &nombre, const TConteoPuntos &puntos) {
    // A large file's drawing holds every point of the file, not only the grid's: it is drawn again,
    // whole, by the background save.
    if (archivos_.ArchivoGrande == 1 && cbDestino->currentIndex() != 0) {
        GuardarPuntos(nombre, TFormatoSalida::Dxf, puntos);
        return;
    }
    const bool bien = MakeDXF(nombre, LimitesDibujo(archivos_.ConteoGrilla.Extension));
    std::string aviso;
    if (!bien)
        aviso = TipoDestino() == TTipoArchivo::Geografico
                    ? "\nUn dibujo necesita coordenadas planas: elija Gauss-Kr\xFCger o UTM como destino."
                    : (MotivoGuardar.empty() ? std::string() : "\n\r" + MotivoGuardar);
    if (bien && puntos.Fallidos == 0) aviso = "\n" + TextoDibujo(puntos.Convertidos);
    if (bien && puntos.Fallidos > 0)
        aviso = "\n" + TextoConteo(puntos.Convertidos, puntos.Fallidos) +
                ": los puntos con error no est\xE1n en el dibujo.";
    if (bien) {
        int64_t cambiados = 0;
        const TModeloGrilla &g = *ModeloGrilla;
        for (int fila = TModeloGrilla::kFilasTitulo; fila < g.Filas(); ++fila)
            if (!g.Celda(fila, 1).empty() && !g.Celda(fila, 5).empty() && !g.NombreUtf8(fila).empty())
                ++cambiados;
        aviso += TextoNombresCambiados(cambiados);
    }
    const std::string texto =
        bien ? "El Archivo .DXF ha sido Creado Exitosamente" : "No se pudo Crear el Archivo .DXF";
    spMensaje->Mostrar(TMensaje::Informacion, AQString(texto + aviso), TMensaje::Ok);
}

void TFConv::GuardarDAT(const QString &nombre, const TConteoPuntos &puntos) {
    InformarGuardado(TFormatoSalida::Dat, MakeDAT(nombre), puntos.Convertidos, puntos.Fallidos);
}

void TFConv::InformarGuardado(TFormatoSalida formato, bool bien, int64_t convertidos, int64_t fallidos,
                              int64_t nombresCambiados) {
    const std::string tipo = NombreTipo(formato);
    std::string texto =
        bien ? "El Archivo " + tipo + " ha sido Creado Exitosamente" : "No se pudo Crear el Archivo " + tipo;
    // The tables keep a failed point's row, as the .DAT its line; a map or a drawing has no place for it.
    const bool conFilas =
        formato == TFormatoSalida::Dat || formato == TFormatoSalida::Csv || formato == TFormatoSalida::Xlsx;
    if (bien && formato == TFormatoSalida::Dxf && fallidos == 0) texto += "\n" + TextoDibujo(convertidos);
    // Rows edited since the convert command hold no results in the grid's saves.
    const int64_t sinConvertir = archivos_.ArchivoGrande == 1 ? 0 : FilasSinConvertir();
    if (bien && (fallidos > 0 || sinConvertir > 0))
        texto +=
            "\n" + TextoConteo(convertidos, fallidos) +
            (sinConvertir == 0   ? std::string()
             : sinConvertir == 1 ? ", 1 fila editada sin convertir"
                                 : ", " + std::to_string(sinConvertir) + " filas editadas sin convertir") +
            (sinConvertir > 0 ? (conFilas ? ": quedaron sin valores." : ": no est\xE1n en el archivo.")
             : conFilas       ? ": los puntos con error quedaron sin valores."
                              : ": los puntos con error no est\xE1n en el archivo.");
    if (bien && PrjGuardado > 0)
        texto += "\nSu sistema de coordenadas est\xE1 en el archivo .prj de igual nombre.";
    if (bien && PrjGuardado < 0)
        texto +=
            "\nSin archivo .prj: los puntos est\xE1n en varias fajas o zonas y un .prj nombra un solo "
            "sistema.";
    if (bien) texto += TextoNombresCambiados(nombresCambiados);
    if (!bien && !MotivoGuardar.empty()) texto += "\n\r" + MotivoGuardar;
    spMensaje->Mostrar(TMensaje::Informacion, AQString(texto), TMensaje::Ok);
}

// What the file would hold: the whole file after a background run, else the grid's rows as they are
// now (a result typed in by hand counts as converted).
TConteoPuntos TFConv::PuntosAGuardar() const {
    if (archivos_.ArchivoGrande == 1) return archivos_.ConteoLote;
    TConteoPuntos c;
    const TModeloGrilla &g = *ModeloGrilla;
    // A row edited since the convert command has no results: it is counted apart, as not converted.
    for (int fila = TModeloGrilla::kFilasTitulo; fila < g.Filas(); ++fila)
        if (!g.Celda(fila, 1).empty() && (!g.Celda(fila, 5).empty() || !g.Fallo(fila).empty()))
            ++(g.Celda(fila, 5).empty() ? c.Fallidos : c.Convertidos);
    return c;
}

bool TFConv::ConfirmarReemplazo(const QString &fileName) {
    const QFileInfo info(fileName);
    if (!info.exists()) return true;
    // The old file is not deleted here: the new one replaces it only once complete.
    const QString pregunta = AQString(kSobreescribir1) + info.fileName() + AQString(kSobreescribir2);
    return spMensaje->Mostrar(TMensaje::Confirmacion, pregunta, TMensaje::OkCancelar) == TMensaje::BotonOk;
}

bool TFConv::MakeDAT(const QString &fileName) {
    MotivoGuardar.clear();
    // Declined or failed, the save leaves no progress dialog behind.
    const auto fallar = [this](std::string porque) {
        MotivoGuardar = std::move(porque);
        BarProgreso->close();
        return false;
    };
    if (!ConfirmarReemplazo(fileName)) return fallar(std::string());
    const QFileInfo info(fileName);
    BarProgreso->FijarEtiqueta(QStringLiteral("Grabando ") + info.fileName());
    BarProgreso->FijarValor(0);
    BarProgreso->Mostrar();
    const std::string ruta = RutaLocal(fileName);
    try {
        if (archivos_.ArchivoGrande == 1) {
            // A segment that a worker could not finish would leave a gap in the file.
            for (int k = 0; k < kSegmentos; ++k)
                if (!segmentoCompleto_[k])
                    return fallar("La conversi\xF3n del segmento " + std::to_string(k) + " no termin\xF3" +
                                  (falloSegmento_[k].empty() ? "." : ": " + falloSegmento_[k]));
            UnirSegmentos(baseLote_, ruta, [this](int v) { BarProgreso->FijarValor(v); });
            return true;
        }
        const TModeloGrilla &g = *ModeloGrilla;
        const int filas = g.Filas();
        TArchivoSeguro salida(ruta);
        int mostrado = 0;
        for (int fila = 2; fila < filas; ++fila) {
            if (g.Celda(fila, 1).empty()) continue;
            salida.Linea(
                LineaDAT(fila - 1, g.Celda(fila, 5), g.Celda(fila, 6), g.Celda(fila, 7), g.Celda(fila, 8)));
            const int v = static_cast<int>(static_cast<int64_t>(fila) * 100 / filas);
            if (v != mostrado && v < 100) BarProgreso->FijarValor(mostrado = v);
        }
        salida.Confirmar();
        BarProgreso->FijarValor(100);
        return true;
    } catch (const std::exception &e) {
        return fallar(TextoError(e));
    }
}

bool TFConv::MakeDXF(const QString &fileName, const TLimitesDibujo &limites) {
    MotivoGuardar.clear();
    try {
        TDibujoPuntos dibujo;
        DXFPuntos(dibujo);
        // Built completely before anything is written: an error leaves an existing file untouched.
        TArchivoSeguro salida(RutaLocal(fileName));
        dibujo.Escribir(limites, [&](std::string_view datos) { salida.Escribir(datos); });
        salida.Confirmar();
        return true;
    } catch (const std::exception &e) {
        MotivoGuardar = TextoError(e);
        return false;
    }
}

// The converted rows of the grid, labelled with their point column.
void TFConv::DXFPuntos(TDibujoPuntos &dibujo) {
    const TModeloGrilla &g = *ModeloGrilla;
    for (int fila = 2; fila < g.Filas(); ++fila) {
        if (g.Celda(fila, 1).empty() || g.Celda(fila, 5).empty()) continue;
        // The label is the point column without its title markup: the number, or a waypoint's name.
        dibujo.Agregar(SinNegrita(g.Celda(fila, 0)), g.Celda(fila, 5), g.Celda(fila, 6), g.Celda(fila, 7));
    }
}
