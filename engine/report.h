// The lines of the report: heading, empty line, then one line per result.
#pragma once

#include "engine/formulas.h"
#include "engine/number_pattern.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

inline constexpr std::string_view Encabezado = "                        Resultado de los Cálculos";

// A whole report's length, heading included: a voltage drop has nine lines, a distance seven.
inline constexpr std::size_t LineasCaida = 9;
inline constexpr std::size_t LineasDistancia = 7;

// The empty line and the result lines of the mode and system, each a label, the value
// through its pattern, and a unit. The heading comes before them, written on its own.
std::vector<std::string> LineasResultado(Modo modo, Sistema sistema, const Valores& v,
                                         const Separadores& sep);

} // namespace engine
