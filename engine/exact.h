// Exact arithmetic for the fault currents: each step of the point-to-point method is a
// ratio of decimals, and a chain of them down a tree of feeders outgrows any fixed width.
// Every quantity it handles (currents, lengths, impedances, factors) is positive.
#pragma once

#include <algorithm>
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The digits of a natural number: a vector's few operations, its first digits kept in place
// so that the usual numbers (a dozen digits of 2^32) cost no allocation.
class Cifras {
public:
    std::size_t size() const { return n_; }
    bool empty() const { return n_ == 0; }
    std::uint32_t operator[](std::size_t i) const { return datos()[i]; }
    std::uint32_t& operator[](std::size_t i) { return datos()[i]; }
    std::uint32_t back() const { return datos()[n_ - 1]; }
    void pop_back() {
        // Back within the digits kept in place: they move there.
        if (n_ == EnSitio + 1) {
            std::copy(fuera_.begin(), fuera_.begin() + EnSitio, sitio_.begin());
        }
        --n_;
    }
    void reserve(std::size_t n) {
        if (n > EnSitio) {
            fuera_.reserve(n);
        }
    }
    void push_back(std::uint32_t cifra) {
        if (n_ < EnSitio) {
            sitio_[n_] = cifra;
        } else {
            if (n_ == EnSitio) {
                fuera_.assign(sitio_.begin(), sitio_.end());
            }
            fuera_.resize(n_);
            fuera_.push_back(cifra);
        }
        ++n_;
    }
    void assign(std::size_t n, std::uint32_t cifra) {
        n_ = 0;
        for (std::size_t i = 0; i < n; ++i) {
            push_back(cifra);
        }
    }
    bool operator==(const Cifras& o) const {
        return n_ == o.n_ && std::equal(datos(), datos() + n_, o.datos());
    }

private:
    static constexpr std::size_t EnSitio = 16;
    const std::uint32_t* datos() const { return n_ <= EnSitio ? sitio_.data() : fuera_.data(); }
    std::uint32_t* datos() { return n_ <= EnSitio ? sitio_.data() : fuera_.data(); }
    std::array<std::uint32_t, EnSitio> sitio_{};
    std::vector<std::uint32_t> fuera_; // all the digits, once there are more than EnSitio
    std::size_t n_ = 0;
};

// A natural number of any size.
class Natural {
public:
    Natural() = default;
    Natural(std::uint64_t valor); // NOLINT: a number is a natural

    Natural operator+(const Natural& otro) const;
    Natural operator*(const Natural& otro) const;
    std::strong_ordering operator<=>(const Natural& otro) const;
    bool operator==(const Natural& otro) const = default;

    // The whole part of this / divisor, for a quotient below 2^63 (the caller's numbers
    // are currents in hundredths); none past it.
    std::optional<std::uint64_t> Cociente(const Natural& divisor) const;

private:
    // The value to a double's precision, as a mantissa and a power of two: only to guess a
    // quotient that exact products then confirm.
    double Mantisa(int& exponente) const;
    Cifras cifras_; // base 2^32, least significant first, no leading zero
};

// A positive rational number, kept unreduced: its digits are only ever compared and
// rounded, never shown whole.
class Racional {
public:
    Racional(std::uint64_t numerador = 0, std::uint64_t denominador = 1)
        : num_(numerador), den_(denominador) {}

    // A plain decimal text without sign, as a schedule keeps its numbers ("903", "7.5");
    // none for anything else.
    static std::optional<Racional> Leer(std::string_view texto);

    Racional operator+(const Racional& o) const;
    Racional operator*(const Racional& o) const;
    Racional operator/(const Racional& o) const;
    std::strong_ordering operator<=>(const Racional& o) const;
    bool operator==(const Racional& o) const { return (*this <=> o) == 0; }

    // Rounded half up to `decimales` places, as a plain decimal text: "17089.56".
    std::string Texto(int decimales) const;
    // The whole part rounded up: the smallest whole number not below the value.
    std::uint64_t Techo() const;

private:
    Racional(Natural num, Natural den) : num_(std::move(num)), den_(std::move(den)) {}
    Natural num_;
    Natural den_;
};

} // namespace engine
