#include "schedule_command/lote.h"

#include "engine/sizing.h"
#include "schedule/method_notes.h"
#include "schedule/csv_reader.h"
#include "schedule/feeder_tree.h"
#include "schedule/result_cells.h"
#include "schedule/schedule_file.h"
#include "schedule/text.h"
#include "schedule/file_kinds.h"
#include "schedule/replace_file.h"
#include "schedule/workbook.h"
#include "schedule/writers.h"
#include "schedule/xlsx_reader.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <deque>
#include <fstream>
#include <iterator>
#include <system_error>

namespace lote {
namespace {

std::string Nombre(const std::filesystem::path& archivo) {
    return "\"" + archivo.string() + "\"";
}

bool EsXlsx(const std::filesystem::path& archivo) {
    return schedule::TipoDe(archivo) == schedule::TipoArchivo::Libro;
}

bool MismoArchivo(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    return std::filesystem::weakly_canonical(a, error) ==
           std::filesystem::weakly_canonical(b, error);
}

bool EsArbol(const schedule::Encabezado& e) {
    return e.posicion[static_cast<std::size_t>(schedule::Columna::AlimentadoDesde)].has_value();
}

// A row's place in the tree of feeders, from its cells; its regulation is told later.
schedule::Nodo NodoDe(const std::vector<std::string>& celdas, const schedule::Encabezado& e) {
    const auto celda = [&](schedule::Columna c) {
        const auto& posicion = e.posicion[static_cast<std::size_t>(c)];
        return posicion && *posicion < celdas.size() ? std::string_view(celdas[*posicion])
                                                     : std::string_view();
    };
    return schedule::NodoDeFila(celda(schedule::Columna::Circuito),
                                celda(schedule::Columna::AlimentadoDesde),
                                celda(schedule::Columna::Transformador),
                                std::vector<schedule::ErrorCelda>{}, std::nullopt, false);
}

// "celda J6, " before a message on an input of a workbook's row, as Excel names the cell;
// nothing for the other files.
std::string CeldaDelLibro(const schedule::Cuadro& cuadro,
                          const std::vector<schedule::Cuadro::ColumnaArchivo>& columnas,
                          long numero, schedule::Columna columna) {
    if (cuadro.origen != schedule::Origen::Libro) {
        return "";
    }
    for (std::size_t i = 0; i < columnas.size(); ++i) {
        if (columnas[i].tipo == schedule::Cuadro::ColumnaArchivo::Tipo::Entrada &&
            columnas[i].indice == static_cast<std::size_t>(columna)) {
            return "celda " + schedule::LetrasDeColumna(i) + std::to_string(numero) + ", ";
        }
    }
    return "";
}

// Why a run cannot start; nothing has been written.
struct Fallo {
    std::string mensaje;
};

// The input: a CSV file, read once through to learn its decimal mark, then opened again
// for the rows, so that the whole file is known good before anything is written; or a
// workbook or a project file, read whole.
struct Entrada {
    std::ifstream archivo;
    std::unique_ptr<schedule::LectorCsv> lector;
    std::optional<schedule::Cuadro> cuadro;
    std::vector<schedule::Cuadro::ColumnaArchivo> columnas;
    std::size_t siguiente = 0;
    schedule::Encabezado encabezado;
    schedule::MarcaDecimal marca;
    char delimitador = ',';
    bool windows1252 = false; // a CSV in the code page is answered in it
    // With an `alimentado_desde` column, each row's place in the tree, read in the first
    // pass; its regulation comes as the row is sized.
    std::optional<std::vector<schedule::Nodo>> nodos;
    // The rows that name a motor, by their place among the rows, read in the first pass: the
    // fault current's motors' term needs their currents before any row is written.
    std::vector<std::pair<std::size_t, std::vector<std::string>>> motores;
    std::size_t filas = 0;

