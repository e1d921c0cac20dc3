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
    std::vector<std::string> lineas{""};
    if (modo == Modo::CaidaVoltaje) {
        const std::string_view UnidadImpedancia = trifasico ? " Ohmios/fase" : " Ohmios";
        lineas.push_back(Linea("     R= ", v.ResistenciaTotal, "0.###", UnidadImpedancia, sep));
        lineas.push_back(Linea("     X= ", v.ReactanciaTotal, "0.###", UnidadImpedancia, sep));
        lineas.push_back(Linea("     Z= ", v.ImpedanciaTotal, "0.###", UnidadImpedancia, sep));
        lineas.push_back(Linea("     Pérdidas= ", v.Perdidas, "#,##0.00#", " Vatios", sep));
        lineas.push_back(
            Linea("     Caída de Voltaje = ", v.CaidaVoltaje, "#,##0.000 ", " Voltios", sep));
        lineas.push_back(
            Linea("     Voltaje Final= ", v.VoltajeFinal, "#,##0.00", " Voltios", sep));
        lineas.push_back(Linea("     Regulación de Voltaje= ", v.Regulacion, "##0.00", " %", sep));
    } else {
        const std::string_view unidad = trifasico ? " ohmios/fase" : "  ohmios";
        lineas.push_back(Linea("     R= ", v.ResistenciaTotal, "0.###", unidad, sep));
        lineas.push_back(Linea("     X= ", v.ReactanciaTotal, "0.###", unidad, sep));
        lineas.push_back(Linea("     Z= ", v.ImpedanciaTotal, "0.###", unidad, sep));
        lineas.push_back(Linea("     Pérdidas= ", v.Perdidas, trifasico ? "#,##0.00#" : "#,##0.0##",
                               " Vatios", sep));
        lineas.push_back(
            Linea("     Distancia= ", v.DistanciaPermitida, "#,##0.00", " Metros", sep));
    }
    return lineas;
}

} // namespace engine
