// TChkMensaje: Enter as Tab in the single-line edit fields of every window.
#include "tecla_enter.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// A line edit that belongs to an item view's editor, a spin box, a combo box or a file dialog (where
// Enter opens the file) keeps its Enter.
bool EsCampoSimple(QObject *destino) {
    auto *campo = qobject_cast<QLineEdit *>(destino);
    if (!campo) return false;
    if (qobject_cast<QFileDialog *>(campo->window())) return false;
    for (QWidget *w = campo->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
            qobject_cast<QComboBox *>(w))
            return false;
        if (w->isWindow()) break;
    }
    return true;
}

}  // namespace

bool TChkMensaje::eventFilter(QObject *destino, QEvent *evento) {
    if (evento->type() != QEvent::KeyPress) return false;
    auto *tecla = static_cast<QKeyEvent *>(evento);
    if (tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter) return false;
    if (!EsCampoSimple(destino)) return false;
    const Qt::KeyboardModifiers mods = tecla->modifiers() & ~Qt::KeypadModifier;
    const bool atras = mods.testFlag(Qt::ShiftModifier);
    QKeyEvent tab(QEvent::KeyPress, atras ? Qt::Key_Backtab : Qt::Key_Tab, mods,
                  atras ? QString() : QStringLiteral("\t"));
    QCoreApplication::sendEvent(destino, &tab);
    return true;
}
