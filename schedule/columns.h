// The columns of a schedule of feeders, each described once: the inputs a row is read
// from and the results the sizing adds, with the names files give them, the titles people
// read, their place in the window and the record, and how each result cell is written.
// The tables themselves are in input_columns.def and result_columns.def.
#pragma once

#include "engine/conductors.h"
#include "engine/defaults.h"
#include "engine/number_pattern.h"
#include "engine/raceways.h"
#include "engine/sizing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace schedule {

// How a column's cells are read.
enum class Clase {
    Texto,    // as written
    Numero,   // a decimal number under the file's decimal mark
    SiNo,     // yes or no as people write them
    Calibre,  // a conductor size, or "automático"
    Lista,    // one of the names of a table
    OtraFila, // the circuit of another row
};

// Where the window shows an input: always, or while some row fills it.
enum class EnVentana { Siempre, SiSeUsa };
// Where the record shows a column: in its table, in its table even where no row fills it,
// under the feeder's line (a note), last under it (the foot), or in neither.
enum class EnMemoria { Tabla, Siempre, Nota, Pie, Ninguna };

// What a column is called where people read it.
struct Titulo {
    std::string_view ventana; // two lines, to keep the view's columns narrow
    std::string_view libro;   // whole words with the unit, for a workbook
    std::string_view corto;   // for the record's table: short words that never break
};

struct DescripcionColumna {
    std::string_view nombre; // as the command's help and the saved files write it
    Clase clase = Clase::Texto;
    bool requerida = false;
    bool carga = false; // one of the three a row gives its load by
    // A load column's unit: a header "Carga (kW)" names the load column in kW.
    std::string_view unidad = {};
    bool porciento = false; // in %: a cell formatted as a percent is read as the percent
    // Other names a header may give the column, used when none has its own name.
    std::array<std::string_view, 3> sinonimos{};
    Titulo titulo;
    EnVentana ventana = EnVentana::Siempre;
    EnMemoria memoria = EnMemoria::Tabla;
    std::optional<engine::Dato> dato = std::nullopt; // the sizing's input it holds
    std::string (*omision)() = nullptr;
    std::vector<std::string> (*opciones)() = nullptr;
    bool otraOpcion = false;
    // The number the sizing took for an empty cell of the row, where it took one.
    std::optional<double> (*usado)(const engine::Alimentador&,
                                   const engine::Dimensionado*) = nullptr;

    constexpr bool numerica() const { return clase == Clase::Numero; }
    constexpr std::span<const std::string_view> Sinonimos() const {
        return {sinonimos.begin(), std::find(sinonimos.begin(), sinonimos.end(), "")};
    }
};

// The words the tables below write their defaults and choices in.
std::string TextoNumero(double valor);
std::string TextoNumero(int valor);
std::string TextoSiNo(bool si);
std::string TextoUbicacion(bool mojada);
// "PVC-40 en PVC, RMC en acero y aluminio": each conduit material's default conduit type.
std::string TubosPorOmision();
std::vector<std::string> TamanosDeTubo();

// The names of a table's rows, after `primera` if there is one.
template <typename Tabla>
std::vector<std::string> NombresDe(const Tabla& tabla, std::string_view primera = {}) {
    std::vector<std::string> nombres;
    if (!primera.empty()) {
        nombres.emplace_back(primera);
    }
    for (const auto& fila : tabla) {
        nombres.emplace_back(fila.nombre);
    }
    return nombres;
}

template <typename Tabla>
std::vector<std::string> NumerosDe(const Tabla& tabla, std::string_view primera = {}) {
    std::vector<std::string> numeros;
    if (!primera.empty()) {
        numeros.emplace_back(primera);
    }
    for (const int n : tabla) {
        numeros.push_back(std::to_string(n));
    }
    return numeros;
}

// The input columns, found by header name.
enum class Columna {
#define COLUMNA(identificador, ...) identificador,
#include "schedule/input_columns.def"
#undef COLUMNA
};

inline constexpr std::array Columnas{
#define COLUMNA(identificador, ...) DescripcionColumna __VA_ARGS__,
#include "schedule/input_columns.def"
#undef COLUMNA
};

constexpr const DescripcionColumna& Descripcion(Columna c) {
    return Columnas[static_cast<std::size_t>(c)];
}

constexpr const Titulo& TituloDe(Columna c) {
    return Descripcion(c).titulo;
}

// A window caption on one line, as a header writes it: "Para-\nlelo" is "Paralelo".
std::string EnUnaLinea(std::string_view titulo);

// What an optional column's empty cell stands for, as the help tells it; empty for none.
std::string TextoPorOmision(Columna c);

// The choices a column's editor offers, none for a column typed freely.
std::vector<std::string> OpcionesDe(Columna c);

// The column that holds an input the sizing refused.
Columna ColumnaDe(engine::Dato dato);

// The columns for the command's help: the required ones, then the optional ones with
// their defaults.
std::string AyudaDeColumnas();

