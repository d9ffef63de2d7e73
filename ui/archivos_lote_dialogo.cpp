// TDialogoGuardar: the save dialog of the save command.
#include "archivos_lote_dialogo.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include "preferencias.h"

const QString TDialogoGuardar::kTitulo = QStringLiteral("Guardar Archivo");
const QString TDialogoGuardar::kFiltros[2] = {QStringLiteral("Archivo Texto (*.dat)"),
                                              QStringLiteral("Autocad (*.dxf)")};

QString TDialogoGuardar::CarpetaInicial() const {
    const QString ultima = UltimaCarpeta();
    return ultima.isEmpty() ? InitialDir : ultima;
}

std::unique_ptr<QFileDialog> TDialogoGuardar::CrearDialogo(QWidget *padre) const {
    auto dialogo = std::make_unique<QFileDialog>(padre, kTitulo, CarpetaInicial());
    // Qt's own dialog, which speaks the program's Spanish; a desktop's native one follows the
    // desktop's language.
    dialogo->setOption(QFileDialog::DontUseNativeDialog);
    dialogo->setAcceptMode(QFileDialog::AcceptSave);
    dialogo->setFileMode(QFileDialog::AnyFile);
    // The save command itself asks before replacing a ".DAT" file.
    dialogo->setOption(QFileDialog::DontConfirmOverwrite);
    dialogo->setNameFilters({kFiltros[0], kFiltros[1]});
    dialogo->selectNameFilter(kFiltros[FilterIndex == 2 ? 1 : 0]);
    if (!FileName.isEmpty()) dialogo->selectFile(QFileInfo(FileName).fileName());
    return dialogo;
}

bool TDialogoGuardar::Execute(QWidget *padre) {
    if (siguiente_) {
        const Eleccion e = *siguiente_;
        siguiente_.reset();
        if (!e.aceptado) return false;
        FileName = e.nombre;
        FilterIndex = e.filtro;
    } else {
        const auto dialogo = CrearDialogo(padre);
        if (dialogo->exec() != QDialog::Accepted || dialogo->selectedFiles().isEmpty()) return false;
        FileName = dialogo->selectedFiles().first();
        FilterIndex = dialogo->selectedNameFilter() == kFiltros[1] ? 2 : 1;
    }
    RecordarCarpetaDe(FileName);
    return true;
}
