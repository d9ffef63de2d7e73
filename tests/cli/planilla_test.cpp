// The .csv of zuvelo-convert opened by LibreOffice Calc (headless) as a user in Argentina and one in
// the United States open it: no value becomes another number.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>
#include <sys/wait.h>

#include "openpyxl.h"
#include "temporal.h"

namespace {

std::vector<std::string> Campos(const std::string &linea) {
    std::vector<std::string> c;
    std::size_t ini = 0;
    for (;;) {
        const std::size_t fin = linea.find(',', ini);
        c.push_back(linea.substr(ini, fin == std::string::npos ? fin : fin - ini));
        if (fin == std::string::npos) return c;
        ini = fin + 1;
    }
}

bool Numero(const std::string &t, double &v) {
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

// 300 points across the country in decimal degrees, heights with three decimals (what Calc under a
// comma-decimal locale takes for thousands), converted to each kind; Calc imports each .csv under
// es_AR and en_US (the import's language given as the user's locale would give it) and saves it as
// .xlsx, which openpyxl reads back. Every cell that Calc made a number is the number the .csv holds;
// any other is the .csv's text as it is.
TEST(Planilla, CalcNoLeeOtroNumero) {
    TCarpetaTemporal dir;
    std::mt19937 azar(20261210);
    std::uniform_real_distribution<double> lat(-55.0, -22.0), lon(-73.0, -54.0), alt(-50.0, 5000.0);
    const auto fijo = [](double v, int decimales) {
        char t[64];
        return std::string(t, std::to_chars(t, t + sizeof t, v, std::chars_format::fixed, decimales).ptr);
    };
    std::string entrada;
    for (int i = 0; i < 300; ++i)
        // Heights in whole millimetres: many have exactly three decimals.
        entrada += "P" + std::to_string(i) + "," + fijo(lat(azar), 9) + "," + fijo(lon(azar), 9) + "," +
                   fijo(alt(azar), 3) + "\n";
    EscribirArchivo(dir / "in.txt", entrada);
    const struct {
        const char *nombre, *args;
    } kDestinos[] = {{"gk", "-t gk"},
                     {"utm", "-t utm"},
                     {"gk inchauspe", "-t gk --to-frame inchauspe"},
                     {"geo inchauspe", "-t geo --to-frame inchauspe"}};
    const struct {
        const char *locale;
        int idioma;  // LibreOffice's language of the CSV import: es-AR, en-US
    } kLocales[] = {{"es_AR.UTF-8", 11274}, {"en_US.UTF-8", 1033}};
    for (const auto &d : kDestinos) {
        SCOPED_TRACE(d.nombre);
        const std::string csv = dir / (std::string("p-") + d.nombre + ".csv");
        const std::string orden = std::string("'") + ZUVELO_CONVERT + "' -q -f geo --decimal -c 2,3,4 " +
                                  "--name-column 1 " + d.args + " '" + dir / "in.txt" + "' '" + csv + "'";
        ASSERT_EQ(std::system(orden.c_str()), 0) << orden;
        std::vector<std::vector<std::string>> escritas;
        std::istringstream texto(LeerArchivo(csv));
        std::string linea;
        while (std::getline(texto, linea)) {
            if (!linea.empty() && linea.back() == '\r') linea.pop_back();
            escritas.push_back(Campos(linea));
        }
        ASSERT_EQ(escritas.size(), 301u);
        for (const auto &l : kLocales) {
            SCOPED_TRACE(l.locale);
            const std::string salida = dir / (std::string("calc-") + l.locale);
            const std::string calc = std::string("LC_ALL=") + l.locale + " LANG=" + l.locale + " HOME='" +
                                     dir.Ruta() + "' soffice -env:UserInstallation=file://" + dir / "perfil" +
                                     " --headless --infilter=CSV:44,34,76,1,," + std::to_string(l.idioma) +
                                     " --convert-to xlsx --outdir '" + salida + "' '" + csv + "' > '" +
                                     dir / "calc.txt" + "' 2>&1";
            ASSERT_EQ(std::system(calc.c_str()), 0) << LeerArchivo(dir / "calc.txt");
            const std::string hoja = salida + "/p-" + d.nombre + ".xlsx";
            const auto filas = LeerConOpenpyxl(hoja);
            ASSERT_EQ(filas.size(), escritas.size()) << LeerArchivo(dir / "calc.txt");
            int numeros = 0, otros = 0;
            for (std::size_t i = 1; i < filas.size(); ++i) {
                for (std::size_t k = 1; k < escritas[i].size(); ++k) {
                    const std::string &t = escritas[i][k];
                    const TCelda c = k < filas[i].size() ? filas[i][k] : TCelda{"-", "", ""};
                    if (t.empty()) {
                        EXPECT_EQ(c.tipo, "-") << "row " << i << ": " << c.valor;
                        continue;
                    }
                    double escrito = 0, leido = 0;
                    ASSERT_TRUE(Numero(t, escrito)) << t;
                    if (c.tipo == "n") {
                        ASSERT_TRUE(Numero(c.valor, leido)) << c.valor;
                        EXPECT_EQ(leido, escrito) << "row " << i << ": '" << t << "' became " << c.valor;
                        ++numeros;
                    } else {
                        EXPECT_EQ(c.tipo, "s");
                        EXPECT_EQ(c.valor, t) << "row " << i;
                        ++otros;
                    }
                }
            }
            std::printf("%s, %s: %d numbers, %d texts\n", d.nombre, l.locale, numeros, otros);
        }
    }
}

}  // namespace
