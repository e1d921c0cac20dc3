#include "engine/decimal.h"

#include "engine/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace engine {

std::optional<Decimal> Decimal::Leer(std::string_view texto) {
    bool negativo = false;
    if (!texto.empty() && texto.front() == '-') {
        negativo = true;
        texto.remove_prefix(1);
    }
    Decimal d;
    bool punto = false;
    bool cifras = false;
    int significativas = 0;
    for (const char c : texto) {
        if (c == '.' && !punto) {
            punto = true;
        } else if (c >= '0' && c <= '9') {
            cifras = true;
            if (d.partes_ != 0 || c != '0') {
                ++significativas;
            }
            if (significativas > CifrasMaximas + 20) {
                return std::nullopt; // not even trailing zeros go on that long
            }
            d.partes_ = d.partes_ * 10 + (c - '0');
            d.decimales_ += punto ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (!cifras) {
        return std::nullopt;
    }
    d.Simplificar();
    // Trailing zeros were dropped: what is left is the number's own digits.
    if (d.partes_ >= Potencia10(CifrasMaximas) || d.decimales_ > DecimalesMaximos) {
        return std::nullopt;
    }
    if (negativo) {
        d.partes_ = -d.partes_;
    }
    return d;
}

std::optional<Decimal> Decimal::DeReal(double valor) {
    if (!(std::fabs(valor) < 1e15)) {
        return std::nullopt;
    }
    const std::string texto = TextoQuinceCifras(valor);
    const std::size_t e = texto.find('E');
    if (e == std::string::npos) {
        return Leer(texto);
    }
    // "1.5E+16" and "1E-05": the mantissa's digits moved by the exponent.
    int exponente = 0;
    std::from_chars(texto.data() + e + (texto[e + 1] == '+' ? 2 : 1), texto.data() + texto.size(),
                    exponente);
    Decimal d = *Leer(std::string_view(texto).substr(0, e));
    if (exponente >= 0) {
        d.partes_ *= Potencia10(std::max(0, exponente - d.decimales_));
        d.decimales_ = std::max(0, d.decimales_ - exponente);
    } else {
        d.decimales_ -= exponente;
    }
    d.Simplificar();
    if (d.decimales_ > DecimalesMaximos) {
        return Decimal(); // below the smallest part kept: nothing
    }
    return d;
}

double Decimal::Real() const {
    // Both parts exact in a double: one division, rounded once, is the nearest double.
    constexpr Entero128 Exacto = Entero128(1) << 53;
    if (partes_ < Exacto && -partes_ < Exacto && decimales_ <= 22) {
        return static_cast<double>(partes_) / static_cast<double>(Potencia10(decimales_));
    }
    double valor = 0;
    const std::string texto = Texto();
    std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return valor;
}

std::string Decimal::Texto() const {
    Decimal simple = *this;
    simple.Simplificar();
    return simple.TextoTalCual();
}

std::string Decimal::TextoTalCual() const {
    Entero128 resto = partes_ < 0 ? -partes_ : partes_;
    // The digits from the last, the point among them, then the sign; reversed at the end.
    std::string texto;
    int cifras = 0;
    const auto cifra = [&](int valor) {
        if (cifras++ == decimales_ && decimales_ > 0) {
            texto += '.';
        }
        texto += static_cast<char>('0' + valor);
    };
    // In 64 bits once they fit: 128-bit division is slow.
    while (resto > static_cast<Entero128>(UINT64_MAX)) {
        cifra(static_cast<int>(resto % 10));
        resto /= 10;
    }
    auto corto = static_cast<std::uint64_t>(resto);
    do {
        cifra(static_cast<int>(corto % 10));
        corto /= 10;
    } while (corto != 0 || cifras <= decimales_);
    if (partes_ < 0) {
        texto += '-';
    }
    std::reverse(texto.begin(), texto.end());
    return texto;
}

Decimal Decimal::Redondeado(int decimales) const {
    if (decimales_ <= decimales) {
        return *this;
    }
    const Entero128 divisor = Potencia10(decimales_ - decimales);
    const Entero128 magnitud = partes_ < 0 ? -partes_ : partes_;
    Entero128 cociente = magnitud / divisor;
    if ((magnitud % divisor) * 2 >= divisor) {
        ++cociente;
    }
    Decimal d = Partes(0, decimales);
    d.partes_ = partes_ < 0 ? -cociente : cociente;
    d.Simplificar();
    return d;
}

Decimal Decimal::operator+(const Decimal& otro) const {
    const int decimales = std::max(decimales_, otro.decimales_);
    Decimal d;
    d.partes_ = partes_ * Potencia10(decimales - decimales_) +
                otro.partes_ * Potencia10(decimales - otro.decimales_);
    d.decimales_ = decimales;
    return d;
}

Decimal Decimal::operator-(const Decimal& otro) const {
    Decimal negado = otro;
    negado.partes_ = -negado.partes_;
    return *this + negado;
}

void Decimal::Simplificar() {
    while (decimales_ > 0 && partes_ % 10 == 0) {
        partes_ /= 10;
        --decimales_;
    }
}

} // namespace engine
