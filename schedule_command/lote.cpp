#include "schedule_command/lote.h"

#include "engine/sizing.h"
#include "schedule/csv_reader.h"
#include "schedule/feeders.h"
#include "schedule/replace_file.h"
#include "schedule/writers.h"

#include <cstdio>
#include <fstream>
#include <system_error>

namespace lote {
namespace {

std::string Nombre(const std::filesystem::path& archivo) {
    return "\"" + archivo.string() + "\"";
}

// The file's extension in lower case: "Resultados.XLSX" is a workbook too.
std::string Extension(const std::filesystem::path& archivo) {
    std::string extension = archivo.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

bool EsXlsx(const std::filesystem::path& archivo) {
    return Extension(archivo) == ".xlsx";
}

bool MismoArchivo(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    return std::filesystem::weakly_canonical(a, error) ==
           std::filesystem::weakly_canonical(b, error);
}

// Why a run cannot start; nothing has been written.
struct Fallo {
    std::string mensaje;
};

// The input file, read once through to learn its decimal mark, then opened again for the
// rows: the whole file is known good before anything is written.
struct Entrada {
    std::ifstream archivo;
    std::unique_ptr<schedule::LectorCsv> lector;
    schedule::Encabezado encabezado;
    schedule::MarcaDecimal marca;
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

std::optional<Fallo> AbrirEntrada(const std::filesystem::path& ruta, Entrada& entrada) {
    if (auto error = AbrirLector(ruta, entrada)) {
        return error;
    }
    schedule::DecisionMarca decision;
    std::vector<std::string> celdas;
    while (entrada.lector->Siguiente(celdas)) {
        schedule::ContarMarcas(celdas, entrada.encabezado, decision);
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
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> estandar{nullptr, std::fclose};
    std::filesystem::path rutaEstandar;
    std::optional<schedule::EscritorCsv> csv;

    void Fila(const std::vector<schedule::Celda>& celdas) {
        if (xlsx) {
            xlsx->Fila(celdas);
        } else {
            csv->Fila(celdas);
        }
    }
};

std::optional<Fallo> AbrirSalida(const Opciones& o, char delimitador, Salida& salida) {
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
        salida.csv.emplace(salida.archivo, delimitador);
    }
    return std::nullopt;
}

// The rows that could not be computed, and the first of them.
struct Fallas {
    std::size_t filas = 0;
    std::size_t fallidas = 0;
    std::string primera;

    void Contar(long numero, const schedule::FilaLeida& fila,
                const std::optional<engine::Dimensionado>& d) {
        ++filas;
        std::string motivo;
        if (const auto* errores = std::get_if<std::vector<schedule::ErrorCelda>>(&fila)) {
            const schedule::ErrorCelda& e = errores->front();
            motivo = (e.columna ? "columna «" +
                                      std::string(schedule::Descripcion(*e.columna).nombre) + "»: "
                                : "") +
                     e.mensaje;
        } else if (d && !d->calculado) {
            motivo = d->observaciones.empty() ? "" : d->observaciones.front();
        } else {
            return;
        }
        if (fallidas++ == 0) {
            primera = "fila " + std::to_string(numero) + ", " + motivo;
        }
    }
};

Fallas EscribirFilas(Entrada& entrada, const engine::TablasConductores& tablas, Salida& salida) {
    const schedule::Encabezado& e = entrada.encabezado;
    const engine::Separadores sep{std::string(1, schedule::Caracter(entrada.marca.marca)), ""};
    std::vector<std::string> nombres = e.nombres;
    for (std::string_view columna : schedule::ColumnasResultado) {
        nombres.emplace_back(columna);
    }
    if (salida.xlsx) {
        salida.xlsx->Encabezado(nombres);
    } else {
        std::vector<schedule::Celda> titulos;
        for (std::string& nombre : nombres) {
            titulos.push_back({std::move(nombre), std::nullopt, {}});
        }
        salida.csv->Fila(titulos);
    }
    Fallas fallas;
    std::vector<std::string> celdas;
    while (entrada.lector->Siguiente(celdas)) {
        if (schedule::FilaVacia(celdas)) {
            continue;
        }
        const schedule::FilaLeida fila = schedule::LeerFila(celdas, e, entrada.marca);
        std::optional<engine::Dimensionado> dimensionado;
        if (const auto* alimentador = std::get_if<engine::Alimentador>(&fila)) {
            dimensionado = engine::Dimensionar(*alimentador, tablas, sep);
        }
        fallas.Contar(entrada.lector->fila(), fila, dimensionado);
        salida.Fila(schedule::CeldasDeSalida(celdas, e, entrada.marca, fila, dimensionado, sep));
    }
    return fallas;
}

// Closes the output and puts it in place; a message if it could not be written.
std::optional<std::string> Terminar(const Opciones& o, Salida& salida,
                                    const std::vector<std::string>& avisos,
                                    std::ostream& estandar) {
    const std::string destino = Nombre(o.salida.value_or("-"));
    if (salida.xlsx) {
        if (const auto error = salida.xlsx->Terminar(avisos)) {
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
    if (o.salida && !EsXlsx(*o.salida) && Extension(*o.salida) != ".csv") {
        return fallar("el archivo de salida " + Nombre(*o.salida) +
                      " debe terminar en .csv o en .xlsx.");
    }
    auto tablas = engine::LeerTablas(o.tablas);
    if (const auto* aviso = std::get_if<engine::Aviso>(&tablas)) {
        return fallar(aviso->texto);
    }
    Entrada entrada;
    if (auto error = AbrirEntrada(o.entrada, entrada)) {
        return fallar(error->mensaje);
    }
    std::vector<std::string> avisos;
    if (auto sinUso = schedule::AvisoSinUso(entrada.encabezado)) {
        errores << "calculador-caidas-lote: " << *sinUso << "\n";
        avisos.push_back(*sinUso);
    }
    Salida salida;
    if (auto error = AbrirSalida(o, entrada.lector->delimitador(), salida)) {
        return fallar(error->mensaje);
    }
    const Fallas fallas =
        EscribirFilas(entrada, std::get<engine::TablasConductores>(tablas), salida);
    if (const auto& error = entrada.lector->error()) {
        return fallar("el archivo " + Nombre(o.entrada) + ": " + *error + ".");
    }
    if (auto error = Terminar(o, salida, avisos, estandar)) {
        return fallar(*error);
    }
    if (fallas.fallidas == 0) {
        return Todo;
    }
    errores << "calculador-caidas-lote: " << fallas.fallidas << " de " << fallas.filas
            << " alimentadores no se calcularon; el primero, " << fallas.primera << "\n";
    return Algunas;
}

} // namespace lote