// One cell of the output: its text, and for a number its value and display format.
struct Celda {
    std::string texto;
    std::optional<double> numero = std::nullopt;
    std::string_view formato = {}; // a spreadsheet number format such as "0.000"
    bool formula = false;          // the text of a formula without its value, never to be run
    bool omision = false;          // the value the sizing took for an empty cell, shown as such
};

// The remarks of a row in one cell, apart by " | ", which no remark holds.
std::string Observaciones(const std::vector<std::string>& mensajes);

// What a row's result cells are written from: the pieces of its sizing it has, its
// messages, and the separators of its numbers.
struct FuenteDeCeldas {
    const engine::Dimensionado* figuras = nullptr; // none where an input was refused
    const engine::EnCalibre* valores = nullptr;    // at the chosen size
    const engine::Ampacidad* ampacidad = nullptr;  // the load and the device
    const engine::Conjunto* conjunto = nullptr;    // the chosen size's set
    const std::vector<std::string>* mensajes = nullptr;
    engine::Sistema sistema = engine::Sistema::Trifasico;
    const engine::Separadores* sep = nullptr;

    Celda Calibre(const std::optional<std::size_t>& calibre) const;
    Celda Numero(double valor, std::string_view formato) const;
    // An exact number to its last digit, without trailing zeros.
    Celda Exacta(const engine::Decimal& valor) const;
    Celda Seccion(std::size_t calibre) const; // mm², to 3 significant digits
    Celda Rige() const;
    Celda Corriente() const;
    Celda Tubo() const;
    Celda Relleno() const;
    Celda Especificacion() const;
};

struct DescripcionResultado {
    std::string_view nombre; // as the CSV writes it, for programs
    Titulo titulo;
    int ventana = 0;
    EnMemoria memoria = EnMemoria::Ninguna;
    bool numerica = true;
    bool larga = false;
    Celda (*celda)(const FuenteDeCeldas&) = nullptr;
};

// The columns the sizing adds, in the order the command writes them.
enum class ColumnaResultado {
#define RESULTADO(identificador, ...) identificador,
#include "schedule/result_columns.def"
#undef RESULTADO
};

inline constexpr std::array ColumnasResultado{
#define RESULTADO(identificador, ...) DescripcionResultado __VA_ARGS__,
#include "schedule/result_columns.def"
#undef RESULTADO
};

constexpr const DescripcionResultado& Descripcion(ColumnaResultado r) {
    return ColumnasResultado[static_cast<std::size_t>(r)];
}

constexpr std::size_t Indice(ColumnaResultado r) {
    return static_cast<std::size_t>(r);
}

namespace detalle {

// The result columns in the window's order, and the part of them the record's table shows.
constexpr auto OrdenEnVentana() {
    std::array<ColumnaResultado, ColumnasResultado.size()> orden{};
    for (std::size_t i = 0; i < orden.size(); ++i) {
        orden[i] = static_cast<ColumnaResultado>(i);
    }
    // Insertion, which keeps the table's order among equal places.
    for (std::size_t i = 1; i < orden.size(); ++i) {
        for (std::size_t j = i;
             j > 0 && Descripcion(orden[j]).ventana < Descripcion(orden[j - 1]).ventana; --j) {
            std::swap(orden[j], orden[j - 1]);
        }
    }
    return orden;
}

constexpr std::size_t CuantosEnTabla() {
    return static_cast<std::size_t>(
        std::count_if(ColumnasResultado.begin(), ColumnasResultado.end(),
                      [](const DescripcionResultado& r) { return r.memoria == EnMemoria::Tabla; }));
}

} // namespace detalle

inline constexpr auto ResultadosEnVentana = detalle::OrdenEnVentana();

inline constexpr auto ResultadosEnTabla = [] {
    std::array<ColumnaResultado, detalle::CuantosEnTabla()> tabla{};
    std::size_t n = 0;
    for (const ColumnaResultado r : ResultadosEnVentana) {
        if (Descripcion(r).memoria == EnMemoria::Tabla) {
            tabla[n++] = r;
        }
    }
    return tabla;
}();

// Where each input column stands in a file's header row.
struct Encabezado {
    std::vector<std::string> nombres; // as written
    std::array<std::optional<std::size_t>, Columnas.size()> posicion;
    std::vector<std::size_t> sinUso; // the columns no input reads, which pass through
    // The columns a result's name or title heads: the results of an earlier sizing, which
    // the sizing writes anew and no input reads.
    std::vector<std::size_t> resultados;

    // Whether the column at `posicion` holds the results of an earlier sizing.
    bool EsResultado(std::size_t posicion) const;
};

// The header row's columns, or a message naming the required ones it lacks, or two
// columns that both name an input by other names.
std::variant<Encabezado, std::string> LeerEncabezado(const std::vector<std::string>& celdas);

// The columns a row names, required or not: how a pasted block's first line is read.
Encabezado EncabezadoParcial(const std::vector<std::string>& celdas);

// "Columnas que no se usan: …", or nothing when every column is read.
std::optional<std::string> AvisoSinUso(const Encabezado& encabezado);

} // namespace schedule
