// The main window's feeder as a row of the schedule: what "Agregar a alimentadores" adds.
#pragma once

#include "engine/calcular.h"
#include "schedule/schedule_file.h"

namespace schedule {

// `nueva` with the main window's choices and numbers, as the main window reads them. In the
// distance mode the row takes the permitted distance as its length, to the centimetre the
// report shows, and the permitted drop as its largest regulation, to two decimals.
Cuadro::Fila FilaDeLaCalculadora(const engine::Entrada& entrada, Cuadro::Fila nueva);

} // namespace schedule
