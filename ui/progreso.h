// TBarProgreso (BarProgreso): the non-modal, stay-on-top progress dialog "Procesando ..." with one
// label line, a gauge from 0 to 100 shown as a percentage, and "Cancelar", which asks the work it
// follows to stop (Cancelado) and closes it.
#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class TBarProgreso : public QDialog {
    Q_OBJECT
  public:
    explicit TBarProgreso(QWidget *padre = nullptr);

    void FijarEtiqueta(const QString &texto);
    // Stores the value; the gauge shows it clipped to 0..100 and the dialog closes itself at 100.
    void FijarValor(int valor);
    void Sumar(int delta) { FijarValor(valor_ + delta); }
    int Valor() const { return valor_; }
    QString Etiqueta() const;
    // Shows the dialog without taking the input away from the window; nothing when already shown.
    void Mostrar();

  signals:
    void Completado();  // the gauge reached 100 (the dialog has just closed itself)
    void Cancelado();   // "Cancelar" was pressed (or Escape): the work should stop

  protected:
    void keyPressEvent(QKeyEvent *evento) override;

  private:
    QLabel *etiqueta_;
    QProgressBar *barra_;
    QPushButton *cancelar_;
    int valor_ = 0;
};
