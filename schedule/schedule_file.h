// A schedule as the window keeps it and the files hold it: the project's data, each
// feeder's cells, and how the file it came from was written, so that it is written back
// the same way.
#pragma once

#include "schedule/feeder_tree.h"
#include "schedule/result_cells.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace schedule {

// The project a schedule belongs to, as its calculation record names it.
struct DatosProyecto {
    std::string nombre;
    std::string elaboro;
    std::string cedula; // the professional licence of who prepared it
    std::string reviso;
    std::string revision;
    std::string fecha; // as written, ISO 8601 when the window writes it
    // Settings: the code edition the record names and cites ("NEC 2023"), empty for the
    // default.
    std::string norma;
    // The largest total regulation from the service to a panel, %, empty for the default.
    std::string regulacionTotal;
    // The source of the fault current: the service transformer (kVA, % Z, phases, its
    // secondary's voltage, the nameplate's tolerance, and the utility's current at its
    // primary with that voltage, empty for an infinite bus), or the utility's current at the
    // service with its phases and voltage; and the full-load current of the motors that may
    // run at once on the service's side. Numbers with "." as their point.
    std::string kvaFuente;
    std::string zFuente;
    std::string fasesFuente;
    std::string voltajeFuente;
    std::string toleranciaZ; // sí or no, sí when empty
    std::string iccRedKa;
    std::string voltajePrimario;
    std::string iccAcometidaKa;
    std::string corrienteMotores;

    bool operator==(const DatosProyecto&) const = default;
};

// The project's fields: each one's key in a project file, and its label where people read
// it, on the record's cover and the workbook's sheet "Proyecto".
struct CampoProyecto {
    std::string_view clave;
    std::string_view etiqueta;
    std::string DatosProyecto::*campo;
};
inline constexpr std::array<CampoProyecto, 17> CamposProyecto{{
    {"nombre", "Proyecto", &DatosProyecto::nombre},
    {"elaboro", "Elaboró", &DatosProyecto::elaboro},
    {"cedula", "Cédula profesional", &DatosProyecto::cedula},
    {"reviso", "Revisó", &DatosProyecto::reviso},
    {"revision", "Revisión", &DatosProyecto::revision},
    {"fecha", "Fecha", &DatosProyecto::fecha},
    {"norma", "Norma", &DatosProyecto::norma},
    {"regulacion_total_max", "Regulación total máxima (%)", &DatosProyecto::regulacionTotal},
    {"kva_fuente", "Transformador de la fuente (kVA)", &DatosProyecto::kvaFuente},
    {"z_fuente", "Impedancia del transformador (%Z)", &DatosProyecto::zFuente},
    {"fases_fuente", "Fases de la fuente", &DatosProyecto::fasesFuente},
    {"voltaje_fuente", "Voltaje de la fuente (V)", &DatosProyecto::voltajeFuente},
    {"tolerancia_z", "Tolerancia de %Z (0,9 × %Z)", &DatosProyecto::toleranciaZ},
    {"icc_red_ka", "Cortocircuito de la red en el primario (kA)", &DatosProyecto::iccRedKa},
    {"voltaje_primario", "Voltaje primario (V)", &DatosProyecto::voltajePrimario},
    {"icc_acometida_ka", "Cortocircuito en la acometida (kA)", &DatosProyecto::iccAcometidaKa},
    {"corriente_motores", "Corriente de los motores (A)", &DatosProyecto::corrienteMotores},
}};

// The first of the source's fields in CamposProyecto: they and those after it.
inline constexpr std::size_t PrimerCampoDeFuente = 8;

// The code edition a project names, or the default.
engine::Norma NormaDe(const DatosProyecto& proyecto);

// The total regulation a project allows, %: its setting, or 5 (the drop the code's
// informational note suggests for feeders and branch circuits together).
inline constexpr double RegulacionTotalPorOmision = 5;
double RegulacionTotalDe(const DatosProyecto& proyecto);

// Earlier versions of the window saved three project fields in columns of their own,
// repeated on every row; a file with them still reads them.
inline constexpr std::array<std::string_view, 3> ColumnasDeEncabezado{"proyecto", "elaboro",
                                                                      "fecha"};
inline constexpr std::array<std::string DatosProyecto::*, 3> CamposDeEncabezado{
    &DatosProyecto::nombre, &DatosProyecto::elaboro, &DatosProyecto::fecha};

// How a CSV file was written: what writing it back takes.
struct FormatoCsv {
    char delimitador = ';';
    MarcaDecimal marca{Marca::Coma, false};
    bool windows1252 = false;
    bool bom = true; // a UTF-8 byte-order mark
    std::string finDeLinea = "\r\n";
    bool saltoFinal = true; // the last line ends too
    DatosProyecto leidos;   // the project fields its columns held, if it had them

    bool operator==(const FormatoCsv&) const = default;
};

// Where a schedule came from, and so how "Guardar" saves it.
enum class Origen { Nuevo, Csv, Libro, Proyecto };

struct Cuadro {
    DatosProyecto proyecto;

    // Each feeder: its input cells in the order of Columnas, and the cells of the file's
    // other columns. A number is kept as a plain decimal with "." as its decimal point; a
    // cell that could not be read keeps its text as written, with the reason in `errores`.
    struct Fila {
        std::array<std::string, Columnas.size()> entradas;
        std::array<std::string, Columnas.size()> errores;
        std::vector<std::string> otras;
        // The cells as a CSV file wrote them, in its columns' order, to write back those
        // that did not change; none for a row the file did not have.
        std::vector<std::string> original;
        // The blank rows the file had just before this one.
        std::vector<std::vector<std::string>> vaciasAntes;
        // Its row in the file, as messages name it; 0 for a file that numbers none.
        std::size_t numero = 0;
        // What its reading tells the reader, as the rows' remarks say it: a merged cell
        // read in each row it covers.
        std::vector<std::string> avisos;
        // The other columns whose cell holds a formula without its value, as its text.
        std::vector<std::size_t> formulas;

