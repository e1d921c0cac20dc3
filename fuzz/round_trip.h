// The round trip of a value through the 15-digit number text, checked against the C
// library's own rounding.
#pragma once

#include "engine/numeric_text.h"
#include "fuzz_input.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// `valor` rounded to 15 significant digits by the C library, independently of the engine;
// NaN when the rounding leaves the range of a double.
inline double Redondeado15(double valor) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.14e", valor);
    const double r = std::strtod(texto, nullptr);
    return std::isfinite(r) ? r : NAN;
}

inline void ComprobarIdaYVuelta(double v) {
    if (!std::isfinite(v)) {
        return;
    }
    const std::string texto = engine::TextoQuinceCifras(v);
    const double leido = engine::ValorNumerico(texto);
    const double esperado = Redondeado15(v);
    // Past the top of the range the rounding has no double, and the text reads as 0.
    if (std::isnan(esperado) ? leido != 0 : leido != esperado) {
        Falla("ida y vuelta", texto);
    }
    const std::string campo = engine::TextoNumerico(v);
    if (campo.find_first_not_of("0123456789.E+-") != std::string::npos || campo[0] == '-' ||
        engine::ValorNumerico(campo) != std::fabs(leido)) {
        Falla("texto de campo", campo);
    }
}

} // namespace fuzz
