// Texts of the "Archivos" tab shared by its commands (open, convert, save), and the titles of the
// coordinate kinds. Windows-1252.
#pragma once

// Titles of the three values of a coordinate kind (0 geographic, 1 Gauss-Krüger, 2 UTM).
struct TituloReg {
    const char *Titulo1, *Titulo2, *Titulo3;
};
inline constexpr TituloReg TitulosTipo[3] = {{"Latitud", "Longitud", "Altura Elip."},
                                             {"X (Norte)", "Y (Este)", "Faja"},
                                             {"X (Norte)", "Y (Este)", "Zona"}};

// The information message of a file of more than 50000 lines.
inline constexpr const char *kMensajeDemasiadoGrande =
    "El Archivo a cargar es demasiado grande. Solo se mostrar\xE1n 50000 lineas";

// A large file that could not be split into segments: the error follows on the next line.
inline constexpr const char *kMensajeSinSegmentos =
    "No se pudo dividir el archivo en segmentos. Solo se muestran sus primeras 50000 l\xEDneas; no se "
    "convertir\xE1 ni se guardar\xE1 una parte del archivo como si fuera todo.";
// Convert and save while the split has failed.
inline constexpr const char *kMensajeArchivoIncompleto =
    "El archivo no pudo dividirse en segmentos: solo se tiene una parte de \xE9l. Vuelva a abrirlo.";
// A command that must wait for the background run.
inline constexpr const char *kMensajeEnCurso = "Hay una conversi\xF3n en curso. Espere a que termine.";
