// The worker components: order and threads of the start, execute, thread-end, group-end and end
// events, a restart from the thread-end event, an error inside the execute function, and the stop
// request with waiting destruction.
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <atomic>
#include <future>
#include <mutex>
#include <thread>
#include <stdexcept>
#include <vector>

#include "tareas.h"

namespace {
struct Evento {
    QString nombre;
    bool enHiloPrincipal;
};

class Registro {
  public:
    void Anotar(const QString &nombre) {
        std::lock_guard<std::mutex> l(m_);
        eventos_.push_back({nombre, QThread::currentThread() == qApp->thread()});
    }
    std::vector<Evento> Eventos() {
        std::lock_guard<std::mutex> l(m_);
        return eventos_;
    }
    QStringList Nombres() {
        QStringList r;
        for (const Evento &e : Eventos()) r << e.nombre;
        return r;
    }

  private:
    std::mutex m_;
    std::vector<Evento> eventos_;
};
}  // namespace

class TestTareas : public QObject {
    Q_OBJECT
  private slots:
    void ordenDeEventos();
    void reinicioDesdeFinDeHilo();
    void errorEnEjecucion();
    void destruccionDetieneYEspera();
};

// Two members: group start once, then for each member its start before its execute; the end
// events on the window's thread in the order thread-end, (group end after the last), end.
void TestTareas::ordenDeEventos() {
    Registro reg;
    TGrupoTareas grupo;
    TTarea a(&grupo), b(&grupo);
    a.setObjectName("A");
    b.setObjectName("B");
    // B's execute runs while A's thread ends: it waits until the window's thread has seen A end.
    std::promise<void> aTermino;
    std::future<void> esperaA = aTermino.get_future();
    a.FijarEjecucion([&](TTarea &t) { reg.Anotar("ejecuta " + t.objectName()); });
    b.FijarEjecucion([&](TTarea &t) {
        esperaA.wait();
        reg.Anotar("ejecuta " + t.objectName());
    });
    connect(&grupo, &TGrupoTareas::Inicio, [&] { reg.Anotar("inicio grupo"); });
    connect(&grupo, &TGrupoTareas::FinHilo, [&](TTarea *t) {
        reg.Anotar("fin hilo " + t->objectName());
        if (t == &a) aTermino.set_value();
    });
    connect(&grupo, &TGrupoTareas::Fin, [&] { reg.Anotar("fin grupo"); });
    for (TTarea *t : {&a, &b}) {
        connect(t, &TTarea::Iniciada, [&](TTarea *x) { reg.Anotar("inicio " + x->objectName()); });
        connect(t, &TTarea::Terminada, [&](TTarea *x) { reg.Anotar("fin " + x->objectName()); });
    }
    QSignalSpy finGrupo(&grupo, &TGrupoTareas::Fin);
    grupo.Iniciar();
    QCOMPARE(grupo.Corriendo(), 2);
    a.Iniciar();  // already running: nothing
    QCOMPARE(grupo.Corriendo(), 2);
    QVERIFY(finGrupo.wait(5000));
    QTRY_COMPARE(reg.Eventos().size(), std::size_t(10));

    const QStringList esperado = {"inicio grupo", "inicio A", "inicio B",   "ejecuta A", "ejecuta B",
                                  "fin hilo A",   "fin A",    "fin hilo B", "fin grupo"};
    QStringList nombres = reg.Nombres();
    // "fin B" comes last, after the group end; "ejecuta A" may precede "inicio B" on a fast machine.
    QCOMPARE(nombres.last(), QString("fin B"));
    nombres.removeLast();
    QCOMPARE(QSet<QString>(nombres.begin(), nombres.end()), QSet<QString>(esperado.begin(), esperado.end()));
    QCOMPARE(nombres.indexOf("inicio grupo"), 0);
    QVERIFY(nombres.indexOf("inicio A") < nombres.indexOf("inicio B"));
    QVERIFY(nombres.indexOf("inicio A") < nombres.indexOf("ejecuta A"));
    QVERIFY(nombres.indexOf("fin hilo A") < nombres.indexOf("fin A"));
    QVERIFY(nombres.indexOf("fin A") < nombres.indexOf("fin hilo B"));
    QVERIFY(nombres.indexOf("fin hilo B") < nombres.indexOf("fin grupo"));
    for (const Evento &e : reg.Eventos()) QCOMPARE(e.enHiloPrincipal, !e.nombre.startsWith("ejecuta"));
    QCOMPARE(grupo.Corriendo(), 0);
}

