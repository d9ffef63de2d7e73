// The "Archivos" tab: its controls and their places, the source and destination kinds with the grid
// titles they set, and what every command of the tab does first.
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include "archivos.h"
#include "dialogos_archivo.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "grilla_vista.h"
#include "mensaje.h"
#include "progreso.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {

constexpr int kFilasInicio = 15;

// The grid box follows the page when the window is resized.
class TAjusteGrilla : public QObject {
  public:
    TAjusteGrilla(QWidget *pagina, QWidget *grupo) : QObject(pagina), grupo_(grupo) {}
    bool eventFilter(QObject *objeto, QEvent *evento) override {
        if (evento->type() == QEvent::Resize) {
            const QSize s = static_cast<QResizeEvent *>(evento)->size();
            grupo_->setGeometry(0, 100, std::max(561, s.width()), std::max(150, s.height() - 100));
        }
        return QObject::eventFilter(objeto, evento);
    }

  private:
    QWidget *grupo_;
};

QToolButton *BotonImagen(QWidget *padre, const char *nombre, QStyle::StandardPixmap icono,
                         const QString &ayuda, QRect lugar) {
    auto *b = new QToolButton(padre);
    b->setObjectName(nombre);
    b->setIcon(padre->style()->standardIcon(icono));
    b->setIconSize(QSize(32, 32));
    b->setToolTip(ayuda);
    b->setAutoRaise(true);
    b->setGeometry(lugar);
    return b;
}

QGroupBox *GrupoMarco(QWidget *padre, const char *nombre, const char *titulo, QRect lugar,
                      QButtonGroup *&botones) {
    auto *g = new QGroupBox(titulo, padre);
    g->setObjectName(nombre);
    QFont letra = g->font();  // the caption must fit the narrow box
    letra.setPointSizeF(letra.pointSizeF() * 0.85);
    g->setFont(letra);
    g->setGeometry(lugar);
    botones = new QButtonGroup(g);
    // The frames in the order of Marcos: a button's id is its frame's index there. Three buttons fill
    // the box; the kind selectors sit just below it.
    for (int i = 0; i < kCantidadMarcos; ++i) {
        auto *r = new QRadioButton(Marcos[i].Nombre, g);
        r->setObjectName(QStringLiteral("%1%2").arg(nombre).arg(i));
        r->setGeometry(8, 17 + i * 16, lugar.width() - 16, 16);
        botones->addButton(r, i);
    }
    botones->button(0)->setChecked(true);
    return g;
}

}  // namespace

void TFConv::CrearArchivos() {
    QWidget *p = TSTransf;
    rgFuente = GrupoMarco(p, "rgFuente", "Tipo de Coordenadas Fuente", QRect(8, 8, 169, 68), BotonesFuente);
    rgDestino =
        GrupoMarco(p, "rgDestino", "Tipo de Coordenadas Destino", QRect(184, 8, 169, 68), BotonesDestino);
    BotonesFuente->setObjectName("BotonesFuente");
    BotonesDestino->setObjectName("BotonesDestino");
    Label5 = new QLabel("Coords. de:", p);
    Label5->setObjectName("Label5");
    Label5->move(8, 80);
    cbFuente = new QComboBox(p);
    cbFuente->setObjectName("cbFuente");
    cbFuente->setGeometry(96, 78, 65, 20);
    cbFuente->addItems({" GEO", " GK", " UTM", " GPS"});
    Label6 = new QLabel("a:", p);
    Label6->setObjectName("Label6");
    Label6->move(176, 80);
    cbDestino = new QComboBox(p);
    cbDestino->setObjectName("cbDestino");
    cbDestino->setGeometry(192, 78, 65, 20);
    cbDestino->addItems({"GEO", " GK", " UTM"});
    cbDestino->setCurrentIndex(1);
    skAbrir = BotonImagen(p, "skAbrir", QStyle::SP_DialogOpenButton, "Abrir", QRect(377, 8, 48, 48));
    Guardar = BotonImagen(p, "Guardar", QStyle::SP_DialogSaveButton, "Guardar", QRect(439, 8, 48, 48));
    spSkinXFormButton1 =
        BotonImagen(p, "spSkinXFormButton1", QStyle::SP_BrowserReload, "Convertir", QRect(496, 9, 48, 48));
    spOpcArch = new QPushButton("Opciones de Archivo", p);
    spOpcArch->setObjectName("spOpcArch");
    spOpcArch->setGeometry(400, 64, 137, 25);
    spOpcArch->setEnabled(false);

    GrupoGrilla = new QGroupBox(AQString("Grilla de Conversi\xF3n"), p);
    GrupoGrilla->setObjectName("GrupoGrilla");
    GrupoGrilla->setGeometry(0, 100, 561, 291);
    ModeloGrilla = new TModeloGrilla(this);
    ModeloGrilla->setObjectName("ModeloGrilla");
    Conectar(ModeloGrilla, &TModeloGrilla::EntradaEditada, this, &TFConv::GrillaEntradaEditada);
    auto *vista = new TVistaGrilla(ModeloGrilla, GrupoGrilla);
    vista->setObjectName("Grilla");
    Grilla = vista;
    auto *caja = new QVBoxLayout(GrupoGrilla);
    caja->setContentsMargins(4, 4, 4, 4);
    caja->addWidget(Grilla);
    p->installEventFilter(new TAjusteGrilla(p, GrupoGrilla));
    // The controls stand at fixed places: the window cannot be made so small that the convert
    // button or the grid's scroll bar fall outside the page.
    p->setMinimumSize(561, 250);

    BarProgreso = new TBarProgreso(this);
    Conectar(BarProgreso, &TBarProgreso::Cancelado, this, &TFConv::BarProgresoCancelado);
    OD = new TDialogoAbrir(this);
    OD->setObjectName("OD");
    SD = new TDialogoGuardar(this);
    SD->setObjectName("SD");

    // The start titles: geographic source, Gauss-Krüger destination, 15 rows.
    ModeloGrilla->EmpezarCambioMasivo();
    ModeloGrilla->FijarFilas(kFilasInicio);
    ModeloGrilla->FijarCelda(1, 0, Negrita("Punto"));
    ModeloGrilla->TerminarCambioMasivo();
    cbFuenteChange(0);
    cbDestinoChange(1);
    ModeloGrilla->FijarCelda(0, 5, Negrita("Coordenadas Planas GK"));  // one blank at start
    archivos_.Convertido = 0;
    archivos_.Lectura.ModoDecimal = 0;

    Conectar(skAbrir, &QToolButton::clicked, this, &TFConv::skAbrirclick);
    Conectar(spOpcArch, &QPushButton::clicked, this, &TFConv::spOpcArchClick);
    Conectar(cbFuente, &QComboBox::currentIndexChanged, this, &TFConv::cbFuenteChange);
    Conectar(cbDestino, &QComboBox::currentIndexChanged, this, &TFConv::cbDestinoChange);
    Conectar(spSkinXFormButton1, &QAbstractButton::clicked, this, &TFConv::skTransfclick);
    Conectar(Guardar, &QAbstractButton::clicked, this, &TFConv::skGuardarclick);

    CrearLote();
    CrearGuardarFondo();
    CrearCampo();
}

