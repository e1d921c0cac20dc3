// The voltage-drop and distance formulas of a feeder of single conductors in conduit.
#pragma once

#include "engine/conductor_table.h"

#include <string_view>
#include <variant>

namespace engine {

enum class Modo { CaidaVoltaje, Distancia };

// Metres to thousands of feet, the length unit of the conductor tables. It is the rounded
// 0.003280839895, not 1/304.8: the reports have always been computed with it.
inline constexpr double FactorLongitud = 0.003280839895;

// The numbers the user typed, already read from the fields.
struct Datos {
    double Longitud = 0;       // metres of circuit
    double Corriente = 0;      // amperes
    double VoltajeInicial = 0; // volts at the sending end
    double FactorPotencia = 0; // cosine of the phase angle
    double CaidaPermitida = 0; // volts
};

// The values of one calculation; those a branch does not compute stay 0.
struct Valores {
    double Seno = 0;    // sine of the phase angle, rounded to 15 significant digits
    double ZEficaz = 0; // effective impedance per 1000 ft of circuit
    double ResistenciaTotal = 0;
    double ReactanciaTotal = 0;
    double ImpedanciaTotal = 0;
    double Perdidas = 0; // watts
    double CaidaVoltaje = 0;
    double VoltajeFinal = 0;
    double Regulacion = 0;         // percent
    double DistanciaPermitida = 0; // metres
};

// Why a calculation gives no result.
enum class Falla {
    FactorPotencia, // outside -1 < f <= 1: the angle has no value
    VoltajeCero,    // the regulation divides by the sending-end voltage
    ImpedanciaCero, // the distance divides by the effective impedance
    Desbordamiento  // a product leaves the range of a double
};

std::string_view TextoFalla(Falla falla);

// Arc cosine in radians by the arc-tangent identity, 0 for the argument 1.
double ArcCos(double x);

// The values of the chosen mode and system for `datos` and the conductor's ohms per
// 1000 ft. The first fault met, in the order of the steps, is the one returned.
std::variant<Valores, Falla> CalcularValores(Modo modo, Sistema sistema, const Datos& datos,
                                             const Conductor& conductor);

} // namespace engine
