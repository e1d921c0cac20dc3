// The rules of the code for a feeder's ampacity and its overcurrent device, on cases checked
// by hand from Table 310.16, the ambient factors and the standard ratings.
#include "engine/ampacity.h"
#include "engine/sizing.h"
#include "tests/engine/tablas_de_prueba.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

Decimal D(const char* texto) {
    return *Decimal::Leer(texto);
}

// A short three-phase copper feeder at 480 V, so that the drop never decides: THW in a wet
// location, 75 °C terminals, 30 °C, three conductors; the load as the case says.
Alimentador Corto(const char* corriente) {
    Alimentador a;
    a.corriente = D(corriente);
    a.longitud = 1;
    a.voltaje = 480;
    a.factorPotencia = 0.9;
    return a;
}

Alimentador Continua(const char* corriente) {
    Alimentador a = Corto(corriente);
    a.continua = Decimal(100);
    return a;
}

Alimentador NoContinua(const char* corriente) {
    Alimentador a = Corto(corriente);
    a.continua = Decimal(0);
    return a;
}

Alimentador Thhn(Alimentador a) {
    a.aislamiento = IndiceAislamiento("THHN");
    a.mojado = false;
    return a;
}

bool Menciona(const Dimensionado& d, const std::string& texto) {
    for (const std::string& o : d.observaciones) {
        if (o.find(texto) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

// The published cases: the size by ampacity, the device, and which rule decided.
TEST(ReglasDeAmpacidad, TheHandCheckedCases) {
    Alimentador a50 = Continua("74.8");
    a50.temperaturaAmbiente = 50;
    Alimentador b50 = NoContinua("100");
    b50.temperaturaAmbiente = 50;
    Alimentador thhn40 = Thhn(Continua("80"));
    thhn40.temperaturaAmbiente = 40;
    thhn40.conductoresDucto = 6;
    // 119 A continuous and 75 A not: 194 A, of which 119 A is continuous.
    Alimentador mixta = Thhn(Corto("194"));
    mixta.corrienteContinua = D("119");
    mixta.temperaturaAmbiente = 52;
    mixta.conductoresDucto = 4;
    mixta.proteccion = Decimal(225);
    Alimentador juegos = NoContinua("1200");
    juegos.juegos = 3;
    const struct {
        const char* caso;
        Alimentador a;
        const char *calibre, *proteccion, *ampacidad;
        std::optional<Regla> regla;
    } casos[] = {
        {"65 A continuos", Continua("65"), "4", "90", "85", Regla::CargaContinua},
        {"74.8 A a 50 °C", a50, "1", "100", "97.5", Regla::Proteccion},
        {"100 A no continuos a 50 °C", b50, "1/0", "100", "112.5", Regla::Corregida},
        {"80 A THHN a 40 °C, 6 conductores", thhn40, "2", "100", "94.64", Regla::Proteccion},
        {"119 + 75 A THHN a 52 °C", mixta, "350", "225", "212.8", Regla::Proteccion},
        {"1200 A en 3 conjuntos", juegos, "600", "1200", "1260", Regla::Corregida},
        {"204 A continuos", Continua("204"), "250", "300", "255", Regla::CargaContinua},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const Dimensionado d = Dimensionar(c.a, Tablas());
        ASSERT_TRUE(d.calculado);
        EXPECT_EQ(Nombre(d.porAmpacidad), c.calibre);
        EXPECT_EQ(Nombre(d.elegido), c.calibre);
        EXPECT_EQ(TextoRige(*d.rige), "ampacidad");
        EXPECT_EQ(d.ampacidad->proteccion, D(c.proteccion));
        EXPECT_EQ(d.valores->ampacidad, D(c.ampacidad));
        EXPECT_EQ(d.ampacidad->decisiva, c.regla);
    }
}

// Each rule alone on the 119 A + 75 A case: 1.25 x 119 + 75 = 223.75 A in the 75 °C
// column is 4/0 (230 A); 194 A at 0.76 x 0.80 is 300 kcmil (194.56 A); and the 225 A
// device protects 350 kcmil (212.8 A, next rating 225) but not 300 (next rating 200).
TEST(ReglasDeAmpacidad, EachRuleOfTheMixedLoad) {
    Alimentador a = Thhn(Corto("194"));
    a.corrienteContinua = D("119");
    a.temperaturaAmbiente = 52;
    a.conductoresDucto = 4;
    a.proteccion = Decimal(225);
    const Dimensionado d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.ampacidad);
    EXPECT_EQ(d.ampacidad->requerida, D("223.75"));
    EXPECT_EQ(d.ampacidad->factores, D("0.608"));
    EXPECT_EQ(d.ampacidad->columnaTerminales, 75);
    EXPECT_EQ(d.ampacidad->columnaAislamiento, 90);
    EXPECT_EQ(AmpacidadTabla(Material::Cobre, IndiceCalibre("4/0"), 75), 230);
    const auto dado = [&](const char* calibre) {
        Alimentador conCalibre = a;
        conCalibre.calibre = IndiceCalibre(calibre);
        return Dimensionar(conCalibre, Tablas());
    };
    // 4/0 meets rule 1 only; 300 kcmil rules 1 and 2 but not the device.
    EXPECT_FALSE(Menciona(dado("4/0"), "215.2(A)(1))"));
    EXPECT_TRUE(Menciona(dado("4/0"), "215.2(A)(2)"));
    EXPECT_FALSE(Menciona(dado("300"), "215.2(A)(2)"));
    EXPECT_TRUE(Menciona(dado("300"), "240.4(B)"));
    EXPECT_FALSE(dado("350").excedeAmpacidad);
    // A device of 223.75 A is the least allowed; below it the row is refused.
    a.proteccion = D("223.75");
    EXPECT_TRUE(Dimensionar(a, Tablas()).calculado);
    a.proteccion = D("223.74");
    const Dimensionado menor = Dimensionar(a, Tablas());
    EXPECT_FALSE(menor.calculado);
    EXPECT_EQ(menor.invalido, Dato::Proteccion);
}

// Rule 4 decides the 74.8 A case: 3 AWG has 75 A (next rating 80), 2 AWG 86.25 A (90),
// 1 AWG 97.5 A (100), the first the 100 A device protects; the remark names the rule.
TEST(ReglasDeAmpacidad, TheProtectionOfTheConductorIsNamedWhenItDecides) {
    Alimentador a = Continua("74.8");
    a.temperaturaAmbiente = 50;
    a.calibre = IndiceCalibre("3");
    const Dimensionado tres = Dimensionar(a, Tablas());
    EXPECT_EQ(tres.valores->ampacidad, 75);
    EXPECT_TRUE(tres.excedeAmpacidad);
    EXPECT_TRUE(Menciona(tres, "la protección de 100 A no lo protege con su ampacidad de 75 A"));
    a.calibre = IndiceCalibre("2");
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, D("86.25"));
    a.calibre.reset();
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.observaciones,
              std::vector<std::string>{"Por ampacidad rige la protección del conductor (NEC 2023 "
                                       "240.4): el calibre 1 es el primero al que protege la "
                                       "protección de 100 A."});
}

