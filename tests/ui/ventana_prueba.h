// Shared by the window tests: the real window with its controls found by their object names (the
// member names), messages recorded and answered without boxes, the read options dialog answered as a
// user would, and the ways a test fills the window: typing into fields, opening files.
#pragma once
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QtTest>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "UOpciones.h"
#include "aplicacion.h"
#include "conversion.h"
#include "dialogos_archivo.h"
#include "grilla_modelo.h"
#include "grilla_texto.h"
#include "grilla_vista.h"
#include "mensaje.h"
#include "progreso.h"
#include "tareas.h"
#include "texto_qt.h"
#include "ventana.h"

// The application object of every window test is the program's own, with its event boundary.
#define ZUVELO_TEST_MAIN(Clase)                   \
    int main(int argc, char **argv) {             \
        TAplicacion app(argc, argv);              \
        app.setAttribute(Qt::AA_Use96Dpi, true);  \
        Clase prueba;                             \
        QTEST_SET_MAIN_SOURCE_PATH                \
        return QTest::qExec(&prueba, argc, argv); \
    }

// Program texts are Windows-1252; tests write them the same way.
inline QString Q(const char *texto1252) {
    return AQString(texto1252);
}

template <typename T>
T *Hallar(QObject &padre, const char *nombre) {
    T *c = padre.findChild<T *>(QString::fromLatin1(nombre));
    if (!c) qFatal("the window has no %s", nombre);
    return c;
}

// The window's controls and components, found by name as a user's script would find them.
struct TControles {
    explicit TControles(TFConv &v) : ventana(v) {}
    TFConv &ventana;
    template <typename T>
    T *H(const char *nombre) const {
        return Hallar<T>(ventana, nombre);
    }

    QTabWidget *spSPC = H<QTabWidget>("spSPC");
    QWidget *TSConv = H<QWidget>("TSConv"), *TSTransf = H<QWidget>("TSTransf"),
            *AcercaDe = H<QWidget>("AcercaDe");
    QLabel *Autor = H<QLabel>("Autor"), *Msg = H<QLabel>("Msg");
    TMensaje *spMensaje = H<TMensaje>("spMensaje");
    QRadioButton *spSkinCheckRadioBox1 = H<QRadioButton>("spSkinCheckRadioBox1"),
                 *spSkinCheckRadioBox2 = H<QRadioButton>("spSkinCheckRadioBox2"),
                 *spSkinCheckRadioBox3 = H<QRadioButton>("spSkinCheckRadioBox3");
    QGroupBox *cGEOgrp = H<QGroupBox>("cGEOgrp"), *cGKgrp = H<QGroupBox>("cGKgrp"),
              *cUTMgrp = H<QGroupBox>("cUTMgrp"), *cGEOIgrp = H<QGroupBox>("cGEOIgrp"),
              *cGKIgrp = H<QGroupBox>("cGKIgrp"), *cUTMIgrp = H<QGroupBox>("cUTMIgrp"),
              *cGEO07grp = H<QGroupBox>("cGEO07grp"), *cGK07grp = H<QGroupBox>("cGK07grp");
    QLineEdit *Elat = H<QLineEdit>("Elat"), *ELon = H<QLineEdit>("ELon"), *EAlt = H<QLineEdit>("EAlt");
    QLineEdit *GKPx = H<QLineEdit>("GKPx"), *GKPy = H<QLineEdit>("GKPy"), *GKPf = H<QLineEdit>("GKPf");
    QLineEdit *cpX = H<QLineEdit>("cpX"), *cpY = H<QLineEdit>("cpY"), *cpZ = H<QLineEdit>("cpZ");
    QLineEdit *SLat = H<QLineEdit>("SLat"), *SLon = H<QLineEdit>("SLon"), *SAlt = H<QLineEdit>("SAlt");
    QLineEdit *GKIx = H<QLineEdit>("GKIx"), *GKIy = H<QLineEdit>("GKIy"), *GKIf = H<QLineEdit>("GKIf");
    QLineEdit *G07Lat = H<QLineEdit>("G07Lat"), *G07Lon = H<QLineEdit>("G07Lon"),
              *G07Alt = H<QLineEdit>("G07Alt");
    QLineEdit *GK07x = H<QLineEdit>("GK07x"), *GK07y = H<QLineEdit>("GK07y"), *GK07f = H<QLineEdit>("GK07f");
    QPlainTextEdit *Memo = H<QPlainTextEdit>("Memo");
    QButtonGroup *BotonesFuente = H<QButtonGroup>("BotonesFuente"),
                 *BotonesDestino = H<QButtonGroup>("BotonesDestino");
    QComboBox *cbFuente = H<QComboBox>("cbFuente"), *cbDestino = H<QComboBox>("cbDestino");
    QToolButton *skAbrir = H<QToolButton>("skAbrir"), *Guardar = H<QToolButton>("Guardar"),
                *spSkinXFormButton1 = H<QToolButton>("spSkinXFormButton1");
    QPushButton *spOpcArch = H<QPushButton>("spOpcArch");
    QGroupBox *GrupoGrilla = H<QGroupBox>("GrupoGrilla");
    TModeloGrilla *ModeloGrilla = H<TModeloGrilla>("ModeloGrilla");
    TVistaGrilla *Grilla = H<TVistaGrilla>("Grilla");
    TBarProgreso *BarProgreso = H<TBarProgreso>("BarProgreso");
    TDialogoAbrir *OD = H<TDialogoAbrir>("OD");
    TDialogoGuardar *SD = H<TDialogoGuardar>("SD");
    QLineEdit *Campo = H<QLineEdit>("Campo");
    TGrupoTareas *GrupoTareas = H<TGrupoTareas>("GrupoTareas");
    TTarea *Tarea1 = H<TTarea>("Tarea1"), *Tarea2 = H<TTarea>("Tarea2"), *Tarea3 = H<TTarea>("Tarea3"),
           *Tarea4 = H<TTarea>("Tarea4");
    TGrupoTareas *GrupoGuardar = H<TGrupoTareas>("GrupoGuardar");
    TTarea *TareaGuardar = H<TTarea>("TareaGuardar");

