#include "engine/code_editions.h"

#include <gtest/gtest.h>

using engine::Cita;
using engine::Clausula;
using engine::Norma;

namespace {

struct Citado {
    Clausula clausula;
    const char* nec2020;
    const char* nec2023;
    const char* nom2012;
};

// Every clause the notes and the record cite, as each edition's text numbers it. The 2023
// edition split 215.2: (A)(1)(a) is (A)(1), (A)(1)(b) is (A)(2) with the voltage drop's
// Informational Note No. 2, and the grounded conductor's (A)(2) is (B). The NOM numbers
// as the NEC 2011 did, with hyphens and lower-case letters: its 215-2(a)(1) holds the
// corrected ampacity's rule and its "Nota 2", its 215-2(a)(2) the grounded conductor, and
// it writes the items of 110-14(c)(1) as "a." to "d.".
constexpr Citado Citas[] = {
    {Clausula::CargaContinua, "215.2(A)(1)(a)", "215.2(A)(1)", "215-2(a)(1)"},
    {Clausula::AmpacidadCorregida, "215.2(A)(1)(b)", "215.2(A)(2)", "215-2(a)(1)"},
    {Clausula::Dispositivo100, "215.2(A)(1)(a) Excepción 1", "215.2(A)(1) Excepción 1",
     "215-2(a)(1) Excepción"},
    {Clausula::ProteccionAlimentador, "215.3", "215.3", "215-3"},
    {Clausula::RatingsEstandar, "240.6(A)", "240.6(A)", "240-6(a)"},
    {Clausula::ConductorProtegido, "240.4", "240.4", "240-4"},
    {Clausula::SiguienteMayor, "240.4(B)", "240.4(B)", "240-4(b)"},
    {Clausula::Mayor800, "240.4(C)", "240.4(C)", "240-4(c)"},
    {Clausula::ConductoresPequenos, "240.4(D)", "240.4(D)", "240-4(d)"},
    {Clausula::Terminales, "110.14(C)", "110.14(C)", "110-14(c)"},
    {Clausula::TerminalesPequenos, "110.14(C)(1)(a)", "110.14(C)(1)(a)", "110-14(c)(1) inciso a"},
    {Clausula::TablaAmpacidad, "Tabla 310.16", "Tabla 310.16", "Tabla 310-15(b)(16)"},
    {Clausula::TablaTemperatura, "Tabla 310.15(B)(1)", "Tabla 310.15(B)(1)(1)",
     "Tabla 310-15(b)(2)(a)"},
    {Clausula::TablaAgrupamiento, "Tabla 310.15(C)(1)", "Tabla 310.15(C)(1)",
     "Tabla 310-15(b)(3)(a)"},
    {Clausula::Paralelo, "310.10(G)", "310.10(G)", "310-10(h)"},
    {Clausula::TablaImpedancias, "Capítulo 9, Tabla 9", "Capítulo 9, Tabla 9",
     "Capítulo 10, Tabla 9"},
    {Clausula::TablaTierra, "Tabla 250.122", "Tabla 250.122", "Tabla 250-122"},
    {Clausula::TierraNoMayor, "250.122(A)", "250.122(A)", "250-122(a)"},
    {Clausula::TierraProporcional, "250.122(B)", "250.122(B)", "250-122(b)"},
    {Clausula::TierraParalelo, "250.122(F)", "250.122(F)", "250-122(f)"},
    {Clausula::NeutroMinimo, "215.2(A)(2)", "215.2(B)", "215-2(a)(2)"},
    {Clausula::NeutroPortador, "310.15(E)", "310.15(E)", "310-15(b)(5)"},
    {Clausula::MismoTubo, "300.3(B)(1)", "300.3(B)(1)", "300-3(b)(1)"},
    {Clausula::TablaRelleno, "Capítulo 9, Tabla 1", "Capítulo 9, Tabla 1", "Capítulo 10, Tabla 1"},
    {Clausula::TablaTubos, "Capítulo 9, Tabla 4", "Capítulo 9, Tabla 4", "Capítulo 10, Tabla 4"},
    {Clausula::TablaAreas, "Capítulo 9, Tabla 5", "Capítulo 9, Tabla 5", "Capítulo 10, Tabla 5"},
    {Clausula::TablaSecciones, "Capítulo 9, Tabla 8", "Capítulo 9, Tabla 8",
     "Capítulo 10, Tabla 8"},
    {Clausula::NotaRegulacion, "215.2(A)(1) Nota informativa 2", "215.2(A)(2) Nota informativa 2",
     "215-2(a)(1) Nota 2"},
    {Clausula::CapacidadInterruptiva, "110.9", "110.9", "110-9"},
    {Clausula::ProteccionComponentes, "110.10", "110.10", "110-10"},
    {Clausula::CorrienteDeTabla, "430.6(A)(1)", "430.6(A)(1)", "430-6(a)(1)"},
    {Clausula::TablaMotoresTrifasicos, "Tabla 430.250", "Tabla 430.250", "Tabla 430-250"},
    {Clausula::TablaMotoresMonofasicos, "Tabla 430.248", "Tabla 430.248", "Tabla 430-248"},
    {Clausula::ConductoresMotor, "430.22", "430.22", "430-22"},
    {Clausula::TablaProteccionMotor, "Tabla 430.52", "Tabla 430.52(C)(1)", "Tabla 430-52"},
    {Clausula::ProteccionMotor, "430.52", "430.52", "430-52"},
    {Clausula::MotorSiguienteMayor, "430.52(C)(1) Excepción 1", "430.52(C)(1)(a)",
     "430-52(c)(1) Excepción 1"},
    {Clausula::MotorArranque, "430.52(C)(1) Excepción 2", "430.52(C)(1)(b)",
     "430-52(c)(1) Excepción 2"},
    {Clausula::MotorConductorProtegido, "240.4(G)", "240.4(G)", "240-4(g)"},
    {Clausula::SobrecargaMotor, "430.32(A)(1)", "430.32(A)(1)", "430-32(a)(1)"},
    {Clausula::DesconectadorMotor, "430.110(A)", "430.110(A)", "430-110(a)"},
    {Clausula::TierraMotor, "250.122(D)(1)", "250.122(D)(1)", "250-122(d)(1)"},
};

} // namespace

TEST(Cita, EveryClauseInEveryEdition) {
    std::size_t clausulas = 0;
#define CLAUSULA(clave, nec2020, nec2023, nom2012, leida) ++clausulas;
#include "data/normas.def"
#undef CLAUSULA
    ASSERT_EQ(std::size(Citas), clausulas) << "a clause of the table has no expected cite";
    for (const Citado& c : Citas) {
        const auto i = static_cast<int>(c.clausula);
        EXPECT_EQ(Cita(c.clausula, Norma::Nec2020), c.nec2020) << i;
        EXPECT_EQ(Cita(c.clausula, Norma::Nec2023), c.nec2023) << i;
        EXPECT_EQ(Cita(c.clausula, Norma::Nom2012), c.nom2012) << i;
    }
}

TEST(NormaDe, ReadsAnEditionWhateverItsCaseAndSpaces) {
    EXPECT_EQ(engine::NormaDe("nec2023"), Norma::Nec2023);
    EXPECT_EQ(engine::NormaDe(" NOM-001-SEDE-2012 "), Norma::Nom2012);
    EXPECT_EQ(engine::NormaDe("NEC 2017"), std::nullopt);
}
