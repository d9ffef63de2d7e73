// Typing in the fields of the "Conversión" tab: the mask check that completes and rewrites the text,
// the deferred caret move of the seconds' double quote, and the fields' focus and key events.
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include "Validate.h"
#include "conversion.h"
#include "mensaje.h"
#include "punto.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {

const char *const kPropiedadTeclas = "zuveloTeclas";
const char *const kPropiedadPrevio = "zuveloTextoPrevio";  // the field's last text that passed the check

// The caret goes to the end the way a user would put it there: an End key press.
void MoverAlFinal(QLineEdit *campo) {
    QKeyEvent fin(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QCoreApplication::sendEvent(campo, &fin);
}

// A key typed or deleted changes the text by one character; anything else (a paste, a replaced
// selection) came at once.
bool DeUnaTecla(const std::string &antes, const std::string &ahora) {
    const std::string &largo = ahora.size() > antes.size() ? ahora : antes;
    const std::string &corto = ahora.size() > antes.size() ? antes : ahora;
    if (largo.size() != corto.size() + 1) return false;
    std::size_t p = 0;
    while (p < corto.size() && corto[p] == largo[p]) ++p;
    return corto.compare(p, std::string::npos, largo, p + 1, std::string::npos) == 0;
}

bool TerminaEnComillaYEspacio(const std::string &t) {
    return t.size() >= 2 && t.compare(t.size() - 2, 2, "\" ") == 0;
}

}  // namespace

bool TFConv::ChequearEntrada(QLineEdit *campo) {
    if (!Formato) return true;
    std::string t = DeQString(campo->text());
    const std::string copia = t;
    if (!Formato->EntradaValida(t, false)) {
        // Text pasted or written in another layout (no blanks, a decimal "-34.603428"): an angle that reads
        // for sure goes into the mask's layout; anything else is refused.
        const TTipoAngulo tipo = Formato->Mascara == MascaraLongitud ? taLongitud : taLatitud;
        std::string dms;
        TMotivo motivo;
        const bool leido = AnguloComoDMS(copia, tipo, dms, motivo);
        if (leido && Formato->EsValida(dms)) {
            campo->setText(AQString(dms));  // checked again on the way in, and found right
            MoverAlFinal(campo);
            return true;
        }
        Pitido();
        // A paste that does not read: the field goes back to what it held.
        const QString previo = campo->property(kPropiedadPrevio).toString();
        if (!DeUnaTecla(DeQString(previo), copia)) {
            const std::string porque = leido ? "no entra en el formato " + Formato->MascaraVisible
                                             : TextoMotivo(motivo, TIdioma::Espanol);
            spMensaje->Mostrar(TMensaje::Informacion,
                               AQString("No se puede leer el \xE1ngulo: " + porque + "."), TMensaje::Ok);
            campo->setText(previo);
            return false;
        }
        spMensaje->Mostrar(TMensaje::Informacion,
                           AQString("La entrada no responde al formato:\n        " + Formato->MascaraVisible),
                           TMensaje::Ok);
        return false;
    }
    campo->setProperty(kPropiedadPrevio, AQString(t));
    if (t == copia) return true;
    // Writing the text runs this check again; it finds nothing to change. The caret stays where the
    // user typed until it is sent to the end below (or when Shift is released).
    const int caret = campo->cursorPosition();
    const QString nuevo = AQString(t);
    campo->setText(nuevo);
    campo->setCursorPosition(std::min(caret, static_cast<int>(nuevo.size())));
    if (TerminaEnComillaYEspacio(t) && ComillaPulsada) {
        FinPendiente = 1;
        ComillaPulsada = 0;
    } else {
        MoverAlFinal(campo);
    }
    return true;
}

void TFConv::EditChange(QLineEdit *sender) {
    const bool ok = ChequearEntrada(sender);
    Msg->setText(ok ? AQString("Conversi\xF3n de Coordenadas exclusivo para la Rep\xFA"
                               "blica Argentina")
                    : AQString("Error"));
}

