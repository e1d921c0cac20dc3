#include "engine/formulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace engine;

namespace {

// Illustrative row values, not from the tables: X 0.05 and R 0.8 ohms per 1000 ft.
const Conductor Ilustrativo{0.05, 0.8};
const Datos Ejemplo{100, 30, 240, 0.85, 5};

Valores Valido(Modo modo, Sistema sistema, const Datos& d = Ejemplo,
               const Conductor& c = Ilustrativo) {
    const auto resultado = CalcularValores(modo, sistema, d, c);
    EXPECT_TRUE(std::holds_alternative<Valores>(resultado));
    return std::holds_alternative<Valores>(resultado) ? std::get<Valores>(resultado) : Valores{};
}

std::optional<Falla> FallaDe(Modo modo, Sistema sistema, const Datos& d,
                             const Conductor& c = Ilustrativo) {
    const auto resultado = CalcularValores(modo, sistema, d, c);
    if (const auto* falla = std::get_if<Falla>(&resultado)) {
        return *falla;
    }
    return std::nullopt;
}

} // namespace

// The worked example, compared bit for bit.
TEST(CalcularValores, VoltageDropWorkedExampleThreePhase) {
    const Valores v = Valido(Modo::CaidaVoltaje, Sistema::Trifasico);
    EXPECT_EQ(v.Seno, 0.526782687642637);
    EXPECT_EQ(v.ZEficaz, 0.7063391343821319);
    EXPECT_EQ(v.CaidaVoltaje, 12.041488859440744);
    EXPECT_EQ(v.Perdidas, 708.6614173200002);
    EXPECT_EQ(v.VoltajeFinal, 227.95851114055927);
    EXPECT_EQ(v.Regulacion, 5.017287024766972);
}

TEST(CalcularValores, VoltageDropWorkedExampleSinglePhase) {
    const Valores v = Valido(Modo::CaidaVoltaje, Sistema::Monofasico);
    EXPECT_EQ(v.Seno, 0.526782687642637);
    EXPECT_EQ(v.ZEficaz, 1.4126782687642638);
    EXPECT_EQ(v.CaidaVoltaje, 13.904313668883987);
    EXPECT_EQ(v.Perdidas, 472.44094487999996);
    EXPECT_EQ(v.VoltajeFinal, 226.095686331116);
    EXPECT_EQ(v.Regulacion, 5.793464028701661);
}

TEST(CalcularValores, DistanceWorkedExample) {
    const Valores tri = Valido(Modo::Distancia, Sistema::Trifasico);
    EXPECT_EQ(tri.DistanciaPermitida, 41.52310447955868);
    const Valores mono = Valido(Modo::Distancia, Sistema::Monofasico);
    EXPECT_EQ(mono.DistanciaPermitida, 35.96006332329324);
}

// The distance report's totals and losses are those of the circuit of the permitted
// distance: the voltage-drop mode over that length gives the same ones, and its drop is
// the permitted one. The length typed for the drop plays no part.
TEST(CalcularValores, TheDistanceReportIsAboutThePermittedDistance) {
    for (Sistema sistema : {Sistema::Trifasico, Sistema::Monofasico}) {
        Datos otraLongitud = Ejemplo;
        otraLongitud.Longitud = 250;
        const Valores distancia = Valido(Modo::Distancia, sistema, otraLongitud);
        EXPECT_EQ(distancia.DistanciaPermitida,
                  Valido(Modo::Distancia, sistema).DistanciaPermitida);
        Datos esaLongitud = Ejemplo;
        esaLongitud.Longitud = distancia.DistanciaPermitida;
        const Valores caida = Valido(Modo::CaidaVoltaje, sistema, esaLongitud);
        EXPECT_EQ(distancia.ResistenciaTotal, caida.ResistenciaTotal);
        EXPECT_EQ(distancia.ReactanciaTotal, caida.ReactanciaTotal);
        EXPECT_EQ(distancia.ImpedanciaTotal, caida.ImpedanciaTotal);
        EXPECT_EQ(distancia.Perdidas, caida.Perdidas);
        EXPECT_NEAR(caida.CaidaVoltaje, Ejemplo.CaidaPermitida, 1e-12);
    }
    // In the drop mode the totals are those of the length typed.
    const Valores tri = Valido(Modo::CaidaVoltaje, Sistema::Trifasico);
    EXPECT_EQ(tri.ResistenciaTotal, (0.8 * 100) * FactorLongitud);
    EXPECT_EQ(tri.ReactanciaTotal, (0.05 * 100) * FactorLongitud);
    EXPECT_EQ(tri.ImpedanciaTotal, (0.7063391343821319 * 100) * FactorLongitud);
    const Valores mono = Valido(Modo::CaidaVoltaje, Sistema::Monofasico);
    EXPECT_EQ(mono.ResistenciaTotal, ((0.8 * 2) * 100) * FactorLongitud);
    EXPECT_EQ(mono.ReactanciaTotal, ((0.05 * 2) * 100) * FactorLongitud);
}

TEST(ArcCos, IsTheArcCosineThroughTheArcTangent) {
    EXPECT_EQ(ArcCos(1), 0);
    EXPECT_EQ(ArcCos(0), 1.5707963267948966);
    EXPECT_NEAR(ArcCos(0.5), std::acos(0.5), 1e-15);
    EXPECT_NEAR(ArcCos(-0.5), std::acos(-0.5), 1e-15);
}

