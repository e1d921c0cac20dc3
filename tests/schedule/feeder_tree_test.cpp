// The tree of feeders: totals added from the service, started again at a transformer, and
// the errors of names that lead nowhere or round in a loop.
#include "schedule/feeder_tree.h"

#include "schedule/columns.h"

#include <gtest/gtest.h>

using namespace schedule;

namespace {

Nodo N(const char* circuito, const char* desde, double regulacion, bool transformador = false) {
    return {circuito, desde, transformador, regulacion, nullptr, nullptr};
}

const engine::Separadores Coma{",", ""};

} // namespace

// A 3-level path passes 5 % only at its leaf: 1.2 + 2.9 + 1.3 = 5.4. The sum is of the
// unrounded regulations, and exactly 5 does not pass.
TEST(Arbol, TheTotalAddsUpFromTheService) {
    const auto a = Arbol({N("AL-7", "al-3 ", 1.3), N("AL-1", "", 1.2), N(" AL-3", "AL-1", 2.9),
                          N("AL-8", "AL-3", 0.9)},
                         5, Coma);
    ASSERT_TRUE(a[0].total && a[1].total && a[2].total && a[3].total);
    EXPECT_DOUBLE_EQ(*a[1].total, 1.2);
    EXPECT_DOUBLE_EQ(*a[2].total, 4.1);
    EXPECT_DOUBLE_EQ(*a[0].total, 1.2 + 2.9 + 1.3);
    EXPECT_EQ(a[0].nota, "AL-1 (1,20 %) → AL-3 (2,90 %) → AL-7 (1,30 %): 5,40 % > 5 %");
    EXPECT_FALSE(a[1].nota || a[2].nota);
    EXPECT_DOUBLE_EQ(*a[3].total, 5); // 1.2 + 2.9 + 0.9 is 5 in binary too
    EXPECT_FALSE(a[3].nota);
    for (const EnArbol& e : a) {
        EXPECT_FALSE(e.error);
    }
}

// The note gives the table's two decimals: 2.534 + 2.536 = 5.07 is "5,07" in the cell and in
// the note. Before, the note said "5,1 % > 5 %" beside a cell "5,07".
TEST(Arbol, TheNoteAndTheCellShowTheSameDigits) {
    std::vector<Celda> celdas(ColumnasResultado.size());
    const auto a = Arbol({N("TG", "", 2.534), N("TB", "TG", 2.536)}, 5, Coma);
    AplicarArbol(celdas, a[1], Coma);
    EXPECT_EQ(celdas[Indice(ColumnaResultado::RegulacionTotal)].texto, "5,07");
    EXPECT_EQ(a[1].nota, "TG (2,53 %) → TB (2,54 %): 5,07 % > 5 %");
}

// Below a transformer's secondary the sum starts again, even under a feeder in error.
TEST(Arbol, ATransformerStartsTheSumAgain) {
    const auto a =
        Arbol({N("P", "", 4), N("T", "P", 0.5, true), N("S", "T", 1),
               Nodo{"M", "", false, std::nullopt, nullptr, nullptr}, N("T2", "M", 2, true)},
              5, Coma);
    EXPECT_DOUBLE_EQ(*a[1].total, 0.5);
    EXPECT_DOUBLE_EQ(*a[2].total, 1.5);
    EXPECT_DOUBLE_EQ(*a[4].total, 2);
    EXPECT_FALSE(a[3].total);
}

TEST(Arbol, NamesThatLeadNowhereAndLoops) {
    const auto a = Arbol({N("A", "B", 1), N("B", "A", 1), N("C", "B", 1), N("D", "nadie", 1),
                          N("E", "D", 1), N("F", "F", 1), N("G", "G2", 1), N("G2", "", 1),
                          N("G2", "", 1), N("H", "C", 1, true)},
                         5, Coma);
    // Each feeder of a loop is in error, and the message names the loop.
    ASSERT_TRUE(a[0].error && a[1].error);
    EXPECT_NE(a[0].error->find("«A» → «B» → «A»"), std::string::npos) << *a[0].error;
    EXPECT_EQ(a[0].error, a[1].error);
    EXPECT_NE(a[5].error->find("«F» → «F»"), std::string::npos);
    // Below the loop: no total and a remark, not an error; a transformer starts again.
    EXPECT_FALSE(a[2].error || a[2].total);
    EXPECT_EQ(a[2].nota, "Sin regulación total: el alimentador «B» de arriba tiene un error.");
    EXPECT_DOUBLE_EQ(*a[9].total, 1);
    // An unknown name is an error of its row; the row below has no total, and says why.
    EXPECT_NE(a[3].error->find("«nadie»"), std::string::npos);
    EXPECT_FALSE(a[4].error || a[4].total);
    EXPECT_NE(a[4].nota->find("«D»"), std::string::npos);
    // A name two rows share: the row naming it is in error, the two are not.
    EXPECT_NE(a[6].error->find("más de una fila"), std::string::npos);
    EXPECT_FALSE(a[7].error || a[8].error);
}

// A long chain is walked without recursion, each feeder once.
TEST(Arbol, ADeepChain) {
    std::vector<Nodo> nodos;
    for (int i = 0; i < 100000; ++i) {
        nodos.push_back(
            {std::to_string(i), i == 0 ? "" : std::to_string(i - 1), false, 0.5, nullptr, nullptr});
    }
    const auto a = Arbol(nodos, 1e9, Coma);
    EXPECT_DOUBLE_EQ(*a.back().total, 50000);
}

// The motors' term takes the motor rows fed from the service with no transformer between,
// whatever the case of the names upstream: M1 (14 A, under AL-1) and M2 (2.1 A, at the
// service) give 16.1 A. M3 behind the transformer T, M4 under a name no row has, M5 under a
// repeated name, M6 in a loop with AL-9, and M7, a motor row that is itself a
// transformer's, and M8, at 127 V on a 480 V service, add nothing.
TEST(MotoresDeLasFilas, OnlyThoseOnTheServicesSide) {
    const auto motor = [](const char* circuito, const char* desde, const char* amperes,
                          bool transformador = false, std::uint64_t voltaje = 480) {
        Nodo n = N(circuito, desde, 1, transformador);
        n.motor = std::make_shared<const MotorDeFila>(
            MotorDeFila{*engine::Racional::Leer(amperes), engine::Racional(voltaje), true});
        return n;
    };
    Fuente fuente;
    fuente.voltaje = engine::Racional(480);
    const std::vector<Nodo> nodos{N("AL-1", "", 1),
                                  motor("M1", "al-1 ", "14"),
                                  motor("M2", "", "2.1"),
                                  N("T", "AL-1", 1, true),
                                  motor("M3", "T", "28"),
                                  motor("M4", "AL-X", "7"),
                                  N("R", "", 1),
                                  N("r", "", 1),
                                  motor("M5", "R", "5"),
                                  N("AL-9", "M6", 1),
                                  motor("M6", "AL-9", "3"),
                                  motor("M7", "", "9", true),
                                  motor("M8", "", "9.8", false, 127)};
    EXPECT_EQ(MotoresDeLasFilas(nodos, fuente), *engine::Racional::Leer("16.1"));
    EXPECT_EQ(MotoresDeLasFilas({}, fuente), engine::Racional());
    // On a single-phase service the three-phase motors are not its.
    fuente.trifasica = false;
    EXPECT_EQ(MotoresDeLasFilas(nodos, fuente), engine::Racional());
}
