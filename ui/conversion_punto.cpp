// The seven conversions of the "Conversión" tab: leaving the input group's last field converts the
// point into every other group, in a fixed chain through the window's TCoordenadas, and writes the
// Gauss-Krüger results into Memo. A group on another frame says in its tooltip which shift gave it.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QTextCursor>
#include <algorithm>
#include <charconv>
#include "Validate.h"
#include "mensaje.h"
#include "punto.h"
#include "texto_qt.h"
#include "ventana.h"

namespace {

std::string Texto(const QLineEdit *campo) {
    return DeQString(campo->text());
}
std::string PrimerCaracter(const QLineEdit *campo) {
    return Texto(campo).substr(0, 1);
}

void Escribir(QLineEdit *campo, const std::string &texto) {
    campo->setText(AQString(texto));
}

// Frame, kind and name of each group.
struct TGrupoConversion {
    const TElipsoide *elipsoide;
    TTipoCoordenada tipo;
    const char *nombre;
};
const TGrupoConversion kGrupoConversion[kGruposConversion + 1] = {
    {nullptr, tcGeografica, ""},
    {&ElipsoidePOSGAR, tcGeografica,
     "Geogr\xE1"
     "ficas POSGAR 94"},
    {&ElipsoidePOSGAR, tcGaussKruger, "Gauss-Kr\xFCger POSGAR 94"},
    {&ElipsoidePOSGAR, tcUTM, "UTM"},
    {&ElipsoideInchauspe, tcGeografica,
     "Geogr\xE1"
     "ficas Campo Inchauspe 69"},
    {&ElipsoideInchauspe, tcGaussKruger, "Gauss-Kr\xFCger Campo Inchauspe 69"},
    {&ElipsoidePOSGAR2007, tcGeografica,
     "Geogr\xE1"
     "ficas POSGAR 2007"},
    {&ElipsoidePOSGAR2007, tcGaussKruger, "Gauss-Kr\xFCger POSGAR 2007"},
};

// The other groups in the order each input group fills them, and the memo's blocks: P the POSGAR 94
// block, I the Inchauspe block, N the POSGAR 2007 block, '-' the separator. The POSGAR 2007 groups come
// last, so that the first five inputs fill groups 1 to 5 and the memo as they always have.
struct TCadena {
    int grupos[kGruposConversion - 1];
    const char *memo;
};
const TCadena kCadena[kGruposConversion + 1] = {
    {{0, 0, 0, 0, 0, 0}, ""},      {{2, 3, 4, 5, 6, 7}, "P-I"}, {{1, 3, 4, 5, 6, 7}, "I"},
    {{1, 2, 4, 5, 6, 7}, "P-I"},   {{5, 1, 2, 3, 6, 7}, "I-P"}, {{4, 1, 2, 3, 6, 7}, "P"},
    {{7, 1, 2, 3, 4, 5}, "N-P-I"}, {{6, 1, 2, 3, 4, 5}, "P-I"},
};

// The Gauss-Krüger group and memo title of each block.
struct TBloqueMemo {
    char clave;
    int grupo;
    const char *titulo;
};
const TBloqueMemo kBloques[] = {
    {'P', 2, "Gauss Kr\xFCger (POSGAR):"},
    {'I', 5, "Gauss Kr\xFCger (C.Inchaupe):"},
    {'N', 7, "Gauss Kr\xFCger (POSGAR 2007):"},
};

// The tooltip of a group filled from another frame: the shift PROJ prefers between the two, and its
// stated accuracy.
std::string TextoTraslado(const TElipsoide &de, const TElipsoide &a) {
    const TTraslado *t = Traslado(MarcoDe(de), MarcoDe(a));
    if (!t) return std::string();
    char exactitud[16];
    const auto r = std::to_chars(exactitud, exactitud + sizeof exactitud, t->Exactitud);
    std::string s = std::string("Desde ") + DatosMarco(t->De).Nombre + " a " + DatosMarco(t->A).Nombre +
                    ": " + t->Operacion;
    if (t->EPSG != 0) s += " (EPSG:" + std::to_string(t->EPSG) + ")";
    return s + ", exactitud declarada " + std::string(exactitud, r.ptr) + " m";
}

// Copies the conversion's result into the three fields of group g. A latitude or longitude field
// checks what is written into it, so the matching mask is put in force first.
void Llenar(const TPuntoTexto &s, int g, QLineEdit *const campos[3]) {
    const bool geografico = kGrupoConversion[g].tipo == tcGeografica;
    if (geografico && Formato) Formato->FijarLatitud();
    Escribir(campos[0], s.Coord1);
    if (geografico && Formato) Formato->FijarLongitud();
    Escribir(campos[1], s.Coord2);
    // Height for geographic groups, the strip for Gauss-Krüger, the zone and hemisphere for UTM.
    Escribir(campos[2], geografico ? s.Coord3.str() : g == 3 ? s.ZonaHemisferio.str() : s.Zona.str());
}

void Linea(QPlainTextEdit *memo, const std::string &texto) {
    memo->appendPlainText(AQString(texto));
}

// Easting first, as the labels "Y, X:" and "Faja:" beside the memo say.
void Bloque(QPlainTextEdit *memo, const char *titulo, QLineEdit *x, QLineEdit *y, QLineEdit *faja) {
    Linea(memo, titulo);
    Linea(memo, Texto(y) + "," + Texto(x));
    Linea(memo, Texto(faja));
}

}  // namespace

