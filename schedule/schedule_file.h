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

    // Each feeder: its input cells in the order of Columnas, and the cells of the file's
    // other columns. A number is kept as a plain decimal with "." as its decimal point; a
    // cell that could not be read keeps its text as written, with the reason in `errores`.
    struct Fila {
        std::array<std::string, Columnas.size()> entradas;
        std::array<std::string, Columnas.size()> errores;
        std::vector<std::string> otras;

        bool operator==(const Fila&) const = default;
    };
    std::vector<std::string> otras; // the other columns' names, as the file wrote them
    std::vector<Fila> filas;
    char delimitador = ';';    // the delimiter the file is saved with
    Marca marca = Marca::Coma; // and its decimal mark

    bool operator==(const Cuadro&) const = default;
};

// The header the command reads for rows kept with "." decimals in the order of Columnas.
Encabezado EncabezadoCanonico();

// Reads a schedule that the command reads, with the decimal mark its numbers show. A file
// that cannot be read gives a message naming the first bad row or line.
std::variant<Cuadro, std::string> LeerCuadro(std::istream& entrada);

// Puts a cell's text, as typed or pasted under `marca`, into a row: a number as a plain
// decimal, anything else as it stands with why it cannot be read.
void PonerCelda(Cuadro::Fila& fila, Columna columna, std::string_view texto, MarcaDecimal marca);

// Reads a kept row into a feeder, the cells kept with their reasons still refused.
FilaLeida LeerFilaDelCuadro(const Cuadro::Fila& fila);

// Writes the schedule as CSV with its delimiter and decimal mark: the input columns by
// their names, then the header fields and the other columns. Reading it back gives the
// same schedule.
void EscribirCuadro(const Cuadro& cuadro, std::ostream& salida);

} // namespace schedule
