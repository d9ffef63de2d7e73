// openpyxl (Debian's python3-openpyxl) as the reader of the .xlsx files: every cell of the first
// sheet with its kind, number format and value.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "temporal.h"

// One cell of a sheet as openpyxl reads it.
struct TCelda {
    std::string tipo;  // "n" number, "s" text, "-" empty
    std::string formato, valor;
};

// Every cell of the first sheet, read by openpyxl (an independent reader of the format), by row.
inline std::vector<std::vector<TCelda>> LeerConOpenpyxl(const std::string &archivo) {
    TCarpetaTemporal dir;
    EscribirArchivo(dir / "leer.py",
                    "import sys, openpyxl\n"
                    "hoja = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                    "for fila in hoja.iter_rows():\n"
                    "    print('\\x1e'.join(('n' if isinstance(c.value, (int, float)) else\n"
                    "                        's' if isinstance(c.value, str) else '-') + '\\x1f' +\n"
                    "                       c.number_format + '\\x1f' + ('' if c.value is None else\n"
                    "                       repr(c.value) if not isinstance(c.value, str) else c.value)\n"
                    "                       for c in fila))\n");
    // Debian's python3-openpyxl: the system's interpreter, whatever else comes first on the PATH.
    const std::string orden = "PYTHONIOENCODING=utf-8 /usr/bin/python3 '" + dir / "leer.py" + "' '" +
                              archivo + "' > '" + dir / "celdas.txt" + "' 2>&1";
    EXPECT_EQ(std::system(orden.c_str()), 0) << LeerArchivo(dir / "celdas.txt");
    std::vector<std::vector<TCelda>> filas;
    std::istringstream texto(LeerArchivo(dir / "celdas.txt"));
    std::string linea;
    while (std::getline(texto, linea)) {
        auto &fila = filas.emplace_back();
        std::size_t ini = 0;
        for (;;) {
            const std::size_t fin = linea.find('\x1e', ini);
            const std::string celda = linea.substr(ini, fin == std::string::npos ? fin : fin - ini);
            const std::size_t a = celda.find('\x1f'), b = celda.find('\x1f', a + 1);
            fila.push_back({celda.substr(0, a), celda.substr(a + 1, b - a - 1), celda.substr(b + 1)});
            if (fin == std::string::npos) break;
            ini = fin + 1;
        }
    }
    return filas;
}
