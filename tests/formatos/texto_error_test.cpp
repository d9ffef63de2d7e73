// TextoError: every error that can end a window's action reaches the user in Spanish, whichever
// thread caught it.
#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>

#include "error_archivo.h"
#include "motivo.h"
#include "texto_error.h"

TEST(TextoError, EnCastellano) {
    TMotivo noNumero;
    noNumero.Codigo = TCodigoMotivo::NoNumero;
    noNumero.Valor = "abc";
    struct Caso {
        const char *nombre;
        std::exception_ptr error;
        std::string texto;
    };
    const Caso casos[] = {
        {"archivo", std::make_exception_ptr(EArchivo(TOperacion::Abrir, "/no/hay.txt", ENOENT)),
         "No se puede abrir '/no/hay.txt': no existe el archivo o la carpeta"},
        {"archivo de trabajo", std::make_exception_ptr(EArchivo(TOperacion::Temporal, "/tmp", ENOSPC)),
         "No se puede usar un archivo de trabajo en '/tmp': no queda espacio en el disco"},
        {"motivo", std::make_exception_ptr(EMotivo(noNumero)), "valor 'abc' no es un n\xFAmero"},
        {"memoria", std::make_exception_ptr(std::bad_alloc()), "No hay memoria suficiente"},
        {"texto propio",
         std::make_exception_ptr(std::runtime_error("El delimitador de Campo es incorrecto.")),
         "El delimitador de Campo es incorrecto."},
        {"ajena a std", std::make_exception_ptr(42), "Error desconocido"},
        {"ninguna", nullptr, ""},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(TextoError(c.error), c.texto);
    }
}
