// TBarProgreso: the progress dialog of the segmenting and of the background run.
#include "progreso.h"
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TBarProgreso::TBarProgreso(QWidget *padre)
    : QDialog(padre, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("BarProgreso");
    setWindowTitle("Procesando ...");
    setModal(false);
    etiqueta_ = new QLabel(this);
    etiqueta_->setObjectName("Etiqueta");
    barra_ = new QProgressBar(this);
    barra_->setObjectName("Barra");
    barra_->setRange(0, 100);
    barra_->setFormat("%p%");
    barra_->setValue(0);
    cancelar_ = new QPushButton("Cancelar", this);
    cancelar_->setObjectName("Cancelar");
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cancelar_);
    auto *caja = new QVBoxLayout(this);
    caja->addWidget(etiqueta_);
    caja->addWidget(barra_);
    caja->addLayout(botones);
    setMinimumWidth(320);
    connect(cancelar_, &QPushButton::clicked, this, [this] {
        close();
        emit Cancelado();
    });
}

void TBarProgreso::keyPressEvent(QKeyEvent *evento) {
    // Escape would only hide the dialog and let the work go on: it cancels, as the button does.
    if (evento->key() == Qt::Key_Escape)
        cancelar_->click();
    else
        QDialog::keyPressEvent(evento);
}

void TBarProgreso::FijarEtiqueta(const QString &texto) {
    etiqueta_->setText(texto);
}

QString TBarProgreso::Etiqueta() const {
    return etiqueta_->text();
}

void TBarProgreso::FijarValor(int valor) {
    valor_ = valor;
    const int visible = valor < 0 ? 0 : (valor > 100 ? 100 : valor);
    barra_->setValue(visible);
    // It is also moved from long operations of the window's thread: paint the gauge at once.
    if (isVisible()) barra_->repaint();
    if (visible >= 100) {
        if (isVisible()) close();
        emit Completado();
    }
}

void TBarProgreso::Mostrar() {
    if (isVisible()) return;
    show();
    raise();
}
