#include "engine/calcular.h"

#include "engine/numeric_text.h"
#include "engine/report.h"

namespace engine {

Reporte Calcular(const Entrada& e) {
    Reporte reporte;
    const auto lectura = LeerConductor(e.material, e.indiceDucto, e.indiceCalibre, e.carpetaTablas);
    if (const auto* aviso = std::get_if<Aviso>(&lectura)) {
        reporte.aviso = *aviso;
        return reporte;
    }
    reporte.lineas.emplace_back(Encabezado);

    const Datos datos{ValorNumerico(e.Text1), ValorNumerico(e.Text2), ValorNumerico(e.Text3),
                      ValorNumerico(e.Text5), ValorNumerico(e.Text6)};
    const auto valores = CalcularValores(e.modo, e.sistema, datos, std::get<Conductor>(lectura));
    if (const auto* falla = std::get_if<Falla>(&valores)) {
        reporte.aviso = Aviso{Aviso::Tipo::FallaCalculo, std::string(TextoFalla(*falla))};
        return reporte;
    }
    reporte.valores = std::get<Valores>(valores);
    for (auto& linea : LineasResultado(e.modo, e.sistema, *reporte.valores, e.separadores)) {
        reporte.lineas.push_back(std::move(linea));
    }
    return reporte;
}

} // namespace engine