TEST(CalcularValores, PowerFactorOneAndZeroGiveResistanceAndReactanceAlone) {
    Datos d = Ejemplo;
    d.FactorPotencia = 1;
    EXPECT_EQ(Valido(Modo::CaidaVoltaje, Sistema::Trifasico, d).Seno, 0);
    EXPECT_EQ(Valido(Modo::CaidaVoltaje, Sistema::Trifasico, d).ZEficaz, 0.8);
    EXPECT_EQ(Valido(Modo::CaidaVoltaje, Sistema::Monofasico, d).ZEficaz, 1.6);
    d.FactorPotencia = 0;
    EXPECT_EQ(Valido(Modo::Distancia, Sistema::Trifasico, d).Seno, 1);
    EXPECT_EQ(Valido(Modo::Distancia, Sistema::Trifasico, d).ZEficaz, 0.05);
    EXPECT_EQ(Valido(Modo::Distancia, Sistema::Monofasico, d).ZEficaz, 0.1);
}

TEST(CalcularValores, ZeroCurrentOrLength) {
    Datos sinCorriente = Ejemplo;
    sinCorriente.Corriente = 0;
    const Valores caida = Valido(Modo::CaidaVoltaje, Sistema::Trifasico, sinCorriente);
    EXPECT_EQ(caida.CaidaVoltaje, 0);
    EXPECT_EQ(caida.Perdidas, 0);
    EXPECT_EQ(caida.VoltajeFinal, 240);
    EXPECT_EQ(caida.Regulacion, 0);
    EXPECT_GT(caida.ImpedanciaTotal, 0);

    // No current in the distance mode: no angle is needed, so no power factor is checked.
    sinCorriente.FactorPotencia = 85;
    const Valores distancia = Valido(Modo::Distancia, Sistema::Monofasico, sinCorriente);
    EXPECT_EQ(distancia.DistanciaPermitida, 0);
    EXPECT_EQ(distancia.ImpedanciaTotal, 0);
    EXPECT_EQ(distancia.Perdidas, 0);
    EXPECT_EQ(distancia.ResistenciaTotal, 0);

    Datos sinLongitud = Ejemplo;
    sinLongitud.Longitud = 0;
    const Valores corta = Valido(Modo::CaidaVoltaje, Sistema::Monofasico, sinLongitud);
    EXPECT_EQ(corta.ResistenciaTotal + corta.ReactanciaTotal + corta.ImpedanciaTotal, 0);
    EXPECT_EQ(corta.CaidaVoltaje + corta.Perdidas, 0);

    Datos sinCaida = Ejemplo;
    sinCaida.CaidaPermitida = 0;
    EXPECT_EQ(Valido(Modo::Distancia, Sistema::Trifasico, sinCaida).DistanciaPermitida, 0);
}

TEST(CalcularValores, FaultsInsteadOfNonFiniteResults) {
    Datos d = Ejemplo;
    for (double f : {1.5, 85.0, -1.0, -2.0}) {
        d.FactorPotencia = f;
        EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Trifasico, d), Falla::FactorPotencia) << f;
        EXPECT_EQ(FallaDe(Modo::Distancia, Sistema::Monofasico, d), Falla::FactorPotencia) << f;
    }
    d.FactorPotencia = -0.5; // a pasted negative factor still has an angle
    EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Trifasico, d), std::nullopt);

    d = Ejemplo;
    d.VoltajeInicial = 0;
    EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Monofasico, d), Falla::VoltajeCero);
    d.Corriente = 0; // 0/0 is no better
    EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Trifasico, d), Falla::VoltajeCero);
    EXPECT_EQ(FallaDe(Modo::Distancia, Sistema::Trifasico, d), std::nullopt);

    EXPECT_EQ(FallaDe(Modo::Distancia, Sistema::Trifasico, Ejemplo, Conductor{0, 0}),
              Falla::ImpedanciaCero);
    EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Trifasico, Ejemplo, Conductor{0, 0}),
              std::nullopt);

    const double enorme = std::numeric_limits<double>::max();
    d = Ejemplo;
    d.Corriente = enorme;
    EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Trifasico, d), Falla::Desbordamiento);
    EXPECT_EQ(FallaDe(Modo::Distancia, Sistema::Monofasico, d), Falla::Desbordamiento);
    d = Ejemplo;
    d.CaidaPermitida = enorme;
    EXPECT_EQ(FallaDe(Modo::Distancia, Sistema::Trifasico, d, Conductor{5, 8}),
              Falla::Desbordamiento);
    d.CaidaPermitida = Ejemplo.CaidaPermitida;
    d.Longitud = enorme; // the length typed for the drop plays no part in the distance
    EXPECT_EQ(FallaDe(Modo::Distancia, Sistema::Trifasico, d, Conductor{5, 8}), std::nullopt);
    d = Ejemplo;
    d.Longitud = enorme;
    // The first fault in the order of the steps wins: the drop overflows before the
    // regulation divides by the zero voltage.
    d.VoltajeInicial = 0;
    EXPECT_EQ(FallaDe(Modo::CaidaVoltaje, Sistema::Trifasico, d), Falla::Desbordamiento);
}
