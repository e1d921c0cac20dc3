// Sizing a feeder as the code asks: the current of its load, the conductor that carries
// the continuous part at 125 % and the whole after correction and adjustment, the
// overcurrent device, the conductor that device protects, and the smallest conductor that
// keeps the regulation within a limit.
#pragma once

#include "engine/code_editions.h"
#include "engine/conductor_table.h"
#include "engine/decimal.h"
#include "engine/defaults.h"
#include "engine/formulas.h"
#include "engine/motors.h"
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
    std::size_t ducto = 0; // position in Ductos
    // The load, by one of three: its current, its real power or its apparent power.
    std::optional<Decimal> corriente;                      // A, exactly as written
    std::optional<Decimal> potenciaKw;                     // kW
    std::optional<Decimal> potenciaKva;                    // kVA
    double voltaje = 0;                                    // sending-end voltage, V
    double factorPotencia = 0;                             // 0 < fp <= 1
    double longitud = 0;                                   // m
    double regulacionMaxima = PorOmision.regulacionMaxima; // largest regulation, %
    double juegos = PorOmision.juegos; // conductor sets in parallel per phase, 1 to 10
    double temperaturaAmbiente = PorOmision.temperaturaAmbiente; // °C
    // Current-carrying conductors in one raceway; each set runs in a raceway of its own,
    // so by default those of one set.
    std::optional<double> conductoresDucto;
    std::optional<std::size_t> calibre; // a size to check instead of choosing one
    // The continuous part of the load (3 h or more): a share of it, or its current.
    std::optional<Decimal> continua;                  // %, 100 when neither is given
    std::optional<Decimal> corrienteContinua;         // A
    std::size_t aislamiento = PorOmision.aislamiento; // position in Aislamientos
    bool mojado = PorOmision.mojado;                  // the location
    double terminales = PorOmision.terminales;        // °C: 60 or 75
    bool dispositivo100 = false;                      // an assembly listed for 100 % of its rating
    std::optional<Decimal> proteccion; // a device rating to check instead of choosing one
    // The rest of the feeder: the neutral, and the conduit each set runs in.
    std::optional<bool> neutro;               // by default three-phase has one, single-phase not
    std::optional<std::size_t> calibreNeutro; // a size, by default that of the phases
    bool neutroPortador = false;              // the neutral counts as current-carrying
    std::optional<std::size_t> tubo;          // position in Tubos, by default the conduit's
    std::optional<std::size_t> tamanoTubo;    // position in TamanosTubo, by default chosen
    // Not for the sizing: the fault current down the feeder and its device's check.
    std::optional<Decimal> capacidadInterruptiva; // kA, the device's given rating
    std::optional<Decimal> kvaTransformador;      // its own transformer, where it has one
    std::optional<Decimal> zTransformador;        // % impedance
    // A motor's branch circuit: its load is the table's full-load current, not given.
    std::optional<Motor> motor;
};

// Whether the feeder has a neutral: given, or by its system.
bool ConNeutro(const Alimentador& alimentador);

// The input of a feeder that a refusal names.
enum class Dato {
    Corriente,
    PotenciaKw,
    PotenciaKva,
    Voltaje,
    FactorPotencia,
    Longitud,
    RegulacionMaxima,
    Juegos,
    TemperaturaAmbiente,
    ConductoresDucto,
    Ducto,
    Calibre,
    Continua,
    CorrienteContinua,
    Aislamiento,
    Terminales,
    Proteccion,
    CalibreNeutro,
    Tubo,
    TamanoTubo,
    MotorHp,
    MotorTipo,
};

// Which minimum decided the chosen size.
enum class Rige { Caida, Ampacidad, Ambos };
std::string_view TextoRige(Rige rige);

// Which rule of ampacity decided the smallest size by ampacity: the 125 % of the continuous
// load in the column of the terminals, the current after correction and adjustment, or
// the device's protection of the conductor.
enum class Regla { CargaContinua, Corregida, Proteccion };

// A feeder's figures at one size.
struct EnCalibre {
    double caida = 0;        // V
    double regulacion = 0;   // drop over sending voltage, %
    double voltajeFinal = 0; // V
    Decimal ampacidad;       // allowable A of all the sets together, after the factors
};

// The arithmetic behind the ampacity and the device, for a reader to check.
struct Ampacidad {
    Decimal corriente;          // the current used, A
    bool calculada = false;     // computed from kW or kVA and rounded to 2 decimals
    Decimal continua;           // its continuous part, A
    Decimal noContinua;         // the rest, A
    Decimal factorContinua;     // 1.25, or 1 with a device rated for 100 %
    Decimal requerida;          // factorContinua × continua + noContinua, A
    int columnaTerminales = 0;  // °C: the lower of the insulation's and the terminals'
    int columnaAislamiento = 0; // °C: the insulation's in its location
    Decimal factorTemperatura;
    Decimal factorAgrupamiento;
    Decimal factores; // the two together
    int conductoresDucto = 0;
    Decimal proteccion; // the device rating, A, chosen or given
    std::optional<Regla> decisiva;
};

// The feeder as a drawing writes it: phases, neutral and grounding conductor in each of its
// raceways, one raceway a set.
struct Conjunto {
    std::optional<std::size_t> neutro; // its size; none without a neutral
    std::size_t tierra = 0;            // the equipment grounding conductor's size
    std::size_t tubo = 0;              // position in Tubos
    std::size_t tamano = 0;            // position in TamanosTubo
    int tubos = 1;                     // raceways, one a set
    int conductoresPorTubo = 0;
    long long areaConductores = 0; // in one raceway, ten-thousandths of a square inch
    long long areaTubo = 0;        // thousandths of a square inch
    // The fill, in tenths of a percent, rounded half up.
    long long RellenoDecimas() const;
};

struct Dimensionado {
    std::optional<std::size_t> porCaida;     // the smallest size by drop
    std::optional<std::size_t> porAmpacidad; // the smallest size by ampacity and protection
    std::optional<std::size_t> elegido;      // the given size, or the larger minimum
    std::optional<Rige> rige;                // without a given size
    std::optional<EnCalibre> valores;        // at the chosen size
    std::optional<Ampacidad> ampacidad;      // once the load and the device are known
    std::optional<Conjunto> conjunto;        // once the size is known
    std::optional<CircuitoMotor> motor;      // a motor's row, once its current is known
    std::vector<std::string> observaciones;  // every message for the feeder
    std::optional<Dato> invalido;            // the input that breaks its rule, if any
    bool excedeRegulacion = false;           // a given size fails the limit
    bool excedeAmpacidad = false;            // a given size cannot carry the load
    bool calculado = false;                  // false: the feeder could not be sized
};

// Sizes `alimentador` with the tables' ohms. The numbers of the messages use `sep`, and
// the clauses they cite the numbering of `norma`.
Dimensionado Dimensionar(const Alimentador& alimentador, const TablasConductores& tablas,
                         const Separadores& sep = {}, Norma norma = NormaPorOmision);

// The allowable current of one conductor of size `calibre`, in A, exactly: the table's
// current in the insulation's column, corrected and adjusted, and no more than the table's
// current in the terminals' column.
Decimal AmpacidadPermitida(Material material, std::size_t calibre, int columnaAislamiento,
                           int columnaTerminales, const Decimal& factores);

} // namespace engine
