// The schedule command: sizes every feeder of a schedule, from the command line.
#include "schedule_command/lote.h"

#include "engine/code_editions.h"
#include "schedule/method_notes.h"
#include "schedule/columns.h"
#include "schedule/schedule_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <iostream>

namespace {

// The program's own folder, where its two table files lie.
std::filesystem::path CarpetaPrograma() {
    std::error_code error;
    const auto programa = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : programa.parent_path();
}

void Etiquetas(CLI::App& app) {
    auto formato = std::make_shared<CLI::Formatter>();
    formato->label("Usage", "Uso");
    formato->label("OPTIONS", "OPCIONES");
    formato->label("Positionals", "Argumentos");
    formato->label("Options", "Opciones");
    formato->label("REQUIRED", "OBLIGATORIO");
    formato->label("TEXT", "TEXTO");
    formato->column_width(28);
    app.formatter(formato);
}

// What was wrong with the arguments, in the user's words.
std::string Motivo(const CLI::ParseError& error) {
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        return "falta el archivo de entrada";
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        return "hay argumentos de más u opciones que no existen";
    }
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        return "la norma no es una de NEC 2023, NOM-001-SEDE-2012 o NEC 2020";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return "a una opción le falta su valor";
    }
    return "los argumentos no son válidos";
}

// The columns, the outputs, the assumptions a reader must know of, and the exit statuses.
std::string Pie() {
    std::string salidas;
    for (const schedule::DescripcionResultado& r : schedule::ColumnasResultado) {
        salidas += (salidas.empty() ? "" : ", ") + std::string(r.nombre);
    }
    return schedule::AyudaDeColumnas() + " Cada conjunto en paralelo va en su propio ducto." +
           "\nSalida: las columnas de entrada y " + salidas +
           ".\nSupuestos: toda la carga continua (al 125 %) sin continua ni corriente_continua, "
           "lo que da calibres mayores que los de la corriente sola; " +
           schedule::SupuestosPorOmision() +
           ". El método completo: --notas."
           "\nEstado de salida: 0 todo calculado; 1 algunas filas sin calcular; 2 no se pudo "
           "empezar (nada escrito).\n";
}

// What the command line asks for, as the options read it.
struct Pedido {
    lote::Opciones opciones;
    std::string salida;
    std::string norma;
    bool notas = false;
    // The source's options, one per field of the project from its first.
    std::array<std::string, schedule::CamposProyecto.size() - schedule::PrimerCampoDeFuente> fuente;
    std::array<CLI::Option*, schedule::CamposProyecto.size() - schedule::PrimerCampoDeFuente>
        opcionesFuente{};
};

// "--kva-fuente", for the project's key "kva_fuente".
std::string NombreDeOpcion(std::string_view clave) {
    std::string nombre = "--" + std::string(clave);
    std::replace(nombre.begin(), nombre.end(), '_', '-');
    return nombre;
}

// The source of the fault current, each field of the project an option.
void DeclararFuente(CLI::App& app, Pedido& p) {
    for (std::size_t i = 0; i < p.fuente.size(); ++i) {
        const schedule::CampoProyecto& c =
            schedule::CamposProyecto[schedule::PrimerCampoDeFuente + i];
        p.opcionesFuente[i] = app.add_option(NombreDeOpcion(c.clave), p.fuente[i],
                                             std::string(c.etiqueta) + ", sobre el del proyecto")
                                  ->type_name("VALOR")
                                  ->group("Fuente de cortocircuito");
    }
}

void Declarar(CLI::App& app, Pedido& p) {
    Etiquetas(app);
    app.option_defaults()->group("Opciones");
    app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
    app.set_version_flag("--version", "calculador-caidas-lote " CALCULADOR_VERSION,
                         "Muestra la versión y termina");
    app.add_option("ENTRADA.csv", p.opciones.entrada,
                   "La tabla de alimentadores: CSV, libro .xlsx o proyecto .alim")
        ->type_name("ARCHIVO")
        ->group("Argumentos");
    app.add_option("-o,--salida", p.salida,
                   "El archivo de resultados, SALIDA.csv o SALIDA.xlsx, o el proyecto "
                   "SALIDA.alim; sin él, el CSV va a la salida estándar")
        ->type_name("ARCHIVO");
    app.add_option("--tablas", p.opciones.tablas,
                   "La carpeta de Cobre.sqlite y Aluminio.sqlite (la del programa si falta)")
        ->type_name("CARPETA");
    app.add_option("--norma", p.norma,
                   "La edición que citan observaciones y notas: \"NEC 2023\", "
                   "\"NOM-001-SEDE-2012\" o \"NEC 2020\" (la del proyecto, o NEC 2023)")
        ->type_name("TEXTO");
    app.add_flag("--notas", p.notas, "Muestra las notas del método y sus supuestos, y termina");
    DeclararFuente(app, p);
    app.footer(Pie());
}

// The input, unless only the notes are asked for, and the edition by one of its names.
void Validar(Pedido& p) {
    if (p.opciones.entrada.empty() && !p.notas) {
        throw CLI::RequiredError("ENTRADA.csv");
    }
    if (!p.norma.empty()) {
        p.opciones.norma = engine::NormaDe(p.norma);
        if (!p.opciones.norma) {
            throw CLI::ValidationError("--norma", p.norma);
        }
    }
    if (!p.salida.empty()) {
        p.opciones.salida = p.salida;
    }
    for (std::size_t i = 0; i < p.fuente.size(); ++i) {
        if (p.opcionesFuente[i]->count() > 0) {
            p.opciones.fuente.emplace_back(
                schedule::CamposProyecto[schedule::PrimerCampoDeFuente + i].clave, p.fuente[i]);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Dimensiona cada alimentador de una tabla de alimentadores (CSV de una hoja "
                 "de cálculo, libro .xlsx o proyecto .alim): la corriente de su carga, su "
                 "protección, el calibre mínimo por caída de voltaje y por ampacidad, el "
                 "calibre elegido, su caída, su regulación y su ampacidad.",
                 "calculador-caidas-lote"};
    Pedido p;
    p.opciones.tablas = CarpetaPrograma();
    Declarar(app, p);
    try {
        app.parse(argc, argv);
        Validar(p);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return lote::Todo;
    } catch (const CLI::CallForVersion&) {
        std::cout << app.version() << "\n";
        return lote::Todo;
    } catch (const CLI::ParseError& error) {
        std::cerr << "calculador-caidas-lote: uso incorrecto: " << Motivo(error)
                  << ".\nUso: calculador-caidas-lote ENTRADA.csv [-o SALIDA.csv | -o "
                     "SALIDA.xlsx | -o SALIDA.alim] [--tablas CARPETA] [--norma TEXTO]\n"
                     "Más información: calculador-caidas-lote --help\n";
        return lote::NoEmpieza;
    }
    if (p.notas) {
        for (const std::string& nota :
             schedule::NotasDelMetodo(p.opciones.norma.value_or(engine::NormaPorOmision))) {
            std::cout << nota << "\n";
        }
        return lote::Todo;
    }
    return lote::Ejecutar(p.opciones, std::cout, std::cerr);
}