    QGroupBox *Grupo(int n) const {  // group 1 to 7
        QGroupBox *const g[] = {cGEOgrp, cGKgrp, cUTMgrp, cGEOIgrp, cGKIgrp, cGEO07grp, cGK07grp};
        return n >= 1 && n <= 7 ? g[n - 1] : nullptr;
    }
    QLineEdit *CampoGrupo(int grupo, int i) const {  // field i (0 to 2) of group 1 to 7
        QLineEdit *const c[7][3] = {{Elat, ELon, EAlt},   {GKPx, GKPy, GKPf}, {cpX, cpY, cpZ},
                                    {SLat, SLon, SAlt},   {GKIx, GKIy, GKIf}, {G07Lat, G07Lon, G07Alt},
                                    {GK07x, GK07y, GK07f}};
        return grupo >= 1 && grupo <= 7 && i >= 0 && i <= 2 ? c[grupo - 1][i] : nullptr;
    }
    std::vector<TMensaje::Registro> &Mensajes() const { return spMensaje->Mostrados; }
    bool LoteEnCurso() const { return GrupoTareas->Corriendo() > 0 || GrupoGuardar->Corriendo() > 0; }
};

// The window under test: `v->Elat` is its control, `v.get()` the window itself, `v.Estado()` what the
// "Archivos" tab holds besides its controls.
class TVentana {
  public:
    // A new window, or none when Crear() is called later.
    explicit TVentana(bool crear = true) {
        if (crear) Crear();
    }
    void Crear() {
        reset();
        ventana_ = std::make_unique<TFConv>();
        controles_ = std::make_unique<TControles>(*ventana_);
    }
    TFConv *get() const { return ventana_.get(); }
    TControles *operator->() const { return controles_.get(); }
    TControles &operator*() const { return *controles_; }
    void reset() {
        controles_.reset();
        ventana_.reset();
    }
    const TFConv::TEstado &Estado() const { return ventana_->Estado(); }
    TOpcionesLectura Opciones() const { return ventana_->Opciones(); }

  private:
    std::unique_ptr<TFConv> ventana_;
    std::unique_ptr<TControles> controles_;
};

// ---- "Conversión" --------------------------------------------------------------------------------

struct TBanco {
    TVentana v{false};
    std::vector<QString> errores;  // messages that reached the application's default error handler
    int pitidos = 0;