void TFConv::RechazarEntrada(int grupo, const TMotivo &motivo) {
    // No result of an earlier point may stay beside the refused one.
    LimpiarTodosMenoElGrupo(static_cast<uint8_t>(grupo));
    Memo->clear();
    Msg->setText(QStringLiteral("Error"));
    spMensaje->Mostrar(TMensaje::Error,
                       AQString("No se puede convertir: " + TextoMotivo(motivo, TIdioma::Espanol) + "."),
                       TMensaje::Ok);
}

// What the user typed into input group g, for the point rule: a plane group's point is converted at
// 1.5 m, and a Gauss-Krüger strip is the millions digit of Y, whatever was typed in its field.
TPuntoLeido TFConv::PuntoDelGrupo(int g) {
    const TGrupoConversion &def = kGrupoConversion[g];
    QLineEdit *f0 = CampoGrupo(g, 0), *f1 = CampoGrupo(g, 1), *f2 = CampoGrupo(g, 2);
    TPuntoLeido p;
    p.Coord1 = Texto(f0);
    p.Coord2 = Texto(f1);
    if (def.tipo == tcGeografica) {
        p.Coord3 = Texto(f2);  // empty: the default 1.5 m
        p.EnDecimal = 0;
    } else {
        p.Coord3 = "1.5";
        p.EnDecimal = 1;
        if (def.tipo == tcGaussKruger) Escribir(f2, PrimerCaracter(f1));
        p.Zona = Texto(f2);
    }
    return p;
}

// The memo's blocks for input group `entrada`; a Gauss-Krüger group that could not hold the point
// says so in its block.
void TFConv::EscribirMemo(int entrada, const bool (&lleno)[kGruposConversion + 1]) {
    Memo->clear();
    for (const char *b = kCadena[entrada].memo; *b; ++b) {
        if (*b == '-') {
            Linea(Memo, "----");
            continue;
        }
        const TBloqueMemo &bloque = *std::find_if(std::begin(kBloques), std::end(kBloques),
                                                  [b](const TBloqueMemo &k) { return k.clave == *b; });
        const int g = bloque.grupo;
        const char *titulo = bloque.titulo;
        if (lleno[g] || entrada == g) {
            Bloque(Memo, titulo, CampoGrupo(g, 0), CampoGrupo(g, 1), CampoGrupo(g, 2));
        } else {
            Linea(Memo, titulo);
            Linea(Memo, "(sin resultado)");
            Linea(Memo, "");
        }
    }
    // The memo shows its first lines after a conversion, titles included.
    Memo->moveCursor(QTextCursor::Start);
}

