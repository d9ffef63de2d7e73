// Ending signals of zuvelo-convert (INT, TERM, HUP, QUIT, XFSZ, PIPE): the temporary output file is
// removed, one line on standard error says what stopped the run, and the status is a failure.
#pragma once
#include <string>

// Installs the handlers; a signal the caller ignores (nohup, a shell's background job) stays ignored.
void VigilarSenales();
// The temporary file a signal must remove from now on; an empty path: none (streamed output).
void FijarTemporal(const std::string &ruta);
