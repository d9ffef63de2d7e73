// The five conversions of the "Conversión" tab: leaving the input group's last field converts the
// point into every other group, in a fixed chain through the window's TCoordenadas, and writes the
// two Gauss-Krüger results into Memo.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QTextCursor>
#include <charconv>
#include "TFConv.h"
#include "Validate.h"
#include "texto_qt.h"

namespace {

using TOperacion = bool (TCoordenadas::*)();

std::string Texto(const QLineEdit *campo) {
    return DeQString(campo->text());
}
bool Vacio(const QLineEdit *campo) {
    return campo->text().isEmpty();
}
std::string PrimerCaracter(const QLineEdit *campo) {
    return Texto(campo).substr(0, 1);
}

// Converts the point in Entrada to the given kind on the destination ellipsoid in force.
bool Convertir(TCoordenadas &c, TTipoCoordenada destino, TOperacion operacion) {
    c.SetTipoDestino(destino);
    return (c.*operacion)();
}

void Escribir(QLineEdit *campo, const std::string &texto) {
    campo->setText(AQString(texto));
}

// Copies Salida into group g. A latitude or longitude field checks what is written into it, so the
// matching mask is put in force first.
void Llenar(TFConv &v, int g) {
    const TPuntoTexto &s = v.Coordenadas->Salida;
    switch (g) {
        case 1:
        case 4:
            if (Formato) Formato->FijarLatitud();
            Escribir(v.CampoGrupo(g, 0), s.Coord1);
            if (Formato) Formato->FijarLongitud();
            Escribir(v.CampoGrupo(g, 1), s.Coord2);
            Escribir(v.CampoGrupo(g, 2), s.Coord3);
            break;
        case 2:
        case 5:
            Escribir(v.CampoGrupo(g, 0), s.Coord1);
            Escribir(v.CampoGrupo(g, 1), s.Coord2);
            Escribir(v.CampoGrupo(g, 2), s.Zona);
            break;
        case 3:
            Escribir(v.cpX, s.Coord1);
            Escribir(v.cpY, s.Coord2);
            Escribir(v.cpZ, s.ZonaHemisferio);
            break;
    }
}

void Linea(TFConv &v, const std::string &texto) {
    v.Memo->appendPlainText(AQString(texto));
}

// Easting first, as the labels "Y, X:" and "Faja:" beside the memo say.
void BloquePOSGAR(TFConv &v) {
    Linea(v, "Gauss Kr\xFCger (POSGAR):");
    Linea(v, Texto(v.GKPy) + "," + Texto(v.GKPx));
    Linea(v, Texto(v.GKPf));
}

void BloqueInchauspe(TFConv &v) {
    Linea(v, "Gauss Kr\xFCger (C.Inchaupe):");
    Linea(v, Texto(v.GKIy) + "," + Texto(v.GKIx));
    Linea(v, Texto(v.GKIf));
}

void Separador(TFConv &v) {
    Linea(v, "----");
}

// The memo shows its first lines after a conversion, titles included.
void MemoAlPrincipio(TFConv &v) {
    v.Memo->moveCursor(QTextCursor::Start);
}

void Iniciar(TCoordenadas &c, const TElipsoide &elipsoide, TTipoCoordenada fuente) {
    c.SetElipsoideFuente(elipsoide);
    c.SetElipsoideDestino(elipsoide);
    c.SetTipoFuente(fuente);
}

void EntradaGeografica(TCoordenadas &c, const QLineEdit *lat, const QLineEdit *lon, const QLineEdit *alt) {
    c.Entrada.Coord1 = Texto(lat);
    c.Entrada.Coord2 = Texto(lon);
    c.Entrada.Coord3 = Texto(alt);
    c.Entrada.EnDecimal = 0;
}

// Plane groups have no height field: their points are converted at 1.5 m.
void EntradaPlana(TCoordenadas &c, const QLineEdit *x, const QLineEdit *y, const std::string &zona) {
    c.Entrada.Coord1 = Texto(x);
    c.Entrada.Coord2 = Texto(y);
    c.Entrada.Coord3 = "1.5";
    c.Entrada.Zona = zona;
}

}  // namespace

void TFConv::EAltExit(QObject *) {
    if (Vacio(Elat) || Vacio(ELon) || !cGEOgrp->isChecked() || !Coordenadas) return;
    TCoordenadas &c = *Coordenadas;
    Iniciar(c, ElipsoidePOSGAR, tcGeografica);
    EntradaGeografica(c, Elat, ELon, EAlt);
    if (!Convertir(c, tcGaussKruger, &TCoordenadas::GeoAPlana)) return;  // latitude beyond 90°
    Llenar(*this, 2);
    Memo->clear();
    BloquePOSGAR(*this);
    Separador(*this);
    Convertir(c, tcUTM, &TCoordenadas::GeoAPlana);
    Llenar(*this, 3);
    c.SetElipsoideDestino(ElipsoideInchauspe);
    Convertir(c, tcGeografica, &TCoordenadas::GeoAGeo);
    Llenar(*this, 4);
    Convertir(c, tcGaussKruger, &TCoordenadas::GeoAPlana);
    Llenar(*this, 5);
    BloqueInchauspe(*this);
    MemoAlPrincipio(*this);
}

