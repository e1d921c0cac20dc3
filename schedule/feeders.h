// A schedule of feeders as a spreadsheet holds it: the columns it must and may have, a row
// read into a feeder, and the cells the sizing adds to it.
#pragma once

#include "engine/number_pattern.h"
#include "engine/sizing.h"

#include <array>
#include <cstddef>
#include <optional>
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
};

struct DescripcionColumna {
    std::string_view nombre; // as the command's help and the saved files write it
    bool requerida;
    bool numerica;
};

inline constexpr std::array<DescripcionColumna, 13> Columnas{{
    {"circuito", true, false},
    {"sistema", true, false},
    {"conductor", true, false},
    {"ducto", true, false},
    {"corriente", true, true},
    {"voltaje", true, true},
    {"fp", true, true},
    {"longitud", true, true},
    {"regulacion_max", false, true},
    {"paralelo", false, true},
    {"temperatura_ambiente", false, true},
    {"conductores_ducto", false, true},
    {"calibre", false, false},
}};

constexpr const DescripcionColumna& Descripcion(Columna c) {
    return Columnas[static_cast<std::size_t>(c)];
}

// The columns the sizing adds, in order.
inline constexpr std::array<std::string_view, 10> ColumnasResultado{
    "calibre_caida", "calibre_ampacidad", "calibre_elegido", "mm2",       "rige",
    "caida_v",       "regulacion",        "voltaje_final",   "ampacidad", "observaciones"};

// Where each input column stands in a file's header row.
struct Encabezado {
    std::vector<std::string> nombres; // as written
    std::array<std::optional<std::size_t>, Columnas.size()> posicion;
};

// The header row's columns, or a message naming the required ones it lacks.
std::variant<Encabezado, std::string> LeerEncabezado(const std::vector<std::string>& celdas);

// A plain decimal number: an optional sign, digits, and one decimal separator, "." or,
// where the file allows it, ","; blanks around it are ignored. Anything else (thousands
// separators, units, exponents, "nan", an empty text) is no number.
std::optional<double> NumeroEstricto(std::string_view texto, bool comaDecimal);

// A cell that could not be read, and why; a cell beyond the header's columns has none.
struct ErrorCelda {
    std::optional<Columna> columna;
    std::string mensaje;

    bool operator==(const ErrorCelda&) const = default;
};

// A number cell as a schedule keeps it, with "." as its decimal point, or any other text as
// it stands; `comaDecimal` says whether the text may use the decimal comma.
std::string ConPuntoDecimal(const std::string& texto, bool comaDecimal);

// A number cell kept with "." as it is written for a file or a person, with `decimal` as
// its decimal separator; any other text as it stands.
std::string ConSeparadorDecimal(const std::string& texto, std::string_view decimal);

// One row read: the feeder, or every cell that could not be read.
using FilaLeida = std::variant<engine::Alimentador, std::vector<ErrorCelda>>;

// The column that holds an input the sizing refused.
Columna ColumnaDe(engine::Dato dato);
FilaLeida LeerFila(const std::vector<std::string>& celdas, const Encabezado& encabezado,
                   bool comaDecimal);

// One cell of the output: its text, and for a number its value and display format.
struct Celda {
    std::string texto;
    std::optional<double> numero;
    std::string_view formato; // a spreadsheet number format such as "0.000"
};

// The output cells of a row: the input cells as written (with the numbers of the numeric
// columns recognised), padded to the header's width, then the results. A row that could
// not be sized keeps its input and gives only its messages.
std::vector<Celda> CeldasDeSalida(const std::vector<std::string>& celdas,
                                  const Encabezado& encabezado, bool comaDecimal,
                                  const FilaLeida& fila,
                                  const std::optional<engine::Dimensionado>& dimensionado,
                                  const engine::Separadores& sep);

// The method and its assumptions, one paragraph a line, for the notes that go with the
// results.
inline constexpr std::array<std::string_view, 7> NotasDelMetodo{
    "Resistencia y reactancia de NEC Capítulo 9, Tabla 9: cables de 600 V, 60 Hz, 75 °C, tres "
    "conductores individuales en ducto, en ohmios al neutro por 1000 pies.",
    "Caída de voltaje con la impedancia eficaz al factor de potencia del alimentador: "
    "Zef = R·cos θ + X·sen θ; trifásico ΔV = √3·I·Zef·L, monofásico ΔV = 2·I·Zef·L.",
    "Regulación = caída de voltaje / voltaje de envío × 100 %.",
    "Ampacidad de NEC Tabla 310.16 (310.15(B)(16) en 2011 y 2014), columna de 75 °C, "
    "corregida por temperatura ambiente (Tabla 310.15(B)(1)) y ajustada por el número de "
    "conductores portadores de corriente en el ducto (Tabla 310.15(C)(1)).",
    "Terminales de 75 °C. Los calibres 14, 12 y 10 no pasan de la protección contra "
    "sobrecorriente de NEC 240.4(D): cobre 15, 20 y 30 A; aluminio 12 y 10: 15 y 25 A.",
    "Conjuntos en paralelo: sólo calibres 1/0 y mayores (NEC 310.10(G)); la corriente se "
    "reparte por igual entre los conjuntos.",
    "Sin calibre dado, se elige el mayor de los dos mínimos: por caída y por ampacidad."};

} // namespace schedule
