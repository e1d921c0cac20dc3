// The report's number patterns: every finite value renders in its pattern's shape.
#include "engine/number_pattern.h"
#include "fuzz_input.h"

#include <array>
#include <cmath>
#include <string_view>

namespace {

struct Forma {
    std::string_view patron;
    bool agrupa;
    int minimos, maximos;
    std::string_view literal;
};

constexpr std::array<Forma, 6> Formas{{
    {"0.###", false, 0, 3, ""},
    {"#,##0.00#", true, 2, 3, ""},
    {"#,##0.000 ", true, 3, 3, " "},
    {"#,##0.00", true, 2, 2, ""},
    {"##0.00", false, 2, 2, ""},
    {"#,##0.0##", true, 1, 3, ""},
}};

const std::array<engine::Separadores, 5> Separadores{
    {{".", ","}, {",", "."}, {"?", "~"}, {",", "\u202f"}, {".", ""}}};

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    fuzz::Bytes bytes(datos, tamano);
    const double valor = bytes.Double();
    const Forma& forma = Formas[bytes.Byte() % Formas.size()];
    const engine::Separadores& sep = Separadores[bytes.Byte() % Separadores.size()];
    if (!std::isfinite(valor)) {
        return 0;
    }
    const std::string texto = engine::FormatearConPatron(valor, forma.patron, sep);
    std::string_view resto = texto;

    // Literal text at the end, sign at the start.
    if (resto.size() < forma.literal.size() || !resto.ends_with(forma.literal)) {
        fuzz::Falla("literal", texto);
    }
    resto.remove_suffix(forma.literal.size());
    const bool negativo = resto.starts_with('-');
    if (negativo) {
        resto.remove_prefix(1);
    }
    // Integer digits, grouped by threes from the right when the pattern groups.
    const auto punto = resto.rfind(sep.decimal);
    if (punto == std::string_view::npos) {
        fuzz::Falla("sin separador decimal", texto);
    }
    std::string_view enteros = resto.substr(0, punto);
    std::string_view decimales = resto.substr(punto + sep.decimal.size());
    std::string cifras;
    const bool conGrupos = forma.agrupa && !sep.miles.empty();
    while (!enteros.empty()) {
        std::size_t grupo = 0;
        while (grupo < enteros.size() && EsDigito(enteros[grupo])) {
            ++grupo;
        }
        cifras += enteros.substr(0, grupo);
        enteros.remove_prefix(grupo);
        const bool primero = cifras.size() == grupo;
        if ((!primero && grupo != 3) ||
            (primero && (grupo == 0 || grupo > (conGrupos ? 3 : 400)))) {
            fuzz::Falla("grupo de cifras", texto);
        }
        if (!enteros.empty()) {
            if (!conGrupos || !enteros.starts_with(sep.miles)) {
                fuzz::Falla("separador de miles", texto);
            }
            enteros.remove_prefix(sep.miles.size());
        }
    }
    if (cifras.size() > 1 && cifras[0] == '0') {
        fuzz::Falla("cero a la izquierda", texto);
    }
    const auto n = static_cast<int>(decimales.size());
    if (n < forma.minimos || n > forma.maximos ||
        decimales.find_first_not_of("0123456789") != std::string_view::npos ||
        (n > forma.minimos && decimales.back() == '0')) {
        fuzz::Falla("decimales", texto);
    }
    // The number shown is the value rounded to the pattern's decimals. It is read back in
    // long double: the 15-digit rounding of the largest doubles lies past their range.
    const long double mostrado =
        std::strtold((cifras + "." + std::string(decimales) + "e0").c_str(), nullptr);
    const long double tolerancia = 0.5L * std::pow(10.0L, -forma.maximos) * (1 + 1e-9L) +
                                   std::fabs(static_cast<long double>(valor)) * 1e-14L;
    if (std::fabs((negativo ? -mostrado : mostrado) - valor) > tolerancia ||
        (negativo && mostrado == 0)) {
        fuzz::Falla("valor mostrado", texto);
    }
    return 0;
}
