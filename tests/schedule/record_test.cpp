// The record's summary and its marks of failing feeders, on a schedule checked by hand.
#include "schedule/record.h"

#include "schedule/csv_file.h"
#include "tests/engine/tablas_de_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace schedule;

namespace {

std::size_t Tamano(std::string_view nombre) {
    const auto& c = engine::Calibres;
    return static_cast<std::size_t>(
        std::find_if(c.begin(), c.end(), [&](const auto& x) { return x.nombre == nombre; }) -
        c.begin());
}

constexpr auto Cobre = static_cast<std::size_t>(engine::Material::Cobre);

// Copper THW in PVC at 480 V, 3 phases and a neutral, pf 0.9, all continuous. AL-2 is the
// hand-checked feeder: 95 A needs 118.75 A, size 1, 3.516 V, 0.7325 %, a 125 A device and
// a size-6 copper grounding conductor (Table 250.122). AL-3 is AL-2 three times as long,
// fed from it: 3 × 0.7325 = 2.20 %, total 4 × 0.7325 = 2.93 %, past the project's 2 %;
// ampacity still rules its size. AL-4 is given aluminium size 4, 65 A at 75 °C, short of
// 118.75 A, its drop over 10 m small; AL-5's current cannot be read; AL-6 names a feeder that is
// not there.
const char* const Cuadro6 =
    "circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud;calibre;alimentado_desde\r\n"
    "AL-2;Trifásico;Cobre;PVC;95;480;0,9;42;;\r\n"
    "AL-3;Trifásico;Cobre;PVC;95;480;0,9;126;;AL-2\r\n"
    "AL-4;Trifásico;Aluminio;PVC;95;480;0,9;10;4;\r\n"
    "AL-5;Trifásico;Cobre;PVC;noventa;480;0,9;42;;\r\n"
    "AL-6;Trifásico;Cobre;PVC;10;480;0,9;10;;nadie\r\n";

Memoria Armar(const std::string& regulacionTotal) {
    std::istringstream entrada(Cuadro6);
    Cuadro cuadro = std::get<Cuadro>(LeerCuadro(entrada));
    cuadro.proyecto.regulacionTotal = regulacionTotal;
    return *ArmarMemoria(cuadro, Tablas(), std::nullopt, {",", ""});
}

std::vector<bool> Fallas(const Memoria& m) {
    std::vector<bool> fallan;
    for (const auto& fila : m.filas) {
        fallan.push_back(fila.falla);
    }
    return fallan;
}

std::string Texto(const std::vector<Renglon>& renglones, std::string_view titulo) {
    for (const Renglon& r : renglones) {
        if (r.etiqueta == titulo) {
            return r.valor.texto;
        }
    }
    return "(no está: " + std::string(titulo) + ")";
}

} // namespace

TEST(Resumen, CountsTheFeedersTheFailingOnesAndTheLargestRegulations) {
    const Memoria m = Armar("2");
    EXPECT_EQ(Fallas(m), (std::vector<bool>{false, true, true, true, true}));
    const Resumen& r = m.resumen;
    EXPECT_EQ(r.alimentadores, 5u);
    EXPECT_EQ(r.fallan, 4u);
    EXPECT_EQ(r.primerosQueFallan, (std::vector<std::string>{"AL-3", "AL-4", "AL-5", "AL-6"}));
    ASSERT_TRUE(r.mayorRegulacion && r.mayorTotal);
    EXPECT_EQ(r.mayorRegulacion->circuito, "AL-3");
    EXPECT_EQ(r.mayorTotal->circuito, "AL-3");

    const auto renglones = RenglonesResumen(r, m.sep);
    EXPECT_EQ(Texto(renglones, "Alimentadores"), "5");
    EXPECT_EQ(Texto(renglones, "No cumplen alguna regla"), "4: AL-3, AL-4, AL-5, AL-6");
    EXPECT_EQ(Texto(renglones, "Mayor regulación"), "2,20 % (AL-3)");
    EXPECT_EQ(Texto(renglones, "Mayor regulación total"), "2,93 % (AL-3)");
}

