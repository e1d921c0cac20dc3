// What the program knows of its conductors and conduits: the sizes in table order, the
// conduits with the table columns that describe them, the materials with their files.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace engine {

enum class Material { Cobre, Aluminio };
enum class Sistema { Trifasico, Monofasico };

// The position in `tabla` of the row named `nombre`, or tabla.size() for none.
template <typename Tabla>
constexpr std::size_t IndicePorNombre(const Tabla& tabla, std::string_view nombre) {
    std::size_t i = 0;
    while (i < tabla.size() && tabla[i].nombre != nombre) {
        ++i;
    }
    return i;
}

// An electrical system: its name, its phases (as a schedule may also write it), the
// current-carrying conductors of one set, and the factor of the drop formula
// ΔV = factor·I·Zef·L, Zef being per conductor.
struct SistemaElectrico {
    std::string_view nombre;
    int fases;
    int conductores;
    std::string_view factorCaida;
};

// Indexed by Sistema. Single-phase runs out and back: two conductors, twice the drop.
inline constexpr std::array<SistemaElectrico, 2> Sistemas{{
    {"Trifásico", 3, 3, "√3"},
    {"Monofásico", 1, 2, "2"},
}};

constexpr const SistemaElectrico& DescripcionSistema(Sistema sistema) {
    return Sistemas[static_cast<std::size_t>(sistema)];
}

// The temperature ratings of the ampacity table's columns, °C.
inline constexpr std::array<int, 3> Temperaturas{60, 75, 90};

// The ratings a feeder's terminals may have, °C: equipment is listed for 60 °C or 75 °C
// terminations (110.14(C)).
inline constexpr std::array<int, 2> TemperaturasTerminales{60, 75};

// The position of a rating in Temperaturas; Temperaturas.size() for none.
constexpr std::size_t ColumnaDeTemperatura(int grados) {
    std::size_t i = 0;
    while (i < Temperaturas.size() && Temperaturas[i] != grados) {
        ++i;
    }
    return i;
}

// One conductor size and the facts it carries, per material where they differ (indexed
// by Material).
struct Calibre {
    std::string_view nombre; // AWG gauge up to "4/0", thousands of circular mils above
    double mm2;              // cross-section, 3 significant digits
    // A at 60, 75 and 90 °C (indexed as Temperaturas), 30 °C ambient, 3 conductors; 0: none
    std::array<std::array<int, Temperaturas.size()>, 2> ampacidad;
    std::array<int, 2> limiteProteccion; // A, the small conductors' overcurrent limit; 0: none
};

// The sizes in table order, smallest first; the values are kept as text in data/.
inline constexpr std::array<Calibre, 21> Calibres{{
#define CALIBRE(nombre, mm2, cu60, cu75, cu90, al60, al75, al90, limiteCobre, limiteAluminio)      \
    {nombre, mm2, {{{cu60, cu75, cu90}, {al60, al75, al90}}}, {limiteCobre, limiteAluminio}},
#include "data/calibres.def"
#undef CALIBRE
}};

// A conductor insulation: its temperature rating dry and wet (0: not for wet locations),
// and the family whose areas Chapter 9 Table 5 gives for it.
struct Aislamiento {
    std::string_view nombre;
    int seco;
    int mojado;
    std::string_view familia;
};

inline constexpr std::array<Aislamiento, 10> Aislamientos{{
#define AISLAMIENTO(nombre, seco, mojado, familia) {nombre, seco, mojado, familia},
#include "data/aislamientos.def"
#undef AISLAMIENTO
}};

// The position of an insulation in Aislamientos, or Aislamientos.size() for none.
constexpr std::size_t IndiceAislamiento(std::string_view nombre) {
    return IndicePorNombre(Aislamientos, nombre);
}

// The standard ratings of overcurrent devices, A, smallest first.
inline constexpr int RatingsEstandar[] = {
#define PROTECCION(amperes) amperes,
#include "data/protecciones.def"
#undef PROTECCION
};

// The position of a size in Calibres, or Calibres.size() for a caption that is none.
constexpr std::size_t IndiceCalibre(std::string_view nombre) {
    return IndicePorNombre(Calibres, nombre);
}

// Conductors in parallel sets must be size 1/0 or larger (NEC 310.10(G); 310.10(H) in the
// 2011 and 2014 editions).
inline constexpr std::size_t PrimerCalibreParalelo = IndiceCalibre("1/0");

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

// The position of a conduit in Ductos, or Ductos.size() for a name that is none.
constexpr std::size_t IndiceDucto(std::string_view nombre) {
    return IndicePorNombre(Ductos, nombre);
}

// A conductor material: its name, its table's file beside the program, the table in it,
// and the first size (a position in Calibres) it has a row for; the sizes below it are
// refused with `rechazo`.
struct TablaMaterial {
    std::string_view nombre;
    std::string_view archivo;
    std::string_view tabla;
    std::size_t primerCalibre;
    std::string_view rechazo;
};

// Indexed by Material. Aluminium conductors are not made in size 14.
inline constexpr std::array<TablaMaterial, 2> Materiales{{
    {"Cobre", "Cobre.sqlite", "cablesCobre", 0, ""},
    {"Aluminio", "Aluminio.sqlite", "CableAlumino", 1,
     " Para el Aluminio debe escojer Calibre mayor del # 14"},
}};

constexpr const TablaMaterial& TablaDe(Material material) {
    return Materiales[static_cast<std::size_t>(material)];
}

} // namespace engine
