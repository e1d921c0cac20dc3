// Reading a schedule from an Excel workbook (.xlsx, Excel 2007 and later): a zip of XML
// parts, read with libzip and pugixml.
#pragma once

#include "schedule/schedule_file.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace schedule {

// Reads the sheet named "Alimentadores", or else the first. Its header row is the first
// that names the circuit and the current, so a title block above the table does no harm.
// Numbers are read as numbers and text as text (shared or inline), dates in either date
// system as ISO 8601, a formula by its cached value; a formula without one is an error of
// its cell. A damaged workbook, or one without the header row, gives a message.
std::variant<Cuadro, std::string> LeerLibro(std::string_view bytes);

// A sheet's column by its letters, as Excel names it: 0 is "A", 27 is "AB".
std::string LetrasDeColumna(std::size_t columna);
std::variant<Cuadro, std::string> LeerLibro(const std::filesystem::path& archivo);

} // namespace schedule
