// A row of a schedule read into a feeder: each cell by its column, every cell that cannot
// be read told with the reason, in words that name the column.
#pragma once

#include "engine/sizing.h"
#include "schedule/columns.h"
#include "schedule/decimal_mark.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace schedule {

// Yes or no as people write them ("sí", "s", "1", "no", "falso", …), or none.
std::optional<bool> LeerSiNo(std::string_view texto);

// A cell's text without the percent sign it ends with, and the blanks before the sign.
std::string_view SinPorciento(std::string_view texto);

// A row whose every cell is empty or blank, as spreadsheets export them: no feeder.
bool FilaVacia(const std::vector<std::string>& celdas);

// Counts the row's number cells toward the decimal mark of its file or block.
void ContarMarcas(const std::vector<std::string>& celdas, const Encabezado& encabezado,
                  DecisionMarca& decision);

// A cell that could not be read, and why; a cell beyond the header's columns has none.
struct ErrorCelda {
    std::optional<Columna> columna;
    std::string mensaje;

    bool operator==(const ErrorCelda&) const = default;
};

// A number cell of `columna` read under the mark: the plain decimal text, or why not.
std::variant<Numero, ErrorCelda> LeerNumeroDe(Columna columna, std::string_view texto,
                                              MarcaDecimal marca);

// One row read: the feeder, or every cell that could not be read.
using FilaLeida = std::variant<engine::Alimentador, std::vector<ErrorCelda>>;

FilaLeida LeerFila(const std::vector<std::string>& celdas, const Encabezado& encabezado,
                   MarcaDecimal marca);

} // namespace schedule
