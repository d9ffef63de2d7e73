// TFormOpciones (FormOpciones): the modal "Opciones de Lectura" dialog that previews the first lines
// of a delimited text file and asks for its start line, delimiter, field numbers and angle notation.
// The accepted values live in OpcLectura, from which the open command takes them; the field numbers
// and delimiter are also remembered per file kind for the next showing.
#pragma once
#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lectura.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class TMensaje;

// The read options of the last "Aceptar": delimiter, start line, fields, the file kind it was shown
// for and the angle notation (ModoDecimal 1 for decimal degrees, always for plane kinds).
extern TOpcionesLectura OpcLectura;
// The previewed lines: element k-1 holds line k.
extern std::vector<std::string> LineasMuestra;

class TFormOpciones : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxMuestra = 15;

    explicit TFormOpciones(QWidget *padre = nullptr);
    ~TFormOpciones() override;

    uint8_t CantidadMuestra = 0;                            // lines shown in the preview
    std::string NombreArchivo;                              // file to preview, set by the caller
    TTipoArchivo FuenteArchivo = TTipoArchivo::Geografico;  // the kind of the file, set by the caller
    uint8_t ModoAngulo = 0;  // 0 degrees-minutes-seconds, 1 decimal degrees (item of cbModo)

    // Shows the dialog modally and returns QDialog::Accepted or Rejected. Tests replace the way it is
    // shown (to drive it without a nested event loop) with FijarPresentador.
    using Presentador = std::function<int(TFormOpciones &)>;
    int Ejecutar();
    static void FijarPresentador(Presentador p);

    // Controls (member name = objectName).
    QGroupBox *NoteBook;  // its title is the notebook's caption
    QStackedWidget *Paginas;
    QLabel *Label4;
    QTableWidget *FilaConf;
    QLabel *Label1;
    QLineEdit *sEditLineaNro;
    QLabel *Label3;
    QTableWidget *ColsConf;
    QGroupBox *Delimitador;
    QButtonGroup *BotonesDelimitador;  // ids 0 Tabulador, 1 Coma, 2 Punto y Coma, 3 Espacio
    QLabel *eModo;
    QComboBox *cbModo;
    QCheckBox *chComaDecimal;  // "Coma decimal": ',' is the decimal sign, never the delimiter
    QLabel *EtiqLatX, *EtiqLonY, *EtiqAltura, *EtiqZonaFaja, *EtiqNombre;
    QLineEdit *sEditLatX, *sEditLonY, *sEditAltura, *sEditZFaja, *sEditNombre;
    QPushButton *spAnterior, *spSiguiente, *spBotonCancelar, *spBotonOK;
    TMensaje *spMensaje;  // the errors of the dialog

    int ItemDelimitador() const;  // selected item of Delimitador

    // Handlers; errors throw and reach the user through the slots' boundary (componentes/borde.h).
    void FormActivate();
    void spSiguienteClick();
    void spAnteriorClick();
    void DelimitadorClick();
    void spBotonOKClick();

  protected:
    void showEvent(QShowEvent *evento) override;
    void done(int resultado) override;

  private:
    void MostrarColumnas();
    void LlenarFilaColumnas(const std::string &linea, int fila);
    int ContarCampos(const std::string &linea);
    int DetectarDelimitador(const std::string &linea);
    const std::string &LineaMuestra(int k) const;
    void SeleccionarDelimitador(int item);
    uint8_t LeerCampo(QLineEdit *campo, const QString &nombre) const;
    void MostrarRecordadas();
    void Recordar() const;
};

// The instance the program shows: created at start-up after the main window, or by the first open
// command when there is none (tests); nullptr before and after.
extern TFormOpciones *FormOpciones;
