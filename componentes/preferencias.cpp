// The remembered settings: a QSettings under the application's organisation and name.
#include "preferencias.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kUltimaCarpeta = QStringLiteral("Carpetas/Ultima");
}

std::unique_ptr<QSettings> Preferencias() {
    if (QCoreApplication::organizationName().isEmpty()) return nullptr;
    return std::make_unique<QSettings>();
}

QString UltimaCarpeta() {
    const auto p = Preferencias();
    if (!p) return QString();
    const QString carpeta = p->value(kUltimaCarpeta).toString();
    return !carpeta.isEmpty() && QFileInfo(carpeta).isDir() ? carpeta : QString();
}

void RecordarCarpetaDe(const QString &archivo) {
    const auto p = Preferencias();
    if (!p || archivo.isEmpty()) return;
    p->setValue(kUltimaCarpeta, QFileInfo(archivo).absolutePath());
}