// The point typed into the input group goes through the point rule (strict reading, ranges, numbers
// with '.'), then into every other group. A refused input empties them all and says why once; a
// group that cannot hold the point (a place outside the Gauss-Krüger strips) stays empty and the
// message names it.
void TFConv::ConvertirGrupo(int entrada) {
    const TGrupoConversion &g = kGrupoConversion[entrada];
    if (CampoGrupo(entrada, 0)->text().isEmpty() && CampoGrupo(entrada, 1)->text().isEmpty() &&
        (g.tipo == tcGaussKruger || CampoGrupo(entrada, 2)->text().isEmpty())) {
        // Nothing typed: nothing of an earlier point stays either.
        LimpiarTodosMenoElGrupo(static_cast<uint8_t>(entrada));
        Memo->clear();
        return;
    }
    TCoordenadas &c = *Coordenadas;
    c.SetElipsoideFuente(*g.elipsoide);
    c.SetElipsoideDestino(*g.elipsoide);
    c.SetTipoFuente(g.tipo);
    TMotivo motivo;
    if (!PrepararEntrada(PuntoDelGrupo(entrada), c, motivo)) return RechazarEntrada(entrada, motivo);
    // The point on its own frame, as latitude and longitude: a plane point that does not unproject
    // (a strip or zone that does not exist) is refused here.
    c.SetTipoDestino(tcGeografica);
    if (!c.Convertir()) return RechazarEntrada(entrada, MotivoConversion(c));

    std::string sinResultado;
    TMotivo motivoGrupo;
    bool lleno[kGruposConversion + 1] = {};
    for (int destino : kCadena[entrada].grupos) {
        const TGrupoConversion &d = kGrupoConversion[destino];
        c.SetElipsoideDestino(*d.elipsoide);
        c.SetTipoDestino(d.tipo);
        QLineEdit *const campos[3] = {CampoGrupo(destino, 0), CampoGrupo(destino, 1), CampoGrupo(destino, 2)};
        Grupo(destino)->setToolTip(AQString(TextoTraslado(*g.elipsoide, *d.elipsoide)));
        if (c.Convertir()) {
            Llenar(c.Salida, destino, campos);
            lleno[destino] = true;
            continue;
        }
        for (QLineEdit *campo : campos) campo->clear();
        if (sinResultado.empty()) motivoGrupo = MotivoConversion(c);
        sinResultado += std::string(sinResultado.empty() ? "" : ", ") + d.nombre;
    }
    EscribirMemo(entrada, lleno);
    if (!sinResultado.empty()) {
        Msg->setText(QStringLiteral("Error"));
        spMensaje->Mostrar(TMensaje::Informacion,
                           AQString("Sin resultado en " + sinResultado + ": " +
                                    TextoMotivo(motivoGrupo, TIdioma::Espanol) + "."),
                           TMensaje::Ok);
    }
}

void TFConv::EAltExit() {
    if (cGEOgrp->isChecked() && Coordenadas) ConvertirGrupo(1);
}

void TFConv::GKPyExit() {
    if (cGKgrp->isChecked() && Coordenadas) ConvertirGrupo(2);
}

void TFConv::cpZExit() {
    if (cUTMgrp->isChecked() && Coordenadas) ConvertirGrupo(3);
}

void TFConv::SAltExit() {
    if (cGEOIgrp->isChecked() && Coordenadas) ConvertirGrupo(4);
}

void TFConv::GKIyExit() {
    if (cGKIgrp->isChecked() && Coordenadas) ConvertirGrupo(5);
}

void TFConv::G07AltExit() {
    if (cGEO07grp->isChecked() && Coordenadas) ConvertirGrupo(6);
}

void TFConv::GK07yExit() {
    if (cGK07grp->isChecked() && Coordenadas) ConvertirGrupo(7);
}
