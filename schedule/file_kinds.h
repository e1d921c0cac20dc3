// The kinds of file a schedule is read from, told by their extension.
#pragma once

#include "schedule/project_file.h"

#include <filesystem>
#include <string>
#include <variant>

namespace schedule {

enum class TipoArchivo { Csv, Libro, Proyecto };

// ".alim" a project, ".xlsx" a workbook, anything else a CSV; the case does not matter.
TipoArchivo TipoDe(const std::filesystem::path& archivo);

// The file's extension in lower case: "Resultados.XLSX" is a workbook too.
std::string Extension(const std::filesystem::path& archivo);

// Reads a schedule from a file of any kind; a message if it cannot be read.
std::variant<Cuadro, std::string> AbrirCuadro(const std::filesystem::path& archivo,
                                              const Avance& avance = {});

} // namespace schedule