    // The next row that is not blank: its cells as the file holds them, read, its number
    // in the file, and the row as a workbook or a project keeps it.
    bool Siguiente(std::vector<std::string>& celdas, schedule::FilaLeida& fila, long& numero,
                   const schedule::Cuadro::Fila*& guardada) {
        if (lector) {
            do {
                if (!lector->Siguiente(celdas)) {
                    return false;
                }
            } while (schedule::FilaVacia(celdas));
            fila = schedule::LeerFila(celdas, encabezado, marca);
            numero = lector->fila();
            guardada = nullptr;
            return true;
        }
        if (siguiente >= cuadro->filas.size()) {
            return false;
        }
        guardada = &cuadro->filas[siguiente++];
        celdas = schedule::CeldasDelArchivo(*cuadro, columnas, *guardada);
        fila = schedule::LeerFilaDelCuadro(*guardada);
        // A project numbers its rows after a header, as the CSV it would be.
        numero = guardada->numero > 0 ? static_cast<long>(guardada->numero)
                                      : static_cast<long>(siguiente) + 1;
        return true;
    }

    std::string Celda(long numero, schedule::Columna columna) const {
        return cuadro ? CeldaDelLibro(*cuadro, columnas, numero, columna) : "";
    }

    // A workbook's formula without its value, among the row's other cells, is text that no
    // spreadsheet may run. The results of an earlier sizing are not among the cells.
    void MarcarFormulas(const schedule::Cuadro::Fila& fila,
                        std::vector<schedule::Celda>& salida) const {
        for (std::size_t i = 0, fuera = 0; i < columnas.size(); ++i) {
            const auto& col = columnas[i];
            if (encabezado.EsResultado(i)) {
                ++fuera;
            } else if (col.tipo == schedule::Cuadro::ColumnaArchivo::Tipo::Otra &&
                       std::find(fila.formulas.begin(), fila.formulas.end(), col.indice) !=
                           fila.formulas.end() &&
                       i - fuera < salida.size()) {
                salida[i - fuera].formula = true;
            }
        }
    }
    std::optional<std::string> Error() const { return lector ? lector->error() : std::nullopt; }
};

std::optional<Fallo> AbrirLector(const std::filesystem::path& ruta, Entrada& entrada) {
    entrada.archivo = std::ifstream(ruta, std::ios::binary);
    if (!entrada.archivo || std::filesystem::is_directory(ruta)) {
        return Fallo{"no se puede abrir el archivo de entrada " + Nombre(ruta) + "."};
    }
    auto apertura = schedule::LectorCsv::Abrir(entrada.archivo);
    if (const auto* mensaje = std::get_if<std::string>(&apertura)) {
        return Fallo{"el archivo " + Nombre(ruta) + ": " + *mensaje + "."};
    }
    entrada.lector = std::move(std::get<std::unique_ptr<schedule::LectorCsv>>(apertura));
    entrada.delimitador = entrada.lector->delimitador();
    entrada.windows1252 = entrada.lector->windows1252();
    std::vector<std::string> celdas;
    if (!entrada.lector->Siguiente(celdas)) {
        return Fallo{"el archivo " + Nombre(ruta) + " " +
                     entrada.lector->error().value_or("está vacío") + "."};
    }
    auto encabezado = schedule::LeerEncabezado(celdas);
    if (const auto* mensaje = std::get_if<std::string>(&encabezado)) {
        return Fallo{"el archivo " + Nombre(ruta) + ": " + *mensaje + "."};
    }
    entrada.encabezado = std::get<schedule::Encabezado>(std::move(encabezado));
    return std::nullopt;
}

// A row of the first pass: its node in the tree, and its cells if it names a motor.
void Contar(const std::vector<std::string>& celdas, Entrada& entrada) {
    const auto& hp =
        entrada.encabezado.posicion[static_cast<std::size_t>(schedule::Columna::MotorHp)];
    if (entrada.nodos) {
        entrada.nodos->push_back(NodoDe(celdas, entrada.encabezado));
    }
    if (hp && *hp < celdas.size() && !schedule::SinBlancos(celdas[*hp]).empty()) {
        entrada.motores.emplace_back(entrada.filas, celdas);
    }
    ++entrada.filas;
}

// The full-load current of the motor rows on the service's side, once the decimal mark of
// their voltages is known: in a tree, each motor's node takes its current; without one,
// every row is fed from the service.
engine::Racional MotoresDeFilas(Entrada& entrada, const schedule::Fuente& fuente) {
    std::vector<schedule::Nodo> solos;
    for (const auto& [i, celdas] : entrada.motores) {
        auto leida = schedule::CorrienteDelMotor(
            schedule::LeerFila(celdas, entrada.encabezado, entrada.marca));
        const auto corriente =
            leida ? std::make_shared<const schedule::MotorDeFila>(std::move(*leida)) : nullptr;
        if (entrada.nodos && i < entrada.nodos->size()) {
            (*entrada.nodos)[i].motor = corriente;
        } else if (!entrada.nodos) {
            solos.push_back(NodoDe(celdas, entrada.encabezado));
            solos.back().desde.clear();
            solos.back().motor = corriente;
        }
    }
    return schedule::MotoresDeLasFilas(entrada.nodos ? *entrada.nodos : solos, fuente);
}

// A workbook or a project: its schedule, and the header of its columns.
std::optional<Fallo> AbrirCuadro(const std::filesystem::path& ruta, Entrada& entrada) {
    auto leido = schedule::AbrirCuadro(ruta);
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        return Fallo{"el archivo " + Nombre(ruta) + ": " + *mensaje + "."};
    }
    entrada.cuadro = std::get<schedule::Cuadro>(std::move(leido));
    entrada.columnas = schedule::Disposicion(*entrada.cuadro);
    std::vector<std::string> titulos;
    for (const auto& col : entrada.columnas) {
        titulos.push_back(col.titulo);
    }
    entrada.encabezado = std::get<schedule::Encabezado>(schedule::LeerEncabezado(titulos));
    entrada.marca = entrada.cuadro->formato.marca;
    entrada.delimitador = entrada.cuadro->formato.delimitador;
    entrada.windows1252 = entrada.cuadro->formato.windows1252;
    if (EsArbol(entrada.encabezado)) {
        entrada.nodos.emplace();
    }
    for (const schedule::Cuadro::Fila& fila : entrada.cuadro->filas) {
        Contar(schedule::CeldasDelArchivo(*entrada.cuadro, entrada.columnas, fila), entrada);
    }
    return std::nullopt;
}

std::optional<Fallo> AbrirEntrada(const std::filesystem::path& ruta, Entrada& entrada) {
    if (schedule::TipoDe(ruta) != schedule::TipoArchivo::Csv) {
        return AbrirCuadro(ruta, entrada);
    }
    if (auto error = AbrirLector(ruta, entrada)) {
        return error;
    }
    schedule::DecisionMarca decision;
    std::vector<std::string> celdas;
    if (EsArbol(entrada.encabezado)) {
        entrada.nodos.emplace();
    }
    while (entrada.lector->Siguiente(celdas)) {
        schedule::ContarMarcas(celdas, entrada.encabezado, decision);
        if (!schedule::FilaVacia(celdas)) {
            Contar(celdas, entrada);
        }
    }
    if (const auto& error = entrada.lector->error()) {
        return Fallo{"el archivo " + Nombre(ruta) + ": " + *error + "."};
    }
    entrada.marca = decision.Decidir(schedule::MarcaPorDelimitador(entrada.lector->delimitador()));
    return AbrirLector(ruta, entrada);
}

// Where the results go: a workbook or a CSV file written beside the destination and
// renamed at the end, or a CSV kept in a temporary file until it goes to standard output.
struct Salida {
    std::optional<schedule::ArchivoTemporal> temporal;
    std::unique_ptr<schedule::EscritorXlsx> xlsx;
    std::ofstream archivo;
    std::optional<schedule::EscritorCsv> csv;
    schedule::DatosProyecto proyecto; // the input's, when it is a project file
    schedule::Resumen resumen;        // for the workbook's sheet "Proyecto"
    bool conFuente = false;           // the project gives a source of fault current

