// The rest of a feeder once its phases are sized: the equipment grounding conductor for
// its device, the neutral, and the conduit of each set with its fill.
#pragma once

#include "engine/code_editions.h"
#include "engine/number_pattern.h"
#include "engine/raceways.h"
#include "engine/sizing.h"

namespace engine {

// Fills d.conjunto for a feeder whose size and device are known. A rule the feeder cannot
// meet is a message naming its input, and false.
bool CompletarConjunto(const Alimentador& alimentador, Dimensionado& d, const Separadores& sep,
                       Norma norma);

// The line a drawing writes: "3-250 + 1-250 N + 1-4 T, RMC 2-1/2 (63)", and for sets in
// parallel "2 × (…), 2 RMC 2-1/2 (63)".
std::string Especificacion(Sistema sistema, std::size_t calibre, const Conjunto& conjunto);

// The row of Table 250.122 for a device rating, or none past its last row.
const FilaTierra* FilaTierraDe(const Decimal& proteccion);

// 250.122(B): the circular mils the grounding conductor of the table's size `tierraTabla`
// grows to when the phases are `fases` instead of the `base` the ampacity asks for.
long long CmilProporcional(std::size_t tierraTabla, std::size_t fases, std::size_t base);

// The family of Chapter 9 Table 5 an insulation's areas are read in, a position in
// FamiliasAislamiento.
std::size_t FamiliaDe(std::size_t aislamiento);

// Chapter 9 Table 1: the share of a conduit's area `conductores` may fill, %.
int RellenoPermitido(int conductores);

// Whether conductors of a total area (ten-thousandths of a square inch) fit a conduit of
// `areaTubo` (thousandths), exactly.
bool Cabe(long long areaConductores, int conductores, long long areaTubo);

// Tenths written with the decimal separator: 398 is "39,8".
std::string TextoDecimas(long long decimas, const Separadores& sep);

// "RMC 2-1/2 (63)".
std::string NombreTubo(std::size_t tubo, std::size_t tamano);

} // namespace engine
