// TDialogoGuardar: the save dialog of the save command.
#include "archivos_lote_dialogo.h"

#include <QFileDialog>
#include <QStringList>

const QString TDialogoGuardar::kTitulo = QStringLiteral("Guardar Archivo");
const QString TDialogoGuardar::kFiltros[2] = {QStringLiteral("Archivo Texto (*.dat)"),
                                              QStringLiteral("Autocad (*.dxf)")};

bool TDialogoGuardar::Execute(QWidget *padre) {
    if (siguiente_) {
        const Eleccion e = *siguiente_;
        siguiente_.reset();
        if (!e.aceptado) return false;
        FileName = e.nombre;
        FilterIndex = e.filtro;
        return true;
    }
    QFileDialog dialogo(padre, kTitulo, InitialDir);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    // The save command itself asks before replacing a ".DAT" file.
    dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    dialogo.setNameFilters({kFiltros[0], kFiltros[1]});
    dialogo.selectNameFilter(kFiltros[FilterIndex == 2 ? 1 : 0]);
    if (!FileName.isEmpty()) dialogo.selectFile(FileName);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return false;
    FileName = dialogo.selectedFiles().first();
    FilterIndex = dialogo.selectedNameFilter() == kFiltros[1] ? 2 : 1;
    return true;
}
