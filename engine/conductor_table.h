// The conductor tables: reactance and AC resistance per 1000 ft for each size and conduit.
#pragma once

#include "engine/aviso.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <variant>

namespace engine {

enum class Material { Cobre, Aluminio };

// Conductor sizes in table order: AWG gauges up to "4/0", thousands of circular mils above.
inline constexpr std::array<std::string_view, 21> Calibres{
    "14",  "12",  "10",  "8",   "6",   "4",   "3",   "2",   "1",   "1/0", "2/0",
    "3/0", "4/0", "250", "300", "350", "400", "500", "600", "750", "1000"};

// Conduit materials; the position chooses the reactance and resistance columns.
inline constexpr std::array<std::string_view, 3> Ductos{"PVC", "Aluminio", "Acero"};

inline constexpr std::string_view ArchivoCobre = "Cobre.sqlite";
inline constexpr std::string_view ArchivoAluminio = "Aluminio.sqlite";
inline constexpr std::string_view TablaCobre = "cablesCobre";
inline constexpr std::string_view TablaAluminio = "CableAlumino";

inline constexpr std::string_view TextoRechazoAluminio =
    " Para el Aluminio debe escojer Calibre mayor del # 14";

// Ohms per 1000 ft of one conductor, as the table gives them for the chosen conduit.
struct Conductor {
    double ReactanciaTabla = 0;
    double ResistenciaTabla = 0;

    bool operator==(const Conductor&) const = default;
};

// Reads the row of `indiceCalibre` (a position in Calibres) from the table of `material`
// in `carpeta`, and the two columns of `indiceDucto` (a position in Ductos). The file is
// opened afresh, read-only, on every call, so an edit between two calculations is seen by
// the next. Aluminium has no row for size "14": that choice is refused before anything
// else. A conduit index outside Ductos reads nothing and gives zero reactance and
// resistance.
std::variant<Conductor, Aviso> LeerConductor(Material material, int indiceDucto, int indiceCalibre,
                                             const std::filesystem::path& carpeta);

} // namespace engine
