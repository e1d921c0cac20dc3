#include "schedule/calculator_row.h"

#include "engine/numeric_text.h"

namespace schedule {
namespace {

// Two decimals rounded half away from zero, as the report rounds, with "." as decimal point.
std::string DosDecimales(double valor) {
    return engine::FormatearConPatron(valor, "0.00", {".", ""});
}

} // namespace

Cuadro::Fila FilaDeLaCalculadora(const engine::Entrada& e, Cuadro::Fila fila) {
    const auto poner = [&fila](Columna c, std::string_view texto) {
        fila.entradas[static_cast<std::size_t>(c)] = std::string(texto);
        fila.errores[static_cast<std::size_t>(c)].clear();
    };
    // The numbers the main window computes with, to the 15 digits its fields show.
    const auto numero = [&](Columna c, const std::string& texto) {
        poner(c, engine::TextoQuinceCifras(engine::ValorNumerico(texto)));
    };
    poner(Columna::Sistema, engine::DescripcionSistema(e.sistema).nombre);
    poner(Columna::Conductor, engine::TablaDe(e.material).nombre);
    poner(Columna::Ducto, engine::Ductos.at(static_cast<std::size_t>(e.indiceDucto)).nombre);
    poner(Columna::Calibre, engine::Calibres.at(static_cast<std::size_t>(e.indiceCalibre)).nombre);
    numero(Columna::Corriente, e.Text2);
    numero(Columna::Voltaje, e.Text3);
    numero(Columna::Fp, e.Text5);
    if (e.modo == engine::Modo::CaidaVoltaje) {
        numero(Columna::Longitud, e.Text1);
        return fila;
    }
    // The hidden length is not the feeder's: the distance the report gives is.
    const engine::Reporte reporte = engine::Calcular(e);
    poner(Columna::Longitud,
          reporte.valores ? DosDecimales(reporte.valores->DistanciaPermitida) : "");
    const double voltaje = engine::ValorNumerico(e.Text3);
    if (voltaje > 0) {
        poner(Columna::RegulacionMax, DosDecimales(engine::ValorNumerico(e.Text6) / voltaje * 100));
    }
    return fila;
}

} // namespace schedule
