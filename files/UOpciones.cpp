// TFormOpciones: the read options dialog. Page 1 previews the first lines and asks for the start
// line; page 2 cuts the lines into numbered columns and asks for the delimiter, the field numbers
// and the angle notation.
#include "UOpciones.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTableWidget>
#include <charconv>
#include <stdexcept>
#include "borde.h"
#include "linea_larga.h"
#include "lineas.h"
#include "mensaje.h"
#include "opciones_lectura.h"
#include "preferencias.h"
#include "texto_qt.h"

TOpcionesLectura OpcLectura;
std::vector<std::string> LineasMuestra;
TFormOpciones *FormOpciones = nullptr;

namespace {

// An error of the dialog: its Windows-1252 text goes to the error box (through the slots' boundary,
// which shows it and leaves the dialog open for the user to mend the value).
struct TErrorOpciones : std::runtime_error {
    using std::runtime_error::runtime_error;
};

TFormOpciones::Presentador &PresentadorGlobal() {
    static TFormOpciones::Presentador p;
    return p;
}

const QColor kColorFijo(214, 223, 247);
const QColor kColorPar(233, 236, 248);
const QColor kColorBanda(228, 236, 248);

QLabel *Etiqueta(QWidget *padre, const char *nombre, const QString &texto, int x, int y) {
    auto *l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit *Edicion(QWidget *padre, const char *nombre, const QString &texto, QRect lugar) {
    auto *e = new QLineEdit(texto, padre);
    e->setObjectName(nombre);
    e->setGeometry(lugar);
    return e;
}

QTableWidgetItem *CeldaFija(const QString &texto) {
    auto *c = new QTableWidgetItem(texto);
    c->setBackground(kColorFijo);
    QFont f = c->font();
    f.setBold(true);
    c->setFont(f);
    return c;
}

void PrepararTabla(QTableWidget *t) {
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(20);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setWordWrap(false);
}

}  // namespace

TFormOpciones::TFormOpciones(QWidget *padre)
    : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("FormOpciones");
    setWindowTitle("Opciones de Lectura");
    setFixedSize(631, 368);
    // The places below were laid out for a small face (Tahoma 8): keep the texts inside them.
    QFont letra = font();
    letra.setPointSizeF(letra.pointSizeF() * 0.9);
    setFont(letra);
    spMensaje = new TMensaje(this);

    NoteBook = new QGroupBox(QStringLiteral("Coordenadas UTM"), this);
    NoteBook->setObjectName("NoteBook");
    NoteBook->setGeometry(8, 8, 609, 289);
    Paginas = new QStackedWidget(NoteBook);
    Paginas->setObjectName("Paginas");
    Paginas->setGeometry(0, 18, 609, 271);
    auto *pagina1 = new QWidget(Paginas);
    auto *pagina2 = new QWidget(Paginas);
    Paginas->addWidget(pagina1);
    Paginas->addWidget(pagina2);

    // Page 1: the first lines as they are.
    Label4 = Etiqueta(pagina1, "Label4", AQString("INDIQUE el n\xFAmero de la LINEA de incio de los Datos :"),
                      8, 8);
    QFont negrita = Label4->font();
    negrita.setBold(true);
    Label4->setFont(negrita);
    Label4->adjustSize();
    FilaConf = new QTableWidget(1, 2, pagina1);
    FilaConf->setObjectName("FilaConf");
    FilaConf->setGeometry(8, 32, 585, 193);
    PrepararTabla(FilaConf);
    FilaConf->setColumnWidth(0, 30);
    Label1 = Etiqueta(pagina1, "Label1", AQString("L\xEDnea de Inicio:"), 240, 241);
    Label1->setFont(negrita);
    Label1->setStyleSheet("color: navy");
    // Right-aligned against its edit, whatever the face's width.
    Label1->setGeometry(120, 237, 210, 20);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sEditLineaNro = Edicion(pagina1, "sEditLineaNro", "1", QRect(336, 237, 47, 20));

