#include "engine/numeric_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace engine {
namespace {

bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

// The text without its blanks: a blank never ends a number ("1 2.5" reads as 12.5).
std::string SinBlancos(std::string_view texto) {
    std::string limpio;
    limpio.reserve(texto.size());
    for (char c : texto) {
        if (!EsBlanco(c)) {
            limpio += c;
        }
    }
    return limpio;
}

int ValorDigito(char c, int base) {
    int valor = -1;
    if (EsDigito(c)) {
        valor = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        valor = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        valor = c - 'A' + 10;
    }
    return valor < base ? valor : -1;
}

// "&H1F" and "&O17": a whole number in base 16 or 8, read up to the first foreign character.
double EnteroConPrefijo(std::string_view cifras, int base) {
    double valor = 0;
    for (char c : cifras) {
        const int digito = ValorDigito(c, base);
        if (digito < 0) {
            break;
        }
        valor = valor * base + digito;
    }
    return std::isfinite(valor) ? valor : 0;
}

// Lowers the last digit of the mantissa of a text such as "1.79769313486232e+308" by one.
// Only a mantissa just rounded up reaches here, so its last digit is never a 0 to borrow on.
void BajarUltimaCifra(std::string& texto) {
    const std::size_t exponente = texto.find('e');
    const std::size_t ultima = texto.find_last_of("0123456789", exponente - 1);
    --texto[ultima];
}

} // namespace

double ValorNumerico(std::string_view texto) {
    const std::string s = SinBlancos(texto);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') {
            return EnteroConPrefijo(std::string_view(s).substr(2), 16);
        }
        if (s[1] == 'O' || s[1] == 'o') {
            return EnteroConPrefijo(std::string_view(s).substr(2), 8);
        }
        return 0;
    }

    std::size_t i = 0;
    bool negativo = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negativo = s[i] == '-';
        ++i;
    }
    // The number's own characters, rewritten for from_chars: mantissa, then "e" exponent.
    std::string numero;
    bool hayCifras = false;
    while (i < s.size() && EsDigito(s[i])) {
        numero += s[i++];
        hayCifras = true;
    }
    if (i < s.size() && s[i] == '.') {
        numero += s[i++];
        while (i < s.size() && EsDigito(s[i])) {
            numero += s[i++];
            hayCifras = true;
        }
    }
    if (!hayCifras) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponente = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponente += s[j++];
        }
        bool hayExponente = false;
        while (j < s.size() && EsDigito(s[j])) {
            exponente += s[j++];
            hayExponente = true;
        }
        if (hayExponente) { // a bare "E" ends the number instead
            numero += exponente;
        }
    }
    double valor = 0;
    const auto [fin, error] = std::from_chars(numero.data(), numero.data() + numero.size(), valor);
    if (error != std::errc() || fin != numero.data() + numero.size() || !std::isfinite(valor)) {
        return 0;
    }
    return negativo ? -valor : valor;
}

std::string TextoQuinceCifras(double valor) {
    char texto[32];
    const auto fin =
        std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::general, 15).ptr;
    std::string resultado(texto, fin);
    // Next to the largest double, rounding up to 15 digits leaves the range of a double, and
    // the text would read back as 0; the value rounded down is the nearest one that reads.
    if (resultado.ends_with("e+308") && ValorNumerico(resultado) == 0) {
        BajarUltimaCifra(resultado);
    }
    for (char& c : resultado) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return resultado;
}

std::string TextoNumerico(double valor) {
    if (valor == 0) {
        return "0";
    }
    return TextoQuinceCifras(std::fabs(valor));
}

} // namespace engine