void TFConv::CerrarArchivos() {
    CerrarLote();
    BorrarSegmentos();
}

TMarco TFConv::MarcoFuente() const {
    return MarcoDeIndice(BotonesFuente->checkedId());
}

TMarco TFConv::MarcoDestino() const {
    return MarcoDeIndice(BotonesDestino->checkedId());
}

TTipoArchivo TFConv::TipoFuente() const {
    return static_cast<TTipoArchivo>(std::max(0, cbFuente->currentIndex()));
}

TTipoArchivo TFConv::TipoDestino() const {
    return static_cast<TTipoArchivo>(std::max(0, cbDestino->currentIndex()));
}

TOpcionesLectura TFConv::Opciones() const {
    return OpcionesDeLineas(archivos_.Lectura, TipoFuente());
}

void TFConv::TerminarEdicion() {
    // The command buttons take no focus: a cell still in its editor is stored first (a reset of the
    // grid would otherwise drop the typed text, and a save would miss it).
    Grilla->TerminarEdicion();
    if (Campo->isVisible()) CampoExit();
}

bool TFConv::RechazarArchivoIncompleto() {
    if (archivos_.ArchivoGrande != 1 || archivos_.FalloSegmentos.empty()) return false;
    spMensaje->Mostrar(TMensaje::Error,
                       AQString(kMensajeArchivoIncompleto + std::string("\n\r") + archivos_.FalloSegmentos),
                       TMensaje::Ok);
    return true;
}

void TFConv::cbFuenteChange(int item) {
    TModeloGrilla &g = *ModeloGrilla;
    g.EmpezarCambioMasivo();
    if (item == 1 || item == 2) {
        g.FijarCelda(0, 1, Negrita("Coordenadas Planas " + DeQString(cbFuente->itemText(item))));
        g.FijarCelda(1, 1, Negrita("X (Norte)"));
        g.FijarCelda(1, 2, Negrita("Y (Este)"));
        g.FijarCelda(1, 3, Negrita("Altura"));
        g.FijarCelda(1, 4, Negrita(TitulosTipo[item].Titulo3));
        archivos_.Lectura.ModoDecimal = 1;
    } else {
        g.FijarCelda(0, 1,
                     Negrita("Coordenadas Geogr\xE1"
                             "ficas"));
        g.FijarCelda(1, 1, Negrita("Latitud"));
        g.FijarCelda(1, 2, Negrita("Longitud"));
        g.FijarCelda(1, 3, Negrita("Altura Elips."));
        g.FijarCelda(1, 4, std::string());
    }
    archivos_.Convertido = 0;
    // Any loaded data is gone: 15 empty rows.
    g.FijarFilas(TModeloGrilla::kFilasTitulo);
    g.FijarFilas(kFilasInicio);
    g.TerminarCambioMasivo();  // the reset merges the title cells again
}

void TFConv::cbDestinoChange(int item) {
    TModeloGrilla &g = *ModeloGrilla;
    g.EmpezarCambioMasivo();
    if (item == 1 || item == 2) {
        g.FijarCelda(0, 5, Negrita("Coordenadas Planas " + DeQString(cbDestino->itemText(item))));
        g.FijarCelda(1, 5, Negrita("X (Norte)"));
        g.FijarCelda(1, 6, Negrita("Y (Este)"));
        g.FijarCelda(1, 7, Negrita("Altura"));
        g.FijarCelda(1, 8, Negrita(TitulosTipo[item].Titulo3));
    } else if (item == 0) {
        g.FijarCelda(1, 5, Negrita("Latitud"));
        g.FijarCelda(1, 6, Negrita("Longitud"));
        g.FijarCelda(1, 7, Negrita("Altura Elips."));
        g.FijarCelda(1, 8, std::string());
        g.FijarCelda(0, 5,
                     Negrita("Coordenas Geogr\xE1"
                             "ficas"));
    }
    archivos_.Convertido = 0;
    for (int f = TModeloGrilla::kFilasTitulo; f < g.Filas(); ++f)
        for (int c = 5; c < TModeloGrilla::kColumnas; ++c) g.FijarCelda(f, c, std::string());
    g.TerminarCambioMasivo();
}