    // Page 2: the lines cut into columns.
    Label3 = Etiqueta(pagina2, "Label3", AQString("INDIQUE el n\xFAmero de columna para los Datos :"), 8, 8);
    Label3->setFont(negrita);
    Label3->adjustSize();
    ColsConf = new QTableWidget(1, 1, pagina2);
    ColsConf->setObjectName("ColsConf");
    ColsConf->setGeometry(8, 32, 377, 193);
    PrepararTabla(ColsConf);
    Delimitador = new QGroupBox("Campos delimitados por:", pagina2);
    Delimitador->setObjectName("Delimitador");
    Delimitador->setGeometry(400, 16, 193, 81);
    BotonesDelimitador = new QButtonGroup(this);
    const char *items[4] = {"Tabulador", "Coma", "Punto y Coma", "Espacio"};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QRadioButton(items[i], Delimitador);
        b->setObjectName(QStringLiteral("Delimitador%1").arg(i));
        // Two columns filled top to bottom.
        b->setGeometry(6 + (i / 2) * 82, 20 + (i % 2) * 26, i / 2 ? 102 : 80, 22);
        BotonesDelimitador->addButton(b, i);
    }
    BotonesDelimitador->button(1)->setChecked(true);
    eModo = Etiqueta(pagina2, "eModo", "Modo:", 397, 136);
    cbModo = new QComboBox(pagina2);
    cbModo->setObjectName("cbModo");
    cbModo->setGeometry(432, 131, 172, 24);
    cbModo->addItems({"Grado-Minutos-Segundos", "Grado Decimal"});
    cbModo->setCurrentIndex(0);
    chComaDecimal = new QCheckBox("Coma decimal", pagina2);
    chComaDecimal->setObjectName("chComaDecimal");
    chComaDecimal->setGeometry(406, 102, 190, 22);
    EtiqLatX = Etiqueta(pagina2, "EtiqLatX", "X  (Norte):", 8, 236);
    sEditLatX = Edicion(pagina2, "sEditLatX", "1", QRect(72, 234, 47, 20));
    EtiqLonY = Etiqueta(pagina2, "EtiqLonY", "Y  ( Este ):", 135, 236);
    sEditLonY = Edicion(pagina2, "sEditLonY", "2", QRect(202, 234, 47, 20));
    EtiqAltura = Etiqueta(pagina2, "EtiqAltura", "Altura:", 282, 236);
    sEditAltura = Edicion(pagina2, "sEditAltura", "0", QRect(326, 234, 48, 20));
    EtiqZonaFaja = Etiqueta(pagina2, "EtiqZonaFaja", "Zona:", 410, 236);
    sEditZFaja = Edicion(pagina2, "sEditZFaja", "0", QRect(450, 234, 48, 20));
    // The point's name, for every kind of file: 0 numbers the points instead.
    EtiqNombre = Etiqueta(pagina2, "EtiqNombre", "Nombre:", 508, 236);
    sEditNombre = Edicion(pagina2, "sEditNombre", "0", QRect(556, 234, 44, 20));

    spAnterior = new QPushButton("Anterior", this);
    spAnterior->setObjectName("spAnterior");
    spAnterior->setGeometry(464, 301, 57, 17);
    spAnterior->setFlat(true);
    spSiguiente = new QPushButton("Siguiente ", this);
    spSiguiente->setObjectName("spSiguiente");
    spSiguiente->setGeometry(536, 301, 65, 17);
    spSiguiente->setFlat(true);
    spBotonCancelar = new QPushButton("Cancelar", this);
    spBotonCancelar->setObjectName("spBotonCancelar");
    spBotonCancelar->setGeometry(224, 320, 75, 25);
    spBotonOK = new QPushButton("Aceptar", this);
    spBotonOK->setObjectName("spBotonOK");
    spBotonOK->setGeometry(320, 320, 75, 25);
    // Enter moves between the fields (the application turns it into Tab): no default button.
    for (QPushButton *b : {spAnterior, spSiguiente, spBotonCancelar, spBotonOK}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    Conectar(spSiguiente, &QPushButton::clicked, *spMensaje, this, &TFormOpciones::spSiguienteClick);
    Conectar(spAnterior, &QPushButton::clicked, *spMensaje, this, &TFormOpciones::spAnteriorClick);
    Conectar(spBotonOK, &QPushButton::clicked, *spMensaje, this, &TFormOpciones::spBotonOKClick);
    Conectar(spBotonCancelar, &QPushButton::clicked, *spMensaje, [this] { reject(); });
    // Choosing another item (by the user or by the detection) rebuilds the column table; choosing
    // the item already selected does nothing.
    Conectar(BotonesDelimitador, &QButtonGroup::idToggled, *spMensaje, [this](int, bool marcado) {
        if (marcado) DelimitadorClick();
    });
    // With a decimal comma the comma is no delimiter: the detection looks again.
    Conectar(chComaDecimal, &QCheckBox::toggled, *spMensaje, [this](bool) {
        if (Paginas->currentIndex() == 1) MostrarColumnas();
    });

    // FormCreate
    FuenteArchivo = TTipoArchivo::Geografico;
    ModoAngulo = 0;
    OpcLectura = TOpcionesLectura();
    OpcLectura.ColLatX = 1;
    OpcLectura.ColLonY = 2;
    OpcLectura.Delimitador = CaracteresDelimitador[ItemDelimitador()];
    if (!FormOpciones) FormOpciones = this;
}

