// The number text of a field for every double: no sign, only the characters of a number,
// and read back as the value rounded to 15 significant digits.
#include "fuzz_input.h"
#include "round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    fuzz::Bytes bytes(datos, tamano);
    fuzz::ComprobarIdaYVuelta(bytes.Double());
    return 0;
}
