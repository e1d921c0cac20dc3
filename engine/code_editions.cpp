#include "engine/code_editions.h"

#include <cctype>
#include <string>

namespace engine {
namespace {

struct Citas {
    std::array<std::string_view, NombresNorma.size()> numeros;
};
constexpr Citas Tabla[] = {
#define CLAUSULA(clave, nec2020, nec2023, nom2012, leida) {{nec2020, nec2023, nom2012}},
#include "data/normas.def"
#undef CLAUSULA
};

// Upper case, without spaces: "nec 2023" and "NEC2023" are one name.
std::string Comparable(std::string_view texto) {
    std::string comparable;
    for (const char c : texto) {
        if (c != ' ' && c != '\t') {
            comparable += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return comparable;
}

} // namespace

std::optional<Norma> NormaDe(std::string_view nombre) {
    for (std::size_t i = 0; i < NombresNorma.size(); ++i) {
        if (Comparable(nombre) == Comparable(NombresNorma[i])) {
            return static_cast<Norma>(i);
        }
    }
    return std::nullopt;
}

std::string_view Cita(Clausula clausula, Norma norma) {
    return Tabla[static_cast<std::size_t>(clausula)].numeros[static_cast<std::size_t>(norma)];
}

} // namespace engine
