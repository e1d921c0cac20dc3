// The cells a sized row is written with: its input cells as the file wrote them, the
// numbers recognised, then the result columns, each written by its row of the table.
#pragma once

#include "engine/sizing.h"
#include "schedule/columns.h"
#include "schedule/decimal_mark.h"
#include "schedule/row_reader.h"

#include <optional>
#include <string>
#include <vector>

namespace schedule {

// The input cells as written, with the numbers of the numeric columns recognised, padded
// to the header's width; the results of an earlier sizing left out.
std::vector<Celda> CeldasDeEntrada(const std::vector<std::string>& celdas,
                                   const Encabezado& encabezado, MarcaDecimal marca);

// The number the sizing took for an empty cell of `c` in a row it read, where it took one.
std::optional<double> ValorUsado(Columna c, const FilaLeida& fila,
                                 const std::optional<engine::Dimensionado>& dimensionado);

// The input cells for people, as a workbook shows them: an empty optional cell shows the
// number the sizing took for it, marked as the default, where it took one.
void PonerValoresUsados(std::vector<Celda>& entradas, const Encabezado& encabezado,
                        const FilaLeida& fila,
                        const std::optional<engine::Dimensionado>& dimensionado,
                        const engine::Separadores& sep);

// The result cells, in the order of ColumnasResultado. A row that could not be sized
// gives only its messages.
std::vector<Celda> CeldasDeResultado(const FilaLeida& fila,
                                     const std::optional<engine::Dimensionado>& dimensionado,
                                     const engine::Separadores& sep);

// A row of the results: its input cells, then its result cells.
std::vector<Celda> CeldasDeSalida(const std::vector<std::string>& celdas,
                                  const Encabezado& encabezado, MarcaDecimal marca,
                                  const FilaLeida& fila,
                                  const std::optional<engine::Dimensionado>& dimensionado,
                                  const engine::Separadores& sep);

} // namespace schedule