    void Fila(const std::vector<schedule::Celda>& celdas, bool falla) {
        if (xlsx) {
            xlsx->Fila(celdas, falla);
        } else {
            csv->Fila(celdas);
        }
    }
};

std::optional<Fallo> AbrirSalida(const Opciones& o, const Entrada& entrada, Salida& salida) {
    if (!o.salida) {
        // Standard output gets the results only once they are whole.
        salida.temporal.emplace(std::filesystem::temp_directory_path() / "calculador-lote");
        if (!salida.temporal->creado()) {
            return Fallo{"no se puede crear un archivo temporal."};
        }
        salida.archivo.open(salida.temporal->ruta(), std::ios::binary | std::ios::trunc);
    } else {
        salida.temporal.emplace(*o.salida);
        if (!salida.temporal->creado()) {
            return Fallo{"no se puede escribir en la carpeta de " + Nombre(*o.salida) + "."};
        }
        if (EsXlsx(*o.salida)) {
            salida.xlsx = schedule::EscritorXlsx::Abrir(salida.temporal->ruta());
        } else {
            salida.archivo.open(salida.temporal->ruta(), std::ios::binary | std::ios::trunc);
        }
    }
    if (!salida.xlsx && !salida.archivo.is_open()) {
        return Fallo{"no se puede escribir " + Nombre(o.salida.value_or("-")) + "."};
    }
    if (!salida.xlsx) {
        salida.csv.emplace(salida.archivo, entrada.delimitador, entrada.windows1252);
    }
    return std::nullopt;
}

// "columna «fp»: ", before a message on that column.
std::string EnColumna(schedule::Columna c) {
    return "columna «" + std::string(schedule::Descripcion(c).nombre) + "»: ";
}

// "celda J6, " before a message on an input of a workbook's row, or nothing.
using CeldaDe = std::function<std::string(schedule::Columna)>;

// Why a row's place in the tree of feeders cannot be had, or nothing.
std::optional<std::string> MotivoDelArbol(const schedule::EnArbol& enArbol,
                                          const std::string& celda, const std::string& voltaje) {
    if (enArbol.error) {
        return celda + EnColumna(schedule::Columna::AlimentadoDesde) + *enArbol.error;
    }
    if (enArbol.corto.error) {
        return voltaje + EnColumna(schedule::Columna::Voltaje) + *enArbol.corto.error;
    }
    return std::nullopt;
}

// Why a row could not be computed, naming the cell and the column, or nothing when it was:
// its cells, its sizing, then its place in the tree of feeders. The sizing's first
// `avisos` remarks are what the row's reading told, no reason.
std::optional<std::string> Motivo(const schedule::FilaLeida& fila,
                                  const std::optional<engine::Dimensionado>& d,
                                  const schedule::EnArbol& enArbol, const CeldaDe& celda,
                                  std::size_t avisos = 0) {
    if (const auto* errores = std::get_if<std::vector<schedule::ErrorCelda>>(&fila)) {
        const schedule::ErrorCelda& e = errores->front();
        return (e.columna ? celda(*e.columna) + EnColumna(*e.columna) : "") + e.mensaje;
    }
    if (d && !d->calculado) {
        // A refused input is told last, after the remarks on the sizes.
        if (d->invalido) {
            const schedule::Columna c = schedule::ColumnaDe(*d->invalido);
            return celda(c) + EnColumna(c) + d->observaciones.back();
        }
        return d->observaciones.size() > avisos ? d->observaciones[avisos] : "";
    }
    return MotivoDelArbol(enArbol, celda(schedule::Columna::AlimentadoDesde),
                          celda(schedule::Columna::Voltaje));
}

// The rows that could not be computed, and the first of them.
struct Fallas {
    std::size_t filas = 0;
    std::size_t fallidas = 0;
    std::string primera;

