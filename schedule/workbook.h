// The workbook of a sized schedule, the same from the command and from the window.
#pragma once

#include "schedule/schedule_file.h"

#include <filesystem>
#include <optional>
#include <string>

namespace schedule {

// The schedule's workbook, the one the command writes from the schedule's file: the file's
// columns and the results, each row sized with `tablas` and numbers told with the file's
// decimal mark, and the notes. A message if it could not be written.
std::optional<std::string> ExportarLibro(const Cuadro& cuadro,
                                         const engine::TablasConductores& tablas,
                                         const std::optional<std::string>& errorTablas,
                                         const std::filesystem::path& archivo);

} // namespace schedule
