#include "engine/number_pattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace engine {
namespace {

struct Patron {
    int cerosEnteros = 0;     // integer digits always shown
    bool agrupa = false;      // "," among the integer placeholders
    bool tienePunto = false;  // the decimal separator follows the integer part
    int decimalesMinimos = 0; // "0" after the point
    int decimalesMaximos = 0; // "0" and "#" after the point
    std::string_view literal; // text after the placeholders
};

Patron Analizar(std::string_view texto) {
    Patron p;
    std::size_t i = 0;
    for (; i < texto.size() && (texto[i] == '#' || texto[i] == '0' || texto[i] == ','); ++i) {
        p.cerosEnteros += texto[i] == '0';
        p.agrupa = p.agrupa || texto[i] == ',';
    }
    if (i < texto.size() && texto[i] == '.') {
        p.tienePunto = true;
        for (++i; i < texto.size() && texto[i] == '0'; ++i) {
            ++p.decimalesMinimos;
        }
        p.decimalesMaximos = p.decimalesMinimos;
        for (; i < texto.size() && texto[i] == '#'; ++i) {
            ++p.decimalesMaximos;
        }
    }
    p.literal = texto.substr(i);
    return p;
}

// The magnitude of `valor` in units of 10^-decimales, rounded half away from zero on its
// 15-significant-digit decimal form, as a string of decimal digits.
std::string UnidadesRedondeadas(double magnitud, int decimales) {
    if (magnitud == 0) {
        return "0";
    }
    char texto[40];
    const auto fin =
        std::to_chars(texto, texto + sizeof texto, magnitud, std::chars_format::scientific, 14).ptr;
    // "d.dddddddddddddde±XX": digit k weighs 10^(exponente - k).
    const char* e = std::find(texto, fin, 'e');
    std::string cifras(1, texto[0]);
    cifras.append(texto + 2, static_cast<std::size_t>(e - (texto + 2)));
    int exponente = 0;
    const char* signo = e + 1;
    std::from_chars(*signo == '+' ? signo + 1 : signo, fin, exponente);
    const long conservar = static_cast<long>(exponente) + decimales + 1;
    if (conservar < 0) {
        return "0";
    }
    const auto n = static_cast<std::size_t>(conservar);
    std::string unidades = cifras.substr(0, std::min(n, cifras.size()));
    const bool subir = n < cifras.size() && cifras[n] >= '5';
    if (n > cifras.size()) {
        unidades.append(n - cifras.size(), '0');
    }
    if (subir) {
        std::size_t k = unidades.size();
        while (k > 0 && unidades[k - 1] == '9') {
            unidades[--k] = '0';
        }
        if (k == 0) {
            unidades.insert(unidades.begin(), '1');
        } else {
            ++unidades[k - 1];
        }
    }
    return unidades.empty() ? "0" : unidades;
}

std::string Agrupar(const std::string& enteros, const std::string& separador) {
    std::string agrupado;
    for (std::size_t i = 0; i < enteros.size(); ++i) {
        if (i > 0 && (enteros.size() - i) % 3 == 0) {
            agrupado += separador;
        }
        agrupado += enteros[i];
    }
    return agrupado;
}

} // namespace

std::string FormatearConPatron(double valor, std::string_view patronTexto, const Separadores& sep) {
    const Patron p = Analizar(patronTexto);
    const auto decimales = static_cast<std::size_t>(p.decimalesMaximos);
    std::string unidades = UnidadesRedondeadas(std::fabs(valor), p.decimalesMaximos);
    if (unidades.size() <= decimales) {
        unidades.insert(0, decimales + 1 - unidades.size(), '0');
    }
    std::string enteros = unidades.substr(0, unidades.size() - decimales);
    std::string fraccion = unidades.substr(unidades.size() - decimales);

    const bool esCero = unidades.find_first_not_of('0') == std::string::npos;
    enteros.erase(0, std::min(enteros.find_first_not_of('0'), enteros.size()));
    if (enteros.size() < static_cast<std::size_t>(p.cerosEnteros)) {
        enteros.insert(0, static_cast<std::size_t>(p.cerosEnteros) - enteros.size(), '0');
    }
    while (fraccion.size() > static_cast<std::size_t>(p.decimalesMinimos) &&
           fraccion.back() == '0') {
        fraccion.pop_back();
    }

    // A value that rounds to zero shows no sign: "-0.00" would read as a result of its own.
    std::string texto = valor < 0 && !esCero ? "-" : "";
    texto += p.agrupa && !sep.miles.empty() ? Agrupar(enteros, sep.miles) : enteros;
    if (p.tienePunto) {
        texto += sep.decimal;
    }
    texto += fraccion;
    texto += p.literal;
    return texto;
}

std::string ConSeparador(std::string texto, const Separadores& sep) {
    if (const auto punto = texto.find('.'); punto != std::string::npos) {
        texto.replace(punto, 1, sep.decimal);
    }
    return texto;
}

} // namespace engine
