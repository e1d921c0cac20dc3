#include "engine/report.h"

namespace engine {
namespace {

std::string Linea(std::string_view etiqueta, double valor, std::string_view patron,
                  std::string_view unidad, const Separadores& sep) {
    std::string linea(etiqueta);
    linea += FormatearConPatron(valor, patron, sep);
    linea += unidad;
    return linea;
}

} // namespace

std::vector<std::string> LineasResultado(Modo modo, Sistema sistema, const Valores& v,
                                         const Separadores& sep) {
    const bool trifasico = sistema == Sistema::Trifasico;
    const bool caida = modo == Modo::CaidaVoltaje;
    // The two reports spell the impedance unit differently, and the single-phase distance
    // report shows its losses to one fixed decimal.
    const std::string_view unidad = caida ? (trifasico ? " Ohmios/fase" : " Ohmios")
                                          : (trifasico ? " ohmios/fase" : "  ohmios");
    const std::string_view patronPerdidas = caida || trifasico ? "#,##0.00#" : "#,##0.0##";

    std::vector<std::string> lineas{""};
    lineas.push_back(Linea("     R= ", v.ResistenciaTotal, "0.###", unidad, sep));
    lineas.push_back(Linea("     X= ", v.ReactanciaTotal, "0.###", unidad, sep));
    lineas.push_back(Linea("     Z= ", v.ImpedanciaTotal, "0.###", unidad, sep));
    lineas.push_back(Linea("     Pérdidas= ", v.Perdidas, patronPerdidas, " Vatios", sep));
    if (caida) {
        lineas.push_back(
            Linea("     Caída de Voltaje = ", v.CaidaVoltaje, "#,##0.000 ", " Voltios", sep));
        lineas.push_back(
            Linea("     Voltaje Final= ", v.VoltajeFinal, "#,##0.00", " Voltios", sep));
        lineas.push_back(Linea("     Regulación de Voltaje= ", v.Regulacion, "##0.00", " %", sep));
    } else {
        lineas.push_back(
            Linea("     Distancia= ", v.DistanciaPermitida, "#,##0.00", " Metros", sep));
    }
    return lineas;
}

} // namespace engine
