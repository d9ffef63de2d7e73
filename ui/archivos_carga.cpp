// The "Archivos" tab up to the conversion: its controls, the grid titles and the kind changes, the
// open command, loading delimited and GPS waypoint files, the 50000-line limit and the segments.
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include "TFConv.h"
#include "UOpciones.h"
#include "archivos_carga.h"
#include "grilla_modelo.h"
#include "grilla_vista.h"
#include "lectura.h"
#include "linea_larga.h"
#include "lineas.h"
#include "mensaje.h"
#include "preferencias.h"
#include "progreso.h"
#include "segmentos.h"
#include "texto_error.h"
#include "texto_qt.h"

const QString TDialogoAbrir::kTitulo = QStringLiteral("Abrir Archivo");
const QStringList TDialogoAbrir::kFiltros = {QStringLiteral("Texto (*.txt *.csv *.dat)"),
                                             QStringLiteral("Todos (*)")};

QString TDialogoAbrir::CarpetaInicial() const {
    const QString ultima = UltimaCarpeta();
    return ultima.isEmpty() ? InitialDir : ultima;
}

std::unique_ptr<QFileDialog> TDialogoAbrir::CrearDialogo(QWidget *padre) const {
    auto dialogo = std::make_unique<QFileDialog>(padre, kTitulo, CarpetaInicial());
    // Qt's own dialog, which speaks the program's Spanish; a desktop's native one follows the
    // desktop's language.
    dialogo->setOption(QFileDialog::DontUseNativeDialog);
    dialogo->setAcceptMode(QFileDialog::AcceptOpen);
    dialogo->setFileMode(QFileDialog::ExistingFile);
    dialogo->setNameFilters(kFiltros);
    return dialogo;
}

bool TDialogoAbrir::Execute(QWidget *padre) {
    QString nombre;
    if (siguiente_) {
        nombre = *siguiente_;
        siguiente_.reset();
    } else {
        const auto dialogo = CrearDialogo(padre);
        if (dialogo->exec() == QDialog::Accepted && !dialogo->selectedFiles().isEmpty())
            nombre = dialogo->selectedFiles().first();
    }
    if (nombre.isEmpty()) return false;
    FileName = nombre;
    RecordarCarpetaDe(nombre);
    return true;
}

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
    const char *items[2] = {"POSGAR 94", "Campo Inchauspe 69"};
    for (int i = 0; i < 2; ++i) {
        auto *r = new QRadioButton(items[i], g);
        r->setObjectName(QStringLiteral("%1%2").arg(nombre).arg(i));
        r->setGeometry(8, 16 + i * 18, lugar.width() - 16, 18);
        botones->addButton(r, i);
    }
    botones->button(0)->setChecked(true);
    return g;
}

}  // namespace

void TFConv::CrearArchivos() {
    QWidget *p = TSTransf;
    rgFuente = GrupoMarco(p, "rgFuente", "Tipo de Coordenadas Fuente", QRect(8, 8, 169, 57), BotonesFuente);
    rgDestino =
        GrupoMarco(p, "rgDestino", "Tipo de Coordenadas Destino", QRect(184, 8, 169, 57), BotonesDestino);
    Label5 = new QLabel("Coords. de:", p);
    Label5->setObjectName("Label5");
    Label5->move(8, 74);
    cbFuente = new QComboBox(p);
    cbFuente->setObjectName("cbFuente");
    cbFuente->setGeometry(96, 72, 65, 20);
    cbFuente->addItems({" GEO", " GK", " UTM", " GPS"});
    Label6 = new QLabel("a:", p);
    Label6->setObjectName("Label6");
    Label6->move(176, 74);
    cbDestino = new QComboBox(p);
    cbDestino->setObjectName("cbDestino");
    cbDestino->setGeometry(192, 72, 65, 20);
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
    vista->AlEditarCelda = [this](int fila, int col, const std::string &texto) {
        return AlEditarCelda && AlEditarCelda(fila, col, texto);
    };

    BarProgreso = new TBarProgreso(this);
    OD = new TDialogoAbrir(this);
    OD->setObjectName("OD");

    // The start titles: geographic source, Gauss-Krüger destination, 15 rows.
    ModeloGrilla->EmpezarCambioMasivo();
    ModeloGrilla->FijarFilas(kFilasInicio);
    ModeloGrilla->FijarCelda(1, 0, Negrita("Punto"));
    ModeloGrilla->TerminarCambioMasivo();
    cbFuenteChange(0);
    cbDestinoChange(1);
    ModeloGrilla->FijarCelda(0, 5, Negrita("Coordenadas Planas GK"));  // one blank at start
    Convertido = 0;
    ModoDecimal = 0;

    connect(skAbrir, &QToolButton::clicked, this, [this] { AlBordeCarga([this] { skAbrirclick(); }); });
    connect(spOpcArch, &QPushButton::clicked, this, [this] { AlBordeCarga([this] { spOpcArchClick(); }); });
    connect(cbFuente, &QComboBox::currentIndexChanged, this, &TFConv::cbFuenteChange);
    connect(cbDestino, &QComboBox::currentIndexChanged, this, &TFConv::cbDestinoChange);

    CrearLote();
}