// The thread-end event may start the same member again: it runs once more, and the group's end
// event fires once, after the last thread has ended; the group start fires once as well.
void TestTareas::reinicioDesdeFinDeHilo() {
    TGrupoTareas grupo;
    TTarea a(&grupo), b(&grupo);
    std::atomic<int> ejecuciones{0};
    for (TTarea *t : {&a, &b}) t->FijarEjecucion([&](TTarea &) { ++ejecuciones; });
    int siguiente = 0;
    std::vector<int> tomados;
    for (TTarea *t : {&a, &b})
        connect(t, &TTarea::Iniciada, [&](TTarea *x) {
            x->Segmento = siguiente++;
            tomados.push_back(x->Segmento);
        });
    connect(&grupo, &TGrupoTareas::FinHilo, [&](TTarea *t) {
        if (siguiente < 10) t->Iniciar();
    });
    QSignalSpy inicio(&grupo, &TGrupoTareas::Inicio);
    QSignalSpy fin(&grupo, &TGrupoTareas::Fin);
    grupo.Iniciar();
    QVERIFY(fin.wait(5000));
    // Every thread has ended: a further end would already be posted.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(ejecuciones.load(), 10);
    QCOMPARE(inicio.count(), 1);
    QCOMPARE(fin.count(), 1);
    QCOMPARE(tomados, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// An error thrown by the execute function ends that execution only; every end event still fires and
// the member holds the error for them.
void TestTareas::errorEnEjecucion() {
    TGrupoTareas grupo;
    TTarea a(&grupo);
    a.FijarEjecucion([](TTarea &) { throw std::runtime_error("falla"); });
    QSignalSpy finHilo(&grupo, &TGrupoTareas::FinHilo);
    QSignalSpy fin(&grupo, &TGrupoTareas::Fin);
    QSignalSpy terminada(&a, &TTarea::Terminada);
    grupo.Iniciar();
    QVERIFY(terminada.wait(5000));
    QCOMPARE(finHilo.count(), 1);
    QCOMPARE(fin.count(), 1);
    QVERIFY(!a.Corriendo());
    // The end events find the error; the next start clears it.
    QVERIFY(a.Error());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, std::rethrow_exception(a.Error()));
    a.FijarEjecucion([](TTarea &) {});
    a.Iniciar();
    QVERIFY(!a.Error());
    QVERIFY(terminada.wait(5000));
}

// Destroying a running member sets its stop request and waits for the thread; the execute function
// sees the request, and no end event fires, not even later from the event loop.
void TestTareas::destruccionDetieneYEspera() {
    std::atomic<bool> vioDetencion{false}, termino{false}, empezo{false};
    int eventosFin = 0;
    {
        TGrupoTareas grupo;
        auto *a = new TTarea(&grupo, &grupo);
        a->FijarEjecucion([&](TTarea &t) {
            empezo = true;
            while (!t.DetencionPedida()) std::this_thread::yield();  // a worker polls per line
            vioDetencion = true;
            termino = true;
        });
        connect(&grupo, &TGrupoTareas::FinHilo, [&] { ++eventosFin; });
        connect(&grupo, &TGrupoTareas::Fin, [&] { ++eventosFin; });
        connect(a, &TTarea::Terminada, [&] { ++eventosFin; });
        grupo.Iniciar();
        QTRY_VERIFY(empezo.load());
        delete a;  // returns only after the thread has ended (deleting a running QThread aborts)
        QVERIFY(vioDetencion.load());
        QVERIFY(termino.load());
        QCOMPARE(grupo.Corriendo(), 0);
    }
    // The thread's own end was posted before it ended: it reaches nobody.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(eventosFin, 0);
}

QTEST_MAIN(TestTareas)
#include "test_lote_tareas.moc"
