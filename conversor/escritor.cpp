// EscribirBloque: one block's output and its share of the report.
#include "escritor.h"

void EscribirBloque(TBloque &b, TEscritura &e) {
    if (e.Puntos) {
        for (TPuntoBloque &p : b.Exportados) {
            if (p.Punto.Nombre.empty())
                p.Punto.Nombre = std::to_string(e.Registros + static_cast<int64_t>(p.Linea) + 1);
            e.Puntos->Punto(p.Punto);
            if (e.Sistemas) e.Sistemas->Ver(p.Punto);
        }
    } else if (e.Dibujo) {
        for (const TPuntoDibujo &p : b.Dibujo) e.Dibujo->Agregar(p.Etiqueta, p.N, p.E, p.H);
    } else {
        e.Salida.Escribir(b.Salida);
    }
    TInforme &informe = e.Informe;
    informe += b;
    informe.NombresCambiados += b.NombresCambiados;
    for (TFalloLinea &f : b.Fallos) {
        if (informe.Primeros.size() < kMotivosListados)
            informe.Primeros.push_back(std::move(f));
        else
            ++informe.Restantes;
    }
    informe.Restantes += b.NoListados;
    e.Registros += static_cast<int64_t>(b.Lineas());
}