void TFConv::CerrarArchivos() {
    CerrarLote();
    BorrarSegmentos();
}

int TFConv::MarcoFuente() const {
    return BotonesFuente->checkedId() == 1 ? 1 : 0;
}

int TFConv::MarcoDestino() const {
    return BotonesDestino->checkedId() == 1 ? 1 : 0;
}

TOpcionesLectura TFConv::Opciones() const {
    TOpcionesLectura o;
    o.Delimitador = DelimArchivo;
    o.LineaInicio = LineaInicio;
    o.ColLatX = ColLatX;
    o.ColLonY = ColLonY;
    o.ColAltura = ColAltura;
    o.ColZona = ColZona;
    o.Fuente = static_cast<uint8_t>(std::max(0, cbFuente->currentIndex()));
    o.ModoDecimal = ModoDecimal;
    return o;
}

void TFConv::AlBordeCarga(const std::function<void()> &f) {
    // File errors end the command with their message; they never leave the slot.
    try {
        f();
    } catch (const std::exception &e) {
        spMensaje->Mostrar(TMensaje::Error, AQString(TextoError(e)));
    }
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
        ModoDecimal = 1;
    } else {
        g.FijarCelda(0, 1,
                     Negrita("Coordenadas Geogr\xE1"
                             "ficas"));
        g.FijarCelda(1, 1, Negrita("Latitud"));
        g.FijarCelda(1, 2, Negrita("Longitud"));
        g.FijarCelda(1, 3, Negrita("Altura Elips."));
        g.FijarCelda(1, 4, std::string());
    }
    Convertido = 0;
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
    Convertido = 0;
    for (int f = TModeloGrilla::kFilasTitulo; f < g.Filas(); ++f)
        for (int c = 5; c < TModeloGrilla::kColumnas; ++c) g.FijarCelda(f, c, std::string());
    g.TerminarCambioMasivo();
}

void TFConv::skAbrirclick() {
    if (LoteEnCurso()) return;
    Grilla->setFocus();
    Convertido = 0;
    OpcionesLeidas = 0;
    ArchivoGrande = 0;
    BorrarSegmentos();
    OD->InitialDir = AQString(DirPrograma);
    if (!OD->Execute(this)) return;
    const std::string ruta = QFile::encodeName(OD->FileName).toStdString();  // the file system's bytes
    if (MarcoFuente() == 0 && cbFuente->currentIndex() == 3) {
        // A waypoint file has no read options: the button would reload the last delimited file.
        spOpcArch->setEnabled(false);
        LeerArchivoGPS(ruta);
        return;
    }
    // Read as a delimited file (a GPS file under Campo Inchauspe 69 too).
    spOpcArch->setEnabled(true);
    if (!FormOpciones) new TFormOpciones(this);
    FormOpciones->FuenteArchivo = static_cast<uint8_t>(cbFuente->currentIndex());
    FormOpciones->NombreArchivo = ruta;
    if (FormOpciones->Ejecutar() != QDialog::Accepted) return;
    AplicarOpcionesYCargar(ruta);
}

void TFConv::AplicarOpcionesYCargar(const std::string &ruta) {
    DelimArchivo = OpcDelimitador;
    LineaInicio = OpcLineaInicio;
    ColLatX = OpcColLatX;
    ColLonY = OpcColLonY;
    ColAltura = OpcColAltura;
    ColZona = OpcColZona;
    OpcionesLeidas = 1;
    ModoDecimal = (cbFuente->currentIndex() == 0 && FormOpciones->ModoAngulo == 0) ? 0 : 1;
    CargarArchivo(ruta);
}

void TFConv::spOpcArchClick() {
    if (!FormOpciones || FormOpciones->NombreArchivo.empty() || LoteEnCurso()) return;
    if (FormOpciones->Ejecutar() != QDialog::Accepted) return;
    // The accepted options apply at once: the file is loaded again with them.
    Convertido = 0;
    ArchivoGrande = 0;
    BorrarSegmentos();
    AplicarOpcionesYCargar(FormOpciones->NombreArchivo);
}