void TFConv::GKPyExit(QObject *) {
    if (Vacio(GKPy) || Vacio(GKPx) || !cGKgrp->isChecked() || !Coordenadas) return;
    TCoordenadas &c = *Coordenadas;
    Iniciar(c, ElipsoidePOSGAR, tcGaussKruger);
    // The strip is the millions digit of Y, whatever was typed in its field.
    Escribir(GKPf, PrimerCaracter(GKPy));
    EntradaPlana(c, GKPx, GKPy, Texto(GKPf));
    Convertir(c, tcGeografica, &TCoordenadas::PlanaAGeo);
    Llenar(*this, 1);
    Convertir(c, tcUTM, &TCoordenadas::PlanaAPlana);
    Llenar(*this, 3);
    c.SetElipsoideDestino(ElipsoideInchauspe);
    Convertir(c, tcGeografica, &TCoordenadas::PlanaAGeo);
    Llenar(*this, 4);
    Convertir(c, tcGaussKruger, &TCoordenadas::PlanaAPlana);
    Llenar(*this, 5);
    Memo->clear();
    BloqueInchauspe(*this);
    MemoAlPrincipio(*this);
}

void TFConv::cpZExit(QObject *) {
    if (Vacio(cpX) || Vacio(cpY) || Vacio(cpZ) || !cUTMgrp->isChecked() || !Coordenadas) return;
    TCoordenadas &c = *Coordenadas;
    Iniciar(c, ElipsoidePOSGAR, tcUTM);
    // The zone is the number the text starts with; a hemisphere letter after it is ignored.
    const int32_t zona = LeerEnteroInicial(Texto(cpZ));
    if (zona == 0) return;
    char numero[16];
    const auto fin = std::to_chars(numero, numero + sizeof numero, zona).ptr;
    EntradaPlana(c, cpX, cpY, std::string(numero, fin));
    if (!Convertir(c, tcGeografica, &TCoordenadas::PlanaAGeo)) return;  // zone outside 1 to 60
    Llenar(*this, 1);
    Convertir(c, tcGaussKruger, &TCoordenadas::PlanaAPlana);
    Llenar(*this, 2);
    Memo->clear();
    BloquePOSGAR(*this);
    Separador(*this);
    c.SetElipsoideDestino(ElipsoideInchauspe);
    Convertir(c, tcGeografica, &TCoordenadas::PlanaAGeo);
    Llenar(*this, 4);
    Convertir(c, tcGaussKruger, &TCoordenadas::PlanaAPlana);
    Llenar(*this, 5);
    BloqueInchauspe(*this);
    MemoAlPrincipio(*this);
}

void TFConv::SAltExit(QObject *) {
    if (Vacio(SLat) || Vacio(SLon) || !cGEOIgrp->isChecked() || !Coordenadas) return;
    TCoordenadas &c = *Coordenadas;
    Iniciar(c, ElipsoideInchauspe, tcGeografica);
    EntradaGeografica(c, SLat, SLon, SAlt);
    if (!Convertir(c, tcGaussKruger, &TCoordenadas::GeoAPlana)) return;  // latitude beyond 90°
    Llenar(*this, 5);
    Memo->clear();
    BloqueInchauspe(*this);
    Separador(*this);
    c.SetElipsoideDestino(ElipsoidePOSGAR);
    Convertir(c, tcGeografica, &TCoordenadas::GeoAGeo);
    Llenar(*this, 1);
    Convertir(c, tcGaussKruger, &TCoordenadas::GeoAPlana);
    Llenar(*this, 2);
    BloquePOSGAR(*this);
    // The UTM group belongs to POSGAR 94.
    Convertir(c, tcUTM, &TCoordenadas::GeoAPlana);
    Llenar(*this, 3);
    MemoAlPrincipio(*this);
}

void TFConv::GKIyExit(QObject *) {
    if (Vacio(GKIy) || Vacio(GKIx) || !cGKIgrp->isChecked() || !Coordenadas) return;
    TCoordenadas &c = *Coordenadas;
    Iniciar(c, ElipsoideInchauspe, tcGaussKruger);
    Escribir(GKIf, PrimerCaracter(GKIy));
    EntradaPlana(c, GKIx, GKIy, Texto(GKIf));
    Convertir(c, tcGeografica, &TCoordenadas::PlanaAGeo);
    Llenar(*this, 4);
    c.SetElipsoideDestino(ElipsoidePOSGAR);
    Convertir(c, tcGeografica, &TCoordenadas::PlanaAGeo);
    Llenar(*this, 1);
    Convertir(c, tcGaussKruger, &TCoordenadas::PlanaAPlana);
    Llenar(*this, 2);
    Memo->clear();
    BloquePOSGAR(*this);
    Convertir(c, tcUTM, &TCoordenadas::PlanaAPlana);
    Llenar(*this, 3);
    MemoAlPrincipio(*this);
}
