// The facts of ampacity and protection the sizing rules read: the table's columns, the
// ambient and adjustment factors, the standard ratings of overcurrent devices. Every value
// is exact, so that a boundary is met or missed as the tables print it.
#pragma once

#include "engine/conductors.h"
#include "engine/decimal.h"

#include <cstddef>
#include <optional>

namespace engine {

// The table's current for one conductor of size `calibre` in the column of `temperatura`
// °C (60, 75 or 90); 0 for a size the material does not have.
Decimal AmpacidadTabla(Material material, std::size_t calibre, int temperatura);

// The ambient-temperature correction in the column of `temperatura` °C; none where a
// conductor of that rating may not be used at that ambient.
std::optional<Decimal> FactorTemperatura(double gradosC, int temperatura);

// The highest ambient a conductor of `temperatura` °C may run in.
int AmbienteMaximo(int temperatura);

// The adjustment for `conductores` current-carrying conductors in one raceway.
Decimal FactorAgrupamiento(int conductores);

// The smallest standard rating of an overcurrent device that is at least `corriente`;
// none above the largest.
std::optional<Decimal> SiguienteEstandar(const Decimal& corriente);

bool EsEstandar(const Decimal& rating);

// The insulation's rating in a location, °C; 0 where the type may not be used there.
int TemperaturaAislamiento(std::size_t aislamiento, bool mojado);

} // namespace engine