    void Contar(long numero, const std::optional<std::string>& motivo) {
        ++filas;
        if (motivo && fallidas++ == 0) {
            primera = "fila " + std::to_string(numero) + ", " + *motivo;
        }
    }

    // The exit status, and the summary of the failures on `errores`.
    int Informar(std::ostream& errores) const {
        if (fallidas == 0) {
            return Todo;
        }
        errores << "calculador-caidas-lote: " << fallidas << " de " << filas
                << " alimentadores no se calcularon; el primero, " << primera << "\n";
        return Algunas;
    }
};

// A row sized, waiting for its place in the tree of feeders.
struct Pendiente {
    long numero = 0;
    std::string circuito;
    schedule::FilaLeida leida;
    std::optional<engine::Dimensionado> dimensionado;
    std::vector<schedule::Celda> entrada;
    std::vector<schedule::Celda> resultado;
    std::optional<std::string> motivo;
    std::string celdaDesde;   // the cell of its feeder upstream, for the tree's message
    std::string celdaVoltaje; // the cell of its voltage, for the fault current's
};

// The workbook's headers are for people, with their units; the CSV's for programs.
void EscribirEncabezado(const schedule::Encabezado& e, Salida& salida) {
    if (salida.xlsx) {
        salida.xlsx->Encabezado(schedule::TitulosDelLibro(e));
        return;
    }
    std::vector<std::string> nombres;
    for (std::size_t i = 0; i < e.nombres.size(); ++i) {
        if (!e.EsResultado(i)) {
            nombres.push_back(e.nombres[i]);
        }
    }
    for (const schedule::DescripcionResultado& r : schedule::ColumnasResultado) {
        nombres.emplace_back(r.nombre);
    }
    std::vector<schedule::Celda> titulos;
    for (std::string& nombre : nombres) {
        titulos.push_back({std::move(nombre), std::nullopt, {}});
    }
    salida.csv->Fila(titulos);
}

// Writes a row with its place in the tree, and counts it.
void Emitir(Pendiente& p, const schedule::EnArbol& enArbol, const engine::Separadores& sep,
            double maximo, Fallas& fallas, Salida& salida) {
    schedule::AplicarArbol(p.resultado, enArbol, sep);
    fallas.Contar(p.numero,
                  p.motivo ? p.motivo : MotivoDelArbol(enArbol, p.celdaDesde, p.celdaVoltaje));
    if (salida.xlsx) { // only the workbook's sheet "Proyecto" shows the summary
        salida.resumen.Contar(p.circuito, p.leida, p.dimensionado, enArbol, maximo);
    }
    std::move(p.resultado.begin(), p.resultado.end(), std::back_inserter(p.entrada));
    salida.Fila(p.entrada, schedule::Falla(p.leida, p.dimensionado, enArbol, maximo));
}

// One row read, sized and made into its cells, waiting for its place in the tree; its node
// carries its regulation.
struct Preparada {
    Pendiente pendiente;
    schedule::Nodo nodo;
};

Preparada Preparar(Entrada& entrada, const std::vector<std::string>& celdas,
                   const schedule::FilaLeida& fila, long numero,
                   const schedule::Cuadro::Fila* guardada, const engine::TablasConductores& tablas,
                   const engine::Separadores& sep, engine::Norma norma, const Salida& salida) {
    const schedule::Encabezado& e = entrada.encabezado;
    std::optional<engine::Dimensionado> dimensionado;
    if (const auto* alimentador = std::get_if<engine::Alimentador>(&fila)) {
        dimensionado = engine::Dimensionar(*alimentador, tablas, sep, norma);
        if (guardada) {
            schedule::AgregarAvisos(*guardada, *dimensionado);
        }
    }
    schedule::Nodo nodo = NodoDe(celdas, e);
    nodo.regulacion = schedule::RegulacionDe(dimensionado);
    if (auto tramo = schedule::TramoDe(fila, dimensionado, salida.conFuente)) {
        tramo->transformador = nodo.transformador;
        nodo.tramo = std::make_shared<const schedule::Tramo>(std::move(*tramo));
    }
    // The cells are made first: then the sizing moves into the row, not a copy of it.
    std::vector<schedule::Celda> entradas = schedule::CeldasDeEntrada(celdas, e, entrada.marca);
    if (guardada) {
        entrada.MarcarFormulas(*guardada, entradas);
    }
    if (salida.xlsx) { // a workbook is for people: it shows the defaults the sizing took
        schedule::PonerValoresUsados(entradas, e, fila, dimensionado, sep);
    }
    std::vector<schedule::Celda> resultado = schedule::CeldasDeResultado(fila, dimensionado, sep);
    const CeldaDe celda = [&](schedule::Columna c) { return entrada.Celda(numero, c); };
    std::optional<std::string> motivo =
        Motivo(fila, dimensionado, {}, celda, guardada ? guardada->avisos.size() : 0);
    Pendiente p{numero,
                nodo.circuito,
                fila,
                std::move(dimensionado),
                std::move(entradas),
                std::move(resultado),
                std::move(motivo),
                celda(schedule::Columna::AlimentadoDesde),
                celda(schedule::Columna::Voltaje)};
    return {std::move(p), std::move(nodo)};
}

// The rows sized and written in order. In a tree of feeders a row waits, with those after
// it, until the feeders above it are sized: only a row fed from one further down is held.
Fallas EscribirFilas(Entrada& entrada, const engine::TablasConductores& tablas, engine::Norma norma,
                     Salida& salida) {
    const engine::Separadores sep{std::string(1, schedule::Caracter(entrada.marca.marca)), ""};
    EscribirEncabezado(entrada.encabezado, salida);
    const double maximo = entrada.cuadro ? schedule::RegulacionTotalDe(entrada.cuadro->proyecto)
                                         : schedule::RegulacionTotalPorOmision;
    // The project's source, the options' over it: checked before the run began.
    schedule::ParaCorto corto = schedule::ParaCortoDe(salida.proyecto, sep);
    salida.conFuente = corto.fuente.has_value();
    if (corto.fuente) {
        corto.fuente->motoresDeFilas = MotoresDeFilas(entrada, *corto.fuente);
        salida.resumen.Fuente(*corto.fuente);
    }
    std::optional<schedule::ArbolDeFilas> arbol;
    if (entrada.nodos) {
        arbol.emplace(std::move(*entrada.nodos), maximo, sep, corto);
    }
    Fallas fallas;
    std::deque<std::pair<std::size_t, Pendiente>> espera;
    std::vector<std::string> celdas;
    schedule::FilaLeida fila;
    long numero = 0;
    const schedule::Cuadro::Fila* guardada = nullptr;
    for (std::size_t i = 0; entrada.Siguiente(celdas, fila, numero, guardada); ++i) {
        auto [p, nodo] =
            Preparar(entrada, celdas, fila, numero, guardada, tablas, sep, norma, salida);
        // A file changed between its two readings has rows the tree does not know.
        if (!arbol || i >= arbol->Filas()) {
            Emitir(p, schedule::Solo(nodo, maximo, sep, corto), sep, maximo, fallas, salida);
            continue;
        }
        arbol->Dimensionada(i, nodo.regulacion, std::move(nodo.tramo));
        espera.emplace_back(i, std::move(p));
        while (!espera.empty() && arbol->Listo(espera.front().first)) {
            Emitir(espera.front().second, arbol->Lugar(espera.front().first), sep, maximo, fallas,
                   salida);
            espera.pop_front();
        }
    }
    for (auto& [i, p] : espera) {
        Emitir(p, arbol->Lugar(i), sep, maximo, fallas, salida);
    }
    return fallas;
}

// Closes the output, a workbook with its notes, and puts it in place; a message if it could
// not be written.
std::optional<std::string> Terminar(const Opciones& o, Salida& salida,
                                    const std::vector<std::string>& notas,
                                    const engine::Separadores& sep, std::ostream& estandar) {
    const std::string destino = Nombre(o.salida.value_or("-"));
    if (salida.xlsx) {
        const auto error = salida.xlsx->Terminar(
            salida.proyecto.nombre,
            schedule::RenglonesDelLibro(salida.proyecto, salida.resumen, sep), notas);
        if (error) {
            return "no se pudo escribir " + destino + ": " + *error + ".";
        }
    } else {
        salida.archivo.close();
        if (!salida.archivo) {
            return "no se pudo escribir " + destino + ".";
        }
    }
    if (o.salida) {
        if (!salida.temporal->Confirmar()) {
            return "no se pudo reemplazar " + destino + ".";
        }
        return std::nullopt;
    }
    std::ifstream resultados(salida.temporal->ruta(), std::ios::binary);
    estandar << resultados.rdbuf();
    estandar.flush();
    return std::nullopt;
}

// The options' source over the project's; a message when the source is not sound.
std::optional<std::string> PonerFuente(const Opciones& o, schedule::DatosProyecto& proyecto) {
    for (const auto& [clave, valor] : o.fuente) {
        for (const schedule::CampoProyecto& c : schedule::CamposProyecto) {
            if (c.clave == clave) {
                proyecto.*c.campo = valor;
            }
        }
    }
    const auto fuente = schedule::FuenteDe(proyecto);
    if (const auto* error = std::get_if<std::string>(&fuente)) {
        return *error;
    }
    return std::nullopt;
}

// The schedule saved as a project file: its inputs and its project's data; the rows are
// sized only to tell which fail.
int AProyecto(const Opciones& o, const engine::TablasConductores& tablas, std::ostream& errores) {
    auto leido = schedule::AbrirCuadro(o.entrada);
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        errores << "calculador-caidas-lote: el archivo " << Nombre(o.entrada) << ": " << *mensaje
                << ".\n";
        return NoEmpieza;
    }
    schedule::Cuadro& cuadro = std::get<schedule::Cuadro>(leido);
    if (o.norma) {
        cuadro.proyecto.norma = engine::NombresNorma[static_cast<std::size_t>(*o.norma)];
    }
    if (auto error = PonerFuente(o, cuadro.proyecto)) {
        errores << "calculador-caidas-lote: " << *error << "\n";
        return NoEmpieza;
    }
    if (const auto error = schedule::GuardarProyecto(cuadro, *o.salida)) {
        errores << "calculador-caidas-lote: no se pudo escribir " << Nombre(*o.salida) << ": "
                << *error << ".\n";
        return NoEmpieza;
    }
    const std::vector<schedule::FilaDimensionada> dimensionadas =
        *schedule::DimensionarCuadro(cuadro, tablas, std::nullopt, {});
    const auto enArbol = schedule::ArbolDelCuadro(cuadro, dimensionadas, {});
    Fallas fallas;
    for (std::size_t i = 0; i < dimensionadas.size(); ++i) {
        const long numero = cuadro.filas[i].numero > 0 ? static_cast<long>(cuadro.filas[i].numero)
                                                       : static_cast<long>(i) + 2;
        const auto celda = [&](schedule::Columna c) {
            return CeldaDelLibro(cuadro, schedule::Disposicion(cuadro), numero, c);
        };
        fallas.Contar(numero, Motivo(dimensionadas[i].leida, dimensionadas[i].dimensionado,
                                     enArbol[i], celda, cuadro.filas[i].avisos.size()));
    }
    return fallas.Informar(errores);
}

} // namespace

