// A schedule as a window keeps and saves it: header fields, and the text of each feeder's
// cells, in the same CSV that the schedule command reads.
#pragma once

#include "schedule/feeders.h"

#include <array>
#include <istream>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace schedule {

// The header fields ride along in columns of their own, repeated on every row, which the
// command carries through like any other column.
inline constexpr std::array<std::string_view, 3> ColumnasDeEncabezado{"proyecto", "elaboro",
                                                                      "fecha"};

struct Cuadro {
    std::string proyecto;
    std::string elaboro;
    std::string fecha; // as written, ISO 8601 when the window writes it

    // Each feeder: its input cells in the order of Columnas, numbers with "." as their
    // decimal point, and the cells of the file's other columns.
    struct Fila {
        std::array<std::string, Columnas.size()> entradas;
        std::vector<std::string> otras;

        bool operator==(const Fila&) const = default;
    };
    std::vector<std::string> otras; // the other columns' names, as the file wrote them
    std::vector<Fila> filas;
    char delimitador = ';'; // the delimiter the file is saved with

    bool operator==(const Cuadro&) const = default;
};

// The header the command reads for rows kept with "." decimals in the order of Columnas.
Encabezado EncabezadoCanonico();

// Reads a schedule that the command reads. A file that cannot be read gives a message
// naming the first bad row or line.
std::variant<Cuadro, std::string> LeerCuadro(std::istream& entrada);

// Writes the schedule as CSV with its delimiter: the input columns by their names, then
// the header fields and the other columns; numbers with a decimal comma in a ";" or tab
// file. Reading it back gives the same schedule.
void EscribirCuadro(const Cuadro& cuadro, std::ostream& salida);

} // namespace schedule
