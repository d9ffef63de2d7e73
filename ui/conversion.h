// Helpers of the "Conversión" tab: the group box whose tick event always runs, the filter that turns
// the fields' focus and key events into the window's handlers, and the replaceable beep.
#pragma once
#include <QGroupBox>
#include <QObject>
#include <QPointer>
#include <functional>

class TFConv;
class QLineEdit;

// The system's default beep of a refused keystroke; tests replace it to count the beeps.
extern std::function<void()> Pitido;

// A checkable group box. Qt disables the children of an unticked box and moves the focus away from
// them; while a click or key toggles the tick, the window treats focus moves as part of the tick
// change (no field exit runs) and gives the focus back afterwards.
class TGrupoTick : public QGroupBox {
    Q_OBJECT
  public:
    TGrupoTick(const QString &titulo, TFConv &ventana, QWidget *padre);

  protected:
    bool event(QEvent *e) override;
    // QGroupBox disables the children of an unticked box when they are added or polished, and when
    // the box itself is enabled again; here the fields stay enabled and only become read-only.
    void childEvent(QChildEvent *e) override;
    void changeEvent(QEvent *e) override;

  private:
    TFConv &ventana_;
};

// Covers one change of ticks: field exits are ignored while it lasts, and, unless the change gave
// the focus to a field on purpose, the focus goes back to where it was.
class TCambioGrupos {
  public:
    explicit TCambioGrupos(TFConv &ventana);
    ~TCambioGrupos();
    TCambioGrupos(const TCambioGrupos &) = delete;
    TCambioGrupos &operator=(const TCambioGrupos &) = delete;

  private:
    TFConv &ventana_;
    bool exterior_;
    QPointer<QWidget> foco_;
};

class TEventosConversion : public QObject {
    Q_OBJECT
  public:
    explicit TEventosConversion(TFConv &ventana);
    bool eventFilter(QObject *destino, QEvent *evento) override;

    bool FocoFijado = false;  // a tick change gave the focus to a field on purpose

  private:
    TFConv &ventana_;
};