// A given 300 A device on 250 kcmil carrying 255 A: the next rating above 255 A is 300 A
// (240.4(B)). Over 800 A the ampacity must reach the device itself (240.4(C)): 500 kcmil
// in three sets carries 1140 A, less than 1200 A.
TEST(ReglasDeAmpacidad, GivenDevicesAndSizes) {
    Alimentador a = NoContinua("255");
    a.proteccion = Decimal(300);
    a.calibre = IndiceCalibre("250");
    Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_TRUE(d.calculado);
    EXPECT_FALSE(d.excedeAmpacidad);
    EXPECT_TRUE(d.observaciones.empty());

    Alimentador juegos = NoContinua("1200");
    juegos.juegos = 3;
    juegos.calibre = IndiceCalibre("500");
    d = Dimensionar(juegos, Tablas());
    EXPECT_EQ(d.valores->ampacidad, 1140);
    EXPECT_TRUE(d.excedeAmpacidad);
    EXPECT_TRUE(Menciona(d, "la protección de 1200 A no lo protege con su ampacidad de 1140 A "
                            "(NEC 2023 240.4(C))"));
    // At the boundary: three sets of 400 kcmil carry 1005 A, which protects a 1005 A device
    // (not standard, allowed with a remark) and not one of 1005.01 A.
    juegos.corriente = Decimal(1000);
    juegos.calibre = IndiceCalibre("400");
    juegos.proteccion = Decimal(1005);
    d = Dimensionar(juegos, Tablas());
    EXPECT_FALSE(d.excedeAmpacidad);
    EXPECT_EQ(d.observaciones,
              std::vector<std::string>{"La protección de 1005 A no es un valor estándar (NEC 2023 "
                                       "240.6(A)), que se permite."});
    juegos.proteccion = D("1005.01");
    EXPECT_TRUE(Dimensionar(juegos, Tablas()).excedeAmpacidad);

    // A given 95 A device for 74 A: above the least, not standard, allowed.
    Alimentador noventa = NoContinua("74");
    noventa.proteccion = Decimal(95);
    d = Dimensionar(noventa, Tablas());
    EXPECT_TRUE(d.calculado);
    EXPECT_EQ(d.ampacidad->proteccion, 95);
    EXPECT_TRUE(Menciona(d, "La protección de 95 A no es un valor estándar"));
}

