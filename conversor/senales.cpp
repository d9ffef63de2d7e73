// Ending signals of zuvelo-convert. They are blocked in every thread and read from a signalfd by a
// thread of their own, so they are acted on at once whatever every other thread is doing, also inside
// a blocking read where a handler would only run after it returns (a thread under ThreadSanitizer,
// whose handlers run late). PIPE and XFSZ that our own write causes stay pending on the writing
// thread while the write fails with EPIPE or EFBIG: the output reports that failure here
// (FinPorEscritura) and the run ends the same way.
#include "senales.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

char gTemporal[4096];
bool gHayTemporal = false;
sigset_t gVigiladas;  // written once, before any other thread exists
bool gVigilando = false;
// Held while the temporary output is made and registered, and by whoever ends the run: a signal never
// finds the file made but unknown, and only the first signal acts.
std::recursive_mutex gRegistro;

struct TSenal {
    int numero;
    const char *texto;
};
const TSenal kSenales[] = {
    {SIGINT, "stopped by SIGINT (interrupt)"},
    {SIGTERM, "stopped by SIGTERM (terminate)"},
    {SIGHUP, "stopped by SIGHUP (hang-up)"},
    {SIGQUIT, "stopped by SIGQUIT (quit)"},
    {SIGXFSZ, "the output reached the file size limit (ulimit -f, SIGXFSZ)"},
    {SIGPIPE, "the output pipe was closed (SIGPIPE)"},
};

void Poner(const char *s) {
    std::size_t n = std::strlen(s);
    while (n > 0) {
        const ssize_t k = ::write(2, s, n);
        if (k <= 0) return;
        s += k;
        n -= static_cast<std::size_t>(k);
    }
}

// Removes the temporary file, says what stopped the run and ends the process. The lock is never
// released: the process ends here.
[[noreturn]] void Terminar(int senal) {
    gRegistro.lock();
    if (gHayTemporal) ::unlink(gTemporal);
    Poner("zuvelo-convert: ");
    for (const TSenal &s : kSenales)
        if (s.numero == senal) Poner(s.texto);
    Poner(gHayTemporal ? "; no output file was written\n" : "; the output is incomplete\n");
    // Ended by its own signal, a run tells a calling shell that it was interrupted (a script's loop
    // stops on Ctrl-C). QUIT and XFSZ would leave a core dump that way: a plain failure status instead,
    // the number a shell shows for the signal.
    if (senal == SIGQUIT || senal == SIGXFSZ) ::_exit(128 + senal);
    struct sigaction defecto {};
    defecto.sa_handler = SIG_DFL;
    sigemptyset(&defecto.sa_mask);
    sigaction(senal, &defecto, nullptr);
    sigset_t esta;
    sigemptyset(&esta);
    sigaddset(&esta, senal);
    pthread_sigmask(SIG_UNBLOCK, &esta, nullptr);
    raise(senal);
    ::_exit(128 + senal);  // not reached: the default action ends the process
}

// The watcher: waits on the signalfd and acts on the first signal read.
void Vigilar(int fd) {
    signalfd_siginfo info{};
    for (;;) {
        const ssize_t n = ::read(fd, &info, sizeof info);
        if (n == static_cast<ssize_t>(sizeof info)) Terminar(static_cast<int>(info.ssi_signo));
        if (n < 0 && errno != EINTR) return;  // no watcher: the signals wait, the run goes on
    }
}

}  // namespace

void VigilarSenales() {
    sigemptyset(&gVigiladas);
    for (const TSenal &s : kSenales) {
        struct sigaction antes {};
        if (sigaction(s.numero, nullptr, &antes) == 0 && antes.sa_handler == SIG_IGN) continue;
        sigaddset(&gVigiladas, s.numero);
    }
    // Blocked before any other thread exists, so every thread inherits the mask and a signal sent to
    // the process waits for the watcher.
    pthread_sigmask(SIG_BLOCK, &gVigiladas, nullptr);
    const int fd = signalfd(-1, &gVigiladas, SFD_CLOEXEC);
    if (fd < 0) {
        pthread_sigmask(SIG_UNBLOCK, &gVigiladas, nullptr);  // default actions: the run still ends
        return;
    }
    gVigilando = true;
    std::thread(Vigilar, fd).detach();
}

void FinPorEscritura(int error) {
    if (!gVigilando) return;
    const int senal = error == EPIPE ? SIGPIPE : error == EFBIG ? SIGXFSZ : 0;
    if (senal != 0 && sigismember(&gVigiladas, senal) == 1) Terminar(senal);
}

TSenalesRetenidas::TSenalesRetenidas() {
    gRegistro.lock();
}

TSenalesRetenidas::~TSenalesRetenidas() {
    gRegistro.unlock();
}

void FijarTemporal(const std::string &ruta) {
    const std::lock_guard<std::recursive_mutex> bloqueo(gRegistro);
    gHayTemporal = false;
    if (ruta.empty() || ruta.size() >= sizeof gTemporal) return;
    std::memcpy(gTemporal, ruta.c_str(), ruta.size() + 1);
    gHayTemporal = true;
}
