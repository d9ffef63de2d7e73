// ConvertirYContar, TextoConteo, PistaNotacion: counting and wording a convert command's points.
#include "conteo.h"

#include "numeros.h"
#include "punto.h"

bool ConvertirYContar(const TPuntoLeido &p, TCoordenadas &c, bool probarOtroModo, TConteoPuntos &conteo,
                      TMotivo &motivo) {
    if (!ConvertirPunto(p, c, motivo)) {
        if (conteo.Fallidos++ == 0) conteo.Primero = motivo;
        if (probarOtroModo) {
            TPuntoLeido otro = p;
            otro.EnDecimal = p.EnDecimal == 1 ? 0 : 1;
            TCoordenadas copia = c;
            TMotivo m;
            if (ConvertirPunto(otro, copia, m)) ++conteo.OtroModo;
        }
        return false;
    }
    ++conteo.Convertidos;
    long double n, e;
    if (LeerReal(c.Salida.Coord1.str(), n) && LeerReal(c.Salida.Coord2.str(), e))
        conteo.Extension.Ampliar(n, e);
    return true;
}

std::string Cantidad(int64_t n, const char *uno, const char *varios) {
    return std::to_string(n) + " " + (n == 1 ? uno : varios);
}

std::string TextoConteo(int64_t convertidos, int64_t fallidos) {
    std::string s = Cantidad(convertidos, "punto convertido", "puntos convertidos");
    if (fallidos > 0) s += ", " + Cantidad(fallidos, "con error", "con error");
    return s;
}

std::string PistaNotacion(const TConteoPuntos &conteo, bool leidosEnDecimal) {
    if (conteo.Convertidos != 0 || conteo.Fallidos == 0 || conteo.OtroModo * 2 <= conteo.Fallidos) return {};
    return leidosEnDecimal ? "\xBFLos \xE1ngulos est\xE1n en grados, minutos y segundos?"
                           : "\xBFLos \xE1ngulos est\xE1n en grados decimales?";
}