// Within its limit, the same total is no failure: only a rule the feeder breaks marks it.
TEST(Resumen, ATotalWithinTheLimitDoesNotFail) {
    const Memoria m = Armar("3");
    EXPECT_EQ(Fallas(m), (std::vector<bool>{false, false, true, true, true}));
    EXPECT_EQ(m.resumen.primerosQueFallan, (std::vector<std::string>{"AL-4", "AL-5", "AL-6"}));
}

// Metres a contractor orders: AL-2 and AL-3 take 4 × (42 + 126) = 672 m of copper 1 and
// 42 + 126 = 168 m of copper 6 for grounding; the aluminium feeder adds to neither.
TEST(Resumen, MetresOfConductorBySizeAndMaterial) {
    const Memoria m = Armar("");
    const auto& metros = m.resumen.metros;
    ASSERT_TRUE(metros.count({Cobre, Tamano("1")}));
    EXPECT_DOUBLE_EQ(metros.at({Cobre, Tamano("1")}), 672);
    EXPECT_DOUBLE_EQ(metros.at({Cobre, Tamano("6")}), 168);
    EXPECT_EQ(Texto(RenglonesResumen(m.resumen, m.sep), "Conductor de cobre 1 (m)"), "672,0");
}

// A schedule with many failing feeders names the first 40 and counts the rest, which the
// table marks: a list of thousands would run off the record's page and past the 32,767
// characters a workbook's cell holds, which left the cell empty.
TEST(Resumen, ALongListOfFailingFeedersIsCut) {
    std::string csv = "circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud\r\n";
    for (int i = 1; i <= 100; ++i) {
        csv += "F-" + std::to_string(i) + ";Trifásico;Cobre;PVC;noventa;480;0,9;42\r\n";
    }
    std::istringstream entrada(csv);
    const Cuadro cuadro = std::get<Cuadro>(LeerCuadro(entrada));
    const Memoria m = *ArmarMemoria(cuadro, Tablas(), std::nullopt, {",", ""});
    EXPECT_EQ(m.resumen.fallan, 100u);
    EXPECT_EQ(m.resumen.primerosQueFallan.size(), 40u);
    std::string primeros = "F-1";
    for (int i = 2; i <= 40; ++i) {
        primeros += ", F-" + std::to_string(i);
    }
    EXPECT_EQ(Texto(RenglonesResumen(m.resumen, m.sep), "No cumplen alguna regla"),
              "100: " + primeros + " y 60 más, señalados en la tabla");
    Resumen cuarenta = m.resumen;
    cuarenta.fallan = 40;
    EXPECT_EQ(Texto(RenglonesResumen(cuarenta, m.sep), "No cumplen alguna regla"),
              "40: " + primeros);
}

// The table shows the value a row used where its cell is empty, marked, and says once what
// the mark means: a CSV without "regulacion_max" or "paralelo" still shows them, 3 % and
// one set; a row that gives its temperature shows it as given, the others the 30 °C they
// took. Before, the cells were empty and only the annex said "máximo 3 %".
TEST(Memoria, TheTableShowsTheDefaultsTheRowsTook) {
    std::istringstream entrada(
        "circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud;temperatura_ambiente\r\n"
        "AL-2;Trifásico;Cobre;PVC;95;480;0,9;42;\r\n"
        "AL-7;Trifásico;Cobre;PVC;95;480;0,9;42;40\r\n");
    const Cuadro cuadro = std::get<Cuadro>(LeerCuadro(entrada));
    const Memoria m = *ArmarMemoria(cuadro, Tablas(), std::nullopt, {",", ""});
    const auto columna = [&](std::string_view titulo) {
        for (std::size_t c = 0; c < m.columnas.size(); ++c) {
            if (m.columnas[c].titulo == titulo) {
                return c;
            }
        }
        return m.columnas.size();
    };
    const std::size_t regulacion = columna("Reg. máx. (%)");
    const std::size_t conjuntos = columna("Conj.");
    const std::size_t temperatura = columna("T amb. (°C)");
    ASSERT_LT(regulacion, m.columnas.size());
    ASSERT_LT(conjuntos, m.columnas.size());
    ASSERT_LT(temperatura, m.columnas.size());
    EXPECT_EQ(m.filas[0].celdas[regulacion], "3*");
    EXPECT_EQ(m.filas[0].celdas[conjuntos], "1*");
    EXPECT_EQ(m.filas[0].celdas[temperatura], "30*");
    EXPECT_EQ(m.filas[1].celdas[temperatura], "40");
    ASSERT_TRUE(m.leyenda);
    EXPECT_EQ(*m.leyenda, "* La celda está vacía: el valor es el que se tomó por omisión.");
}