void TFConv::ShiftKeyDn(QLineEdit *sender, int key, Qt::KeyboardModifiers shift) {
    // A character typed while the caret still waits for Shift to be released (the hemisphere letter
    // typed with Shift held on) goes to the end of the text, not in front of the completed space.
    if (FinPendiente && key < Qt::Key_Escape) {
        MoverAlFinal(sender);
        FinPendiente = 0;
    }
    // The double quote is typed with Shift and the main keyboard's 2 (or its own key on layouts that
    // have one); only Shift may be held, and no mouse button.
    const bool soloShift = shift == Qt::ShiftModifier;
    const bool comilla = key == Qt::Key_2 || key == Qt::Key_QuoteDbl;
    ComillaPulsada = comilla && soloShift && QGuiApplication::mouseButtons() == Qt::NoButton;
}

void TFConv::ShiftKeyUp(QLineEdit *sender, int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Shift && FinPendiente) {
        MoverAlFinal(sender);
        FinPendiente = 0;
    }
}

void TFConv::EnlazarTeclas(QLineEdit *campo) {
    campo->setProperty(kPropiedadTeclas, true);
    campo->installEventFilter(EventosConversion);
}

void TFConv::ElatEnter() {
    if (Formato) Formato->FijarLatitud();
}
void TFConv::SLatEnter() {
    if (Formato) Formato->FijarLatitud();
}
void TFConv::G07LatEnter() {
    if (Formato) Formato->FijarLatitud();
}
void TFConv::G07LonEnter() {
    if (Formato) Formato->FijarLongitud();
}
void TFConv::ELonEnter() {
    if (Formato) Formato->FijarLongitud();
}
void TFConv::SLonEnter() {
    if (Formato) Formato->FijarLongitud();
}

// ---- TEventosConversion --------------------------------------------------------------------------

TEventosConversion::TEventosConversion(TFConv &ventana) : QObject(&ventana), ventana_(ventana) {
    setObjectName(QStringLiteral("EventosConversion"));
}

bool TEventosConversion::eventFilter(QObject *destino, QEvent *evento) {
    auto *campo = qobject_cast<QLineEdit *>(destino);
    if (!campo) return false;
    TFConv &v = ventana_;
    AlBorde(*v.spMensaje, [&] {
        switch (evento->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                if (campo->property(kPropiedadTeclas).toBool()) {
                    auto *tecla = static_cast<QKeyEvent *>(evento);
                    if (evento->type() == QEvent::KeyPress)
                        v.ShiftKeyDn(campo, tecla->key(), tecla->modifiers());
                    else
                        v.ShiftKeyUp(campo, tecla->key(), tecla->modifiers());
                }
                break;
            case QEvent::FocusIn:
                if (campo == v.Elat) v.ElatEnter();
                if (campo == v.ELon) v.ELonEnter();
                if (campo == v.SLat) v.SLatEnter();
                if (campo == v.SLon) v.SLonEnter();
                if (campo == v.G07Lat) v.G07LatEnter();
                if (campo == v.G07Lon) v.G07LonEnter();
                break;
            case QEvent::FocusOut: {
                // Leaving a field means the focus went to another control of the window: not a
                // switch to another window or a popup, and not a focus move made by a tick change.
                const Qt::FocusReason razon = static_cast<QFocusEvent *>(evento)->reason();
                if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason) break;
                if (v.CambiandoGrupos > 0) break;
                if (campo == v.EAlt) v.EAltExit();
                if (campo == v.GKPy || campo == v.GKPf) v.GKPyExit();
                if (campo == v.cpZ) v.cpZExit();
                if (campo == v.SAlt) v.SAltExit();
                if (campo == v.GKIy || campo == v.GKIf) v.GKIyExit();
                if (campo == v.G07Alt) v.G07AltExit();
                if (campo == v.GK07y || campo == v.GK07f) v.GK07yExit();
                break;
            }
            default:
                break;
        }
    });
    return false;
}
