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
    // Where rounding up leaves the range, the text is rounded down: it reads back as a
    // value within one unit of the 15th digit, on the same side of zero.
    if (std::isnan(esperado)) {
        const double unidad = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 14);
        if (leido == 0 || std::signbit(leido) != std::signbit(v) || std::fabs(v - leido) > unidad) {
            Falla("ida y vuelta", texto);
        }
    } else if (leido != esperado) {
        Falla("ida y vuelta", texto);
    }
    const std::string campo = engine::TextoNumerico(v);
    if (campo.find_first_not_of("0123456789.E+-") != std::string::npos || campo[0] == '-' ||
        engine::ValorNumerico(campo) != std::fabs(leido)) {
        Falla("texto de campo", campo);
    }
}

} // namespace fuzz
