// Editing a latitude or longitude cell of a geographic grid in `Campo`, the masked edit field laid
// over the cell: typed as degrees-minutes-seconds text, stored in the grid's own notation.
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include "Validate.h"
#include "grilla_modelo.h"
#include "mensaje.h"
#include "texto_error.h"
#include "grilla_vista.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {
// An event filter made of a function, so the window's own filters stay untouched.
class TFiltro : public QObject {
  public:
    TFiltro(QObject *padre, std::function<bool(QObject *, QEvent *)> f) : QObject(padre), f_(std::move(f)) {}
    bool eventFilter(QObject *o, QEvent *e) override { return f_(o, e); }

  private:
    std::function<bool(QObject *, QEvent *)> f_;
};

// The seconds of an angle text are right-aligned in 8 characters ("34° 30'  0.00000\" S"); the
// latitude and longitude masks take no blank there, so the editor shows them without the padding.
std::string SinRelleno(std::string texto) {
    const std::size_t minutos = texto.find("' ");
    if (minutos == std::string::npos) return texto;
    std::size_t fin = minutos + 2;
    while (fin < texto.size() && texto[fin] == ' ') ++fin;
    texto.erase(minutos + 2, fin - (minutos + 2));
    return texto;
}
}  // namespace

void TFConv::CrearCampo() {
    Campo = new QLineEdit(this);
    Campo->setObjectName("Campo");
    Campo->setText("Campo");
    QFont fuente("Arial");
    fuente.setPixelSize(14);
    Campo->setFont(fuente);
    Campo->hide();
    EnlazarTeclas(Campo);  // ShiftKeyDn / ShiftKeyUp, as in the interactive fields
    Conectar(Campo, &QLineEdit::textEdited, this, &TFConv::CampoChange);
    Campo->installEventFilter(new TFiltro(Campo, [this](QObject *, QEvent *e) {
        // A message box or a menu taking the focus for a moment is not leaving the field.
        if (e->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
                AlBorde(*spMensaje, [this] { CampoExit(); });
        }
        return false;
    }));
    // The pointer over the page outside its controls puts the editor away (keeping a valid text).
    TSTransf->setMouseTracking(true);
    // A move over a child that does not track the pointer reaches the page too: only the page's own
    // surface counts.
    TSTransf->installEventFilter(new TFiltro(TSTransf, [this](QObject *, QEvent *e) {
        if (e->type() == QEvent::MouseMove && Campo->isVisible() &&
            !TSTransf->childAt(static_cast<QMouseEvent *>(e)->position().toPoint()))
            AlBorde(*spMensaje, [this] { CampoExit(); });
        return false;
    }));
    // The editor is placed once; a grid that scrolls or changes size puts it away the same way.
    auto alMoverGrilla = [this] {
        if (Campo->isVisible()) CampoExit();
    };
    Conectar(Grilla->verticalScrollBar(), &QScrollBar::valueChanged, alMoverGrilla);
    Conectar(Grilla->horizontalScrollBar(), &QScrollBar::valueChanged, alMoverGrilla);
    Grilla->installEventFilter(new TFiltro(Grilla, [this, alMoverGrilla](QObject *, QEvent *e) {
        if (e->type() == QEvent::Resize) AlBorde(*spMensaje, alMoverGrilla);
        return false;
    }));

    // Asked before an in-place editor opens on a cell; inside the boundary, a failure opens nothing.
    Grilla->AlEditarCelda = [this](int fila, int col, const std::string &texto) {
        bool propio = false;
        AlBorde(*spMensaje, [&] { propio = GrillaGetEditText(col, fila, texto); });
        return propio;
    };
}

bool TFConv::GrillaGetEditText(int col, int fila, const std::string &valor) {
    if (TipoCoordenada(TipoFuente()) != tcGeografica) return false;
    archivos_.ColEditada = col;
    archivos_.FilaEditada = fila;
    if (col != 1 && col != 2) return false;

    const QRect celda = Grilla->visualRect(ModeloGrilla->index(fila, col));
    const QPoint origen = Grilla->viewport()->mapTo(this, celda.topLeft());
    Campo->setGeometry(origen.x(), origen.y(), celda.width() - 1, celda.height() - 2);
    std::string texto = valor;
    try {
        ModoWGS.Asignar(valor, static_cast<uint8_t>(col), archivos_.Lectura.ModoDecimal);
        if (archivos_.Lectura.ModoDecimal == 1) texto = SinRelleno(ModoWGS.GetTexto());
    } catch (const std::exception &) {
        // Not an error: a cell that does not read as an angle is shown as it is, to be typed over.
        ModoWGS.Limpiar();
    }
    if (col == 1)
        Formato->FijarLatitud();
    else
        Formato->FijarLongitud();
    editandoCampo_ = false;  // no check while the cell's own text is put in
    textoCampo_ = texto;
    msgAntesDeCampo_ = Msg->text();  // the status (a conversion's counts) comes back when editing ends
    Campo->setText(AQString(texto));
    editandoCampo_ = true;
    Campo->show();
    Campo->raise();
    Campo->setFocus(Qt::OtherFocusReason);
    return true;
}

void TFConv::CampoChange() {
    if (!editandoCampo_ || !Campo->isVisible()) {
        Msg->clear();
        return;
    }
    Msg->setText(ChequearEntrada(Campo) ? QString() : QStringLiteral("Error"));
}

void TFConv::CampoExit() {
    if (!editandoCampo_) return;
    editandoCampo_ = false;  // hiding takes the focus away: this runs once
    const std::string t = DeQString(Campo->text());
    std::string error;
    if (ChequearEntrada(Campo)) {
        try {
            // Unchanged, the angle keeps the full precision it was read with.
            if (t != textoCampo_ && t != ModoWGS.GetTexto()) ModoWGS.SetTexto(t);
            const std::string valor = archivos_.Lectura.ModoDecimal == 0 ? t : ModoWGS.GetDecimal();
            // A changed angle empties the row's results; an unchanged one keeps them (the same value,
            // perhaps written with more decimals).
            if (t != textoCampo_)
                ModeloGrilla->EditarEntrada(archivos_.FilaEditada, archivos_.ColEditada, valor);
            else
                ModeloGrilla->FijarCelda(archivos_.FilaEditada, archivos_.ColEditada, valor);
        } catch (const std::exception &e) {
            // A text the angle object cannot read leaves the cell as it was, and says why once the
            // editor is away.
            error = TextoError(e);
        }
    }
    Campo->hide();
    ModoWGS.Limpiar();
    Msg->setText(msgAntesDeCampo_);
    Grilla->setFocus(Qt::OtherFocusReason);
    if (!error.empty()) spMensaje->Mostrar(TMensaje::Error, AQString(error), TMensaje::Ok);
}
