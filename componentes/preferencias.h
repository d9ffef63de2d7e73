// What the program remembers between runs (QSettings): the folder of the last file opened or saved
// and the read options of each file kind. The settings live under the application's organisation
// name, which the program sets at start; without one (tests that did not ask for settings) nothing
// is read or written.
#pragma once
#include <QString>
#include <memory>

class QSettings;

// nullptr when the application has no organisation name.
std::unique_ptr<QSettings> Preferencias();

// The folder of the last file chosen in the open or save dialog; empty when none is remembered or
// it is gone.
QString UltimaCarpeta();
// Remembers the folder that holds `archivo`.
void RecordarCarpetaDe(const QString &archivo);
