// The whole feeder on cases checked by hand from Table 250.122 and Chapter 9 Tables 1, 4, 5
// and 8: the grounding conductor, the neutral, and the conduit of each set with its fill.
#include "engine/feeder_set.h"
#include "engine/raceways.h"
#include "engine/sizing.h"
#include "tests/engine/tablas_de_prueba.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// A short three-phase copper feeder at 480 V in THW, so that the drop never decides.
Alimentador Corto(const char* corriente, const char* ducto = "Acero") {
    Alimentador a;
    a.corriente = *Decimal::Leer(corriente);
    a.continua = Decimal(0);
    a.longitud = 1;
    a.voltaje = 480;
    a.factorPotencia = 0.9;
    a.ducto = IndiceDucto(ducto);
    return a;
}

Alimentador Continua(const char* corriente, const char* ducto = "Acero") {
    Alimentador a = Corto(corriente, ducto);
    a.continua = Decimal(100);
    return a;
}

std::string Texto(const Dimensionado& d) {
    std::string todo;
    for (const std::string& o : d.observaciones) {
        todo += o + "\n";
    }
    return todo;
}

// The line of a sized feeder, or its messages.
std::string Linea(const Alimentador& a) {
    const Dimensionado d = Dimensionar(a, Tablas(), {",", ""});
    if (!d.calculado || !d.conjunto) {
        return "error: " + Texto(d);
    }
    return Especificacion(a.sistema, *d.elegido, *d.conjunto) + " al " +
           std::to_string(d.conjunto->RellenoDecimas()) + "‰";
}

std::size_t Tam(std::string_view comercial) {
    for (std::size_t i = 0; i < TamanosTubo.size(); ++i) {
        if (TamanosTubo[i].comercial == comercial) {
            return i;
        }
    }
    return TamanosTubo.size();
}

} // namespace

TEST(ConjuntoAlimentador, TheHandCheckedCases) {
    // 204 A continuous: 250 kcmil, a 300 A device, and a 4 AWG grounding conductor; four
    // 250 THW and one 4 THW fill RMC 2-1/2 to 39.8 % and PVC-40 3 to 26.6 %.
    EXPECT_EQ(Linea(Continua("204")), "3-250 + 1-250 N + 1-4 T, RMC 2-1/2 (63) al 398‰");
    EXPECT_EQ(Linea(Continua("204", "PVC")), "3-250 + 1-250 N + 1-4 T, PVC-40 3 (78) al 266‰");
    // 350 kcmil given: 41 740 × 350 000 / 250 000 = 58 436 cmil, so 2 AWG (66 360).
    Alimentador mayor = Continua("204");
    mayor.calibre = IndiceCalibre("350");
    EXPECT_EQ(Linea(mayor).substr(0, 24), "3-350 + 1-350 N + 1-2 T,");
    // 200 A in three sets of 1/0: each raceway RMC 2 at 28.2 % with its own 6 AWG.
    Alimentador juegos = Corto("200");
    juegos.juegos = 3;
    EXPECT_EQ(Linea(juegos), "3 × (3-1/0 + 1-1/0 N + 1-6 T), 3 RMC 2 (53) al 282‰");
}

// Sixteen 12 AWG THHN fit a 3/4 EMT (0.2128 ≤ 0.2132 in²); seventeen do not. One and two
// conductors may fill 53 and 31 %.
TEST(ConjuntoAlimentador, TheFillIsExactAtItsBoundary) {
    const auto thhn12 = AreasAislados[IndiceCalibre("12")].area[1];
    const int emt34 = Tubos[IndiceTubo("EMT")].area[Tam("3/4")];
    EXPECT_TRUE(Cabe(16 * thhn12, 16, emt34));
    EXPECT_FALSE(Cabe(17 * thhn12, 17, emt34));
    EXPECT_TRUE(Cabe(2132, 3, 533)); // exactly 40 %
    EXPECT_FALSE(Cabe(2133, 3, 533));
    EXPECT_TRUE(Cabe(2824, 1, 533)); // 53 % of 0.533 is 0.28249
    EXPECT_FALSE(Cabe(2825, 1, 533));
    EXPECT_TRUE(Cabe(1652, 2, 533)); // 31 % is 0.16523
    EXPECT_FALSE(Cabe(1653, 2, 533));
}

// 250.122(B) at a step of Table 8: 45 A single-phase over 60 m needs 4 AWG for the drop where
// 6 carries it, so the 10 AWG of a 60 A device grows to 10 380 × 41 740 / 26 240 =
// 16 511.5 cmil: 8 AWG (16 510) falls 1.5 cmil short, and 6 is taken.
TEST(ConjuntoAlimentador, TheIncreaseAtAStepOfTableEight) {
    Alimentador a = Continua("45", "PVC");
    a.sistema = Sistema::Monofasico;
    a.voltaje = 220;
    a.longitud = 60;
    a.neutro = true;
    EXPECT_EQ(Linea(a), "2-4 + 1-4 N + 1-6 T, PVC-40 1-1/4 (35) al 251‰");
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(std::string(Calibres[*d.porAmpacidad].nombre), "6");
    EXPECT_NE(Texto(d).find("16 512 cmil"), std::string::npos) << Texto(d);
}

