// TGrupoTareas, TTarea: worker threads with start, execute, thread-end, group-end and end events.
#include "tareas.h"

#include <QThread>
#include <algorithm>

TTarea::TTarea(TGrupoTareas *grupo, QObject *padre) : QObject(padre), grupo_(grupo) {
    grupo_->Agregar(this);
}

TTarea::~TTarea() {
    DetenerYEsperar();
    if (grupo_) {
        auto &m = grupo_->miembros_;
        m.erase(std::remove(m.begin(), m.end(), this), m.end());
    }
}

void TTarea::Iniciar() {
    if (hilo_) return;
    detener_.store(false);
    error_ = nullptr;
    terminada_.store(false, std::memory_order_relaxed);
    // Group start, member start, then the thread: the start events see no thread yet, so whatever
    // they set (the segment number) is in place before the execute function reads it.
    if (grupo_->corriendo_++ == 0) emit grupo_->Inicio();
    emit Iniciada(this);
    const uint64_t generacion = ++generacion_;
    hilo_ = QThread::create([this] {
        try {
            if (ejecucion_) ejecucion_(*this);
        } catch (...) {
            // The end events fire as for a normal return; they find the error here.
            error_ = std::current_exception();
        }
        terminada_.store(true, std::memory_order_release);
    });
    // `finished` is emitted on the worker thread; the queued call runs the end events on ours.
    // A stale call (the member was stopped and waited for meanwhile) finds another generation.
    connect(
        hilo_, &QThread::finished, this,
        [this, generacion] {
            if (generacion == generacion_ && hilo_) AlTerminarHilo();
        },
        Qt::QueuedConnection);
    hilo_->start();
}

void TTarea::AlTerminarHilo() {
    hilo_->wait();
    // What the thread wrote (its error, the execute function's results) is ours from here: the
    // acquire pairs with the thread's last release. wait() orders it too, but through Qt's own
    // synchronisation, which ThreadSanitizer cannot follow.
    terminada_.load(std::memory_order_acquire);
    delete hilo_;
    hilo_ = nullptr;
    --grupo_->corriendo_;
    emit grupo_->FinHilo(this);
    if (grupo_->corriendo_ == 0) emit grupo_->Fin();
    emit Terminada(this);
}

void TTarea::DetenerYEsperar() {
    if (!hilo_) return;
    detener_.store(true);
    hilo_->wait();
    terminada_.load(std::memory_order_acquire);
    delete hilo_;
    hilo_ = nullptr;
    ++generacion_;
    if (grupo_) --grupo_->corriendo_;
}

TGrupoTareas::TGrupoTareas(QObject *padre) : QObject(padre) {}

TGrupoTareas::~TGrupoTareas() {
    DetenerYEsperar();
    // Members that are our children go later, in ~QObject, when this part no longer exists.
    for (TTarea *t : miembros_) t->grupo_ = nullptr;
}

void TGrupoTareas::Iniciar() {
    for (TTarea *t : miembros_) t->Iniciar();
}

void TGrupoTareas::DetenerYEsperar() {
    // Every stop request first, so the members end together rather than one after the other.
    for (TTarea *t : miembros_) t->PedirDetencion();
    for (TTarea *t : miembros_) t->DetenerYEsperar();
}
