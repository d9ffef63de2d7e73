// TGrupoTareas, TTarea: the worker components of the background run. A member runs its execute
// function on a thread of its own; its start and end events and the group's events fire on the
// thread that owns the objects (the window's thread).
#pragma once
#include <QObject>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

class QThread;
class TGrupoTareas;

class TTarea : public QObject {
    Q_OBJECT
    friend class TGrupoTareas;

  public:
    // Runs on the member's own thread. It polls DetencionPedida() before each unit of work. An
    // exception ends this execution only; Error() then holds it for the end events.
    using Ejecucion = std::function<void(TTarea &)>;

    // Joins the group as its next member; it leaves the group when destroyed.
    explicit TTarea(TGrupoTareas *grupo, QObject *padre = nullptr);
    // Sets the stop request and waits for the thread; no end events fire then.
    ~TTarea() override;

    void FijarEjecucion(Ejecucion e) { ejecucion_ = std::move(e); }
    // Starts the member on a new thread; does nothing while it runs.
    void Iniciar();
    bool Corriendo() const { return hilo_ != nullptr; }
    // Asks the execute function to stop; it ends at its next poll.
    void PedirDetencion() { detener_.store(true); }
    // Sets the stop request and waits until the thread has ended, without any end event.
    void DetenerYEsperar();
    bool DetencionPedida() const { return detener_.load(std::memory_order_relaxed); }
    const std::atomic<bool> &Detener() const { return detener_; }
    // The exception that ended the last execution, or none; read it from the end events on.
    const std::exception_ptr &Error() const { return error_; }

    int Segmento = -1;  // the segment this member converts; set by the start event

  signals:
    void Iniciada(TTarea *tarea);   // start event, before the thread exists
    void Terminada(TTarea *tarea);  // end event, after the group's thread-end (and end) events

  private:
    void AlTerminarHilo();

    TGrupoTareas *grupo_;
    Ejecucion ejecucion_;
    QThread *hilo_ = nullptr;
    uint64_t generacion_ = 0;  // tells a stale queued thread end from the current one
    std::atomic<bool> detener_{false};
    // Written by the member's thread before it ends; `terminada_` hands it (and whatever the execute
    // function wrote) over to the owning thread.
    std::exception_ptr error_;
    std::atomic<bool> terminada_{false};
};

class TGrupoTareas : public QObject {
    Q_OBJECT
  public:
    explicit TGrupoTareas(QObject *padre = nullptr);
    // Stops and waits for every member still running.
    ~TGrupoTareas() override;

    void Agregar(TTarea *tarea) { miembros_.push_back(tarea); }
    // Starts the members in member order.
    void Iniciar();
    // Sets the stop request of every running member first, then waits for each; no events fire.
    void DetenerYEsperar();
    int Corriendo() const { return corriendo_; }
    const std::vector<TTarea *> &Miembros() const { return miembros_; }

  signals:
    void Inicio();                // the first member started while none ran
    void FinHilo(TTarea *tarea);  // a member's execute function returned
    void Fin();                   // after a thread end, no member runs any more

  private:
    friend class TTarea;
    std::vector<TTarea *> miembros_;
    // Running members. Changed on the owning thread only (starts and the queued thread ends), so it
    // needs no lock.
    int corriendo_ = 0;
};
