// Sizing a feeder: the smallest conductor that keeps the regulation within a limit, the
// smallest that carries the current, and the drop at the size chosen.
#pragma once

#include "engine/conductor_table.h"
#include "engine/decimal.h"
#include "engine/defaults.h"
#include "engine/formulas.h"
#include "engine/number_pattern.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// One feeder of a schedule. The whole-number inputs are kept as read, so that a fraction
// can be refused by name.
struct Alimentador {
    Sistema sistema = Sistema::Trifasico;
    Material material = Material::Cobre;
    std::size_t ducto = 0;                                 // position in Ductos
    Decimal corriente;                                     // load current, A, exactly as written
    double voltaje = 0;                                    // sending-end voltage, V
    double factorPotencia = 0;                             // 0 < fp <= 1
    double longitud = 0;                                   // m
    double regulacionMaxima = PorOmision.regulacionMaxima; // largest regulation, %
    double juegos = PorOmision.juegos; // conductor sets in parallel per phase, 1 to 10
    double temperaturaAmbiente = PorOmision.temperaturaAmbiente; // °C, at most 70
    // Current-carrying conductors in one raceway; each set runs in a raceway of its own,
    // so by default those of one set.
    std::optional<double> conductoresDucto;
    std::optional<std::size_t> calibre; // a size to check instead of choosing one
};

// The input of a feeder that a refusal names.
enum class Dato {
    Corriente,
    Voltaje,
    FactorPotencia,
    Longitud,
    RegulacionMaxima,
    Juegos,
    TemperaturaAmbiente,
    ConductoresDucto,
    Ducto,
    Calibre,
};

// Which minimum decided the chosen size.
enum class Rige { Caida, Ampacidad, Ambos };
std::string_view TextoRige(Rige rige);

// A feeder's figures at one size.
struct EnCalibre {
    double caida = 0;        // V
    double regulacion = 0;   // drop over sending voltage, %
    double voltajeFinal = 0; // V
    Decimal ampacidad;       // usable A of all the sets together, after the factors
};

struct Dimensionado {
    std::optional<std::size_t> porCaida;     // the smallest size by drop
    std::optional<std::size_t> porAmpacidad; // the smallest size by ampacity
    std::optional<std::size_t> elegido;      // the given size, or the larger minimum
    std::optional<Rige> rige;                // without a given size
    std::optional<EnCalibre> valores;        // at the chosen size
    std::vector<std::string> observaciones;  // every message for the feeder
    std::optional<Dato> invalido;            // the input that breaks its rule, if any
    bool excedeRegulacion = false;           // a given size fails the limit
    bool excedeAmpacidad = false;            // a given size cannot carry the current
    bool calculado = false;                  // false: the feeder could not be sized
};

// Sizes `alimentador` with the tables' ohms. The numbers of the messages use `sep`.
Dimensionado Dimensionar(const Alimentador& alimentador, const TablasConductores& tablas,
                         const Separadores& sep = {});

// The ambient-temperature correction of a 75 °C conductor; none above 70 °C.
std::optional<Decimal> FactorTemperatura(double gradosC);

// The adjustment for `conductores` current-carrying conductors in one raceway.
Decimal FactorAgrupamiento(int conductores);

// The current one conductor of size `calibre` may carry, in A, exactly: the table value
// corrected and adjusted, and no more than the overcurrent limit of the small sizes. 0 for
// a size the material does not have.
Decimal AmpacidadUtil(Material material, std::size_t calibre, const Decimal& factorTemperatura,
                      const Decimal& factorAgrupamiento);

} // namespace engine
