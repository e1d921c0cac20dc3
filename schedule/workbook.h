// The workbook of a sized schedule, the same from the command and from the window.
#pragma once

#include "schedule/record.h"
#include "schedule/schedule_file.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace schedule {

// The workbook's headers for a file's header row: each input by its title with its unit,
// the file's other columns as written, then the results' (those of an earlier sizing give
// way to them).
std::vector<std::string> TitulosDelLibro(const Encabezado& encabezado);

// The row of the sheet "Proyecto" that tells the decimal mark of the texts' numbers.
inline constexpr std::string_view EtiquetaMarcaDecimal = "Marca decimal";

// The sheet "Proyecto": the project's fields and the decimal mark, then the summary.
std::vector<Renglon> RenglonesDelLibro(const DatosProyecto& proyecto, const Resumen& resumen,
                                       const engine::Separadores& sep);

// The schedule's workbook, the one the command writes from the schedule's file: the file's
// columns and the results, each row sized with `tablas` and numbers told with the file's
// decimal mark, the project with the summary, and the notes. A message if it could not be
// written. `avance` is told the rows sized and may stop the work by returning false.
std::optional<std::string> ExportarLibro(const Cuadro& cuadro,
                                         const engine::TablasConductores& tablas,
                                         const std::optional<std::string>& errorTablas,
                                         const std::filesystem::path& archivo,
                                         const std::function<bool(std::size_t)>& avance = {});

} // namespace schedule
