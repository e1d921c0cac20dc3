// The available fault current at each board of a schedule's tree, point to point from the
// project's source, and the interrupting rating of each feeder's device checked against it
// (110.9): the device at a feeder's head sits at the board it is fed from, so it must
// interrupt the current at the feeder's start.
#pragma once

#include "engine/code_editions.h"
#include "engine/number_pattern.h"
#include "engine/short_circuit.h"
#include "engine/sizing.h"
#include "schedule/row_reader.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace schedule {

struct DatosProyecto;

// The source of the fault current, as a project gives it: the service transformer, with or
// without the utility's current at its primary, or the utility's current at the service.
struct Fuente {
    std::optional<engine::Transformador> transformador;
    std::optional<engine::Primario> red; // the utility at the transformer's primary; none: infinite
    std::optional<engine::Racional> acometida; // A at the service, given by the utility
    bool trifasica = true;
    engine::Racional voltaje; // V, line to line
    bool tolerancia = true;   // 0.9 · %Z
    engine::Racional motores; // A: the full-load current of the motors on the service's side
    // A: the full-load currents of the schedule's motor rows on the service's side.
    engine::Racional motoresDeFilas;

    // The whole full-load current of the motors on the service's side, A.
    engine::Racional Motores() const { return motores + motoresDeFilas; }
    bool operator==(const Fuente&) const = default;
};

// The project's source; none when it gives none, or a message naming the entries that
// are wrong, missing or given in both forms.
std::variant<std::monostate, Fuente, std::string> FuenteDe(const DatosProyecto& proyecto);

// The entries of the source, as a message that asks for them names them.
std::string EntradasDeLaFuente();

// A motor row's full-load current from the code's tables, exactly, and the system it runs on;
// none for another row, or where the tables give none.
struct MotorDeFila {
    engine::Racional corriente; // A
    engine::Racional voltaje;   // V
    bool trifasico = true;
};
std::optional<MotorDeFila> CorrienteDelMotor(const FilaLeida& leida);

// A board where feeders start: its fault current point to point, without the motors.
struct Tablero {
    std::optional<engine::Racional> corriente; // A; none: `motivo` says why
    std::string motivo;
    engine::Racional voltaje;
    bool trifasico = true;
    bool ladoAcometida = true; // no transformer between it and the service: the motors add
    std::string nombre;        // "la acometida", or the circuit that ends here

    bool operator==(const Tablero&) const = default;
};

// The service's board, and the lines of the record that tell how its current came.
Tablero TableroDeLaFuente(const Fuente& fuente);
std::vector<std::string> DetalleDeLaFuente(const Fuente& fuente, const engine::Separadores& sep);

// What the fault current down a feeder needs of its row.
struct Tramo {
    bool trifasico = true;
    engine::Racional voltaje;
    engine::Material material = engine::Material::Cobre;
    bool acero = false;
    std::optional<std::size_t> calibre; // the chosen size; none: the row was not sized
    engine::Racional juegos;
    engine::Racional longitud; // m
    bool transformador = false;
    std::optional<engine::Racional> capacidad; // kA, given
    std::optional<engine::Racional> kva;       // its own transformer
    std::optional<engine::Racional> z;

    bool operator==(const Tramo&) const = default;
};
// With `completo` false, for a project without a source, only the given rating is read: none
// without one.
std::optional<Tramo> TramoDe(const FilaLeida& leida,
                             const std::optional<engine::Dimensionado>& dimensionado,
                             bool completo = true);

// A feeder's figures: the current at its start and end with the motors, as printed, the
// rating chosen or checked, the remark, and the record's lines.
struct CortoDeFila {
    std::optional<engine::Racional> inicio; // A
    std::optional<engine::Racional> fin;
    std::optional<engine::Racional> capacidad; // kA: the given rating, or the proposed one
    bool insuficiente = false;                 // the rating is short of 110.9, or none is
    std::optional<std::string> error;          // the row cannot be fed from the service
    std::string nota;
    std::vector<std::string> detalle;
    Tablero final; // the board at its end, for the feeders it feeds

    bool operator==(const CortoDeFila&) const = default;
};

// What the walk down the tree needs beside each row.
struct ParaCorto {
    std::optional<Fuente> fuente; // none: no figures, and a given rating cannot be checked
    engine::Norma norma = engine::NormaPorOmision;
    engine::Separadores sep;
    bool detalle = false; // the record's lines of each step, which only the record reads
};

// The figures of a feeder that starts at `arriba`, for a project with a source.
CortoDeFila CortoEnFila(const ParaCorto& p, const Tramo* tramo, const Tablero& arriba,
                        std::string_view circuito);

// A row without a source: only a given rating has something to say, that it cannot be
// checked.
CortoDeFila SinFuente(const Tramo* tramo, engine::Norma norma);

// The project's settings of the walk: its source when it gives a sound one, its edition.
ParaCorto ParaCortoDe(const DatosProyecto& proyecto, const engine::Separadores& sep);

// kA with two decimals, half up, of a current in A: "17.09".
std::string TextoKa(const engine::Racional& amperes);

} // namespace schedule
