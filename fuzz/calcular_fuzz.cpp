// The whole calculation on arbitrary field texts and choices, with the shipped tables:
// always a full report, the heading alone with a message, or no line with a message.
#include "engine/calcular.h"
#include "engine/report.h"
#include "fuzz_input.h"

namespace {

bool TieneNoFinito(const std::string& linea) {
    for (const char* marca : {"nan", "inf", "NaN", "Inf", "NAN", "INF"}) {
        if (linea.find(marca) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    fuzz::Bytes bytes(datos, tamano);
    engine::Entrada e;
    const std::uint8_t elecciones = bytes.Byte();
    e.modo = elecciones & 1 ? engine::Modo::Distancia : engine::Modo::CaidaVoltaje;
    e.sistema = elecciones & 2 ? engine::Sistema::Monofasico : engine::Sistema::Trifasico;
    e.material = elecciones & 4 ? engine::Material::Aluminio : engine::Material::Cobre;
    e.indiceDucto = bytes.Byte() % 4;
    e.indiceCalibre = bytes.Byte() % 21;
    e.Text1 = bytes.Texto();
    e.Text2 = bytes.Texto();
    e.Text3 = bytes.Texto();
    e.Text5 = bytes.Texto();
    e.Text6 = bytes.Texto();
    e.carpetaTablas = CARPETA_TABLAS;

    const engine::Reporte r = engine::Calcular(e);
    for (const std::string& linea : r.lineas) {
        if (TieneNoFinito(linea)) {
            fuzz::Falla("línea no finita", linea);
        }
    }
    const std::size_t completas =
        e.modo == engine::Modo::CaidaVoltaje ? engine::LineasCaida : engine::LineasDistancia;
    const bool completo = !r.aviso && r.lineas.size() == completas;
    const bool soloEncabezado = r.aviso && r.aviso->tipo == engine::Aviso::Tipo::FallaCalculo &&
                                r.lineas.size() == 1 && r.lineas[0] == engine::Encabezado;
    const bool sinLineas =
        r.aviso && r.aviso->tipo != engine::Aviso::Tipo::FallaCalculo && r.lineas.empty();
    if (!completo && !soloEncabezado && !sinLineas) {
        fuzz::Falla("forma del reporte", std::to_string(r.lineas.size()));
    }
    return 0;
}
