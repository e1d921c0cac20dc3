// A schedule of feeders as a spreadsheet holds it: the columns it must and may have, a row
// read into a feeder, and the cells the sizing adds to it.
#pragma once

#include "engine/number_pattern.h"
#include "engine/sizing.h"
#include "schedule/decimal_mark.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace schedule {

// The input columns, found by header name.
enum class Columna {
    Circuito,
    Sistema,
    Conductor,
    Ducto,
    Corriente,
    Voltaje,
    Fp,
    Longitud,
    RegulacionMax,
    Paralelo,
    TemperaturaAmbiente,
    ConductoresDucto,
    Calibre,
    PotenciaKw,
    PotenciaKva,
    Continua,
    CorrienteContinua,
    Aislamiento,
    Ubicacion,
    Terminales,
    Dispositivo100,
    Proteccion,
    Neutro,
    CalibreNeutro,
    NeutroPortador,
    Tubo,
    TamanoTubo,
    AlimentadoDesde,
    Transformador,
};

struct DescripcionColumna {
    std::string_view nombre; // as the command's help and the saved files write it
    bool requerida;
    bool numerica;
    // Other names a header may give the column, used when none has its own name.
    std::span<const std::string_view> sinonimos = {};
    bool carga = false; // one of the three a row gives its load by
};

inline constexpr std::string_view SinonimosCircuito[]{"tablero", "alimentador"};
inline constexpr std::string_view SinonimosVoltaje[]{"tensión"};
inline constexpr std::string_view SinonimosFp[]{"factor de potencia", "cos φ"};
inline constexpr std::string_view SinonimosLongitud[]{"distancia"};
inline constexpr std::string_view SinonimosRegulacion[]{"caída máxima"};
inline constexpr std::string_view SinonimosParalelo[]{"conjuntos", "juegos",
                                                      "conductores por fase"};
inline constexpr std::string_view SinonimosTemperatura[]{"temperatura", "ambiente"};
inline constexpr std::string_view SinonimosConductores[]{"conductores", "conductores portadores"};
inline constexpr std::string_view SinonimosKw[]{"kW", "potencia activa"};
inline constexpr std::string_view SinonimosKva[]{"kVA", "potencia aparente"};
inline constexpr std::string_view SinonimosProteccion[]{"interruptor"};
inline constexpr std::string_view SinonimosTubo[]{"tipo de tubo"};
inline constexpr std::string_view SinonimosDesde[]{"alimentado por", "desde"};

inline constexpr std::array<DescripcionColumna, 29> Columnas{{
    {"circuito", true, false, SinonimosCircuito},
    {"sistema", true, false},
    {"conductor", true, false},
    {"ducto", true, false},
    {"corriente", false, true, {}, true},
    {"voltaje", true, true, SinonimosVoltaje},
    {"fp", true, true, SinonimosFp},
    {"longitud", true, true, SinonimosLongitud},
    {"regulacion_max", false, true, SinonimosRegulacion},
    {"paralelo", false, true, SinonimosParalelo},
    {"temperatura_ambiente", false, true, SinonimosTemperatura},
    {"conductores_ducto", false, true, SinonimosConductores},
    {"calibre", false, false},
    {"potencia_kw", false, true, SinonimosKw, true},
    {"potencia_kva", false, true, SinonimosKva, true},
    {"continua", false, true},
    {"corriente_continua", false, true},
    {"aislamiento", false, false},
    {"ubicacion", false, false},
    {"terminales", false, true},
    {"dispositivo_100", false, false},
    {"proteccion", false, false, SinonimosProteccion},
    {"neutro", false, false},
    {"calibre_neutro", false, false},
    {"neutro_portador", false, false},
    {"tubo", false, false, SinonimosTubo},
    {"tamano_tubo", false, false},
    {"alimentado_desde", false, false, SinonimosDesde},
    {"transformador", false, false},
}};

constexpr const DescripcionColumna& Descripcion(Columna c) {
    return Columnas[static_cast<std::size_t>(c)];
}

// Yes or no as people write them ("sí", "s", "1", "no", "falso", …), or none.
std::optional<bool> LeerSiNo(std::string_view texto);

// What an optional column's empty cell stands for, as the help tells it.
std::string TextoPorOmision(Columna c);

// The columns for the command's help: the required ones, then the optional ones with
// their defaults.
std::string AyudaDeColumnas();

// The columns the sizing adds, in order: those a later version adds come after the
// remarks, so that a script that reads the earlier ones by their place still finds them.
inline constexpr std::array<std::string_view, 19> ColumnasResultado{"calibre_caida",
                                                                    "calibre_ampacidad",
                                                                    "calibre_elegido",
                                                                    "mm2",
                                                                    "rige",
                                                                    "caida_v",
                                                                    "regulacion",
                                                                    "voltaje_final",
                                                                    "ampacidad",
                                                                    "observaciones",
                                                                    "corriente_calc",
                                                                    "proteccion_elegida",
                                                                    "neutro_elegido",
                                                                    "tierra",
                                                                    "tubos",
                                                                    "tubo_elegido",
                                                                    "relleno",
                                                                    "regulacion_total",
                                                                    "especificacion"};

// The positions of the remarks, the total regulation and the drawing's line among the
// result columns.
inline constexpr std::size_t ColumnaObservaciones = 9;
inline constexpr std::size_t ColumnaRegulacionTotal = 17;
inline constexpr std::size_t ColumnaEspecificacion = 18;

// Where each input column stands in a file's header row.
struct Encabezado {
    std::vector<std::string> nombres; // as written
    std::array<std::optional<std::size_t>, Columnas.size()> posicion;
    std::vector<std::size_t> sinUso; // the columns no input reads, which pass through
};

// The header row's columns, or a message naming the required ones it lacks, or two
// columns that both name an input by other names.
std::variant<Encabezado, std::string> LeerEncabezado(const std::vector<std::string>& celdas);

// The columns a row names, required or not: how a pasted block's first line is read.
Encabezado EncabezadoParcial(const std::vector<std::string>& celdas);

// "Columnas que no se usan: …", or nothing when every column is read.
std::optional<std::string> AvisoSinUso(const Encabezado& encabezado);

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

// The column that holds an input the sizing refused.
Columna ColumnaDe(engine::Dato dato);
FilaLeida LeerFila(const std::vector<std::string>& celdas, const Encabezado& encabezado,
                   MarcaDecimal marca);

// One cell of the output: its text, and for a number its value and display format.
struct Celda {
    std::string texto;
    std::optional<double> numero;
    std::string_view formato; // a spreadsheet number format such as "0.000"
};

// The input cells as written, with the numbers of the numeric columns recognised, padded
// to the header's width.
std::vector<Celda> CeldasDeEntrada(const std::vector<std::string>& celdas,
                                   const Encabezado& encabezado, MarcaDecimal marca);

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

// The remarks of a row in one cell, apart by " | ", which no remark holds.
std::string Observaciones(const std::vector<std::string>& mensajes);

// The method and its assumptions, one paragraph a line, for the notes that go with the
// results, the clauses cited in the numbering of `norma`.
std::vector<std::string> NotasDelMetodo(engine::Norma norma);

} // namespace schedule
