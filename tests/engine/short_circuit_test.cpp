#include "engine/short_circuit.h"

#include <gtest/gtest.h>

using engine::Racional;

namespace {

Racional R(const char* texto) {
    const auto r = Racional::Leer(texto);
    EXPECT_TRUE(r) << texto;
    return r.value_or(Racional());
}

} // namespace

// The fuse maker's first worked example: a 3000 kVA, 600 V transformer of 7.5 %Z, taken
// without the tolerance, on an infinite bus. I_FLA = 3,000,000 / (600 · 1.732) =
// 2,886.836 A; I = 2,886.836 · 100 / 7.5 = 38,491.15 A. Then 903 ft of three sets of 500
// kcmil copper in non-magnetic conduit (C = 26,706): f = 1.732 · 903 · 38,491.15 /
// (3 · 26,706 · 600) = 1.2523, M = 0.4440, 17,089.56 A at the end.
TEST(CortoCircuito, ElPrimerEjemploPublicadoAlAmper) {
    const engine::Transformador t{R("3000"), R("7.5"), true};
    const auto paso = engine::Secundario(t, R("600"), false, std::nullopt);
    EXPECT_EQ(paso.corriente.Texto(2), "38491.15");
    EXPECT_FALSE(paso.f);
    const auto c = engine::ValorC(engine::Material::Cobre, false, engine::IndiceCalibre("500"));
    ASSERT_TRUE(c);
    EXPECT_EQ(*c, 26706);
    const auto tramo = engine::PorConductor(paso.corriente, *c, R("903"), R("3"), R("600"), true);
    EXPECT_EQ(tramo.f.Texto(4), "1.2523");
    EXPECT_EQ(tramo.m.Texto(4), "0.4440");
    EXPECT_EQ(tramo.fin.Texto(2), "17089.56");
}

// The second: 300 kVA, 208 V, 2 %Z with the tolerance, 1.8 %: I_FLA = 300,000 / (208 ·
// 1.732) = 832.74 A, I = 832.74 · 100 / 1.8 = 46,263.40 A (the booklet's 46,273 A is
// from its rounded 833 A × 55.55). Then 20 ft of two sets of 500 kcmil copper in steel
// (C = 22,185): f = 1.732 · 20 · 46,263.40 / (2 · 22,185 · 208) = 0.174, M = 0.852,
// 39,418.56 A (the booklet's 39,425 A is from its rounded start).
TEST(CortoCircuito, ElSegundoConLaTolerancia) {
    const engine::Transformador t{R("300"), R("2"), true};
    const auto paso = engine::Secundario(t, R("208"), true, std::nullopt);
    EXPECT_EQ(paso.zUsada.Texto(1), "1.8");
    EXPECT_EQ(paso.nominal.Texto(2), "832.74");
    EXPECT_EQ(paso.corriente.Texto(2), "46263.40");
    const auto c = engine::ValorC(engine::Material::Cobre, true, engine::IndiceCalibre("500"));
    ASSERT_TRUE(c);
    const auto tramo = engine::PorConductor(paso.corriente, *c, R("20"), R("2"), R("208"), true);
    EXPECT_EQ(tramo.f.Texto(3), "0.174");
    EXPECT_EQ(tramo.m.Texto(3), "0.852");
    EXPECT_EQ(tramo.fin.Texto(2), "39418.56");
}

// A finite utility: 20,918.80 A available at 13,800 V, through a 1000 kVA, 5.75 %Z
// transformer to 480 V without the tolerance: f = 20,918.80 · 13,800 · 1.732 · 5.75 /
// (100,000 · 1000) = 28.7496, M = 1 / 29.7496 = 0.0336, I = (13,800 / 480) · 0.033614 ·
// 20,918.80 = 20,215.9 A, below the 20,919.1 A of an infinite bus (1,000,000 / (480 ·
// 1.732) = 1,202.85 A, · 100 / 5.75).
TEST(CortoCircuito, UnaRedFinitaBajaLaCorriente) {
    const engine::Transformador t{R("1000"), R("5.75"), true};
    const auto infinita = engine::Secundario(t, R("480"), false, std::nullopt);
    EXPECT_EQ(infinita.corriente.Texto(1), "20919.1");
    const auto finita =
        engine::Secundario(t, R("480"), false, engine::Primario{R("20918.80"), R("13800")});
    ASSERT_TRUE(finita.f && finita.m);
    EXPECT_EQ(finita.f->Texto(2), "28.75");
    EXPECT_EQ(finita.m->Texto(4), "0.0336");
    EXPECT_EQ(finita.corriente.Texto(1), "20215.9");
}

