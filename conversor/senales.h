// Ending signals of zuvelo-convert (INT, TERM, HUP, QUIT, XFSZ, PIPE): the temporary output file is
// removed, one line on standard error says what stopped the run, and the status is a failure.
#pragma once
#include <csignal>
#include <string>

// Installs the handlers; a signal the caller ignores (nohup, a shell's background job) stays ignored.
void VigilarSenales();
// The temporary file a signal must remove from now on; an empty path: none (streamed output).
void FijarTemporal(const std::string &ruta);

// Holds the ending signals back while it lives, on this thread: the temporary output file is made and
// given to FijarTemporal in between, so a signal never finds it made but unknown. One that came
// meanwhile is handled when this ends.
class TSenalesRetenidas {
  public:
    TSenalesRetenidas();
    ~TSenalesRetenidas();
    TSenalesRetenidas(const TSenalesRetenidas &) = delete;
    TSenalesRetenidas &operator=(const TSenalesRetenidas &) = delete;

  private:
    sigset_t antes_;
};
