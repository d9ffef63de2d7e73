// EscribirEnOrden: block 0, 1, 2 ... as the workers finish them.
#include "escritor.h"

void EscribirEnOrden(TCola &cola, TSalida &salida, TDibujoPuntos *dibujo, TInforme &informe,
                     const std::function<void(int64_t puntos)> &avance) {
    for (int64_t orden = 0;; ++orden) {
        auto b = cola.Siguiente(orden);
        if (!b) return;
        if (dibujo)
            for (const TPuntoDibujo &p : b->Dibujo) dibujo->Agregar(p.Etiqueta, p.N, p.E, p.H);
        else
            salida.Escribir(b->Salida);
        informe.Convertidos += b->Convertidos;
        informe.Fallidos += b->Fallidos;
        informe.SinPunto += b->SinPunto;
        informe.Vacias += b->Vacias;
        for (TFalloLinea &f : b->Fallos) {
            if (informe.Primeros.size() < kMotivosListados)
                informe.Primeros.push_back(std::move(f));
            else
                ++informe.Restantes;
        }
        informe.Restantes += b->NoListados;
        if (avance) avance(informe.Convertidos + informe.Fallidos);
        cola.Devolver(std::move(b));
    }
}
