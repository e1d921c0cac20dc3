// The available fault current by the point-to-point method of the fuse maker's notes:
// bolted three-phase (or line-to-line) faults, symmetrical RMS amperes, with 1.732 for the
// square root of three as the published method writes it, so that a reviewer who redoes a
// step with it gets the same digits.
#pragma once

#include "engine/conductors.h"
#include "engine/exact.h"

#include <array>
#include <optional>

namespace engine {

inline const Racional Raiz3{1732, 1000};
// A single-phase circuit off a three-phase board sees the line-to-line fault: 0.866 of it.
inline const Racional FactorMonofasico{866, 1000};
// The full-load current of the motors on the service's side contributes four times itself.
inline constexpr int MultiploMotores = 4;

// A transformer as its nameplate gives it: kVA, % impedance, and whether it is three-phase.
struct Transformador {
    Racional kva;
    Racional z;
    bool trifasico = true;
    bool operator==(const Transformador&) const = default;
};

// The % impedance the method uses: 0.9 of the nameplate's with its ±10 % tolerance, which
// raises the current.
Racional ZUsada(const Racional& z, bool tolerancia);

// The transformer's full-load current at `voltaje` (line to line): kVA · 1000 / (E · 1.732),
// or kVA · 1000 / E single-phase.
Racional CorrienteNominal(const Transformador& t, const Racional& voltaje);

// The fault current at a transformer's secondary, and the numbers of its step.
struct PasoTransformador {
    Racional nominal; // full-load current, A
    Racional zUsada;  // %
    // Through the transformer from a finite current at its primary: f and M.
    std::optional<Racional> f;
    std::optional<Racional> m;
    Racional corriente; // A
};

// The current where the primary's is `primario` (A, at `voltajePrimario`): f = I_P · V_P ·
// 1.732 · %Z′ / (100 000 · kVA), without 1.732 single-phase, M = 1 / (1 + f), I = (V_P / V_S)
// · M · I_P. Without a primary current, an infinite bus: I = I_FLA · 100 / %Z′.
struct Primario {
    Racional corriente;
    Racional voltaje;
    bool operator==(const Primario&) const = default;
};
PasoTransformador Secundario(const Transformador& t, const Racional& voltajeSecundario,
                             bool tolerancia, const std::optional<Primario>& primario);

// The fault current at the end of a feeder from the one at its start.
struct PasoConductor {
    Racional f; // 1.732 · L · I / (C · n · E), or 2 · L · I / (C · n · E) single-phase
    Racional m; // 1 / (1 + f)
    Racional fin;
};
PasoConductor PorConductor(const Racional& inicio, long long c, const Racional& pies,
                           const Racional& juegos, const Racional& voltaje, bool trifasico);

// Metres in feet: m / 0.3048, exactly.
Racional Pies(const Racional& metros);

// The C value of three single conductors of a size (position in Calibres) in a conduit,
// steel or non-magnetic; none where the table gives none.
std::optional<long long> ValorC(Material material, bool acero, std::size_t calibre);

// The standard interrupting ratings, kA, in ascending order.
inline constexpr std::array<int, 14> CapacidadesInterruptivas{
#define CAPACIDAD(ka) ka,
#include "data/capacidades_interruptivas.def"
#undef CAPACIDAD
};

// The smallest standard rating (kA) not below `amperes`; none above the largest.
std::optional<int> CapacidadPropuesta(const Racional& amperes);

} // namespace engine
