// The schedule reader on arbitrary bytes: every record comes out as UTF-8, each row is a
// feeder or a non-empty list of messages, and a readable feeder is sized without a fault.
#include "engine/sizing.h"
#include "fuzz_input.h"
#include "schedule/csv_reader.h"
#include "schedule/result_cells.h"
#include "schedule/text.h"

#include <algorithm>
#include <sstream>

namespace {

const engine::TablasConductores& Tablas() {
    static const engine::TablasConductores tablas =
        std::get<engine::TablasConductores>(engine::LeerTablas(CARPETA_TABLAS));
    return tablas;
}

void ComprobarUtf8(const std::vector<std::string>& celdas) {
    for (const std::string& celda : celdas) {
        schedule::ValidadorUtf8 validador;
        validador.Agregar(celda);
        if (!validador.Terminar()) {
            fuzz::Falla("celda que no es UTF-8", celda);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    std::istringstream entrada(std::string(reinterpret_cast<const char*>(datos), tamano));
    auto apertura = schedule::LectorCsv::Abrir(entrada);
    auto& lector = *std::get<std::unique_ptr<schedule::LectorCsv>>(apertura);
    std::vector<std::string> celdas;
    if (!lector.Siguiente(celdas)) {
        return 0;
    }
    ComprobarUtf8(celdas);
    const auto encabezado = schedule::LeerEncabezado(celdas);
    // Without the required columns, the rows are still read as if they had them all.
    schedule::Encabezado e;
    if (const auto* leido = std::get_if<schedule::Encabezado>(&encabezado)) {
        e = *leido;
    } else {
        e.nombres = celdas;
        e.nombres.resize(std::max(celdas.size(), schedule::Columnas.size()));
        for (std::size_t c = 0; c < schedule::Columnas.size(); ++c) {
            e.posicion[c] = c;
        }
    }
    // The mark the delimiter gives, or a tie, by the first byte's parity.
    const schedule::MarcaDecimal marca{schedule::MarcaPorDelimitador(lector.delimitador()),
                                       tamano > 0 && datos[0] % 2 == 1};
    while (lector.Siguiente(celdas)) {
        ComprobarUtf8(celdas);
        const schedule::FilaLeida fila = schedule::LeerFila(celdas, e, marca);
        std::optional<engine::Dimensionado> d;
        if (const auto* a = std::get_if<engine::Alimentador>(&fila)) {
            d = engine::Dimensionar(*a, Tablas());
            if (!d->calculado && d->observaciones.empty()) {
                fuzz::Falla("fila sin calcular y sin mensaje", celdas.empty() ? "" : celdas[0]);
            }
        } else if (std::get<std::vector<schedule::ErrorCelda>>(fila).empty()) {
            fuzz::Falla("fila con errores vacíos", celdas.empty() ? "" : celdas[0]);
        }
        const auto entradas = schedule::CeldasDeEntrada(celdas, e, marca);
        const auto resultados = schedule::CeldasDeResultado(fila, d, {});
        // An earlier sizing's result columns give way to the new ones.
        if (entradas.size() != e.nombres.size() - e.resultados.size() ||
            resultados.size() != schedule::ColumnasResultado.size()) {
            fuzz::Falla("ancho de la fila de salida", std::to_string(entradas.size()));
        }
        if (resultados.back().texto.find(" | ") != std::string::npos &&
            std::holds_alternative<engine::Alimentador>(fila) && d->observaciones.size() < 2) {
            fuzz::Falla("separador dentro de una observación", resultados.back().texto);
        }
    }
    return 0;
}
