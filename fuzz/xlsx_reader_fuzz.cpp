// The workbook reader on arbitrary bytes: it never fails but with a message, and a schedule
// it reads has rows as wide as its layout, each read into a feeder or into messages.
#include "fuzz_input.h"
#include "schedule/xlsx_reader.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const auto leido =
        schedule::LeerLibro(std::string_view(reinterpret_cast<const char*>(datos), tamano));
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        if (mensaje->empty()) {
            fuzz::Falla("libro rechazado sin mensaje", "");
        }
        return 0;
    }
    const schedule::Cuadro& cuadro = std::get<schedule::Cuadro>(leido);
    for (const schedule::Cuadro::Fila& fila : cuadro.filas) {
        if (fila.otras.size() != cuadro.otras.size()) {
            fuzz::Falla("fila con otras columnas de más o de menos", fila.entradas[0]);
        }
        const auto f = schedule::LeerFilaDelCuadro(fila);
        if (const auto* errores = std::get_if<std::vector<schedule::ErrorCelda>>(&f);
            errores != nullptr && errores->empty()) {
            fuzz::Falla("fila con errores vacíos", fila.entradas[0]);
        }
    }
    return 0;
}