// A single-phase transformer and a single-phase feeder use no 1.732: 50 kVA, 240 V, 2 %Z
// without the tolerance is 208.33 A · 100 / 2 = 10,416.67 A; 100 ft of one set in steel
// with C = 5,907: f = 2 · 100 · 10,416.67 / (5,907 · 240) = 1.4695, and 10,416.67 / 2.4695 =
// 4,218.06 A.
TEST(CortoCircuito, MonofasicoSinRaizDeTres) {
    const engine::Transformador t{R("50"), R("2"), false};
    const auto paso = engine::Secundario(t, R("240"), false, std::nullopt);
    EXPECT_EQ(paso.corriente.Texto(2), "10416.67");
    const auto tramo =
        engine::PorConductor(paso.corriente, 5907, R("100"), R("1"), R("240"), false);
    EXPECT_EQ(tramo.f.Texto(4), "1.4695");
    EXPECT_EQ(tramo.fin.Texto(2), "4218.06");
}

// 110.9: a rating equal to the current passes; a thousandth of an ampere more asks for the
// next. Above 200 kA no standard rating is proposed.
TEST(CortoCircuito, LaCapacidadIgualALaCorrienteBasta) {
    EXPECT_EQ(engine::CapacidadPropuesta(R("22000")), 22);
    EXPECT_EQ(engine::CapacidadPropuesta(R("22000.001")), 25);
    EXPECT_EQ(engine::CapacidadPropuesta(R("9000")), 10);
    EXPECT_EQ(engine::CapacidadPropuesta(R("200000")), 200);
    EXPECT_FALSE(engine::CapacidadPropuesta(R("200000.01")));
    EXPECT_FALSE(engine::ValorC(engine::Material::Aluminio, true, engine::IndiceCalibre("500")));
}

// The chain down a deep tree outgrows 128 bits and stays exact: 1/3 · 3 is 1 after forty
// products of 10^18, and half up rounds a true half up and a hair under it down.
TEST(Exacto, NoSeDesbordaNiRedondeaEnBinario) {
    Racional x(1, 3);
    for (int i = 0; i < 40; ++i) {
        x = x * Racional(1000000000000000000ULL);
    }
    for (int i = 0; i < 40; ++i) {
        x = x / Racional(1000000000000000000ULL);
    }
    EXPECT_EQ(x * Racional(3), Racional(1));
    // A product of more than sixteen digits of 2^32 that shrinks back below them.
    const Racional grande = Racional(1ULL << 63) * Racional(1ULL << 63) * Racional(1ULL << 63) *
                            Racional(1ULL << 63) * Racional(1ULL << 63) * Racional(1ULL << 63) *
                            Racional(1ULL << 63) * Racional(1ULL << 63) * Racional(1ULL << 63);
    EXPECT_EQ((grande * Racional(7) / grande).Texto(0), "7");
    EXPECT_EQ(R("0.125").Texto(2), "0.13");
    EXPECT_EQ(R("0.12499999999").Texto(2), "0.12");
    EXPECT_EQ(R("0.005").Texto(2), "0.01");
    EXPECT_EQ(R("7").Texto(2), "7.00");
    // A quotient past a double's exact integers, and one a hair under a whole number.
    EXPECT_EQ(R("123456789012345678").Texto(0), "123456789012345678");
    EXPECT_EQ((Racional(999999999999999999ULL) / Racional(1000000000000000000ULL)).Texto(17),
              "1.00000000000000000");
    EXPECT_EQ((Racional(2) / Racional(3)).Texto(15), "0.666666666666667");
    EXPECT_EQ(engine::Pies(R("0.3048")).Texto(0), "1");
    EXPECT_FALSE(Racional::Leer("-1"));
    EXPECT_FALSE(Racional::Leer("1.2.3"));
    EXPECT_FALSE(Racional::Leer(""));
}