void TFConv::MostrarLinea(const std::string &linea, int numero) {
    const int fila = numero + 1;
    if (fila < TModeloGrilla::kFilasTitulo) return;
    if (ModeloGrilla->Filas() <= fila) ModeloGrilla->FijarFilas(fila + 1);
    TModeloGrilla::TFila celdas;
    CeldasLinea(linea, numero, Opciones(), celdas);
    ModeloGrilla->FijarFila(fila, std::move(celdas));
}

void TFConv::CargarArchivo(const std::string &ruta) {
    ArchivoGrande = 0;
    BorrarSegmentos();
    TotalLineas = ContarLineas(ruta);
    if (TotalLineas > kLineasGrilla) {
        QApplication::beep();
        spMensaje->Mostrar(TMensaje::Informacion, AQString(kMensajeDemasiadoGrande));
        ArchivoGrande = 1;
    }
    const TOpcionesLectura opc = Opciones();
    // The previous rows go first, so that two full grids never live side by side.
    ModeloGrilla->CargarDatos({});
    std::vector<TModeloGrilla::TFila> filas;
    filas.reserve(static_cast<std::size_t>(std::min<int64_t>(TotalLineas, kLineasGrilla)) +
                  TModeloGrilla::kFilasTitulo);
    try {
        TLectorLineas lector(ruta);
        lector.LimitarLinea(kLargoMaximoLinea);
        std::string linea;
        for (int k = 1; k < LineaInicio && lector.Leer(linea); ++k) {
        }
        int i = 0;
        while (i < kLineasGrilla && lector.Leer(linea)) {
            ++i;
            filas.emplace_back();
            // A line cut by the reader shows only when its fields close before the cut; otherwise
            // its row stays empty, as for any line that yields no values.
            std::string_view campos = linea;
            if (lector.Cortada()) campos = CamposCompletos(linea, opc).value_or(std::string_view());
            CeldasLinea(campos, i, opc, filas.back());
        }
    } catch (...) {
        // The rows read so far stay.
        ModeloGrilla->CargarDatos(std::move(filas));
        throw;
    }
    ModeloGrilla->CargarDatos(std::move(filas));
    if (ArchivoGrande == 1) Segmentar(ruta);
}

void TFConv::Segmentar(const std::string &ruta) {
    BarProgreso->FijarEtiqueta("Segmentando ...");
    BarProgreso->FijarValor(0);
    BarProgreso->Mostrar();
    try {
        auto carpeta = std::make_shared<TCarpetaSegmentos>();
        ::Segmentar(ruta, LineaInicio, TotalLineas, carpeta->Base(),
                    [this](int v) { BarProgreso->FijarValor(v); });
        CarpetaSegmentos = std::move(carpeta);
        BaseSegmento = CarpetaSegmentos->Base();
    } catch (const std::exception &e) {
        // The segments written so far went with their folder. Incomplete segments, or the grid's
        // part of the file, would be converted and saved as if they were all of it: the file stays
        // large and the convert and save commands refuse.
        BarProgreso->close();
        FalloSegmentos = TextoError(e);
        spMensaje->Mostrar(TMensaje::Error,
                           AQString(kMensajeSinSegmentos + std::string("\n\r") + FalloSegmentos));
    }
}

void TFConv::BorrarSegmentos() {
    CarpetaSegmentos.reset();
    BaseSegmento.clear();
    FalloSegmentos.clear();
}

void TFConv::LeerArchivoGPS(const std::string &ruta) {
    // A waypoint value counts only when its comma follows: a record cut by the reader never shows
    // a cut value.
    TLectorLineas lector(ruta);
    lector.LimitarLinea(kLargoMaximoLinea);
    std::string linea;
    TMarcaGPS marca;
    bool hallada = false;
    while (!hallada && lector.Leer(linea)) hallada = BuscarMarcaGPS(linea, marca);
    if (!hallada) return;  // not a waypoint file: nothing changes
    ModoDecimal = marca.Dms ? 0 : 1;
    std::vector<TModeloGrilla::TFila> filas;
    try {
        do {
            if (linea.empty()) continue;  // empty lines between records give no rows
            const TRegistroGPS r = LeerRegistroGPS(linea, marca);
            filas.emplace_back();
            filas.back()[0] = r.Nombre;
            filas.back()[1] = r.Latitud;
            filas.back()[2] = r.Longitud;
        } while (lector.Leer(linea));
    } catch (...) {
        ModeloGrilla->CargarDatos(std::move(filas));
        throw;
    }
    ModeloGrilla->CargarDatos(std::move(filas));
}
