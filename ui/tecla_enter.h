// TChkMensaje: the application-wide hook that turns Enter into Tab. A key press of Enter or keypad
// Enter whose receiver is a single-line edit field becomes a press of Tab (Shift+Enter of Shift+Tab),
// so Enter moves to the next field. Editors of item views, spin boxes, combo boxes and the file
// dialogs keep their own Enter.
#pragma once
#include <QObject>

class TChkMensaje : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    bool eventFilter(QObject *destino, QEvent *evento) override;
};