// The exact boundaries: 1.25 x 204 = 255 A is carried by 250 kcmil, 204.01 A is not; a
// minimum that is itself a standard rating is that rating; an ampacity that is a standard
// rating protects a device of that rating and no larger.
TEST(ReglasDeAmpacidad, EveryComparisonIsExactAtItsBoundary) {
    EXPECT_EQ(Nombre(Dimensionar(Continua("204"), Tablas()).porAmpacidad), "250");
    EXPECT_EQ(Nombre(Dimensionar(Continua("204.01"), Tablas()).porAmpacidad), "300");
    EXPECT_EQ(Dimensionar(Continua("80"), Tablas()).ampacidad->proteccion, 100);
    EXPECT_EQ(Dimensionar(Continua("80.01"), Tablas()).ampacidad->proteccion, 110);
    EXPECT_EQ(SiguienteEstandar(D("15")), 15);
    EXPECT_EQ(SiguienteEstandar(D("6000.01")), std::nullopt);
    // 3 AWG carries 100 A: a 100 A device, and not one of 110 A.
    Alimentador a = NoContinua("90");
    a.calibre = IndiceCalibre("3");
    a.proteccion = Decimal(100);
    EXPECT_FALSE(Dimensionar(a, Tablas()).excedeAmpacidad);
    a.proteccion = Decimal(110);
    EXPECT_TRUE(Dimensionar(a, Tablas()).excedeAmpacidad);
}

// The insulation's rating in its location: THHN dry only, THHW at 75 °C wet and 90 °C dry;
// the 90 °C column is still held to the 75 °C terminals' value.
TEST(ReglasDeAmpacidad, TheInsulationAndItsLocation) {
    EXPECT_EQ(TemperaturaAislamiento(IndiceAislamiento("THHN"), true), 0);
    EXPECT_EQ(TemperaturaAislamiento(IndiceAislamiento("THHN"), false), 90);
    EXPECT_EQ(TemperaturaAislamiento(IndiceAislamiento("THW-2"), true), 90);
    // 4 AWG THHW at 50 °C: wet 85 A x 0.75 = 63.75 A; dry 95 A x 0.82 = 77.9 A; dry at
    // 30 °C 95 A, held to 85 A by the terminals.
    Alimentador a = NoContinua("50");
    a.aislamiento = IndiceAislamiento("THHW");
    a.calibre = IndiceCalibre("4");
    a.temperaturaAmbiente = 50;
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, D("63.75"));
    a.mojado = false;
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, D("77.9"));
    a.temperaturaAmbiente = 30;
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, 85);
    // At 75 °C ambient THHW wet (75 °C) is refused, dry (90 °C) takes 0.50.
    a.temperaturaAmbiente = 75;
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, D("47.5"));
    a.mojado = true;
    EXPECT_EQ(Dimensionar(a, Tablas()).invalido, Dato::TemperaturaAmbiente);
}

// With terminals at 60 °C, 50 A continuous (62.5 A) needs 4 AWG (70 A in the 60 °C
// column) where 75 °C terminals take 6 AWG (65 A); the ampacity is held to 70 A.
TEST(ReglasDeAmpacidad, SixtyDegreeTerminals) {
    Alimentador a = Continua("50");
    EXPECT_EQ(Nombre(Dimensionar(a, Tablas()).porAmpacidad), "6");
    a.terminales = 60;
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(Nombre(d.porAmpacidad), "4");
    EXPECT_EQ(d.valores->ampacidad, 70);
    EXPECT_EQ(d.ampacidad->columnaTerminales, 60);
    EXPECT_EQ(d.ampacidad->proteccion, 70);
}

// An assembly listed for 100 % takes the continuous load at 100 %: 65 A gives a 70 A device
// and 6 AWG (65 A in the 75 °C column, exactly the load).
TEST(ReglasDeAmpacidad, ADeviceRatedForOneHundredPercent) {
    Alimentador a = Continua("65");
    a.dispositivo100 = true;
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.ampacidad->requerida, 65);
    EXPECT_EQ(d.ampacidad->proteccion, 70);
    EXPECT_EQ(Nombre(d.porAmpacidad), "6");
}

