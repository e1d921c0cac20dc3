#include "schedule/method_notes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace schedule;

namespace {

bool Dice(const std::vector<std::string>& notas, std::string_view texto) {
    return std::any_of(notas.begin(), notas.end(), [texto](const std::string& nota) {
        return nota.find(texto) != std::string::npos;
    });
}

} // namespace

// The facts the notes state come from the tables that hold them: Chapter 9 Table 1's fill
// limits, the smallest size of parallel sets, the assumed terminals, location and
// insulation; the clauses are those of the edition asked for.
TEST(NotasDelMetodo, StateTheTablesFactsInTheEditionsNumbering) {
    const auto nec = NotasDelMetodo(engine::Norma::Nec2023);
    EXPECT_TRUE(Dice(nec, "Norma: NEC 2023."));
    EXPECT_TRUE(Dice(nec, "cuyo relleno no pase del 40 % con más de dos conductores, 31 % con "
                          "dos y 53 % con uno (NEC 2023 Capítulo 9, Tabla 1)"));
    EXPECT_TRUE(Dice(nec, "Conjuntos en paralelo: sólo calibres 1/0 y mayores (NEC 2023 "));
    EXPECT_TRUE(Dice(nec, "y 1/0 en paralelo."));
    EXPECT_TRUE(Dice(nec, "Supuestos: terminales de 75 °C salvo la columna terminales"));
    EXPECT_TRUE(Dice(nec, "ubicación mojada salvo la columna ubicacion"));
    EXPECT_TRUE(Dice(nec, "aislamiento THW salvo la columna aislamiento"));
    EXPECT_TRUE(Dice(nec, "150 % con rotor devanado (NEC 2023 Tabla 430.52(C)(1))"));
    const auto nom = NotasDelMetodo(engine::Norma::Nom2012);
    EXPECT_TRUE(Dice(nom, "Norma: NOM-001-SEDE-2012."));
    EXPECT_TRUE(Dice(nom, "la de NOM-001-SEDE-2012 Tabla 430-250 o NOM-001-SEDE-2012 Tabla "
                          "430-248 (NOM-001-SEDE-2012 430-6(a)(1))"));
    EXPECT_FALSE(Dice(nom, "NEC 2023"));
    EXPECT_EQ(SupuestosPorOmision(), "terminales de 75 °C; ubicación mojada; aislamiento THW");
}
