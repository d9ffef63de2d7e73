// Spanish wording of file errors: the operation, the path as the user gave it, and the reason.
#include "texto_error.h"

#include <cerrno>
#include <new>

#include "cp1252.h"
#include "error_archivo.h"
#include "motivo.h"

namespace {

const char *Operacion(TOperacion o) {
    switch (o) {
        case TOperacion::Abrir:
            return "No se puede abrir";
        case TOperacion::Leer:
            return "No se puede leer";
        case TOperacion::Crear:
            return "No se puede crear";
        case TOperacion::Escribir:
            return "No se puede escribir";
        case TOperacion::Reemplazar:
            return "No se puede reemplazar";
        case TOperacion::CrearCarpeta:
            return "No se puede crear la carpeta de trabajo en";
        case TOperacion::Temporal:
            return "No se puede usar un archivo de trabajo en";
    }
    return "No se puede usar";
}

std::string Motivo(int error) {
    switch (error) {
        case kEsLaEntrada:
            return "es el archivo que se est\xE1 leyendo";
        case kTipoNoAdmitido:
            return "no es un archivo com\xFAn, una tuber\xED"
                   "a ni un dispositivo de caracteres";
        case kYaCerrado:
            return "el archivo ya estaba cerrado";
        case EACCES:
            return "permiso denegado";
        case EPERM:
            return "operaci\xF3n no permitida";
        case ENOENT:
            return "no existe el archivo o la carpeta";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case EISDIR:
            return "es una carpeta";
        case EEXIST:
            return "ya existe";
        case ENOSPC:
            return "no queda espacio en el disco";
        case EDQUOT:
            return "se agot\xF3 la cuota de disco";
        case EROFS:
            return "el disco es de solo lectura";
        case EFBIG:
            return "el archivo supera el tama\xF1o m\xE1ximo permitido";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        case ELOOP:
            return "demasiados enlaces simb\xF3licos";
        case EMFILE:
        case ENFILE:
            return "hay demasiados archivos abiertos";
        case EIO:
            return "error de lectura o escritura en el dispositivo";
        case EBUSY:
        case ETXTBSY:
            return "el archivo est\xE1 en uso";
        case ENXIO:
            return "no hay quien lea la tuber\xED"
                   "a";
        case EPIPE:
            return "se cerr\xF3 la tuber\xED"
                   "a";
        case ENOMEM:
            return "no hay memoria suficiente";
        default:
            return "error del sistema n\xFAmero " + std::to_string(error);
    }
}

}  // namespace

std::string TextoErrorArchivo(const EArchivo &e) {
    // Paths are the file system's bytes, UTF-8 on this system; the text is Windows-1252.
    const std::string ruta = PareceUtf8(e.Ruta) ? Utf8ACp1252(e.Ruta) : e.Ruta;
    return std::string(Operacion(e.Operacion)) + " '" + ruta + "': " + Motivo(e.Error);
}

std::string TextoError(const std::exception &e) {
    if (dynamic_cast<const std::bad_alloc *>(&e)) return "No hay memoria suficiente";
    if (const auto *archivo = dynamic_cast<const EArchivo *>(&e)) return TextoErrorArchivo(*archivo);
    if (const auto *motivo = dynamic_cast<const EMotivo *>(&e))
        return TextoMotivo(motivo->Motivo, TIdioma::Espanol);
    return e.what();
}

std::string TextoError(const std::exception_ptr &error) {
    if (!error) return std::string();
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return TextoError(e);
    } catch (...) {
        return "Error desconocido";
    }
}
