// One run of the schedule command: every feeder of a schedule sized, to CSV or .xlsx, or
// the schedule kept as a project.
#pragma once

#include "engine/code_editions.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <ostream>

namespace lote {

struct Opciones {
    std::filesystem::path entrada;
    std::optional<std::filesystem::path> salida; // standard output when absent
    std::filesystem::path tablas;                // the folder of the two table files
    // The code edition the remarks and notes cite; a project's own, or the default, when
    // absent.
    std::optional<engine::Norma> norma;
    // The source of the fault current as the options give it: each key of a project's field
    // ("kva_fuente") with its value, over the project's own.
    std::vector<std::pair<std::string, std::string>> fuente;
};

// The exit statuses.
inline constexpr int Todo = 0;      // every row sized or checked
inline constexpr int Algunas = 1;   // some rows could not be computed
inline constexpr int NoEmpieza = 2; // nothing written

// Sizes the schedule. Messages go to `errores`; the CSV goes to `estandar` without an
// output file. An output file is written beside itself and renamed at the end, so that a
// failed run leaves no file and no changed file.
int Ejecutar(const Opciones& opciones, std::ostream& estandar, std::ostream& errores);

} // namespace lote