    // Creates and shows the window, active and with the focus in Elat.
    bool Abrir() {
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
        FijarManejadorError([this](const QString &m) { errores.push_back(m); });
        errores.clear();
        pitidos = 0;
        Pitido = [this] { ++pitidos; };
        v.Crear();
        v.get()->show();
        v.get()->activateWindow();
        if (!QTest::qWaitForWindowActive(v.get())) return false;
        v->Elat->setFocus();
        return QApplication::focusWidget() == v->Elat;
    }
    void Cerrar() {
        v.reset();
        FijarManejadorError(nullptr);
        FijarPresentadorGlobal(nullptr);
    }
    std::vector<TMensaje::Registro> &Mensajes() { return v->Mensajes(); }
    QStringList MemoLineas() const { return v->Memo->toPlainText().split(QLatin1Char('\n')); }
};

// A user's click on a group box's tick.
inline void ClickTick(QGroupBox *grupo) {
    QStyleOptionGroupBox opcion;
    opcion.initFrom(grupo);
    opcion.subControls = QStyle::SC_GroupBoxCheckBox | QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    opcion.text = grupo->title();
    opcion.lineWidth = 1;
    opcion.midLineWidth = 0;
    opcion.textAlignment = grupo->alignment();
    opcion.features = QStyleOptionFrame::None;
    const QRect caja =
        grupo->style()->subControlRect(QStyle::CC_GroupBox, &opcion, QStyle::SC_GroupBoxCheckBox, grupo);
    QTest::mouseClick(grupo, Qt::LeftButton, Qt::NoModifier, caja.center());
}

// Puts a whole text into a field as a user's paste does: focus, then one change of the text.
// (Typed key by key, a degree sign after "34" would be refused: the field has completed it already.)
inline void Tipear(QLineEdit *campo, const char *texto1252) {
    campo->setFocus();
    campo->selectAll();
    campo->insert(Q(texto1252));
}

// Focus to the next control with the Tab key, as the user leaves a field.
inline void Salir(QLineEdit *campo) {
    QTest::keyClick(campo, Qt::Key_Tab);
}

// ---- "Archivos" ----------------------------------------------------------------------------------

// How a test answers the read options dialog, and what the dialog was shown for.
struct TRespuestaOpciones {
    QString linea = "1", latX = "1", lonY = "2", altura = "0", zona = "0";
    int modo = 0;  // 0 degrees-minutes-seconds, 1 decimal degrees
    bool aceptar = true;
    int llamadas = 0;           // showings so far
    uint8_t fuenteVista = 255;  // the file kind of the last showing
    QString nombre = "0";       // the field of the points' names
    bool comaDecimal = false;   // "Coma decimal"
};

// From now on every showing of the read options dialog is answered from *r as a user would: start
// line, "Siguiente", the field numbers and notation, "Aceptar" (or "Cancelar"). nullptr: shown for real.
inline void ResponderOpciones(TRespuestaOpciones *r) {
    if (!r) {
        TFormOpciones::FijarPresentador(nullptr);
        return;
    }
    TFormOpciones::FijarPresentador([r](TFormOpciones &f) {
        ++r->llamadas;
        r->fuenteVista = static_cast<uint8_t>(f.FuenteArchivo);
        f.show();
        if (!r->aceptar) {
            f.spBotonCancelar->click();
            return f.result();
        }
        f.sEditLineaNro->setText(r->linea);
        f.spSiguiente->click();
        f.chComaDecimal->setChecked(r->comaDecimal);
        f.sEditLatX->setText(r->latX);
        f.sEditLonY->setText(r->lonY);
        f.sEditAltura->setText(r->altura);
        f.sEditZFaja->setText(r->zona);
        f.sEditNombre->setText(r->nombre);
        f.cbModo->setCurrentIndex(r->modo);
        f.spBotonOK->click();
        return f.result();
    });
}

// The open command on this file: its name to the open dialog, then whatever the read options answer.
inline void Abrir(TVentana &v, const QString &ruta) {
    v->OD->FijarSiguiente(ruta);
    v->skAbrir->click();
    // The read options dialog took the activation for a while: a shown window gets it back.
    if (v.get()->isVisible() && !v.get()->isActiveWindow()) {
        v.get()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
    }
}

