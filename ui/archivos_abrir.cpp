// The "Archivos" tab's open command: the open dialog, the read options, loading delimited and GPS
// waypoint files into the grid, the 50000-line limit and the segments of a larger file.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <stdexcept>
#include "UOpciones.h"
#include "archivos.h"
#include "cp1252.h"
#include "dialogos_archivo.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "grilla_vista.h"
#include "linea_larga.h"
#include "lineas.h"
#include "mensaje.h"
#include "progreso.h"
#include "punto.h"
#include "segmentos.h"
#include "texto_error.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {

// The grid row of a data line: the file logic's cells, the point number as a bold title; a point's
// name stays plain text, as a waypoint's does.
bool FilaDeLinea(std::string_view linea, int numero, const TOpcionesLectura &opc,
                 TModeloGrilla::TFila &fila) {
    bool nombrado = false;
    if (!CeldasLinea(linea, numero, opc, fila, &nombrado)) return false;
    if (!nombrado) fila[0] = Negrita(fila[0]);
    return true;
}

// Reads rows with `leer`; what it read goes into the grid, also when it ends with an error.
template <typename F>
void LeerFilas(TModeloGrilla &modelo, std::vector<TModeloGrilla::TFila> &filas, F leer) {
    try {
        leer();
    } catch (...) {
        modelo.CargarDatos(std::move(filas));
        throw;
    }
    modelo.CargarDatos(std::move(filas));
}

// The name of the row `cuantas` rows into the data, as the UTF-8 file holds it, kept when Windows-1252
// cannot hold it: the UTF-8 files take it whole.
void NombreOriginal(std::string nombre, std::size_t cuantas,
                    std::vector<std::pair<int, std::string>> &nombres) {
    std::size_t cambiados = 0;
    Utf8ACp1252(nombre, cambiados);
    if (cambiados > 0 && PareceUtf8(nombre))
        nombres.emplace_back(TModeloGrilla::kFilasTitulo + static_cast<int>(cuantas) - 1, std::move(nombre));
}

}  // namespace

void TFConv::skAbrirclick() {
    if (LoteEnCurso()) return;
    EmpezarApertura();
    OD->InitialDir = AQString(DirPrograma);
    if (!OD->Execute(this)) return;
    AbrirArchivo(RutaLocal(OD->FileName));
}

void TFConv::ArchivoSoltado(const QString &nombre) {
    if (LoteEnCurso()) return;
    spSPC->setCurrentWidget(TSTransf);
    EmpezarApertura();
    OD->Elegido(nombre);  // as if chosen in the open dialog: its folder is remembered
    AbrirArchivo(RutaLocal(nombre));
}

void TFConv::EmpezarApertura() {
    Grilla->setFocus();
    archivos_.Convertido = 0;
    archivos_.OpcionesLeidas = 0;
    archivos_.ArchivoGrande = 0;
    BorrarSegmentos();
}

void TFConv::AbrirArchivo(const std::string &ruta) {
    if (MarcoFuente() == TMarco::Posgar94 && TipoFuente() == TTipoArchivo::GPS) {
        // A waypoint file has no read options: the button would reload the last delimited file.
        spOpcArch->setEnabled(false);
        LeerArchivoGPS(ruta);
        return;
    }
    // Read as a delimited file (a GPS file under another frame than POSGAR 94 too).
    spOpcArch->setEnabled(true);
    if (!FormOpciones) new TFormOpciones(this);
    FormOpciones->FuenteArchivo = TipoFuente();
    FormOpciones->NombreArchivo = ruta;
    if (FormOpciones->Ejecutar() != QDialog::Accepted) return;
    AplicarOpcionesYCargar(ruta);
}

void TFConv::AplicarOpcionesYCargar(const std::string &ruta) {
    archivos_.Lectura = OpcLectura;
    archivos_.OpcionesLeidas = 1;
    CargarArchivo(ruta);
}

void TFConv::spOpcArchClick() {
    if (!FormOpciones || FormOpciones->NombreArchivo.empty() || LoteEnCurso()) return;
    FormOpciones->FuenteArchivo = TipoFuente();  // the kind may have changed since the file was opened
    if (FormOpciones->Ejecutar() != QDialog::Accepted) return;
    // The accepted options apply at once: the file is loaded again with them.
    archivos_.Convertido = 0;
    archivos_.ArchivoGrande = 0;
    BorrarSegmentos();
    AplicarOpcionesYCargar(FormOpciones->NombreArchivo);
}

void TFConv::AnotarArchivo(const std::string &ruta) {
    archivos_.ArchivoGrande = 0;
    BorrarSegmentos();
    const QFileInfo archivo(QFile::decodeName(ruta.c_str()));
    archivos_.RutaArchivo = ruta;
    archivos_.TamanoArchivo = archivo.size();
    archivos_.CambioArchivo = archivo.lastModified().toMSecsSinceEpoch();
    archivos_.TotalLineas = ContarLineas(ruta);
    if (archivos_.TotalLineas > kLineasGrilla) {
        QApplication::beep();
        spMensaje->Mostrar(TMensaje::Informacion, AQString(kMensajeDemasiadoGrande));
        archivos_.ArchivoGrande = 1;
    }
}