TFormOpciones::~TFormOpciones() {
    LineasMuestra.clear();
    if (FormOpciones == this) FormOpciones = nullptr;
}

void TFormOpciones::FijarPresentador(Presentador p) {
    PresentadorGlobal() = std::move(p);
}

int TFormOpciones::Ejecutar() {
    if (PresentadorGlobal()) return PresentadorGlobal()(*this);
    return exec();
}

int TFormOpciones::ItemDelimitador() const {
    return BotonesDelimitador->checkedId();
}

void TFormOpciones::SeleccionarDelimitador(int item) {
    // The caller rebuilds the table itself: the selection is not a click here.
    const QSignalBlocker bloqueo(BotonesDelimitador);
    BotonesDelimitador->button(item)->setChecked(true);
}

const std::string &TFormOpciones::LineaMuestra(int k) const {
    static const std::string vacia;
    if (k < 1 || k > CantidadMuestra || k > static_cast<int>(LineasMuestra.size())) return vacia;
    return LineasMuestra[static_cast<std::size_t>(k - 1)];
}

uint8_t TFormOpciones::LeerCampo(QLineEdit *campo, const QString &nombre) const {
    const std::string texto = DeQString(campo->text());
    std::size_t i = 0, f = texto.size();
    while (i < f && texto[i] == ' ') ++i;
    while (f > i && texto[f - 1] == ' ') --f;
    if (i < f && texto[i] == '+') ++i;
    long long valor = 0;
    const char *ini = texto.data() + i;
    const char *fin = texto.data() + f;
    const auto [p, ec] = std::from_chars(ini, fin, valor);
    const bool entero = i < f && p == fin && (ec == std::errc() || ec == std::errc::result_out_of_range);
    if (!entero) throw TErrorOpciones("'" + texto + "' is not a valid integer value");
    // A field number is one byte: 300 must not silently become column 44.
    if (ec != std::errc() || valor < 0 || valor > 255)
        throw TErrorOpciones("'" + texto + "' no es v\xE1lido para " + DeQString(nombre) +
                             ": debe ser un n\xFAmero de 0 a 255.");
    return static_cast<uint8_t>(valor);
}

void TFormOpciones::showEvent(QShowEvent *evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous()) FormActivate();
}

void TFormOpciones::FormActivate() {
    setResult(QDialog::Rejected);  // until this showing is accepted
    Paginas->setCurrentIndex(0);
    sEditLineaNro->setText("1");
    sEditLatX->setText("1");
    sEditLonY->setText("2");
    sEditAltura->setText("0");
    sEditZFaja->setText("0");
    sEditNombre->setText("0");
    MostrarRecordadas();
    spBotonOK->setEnabled(false);
    spSiguiente->setEnabled(true);
    eModo->setEnabled(false);
    cbModo->setEnabled(false);

    switch (FuenteArchivo) {
        case TTipoArchivo::Geografico:
            NoteBook->setTitle(
                AQString(" Coordenadas Geogr\xE1"
                         "ficas "));
            EtiqLatX->setText("Latitud:");
            EtiqLonY->setText("Longitud:");
            eModo->setEnabled(true);
            cbModo->setEnabled(true);
            EtiqZonaFaja->setEnabled(false);
            sEditZFaja->setEnabled(false);
            break;
        case TTipoArchivo::GaussKruger:
        case TTipoArchivo::UTM:
            NoteBook->setTitle(FuenteArchivo == TTipoArchivo::GaussKruger ? " Coordenadas GK "
                                                                          : " Coordenadas UTM ");
            EtiqLatX->setText("X (Norte):");
            EtiqLonY->setText("Y (Este):");
            EtiqZonaFaja->setText(FuenteArchivo == TTipoArchivo::GaussKruger ? "Faja:" : "Zona:");
            EtiqZonaFaja->setEnabled(true);
            sEditZFaja->setEnabled(true);
            break;
        default:
            break;
    }
    for (QLabel *l : {EtiqLatX, EtiqLonY, EtiqZonaFaja}) l->adjustSize();

    // The preview: at most the first 15 lines.
    LineasMuestra.clear();
    CantidadMuestra = 0;
    FilaConf->clearContents();
    FilaConf->setRowCount(1);
    FilaConf->setItem(0, 0, CeldaFija(QString()));
    FilaConf->setItem(0, 1, CeldaFija(QString()));
    // A file that cannot be read says why; the preview stays empty.
    AlBorde(*spMensaje, [&] {
        // A line of the preview is only looked at: its first bytes are enough.
        TLectorLineas lector(NombreArchivo);
        lector.LimitarLinea(kLargoMaximoLinea);
        std::string linea;
        while (LineasMuestra.size() < kMaxMuestra && lector.Leer(linea)) LineasMuestra.push_back(linea);
    });
    const int leidas = static_cast<int>(LineasMuestra.size());
    FilaConf->setRowCount(leidas + 1);
    for (int k = 1; k <= leidas; ++k) {
        FilaConf->setItem(k, 0, CeldaFija(QString::number(k)));
        auto *c = new QTableWidgetItem(AQString(LineasMuestra[static_cast<std::size_t>(k - 1)]));
        if (k % 2 == 0) c->setBackground(kColorBanda);
        FilaConf->setItem(k, 1, c);
    }
    CantidadMuestra = static_cast<uint8_t>(leidas);
    FilaConf->resizeColumnToContents(1);
    sEditLineaNro->setFocus();
}

