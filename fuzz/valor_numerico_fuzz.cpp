// ValorNumerico on arbitrary bytes: always a finite number, which survives the round trip
// through its number text.
#include "engine/numeric_text.h"
#include "fuzz_input.h"
#include "round_trip.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const std::string texto(reinterpret_cast<const char*>(datos), tamano);
    const double v = engine::ValorNumerico(texto);
    if (!std::isfinite(v)) {
        fuzz::Falla("valor no finito", texto);
    }
    fuzz::ComprobarIdaYVuelta(v);
    return 0;
}
