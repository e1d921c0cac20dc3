// The conductor tables: reactance and AC resistance per 1000 ft for each size and conduit.
#pragma once

#include "engine/aviso.h"
#include "engine/conductors.h"

#include <array>
#include <filesystem>
#include <optional>
#include <variant>

namespace engine {

// Ohms per 1000 ft of one conductor, as the table gives them for the chosen conduit.
struct Conductor {
    double ReactanciaTabla = 0;
    double ResistenciaTabla = 0;

    bool operator==(const Conductor&) const = default;
};

// Every row of a material's table, for every conduit: the table files read once, for a
// whole schedule of feeders. The sizes below the material's first row are absent.
struct TablaConductores {
    std::array<std::optional<std::array<Conductor, Ductos.size()>>, Calibres.size()> filas;
};

// Reads the whole table of `material` in `carpeta`, read-only, or tells why it cannot.
std::variant<TablaConductores, Aviso> LeerTabla(Material material,
                                                const std::filesystem::path& carpeta);

// The conductor tables of both materials, indexed by Material, each read once.
using TablasConductores = std::array<TablaConductores, Materiales.size()>;

// Both tables of `carpeta`, or why the first that cannot be read cannot.
std::variant<TablasConductores, Aviso> LeerTablas(const std::filesystem::path& carpeta);

// Reads the row of `indiceCalibre` (a position in Calibres) from the table of `material`
// in `carpeta`, and the two columns of `indiceDucto` (a position in Ductos). The file is
// opened afresh, read-only, on every call, so an edit between two calculations is seen by
// the next. A size below the material's first row (aluminium "14") is refused before
// anything else. A conduit index outside Ductos reads nothing and gives zero reactance
// and resistance.
std::variant<Conductor, Aviso> LeerConductor(Material material, int indiceDucto, int indiceCalibre,
                                             const std::filesystem::path& carpeta);

} // namespace engine
