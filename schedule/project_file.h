// The project file: a schedule, its project's data and settings in a SQLite database
// (".alim"), written whole or not at all.
#pragma once

#include "schedule/schedule_file.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace schedule {

// Recognises the file as a project: "CCAV" in its header.
inline constexpr std::int32_t IdAplicacion = 0x43434156;
// The schema written; a file of an earlier one is read and upgraded in memory, and written
// in this one only when saved. 1: the first inputs; 2: the load by power, its continuous
// part, the insulation, location, terminals and overcurrent device, and the project's
// code edition; 3: the neutral, the conduit, the feeder upstream and the transformer, and
// the project's total regulation; 4: the device's interrupting rating and the row's own
// transformer's kVA and %Z, and the project's source of the fault current; 5: the motor of
// a motor's branch circuit.
inline constexpr int VersionEsquema = 5;

// Told the rows done of all as a long read or write goes on; false stops it.
using Avance = std::function<bool(std::size_t hechas, std::size_t total)>;

// Reads a project file, without changing or creating any file. A file of a newer schema is
// refused naming both versions; one that is not a project, or is damaged, with a message
// that says so.
std::variant<Cuadro, std::string> LeerProyecto(const std::filesystem::path& archivo,
                                               const Avance& avance = {});

// Saves the schedule as a project file, in one transaction: written beside the file and
// renamed over it, so that a save that fails or is stopped midway leaves the old file
// whole. A message if it was not saved.
std::optional<std::string> GuardarProyecto(const Cuadro& cuadro,
                                           const std::filesystem::path& archivo,
                                           const Avance& avance = {});

} // namespace schedule
