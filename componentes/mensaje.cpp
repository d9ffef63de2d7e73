// TMensaje: the window's message component over QMessageBox, with a replaceable presenter.
#include "mensaje.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

TMensaje::Presentador &PresentadorGlobal() {
    static TMensaje::Presentador p;
    return p;
}

TMensaje::Boton CajaReal(QWidget *padre, TMensaje::Tipo tipo, const QString &texto,
                         TMensaje::Botones botones) {
    QMessageBox::Icon icono = QMessageBox::Information;
    if (tipo == TMensaje::Error) icono = QMessageBox::Critical;
    if (tipo == TMensaje::Confirmacion) icono = QMessageBox::Question;
    QMessageBox caja(icono, QStringLiteral("Zuvelo II"), texto, QMessageBox::NoButton, padre);
    QPushButton *ok = caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    if (botones == TMensaje::OkCancelar) {
        QPushButton *cancelar = caja.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
        caja.setEscapeButton(cancelar);
    } else {
        caja.setEscapeButton(ok);
    }
    caja.setDefaultButton(ok);
    caja.exec();
    return caja.clickedButton() == ok ? TMensaje::BotonOk : TMensaje::BotonCancelar;
}

}  // namespace

void FijarPresentadorGlobal(TMensaje::Presentador p) {
    PresentadorGlobal() = std::move(p);
}

TMensaje::TMensaje(QWidget *padre) : QObject(padre), padre_(padre), presentador_(PresentadorGlobal()) {
    setObjectName(QStringLiteral("spMensaje"));
}

TMensaje::Boton TMensaje::Mostrar(Tipo tipo, const QString &texto, Botones botones) {
    Mostrados.push_back(Registro{tipo, texto, botones});
    if (presentador_) return presentador_(padre_, tipo, texto, botones);
    return CajaReal(padre_, tipo, texto, botones);
}
