// AlBorde, Conectar: the one error boundary of every slot of the window and of the read options
// dialog. An exception that ends an action is shown through the message component, worded in Spanish
// (TextoError); nothing crosses into Qt's event loop.
#pragma once
#include <QObject>
#include <type_traits>
#include <utility>
#include "mensaje.h"

// Shows the exception being handled as an error message; call it inside a catch block.
void MostrarExcepcion(TMensaje &mensaje) noexcept;

// Runs f; an exception ends it and is shown. True when f ended normally.
template <typename F>
bool AlBorde(TMensaje &mensaje, F &&f) noexcept {
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        MostrarExcepcion(mensaje);
        return false;
    }
}

namespace borde {
// A slot run inside AlBorde. Callable with exactly the arguments the slot takes, so that Qt passes a
// slot fewer arguments than its signal carries, as it does for a plain slot.
template <typename F>
class TEnBorde {
  public:
    TEnBorde(TMensaje &mensaje, F f) : mensaje_(&mensaje), f_(std::move(f)) {}
    template <typename... A>
    auto operator()(A &&...a) const -> decltype(std::declval<const F &>()(std::forward<A>(a)...), void()) {
        AlBorde(*mensaje_, [&] { f_(std::forward<A>(a)...); });
    }

  private:
    TMensaje *mensaje_;
    F f_;
};
}  // namespace borde

// connect(emisor, senal, f) with f inside the boundary. The message component is the context
// object: the connection goes with it.
template <typename Emisor, typename Senal, typename F>
QMetaObject::Connection Conectar(Emisor *emisor, Senal senal, TMensaje &mensaje, F f) {
    return QObject::connect(emisor, senal, &mensaje, borde::TEnBorde<F>(mensaje, std::move(f)));
}

// The same for a member function of `objeto` (pointer to member, as connect takes it).
template <typename Emisor, typename Senal, typename Objeto, typename R, typename... P>
QMetaObject::Connection Conectar(Emisor *emisor, Senal senal, TMensaje &mensaje, Objeto *objeto,
                                 R (Objeto::*slot)(P...)) {
    return Conectar(emisor, senal, mensaje, [objeto, slot](P... p) { (objeto->*slot)(p...); });
}