void TFormOpciones::spSiguienteClick() {
    if (Paginas->currentIndex() != 0) return;
    Paginas->setCurrentIndex(1);
    spSiguiente->setEnabled(false);
    MostrarColumnas();  // an error leaves "Aceptar" disabled
    spBotonOK->setEnabled(true);
    sEditLatX->setFocus();
}

void TFormOpciones::spAnteriorClick() {
    Paginas->setCurrentIndex(0);
    spSiguiente->setEnabled(true);
}

void TFormOpciones::DelimitadorClick() {
    MostrarColumnas();
}

int TFormOpciones::DetectarDelimitador(const std::string &linea) {
    const int item = ::DetectarDelimitador(linea, chComaDecimal->isChecked());
    if (item >= 0 && item != ItemDelimitador()) SeleccionarDelimitador(item);
    return item;
}

int TFormOpciones::ContarCampos(const std::string &linea) {
    if (linea.empty()) return 0;
    if (DetectarDelimitador(linea) < 0) throw TErrorOpciones("No se encuentra un Delimitador apropiado.");
    return ::ContarCampos(linea, chComaDecimal->isChecked());
}

void TFormOpciones::MostrarColumnas() {
    const int s = LeerCampo(sEditLineaNro, AQString("L\xEDnea de Inicio"));
    ColsConf->setRowCount(std::max(1, CantidadMuestra - s + 2));
    const int n = ContarCampos(LineaMuestra(s));
    ColsConf->clearContents();
    ColsConf->setColumnCount(n + 1);
    for (int c = 0; c <= n; ++c) ColsConf->setItem(0, c, CeldaFija(c == 0 ? QString() : QString::number(c)));
    for (int f = 1; f < ColsConf->rowCount(); ++f) ColsConf->setItem(f, 0, CeldaFija(QString()));
    for (int k = std::max(s, 1); k <= CantidadMuestra; ++k) LlenarFilaColumnas(LineaMuestra(k), k - s + 1);
    for (int c = 2; c <= n; c += 2)
        for (int f = 1; f < ColsConf->rowCount(); ++f) {
            if (!ColsConf->item(f, c)) ColsConf->setItem(f, c, new QTableWidgetItem);
            ColsConf->item(f, c)->setBackground(kColorPar);
        }
    ColsConf->resizeColumnsToContents();
    for (int c = 0; c <= n; ++c) ColsConf->setColumnWidth(c, ColsConf->columnWidth(c) + 1);
}

void TFormOpciones::LlenarFilaColumnas(const std::string &linea, int fila) {
    if (linea.empty() || fila < 1 || fila >= ColsConf->rowCount()) return;
    // Each field as the conversion reads it: quotes removed, blanks trimmed, every digit kept.
    std::vector<std::string_view> campos;
    std::string aparte;
    DividirCampos(linea, CaracteresDelimitador[ItemDelimitador()], campos, aparte);
    for (std::size_t i = 0; i < campos.size() && static_cast<int>(i) + 1 < ColsConf->columnCount(); ++i)
        ColsConf->setItem(fila, static_cast<int>(i) + 1,
                          new QTableWidgetItem(AQString(std::string(campos[i]))));
}

