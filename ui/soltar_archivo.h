// TSoltarArchivo: a file dragged from a file manager and dropped anywhere on the main window, its
// fields included (which would otherwise take the path as text), is handed to the window to open.
// One local file only; anything else is left to the widget under the pointer.
#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

class TSoltarArchivo : public QObject {
    Q_OBJECT
  public:
    // Watches the application's events for drops on `ventana`; `abrir` gets the dropped file's
    // path once the drop has ended (a dialog it shows never holds the file manager waiting).
    TSoltarArchivo(QWidget *ventana, std::function<void(const QString &)> abrir);
    bool eventFilter(QObject *destino, QEvent *evento) override;

    // The one local file the data names; empty for anything else (several files, a folder, text).
    static QString Archivo(const QMimeData *datos);

  private:
    QWidget *ventana_;
    std::function<void(const QString &)> abrir_;
};