// The annex writes the single-phase drop as the method notes do, Zef per conductor and the
// factor 2 in ΔV. Copper size 6 in PVC (Table 9: R 0.49, X 0.051 Ω per 1000 ft), 40 A,
// 240 V, pf 0.85, 30 m, checked by hand: sen θ = √(1 − 0.85²) = 0.526783, Zef = 0.4165 +
// 0.026866 = 0.443366, I = 40.000 A per set, L = 30 / 304.8 = 0.098425 miles de ft, ΔV = 2 × 40 ×
// 0.443366 × 0.098425 = 3.491 V, 1.45 % of 240 V. Before, the annex wrote "Zef = 2 × (…)" =
// 0.886732 and "Caída = I × Zef × L".
TEST(Memoria, TheAnnexWritesTheSinglePhaseDropAsTheMethodNotes) {
    std::istringstream entrada("circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud;"
                               "calibre\r\n"
                               "AL-1;Monofásico;Cobre;PVC;40;240;0,85;30;6\r\n");
    const Cuadro cuadro = std::get<Cuadro>(LeerCuadro(entrada));
    const Memoria m = *ArmarMemoria(cuadro, Tablas(), std::nullopt, {",", ""});
    const auto& detalle = m.filas.at(0).detalle;
    const auto linea = [&](std::string_view inicio) {
        for (const std::string& l : detalle) {
            if (l.starts_with(inicio)) {
                return l;
            }
        }
        return "(no está: " + std::string(inicio) + ")";
    };
    EXPECT_EQ(
        linea("Zef"),
        "Zef = R·cos θ + X·sen θ = 0,4900 × 0,85 + 0,0510 × 0,526783 = 0,443366 Ω por 1000 ft.");
    EXPECT_EQ(linea("ΔV"),
              "ΔV = 2·I·Zef·L = 2 × 40,000 × 0,443366 × 0,098425 = 3,491 V; regulación = "
              "3,491 V / 240 V × 100 = 1,45 %, máximo 3 %.");
}

// Table 5 lists THW in sizes 14 to 8 twice; the annex says which row its areas come from, and
// a feeder of larger sizes is not told. AL-1: 24 A continuous needs 30 A, copper 10 at 75 °C
// (35 A), a 30 A device and a size-10 grounding conductor (Table 250.122): three phases, the
// neutral and the ground, 5 × 0.0333 = 0.1665 in² (the RHH* row; the TW row gives 0.0243) in PVC-40
// 3/4, 0.508 in²: 32.8 %. AL-3, the same 60 m away, is sized up to 8 by its drop: one size.
TEST(Memoria, TheFillNamesTheRowOfTableFiveItTook) {
    std::istringstream entrada("circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud\r\n"
                               "AL-1;Trifásico;Cobre;PVC;24;220;0,9;10\r\n"
                               "AL-2;Trifásico;Cobre;PVC;95;480;0,9;42\r\n"
                               "AL-3;Trifásico;Cobre;PVC;24;220;0,9;60\r\n");
    const Cuadro cuadro = std::get<Cuadro>(LeerCuadro(entrada));
    const Memoria m = *ArmarMemoria(cuadro, Tablas(), std::nullopt, {",", ""});
    const auto renglon = [&](std::size_t fila) {
        const auto& d = m.filas.at(fila).detalle;
        const auto l = std::find_if(d.begin(), d.end(),
                                    [](const std::string& x) { return x.starts_with("Áreas de"); });
        return l == d.end() ? std::string("(ninguno)") : *l;
    };
    EXPECT_EQ(renglon(0), "Áreas de 10 a 8 del renglón «RHH*, RHW*, RHW-2*, THHW, THW, THW-2» de "
                          "la tabla, no del «TW, THHW, THW, THW-2», que da áreas menores.");
    EXPECT_EQ(renglon(1), "(ninguno)");
    EXPECT_TRUE(renglon(2).starts_with("Áreas del 8 del renglón «RHH*")) << renglon(2);
    const auto& d = m.filas.at(0).detalle;
    EXPECT_TRUE(std::any_of(d.begin(), d.end(), [](const std::string& x) {
        return x.find("3 × 0,0333 (10) + 0,0333 (10 N) + 0,0333 (10 T) = 0,1665 in²; PVC-40 3/4 "
                      "(21): 0,508 in²; 32,8 %") != std::string::npos;
    })) << ::testing::PrintToString(d);
}

