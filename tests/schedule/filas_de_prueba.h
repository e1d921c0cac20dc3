// What the tests of reading and writing rows share: a header read from its names, the
// required columns in a Spanish spreadsheet's words, and the two decimal marks.
#pragma once

#include "schedule/columns.h"
#include "schedule/decimal_mark.h"

#include <string>
#include <variant>
#include <vector>

namespace prueba {

inline schedule::Encabezado De(const std::vector<std::string>& nombres) {
    return std::get<schedule::Encabezado>(schedule::LeerEncabezado(nombres));
}

inline const std::vector<std::string> Nombres{"Circuito",  "Sistema", "Conductor", "Ducto",
                                              "Corriente", "Voltaje", "FP",        "Longitud"};

inline constexpr schedule::MarcaDecimal Coma{schedule::Marca::Coma, false};
inline constexpr schedule::MarcaDecimal Punto{schedule::Marca::Punto, false};

} // namespace prueba
