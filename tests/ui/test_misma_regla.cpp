// One table of points run through every path that converts files: the window's grid (opened and
// converted as a user does), the background run of a large file (the same lines after 50000 good
// ones, saved as .DAT), and zuvelo-convert. Every path must give the same result, or refuse the point
// with the same reason, and read the forms people write exactly as the program's own layout.
#include <QProcess>
#include <QRegularExpression>
#include <map>

#include "cp1252.h"
#include "lote.h"
#include "lote_prueba.h"

namespace {

// How a kind of file is read: the source kind, the notation, its line end, and a line that converts.
struct TArchivo {
    const char *nombre;
    int fuente;                // item of cbFuente: 0 GEO, 1 GK, 2 UTM, 3 GPS waypoints
    int modo;                  // geographic notation: 0 DMS, 1 decimal degrees
    const char *fin;           // line end of the file
    const char *columnas;      // latitude or X, longitude or Y, height, zone (the dialog's four fields)
    const char *relleno;       // a good line, repeated 50000 times before the table in the large file
    int leeComo;               // waypoints: the kind whose layout the cases' `igualA` is written in
    bool comaDecimal = false;  // read with "Coma decimal" (--decimal-comma)
    int marco = 0;             // source frame item: 1 Campo Inchauspe 69, where GPS files are delimited
};
// A waypoint file proper: GPS under POSGAR 94; under another frame it is read as delimited lines.
bool Waypoints(const TArchivo &a) {
    return a.fuente == 3 && a.marco == 0;
}
const TArchivo kArchivos[] = {
    {"dms", 0, 0, "\r\n", "1,2,3,0", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W;1.5", -1},
    // Lines ended by a carriage return alone are lines too.
    {"decimal", 0, 1, "\r", "1,2,3,0", "-34.6034722;-58.3816667;1.5", -1},
    {"gk", 1, 1, "\n", "1,2,3,4", "6170494.489;6373260.3471;1.5;6", -1},
    {"utm", 2, 1, "\r\n", "1,2,3,4", "6170061.3482;373311.043;1.5;21", -1},
    // Waypoint files are never split: the grid and zuvelo-convert only.
    {"gps", 3, 1, "\r\n", "", "W,D,P0,-34.6034722,-58.3816667,", 1},
    {"gps-dms", 3, 0, "\n", "", "WP,dms,A0,-34 36' 12.5'',-58 22' 54'',", 0},
    // More decimal cases than the background run's message names (10) go into a second file.
    {"decimal-2", 0, 1, "\n", "1,2,3,0", "-34.6034722;-58.3816667;1.5", -1},
    // What spreadsheets save under an Argentine locale: ';' between fields, ',' as decimal sign.
    {"coma-decimal", 0, 1, "\r\n", "1,2,3,0", "-34,6034722;-58,3816667;1,5", -1, true},
    // A GPS file under Campo Inchauspe 69 is delimited lines of geographic points in decimal degrees.
    {"gps-delimitado", 3, 1, "\r\n", "1,2,3,0", "-34.6034722;-58.3816667;1.5", -1, false, 1},
};

struct TCaso {
    const char *nombre;
    int archivo;                    // index into kArchivos
    const char *linea;              // fields separated by ';', Windows-1252
    const char *igualA = nullptr;   // converts to exactly what this line in the program's layout gives
    const char *termina = nullptr;  // or: converts, and the result line ends with this (strip or zone)
    const char *motivo = nullptr;   // or: fails, and every path gives this reason (English)
    bool vacia = false;             // or: holds no point; an empty grid row, no result line, no reason
};

const TCaso kCasos[] = {
    // DMS written without blanks after the signs was read 57 km and 1.3 km off.
    {"sin blancos", 0,
     "34\xB0"
     "36'12.50\" S;58\xB0"
     "22'54\" W",
     "34\xB0 36' 12.50\" S;58\xB0 22' 54\" W"},
    {"forma con espacios pegada", 0, "-34 36'12.5'';-58 22'54''", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"hemisferio pegado y otros signos", 0,
     "34\xBA"
     "36\x92"
     "12.5''s;58\xB0"
     "22\xB4"
     "54\"O",
     "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"sesenta segundos", 0, "34\xB0 36' 60\" S;58\xB0 22' 54\" W", "34\xB0 37' 0\" S;58\xB0 22' 54\" W"},
    {"longitud 582", 0, "34\xB0 36' 12.5\" S;582\xB0 25' 4\" W", nullptr, nullptr,
     "longitude '582\xB0 25' 4\" W' beyond 180\xB0"},
    {"minutos 75", 0, "34\xB0 75' 99\" S;58\xB0 22' 54\" W", nullptr, nullptr,
     "latitude '34\xB0 75' 99\" S': minutes above 59"},
    {"sin hemisferio", 0, "34\xB0 36';58\xB0 22' 54\" W", nullptr, nullptr,
     "latitude '34\xB0 36'' has no hemisphere letter N or S"},
    {"decimal leido como DMS", 0, "-34.5;-58.4", nullptr, nullptr,
     "latitude '-34.5' is not degrees-minutes-seconds (no degree sign)"},
    // The ordinal sign stands for the degree sign in every form, blanks or not; a quoted field loses
    // its quotes and undoubles the seconds' sign. Reasons quote the field as written.
    {"ordinal con blancos", 0, "34\xBA 36' 12.5\" S;58\xBA 22' 54\" W",
     "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"blancos antes de cada signo", 0, "34 \xBA 36 ' 12.5 '' S;58 \xB0 22 ' 54 \" W",
     "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"letra delante y ordinal", 0,
     "S 34\xBA 36' 12.5\";W58\xBA"
     "22'54''",
     "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"DMS entre comillas", 0, "\"34\xB0 36' 12.5\"\" S\";\"58\xB0 22' 54\"\" W\"",
     "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"ordinal, motivo sin reescribir", 0, "34\xBA 75' 12.5\" S;58\xB0 22' 54\" W", nullptr, nullptr,
     "latitude '34\xBA 75' 12.5\" S': minutes above 59"},
    {"oeste de 73.5", 0, "50\xB0 S;74\xB0 30' W", nullptr, ";1"},
    {"este de 52.5", 0, "27\xB0 S;51\xB0 W", nullptr, ";7"},

    {"longitud 200", 1, "-34.5;200", nullptr, nullptr, "longitude '200' beyond 180\xB0"},
    {"longitud -418.4", 1, "-34.5;-418.4", nullptr, nullptr, "longitude '-418.4' beyond 180\xB0"},
    {"al este, fuera de las fajas", 1, "+34.5;+58.4", nullptr, nullptr,
     "the point lies more than 3.45\xB0 from its strip's central meridian (outside the Gauss-Kr\xFCger "
     "strips)"},
    {"punto solo", 1, ".;-58.4", nullptr, nullptr, "latitude '.' is not a number"},
    {"menos y punto", 1, "-34.5;-.", nullptr, nullptr, "longitude '-.' is not a number"},
    {"altura enorme", 1, "-34.5;-58.4;1e40", nullptr, nullptr, "height '1e40' outside -11000 to 9000 m"},
    {"altura con coma", 1, "-34.5;-58.4;7,25", nullptr, nullptr,
     "height '7,25' has a decimal comma: write the decimal point '.'"},
    {"largo que solo pierde decimales", 1, "-34.603472222222222222222222222222222;-58.4",
     "-34.60347222222222222222222222;-58.4"},
    {"largo que cambiaria el valor", 1, "-34.5;-00000000000000000000000000058.4", nullptr, nullptr,
     "longitude '-00000000000000000000000000058.4' is longer than 30 characters"},
    {"entre comillas", 6, "\"-34.6034722\";\"-58.3816667\";\"25\"", "-34.6034722;-58.3816667;25"},
    {"comillas con el delimitador", 6, "\"-34.5;\";-58.4", nullptr, nullptr,
     "latitude '-34.5;' is not a number"},
    {"solo delimitadores", 6, ";;;", nullptr, nullptr, nullptr, true},
    {"solo delimitadores y blancos", 6, " ; \"\" ;", nullptr, nullptr, nullptr, true},
    {"altura fuera de lo posible", 6, "-34.5;-58.4;-7000000", nullptr, nullptr,
     "height '-7000000' outside -11000 to 9000 m"},
    {"corte que perderia el exponente", 6, "-34.5;-58.4;1.00000000000000000000000000e01", nullptr, nullptr,
     "height '1.00000000000000000000000000e01' is longer than 30 characters"},
    {"coma decimal", 7, "-34,6034722;-58,3816667;25", "-34.6034722;-58.3816667;25"},
    {"1,500 es 1.5", 7, "-34,6034722;-58,3816667;1,500", "-34.6034722;-58.3816667;1.5"},
    {"coma decimal entre comillas", 7, "\"-34,6034722\";\"-58,3816667\";\"1,5\"",
     "-34.6034722;-58.3816667;1.5"},
    {"dos comas", 7, "-34,6034722;-58,38,16667", nullptr, nullptr,
     "longitude '-58,38,16667' is not a number"},
    {"forma con espacios en modo decimal", 6, "-34 36' 12.5'';-58 22' 54''", nullptr, nullptr,
     "latitude '-34 36' 12.5''' is not a number"},
    {"gps delimitado", 8, "-34.6034722;-58.3816667;25"},
    {"gps delimitado con forma con espacios", 8, "-34 36' 12.5'';-58 22' 54''", nullptr, nullptr,
     "latitude '-34 36' 12.5''' is not a number"},
    {"bytes de control", 1, "-34.5\x1B[31m;-58.4", nullptr, nullptr,
     "latitude '-34.5\\x1B[31m' is not a number"},

    {"faja de otra columna", 2, "6170494.489;6373260.3471;1.5;5", nullptr, nullptr,
     "strip 5 in its column, but Y is in strip 6"},
    {"sin faja en Y", 2, "6170494.489;373260.3471;1.5;6", nullptr, nullptr,
     "Y '373260.3471' has no strip digit: a Gauss-Kr\xFC"
     "ger Y starts with its strip 1 to 7 (it would fit as a UTM "
     "easting)"},
    // Northern UTM is refused, never written with the southern false northing and an N.
    {"al norte del ecuador a UTM", 2, "10555016.5418;6344726.4917;1.5;6", nullptr, nullptr,
     "the point lies north of the equator: northern UTM is not written"},
    {"solo delimitadores gk", 2, ";;;", nullptr, nullptr, nullptr, true},
    {"X con coma", 2, "6170494,489;6373260.3471;1.5;6", nullptr, nullptr,
     "X '6170494,489' has a decimal comma: write the decimal point '.'"},

    {"zona con hemisferio", 3, "6170061.3482;373311.043;1.5;21 S", "6170061.3482;373311.043;1.5;21"},
    {"zona con ceros", 3, "6170061.3482;373311.043;1.5;000021", "6170061.3482;373311.043;1.5;21"},
    {"zona 2O", 3, "6170061.3482;373311.043;1.5;2O", nullptr, nullptr, "zone '2O' is not a zone number"},
    {"zona 61", 3, "6170061.3482;373311.043;1.5;61", nullptr, nullptr, "zone 61 outside 1 to 60"},
    {"zona norte", 3, "4000000;500000;1.5;21 N", nullptr, nullptr,
     "zone '21 N': northern UTM zones are not converted"},
    {"Gauss-Kruger leido como UTM", 3, "6170494.489;6373260.3471;1.5;6", nullptr, nullptr,
     "Y '6373260.3471' is outside a UTM zone's eastings (100000 to 900000 m): it reads as a Gauss-Kr\xFC"
     "ger Y of "
     "strip 6"},
    {"sin zona", 3, "6170061.3482;373311.043;1.5;", nullptr, nullptr, "no zone"},

    // Waypoints: `igualA` gives the same values in the layout of the kind they are read as.
    {"gps bueno", 4, "W,D,G1,-34.6034722,-58.3816667,", "-34.6034722;-58.3816667"},
    {"gps longitud 200", 4, "W,D,G2,-34.5,200,", "-34.5;200", nullptr, "longitude '200' beyond 180\xB0"},
    {"gps punto solo", 4, "W,D,G3,.,-58.4,", ".;-58.4", nullptr, "latitude '.' is not a number"},
    {"gps forma pegada", 5, "WP,dms,A1,-34 36'12.5'',-58 22'54'',", "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W"},
    {"gps minutos 75", 5, "WP,dms,A2,-34 75' 0'',-58 22' 54'',", "-34 75' 0'';-58 22' 54''", nullptr,
     "latitude '-34 75' 0''': minutes above 59"},
};

std::vector<const TCaso *> CasosDe(int archivo) {
    std::vector<const TCaso *> r;
    for (const TCaso &c : kCasos)
        if (c.archivo == archivo) r.push_back(&c);
    return r;
}

TOpcionesLectura OpcionesDe(const TArchivo &a) {
    TOpcionesLectura o;
    o.Delimitador = ';';
    int col[4] = {0, 0, 0, 0};
    std::sscanf(a.columnas, "%d,%d,%d,%d", &col[0], &col[1], &col[2], &col[3]);
    o.ColLatX = static_cast<uint8_t>(col[0]);
    o.ColLonY = static_cast<uint8_t>(col[1]);
    o.ColAltura = static_cast<uint8_t>(col[2]);
    o.ColZona = static_cast<uint8_t>(col[3]);
    o.ModoDecimal = static_cast<uint8_t>(a.fuente == 0 ? a.modo : 1);
    o.ComaDecimal = a.comaDecimal ? 1 : 0;
    return OpcionesDeLineas(o, static_cast<TTipoArchivo>(a.fuente));
}

// What the table expects of one case: the result line, or ";;" and the reason.
struct TEsperado {
    std::string resultado;
    TMotivo motivo;
};

TEsperado Esperado(const TCaso &c, const TArchivo &a) {
    const TArchivo &como = a.leeComo < 0 ? a : kArchivos[a.leeComo];
    TCoordenadas coord;
    ConfigurarCoordenadas(coord, como.marco, 0, static_cast<TTipoArchivo>(como.fuente),
                          como.fuente == 1 ? TTipoArchivo::UTM : TTipoArchivo::GaussKruger);
    TEsperado e;
    const bool igual = c.igualA && (a.leeComo >= 0 || !c.motivo);
    ConvertirLinea(igual ? c.igualA : c.linea, OpcionesDe(como), coord, e.resultado, &e.motivo);
    return e;
}

}  // namespace

class TestMismaRegla : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    TVentana v_{false};
    int archivoActual_ = 0;

