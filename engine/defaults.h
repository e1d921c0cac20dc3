// The values a feeder starts from: the main window's fields when it opens, a new row of a
// schedule, and what the empty optional cells of a schedule stand for.
#pragma once

#include "engine/conductors.h"

#include <cstddef>
#include <string_view>

namespace engine {

struct ValoresPorOmision {
    // The main window's numeric fields, as it shows them.
    std::string_view longitud = "100"; // m
    std::string_view corriente = "30"; // A
    std::string_view voltaje = "240";  // V
    std::string_view factorPotencia = "0.85";
    std::string_view caidaPermitida = "5"; // V
    // A feeder's optional inputs.
    double regulacionMaxima = 3;             // %
    int juegos = 1;                          // sets in parallel
    double temperaturaAmbiente = 30;         // °C
    std::string_view calibre = "automático"; // chosen, not given
    // Without a count, the conductors of one set: each set runs in a raceway of its own.
    std::string_view conductoresDucto = "los de un conjunto";
    // The conservative readings: a load is continuous unless said otherwise, terminals are
    // rated 75 °C, and the inside of a raceway is a wet location.
    int continua = 100; // % of the load
    std::string_view nombreAislamiento = "THW";
    std::size_t aislamiento = IndiceAislamiento(nombreAislamiento);
    bool mojado = true;
    double terminales = 75; // °C
};

inline constexpr ValoresPorOmision PorOmision{};

} // namespace engine
