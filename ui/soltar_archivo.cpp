// TSoltarArchivo: drops of a file on the main window.
#include "soltar_archivo.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

TSoltarArchivo::TSoltarArchivo(QWidget *ventana, std::function<void(const QString &)> abrir)
    : QObject(ventana), ventana_(ventana), abrir_(std::move(abrir)) {
    ventana_->setAcceptDrops(true);
    QCoreApplication::instance()->installEventFilter(this);
}

QString TSoltarArchivo::Archivo(const QMimeData *datos) {
    if (!datos || !datos->hasUrls() || datos->urls().size() != 1) return QString();
    const QUrl url = datos->urls().front();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile()) return QString();
    return url.toLocalFile();
}

bool TSoltarArchivo::eventFilter(QObject *destino, QEvent *evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::DragEnter && tipo != QEvent::DragMove && tipo != QEvent::Drop) return false;
    const auto *widget = qobject_cast<QWidget *>(destino);
    if (!widget || widget->window() != ventana_) return false;
    // QDragEnterEvent and QDragMoveEvent are drop events too.
    auto *soltar = static_cast<QDropEvent *>(evento);
    const QString archivo = Archivo(soltar->mimeData());
    if (archivo.isEmpty()) return false;
    soltar->setDropAction(Qt::CopyAction);
    soltar->accept();
    if (tipo == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, archivo] { abrir_(archivo); }, Qt::QueuedConnection);
    return true;
}