// The current of a load given by its power, rounded half up to 2 decimals: 100 kW at 480 V
// and 0.9 three-phase is 133.646 A; 100 kVA 120.281 A; single-phase at 240 V, 10 kW at 0.8
// is 52.083 A and 10 kVA 41.667 A; 12.345 kVA at 1000 V is exactly 12.345 A.
TEST(ReglasDeAmpacidad, TheCurrentOfALoadGivenByItsPower) {
    const struct {
        Sistema sistema;
        double voltaje, fp;
        const char *kw, *kva, *corriente;
    } casos[] = {
        {Sistema::Trifasico, 480, 0.9, "100", nullptr, "133.65"},
        {Sistema::Trifasico, 480, 0.9, nullptr, "100", "120.28"},
        {Sistema::Monofasico, 240, 0.8, "10", nullptr, "52.08"},
        {Sistema::Monofasico, 240, 0.8, nullptr, "10", "41.67"},
        {Sistema::Monofasico, 1000, 1, nullptr, "12.345", "12.35"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.corriente);
        Alimentador a = Continua("1");
        a.corriente.reset();
        a.sistema = c.sistema;
        a.voltaje = c.voltaje;
        a.factorPotencia = c.fp;
        if (c.kw != nullptr) {
            a.potenciaKw = D(c.kw);
        } else {
            a.potenciaKva = D(c.kva);
        }
        const Dimensionado d = Dimensionar(a, Tablas());
        ASSERT_TRUE(d.ampacidad);
        EXPECT_EQ(d.ampacidad->corriente.Texto(), c.corriente);
        EXPECT_TRUE(d.ampacidad->calculada);
    }
    // A typed current is used as typed, to its last digit.
    const Dimensionado escrita = Dimensionar(Continua("52.0833"), Tablas());
    EXPECT_EQ(escrita.ampacidad->corriente.Texto(), "52.0833");
    EXPECT_FALSE(escrita.ampacidad->calculada);
}

// Without a share, the whole load is continuous: the conservative reading.
TEST(ReglasDeAmpacidad, TheLoadIsContinuousUnlessSaidOtherwise) {
    Alimentador a = Corto("65");
    EXPECT_EQ(Dimensionar(a, Tablas()).ampacidad->requerida, D("81.25"));
    a.continua = Decimal(40);
    // 26 A continuous at 125 % and 39 A: 71.5 A.
    EXPECT_EQ(Dimensionar(a, Tablas()).ampacidad->requerida, D("71.5"));
}

// The remarks cite the numbering of the project's code edition.
TEST(ReglasDeAmpacidad, TheRemarksCiteTheProjectsEdition) {
    Alimentador a = Continua("74.8");
    a.temperaturaAmbiente = 50;
    a.calibre = IndiceCalibre("4");
    const auto citas = [&](Norma norma) {
        std::string todas;
        for (const std::string& o : Dimensionar(a, Tablas(), {}, norma).observaciones) {
            todas += o + "\n";
        }
        return todas;
    };
    EXPECT_NE(citas(Norma::Nec2020).find("(NEC 2020 215.2(A)(1)(a))"), std::string::npos);
    EXPECT_NE(citas(Norma::Nec2020).find("(NEC 2020 215.2(A)(1)(b))"), std::string::npos);
    EXPECT_NE(citas(Norma::Nec2023).find("(NEC 2023 215.2(A)(2))"), std::string::npos);
    EXPECT_NE(citas(Norma::Nom2012).find("(NOM-001-SEDE-2012 215-2(a)(1))"), std::string::npos);
    EXPECT_EQ(Cita(Clausula::TablaTemperatura, Norma::Nec2023), "Tabla 310.15(B)(1)(1)");
    EXPECT_EQ(Cita(Clausula::TablaTemperatura, Norma::Nec2020), "Tabla 310.15(B)(1)");
    EXPECT_EQ(Cita(Clausula::ConductoresPequenos, Norma::Nom2012), "240-4(d)");
    EXPECT_EQ(NormaDe("nom-001-sede-2012"), Norma::Nom2012);
    EXPECT_EQ(NormaDe("NEC2023"), Norma::Nec2023);
    EXPECT_EQ(NormaDe("NEC 2017"), std::nullopt);
}