    const TArchivo &A() const { return kArchivos[archivoActual_]; }

    // Opens the file through the window's open command, its read options answered as a user would
    // (a waypoint file has none).
    void Abrir(const QString &ruta) {
        const TArchivo &a = A();
        v_->cbFuente->setCurrentIndex(a.fuente);
        v_->cbDestino->setCurrentIndex(a.fuente == 1 ? 2 : 1);
        v_->BotonesFuente->button(a.marco)->click();
        if (Waypoints(a)) {
            ::Abrir(v_, ruta);
            return;
        }
        const QStringList cols = QString::fromLatin1(a.columnas).split(',');
        TRespuestaOpciones r{"1", cols[0], cols[1], cols[2], cols[3], a.modo};
        r.comaDecimal = a.comaDecimal;
        ResponderOpciones(&r);
        ::Abrir(v_, ruta);
        ResponderOpciones(nullptr);
    }

    std::string Archivo(const std::vector<const TCaso *> &casos, int relleno) {
        std::string t;
        for (int i = 0; i < relleno; ++i) t += std::string(A().relleno) + A().fin;
        for (const TCaso *c : casos) t += std::string(c->linea) + A().fin;
        return t;
    }

    // Checks one path's answer for a case: the result line (";;" for a failure) and the reason.
    void Comprobar(const char *camino, const TCaso &c, const std::string &resultado,
                   const std::string &motivo, TIdioma idioma) {
        const TEsperado e = Esperado(c, A());
        const QString donde = QStringLiteral("%1, %2").arg(QLatin1String(camino), QLatin1String(c.nombre));
        if (c.vacia) {
            QVERIFY2(e.motivo.Codigo == TCodigoMotivo::LineaVacia && e.resultado.empty(), qPrintable(donde));
            QVERIFY2(resultado == ";;" && motivo.empty(),
                     qPrintable(donde + ": " + AQString(resultado + motivo)));
            return;
        }
        if (c.motivo) {
            QVERIFY2(resultado == ";;", qPrintable(donde + ": " + AQString(resultado)));
            QCOMPARE(TextoMotivo(e.motivo, TIdioma::Ingles), std::string(c.motivo));
            QVERIFY2(motivo == TextoMotivo(e.motivo, idioma), qPrintable(donde + ": " + AQString(motivo)));
            return;
        }
        QVERIFY2(!e.motivo.Hay(),
                 qPrintable(donde + ": " + AQString(TextoMotivo(e.motivo, TIdioma::Ingles))));
        QVERIFY2(resultado == e.resultado, qPrintable(donde + ": " + AQString(resultado)));
        if (c.termina) {
            const std::string t = c.termina;
            QVERIFY2(resultado.size() > t.size() &&
                         resultado.compare(resultado.size() - t.size(), t.size(), t) == 0,
                     qPrintable(donde + ": " + AQString(resultado)));
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        FijarPresentadorGlobal(
            [](QWidget *, TMensaje::Tipo, const QString &, TMensaje::Botones) { return TMensaje::BotonOk; });
    }
    void init() {
        v_.Crear();
        v_->spSPC->setCurrentWidget(v_->TSTransf);
    }
    void cleanup() {
        delete FormOpciones;
        v_.reset();
    }

    void porCadaCamino_data() {
        QTest::addColumn<int>("archivo");
        for (int i = 0; i < static_cast<int>(std::size(kArchivos)); ++i)
            QTest::newRow(kArchivos[i].nombre) << i;
    }
    void porCadaCamino() {
        QFETCH(int, archivo);
        archivoActual_ = archivo;
        const std::vector<const TCaso *> casos = CasosDe(archivo);
        const QString chico = dir_.filePath(QStringLiteral("%1.txt").arg(A().nombre));
        Escribir(chico, Archivo(casos, 0));

        // The grid: one row per case; a failed row carries its reason as tooltip.
        Abrir(chico);
        QCOMPARE(v_->ModeloGrilla->Filas(), 2 + static_cast<int>(casos.size()));
        v_->spSkinXFormButton1->click();
        const TModeloGrilla &g = *v_->ModeloGrilla;
        for (std::size_t i = 0; i < casos.size(); ++i) {
            const int fila = 2 + static_cast<int>(i);
            TPuntoTexto s;
            s.Coord1 = g.Celda(fila, 5);
            s.Coord2 = g.Celda(fila, 6);
            s.Coord3 = g.Celda(fila, 7);
            s.Zona = g.Celda(fila, 8);
            const std::string resultado = g.Celda(fila, 5).empty() ? ";;" : LineaResultado(s, ';');
            Comprobar("grilla", *casos[i], resultado, g.Fallo(fila), TIdioma::Espanol);
        }

        // zuvelo-convert on the same file: one result line per line, the reasons on standard error.
        QProcess p;
        const QString tipos[4] = {"geo", "gk", "utm", "gps"};
        const bool delimitadoGPS = A().fuente == 3 && !Waypoints(A());
        QStringList args = {"-q", "-f", delimitadoGPS ? "geo" : tipos[A().fuente], "-t",
                            A().fuente == 1 ? "utm" : "gk"};
        if (A().marco == 1)
            args << "--from-frame"
                 << "inchauspe";
        if (!Waypoints(A()))
            args << "-d"
                 << "semicolon"
                 << "-c" << QString::fromLatin1(A().columnas).remove(QRegularExpression(",0$"));
        if ((A().fuente == 0 && A().modo == 1) || delimitadoGPS) args << "--decimal";
        if (A().comaDecimal) args << "--decimal-comma";
        p.start(QStringLiteral(ZUVELO_CONVERT), args << chico);
        QVERIFY(p.waitForFinished(60000));
        const std::string salida = p.readAllStandardOutput().toStdString();
        const std::string errores = p.readAllStandardError().toStdString();
        const bool hayFallos =
            std::any_of(casos.begin(), casos.end(), [](const TCaso *c) { return c->motivo; });
        QCOMPARE(p.exitCode(), hayFallos ? 3 : 0);
        // A line that holds no point gives no result line.
        const std::size_t conPunto = static_cast<std::size_t>(
            std::count_if(casos.begin(), casos.end(), [](const TCaso *c) { return !c->vacia; }));
        const std::vector<std::string> lineas = LineasDe(salida);
        QCOMPARE(lineas.size(), conPunto);
        for (std::size_t i = 0, k = 0; i < casos.size(); ++i) {
            std::string motivo;
            const std::string rotulo = "  line " + std::to_string(i + 1) + ": ";
            const std::size_t en = errores.find(rotulo);
            if (en != std::string::npos) {
                const std::size_t desde = en + rotulo.size();
                motivo = Utf8ACp1252(errores.substr(desde, errores.find('\n', desde) - desde));
            }
            std::string linea = casos[i]->vacia ? ";;" : lineas[k++];
            if (Waypoints(A())) std::replace(linea.begin(), linea.end(), ',', ';');  // waypoints give ','
            Comprobar("zuvelo-convert", *casos[i], linea, motivo, TIdioma::Ingles);
        }
        if (Waypoints(A())) return;

        // The background run: the same lines after 50000 good ones, converted by the workers and
        // saved as .DAT (the output segments joined); the first failed lines are named at the end.
        const QString grande = dir_.filePath(QStringLiteral("%1-grande.txt").arg(A().nombre));
        Escribir(grande, Archivo(casos, 50000));
        Abrir(grande);
        QCOMPARE(v_.Estado().ArchivoGrande, uint8_t(1));
        v_->Mensajes().clear();
        v_->spSkinXFormButton1->click();
        QTRY_VERIFY_WITH_TIMEOUT(!v_->LoteEnCurso(), 60000);
        std::map<int64_t, std::string> motivos;  // file line -> reason, from the run's message
        for (const TMensaje::Registro &m : v_->Mensajes())
            for (const QString &l : m.texto.split('\n'))
                if (l.startsWith(QStringLiteral("L\u00EDnea "))) {
                    const int dos = l.indexOf(QStringLiteral(": "));
                    motivos[l.mid(6, dos - 6).toLongLong()] = DeQString(l.mid(dos + 2));
                }
        v_->SD->FijarSiguiente(dir_.filePath(QStringLiteral("%1-grande.dat").arg(A().nombre)), 1);
        v_->Guardar->click();
        const std::vector<std::string> dat =
            LineasDe(Leer(dir_.filePath(QStringLiteral("%1-grande.dat").arg(A().nombre))));
        QCOMPARE(dat.size(), 50000 + conPunto);
        for (std::size_t i = 0, k = 50000; i < casos.size(); ++i) {
            const std::string esperadoMotivo = motivos.count(50001 + static_cast<int64_t>(i))
                                                   ? motivos[50001 + static_cast<int64_t>(i)]
                                                   : std::string();
            Comprobar("segundo plano", *casos[i], casos[i]->vacia ? ";;" : dat[k++], esperadoMotivo,
                      TIdioma::Espanol);
        }
    }

    // A DMS file read as decimal degrees: every row fails, the window says which notation would
    // read them, and nothing is saved.
    void notacionEquivocada() {
        archivoActual_ = 1;  // decimal degrees
        const QString ruta = dir_.filePath("dms-como-decimal.txt");
        Escribir(ruta, "34\xB0 36' 12.5\" S;58\xB0 22' 54\" W\r\n34\xB0 S;58\xB0 W\r\n");
        Abrir(ruta);
        v_->Mensajes().clear();
        v_->spSkinXFormButton1->click();
        QCOMPARE(v_->Mensajes().size(), std::size_t(1));
        QVERIFY2(v_->Mensajes()[0].texto.endsWith(AQString("\xBFLos \xE1ngulos est\xE1n en grados, "
                                                           "minutos y segundos?")),
                 qPrintable(v_->Mensajes()[0].texto));
        QVERIFY(v_->Msg->text().startsWith(AQString("0 puntos convertidos, 2 con error")));
        QVERIFY(!v_->ModeloGrilla->Fallo(2).empty());
        v_->SD->FijarSiguiente(dir_.filePath("nada.dat"), 1);
        v_->Guardar->click();
        QCOMPARE(v_->Mensajes().back().texto,
                 AQString("Ning\xFAn punto se pudo convertir: no hay nada que guardar."));
        QVERIFY(!QFile::exists(dir_.filePath("nada.dat")));
    }
};

ZUVELO_TEST_MAIN(TestMismaRegla)
#include "test_misma_regla.moc"
