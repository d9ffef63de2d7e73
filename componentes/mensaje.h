// TMensaje (spMensaje): the window's message component, a thin layer over QMessageBox.
// Tests replace the presenter to see what would be shown and choose the answer without blocking.
#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

class TMensaje : public QObject {
    Q_OBJECT
  public:
    enum Tipo { Informacion, Error, Confirmacion };
    enum Botones { Ok, OkCancelar };
    enum Boton { BotonOk, BotonCancelar };

    struct Registro {
        Tipo tipo;
        QString texto;
        Botones botones;
    };
    // Shows the message and returns the button pressed.
    using Presentador = std::function<Boton(QWidget *padre, Tipo, const QString &, Botones)>;

    explicit TMensaje(QWidget *padre);

    Boton Mostrar(Tipo tipo, const QString &texto, Botones botones = Ok);

    // Seams for tests: replace the presenter (nullptr restores the real modal boxes).
    void FijarPresentador(Presentador p) { presentador_ = std::move(p); }
    // Every message shown so far (also with the real presenter).
    std::vector<Registro> Mostrados;

  private:
    QWidget *padre_;
    Presentador presentador_;
};

// Replaces every presenter made from now on (tests call this before creating the window).
void FijarPresentadorGlobal(TMensaje::Presentador p);
