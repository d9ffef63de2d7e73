// EscribirEnOrden: block 0, 1, 2 ... as the workers finish them.
#include "escritor.h"

void EscribirEnOrden(TCola &cola, TSalida &salida, TDibujoPuntos *dibujo, TInforme &informe,
                     const std::function<void(int64_t puntos)> &avance, TEscritorPuntos *puntos) {
    int64_t registros = 0;  // lines of the blocks before this one
    for (int64_t orden = 0;; ++orden) {
        auto b = cola.Siguiente(orden);
        if (!b) return;
        if (puntos) {
            for (TPuntoBloque &p : b->Exportados) {
                if (p.Punto.Nombre.empty())
                    p.Punto.Nombre = std::to_string(registros + static_cast<int64_t>(p.Linea) + 1);
                puntos->Punto(p.Punto);
            }
        } else if (dibujo)
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
        registros += static_cast<int64_t>(b->Lineas());
        if (avance) avance(informe.Convertidos + informe.Fallidos);
        cola.Devolver(std::move(b));
    }
}
