#include "schedule_command/lote.h"

#include "engine/sizing.h"
#include "schedule/csv_reader.h"
#include "schedule/feeders.h"
#include "schedule/replace_file.h"
#include "schedule/writers.h"

#include <fstream>
#include <functional>
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

} // namespace

std::optional<engine::Dimensionado> DimensionarAlimentador(const engine::Alimentador& alimentador,
                                                           const engine::TablasConductores& tablas,
                                                           const engine::Separadores& sep) {
    return engine::Dimensionar(alimentador, tablas, sep);
}

int Ejecutar(const Opciones& o, std::ostream& estandar, std::ostream& errores,
             Dimensionador dimensionar) {
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

    engine::TablasConductores tablas;
    for (const engine::Material m : {engine::Material::Cobre, engine::Material::Aluminio}) {
        auto lectura = engine::LeerTabla(m, o.tablas);
        if (const auto* aviso = std::get_if<engine::Aviso>(&lectura)) {
            return fallar(aviso->texto);
        }
        tablas[static_cast<std::size_t>(m)] = std::get<engine::TablaConductores>(lectura);
    }

    std::ifstream archivo(o.entrada, std::ios::binary);
    if (!archivo || std::filesystem::is_directory(o.entrada)) {
        return fallar("no se puede abrir el archivo de entrada " + Nombre(o.entrada) + ".");
    }
    auto apertura = schedule::LectorCsv::Abrir(archivo);
    if (const auto* mensaje = std::get_if<std::string>(&apertura)) {
        return fallar("el archivo " + Nombre(o.entrada) + ": " + *mensaje + ".");
    }
    schedule::LectorCsv& lector = *std::get<std::unique_ptr<schedule::LectorCsv>>(apertura);
    std::vector<std::string> celdas;
    if (!lector.Siguiente(celdas)) {
        return fallar("el archivo " + Nombre(o.entrada) + " " +
                      lector.error().value_or("está vacío") + ".");
    }
    auto encabezado = schedule::LeerEncabezado(celdas);
    if (const auto* mensaje = std::get_if<std::string>(&encabezado)) {
        return fallar("el archivo " + Nombre(o.entrada) + ": " + *mensaje + ".");
    }
    const schedule::Encabezado& e = std::get<schedule::Encabezado>(encabezado);
    // A file saved with ";" or tabs comes from a spreadsheet that writes the decimal comma.
    const bool comaDecimal = lector.delimitador() != ',';
    const engine::Separadores sep{comaDecimal ? "," : ".", ""};

    std::optional<schedule::ArchivoTemporal> temporal;
    std::ofstream csv;
    std::unique_ptr<schedule::EscritorXlsx> xlsx;
    std::optional<schedule::EscritorCsv> escritorCsv;
    if (o.salida) {
        temporal.emplace(*o.salida);
        if (!temporal->creado()) {
            return fallar("no se puede escribir en la carpeta de " + Nombre(*o.salida) + ".");
        }
        if (EsXlsx(*o.salida)) {
            xlsx = schedule::EscritorXlsx::Abrir(temporal->ruta());
        } else {
            csv.open(temporal->ruta(), std::ios::binary | std::ios::trunc);
        }
        if (!xlsx && !csv.is_open()) {
            return fallar("no se puede escribir " + Nombre(*o.salida) + ".");
        }
    }
    if (!xlsx) {
        escritorCsv.emplace(csv.is_open() ? csv : estandar, lector.delimitador());
    }
    std::vector<std::string> nombres = e.nombres;
    for (std::string_view columna : schedule::ColumnasResultado) {
        nombres.emplace_back(columna);
    }
    if (xlsx) {
        xlsx->Encabezado(nombres);
    } else {
        std::vector<schedule::Celda> titulos;
        for (std::string& nombre : nombres) {
            titulos.push_back({std::move(nombre), std::nullopt, {}});
        }
        escritorCsv->Fila(titulos);
    }

    bool algunaFallo = false;
    while (lector.Siguiente(celdas)) {
        const schedule::FilaLeida fila = schedule::LeerFila(celdas, e, comaDecimal);
        std::optional<engine::Dimensionado> dimensionado;
        if (const auto* alimentador = std::get_if<engine::Alimentador>(&fila)) {
            dimensionado = dimensionar(*alimentador, tablas, sep);
        }
        algunaFallo = algunaFallo ||
                      std::holds_alternative<std::vector<schedule::ErrorCelda>>(fila) ||
                      (dimensionado && !dimensionado->calculado);
        const auto salida =
            schedule::CeldasDeSalida(celdas, e, comaDecimal, fila, dimensionado, sep);
        if (xlsx) {
            xlsx->Fila(salida);
        } else {
            escritorCsv->Fila(salida);
        }
    }
    if (lector.error()) {
        return fallar("el archivo " + Nombre(o.entrada) + ": " + *lector.error() + ".");
    }
    if (xlsx) {
        if (const auto error = xlsx->Terminar()) {
            return fallar("no se pudo escribir " + Nombre(*o.salida) + ": " + *error + ".");
        }
    } else if (csv.is_open()) {
        csv.close();
        if (!csv) {
            return fallar("no se pudo escribir " + Nombre(*o.salida) + ".");
        }
    }
    if (temporal && !temporal->Confirmar()) {
        return fallar("no se pudo reemplazar " + Nombre(*o.salida) + ".");
    }
    estandar.flush();
    return algunaFallo ? Algunas : Todo;
}

} // namespace lote
