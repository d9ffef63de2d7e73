// TFConv shell: the tab control, the status bar, the About page, and what the window creates when it
// opens (conversion object, validator, Enter hook) and releases when it closes.
#include "ventana.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include "Validate.h"
#include "acerca.h"
#include "aplicacion.h"
#include "mensaje.h"
#include "soltar_archivo.h"
#include "tecla_enter.h"
#include "texto_qt.h"

namespace {
const char *const kMsgInicial =
    " Conversi\xF3n de Coordenadas exclusivo para la Rep\xFA"
    "blica Argentina";
const char *const kAutor = " Zuvelo II v3.2 - Equipo Zuvelo";
}  // namespace

TFConv::TFConv(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TFConv"));
    setWindowTitle(QStringLiteral("Zuvelo II v3.2"));
    spMensaje = new TMensaje(this);

    spSPC = new QTabWidget(this);
    spSPC->setObjectName(QStringLiteral("spSPC"));
    TSConv = new QWidget;
    TSConv->setObjectName(QStringLiteral("TSConv"));
    TSTransf = new QWidget;
    TSTransf->setObjectName(QStringLiteral("TSTransf"));
    AcercaDe = new QWidget;
    AcercaDe->setObjectName(QStringLiteral("AcercaDe"));
    spSPC->addTab(TSConv, AQString("Conversi\xF3n"));
    spSPC->addTab(TSTransf, AQString("Archivos"));
    spSPC->addTab(AcercaDe, AQString("Acerca de ..."));

    // The tab control fills the window above the status bar, 8 px from the sides and 2 px from the top.
    auto *centro = new QWidget(this);
    auto *marco = new QVBoxLayout(centro);
    marco->setContentsMargins(8, 2, 8, 2);
    marco->addWidget(spSPC);
    setCentralWidget(centro);

    statusbar = new QStatusBar(this);
    statusbar->setObjectName(QStringLiteral("statusbar"));
    statusbar->setSizeGripEnabled(true);
    // Smaller than the window's text, so that the status sentence fits beside Autor at the design
    // width (583 less Autor's 219 and about 34 for the panel frames and the size grip), down to 7 pt.
    QFont letra = statusbar->font();
    const QString frase = AQString(kMsgInicial);
    if (letra.pointSizeF() > 8) letra.setPointSizeF(letra.pointSizeF() - 1);
    while (letra.pointSizeF() > 7 && QFontMetrics(letra).horizontalAdvance(frase) > 583 - 219 - 34)
        letra.setPointSizeF(letra.pointSizeF() - 0.5);
    statusbar->setFont(letra);
    Autor = new QLabel(AQString(kAutor));
    Autor->setObjectName(QStringLiteral("Autor"));
    Autor->setFixedWidth(219);
    Autor->setFrameShape(QFrame::StyledPanel);
    Msg = new QLabel(AQString(kMsgInicial));
    Msg->setObjectName(QStringLiteral("Msg"));
    Msg->setFrameShape(QFrame::StyledPanel);
    Msg->setMinimumWidth(40);
    statusbar->addWidget(Autor);
    statusbar->addWidget(Msg, 1);
    setStatusBar(statusbar);

    CrearConversion();
    CrearArchivos();
    CrearMapa();
    CrearAcercaDe(AcercaDe);
    spSPC->setCurrentWidget(TSConv);
    SoltarArchivo = new TSoltarArchivo(
        this, [this](const QString &archivo) { AlBorde(*spMensaje, [&] { ArchivoSoltado(archivo); }); });

    resize(583, 530);  // the design size, with the POSGAR 2007 row
    if (QScreen *pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - QRect(QPoint(0, 0), size()).center());

    FormCreate();
}

TFConv::~TFConv() {
    if (!Cerrada) FormClose();
}

void TFConv::FormCreate() {
    FijarSeparadorDecimal();
    archivos_.Convertido = 0;
    archivos_.OpcionesLeidas = 0;
    archivos_.Lectura = TOpcionesLectura();
    DirPrograma =
        DeQString(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/')));
    if (!ChkMensaje) {
        ChkMensaje = new TChkMensaje(this);
        QCoreApplication::instance()->installEventFilter(ChkMensaje);
    }
    Coordenadas = std::make_unique<TCoordenadas>();
    delete Formato;
    Formato = new TFormato(MascaraLatitud, true);
    Cerrada = false;
}

void TFConv::FormClose() {
    delete Formato;
    Formato = nullptr;
    Coordenadas.reset();
    CerrarArchivos();
    Cerrada = true;
}

void TFConv::closeEvent(QCloseEvent *event) {
    AlBorde(*spMensaje, [&] {
        if (!Cerrada) FormClose();
    });
    event->accept();
}
