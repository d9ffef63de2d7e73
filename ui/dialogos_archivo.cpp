// TDialogoAbrir, TDialogoGuardar, TDialogoImagen: the open and save dialogs and their test seams.
#include "dialogos_archivo.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <iterator>
#include "preferencias.h"

std::string RutaLocal(const QString &nombre) {
    return QFile::encodeName(nombre).toStdString();
}

QString TDialogoArchivo::CarpetaInicial() const {
    const QString ultima = UltimaCarpeta();
    return ultima.isEmpty() ? InitialDir : ultima;
}

std::unique_ptr<QFileDialog> TDialogoArchivo::Dialogo(QWidget *padre, const QString &titulo) const {
    auto dialogo = std::make_unique<QFileDialog>(padre, titulo, CarpetaInicial());
    // Qt's own dialog, which speaks the program's Spanish; a desktop's native one follows the
    // desktop's language.
    dialogo->setOption(QFileDialog::DontUseNativeDialog);
    return dialogo;
}

void TDialogoArchivo::Elegido(const QString &nombre) {
    FileName = nombre;
    RecordarCarpetaDe(nombre);
}

// ---- TDialogoAbrir -------------------------------------------------------------------------------

const QString TDialogoAbrir::kTitulo = QStringLiteral("Abrir Archivo");
const QStringList TDialogoAbrir::kFiltros = {QStringLiteral("Texto (*.txt *.csv *.dat)"),
                                             QStringLiteral("Todos (*)")};

std::unique_ptr<QFileDialog> TDialogoAbrir::CrearDialogo(QWidget *padre) const {
    auto dialogo = Dialogo(padre, kTitulo);
    dialogo->setAcceptMode(QFileDialog::AcceptOpen);
    dialogo->setFileMode(QFileDialog::ExistingFile);
    dialogo->setNameFilters(kFiltros);
    return dialogo;
}

bool TDialogoAbrir::Execute(QWidget *padre) {
    QString nombre;
    if (siguiente_) {
        nombre = *siguiente_;
        siguiente_.reset();
    } else {
        const auto dialogo = CrearDialogo(padre);
        if (dialogo->exec() == QDialog::Accepted && !dialogo->selectedFiles().isEmpty())
            nombre = dialogo->selectedFiles().first();
    }
    if (nombre.isEmpty()) return false;
    Elegido(nombre);
    return true;
}

// ---- TDialogoGuardar -----------------------------------------------------------------------------

const QString TDialogoGuardar::kTitulo = QStringLiteral("Guardar Archivo");
const QString TDialogoGuardar::kFiltros[kTipos] = {
    QStringLiteral("Archivo Texto (*.dat)"),
    QStringLiteral("Autocad (*.dxf)"),
    QStringLiteral("CSV para SIG y scripts; en planillas use el .xlsx (*.csv)"),
    QStringLiteral("GeoJSON (*.geojson)"),
    QStringLiteral("KML (*.kml)"),
    QStringLiteral("GPX (*.gpx)"),
    QStringLiteral("Libro de Excel (*.xlsx)")};

std::unique_ptr<QFileDialog> TDialogoGuardar::CrearDialogo(QWidget *padre) const {
    auto dialogo = Dialogo(padre, kTitulo);
    dialogo->setAcceptMode(QFileDialog::AcceptSave);
    dialogo->setFileMode(QFileDialog::AnyFile);
    dialogo->setOption(QFileDialog::DontConfirmOverwrite);
    dialogo->setNameFilters(QStringList(std::begin(kFiltros), std::end(kFiltros)));
    dialogo->selectNameFilter(kFiltros[FilterIndex >= 1 && FilterIndex <= kTipos ? FilterIndex - 1 : 0]);
    if (!FileName.isEmpty()) dialogo->selectFile(QFileInfo(FileName).fileName());
    return dialogo;
}

bool TDialogoGuardar::Execute(QWidget *padre) {
    QString nombre;
    if (siguiente_) {
        const Eleccion e = *siguiente_;
        siguiente_.reset();
        if (!e.aceptado) return false;
        nombre = e.nombre;
        FilterIndex = e.filtro;
    } else {
        const auto dialogo = CrearDialogo(padre);
        if (dialogo->exec() != QDialog::Accepted || dialogo->selectedFiles().isEmpty()) return false;
        nombre = dialogo->selectedFiles().first();
        FilterIndex = 1;
        for (int i = 0; i < kTipos; ++i)
            if (dialogo->selectedNameFilter() == kFiltros[i]) FilterIndex = i + 1;
    }
    Elegido(nombre);
    return true;
}

// ---- TDialogoImagen ------------------------------------------------------------------------------

const QString TDialogoImagen::kTitulo = QStringLiteral("Guardar Imagen");
const QString TDialogoImagen::kFiltro = QStringLiteral("Imagen PNG (*.png)");

bool TDialogoImagen::Execute(QWidget *padre) {
    QString nombre;
    if (siguiente_) {
        nombre = *siguiente_;
        siguiente_.reset();
    } else {
        const auto dialogo = Dialogo(padre, kTitulo);
        dialogo->setAcceptMode(QFileDialog::AcceptSave);
        dialogo->setFileMode(QFileDialog::AnyFile);
        dialogo->setNameFilter(kFiltro);
        dialogo->setDefaultSuffix(QStringLiteral("png"));
        if (dialogo->exec() == QDialog::Accepted && !dialogo->selectedFiles().isEmpty())
            nombre = dialogo->selectedFiles().first();
    }
    if (nombre.isEmpty()) return false;
    Elegido(nombre);
    return true;
}
