// Qt's own dialogs in Spanish, the open dialog's types, the folder remembered between the open and
// save dialogs, and the read options remembered per file kind. Settings go to Qt's test location
// under a scratch organisation, never the user's.
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QPainter>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "UOpciones.h"
#include "aplicacion.h"
#include "dialogos_archivo.h"
#include "mensaje.h"

class TestDialogos : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Archivo(const QString &nombre, const QByteArray &datos = "1,2\n") {
        const QString ruta = dir_.filePath(nombre);
        QFile a(ruta);
        a.open(QIODevice::WriteOnly);
        a.write(datos);
        return ruta;
    }

    // The read options dialog shown for a file of the given kind, accepted with this start line and
    // these field numbers.
    void Aceptar(TFormOpciones &f, int fuente, const QByteArray &datos, const char *linea,
                 const QStringList &columnas) {
        f.hide();
        f.NombreArchivo = Archivo("opciones.txt", datos).toStdString();
        f.FuenteArchivo = static_cast<TTipoArchivo>(fuente);
        f.show();
        f.sEditLineaNro->setText(linea);
        f.spSiguienteClick();
        QLineEdit *campos[] = {f.sEditLatX, f.sEditLonY, f.sEditAltura, f.sEditZFaja, f.sEditNombre};
        for (int i = 0; i < 5; ++i) campos[i]->setText(columnas[i]);
        f.spBotonOKClick();
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }
    QStringList Mostradas(TFormOpciones &f, int fuente) {
        f.hide();
        f.FuenteArchivo = static_cast<TTipoArchivo>(fuente);
        f.show();
        return {f.sEditLatX->text(), f.sEditLonY->text(), f.sEditAltura->text(), f.sEditZFaja->text(),
                f.sEditNombre->text()};
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QSettings().clear();
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
    }
    void init() { QSettings().clear(); }
    void cleanupTestCase() { QSettings().clear(); }

    // Standard buttons and the file dialog's own labels read in Spanish.
    void textosDeQtEnCastellano() {
        QDialogButtonBox botones(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(botones.button(QDialogButtonBox::Cancel)->text(), QString("Cancelar"));
        QCOMPARE(botones.button(QDialogButtonBox::Save)->text(), QString("Guardar"));
        TDialogoAbrir od;
        od.InitialDir = dir_.path();
        const auto dialogo = od.CrearDialogo(nullptr);
        QCOMPARE(dialogo->windowTitle(), QString("Abrir Archivo"));
        QCOMPARE(dialogo->findChild<QLabel *>("fileTypeLabel")->text(), QString("Ficheros de tipo:"));
        dialogo->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
        dialogo->grab().save(QStringLiteral(CAPTURAS_DIR "/dialogo_abrir.png"));
        TDialogoGuardar sd;
        sd.InitialDir = dir_.path();
        const auto guardar = sd.CrearDialogo(nullptr);
        QCOMPARE(guardar->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save)->text(),
                 QString("&Guardar"));
        guardar->show();
        QVERIFY(QTest::qWaitForWindowExposed(guardar.get()));
        guardar->grab().save(QStringLiteral(CAPTURAS_DIR "/dialogo_guardar.png"));
    }

    // The save dialog offers the text file, the drawing and the five files for other programs (the
    // CSV saying it is not the spreadsheet's), and starts on the type chosen last. The picture shows
    // the list of types unfolded.
    void tiposDelDialogoGuardar() {
        TDialogoGuardar sd;
        sd.InitialDir = dir_.path();
        sd.FilterIndex = 4;
        const auto dialogo = sd.CrearDialogo(nullptr);
        QCOMPARE(
            dialogo->nameFilters(),
            QStringList({"Archivo Texto (*.dat)", "Autocad (*.dxf)",
                         "CSV para SIG y scripts; en planillas use el .xlsx (*.csv)", "GeoJSON (*.geojson)",
                         "KML (*.kml)", "GPX (*.gpx)", "Libro de Excel (*.xlsx)"}));
        QCOMPARE(dialogo->selectedNameFilter(), QString("GeoJSON (*.geojson)"));
        dialogo->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
        auto *tipos = dialogo->findChild<QComboBox *>("fileTypeCombo");
        QVERIFY(tipos);
        tipos->showPopup();
        QWidget *lista = tipos->view()->window();
        QTRY_VERIFY(lista->isVisible());
        // The list is a window of its own, and may reach below the dialog.
        const QPoint dondeLista = dialogo->mapFromGlobal(lista->mapToGlobal(QPoint(0, 0)));
        const QRect todo = dialogo->rect().united(QRect(dondeLista, lista->size()));
        QPixmap imagen(todo.size());
        imagen.fill(Qt::white);
        QPainter pintor(&imagen);
        pintor.drawPixmap(-todo.topLeft(), dialogo->grab());
        pintor.drawPixmap(dondeLista - todo.topLeft(), lista->grab());
        pintor.end();
        QVERIFY(imagen.save(QStringLiteral(CAPTURAS_DIR "/dialogo_guardar_tipos.png")));
        tipos->hidePopup();
    }

    // "Texto" shows text files of the three extensions in any case; "Todos" shows everything.
    void tiposDelDialogoAbrir() {
        QTemporaryDir carpeta;
        for (const char *n : {"a.txt", "B.CSV", "c.dat", "d.dxf", "e.Txt"}) {
            QFile f(carpeta.filePath(n));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        TDialogoAbrir od;
        od.InitialDir = carpeta.path();
        const auto dialogo = od.CrearDialogo(nullptr);
        QCOMPARE(dialogo->nameFilters(), QStringList({"Texto (*.txt *.csv *.dat)", "Todos (*)"}));
        QCOMPARE(dialogo->selectedNameFilter(), QString("Texto (*.txt *.csv *.dat)"));
        dialogo->show();
        auto *lista = dialogo->findChild<QListView *>("listView");
        QVERIFY(lista);
        const auto nombres = [lista] {
            QStringList r;
            for (int i = 0; i < lista->model()->rowCount(lista->rootIndex()); ++i)
                r << lista->model()->index(i, 0, lista->rootIndex()).data().toString();
            r.sort();
            return r;
        };
        QTRY_COMPARE(nombres(), QStringList({"B.CSV", "a.txt", "c.dat", "e.Txt"}));
        dialogo->selectNameFilter("Todos (*)");
        QTRY_COMPARE(nombres().size(), 5);
    }

    // Whichever dialog chose a file last, both start in its folder from then on, also in the next
    // run; a folder that is gone gives way to InitialDir.
    void carpetaRecordada() {
        QTemporaryDir otra;
        TDialogoAbrir od;
        TDialogoGuardar sd;
        od.InitialDir = sd.InitialDir = QStringLiteral("/");
        QCOMPARE(od.CarpetaInicial(), QString("/"));
        od.FijarSiguiente(Archivo("entrada.txt"));
        QVERIFY(od.Execute(nullptr));
        QCOMPARE(sd.CarpetaInicial(), dir_.path());
        QCOMPARE(sd.CrearDialogo(nullptr)->directory().absolutePath(), dir_.path());

        sd.FijarSiguiente(otra.filePath("salida"), 1);
        QVERIFY(sd.Execute(nullptr));
        TDialogoAbrir siguienteEjecucion;
        siguienteEjecucion.InitialDir = QStringLiteral("/");
        QCOMPARE(siguienteEjecucion.CrearDialogo(nullptr)->directory().absolutePath(), otra.path());
        // The name chosen before is offered again, in the starting folder.
        const auto dialogo = sd.CrearDialogo(nullptr);
        QCOMPARE(dialogo->selectedFiles().value(0), otra.filePath("salida"));

        od.FijarCancelarSiguiente();
        QVERIFY(!od.Execute(nullptr));
        QCOMPARE(od.CarpetaInicial(), otra.path());
        otra.remove();
        QCOMPARE(od.CarpetaInicial(), QString("/"));
    }

    // Each kind of file gets back its own last field numbers and delimiter, also in a new dialog;
    // a kind never accepted shows the defaults. The start line always starts at 1.
    void opcionesRecordadasPorTipo() {
        auto f = std::make_unique<TFormOpciones>();
        Aceptar(*f, 1, "6170000;5630000;25;5\n", "1", {"1", "2", "3", "4", "0"});
        Aceptar(*f, 2, "punto x y zona\nP1\t6170000\t500000\t21\n", "2", {"2", "3", "0", "4", "1"});
        QCOMPARE(int(OpcLectura.LineaInicio), 2);
        QCOMPARE(int(OpcLectura.ColNombre), 1);
        QCOMPARE(Mostradas(*f, 0), QStringList({"1", "2", "0", "0", "0"}));

        f = std::make_unique<TFormOpciones>();
        QCOMPARE(Mostradas(*f, 1), QStringList({"1", "2", "3", "4", "0"}));
        QCOMPARE(f->ItemDelimitador(), 2);  // Punto y Coma
        QCOMPARE(f->sEditLineaNro->text(), QString("1"));
        QCOMPARE(Mostradas(*f, 2), QStringList({"2", "3", "0", "4", "1"}));
        QCOMPARE(f->ItemDelimitador(), 0);  // Tabulador
        f->reject();
    }
};

// The program's own application object (Spanish texts loaded at start), its settings redirected.
int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    TAplicacion app(argc, argv);
    app.setOrganizationName(QStringLiteral("ZuveloPruebasDialogos"));
    TestDialogos prueba;
    return QTest::qExec(&prueba, argc, argv);
}
#include "test_dialogos.moc"
