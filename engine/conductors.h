// What the program knows of its conductors and conduits: the sizes in table order, the
// conduits with the table columns that describe them, the materials with their files.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace engine {

enum class Material { Cobre, Aluminio };

// One conductor size, as the size list shows it.
struct Calibre {
    std::string_view nombre; // AWG gauge up to "4/0", thousands of circular mils above
};

// The sizes in table order, smallest first.
inline constexpr std::array<Calibre, 21> Calibres{{
    {"14"},  {"12"},  {"10"},  {"8"},   {"6"},   {"4"},   {"3"},
    {"2"},   {"1"},   {"1/0"}, {"2/0"}, {"3/0"}, {"4/0"}, {"250"},
    {"300"}, {"350"}, {"400"}, {"500"}, {"600"}, {"750"}, {"1000"},
}};

// A conduit material and the columns of a table row that hold, in ohms per 1000 ft, the
// reactance and the AC resistance of a conductor in it. Column 0 holds the size.
struct Ducto {
    std::string_view nombre;
    int columnaReactancia;
    int columnaResistencia;
};

// The magnetic steel conduit raises the reactance; aluminium and PVC share one column.
inline constexpr std::array<Ducto, 3> Ductos{{
    {"PVC", 1, 3},
    {"Aluminio", 1, 4},
    {"Acero", 2, 5},
}};

// A conductor material's table: the file beside the program, the table in it, and the
// first size (a position in Calibres) it has a row for; the sizes below it are refused
// with `rechazo`.
struct TablaMaterial {
    std::string_view archivo;
    std::string_view tabla;
    std::size_t primerCalibre;
    std::string_view rechazo;
};

// Indexed by Material. Aluminium conductors are not made in size 14.
inline constexpr std::array<TablaMaterial, 2> Materiales{{
    {"Cobre.sqlite", "cablesCobre", 0, ""},
    {"Aluminio.sqlite", "CableAlumino", 1, " Para el Aluminio debe escojer Calibre mayor del # 14"},
}};

constexpr const TablaMaterial& TablaDe(Material material) {
    return Materiales[static_cast<std::size_t>(material)];
}

} // namespace engine