        bool operator==(const Fila&) const = default;
    };
    std::vector<std::string> otras; // the other columns' names, as the file wrote them
    std::vector<Fila> filas;
    std::vector<std::vector<std::string>> vaciasAlFinal;

    // A column of the file read: an input, a header field, the results of an earlier
    // sizing or another column, with its header as the file wrote it.
    struct ColumnaArchivo {
        enum class Tipo { Entrada, Campo, Resultado, Otra } tipo;
        std::size_t indice; // in Columnas, in ColumnasDeEncabezado, or in `otras`
        std::string titulo;

        bool operator==(const ColumnaArchivo&) const = default;
    };
    std::vector<ColumnaArchivo> columnas; // in the file's order; none for a new schedule

    Origen origen = Origen::Nuevo;
    FormatoCsv formato; // the file's, for one read from a CSV; the user's, for the others

    bool operator==(const Cuadro&) const = default;
};

// The labels of the project's fields with a value that a CSV in the schedule's columns does
// not keep (in CamposProyecto's order); none when the date alone would be lost, since the
// window fills it in for every schedule.
std::vector<std::string_view> CamposQueUnCsvPierde(const Cuadro& cuadro);

// The columns the schedule's rows are written in: the file's, in its order, then any input
// the file lacked that a row now fills; for a new schedule, the inputs by their names and
// the other columns.
std::vector<Cuadro::ColumnaArchivo> Disposicion(const Cuadro& cuadro);

// A row's cells in the order of `columnas`, as a file holds them: numbers with the
// schedule's decimal mark.
std::vector<std::string> CeldasDelArchivo(const Cuadro& cuadro,
                                          const std::vector<Cuadro::ColumnaArchivo>& columnas,
                                          const Cuadro::Fila& fila);

// What the sizing made of a row: the feeder or the cells it could not read, and the
// sizing, if the row was read.
struct FilaDimensionada {
    FilaLeida leida = std::vector<ErrorCelda>{};

    std::optional<engine::Dimensionado> dimensionado;
    std::vector<ErrorCelda> errores; // the cells to mark, an input the sizing refused among them
};

// The tree of a schedule's feeders, each row's node from its cells and its sizing; with
// `detalle`, each fault current with the record's lines of its steps.
std::vector<EnArbol> ArbolDelCuadro(const Cuadro& cuadro,
                                    const std::vector<FilaDimensionada>& dimensionadas,
                                    const engine::Separadores& sep, bool detalle = false);
// The same, each row's reading and sizing given by `dimensionada(i)`.
std::vector<EnArbol>
ArbolDelCuadro(const Cuadro& cuadro,
               const std::function<const FilaDimensionada&(std::size_t)>& dimensionada,
               const engine::Separadores& sep, bool detalle = false);

// The full-load current of a schedule's motor rows on `fuente`'s service's side, A, each row's
// reading given by `dimensionada(i)`.
engine::Racional
MotoresDelCuadro(const Cuadro& cuadro, const Fuente& fuente,
                 const std::function<const FilaDimensionada&(std::size_t)>& dimensionada);

// The project's source, with the full-load currents of its motor rows on the service's side.
std::variant<std::monostate, Fuente, std::string>
FuenteDelCuadro(const Cuadro& cuadro, const std::vector<FilaDimensionada>& dimensionadas);

// What the reading of a row told, first among the remarks of its sizing.
void AgregarAvisos(const Cuadro::Fila& fila, engine::Dimensionado& dimensionado);

// Sizes a kept row with `tablas`, or tells `errorTablas` when the tables could not be read;
// the remarks cite the clauses of `norma`.
FilaDimensionada DimensionarFila(const Cuadro::Fila& fila, const engine::TablasConductores& tablas,
                                 const std::optional<std::string>& errorTablas,
                                 const engine::Separadores& sep,
                                 engine::Norma norma = engine::NormaPorOmision);

// Every row of `cuadro` sized with `tablas`, the remarks citing the project's edition.
// `avance` is told the rows done and may stop the work by returning false: then none.
std::optional<std::vector<FilaDimensionada>>
DimensionarCuadro(const Cuadro& cuadro, const engine::TablasConductores& tablas,
                  const std::optional<std::string>& errorTablas, const engine::Separadores& sep,
                  const std::function<bool(std::size_t)>& avance = {});

// The header the command reads for rows kept with "." decimals in the order of Columnas.
Encabezado EncabezadoCanonico();

// A schedule with no rows yet, laid out as a file's header: each column an input, a header
// field or another column, in the file's order.
Cuadro CuadroDelEncabezado(const Encabezado& encabezado);

// A file's row as the schedule keeps it, read under the file's mark; the first project
// fields found are the schedule's.
Cuadro::Fila FilaDelArchivo(Cuadro& cuadro, const std::vector<std::string>& celdas,
                            MarcaDecimal marca);

// A row new to `cuadro`, numbered after its last one: the main window's numbers, and each
// optional input at its default.
Cuadro::Fila FilaNueva(const Cuadro& cuadro);

// Puts a cell's text, as typed or pasted under `marca`, into a row: a number as a plain
// decimal, anything else as it stands with why it cannot be read.
void PonerCelda(Cuadro::Fila& fila, Columna columna, std::string_view texto, MarcaDecimal marca);

// Reads a kept row into a feeder, the cells kept with their reasons still refused.
FilaLeida LeerFilaDelCuadro(const Cuadro::Fila& fila);

} // namespace schedule
