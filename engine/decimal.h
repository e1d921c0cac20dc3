// An exact decimal number, for the comparisons where a current as typed meets a table's
// whole amperes times factors of two decimals: in binary, 85 A x 0.70 is 59.4999...
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// 128 bits hold 38 digits: two 15-digit numbers multiplied and aligned still fit.
__extension__ using Entero128 = __int128;

// A count of a power of ten's parts: 59.5 is 595 tenths. Sums and products are exact for
// every number the program reads (at most 15 significant digits) and the factors it uses.
class Decimal {
public:
    // What Leer takes: significant digits in all, and digits after the point.
    static constexpr int CifrasMaximas = 15;
    static constexpr int DecimalesMaximos = 20;

    constexpr Decimal() = default;
    constexpr Decimal(long long entero) : partes_(entero) {}
    // `partes` hundredths, thousandths... as `decimales` says: Partes(70, 2) is 0.70.
    static constexpr Decimal Partes(long long partes, int decimales) {
        Decimal d;
        d.partes_ = partes;
        d.decimales_ = decimales;
        return d;
    }

    // A plain decimal text: an optional "-", digits and at most one "." among them, with
    // no more than 15 significant digits. Anything else is no number.
    static std::optional<Decimal> Leer(std::string_view texto);
    // A double as its 15-digit decimal text says it; none from 1E+15 on.
    static std::optional<Decimal> DeReal(double valor);

    double Real() const;
    // The shortest text of the value: "59.5", "1200", "-0.25".
    std::string Texto() const;
    // Rounded half away from zero to `decimales` places.
    Decimal Redondeado(int decimales) const;

    Decimal operator+(const Decimal& otro) const;
    Decimal operator-(const Decimal& otro) const;
    Decimal operator*(const Decimal& otro) const {
        Decimal d;
        d.partes_ = partes_ * otro.partes_;
        d.decimales_ = decimales_ + otro.decimales_;
        if (d.decimales_ > DecimalesMaximos) {
            d.Simplificar(); // the trailing zeros of a long product, before they grow further
        }
        return d;
    }
    // Inline, with the common case of equal places first: the sizing compares sizes by
    // the thousand.
    std::strong_ordering operator<=>(const Decimal& otro) const {
        if (decimales_ == otro.decimales_) {
            return Comparar(partes_, otro.partes_);
        }
        return decimales_ < otro.decimales_
                   ? Comparar(partes_ * Potencia10(otro.decimales_ - decimales_), otro.partes_)
                   : Comparar(partes_, otro.partes_ * Potencia10(decimales_ - otro.decimales_));
    }
    bool operator==(const Decimal& otro) const { return (*this <=> otro) == 0; }

    // 10^n for n from 0 to 38, all that 128 bits hold.
    static constexpr Entero128 Potencia10(int n) { return Potencias[static_cast<std::size_t>(n)]; }

private:
    static constexpr std::array<Entero128, 39> Potencias = [] {
        std::array<Entero128, 39> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i) {
            p[i] = p[i - 1] * 10;
        }
        return p;
    }();

    // The value is partes_ / 10^decimales_, trailing zeros and all: they are dropped for
    // the text, and where a product's decimals would grow too long.
    Entero128 partes_ = 0;
    int decimales_ = 0;

    void Simplificar();
    std::string TextoTalCual() const;
    static constexpr std::strong_ordering Comparar(Entero128 a, Entero128 b) {
        return a < b ? std::strong_ordering::less
                     : (a > b ? std::strong_ordering::greater : std::strong_ordering::equal);
    }
};

} // namespace engine
