// The "Opciones de Lectura" dialog driven as the user does: preview, column table, delimiter
// detection and the click that snaps back, "Aceptar"/"Cancelar", its messages, the refusal of field
// numbers outside 0-255 and staying open after an error.
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include "UOpciones.h"
#include "mensaje.h"
#include "texto_qt.h"

namespace {

// Degree sign, accented letters: the dialog's texts are Windows-1252 inside the program.
QString T(const char *texto1252) {
    return AQString(texto1252);
}

}  // namespace

class TestOpciones : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<TFormOpciones> f_;

    QString Archivo(const char *nombre, const QByteArray &datos) {
        const QString ruta = dir_.filePath(nombre);
        QFile a(ruta);
        a.open(QIODevice::WriteOnly);
        a.write(datos);
        return ruta;
    }
    // Shows the dialog for the file, as the open command does.
    void Abrir(const QByteArray &datos, int fuente = 2) {
        f_->hide();
        f_->NombreArchivo = Archivo("f.txt", datos).toStdString();
        f_->FuenteArchivo = static_cast<TTipoArchivo>(fuente);
        f_->show();
    }
    std::vector<TMensaje::Registro> &Mensajes() { return f_->spMensaje->Mostrados; }
    QString Celda(QTableWidget *t, int f, int c) { return t->item(f, c) ? t->item(f, c)->text() : QString(); }
    void Opciones(uint8_t linea, uint8_t x, uint8_t y, uint8_t h, uint8_t z, char d) {
        OpcLectura.LineaInicio = linea, OpcLectura.ColLatX = x, OpcLectura.ColLonY = y,
        OpcLectura.ColAltura = h, OpcLectura.ColZona = z;
        OpcLectura.Delimitador = d;
    }
    void SinCambios() {
        QCOMPARE(int(OpcLectura.LineaInicio), 9);
        QCOMPARE(int(OpcLectura.ColLatX), 9);
        QCOMPARE(int(OpcLectura.ColLonY), 9);
        QCOMPARE(int(OpcLectura.ColAltura), 9);
        QCOMPARE(int(OpcLectura.ColZona), 9);
        QCOMPARE(OpcLectura.Delimitador, '#');
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
    }
    void init() {
        f_ = std::make_unique<TFormOpciones>();
        QCOMPARE(FormOpciones, f_.get());
    }
    void cleanup() { f_.reset(); }

    void creacion() {
        QCOMPARE(f_->windowTitle(), QString("Opciones de Lectura"));
        QCOMPARE(OpcLectura.Delimitador, ',');
        QCOMPARE(int(OpcLectura.LineaInicio), 1);
        QCOMPARE(int(OpcLectura.ColLatX), 1);
        QCOMPARE(int(OpcLectura.ColLonY), 2);
        QCOMPARE(int(OpcLectura.ColAltura), 0);
        QCOMPARE(int(OpcLectura.ColZona), 0);
        QCOMPARE(f_->ItemDelimitador(), 1);
        QCOMPARE(f_->spSiguiente->text(), QString("Siguiente "));
        QCOMPARE(f_->size(), QSize(631, 368));
    }

    void vistaPrevia_data() {
        QTest::addColumn<int>("lineas");
        QTest::addColumn<int>("vistas");
        QTest::newRow("3 lineas") << 3 << 3;
        QTest::newRow("15 lineas") << 15 << 15;
        QTest::newRow("40 lineas") << 40 << 15;
        QTest::newRow("vacio") << 0 << 0;
    }
    void vistaPrevia() {
        QFETCH(int, lineas);
        QFETCH(int, vistas);
        QByteArray datos;
        for (int i = 1; i <= lineas; ++i) datos += "L" + QByteArray::number(i) + ",x\r\n";
        Abrir(datos);
        QCOMPARE(int(f_->CantidadMuestra), vistas);
        QCOMPARE(f_->FilaConf->rowCount(), vistas + 1);
        for (int k = 1; k <= vistas; ++k) {
            QCOMPARE(Celda(f_->FilaConf, k, 0), QString::number(k));
            QCOMPARE(Celda(f_->FilaConf, k, 1), QString("L%1,x").arg(k));
        }
        QCOMPARE(int(LineasMuestra.size()), vistas);
        f_->reject();
        QVERIFY(LineasMuestra.empty());
    }

    void vistaPreviaUtf8() {
        Abrir("34\xC2\xB0 36' S,58\xC2\xB0 W\n");
        QCOMPARE(Celda(f_->FilaConf, 1, 1), T("34\xB0 36' S,58\xB0 W"));
    }

    void activacionSegunTipo_data() {
        QTest::addColumn<int>("fuente");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("latX");
        QTest::addColumn<QString>("zona");
        QTest::addColumn<bool>("modo");
        QTest::newRow("geo") << 0
                             << T(" Coordenadas Geogr\xE1"
                                  "ficas ")
                             << "Latitud:"
                             << "Zona:" << true;
        QTest::newRow("gk") << 1 << " Coordenadas GK "
                            << "X (Norte):"
                            << "Faja:" << false;
        QTest::newRow("utm") << 2 << " Coordenadas UTM "
                             << "X (Norte):"
                             << "Zona:" << false;
    }
    void activacionSegunTipo() {
        QFETCH(int, fuente);
        QFETCH(QString, titulo);
        QFETCH(QString, latX);
        QFETCH(QString, zona);
        QFETCH(bool, modo);
        Abrir("1,2\n", fuente);
        QCOMPARE(f_->NoteBook->title(), titulo);
        QCOMPARE(f_->EtiqLatX->text(), latX);
        QCOMPARE(f_->EtiqZonaFaja->text(), zona);
        QCOMPARE(f_->cbModo->isEnabled(), modo);
        QCOMPARE(f_->sEditZFaja->isEnabled(), !modo);
        QCOMPARE(f_->Paginas->currentIndex(), 0);
        QVERIFY(!f_->spBotonOK->isEnabled());
        QVERIFY(f_->spSiguiente->isEnabled());
    }

    // The edits show the defaults at every showing, not the stored options.
    void valoresPorDefectoEnCadaActivacion() {
        Abrir("1,2,3\n");
        f_->sEditLatX->setText("3");
        f_->sEditLineaNro->setText("1");
        f_->spSiguiente->click();
        f_->spBotonOK->click();
        QCOMPARE(f_->result(), int(QDialog::Accepted));
        QCOMPARE(int(OpcLectura.ColLatX), 3);
        Abrir("1,2,3\n");
        QCOMPARE(f_->sEditLineaNro->text(), QString("1"));
        QCOMPARE(f_->sEditLatX->text(), QString("1"));
        QCOMPARE(f_->sEditLonY->text(), QString("2"));
        QCOMPARE(f_->sEditAltura->text(), QString("0"));
        QCOMPARE(f_->sEditZFaja->text(), QString("0"));
    }

    void tablaDeColumnas_data() {
        QTest::addColumn<QByteArray>("linea");
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("celdas");
        QTest::newRow("espacio coma punto y coma") << QByteArray("a b,c;d") << 1 << QStringList{"a b", "c;d"};
        QTest::newRow("tab antes que coma") << QByteArray("a,b\tc") << 0 << QStringList{"a,b", "c"};
        QTest::newRow("campos vacios") << QByteArray("1,,3,") << 1 << QStringList{"1", "", "3", ""};
        QTest::newRow("punto y coma") << QByteArray("1;;3") << 2 << QStringList{"1", "", "3"};
        QTest::newRow("espacio") << QByteArray("P1 -34.5 -58.4") << 3 << QStringList{"P1", "-34.5", "-58.4"};
        // The fields as the conversion reads them: blanks trimmed, every digit kept, quotes removed.
        QTest::newRow("blancos recortados, cada cifra queda")
            << QByteArray("P100, 007.50 ,0.5,120,0,6373200") << 1
            << QStringList{"P100", "007.50", "0.5", "120", "0", "6373200"};
        QTest::newRow("campos entre comillas")
            << QByteArray("\"Punto, con coma\";-34.6;\"-58.4\";25") << 2
            << QStringList{"Punto, con coma", "-34.6", "-58.4", "25"};
    }
    void tablaDeColumnas() {
        QFETCH(QByteArray, linea);
        QFETCH(int, item);
        QFETCH(QStringList, celdas);
        Abrir(linea + "\r\n");
        f_->spSiguiente->click();
        QVERIFY(Mensajes().empty());
        QCOMPARE(f_->Paginas->currentIndex(), 1);
        QCOMPARE(f_->ItemDelimitador(), item);
        QCOMPARE(f_->ColsConf->rowCount(), 2);
        QCOMPARE(f_->ColsConf->columnCount(), celdas.size() + 1);
        for (int c = 1; c <= celdas.size(); ++c) {
            QCOMPARE(Celda(f_->ColsConf, 0, c), QString::number(c));
            QCOMPARE(Celda(f_->ColsConf, 1, c), celdas[c - 1]);
        }
        QVERIFY(f_->spBotonOK->isEnabled());
        QVERIFY(!f_->spSiguiente->isEnabled());
    }

    void filasDesdeLaLineaDeInicio() {
        QByteArray datos;
        for (int i = 1; i <= 20; ++i) datos += QByteArray::number(i) + ",b\n";
        Abrir(datos);
        f_->sEditLineaNro->setText("3");
        f_->spSiguiente->click();
        QCOMPARE(f_->ColsConf->rowCount(), 14);  // the fixed row and lines 3 to 15
        QCOMPARE(Celda(f_->ColsConf, 1, 1), QString("3"));
        QCOMPARE(Celda(f_->ColsConf, 13, 1), QString("15"));
        // Back, a later start line beyond the preview: no data rows and no field columns.
        f_->spAnterior->click();
        QCOMPARE(f_->Paginas->currentIndex(), 0);
        QVERIFY(f_->spSiguiente->isEnabled());
        QVERIFY(f_->spBotonOK->isEnabled());  // stays enabled once enabled
        f_->sEditLineaNro->setText("16");
        f_->spSiguiente->click();
        QCOMPARE(f_->ColsConf->rowCount(), 1);
        QCOMPARE(f_->ColsConf->columnCount(), 1);
        Opciones(9, 9, 9, 9, 9, '#');
        f_->spBotonOK->click();
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].texto, QString("El delimitador de Campo es incorrecto."));
        QCOMPARE(Mensajes()[0].tipo, TMensaje::Error);
        QVERIFY(f_->isVisible());  // stays open to be mended
        SinCambios();
    }

    // A click on another delimiter rebuilds the table and the detected one is selected again.
    void clicQueVuelve() {
        Abrir("P1,-34.5,-58.4 x\n");
        f_->spSiguiente->click();
        QCOMPARE(f_->ItemDelimitador(), 1);
        f_->ColsConf->setItem(1, 1, new QTableWidgetItem("marca"));
        QTest::mouseClick(f_->BotonesDelimitador->button(3), Qt::LeftButton);
        QCOMPARE(f_->ItemDelimitador(), 1);
        QCOMPARE(Celda(f_->ColsConf, 1, 1), QString("P1"));  // rebuilt
        QCOMPARE(f_->ColsConf->columnCount(), 4);
        QVERIFY(Mensajes().empty());
    }

    void sinDelimitador() {
        Abrir("abc\n");
        f_->spSiguiente->click();
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].texto, QString("No se encuentra un Delimitador apropiado."));
        QCOMPARE(Mensajes()[0].tipo, TMensaje::Error);
        QCOMPARE(f_->Paginas->currentIndex(), 1);
        QVERIFY(!f_->spSiguiente->isEnabled());
        QVERIFY(!f_->spBotonOK->isEnabled());
        // The user's choice stays, with the message again.
        QTest::mouseClick(f_->BotonesDelimitador->button(2), Qt::LeftButton);
        QCOMPARE(f_->ItemDelimitador(), 2);
        QCOMPARE(Mensajes().size(), size_t(2));
        QCOMPARE(Mensajes()[1].texto, QString("No se encuentra un Delimitador apropiado."));
    }

    void lineaDeInicioVacia() {
        Abrir("\n1,2\n");
        f_->spSiguiente->click();
        QVERIFY(Mensajes().empty());
        QCOMPARE(f_->ColsConf->columnCount(), 1);
        QVERIFY(f_->spBotonOK->isEnabled());
        Opciones(9, 9, 9, 9, 9, '#');
        f_->spBotonOK->click();
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].texto, QString("El delimitador de Campo es incorrecto."));
        QVERIFY(f_->isVisible());
        QCOMPARE(f_->result(), int(QDialog::Rejected));
        SinCambios();
        // Mended in place, the same dialog accepts.
        f_->sEditLineaNro->setText("2");
        f_->spBotonOK->click();
        QVERIFY(!f_->isVisible());
        QCOMPARE(f_->result(), int(QDialog::Accepted));
        QCOMPARE(int(OpcLectura.LineaInicio), 2);
        QCOMPARE(OpcLectura.Delimitador, ',');
    }

    void aceptar() {
        Abrir("Nombre;Norte;Este;Alt;Zona\nP1;6150000;5500000;25;20\n", 2);
        f_->sEditLineaNro->setText("2");
        f_->spSiguiente->click();
        QCOMPARE(f_->ItemDelimitador(), 2);
        f_->sEditLatX->setText("2");
        f_->sEditLonY->setText("3");
        f_->sEditAltura->setText("4");
        f_->sEditZFaja->setText("5");
        f_->spBotonOK->click();
        QVERIFY(Mensajes().empty());
        QCOMPARE(f_->result(), int(QDialog::Accepted));
        QVERIFY(!f_->isVisible());
        QCOMPARE(OpcLectura.Delimitador, ';');
        QCOMPARE(int(OpcLectura.LineaInicio), 2);
        QCOMPARE(int(OpcLectura.ColLatX), 2);
        QCOMPARE(int(OpcLectura.ColLonY), 3);
        QCOMPARE(int(OpcLectura.ColAltura), 4);
        QCOMPARE(int(OpcLectura.ColZona), 5);
        QVERIFY(LineasMuestra.empty());
    }

    void cancelar() {
        Abrir("1;2\n", 0);
        f_->spSiguiente->click();
        Opciones(9, 9, 9, 9, 9, '#');
        f_->sEditLatX->setText("2");
        QTest::keyClick(f_.get(), Qt::Key_Escape);
        QVERIFY(!f_->isVisible());
        QCOMPARE(f_->result(), int(QDialog::Rejected));
        SinCambios();
        Abrir("1;2\n", 0);
        f_->spBotonCancelar->click();
        QCOMPARE(f_->result(), int(QDialog::Rejected));
        SinCambios();
    }

    // The notation is taken only from a geographic file and stays through a GK one.
    void modoAngulo() {
        Abrir("-34.5,-58.4\n", 0);
        f_->spSiguiente->click();
        f_->cbModo->setCurrentIndex(1);
        f_->spBotonOK->click();
        QCOMPARE(int(f_->ModoAngulo), 1);
        Abrir("6150000,5500000\n", 1);
        f_->spSiguiente->click();
        QVERIFY(!f_->cbModo->isEnabled());
        f_->cbModo->setCurrentIndex(0);
        f_->spBotonOK->click();
        QCOMPARE(f_->result(), int(QDialog::Accepted));
        QCOMPARE(int(f_->ModoAngulo), 1);
        QCOMPARE(f_->cbModo->currentIndex(), 0);  // selections are kept between showings
    }

    // Field numbers are one byte: anything else is refused, naming the field, and nothing is stored.
    void numerosFueraDeRango_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        const QString rango = T(": debe ser un n\xFAmero de 0 a 255.");
        QTest::newRow("300 en X") << "sEditLatX"
                                  << "300" << T("'300' no es v\xE1lido para X (Norte)") + rango;
        QTest::newRow("-1 en Y") << "sEditLonY"
                                 << "-1" << T("'-1' no es v\xE1lido para Y (Este)") + rango;
        QTest::newRow("256 en altura") << "sEditAltura"
                                       << "256" << T("'256' no es v\xE1lido para Altura") + rango;
        QTest::newRow("enorme en zona")
            << "sEditZFaja"
            << "99999999999999999999" << T("'99999999999999999999' no es v\xE1lido para Zona") + rango;
        QTest::newRow("linea 1000") << "sEditLineaNro"
                                    << "1000" << T("'1000' no es v\xE1lido para L\xEDnea de Inicio") + rango;
        QTest::newRow("letras") << "sEditLatX"
                                << "abc"
                                << "'abc' is not a valid integer value";
        QTest::newRow("vacio") << "sEditAltura"
                               << ""
                               << "'' is not a valid integer value";
        QTest::newRow("decimal") << "sEditZFaja"
                                 << "2.5"
                                 << "'2.5' is not a valid integer value";
    }
    void numerosFueraDeRango() {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        Abrir("P1,6150000,5500000,25,20\n", 2);
        f_->spSiguiente->click();
        Opciones(9, 9, 9, 9, 9, '#');
        f_->sEditLatX->setText("2");
        f_->findChild<QLineEdit *>(campo)->setText(texto);
        f_->spBotonOK->click();
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].texto, mensaje);
        QCOMPARE(Mensajes()[0].tipo, TMensaje::Error);
        QVERIFY(f_->isVisible());
        SinCambios();
    }

    void lineaDeInicioFueraDeRangoEnSiguiente() {
        Abrir("1,2\n");
        f_->sEditLineaNro->setText("257");
        f_->spSiguiente->click();
        QCOMPARE(Mensajes().size(), size_t(1));
        QCOMPARE(Mensajes()[0].texto,
                 T("'257' no es v\xE1lido para L\xEDnea de Inicio: debe ser un n\xFAmero de 0 a 255."));
        QVERIFY(!f_->spBotonOK->isEnabled());
    }

    void captura() {
        Abrir("Nombre,Lat,Lon,Alt\nP1,-34.60372,-58.38159,25\nP2,-31.4201,-64.18877,390\n", 0);
        QDir().mkpath(CAPTURAS_DIR);
        QVERIFY(f_->grab().save(QString(CAPTURAS_DIR) + "/opciones_pagina1.png"));
        f_->sEditLineaNro->setText("2");
        f_->spSiguiente->click();
        QVERIFY(f_->grab().save(QString(CAPTURAS_DIR) + "/opciones_pagina2.png"));
        QCOMPARE(f_->ColsConf->columnCount(), 5);
    }

    // The open command shows the dialog through Ejecutar; tests drive it without an event loop.
    void ejecutarPorElPresentador() {
        int llamadas = 0;
        TFormOpciones::FijarPresentador([&](TFormOpciones &f) {
            ++llamadas;
            f.show();
            f.spSiguiente->click();
            f.spBotonOK->click();
            return f.result();
        });
        f_->NombreArchivo = Archivo("g.txt", "a\tb\n").toStdString();
        QCOMPARE(f_->Ejecutar(), int(QDialog::Accepted));
        QCOMPARE(llamadas, 1);
        QCOMPARE(OpcLectura.Delimitador, '\t');
        TFormOpciones::FijarPresentador(nullptr);
    }
};

QTEST_MAIN(TestOpciones)
#include "test_carga_opciones.moc"
