// TModoWGS: reading DMS and decimal-degree texts, SetTexto keeping precise seconds, GetDecimal,
// GetRadianes, Limpiar, and the invalid-integer error of malformed degree and minute fields.
#include <gtest/gtest.h>

#include <cmath>
#include "angulo.h"
#include "ayuda.h"
#include "numeros.h"

namespace {

struct CasoAsignar {
    const char *nombre;
    const char *texto;
    uint8_t tipo, decimal;
    int32_t grados, minutos;
    long double segundos;
    char hemisferio;
    long double radianes;  // expected GetRadianes
};

TEST(TModoWGS, Asignar) {
    const long double ba = DMS(34, 36, 12.5L);
    const CasoAsignar casos[] = {
        {"DMS completo", "34\xB0 36' 12.5\" S", 1, 0, 34, 36, 12.5L, 'S', -Rad(ba)},
        {"solo grados", "34\xB0 S", 1, 0, 34, 0, 0, 'S', -Rad(34)},
        {"sin segundos", "34\xB0 30' S", 1, 0, 34, 30, 0, 'S', -Rad(34.5L)},
        {"decimal oeste", "-34.5", 2, 1, 34, 30, 0, 'W', -Rad(34.5L)},
        {"decimal norte", "34.5", 1, 1, 34, 30, 0, 'N', Rad(34.5L)},
        {"s minuscula no es sur", "34\xB0 36' 12.5\" s", 1, 0, 34, 36, 12.5L, 's', Rad(ba)},
        {"W en latitud tambien resta", "10\xB0 0' 0\" W", 1, 0, 10, 0, 0, 'W', -Rad(10)},
        {"segundos invalidos valen 0", "34\xB0 36' abc\" S", 1, 0, 34, 36, 0, 'S', -Rad(DMS(34, 36, 0))},
        {"decimal invalido vale 0", "-3x", 1, 1, 0, 0, 0, 'S', 0},
        {"segundos con espacios de Asignar", "10\xB0 0'  1.50000\" E", 2, 0, 10, 0, 1.5L, 'E',
         Rad(DMS(10, 0, 1.5L))},
        {"sin letra", "10\xB0 0' 1\"", 2, 0, 10, 0, 1, '\0', Rad(DMS(10, 0, 1))},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        TModoWGS m;
        m.Asignar(c.texto, c.tipo, c.decimal);
        EXPECT_EQ(m.Tipo, c.tipo);
        EXPECT_EQ(m.Grados, c.grados);
        EXPECT_EQ(m.Minutos, c.minutos);
        EXPECT_LE(std::fabs(m.Segundos - c.segundos), 1e-12L);
        EXPECT_EQ(m.Hemisferio, c.hemisferio);
        EXPECT_LE(std::fabs(m.GetRadianes() - c.radianes), 1e-6L * kSegundo);
    }
}

TEST(TModoWGS, AsignarDecimalEscribeTexto) {
    TModoWGS m;
    m.Asignar("-34.5", 2, 1);
    EXPECT_EQ(m.Texto, "34\xB0 30'  0.00000\" W");
    EXPECT_EQ(m.Decimal, 34.5L);
    m.Asignar("10.000416666666667", 1, 1);  // 10 deg 0 min 1.5 s: two spaces after the minute sign
    EXPECT_EQ(m.Texto, "10\xB0 0'  1.50000\" N");
    m.Asignar("-34.6034722222222", 1, 1);
    EXPECT_EQ(m.Texto, "34\xB0 36' 12.50000\" S");
    EXPECT_EQ(m.GetTexto(), m.Texto);
    // DMS input is kept as typed.
    m.Asignar("34\xB0 36' 12.5\" S", 1, 0);
    EXPECT_EQ(m.Texto, "34\xB0 36' 12.5\" S");
}

TEST(TModoWGS, AsignarVacioConservaCampos) {
    TModoWGS m;
    m.Asignar("34\xB0 36' 12.5\" S", 1, 0);
    m.Asignar("", 2, 0);
    EXPECT_EQ(m.Tipo, 2);
    EXPECT_EQ(m.Texto, "");
    EXPECT_EQ(m.Decimal, 0);
    EXPECT_EQ(m.Grados, 34);
    EXPECT_EQ(m.Minutos, 36);
    EXPECT_EQ(m.Hemisferio, 'S');
}

TEST(TModoWGS, CamposNoEnterosLanzanError) {
    struct Caso {
        const char *texto, *campo;
    };
    const Caso casos[] = {
        {"x\xB0 36' 12.5\" S", "x"},     {"34\xB0 y' 12.5\" S", "y"},  {"34 S", ""},
        {"3 4\xB0 36' 12.5\" S", "3 4"}, {"34\xB0 3.5' 1\" S", "3.5"}, {"\xB0", ""},
    };
    for (const auto &c : casos) {
        TModoWGS m;
        try {
            m.Asignar(c.texto, 1, 0);
            ADD_FAILURE() << "acepto " << c.texto;
        } catch (const EEnteroInvalido &e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(c.campo) + "' is not a valid integer value");
            EXPECT_EQ(m.Texto, c.texto);
        }
        EXPECT_THROW(m.SetTexto(c.texto), EEnteroInvalido);
    }
}

