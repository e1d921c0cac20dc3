// The calculation record of a schedule as text, before any page: the cover's fields, the
// summary, one line of the table per feeder with its notes, and the detail that lets a
// reader check each feeder with a calculator. The window lays it out on paper; the
// workbook takes its summary from the same rows.
#pragma once

#include "schedule/schedule_file.h"
#include "schedule/writers.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace schedule {

// Whether a feeder fails a rule: a cell that cannot be read, a feeder that cannot be sized,
// a given size that fails the limit or the load, an error of the tree, or a total
// regulation past the project's limit.
bool Falla(const FilaLeida& leida, const std::optional<engine::Dimensionado>& dimensionado,
           const EnArbol& lugar, double maximo);

// The summary names so many failing feeders at most: the list fits a page of the record
// and a workbook's cell (32,767 characters), and the table marks every one.
inline constexpr std::size_t FallanNombrados = 40;

// What a reviewer asks of a whole schedule first.
struct Resumen {
    std::size_t alimentadores = 0;
    std::size_t fallan = 0;
    // The circuits of the first that fail, in order: as many as the summary names, so that
    // a long schedule's summary keeps no list of thousands.
    std::vector<std::string> primerosQueFallan;
    struct Mayor {
        double valor = 0; // %
        std::string circuito;
    };
    std::optional<Mayor> mayorRegulacion;
    std::optional<Mayor> mayorTotal;
    // Metres of conductor by material and size (positions in Materiales and Calibres): the
    // phases, the neutral and the grounding conductor of every set, over the feeder's length.
    std::map<std::pair<std::size_t, std::size_t>, double> metros;
    // With a source of fault current: the current at the service with its motors, kA, the
    // largest at a feeder's start, and the feeders whose rating is short of it (110.9).
    std::optional<std::string> iccAcometida;
    struct MayorCorto {
        engine::Racional amperes;
        std::string circuito;
    };
    std::optional<MayorCorto> mayorCorto;
    std::size_t cortas = 0;
    std::vector<std::string> capacidadCorta; // the first of them, as many as FallanNombrados

    // The source of the project, for the current at the service.
    void Fuente(const std::variant<std::monostate, schedule::Fuente, std::string>& fuente);
    void ContarCorto(std::string_view circuito, const CortoDeFila& corto);
    void Contar(std::string_view circuito, const FilaLeida& leida,
                const std::optional<engine::Dimensionado>& dimensionado, const EnArbol& lugar,
                double maximo);
};

// The project's fields and the summary, as the record's cover and the workbook show them.
std::vector<Renglon> RenglonesProyecto(const DatosProyecto& proyecto,
                                       const engine::Separadores& sep);
std::vector<Renglon> RenglonesResumen(const Resumen& resumen, const engine::Separadores& sep);

// The mark of a value in the record's table that an empty cell stood for.
inline constexpr std::string_view MarcaOmision = "*";

struct Memoria {
    DatosProyecto proyecto;
    std::string norma; // the code edition, as the cover names it
    engine::Separadores sep;

    struct Columna {
        std::string titulo; // its short form
        bool numerica = false;
    };
    std::vector<Columna> columnas;

    struct Fila {
        std::vector<std::string> celdas;
        // Under the line: the drawing's line, the inputs given in words, the file's other
        // columns and the remarks, each "Título: texto".
        std::vector<std::string> notas;
        bool falla = false;
        bool omisiones = false;           // some cell shows a default, with MarcaOmision
        std::vector<std::string> detalle; // the annex's block, its heading first
    };
    std::vector<Fila> filas;
    Resumen resumen;
    // Under the table, where some cell shows a default: what its mark means.
    std::optional<std::string> leyenda;
    std::vector<std::string> notasMetodo;
};

// The record of `cuadro`, every row sized with `tablas` in one walk, the numbers with
// `sep`. `avance` is told the rows done and may stop the walk by returning false: then
// there is no record.
std::optional<Memoria> ArmarMemoria(const Cuadro& cuadro, const engine::TablasConductores& tablas,
                                    const std::optional<std::string>& errorTablas,
                                    const engine::Separadores& sep,
                                    const std::function<bool(std::size_t)>& avance = {});

} // namespace schedule
