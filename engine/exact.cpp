#include "engine/exact.h"

#include <algorithm>
#include <cmath>

namespace engine {

Natural::Natural(std::uint64_t valor) {
    for (; valor != 0; valor >>= 32) {
        cifras_.push_back(static_cast<std::uint32_t>(valor));
    }
}

Natural Natural::operator+(const Natural& otro) const {
    Natural suma;
    const std::size_t n = std::max(cifras_.size(), otro.cifras_.size());
    suma.cifras_.reserve(n + 1);
    std::uint64_t acarreo = 0;
    for (std::size_t i = 0; i < n; ++i) {
        acarreo += (i < cifras_.size() ? cifras_[i] : 0U) +
                   static_cast<std::uint64_t>(i < otro.cifras_.size() ? otro.cifras_[i] : 0U);
        suma.cifras_.push_back(static_cast<std::uint32_t>(acarreo));
        acarreo >>= 32;
    }
    if (acarreo != 0) {
        suma.cifras_.push_back(static_cast<std::uint32_t>(acarreo));
    }
    return suma;
}

Natural Natural::operator*(const Natural& otro) const {
    Natural producto;
    if (cifras_.empty() || otro.cifras_.empty()) {
        return producto;
    }
    producto.cifras_.assign(cifras_.size() + otro.cifras_.size(), 0);
    for (std::size_t i = 0; i < cifras_.size(); ++i) {
        std::uint64_t acarreo = 0;
        for (std::size_t j = 0; j < otro.cifras_.size(); ++j) {
            acarreo +=
                static_cast<std::uint64_t>(cifras_[i]) * otro.cifras_[j] + producto.cifras_[i + j];
            producto.cifras_[i + j] = static_cast<std::uint32_t>(acarreo);
            acarreo >>= 32;
        }
        producto.cifras_[i + otro.cifras_.size()] = static_cast<std::uint32_t>(acarreo);
    }
    while (!producto.cifras_.empty() && producto.cifras_.back() == 0) {
        producto.cifras_.pop_back();
    }
    return producto;
}

std::strong_ordering Natural::operator<=>(const Natural& otro) const {
    if (cifras_.size() != otro.cifras_.size()) {
        return cifras_.size() <=> otro.cifras_.size();
    }
    for (std::size_t i = cifras_.size(); i-- > 0;) {
        if (cifras_[i] != otro.cifras_[i]) {
            return cifras_[i] <=> otro.cifras_[i];
        }
    }
    return std::strong_ordering::equal;
}

double Natural::Mantisa(int& exponente) const {
    // The top three digits hold more than a double's 53 bits.
    double valor = 0;
    const std::size_t n = cifras_.size();
    const std::size_t desde = n > 3 ? n - 3 : 0;
    for (std::size_t i = n; i-- > desde;) {
        valor = valor * 4294967296.0 + cifras_[i];
    }
    exponente = static_cast<int>(32 * desde);
    return valor;
}

std::optional<std::uint64_t> Natural::Cociente(const Natural& divisor) const {
    constexpr std::uint64_t Tope = std::uint64_t{1} << 63;
    if (divisor * Natural(Tope) <= *this) {
        return std::nullopt;
    }
    // A guess from the doubles, a few units off at most for quotients below 2^53, then
    // moved by exact products until q · divisor <= this < (q + 1) · divisor.
    int ea = 0;
    int eb = 0;
    const double a = Mantisa(ea);
    const double b = divisor.Mantisa(eb);
    const double estimado = std::ldexp(a / b, ea - eb);
    std::uint64_t q = estimado < 9.0e15 ? static_cast<std::uint64_t>(std::max(estimado, 0.0)) : 0;
    if (estimado >= 9.0e15) {
        // Bit by bit from the top, for a quotient too large to guess.
        for (std::uint64_t bit = Tope >> 1; bit != 0; bit >>= 1) {
            if (divisor * Natural(q | bit) <= *this) {
                q |= bit;
            }
        }
        return q;
    }
    while (q > 0 && *this < divisor * Natural(q)) {
        --q;
    }
    while (divisor * Natural(q + 1) <= *this) {
        ++q;
    }
    return q;
}

namespace {

Natural Potencia10(int n) {
    // Up to 10^19 in one word; beyond, by products of it.
    constexpr int EnUnaPalabra = 19;
    std::uint64_t palabra = 1;
    for (int i = 0; i < n % EnUnaPalabra; ++i) {
        palabra *= 10;
    }
    Natural p(palabra);
    for (int i = 0; i < n / EnUnaPalabra; ++i) {
        p = p * Natural(10000000000000000000ULL);
    }
    return p;
}

} // namespace

std::optional<Racional> Racional::Leer(std::string_view texto) {
    std::uint64_t cifras = 0;
    int decimales = 0;
    int significativas = 0;
    bool punto = false;
    bool alguna = false;
    for (const char c : texto) {
        if (c == '.' && !punto) {
            punto = true;
            continue;
        }
        if (c < '0' || c > '9' || (significativas += (cifras != 0 || c != '0')) > 18) {
            return std::nullopt;
        }
        cifras = cifras * 10 + static_cast<std::uint64_t>(c - '0');
        decimales += punto;
        alguna = true;
    }
    if (!alguna) {
        return std::nullopt;
    }
    return Racional(Natural(cifras), Potencia10(decimales));
}

Racional Racional::operator+(const Racional& o) const {
    return {num_ * o.den_ + o.num_ * den_, den_ * o.den_};
}

Racional Racional::operator*(const Racional& o) const {
    return {num_ * o.num_, den_ * o.den_};
}

Racional Racional::operator/(const Racional& o) const {
    return {num_ * o.den_, den_ * o.num_};
}

std::strong_ordering Racional::operator<=>(const Racional& o) const {
    return num_ * o.den_ <=> o.num_ * den_;
}

std::string Racional::Texto(int decimales) const {
    // Half up: the whole part of (value · 10^d · 2 + 1) / 2.
    const Natural escala = Potencia10(decimales);
    const Natural dos(2);
    const std::uint64_t partes = (num_ * escala * dos + den_).Cociente(den_ * dos).value_or(0);
    std::string texto = std::to_string(partes);
    if (decimales == 0) {
        return texto;
    }
    const auto d = static_cast<std::size_t>(decimales);
    while (texto.size() <= d) {
        texto = "0" + texto;
    }
    return texto.substr(0, texto.size() - d) + "." + texto.substr(texto.size() - d);
}

std::uint64_t Racional::Techo() const {
    const std::uint64_t entero = num_.Cociente(den_).value_or(0);
    return Natural(entero) * den_ == num_ ? entero : entero + 1;
}

} // namespace engine
