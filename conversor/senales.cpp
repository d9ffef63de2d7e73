// Signal handlers of zuvelo-convert. They run on any thread and use only async-signal-safe calls:
// unlink, write, sigaction, raise and _exit.
#include "senales.h"

#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

char gTemporal[4096];
volatile std::sig_atomic_t gHayTemporal = 0;

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

extern "C" void AlTerminar(int senal) {
    const bool temporal = gHayTemporal != 0;
    if (temporal) ::unlink(gTemporal);
    Poner("zuvelo-convert: ");
    for (const TSenal &s : kSenales)
        if (s.numero == senal) Poner(s.texto);
    Poner(temporal ? "; no output file was written\n" : "; the output is incomplete\n");
    // Ended by its own signal, a run tells a calling shell that it was interrupted (a script's loop
    // stops on Ctrl-C). QUIT and XFSZ would leave a core dump that way: a plain failure status instead,
    // the number a shell shows for the signal.
    if (senal == SIGQUIT || senal == SIGXFSZ) ::_exit(128 + senal);
    struct sigaction defecto {};
    defecto.sa_handler = SIG_DFL;
    sigemptyset(&defecto.sa_mask);
    sigaction(senal, &defecto, nullptr);
    raise(senal);
}

}  // namespace

void VigilarSenales() {
    for (const TSenal &s : kSenales) {
        struct sigaction antes {};
        if (sigaction(s.numero, nullptr, &antes) == 0 && antes.sa_handler == SIG_IGN) continue;
        struct sigaction accion {};
        accion.sa_handler = AlTerminar;
        sigfillset(&accion.sa_mask);  // one handler at a time: the first signal decides
        sigaction(s.numero, &accion, nullptr);
    }
}

TSenalesRetenidas::TSenalesRetenidas() {
    sigset_t finales;
    sigemptyset(&finales);
    for (const TSenal &s : kSenales) sigaddset(&finales, s.numero);
    pthread_sigmask(SIG_BLOCK, &finales, &antes_);
}

TSenalesRetenidas::~TSenalesRetenidas() {
    pthread_sigmask(SIG_SETMASK, &antes_, nullptr);
}

void FijarTemporal(const std::string &ruta) {
    gHayTemporal = 0;
    if (ruta.empty() || ruta.size() >= sizeof gTemporal) return;
    std::memcpy(gTemporal, ruta.c_str(), ruta.size() + 1);
    gHayTemporal = 1;
}
