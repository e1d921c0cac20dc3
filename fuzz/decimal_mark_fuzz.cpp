// A number written with any valid grouping, in either decimal mark, reads back to the same
// value in a file whose other cells show that mark.
#include "engine/decimal.h"
#include "fuzz_input.h"
#include "schedule/decimal_mark.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    fuzz::Bytes bytes(datos, tamano);
    const schedule::Marca marca =
        bytes.Byte() % 2 == 0 ? schedule::Marca::Punto : schedule::Marca::Coma;
    const bool negativo = bytes.Byte() % 2 == 1;
    const bool agrupar = bytes.Byte() % 2 == 1;
    // Up to 15 digits in all, split between the integer part and the fraction.
    std::string entera, fraccion;
    const std::size_t cifras = 1 + bytes.Byte() % 15;
    const std::size_t decimales = bytes.Byte() % (cifras + 1);
    for (std::size_t i = 0; i < cifras; ++i) {
        (i < cifras - decimales ? entera : fraccion) += static_cast<char>('0' + bytes.Byte() % 10);
    }
    const char decimal = schedule::Caracter(marca);
    const char grupo = marca == schedule::Marca::Coma ? '.' : ',';
    std::string escrito = negativo ? "-" : "";
    for (std::size_t i = 0; i < entera.size(); ++i) {
        if (agrupar && i > 0 && (entera.size() - i) % 3 == 0) {
            escrito += grupo;
        }
        escrito += entera[i];
    }
    if (!fraccion.empty()) {
        escrito += decimal;
        escrito += fraccion;
    }

    // The file's other cells show its mark and outnumber any this one shows.
    schedule::DecisionMarca decision;
    const std::string muestra = std::string("0") + decimal + "5";
    decision.Contar(muestra);
    decision.Contar(muestra);
    decision.Contar(escrito);
    const schedule::MarcaDecimal decidida = decision.Decidir(
        marca == schedule::Marca::Coma ? schedule::Marca::Punto : schedule::Marca::Coma);
    if (decidida.marca != marca || decidida.empate) {
        fuzz::Falla("marca decidida", escrito);
    }
    const auto leido = schedule::LeerNumero(escrito, decidida);
    const auto* numero = std::get_if<schedule::Numero>(&leido);
    if (numero == nullptr) {
        fuzz::Falla("número bien escrito rechazado", escrito);
    }
    const std::string esperado = (negativo ? "-" : "") + (entera.empty() ? "0" : entera) +
                                 (fraccion.empty() ? "" : "." + fraccion);
    if (engine::Decimal::Leer(numero->texto) != engine::Decimal::Leer(esperado)) {
        fuzz::Falla("otro valor", escrito + " -> " + numero->texto);
    }
    return 0;
}
