// The "Conversión" tab: its controls, the tick rules that keep exactly one input group editable and
// the three frame buttons.
#include "conversion.h"

#include <QApplication>
#include <algorithm>
#include <QChildEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include "texto_qt.h"
#include "ventana.h"

std::function<void()> Pitido = [] { QApplication::beep(); };

namespace {
const char *const kGeo =
    "Coordenadas Geogr\xE1"
    "ficas (Geod\xE9sicas)";
const char *const kGK = "Coordenadas Planas Gauss Kr\xFCger";
}  // namespace

// Each group's member, name and caption, and its three fields with their labels.
struct TFConv::TGrupoDef {
    struct TCampoDef {
        QLineEdit *TFConv::*campo;
        const char *nombre;
        const char *etiqueta;
    };
    QGroupBox *TFConv::*grupo;
    const char *nombre;
    const char *titulo;
    TCampoDef campos[3];
};

const TFConv::TGrupoDef TFConv::kGrupos[kGruposConversion] = {
    {&TFConv::cGEOgrp,
     "cGEOgrp",
     kGeo,
     {{&TFConv::Elat, "Elat", "Latitud:"},
      {&TFConv::ELon, "ELon", "Longitud:"},
      {&TFConv::EAlt, "EAlt", "Altura Elip.:"}}},
    {&TFConv::cGKgrp,
     "cGKgrp",
     kGK,
     {{&TFConv::GKPx, "GKPx", "Norte ( X ):"},
      {&TFConv::GKPy, "GKPy", "Este ( Y ):"},
      {&TFConv::GKPf, "GKPf", "Faja:"}}},
    {&TFConv::cUTMgrp,
     "cUTMgrp",
     "Coordenadas  UTM",
     {{&TFConv::cpX, "cpX", "X:"}, {&TFConv::cpY, "cpY", "Y:"}, {&TFConv::cpZ, "cpZ", "Zona:"}}},
    {&TFConv::cGEOIgrp,
     "cGEOIgrp",
     kGeo,
     {{&TFConv::SLat, "SLat", "Latitud:"},
      {&TFConv::SLon, "SLon", "Longitud:"},
      {&TFConv::SAlt, "SAlt", "Altura Elip.:"}}},
    {&TFConv::cGKIgrp,
     "cGKIgrp",
     kGK,
     {{&TFConv::GKIx, "GKIx", "Norte ( X ):"},
      {&TFConv::GKIy, "GKIy", "Este ( Y ):"},
      {&TFConv::GKIf, "GKIf", "Faja:"}}},
    {&TFConv::cGEO07grp,
     "cGEO07grp",
     "POSGAR 2007 - Geogr\xE1"
     "ficas (Geod\xE9sicas)",
     {{&TFConv::G07Lat, "G07Lat", "Latitud:"},
      {&TFConv::G07Lon, "G07Lon", "Longitud:"},
      {&TFConv::G07Alt, "G07Alt", "Altura Elip.:"}}},
    {&TFConv::cGK07grp,
     "cGK07grp",
     "POSGAR 2007 - Planas Gauss Kr\xFCger",
     {{&TFConv::GK07x, "GK07x", "Norte ( X ):"},
      {&TFConv::GK07y, "GK07y", "Este ( Y ):"},
      {&TFConv::GK07f, "GK07f", "Faja:"}}},
};

namespace {
// The frame button of each group (1 to 7), and the first and last group of each frame.
int MarcoDelGrupo(int n) {
    return n <= 3 ? 1 : n <= 5 ? 2 : 3;
}
const int kPrimerGrupo[4] = {0, 1, 4, 6}, kUltimoGrupo[4] = {0, 3, 5, 7};
}  // namespace

namespace {

// A read-only field keeps the focus and can be copied from; its grey background tells it apart.
void FijarSoloLectura(QLineEdit *campo, bool soloLectura) {
    campo->setReadOnly(soloLectura);
    QPalette paleta = QApplication::palette(campo);
    if (soloLectura) paleta.setColor(QPalette::Base, paleta.color(QPalette::Window).lighter(104));
    campo->setPalette(paleta);
}

}  // namespace

// ---- TGrupoTick, TCambioGrupos -------------------------------------------------------------------

TGrupoTick::TGrupoTick(const QString &titulo, TFConv &ventana, QWidget *padre)
    : QGroupBox(titulo, padre), ventana_(ventana) {}

