// What a feeder needs beside its phases: the equipment grounding conductor for its device,
// the conductors' areas with their insulation, and the conduits with their trade sizes.
#pragma once

#include "engine/conductors.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace engine {

// A trade size and its metric designator: "2-1/2" and 63.
struct TamanoTubo {
    std::string_view comercial;
    int designador;
};

inline constexpr std::array<TamanoTubo, 12> TamanosTubo{{
    {"1/2", 16},
    {"3/4", 21},
    {"1", 27},
    {"1-1/4", 35},
    {"1-1/2", 41},
    {"2", 53},
    {"2-1/2", 63},
    {"3", 78},
    {"3-1/2", 91},
    {"4", 103},
    {"5", 129},
    {"6", 155},
}};

// A conduit type and its inside area at each trade size, thousandths of a square inch; 0
// where its article has no such size.
struct TipoTubo {
    std::string_view nombre;
    std::array<int, TamanosTubo.size()> area;
};

inline constexpr std::array<TipoTubo, 5> Tubos{{
#define TUBO(nombre, ...) {nombre, {__VA_ARGS__}},
#include "data/tubos.def"
#undef TUBO
}};

constexpr std::size_t IndiceTubo(std::string_view nombre) {
    return IndicePorNombre(Tubos, nombre);
}

// The conduit types of each material of Ductos, whose resistance and reactance they take:
// EMT, IMC and RMC are steel, RMC is also made in aluminium, PVC is PVC. The first type of
// a material is the one a feeder takes when it names none.
struct TuboDeDucto {
    std::string_view tubo;
    std::string_view ducto;
};
inline constexpr TuboDeDucto TubosDeDuctos[] = {
    {"PVC-40", "PVC"}, {"PVC-80", "PVC"}, {"RMC", "Acero"},
    {"EMT", "Acero"},  {"IMC", "Acero"},  {"RMC", "Aluminio"},
};

// Whether conduit type `tubo` may be of material `ducto` (positions in Tubos and Ductos).
constexpr bool TuboEnDucto(std::size_t tubo, std::size_t ducto) {
    for (const TuboDeDucto& t : TubosDeDuctos) {
        if (t.tubo == Tubos[tubo].nombre && t.ducto == Ductos[ducto].nombre) {
            return true;
        }
    }
    return false;
}

// The material a conduit type is of, when a feeder names only the type: the first the
// table lists it in (RMC is steel unless said otherwise).
constexpr std::size_t DuctoDelTubo(std::size_t tubo) {
    for (const TuboDeDucto& t : TubosDeDuctos) {
        if (t.tubo == Tubos[tubo].nombre) {
            return IndiceDucto(t.ducto);
        }
    }
    return Ductos.size();
}

constexpr std::size_t TuboPorOmision(std::size_t ducto) {
    for (const TuboDeDucto& t : TubosDeDuctos) {
        if (t.ducto == Ductos[ducto].nombre) {
            return IndiceTubo(t.tubo);
        }
    }
    return Tubos.size();
}

// The fill a conduit allows, from `conductores` conductors on, until the next row; %.
struct FilaRelleno {
    int conductores;
    int porciento;
};
inline constexpr FilaRelleno Rellenos[] = {
#define RELLENO(conductores, porciento) {conductores, porciento},
#include "data/rellenos.def"
#undef RELLENO
};

// The insulation families of Chapter 9 Table 5, as Aislamiento::familia names them.
inline constexpr std::array<std::string_view, 3> FamiliasAislamiento{"THW", "THHN", "XHHW"};

// An insulated conductor's area by family, ten-thousandths of a square inch.
struct AreaAislado {
    std::string_view calibre;
    std::array<int, FamiliasAislamiento.size()> area;
};

// Indexed as Calibres.
inline constexpr std::array<AreaAislado, Calibres.size()> AreasAislados{{
#define AREA(calibre, thw, thhn, xhhw) {calibre, {thw, thhn, xhhw}},
#include "data/areas.def"
#undef AREA
}};

// Table 5 lists THW, THHW and THW-2 in sizes 14 to 8 in two rows of different areas;
// AreasAislados keeps the larger, so a fill checked with it holds with either.
struct RenglonesDobles {
    std::size_t familia;    // in FamiliasAislamiento
    std::size_t ultimo;     // the largest size listed twice, in Calibres
    std::string_view mayor; // the row whose areas are kept
    std::string_view menor; // the other row
};
inline constexpr RenglonesDobles RenglonesThw{
    0, IndiceCalibre("8"), "RHH*, RHW*, RHW-2*, THHW, THW, THW-2", "TW, THHW, THW, THW-2"};

constexpr bool TieneDosRenglones(std::size_t familia, std::size_t calibre) {
    return familia == RenglonesThw.familia && calibre <= RenglonesThw.ultimo;
}

// A size's area in circular mils, indexed as Calibres.
struct SeccionCalibre {
    std::string_view calibre;
    long long cmil;
};
inline constexpr std::array<SeccionCalibre, Calibres.size()> Secciones{{
#define SECCION(calibre, cmil) {calibre, cmil},
#include "data/secciones.def"
#undef SECCION
}};

// A row of the grounding table: the device ratings up to `amperes`, and the sizes in
// copper and aluminium (indexed by Material), which may be sizes Calibres lacks.
struct FilaTierra {
    int amperes;
    std::array<std::string_view, 2> calibre;
};
inline constexpr FilaTierra TablaTierras[] = {
#define TIERRA(amperes, cobre, aluminio) {amperes, {cobre, aluminio}},
#include "data/tierras.def"
#undef TIERRA
};

} // namespace engine