void TFormOpciones::spBotonOKClick() {
    // Every field is checked before any option changes: a refused "Aceptar" stores nothing, and the
    // dialog stays open so that the user can mend the value.
    const uint8_t linea = LeerCampo(sEditLineaNro, AQString("L\xEDnea de Inicio"));
    const auto nombre = [](QLabel *l) { return l->text().remove(':').trimmed(); };
    const uint8_t latX = LeerCampo(sEditLatX, nombre(EtiqLatX));
    const uint8_t lonY = LeerCampo(sEditLonY, nombre(EtiqLonY));
    const uint8_t altura = LeerCampo(sEditAltura, nombre(EtiqAltura));
    const uint8_t zona = LeerCampo(sEditZFaja, nombre(EtiqZonaFaja));
    const uint8_t colNombre = LeerCampo(sEditNombre, nombre(EtiqNombre));
    const int item = DetectarDelimitador(LineaMuestra(linea));
    if (item < 0 || CaracteresDelimitador[item] != CaracteresDelimitador[ItemDelimitador()])
        throw TErrorOpciones("El delimitador de Campo es incorrecto.");
    if (FuenteArchivo == TTipoArchivo::Geografico) ModoAngulo = static_cast<uint8_t>(cbModo->currentIndex());
    OpcLectura.LineaInicio = linea;
    OpcLectura.ColLatX = latX;
    OpcLectura.ColLonY = lonY;
    OpcLectura.ColAltura = altura;
    OpcLectura.ColZona = zona;
    OpcLectura.ColNombre = colNombre;
    OpcLectura.Delimitador = CaracteresDelimitador[item];
    OpcLectura.Fuente = FuenteArchivo;
    OpcLectura.ModoDecimal = FuenteArchivo == TTipoArchivo::Geografico && ModoAngulo == 0 ? 0 : 1;
    OpcLectura.ComaDecimal = chComaDecimal->isChecked() ? 1 : 0;
    Recordar();
    accept();
}

namespace {
// The settings group of a file kind's remembered options.
QString GrupoRecordado(TTipoArchivo fuente) {
    return QStringLiteral("OpcionesLectura/Tipo%1").arg(static_cast<int>(fuente));
}
}  // namespace

// The field numbers and delimiter last accepted for this kind of file, in place of the defaults. The
// start line is not remembered: a wrong one would drop the first points of the next file silently.
void TFormOpciones::MostrarRecordadas() {
    const auto p = Preferencias();
    if (!p) return;
    p->beginGroup(GrupoRecordado(FuenteArchivo));
    const auto campo = [&](const char *clave, QLineEdit *edicion) {
        bool ok = false;
        const int v = p->value(clave).toInt(&ok);
        if (ok && v >= 0 && v <= 255) edicion->setText(QString::number(v));
    };
    campo("ColLatX", sEditLatX);
    campo("ColLonY", sEditLonY);
    campo("ColAltura", sEditAltura);
    campo("ColZona", sEditZFaja);
    campo("ColNombre", sEditNombre);
    bool ok = false;
    const int item = p->value("Delimitador").toInt(&ok);
    if (ok && item >= 0 && item < 4) SeleccionarDelimitador(item);
    chComaDecimal->setChecked(p->value("ComaDecimal").toBool());
    p->endGroup();
}

void TFormOpciones::Recordar() const {
    const auto p = Preferencias();
    if (!p) return;
    p->beginGroup(GrupoRecordado(FuenteArchivo));
    p->setValue("ColLatX", OpcLectura.ColLatX);
    p->setValue("ColLonY", OpcLectura.ColLonY);
    p->setValue("ColAltura", OpcLectura.ColAltura);
    p->setValue("ColZona", OpcLectura.ColZona);
    p->setValue("ColNombre", OpcLectura.ColNombre);
    p->setValue("Delimitador", ItemDelimitador());
    p->setValue("ComaDecimal", OpcLectura.ComaDecimal == 1);
    p->endGroup();
}

void TFormOpciones::done(int resultado) {
    // FormClose
    LineasMuestra.clear();
    QDialog::done(resultado);
}