bool TGrupoTick::event(QEvent *e) {
    // Clicks and key presses may toggle the tick (Qt then disables the fields first): cover them.
    switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            TCambioGrupos cambio(ventana_);
            return QGroupBox::event(e);
        }
        default:
            return QGroupBox::event(e);
    }
}

void TGrupoTick::childEvent(QChildEvent *e) {
    QWidget::childEvent(e);
}

void TGrupoTick::changeEvent(QEvent *e) {
    QGroupBox::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && isEnabled())
        for (QWidget *hijo : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            hijo->setEnabled(true);
}

TCambioGrupos::TCambioGrupos(TFConv &ventana) : ventana_(ventana), exterior_(ventana.CambiandoGrupos == 0) {
    ++ventana_.CambiandoGrupos;
    if (exterior_) {
        foco_ = QApplication::focusWidget();
        ventana_.EventosConversion->FocoFijado = false;
    }
}

TCambioGrupos::~TCambioGrupos() {
    if (exterior_ && !ventana_.EventosConversion->FocoFijado && foco_ &&
        QApplication::focusWidget() != foco_ && foco_->isEnabled() && foco_->isVisible())
        foco_->setFocus(Qt::OtherFocusReason);
    --ventana_.CambiandoGrupos;
}

void TFConv::DarFoco(QLineEdit *campo) {
    EventosConversion->FocoFijado = true;
    campo->setFocus(Qt::OtherFocusReason);
}

// ---- Building the tab ----------------------------------------------------------------------------