TEST(TModoWGS, SetTextoConservaSegundosPrecisos) {
    TModoWGS m;
    m.Asignar("-34.603472222222222", 1, 1);  // 12.49999999... seconds, shown as 12.50000
    const long double segundos = m.Segundos;
    const long double decimal = m.Decimal;
    ASSERT_NE(segundos, 12.5L);
    m.SetTexto(m.Texto);  // opened for editing and left unchanged
    EXPECT_EQ(m.Segundos, segundos);
    EXPECT_EQ(m.Decimal, decimal);
    m.SetTexto("35\xB0 36' 12.50000\" S");  // only the degrees changed
    EXPECT_EQ(m.Grados, 35);
    EXPECT_EQ(m.Segundos, segundos);
    m.SetTexto("35\xB0 36' 12.6\" N");  // seconds edited: read from the text
    EXPECT_EQ(m.Segundos, 12.6L);
    EXPECT_EQ(m.Hemisferio, 'N');
    EXPECT_EQ(m.Decimal, (12.6L / 60 + 36) / 60 + 35);
    m.SetTexto("35\xB0 36' N");  // no seconds
    EXPECT_EQ(m.Segundos, 0);
    EXPECT_EQ(m.Hemisferio, 'N');
    EXPECT_EQ(m.Texto, "35\xB0 36' N");
}

TEST(TModoWGS, GetDecimal) {
    const std::pair<const char *, const char *> casos[] = {
        {"34\xB0 30' 0\" S", "-34.5000000000000"}, {"5\xB0 30' 0\" S", "- 5.5000000000000"},
        {"5\xB0 30' 0\" N", " 5.5000000000000"},   {"58\xB0 22' 54\" W", "-58.3816666666667"},
        {"100\xB0 0' 0\" E", "100.0000000000000"},
    };
    for (const auto &c : casos) {
        TModoWGS m;
        m.Asignar(c.first, 1, 0);
        EXPECT_EQ(m.GetDecimal(), c.second) << c.first;
    }
}

TEST(TModoWGS, LimpiarDejaTextoYMinutos) {
    TModoWGS m;
    m.Asignar("34\xB0 36' 12.5\" S", 1, 0);
    m.Limpiar();
    EXPECT_EQ(m.Tipo, 0);
    EXPECT_EQ(m.Grados, 0);
    EXPECT_EQ(m.Hemisferio, '\0');
    EXPECT_EQ(m.Decimal, 0);
    EXPECT_EQ(m.Texto, "34\xB0 36' 12.5\" S");
    EXPECT_EQ(m.Minutos, 36);
    EXPECT_EQ(m.Segundos, 12.5L);
}

TEST(TModoWGS, ObjetoCompartidoEmpiezaVacio) {
    // Tests that run before this one only convert (or clear ModoWGS after use): it is still as the
    // unit created it, apart from Texto, Minutos and Segundos, which Limpiar leaves.
    EXPECT_EQ(ModoWGS.Tipo, 0);
    EXPECT_EQ(ModoWGS.Grados, 0);
    EXPECT_EQ(ModoWGS.Hemisferio, '\0');
    EXPECT_EQ(ModoWGS.Decimal, 0);
}

}  // namespace
