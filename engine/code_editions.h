// The code editions a project may name, and the numbers of the clauses the notes and the
// record cite in each; the rules themselves are the same.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace engine {

enum class Norma { Nec2020, Nec2023, Nom2012 };

// As a project names them, indexed by Norma.
inline constexpr std::array<std::string_view, 3> NombresNorma{"NEC 2020", "NEC 2023",
                                                              "NOM-001-SEDE-2012"};
inline constexpr Norma NormaPorOmision = Norma::Nec2023;

// The edition a name stands for, whatever its case and spaces.
std::optional<Norma> NormaDe(std::string_view nombre);

enum class Clausula {
#define CLAUSULA(clave, nec2020, nec2023, nom2012, leida) clave,
#include "data/normas.def"
#undef CLAUSULA
};

// The clause's number in the edition: "215.2(A)(1)", "Tabla 310-15(b)(16)".
std::string_view Cita(Clausula clausula, Norma norma);

} // namespace engine