void TFConv::CargarArchivo(const std::string &ruta) {
    AnotarArchivo(ruta);
    const TOpcionesLectura opc = Opciones();
    // The previous rows go first, so that two full grids never live side by side.
    ModeloGrilla->CargarDatos({});
    std::vector<TModeloGrilla::TFila> filas;
    filas.reserve(static_cast<std::size_t>(std::min<int64_t>(archivos_.TotalLineas, kLineasGrilla)) +
                  TModeloGrilla::kFilasTitulo);
    std::vector<std::pair<int, std::string>> nombres;  // UTF-8 names Windows-1252 cannot hold, by row
    LeerFilas(*ModeloGrilla, filas, [&] {
        TLectorLineas lector(ruta);
        lector.LimitarLinea(kLargoMaximoLinea);
        std::string linea;
        for (int k = 1; k < archivos_.Lectura.LineaInicio && lector.Leer(linea); ++k) {
        }
        int i = 0;
        while (i < kLineasGrilla && lector.Leer(linea)) {
            ++i;
            filas.emplace_back();
            // A line cut by the reader shows only when its fields close before the cut; otherwise
            // its row stays empty, as for any line that yields no values.
            std::string_view campos = linea;
            if (lector.Cortada()) campos = CamposCompletos(linea, opc).value_or(std::string_view());
            FilaDeLinea(campos, i, opc, filas.back());
            if (!lector.Original().empty() && !lector.Cortada()) {
                std::string aparte;
                NombreOriginal(std::string(NombrePunto(lector.Original(), opc, aparte)), filas.size(),
                               nombres);
            }
        }
    });
    for (auto &n : nombres) ModeloGrilla->FijarNombreUtf8(n.first, std::move(n.second));
    Grilla->AjustarColumnaPunto();
    if (archivos_.ArchivoGrande == 1) Segmentar(ruta);
}

void TFConv::Segmentar(const std::string &ruta) {
    BarProgreso->FijarEtiqueta("Segmentando ...");
    BarProgreso->FijarValor(0);
    BarProgreso->Mostrar();
    try {
        auto carpeta = std::make_shared<TCarpetaSegmentos>();
        ::Segmentar(ruta, archivos_.Lectura.LineaInicio, archivos_.TotalLineas, carpeta->Base(),
                    [this](int v) { BarProgreso->FijarValor(v); });
        archivos_.CarpetaSegmentos = std::move(carpeta);
        archivos_.BaseSegmento = archivos_.CarpetaSegmentos->Base();
    } catch (const std::exception &e) {
        // The segments written so far went with their folder. Incomplete segments, or the grid's
        // part of the file, would be converted and saved as if they were all of it: the file stays
        // large and the convert and save commands refuse; the open command itself ends normally.
        BarProgreso->close();
        archivos_.FalloSegmentos = TextoError(e);
        spMensaje->Mostrar(TMensaje::Error,
                           AQString(kMensajeSinSegmentos + std::string("\n\r") + archivos_.FalloSegmentos));
    }
}

void TFConv::BorrarSegmentos() {
    archivos_.CarpetaSegmentos.reset();
    archivos_.BaseSegmento.clear();
    archivos_.FalloSegmentos.clear();
}

void TFConv::LeerArchivoGPS(const std::string &ruta) {
    // A waypoint value counts only when its comma follows: a record cut by the reader never shows
    // a cut value.
    TLectorLineas lector(ruta);
    lector.LimitarLinea(kLargoMaximoLinea);
    std::string linea;
    TMarcaGPS marca;
    int64_t numero = 0;
    bool hallada = false;
    while (!hallada && lector.Leer(linea)) {
        ++numero;
        hallada = BuscarMarcaGPS(linea, marca);
    }
    if (!hallada) {
        // The previous file is already closed (its segments gone): its rows go too, and the user
        // learns why nothing was loaded instead of converting stale rows.
        ModeloGrilla->CargarDatos({});
        throw std::runtime_error("'" + ruta.substr(ruta.find_last_of('/') + 1) +
                                 "' no es un archivo de puntos GPS: ninguna l\xEDnea tiene ',D' ni ',dms'.");
    }
    // The records are read from the marker line on; a file of more lines than the grid holds shows
    // its first records and is converted whole in the background, as a large delimited file.
    archivos_.Lectura = OpcionesGPS(marca, numero);
    AnotarArchivo(ruta);
    ModeloGrilla->CargarDatos({});
    std::vector<TModeloGrilla::TFila> filas;
    std::vector<std::pair<int, std::string>> nombres;
    LeerFilas(*ModeloGrilla, filas, [&] {
        do {
            if (linea.empty()) continue;  // empty lines between records give no rows
            const TRegistroGPS r = LeerRegistroGPS(linea, marca);
            filas.emplace_back();
            filas.back()[0] = r.Nombre;
            filas.back()[1] = r.Latitud;
            filas.back()[2] = r.Longitud;
            if (marca.Dms) {
                // As for a delimited file: angles that read for sure in the program's own layout.
                TMotivo m;
                std::string normal;
                if (NormalizarDMS(r.Latitud, taLatitud, normal, m)) filas.back()[1] = normal;
                if (NormalizarDMS(r.Longitud, taLongitud, normal, m)) filas.back()[2] = normal;
            }
            if (!lector.Original().empty() && !lector.Cortada())
                NombreOriginal(LeerRegistroGPS(lector.Original(), marca).Nombre, filas.size(), nombres);
        } while (filas.size() < static_cast<std::size_t>(kLineasGrilla) && lector.Leer(linea));
    });
    for (auto &n : nombres) ModeloGrilla->FijarNombreUtf8(n.first, std::move(n.second));
    Grilla->AjustarColumnaPunto();
    if (archivos_.ArchivoGrande == 1) Segmentar(ruta);
}
