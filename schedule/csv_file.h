// A schedule in a CSV file, as a spreadsheet saved it: read with the decimal mark its
// numbers show, and written back the way it was written.
#pragma once

#include "schedule/schedule_file.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

namespace schedule {

// Reads a schedule that the command reads, keeping what writing it back takes: its
// delimiter, decimal mark, encoding, byte-order mark, line ends, header, column order,
// blank rows and each row's cells as written. A file that cannot be read gives a message
// naming the first bad row or line.
std::variant<Cuadro, std::string> LeerCuadro(std::istream& entrada);

// Writes the schedule as CSV in its file's shape: a cell that did not change as the file
// wrote it, a changed or new one in the file's format. A schedule from elsewhere is written
// with the inputs by their names, then the other columns, in `cuadro.formato`. Returns a
// notice when a character has no place in the file's Windows-1252 and the file is written
// in UTF-8 instead.
std::optional<std::string> EscribirCuadro(const Cuadro& cuadro, std::ostream& salida);

} // namespace schedule
