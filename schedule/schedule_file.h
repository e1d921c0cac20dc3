// A schedule as a window keeps and saves it: header fields, and the text of each feeder's
// cells, in the same CSV that the schedule command reads.
#pragma once

#include "schedule/feeders.h"

#include <array>
#include <filesystem>
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

    // A column of the file read: an input, a header field or another column, with its
    // header as the file wrote it.
    struct ColumnaArchivo {
        enum class Tipo { Entrada, Campo, Otra } tipo;
        std::size_t indice; // in Columnas, in ColumnasDeEncabezado, or in `otras`
        std::string titulo;

        bool operator==(const ColumnaArchivo&) const = default;
    };
    std::vector<ColumnaArchivo> columnas; // in the file's order; none for a new schedule

    bool operator==(const Cuadro&) const = default;
};

// The columns the schedule's rows are written in: the file's, in its order, then any input
// the file lacked that a row now fills; for a new schedule, the inputs by their names, the
// header fields and the other columns.
std::vector<Cuadro::ColumnaArchivo> Disposicion(const Cuadro& cuadro);

// A row's cells in the order of `columnas`, as a file holds them: numbers with the
// schedule's decimal mark.
std::vector<std::string> CeldasDelArchivo(const Cuadro& cuadro,
                                          const std::vector<Cuadro::ColumnaArchivo>& columnas,
                                          const Cuadro::Fila& fila);

// What the sizing made of a row: the feeder or the cells it could not read, and the
// sizing, if the row was read.
struct FilaDimensionada {
    FilaLeida leida = std::vector<ErrorCelda>{};
    std::optional<engine::Dimensionado> dimensionado;
    std::vector<ErrorCelda> errores; // the cells to mark, an input the sizing refused among them
};

// Sizes a kept row with `tablas`, or tells `errorTablas` when the tables could not be read.
FilaDimensionada DimensionarFila(const Cuadro::Fila& fila, const engine::TablasConductores& tablas,
                                 const std::optional<std::string>& errorTablas,
                                 const engine::Separadores& sep);

// The header the command reads for rows kept with "." decimals in the order of Columnas.
Encabezado EncabezadoCanonico();

// A row new to `cuadro`, numbered after its last one: the main window's numbers, and each
// optional input at its default.
Cuadro::Fila FilaNueva(const Cuadro& cuadro);

// Reads a schedule that the command reads, with the decimal mark its numbers show. A file
// that cannot be read gives a message naming the first bad row or line.
std::variant<Cuadro, std::string> LeerCuadro(std::istream& entrada);

// Puts a cell's text, as typed or pasted under `marca`, into a row: a number as a plain
// decimal, anything else as it stands with why it cannot be read.
void PonerCelda(Cuadro::Fila& fila, Columna columna, std::string_view texto, MarcaDecimal marca);

// Reads a kept row into a feeder, the cells kept with their reasons still refused.
FilaLeida LeerFilaDelCuadro(const Cuadro::Fila& fila);

// The schedule's workbook, the one the command writes from the schedule's file: the file's
// columns and the results, each row sized with `tablas` and numbers told with the file's
// decimal mark, and the notes. A message if it could not be written.
std::optional<std::string> ExportarLibro(const Cuadro& cuadro,
                                         const engine::TablasConductores& tablas,
                                         const std::optional<std::string>& errorTablas,
                                         const std::filesystem::path& archivo);

// Writes the schedule as CSV with its delimiter and decimal mark: the input columns by
// their names, then the header fields and the other columns. Reading it back gives the
// same schedule.
void EscribirCuadro(const Cuadro& cuadro, std::ostream& salida);

} // namespace schedule
