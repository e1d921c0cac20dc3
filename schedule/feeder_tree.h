// The feeders as a tree: each one fed from the service, from a transformer, or from the
// feeder its `alimentado_desde` names; the regulation added up from where the sum starts
// to each feeder, and the paths that pass the limit of the whole.
#pragma once

#include "engine/number_pattern.h"
#include "schedule/fault_current.h"
#include "schedule/result_cells.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace schedule {

// One feeder as the tree sees it.
struct Nodo {
    std::string circuito;
    std::string desde;                // the circuito upstream; empty: the service
    bool transformador = false;       // the sum starts again here
    std::optional<double> regulacion; // %, unrounded; none: the row could not be sized
    // Apart, since most rows have no source to walk, nor a motor.
    std::shared_ptr<const Tramo> tramo;       // none: the row could not be read
    std::shared_ptr<const MotorDeFila> motor; // a motor row's full-load current and its system
};

// A feeder's place in the tree: its total, or the error of the row, or why it has none.
struct EnArbol {
    std::optional<double> total;      // %, unrounded
    std::optional<std::string> error; // an unknown or repeated name upstream, or a loop
    std::optional<std::string> nota;  // the path past the limit, or why there is no total
    CortoDeFila corto;                // the fault current at its ends and its device's rating

    bool operator==(const EnArbol&) const = default;
};

// A circuit's name as names are matched: trimmed, in lower case.
std::string ClaveCircuito(std::string_view nombre);

// The tree of `nodos`, in their order. A name matches a `circuito` trimmed and whatever
// its case. A total passes `maximo` (%) when strictly greater. The fault current runs down
// from the source of `corto` through every feeder, transformers and all.
std::vector<EnArbol> Arbol(const std::vector<Nodo>& nodos, double maximo,
                           const engine::Separadores& sep, const ParaCorto& corto = {});

// The same tree for rows sized one at a time: the nodes come without their regulations,
// which are told as each row is sized. A row's place is known once every feeder from where
// its sum starts down to it is sized (with a source of fault current, every feeder up to the
// service), so that rows can be written in order as soon as their feeders upstream are, and
// held only while one is not.
class ArbolDeFilas {
public:
    ArbolDeFilas(std::vector<Nodo> nodos, double maximo, const engine::Separadores& sep,
                 ParaCorto corto = {});
    ~ArbolDeFilas();
    ArbolDeFilas(const ArbolDeFilas&) = delete;
    ArbolDeFilas& operator=(const ArbolDeFilas&) = delete;

    std::size_t Filas() const;
    // The row sized: its regulation, and what the fault current needs of it.
    void Dimensionada(std::size_t fila, std::optional<double> regulacion,
                      std::shared_ptr<const Tramo> tramo);
    bool Listo(std::size_t fila) const;
    // The row's place, once Listo.
    EnArbol Lugar(std::size_t fila);

private:
    class Calculo;
    std::unique_ptr<Calculo> calculo_;
};

// The node of a row: its names as written, its transformer cell, its regulation and its
// feeder.
// `completo`: the project has a source, and the fault current needs the whole feeder.
Nodo NodoDeFila(std::string_view circuito, std::string_view desde, std::string_view transformador,
                const FilaLeida& leida, const std::optional<engine::Dimensionado>& dimensionado,
                bool completo);

// A feeder's regulation for the tree: none when it could not be sized.
std::optional<double> RegulacionDe(const std::optional<engine::Dimensionado>& dimensionado);

// The full-load current of the motor rows fed from `fuente`'s service with no transformer
// between, which the motors' term of the fault current adds: a row below a transformer,
// below an unknown or repeated name, in a loop of feeders, or at another voltage or system
// than the service's adds nothing.
engine::Racional MotoresDeLasFilas(const std::vector<Nodo>& nodos, const Fuente& fuente);

// The place of a feeder in a schedule without a tree: fed from the service.
EnArbol Solo(const Nodo& nodo, double maximo, const engine::Separadores& sep,
             const ParaCorto& corto = {});

// The result cells with the tree's part: the total regulation, the fault currents and the
// rating, and their remarks, or, for an error of the tree, the error alone.
void AplicarArbol(std::vector<Celda>& resultado, const EnArbol& enArbol,
                  const engine::Separadores& sep);

} // namespace schedule