void TFConv::CrearConversion() {
    EventosConversion = new TEventosConversion(*this);

    spSkinCheckRadioBox1 = new QRadioButton(AQString(" POSGAR 94    ( WGS 84)"), TSConv);
    spSkinCheckRadioBox1->setObjectName(QStringLiteral("spSkinCheckRadioBox1"));
    spSkinCheckRadioBox1->setChecked(true);
    spSkinCheckRadioBox2 = new QRadioButton(AQString(" CAMPO INCHAUSPE 69"), TSConv);
    spSkinCheckRadioBox2->setObjectName(QStringLiteral("spSkinCheckRadioBox2"));
    spSkinCheckRadioBox3 = new QRadioButton(AQString(" POSGAR 2007"), TSConv);
    spSkinCheckRadioBox3->setObjectName(QStringLiteral("spSkinCheckRadioBox3"));

    QGroupBox *cajas[kGruposConversion];
    for (int g = 0; g < kGruposConversion; ++g) {
        const TGrupoDef &def = kGrupos[g];
        auto *caja = new TGrupoTick(AQString(def.titulo), *this, TSConv);
        caja->setObjectName(QString::fromLatin1(def.nombre));
        caja->setCheckable(true);
        caja->setChecked(g == 0);
        // The tick is worked with the mouse; Tab and Enter go from field to field.
        caja->setFocusPolicy(Qt::NoFocus);
        // The columns share the page's width; a long caption never widens the window.
        caja->setMinimumWidth(200);
        auto *rejilla = new QGridLayout(caja);
        rejilla->setContentsMargins(8, 4, 8, 6);
        rejilla->setHorizontalSpacing(6);
        rejilla->setVerticalSpacing(4);
        for (int i = 0; i < 3; ++i) {
            auto *etiqueta = new QLabel(AQString(def.campos[i].etiqueta), caja);
            auto *campo = new QLineEdit(caja);
            campo->setObjectName(QString::fromLatin1(def.campos[i].nombre));
            etiqueta->setBuddy(campo);
            FijarSoloLectura(campo, g != 0);
            rejilla->addWidget(etiqueta, i, 0);
            rejilla->addWidget(campo, i, 1);
            this->*def.campos[i].campo = campo;
        }
        rejilla->setColumnStretch(1, 1);
        this->*def.grupo = caja;
        cajas[g] = caja;
    }

    // The fields of all seven groups start at the same distance from their labels.
    int anchoEtiquetas = 0;
    for (QGroupBox *caja : cajas)
        for (QLabel *etiqueta : caja->findChildren<QLabel *>())
            anchoEtiquetas = std::max(anchoEtiquetas, etiqueta->sizeHint().width());
    for (QGroupBox *caja : cajas)
        static_cast<QGridLayout *>(caja->layout())->setColumnMinimumWidth(0, anchoEtiquetas);

    cUTMIgrp = new QGroupBox(AQString("Coordenadas  Gauss Kruger (Combinadas)"), TSConv);
    cUTMIgrp->setObjectName(QStringLiteral("cUTMIgrp"));
    auto *combinada = new QGridLayout(cUTMIgrp);
    combinada->setContentsMargins(8, 4, 8, 6);
    combinada->setVerticalSpacing(2);
    combinada->addWidget(new QLabel(AQString("Y, X:"), cUTMIgrp), 0, 0);
    combinada->addWidget(new QLabel(AQString("Faja:"), cUTMIgrp), 0, 1, Qt::AlignRight);
    Memo = new QPlainTextEdit(cUTMIgrp);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setTabChangesFocus(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    combinada->addWidget(Memo, 1, 0, 1, 2);

    auto *pagina = new QVBoxLayout(TSConv);
    pagina->setContentsMargins(2, 4, 2, 2);
    pagina->setSpacing(2);
    auto *marcos = new QHBoxLayout;
    marcos->addWidget(spSkinCheckRadioBox1, 1);
    marcos->addWidget(spSkinCheckRadioBox2, 1);
    marcos->addWidget(spSkinCheckRadioBox3, 1);
    pagina->addLayout(marcos);
    auto *columnas = new QHBoxLayout;
    columnas->setSpacing(6);
    auto *izquierda = new QVBoxLayout;
    izquierda->setSpacing(2);
    izquierda->addWidget(cajas[0]);
    izquierda->addWidget(cajas[1]);
    izquierda->addWidget(cajas[2]);
    izquierda->addStretch(1);  // in a taller window the groups keep their height; the memo grows
    auto *derecha = new QVBoxLayout;
    derecha->setSpacing(2);
    derecha->addWidget(cajas[3]);
    derecha->addWidget(cajas[4]);
    derecha->addWidget(cUTMIgrp, 1);
    columnas->addLayout(izquierda, 1);
    columnas->addLayout(derecha, 1);
    pagina->addLayout(columnas, 1);
    // POSGAR 2007 in a row of its own below, its geographic group under POSGAR 94's and its
    // Gauss-Krüger group under Campo Inchauspe's.
    auto *posgar2007 = new QHBoxLayout;
    posgar2007->setSpacing(6);
    posgar2007->addWidget(cajas[5], 1);
    posgar2007->addWidget(cajas[6], 1);
    pagina->addLayout(posgar2007);

    Elat->setFocus();  // the first field has the focus when the window opens

    // Tab order: groups 1 to 7, the combined box, the frame buttons.
    QWidget *orden[] = {Elat,
                        ELon,
                        EAlt,
                        GKPx,
                        GKPy,
                        GKPf,
                        cpX,
                        cpY,
                        cpZ,
                        SLat,
                        SLon,
                        SAlt,
                        GKIx,
                        GKIy,
                        GKIf,
                        G07Lat,
                        G07Lon,
                        G07Alt,
                        GK07x,
                        GK07y,
                        GK07f,
                        Memo,
                        spSkinCheckRadioBox1,
                        spSkinCheckRadioBox2,
                        spSkinCheckRadioBox3};
    for (std::size_t k = 1; k < std::size(orden); ++k) QWidget::setTabOrder(orden[k - 1], orden[k]);

    // Events. The tick event runs on every change of state; FijarTick runs it also without one.
    Conectar(cGEOgrp, &QGroupBox::toggled, this, &TFConv::cGEOgrpChecked);
    Conectar(cGKgrp, &QGroupBox::toggled, this, &TFConv::cGKgrpChecked);
    Conectar(cUTMgrp, &QGroupBox::toggled, this, &TFConv::cUTMgrpChecked);
    Conectar(cGEOIgrp, &QGroupBox::toggled, this, &TFConv::cGEOIgrpChecked);
    Conectar(cGKIgrp, &QGroupBox::toggled, this, &TFConv::cGKIgrpChecked);
    Conectar(cGEO07grp, &QGroupBox::toggled, this, &TFConv::cGEO07grpChecked);
    Conectar(cGK07grp, &QGroupBox::toggled, this, &TFConv::cGK07grpChecked);
    Conectar(spSkinCheckRadioBox1, &QRadioButton::clicked, this, &TFConv::spSkinCheckRadioBox1Click);
    Conectar(spSkinCheckRadioBox2, &QRadioButton::clicked, this, &TFConv::spSkinCheckRadioBox2Click);
    Conectar(spSkinCheckRadioBox3, &QRadioButton::clicked, this, &TFConv::spSkinCheckRadioBox3Click);
    for (QLineEdit *campo : {Elat, ELon, SLat, SLon, G07Lat, G07Lon}) {
        Conectar(campo, &QLineEdit::textChanged, [this, campo] { EditChange(campo); });
        EnlazarTeclas(campo);
    }
    for (QLineEdit *campo : {Elat, ELon, SLat, SLon, EAlt, GKPy, GKPf, cpZ, SAlt, GKIy, GKIf, G07Lat, G07Lon,
                             G07Alt, GK07y, GK07f})
        campo->installEventFilter(EventosConversion);
}

QGroupBox *TFConv::Grupo(int n) const {
    if (n < 1 || n > kGruposConversion) return nullptr;
    return this->*kGrupos[n - 1].grupo;
}

QLineEdit *TFConv::CampoGrupo(int grupo, int i) const {
    if (grupo < 1 || grupo > kGruposConversion || i < 0 || i > 2) return nullptr;
    return this->*kGrupos[grupo - 1].campos[i].campo;
}

// ---- Tick rules ----------------------------------------------------------------------------------

void TFConv::FijarTick(QGroupBox *grupo, bool tildado) {
    TCambioGrupos cambio(*this);
    if (grupo->isChecked() == tildado) {
        // No change of state, so no toggled signal: run the tick event here.
        for (int n = 1; n <= kGruposConversion; ++n)
            if (Grupo(n) == grupo) TickGrupo(n);
    } else {
        grupo->setChecked(tildado);
    }
}

void TFConv::LimpiarTodosMenoElGrupo(uint8_t grupo) {
    for (int n = 1; n <= kGruposConversion; ++n)
        if (n != grupo) {
            for (int i = 0; i < 3; ++i) CampoGrupo(n, i)->clear();
            Grupo(n)->setToolTip(QString());  // the shift that gave its values
        }
}

void TFConv::cGEOgrpChecked() {
    TickGrupo(1);
}
void TFConv::cGKgrpChecked() {
    TickGrupo(2);
}
void TFConv::cUTMgrpChecked() {
    TickGrupo(3);
}
void TFConv::cGEOIgrpChecked() {
    TickGrupo(4);
}
void TFConv::cGKIgrpChecked() {
    TickGrupo(5);
}
void TFConv::cGEO07grpChecked() {
    TickGrupo(6);
}
void TFConv::cGK07grpChecked() {
    TickGrupo(7);
}

void TFConv::TickGrupo(int n) {
    TCambioGrupos cambio(*this);
    QGroupBox *grupo = Grupo(n);
    // Qt disabled the fields of an unticked box; here a field is only ever read-only.
    for (QWidget *hijo : grupo->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        hijo->setEnabled(true);

    QRadioButton *const botones[4] = {nullptr, spSkinCheckRadioBox1, spSkinCheckRadioBox2,
                                      spSkinCheckRadioBox3};
    QRadioButton *marco = botones[MarcoDelGrupo(n)];
    if (!marco->isChecked() && grupo->isChecked()) FijarTick(grupo, false);
    if (grupo->isChecked()) {
        Memo->clear();
        for (int i = 0; i < 3; ++i) FijarSoloLectura(CampoGrupo(n, i), false);
        LimpiarTodosMenoElGrupo(static_cast<uint8_t>(n));
        const int primero = kPrimerGrupo[MarcoDelGrupo(n)], ultimo = kUltimoGrupo[MarcoDelGrupo(n)];
        for (int h = primero; h <= ultimo; ++h)
            if (h != n && Grupo(h)->isChecked()) FijarTick(Grupo(h), false);
        DarFoco(CampoGrupo(n, 0));
    } else {
        for (int i = 0; i < 3; ++i) FijarSoloLectura(CampoGrupo(n, i), true);
    }
}

void TFConv::spSkinCheckRadioBox1Click() {
    TCambioGrupos cambio(*this);
    for (int n : {4, 5, 6, 7, 2, 3}) FijarTick(Grupo(n), false);
    FijarTick(cGEOgrp, true);
    LimpiarTodosMenoElGrupo(1);
    DarFoco(Elat);
}

void TFConv::spSkinCheckRadioBox2Click() {
    TCambioGrupos cambio(*this);
    for (int n : {1, 2, 3, 5, 6, 7}) FijarTick(Grupo(n), false);
    FijarTick(cGEOIgrp, true);
    LimpiarTodosMenoElGrupo(4);
    DarFoco(SLat);
}

void TFConv::spSkinCheckRadioBox3Click() {
    TCambioGrupos cambio(*this);
    for (int n : {1, 2, 3, 4, 5, 7}) FijarTick(Grupo(n), false);
    FijarTick(cGEO07grp, true);
    LimpiarTodosMenoElGrupo(6);
    DarFoco(G07Lat);
}