// A device on a row of Table 250.122 takes that row; one past it takes the next. The load
// is small, so the phases are those the device protects.
TEST(ConjuntoAlimentador, EachStepOfTheGroundingTable) {
    const struct {
        const char* proteccion;
        Material material;
        const char* tierra;
    } casos[] = {
        {"60", Material::Cobre, "10"},    {"70", Material::Cobre, "8"},
        {"100", Material::Cobre, "8"},    {"110", Material::Cobre, "6"},
        {"100", Material::Aluminio, "6"}, {"200", Material::Aluminio, "4"},
    };
    for (const auto& c : casos) {
        Alimentador a = Corto("10");
        a.material = c.material;
        a.proteccion = *Decimal::Leer(c.proteccion);
        const Dimensionado d = Dimensionar(a, Tablas());
        ASSERT_TRUE(d.conjunto) << c.proteccion << Texto(d);
        EXPECT_EQ(std::string(Calibres[d.conjunto->tierra].nombre), c.tierra) << c.proteccion;
    }
}

// 250.122(A): never larger than the phases; a size the list lacks takes the next one up,
// and aluminium at 5000 A is past the list.
TEST(ConjuntoAlimentador, TheGroundingConductorsLimits) {
    Alimentador pequeno = Corto("10");
    pequeno.proteccion = Decimal(60);
    pequeno.calibre = IndiceCalibre("14");
    pequeno.material = Material::Cobre;
    const Dimensionado p = Dimensionar(pequeno, Tablas());
    ASSERT_TRUE(p.conjunto) << Texto(p);
    EXPECT_EQ(std::string(Calibres[p.conjunto->tierra].nombre), "14");

    Alimentador grande = Corto("5000");
    grande.juegos = 10;
    const Dimensionado g = Dimensionar(grande, Tablas());
    ASSERT_TRUE(g.conjunto) << Texto(g);
    EXPECT_EQ(std::string(Calibres[g.conjunto->tierra].nombre), "750");
    EXPECT_NE(Texto(g).find("700 kcmil"), std::string::npos);

    Alimentador aluminio = Corto("4400");
    aluminio.material = Material::Aluminio;
    aluminio.juegos = 10;
    aluminio.calibre = IndiceCalibre("1000");
    aluminio.proteccion = Decimal(5000);
    const Dimensionado al = Dimensionar(aluminio, Tablas());
    EXPECT_FALSE(al.calculado);
    EXPECT_EQ(al.invalido, Dato::Proteccion);
    EXPECT_NE(Texto(al).find("1250"), std::string::npos);
}

TEST(ConjuntoAlimentador, TheNeutral) {
    // Single-phase two-wire has none; three-wire and three-phase carry one.
    Alimentador mono = Corto("40", "PVC");
    mono.sistema = Sistema::Monofasico;
    mono.voltaje = 240;
    EXPECT_EQ(Linea(mono).substr(0, 14), "2-8 + 1-10 T, ");
    mono.neutro = true;
    EXPECT_EQ(Linea(mono).substr(0, 20), "2-8 + 1-8 N + 1-10 T");
    // A given neutral under the grounding conductor of Table 250.122 is refused.
    Alimentador dado = Continua("204");
    dado.calibreNeutro = IndiceCalibre("6");
    const Dimensionado d = Dimensionar(dado, Tablas());
    EXPECT_FALSE(d.calculado);
    EXPECT_EQ(d.invalido, Dato::CalibreNeutro);
    EXPECT_NE(Texto(d).find("mínimo, 4"), std::string::npos) << Texto(d);
    dado.calibreNeutro = IndiceCalibre("4");
    EXPECT_EQ(Linea(dado).substr(0, 22), "3-250 + 1-4 N + 1-4 T,");
    // In parallel sets, 1/0 at least.
    Alimentador juegos = Corto("200");
    juegos.juegos = 3;
    juegos.calibreNeutro = IndiceCalibre("2");
    EXPECT_EQ(Dimensionar(juegos, Tablas()).invalido, Dato::CalibreNeutro);
}

// A neutral that carries current counts with the phases: four conductors take 80 %.
TEST(ConjuntoAlimentador, ACurrentCarryingNeutralCounts) {
    Alimentador a = Corto("100");
    a.neutroPortador = true;
    const Dimensionado d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.ampacidad);
    EXPECT_EQ(d.ampacidad->conductoresDucto, 4);
    a.neutro = false; // without a neutral the flag says nothing
    EXPECT_EQ(Dimensionar(a, Tablas()).ampacidad->conductoresDucto, 3);
}

TEST(ConjuntoAlimentador, TheConduitTypeAndSize) {
    Alimentador emt = Continua("204", "PVC");
    emt.tubo = IndiceTubo("EMT");
    const Dimensionado d = Dimensionar(emt, Tablas());
    EXPECT_EQ(d.invalido, Dato::Tubo);
    // A given size that is too small is a remark with its fill.
    Alimentador dado = Continua("204");
    dado.tamanoTubo = Tam("2");
    const Dimensionado lleno = Dimensionar(dado, Tablas());
    ASSERT_TRUE(lleno.calculado) << Texto(lleno);
    EXPECT_NE(Texto(lleno).find("RMC 2 (53) queda lleno al 56.8 %"), std::string::npos)
        << Texto(lleno);
    // EMT has no trade size 5.
    dado.tubo = IndiceTubo("EMT");
    dado.tamanoTubo = Tam("5");
    EXPECT_EQ(Dimensionar(dado, Tablas()).invalido, Dato::TamanoTubo);
    // Nothing of EMT holds four 1000 kcmil: more sets.
    Alimentador enorme = Corto("500");
    enorme.calibre = IndiceCalibre("1000");
    enorme.tubo = IndiceTubo("EMT");
    const Dimensionado sin = Dimensionar(enorme, Tablas());
    EXPECT_EQ(sin.invalido, Dato::Tubo);
    EXPECT_NE(Texto(sin).find("más conjuntos"), std::string::npos);
}