// A file dragged from a file manager and dropped on `destino`, as Qt delivers it: the drag enters,
// then the drop. True when the drop was taken.
inline bool Soltar(QWidget *destino, const QString &ruta) {
    QMimeData datos;
    datos.setUrls({QUrl::fromLocalFile(ruta)});
    datos.setText(ruta);  // file managers also offer the path as text, which a field would take
    const QPoint centro = destino->rect().center();
    QDragEnterEvent entra(centro, Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(destino, &entra);
    if (!entra.isAccepted()) return false;
    QDropEvent suelta(QPointF(centro), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(destino, &suelta);
    return suelta.isAccepted();
}

inline std::string Leer(const QString &ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    return f.readAll().toStdString();
}

inline void Escribir(const QString &ruta, const std::string &datos) {
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(datos.data(), static_cast<qint64>(datos.size()));
}

inline QString UltimoMensaje(TVentana &v) {
    return v->Mensajes().empty() ? QString() : v->Mensajes().back().texto;
}

// The answer the recorded presenter gives to a confirmation (OK/Cancel) box.
inline TMensaje::Boton &RespuestaConfirmacion() {
    static TMensaje::Boton r = TMensaje::BotonOk;
    return r;
}

// A window on its "Archivos" page whose messages are recorded; confirmations get RespuestaConfirmacion.
inline TVentana CrearVentana() {
    FijarPresentadorGlobal([](QWidget *, TMensaje::Tipo tipo, const QString &, TMensaje::Botones) {
        return tipo == TMensaje::Confirmacion ? RespuestaConfirmacion() : TMensaje::BotonOk;
    });
    RespuestaConfirmacion() = TMensaje::BotonOk;
    TVentana v;
    v->spSPC->setCurrentWidget(v->TSTransf);
    return v;
}

// The same window shown and active.
inline TVentana VentanaVisible() {
    auto v = CrearVentana();
    v.get()->show();
    v.get()->activateWindow();
    return v;
}

// Double-clicks a grid cell the way a user does.
inline void DobleClic(TVentana &v, int fila, int col) {
    QTableView *g = v->Grilla;
    const QModelIndex i = v->ModeloGrilla->index(fila, col);
    g->scrollTo(i);
    const QPoint centro = g->visualRect(i).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, centro);
}

// A grid as a user makes it: source and destination kinds first (a kind change empties the grid),
// then a file of one line per row opened with `opciones` (fields 1 to 4 by default, in the notation
// `modoDecimal`), then the cells of columns 0 to 4 as given, typed over what the file showed (the
// results stay empty). Without `abrir` no file is opened: the cells are typed into the grid as it is.
inline void LlenarGrilla(TVentana &v, int fuente, int destino, uint8_t modoDecimal,
                         const std::vector<std::array<std::string, 5>> &filas, bool abrir = true,
                         TRespuestaOpciones opciones = {"1", "1", "2", "3", "4"}) {
    v->cbFuente->setCurrentIndex(fuente);
    v->cbDestino->setCurrentIndex(destino);
    if (abrir && !filas.empty()) {
        static QTemporaryDir dir;
        static int n = 0;
        const QString ruta = dir.filePath(QStringLiteral("grilla%1.txt").arg(++n));
        std::string datos;
        for (std::size_t i = 0; i < filas.size(); ++i) datos += "a,b,c,d\r\n";
        Escribir(ruta, datos);
        opciones.modo = modoDecimal;
        ResponderOpciones(&opciones);
        Abrir(v, ruta);
        ResponderOpciones(nullptr);
    }
    TModeloGrilla &g = *v->ModeloGrilla;
    g.FijarFilas(TModeloGrilla::kFilasTitulo + static_cast<int>(filas.size()));
    for (std::size_t i = 0; i < filas.size(); ++i)
        for (int c = 0; c < 5; ++c)
            g.FijarCelda(TModeloGrilla::kFilasTitulo + static_cast<int>(i), c, filas[i][c]);
}

// Reads "a.b" with '.' whatever the locale.
inline double Num(const std::string &s) {
    bool ok = false;
    const double v = QString::fromStdString(s).toDouble(&ok);  // QString::toDouble is C-locale
    return ok ? v : std::nan("");
}
