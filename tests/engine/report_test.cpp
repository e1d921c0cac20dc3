#include "engine/report.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// The values of the worked example (X 0.05, R 0.8 ohms per 1000 ft; 100 m, 30 A, 240 V,
// power factor 0.85, 5 V permitted).
std::vector<std::string> Lineas(Modo modo, Sistema sistema, const Separadores& sep = {}) {
    const auto valores =
        CalcularValores(modo, sistema, Datos{100, 30, 240, 0.85, 5}, Conductor{0.05, 0.8});
    return LineasResultado(modo, sistema, std::get<Valores>(valores), sep);
}

} // namespace

TEST(LineasResultado, VoltageDropThreePhase) {
    EXPECT_EQ(Lineas(Modo::CaidaVoltaje, Sistema::Trifasico),
              (std::vector<std::string>{
                  "",
                  "     R= 0.262 Ohmios/fase",
                  "     X= 0.016 Ohmios/fase",
                  "     Z= 0.232 Ohmios/fase",
                  "     Pérdidas= 708.661 Vatios",
                  "     Caída de Voltaje = 12.041  Voltios",
                  "     Voltaje Final= 227.96 Voltios",
                  "     Regulación de Voltaje= 5.02 %",
              }));
}

TEST(LineasResultado, VoltageDropSinglePhase) {
    EXPECT_EQ(Lineas(Modo::CaidaVoltaje, Sistema::Monofasico),
              (std::vector<std::string>{
                  "",
                  "     R= 0.525 Ohmios",
                  "     X= 0.033 Ohmios",
                  "     Z= 0.463 Ohmios",
                  "     Pérdidas= 472.441 Vatios",
                  "     Caída de Voltaje = 13.904  Voltios",
                  "     Voltaje Final= 226.10 Voltios",
                  "     Regulación de Voltaje= 5.79 %",
              }));
}

// The distance report is about the circuit of the permitted distance, 41.52 m: its R, X
// and Z (0.8, 0.05 and 0.706 ohms per 1000 ft over 0.1362 kft; I x Z x sqrt 3 is the 5 V
// permitted) and its losses, 30² x 0.8 x 3 x 0.1362 = 294.258 W. Before, they were those
// of the hidden 100 m and of 1000 ft of circuit (2,160 W).
TEST(LineasResultado, DistanceThreePhase) {
    EXPECT_EQ(Lineas(Modo::Distancia, Sistema::Trifasico), (std::vector<std::string>{
                                                               "",
                                                               "     R= 0.109 ohmios/fase",
                                                               "     X= 0.007 ohmios/fase",
                                                               "     Z= 0.096 ohmios/fase",
                                                               "     Pérdidas= 294.258 Vatios",
                                                               "     Distancia= 41.52 Metros",
                                                           }));
}

// 35.96 m single-phase: 0.118 kft, Z = 1.413 x 0.118 = 0.167 ohms (x 30 A = 5 V), losses
// 30² x 0.8 x 2 x 0.118 = 169.89 W.
TEST(LineasResultado, DistanceSinglePhase) {
    EXPECT_EQ(Lineas(Modo::Distancia, Sistema::Monofasico), (std::vector<std::string>{
                                                                "",
                                                                "     R= 0.189  ohmios",
                                                                "     X= 0.012  ohmios",
                                                                "     Z= 0.167  ohmios",
                                                                "     Pérdidas= 169.89 Vatios",
                                                                "     Distancia= 35.96 Metros",
                                                            }));
}

TEST(LineasResultado, FollowTheRegionalSeparators) {
    const auto lineas = Lineas(Modo::Distancia, Sistema::Trifasico, {",", "."});
    EXPECT_EQ(lineas[1], "     R= 0,109 ohmios/fase");
    EXPECT_EQ(lineas[4], "     Pérdidas= 294,258 Vatios");
    EXPECT_EQ(lineas[5], "     Distancia= 41,52 Metros");
    EXPECT_EQ(Lineas(Modo::CaidaVoltaje, Sistema::Trifasico, {",", "."})[4],
              "     Pérdidas= 708,661 Vatios");
}

TEST(LineasResultado, ZeroValuesAndNegativeFinalVoltage) {
    Valores v;
    v.VoltajeFinal = -1234.567;
    v.Regulacion = 1234.5;
    const auto caida = LineasResultado(Modo::CaidaVoltaje, Sistema::Trifasico, v, {});
    EXPECT_EQ(caida[1], "     R= 0. Ohmios/fase");
    EXPECT_EQ(caida[6], "     Voltaje Final= -1,234.57 Voltios");
    EXPECT_EQ(caida[7], "     Regulación de Voltaje= 1234.50 %");
    Valores dos;
    dos.Perdidas = 2;
    EXPECT_EQ(LineasResultado(Modo::Distancia, Sistema::Trifasico, dos, {})[4],
              "     Pérdidas= 2.00 Vatios");
    EXPECT_EQ(LineasResultado(Modo::Distancia, Sistema::Monofasico, dos, {})[4],
              "     Pérdidas= 2.0 Vatios");
    EXPECT_EQ(LineasResultado(Modo::Distancia, Sistema::Monofasico, dos, {})[5],
              "     Distancia= 0.00 Metros");
}