// A motor's block in the annex, by hand from Table 430.250: 10 hp at 460 V, 14 A; 125 % =
// 17.5 A; 250 % = 35 A, a standard rating; disconnect 115 % = 16.1 A; the nameplate's 13 A
// with a service factor of 1.15, overload 125 % = 16.25 A. 7½ hp at 480 V reads the 460 V
// column, 11 A: 250 % = 27.5 A, the next standard rating 30 A; given 40 A, within 400 % =
// 44 A. The grounding conductor by the breaker, 250.122(D)(1).
TEST(Memoria, TheAnnexWritesAMotorsCircuit) {
    std::istringstream entrada(
        "circuito;sistema;conductor;ducto;voltaje;fp;longitud;motor_hp;motor_corriente_placa;"
        "motor_factor_servicio;proteccion\r\n"
        "B-1;Trifásico;Cobre;PVC;460;0,85;20;10;13;1,15;\r\n"
        "B-2;Trifásico;Cobre;PVC;480;0,85;20;7 1/2;;;\r\n"
        "B-3;Trifásico;Cobre;PVC;480;0,85;20;7 1/2;;;40\r\n");
    const Cuadro cuadro = std::get<Cuadro>(LeerCuadro(entrada));
    const Memoria m = *ArmarMemoria(cuadro, Tablas(), std::nullopt, {",", ""});
    const auto linea = [&](std::size_t fila, std::string_view inicio) {
        for (const std::string& l : m.filas.at(fila).detalle) {
            if (l.starts_with(inicio)) {
                return l;
            }
        }
        return "(no está: " + std::string(inicio) + ")";
    };
    EXPECT_EQ(linea(0, "Motor"), "Motor de 10 hp, 460 V: 14 A (Tabla 430.250); 125 % = 17,5 A "
                                 "(430.22); protección ≤ 250 % = 35 A (430.52).");
    EXPECT_EQ(linea(0, "Desconectador"), "Desconectador (430.110(A)): 115 % × 14 A = 16,1 A; "
                                         "sobrecarga (430.32(A)(1)): 125 % × 13 A de placa = "
                                         "16,25 A.");
    EXPECT_EQ(linea(0, "Protección"), "Protección (430.52): 35 A. Los conductores los protege el "
                                      "relevador de sobrecarga (240.4(G)).");
    EXPECT_TRUE(
        linea(0, "Conductor de puesta a tierra")
            .starts_with(
                "Conductor de puesta a tierra (Tabla 250.122, 250.122(D)(1)): protección de 35 A"));
    EXPECT_EQ(linea(1, "Motor"),
              "Motor de 7 1/2 hp, 480 V (columna de 460 V): 11 A (Tabla 430.250); 125 % = "
              "13,75 A (430.22); protección ≤ 250 % = 27,5 A (430.52), 30 A el valor estándar "
              "siguiente (430.52(C)(1)(a)).");
    EXPECT_EQ(linea(1, "Corriente:"), "(no está: Corriente:)");
    // A given 40 A passes the 30 A, within 400 % = 44 A for the start.
    EXPECT_EQ(linea(2, "Protección"), "Protección (430.52): 40 A, mayor que 30 A, no mayor que "
                                      "400 % = 44 A para el arranque (430.52(C)(1)(b)). Los "
                                      "conductores los protege el relevador de sobrecarga "
                                      "(240.4(G)).");
}