int Ejecutar(const Opciones& o, std::ostream& estandar, std::ostream& errores) {
    const auto fallar = [&](const std::string& mensaje) {
        errores << "calculador-caidas-lote: " << mensaje << "\n";
        return NoEmpieza;
    };
    if (o.salida && MismoArchivo(*o.salida, o.entrada)) {
        return fallar("el archivo de salida " + Nombre(*o.salida) +
                      " es el mismo de entrada; elija otro nombre.");
    }
    if (o.salida && !EsXlsx(*o.salida) && schedule::Extension(*o.salida) != ".csv" &&
        schedule::TipoDe(*o.salida) != schedule::TipoArchivo::Proyecto) {
        return fallar("el archivo de salida " + Nombre(*o.salida) +
                      " debe terminar en .csv, .xlsx o .alim.");
    }
    auto tablas = engine::LeerTablas(o.tablas);
    if (const auto* aviso = std::get_if<engine::Aviso>(&tablas)) {
        return fallar(aviso->texto);
    }
    if (o.salida && schedule::TipoDe(*o.salida) == schedule::TipoArchivo::Proyecto) {
        return AProyecto(o, std::get<engine::TablasConductores>(tablas), errores);
    }
    Entrada entrada;
    if (auto error = AbrirEntrada(o.entrada, entrada)) {
        return fallar(error->mensaje);
    }
    const engine::Norma norma = o.norma.value_or(
        entrada.cuadro ? schedule::NormaDe(entrada.cuadro->proyecto) : engine::NormaPorOmision);
    std::vector<std::string> notas = schedule::NotasDelMetodo(norma);
    if (auto sinUso = schedule::AvisoSinUso(entrada.encabezado)) {
        errores << "calculador-caidas-lote: " << *sinUso << "\n";
        notas.push_back(*sinUso);
    }
    Salida salida;
    if (auto error = AbrirSalida(o, entrada, salida)) {
        return fallar(error->mensaje);
    }
    if (entrada.cuadro) {
        salida.proyecto = entrada.cuadro->proyecto;
    }
    salida.proyecto.norma = engine::NombresNorma[static_cast<std::size_t>(norma)];
    if (auto error = PonerFuente(o, salida.proyecto)) {
        return fallar(*error);
    }
    const Fallas fallas =
        EscribirFilas(entrada, std::get<engine::TablasConductores>(tablas), norma, salida);
    if (const auto& error = entrada.Error()) {
        return fallar("el archivo " + Nombre(o.entrada) + ": " + *error + ".");
    }
    const engine::Separadores sep{std::string(1, schedule::Caracter(entrada.marca.marca)), ""};
    if (auto error = Terminar(o, salida, notas, sep, estandar)) {
        return fallar(*error);
    }
    return fallas.Informar(errores);
}

} // namespace lote
