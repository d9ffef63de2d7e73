// Ending signals of zuvelo-convert (INT, TERM, HUP, QUIT, XFSZ, PIPE): the temporary output file is
// removed, one line on standard error says what stopped the run, and the status is a failure.
#pragma once
#include <string>

// Call first thing, before any other thread exists: the ending signals are blocked in every thread
// and a watcher thread acts on them. A signal the caller ignores (nohup, a shell's background job)
// stays ignored.
void VigilarSenales();
// The temporary file a signal must remove from now on; an empty path: none (streamed output).
void FijarTemporal(const std::string &ruta);
// A write to the output failed with `error`: EPIPE (the reader went away) and EFBIG (the file size
// limit) end the run as their signal does, once VigilarSenales watches it; otherwise it returns.
void FinPorEscritura(int error);

// Holds the ending signals back while it lives: the temporary output file is made and given to
// FijarTemporal in between, so a signal never finds it made but unknown. One that came meanwhile is
// acted on when this ends.
class TSenalesRetenidas {
  public:
    TSenalesRetenidas();
    ~TSenalesRetenidas();
    TSenalesRetenidas(const TSenalesRetenidas &) = delete;
    TSenalesRetenidas &operator=(const TSenalesRetenidas &) = delete;
};
